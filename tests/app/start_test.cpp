// Opening the database at program start: regional formats, creation, takeover,
// refresh, versions too old, foreign files, a second instance, the end.
#include "altdatenbank.h"
#include "connection.h"
#include "files.h"
#include "lebenslauf.h"
#include "skriptmeldungen.h"
#include "start.h"
#include "stoerhilfe.h"
#include "stoerung.h"
#include "testdatenbank.h"
#include "testvorlage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>

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

// --- damaged files, leftovers and faults at start ---------------------------------

// A folder after two sessions: the database holds farm 3, the newest backup
// farm 2 (written 12.03.2024, 15:30), the one before farm 1.
class Schaden : public ::testing::Test {
protected:
  void SetUp() override {
    for (int betrieb = 1; betrieb <= 3; ++betrieb) {
      TADOModConnection db;
      ASSERT_TRUE(Start::DatenbankOeffnen(db, ordner.path(), meldungen));
      ASSERT_TRUE(db.Ausfuehren(QStringLiteral("delete from Betriebe where ID > 1; "
                                               "insert into Betriebe ( ID, Betriebsname ) values ( :b, 'Hof' )"),
                                {{QStringLiteral("b"), betrieb + 1}}));
      if (betrieb < 3) Start::Beenden(db, ordner.path());
    }
    QFile neueste(Dateien::Sicherung(ordner.path(), 1));
    ASSERT_TRUE(neueste.open(QIODevice::ReadWrite));
    ASSERT_TRUE(neueste.setFileTime(QDateTime(QDate(2024, 3, 12), QTime(15, 30)), QFileDevice::FileModificationTime));
    neueste.close();
    meldungen.Leeren();
  }
  QString Datei() const { return ordner.filePath(Dateien::Datenbank); }
  void Beschaedigen() { ASSERT_TRUE(SeiteBeschaedigen(Datei(), int(QFileInfo(Datei()).size() / 1024 / 2))); }
  std::string Sicherungen() { return Liste(OrdnerDateien(ordner.filePath(Dateien::Sicherungsordner))); }

  QTemporaryDir ordner;
  TSkriptMeldungen meldungen;
};

TEST_F(Schaden, EineBeschaedigteDatenbankWirdErkanntUndDieNeuesteSicherungZurueckgeholt) {
  Beschaedigen();
  const QByteArray beschaedigt = DateiInhalt(Datei());
  meldungen.antworten.push_back(true);
  TADOModConnection db;
  ASSERT_TRUE(Start::DatenbankOeffnen(db, ordner.path(), meldungen));
  ASSERT_EQ(meldungen.protokoll.size(), 2) << Liste(meldungen.protokoll);
  const QString frage = meldungen.protokoll[0];
  EXPECT_TRUE(frage.startsWith(QStringLiteral("Frage: Die Datenbank \u201EQuendrix2021.mdb\u201C ist beschädigt. (")))
      << T(frage);
  EXPECT_TRUE(frage.endsWith(QStringLiteral(
      ") Soll die neueste unbeschädigte Sicherung vom 12.03.2024 um 15:30 Uhr wiederhergestellt werden? Die beschädigte "
      "Datei bleibt unter einem neuen Namen im Programmordner erhalten; was nach dieser Sicherung gespeichert wurde, "
      "fehlt in der wiederhergestellten Datenbank.")))
      << T(frage);
  const QString info = meldungen.protokoll[1];
  EXPECT_TRUE(info.startsWith(QStringLiteral("Info: Die Sicherung vom 12.03.2024 um 15:30 Uhr wurde wiederhergestellt. "
                                             "Die beschädigte Datei liegt jetzt als \u201EQuendrix2021.beschaedigt-")))
      << T(info);
  // Opened for work on the backup's data; the damaged file lies beside it.
  EXPECT_EQ(db.Zugriff(), TZugriff::Exklusiv);
  EXPECT_EQ(db.Wert(QStringLiteral("select max(ID) from Betriebe")).toInt(), 3);
  const QStringList beiseite =
      QDir(ordner.path()).entryList({QStringLiteral("Quendrix2021.beschaedigt-*.mdb")}, QDir::Files);
  ASSERT_EQ(beiseite.size(), 1);
  EXPECT_TRUE(info.contains(beiseite[0]));
  EXPECT_EQ(DateiInhalt(ordner.filePath(beiseite[0])), beschaedigt);
  EXPECT_EQ(Sicherungen(), "Quendrix2021.01 | Quendrix2021.02");
  // The next close backs up the restored, intact file.
  Start::Beenden(db, ordner.path());
  EXPECT_EQ(Liste(meldungen.Infos().mid(1)), "");
  EXPECT_EQ(Sicherungen(), "Quendrix2021.01 | Quendrix2021.02 | Quendrix2021.03");
}

