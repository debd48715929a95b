// Nitrogen still supplied by organic fertilisation of the previous years and
// by an autumn fertilisation, credited to the main crop.
#include "stickstoffbetrieb.h"

namespace {

QString K(const char* s) { return QString::fromUtf8(s); }
using M = QVariantMap;

class Organisch : public StickstoffBetrieb {
protected:
  void SetUp() override {
    StickstoffBetrieb::SetUp();
    for (int j : {2017, 2018, 2019, 2020}) {
      JahrAnlegen(j);
      Schlag(7, {}, j);
      vorjahr[j] = Kultur(7, 224101, {}, j);
    }
    Schlag(7);
  }
  // An application record on a crop row.
  void Gabe(qint64 kultur, const M& werte) {
    const int jahr = Wert(K("select Jahr from Anbau where ID = :id"), {{K("id"), kultur}}).toInt();
    M w = {{K("BetriebsNr"), Betrieb}, {K("Jahr"), jahr}, {K("Parzelle"), 7}, {K("ProbenID"), kultur},
           {K("Kategorie"), 2}};
    for (auto it = werte.begin(); it != werte.end(); ++it) w[it.key()] = it.value();
    TestBetrieb::Einfuegen(K("Dung"), w);
  }
  void Rechnen(qint64 id) { Befehle::GruppenFuerDatensatz(db, id, {20, 35}); }
  std::map<int, qint64> vorjahr;
};

TEST_F(Organisch, GuelleUndKompostDerVorjahre) {
  Gabe(vorjahr[2020], {{K("Datum"), K("2020-04-01")}, {K("DngGrpNummer"), 1}, {K("Menge"), 30}, {K("NT"), 3.8}});
  Gabe(vorjahr[2020], {{K("Datum"), K("2020-09-01")}, {K("DngGrpNummer"), 5}, {K("Menge"), 20}, {K("NT"), 7.7}});
  Gabe(vorjahr[2019], {{K("Datum"), K("2019-08-15")}, {K("DngGrpNummer"), 5}, {K("Menge"), 25}, {K("NT"), 7.7}});
  const qint64 id = Kultur(7, 224101);
  Rechnen(id);
  // 10 % of 114 + 4 % of 154 + 3 % of 192.5
  EXPECT_NEAR(Von(id, K("StickstoffnachlieferungOD")).toDouble(), 23.335, 1e-9);
  EXPECT_DOUBLE_EQ(Von(id, K("StickstoffnachlieferungWRWGH")).toDouble(), 0.0);
  // A follow crop on the same parcel gets nothing.
  const qint64 folge = Kultur(7, 224101, {{K("FruchtNr"), 2}});
  Rechnen(folge);
  EXPECT_DOUBLE_EQ(Von(folge, K("StickstoffnachlieferungOD")).toDouble(), 0.0);
  EXPECT_DOUBLE_EQ(Von(folge, K("AbzugNausMistKompost")).toDouble(), 0.0);
  // The per-year run gives the same.
  Sql(K("update Anbau set StickstoffnachlieferungOD = null"));
  Befehle::GruppenFuerJahr(db, Jahr, Betrieb, {20, 35});
  EXPECT_NEAR(Von(id, K("StickstoffnachlieferungOD")).toDouble(), 23.335, 1e-9);
  EXPECT_DOUBLE_EQ(Von(folge, K("StickstoffnachlieferungOD")).toDouble(), 0.0);
}

TEST_F(Organisch, NurDasKalenderjahrZaehlt) {
  const qint64 id = Kultur(7, 224101);
  const std::pair<const char*, double> faelle[] = {
      {"2020-12-20", 10.0},  // previous year: 10 % of 100
      {"2021-01-02", 0.0},   // this year: not yet
      {"2016-06-01", 0.0},   // compost four years back, below
  };
  for (const auto& [datum, od] : faelle) {
    SCOPED_TRACE(datum);
    Sql(K("delete from Dung"));
    const qint64 traeger = QString::fromLatin1(datum).startsWith(K("2021")) ? id : vorjahr[2020];
    Gabe(traeger, {{K("Datum"), K(datum)}, {K("DngGrpNummer"), 3}, {K("Menge"), 20}, {K("NT"), 5}});
    Rechnen(id);
    EXPECT_DOUBLE_EQ(Von(id, K("StickstoffnachlieferungOD")).toDouble(), od);
  }
  Sql(K("delete from Dung"));
  Gabe(vorjahr[2017], {{K("Datum"), K("2017-06-01")}, {K("DngGrpNummer"), 5}, {K("Menge"), 20}, {K("NT"), 8}});
  Rechnen(id);
  EXPECT_DOUBLE_EQ(Von(id, K("StickstoffnachlieferungOD")).toDouble(), 0.0);
}

TEST_F(Organisch, HerbstgabeZuRapsOderGersteZaehltVollMitIhremAmmonium) {
  struct Fall {
    int kultur;
    M gabe;
    double od, wrwgh, mist;
  };
  const M guelle = {{K("DngGrpNummer"), 1}, {K("TaVerfNr"), 1}, {K("Menge"), 20}, {K("NT"), 4}, {K("NH4N"), 2}};
  const M huehnermist = {{K("DngGrpNummer"), 2}, {K("TaVerfNr"), 6}, {K("Menge"), 10}, {K("NT"), 16.9}, {K("NH4N"), 5.9},
                         {K("N_AnrechenbarAL"), 5.9}};
  const M rindermist = {{K("DngGrpNummer"), 2}, {K("TaVerfNr"), 4}, {K("Menge"), 30}, {K("NT"), 6}, {K("NH4N"), 1},
                        {K("N_AnrechenbarAL"), 1.5}};
  const M kalkammonsalpeter = {{K("Kategorie"), 1}, {K("Menge"), 1}, {K("NT"), 27}, {K("NH4N"), 27}};
  const Fall faelle[] = {
      {236101, guelle, 0, 40, 0},             // winter rape: ammonium 20 x 2
      {224101, guelle, 8, 0, 0},              // winter wheat: 10 % of 80
      {225101, huehnermist, 0, 59, 0},        // poultry manure to winter barley
      {224101, huehnermist, 16.9, 0, 0},
      {230101, rindermist, 18, 0, 45},        // other manure stays in the 10 % credit
      {236101, kalkammonsalpeter, 0, 27, 0},  // mineral N in autumn to rape: total N
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.kultur);
    Sql(K("delete from Anbau where Jahr = 2021"));
    const qint64 id = Kultur(7, f.kultur);
    M gabe = f.gabe;
    gabe[K("Datum")] = K("2020-09-10");
    gabe[K("IstHerbstDuengung")] = 1;
    Gabe(id, gabe);
    Rechnen(id);
    EXPECT_NEAR(Von(id, K("StickstoffnachlieferungOD")).toDouble(), f.od, 1e-9);
    EXPECT_NEAR(Von(id, K("StickstoffnachlieferungWRWGH")).toDouble(), f.wrwgh, 1e-9);
    EXPECT_NEAR(Von(id, K("AbzugNausMistKompost")).toDouble(), f.mist, 1e-9);
  }
}

TEST_F(Organisch, SonstigeStoffeUndFehlendeMengen) {
  Gabe(vorjahr[2020], {{K("Datum"), K("2020-05-01")}, {K("Kategorie"), 5}, {K("Menge"), 10}, {K("NT"), 3}});
  Gabe(vorjahr[2020], {{K("Datum"), K("2020-05-02")}, {K("DngGrpNummer"), 1}, {K("Menge"), QVariant()}, {K("NT"), 3}});
  Gabe(vorjahr[2020], {{K("Datum"), K("2020-05-03")}, {K("Kategorie"), 1}, {K("Menge"), 5}, {K("NT"), 27}});
  const qint64 id = Kultur(7, 224101);
  Rechnen(id);
  EXPECT_DOUBLE_EQ(Von(id, K("StickstoffnachlieferungOD")).toDouble(), 3.0);
}

}  // namespace
