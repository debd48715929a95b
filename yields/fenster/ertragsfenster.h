#pragma once
// The window "Ertragserfassung": the farm's own average yield per crop for
// the selected year (and, from 2021, for nitrate areas). Modal; every message
// goes through the message service, so it runs headless in tests.

#include <QDialog>

class QLabel;
class QPushButton;
class TADOModConnection;
class TErtragsRaster;
class TMeldungen;
namespace Ertraege {
class TErtragsliste;
}

class TErtragsfenster : public QDialog {
  Q_OBJECT
public:
  static const QString Titel;  // "Ertragserfassung"
  static const QString VerwerfenFrage;

  // The farm is Betriebe.ID, the year its fertiliser year. After a field
  // import every crop group is listed.
  TErtragsfenster(TADOModConnection& db, TMeldungen& meldungen, int betriebsNr, int jahr, bool alleGruppen = false,
                  QWidget* eltern = nullptr);
  ~TErtragsfenster() override;

  // Shows the window modally; it opens its list itself.
  int Ausfuehren() { return exec(); }
  bool Oeffnen();

  Ertraege::TErtragsliste& Liste() const { return *m_liste; }
  TErtragsRaster* Raster() const { return m_raster; }

  // "OK" saves the input of the current row, "Abbrechen" drops it; closing
  // the window otherwise saves too. Input that cannot be saved is kept on
  // screen unless the user agrees to drop it.
  void done(int ergebnis) override;

protected:
  void showEvent(QShowEvent* ereignis) override;

private:
  TMeldungen& m_meldungen;
  Ertraege::TErtragsliste* m_liste;
  TErtragsRaster* m_raster;
  bool m_offen = false;
  bool m_verwerfen = false;  // "Abbrechen" was pressed
};
