// The farm-data tables: columns, defaults versus null, the key chain and its cascades.
#include "testdatenbank.h"

#include "schema.h"

namespace {

using Schema_ = TestDatenbank;

int Anzahl(TADOModConnection& db, const char* sql) { return db.Wert(QString::fromLatin1(sql)).toInt(); }

TEST_F(Schema_, HatAlleTabellenMitIhrenSpaltenzahlen) {
  // Column counts as the tables of the farm data list them.
  const std::pair<const char*, int> tabellen[] = {{"Betriebe", 19}, {"DuengeJahr", 77}, {"Merk", 20},
                                                   {"Schlag", 158},  {"Anbau", 90},      {"Dung", 48}};
  for (const auto& [name, spalten] : tabellen) {
    SCOPED_TRACE(name);
    EXPECT_EQ(db.Spalten(QString::fromLatin1(name)).size(), spalten);
  }
  for (const char* sicht : {"AnbauMitRG", "DungMitFlaeche", "DungMitRG", "DungHF"})
    EXPECT_TRUE(db.TabelleExistiert(QString::fromLatin1(sicht))) << sicht;
}

TEST_F(Schema_, VorgabenUndNullBleibenGetrennt) {
  BeispielBetrieb();
  ASSERT_TRUE(db.Ausfuehren(QStringLiteral("INSERT INTO Merk DEFAULT VALUES")));
  struct Fall {
    const char* sql;
    QVariant erwartet;  // invalid: null
  };
  const Fall faelle[] = {
      {"SELECT BewirtschaftungsAuflagen FROM Schlag", 0},
      {"SELECT Groesse FROM Schlag", 0.0},
      {"SELECT P_AnalyseDatum FROM Schlag", {}},
      {"SELECT Feldblock FROM Schlag", QString()},
      {"SELECT BerechnungsDatum FROM Anbau", {}},
      {"SELECT Duengebedarf FROM Anbau", 0.0},
      {"SELECT HumusGroesserVier FROM Anbau", 0},
      {"SELECT Bundesland FROM Betriebe", 0},
      {"SELECT EU_NUMMER FROM Betriebe", QString()},
      {"SELECT IsOeko FROM DuengeJahr", 0},
      {"SELECT BeginDuengejahr FROM DuengeJahr", {}},
      {"SELECT Geoeffnet FROM Merk", {}},
      {"SELECT VersionNummer FROM Merk", 0},
      {"SELECT ZuschlagGrund_1 FROM Merk", QString()},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.sql);
    const QVariant v = db.Wert(QString::fromLatin1(f.sql));
    if (!f.erwartet.isValid()) {
      EXPECT_TRUE(v.isNull());
    } else {
      ASSERT_FALSE(v.isNull());
      EXPECT_EQ(v.toString(), f.erwartet.toString());
    }
  }
  // A record's crop row and the older-format columns have no default.
  ASSERT_TRUE(db.Ausfuehren(QStringLiteral("INSERT INTO Dung (BetriebsNr, Jahr, Parzelle) VALUES (2, 2021, 10)")));
  EXPECT_TRUE(db.Wert(QStringLiteral("SELECT ProbenID FROM Dung")).isNull());
  EXPECT_TRUE(db.Wert(QStringLiteral("SELECT Datum FROM Dung")).isNull());
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT OrgDng FROM Dung")).toString(), QString());
}

TEST_F(Schema_, ZaehlerWerdenNieWiederverwendet) {
  ASSERT_TRUE(db.Ausfuehren(QStringLiteral("INSERT INTO Betriebe (Betriebsname) VALUES ('a'), ('b')")));
  ASSERT_TRUE(db.Ausfuehren(QStringLiteral("DELETE FROM Betriebe WHERE Betriebsname = 'b'")));
  ASSERT_TRUE(db.Ausfuehren(QStringLiteral("INSERT INTO Betriebe (Betriebsname) VALUES ('c')")));
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT ID FROM Betriebe WHERE Betriebsname = 'c'")).toInt(), 3);
}

