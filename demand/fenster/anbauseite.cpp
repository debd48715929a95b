#include "anbauseite.h"

#include "adopanel.h"
#include "anbauregeln.h"
#include "dataset.h"
#include "dbauswahl.h"
#include "dbeditmod.h"
#include "formular.h"
#include "kulturdaten.h"
#include "listenansicht.h"
#include "meldungen.h"

#include <QColor>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;
using Formular::Auswahl;
using Formular::Feld;
using Formular::Haken;

namespace {

const QColor Folgejahr{255, 240, 180};

}  // namespace

TAnbauSeite::TAnbauSeite(TBedarfsdaten& daten, QWidget* eltern) : TBedarfsseite(daten, u"Anbau"_s, eltern) {
  TADODataSetMod* anbau = daten.kulturen;
  auto* h = new QHBoxLayout(this);
  auto* links = new QVBoxLayout;
  links->addWidget(SchlagRaster(), 1);
  links->addWidget(Legende(u"Unvollständig ausgefüllte Schläge mit fehlenden Pflichteingaben sind rot markiert."_s));
  links->addWidget(FehlendZeile());
  auto* kulturen = new TListenAnsicht(*anbau, {{u"Jahr"_s, u"Jahr"_s},
                                               {u"SchlagNr"_s, u"SchlagNr"_s},
                                               {u"SchlagName"_s, u"SchlagName"_s},
                                               {u"Parzelle"_s, u"Parzelle"_s},
                                               {u"Kultur"_s, u"Kultur nach DüV"_s},
                                               {u"ErtragText"_s, u"Ertrag"_s},
                                               {u"VorfruchtText"_s, u"Vorfrucht"_s},
                                               {u"NitratgebietText"_s, u"Nitratgebiet"_s},
                                               {u"FruchtNr"_s, u"FruchtNr"_s}});
  kulturen->setAccessibleName(u"Kulturen"_s);
  kulturen->setZeilenfarbe([anbau, jahr = daten.jahr](int z) {
    return anbau->Wert(z, anbau->FeldIndex(u"Jahr"_s)).toInt() > jahr ? QVariant(Folgejahr) : QVariant();
  });
  links->addWidget(kulturen, 1);
  links->addWidget(new QLabel(u"Kulturen des Folgejahres sind gelb hinterlegt."_s));
  auto* k1 = new QHBoxLayout;
  k1->addWidget(Knopf(u"Kultur anlegen"_s,
                      u"Hauptfrucht oder weitere im selben Jahr nach der ausgewählten Hauptfrucht auf der gleichen "
                      "Fläche angebaute Kultur hinzufügen."_s,
                      [this] { KulturAnlegen(); }));
  k1->addWidget(Knopf(u"Zwischenfrucht anlegen"_s, u"Legt die Zwischenfrucht VOR der Hauptkultur an."_s,
                      [this] { ZwischenfruchtAnlegen(); }));
  k1->addWidget(Knopf(u"Kultur löschen"_s, {}, [this] { KulturLoeschen(); }));
  k1->addWidget(Knopf(u"Vorauswahl"_s, u"Vorauswahl der benötigten Kulturen."_s, [this] { emit VorauswahlVerlangt(); }));
  links->addLayout(k1);
  // Each "merken" above its "setzen", so that the row fits beside the panel.
  auto* k2 = new QGridLayout;
  // Built row by row, so that Tab goes along the rows.
  k2->addWidget(Knopf(u"Frucht merken"_s, {}, [this] { FruchtMerken(); }), 0, 0);
  k2->addWidget(Knopf(u"Vorfrucht merken"_s, {}, [this] { VorfruchtMerken(); }), 0, 1);
  k2->addWidget(Knopf(u"Zwischenfrucht merken"_s, {}, [this] { ZwischenfruchtMerken(); }), 0, 2);
  k2->addWidget(m_fruchtSetzen = Knopf(u"Frucht setzen"_s, {}, [this] { FruchtSetzen(); }), 1, 0);
  k2->addWidget(m_vorfruchtSetzen = Knopf(u"Vorfrucht setzen"_s, {}, [this] { VorfruchtSetzen(); }), 1, 1);
  k2->addWidget(m_zfSetzen = Knopf(u"Zwischenfrucht setzen"_s, {}, [this] { ZwischenfruchtSetzen(); }), 1, 2);
  for (QPushButton* k : {m_fruchtSetzen, m_vorfruchtSetzen, m_zfSetzen}) k->setEnabled(false);
  links->addLayout(k2);
  // The grids take the width the panel does not need: they have the long names.
  h->addLayout(links, 1);

  m_panel = new TADOPanel;
  m_panel->setDataSet(anbau);
  m_panel->setMeldungen(&m_meldungen);
  m_panel->setAccessibleName(u"Kultur"_s);
  auto* pl = new QVBoxLayout(m_panel);
  m_fruchtart = new QTabWidget;
  m_fruchtart->setAccessibleName(u"Fruchtart"_s);
  m_fruchtart->tabBar()->setAccessibleName(u"Fruchtart"_s);
  auto* hf = new QWidget;
  hf->setAccessibleName(u"Hauptfrucht"_s);
  auto* f = m_hfForm = new QFormLayout(hf);
  m_kultur = Auswahl(f, anbau, u"HauptfruchtNummer"_s, u"Hauptfrucht *"_s, {}, true);
  connect(m_kultur, &QComboBox::activated, this, &TAnbauSeite::KulturGewaehlt);
  m_einzelertrag = Feld(f, anbau, u"Einzelertrag"_s, u"Ertrag *"_s, 1, true);
  m_vorfrucht = Auswahl(f, anbau, u"Vorfrucht"_s, u"Vorfrucht"_s, {});
  connect(m_vorfrucht, &QComboBox::activated, this, &TAnbauSeite::VorfruchtGewaehlt);
  m_folie = Haken(f, anbau, u"IsFolie"_s, u"unter Folie"_s);
  m_ganzePflanze = Haken(f, anbau, u"VorfruchtGanzePflanzeAbgefahren"_s,
                         u"bei Vorfrucht ganze Pflanze geerntet (z.B. maschinelle Porreeernte)"_s);
  // The vegetable previous-crop deduction counts a third when sampling follows
  // at least four weeks after the previous crop was worked in.
  m_einMonatVorher = Haken(f, anbau, u"Is1MonatVorher"_s, u"Nmin-Probenahme mind. 4 Wochen nach Einarbeitung der Vorfrucht"_s);
  m_legAnteil = Feld(f, anbau, u"Leguminosenanteil"_s, u"Ertragsanteil Leguminosen (nicht für Ackergras)"_s, 0);
  // A share beyond its bounds is set to the bound with a message.
  m_legAnteil->setMinwert(0);
  m_legAnteil->setMaxWert(100);
  m_legAnteil->setIsGrossKleinTest(TMinMaxTest::Max_MKor_Min_MKor);
  m_legAnteil->setIsZuGrossString(u"Leguminosenanteil außerhalb des zulässigen Bereichs"_s);
  m_rohprotein = Feld(f, anbau, u"TatsRohprotein"_s,
                      u"tatsächlicher Rohproteingehalt 5-jähriges Mittel   (nur bei Vorliegen eigener "
                      "Untersuchungsergebnisse)"_s,
                      1);
  // An own lab value outside the usual 8 to 40 % is asked about, not refused.
  m_rohprotein->setMinwert(8);
  m_rohprotein->setMaxWert(40);
  m_rohprotein->setIsGrossKleinTest(TMinMaxTest::Max_Frag_Min_Frag);
  m_fruchtart->addTab(hf, u"Hauptfrucht"_s);
  auto* zf = new QWidget;
  zf->setAccessibleName(u"Zwischenfrucht"_s);
  auto* zfForm = new QFormLayout(zf);
  m_zwischenfrucht = Auswahl(zfForm, anbau, u"HauptfruchtNummer"_s, u"Zwischenfrucht *"_s, {}, true);
  connect(m_zwischenfrucht, &QComboBox::activated, this, &TAnbauSeite::ZwischenfruchtGewaehlt);
  m_fruchtart->addTab(zf, u"Zwischenfrucht"_s);
  pl->addWidget(m_fruchtart);
  auto* ok = new QFormLayout;
  Formular::OkAbbruch(ok);
  pl->addLayout(ok);
  pl->addStretch();
  connect(m_panel, &TADOPanel::Betreten, this, [this, anbau] {
    // Crop rows are added only through the buttons.
    if (anbau->Zustand() == TADODataSetMod::TZustand::Einfuegen && !m_kulturNeu) anbau->Abbrechen();
  });
  h->addWidget(m_panel, 0);
  // The choices take the panel's whole width for a crop's long name.
  for (QComboBox* c : m_panel->findChildren<QComboBox*>())
    c->setSizePolicy(QSizePolicy::Expanding, c->sizePolicy().verticalPolicy());

  connect(anbau, &TADODataSetMod::PositionGeaendert, this, &TAnbauSeite::Sichtbarkeit);
  connect(anbau, &TADODataSetMod::ZustandGeaendert, this, &TAnbauSeite::Sichtbarkeit);
  connect(anbau, &TADODataSetMod::Zurueckgesetzt, this, &TAnbauSeite::Sichtbarkeit);
}

