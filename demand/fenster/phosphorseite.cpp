#include "phosphorseite.h"

#include "adopanel.h"
#include "bedarfsblaetter.h"
#include "bedarfsdruck.h"
#include "befehle.h"
#include "dataset.h"
#include "dbauswahl.h"
#include "dbeditmod.h"
#include "formular.h"
#include "listenansicht.h"
#include "meldungen.h"
#include "phosphorliste.h"
#include "schlagdaten.h"

#include <QColor>
#include <QDate>
#include <QDir>
#include <QEvent>
#include <QFont>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;
namespace P = Phosphorpruefung;
using P::THindernis;

namespace {

struct TZeilenart {
  QString titel, nummer, ertrag, abgefahren, entzug;
};
// Previous crop, main crop, follow crops, catch crops of the harvest year and the two follow years.
const TZeilenart Zeilenarten[] = {
    {u"Vorfrucht"_s, u"Vorfrucht"_s, u"VFEinzelertrag"_s, u"NPVFAbgefahren"_s, {}},
    {u"Hauptfrucht"_s, u"HauptfruchtNummer"_s, u"HFEinzelertrag"_s, u"NPAbgefahren"_s, u"PEntzugHF"_s},
    {u"Folgefrucht 1"_s, u"Folgefrucht_1"_s, u"FF1Einzelertrag"_s, u"NPFF_1Abgefahren"_s, u"PEntzugFF1"_s},
    {u"Folgefrucht 2"_s, u"Folgefrucht_2"_s, u"FF2Einzelertrag"_s, {}, u"PEntzugFF2"_s},
    {u"Zwischenfrucht Erntejahr"_s, u"ZFP0_NR"_s, u"ZFP0_ERTRAG"_s, {}, u"PEntzugZFP0"_s},
    {u"Zwischenfrucht 1. Folgejahr"_s, u"ZFP1_NR"_s, u"ZFP1_ERTRAG"_s, {}, u"PEntzugZFP1"_s},
    {u"Zwischenfrucht 2. Folgejahr"_s, u"ZFP2_NR"_s, u"ZFP2_ERTRAG"_s, {}, u"PEntzugZFP2"_s},
};

TDBEditMod* Anzeigefeld(TADODataSetMod* liste, const QString& spalte, const QString& name, int stellen) {
  auto* e = new TDBEditMod(liste, spalte);
  e->setRO(true);
  e->setGenauigkeit(stellen);
  e->setAccessibleName(name);
  return e;
}

}  // namespace

