// The switch "Regeln für Nitratgebiete anwenden" stored with the fertiliser
// year: its default by year and the upgrade of files made before it existed.
#include "connection.h"
#include "lebenslauf.h"
#include "pruefung.h"
#include "skriptmeldungen.h"
#include "testvorlage.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class Schalter : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(Testvorlage::AngelegteDatenbank(ordner.path()));
    db.setDatenbankName(ordner.filePath(QStringLiteral("Quendrix2021.mdb")));
    ASSERT_EQ(db.Oeffnen(), TOeffnenErgebnis::Ok);
    Sql("insert into Betriebe ( ID, Betriebsname ) values ( 2, 'Hof Linde' )");
  }
  void Sql(const char* sql) { ASSERT_TRUE(db.Ausfuehren(QString::fromUtf8(sql))) << db.LetzterFehler().toStdString(); }
  std::optional<bool> Wert(int jahr) { return Pruefung::Schalter(db, 2, jahr); }

  QTemporaryDir ordner;
  TSkriptMeldungen meldungen;
  TADOModConnection db{&meldungen};
};

TEST_F(Schalter, AnAb2021AusDavorUndDieWahlBleibt) {
  Sql("insert into DuengeJahr ( BetriebsNr, Duengejahr ) values ( 2, 2020 ), ( 2, 2021 ), ( 2, 2022 ), ( 2, 2023 )");
  // A refreshed table has no value for the new column.
  Sql("update DuengeJahr set NitratgebietRegeln = null where Duengejahr = 2023");
  ASSERT_TRUE(Datenbank::Wartung(db));
  EXPECT_EQ(Wert(2020), false);
  EXPECT_EQ(Wert(2021), true);
  EXPECT_EQ(Wert(2023), true);
  // Turned off by the user: the next opening keeps it off.
  Sql("update DuengeJahr set NitratgebietRegeln = 0 where Duengejahr = 2022");
  ASSERT_TRUE(Datenbank::Wartung(db));
  EXPECT_EQ(Wert(2022), false);
  EXPECT_EQ(Wert(2021), true);
  EXPECT_EQ(Wert(2019), std::nullopt);  // no such year
}

TEST_F(Schalter, EineDateiOhneDieSpalteBekommtSieBeimOeffnen) {
  // The year table as files made before the switch have it.
  QStringList spalten = db.Spalten(QStringLiteral("DuengeJahr"));
  spalten.removeAll(QStringLiteral("NitratgebietRegeln"));
  ASSERT_TRUE(db.Ausfuehren(QStringLiteral("create table DJ as select %1 from DuengeJahr").arg(spalten.join(u','))));
  Sql("PRAGMA foreign_keys = OFF");
  Sql("drop table DuengeJahr");
  Sql("alter table DJ rename to DuengeJahr");
  Sql("create unique index ix_DJ on DuengeJahr ( BetriebsNr, Duengejahr )");
  Sql("PRAGMA foreign_keys = ON");
  Sql("insert into DuengeJahr ( BetriebsNr, Duengejahr ) values ( 2, 2020 ), ( 2, 2022 )");
  ASSERT_FALSE(db.Spalten(QStringLiteral("DuengeJahr")).contains(QStringLiteral("NitratgebietRegeln")));
  ASSERT_TRUE(Datenbank::Wartung(db));
  EXPECT_EQ(Wert(2020), false);
  EXPECT_EQ(Wert(2022), true);
  EXPECT_TRUE(Pruefung::NitratRegelnAktiv(2022, Wert(2022)));
}

}  // namespace
