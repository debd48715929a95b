// The printed records and statements read back from their PDFs: pages, rows
// per page, the sums and where they stand, the number forms, the statement
// sheet's values. Figures are worked out by hand in the comments.
#include "aufzeichnungsdruck.h"

#include "druckprobe.h"
#include "pdfdruckausgabe.h"

namespace {

using Aufzeichnungsdruck::TErgebnis;
using Druckprobe::Anzahl;
using Druckprobe::Zahlen;

class AufzeichnungsdruckTest : public DruckBetrieb {
protected:
  void SetUp() override {
    DruckBetrieb::SetUp();
    Feld(1, 2, 1, Jahr, K("Am Weg"));
    weizen = Kultur(1, 115101, K("Winterweizen"));
  }
  // n records of 1 dt/ha with 10 kg N and 5 kg available N per dt on the 2 ha
  // of field 1: 20 kg N and 10 kg available N each.
  void Reihe(int n) {
    for (int i = 0; i < n; ++i)
      Mineral(1, weizen, QDate(Jahr, 3, 1).addDays(i).toString(Qt::ISODate), 1, 10, 5);
  }
  qint64 weizen = 0;
};

TEST_F(AufzeichnungsdruckTest, SchlagblattBrichtNach19ZeilenUmUndSummiertJedeSeiteFuerSich) {
  Reihe(25);
  TPDFDruckausgabe d(nullptr, false, meldungen);
  ASSERT_EQ(Aufzeichnungsdruck::Schlag(d, db, Betrieb, Jahr, 1, QDate(2022, 1, 10)), TErgebnis::Gezeichnet);
  EXPECT_FALSE(d.Dokument().Querformat());
  const QStringList seiten = Seiten(d);
  ASSERT_EQ(seiten.size(), 2);
  struct Fall {
    int zeilen;
    QStringList summen;
  } faelle[] = {{19, {K("380"), K("190"), K("0"), K("0")}},  // 19 × 20, 19 × 10
                {6, {K("120"), K("60"), K("0"), K("0")}}};  // 6 × 20, 6 × 10
  for (int s = 0; s < 2; ++s) {
    SCOPED_TRACE(s);
    EXPECT_EQ(Anzahl(seiten[s], K("Min.-D.")), faelle[s].zeilen);
    EXPECT_EQ(Anzahl(seiten[s], K("20,0")), faelle[s].zeilen);
    EXPECT_EQ(Zahlen(seiten[s], K("Summe:")), faelle[s].summen);
    // Every page carries the head of the field and the footer.
    EXPECT_EQ(Zahlen(seiten[s], K("Parzellen-Nr.:")).value(0), K("1"));
    EXPECT_TRUE(seiten[s].contains(K("Schlagname: Am Weg")));
    EXPECT_TRUE(seiten[s].contains(K("Datum: 10.01.2022")));
    EXPECT_TRUE(seiten[s].contains(K("für das Kalenderjahr 2021")));
    EXPECT_TRUE(seiten[s].contains(K("Quendrix2022 Version 3 Datenbankversion 6.7 Varnland, Stand Dezember 2021")));
    EXPECT_TRUE(seiten[s].contains(K("* Weidetag zu je 24 h")));
  }
  EXPECT_TRUE(seiten[0].contains(K("Hof Linde")));
  EXPECT_TRUE(seiten[0].contains(K("Lindenweg 3")));
  EXPECT_TRUE(seiten[0].contains(K("06108 Halle / Giebichenstein")));
}

TEST_F(AufzeichnungsdruckTest, OhneAufzeichnungenWirdNichtsGezeichnet) {
  Feld(2, 3, 1, Jahr, K("Leer"));
  const qint64 zwei = Kultur(2, 115101, K("Winterweizen"));
  Reihe(1);
  // Dated in the year before: no record of the fertiliser year.
  Mineral(2, zwei, K("2020-11-02"), 1, 10);
  TPDFDruckausgabe d(nullptr, false, meldungen);
  EXPECT_EQ(Aufzeichnungsdruck::Schlag(d, db, Betrieb, Jahr, 2, QDate::currentDate()), TErgebnis::Leer);
  EXPECT_EQ(Aufzeichnungsdruck::Schlag(d, db, Betrieb, Jahr, 9, QDate::currentDate()), TErgebnis::Leer);
  EXPECT_EQ(d.Dokument().Seitenzahl(), 0);
}

TEST_F(AufzeichnungsdruckTest, AlleSchlaegeNurFelderMitAufzeichnungenJedesAufNeuerSeite) {
  Feld(2, 4, 1, Jahr, K("Ohne"));
  Kultur(2, 115101, K("Winterweizen"));
  Feld(3, 1, 2, Jahr, K("Aue"));
  const qint64 aue = Kultur(3, 171101, K("Wintergerste"));
  Reihe(20);
  Mineral(3, aue, K("2021-04-01"), 2, 10);
  TPDFDruckausgabe d(nullptr, false, meldungen);
  ASSERT_EQ(Aufzeichnungsdruck::AlleSchlaege(d, db, Betrieb, Jahr, QDate::currentDate()), TErgebnis::Gezeichnet);
  const QStringList seiten = Seiten(d);
  // Field 1 on two pages (19 + 1), field 2 left out, field 3 on its own page.
  ASSERT_EQ(seiten.size(), 3);
  EXPECT_TRUE(seiten[0].contains(K("Am Weg")));
  EXPECT_TRUE(seiten[1].contains(K("Am Weg")));
  EXPECT_TRUE(seiten[2].contains(K("Schlagname: Aue")));
  EXPECT_EQ(Zahlen(seiten[1], K("Summe:")).value(0), K("20"));
  // 2 dt × 10 kg on 1 ha; the field lies in the nitrate area.
  EXPECT_EQ(Zahlen(seiten[2], K("Summe:")).value(0), K("20"));
  EXPECT_TRUE(seiten[2].contains(K("Nitratgebiet: Ja")));
  EXPECT_TRUE(seiten[0].contains(K("Nitratgebiet: Nein")));
}

TEST_F(AufzeichnungsdruckTest, ListenAbschnittVon15Zeilen14UndEineMitSummeAufDerZweitenSeite) {
  Reihe(15);
  TPDFDruckausgabe d(nullptr, true, meldungen);
  ASSERT_EQ(Aufzeichnungsdruck::Listen(d, db, Betrieb, Jahr, false), TErgebnis::Gezeichnet);
  EXPECT_TRUE(d.Dokument().Querformat());
  const QStringList seiten = Seiten(d);
  ASSERT_EQ(seiten.size(), 2);
  EXPECT_EQ(Anzahl(seiten[0], K("N-Dünger")), 14);
  EXPECT_EQ(Anzahl(seiten[1], K("N-Dünger")), 1);
  EXPECT_FALSE(seiten[0].contains(K("Summe:")));
  // The sums run over the whole section: 15 × 20 and 15 × 10.
  EXPECT_EQ(Zahlen(seiten[1], K("Summe:")), (QStringList{K("300"), K("150"), K("0"), K("0")}));
  for (const QString& s : seiten) {
    EXPECT_TRUE(s.contains(K("Mineralische Düngemittel")));
    EXPECT_TRUE(s.contains(K("Kalenderjahr 2021")));
    EXPECT_TRUE(s.contains(K("EU-BetriebsNr:")));
    EXPECT_TRUE(s.contains(K("276150000001")));
  }
}

TEST_F(AufzeichnungsdruckTest, LeereAbschnitteBeginnenKeineSeite) {
  Feld(2, 5, 1, Jahr, K("Weide Nord"));
  const qint64 gruen = Kultur(2, 459, K("Dauergrünland"));
  Reihe(1);
  // 10 animals × 73 days × 75 kg N / 365 on 5 ha: 30 kg/ha, 150 kg.
  Dung({{K("Parzelle"), 2}, {K("ProbenID"), gruen}, {K("Kategorie"), 4}, {K("Datum"), K("2021-06-01")},
        {K("GruppeNr"), 2}, {K("Dng"), K("Jungrinder")}, {K("NT"), 75}, {K("P"), 0}, {K("WeideTiere"), 10},
        {K("WeideTage"), 73}});
  TPDFDruckausgabe d(nullptr, true, meldungen);
  ASSERT_EQ(Aufzeichnungsdruck::Listen(d, db, Betrieb, Jahr, false), TErgebnis::Gezeichnet);
  const QStringList seiten = Seiten(d);
  ASSERT_EQ(seiten.size(), 2);
  EXPECT_TRUE(seiten[0].contains(K("Mineralische Düngemittel")));
  EXPECT_TRUE(seiten[1].contains(K("Weidehaltung")));
  EXPECT_TRUE(seiten[1].contains(K("10/73")));
  EXPECT_EQ(Zahlen(seiten[1], K("Summe:")).value(0), K("150"));
  for (const char* leer : {"Wirtschaftsdünger tierischer Herkunft", "Sonstige organische Düngemittel",
                           "Stickstoffbindung Leguminosen", "Sonstige Stoffe, Substrate, Hilfsmittel"})
    for (const QString& s : seiten) EXPECT_FALSE(s.contains(K(leer))) << leer;

  // In the nitrate area there is no record at all: no lists.
  TPDFDruckausgabe n(nullptr, true, meldungen);
  EXPECT_EQ(Aufzeichnungsdruck::Listen(n, db, Betrieb, Jahr, true), TErgebnis::Leer);
}

TEST_F(AufzeichnungsdruckTest, MineralmengeInTonnenAufDemBlattInDezitonnenInDenListen) {
  // 3 dt/ha with 27 kg N per dt on 2 ha: 81 kg/ha, 162 kg.
  Mineral(1, weizen, K("2021-03-15"), 3, 27);
  TPDFDruckausgabe blatt(nullptr, false, meldungen);
  ASSERT_EQ(Aufzeichnungsdruck::Schlag(blatt, db, Betrieb, Jahr, 1, QDate::currentDate()), TErgebnis::Gezeichnet);
  const QString s = Seiten(blatt).value(0);
  EXPECT_TRUE(s.contains(K("0,300")));
  EXPECT_TRUE(s.contains(K("162,0")));
  EXPECT_FALSE(s.contains(K("3,0 ")));
  TPDFDruckausgabe listen(nullptr, true, meldungen);
  ASSERT_EQ(Aufzeichnungsdruck::Listen(listen, db, Betrieb, Jahr, false), TErgebnis::Gezeichnet);
  const QString l = Seiten(listen).value(0);
  EXPECT_TRUE(l.contains(K("3,0")));
  EXPECT_FALSE(l.contains(K("0,300")));
  EXPECT_TRUE(l.contains(K("15.03.2021")));
  EXPECT_EQ(Zahlen(l, K("Summe:")).value(0), K("162"));
}

// The statement sheet with a statement worked by hand. Field 2, 5 ha: crop
// demand 180 kg N/ha → 900 kg; P demand 10 kg P/ha and 22.9 kg P2O5/ha as
// stored → 50 / 114.5. Mineral 81 kg N/ha (all available) → 405 kg; cattle
// slurry 40 kg N, 20 kg available N, 8 kg P per ha → 200 / 100 / 40 kg,
// 40 kg P = 91.7 kg P2O5.
class BilanzblattTest : public AufzeichnungsdruckTest {
protected:
  void SetUp() override {
    AufzeichnungsdruckTest::SetUp();
    Feld(2, 5, 1, Jahr, K("Breite"));
    Sql(K("update Schlag set P_DuengeBedarf = 10, P2O5_DuengeBedarf = 22.9 where Parzelle = 2"));
    const qint64 gerste = Kultur(2, 171101, K("Wintergerste"), {{K("Duengebedarf"), 180}});
    Dung({{K("Parzelle"), 2}, {K("ProbenID"), gerste}, {K("Kategorie"), 1}, {K("GruppeNr"), 1},
          {K("Datum"), K("2021-03-10")}, {K("Dng"), K("KAS 27")}, {K("Menge"), 3}, {K("NT"), 27},
          {K("Nges"), 81}, {K("Nverf"), 81}, {K("Pges"), 0}});
    Dung({{K("Parzelle"), 2}, {K("ProbenID"), gerste}, {K("Kategorie"), 2}, {K("TaVerfNr"), 1},
          {K("DngGrpNummer"), 1}, {K("Datum"), K("2021-04-10")}, {K("Dng"), K("Rindergülle")}, {K("Menge"), 10},
          {K("NT"), 4}, {K("NH4N"), 2}, {K("P"), 0.8}, {K("Nges"), 40}, {K("Nverf"), 20}, {K("Pges"), 8}});
  }
  QString Blatt(bool nitratgebiet) {
    TPDFDruckausgabe d(nullptr, false, meldungen);
    EXPECT_EQ(Aufzeichnungsdruck::Bilanz(d, db, Betrieb, Jahr, nitratgebiet), TErgebnis::Gezeichnet);
    EXPECT_FALSE(d.Dokument().Querformat());
    const QStringList seiten = Seiten(d);
    EXPECT_EQ(seiten.size(), 1);
    return seiten.value(0);
  }
};

TEST_F(BilanzblattTest, Gesamtbetrieb) {
  const QString s = Blatt(false);
  EXPECT_TRUE(s.contains(K("Gesamtbetrieb")));
  EXPECT_TRUE(s.contains(K("Kalenderjahr 2021")));
  EXPECT_TRUE(s.contains(K("276150000001")));
  EXPECT_EQ(Zahlen(s, K("Gesamtbetrieblicher Düngebedarf (kg N):")).value(0), K("900"));
  // The stored P2O5 demand, not 50 × 2.2914 = 114.6 → 115.
  EXPECT_EQ(Zahlen(s, K("Gesamtbetrieblicher Düngebedarf (kg P/P2O5):")).mid(0, 2),
            (QStringList{K("50"), K("114")}));
  EXPECT_EQ(Zahlen(s, K("Betriebsgröße (ha LF):")).value(0), K("10,0"));
  EXPECT_EQ(Zahlen(s, K("Mineralische Düngemittel")), (QStringList{K("405"), K("0"), K("0")}));
  EXPECT_EQ(Zahlen(s, K("Wirtschaftsdünger tierischer Herkunft")),
            (QStringList{K("200"), K("100"), K("40"), K("92")}));
  // Sum 605 kg N; available N of categories 1, 2 and 5: 405 + 100.
  EXPECT_EQ(Zahlen(s, K("11.")), (QStringList{K("605"), K("505"), K("40"), K("92")}));
  // (605 − 405) / 10 ha and (505 − 405) / 10 ha.
  EXPECT_EQ(Zahlen(s, K("Summe Gesamtstickstoff/verfügbar in kg N/ha")), (QStringList{K("20"), K("10")}));
  EXPECT_EQ(Zahlen(s, K("10.")), (QStringList{K("0,0"), K("0,0"), K("0,0"), K("0,0")}));
  EXPECT_TRUE(s.contains(K("Quendrix2022 Version 3 Datenbankversion 6.7 Varnland, Stand Dezember 2021")));
}

TEST_F(BilanzblattTest, NitratgebietOhneFlaecheDortJeHaUeberallNull) {
  const QString s = Blatt(true);
  EXPECT_TRUE(s.contains(K("Betriebsflächen im Nitratgebiet")));
  EXPECT_EQ(Zahlen(s, K("Mineral-N-Einsatz Nitratgebiet (kg N/kgN/ha):")).mid(0, 2), (QStringList{K("0"), K("0")}));
  EXPECT_EQ(Zahlen(s, K("Gesamt-N-Einsatz Nitratgebiet (kg N/kgN/ha):")).mid(0, 2), (QStringList{K("0"), K("0")}));
  EXPECT_EQ(Zahlen(s, K("Summe in kg Nährstoff pro ha landwirtschaftlich")),
            (QStringList{K("0"), K("0"), K("0"), K("0")}));
  EXPECT_EQ(Zahlen(s, K("10.")), (QStringList{K("0"), K("0"), K("0"), K("0")}));
  EXPECT_TRUE(s.contains(K("Quendrix Version 3.0; Stand Dezember 2020")));
}

// The findings of the checks of the legal limits below the statement table.
// KAS 27 (27 % N) on arable land in November stands in the closed period after
// the harvest; pdftotext breaks long sentences where the sheet breaks them, so
// the page is read as running text.
class BilanzbefundeTest : public BilanzblattTest {
protected:
  static QString Sperrfrist(const QString& datum) {
    return K("Schlag 1: KAS 27 am %1 auf Ackerland – Sperrfrist nach der Ernte der Hauptfrucht bis 31.01., "
             "Herbstdüngung nur bis 01.10. (DüV § 6 Abs. 8)")
        .arg(datum);
  }
  QStringList Blaetter(bool nitratgebiet = false) {
    TPDFDruckausgabe d(nullptr, false, meldungen);
    EXPECT_EQ(Aufzeichnungsdruck::Bilanz(d, db, Betrieb, Jahr, nitratgebiet), TErgebnis::Gezeichnet);
    EXPECT_FALSE(d.Dokument().Querformat());
    QStringList seiten = Seiten(d);
    for (QString& s : seiten) s = s.simplified();
    return seiten;
  }
  static inline const QString Kopf = K("Prüfung der Grenzen der Düngeverordnung");
};

TEST_F(BilanzbefundeTest, EinBefundOderKeinerAufDemEinenBlatt) {
  struct Fall {
    const char* datum;  // the added record; empty: none
    bool befund;
  } faelle[] = {{"", false}, {"2021-09-20", false}, {"2021-11-15", true}};
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.datum);
    Sql(K("delete from Dung where Parzelle = 1"));
    if (*f.datum) Mineral(1, weizen, K(f.datum), 1, 27, 27);
    for (bool nitratgebiet : {false, true}) {
      SCOPED_TRACE(nitratgebiet);
      const QStringList seiten = Blaetter(nitratgebiet);
      ASSERT_EQ(seiten.size(), 1);
      const QString& s = seiten[0];
      EXPECT_EQ(Anzahl(s, Kopf), 1);
      EXPECT_EQ(s.contains(Sperrfrist(K("15.11.2021"))), f.befund);
      EXPECT_EQ(s.contains(K("Keine Überschreitung gefunden.")), !f.befund);
      // No other finding of a field, and the findings stand below the table.
      EXPECT_EQ(Anzahl(s, K("Schlag ")), f.befund ? 1 : 0);
      EXPECT_GT(s.indexOf(Kopf), s.indexOf(K("verfügbarer Stickstoff oder Ammoniumstickstoff")));
    }
  }
}

