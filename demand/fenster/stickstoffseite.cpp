#include "stickstoffseite.h"

#include "fenstergroesse.h"
#include "adopanel.h"
#include "bedarfsblaetter.h"
#include "bedarfsdruck.h"
#include "befehle.h"
#include "dataset.h"
#include "dbauswahl.h"
#include "dbeditmod.h"
#include "formular.h"
#include "kulturdaten.h"
#include "listenansicht.h"
#include "meldungen.h"
#include "stickstoff.h"
#include "stickstoffliste.h"
#include "stickstoffpruefung.h"

#include <QDate>
#include <QDir>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScopedValueRollback>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <tuple>

using namespace Qt::StringLiterals;

namespace {

const QString NminSpalten[] = {u"Nmin_0_30"_s,   u"Nmin_30_60"_s,   u"Nmin_60_90"_s,
                               u"Quelle_0_30"_s, u"Quelle_60_90"_s, u"BerechnungsDatum"_s};

}  // namespace

TStickstoffSeite::TStickstoffSeite(TBedarfsdaten& daten, QWidget* eltern) : TBedarfsseite(daten, u"Stickstoff"_s, eltern) {
  // The crop rows come from the crop page: an empty list stays empty.
  TADODataSetMod* liste = m_liste = new TADODataSetMod(daten.db, this);
  liste->setImplizitAnfuegen(false);
  Kulturdaten::ListeDesJahres(*liste, daten.betrieb, daten.jahr);

  auto* h = new QHBoxLayout(this);
  auto* links = new QVBoxLayout;
  auto* raster = new TListenAnsicht(*liste, {{u"Jahr"_s, u"Jahr"_s},
                                             {u"Parzelle"_s, u"Parzelle"_s},
                                             {u"Kultur"_s, u"Kultur nach DüV"_s},
                                             {u"FruchtNr"_s, u"FruchtNr"_s},
                                             {u"Duengebedarf"_s, u"Düngebedarf (kg N/ha)"_s, 0}});
  raster->setAccessibleName(u"Kulturen des Jahres"_s);
  links->addWidget(raster, 1);
  auto* k = new QHBoxLayout;
  k->addWidget(Knopf(u"Berechnen"_s, {}, [this] { Berechnen(); }));
  k->addWidget(Knopf(u"Nmin merken"_s, {}, [this] { NminMerken(); }));
  k->addWidget(m_nminSetzen = Knopf(u"Nmin setzen"_s, {}, [this] { NminSetzen(); }));
  k->addWidget(Knopf(u"Excel-Export"_s, {}, [this] { ExcelExport(); }));
  m_nminSetzen->setEnabled(false);
  links->addLayout(k);
  auto* druck = new QHBoxLayout;
  druck->addWidget(Knopf(u"Ergebnis drucken"_s, {}, [this] { ErgebnisDrucken(); }));
  druck->addWidget(Knopf(u"Alle berechneten drucken"_s, {}, [this] { AlleBerechnetenDrucken(); }));
  druck->addStretch();
  links->addLayout(druck);
  h->addLayout(links, 1);

  m_panel = new TADOPanel;
  m_panel->setDataSet(liste);
  m_panel->setMeldungen(&m_meldungen);
  m_panel->setAccessibleName(u"Stickstoff-Eingaben"_s);
  auto* pl = new QVBoxLayout(m_panel);
  auto* nmin = new QGroupBox(u"Nmin"_s);
  nmin->setAccessibleName(u"Nmin"_s);
  m_nminGruppe = nmin;
  auto* nf = new QFormLayout(nmin);
  const Formular::TEintraege quellen = {{u"Bodenuntersuchung MIT Steingehalt"_s, 1},
                                        {u"Bodenuntersuchung OHNE Steingehalt"_s, 4},
                                        {u"Richtwerte Fachbehörde"_s, 2}};
  m_quelle030 =
      Formular::Auswahl(nf, liste, u"Quelle_0_30"_s, u"Datenherkunft 0-30 und 30-60 cm"_s, quellen, true);
  const QString titel[3] = {u"Nmin 0-30 cm (kg N/ha)"_s, u"Nmin 30-60 cm (kg N/ha)"_s, u"Nmin 60-90 cm (kg N/ha)"_s};
  for (int i = 0; i < 3; ++i) {
    m_schicht[i] = Formular::Feld(nf, liste, NminSpalten[i], titel[i], 1, true);
    connect(m_schicht[i], &TEingabeFeld::Verlassen, this, [this, i] {
      // Passing through keeps the sum the rules left and the demand beside it.
      if (!m_schicht[i]->WertGeaendert()) return;
      // The plain sum until the next run of the rules.
      if (i != 1 || m_liste->Wert(u"KulturGruppe"_s).toInt() == 3) NminSummeSetzen();
      BedarfVerwerfen();
    });
  }
  m_schicht[2]->setToolTip(u"Doppelklick für Berechnung der 3. Schicht aus den Schichten 0 - 60 cm."_s);
  m_schicht[2]->installEventFilter(this);
  auto q3 = quellen;
  q3.emplace_back(u"aus Schicht 1 und 2 berechnet"_s, 3);
  auto* q3Zeile = new QHBoxLayout;
  m_quelle6090 = new TDBComboBoxMod;
  m_quelle6090->setAccessibleName(u"Datenherkunft 60-90 cm"_s);
  for (const auto& [t, w] : q3) m_quelle6090->Eintrag(t, w);
  m_quelle6090->Binden(liste, u"Quelle_60_90"_s);
  m_quelle6090->setFehler_Faerben(cnstFaerbenWenn0orLeer);
  q3Zeile->addWidget(m_quelle6090, 1);
  auto* loeschen = Knopf(u"X"_s, u"Ausgewählte Datenherkunft löschen."_s, [this] { QuelleLoeschen(); });
  loeschen->setAccessibleName(u"Datenherkunft löschen"_s);
  // Narrow, so that the source's text beside it shows in full.
  loeschen->setMaximumWidth(loeschen->fontMetrics().horizontalAdvance(u"X"_s) * 4);
  q3Zeile->addWidget(loeschen);
  nf->addRow(u"Datenherkunft 60-90 cm"_s, q3Zeile);
  for (auto* c : {m_quelle030, m_quelle6090}) connect(c, &QComboBox::activated, this, &TStickstoffSeite::QuelleGewaehlt);
  pl->addWidget(nmin);
  auto* df = new QFormLayout;
  m_datum = new TDBEditMod(liste, u"BerechnungsDatum"_s);
  m_datum->setDatenTyp(dtDatum);
  m_datum->setAccessibleName(u"Berechnungsdatum *"_s);
  m_datum->setFehler_Faerben(cnstFaerbenWennNull);
  m_datum->installEventFilter(this);
  connect(m_datum, &TEingabeFeld::Verlassen, this, &TStickstoffSeite::DatumVerlassen);
  df->addRow(u"Berechnungsdatum *"_s, m_datum);
  pl->addLayout(df);
  AuswertungBauen();
  pl->addWidget(m_auswertung);
  m_hinweis = new QLabel;
  m_hinweis->setAccessibleName(u"Hinweis"_s);
  m_hinweis->setWordWrap(true);
  pl->addWidget(m_hinweis);
  pl->addStretch();
  // The evaluation is long: on a small screen it scrolls.
  h->addWidget(Fenstergroesse::Rollbar(m_panel), 1);

  connect(liste, &TADODataSetMod::PositionGeaendert, this, &TStickstoffSeite::Anzeigen);
  connect(liste, &TADODataSetMod::ZustandGeaendert, this, &TStickstoffSeite::Anzeigen);
  connect(liste, &TADODataSetMod::Zurueckgesetzt, this, &TStickstoffSeite::Anzeigen);
  connect(liste, &TADODataSetMod::ZeileGeaendert, this, &TStickstoffSeite::Anzeigen);
}

