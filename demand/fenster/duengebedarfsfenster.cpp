#include "duengebedarfsfenster.h"

#include "fenstergroesse.h"
#include "anbauseite.h"
#include "dataset.h"
#include "herbstseite.h"
#include "bedarfskarte.h"
#include "formular.h"
#include "kulturdaten.h"
#include "meldungen.h"
#include "phosphorseite.h"
#include "schlagdaten.h"
#include "schlagseite.h"
#include "stickstoffseite.h"
#include "taschenrechner.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <utility>

using namespace Qt::StringLiterals;

TDuengebedarfsfenster::TDuengebedarfsfenster(TADOModConnection& db, TMeldungen& meldungen, int betriebsNr, int jahr,
                                             QWidget* eltern)
    : QDialog(eltern), m_daten{db, meldungen, betriebsNr, jahr} {
  setAccessibleName(u"Düngebedarfsermittlung"_s);
  setWindowTitle(u"Düngebedarfsermittlung"_s);

  // The two lists several pages show; they go before the pages when the window goes.
  // Their rows are added only through the pages' buttons, never by entering an empty panel.
  TADODataSetMod* schlag = m_daten.schlaege = new TADODataSetMod(db, this);
  schlag->setImplizitAnfuegen(false);
  Schlagdaten::ListeDesJahres(*schlag, betriebsNr, jahr);
  schlag->VorDemSpeichern = [this](TADODataSetMod& l) {
    if (!m_schlagSeite->SpeichernPruefen()) return false;
    Schlagdaten::VorDemSpeichern(m_daten.db, l, m_daten.betrieb);
    return true;
  };
  schlag->NachDemSpeichern = [this](TADODataSetMod& l) {
    m_schlagSeite->NachDemSpeichern(l, m_seiten->currentIndex() == SeiteSchlag);
  };
  schlag->BeimNeuenDatensatz = [this](TADODataSetMod& l) {
    Schlagdaten::Vorgaben(m_daten.db, l, m_daten.betrieb, m_daten.jahr);
  };
  TADODataSetMod* anbau = m_daten.kulturen = new TADODataSetMod(db, this);
  anbau->setImplizitAnfuegen(false);
  anbau->BerechnetesFeld(u"SchlagNr"_s, [schlag](const TADODataSetMod&, int) { return schlag->Wert(u"SchlagNr"_s); });
  anbau->BerechnetesFeld(u"SchlagName"_s, [schlag](const TADODataSetMod&, int) { return schlag->Wert(u"SchlagName"_s); });
  Kulturdaten::ListeDesSchlags(*anbau, betriebsNr, jahr);
  anbau->VorDemSpeichern = [this](TADODataSetMod& l) {
    Kulturdaten::VorDemSpeichern(m_daten.db, l, m_daten.betrieb);
    return true;
  };
  anbau->NachDemSpeichern = [this](TADODataSetMod& l) { m_anbauSeite->NachDemSpeichern(l); };

  auto* haupt = new QVBoxLayout(this);
  m_seiten = new QTabWidget(this);
  m_seiten->setAccessibleName(u"Seiten"_s);
  m_seiten->tabBar()->setAccessibleName(u"Seiten"_s);
  haupt->addWidget(m_seiten, 1);
  m_schlagSeite = new TSchlagSeite(m_daten);
  m_anbauSeite = new TAnbauSeite(m_daten);
  m_stickstoffSeite = new TStickstoffSeite(m_daten);
  m_phosphorSeite = new TPhosphorSeite(m_daten);
  m_herbstSeite = new THerbstSeite(m_daten, Herbstduengung::TSeite::Herbst);
  m_herbstRGSeite = new THerbstSeite(m_daten, Herbstduengung::TSeite::Nitratgebiet, m_herbstSeite);
  m_kartenSeite = new TBedarfskarte(m_daten);
  for (TBedarfsseite* s : AlleSeiten()) m_seiten->addTab(s, s->Titel());
  m_seiten->setTabEnabled(SeiteHerbstRG, Herbstduengung::SeiteVerfuegbar(Herbstduengung::TSeite::Nitratgebiet, jahr));
  QHBoxLayout* unten = UntereLeiste();
  haupt->addLayout(unten);
  SeitenVerbinden();
  BreiteBegrenzen();
  // Tab follows the screen: the page tabs, the page shown (its grid and the
  // buttons under it, then its panel from top to bottom), the row below.
  std::vector<QWidget*> folge{m_seiten->tabBar()};
  for (int i = 0; i < m_seiten->count(); ++i) folge.push_back(m_seiten->widget(i));
  for (int i = 0; i < unten->count(); ++i)
    if (QWidget* w = unten->itemAt(i)->widget()) folge.push_back(w);
  Formular::TabFolge(folge);
  // Before the first show: the rows a field or crop row asks for are hidden
  // until there is one, so they do not widen the window.
  m_schlagSeite->Sichtbarkeit();
  // As wide as a laptop screen: the grids hold long field and crop names.
  Fenstergroesse::Setzen(this, {1366, 800});
}