TPhosphorSeite::TPhosphorSeite(TBedarfsdaten& daten, QWidget* eltern) : TBedarfsseite(daten, u"Phosphor"_s, eltern) {
  TADODataSetMod* schlaege = daten.schlaege;
  auto* v = new QVBoxLayout(this);
  m_raster = new TListenAnsicht(*schlaege, {{u"Jahr"_s, u"Jahr"_s},
                                            {u"SchlagNr"_s, u"SchlagNr"_s},
                                            {u"SchlagName"_s, u"SchlagName"_s},
                                            {u"Feldblock"_s, u"Feldblock"_s},
                                            {u"Parzelle"_s, u"Parzelle"_s},
                                            {u"Groesse"_s, u"Größe (ha)"_s, 2},
                                            {u"Kultur"_s, u"aktuelle Kultur nach DüV entspr. Anbau"_s},
                                            {u"P_DuengeBedarf"_s, u"Düngebedarf (kg P/ha)"_s, 0},
                                            {u"P2O5_DuengeBedarf"_s, u"kg P2O5/ha"_s, 0},
                                            {u"NitratgebietText"_s, u"Nitratgebiet"_s}});
  m_raster->setAccessibleName(u"Schläge"_s);
  m_raster->setZeilenfarbe([schlaege](int z) {
    return Schlagdaten::Unvollstaendig(Schlagdaten::Werte(*schlaege, z)) ? QVariant(QColor(243, 176, 175)) : QVariant();
  });
  v->addWidget(m_raster, 1);
  // Below the list the buttons, and beside them the results.
  auto* mitteOben = new QHBoxLayout;
  auto* links = new QVBoxLayout;
  auto* knoepfe = new QHBoxLayout;
  knoepfe->addWidget(m_berechnen = Knopf(u"Berechnen"_s, {}, [this] { Berechnen(); }));
  knoepfe->addWidget(Knopf(u"Voriger"_s, {}, [this] { Voriger(); }));
  knoepfe->addWidget(Knopf(u"Nächster"_s, {}, [this] { Naechster(); }));
  knoepfe->addStretch();
  links->addLayout(knoepfe);
  auto* merken = new QHBoxLayout;
  merken->addWidget(Knopf(u"Datum/ Methode merken"_s, {}, [this] { DatumMethodeMerken(); }));
  merken->addWidget(m_setzen = Knopf(u"Datum/ Methode setzen"_s, {}, [this] { DatumMethodeSetzen(); }));
  merken->addStretch();
  links->addLayout(merken);
  auto* ausgabe = new QHBoxLayout;
  ausgabe->addWidget(m_drucken = Knopf(u"Ergebnis drucken"_s, {}, [this] { ErgebnisDrucken(); }));
  ausgabe->addWidget(m_alleDrucken = Knopf(u"Alle berechneten drucken"_s, {}, [this] { AlleBerechnetenDrucken(); }));
  ausgabe->addWidget(m_excel = Knopf(u"Excel-Export"_s, {}, [this] { ExcelExport(); }));
  ausgabe->addStretch();
  links->addLayout(ausgabe);
  m_setzen->setEnabled(false);
  links->addStretch();
  mitteOben->addLayout(links);
  mitteOben->addWidget(ErgebnisBauen(), 1);
  v->addLayout(mitteOben);

  m_panel = new TADOPanel;
  m_panel->setDataSet(schlaege);
  m_panel->setMeldungen(&m_meldungen);
  m_panel->setAccessibleName(u"Phosphor-Eingaben"_s);
  auto* pl = new QVBoxLayout(m_panel);
  m_ueberschrift = new QLabel;
  m_ueberschrift->setAccessibleName(u"Überschrift"_s);
  QFont f = m_ueberschrift->font();
  f.setBold(true);
  f.setPointSizeF(f.pointSizeF() * 1.2);
  m_ueberschrift->setFont(f);
  pl->addWidget(m_ueberschrift);
  auto* mitte = new QHBoxLayout;
  mitte->addWidget(BodenBauen(), 2);
  mitte->addWidget(KulturenBauen(), 3);
  pl->addLayout(mitte);
  auto* ok = new QHBoxLayout;
  ok->addStretch();
  for (int aktion : {TDBOKBitBtn::OK, TDBOKBitBtn::Abbruch}) {
    auto* k = new TDBOKBitBtn(aktion);
    k->setAutoDefault(false);
    ok->addWidget(k);
  }
  pl->addLayout(ok);
  v->addWidget(m_panel);
  connect(m_panel, &TADOPanel::Betreten, this, [this] {
    // Fields are added on the field page only.
    if (Liste().Zustand() == TADODataSetMod::TZustand::Einfuegen) {
      Liste().Abbrechen();
      m_raster->setFocus();
    }
  });

  for (auto signal : {&TADODataSetMod::PositionGeaendert, &TADODataSetMod::ZeileGeaendert})
    connect(schlaege, signal, this, &TPhosphorSeite::Anzeigen);
  connect(schlaege, &TADODataSetMod::Zurueckgesetzt, this, &TPhosphorSeite::Anzeigen);
}

