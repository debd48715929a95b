// Creation, takeover of the older format, refresh and the maintenance at every opening.
#include "altdatenbank.h"
#include "files.h"
#include "lebenslauf.h"
#include "schema.h"
#include "skriptmeldungen.h"
#include "testdatenbank.h"
#include "testvorlage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

class Lebenslauf : public ::testing::Test {
protected:
  QString Datei() const { return ordner.filePath(Dateien::Datenbank); }
  void Oeffnen() {
    db.setDatenbankName(Datei());
    ASSERT_EQ(db.Oeffnen(), TOeffnenErgebnis::Ok) << db.Fehlermeldung().toStdString();
  }
  int Zahl(const char* sql) { return db.Wert(QString::fromUtf8(sql)).toInt(); }
  QString Text(const char* sql) { return db.Wert(QString::fromUtf8(sql)).toString(); }
  void KeineFehler() {
    for (const QString& z : meldungen.protokoll)
      EXPECT_TRUE(z.startsWith(QLatin1String("Warten"))) << z.toStdString();
  }

  QTemporaryDir ordner;
  TSkriptMeldungen meldungen;
  TADOModConnection db{&meldungen};
};

TEST_F(Lebenslauf, EineNeueDatenbankHatVorlagebetriebEinstellungenStammdatenBefehleUndSichten) {
  ASSERT_TRUE(Datenbank::Anlegen(ordner.path(), meldungen));
  EXPECT_EQ(meldungen.protokoll.value(0), QStringLiteral("Warten: ") + Datenbank::WarteText);
  EXPECT_EQ(meldungen.protokoll.last(), QStringLiteral("Warten Ende"));
  KeineFehler();
  Oeffnen();
  EXPECT_EQ(Text("select group_concat(ID || '|' || Betriebsname || '|' || Bundesland) from Betriebe"),
            QStringLiteral("1|Nullbetrieb|15"));
  EXPECT_EQ(Text("select group_concat(BetriebsNr || '|' || Jahr || '|' || VersionNummer || '|' || MaxKulturGruppe || '|' || "
                 "VersionUnterNummer) from Merk"),
            QStringLiteral("0|2021|6|3|6"));
  EXPECT_EQ(Datenbank::Version(Datei()), std::make_pair(6, 6));
  EXPECT_EQ(Zahl("select count(*) from Befehle"), 58);
  EXPECT_EQ(Zahl("select count(*) from sqlite_master where type = 'view'"), 8);
  EXPECT_EQ(Zahl("select min(ID) * 100 + max(ID) from S_Zwifru"), 614);
  EXPECT_EQ(Zahl("select count(*) from S_KulturenNP where BetriebsNr = 1"), 255);
  EXPECT_EQ(Zahl("select count(*) from S_KulturenNP where FA_NR = 293301"), 0);  // no Meerrettich yet
  EXPECT_EQ(Zahl("select count(*) from S_MinDung"), 288);
  EXPECT_EQ(Zahl("select count(*) from S_Tiere"), 121);
  // Twelve of the 104 shipped organic fertilisers are no longer offered and go at once.
  EXPECT_EQ(Zahl("select count(*) from S_OrgDung"), 92);
  EXPECT_EQ(Zahl("select count(*) from S_OrgDung where OrgDngNummer in (59, 103)"), 0);
  EXPECT_EQ(Zahl("select count(*) from S_Orte where BLCODE = 15"), 1033);
  EXPECT_EQ(Zahl("select count(*) from GLBoden"), 6);
  // Creation does not touch an existing file.
  const QByteArray vorher = DateiInhalt(Datei());
  db.Schliessen();
  EXPECT_FALSE(Datenbank::Anlegen(ordner.path(), meldungen));
  EXPECT_EQ(DateiInhalt(Datei()), vorher);
}