void TDuengebedarfsfenster::BreiteBegrenzen() {
  // Long crop names and choice texts would make the window wider than the
  // screen: choices show their start (the list shows them whole), long
  // captions break into lines.
  for (QComboBox* c : findChildren<QComboBox*>()) {
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c->setMinimumContentsLength(16);
    // The box keeps the minimum width it worked out from its entries until its style changes.
    QEvent stil(QEvent::StyleChange);
    QApplication::sendEvent(c, &stil);
  }
  for (QFormLayout* form : findChildren<QFormLayout*>())
    for (int z = 0; z < form->rowCount(); ++z)
      if (auto* titel = form->itemAt(z, QFormLayout::LabelRole) ? qobject_cast<QLabel*>(form->itemAt(z, QFormLayout::LabelRole)->widget()) : nullptr;
          titel && titel->text().size() > 60)
        titel->setWordWrap(true);
  // The layouts keep the sizes they asked for before; they ask again.
  for (QWidget* w : findChildren<QWidget*>()) w->updateGeometry();
}

TDuengebedarfsfenster::~TDuengebedarfsfenster() {
  if (m_offen) AllesSpeichern();
  m_offen = false;  // the pages going with the window change no list
}

std::vector<TBedarfsseite*> TDuengebedarfsfenster::AlleSeiten() const {
  return {m_schlagSeite,  m_anbauSeite,    m_stickstoffSeite, m_phosphorSeite,
          m_herbstSeite, m_herbstRGSeite, m_kartenSeite};
}

QHBoxLayout* TDuengebedarfsfenster::UntereLeiste() {
  auto* unten = new QHBoxLayout;
  auto* suchLabel = new QLabel(u"Suchen"_s);
  m_suche = new QLineEdit;
  m_suche->setAccessibleName(u"Suchen"_s);
  suchLabel->setBuddy(m_suche);
  connect(m_suche, &QLineEdit::returnPressed, this, [this] { Suchen(m_suche->text()); });
  unten->addWidget(suchLabel);
  unten->addWidget(m_suche);
  unten->addStretch();
  const auto knopf = [&](const QString& text, std::function<void()> aktion) {
    auto* k = new QPushButton(text);
    k->setAccessibleName(text);
    k->setAutoDefault(false);
    unten->addWidget(k);
    connect(k, &QPushButton::clicked, this, std::move(aktion));
  };
  knopf(u"Taschenrechner"_s, [this] { RechnerZeigen(); });
  knopf(u"Bildschirmdruck"_s, [this] {
    if (Bildschirmdruck) Bildschirmdruck(this);
  });
  knopf(u"Hauptmenü"_s, [this] { accept(); });
  // A click leaves the focus where it is: closing asks about input that
  // cannot be saved, instead of the panel refusing it on the way.
  unten->itemAt(unten->count() - 1)->widget()->setFocusPolicy(Qt::TabFocus);
  return unten;
}

