// What the printed records and statements show, before any drawing: number
// forms, page cuts, sections, the texts of a row, the statement sheet's values.
#include "druckdaten.h"

#include "druckprobe.h"

namespace {

using Auswertung::TDungsatz;

QString K(const char* s) { return QString::fromUtf8(s); }

TEST(Druckdaten, Zahlenformen) {
  struct Fall {
    double wert;
    int stellen;
    const char* text;
  } faelle[] = {
      {0.3, 3, "0,300"},   {3, 1, "3,0"},      {12.25, 1, "12,3"},  {0.04, 1, "0,0"},  {-1.26, 1, "-1,3"},
      {99.95, 1, "100,0"}, {0.0005, 3, "0,001"}, {40, 3, "40,000"}, {1234.5, 1, "1234,5"}, {0, 3, "0,000"},
  };
  for (const Fall& f : faelle) EXPECT_EQ(Druckdaten::Dezimal(f.wert, f.stellen), K(f.text)) << f.wert;
  // Whole numbers: halves to the even neighbour.
  EXPECT_EQ(Druckdaten::Ganz(2.5), K("2"));
  EXPECT_EQ(Druckdaten::Ganz(3.5), K("4"));
  EXPECT_EQ(Druckdaten::Ganz(114.57), K("115"));
  EXPECT_EQ(Druckdaten::Ganz(-0.4), K("0"));
}

TEST(Druckdaten, Seiten) {
  using S = std::vector<std::pair<int, int>>;
  EXPECT_EQ(Druckdaten::Seiten(25, 19), (S{{0, 19}, {19, 25}}));
  EXPECT_EQ(Druckdaten::Seiten(15, 14), (S{{0, 14}, {14, 15}}));
  EXPECT_EQ(Druckdaten::Seiten(19, 19), (S{{0, 19}}));
  EXPECT_EQ(Druckdaten::Seiten(29, 14), (S{{0, 14}, {14, 28}, {28, 29}}));
  EXPECT_TRUE(Druckdaten::Seiten(0, 14).empty());
}

TDungsatz Satz(int kategorie, double menge, QVariant dngGrp = {}, int nitratgebiet = 1) {
  TDungsatz s;
  s.kategorie = kategorie;
  s.menge = menge;
  s.dngGrpNummer = dngGrp;
  s.nitratgebiet = nitratgebiet;
  return s;
}

TEST(Druckdaten, AbschnitteInIhrerReihenfolgeOhneLeere) {
  const std::vector<TDungsatz> saetze = {Satz(5, 1), Satz(2, 1, 5), Satz(1, 1), Satz(2, 1, 4, 2), Satz(2, 1),
                                         Satz(4, 0, {}, 2), Satz(1, 2, {}, 2)};
  const auto a = Druckdaten::Abschnitte(saetze, false);
  struct Erwartet {
    const char* titel;
    const char* einheit;
    size_t anzahl;
  } erwartet[] = {{"Mineralische Düngemittel", "dt", 2},
                  {"Wirtschaftsdünger tierischer Herkunft", "t/m³", 2},  // group 4 and none: below 5
                  {"Sonstige organische Düngemittel", "t/m³", 1},
                  {"Weidehaltung", "n/d", 1},
                  {"Sonstige Stoffe, Substrate, Hilfsmittel", "t/m³", 1}};
  ASSERT_EQ(a.size(), std::size(erwartet));
  for (size_t i = 0; i < a.size(); ++i) {
    EXPECT_EQ(a[i].titel, K(erwartet[i].titel));
    EXPECT_EQ(a[i].einheit, K(erwartet[i].einheit));
    EXPECT_EQ(a[i].saetze.size(), erwartet[i].anzahl) << erwartet[i].titel;
  }
  // The nitrate area keeps the records on its fields only.
  const auto n = Druckdaten::Abschnitte(saetze, true);
  ASSERT_EQ(n.size(), 3u);
  EXPECT_EQ(n[0].titel, K("Mineralische Düngemittel"));
  EXPECT_EQ(n[0].saetze.size(), 1u);
  EXPECT_EQ(n[1].titel, K("Wirtschaftsdünger tierischer Herkunft"));
  EXPECT_EQ(n[2].titel, K("Weidehaltung"));
  EXPECT_EQ(Druckdaten::Abschnitte({}, false).size(), 0u);
}

TEST(Druckdaten, MengeAufBlattUndListeJeKategorie) {
  struct Fall {
    const char* name;
    TDungsatz satz;
    const char* blatt;
    const char* liste;
  };
  TDungsatz weide = Satz(4, 0);
  weide.weideTiere = 10.4;
  weide.weideTage = 73;
  TDungsatz pauschal = Satz(3, 0);
  pauschal.isLegumPauschal = 1;
  const Fall faelle[] = {
      // Mineral fertiliser and legume yields are entered in dt; the sheet writes t.
      {"Mineral 3 dt", Satz(1, 3), "0,300", "3,0"},
      {"Leguminosen 400 dt FM", Satz(3, 400), "40,000", "400,0"},
      {"Leguminosen flächenbezogen", pauschal, "0,000", ""},
      {"Gülle 20 m³", Satz(2, 20), "20,000", "20,0"},
      {"Andere Stoffe 1,25 t", Satz(5, 1.25), "1,250", "1,3"},
      {"Weide", weide, "0,000", "10/73"},
  };
  for (const Fall& f : faelle) {
    EXPECT_EQ(Druckdaten::Blattzeile(f.satz).menge, K(f.blatt)) << f.name;
    EXPECT_EQ(Druckdaten::Listenzeile(f.satz).menge, K(f.liste)) << f.name;
  }
  // Days and animals only on grazing rows.
  EXPECT_EQ(Druckdaten::Blattzeile(weide).weideTage, K("73"));
  EXPECT_EQ(Druckdaten::Blattzeile(weide).weideTiere, K("10"));
  TDungsatz mineral = Satz(1, 3);
  mineral.weideTage = 0;
  mineral.weideTiere = 0;
  EXPECT_EQ(Druckdaten::Blattzeile(mineral).weideTage, QString());
  EXPECT_EQ(Druckdaten::Blattzeile(mineral).weideTiere, QString());
}

TEST(Druckdaten, KurzeKategorien) {
  const char* texte[] = {"", "Min.-D.", "Org.-D.", "Legum.N.", "Weide", "And. Stoffe", ""};
  for (int k = 0; k <= 6; ++k) EXPECT_EQ(Druckdaten::Kategoriekurz(k), K(texte[k])) << k;
}

TEST(Druckdaten, SummenGanzzahligUeberDenBereich) {
  std::vector<TDungsatz> s(3);
  // 10.4 + 20.3 + 30.4 = 61.1; only the last two: 50.7.
  const double n[] = {10.4, 20.3, 30.4}, verf[] = {1.5, 1, 1}, p[] = {2.25, 0.25, 0.5};
  for (int i = 0; i < 3; ++i) {
    s[i].mengeN = n[i];
    s[i].mengeNH4N = verf[i];
    s[i].pMenge = p[i];
    s[i].p2o5Menge = p[i] * 2.2914;
  }
  EXPECT_EQ(Druckdaten::Summen(s, 0, 3), (QStringList{K("61"), K("4"), K("3"), K("7")}));
  EXPECT_EQ(Druckdaten::Summen(s, 1, 3), (QStringList{K("51"), K("2"), K("1"), K("2")}));
}

// The statement sheet with hand-set values.
TBilanz Werte() {
  TBilanz b;
  b.NMinDung = 405;
  b.NTierDung = 300;
  b.NVerfN = 150;
  b.NLegum = 420;
  b.PMinDung = 10;
  b.NSumme = 1125;
  b.NSummeOhneLegumWeideVerf = 555;
  b.PSumme = 10;
  b.NSumme_ha = 30;
  b.NSumme_haVerf = 15;
  b.NBedarf = 1800;
  b.NBedarfRot = 1440;
  b.PBedarf = 50;
  b.P2O5Bedarf = 114.4;  // stored; 50 × 2.2914 would be 114.57
  return b;
}

TEST(Druckdaten, BilanzkopfMitGespeichertemP2O5Bedarf) {
  Druckdaten::TBetriebskopf k;
  k.betriebsgroesse = 12.25;
  k.flaeche170kg = 10;
  const auto g = Druckdaten::Bilanzkopf(Werte(), k, false);
  ASSERT_EQ(g.size(), 4u);
  EXPECT_EQ(g[0].titel, K("Gesamtbetrieblicher Düngebedarf (kg N):"));
  EXPECT_EQ(g[0].wert, K("1800"));
  EXPECT_EQ(g[1].wert, K("12,3"));
  EXPECT_EQ(g[2].wert, K("50 / 114"));
  EXPECT_EQ(g[3].titel, K("Fläche zur Berechnung der 170-kg-N-Grenze (ha):"));
  EXPECT_EQ(g[3].wert, K("10,0"));
}

TEST(Druckdaten, NitratgebietJeHaNullOhneFlaeche) {
  TBilanz b = Werte();
  b.NSummeOhneLegumWeide = 705;
  for (double flaeche : {0.0, 5.0}) {
    SCOPED_TRACE(flaeche);
    b.FlaecheRotesGebiet = flaeche;
    const auto k = Druckdaten::Bilanzkopf(b, {}, true);
    ASSERT_EQ(k.size(), 6u);
    EXPECT_EQ(k[0].wert, K("50 / 114"));
    EXPECT_EQ(k[3].wert, K("1440"));
    // 405 / 5 = 81, 705 / 5 = 141.
    EXPECT_EQ(k[2].wert, flaeche > 0 ? K("405 / 81") : K("405 / 0"));
    EXPECT_EQ(k[4].wert, flaeche > 0 ? K("705 / 141") : K("705 / 0"));
    EXPECT_EQ(k[5].wert, flaeche > 0 ? K("5,0") : K("0,0"));
    const auto z = Druckdaten::Bilanzzeilen(b, true);
    ASSERT_EQ(z.size(), 13u);
    // 1125 / 5 = 225, 555 / 5 = 111, 10 / 5 = 2, 10 × 2.2914 / 5 = 4.58.
    const QStringList jeHa = {z[12].nGes, z[12].nVerf, z[12].p, z[12].p2o5};
    EXPECT_EQ(jeHa, flaeche > 0 ? (QStringList{K("225"), K("111"), K("2"), K("5")})
                                : (QStringList{K("0"), K("0"), K("0"), K("0")}));
    EXPECT_EQ(z[9].nGes, K("0"));
  }
}

TEST(Druckdaten, BilanzzeilenGesamtbetrieb) {
  const auto z = Druckdaten::Bilanzzeilen(Werte(), false);
  ASSERT_EQ(z.size(), 13u);
  EXPECT_EQ(z[0].text, QStringList{K("Mineralische Düngemittel")});
  EXPECT_TRUE(z[0].nZusammen);
  EXPECT_EQ(z[0].nGes, K("405"));
  // 10 × 2.2914 = 22.9
  EXPECT_EQ(z[0].p2o5, K("23"));
  EXPECT_EQ(z[1].nVerf, K("150"));
  EXPECT_EQ(z[2].nVerf, QString());  // no available N of grazing
  EXPECT_EQ(z[7].text.size(), 2);
  EXPECT_EQ(z[8].nGes, K("420"));
  EXPECT_EQ(z[8].p, QString());
  for (const QString& w : {z[9].nGes, z[9].nVerf, z[9].p, z[9].p2o5}) EXPECT_EQ(w, K("0,0"));
  EXPECT_EQ(z[10].nr, QString());
  EXPECT_EQ(z[11].text, QStringList{K("Summe")});
  EXPECT_TRUE(z[11].fett);
  EXPECT_EQ(z[11].nGes, K("1125"));
  EXPECT_EQ(z[11].nVerf, K("555"));
  EXPECT_EQ(z[12].nGes, K("30"));
  EXPECT_EQ(z[12].nVerf, K("15"));
  EXPECT_EQ(z[12].p, QString());
  EXPECT_EQ(z[12].text.size(), 3);
}

// --- read from the database ---------------------------------------------------------

class DruckdatenDb : public DruckBetrieb {};

TEST_F(DruckdatenDb, BetriebskopfUndSchlaege) {
  Sql(K("update DuengeJahr set ErstellungsdatumAufzeichnungBedarf = '2022-01-15' where BetriebsNr = 2"));
  Feld(3, 2.5, 1, Jahr, K("Drei"));
  Feld(1, 4, 2, Jahr, K("Eins"));
  Sql(K("update Schlag set Feldblock = 'DESTLI0512345678' where Parzelle = 1"));
  const auto k = Druckdaten::Betriebskopf(db, Betrieb, Jahr);
  EXPECT_EQ(k.name, K("Hof Linde"));
  EXPECT_EQ(k.strasse, K("Lindenweg 3"));
  EXPECT_EQ(k.ort, K("06108 Halle / Giebichenstein"));
  EXPECT_EQ(k.euNummer, K("276150000001"));
  EXPECT_EQ(k.erstellt, QDate(2022, 1, 15));
  EXPECT_EQ(k.betriebsgroesse, 10.0);
  const auto s = Druckdaten::Schlaege(db, Betrieb, Jahr);
  ASSERT_EQ(s.size(), 2u);
  EXPECT_EQ(s[0].parzelle, 1);
  EXPECT_EQ(s[0].feldblock, K("DESTLI0512345678"));
  EXPECT_EQ(s[0].schlagName, K("Eins"));
  EXPECT_EQ(s[1].groesse, 2.5);
  EXPECT_EQ(Druckdaten::Schlag(db, Betrieb, Jahr, 3)->schlagNr, K("3"));
  EXPECT_FALSE(Druckdaten::Schlag(db, Betrieb, Jahr, 2).has_value());
  EXPECT_FALSE(Druckdaten::Schlag(db, Betrieb, Jahr + 1, 1).has_value());
}

TEST_F(DruckdatenDb, SaetzeNachSchlagMitDenAngabenIhresFeldes) {
  Feld(1, 2, 1, Jahr, K("Zwiebelacker"));
  Feld(2, 3, 2, Jahr, K("Anger"));
  Sql(K("update Schlag set Phosphatgebiet = 2, SonstigDuengebeschraenkung = 1 where Parzelle = 2"));
  const qint64 z = Kultur(1, 115101, K("Winterweizen"));
  const qint64 a = Kultur(2, 171101, K("Wintergerste"));
  Mineral(1, z, K("2021-03-01"), 1, 10);
  Mineral(2, a, K("2021-05-01"), 1, 10);
  Dung({{K("Parzelle"), 2}, {K("ProbenID"), a}, {K("Kategorie"), 2}, {K("Datum"), K("2021-03-01")},
        {K("Menge"), 10}, {K("NT"), 4}, {K("Dng"), K("Gülle")}});
  Mineral(2, a, K("2021-03-01"), 1, 10);
  bool ok = false;
  const auto s = Auswertung::Saetze(db, Betrieb, Jahr, Auswertung::TReihenfolge::NachSchlag, &ok);
  ASSERT_TRUE(ok);
  ASSERT_EQ(s.size(), 4u);
  // "Anger" before "Zwiebelacker"; on a field by date, then category.
  EXPECT_EQ(s[0].schlagName, K("Anger"));
  EXPECT_EQ(s[0].kategorie, 1);
  EXPECT_EQ(s[1].kategorie, 2);
  EXPECT_EQ(s[2].datum, QDate(2021, 5, 1));
  EXPECT_EQ(s[3].schlagName, K("Zwiebelacker"));
  EXPECT_EQ(s[0].phosphatgebiet, 2);
  EXPECT_TRUE(s[0].sonstigeBeschraenkung);
  EXPECT_EQ(s[0].nitratgebiet, 2);
  EXPECT_FALSE(s[3].sonstigeBeschraenkung);
  EXPECT_EQ(s[0].schlagNr.toString(), K("2"));
  // 10 m³ × 4 kg on 3 ha.
  EXPECT_DOUBLE_EQ(s[1].mengeN, 120);
  EXPECT_EQ(Druckdaten::SchlagSaetze(s, 1).size(), 1u);
  EXPECT_EQ(Druckdaten::SchlagSaetze(s, 2).size(), 3u);
}

TEST_F(DruckdatenDb, BilanzOhneAnbauIstLeerUndNichtFehlgeschlagen) {
  const auto b = Druckdaten::Bilanz(db, Betrieb, Jahr, false);
  ASSERT_TRUE(b.has_value());
  EXPECT_EQ(b->Zahl(u"NSumme"), 0.0);
}

}  // namespace