// The evaluation pages: the values of the rules by crop group, read only.
void TStickstoffSeite::AuswertungBauen() {
  m_auswertung = new QStackedWidget;
  m_auswertung->setAccessibleName(u"Auswertung"_s);
  const QString koepfe[3] = {u"für Ackerland"_s, u"für Grünland und mehrschnittigen Feldfutterbau"_s, u"für Gemüse"_s};
  for (int s = 0; s < 3; ++s) {
    auto* box = new QGroupBox(koepfe[s]);
    box->setAccessibleName(koepfe[s]);
    auto* af = new QFormLayout(box);
    const auto wert = [&](const QString& text, const QString& spalte, int stellen = 0) {
      auto* e = new TDBEditMod(m_liste, spalte);
      e->setRO(true);
      e->setGenauigkeit(stellen);
      e->setAccessibleName(text.trimmed());
      auto* l = new QLabel(text);
      af->addRow(l, e);
      return std::pair<QLabel*, TDBEditMod*>(l, e);
    };
    // A value the page computes itself, shown as the others are.
    const auto ergebnis = [](const QString& text) {
      auto* e = new TDBEditMod;
      e->setDatenTyp(dtFloat);
      e->setGenauigkeit(0);
      e->setRO(true);
      e->setAccessibleName(text.trimmed());
      return e;
    };
    wert(u"1. Kultur"_s, u"Kultur"_s);
    wert(u"2. Stickstoffbedarfswert (kg N/ha)"_s, u"Stickstoffbedarfswert"_s);
    if (s == 1) {
      wert(u"3. Ertragsniveau laut Tabelle (dt TM/ha)"_s, u"Ertragsniveau"_s);
      wert(u"4. Rohproteingehalt laut Tabelle (% RP TM )"_s, u"Rohprotein"_s, 1);
      std::tie(m_ertragLabel[s], m_ertragWert[s]) = wert(u"5."_s, u"TatsErtrag"_s);
      std::tie(m_rohproteinLabel, m_rohproteinWert) = wert(u"6."_s, u"TatsRohprotein"_s, 1);
      wert(u"7. Ertragsdifferenz (dt TM/ha)"_s, u"Ertragsdifferenz"_s);
      wert(u"8. Rohproteindifferenz (% RP TM)"_s, u"RohproteinDifferenz"_s, 1);
      wert(u"9. Stickstoffnachlieferung OrgDung Vorjahr (kg N/ha)"_s, u"StickstoffnachlieferungOD"_s);
      wert(u"10. Zu-/Abschlag Ertragsdifferenz (kg N/ha)"_s, u"ZuAbschlagErtrag"_s);
      wert(u"11. Zu-/Abschlag Rohproteindifferenz (kg N/ha)"_s, u"ZuAbschlagRohprotein"_s);
      wert(u"12. Stickstoffnachlieferung aus dem Bodenvorrat (kg N/ha)"_s, u"Stickstoffnachlieferung"_s);
      wert(u"13. Stickstoffnachlieferung Leguminosen (kg N/ha)"_s, u"StickstoffnachlieferungLegum"_s);
    } else {
      wert(u"3. Ertragsniveau laut Tabelle (dt/ha)"_s, u"Ertragsniveau"_s);
      std::tie(m_ertragLabel[s], m_ertragWert[s]) = wert(u"4."_s, u"TatsErtrag"_s);
      wert(u"5. Ertragsdifferenz (dt/ha)"_s, u"Ertragsdifferenz"_s);
      wert(u"6. Summe Nmin (kg N/ha)"_s, u"Nmin"_s);
      wert(u"7. Zu-/Abschlag Ertragsdifferenz (kg N/ha)"_s, u"ZuAbschlagErtrag"_s);
      wert(u"8. Stickstoffnachlieferung aus dem Bodenvorrat (kg N/ha)"_s, u"Stickstoffnachlieferung"_s);
      wert(u"9.1 Stickstoffnachlieferung OrgDung Vorjahr (kg N/ha)"_s, u"StickstoffnachlieferungOD"_s);
      if (s == 0) {
        auto [l, e] = wert(u"9.2 verfügbarer N zu Winterraps/Wintergerste (kg N/ha)"_s, u"StickstoffnachlieferungWRWGH"_s);
        m_wrwghLabel = l;
        m_wrwghWert = e;
      }
      wert(u"10. Abschlag Vorfrucht (kg N/ha)"_s, u"VfAbschlag"_s);
      wert(u"10. Abschlag Zwischenfrucht (kg N/ha)"_s, u"ZfAbschlag"_s);
      if (s == 2) wert(u"11. Zuschlag Folie (kg N/ha)"_s, u"ZuschlagFolie"_s);
    }
    m_bedarfWert[s] = ergebnis(u"Düngebedarf (kg N/ha)"_s);
    af->addRow(u"Düngebedarf (kg N/ha)"_s, m_bedarfWert[s]);
    m_rotLabel[s] = new QLabel(u"      Nitratgebiet abzüglich 20 % (kg N/ha)"_s);
    m_rotWert[s] = ergebnis(m_rotLabel[s]->text());
    af->addRow(m_rotLabel[s], m_rotWert[s]);
    m_auswertung->addWidget(box);
  }
}

