#include "dbauswahl.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

// --- binding ----------------------------------------------------------------

void TFeldBindung::Binden(QObject* ziel, TADODataSetMod* liste, const QString& feld, std::function<void()> anzeigen) {
  for (const auto& v : m_verbindungen) QObject::disconnect(v);
  m_verbindungen.clear();
  m_liste = liste;
  m_feld = feld;
  if (liste) {
    m_verbindungen.push_back(QObject::connect(liste, &TADODataSetMod::Zurueckgesetzt, ziel, anzeigen));
    m_verbindungen.push_back(QObject::connect(liste, &TADODataSetMod::PositionGeaendert, ziel, anzeigen));
    m_verbindungen.push_back(QObject::connect(liste, &TADODataSetMod::ZustandGeaendert, ziel, anzeigen));
    m_verbindungen.push_back(QObject::connect(liste, &TADODataSetMod::ZeileGeaendert, ziel, [this, anzeigen](int zeile) {
      if (m_liste && zeile == m_liste->Position()) anzeigen();
    }));
  }
  anzeigen();
}

QVariant TFeldBindung::Wert() const {
  if (!m_liste || !m_liste->IstOffen() || m_liste->Position() < 0) return {};
  return m_liste->Wert(m_feld);
}

void TFeldBindung::Schreiben(const QVariant& wert) {
  if (!m_liste || !m_liste->IstOffen()) return;
  const QVariant alt = Wert();
  if (alt.isNull() == wert.isNull() && Entspricht(alt, wert)) return;
  m_liste->setWert(m_feld, wert);
}

bool TFeldBindung::Fehlerhaft(TFehlerFaerben regel) const {
  if (!m_liste || !m_liste->IstOffen() || m_liste->Position() < 0) return false;
  const auto* f = m_liste->Feld(m_feld);
  return Eingabe::FehlerRegelGreift(regel, Wert(), Eingabe::SpaltenArt(f ? f->typ : QString(), Wert()));
}

bool TFeldBindung::Entspricht(const QVariant& spalte, const QVariant& wahl) {
  if (spalte.isNull() || wahl.isNull()) return spalte.isNull() && wahl.isNull();
  bool a = false, b = false;
  const double x = spalte.toDouble(&a), y = wahl.toDouble(&b);
  if (a && b) return x == y;
  return spalte.toString() == wahl.toString();
}

namespace {
void HintergrundSetzen(QWidget* w, QPalette::ColorRole rolle, const QColor& farbe) {
  QPalette p = w->palette();
  if (p.color(rolle) == farbe) return;
  p.setColor(rolle, farbe);
  w->setPalette(p);
}
}  // namespace

// --- combo box --------------------------------------------------------------

TDBComboBoxMod::TDBComboBoxMod(QWidget* eltern) : QComboBox(eltern) {
  connect(this, &QComboBox::activated, this, [this](int i) { m_bindung.Schreiben(EintragsWert(i)); });
  Umfaerben();
}

void TDBComboBoxMod::Binden(TADODataSetMod* liste, const QString& feld) {
  m_bindung.Binden(this, liste, feld, [this] { Anzeigen(); });
}

void TDBComboBoxMod::Eintrag(const QString& text, const QVariant& wert) {
  addItem(text, wert);
  Anzeigen();
}

QVariant TDBComboBoxMod::EintragsWert(int i) const {
  if (i < 0 || i >= count()) return {};
  const QVariant w = itemData(i);
  return w.isValid() ? w : QVariant(itemText(i));
}

void TDBComboBoxMod::Anzeigen() {
  const QVariant w = m_bindung.Wert();
  int gefunden = -1;
  for (int i = 0; i < count() && gefunden < 0 && !w.isNull(); ++i)
    if (TFeldBindung::Entspricht(w, EintragsWert(i))) gefunden = i;
  if (gefunden != currentIndex()) setCurrentIndex(gefunden);
  Umfaerben();
}

void TDBComboBoxMod::setFehler_Faerben(TFehlerFaerben regel) {
  m_faerben = regel;
  Umfaerben();
}

void TDBComboBoxMod::setGrundFarbe(const QColor& farbe) {
  m_grundFarbe = farbe;
  Umfaerben();
}

void TDBComboBoxMod::FarbeSetzen(const QColor& farbe) {
  HintergrundSetzen(this, QPalette::Base, farbe);
  HintergrundSetzen(this, QPalette::Button, farbe);
}

