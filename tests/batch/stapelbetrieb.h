#pragma once
// Two farms of 2021 for the batch: farm 2 "Hof Linde" with its fields (see
// meldebetrieb.h) and farm 3 "Ohne Nummer", complete but without an EU
// number, so that its reporting step fails.

#include "meldebetrieb.h"

#include <QTemporaryDir>

class StapelBetrieb : public MeldeBetrieb {
protected:
  void SetUp() override {
    MeldeBetrieb::SetUp();
    FelderAnlegen();
    Sql(K("insert into Betriebe ( ID, Betriebsname, Bundesland, KreisNr ) values ( 3, 'Ohne Nummer', 15, 87 )"));
    Sql(K("insert into DuengeJahr ( BetriebsNr, Duengejahr, Betriebsgroesse, Flaeche170kg ) values ( 3, 2021, 5, 5 )"));
  }
  QTemporaryDir ausgabe;
};
