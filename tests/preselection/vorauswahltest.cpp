#include "vorauswahltest.h"

#include "stammdaten.h"

void VorauswahlTest::ZweiterBetrieb() {
  Sql(QStringLiteral("insert into Betriebe ( ID, Betriebsname, Bundesland ) values ( 3, 'Gut Eiche', 15 )"));
  Stammdaten::StammdatenAbgleich(db, 3);
  Sql(QStringLiteral("insert into DuengeJahr ( BetriebsNr, Duengejahr ) values ( 3, 2021 )"));
}

qlonglong VorauswahlTest::SchlagMitAnbau(int betrieb, int jahr, int parzelle, int hauptfrucht) {
  const TParameter p = {{QStringLiteral("b"), betrieb},
                        {QStringLiteral("j"), jahr},
                        {QStringLiteral("p"), parzelle},
                        {QStringLiteral("h"), hauptfrucht == 0 ? QVariant() : QVariant(hauptfrucht)}};
  Sql(QStringLiteral("insert into Schlag ( BetriebsNr, Jahr, Parzelle, SchlagName ) values ( :b, :j, :p, 'Am Weg' )"), p);
  Sql(QStringLiteral("insert into Anbau ( BetriebsNr, Jahr, Parzelle, FruchtNr, HauptfruchtNummer ) values ( :b, :j, :p, 1, :h )"),
      p);
  return Ganz(QStringLiteral("select max( ID ) from Anbau"));
}

void VorauswahlTest::Aufzeichnung(int betrieb, qlonglong anbau, int kategorie, qlonglong nummer, double menge, int jahr,
                                  int parzelle) {
  Sql(QStringLiteral("insert into Dung ( BetriebsNr, Jahr, Parzelle, ProbenID, Kategorie, DngNummer, Menge ) "
                     "values ( :b, :j, :p, :a, :k, :n, :m )"),
      {{QStringLiteral("b"), betrieb},
       {QStringLiteral("j"), jahr},
       {QStringLiteral("p"), parzelle},
       {QStringLiteral("a"), anbau},
       {QStringLiteral("k"), kategorie},
       {QStringLiteral("n"), nummer},
       {QStringLiteral("m"), menge}});
}