void TAnbauSeite::KulturlistenLaden() {
  const auto fuellen = [](TDBComboBoxMod* c, const Kulturdaten::TWerte& eintraege, bool leer) {
    const QSignalBlocker sperre(c);
    c->clear();
    if (leer) c->Eintrag(QString(), 0);
    for (const auto& [text, wert] : eintraege) c->Eintrag(text, wert);
    c->Anzeigen();
  };
  const Kulturdaten::TWerte kulturen = Kulturdaten::Kulturen(m_db, m_daten.betrieb);
  fuellen(m_kultur, kulturen, false);
  fuellen(m_vorfrucht, kulturen, true);
  fuellen(m_zwischenfrucht, Kulturdaten::Zwischenfruechte(m_db), false);
}

void TAnbauSeite::KulturenOeffnen() {
  const TADODataSetMod& schlag = *m_daten.schlaege;
  Liste().SpeichernWennGeaendert();
  Kulturdaten::FuerParzelle(Liste(), schlag.Position() >= 0 ? schlag.Wert(u"Parzelle"_s) : QVariant(0));
  Liste().Oeffnen();
  Sichtbarkeit();
}

void TAnbauSeite::Sichtbarkeit() {
  const TADODataSetMod& anbau = Liste();
  const TADODataSetMod& schlag = *m_daten.schlaege;
  const bool zeile = anbau.IstOffen() && anbau.Position() >= 0;
  const int gruppe = zeile ? anbau.Wert(u"KulturGruppe"_s).toInt() : 0;
  const bool gruenland = (schlag.Position() >= 0 && schlag.Wert(u"NutzungsForm"_s).toInt() == 2) || gruppe == 2;
  m_hfForm->setRowVisible(m_folie, gruppe == 3);
  m_hfForm->setRowVisible(m_ganzePflanze, gruppe == 3);
  m_hfForm->setRowVisible(m_einMonatVorher, gruppe == 3);
  m_hfForm->setRowVisible(m_legAnteil, gruenland);
  m_hfForm->setRowVisible(m_rohprotein, gruenland);
  m_hfForm->setRowVisible(m_einzelertrag, zeile && anbau.Wert(u"IsEinzelErtrag"_s).toInt() != 0);
  const bool zf = zeile && anbau.Wert(u"FruchtNr"_s).toInt() == 0;
  m_fruchtart->setTabEnabled(1, zf);
  m_fruchtart->setTabEnabled(0, !zf);
  m_fruchtart->setCurrentIndex(zf ? 1 : 0);
}

