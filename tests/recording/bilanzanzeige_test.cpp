// What the statement pages show: the table of 17 rows, the header lines, the
// records a statement leaves out, and the creation date.
#include "aufzeichnungsbetrieb.h"
#include "bilanzanzeige.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

QString K(const char* s) { return QString::fromUtf8(s); }

TEST(Bilanztabelle, OhneBilanzUeberallNullKommaNull) {
  const auto t = Bilanzanzeige::Tabelle(std::nullopt, false);
  ASSERT_EQ(t.size(), 17u);
  EXPECT_EQ(t[0], (QStringList{QString(), K("Stickstoff"), K("kg N"), K("Phosphat"), K("kg P"), K("kg P2O5")}));
  for (size_t z = 1; z < t.size(); ++z) {
    SCOPED_TRACE(z);
    ASSERT_EQ(t[z].size(), 6);
    // A value cell says 0,0; a cell without a value stays empty.
    EXPECT_EQ(t[z][2], z == 12 ? QString() : K("0,0"));
    const bool mitP = !t[z][3].isEmpty() && z != 12;
    EXPECT_EQ(t[z][4], mitP ? K("0,0") : QString());
    EXPECT_EQ(t[z][5], mitP ? K("0,0") : QString());
  }
}

TEST(Bilanztabelle, ZeilenNummernUndWerte) {
  TBilanz b;
  b.NMinDung = 400;
  b.PMinDung = 10;  // 22.914 kg P2O5
  b.NTierDung = 100.04;
  b.NVerfN = 50;
  b.NWeide = 50;
  b.PWeide = 0.05;  // shown 0.1 with the program's 0.001 before rounding
  b.NLegum = 30;
  b.NSummeOhneLegumWeide = 500;
  b.PSummeOhneWeide = 10;
  b.NSumme = 580;
  b.PSumme = 10.05;
  b.NSumme_ha = 15;
  b.NSummeVerf = 450;
  const auto t = Bilanzanzeige::Tabelle(b, false);
  ASSERT_EQ(t.size(), 17u);
  struct Soll {
    size_t zeile;
    QStringList zellen;
  };
  const std::vector<Soll> soll = {
      {1, {K("1"), K("Mineralische Düngemittel"), K("400,0"), K("Mineralische Düngemittel"), K("10,0"), K("22,9")}},
      {2, {K("2"), K("Wirtschaftsdünger tierischer Herkunft"), K("100,0"), K("Wirtschaftsdünger tierischer Herkunft"),
           K("0,0"), K("0,0")}},
      {3, {K("3"), K("davon verfügbarer Stickstoff"), K("50,0"), QString(), QString(), QString()}},
      {4, {K("4"), K("Weidehaltung"), K("50,0"), K("Weidehaltung"), K("0,1"), K("0,1")}},
      {11, {K("11"), K("Stickstoffbindung durch Leguminosen"), K("30,0"), QString(), QString(), QString()}},
      {12, {K("12"), K("Sonstige"), QString(), K("Sonstige"), QString(), QString()}},
      {13, {QString(), K("Summe N-Düngung ohne Weidehaltung und Leguminosen"), K("500,0"),
            K("Summe P-Düngung ohne Weidehaltung"), K("10,0"), K("22,9")}},
      {14, {K("13"), K("Summe Gesamtstickstoff"), K("580,0"), K("Summe Phosphat"), K("10,1"), K("23,0")}},
      {15, {K("14"), K("Summe Gesamt-N in kg N/ha LF nach § 6(4) DüV (170 kg-N-Grenze)"), K("15,0"), QString(),
            QString(), QString()}},
      {16, {K("15"), K("Summe verfügbarer Stickstoff"), K("450,0"), QString(), QString(), QString()}},
  };
  for (const Soll& s : soll) EXPECT_EQ(t[s.zeile], s.zellen) << s.zeile;
  EXPECT_EQ(Bilanzanzeige::Tabelle(b, true)[15][1], K("Summe Gesamtstickstoff in kg N/ha im Nitratgebiet"));
}

