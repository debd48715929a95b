// The preselection's own statements: choosing the rows of a group for one
// farm only, and whether a farm has fertiliser years.
#include "vorauswahldaten.h"

#include "testbetrieb.h"

namespace {

class Vorauswahldaten_ : public TestBetrieb {
protected:
  // Three mineral fertilisers of farm 2 (groups 1, 2, 3) and one of farm 7 (group 1), none chosen.
  void SetUp() override {
    TestBetrieb::SetUp();
    Sql(QStringLiteral("insert into Betriebe ( ID, Betriebsname, Bundesland ) values ( 7, 'Hof Eiche', 15 )"));
    Sql(QStringLiteral("delete from S_MinDung where BetriebsNr in ( 2, 7 )"));
    Sql(QStringLiteral("insert into S_MinDung ( BetriebsNr, DuengeMittelNr, Duengemittel, DuengerGruppeNr, Auswahl ) "
                       "values ( 2, 9001, 'A', 1, 0 ), ( 2, 9002, 'B', 2, 0 ), ( 2, 9003, 'C', 3, 0 ), "
                       "( 7, 9001, 'A', 1, 0 )"));
  }
  QString Gewaehlt() {
    return Wert(QStringLiteral("select group_concat(BetriebsNr || Duengemittel, ' ') from ( select * from S_MinDung "
                               "where Auswahl = 1 order by BetriebsNr, Duengemittel )"))
        .toString();
  }
};

TEST_F(Vorauswahldaten_, AuswahlSetzenNurImFilterUndNurFuerDenBetrieb) {
  struct Fall {
    const char* filter;
    bool an;
    const char* gewaehlt;  // after the step, farm number and name
  } faelle[] = {
      {"", true, "2A 2B 2C"},
      // An "or" in the filter stays inside the farm.
      {"DuengerGruppeNr = 1 or DuengerGruppeNr = 2", false, "2C"},
      {"DuengerGruppeNr = 1", true, "2A 2C"},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.filter);
    Vorauswahldaten::AuswahlSetzen(db, QStringLiteral("S_MinDung"), QString::fromUtf8(f.filter), Betrieb, f.an);
    EXPECT_EQ(Gewaehlt(), QString::fromUtf8(f.gewaehlt));
  }
}

TEST_F(Vorauswahldaten_, HatDuengejahre) {
  EXPECT_TRUE(Vorauswahldaten::HatDuengejahre(db, Betrieb));
  EXPECT_FALSE(Vorauswahldaten::HatDuengejahre(db, 7));
}

}  // namespace