void TDuengebedarfsfenster::SeitenVerbinden() {
  connect(m_seiten, &QTabWidget::currentChanged, this, &TDuengebedarfsfenster::SeiteGewechselt);
  for (TBedarfsseite* s : AlleSeiten()) {
    connect(s, &TBedarfsseite::ZeigenVerlangt, this, [this, s] {
      if (m_seiten->currentWidget() != s) m_seiten->setCurrentWidget(s);
    });
    connect(s, &TBedarfsseite::AnlegenVerlangt, this, [this, s] { ZumAnlegen(s); });
    connect(s, &TBedarfsseite::SpeichernVerlangt, this, &TDuengebedarfsfenster::AllesSpeichern);
  }
  // The crop rows follow the current field, unless the program moves the field list itself.
  TADODataSetMod* schlag = m_daten.schlaege;
  connect(schlag, &TADODataSetMod::PositionGeaendert, this, [this] {
    if (!m_daten.neuberechnung) m_anbauSeite->KulturenOeffnen();
    m_schlagSeite->Sichtbarkeit();
  });
  connect(schlag, &TADODataSetMod::Zurueckgesetzt, m_schlagSeite, &TSchlagSeite::Sichtbarkeit);
  connect(m_schlagSeite, &TSchlagSeite::SichtbarkeitGeaendert, m_anbauSeite, &TAnbauSeite::Sichtbarkeit);
  connect(m_schlagSeite, &TSchlagSeite::KulturenNeuLaden, m_anbauSeite, &TAnbauSeite::KulturenOeffnen);
  connect(m_anbauSeite, &TAnbauSeite::VorauswahlVerlangt, this, &TDuengebedarfsfenster::Vorauswahl);
  connect(m_stickstoffSeite, &TStickstoffSeite::SchlagZeigen, this, &TDuengebedarfsfenster::SchlagZeigen);
  connect(m_stickstoffSeite, &TStickstoffSeite::KulturZeigen, this, &TDuengebedarfsfenster::KulturZeigen);
  connect(m_phosphorSeite, &TPhosphorSeite::SchlagZeigen, this, &TDuengebedarfsfenster::SchlagZeigen);
  connect(m_phosphorSeite, &TPhosphorSeite::KulturZeigen, this, &TDuengebedarfsfenster::KulturZeigen);
}

// --- opening and closing --------------------------------------------------------

bool TDuengebedarfsfenster::Oeffnen() {
  if (m_offen) return true;
  setWindowTitle(u"Düngebedarfsermittlung:  "_s + Schlagdaten::Betriebsname(m_daten.db, m_daten.betrieb) + u" / "_s +
                 QString::number(m_daten.jahr));
  for (TBedarfsseite* s : AlleSeiten()) s->Oeffnen();
  bool ok = false;
  {
    const QScopedValueRollback sperre(m_daten.neuberechnung, true);
    ok = m_daten.schlaege->Oeffnen();
  }
  m_anbauSeite->KulturenOeffnen();
  m_offen = true;
  const QSignalBlocker sperre(m_seiten);
  m_seiten->setCurrentIndex(m_seite = SeiteSchlag);
  m_schlagSeite->Sichtbarkeit();
  return ok;
}

void TDuengebedarfsfenster::showEvent(QShowEvent* ereignis) {
  Oeffnen();
  QDialog::showEvent(ereignis);
}

void TDuengebedarfsfenster::keyPressEvent(QKeyEvent* ereignis) {
  // Escape takes back an input; it does not close the window.
  if (ereignis->key() == Qt::Key_Escape) {
    ereignis->accept();
    return;
  }
  QDialog::keyPressEvent(ereignis);
}

bool TDuengebedarfsfenster::SchliessenErlaubt() {
  const auto offen = [](const TADODataSetMod* l) {
    return l->Zustand() == TADODataSetMod::TZustand::Bearbeiten || l->Zustand() == TADODataSetMod::TZustand::Einfuegen;
  };
  QString frage = m_schlagSeite->Speicherhindernis();
  if (frage.isEmpty()) {
    AllesSpeichern();
    bool alles = !offen(m_daten.schlaege) && !offen(m_daten.kulturen);
    for (TBedarfsseite* s : AlleSeiten()) alles = alles && s->Speichern();
    if (alles) return true;
    frage = u"Nicht alle Eingaben konnten gespeichert werden."_s;
  }
  if (!m_daten.meldungen.Frage(frage + u"\n\nFenster trotzdem schließen? Die nicht gespeicherten Eingaben gehen dabei "
                                        "verloren."_s)) {
    if (offen(m_daten.schlaege)) {
      if (m_seiten->currentIndex() != SeiteSchlag) m_seiten->setCurrentIndex(SeiteSchlag);
      m_schlagSeite->ParzelleZeigen();
    }
    return false;
  }
  // What cannot be saved goes; the rest is saved as far as it can be.
  m_daten.schlaege->Abbrechen();
  if (!m_daten.kulturen->SpeichernWennGeaendert()) m_daten.kulturen->Abbrechen();
  for (TBedarfsseite* s : AlleSeiten()) s->Speichern();
  return true;
}

void TDuengebedarfsfenster::done(int ergebnis) {
  if (m_offen) {
    // Saved, or dropped after the question.
    if (!SchliessenErlaubt()) return;
    m_daten.schlaege->Schliessen();
    m_daten.kulturen->Schliessen();
    for (TBedarfsseite* s : AlleSeiten()) s->Schliessen();
    m_offen = false;
  }
  QDialog::done(ergebnis);
}