TEST_F(Schaden, OhneZustimmungBleibtAllesWieEsWar) {
  Beschaedigen();
  const QByteArray beschaedigt = DateiInhalt(Datei());
  meldungen.antworten.push_back(false);
  TADOModConnection db;
  EXPECT_FALSE(Start::DatenbankOeffnen(db, ordner.path(), meldungen));
  EXPECT_EQ(Liste(meldungen.Infos()),
            "Die Datenbank \u201EQuendrix2021.mdb\u201C bleibt unverändert.\nDas Programm wird beendet.");
  EXPECT_FALSE(db.IstOffen());
  EXPECT_EQ(DateiInhalt(Datei()), beschaedigt);
  EXPECT_EQ(Liste(OrdnerDateien(ordner.path())), "Quendrix2021.mdb");
  EXPECT_EQ(Sicherungen(), "Quendrix2021.01 | Quendrix2021.02");
}

TEST_F(Schaden, OhneIntakteSicherungWirdNurGemeldet) {
  Beschaedigen();
  for (int n = 1; n <= 2; ++n) ASSERT_TRUE(SeiteBeschaedigen(Dateien::Sicherung(ordner.path(), n), 10));
  const QByteArray beschaedigt = DateiInhalt(Datei());
  TADOModConnection db;
  EXPECT_FALSE(Start::DatenbankOeffnen(db, ordner.path(), meldungen));
  ASSERT_EQ(meldungen.protokoll.size(), 1) << Liste(meldungen.protokoll);
  const QString text = meldungen.Infos().value(0);
  EXPECT_TRUE(text.startsWith(QStringLiteral("Die Datenbank \u201EQuendrix2021.mdb\u201C ist beschädigt. (")));
  EXPECT_TRUE(text.endsWith(QStringLiteral(
      ") Im Ordner \u201ESIC\u201C gibt es keine unbeschädigte Sicherung. Die Datei bleibt unverändert. Bitte holen Sie "
      "eine Sicherung von einem anderen Datenträger zurück oder wenden Sie sich an die Betreuung des Programms.\n"
      "Das Programm wird beendet.")))
      << T(text);
  EXPECT_EQ(DateiInhalt(Datei()), beschaedigt);
}

TEST_F(Schaden, EinBeimSichernGefundenerSchadenWirdGemeldetUndNichtGesichert) {
  TADOModConnection db;
  ASSERT_TRUE(Start::DatenbankOeffnen(db, ordner.path(), meldungen));
  db.Schliessen();
  Beschaedigen();
  Start::Beenden(db, ordner.path());
  ASSERT_EQ(meldungen.Infos().size(), 1);
  EXPECT_TRUE(meldungen.Infos()[0].startsWith(
      QStringLiteral("Die Datenbank \u201EQuendrix2021.mdb\u201C ist beschädigt und wurde deshalb nicht gesichert.")));
  EXPECT_EQ(Sicherungen(), "Quendrix2021.01 | Quendrix2021.02");
}

TEST_F(Schaden, EineVolleFestplatteBeimSichernWirdGemeldet) {
  TADOModConnection db;
  ASSERT_TRUE(Start::DatenbankOeffnen(db, ordner.path(), meldungen));
  const QByteArray neueste = DateiInhalt(Dateien::Sicherung(ordner.path(), 1));
  {
    Stoerung::TAktiv voll([](Stoerung::TArt art, const QString& datei) {
      return art == Stoerung::TArt::Schreiben && datei.endsWith(QLatin1String("SIC/Quendrix2021.tmp")) ? ENOSPC : 0;
    });
    Start::Beenden(db, ordner.path());
  }
  ASSERT_EQ(meldungen.Infos().size(), 1);
  EXPECT_TRUE(meldungen.Infos()[0].startsWith(QStringLiteral("Die Datenbank konnte nicht gesichert werden.")));
  EXPECT_EQ(Sicherungen(), "Quendrix2021.01 | Quendrix2021.02");
  EXPECT_EQ(DateiInhalt(Dateien::Sicherung(ordner.path(), 1)), neueste);
}

TEST(Start, ResteFruehererLaeufeWerdenBeimStartEntfernt) {
  QTemporaryDir ordner;
  TSkriptMeldungen meldungen;
  {
    TADOModConnection db;
    ASSERT_TRUE(Start::DatenbankOeffnen(db, ordner.path(), meldungen));
    Start::Beenden(db, ordner.path());
  }
  // A killed compaction, creation and backup; a lock of a program that no longer runs.
  for (const char* rest : {"Quendrix2021.$$$", "Quendrix2021.$$$-journal", "Quendrix2021.mdb.tmp",
                           "Quendrix2021.mdb.tmp-journal", "SIC/Quendrix2021.tmp"}) {
    QFile f(ordner.filePath(QString::fromLatin1(rest)));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(3000, 'x'));
  }
  {
    QFile sperre(ordner.filePath(QStringLiteral("Quendrix2021.lck")));
    ASSERT_TRUE(sperre.open(QIODevice::WriteOnly));
    sperre.write("999999\nquendrix\n" + QSysInfo::machineHostName().toUtf8() + "\n");
  }
  TADOModConnection db;
  ASSERT_TRUE(Start::DatenbankOeffnen(db, ordner.path(), meldungen));
  EXPECT_EQ(Liste(meldungen.Infos()), "");
  db.Schliessen();
  EXPECT_EQ(Liste(OrdnerDateien(ordner.path())), "Quendrix2021.mdb");
  EXPECT_EQ(Liste(OrdnerDateien(ordner.filePath(QStringLiteral("SIC")))), "Quendrix2021.01");
}