bool TStickstoffSeite::Speichern() { return m_liste->SpeichernWennGeaendert(); }

void TStickstoffSeite::Schliessen() { m_liste->Schliessen(); }

void TStickstoffSeite::Zeigen(int parzelle, qint64 anbauId) {
  TADODataSetMod& liste = Liste();
  liste.Oeffnen();
  if (!anbauId || !liste.Suchen(anbauId)) {
    const int p = liste.FeldIndex(u"Parzelle"_s);
    for (int z = 0; z < liste.Anzahl(); ++z)
      if (liste.Wert(z, p).toInt() == parzelle) {
        liste.Gehe(z);
        break;
      }
  }
  Anzeigen();
}

std::optional<std::pair<int, qint64>> TStickstoffSeite::Stelle() const {
  if (!m_liste->IstOffen() || m_liste->Position() < 0) return std::nullopt;
  return std::pair(m_liste->Wert(u"Parzelle"_s).toInt(), m_liste->Wert(u"ID"_s).toLongLong());
}

int TStickstoffSeite::Auswertungsseite() const { return m_auswertung->currentIndex(); }

void TStickstoffSeite::Anzeigen() {
  const TADODataSetMod& liste = Liste();
  const int jahr = m_daten.jahr;
  const bool zeile = liste.IstOffen() && liste.Position() >= 0;
  const int seite = Stickstoffpruefung::Auswertungsseite(zeile ? liste.Wert(u"KulturGruppe"_s).toInt() : 1);
  m_auswertung->setCurrentIndex(seite);
  m_nminGruppe->setVisible(seite != 1);
  const bool rg = zeile && liste.Wert(u"RotesGebiet"_s).toInt() == 2;
  const bool neu = Stickstoffpruefung::NeueRegeln(jahr);
  const QVariant bedarf = zeile ? liste.Wert(u"Duengebedarf"_s) : QVariant();
  for (int s = 0; s < 3; ++s) {
    m_ertragLabel[s]->setText(Stickstoffpruefung::Ertragsbeschriftung(s, jahr, rg));
    m_ertragWert[s]->setAccessibleName(m_ertragLabel[s]->text());
    m_bedarfWert[s]->setText(bedarf.isNull() ? QString() : Nummer(bedarf));
    m_rotLabel[s]->setVisible(rg && neu);
    m_rotWert[s]->setVisible(rg && neu);
    m_rotWert[s]->setText(bedarf.isNull() ? QString() : Nummer(bedarf.toDouble() * 0.8));
  }
  m_rohproteinLabel->setText(Stickstoffpruefung::Rohproteinbeschriftung(jahr));
  m_rohproteinWert->setAccessibleName(m_rohproteinLabel->text());
  m_wrwghLabel->setVisible(neu);
  m_wrwghWert->setVisible(neu);
  m_hinweis->setText(zeile ? Stickstoffpruefung::Hinweis(m_db, m_daten.betrieb, jahr, liste.Wert(u"Parzelle"_s))
                           : QString());
  m_hinweis->setAccessibleDescription(m_hinweis->text());
}