TEST_F(Lebenslauf, DieWartungErgaenztKulturenTrockenmasseUndEinstellungen) {
  ASSERT_TRUE(Testvorlage::AngelegteDatenbank(ordner.path()));
  Oeffnen();
  ASSERT_TRUE(db.Ausfuehren(QStringLiteral(
      "insert into Betriebe ( ID, Betriebsname ) values ( 2, 'Hof Linde' );"
      "update Merk set VersionUnterNummer = 4;"
      "insert into S_KulturenNP ( BetriebsNr, FA_NR, Kultur, FRU_ART_NR ) values ( 2, 999999, 'eigene', 9999 )")));
  Datenbank::Wartung(db);
  KeineFehler();
  EXPECT_EQ(Zahl("select count(*) from S_KulturenNP where FA_NR = 999202 and BetriebsNr = 1"), 1);
  EXPECT_EQ(Zahl("select count(*) from S_KulturenNP where BetriebsNr = 2"), 257);  // 255 + catch-all + own
  EXPECT_EQ(Zahl("select count(*) from S_KulturenNP where FRU_ART_NR = 9999 and Auswahl = 0"), 0);
  const std::pair<int, int> ts[] = {{236101, 91}, {243101, 22}, {244101, 28}, {240101, 23}, {224101, 86}, {248201, 20}, {149301, 9}};
  for (const auto& [nr, wert] : ts)
    EXPECT_EQ(db.Wert(QStringLiteral("select group_concat(distinct TS) from S_KulturenNP where FA_NR = %1").arg(nr)).toInt(), wert) << nr;
  EXPECT_EQ(Zahl("select count(*) from S_KulturenNP where FA_NR = 999999 and TS = 0"), 1);
  EXPECT_EQ(Zahl("select VersionUnterNummer from Merk"), 6);
  EXPECT_FALSE(db.Wert(QStringLiteral("select Geoeffnet from Merk")).isNull());
  // A second run adds nothing.
  Datenbank::Wartung(db);
  EXPECT_EQ(Zahl("select count(*) from S_KulturenNP where FA_NR = 999202"), 2);
  KeineFehler();
}

// A database of a release before the field outlines gets their table at the
// next opening, hanging on the fields: a field's deletion takes its outline.
TEST_F(Lebenslauf, DieWartungLegtDieUmrisstabelleAn) {
  ASSERT_TRUE(Testvorlage::AngelegteDatenbank(ordner.path()));
  Oeffnen();
  ASSERT_TRUE(db.Ausfuehren(QStringLiteral("drop table SchlagUmriss")));
  ASSERT_TRUE(Datenbank::Wartung(db));
  KeineFehler();
  ASSERT_TRUE(db.Ausfuehren(QStringLiteral(
      "insert into Betriebe ( ID, Betriebsname ) values ( 2, 'Hof Linde' );"
      "insert into DuengeJahr ( BetriebsNr, Duengejahr ) values ( 2, 2021 );"
      "insert into Schlag ( BetriebsNr, Jahr, Parzelle ) values ( 2, 2021, 7 );"
      "insert into SchlagUmriss ( BetriebsNr, Jahr, Parzelle, Ringe ) values ( 2, 2021, 7, x'00' )")));
  EXPECT_EQ(Text("select typeof( Ringe ) from SchlagUmriss"), QStringLiteral("blob"));
  ASSERT_TRUE(db.Ausfuehren(QStringLiteral("delete from Schlag")));
  EXPECT_EQ(Zahl("select count(*) from SchlagUmriss"), 0);
  // An outline without its field has nowhere to go.
  EXPECT_FALSE(db.Ausfuehren(QStringLiteral(
      "insert into SchlagUmriss ( BetriebsNr, Jahr, Parzelle, Ringe ) values ( 2, 2021, 8, x'00' )")));
}

TEST_F(Lebenslauf, AuffrischenHinterlaesstGenauEinenMeerrettichUndErhaeltDieBetriebsdaten) {
  ASSERT_TRUE(Testvorlage::AngelegteDatenbank(ordner.path()));
  Oeffnen();
  ASSERT_TRUE(db.Ausfuehren(QStringLiteral(
      "insert into Betriebe ( ID, Betriebsname, SitzOrtsTeilNr ) values ( 2, 'Hof Linde', 1000000 );"
      "insert into DuengeJahr ( BetriebsNr, Duengejahr ) values ( 2, 2021 );"
      "insert into Schlag ( BetriebsNr, Jahr, Parzelle, Zwischenfrucht ) values ( 2, 2021, 1, 9 );"
      "insert into Anbau ( BetriebsNr, Jahr, Parzelle, FruchtNr, HauptfruchtNummer, Zwischenfrucht, ZwischenfruchtText ) "
      "values ( 2, 2021, 1, 0, 10, 10, 'Leguminose, nicht abgefroren, im Frühjahr eingearbeitet' );"
      "update Merk set VersionUnterNummer = 3")));
  Datenbank::Wartung(db);
  db.Schliessen();
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(Datenbank::Auffrischen(ordner.path(), meldungen));
    Oeffnen();
    Datenbank::Wartung(db);
    db.Schliessen();
  }
  KeineFehler();
  Oeffnen();
  EXPECT_EQ(Zahl("select count(*) from S_KulturenNP where FA_NR = 293301 and BetriebsNr = 1"), 1);
  EXPECT_EQ(Zahl("select count(*) from S_KulturenNP where FA_NR = 293301 and BetriebsNr = 2"), 1);
  EXPECT_EQ(Zahl("select TS from S_KulturenNP where FA_NR = 293301 and BetriebsNr = 1"), 23);
  EXPECT_EQ(Datenbank::Version(Datei()), std::make_pair(6, 6));
  // The field takes its catch crop from the catch-crop row; the district from the seat.
  EXPECT_EQ(Zahl("select Zwischenfrucht from Schlag"), 10);
  EXPECT_EQ(Text("select Kreis from Betriebe where ID = 2"), QStringLiteral("Dessau-Roßlau"));
  // The legume catch crop has its flat N fixation record, once.
  EXPECT_EQ(Text("select group_concat(Kategorie || '|' || Nges || '|' || IsLegumPauschal) from Dung"), QStringLiteral("3|105.0|1"));
}

