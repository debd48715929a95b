// The access operations in reporting and silent mode, and parameter binding.
#include "testdatenbank.h"

#include <QProcess>
#include <QStandardPaths>

namespace {

using Zugriff = TestDatenbank;

TEST_F(Zugriff, DieDateiIstVerschluesseltUndNurMitDemKennwortLesbar) {
  db.Schliessen();
  EXPECT_NE(DateiInhalt(Datei()).left(16), QByteArray("SQLite format 3\0", 16));

  TADOModConnection falsch;
  falsch.setDatenbankName(Datei());
  falsch.setPWD(QStringLiteral("Maulwurf"));
  EXPECT_EQ(falsch.Oeffnen(), TOeffnenErgebnis::FremdeDatei);

  // The command-line tool of the engine opens it with the documented key.
  const QString cli = QStandardPaths::findExecutable(QStringLiteral("sqlcipher"));
  if (cli.isEmpty()) GTEST_SKIP() << "sqlcipher-Kommandozeile nicht installiert";
  QProcess p;
  p.start(cli, {Datei()});
  p.write("PRAGMA key = 'Feldsteinmaus';\nSELECT count(*) FROM sqlite_master WHERE name = 'Schlag';\n");
  p.closeWriteChannel();
  ASSERT_TRUE(p.waitForFinished(10000));
  EXPECT_EQ(p.readAllStandardOutput().trimmed(), QByteArray("1"));
}

TEST_F(Zugriff, MitMeldungZeigtDenFehlertextStillZeigtNichts) {
  EXPECT_FALSE(db.AusfuehrenStill(QStringLiteral("UPDATE Schlg SET Groesse = 1")));
  EXPECT_TRUE(meldungen.protokoll.isEmpty());

  EXPECT_FALSE(db.AusfuehrenMitMeldung(QStringLiteral("UPDATE Schlg SET Groesse = 1")));
  ASSERT_EQ(meldungen.Infos().size(), 1);
  EXPECT_EQ(meldungen.Infos()[0], QStringLiteral("no such table: Schlg"));

  // Blank text does nothing and reports nothing.
  meldungen.Leeren();
  EXPECT_TRUE(db.AusfuehrenMitMeldung(QStringLiteral("   ")));
  EXPECT_TRUE(meldungen.protokoll.isEmpty());
}

TEST_F(Zugriff, ExistiertUndHoechsterWertScheiternNieGegenueberDemAufrufer) {
  BeispielBetrieb();
  EXPECT_FALSE(db.Existiert(QStringLiteral("Schlag"), QStringLiteral(" "), QStringLiteral("Parzelle = 99")));
  EXPECT_TRUE(db.Existiert(QStringLiteral("Schlag"), QString(), QStringLiteral("Parzelle = 10")));
  EXPECT_TRUE(db.Existiert(QStringLiteral("Schlag"), QStringLiteral("SchlagName"), QString()));
  EXPECT_FALSE(db.Existiert(QStringLiteral("Schalg"), QString(), QString()));

  EXPECT_EQ(db.HoechsterWert(QStringLiteral("Anbau"), QStringLiteral("FruchtNr"), QStringLiteral("Parzelle = 11")), 0.0);
  EXPECT_EQ(db.HoechsterWert(QStringLiteral("Anbau"), QStringLiteral("FruchtNr"), QStringLiteral("Parzelle = 10")), 1.0);
  EXPECT_EQ(db.HoechsterWert(QStringLiteral("Anbau"), QStringLiteral("Fruchtnummer"), QString()), 0.0);
  EXPECT_TRUE(meldungen.protokoll.isEmpty());
}

TEST_F(Zugriff, ParameterWerdenNachNamenGebundenAuchMitApostroph) {
  BeispielBetrieb();
  ASSERT_TRUE(db.AusfuehrenMitMeldung(QStringLiteral("UPDATE Betriebe SET Betriebsname = :Name WHERE ID = :ID"),
                                      {{QStringLiteral(" Name "), QStringLiteral("Hof O'Neill")},
                                       {QStringLiteral(":ID"), 2},
                                       {QStringLiteral("NichtImText"), 5}}));
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT Betriebsname FROM Betriebe WHERE ID = 2")).toString(),
            QStringLiteral("Hof O'Neill"));
  EXPECT_TRUE(db.Existiert(QStringLiteral("Betriebe"), QString(), QStringLiteral("Betriebsname = 'Hof O''Neill'")));
}

TEST_F(Zugriff, MehrereAnweisungenInEinemTextLaufenNacheinander) {
  EXPECT_TRUE(db.Ausfuehren(QStringLiteral("INSERT INTO Betriebe (ID) VALUES (5); INSERT INTO Betriebe (ID) VALUES (6);")));
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT count(*) FROM Betriebe")).toInt(), 2);
  // The first failure stops the text.
  EXPECT_FALSE(db.Ausfuehren(QStringLiteral("INSERT INTO Betriebe (ID) VALUES (7); INSERT INTO Betriebe (ID) VALUES (5); "
                                            "INSERT INTO Betriebe (ID) VALUES (8);")));
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT count(*) FROM Betriebe")).toInt(), 3);
}

TEST_F(Zugriff, EineVerworfeneTransaktionLaesstNichtsZurueck) {
  {
    TTransaktion tx(db);
    db.Ausfuehren(QStringLiteral("INSERT INTO Betriebe (ID) VALUES (5)"));
    {
      TTransaktion innen(db);
      db.Ausfuehren(QStringLiteral("INSERT INTO Betriebe (ID) VALUES (6)"));
    }  // inner one rolled back alone
    ASSERT_TRUE(tx.Bestaetigen());
  }
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT group_concat(ID) FROM Betriebe")).toString(), QStringLiteral("5"));
}

}  // namespace