QGroupBox* TPhosphorSeite::BodenBauen() {
  TADODataSetMod* schlaege = m_daten.schlaege;
  auto* box = new QGroupBox(u"Bodenuntersuchung"_s);
  box->setAccessibleName(u"Bodenuntersuchung"_s);
  auto* f = m_boden = new QFormLayout(box);
  m_methode = Formular::Auswahl(f, schlaege, u"P_Methode"_s, u"Analysemethode *"_s,
                                {{u"CAL"_s, 1}, {u"DL"_s, 2}, {u"EUF"_s, P::Euf}}, true);
  connect(m_methode, &QComboBox::activated, this, &TPhosphorSeite::MethodeGewaehlt);
  m_p2o5 = Formular::Feld(f, schlaege, u"P2O5_Gehalt"_s, u"P2O5-Gehalt (mg/100 g) *"_s, 2, true);
  m_p = Formular::Feld(f, schlaege, u"P_Gehalt"_s, u"P-Gehalt (mg/100 g) *"_s, 2, true);
  // Either content fills the other, as on the page "Schlag-Grunddaten".
  for (bool p2o5 : {true, false})
    connect(p2o5 ? m_p2o5 : m_p, &TEingabeFeld::Verlassen, this, [this, p2o5] {
      if (Liste().Position() >= 0 && (p2o5 ? m_p2o5 : m_p)->WertGeaendert()) P::GehaltEingegeben(Liste(), p2o5);
    });
  m_klasse = Formular::Feld(f, schlaege, u"P_GehaltsKlasse"_s, u"Gehaltsklasse"_s);
  m_klasse->setRO(true);
  auto* analyse = Formular::Feld(f, schlaege, u"P_AnalyseDatum"_s, u"Analysedatum *"_s);
  analyse->setDatenTyp(dtDatum);
  analyse->setFehler_Faerben(cnstFaerbenWennNull);
  // Not marked: "Berechnen" asks whether to take today's date.
  m_datum = Formular::Feld(f, schlaege, u"P_BerechnungsDatum"_s, u"Berechnungsdatum *"_s);
  m_datum->setDatenTyp(dtDatum);
  m_datum->setToolTip(u"Doppelklick für das heutige Datum."_s);
  m_datum->installEventFilter(this);
  connect(m_datum, &TEingabeFeld::Verlassen, this, &TPhosphorSeite::DatumVerlassen);
  auto* nutzung = Formular::Auswahl(f, schlaege, u"NutzungsForm"_s, u"Nutzungsform *"_s,
                                    {{u"Ackerland"_s, 1}, {u"Grünland"_s, 2}, {u"Brache"_s, 4}}, true);
  connect(nutzung, &QComboBox::activated, this, [this] {
    // Fallow is not fertilised.
    if (Liste().Wert(u"NutzungsForm"_s).toInt() == 4) Liste().setWert(u"KeineDuengung"_s, 1);
  });
  return box;
}