// An older database (format 5) as the Windows program left it, built from
// the current tables without the columns added since.
class Uebernahme : public Lebenslauf {
protected:
  void SetUp() override {
    ASSERT_TRUE(AlteDatenbankAnlegen(ordner.filePath(Dateien::AlteDatenbank), QStringLiteral(
        "insert into Merk ( BetriebsNr, Jahr, VersionNummer ) values ( 2, 2020, 5 );"
        "insert into Betriebe ( ID, Betriebsname ) values ( 1, 'Nullbetrieb' ), ( 2, 'Altbetrieb' );"
        "insert into DuengeJahr ( BetriebsNr, Duengejahr ) values ( 2, 2019 ), ( 2, 2020 );"
        // 2019: field 12 with two crops, not taken over.
        "insert into Proben ( ID, BetriebsNr, Jahr, Parzelle, Kultur ) values ( 1, 2, 2019, 12, 'Raps' ), ( 2, 2, 2019, 12, 'Weizen' );"
        // 2020: field 5 with crops of ID 40 and 35; a legume catch crop before them.
        "insert into Proben ( ID, BetriebsNr, Jahr, Parzelle, Kultur, HauptfruchtNummer, TatsErtrag, Feldblock, Groesse, "
        "  BewirtschaftungsAuflagen, Zwischenfrucht, ZwischenfruchtText, P_Gehalt ) values "
        "( 40, 2, 2020, 5, 'Zwiebel, Bund-', 830101, 300, 'ST12345', 4.5, 2, 14, '-------ohne-------', 5 ),"
        "( 35, 2, 2020, 5, 'Winterweizen A, B', 224101, 92, 'ST12345', 4.5, 2, 10, "
        "  'Leguminose, nicht abgefroren, im Frühjahr eingearbeitet', 5 );"
        "insert into Proben ( ID, BetriebsNr, Jahr, Parzelle, Feldblock, Zwischenfrucht ) values "
        "( 50, 2, 2020, 7, 'DEVLLI0000000001', 14 ), ( 51, 2, 2020, 8, 'ABCDEFGHIJK', 0 );"
        // Organic applications: autumn 2019, compost of 2018, slurry of 2018.
        "insert into OrgDng ( BetriebsNr, Jahr, Parzelle, ID, ProbenID, Datum, OrgDngNummer, OrgDng, NT, Menge, GruppeNr, OrgDngGrpNummer ) "
        "values ( 2, 2020, 5, 1, 35, '2019-10-12', 9, 'Stallmist Rind', 5.5, 20, 2, 2 ),"
        "( 2, 2020, 5, 2, 35, '2018-09-01', 47, 'Bioabfallkompost', 9, 10, 5, 5 ),"
        "( 2, 2020, 5, 3, 35, '2018-09-01', 25, 'Gülle dünn Rind', 2, 30, 1, 1 );"
        "insert into S_OrgDung ( BetriebsNr, OrgDngNummer, OrgDng, OrgDngGrpNummer, GruppeNr, P, Auswahl ) "
        "values ( 2, 5000, '_eigene Gülle', 7, 1, 0.7, 1 );"
        "insert into S_Kulturen values ( 2, 224101, 77, 1 )")));
    altInhalt = DateiInhalt(ordner.filePath(Dateien::AlteDatenbank));
    ASSERT_EQ(Datenbank::Version(ordner.filePath(Dateien::AlteDatenbank)), std::make_pair(5, 0));
    ASSERT_TRUE(Datenbank::Hochstufen(ordner.path(), meldungen));
    Oeffnen();
    Datenbank::Wartung(db);
  }
  QByteArray altInhalt;
};