TEST(Start, EineLeereDateiEinesAbgebrochenenAnlegensSperrtNichtAus) {
  // An earlier release killed while creating left an empty file with its journal.
  for (const bool mitSchema : {false, true}) {
    SCOPED_TRACE(mitSchema ? "nur Kopf" : "0 Byte");
    QTemporaryDir ordner;
    const QString datei = ordner.filePath(Dateien::Datenbank);
    if (mitSchema) {
      TADOModConnection v;
      v.setDatenbankName(datei);
      ASSERT_TRUE(v.Anlegen());
    } else {
      QFile f(datei);
      ASSERT_TRUE(f.open(QIODevice::WriteOnly));
      QFile j(datei + QStringLiteral("-journal"));
      ASSERT_TRUE(j.open(QIODevice::WriteOnly));
    }
    TSkriptMeldungen meldungen;
    TADOModConnection db;
    ASSERT_TRUE(Start::DatenbankOeffnen(db, ordner.path(), meldungen)) << Liste(meldungen.Infos());
    EXPECT_EQ(Liste(meldungen.Infos()), "");
    EXPECT_EQ(db.Wert(QStringLiteral("select count(*) from Befehle")).toInt(), 58);
  }
}

struct StartStoerung {
  const char* name;
  bool mitDatenbank;
  Stoerung::TArt art;
  const char* endung;
  int fehler;
  const char* anfang;
  const char* engine;
};

class StartGestoert : public ::testing::TestWithParam<StartStoerung> {};

TEST_P(StartGestoert, MeldetAufDeutschUndOeffnetNichtZumArbeiten) {
  const StartStoerung& f = GetParam();
  QTemporaryDir ordner;
  TSkriptMeldungen meldungen;
  if (f.mitDatenbank) {
    TADOModConnection db;
    ASSERT_TRUE(Start::DatenbankOeffnen(db, ordner.path(), meldungen));
    Start::Beenden(db, ordner.path());
  }
  TADOModConnection db;
  {
    Stoerung::TAktiv stoerung([&](Stoerung::TArt art, const QString& datei) {
      return art == f.art && datei.endsWith(QString::fromLatin1(f.endung)) ? f.fehler : 0;
    });
    EXPECT_FALSE(Start::DatenbankOeffnen(db, ordner.path(), meldungen));
  }
  EXPECT_FALSE(db.IstOffen());
  ASSERT_EQ(meldungen.Infos().size(), 1) << Liste(meldungen.Infos());
  const QString text = meldungen.Infos()[0];
  EXPECT_TRUE(text.startsWith(QString::fromUtf8(f.anfang))) << T(text);
  EXPECT_TRUE(text.contains(QString::fromLatin1(f.engine))) << T(text);
  for (const char* englisch : {"attempt to write", "unable to open", "disk is full", "no such savepoint"})
    EXPECT_FALSE(text.startsWith(QLatin1String(englisch))) << T(text);
}

INSTANTIATE_TEST_SUITE_P(
    Start, StartGestoert,
    ::testing::Values(
        StartStoerung{"DateiSchreibgeschuetzt", true, Stoerung::TArt::Oeffnen, "Quendrix2021.mdb", EACCES,
                      "Die Datei \u201EQuendrix2021.mdb\u201C ist schreibgeschützt", "Das Programm wird beendet."},
        StartStoerung{"OrdnerSchreibgeschuetzt", true, Stoerung::TArt::Anlegen, "Quendrix2021.mdb-journal", EACCES,
                      "Im Ordner \u201E", "(unable to open database file)\nDas Programm wird beendet."},
        StartStoerung{"DatentraegerVoll", true, Stoerung::TArt::Schreiben, "-journal", ENOSPC,
                      "Auf dem Datenträger des Ordners", "(database or disk is full)\nDas Programm wird beendet."},
        StartStoerung{"AnlegenImSchreibgeschuetztenOrdner", false, Stoerung::TArt::Anlegen, "Quendrix2021.mdb.tmp",
                      EACCES, "Die Datenbank \u201EQuendrix2021.mdb\u201C konnte nicht angelegt werden. Im Ordner",
                      "(unable to open database file)"},
        StartStoerung{"AnlegenAufVollerPlatte", false, Stoerung::TArt::Schreiben, ".tmp", ENOSPC,
                      "Die Datenbank \u201EQuendrix2021.mdb\u201C konnte nicht angelegt werden. Auf dem Datenträger",
                      "(database or disk is full)"}),
    [](const ::testing::TestParamInfo<StartStoerung>& i) { return std::string(i.param.name); });

}  // namespace
