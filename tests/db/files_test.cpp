// Exclusive opening, foreign files, compaction and the backup rotation.
#include "testdatenbank.h"

#include "files.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace {

using Datei_ = TestDatenbank;

TEST_F(Datei_, ExklusivGeoeffnetWeistEineZweiteVerbindungSofortAb) {
  db.Schliessen();
  ASSERT_EQ(db.Oeffnen(TZugriff::Exklusiv), TOeffnenErgebnis::Ok);
  TADOModConnection zweite;
  zweite.setDatenbankName(Datei());
  EXPECT_EQ(zweite.Oeffnen(TZugriff::Exklusiv), TOeffnenErgebnis::Gesperrt);
  EXPECT_TRUE(zweite.Fehlermeldung().contains(QStringLiteral("von einem anderen Programm")));
  EXPECT_EQ(zweite.Oeffnen(TZugriff::Geteilt), TOeffnenErgebnis::Gesperrt);
  // The first connection still works.
  EXPECT_TRUE(db.Ausfuehren(QStringLiteral("INSERT INTO Betriebe (ID) VALUES (2)")));
}

TEST_F(Datei_, EinZweitesProgrammKommtNichtAnDieDatei) {
  db.Schliessen();
  ASSERT_EQ(db.Oeffnen(TZugriff::Exklusiv), TOeffnenErgebnis::Ok);
  const QString cli = QStandardPaths::findExecutable(QStringLiteral("sqlcipher"));
  if (cli.isEmpty()) GTEST_SKIP() << "sqlcipher-Kommandozeile nicht installiert";
  QProcess p;
  p.start(cli, {Datei()});
  p.write("PRAGMA key = 'Feldsteinmaus';\nSELECT count(*) FROM Betriebe;\n");
  p.closeWriteChannel();
  ASSERT_TRUE(p.waitForFinished(10000));  // refused at once, no waiting
  EXPECT_TRUE(p.readAllStandardError().contains("locked"));
}

TEST_F(Datei_, FremdeDateienBleibenUnveraendert) {
  db.Schliessen();
  QByteArray access(2048, '\0');
  access.replace(0, 19, QByteArray("\x00\x01\x00\x00Standard Jet DB", 19));
  const std::pair<const char*, QByteArray> faelle[] = {
      {"Access", access},
      {"Text", QByteArray("Dies ist keine Datenbank.\n").repeated(100)},
      {"leer", QByteArray()},
  };
  for (const auto& [name, inhalt] : faelle) {
    SCOPED_TRACE(name);
    const QString datei = ordner.filePath(QStringLiteral("fremd_%1.mdb").arg(QString::fromLatin1(name)));
    QFile f(datei);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(inhalt);
    f.close();
    TADOModConnection v;
    v.setDatenbankName(datei);
    EXPECT_EQ(v.Oeffnen(TZugriff::Exklusiv), TOeffnenErgebnis::FremdeDatei);
    EXPECT_TRUE(v.Fehlermeldung().contains(QStringLiteral("unverändert")));
    EXPECT_EQ(DateiInhalt(datei), inhalt);
  }
  TADOModConnection v;
  v.setDatenbankName(ordner.filePath(QStringLiteral("fremd_Access.mdb")));
  v.Oeffnen();
  EXPECT_TRUE(v.Fehlermeldung().contains(QStringLiteral("Access-Datenbank")));
}

TEST_F(Datei_, EineUnverschluesselteSqliteDateiIstNichtUnsere) {
  db.Schliessen();
  const QString cli = QStandardPaths::findExecutable(QStringLiteral("sqlcipher"));
  if (cli.isEmpty()) GTEST_SKIP() << "sqlcipher-Kommandozeile nicht installiert";
  const QString datei = ordner.filePath(QStringLiteral("offen.mdb"));
  ASSERT_EQ(QProcess::execute(cli, {datei, QStringLiteral("CREATE TABLE t (a); INSERT INTO t VALUES (1);")}), 0);
  const QByteArray vorher = DateiInhalt(datei);
  TADOModConnection v;
  v.setDatenbankName(datei);
  EXPECT_EQ(v.Oeffnen(), TOeffnenErgebnis::FremdeDatei);
  EXPECT_EQ(DateiInhalt(datei), vorher);
}