bool TAnbauSeite::Pruefen() { return m_panel->Pruefen(); }

void TAnbauSeite::NachDemSpeichern(TADODataSetMod& l) {
  m_kulturNeu = false;
  Kulturdaten::NachDemSpeichern(m_db, l, m_daten.betrieb);
  const qint64 id = l.Wert(u"ID"_s).toLongLong();
  l.Aktualisieren();
  l.Suchen(id);
  // The rules changed the field's crop summary: the field list shows it anew.
  TADODataSetMod& schlag = *m_daten.schlaege;
  const qint64 schlagId = schlag.Position() >= 0 ? schlag.Wert(u"ID"_s).toLongLong() : 0;
  if (schlag.Zustand() == TADODataSetMod::TZustand::Blaettern) {
    m_daten.SchlaegeNeuLesen();
    const QScopedValueRollback sperre(m_daten.neuberechnung, true);
    if (schlagId) schlag.Suchen(schlagId);
  }
}

// --- crop rows ------------------------------------------------------------------------

void TAnbauSeite::KulturAnlegen() {
  TADODataSetMod& schlag = *m_daten.schlaege;
  TADODataSetMod& anbau = Liste();
  const int jahr = m_daten.jahr;
  if (schlag.IstLeer() || schlag.Position() < 0) return;
  emit AnlegenVerlangt();
  const int parzelle = schlag.Wert(u"Parzelle"_s).toInt();
  const int hoechste = Anbauregeln::HoechsteFruchtNr(m_db, m_daten.betrieb, jahr, parzelle);
  // The last row of the year: the new crop follows it.
  int letzte = -1;
  const int j = anbau.FeldIndex(u"Jahr"_s), fr = anbau.FeldIndex(u"FruchtNr"_s);
  for (int z = 0; z < anbau.Anzahl(); ++z)
    if (anbau.Wert(z, j).toInt() <= jahr && (letzte < 0 || anbau.Wert(z, fr).toInt() >= anbau.Wert(letzte, fr).toInt()))
      letzte = z;
  if (letzte >= 0) {
    anbau.Gehe(letzte);
    schlag.setWert(u"VFEinzelertrag"_s, Ganz(anbau.Wert(u"TatsErtrag"_s)));
    schlag.setWert(u"Vorfrucht"_s, anbau.Wert(u"HauptfruchtNummer"_s));
    const QScopedValueRollback sperre(m_daten.neuberechnung, true);
    schlag.SpeichernWennGeaendert();
  }
  const int fruchtNr = std::max(hoechste, 0) + 1;
  m_kulturNeu = true;
  anbau.Anfuegen();
  anbau.setWert(u"BetriebsNr"_s, m_daten.betrieb);
  anbau.setWert(u"Jahr"_s, jahr);
  anbau.setWert(u"Parzelle"_s, parzelle);
  anbau.setWert(u"IsFolie"_s, 0);
  anbau.setWert(u"FruchtNr"_s, fruchtNr);
  const int vorfrucht = Anbauregeln::VorfruchtVorschlag(m_db, m_daten.betrieb, jahr, parzelle, fruchtNr);
  if (vorfrucht > 100) {
    anbau.setWert(u"Vorfrucht"_s, vorfrucht);
    anbau.setWert(u"VorfruchtText"_s, Kulturdaten::Kulturname(m_db, m_daten.betrieb, vorfrucht));
  }
  Sichtbarkeit();
  m_kultur->setFocus(Qt::OtherFocusReason);
}