void TDuengebedarfsfenster::AllesSpeichern() {
  m_daten.schlaege->SpeichernWennGeaendert();
  m_daten.kulturen->SpeichernWennGeaendert();
  for (TBedarfsseite* s : AlleSeiten()) s->Speichern();
}

// --- pages ------------------------------------------------------------------------

void TDuengebedarfsfenster::SeiteGewechselt(int seite) {
  auto* verlassen = qobject_cast<TBedarfsseite*>(m_seiten->widget(std::exchange(m_seite, seite)));
  if (!m_offen || m_seitenwechsel) return;
  AllesSpeichern();
  TADODataSetMod& schlag = *m_daten.schlaege;
  if (seite != SeiteSchlag && schlag.Zustand() != TADODataSetMod::TZustand::Blaettern) {
    // The field could not be saved: the user stays with it.
    {
      const QScopedValueRollback sperre(m_seitenwechsel, true);
      m_seiten->setCurrentIndex(SeiteSchlag);
    }
    m_schlagSeite->ParzelleZeigen();
    return;
  }
  TADODataSetMod& anbau = *m_daten.kulturen;
  // The field and crop row to go on with: where the page left stands when
  // it has a list of its own, else where the window's lists stand.
  const auto stelle = verlassen ? verlassen->Stelle() : std::nullopt;
  if (seite >= SeiteStickstoff) {
    // The pages with lists of their own: the crop row of the current field,
    // the main crop when none of this year is chosen.
    qint64 id = 0;
    if (anbau.Position() >= 0 && anbau.Wert(u"FruchtNr"_s).toInt() >= 1 && anbau.Wert(u"Jahr"_s).toInt() == m_daten.jahr)
      id = anbau.Wert(u"ID"_s).toLongLong();
    const auto [parzelle, anbauId] = stelle.value_or(std::pair<int, qint64>(schlag.Wert(u"Parzelle"_s).toInt(), id));
    if (auto* ziel = qobject_cast<TBedarfsseite*>(m_seiten->widget(seite))) ziel->Zeigen(parzelle, anbauId);
  } else {
    const auto [parzelle, anbauId] = stelle.value_or(std::pair<int, qint64>(
        schlag.Wert(u"Parzelle"_s).toInt(), anbau.Position() >= 0 ? anbau.Wert(u"ID"_s).toLongLong() : 0));
    m_daten.SchlaegeNeuLesen();
    {
      const QScopedValueRollback sperre(m_daten.neuberechnung, true);
      m_daten.ZurParzelle(parzelle);
    }
    m_anbauSeite->KulturenOeffnen();
    if (anbauId) anbau.Suchen(anbauId);
  }
}

void TDuengebedarfsfenster::ZumAnlegen(TBedarfsseite* seite) {
  {
    const QScopedValueRollback sperre(m_seitenwechsel, true);
    m_seiten->setCurrentWidget(seite);
  }
  AllesSpeichern();
}

void TDuengebedarfsfenster::SchlagZeigen(int parzelle) {
  m_seiten->setCurrentIndex(SeiteSchlag);
  m_daten.ZurParzelle(parzelle);
  m_schlagSeite->Pruefen();
}

void TDuengebedarfsfenster::KulturZeigen(int parzelle, qint64 anbauId) {
  m_seiten->setCurrentIndex(SeiteAnbau);
  m_daten.ZurParzelle(parzelle);
  if (!anbauId) return;  // the field has no crop row yet: nothing to check
  m_daten.kulturen->Suchen(anbauId);
  m_anbauSeite->Pruefen();
}

// --- the row below the pages ------------------------------------------------------

void TDuengebedarfsfenster::Suchen(const QString& text) {
  TADODataSetMod& schlag = *m_daten.schlaege;
  if (text.trimmed().isEmpty() || schlag.IstLeer()) return;
  const int zeile = Schlagdaten::Suchen(schlag, text);
  if (zeile < 0)
    m_daten.meldungen.Piep();
  else
    schlag.Gehe(zeile);
}

void TDuengebedarfsfenster::Vorauswahl() {
  AllesSpeichern();
  if (VorauswahlOeffnen) VorauswahlOeffnen();
  m_anbauSeite->KulturlistenLaden();
}

void TDuengebedarfsfenster::RechnerZeigen() {
  if (!m_rechner) {
    m_rechner = new TTaschenrechner(TTaschenrechner::TArt::Kopieren, this);
    m_rechner->setAttribute(Qt::WA_DeleteOnClose);
  }
  m_rechner->show();
  m_rechner->raise();
}