QGroupBox* TPhosphorSeite::KulturenBauen() {
  TADODataSetMod* schlaege = m_daten.schlaege;
  auto* box = new QGroupBox(u"Kulturen"_s);
  box->setAccessibleName(u"Kulturen"_s);
  auto* g = new QGridLayout(box);
  int spalte = 1;
  for (const QString& t :
       {u"Kultur"_s, u"Ertrag"_s, QString(), u"Nebenprodukt\nabgefahren"_s, u"P2O5-Entzug\n(kg/ha)"_s})
    g->addWidget(new QLabel(t), 0, spalte++, Qt::AlignBottom);
  for (int z = 0; z < AnzahlZeilen; ++z) {
    const TZeilenart& art = Zeilenarten[z];
    TKulturzeile& zeile = m_zeilen[z];
    zeile.nummer = art.nummer;
    auto* titel = new QLabel(art.titel + (z <= Hauptfrucht ? u" *"_s : QString()));
    g->addWidget(titel, z + 1, 0);
    zeile.wahl = new TDBComboBoxMod;
    zeile.wahl->setAccessibleName(art.titel);
    zeile.wahl->Binden(schlaege, art.nummer);
    zeile.wahl->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    zeile.wahl->setMinimumContentsLength(18);
    if (z <= Hauptfrucht) zeile.wahl->setFehler_Faerben(cnstFaerbenWenn0orLeer);
    titel->setBuddy(zeile.wahl);
    connect(zeile.wahl, &QComboBox::activated, this, [this, z] { Gewaehlt(z); });
    g->addWidget(zeile.wahl, z + 1, 1);
    zeile.ertrag = new TDBEditMod(schlaege, art.ertrag);
    zeile.ertrag->setAccessibleName(u"Ertrag "_s + art.titel);
    zeile.ertrag->setGenauigkeit(1);
    zeile.ertrag->setKeineNegativen(true);
    zeile.ertrag->setMaximumWidth(80);
    // The previous crop's yield is the crop's mean yield; the rules set it on every run.
    zeile.ertrag->setRO(z == Vorfrucht);
    g->addWidget(zeile.ertrag, z + 1, 2);
    zeile.einheit = new QLabel;
    zeile.einheit->setMinimumWidth(zeile.einheit->fontMetrics().horizontalAdvance(u"dt/ha FM"_s));
    g->addWidget(zeile.einheit, z + 1, 3);
    if (!art.abgefahren.isEmpty()) {
      auto* k = new TDBCheckBoxMod;
      k->setAccessibleName(u"Nebenprodukt "_s + art.titel + u" abgefahren"_s);
      k->Binden(schlaege, art.abgefahren);
      g->addWidget(k, z + 1, 4, Qt::AlignHCenter);
    }
    if (!art.entzug.isEmpty()) {
      auto* e = Anzeigefeld(schlaege, art.entzug, u"P2O5-Entzug "_s + art.titel, 1);
      e->setMaximumWidth(80);
      g->addWidget(e, z + 1, 5);
    }
    if (z >= Folge1) {
      auto* x = Knopf(u"X"_s, art.titel + u" löschen."_s, [this, z] { Loeschen(z); });
      x->setAccessibleName(art.titel + u" löschen"_s);
      x->setMaximumWidth(x->fontMetrics().horizontalAdvance(u"XX"_s) * 2);
      g->addWidget(x, z + 1, 6);
    }
  }
  connect(m_zeilen[Hauptfrucht].ertrag, &TEingabeFeld::Verlassen, this, [this] {
    if (Liste().Position() >= 0) P::HauptfruchtErtragGetippt(m_db, Liste(), m_daten.betrieb);
  });
  auto* mehrere = new TDBCheckBoxMod(u"mehrere Kulturen in einem Jahr"_s);
  mehrere->Binden(schlaege, u"GemueseModus"_s);
  g->addWidget(mehrere, AnzahlZeilen + 1, 1, 1, 2);
  auto* ohne = new TDBCheckBoxMod(u"Berechnung ohne Zu-/Abschlag Gehaltsklasse im aktuellen Jahr"_s);
  ohne->Binden(schlaege, u"OhneZuAbGK"_s);
  ohne->setToolTip(u"Wenn Zu-/Abschlag für das aktuelle Jahr bei dem Schlag schon in einer vorigen Berechnung "
                   "verwendet wurde."_s);
  g->addWidget(ohne, AnzahlZeilen + 2, 1, 1, 6);
  auto* zeitraum = new QHBoxLayout;
  zeitraum->addStretch();
  for (const auto& [text, spalte] : {std::pair(u"berechnete Jahre"_s, u"P_Jahre"_s),
                                     std::pair(u"Kulturen im Zeitraum"_s, u"P_Kulturen"_s)}) {
    auto* e = Anzeigefeld(schlaege, spalte, text, 0);
    e->setMaximumWidth(e->fontMetrics().horizontalAdvance(u"00000"_s));
    zeitraum->addWidget(new QLabel(text));
    zeitraum->addWidget(e);
  }
  g->addLayout(zeitraum, AnzahlZeilen + 1, 3, 1, 4);
  g->setColumnStretch(1, 1);
  return box;
}

QGroupBox* TPhosphorSeite::ErgebnisBauen() {
  TADODataSetMod* schlaege = m_daten.schlaege;
  auto* box = new QGroupBox(u"Ergebnis"_s);
  box->setAccessibleName(u"Ergebnis"_s);
  auto* g = new QGridLayout(box);
  g->addWidget(new QLabel(u"kg P2O5/ha"_s), 1, 0);
  g->addWidget(new QLabel(u"kg P/ha"_s), 2, 0);
  // Each value in P2O5 and in P, the titles in two lines so that the five
  // fit beside the buttons; the accessible names carry the unit.
  const struct {
    QString titel, p2o5, p;
  } werte[] = {
      {u"P2O5-Entzug\ngesamt"_s, u"P2O5_EGes"_s, u"P_EGes"_s},
      {u"Zu-/Abschlag\nGehaltsklasse"_s, u"P2O5_ZuAbBoden"_s, u"P_ZuAbBoden"_s},
      {u"Abzug\nNebenprodukte"_s, u"P2O5_AbFruchtNP"_s, u"P_AbVorFruchtNP"_s},
      {u"Düngebedarf\nnach DüV"_s, u"P2O5_DuengeBedarf"_s, u"P_DuengeBedarf"_s},
      {u"nach Empfehlung\nder Fachbehörde"_s, u"P2O5_DuengeBedarfFachlich"_s, u"P_DuengeBedarfFachlich"_s},
  };
  int spalte = 1;
  for (const auto& w : werte) {
    auto* l = new QLabel(w.titel);
    l->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    g->addWidget(l, 0, spalte);
    const QString name = QString(w.titel).replace(QLatin1Char('\n'), QLatin1Char(' '));
    g->addWidget(Anzeigefeld(schlaege, w.p2o5, name + u" (kg P2O5/ha)"_s, 1), 1, spalte);
    g->addWidget(Anzeigefeld(schlaege, w.p, name + u" (kg P/ha)"_s, 1), 2, spalte++);
  }
  return box;
}