bool TStickstoffSeite::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (ereignis->type() == QEvent::MouseButtonDblClick) {
    if (objekt == m_schicht[2]) {
      DritteSchichtAbleiten();
      return true;
    }
    if (objekt == m_datum && m_liste->Position() >= 0) {
      m_liste->setWert(u"BerechnungsDatum"_s, QDate::currentDate().toString(u"yyyy-MM-dd"_s));
      return true;
    }
  }
  return TBedarfsseite::eventFilter(objekt, ereignis);
}

void TStickstoffSeite::NminSummeSetzen() {
  if (m_liste->Position() < 0) return;
  const auto w = [this](const QString& f) { return m_liste->Wert(f).toDouble(); };
  m_liste->setWert(u"Nmin"_s, w(u"Nmin_0_30"_s) + w(u"Nmin_30_60"_s) + w(u"Nmin_60_90"_s));
}

void TStickstoffSeite::BedarfVerwerfen() {
  // The demand rests on the old Nmin: not calculated until "Berechnen" runs again.
  if (m_liste->Position() < 0 || m_liste->Wert(u"Duengebedarf"_s).isNull()) return;
  m_liste->setWert(u"Duengebedarf"_s, QVariant());
  Anzeigen();
}

void TStickstoffSeite::NminMerken() {
  if (m_liste->Position() < 0) return;
  QVariantList v;
  for (const QString& f : NminSpalten) v << m_liste->Wert(f);
  m_nmin = v;
  m_nminSetzen->setEnabled(true);
}

