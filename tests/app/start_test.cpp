// Opening the database at program start: creation, foreign files, a second instance.
#include "connection.h"
#include "files.h"
#include "skriptmeldungen.h"
#include "start.h"
#include "testdatenbank.h"

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

}  // namespace
