// The reporting run ("Meldepflichten") of a farm year with 1,000 fields, a
// crop row each, and 10,000 application records: five files written into a
// temporary folder and put in place. Target: under 2 s.
#include "benchbetrieb.h"
#include "files.h"
#include "lebenslauf.h"
#include "meldepflichten.h"
#include "meldungen.h"
#include "stammdaten.h"

#include <QDate>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

struct TMeldejahr : TBenchBetrieb {
  TMeldejahr() {
    Anlegen(QStringLiteral("insert into Betriebe ( ID, Betriebsname, EU_NUMMER, KreisNr ) "
                                 "values ( 2, 'Agrargenossenschaft Bördeland eG', '276150000001', 7 )"));
    db.Ausfuehren(QStringLiteral("begin; insert into DuengeJahr ( BetriebsNr, Duengejahr, Betriebsgroesse, Flaeche170kg ) "
                                 "values ( 2, 2021, 10000, 9000 )"));
    const int kulturen[] = {224101, 236101, 244101, 149301, 249201};
    for (int p = 1; p <= 1000; ++p) {
      db.Ausfuehren(QStringLiteral("insert into Schlag ( BetriebsNr, Jahr, Parzelle, Feldblock, SchlagName, Groesse, "
                                   "BewirtschaftungsAuflagen ) values ( 2, 2021, :p, :f, :n, 10, :a )"),
                    {{QStringLiteral("p"), p},
                     {QStringLiteral("f"), QStringLiteral("DESTLI%1").arg(p, 10, 10, QLatin1Char('0'))},
                     {QStringLiteral("n"), QStringLiteral("Schlag %1").arg(p)},
                     {QStringLiteral("a"), p % 3 == 0 ? 2 : 1}});
      db.Ausfuehren(QStringLiteral("insert into Anbau ( BetriebsNr, Jahr, Parzelle, FruchtNr, KulturGruppe, "
                                   "HauptfruchtNummer, Kultur, Duengebedarf, Nmin ) values ( 2, 2021, :p, 1, 1, :k, "
                                   "'Winterweizen', 160, 35.5 )"),
                    {{QStringLiteral("p"), p}, {QStringLiteral("k"), kulturen[p % 5]}});
      const QVariant id = db.Wert(QStringLiteral("select max(ID) from Anbau"));
      for (int g = 0; g < 10; ++g)
        db.Ausfuehren(QStringLiteral("insert into Dung ( BetriebsNr, Jahr, Parzelle, ProbenID, Datum, Kategorie, Dng, "
                                     "DngGrpNummer, TaVerfNr, Menge, NT, NH4N, P ) values ( 2, 2021, :p, :id, :d, :k, "
                                     "'Gülle Rind', 1, 1, 20, 4, 2, 0.8 )"),
                      {{QStringLiteral("p"), p},
                       {QStringLiteral("id"), id},
                       {QStringLiteral("d"), QStringLiteral("2021-%1-15").arg(g + 2, 2, 10, QLatin1Char('0'))},
                       {QStringLiteral("k"), g % 2 == 0 ? 1 : 2}});
    }
    db.Ausfuehren(QStringLiteral("commit"));
  }
};

void MeldepflichtenLauf(benchmark::State& state) {
  static TMeldejahr d;
  const QString programm = d.ordner.path();
  for (auto _ : state)
    if (!Meldepflichten::Ausfuehren(d.db, d.meldungen, 2, 2021, programm, QDate(2022, 2, 14))) {
      state.SkipWithError("Der Lauf ist gescheitert.");
      break;
    }
}
BENCHMARK(MeldepflichtenLauf)->Unit(benchmark::kMillisecond)->MinTime(3);

}  // namespace
