// Opening the database at program start: regional formats, creation, takeover,
// refresh, versions too old, foreign files, a second instance, the end.
#include "altdatenbank.h"
#include "connection.h"
#include "files.h"
#include "lebenslauf.h"
#include "skriptmeldungen.h"
#include "start.h"
#include "testdatenbank.h"
#include "testvorlage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

TEST(Start, LegtDieDatenbankUndDieSicherungsordnerAnUndSichertBeimBeenden) {
  QTemporaryDir ordner;
  TSkriptMeldungen meldungen;
  TADOModConnection db;
  Start::OrdnerAnlegen(ordner.path());
  ASSERT_TRUE(Start::DatenbankOeffnen(db, ordner.path(), meldungen));
  EXPECT_TRUE(meldungen.Infos().isEmpty());
  EXPECT_TRUE(QFileInfo(ordner.filePath(QStringLiteral("SIC/EC"))).isDir());
  EXPECT_EQ(db.Zugriff(), TZugriff::Exklusiv);
  EXPECT_EQ(db.Wert(QStringLiteral("select count(*) from Befehle")).toInt(), 58);
  EXPECT_EQ(db.Wert(QStringLiteral("select count(*) from S_KulturenNP where FA_NR = 999202")).toInt(), 1);
  Start::Beenden(db, ordner.path());
  EXPECT_FALSE(db.IstOffen());
  EXPECT_TRUE(QFile::exists(ordner.filePath(QStringLiteral("SIC/Quendrix2021.01"))));
}

TEST(Start, EinZweiterStartWirdMitMeldungAbgewiesen) {
  QTemporaryDir ordner;
  TSkriptMeldungen meldungen;
  TADOModConnection erster, zweiter;
  ASSERT_TRUE(Testvorlage::AngelegteDatenbank(ordner.path()));
  ASSERT_TRUE(Start::DatenbankOeffnen(erster, ordner.path(), meldungen));
  EXPECT_FALSE(Start::DatenbankOeffnen(zweiter, ordner.path(), meldungen));
  ASSERT_EQ(meldungen.Infos().size(), 1);
  EXPECT_TRUE(meldungen.Infos()[0].contains(QStringLiteral("von einem anderen Programm benutzt")));
  EXPECT_TRUE(meldungen.Infos()[0].endsWith(QStringLiteral("Das Programm wird beendet.")));
}

TEST(Start, EineFremdeDateiWirdWederUeberschriebenNochGeloescht) {
  QTemporaryDir ordner;
  const QString datei = ordner.filePath(Dateien::Datenbank);
  QByteArray access(4096, '\0');
  access.replace(0, 19, QByteArray("\x00\x01\x00\x00Standard Jet DB", 19));
  {
    QFile f(datei);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(access);
  }
  TSkriptMeldungen meldungen;
  TADOModConnection db;
  EXPECT_FALSE(Start::DatenbankOeffnen(db, ordner.path(), meldungen));
  ASSERT_EQ(meldungen.Infos().size(), 1);
  EXPECT_TRUE(meldungen.Infos()[0].contains(QStringLiteral("Access-Datenbank")));
  EXPECT_EQ(DateiInhalt(datei), access);
  EXPECT_EQ(QDir(ordner.path()).entryList(QDir::Files), QStringList{Dateien::Datenbank});
}

TEST(Start, EineZuAlteVersionWirdNichtAngefasst) {
  QTemporaryDir ordner;
  const QString alt = ordner.filePath(Dateien::AlteDatenbank);
  {
    TADOModConnection v;
    v.setDatenbankName(alt);
    ASSERT_TRUE(v.Anlegen());
    ASSERT_TRUE(v.Ausfuehren(QStringLiteral("create table Merk ( VersionNummer SMALLINT ); insert into Merk values ( 4 )")));
  }
  const QByteArray vorher = DateiInhalt(alt);
  TSkriptMeldungen meldungen;
  TADOModConnection db;
  EXPECT_FALSE(Start::DatenbankOeffnen(db, ordner.path(), meldungen));
  EXPECT_EQ(meldungen.Infos(), QStringList{QStringLiteral("Zu alte Version, bitte führen Sie vor der Datenübernahme alle "
                                                          "vorigen Aktualisierungsschritte durch.")});
  EXPECT_FALSE(QFile::exists(ordner.filePath(Dateien::Datenbank)));
  EXPECT_EQ(DateiInhalt(alt), vorher);
}

// --- regional formats -----------------------------------------------------------

struct FormatFall {
  const char* locale;
  const char* waehrung;
  const char* tausender;
  const char* dezimal;
  const char* datum;
  const char* zeit;
  bool richtig;
};

