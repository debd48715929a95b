#pragma once
// The window "Düngungsaufzeichnung": the application records of a farm year
// and its two nutrient statements. Modal; every message goes through the
// message service, so the window runs headless in tests.

#include "aufzeichnungsdrucker.h"
#include "taschenrechner.h"

#include <QDialog>
#include <QPointer>

#include <functional>

class QTabWidget;
class TADOModConnection;
class TAufzeichnungsseite;
class TBilanzSeite;
class TPruefungsseite;
class TSchlagkarte;
class TMeldungen;

class TAufzeichnungsfenster : public QDialog {
  Q_OBJECT
public:
  // The farm is Betriebe.ID, the year its fertiliser year.
  TAufzeichnungsfenster(TADOModConnection& db, TMeldungen& meldungen, int betriebsNr, int jahr,
                        QWidget* eltern = nullptr);
  ~TAufzeichnungsfenster() override;

  // Shows the window modally; it opens its lists itself.
  int Ausfuehren() { return exec(); }
  // Opens the lists (done when the window is shown).
  bool Oeffnen();

  // What the main window supplies: the preselection and the screen print.
  // Without them the buttons do nothing.
  std::function<void()> VorauswahlOeffnen;
  std::function<void(QWidget*)> Bildschirmdruck;

  enum { SeiteAufzeichnung, SeiteGesamtbetrieb, SeiteNitratgebiet, SeitePruefung, SeiteKarte };
  QTabWidget* Seiten() const { return m_seiten; }
  TAufzeichnungsseite* Aufzeichnung() const { return m_aufzeichnung; }
  TBilanzSeite* Gesamtbetrieb() const { return m_gesamt; }
  TBilanzSeite* Nitratgebiet() const { return m_nitrat; }
  TPruefungsseite* PruefungSeite() const { return m_pruefung; }
  TSchlagkarte* KartenSeite() const { return m_karte; }
  TTaschenrechner* Rechner() const { return m_rechner; }
  // The printouts of the pages.
  TAufzeichnungsdrucker& Drucker() { return m_drucker; }

  // "Vorauswahl": the master lists close while the preselection is open.
  void VorauswahlZeigen();
  void done(int ergebnis) override;

protected:
  void showEvent(QShowEvent* ereignis) override;
  void keyPressEvent(QKeyEvent* ereignis) override;

private:
  void SeiteGewechselt(int seite);
  void RechnerZeigen();
  // A saved record that breaks a legal limit: the warning; the record stays saved.
  void NachDemSpeichern();
  void Schliessen();

  TADOModConnection& m_db;
  TMeldungen& m_meldungen;
  const int m_betrieb;
  const int m_jahr;
  bool m_offen = false;
  QTabWidget* m_seiten;
  TAufzeichnungsseite* m_aufzeichnung;
  TBilanzSeite* m_gesamt;
  TBilanzSeite* m_nitrat;
  TPruefungsseite* m_pruefung;
  TSchlagkarte* m_karte;
  QPointer<TTaschenrechner> m_rechner;
  TAufzeichnungsdrucker m_drucker;
};