TEST_F(Schema_, LoeschenEinesBetriebsEntferntAllesDarunter) {
  const qint64 anbau = BeispielBetrieb();
  ASSERT_TRUE(db.Ausfuehren(QStringLiteral("INSERT INTO Dung (BetriebsNr, Jahr, Parzelle, ProbenID, Kategorie) "
                                           "VALUES (2, 2021, 10, :a, 1)"),
                            {{QStringLiteral("a"), anbau}}));
  ASSERT_TRUE(db.Ausfuehren(QStringLiteral("INSERT INTO Betriebe (ID) VALUES (3); "
                                           "INSERT INTO DuengeJahr (BetriebsNr, Duengejahr) VALUES (3, 2021)")));
  ASSERT_TRUE(db.AusfuehrenMitMeldung(QStringLiteral("DELETE FROM Betriebe WHERE ID = 2")));
  EXPECT_EQ(Anzahl(db, "SELECT count(*) FROM DuengeJahr WHERE BetriebsNr = 2"), 0);
  EXPECT_EQ(Anzahl(db, "SELECT count(*) FROM Schlag"), 0);
  EXPECT_EQ(Anzahl(db, "SELECT count(*) FROM Anbau"), 0);
  EXPECT_EQ(Anzahl(db, "SELECT count(*) FROM Dung"), 0);
  EXPECT_EQ(Anzahl(db, "SELECT count(*) FROM DuengeJahr WHERE BetriebsNr = 3"), 1);
}

TEST_F(Schema_, LoeschenEinerKulturEntferntIhreDuengungen) {
  const qint64 anbau = BeispielBetrieb();
  ASSERT_TRUE(db.Ausfuehren(QStringLiteral("INSERT INTO Dung (BetriebsNr, Jahr, Parzelle, ProbenID, Kategorie) "
                                           "VALUES (2, 2021, 10, :a, 3), (2, 2021, 10, :a, 2)"),
                            {{QStringLiteral("a"), anbau}}));
  ASSERT_TRUE(db.AusfuehrenMitMeldung(QStringLiteral("DELETE FROM Anbau WHERE ID = :a"), {{QStringLiteral("a"), anbau}}));
  EXPECT_EQ(Anzahl(db, "SELECT count(*) FROM Dung"), 0);
  EXPECT_EQ(Anzahl(db, "SELECT count(*) FROM Schlag"), 1);
}

TEST_F(Schema_, NeueParzellennummerWandertInKulturenUndDuengungen) {
  const qint64 anbau = BeispielBetrieb();
  ASSERT_TRUE(db.Ausfuehren(QStringLiteral("INSERT INTO Dung (BetriebsNr, Jahr, Parzelle, ProbenID) VALUES (2, 2021, 10, :a)"),
                            {{QStringLiteral("a"), anbau}}));
  ASSERT_TRUE(db.AusfuehrenMitMeldung(QStringLiteral("UPDATE Schlag SET Parzelle = 77 WHERE Parzelle = 10")));
  EXPECT_EQ(Anzahl(db, "SELECT Parzelle FROM Anbau"), 77);
  EXPECT_EQ(Anzahl(db, "SELECT Parzelle FROM Dung"), 77);
  EXPECT_EQ(Anzahl(db, "SELECT count(*) FROM DungHF WHERE Parzelle = 77"), 1);
}

TEST_F(Schema_, EineDuengungOhnePassendeKulturWirdAbgewiesen) {
  BeispielBetrieb();
  EXPECT_FALSE(db.Ausfuehren(QStringLiteral("INSERT INTO Dung (BetriebsNr, Jahr, Parzelle, ProbenID) VALUES (2, 2021, 10, 999)")));
  EXPECT_FALSE(db.Ausfuehren(QStringLiteral("INSERT INTO Schlag (BetriebsNr, Jahr, Parzelle) VALUES (2, 2022, 1)")));
}

TEST_F(Schema_, SichtenZeigenFlaecheUndAuflageDesSchlags) {
  BeispielBetrieb();
  ASSERT_TRUE(db.Ausfuehren(QStringLiteral("UPDATE Schlag SET Groesse = 12.5, BewirtschaftungsAuflagen = 2")));
  EXPECT_DOUBLE_EQ(db.Wert(QStringLiteral("SELECT Flaeche FROM AnbauMitRG")).toDouble(), 12.5);
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT BewirtschaftungsAuflagen FROM AnbauMitRG")).toInt(), 2);
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT Kultur FROM AnbauMitRG")).toString(), QStringLiteral("Winterweizen"));
}

TEST_F(Schema_, FehlendeSpaltenWerdenErgaenzt) {
  const Schema::TTabelle* betriebe = Schema::TKatalog::Standard().Tabelle(QStringLiteral("Betriebe"));
  ASSERT_TRUE(betriebe);
  ASSERT_TRUE(db.Ausfuehren(QStringLiteral("CREATE TABLE Alt (ID INTEGER PRIMARY KEY, Betriebsname TEXT)")));
  Schema::TTabelle alt = *betriebe;
  alt.name = QStringLiteral("Alt");
  const QStringList neu = Schema::FehlendeSpaltenErgaenzen(db, alt);
  EXPECT_EQ(neu.size(), 17);
  EXPECT_TRUE(neu.contains(QStringLiteral("Gesperrt2020")));
  EXPECT_TRUE(Schema::FehlendeSpaltenErgaenzen(db, alt).isEmpty());
}

}  // namespace