void TAnbauSeite::ZwischenfruchtAnlegen() {
  const TADODataSetMod& schlag = *m_daten.schlaege;
  TADODataSetMod& anbau = Liste();
  if (schlag.IstLeer() || schlag.Position() < 0) return;
  emit AnlegenVerlangt();
  const int parzelle = schlag.Wert(u"Parzelle"_s).toInt();
  const qint64 id = Kulturdaten::ZwischenfruchtZeile(m_db, {m_daten.betrieb, m_daten.jahr, parzelle});
  if (id) {
    anbau.Suchen(id);
    anbau.Bearbeiten();
  } else {
    m_kulturNeu = true;
    anbau.Anfuegen();
    anbau.setWert(u"BetriebsNr"_s, m_daten.betrieb);
    anbau.setWert(u"Jahr"_s, m_daten.jahr);
    anbau.setWert(u"Parzelle"_s, parzelle);
    anbau.setWert(u"FruchtNr"_s, 0);
  }
  Sichtbarkeit();
  m_zwischenfrucht->setFocus(Qt::OtherFocusReason);
}

void TAnbauSeite::KulturGewaehlt() {
  TADODataSetMod& anbau = Liste();
  if (anbau.Position() < 0) return;
  const Kulturdaten::TSchlagJahr schlag{m_daten.betrieb, anbau.Wert(u"Jahr"_s).toInt(), anbau.Wert(u"Parzelle"_s).toInt()};
  const Kulturdaten::TWerte werte = Kulturdaten::Hauptfrucht(m_db, schlag, anbau.Wert(u"HauptfruchtNummer"_s));
  if (werte.empty()) return;
  for (const auto& [spalte, wert] : werte) anbau.setWert(spalte, wert);
  Sichtbarkeit();
}