void TStickstoffSeite::NminSetzen() {
  if (!m_nmin || m_liste->Position() < 0) return;
  int i = 0;
  bool geaendert = false;
  for (const QString& f : NminSpalten) {
    const QVariant neu = m_nmin->at(i++);
    geaendert = geaendert || m_liste->Wert(f) != neu;
    m_liste->setWert(f, neu);
  }
  if (geaendert) {
    NminSummeSetzen();
    BedarfVerwerfen();
  }
  m_liste->SpeichernWennGeaendert();
}

void TStickstoffSeite::DritteSchichtAbleiten() {
  TADODataSetMod& liste = Liste();
  if (liste.IstLeer() || liste.Position() < 0) return;
  const auto w = [&liste](const QString& f) { return liste.Wert(f).toDouble(); };
  if (!Stickstoffpruefung::DritteSchichtAbleitbar(w(u"Nmin_0_30"_s), w(u"Nmin_30_60"_s), w(u"Nmin_60_90"_s),
                                                  liste.Wert(u"Quelle_0_30"_s).toInt()))
    return;
  {
    const QScopedValueRollback sperre(m_daten.neuberechnung, true);
    liste.setWert(u"Quelle_60_90"_s, 3);
    liste.SpeichernWennGeaendert();
    Befehle::FuerDatensatz(liste, {20});
  }
  liste.Bearbeiten();
}

void TStickstoffSeite::QuelleGewaehlt() {
  TADODataSetMod& liste = Liste();
  if (liste.Position() < 0) return;
  const auto e = Stickstoffpruefung::QuellenPruefen(m_db, m_daten.betrieb, liste.Wert(u"Quelle_0_30"_s).toInt(),
                                                    liste.Wert(u"Quelle_60_90"_s).toInt());
  if (e.quelle6090 != liste.Wert(u"Quelle_60_90"_s).toInt())
    liste.setWert(u"Quelle_60_90"_s, e.quelle6090 == 0 ? QVariant(0) : QVariant(e.quelle6090));
  if (!e.meldung.isEmpty()) m_meldungen.Info(e.meldung);
  if (e.ableiten) DritteSchichtAbleiten();
}

void TStickstoffSeite::QuelleLoeschen() {
  if (m_liste->Position() < 0) return;
  m_liste->setWert(u"Quelle_60_90"_s, 0);
  m_quelle6090->setCurrentIndex(-1);
}

void TStickstoffSeite::DatumVerlassen() {
  if (m_liste->Position() < 0) return;
  const QString warnung =
      Stickstoffpruefung::Datumswarnung(m_liste->Wert(u"BerechnungsDatum"_s), m_liste->Wert(u"Jahr"_s).toInt());
  if (!warnung.isEmpty()) m_meldungen.Info(warnung);
}

