// "Meldepflichten" from the main window: the window's own checks come first,
// then the run's, and the files land in the working folder.
#include "arbeitsfenster.h"
#include "hauptfenster.h"
#include "meldepflichten.h"
#include "testbetrieb.h"

#include <QDate>
#include <QDir>
#include <QPushButton>

namespace {

class MeldepflichtenKnopf : public TestBetrieb {
protected:
  void Starten() {
    db.Schliessen();
    fenster = std::make_unique<THauptfenster>(db, ordner.path(), meldungen);
    ASSERT_TRUE(fenster->Starten(QLocale(QLocale::German, QLocale::Germany)));
    ArbeitsfensterEinsetzen(*fenster, db, meldungen);
    meldungen.Leeren();
  }
  void TearDown() override {
    if (fenster) fenster->close();
  }
  bool Ordner() const { return QDir(ordner.filePath(QStringLiteral("Meldepflichten_2021"))).exists(); }
  std::unique_ptr<THauptfenster> fenster;
};

TEST_F(MeldepflichtenKnopf, SchreibtDieDateienDesGewaehltenJahres) {
  Sql(QStringLiteral("update Betriebe set EU_NUMMER = '276150000001', KreisNr = 7 where ID = 2;"
                     "update DuengeJahr set Betriebsgroesse = 10, Flaeche170kg = 10 where BetriebsNr = 2"));
  Starten();
  ASSERT_TRUE(fenster->Knopf(THauptfenster::TAktion::Meldepflichten)->isEnabled());
  fenster->Knopf(THauptfenster::TAktion::Meldepflichten)->click();
  EXPECT_EQ(meldungen.titel, QStringList{QStringLiteral("Ablageort")});
  EXPECT_EQ(meldungen.Infos(), QStringList{QStringLiteral("Fertig, Sie finden die erzeugten Dateien im Ordner \"") +
                                           ordner.path() + QStringLiteral("/Meldepflichten_2021\"")});
  EXPECT_EQ(QDir(ordner.filePath(QStringLiteral("Meldepflichten_2021/B_276150000001"))).entryList(QDir::Files).size(), 5);
  EXPECT_EQ(db.Wert(QStringLiteral("select ErstellungsdatumAufzeichnungBedarf from DuengeJahr where BetriebsNr = 2"))
                .toString()
                .left(10),
            QDate::currentDate().toString(Qt::ISODate));
}

TEST_F(MeldepflichtenKnopf, EigenerDuengerOhneNverfVorDenFlaechen) {
  // Areas missing as well: the main window's check speaks first.
  Sql(QStringLiteral("insert into S_OrgDung ( BetriebsNr, OrgDngNummer, OrgDng, IstEigen, NH4 ) "
                     "values ( 2, 5000, '_eigene Gülle', 1, null )"));
  Starten();
  fenster->Knopf(THauptfenster::TAktion::Meldepflichten)->click();
  EXPECT_EQ(meldungen.Infos(), QStringList{THauptfenster::OrgDuengerUnvollstaendig});
  EXPECT_FALSE(Ordner());
}

TEST_F(MeldepflichtenKnopf, OhneFlaechenKeinOrdner) {
  Starten();
  fenster->Knopf(THauptfenster::TAktion::Meldepflichten)->click();
  EXPECT_EQ(meldungen.Infos(), QStringList{Meldepflichten::FlaechenUnvollstaendig});
  EXPECT_FALSE(Ordner());
}

}  // namespace
