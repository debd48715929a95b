#pragma once
// The window "Schnellaufzeichnung": applications of the farm year typed as
// lines of a grid and written as records in one step with "Übernehmen und
// Schließen". Modal; nothing reaches the database before that button.

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;
class TADOModConnection;
class TAuswahlPanel;
class THF1Book;
class THilfsfenster;
class TMeldungen;
class TSchnellRaster;
class TWerkzeugleiste;

class TSchnellerfassungsfenster : public QDialog {
  Q_OBJECT
public:
  TSchnellerfassungsfenster(TADOModConnection& db, TMeldungen& meldungen, THilfsfenster& hilfe, int betriebsNr,
                            int jahr, QWidget* eltern = nullptr);

  int Ausfuehren() { return exec(); }

  // What the main window supplies; without them the buttons do nothing.
  std::function<void()> VorauswahlOeffnen;
  std::function<void(QWidget*)> Bildschirmdruck;

  // The buttons' actions.
  void Uebernehmen();
  void Verwerfen();
  void VorauswahlZeigen();

  THF1Book* Buch() const { return m_buch; }
  TAuswahlPanel* Panel() const { return m_panel; }
  TSchnellRaster* Raster() const { return m_raster; }
  TWerkzeugleiste* Werkzeugleiste() const { return m_leiste; }
  QPushButton* Knopf(const QString& beschriftung) const;

  void reject() override;

protected:
  void showEvent(QShowEvent* ereignis) override;
  void keyPressEvent(QKeyEvent* ereignis) override;

private:
  void AnzeigeSetzen();

  TADOModConnection& m_db;
  TMeldungen& m_meldungen;
  const int m_betrieb;
  const int m_jahr;
  bool m_offen = false;
  QLabel* m_schlag;
  QLabel* m_hinweis;
  THF1Book* m_buch;
  TAuswahlPanel* m_panel;
  TSchnellRaster* m_raster;
  TWerkzeugleiste* m_leiste;
  std::vector<QPushButton*> m_knoepfe;
};