class Formate : public ::testing::TestWithParam<FormatFall> {};

TEST_P(Formate, WerdenAusDerEinstellungGelesenUndMitDenDeutschenVerglichen) {
  const FormatFall& f = GetParam();
  const Start::TFormate formate = Start::Formate(QLocale(QString::fromLatin1(f.locale)));
  EXPECT_EQ(formate.waehrung, QString::fromUtf8(f.waehrung));
  EXPECT_EQ(formate.tausender, QString::fromUtf8(f.tausender));
  EXPECT_EQ(formate.dezimal, QString::fromUtf8(f.dezimal));
  EXPECT_EQ(formate.datum, QString::fromUtf8(f.datum));
  EXPECT_EQ(formate.zeit, QString::fromUtf8(f.zeit));
  EXPECT_EQ(Start::FormateRichtig(QLocale(QString::fromLatin1(f.locale))), f.richtig);
}

INSTANTIATE_TEST_SUITE_P(
    Start, Formate,
    ::testing::Values(FormatFall{"de_DE", "€", ".", ",", ".", ":", true},
                      FormatFall{"de_LU", "€", ".", ",", ".", ":", true},
                      // each differs in one place: decimal, thousands, currency, date
                      FormatFall{"en_US", "$", ",", ".", "/", ":", false},
                      FormatFall{"de_AT", "€", "\u00a0", ",", ".", ":", false},
                      FormatFall{"ro_RO", "RON", ".", ",", ".", ":", false},
                      FormatFall{"nl_NL", "€", ".", ",", "-", ":", false},
                      FormatFall{"da_DK", "kr.", ".", ",", ".", ".", false},
                      FormatFall{"sl_SI", "€", ".", ",", ". ", ":", false}));

