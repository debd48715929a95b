#pragma once
// The window "Vorauswahl": which crops, fertilisers, other substances and
// grazing animals a farm uses, its average crop yields and its own
// fertilisers and substances. Closing it saves everything and carries the
// fertiliser data into the farm's application records.

#include <QDialog>
#include <QPointer>

#include "taschenrechner.h"

class QPushButton;
class QTabWidget;
class TADOModConnection;
class TKulturenSeite;
class TListenSeite;
class TMeldungen;
class TMineralSeite;
class TOrganischeSeite;
class TStoffSeite;
class TWeideSeite;

class TVorauswahl : public QDialog {
  Q_OBJECT
public:
  // The farm is Betriebe.ID, the year its selected fertiliser year.
  TVorauswahl(TADOModConnection& db, TMeldungen& meldungen, int betriebsNr, int jahr, QWidget* eltern = nullptr);
  ~TVorauswahl() override;

  // An instruction shown as the window caption instead of farm and year.
  void setAnweisung(const QString& text);
  // Shows the window modally; it opens its lists itself.
  int Ausfuehren() { return exec(); }

  // Opens the lists (done when the window is shown); false on failure.
  bool Oeffnen();
  bool IstOffen() const { return m_offen; }

  QTabWidget* Seiten() const { return m_seiten; }
  TKulturenSeite* Kulturen() const { return m_kulturen; }
  TMineralSeite* Mineral() const { return m_mineral; }
  TOrganischeSeite* Organisch() const { return m_organisch; }
  TStoffSeite* Stoffe() const { return m_stoffe; }
  TWeideSeite* Weide() const { return m_weide; }
  TTaschenrechner* Rechner() const { return m_rechner; }

  void done(int ergebnis) override;

protected:
  void showEvent(QShowEvent* ereignis) override;
  void keyPressEvent(QKeyEvent* ereignis) override;

private:
  std::vector<TListenSeite*> AlleSeiten() const;
  void SeiteGewechselt();
  void RechnerZeigen();
  // Saves, carries the fertiliser data into the records, closes the lists.
  void Abschliessen();

  TADOModConnection& m_db;
  TMeldungen& m_meldungen;
  const int m_betrieb;
  const int m_jahr;
  QString m_anweisung;
  bool m_offen = false;
  QTabWidget* m_seiten;
  TKulturenSeite* m_kulturen;
  TMineralSeite* m_mineral;
  TOrganischeSeite* m_organisch;
  TStoffSeite* m_stoffe;
  TWeideSeite* m_weide;
  QPointer<TTaschenrechner> m_rechner;
};
