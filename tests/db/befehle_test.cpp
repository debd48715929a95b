// The command engine: groups of stored rules per record and per farm year.
#include "testdatenbank.h"

#include "befehle.h"
#include "dataset.h"
#include "tsv.h"

namespace {

class Befehle_ : public TestDatenbank {
protected:
  void SetUp() override {
    TestDatenbank::SetUp();
    anbau = BeispielBetrieb();
    ASSERT_TRUE(db.Ausfuehren(QStringLiteral(
        "INSERT INTO Schlag (BetriebsNr, Jahr, Parzelle) VALUES (2, 2021, 11);"
        "INSERT INTO Anbau (BetriebsNr, Jahr, Parzelle, FruchtNr, Kultur) VALUES (2, 2021, 11, 1, 'Gerste');")));
  }
  void Befehl(int gruppe, int nr, const QString& b1, const QString& b2 = {}) {
    ASSERT_TRUE(db.Ausfuehren(QStringLiteral("INSERT INTO Befehle (B_GruppeNr, B_Nr, B_1, B_2) VALUES (:g, :n, :b1, :b2)"),
                              {{QStringLiteral("g"), gruppe}, {QStringLiteral("n"), nr},
                               {QStringLiteral("b1"), b1}, {QStringLiteral("b2"), b2}}));
  }
  QString Ertraege() {
    return db.Wert(QStringLiteral("SELECT group_concat(TatsErtrag, '|') FROM (SELECT TatsErtrag FROM Anbau ORDER BY ID)")).toString();
  }
  qint64 anbau = 0;
};

TEST_F(Befehle_, DieGelieferteBefehlstabelleHatIhre58Zeilen) {
  TTsv tsv;
  ASSERT_TRUE(Befehle::Lesen(Befehle::Ordner, tsv));
  ASSERT_EQ(tsv.zeilen.size(), 58u);
  std::map<int, int> jeGruppe;
  for (const auto& z : tsv.zeilen) ++jeGruppe[z[0].toInt()];
  const std::map<int, int> erwartet = {{20, 20}, {21, 4}, {23, 2}, {25, 9}, {30, 2}, {35, 2},
                                       {41, 1},  {44, 1}, {45, 15}, {60, 1}, {65, 1}};
  EXPECT_EQ(jeGruppe, erwartet);
  auto zeile = [&](int g, int n) {
    for (const auto& z : tsv.zeilen)
      if (z[0].toInt() == g && z[1].toInt() == n) return z;
    return QStringList();
  };
  EXPECT_EQ(zeile(20, 40)[3], QStringLiteral("klann weg, bei 5 berechnet"));
  EXPECT_EQ(zeile(20, 12)[3], QStringLiteral("Vorfruchtstammdaten  der Hauptfrucht Gemüse setzen"));
  EXPECT_EQ(zeile(25, 5)[2], QStringLiteral("Düngebdarf rechnen"));
  EXPECT_EQ(zeile(45, 1)[2], QStringLiteral("Phosphor rechnen"));
  EXPECT_EQ(zeile(45, 2)[2], QStringLiteral("Proben nach speichern"));
  EXPECT_EQ(zeile(45, 35)[3], QStringLiteral("Entzug zwischenfrucht 2  (und nachlieferungen???"));
  EXPECT_EQ(zeile(60, 5)[3], QString());
  EXPECT_EQ(zeile(20, 2)[10], QStringLiteral("1"));  // shipped position
}

TEST_F(Befehle_, EineGruppeOhneZeilenTutNichts) {
  Befehl(20, 1, QStringLiteral("UPDATE Anbau SET TatsErtrag = 1"));
  Befehle::GruppeFuerJahr(db, 2021, 2, 50);
  Befehle::GruppeFuerDatensatz(db, anbau, 50);
  EXPECT_EQ(Ertraege(), QStringLiteral("0.0|0.0"));
  EXPECT_TRUE(meldungen.protokoll.isEmpty());
}

TEST_F(Befehle_, EinFehlerMittendrinWirdGemeldetUndDerRestLaeuft) {
  Befehl(20, 5, QStringLiteral("UPDATE Anbau SET TatsErtrag = 10 WHERE ID = :ID"));
  Befehl(20, 7, QStringLiteral("   "));  // blank: skipped without a word
  // The first statement works, the second fails: the command as a whole changes nothing.
  Befehl(20, 10, QStringLiteral("UPDATE Anbau SET TatsErtrag = 99 WHERE ID = :ID; UPDATE Anbauu SET TatsErtrag = 1"));
  Befehl(20, 20, QStringLiteral("UPDATE Anbau SET TatsErtrag = TatsErtrag + 5 WHERE ID = :ID"));
  Befehle::GruppeFuerDatensatz(db, anbau, 20);
  EXPECT_EQ(Ertraege(), QStringLiteral("15.0|0.0"));
  ASSERT_EQ(meldungen.Infos().size(), 1);
  EXPECT_EQ(meldungen.Infos()[0], QStringLiteral("no such table: Anbauu\nBefehl: 20/10\n"
                                                 "UPDATE Anbau SET TatsErtrag = 99 WHERE ID = :ID; UPDATE Anbauu SET TatsErtrag = 1"));
}

TEST_F(Befehle_, EineAnweisungDieAmZweitenSatzScheitertHinterlaesstNichts) {
  // The first row takes the number, the second meets it: the statement undoes the first row too.
  Befehl(20, 5, QString(), QStringLiteral("UPDATE Anbau SET TatsErtrag = 7, ID = 999999 WHERE Jahr = :Jahr AND BetriebsNr = :BetriebsNr"));
  Befehl(20, 10, QString(), QStringLiteral("UPDATE Anbau SET Einzelertrag = 3 WHERE Jahr = :Jahr AND BetriebsNr = :BetriebsNr"));
  EXPECT_TRUE(Befehle::GruppeFuerJahr(db, 2021, 2, 20));
  EXPECT_EQ(Ertraege(), QStringLiteral("0.0|0.0"));
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT count(*) FROM Anbau WHERE ID = 999999 OR Einzelertrag <> 3")).toInt(), 0);
  ASSERT_EQ(meldungen.Infos().size(), 1);
  EXPECT_TRUE(meldungen.Infos()[0].contains(QStringLiteral("Befehl: 20/5"))) << meldungen.Infos()[0].toStdString();
}

TEST_F(Befehle_, ProDatensatzNurIDProJahrJahrUndBetrieb) {
  Befehl(25, 5, QStringLiteral("UPDATE Anbau SET TatsErtrag = 1 WHERE ID = :ID"),
         QStringLiteral("UPDATE Anbau SET TatsErtrag = 2 WHERE Jahr = :Jahr AND BetriebsNr = :BetriebsNr"));
  // Per record the year parameters are not bound: the rule for one row names only :ID.
  Befehl(25, 6, QStringLiteral("UPDATE Anbau SET Einzelertrag = coalesce(:Jahr, -1) WHERE ID = :ID"), QString());
  Befehle::GruppenFuerDatensatz(db, anbau, {5, 25});
  EXPECT_EQ(Ertraege(), QStringLiteral("1.0|0.0"));
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT Einzelertrag FROM Anbau WHERE ID = :a"), {{QStringLiteral("a"), anbau}}).toInt(), -1);
  Befehle::GruppenFuerJahr(db, 2021, 2, {25});
  EXPECT_EQ(Ertraege(), QStringLiteral("2.0|2.0"));
  Befehle::GruppenFuerJahr(db, 2022, 2, {25});
  EXPECT_EQ(Ertraege(), QStringLiteral("2.0|2.0"));
  EXPECT_TRUE(meldungen.protokoll.isEmpty());
}

TEST_F(Befehle_, DieListeSpeichertVorherUndKehrtZurZeileInBearbeitungZurueck) {
  Befehl(20, 5, QStringLiteral("UPDATE Anbau SET TatsErtrag = Einzelertrag * 2 WHERE ID = :ID"));
  TADODataSetMod liste(db);
  liste.setCommandText(QStringLiteral("SELECT * FROM Anbau ORDER BY ID DESC"));
  ASSERT_TRUE(liste.Oeffnen());
  ASSERT_TRUE(liste.Suchen(anbau));
  liste.setWert(QStringLiteral("Einzelertrag"), 41.5);  // pending edit
  Befehle::FuerDatensatz(liste, {20});
  EXPECT_EQ(liste.Wert(QStringLiteral("ID")).toLongLong(), anbau);
  EXPECT_DOUBLE_EQ(liste.Wert(QStringLiteral("TatsErtrag")).toDouble(), 83.0);
  EXPECT_EQ(liste.Zustand(), TADODataSetMod::TZustand::Bearbeiten);
  liste.Abbrechen();
  Befehle::FuerJahr(liste, 2021, 2, {20});
  EXPECT_EQ(liste.Zustand(), TADODataSetMod::TZustand::Blaettern);
}

}  // namespace