TEST_F(BilanzbefundeTest, VieleBefundeGehenAufEinerHochformatseiteMitFusszeileWeiter) {
  // 25 applications from 1 to 25 November: 25 findings, more than the room
  // below the table, fewer than a further page holds.
  for (int tag = 1; tag <= 25; ++tag) Mineral(1, weizen, QDate(Jahr, 11, tag).toString(Qt::ISODate), 1, 27, 27);
  const QStringList seiten = Blaetter();
  ASSERT_EQ(seiten.size(), 2);
  const QString alle = seiten.join(u' ');
  for (int tag = 1; tag <= 25; ++tag)
    EXPECT_EQ(Anzahl(alle, Sperrfrist(QDate(Jahr, 11, tag).toString(K("dd.MM.yyyy")))), 1) << tag;
  // Each page has some of them and the footer; the second says it goes on.
  for (const QString& s : seiten) {
    EXPECT_GT(Anzahl(s, K("Sperrfrist nach der Ernte")), 0);
    EXPECT_EQ(Anzahl(s, K("Quendrix2022 Version 3 Datenbankversion 6.7 Varnland, Stand Dezember 2021")), 1);
  }
  EXPECT_EQ(Anzahl(seiten[1], Kopf + K(" (Fortsetzung)")), 1);
  EXPECT_FALSE(seiten[1].contains(K("Gesamtbetrieb")));
  // In date order: the first on the sheet, the last on the further page.
  EXPECT_TRUE(seiten[0].contains(Sperrfrist(K("01.11.2021"))));
  EXPECT_TRUE(seiten[1].contains(Sperrfrist(K("25.11.2021"))));
}

}  // namespace