TEST(Bilanzkopf, GanzeZahlenMitEinheitFlaechenMitZweiStellen) {
  TBilanz b;
  b.NBedarf = 1060;
  b.NBedarfRot = 860;
  b.PBedarf = 42.5;      // halves to even: 42
  b.P2O5Bedarf = 97.39;
  b.NMinDungRG = 100;
  b.NMinDungRG_ha = 10;
  b.NSummeRGOhneLWT = 160.5;  // 160
  b.NSummeRGOhneLWT_ha = 16.05;
  b.FlaecheRotesGebiet = 12.5;
  const Bilanzanzeige::TJahreswerte jahr{QDate(2022, 3, 7), 40.75, 12.5};
  const auto nitrat = Bilanzanzeige::Kopf(true, 2021, b, jahr);
  const std::vector<Bilanzanzeige::TKopfzeile> sollNitrat = {
      {K("Jährlicher Nährstoffeinsatz Nitratgebiet  für N und P für das Düngejahr (01.01. - 31.12.):"), K("2021")},
      {K("Erstellungsdatum:"), K("07.03.2022")},
      {K("Düngebedarf Nitratgebiet (N):"), K("1060 kg")},
      {K("Düngebedarf abzüglich 20% (N):"), K("860 kg")},
      {K("Düngebedarf Nitratgebiet (P/P2O5):"), K("42 / 97 kg")},
      {K("Mineral-N-Einsatz Nitratgebiet:"), K("100 kg  entspricht  10 kg/ha")},
      {K("Gesamt-N-Einsatz Nitratgebiet:"), K("160 kg  entspricht  16 kg/ha")},
      {K("Fläche Nitratgebiet nach §13a:"), K("12,50 ha")},
  };
  ASSERT_EQ(nitrat.size(), sollNitrat.size());
  for (size_t i = 0; i < nitrat.size(); ++i) {
    EXPECT_EQ(nitrat[i].titel, sollNitrat[i].titel);
    EXPECT_EQ(nitrat[i].wert, sollNitrat[i].wert) << nitrat[i].titel.toStdString();
  }
  const auto gesamt = Bilanzanzeige::Kopf(false, 2021, b, jahr);
  ASSERT_EQ(gesamt.size(), 6u);
  EXPECT_EQ(gesamt[0].titel, K("Jährlicher betrieblicher Nährstoffeinsatz für N und P für das Düngejahr (01.01. - 31.12.):"));
  EXPECT_EQ(gesamt[2].wert, K("1060 kg"));
  EXPECT_EQ(gesamt[4].titel, K("Landwirtschaftliche Fläche des Betriebes:"));
  EXPECT_EQ(gesamt[4].wert, K("40,75 ha"));
  EXPECT_EQ(gesamt[5].titel, K("Fläche zur Berechnung der 170-kg-Grenze:"));
  EXPECT_EQ(gesamt[5].wert, K("12,50 ha"));

  // A year without crop rows: no statement, the numbers stay empty.
  const auto leer = Bilanzanzeige::Kopf(false, 2021, std::nullopt, jahr);
  EXPECT_EQ(leer[0].wert, K("2021"));
  EXPECT_EQ(leer[1].wert, K("07.03.2022"));
  for (size_t i = 2; i < leer.size(); ++i) EXPECT_TRUE(leer[i].wert.isEmpty()) << leer[i].titel.toStdString();
}

class Bilanzseite : public AufzeichnungsBetrieb {};

