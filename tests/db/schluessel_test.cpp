// Rows without their key: neither the database nor a list lets them in.
#include "testdatenbank.h"

#include "dataset.h"

namespace {

using Schluessel = TestDatenbank;

TEST_F(Schluessel, SpaltenDesSchluesselsNehmenKeinNullAn) {
  BeispielBetrieb();
  struct Fall {
    const char* sql;
  };
  const Fall faelle[] = {
      {"insert into Anbau default values"},
      {"insert into Anbau ( BetriebsNr, Jahr ) values ( 2, 2021 )"},
      {"insert into Schlag ( BetriebsNr, Jahr ) values ( 2, 2021 )"},
      {"insert into Dung ( BetriebsNr, Jahr ) values ( 2, 2021 )"},
      {"insert into DuengeJahr ( BetriebsNr, Duengejahr ) values ( 2, null )"},
      {"insert into S_KulturenNP ( BetriebsNr ) values ( null )"},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.sql);
    EXPECT_FALSE(db.Ausfuehren(QString::fromLatin1(f.sql)));
    EXPECT_TRUE(db.LetzterFehler().contains(QStringLiteral("NOT NULL"), Qt::CaseInsensitive))
        << db.LetzterFehler().toStdString();
  }
}

TEST_F(Schluessel, LeereListeOhneImplizitesAnfuegenWaechstNichtBeimBetretenOderTippen) {
  BeispielBetrieb();
  TADODataSetMod liste(db);
  liste.setCommandText(QStringLiteral("select * from Anbau where Jahr = 1999"));
  liste.setImplizitAnfuegen(false);
  ASSERT_TRUE(liste.Oeffnen());
  ASSERT_TRUE(liste.IstLeer());
  liste.EditierenOderAnfuegen();
  EXPECT_FALSE(liste.setWert(QStringLiteral("Nmin_0_30"), 12));
  EXPECT_TRUE(liste.IstLeer());
  EXPECT_EQ(liste.Zustand(), TADODataSetMod::TZustand::Blaettern);
  EXPECT_EQ(db.Wert(QStringLiteral("select count(*) from Anbau")).toInt(), 1);
}

}  // namespace
