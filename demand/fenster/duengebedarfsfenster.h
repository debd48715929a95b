#pragma once
// The window "Düngebedarfsermittlung": one page per part (fields, crop rows,
// nitrogen, phosphate, autumn), the search and the
// buttons below them. The window owns the field list and the crop rows of
// the current field, which several pages show, and coordinates the pages:
// saving on a page change, the current field and crop row carried to the
// next page, and the page to show when a check fails. Every message goes
// through the message service, so the window runs headless in tests.

#include "bedarfsseite.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <vector>

class QHBoxLayout;
class QLineEdit;
class QTabWidget;
class TADOModConnection;
class TAnbauSeite;
class TBedarfskarte;
class THerbstSeite;
class TMeldungen;
class TPhosphorSeite;
class TSchlagSeite;
class TStickstoffSeite;
class TTaschenrechner;

class TDuengebedarfsfenster : public QDialog {
  Q_OBJECT
public:
  // The farm is Betriebe.ID, the year its fertiliser year.
  TDuengebedarfsfenster(TADOModConnection& db, TMeldungen& meldungen, int betriebsNr, int jahr,
                        QWidget* eltern = nullptr);
  ~TDuengebedarfsfenster() override;

  // Shows the window modally; it opens its lists itself.
  int Ausfuehren() { return exec(); }
  // Opens the lists (done when the window is shown).
  bool Oeffnen();

  // What the main window supplies: the farm preselection ("Vorauswahl") and
  // the screen print. Without them the buttons do nothing.
  std::function<void()> VorauswahlOeffnen;
  std::function<void(QWidget*)> Bildschirmdruck;
  // How the pages' printouts are shown; empty: the preview.
  void setDruckvorschau(std::function<void(TPDFDruckausgabe&)> vorschau) {
    m_daten.druckvorschau = std::move(vorschau);
  }

  // Page indices.
  enum { SeiteSchlag, SeiteAnbau, SeiteStickstoff, SeitePhosphor, SeiteHerbst, SeiteHerbstRG, SeiteKarte };

  QTabWidget* Seiten() const { return m_seiten; }
  TSchlagSeite& SchlagSeite() const { return *m_schlagSeite; }
  TAnbauSeite& AnbauSeite() const { return *m_anbauSeite; }
  TStickstoffSeite& StickstoffSeite() const { return *m_stickstoffSeite; }
  TPhosphorSeite& PhosphorSeite() const { return *m_phosphorSeite; }
  TBedarfskarte& KartenSeite() const { return *m_kartenSeite; }

  // "Suchen": goes to the field the text finds (see Schlagdaten::Suchen); a beep when none.
  void Suchen(const QString& text);

  void done(int ergebnis) override;

protected:
  void showEvent(QShowEvent* ereignis) override;
  void keyPressEvent(QKeyEvent* ereignis) override;

private:
  std::vector<TBedarfsseite*> AlleSeiten() const;
  // "Suchen", "Taschenrechner", "Bildschirmdruck", "Hauptmenü".
  QHBoxLayout* UntereLeiste();
  void SeitenVerbinden();
  // Keeps the window within a screen of 1200 points however long the texts.
  void BreiteBegrenzen();
  void SeiteGewechselt(int seite);
  void AllesSpeichern();
  // Before the window closes: saves what can be saved; input that cannot be
  // saved is dropped only after "Ja" to the question. False keeps the window.
  bool SchliessenErlaubt();
  // Shows the page without the steps of a page change, then saves every list.
  void ZumAnlegen(TBedarfsseite* seite);
  // The pages "Berechnen" sends the user to.
  void SchlagZeigen(int parzelle);
  void KulturZeigen(int parzelle, qint64 anbauId);
  void Vorauswahl();
  void RechnerZeigen();

  TBedarfsdaten m_daten;
  bool m_offen = false;
  bool m_seitenwechsel = false;  // the page changes without the steps of a page change
  int m_seite = SeiteSchlag;     // the page shown, until the next change

  QTabWidget* m_seiten;
  TSchlagSeite* m_schlagSeite;
  TAnbauSeite* m_anbauSeite;
  TStickstoffSeite* m_stickstoffSeite;
  TPhosphorSeite* m_phosphorSeite;
  THerbstSeite* m_herbstSeite;
  THerbstSeite* m_herbstRGSeite;
  TBedarfskarte* m_kartenSeite;
  QLineEdit* m_suche = nullptr;
  QPointer<TTaschenrechner> m_rechner;
};
