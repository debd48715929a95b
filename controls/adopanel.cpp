#include "adopanel.h"

#include "connection.h"
#include "dataset.h"
#include "eingabefeld.h"
#include "hilfsfenster.h"
#include "meldungen.h"
#include "pruefbaresfeld.h"

#include <QApplication>

#include <utility>

TADOPanel::TADOPanel(QWidget* eltern) : QFrame(eltern) {
  connect(qApp, &QApplication::focusChanged, this, &TADOPanel::FokusGeaendert);
}

TADOPanel::~TADOPanel() { disconnect(qApp, nullptr, this, nullptr); }

TMeldungen* TADOPanel::EigeneMeldungen() const {
  if (m_meldungen) return m_meldungen;
  return m_liste ? m_liste->Verbindung().Meldungen() : nullptr;
}

TMeldungen& TADOPanel::Meldungen() const {
  TMeldungen* m = EigeneMeldungen();
  return m ? *m : Eingabe::StandardMeldungen();
}

bool TADOPanel::Enthaelt(QWidget* w) const { return w && (w == this || isAncestorOf(w)); }

void TADOPanel::FokusGeaendert(QWidget* alt, QWidget* neu) {
  // A field asking the user, a message box or another window on top: no move.
  if (TEingabeFeld::VerlassenLaeuft() || !neu || neu->window() != window()) return;
  Q_UNUSED(alt);
  if (Enthaelt(neu)) {
    if (!m_drin) BeimBetreten();
    return;
  }
  if (auto* knopf = qobject_cast<TDBOKBitBtn*>(neu); knopf && knopf->Panel() == this) return;
  if (m_drin) BeimVerlassen();
}

void TADOPanel::BeimBetreten() {
  m_drin = true;
  if (m_liste && m_liste->IstOffen()) m_liste->EditierenOderAnfuegen();
  emit Betreten();
}

void TADOPanel::BeimVerlassen() {
  m_drin = false;
  Speichern();
  emit Verlassen();
}

bool TADOPanel::Speichern() {
  if (!m_liste || !m_liste->IstOffen()) return true;
  m_abgelehntGemeldet = false;
  if (m_liste->SpeichernWennGeaendert()) return true;
  if (!std::exchange(m_abgelehntGemeldet, false)) Meldungen().Info(QStringLiteral("Speichern fehlgeschlagen"));
  return false;
}

QWidget* TADOPanel::ErsterFehler() const {
  // The focus chain holds every widget in tab order.
  for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
    if (!isAncestorOf(w) || !w->isVisible() || !w->isEnabled()) continue;
    if (auto* feld = dynamic_cast<TPruefbaresFeld*>(w); feld && feld->FeldFehlerhaft()) return w;
  }
  return nullptr;
}

bool TADOPanel::Pruefen() {
  if (VorDemPruefen && !VorDemPruefen()) return false;
  QWidget* w = ErsterFehler();
  if (!w) return true;
  // Focus first: entering recolours the field, the mark must come after.
  w->setFocus(Qt::OtherFocusReason);
  dynamic_cast<TPruefbaresFeld*>(w)->PanelFehlerZeigen();
  Meldungen().Info(QStringLiteral("Bitte gültigen Wert eingeben/auswählen."));
  return false;
}

// --- button -----------------------------------------------------------------

TDBOKBitBtn::TDBOKBitBtn(int reAktion, QWidget* eltern) : QPushButton(eltern), m_reAktion(reAktion) {
  setReAktion(reAktion);
  connect(this, &QPushButton::clicked, this, &TDBOKBitBtn::Ausfuehren);
}

void TDBOKBitBtn::setReAktion(int reAktion) {
  m_reAktion = reAktion;
  setText(reAktion == Abbruch ? QStringLiteral("Abbruch") : QStringLiteral("OK"));
  setAccessibleName(text());
}

TADOPanel* TDBOKBitBtn::Panel() const {
  if (m_panel) return m_panel;
  for (QWidget* w = parentWidget(); w; w = w->parentWidget())
    if (auto* p = qobject_cast<TADOPanel*>(w)) return p;
  return nullptr;
}

TADODataSetMod* TDBOKBitBtn::DataSet() const {
  if (m_liste) return m_liste;
  TADOPanel* p = Panel();
  return p ? p->DataSet() : nullptr;
}

void TDBOKBitBtn::Ausfuehren() {
  TADODataSetMod* liste = DataSet();
  TADOPanel* panel = Panel();
  if (m_reAktion == Abbruch) {
    if (liste && (liste->Zustand() == TADODataSetMod::TZustand::Bearbeiten ||
                  liste->Zustand() == TADODataSetMod::TZustand::Einfuegen))
      liste->Abbrechen();
    emit Abgebrochen();
    return;
  }
  if (panel && !panel->Pruefen()) return;
  if (panel && (!m_liste || m_liste == panel->DataSet())) {
    if (!panel->Speichern()) return;
  } else if (liste && !liste->SpeichernWennGeaendert()) {
    return;
  }
  emit Gespeichert();
}