TEST_F(Bilanzseite, NitratgebietBedarfAbzueglichZwanzigProzent) {
  // 10 ha nitrate area: crops 100 kg N/ha = 1000 kg, autumn 6 kg N/ha = 60 kg.
  Feld(1, 10, 2);
  Sql(K("update Schlag set HD_DNG_RG = 6"));
  Kultur(1, 115101, K("Winterweizen"), {{K("Duengebedarf"), 100}});
  const auto b = Bilanz::Nitratgebiet(db, Betrieb, Jahr);
  ASSERT_TRUE(b.has_value());
  const auto kopf = Bilanzanzeige::Kopf(true, Jahr, b, Bilanzanzeige::Jahreswerte(db, Betrieb, Jahr));
  EXPECT_EQ(kopf[2].wert, K("1060 kg"));
  EXPECT_EQ(kopf[3].wert, K("860 kg"));
  EXPECT_EQ(kopf[7].wert, K("10,00 ha"));
}

TEST_F(Bilanzseite, ErstellungsdatumDesJahres) {
  EXPECT_FALSE(Bilanzanzeige::Jahreswerte(db, Betrieb, Jahr).erstellt.isValid());
  ASSERT_TRUE(Bilanzanzeige::ErstellungsdatumSetzen(db, Betrieb, Jahr, QDate(2022, 1, 31)));
  EXPECT_EQ(Bilanzanzeige::Jahreswerte(db, Betrieb, Jahr).erstellt, QDate(2022, 1, 31));
  EXPECT_FALSE(Bilanzanzeige::ErstellungsdatumSetzen(db, Betrieb, 2030, QDate(2022, 1, 31)));  // no such year
}

TEST_F(Bilanzseite, AusgelasseneAufzeichnungenMitGrund) {
  Feld(1, 5, 2);
  Feld(2, 0, 1);
  const qint64 a = Kultur(1, 115101, K("Winterweizen"));
  const qint64 b = Kultur(2, 115101, K("Winterweizen"));
  const auto dung = [&](qint64 kultur, int parzelle, int kategorie, const QVariant& datum) {
    Sql(K("insert into Dung ( BetriebsNr, Jahr, Parzelle, ProbenID, Datum, Kategorie, Nges ) "
          "values ( 2, 2021, :p, :k, :d, :c, 10 )"),
        {{K("p"), parzelle}, {K("k"), kultur}, {K("d"), datum}, {K("c"), kategorie}});
  };
  dung(a, 1, 1, QVariant());          // no date, nitrate area
  dung(b, 2, 2, QVariant());          // no date
  dung(a, 1, 3, QVariant());          // legume: counts without a date
  dung(b, 2, 1, K("2021-04-01"));     // field without a size
  dung(a, 1, 1, K("2021-04-01"));     // counted
  Sql(K("PRAGMA foreign_keys = OFF"));
  Sql(K("insert into Dung ( BetriebsNr, Jahr, Parzelle, ProbenID, Datum, Kategorie, Nges ) "
        "values ( 2, 2021, 9, 999, '2021-05-01', 2, 50 )"));
  Sql(K("PRAGMA foreign_keys = ON"));

  const Bilanz::TAuslassungen gesamt = Bilanz::Ausgelassen(db, Betrieb, Jahr, false);
  EXPECT_EQ(gesamt.ohneDatum, 2);
  EXPECT_EQ(gesamt.ohneSchlag, 1);
  EXPECT_EQ(gesamt.ohneGroesse, 1);
  EXPECT_EQ(Bilanz::AuslassungenText(gesamt),
            K("Nicht berücksichtigt: 2 Aufzeichnungen ohne Datum, 1 Aufzeichnung ohne Schlag im Jahr ihrer Kultur. "
              "Mit 0 kg gezählt: 1 Aufzeichnung auf einem Schlag ohne Größe."));
  const Bilanz::TAuslassungen nitrat = Bilanz::Ausgelassen(db, Betrieb, Jahr, true);
  EXPECT_EQ(nitrat.ohneDatum, 1);
  EXPECT_EQ(nitrat.ohneSchlag, 1);
  EXPECT_EQ(nitrat.ohneGroesse, 0);
  EXPECT_TRUE(Bilanz::AuslassungenText({}).isEmpty());
  EXPECT_TRUE(Bilanz::Ausgelassen(db, Betrieb, 2020, false).Keine());
}

}  // namespace