void TAnbauSeite::VorfruchtGewaehlt() {
  TADODataSetMod& anbau = Liste();
  if (anbau.Position() < 0) return;
  const Kulturdaten::TVorfrucht vorfrucht = Kulturdaten::Vorfrucht(m_db, m_daten.betrieb, anbau.Wert(u"Vorfrucht"_s));
  anbau.setWert(u"VorfruchtText"_s, vorfrucht.text);
  anbau.setWert(u"VorfruchtErtrag"_s, vorfrucht.ertrag);
  if (anbau.Wert(u"Jahr"_s).toInt() == m_daten.jahr)
    Kulturdaten::VorfruchtInSchlag(m_db, {m_daten.betrieb, m_daten.jahr, anbau.Wert(u"Parzelle"_s).toInt()},
                                   anbau.Wert(u"FruchtNr"_s).toInt(), anbau.Wert(u"Vorfrucht"_s), vorfrucht);
}

void TAnbauSeite::ZwischenfruchtGewaehlt() {
  TADODataSetMod& anbau = Liste();
  if (anbau.Position() < 0) return;
  const QString text = Kulturdaten::ZwischenfruchtText(m_db, anbau.Wert(u"HauptfruchtNummer"_s));
  anbau.setWert(u"Kultur"_s, text);
  Kulturdaten::ZwischenfruchtInSchlag(
      m_db, {m_daten.betrieb, anbau.Wert(u"Jahr"_s).toInt(), anbau.Wert(u"Parzelle"_s).toInt()}, text);
}

void TAnbauSeite::KulturLoeschen() {
  TADODataSetMod& anbau = Liste();
  if (anbau.IstLeer() || anbau.Position() < 0) return;
  const int parzelle = anbau.Wert(u"Parzelle"_s).toInt(), jahr = anbau.Wert(u"Jahr"_s).toInt();
  if (m_meldungen.Frage(u"Kultur wirklich löschen?"_s)) {
    const bool neu = anbau.Zustand() == TADODataSetMod::TZustand::Einfuegen;
    const qint64 id = anbau.Wert(u"ID"_s).toLongLong();
    anbau.Abbrechen();
    m_kulturNeu = false;
    if (!neu) Anbauregeln::KulturLoeschen(m_db, id);
  }
  Anbauregeln::SchlagZusammenfassung(m_db, m_daten.betrieb, jahr, parzelle);
  m_daten.SchlaegeNeuLesen();
  KulturenOeffnen();
}

void TAnbauSeite::FruchtMerken() {
  const TADODataSetMod& anbau = Liste();
  if (anbau.Position() < 0) return;
  if (anbau.Wert(u"HauptfruchtNummer"_s).toInt() > 0)
    m_frucht = std::pair(anbau.Wert(u"HauptfruchtNummer"_s), QVariant(Ganz(anbau.Wert(u"Einzelertrag"_s))));
  m_fruchtSetzen->setEnabled(m_frucht.has_value());
}

void TAnbauSeite::FruchtSetzen() {
  if (!m_frucht || Liste().Position() < 0) return;
  Liste().setWert(u"HauptfruchtNummer"_s, m_frucht->first);
  KulturGewaehlt();
  Liste().setWert(u"Einzelertrag"_s, m_frucht->second);
}

void TAnbauSeite::VorfruchtMerken() {
  if (Liste().Position() < 0) return;
  m_vorfruchtGemerkt = std::pair(Liste().Wert(u"Vorfrucht"_s), Liste().Wert(u"VorfruchtText"_s));
  m_vorfruchtSetzen->setEnabled(true);
}

void TAnbauSeite::VorfruchtSetzen() {
  if (!m_vorfruchtGemerkt || Liste().Position() < 0) return;
  Liste().setWert(u"Vorfrucht"_s, m_vorfruchtGemerkt->first);
  VorfruchtGewaehlt();
}

void TAnbauSeite::ZwischenfruchtMerken() {
  if (Liste().Position() < 0 || Liste().Wert(u"FruchtNr"_s).toInt() != 0) return;
  m_zf = std::pair(Liste().Wert(u"HauptfruchtNummer"_s), Liste().Wert(u"Kultur"_s));
  m_zfSetzen->setEnabled(true);
}

void TAnbauSeite::ZwischenfruchtSetzen() {
  TADODataSetMod& anbau = Liste();
  if (!m_zf) return;
  if (anbau.IstLeer() && anbau.Zustand() != TADODataSetMod::TZustand::Einfuegen) return;
  anbau.setWert(u"HauptfruchtNummer"_s, m_zf->first);
  anbau.setWert(u"Kultur"_s, m_zf->second);
}