void TStickstoffSeite::Berechnen() {
  using Stickstoffpruefung::THindernis;
  TADODataSetMod& liste = Liste();
  emit ZeigenVerlangt();
  if (!liste.SpeichernWennGeaendert()) return;
  if (liste.IstLeer() || liste.Position() < 0) return;
  if (!m_panel->Pruefen()) return;
  const qint64 id = liste.Wert(u"ID"_s).toLongLong();
  const int parzelle = liste.Wert(u"Parzelle"_s).toInt();
  const THindernis hindernis = Stickstoffpruefung::VorDemBerechnen(m_db, id);
  switch (hindernis) {
    case THindernis::Keines:
      break;
    case THindernis::SchlagUnvollstaendig:
      emit SchlagZeigen(parzelle);
      return;
    case THindernis::KulturUnvollstaendig:
      emit KulturZeigen(parzelle, id);
      return;
    default:
      if (!Stickstoffpruefung::Meldung(hindernis).isEmpty()) m_meldungen.Info(Stickstoffpruefung::Meldung(hindernis));
      return;
  }
  liste.setWert(u"Duengebedarf"_s, 0);
  if (!liste.SpeichernWennGeaendert()) return;
  bool ertragFehlt = false;
  {
    const QScopedValueRollback sperre(m_daten.neuberechnung, true);
    Befehle::FuerDatensatz(liste, {20});
    ertragFehlt =
        Stickstoffpruefung::ErtragFehlt(liste.Wert(u"FruchtNr"_s).toInt(), liste.Wert(u"TatsErtrag"_s).toDouble());
    if (ertragFehlt) {
      // Nothing was calculated: the demand is empty, not 0.
      liste.setWert(u"Duengebedarf"_s, QVariant());
      liste.SpeichernWennGeaendert();
    } else {
      Befehle::FuerDatensatz(liste, {50, 35, 25});
    }
  }
  if (ertragFehlt) {
    Anzeigen();
    m_meldungen.Info(Stickstoffpruefung::ErtragFehltText(liste.Wert(u"Kultur"_s).toString(), m_daten.jahr,
                                                         liste.Wert(u"RotesGebiet"_s).toInt() == 2));
    return;
  }
  Anzeigen();
  const QString warnung =
      Stickstoffpruefung::Bereichswarnung(liste.Wert(u"KulturGruppe"_s).toInt(), Ganz(liste.Wert(u"Duengebedarf"_s)));
  if (!warnung.isEmpty()) m_meldungen.Info(warnung);
}

void TStickstoffSeite::ErgebnisDrucken() { Drucken(false); }

void TStickstoffSeite::AlleBerechnetenDrucken() { Drucken(true); }

void TStickstoffSeite::Drucken(bool alle) {
  TADODataSetMod& liste = Liste();
  if (!liste.SpeichernWennGeaendert()) return;
  const bool zeile = liste.IstOffen() && liste.Position() >= 0;
  const qint64 id = zeile ? liste.Wert(u"ID"_s).toLongLong() : 0;
  {
    // The whole year is calculated; rows without yield or date lose their demand.
    const Bedarfsdruck::TWartezeiger warten;
    const QScopedValueRollback sperre(m_daten.neuberechnung, true);
    Stickstoff::JahrBerechnen(m_db, m_daten.betrieb, m_daten.jahr);
    if (liste.IstOffen()) liste.Aktualisieren();
  }
  Anzeigen();
  std::vector<qint64> ids;
  if (alle)
    ids = Bedarfsblaetter::BerechneteKulturen(m_db, m_daten.betrieb, m_daten.jahr);
  else if (zeile)
    ids = {id};
  Bedarfsdruck::Drucken(this, m_meldungen, m_db, ids, Bedarfsblaetter::StickstoffBlatt, m_daten.druckvorschau);
  // A row that was not printed gives way to the first one printed.
  if (alle && !ids.empty() && std::find(ids.begin(), ids.end(), id) == ids.end() && liste.IstOffen())
    liste.Suchen(ids.front());
}

void TStickstoffSeite::ExcelExport() {
  emit SpeichernVerlangt();
  // Input that could not be saved stays on screen; the list waits for it.
  if (m_liste->Zustand() != TADODataSetMod::TZustand::Blaettern && m_liste->IstOffen()) return;
  using Listenausgabe::TErgebnis;
  const TErgebnis e =
      Stickstoffliste::Exportieren(m_db, m_meldungen, m_daten.betrieb, m_daten.jahr, QDir::currentPath());
  if (e != TErgebnis::Geschrieben && e != TErgebnis::Fehler) return;
  // The rules and the pass changed the demands: the lists show them anew,
  // the field list from its first field.
  m_daten.SchlaegeNeuLesen();
  m_daten.schlaege->Erster();
  if (m_liste->IstOffen()) m_liste->Aktualisieren();
  Anzeigen();
}
