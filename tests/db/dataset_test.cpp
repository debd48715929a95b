// The editable query list every window stands on.
#include "testdatenbank.h"

#include "dataset.h"
#include "datasetmodel.h"

namespace {

class Liste : public TestDatenbank {
protected:
  void SetUp() override {
    TestDatenbank::SetUp();
    ASSERT_TRUE(db.Ausfuehren(QStringLiteral(
        "INSERT INTO Betriebe (ID, Betriebsname, SitzOrt) VALUES (2, 'Cäsar', 'Zorbau'), (3, 'Anton', 'Barby'), "
        "(4, 'Berta', 'Aken')")));
  }
  void Oeffnen(const QString& sql = QStringLiteral("SELECT *, length(Betriebsname) AS Laenge FROM Betriebe "
                                                   "WHERE ID > :Min ORDER BY ID")) {
    liste.setCommandText(sql);
    liste.ParameterSetzen(QStringLiteral("Min"), 1);
    ASSERT_TRUE(liste.Oeffnen());
  }
  QStringList Namen() {
    QStringList n;
    for (int i = 0; i < liste.Anzahl(); ++i) n << liste.Wert(i, liste.FeldIndex(QStringLiteral("Betriebsname"))).toString();
    return n;
  }
  TADODataSetMod liste{db};
};

TEST_F(Liste, OeffnetMitParameternUndKenntGespeicherteUndBerechneteSpalten) {
  Oeffnen();
  EXPECT_EQ(liste.Anzahl(), 3);
  EXPECT_EQ(liste.Position(), 0);
  EXPECT_EQ(liste.Tabelle(), QStringLiteral("Betriebe"));
  EXPECT_EQ(liste.CommandTextBasis(), QStringLiteral("SELECT *, length(Betriebsname) AS Laenge FROM Betriebe WHERE ID > :Min"));
  EXPECT_TRUE(liste.Gespeichert(*liste.Feld(QStringLiteral("SitzOrt"))));
  EXPECT_FALSE(liste.Gespeichert(*liste.Feld(QStringLiteral("Laenge"))));
  EXPECT_EQ(liste.Feld(QStringLiteral("Bundesland"))->typ, QStringLiteral("SMALLINT"));
  EXPECT_EQ(liste.Wert(QStringLiteral("Laenge")).toInt(), 5);
}

TEST_F(Liste, SortFieldSortiertNachSpaltenAberNichtNachBerechnetenFeldern) {
  liste.BerechnetesFeld(QStringLiteral("Gross"), [](const TADODataSetMod& l, int z) {
    return l.Wert(z, l.FeldIndex(QStringLiteral("Betriebsname"))).toString().toUpper();
  });
  Oeffnen();
  liste.Gehe(2);  // Berta
  liste.setSortField(QStringLiteral("Betriebsname"));
  EXPECT_EQ(Namen(), (QStringList{QStringLiteral("Anton"), QStringLiteral("Berta"), QStringLiteral("Cäsar")}));
  EXPECT_EQ(liste.Wert(QStringLiteral("Betriebsname")).toString(), QStringLiteral("Berta"));
  liste.setSortField(QStringLiteral("Gross"));
  EXPECT_EQ(liste.SortField(), QStringLiteral("Betriebsname"));
  EXPECT_EQ(Namen(), (QStringList{QStringLiteral("Anton"), QStringLiteral("Berta"), QStringLiteral("Cäsar")}));
  EXPECT_EQ(liste.Wert(QStringLiteral("Gross")).toString(), QStringLiteral("BERTA"));
  liste.setSortField(QStringLiteral("SitzOrt"));
  EXPECT_EQ(Namen(), (QStringList{QStringLiteral("Berta"), QStringLiteral("Anton"), QStringLiteral("Cäsar")}));
}

TEST_F(Liste, BearbeitenSpeichernUndAbbrechen) {
  Oeffnen();
  ASSERT_TRUE(liste.Suchen(3));
  EXPECT_TRUE(liste.setWert(QStringLiteral("Betriebsname"), QStringLiteral("Hof O'Neill")));
  EXPECT_EQ(liste.Zustand(), TADODataSetMod::TZustand::Bearbeiten);
  EXPECT_TRUE(liste.IstGeaendert(QStringLiteral("Betriebsname")));
  ASSERT_TRUE(liste.Speichern());
  EXPECT_EQ(liste.Zustand(), TADODataSetMod::TZustand::Blaettern);
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT Betriebsname FROM Betriebe WHERE ID = 3")).toString(), QStringLiteral("Hof O'Neill"));
  EXPECT_EQ(liste.Wert(QStringLiteral("Laenge")).toInt(), 11);  // re-read after saving

  liste.setWert(QStringLiteral("Betriebsname"), QStringLiteral("verworfen"));
  liste.Abbrechen();
  EXPECT_EQ(liste.Wert(QStringLiteral("Betriebsname")).toString(), QStringLiteral("Hof O'Neill"));
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT count(*) FROM Betriebe WHERE Betriebsname = 'verworfen'")).toInt(), 0);

  // Moving to another row saves the pending edit.
  liste.setWert(QStringLiteral("SitzOrt"), QStringLiteral("Calbe"));
  ASSERT_TRUE(liste.Erster());
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT SitzOrt FROM Betriebe WHERE ID = 3")).toString(), QStringLiteral("Calbe"));
}

TEST_F(Liste, AnfuegenZeigtNachDemSpeichernDieVorgabenUndDieNeueID) {
  Oeffnen();
  liste.BeimNeuenDatensatz = [](TADODataSetMod& l) { l.setWert(QStringLiteral("Bundesland"), 15); };
  ASSERT_TRUE(liste.Anfuegen());
  EXPECT_EQ(liste.Anzahl(), 4);
  EXPECT_EQ(liste.Wert(QStringLiteral("Bundesland")).toInt(), 15);
  EXPECT_TRUE(liste.IstNull(QStringLiteral("Betriebsname")));
  liste.setWert(QStringLiteral("Betriebsname"), QStringLiteral("Dora"));
  ASSERT_TRUE(liste.Speichern());
  EXPECT_EQ(liste.Wert(QStringLiteral("ID")).toInt(), 5);
  EXPECT_EQ(liste.Wert(QStringLiteral("SitzStrasse")).toString(), QString());
  EXPECT_FALSE(liste.IstNull(QStringLiteral("SitzStrasse")));
  EXPECT_EQ(liste.Wert(QStringLiteral("Hoehe")).toInt(), 0);

  // A cancelled insert leaves no row behind.
  liste.Anfuegen();
  liste.Abbrechen();
  EXPECT_EQ(liste.Anzahl(), 4);
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT count(*) FROM Betriebe")).toInt(), 4);
}

TEST_F(Liste, VorDemSpeichernKannDasSpeichernAufhalten) {
  Oeffnen();
  int nachher = 0;
  liste.VorDemSpeichern = [](TADODataSetMod& l) { return !l.Wert(QStringLiteral("Betriebsname")).toString().isEmpty(); };
  liste.NachDemSpeichern = [&](TADODataSetMod&) { ++nachher; };
  liste.setWert(QStringLiteral("Betriebsname"), QString());
  EXPECT_FALSE(liste.Speichern());
  EXPECT_EQ(liste.Zustand(), TADODataSetMod::TZustand::Bearbeiten);
  EXPECT_FALSE(liste.Naechster());  // cannot leave the row either
  EXPECT_EQ(liste.Position(), 0);
  liste.setWert(QStringLiteral("Betriebsname"), QStringLiteral("Carl"));
  EXPECT_TRUE(liste.Speichern());
  EXPECT_EQ(nachher, 1);
}

TEST_F(Liste, EinFehlerDerDatenbankWirdGemeldetUndDieEingabeBleibt) {
  liste.setCommandText(QStringLiteral("SELECT * FROM DuengeJahr"));
  ASSERT_TRUE(liste.Oeffnen());
  liste.Anfuegen();
  liste.setWert(QStringLiteral("BetriebsNr"), 99);  // no such farm
  liste.setWert(QStringLiteral("Duengejahr"), 2021);
  EXPECT_FALSE(liste.Speichern());
  EXPECT_EQ(meldungen.Infos(), QStringList{QStringLiteral("FOREIGN KEY constraint failed")});
  EXPECT_EQ(liste.Zustand(), TADODataSetMod::TZustand::Einfuegen);
  EXPECT_EQ(liste.Wert(QStringLiteral("BetriebsNr")).toInt(), 99);
}

TEST_F(Liste, LoeschenEntferntDieZeileUndBleibtAufDerStelle) {
  Oeffnen();
  liste.Gehe(1);
  ASSERT_TRUE(liste.Loeschen());
  EXPECT_EQ(liste.Anzahl(), 2);
  EXPECT_EQ(liste.Position(), 1);
  EXPECT_EQ(liste.Wert(QStringLiteral("ID")).toInt(), 4);
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT count(*) FROM Betriebe WHERE ID = 3")).toInt(), 0);
}

TEST_F(Liste, EditierenOderAnfuegenUndSpeichernWennGeaendert) {
  liste.setCommandText(QStringLiteral("SELECT * FROM DuengeJahr WHERE BetriebsNr = 2"));
  ASSERT_TRUE(liste.Oeffnen());
  EXPECT_TRUE(liste.SpeichernWennGeaendert());  // nothing pending
  liste.EditierenOderAnfuegen();
  EXPECT_EQ(liste.Zustand(), TADODataSetMod::TZustand::Einfuegen);
  liste.setWert(QStringLiteral("BetriebsNr"), 2);
  liste.setWert(QStringLiteral("Duengejahr"), 2021);
  ASSERT_TRUE(liste.SpeichernWennGeaendert());
  liste.EditierenOderAnfuegen();
  EXPECT_EQ(liste.Zustand(), TADODataSetMod::TZustand::Bearbeiten);
  liste.EditierenOderAnfuegen();  // already editing: no change
  EXPECT_EQ(liste.Anzahl(), 1);
  liste.setWert(QStringLiteral("Ackerland"), 10.5);
  // Opening another query saves the pending edit first.
  ASSERT_TRUE(liste.MitSqlOeffnen(QStringLiteral("SELECT * FROM Betriebe")));
  EXPECT_DOUBLE_EQ(db.Wert(QStringLiteral("SELECT Ackerland FROM DuengeJahr")).toDouble(), 10.5);
  EXPECT_EQ(liste.CommandTextBasis(), QStringLiteral("SELECT * FROM Betriebe"));
}

TEST_F(Liste, AktualisierenKehrtZurSelbenZeileZurueck) {
  Oeffnen();
  liste.Suchen(4);
  ASSERT_TRUE(db.Ausfuehren(QStringLiteral("INSERT INTO Betriebe (ID, Betriebsname) VALUES (1, 'Null'); "
                                           "UPDATE Betriebe SET SitzOrt = 'Gerbstedt' WHERE ID = 4")));
  liste.ParameterSetzen(QStringLiteral("Min"), 0);
  ASSERT_TRUE(liste.Aktualisieren());
  EXPECT_EQ(liste.Anzahl(), 4);
  EXPECT_EQ(liste.Wert(QStringLiteral("ID")).toInt(), 4);
  EXPECT_EQ(liste.Wert(QStringLiteral("SitzOrt")).toString(), QStringLiteral("Gerbstedt"));
}

TEST_F(Liste, EineTabelleOhneZaehlerWirdUeberIhreWerteGeschrieben) {
  ASSERT_TRUE(db.Ausfuehren(QStringLiteral("INSERT INTO Merk (BetriebsNr, Jahr, VersionNummer) VALUES (0, 2021, 6)")));
  liste.setCommandText(QStringLiteral("SELECT * FROM Merk"));
  ASSERT_TRUE(liste.Oeffnen());
  liste.setWert(QStringLiteral("BetriebsNr"), 3);
  liste.setWert(QStringLiteral("Geschlossen"), QDateTime(QDate(2026, 12, 10), QTime(17, 5)));
  ASSERT_TRUE(liste.Speichern());
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT BetriebsNr FROM Merk")).toInt(), 3);
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT Geschlossen FROM Merk")).toString(), QStringLiteral("2026-12-10 17:05:00"));
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT count(*) FROM Merk")).toInt(), 1);
}

TEST_F(Liste, EineSichtSchreibtInDieTabelleIhrerZeilen) {
  ASSERT_TRUE(db.Ausfuehren(QStringLiteral("DELETE FROM Betriebe")));
  const qint64 anbau = BeispielBetrieb();
  liste.setCommandText(QStringLiteral("SELECT * FROM AnbauMitRG"));
  ASSERT_TRUE(liste.Oeffnen());
  EXPECT_EQ(liste.Tabelle(), QStringLiteral("Anbau"));
  EXPECT_FALSE(liste.Gespeichert(*liste.Feld(QStringLiteral("Flaeche"))));
  liste.setWert(QStringLiteral("TatsErtrag"), 85.0);
  ASSERT_TRUE(liste.Speichern());
  EXPECT_DOUBLE_EQ(db.Wert(QStringLiteral("SELECT TatsErtrag FROM Anbau WHERE ID = :a"), {{QStringLiteral("a"), anbau}}).toDouble(), 85.0);
}

TEST_F(Liste, DasTabellenmodellZeigtDeutscheWerteUndGibtEingabenWeiter) {
  ASSERT_TRUE(db.Ausfuehren(QStringLiteral("INSERT INTO DuengeJahr (BetriebsNr, Duengejahr, Ackerland, IsOeko, BeginDuengejahr) "
                                           "VALUES (2, 2021, 1234.5, 1, '2021-01-01')")));
  liste.setCommandText(QStringLiteral("SELECT Duengejahr, Ackerland, IsOeko, BeginDuengejahr, ID FROM DuengeJahr"));
  ASSERT_TRUE(liste.Oeffnen());
  TDataSetModel modell(liste);
  modell.setSpalten({{QStringLiteral("Duengejahr"), QStringLiteral("Kalenderjahr")},
                     {QStringLiteral("Ackerland"), QStringLiteral("Ackerland (ha)"), 2},
                     {QStringLiteral("IsOeko"), QStringLiteral("Bewirtschaftung ökologisch")},
                     {QStringLiteral("BeginDuengejahr"), QStringLiteral("Beginn")}});
  EXPECT_EQ(modell.rowCount(), 1);
  EXPECT_EQ(modell.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Ackerland (ha)"));
  EXPECT_EQ(modell.data(modell.index(0, 1), Qt::DisplayRole).toString(), QStringLiteral("1234,50"));
  EXPECT_EQ(modell.data(modell.index(0, 2), Qt::CheckStateRole).toInt(), int(Qt::Checked));
  EXPECT_EQ(modell.data(modell.index(0, 3), Qt::DisplayRole).toString(), QStringLiteral("01.01.2021"));
  ASSERT_TRUE(modell.setData(modell.index(0, 1), 20.25, Qt::EditRole));
  ASSERT_TRUE(liste.Speichern());
  EXPECT_DOUBLE_EQ(db.Wert(QStringLiteral("SELECT Ackerland FROM DuengeJahr")).toDouble(), 20.25);
}

}  // namespace
