// Work whose commit fails is reported and stops: the command engine's group
// runs, the maintenance at every opening and the master-table load. The
// commit is made to fail through the fault seam (a disk error while the
// database file is written, or a full disk while the journal is).
#include "testdatenbank.h"

#include "befehle.h"
#include "files.h"
#include "dataset.h"
#include "lebenslauf.h"
#include "stammdaten.h"
#include "stoerhilfe.h"
#include "stoerung.h"
#include "tsv.h"

#include <QTemporaryDir>

#include <cerrno>

namespace {

using Stoerung::TArt;

// The database file cannot be written: every commit fails.
int Plattenfehler(TArt art, const QString& datei) {
  return art == TArt::Schreiben && datei.endsWith(QLatin1String(".mdb")) ? EIO : 0;
}
// The disk is full: the journal of the first change cannot be written.
int Voll(TArt art, const QString& datei) {
  return art == TArt::Schreiben && datei.endsWith(QLatin1String("-journal")) ? ENOSPC : 0;
}

class Festschreiben : public TestDatenbank {
protected:
  void SetUp() override {
    TestDatenbank::SetUp();
    anbau = BeispielBetrieb();
    Befehl(20, 5, QStringLiteral("UPDATE Anbau SET TatsErtrag = 10 WHERE ID = :ID"));
    Befehl(20, 6, QStringLiteral("UPDATE Anbau SET Einzelertrag = 4 WHERE ID = :ID"));
    Befehl(25, 1, QStringLiteral("UPDATE Anbau SET TatsErtrag = TatsErtrag + 1 WHERE ID = :ID"));
  }
  void Befehl(int gruppe, int nr, const QString& b1) {
    ASSERT_TRUE(db.Ausfuehren(QStringLiteral("INSERT INTO Befehle (B_GruppeNr, B_Nr, B_1) VALUES (:g, :n, :b1)"),
                              {{QStringLiteral("g"), gruppe}, {QStringLiteral("n"), nr}, {QStringLiteral("b1"), b1}}));
  }
  std::string Ertrag() {
    return T(db.Wert(QStringLiteral("SELECT coalesce(TatsErtrag, 'null') || '|' || coalesce(Einzelertrag, 'null') "
                                    "FROM Anbau WHERE ID = :a"),
                     {{QStringLiteral("a"), anbau}})
                 .toString());
  }
  qint64 anbau = 0;
};

struct GruppenFall {
  const char* name;
  Stoerung::TPruefung stoerung;
  const char* grund;   // the German reason after the first sentence
  const char* engine;  // in brackets at the end
};

const QString Erster = QStringLiteral(
    "Die Berechnung (Befehlsgruppen 20, 25) konnte nicht gespeichert werden, keine ihrer Änderungen wurde übernommen. ");

class Gruppenlauf : public Festschreiben, public ::testing::WithParamInterface<GruppenFall> {};

TEST_P(Gruppenlauf, DessenFestschreibenScheitertWirdEinmalGemeldetUndHaeltDieFolgendenAuf) {
  const std::string vorher = Ertrag();
  {
    Stoerung::TAktiv stoerung(GetParam().stoerung);
    EXPECT_FALSE(Befehle::GruppenFuerDatensatz(db, anbau, {20, 25}));
  }
  // One message naming the run's groups, none per command; group 25 did not run.
  ASSERT_EQ(meldungen.Infos().size(), 1) << Liste(meldungen.Infos());
  const QString text = meldungen.Infos()[0];
  EXPECT_TRUE(text.startsWith(Erster + QString::fromUtf8(GetParam().grund))) << T(text);
  EXPECT_TRUE(text.endsWith(QStringLiteral("(%1)").arg(QString::fromLatin1(GetParam().engine)))) << T(text);
  EXPECT_EQ(Ertrag(), vorher);
  // Once the disk works again the groups run as usual.
  meldungen.Leeren();
  EXPECT_TRUE(Befehle::GruppenFuerDatensatz(db, anbau, {20, 25}));
  EXPECT_EQ(Ertrag(), "11.0|4.0");
  EXPECT_EQ(Liste(meldungen.Infos()), "");
}

INSTANTIATE_TEST_SUITE_P(
    Festschreiben, Gruppenlauf,
    ::testing::Values(
        GruppenFall{"Plattenfehler", Plattenfehler,
                    "Beim Schreiben von \u201EQuendrix2021.mdb\u201C hat der Datenträger einen Fehler gemeldet.",
                    "disk I/O error"},
        GruppenFall{"DatentraegerVoll", Voll, "Auf dem Datenträger des Ordners", "database or disk is full"}),
    [](const ::testing::TestParamInfo<GruppenFall>& i) { return std::string(i.param.name); });

TEST_F(Festschreiben, DieListeZeigtNachEinemGescheitertenLaufWasGespeichertIst) {
  TADODataSetMod liste(db);
  liste.setCommandText(QStringLiteral("SELECT * FROM Anbau ORDER BY ID"));
  ASSERT_TRUE(liste.Oeffnen());
  ASSERT_TRUE(liste.Suchen(anbau));
  const std::string vorher = Ertrag();
  {
    Stoerung::TAktiv stoerung(Voll);
    EXPECT_FALSE(Befehle::FuerDatensatz(liste, {20}));
  }
  EXPECT_EQ(meldungen.Infos().size(), 1) << Liste(meldungen.Infos());
  EXPECT_EQ(liste.Wert(QStringLiteral("ID")).toLongLong(), anbau);
  EXPECT_EQ(Ertrag(), vorher);
  // The list was read again and shows what is stored, not what the group computed.
  EXPECT_EQ(liste.Wert(QStringLiteral("Einzelertrag")).toDouble(),
            db.Wert(QStringLiteral("SELECT Einzelertrag FROM Anbau WHERE ID = :a"), {{QStringLiteral("a"), anbau}}).toDouble());
  EXPECT_NE(liste.Wert(QStringLiteral("Einzelertrag")).toDouble(), 4.0);
}

TEST(Wartung, OhneFestschreibenMeldetSieUndAendertNichts) {
  QTemporaryDir ordner;
  TSkriptMeldungen meldungen;
  ASSERT_TRUE(Datenbank::Anlegen(ordner.path(), meldungen));
  meldungen.Leeren();
  TADOModConnection db(&meldungen);
  db.setDatenbankName(ordner.filePath(Dateien::Datenbank));
  ASSERT_EQ(Name(db.Oeffnen()), "Ok");
  QString fehler;
  {
    Stoerung::TAktiv stoerung(Plattenfehler);
    EXPECT_FALSE(Datenbank::Wartung(db, &fehler));
  }
  EXPECT_TRUE(fehler.startsWith(QStringLiteral(
      "Die Wartung beim Öffnen der Datenbank konnte nicht gespeichert werden, keine ihrer Änderungen wurde übernommen. "
      "Beim Schreiben von \u201EQuendrix2021.mdb\u201C hat der Datenträger einen Fehler gemeldet.")))
      << T(fehler);
  EXPECT_TRUE(fehler.endsWith(QStringLiteral("(disk I/O error)"))) << T(fehler);
  EXPECT_EQ(Liste(meldungen.Infos()), "");
  // Without a place for the text the connection's message service shows it.
  {
    Stoerung::TAktiv stoerung(Voll);
    EXPECT_FALSE(Datenbank::Wartung(db));
  }
  ASSERT_EQ(meldungen.Infos().size(), 1) << Liste(meldungen.Infos());
  EXPECT_TRUE(meldungen.Infos()[0].endsWith(QStringLiteral("(database or disk is full)")));
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT count(*) FROM Merk WHERE Geoeffnet IS NOT NULL")).toInt(), 0);
  EXPECT_TRUE(Datenbank::Wartung(db));
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT count(*) FROM Merk WHERE Geoeffnet IS NOT NULL")).toInt(), 1);
}

TEST_F(Festschreiben, StammdatenDieNichtGespeichertWerdenGeltenAlsNichtGeladen) {
  TTsv boeden;
  boeden.spalten = {QStringLiteral("ID"), QStringLiteral("Bodenart")};
  boeden.zeilen = {{QStringLiteral("1"), QStringLiteral("Sand")}, {QStringLiteral("2"), QStringLiteral("Lehm")}};
  const QStringList spalten = db.Spalten(QStringLiteral("GLBoden"));
  ASSERT_FALSE(spalten.isEmpty());
  boeden.spalten = {spalten.value(0), spalten.value(1)};
  Stammdaten::TLadeBericht bericht;
  {
    Stoerung::TAktiv stoerung(Plattenfehler);
    bericht = Stammdaten::AlleUpdate(db, QStringLiteral("GLBoden"), boeden);
  }
  EXPECT_FALSE(bericht.gespeichert);
  EXPECT_EQ(bericht.gelesen, 2);
  EXPECT_EQ(bericht.geladen, 0);
  ASSERT_FALSE(bericht.probleme.empty());
  EXPECT_EQ(T(bericht.probleme.back().text), "Nicht gespeichert (disk I/O error)");
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT count(*) FROM GLBoden")).toInt(), 0);
  // And the same load with a working disk.
  bericht = Stammdaten::AlleUpdate(db, QStringLiteral("GLBoden"), boeden);
  EXPECT_TRUE(bericht.gespeichert);
  EXPECT_EQ(bericht.geladen, 2);
}

}  // namespace