void TPhosphorSeite::Oeffnen() {
  m_ueberschrift->setText(P::Ueberschrift(P::Oekologisch(m_db, m_daten.betrieb, m_daten.jahr)));
  const P::TWerte fruechte = P::Kulturen(m_db, m_daten.betrieb, P::TWahl::Frucht);
  const P::TWerte zwischen = P::Kulturen(m_db, m_daten.betrieb, P::TWahl::Zwischenfrucht);
  for (int z = 0; z < AnzahlZeilen; ++z) {
    TDBComboBoxMod* c = m_zeilen[z].wahl;
    const QSignalBlocker sperre(c);
    c->clear();
    for (const auto& [text, wert] : z >= Zf0 ? zwischen : fruechte) c->Eintrag(text, wert);
  }
}

void TPhosphorSeite::Zeigen(int parzelle, qint64) {
  m_daten.SchlaegeNeuLesen();
  m_daten.ZurParzelle(parzelle);
  Anzeigen();
}

void TPhosphorSeite::Anzeigen() {
  const TADODataSetMod& s = Liste();
  const bool zeile = s.IstOffen() && s.Position() >= 0;
  // EUF soils get no recommendation here: no contents, no calculation.
  const bool euf = zeile && s.Wert(u"P_Methode"_s).toInt() == P::Euf;
  for (QWidget* w : {static_cast<QWidget*>(m_p2o5), static_cast<QWidget*>(m_p), static_cast<QWidget*>(m_klasse)})
    m_boden->setRowVisible(w, !euf);
  for (QPushButton* k : {m_berechnen, m_drucken, m_excel}) k->setVisible(!euf);
  for (const TKulturzeile& z : m_zeilen) {
    z.einheit->setText(zeile ? P::Ertragseinheit(s.Wert(z.nummer)) : QString());
    // A yield without a crop means nothing.
    z.ertrag->setEnabled(zeile && s.Wert(z.nummer).toLongLong() > 0);
  }
}

bool TPhosphorSeite::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (objekt == m_datum && ereignis->type() == QEvent::MouseButtonDblClick && Liste().Position() >= 0) {
    Liste().setWert(u"P_BerechnungsDatum"_s, QDate::currentDate().toString(u"yyyy-MM-dd"_s));
    return true;
  }
  return TBedarfsseite::eventFilter(objekt, ereignis);
}

void TPhosphorSeite::Gewaehlt(int z) {
  TADODataSetMod& s = Liste();
  if (s.Position() < 0) return;
  const QVariant nr = s.Wert(m_zeilen[z].nummer);
  const auto kultur = P::Kultur(m_db, m_daten.betrieb, nr);
  if (!kultur) return;
  if (z == Vorfrucht) {
    P::VorfruchtGewaehlt(s, nr, *kultur);
  } else if (z == Hauptfrucht) {
    P::HauptfruchtGewaehlt(s, nr, *kultur);
  } else if (z == Folge1 || z == Folge2) {
    switch (P::FolgefruchtGewaehlt(s, z == Folge1 ? 1 : 2, nr, *kultur)) {
      case P::TFolgefrucht::Nutzungswechsel:
        m_meldungen.Info(P::NutzungswechselMeldung);
        break;
      case P::TFolgefrucht::OhneErtrag:
        m_zeilen[z].wahl->setFocus(Qt::OtherFocusReason);
        break;
      case P::TFolgefrucht::Uebernommen:
        break;
    }
  } else {
    P::ZwischenfruchtGewaehlt(s, z - Zf0, nr, *kultur);
  }
  Anzeigen();
}

