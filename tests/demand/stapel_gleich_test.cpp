// The adviser's batch recalculates a farm year with the per-year rules; the
// demand window's "Berechnen" uses the per-row ones. Both must store the
// same figures for every crop row.
#include "fensterhilfe.h"

#include "stapel.h"

#include <map>

namespace {

using namespace Qt::Literals::StringLiterals;

class StapelWieFenster : public FensterBetrieb {
protected:
  // The stored demand and the figures it is built from, per crop row.
  std::map<qint64, std::string> Ergebnisse() {
    std::map<qint64, std::string> e;
    TAbfrage a(db, u"select ID, coalesce(Duengebedarf, '-') || ' Nmin ' || coalesce(Nmin, '-') || ' OD ' || "
                   "coalesce(StickstoffnachlieferungOD, '-') || ' WRWGH ' || coalesce(StickstoffnachlieferungWRWGH, '-') || "
                   "' Mist ' || coalesce(AbzugNausMistKompost, '-') || ' ZuAb ' || coalesce(ZuAbschlagErtrag, '-') || "
                   "' Vf ' || coalesce(VfAbschlag, '-') || ' Zf ' || coalesce(ZfAbschlag, '-') "
                   "from Anbau where Jahr = 2021 and FruchtNr = 1 order by ID"_s);
    while (a.Naechste()) e[a.Wert(0).toLongLong()] = a.Wert(1).toString().toStdString();
    return e;
  }
  void Gabe(int jahr, int parzelle, qint64 fuer, const char* datum, const QVariantMap& werte) {
    QVariantMap w = {{u"BetriebsNr"_s, Betrieb}, {u"Jahr"_s, jahr},          {u"Parzelle"_s, parzelle},
                     {u"ProbenID"_s, fuer},      {u"Datum"_s, QString::fromLatin1(datum)}, {u"Kategorie"_s, 2},
                     {u"DngGrpNummer"_s, 1},     {u"Menge"_s, 20},           {u"NT"_s, 4.5}, {u"NH4N"_s, 2.5}};
    for (auto it = werte.begin(); it != werte.end(); ++it) w[it.key()] = it.value();
    TestBetrieb::Einfuegen(u"Dung"_s, w);
  }
};

TEST_F(StapelWieFenster, SpeichertJedeKulturWieBerechnenImFenster) {
  const QVariantMap voll = {{u"Feldblock"_s, u"DEVLLI0123456789"_s}, {u"Groesse"_s, 2.5}, {u"Phosphatgebiet"_s, 1},
                            {u"NutzungsForm"_s, 1}};
  JahrAnlegen(2020);
  for (int p : {11, 12, 13, 14}) {
    QVariantMap s = voll;
    if (p == 13) s[u"BewirtschaftungsAuflagen"_s] = 2;  // nitrate area
    Schlag(p, s);
    Schlag(p, {}, 2020);
  }
  const qint64 vorjahr = Kultur(11, 224101, {}, 2020);
  const qint64 weizen = Kultur(11, 224101, {{u"Nmin_0_30"_s, 30}, {u"Nmin_30_60"_s, 20}, {u"Nmin_60_90"_s, 10}});
  const qint64 raps =
      Kultur(12, 236101, {{u"Nmin_0_30"_s, 25}, {u"Nmin_30_60"_s, 15}, {u"Nmin_60_90"_s, 5}, {u"Zwischenfrucht"_s, 6}});
  Kultur(13, 224101, {{u"Nmin_0_30"_s, 40}, {u"Nmin_30_60"_s, 12.5}, {u"Nmin_60_90"_s, 7}});
  Kultur(14, 244101, {{u"Nmin_0_30"_s, 10}, {u"Nmin_30_60"_s, 10}, {u"Nmin_60_90"_s, 10}, {u"TatsErtrag"_s, QVariant()}});
  Kultur(14, 171101, {{u"FruchtNr"_s, 2}});
  // Slurry on the wheat of the year before, and autumn manure for the rape.
  Gabe(2020, 11, vorjahr, "2020-03-15", {});
  Gabe(2020, 11, vorjahr, "2020-04-15", {{u"DngGrpNummer"_s, 2}});
  Gabe(2021, 12, raps, "2020-09-10", {{u"IstHerbstDuengung"_s, 1}, {u"TaVerfNr"_s, 4}, {u"N_AnrechenbarAL"_s, 1.5}});
  for (int fa : {224101, 236101, 244101}) Vorauswahl(fa, 80);
  Stamm(224101, {{u"TatsErtragRG"_s, 70}});

  // "Berechnen" on every crop row of the nitrogen page.
  TDuengebedarfsfenster& f = Fenster();
  f.Seiten()->setCurrentIndex(TDuengebedarfsfenster::SeiteStickstoff);
  std::vector<qint64> ids;
  for (const auto& [id, _] : Ergebnisse()) ids.push_back(id);
  for (qint64 id : ids) {
    ASSERT_TRUE(Stickstoffliste().Suchen(id)) << id;
    Klick(u"Berechnen"_s);
    EXPECT_EQ(meldungen.Infos().join(u"|"_s).toStdString(), "") << id << " " << (QApplication::focusWidget() ? QApplication::focusWidget()->accessibleName().toStdString() : "-");
    meldungen.Leeren();
  }
  fenster.reset();
  const auto imFenster = Ergebnisse();

  // The batch on the same rows, their results emptied first.
  Sql(u"update Anbau set Duengebedarf = null, Nmin = null, StickstoffnachlieferungOD = null, "
      "StickstoffnachlieferungWRWGH = null, AbzugNausMistKompost = null, ZuAbschlagErtrag = null"_s);
  Stapel::TAuftrag auftrag;
  auftrag.jahr = Jahr;
  auftrag.betriebe = {Betrieb};
  auftrag.schritte = {Stapel::TSchritt::Berechnen};
  const Stapel::TErgebnis e = Stapel::Betrieb(db, auftrag, Betrieb);
  EXPECT_TRUE(e.Ok()) << e.fehler.toStdString();
  EXPECT_EQ(Ergebnisse(), imFenster);

  // The rows carry what the comparison is about: organic credit of the year
  // before (0.1 × 20 × 4.5 twice), the autumn gift to rape and its deduction.
  EXPECT_EQ(Von(weizen, u"StickstoffnachlieferungOD"_s).toDouble(), 18);
  EXPECT_EQ(Von(raps, u"StickstoffnachlieferungWRWGH"_s).toDouble(), 50);  // 20 × 2.5 of NH4-N
  EXPECT_EQ(Von(raps, u"AbzugNausMistKompost"_s).toDouble(), 30);          // 1.5 × 20
  EXPECT_GT(Von(weizen, u"Duengebedarf"_s).toDouble(), 0);
}

}  // namespace