TEST_F(Datei_, AnlegenUeberschreibtKeineVorhandeneDatei) {
  db.Schliessen();
  const QByteArray vorher = DateiInhalt(Datei());
  TADOModConnection v;
  v.setDatenbankName(Datei());
  EXPECT_FALSE(v.Anlegen());
  EXPECT_EQ(DateiInhalt(Datei()), vorher);
}

TEST_F(Datei_, KomprimierenBehaeltDatenZaehlerUndKennwort) {
  BeispielBetrieb();
  ASSERT_TRUE(db.Ausfuehren(QStringLiteral("INSERT INTO Betriebe (ID) VALUES (9); DELETE FROM Betriebe WHERE ID = 9")));
  db.Schliessen();
  ASSERT_TRUE(Dateien::Komprimieren(Datei(), &meldungen));
  EXPECT_TRUE(meldungen.protokoll.isEmpty());
  EXPECT_FALSE(QFile::exists(ordner.filePath(QStringLiteral("Quendrix2021.$$$"))));
  ASSERT_EQ(db.Oeffnen(), TOeffnenErgebnis::Ok);
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT Kultur FROM Anbau")).toString(), QStringLiteral("Winterweizen"));
  // The counter goes on after the highest number ever given.
  ASSERT_TRUE(db.Ausfuehren(QStringLiteral("INSERT INTO Betriebe (Betriebsname) VALUES ('neu')")));
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT ID FROM Betriebe WHERE Betriebsname = 'neu'")).toInt(), 10);
  // The cascades are still there.
  ASSERT_TRUE(db.Ausfuehren(QStringLiteral("DELETE FROM Betriebe WHERE ID = 2")));
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT count(*) FROM Anbau")).toInt(), 0);
}

TEST_F(Datei_, GescheitertesKomprimierenLaesstDieDateiWieSieWar) {
  BeispielBetrieb();
  db.Schliessen();
  ASSERT_EQ(db.Oeffnen(TZugriff::Exklusiv), TOeffnenErgebnis::Ok);  // another program holds it
  const QByteArray vorher = DateiInhalt(Datei());
  EXPECT_FALSE(Dateien::Komprimieren(Datei(), &meldungen));
  EXPECT_EQ(meldungen.Infos(), QStringList{QStringLiteral("FEHLER!\n Die Datenbank wurde nicht gepackt!")});
  EXPECT_EQ(DateiInhalt(Datei()), vorher);
  EXPECT_FALSE(QFile::exists(ordner.filePath(QStringLiteral("Quendrix2021.$$$"))));
}

TEST_F(Datei_, ZwoelfMalSchliessenHinterlassenElfSicherungen) {
  db.Schliessen();
  QDir(ordner.path()).mkdir(QStringLiteral("SIC"));
  for (int schliessen = 1; schliessen <= 12; ++schliessen) {
    ASSERT_EQ(db.Oeffnen(TZugriff::Exklusiv), TOeffnenErgebnis::Ok);
    ASSERT_TRUE(db.Ausfuehren(QStringLiteral("DELETE FROM Betriebe; INSERT INTO Betriebe (ID) VALUES (:n)"),
                              {{QStringLiteral("n"), schliessen}}));
    db.Schliessen();
    Dateien::SicherungenRotieren(ordner.path());
  }
  EXPECT_EQ(QDir(ordner.filePath(QStringLiteral("SIC"))).entryList(QDir::Files).size(), 11);
  auto stand = [&](int generation) {
    TADOModConnection s;
    s.setDatenbankName(Dateien::Sicherung(ordner.path(), generation));
    EXPECT_EQ(s.Oeffnen(), TOeffnenErgebnis::Ok);
    return s.Wert(QStringLiteral("SELECT ID FROM Betriebe")).toInt();
  };
  EXPECT_EQ(stand(1), 12);
  EXPECT_EQ(stand(11), 2);
  EXPECT_TRUE(Dateien::Sicherung(ordner.path(), 11).endsWith(QStringLiteral("SIC/Quendrix2021.11")));
}

TEST_F(Datei_, OhneSicherungsordnerWirdNichtsGeschrieben) {
  db.Schliessen();
  Dateien::SicherungenRotieren(ordner.path());
  EXPECT_FALSE(QFile::exists(ordner.filePath(QStringLiteral("SIC"))));
}

}  // namespace