void TPhosphorSeite::Loeschen(int z) {
  TADODataSetMod& s = Liste();
  if (s.Position() < 0) return;
  if (z == Folge1 || z == Folge2)
    P::FolgefruchtLoeschen(s, z == Folge1 ? 1 : 2);
  else
    P::ZwischenfruchtLoeschen(s, z - Zf0);
  Anzeigen();
}

void TPhosphorSeite::MethodeGewaehlt() {
  TADODataSetMod& s = Liste();
  if (s.Position() < 0) return;
  if (s.Wert(u"P_Methode"_s).toInt() == P::Euf) {
    m_meldungen.Info(P::Meldung(THindernis::Euf));
    P::ErgebnisseLeeren(s);
  } else {
    P::KlasseAbleiten(s);
  }
  Anzeigen();
}

void TPhosphorSeite::DatumVerlassen() {
  if (Liste().Position() < 0) return;
  const QString warnung = P::Datumswarnung(Liste().Wert(u"P_BerechnungsDatum"_s), Liste().Wert(u"Jahr"_s).toInt());
  if (!warnung.isEmpty()) m_meldungen.Info(warnung);
}

void TPhosphorSeite::Voriger() { Liste().Vorheriger(); }

void TPhosphorSeite::Naechster() { Liste().Naechster(); }

void TPhosphorSeite::DatumMethodeMerken() {
  if (Liste().Position() < 0) return;
  m_gemerkt = P::Merken(Liste());
  m_setzen->setEnabled(true);
}

void TPhosphorSeite::DatumMethodeSetzen() {
  if (!m_gemerkt || Liste().Position() < 0) return;
  P::Setzen(Liste(), *m_gemerkt);
  Anzeigen();
}

void TPhosphorSeite::Zuruecksetzen() {
  P::Zuruecksetzen(m_db, Liste().Wert(u"ID"_s).toLongLong());
  m_daten.SchlaegeNeuLesen();
}

QWidget* TPhosphorSeite::Eingabe(THindernis h, int zwischenfrucht) const {
  switch (h) {
    case THindernis::DatumFehlt:
      return m_datum;
    case THindernis::GehaltZuKlein:
      return m_p;
    case THindernis::VorfruchtFehlt:
      return m_zeilen[Vorfrucht].wahl;
    case THindernis::HauptfruchtFehlt:
      return m_zeilen[Hauptfrucht].wahl;
    case THindernis::ErtragFehlt:
      return m_zeilen[Hauptfrucht].ertrag;
    case THindernis::Folgefrucht1ErtragFehlt:
      return m_zeilen[Folge1].ertrag;
    case THindernis::Folgefrucht2ErtragFehlt:
      return m_zeilen[Folge2].ertrag;
    case THindernis::ZwischenfruchtErtragFehlt:
      return m_zeilen[Zf0 + std::max(zwischenfrucht, 0)].ertrag;
    default:
      return nullptr;
  }
}