TEST_F(Uebernahme, NurJahreAb2020UndDieKulturenJeSchlagDurchnummeriert) {
  KeineFehler();
  EXPECT_EQ(meldungen.protokoll.value(0), QStringLiteral("Warten: ") + Datenbank::WarteText + QStringLiteral("\n") +
                                              Datenbank::HinweisUebernahme);
  EXPECT_EQ(DateiInhalt(ordner.filePath(Dateien::AlteDatenbank)), altInhalt);
  EXPECT_EQ(Datenbank::Version(Datei()), std::make_pair(6, 6));
  EXPECT_EQ(Text("select group_concat(Duengejahr) from DuengeJahr"), QStringLiteral("2020"));
  EXPECT_EQ(Zahl("select count(*) from Schlag where Parzelle = 12"), 0);
  EXPECT_EQ(Text("select group_concat(ID || ':' || FruchtNr, ' ') from (select * from Anbau where Parzelle = 5 and "
                 "FruchtNr > 0 order by ID)"),
            QStringLiteral("35:1 40:2"));
  // The field summarises its rows.
  EXPECT_EQ(Text("select Feldblock || '|' || HauptfruchtNummer || '|' || HFEinzelertrag || '|' || Phosphatgebiet || '|' || "
                 "round(P2O5_Gehalt, 4) || '|' || Groesse from Schlag where Parzelle = 5"),
            QStringLiteral("DEVLLIST12345|830101|300.0|1|11.457|4.5"));
  EXPECT_EQ(Text("select group_concat(Feldblock, ' ') from (select Feldblock from Schlag where Parzelle in (7, 8) order by Parzelle)"),
            QStringLiteral("DEVLLI0000000001 ABCDEFGHIJK"));
  EXPECT_EQ(Zahl("select RotesGebiet from Anbau where ID = 35"), 2);
  EXPECT_EQ(Zahl("select count(*) from Anbau where Parzelle = 8"), 1);  // its crop row, no row for catch crop 0
  EXPECT_FALSE(db.TabelleExistiert(QStringLiteral("Proben")));
  EXPECT_FALSE(db.TabelleExistiert(QStringLiteral("S_Kulturen")));
}

TEST_F(Uebernahme, OrganischeGabenWandernInsNeueDuengejahr) {
  EXPECT_EQ(Text("select group_concat(OldProbenID || ':' || Jahr || ':' || ProbenID || ':' || Kategorie || ':' || DngNummer, ' ') "
                 "from (select * from Dung where Kategorie = 2 order by OldProbenID)"),
            QStringLiteral("1:2020:35:2:9 2:2020:35:2:47"));
  // The catch crop before field 5's crops, with its legume record of 105 kg N/ha.
  EXPECT_EQ(Text("select HauptfruchtNummer || '|' || FruchtNr || '|' || Kultur from Anbau where FruchtNr = 0 and Parzelle = 5"),
            QStringLiteral("10|0|Leguminose, nicht abgefroren, im Frühjahr eingearbeitet"));
  EXPECT_EQ(Zahl("select Nges from Dung where Kategorie = 3 and DngNummer = 10"), 105);
}

TEST_F(Uebernahme, StammdatenDesBetriebsWerdenUebernommenUndErgaenzt) {
  EXPECT_EQ(Text("select TatsErtrag || '|' || TatsErtrag_19 || '|' || TatsErtrag_20 || '|' || Auswahl from S_KulturenNP "
                 "where BetriebsNr = 2 and FA_NR = 224101"),
            QStringLiteral("77.0|77.0|77.0|1"));
  EXPECT_EQ(Zahl("select count(*) from S_KulturenNP where BetriebsNr = 2"), 257);  // with Meerrettich and the catch-all
  // The own fertiliser of group 7 is marked as own; its P2O5 content is completed from P.
  EXPECT_EQ(Text("select IstEigen || '|' || OrgDngGrpNummer || '|' || OEKO_GRUPPE || '|' || round(P2O5_Gehalt, 4) from S_OrgDung "
                 "where OrgDngNummer = 5000"),
            QStringLiteral("1|1|1|1.604"));
  EXPECT_GT(Zahl("select ID from S_OrgDung where OrgDngNummer = 5000"), 0);
  EXPECT_EQ(Zahl("select Bundesland from Betriebe where ID = 2"), 15);
  // The key chain holds in the converted file: deleting the farm takes everything with it.
  ASSERT_TRUE(db.AusfuehrenMitMeldung(QStringLiteral("delete from Betriebe where ID = 2")));
  EXPECT_EQ(Zahl("select (select count(*) from DuengeJahr) + (select count(*) from Anbau) + (select count(*) from Dung) + "
                 "(select count(*) from S_OrgDung where BetriebsNr = 2)"),
            0);
}

}  // namespace