TEST(Start, FalscheLaendereinstellungMeldetUndBeendetOhneEtwasAnzulegen) {
  QTemporaryDir ordner;
  TSkriptMeldungen meldungen;
  TADOModConnection db;
  const Start::TErgebnis e = Start::Starten(db, ordner.path(), meldungen, QLocale(QLocale::English, QLocale::UnitedStates));
  EXPECT_FALSE(e.ok);
  EXPECT_EQ(meldungen.protokoll,
            QStringList{QStringLiteral(
                "Info: Fehlerhafte Ländereinstellung gefunden. Bitte stellen Sie vor der Verwendung des Programms in der "
                "Systemsteuerung im Unterpunkt Region und Sprache auf der Seite Formate dasFormat einmal auf "
                "\"Englisch (USA)\" um dann wieder zurück auf \"Deutsch (Deutschland)\".")});
  EXPECT_TRUE(QDir(ordner.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
  EXPECT_FALSE(db.IstOffen());
}

TEST(Start, DieVomProgrammGesetztenDeutschenFormateBestehenDiePruefung) {
  // The test program, like the program, sets German formats as the default.
  EXPECT_TRUE(Start::FormateRichtig(QLocale()));
}

// --- version pair ----------------------------------------------------------------

struct VersionFall {
  bool dateiDa;
  int nummer;
  int unter;
  Start::TVerfahren verfahren;
};

class Versionen : public ::testing::TestWithParam<VersionFall> {};

TEST_P(Versionen, BestimmenDasVerfahren) {
  const VersionFall& f = GetParam();
  EXPECT_EQ(Start::Verfahren(f.dateiDa, {f.nummer, f.unter}), f.verfahren);
}

using V = Start::TVerfahren;
INSTANTIATE_TEST_SUITE_P(Start, Versionen,
                         ::testing::Values(VersionFall{false, 0, 0, V::Anlegen}, VersionFall{true, 1, 0, V::ZuAlt},
                                           VersionFall{true, 4, 9, V::ZuAlt}, VersionFall{true, 5, 0, V::Uebernehmen},
                                           VersionFall{true, 6, 2, V::Auffrischen},
                                           VersionFall{true, 6, 5, V::Auffrischen}, VersionFall{true, 6, 1, V::Keines},
                                           VersionFall{true, 6, 6, V::Keines}, VersionFall{true, 7, 3, V::Keines},
                                           VersionFall{true, 0, 0, V::Keines}));

// A current database in the folder with the given sub-version and a field
// whose catch crop (9) has no catch-crop row: a refresh re-derives it as 14.
void AktuelleDatenbank(const QString& ordner, int unterNummer) {
  ASSERT_TRUE(Testvorlage::AngelegteDatenbank(ordner));
  TADOModConnection db;
  db.setDatenbankName(QDir(ordner).filePath(Dateien::Datenbank));
  ASSERT_EQ(db.Oeffnen(), TOeffnenErgebnis::Ok);
  ASSERT_TRUE(db.Ausfuehren(QStringLiteral("insert into Betriebe ( ID, Betriebsname ) values ( 2, 'Hof Linde' );"
                                           "insert into DuengeJahr ( BetriebsNr, Duengejahr ) values ( 2, 2021 );"
                                           "insert into Schlag ( BetriebsNr, Jahr, Parzelle, Zwischenfrucht ) "
                                           "values ( 2, 2021, 1, 9 );"
                                           "update Merk set VersionUnterNummer = %1")
                                .arg(unterNummer)));
}

struct AuffrischFall {
  int unter;
  bool aufgefrischt;
};

class Auffrischen : public ::testing::TestWithParam<AuffrischFall> {};

TEST_P(Auffrischen, NurDieUnterversionenZweiBisFuenf) {
  QTemporaryDir ordner;
  AktuelleDatenbank(ordner.path(), GetParam().unter);
  TSkriptMeldungen meldungen;
  TADOModConnection db;
  const Start::TErgebnis e = Start::Starten(db, ordner.path(), meldungen);
  ASSERT_TRUE(e.ok);
  EXPECT_EQ(e.version, std::make_pair(6, GetParam().unter));
  EXPECT_FALSE(e.Uebernommen());
  EXPECT_TRUE(meldungen.Infos().isEmpty()) << meldungen.Infos().join(QLatin1Char('\n')).toStdString();
  EXPECT_EQ(meldungen.protokoll.contains(QStringLiteral("Warten: ") + Datenbank::WarteText), GetParam().aufgefrischt);
  EXPECT_EQ(db.Wert(QStringLiteral("select Zwischenfrucht from Schlag")).toInt(), GetParam().aufgefrischt ? 14 : 9);
  EXPECT_EQ(db.Wert(QStringLiteral("select VersionUnterNummer from Merk")).toInt(), 6);
  EXPECT_EQ(db.Zugriff(), TZugriff::Exklusiv);
}

INSTANTIATE_TEST_SUITE_P(Start, Auffrischen,
                         ::testing::Values(AuffrischFall{2, true}, AuffrischFall{3, true}, AuffrischFall{5, true},
                                           AuffrischFall{1, false}, AuffrischFall{6, false}));

class ZuAlt : public ::testing::TestWithParam<int> {};

TEST_P(ZuAlt, MeldetUndBeendetOhneAnzulegenOderZuAendern) {
  // Under the current name as well: nothing is converted, nothing created.
  QTemporaryDir ordner;
  const QString datei = ordner.filePath(Dateien::Datenbank);
  {
    TADOModConnection v;
    v.setDatenbankName(datei);
    ASSERT_TRUE(v.Anlegen());
    ASSERT_TRUE(v.Ausfuehren(QStringLiteral("create table Merk ( VersionNummer SMALLINT, VersionUnterNummer SMALLINT ); "
                                            "insert into Merk values ( %1, 3 )")
                                 .arg(GetParam())));
  }
  const QByteArray vorher = DateiInhalt(datei);
  TSkriptMeldungen meldungen;
  TADOModConnection db;
  EXPECT_FALSE(Start::Starten(db, ordner.path(), meldungen).ok);
  EXPECT_EQ(meldungen.protokoll, QStringList{QStringLiteral("Info: Zu alte Version, bitte führen Sie vor der "
                                                            "Datenübernahme alle vorigen Aktualisierungsschritte durch.")});
  EXPECT_EQ(DateiInhalt(datei), vorher);
  EXPECT_EQ(QDir(ordner.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{Dateien::Datenbank});
  EXPECT_FALSE(db.IstOffen());
}

INSTANTIATE_TEST_SUITE_P(Start, ZuAlt, ::testing::Values(1, 2, 3, 4));

TEST(Start, EineDatenbankOhneLesbareVersionBleibtUnveraendert) {
  QTemporaryDir ordner;
  const QString datei = ordner.filePath(Dateien::Datenbank);
  {
    TADOModConnection v;
    v.setDatenbankName(datei);
    ASSERT_TRUE(v.Anlegen());
    ASSERT_TRUE(v.Ausfuehren(QStringLiteral("create table Betriebe ( ID INTEGER )")));
  }
  const QByteArray vorher = DateiInhalt(datei);
  TSkriptMeldungen meldungen;
  TADOModConnection db;
  EXPECT_FALSE(Start::Starten(db, ordner.path(), meldungen).ok);
  ASSERT_EQ(meldungen.Infos().size(), 1);
  EXPECT_TRUE(meldungen.Infos()[0].contains(QStringLiteral("keine lesbare Versionsangabe")));
  EXPECT_EQ(DateiInhalt(datei), vorher);
}

// --- takeover of the older format ------------------------------------------------

const QString AltInhalt = QStringLiteral(
    "insert into Merk ( BetriebsNr, Jahr, VersionNummer ) values ( 2, 2021, 5 );"
    "insert into Betriebe ( ID, Betriebsname ) values ( 1, 'Nullbetrieb' ), ( 2, 'Altbetrieb' );"
    "insert into DuengeJahr ( BetriebsNr, Duengejahr ) values ( 2, 2019 ), ( 2, 2021 );"
    "insert into Proben ( ID, BetriebsNr, Jahr, Parzelle, Kultur, Feldblock ) values "
    "( 1, 2, 2019, 12, 'Raps', 'ST1' ), ( 2, 2, 2021, 5, 'Winterweizen A, B', 'DEVLLI0000000001' )");

TEST(Start, VersionFuenfWirdMitHinweisUebernommenUndDieAlteDateiBleibt) {
  QTemporaryDir ordner;
  const QString alt = ordner.filePath(Dateien::AlteDatenbank);
  ASSERT_TRUE(AlteDatenbankAnlegen(alt, AltInhalt));
  const QByteArray vorher = DateiInhalt(alt);
  TSkriptMeldungen meldungen;
  TADOModConnection db;
  const Start::TErgebnis e = Start::Starten(db, ordner.path(), meldungen);
  ASSERT_TRUE(e.ok);
  EXPECT_TRUE(e.Uebernommen());
  EXPECT_EQ(e.version, std::make_pair(5, 0));
  EXPECT_TRUE(meldungen.protokoll.contains(QStringLiteral(
      "Warten: Bitte warten, Anlegen bzw. Aktualisieren der Datenbank, das kann einige Minuten dauern.\n"
      "Hinweis: Es wird nur ab dem Jahr 2020 übernommen.")));
  EXPECT_TRUE(meldungen.Infos().isEmpty()) << meldungen.Infos().join(QLatin1Char('\n')).toStdString();
  EXPECT_EQ(db.DatenbankName(), ordner.filePath(Dateien::Datenbank));
  EXPECT_EQ(db.Wert(QStringLiteral("select VersionNummer || '.' || VersionUnterNummer from Merk")).toString(),
            QStringLiteral("6.6"));
  EXPECT_EQ(db.Wert(QStringLiteral("select group_concat( Duengejahr ) from DuengeJahr")).toString(), QStringLiteral("2021"));
  EXPECT_TRUE(QFileInfo(ordner.filePath(QStringLiteral("SIC/EC"))).isDir());
  db.Schliessen();
  EXPECT_EQ(DateiInhalt(alt), vorher);
}

TEST(Start, VersionFuenfUnterDemNeuenNamenWirdNichtUeberschrieben) {
  QTemporaryDir ordner;
  const QString datei = ordner.filePath(Dateien::Datenbank);
  ASSERT_TRUE(AlteDatenbankAnlegen(datei, AltInhalt));
  const QByteArray vorher = DateiInhalt(datei);
  TSkriptMeldungen meldungen;
  TADOModConnection db;
  EXPECT_FALSE(Start::Starten(db, ordner.path(), meldungen).ok);
  ASSERT_EQ(meldungen.Infos().size(), 1);
  EXPECT_TRUE(meldungen.Infos()[0].contains(QStringLiteral("hat das ältere Format (Version 5)")));
  EXPECT_EQ(DateiInhalt(datei), vorher);
  EXPECT_FALSE(QFile::exists(ordner.filePath(Dateien::AlteDatenbank)));
}

TEST(Start, BeendenLoeschtDieMarkierungsdatei) {
  QTemporaryDir ordner;
  TSkriptMeldungen meldungen;
  TADOModConnection db;
  ASSERT_TRUE(Testvorlage::AngelegteDatenbank(ordner.path()));
  ASSERT_TRUE(Start::Starten(db, ordner.path(), meldungen).ok);
  QFile upd(ordner.filePath(QStringLiteral("Quendrix.upd")));
  ASSERT_TRUE(upd.open(QIODevice::WriteOnly));
  upd.close();
  Start::Beenden(db, ordner.path());
  EXPECT_FALSE(QFile::exists(ordner.filePath(QStringLiteral("Quendrix.upd"))));
  EXPECT_TRUE(QFile::exists(ordner.filePath(QStringLiteral("SIC/Quendrix2021.01"))));
}

}  // namespace