void TPhosphorSeite::Berechnen(bool vomKnopf) {
  TADODataSetMod& s = Liste();
  emit ZeigenVerlangt();
  if (s.IstLeer() || s.Position() < 0) return;
  // The rules take the class as stored: it must follow method and content
  // even where a reset emptied it.
  P::KlasseAbleiten(s);
  if (!s.SpeichernWennGeaendert()) return;
  const int parzelle = s.Wert(u"Parzelle"_s).toInt();
  if (Schlagdaten::Unvollstaendig(Schlagdaten::Werte(s, s.Position()))) {
    emit SchlagZeigen(parzelle);
    return;
  }
  const P::TKulturzeilen kulturen = P::Kulturzeilen(m_db, m_daten.betrieb, m_daten.jahr, parzelle);
  if (!kulturen.vorhanden) {
    m_meldungen.Info(P::KulturFehltMeldung);
    emit KulturZeigen(parzelle, 0);
    return;
  }
  if (kulturen.unvollstaendig) {
    emit KulturZeigen(parzelle, kulturen.unvollstaendig);
    return;
  }
  if (!m_panel->Pruefen()) return;

  const P::TPruefung p = P::VorDemBerechnen(P::Werte(s));
  if (p.ablaufhinweis) m_meldungen.Info(P::AblaufMeldung);
  if (p.hindernis == THindernis::DatumFehlt) {
    if (m_meldungen.Frage(P::Meldung(p.hindernis))) {
      s.setWert(u"P_BerechnungsDatum"_s, QDate::currentDate().toString(u"yyyy-MM-dd"_s));
      s.SpeichernWennGeaendert();
    } else {
      m_datum->setFocus(Qt::OtherFocusReason);
    }
    return;
  }
  if (p.hindernis != THindernis::Keines) {
    m_meldungen.Info(P::Meldung(p.hindernis));
    if (p.hindernis == THindernis::AnalyseZuAlt) {
      P::FolgefruchtLoeschen(s, 1);
      if (!s.SpeichernWennGeaendert()) return;
    }
    if (P::SetztZurueck(p.hindernis)) Zuruecksetzen();
    if (p.hindernis == THindernis::FeldblockFehlt) emit SchlagZeigen(parzelle);
    if (QWidget* w = Eingabe(p.hindernis, p.zwischenfrucht)) w->setFocus(Qt::OtherFocusReason);
    return;
  }
  if (p.datumAusserhalb) m_meldungen.Info(P::DatumAusserhalbMeldung);
  {
    const QScopedValueRollback sperre(m_daten.neuberechnung, true);
    Befehle::FuerDatensatz(s, {45});
  }
  if (vomKnopf && P::HoherGehalt(s.Wert(u"P_Methode"_s).toInt(), s.Wert(u"P2O5_Gehalt"_s).toDouble()))
    m_meldungen.Info(P::HoherGehaltMeldung);
  s.Bearbeiten();
  Anzeigen();
  const QString warnung = P::Bereichswarnung(Ganz(s.Wert(u"P_DuengeBedarf"_s)), s.Wert(u"P_Kulturen"_s).toInt());
  if (!warnung.isEmpty()) m_meldungen.Info(warnung);
}

void TPhosphorSeite::ErgebnisDrucken() {
  TADODataSetMod& s = Liste();
  const bool schlag = s.IstOffen() && s.Position() >= 0;
  const qint64 id = schlag ? s.Wert(u"ID"_s).toLongLong() : 0;
  if (schlag) Berechnen(false);
  Bedarfsdruck::Drucken(this, m_meldungen, m_db, schlag ? std::vector<qint64>{id} : std::vector<qint64>{},
                        Bedarfsblaetter::PhosphorBlatt, m_daten.druckvorschau);
}

void TPhosphorSeite::AlleBerechnetenDrucken() {
  TADODataSetMod& s = Liste();
  {
    const Bedarfsdruck::TWartezeiger warten;
    const QScopedValueRollback sperre(m_daten.neuberechnung, true);
    if (!Befehle::FuerJahr(s, m_daten.jahr, m_daten.betrieb, {45})) return;
  }
  Anzeigen();
  const auto ids = Bedarfsblaetter::BerechneteSchlaege(m_db, m_daten.betrieb, m_daten.jahr);
  Bedarfsdruck::Drucken(this, m_meldungen, m_db, ids, Bedarfsblaetter::PhosphorBlatt, m_daten.druckvorschau);
}

void TPhosphorSeite::ExcelExport() {
  emit SpeichernVerlangt();
  TADODataSetMod& s = Liste();
  // Input that could not be saved stays on screen; the list waits for it.
  if (s.Zustand() != TADODataSetMod::TZustand::Blaettern && s.IstOffen()) return;
  const int position = s.Position();
  using Listenausgabe::TErgebnis;
  if (Phosphorliste::Exportieren(m_db, m_meldungen, m_daten.betrieb, m_daten.jahr, QDir::currentPath()) !=
      TErgebnis::Geschrieben)
    return;
  // The pass changed results: the list shows them, on the field it was on.
  m_daten.SchlaegeNeuLesen();
  if (position >= 0 && position < s.Anzahl()) s.Gehe(position);
  Anzeigen();
}