void TDBComboBoxMod::Umfaerben() { FarbeSetzen(FeldFehlerhaft() ? Eingabe::FarbeFehler : m_grundFarbe); }

void TDBComboBoxMod::PanelFehlerZeigen() { FarbeSetzen(Eingabe::FarbePanelFehler); }

// --- check box --------------------------------------------------------------

TDBCheckBoxMod::TDBCheckBoxMod(const QString& text, QWidget* eltern) : QCheckBox(text, eltern) {
  setAccessibleName(text);
  setAutoFillBackground(true);
  connect(this, &QCheckBox::clicked, this, [this](bool an) { m_bindung.Schreiben(an ? m_angehakt : m_leer); });
}

void TDBCheckBoxMod::Binden(TADODataSetMod* liste, const QString& feld) {
  m_bindung.Binden(this, liste, feld, [this] { Anzeigen(); });
}

void TDBCheckBoxMod::setWerte(const QVariant& angehakt, const QVariant& leer) {
  m_angehakt = angehakt;
  m_leer = leer;
  Anzeigen();
}

void TDBCheckBoxMod::Anzeigen() {
  const QVariant w = m_bindung.Wert();
  setChecked(!w.isNull() && TFeldBindung::Entspricht(w, m_angehakt));
  Umfaerben();
}

void TDBCheckBoxMod::setFehler_Faerben(TFehlerFaerben regel) {
  m_faerben = regel;
  Umfaerben();
}

void TDBCheckBoxMod::FarbeSetzen(const QColor& farbe) { HintergrundSetzen(this, QPalette::Window, farbe); }

void TDBCheckBoxMod::Umfaerben() {
  // Without an error the box keeps the window's own background.
  if (FeldFehlerhaft())
    FarbeSetzen(Eingabe::FarbeFehler);
  else
    setPalette(QPalette());
}

void TDBCheckBoxMod::PanelFehlerZeigen() { FarbeSetzen(Eingabe::FarbePanelFehler); }

// --- radio group ------------------------------------------------------------

TDBRadioGroupMod::TDBRadioGroupMod(const QString& titel, QWidget* eltern) : QGroupBox(titel, eltern) {
  setAccessibleName(titel);
  setAutoFillBackground(true);
  m_gruppe = new QButtonGroup(this);
  m_layout = new QVBoxLayout(this);
  connect(m_gruppe, &QButtonGroup::idClicked, this, [this](int i) {
    if (i >= 0 && i < int(m_werte.size())) m_bindung.Schreiben(m_werte[i]);
  });
}

void TDBRadioGroupMod::Binden(TADODataSetMod* liste, const QString& feld) {
  m_bindung.Binden(this, liste, feld, [this] { Anzeigen(); });
}

void TDBRadioGroupMod::Eintrag(const QString& text, const QVariant& wert) {
  auto* knopf = new QRadioButton(text, this);
  knopf->setAccessibleName(text);
  m_gruppe->addButton(knopf, int(m_werte.size()));
  m_layout->addWidget(knopf);
  m_werte.push_back(wert);
  Anzeigen();
}

QAbstractButton* TDBRadioGroupMod::Knopf(int i) const { return m_gruppe->button(i); }

int TDBRadioGroupMod::Gewaehlt() const { return m_gruppe->checkedId(); }

void TDBRadioGroupMod::Anzeigen() {
  const QVariant w = m_bindung.Wert();
  int gefunden = -1;
  for (int i = 0; i < int(m_werte.size()) && gefunden < 0 && !w.isNull(); ++i)
    if (TFeldBindung::Entspricht(w, m_werte[i])) gefunden = i;
  // No choice matches: none is shown as chosen.
  m_gruppe->setExclusive(false);
  for (int i = 0; i < int(m_werte.size()); ++i) m_gruppe->button(i)->setChecked(i == gefunden);
  m_gruppe->setExclusive(true);
  Umfaerben();
}

void TDBRadioGroupMod::setFehler_Faerben(TFehlerFaerben regel) {
  m_faerben = regel;
  Umfaerben();
}

void TDBRadioGroupMod::FarbeSetzen(const QColor& farbe) { HintergrundSetzen(this, QPalette::Window, farbe); }

void TDBRadioGroupMod::Umfaerben() {
  if (FeldFehlerhaft())
    FarbeSetzen(Eingabe::FarbeFehler);
  else
    setPalette(QPalette());
}

void TDBRadioGroupMod::PanelFehlerZeigen() { FarbeSetzen(Eingabe::FarbePanelFehler); }
