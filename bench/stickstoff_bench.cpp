// The per-year nitrogen run (groups 20, 50, 35, 25) on a farm year of 1,000
// crop rows with applications, beside 1,000 trivial single-row updates.
#include "befehle.h"
#include "benchbetrieb.h"
#include "files.h"
#include "lebenslauf.h"
#include "meldungen.h"
#include "stammdaten.h"

#include <QDir>
#include <QTemporaryDir>


#include <benchmark/benchmark.h>

namespace {

struct TJahrMit1000Kulturen : TBenchBetrieb {
  TJahrMit1000Kulturen() {
    Anlegen();
    db.Ausfuehren(QStringLiteral("begin; insert into DuengeJahr ( BetriebsNr, Duengejahr ) values ( 2, 2020 ), ( 2, 2021 )"));
    const int kulturen[] = {224101, 236101, 244101, 149301, 249201};
    for (int p = 1; p <= 1000; ++p) {
      for (int jahr : {2020, 2021}) {
        db.Ausfuehren(QStringLiteral("insert into Schlag ( BetriebsNr, Jahr, Parzelle, Durchwurzelungstiefe, SteingehaltKrume, "
                                     "BKR, BG, AZ ) values ( 2, :j, :p, 90, 10, 200, 3, 60 )"),
                      {{QStringLiteral("j"), jahr}, {QStringLiteral("p"), p}});
        db.Ausfuehren(QStringLiteral("insert into Anbau ( BetriebsNr, Jahr, Parzelle, FruchtNr, HauptfruchtNummer, Vorfrucht, "
                                     "Zwischenfrucht, Nmin_0_30, Nmin_30_60, Nmin_60_90, Quelle_0_30, Quelle_60_90 ) "
                                     "values ( 2, :j, :p, 1, :k, 236101, 14, 30, 20, 10, 4, 4 )"),
                      {{QStringLiteral("j"), jahr}, {QStringLiteral("p"), p}, {QStringLiteral("k"), kulturen[p % 5]}});
        const QVariant id = db.Wert(QStringLiteral("select max(ID) from Anbau"));
        for (int g = 0; g < 3; ++g)
          db.Ausfuehren(QStringLiteral("insert into Dung ( BetriebsNr, Jahr, Parzelle, ProbenID, Datum, Kategorie, DngGrpNummer, "
                                       "Menge, NT, NH4N ) values ( 2, :j, :p, :id, :d, 2, :g, 20, 4, 2 )"),
                        {{QStringLiteral("j"), jahr}, {QStringLiteral("p"), p}, {QStringLiteral("id"), id},
                         {QStringLiteral("d"), QStringLiteral("%1-0%2-15").arg(jahr - 1 + (g > 0)).arg(g + 3)},
                         {QStringLiteral("g"), g == 2 ? 5 : 1}});
      }
    }
    db.Ausfuehren(QStringLiteral("commit"));
  }
};

TJahrMit1000Kulturen& Daten() {
  static TJahrMit1000Kulturen d;
  return d;
}

void JahrBerechnen(benchmark::State& state) {
  auto& d = Daten();
  for (auto _ : state) Befehle::GruppenFuerJahr(d.db, 2021, 2, {20, 50, 35, 25});
}
BENCHMARK(JahrBerechnen)->Unit(benchmark::kMillisecond)->MinTime(5);

void TausendEinfacheAenderungen(benchmark::State& state) {
  auto& d = Daten();
  std::vector<qlonglong> ids;
  {
    TAbfrage a(d.db, QStringLiteral("select ID from Anbau where Jahr = 2021"));
    while (a.Naechste()) ids.push_back(a.Wert(0).toLongLong());
  }
  for (auto _ : state) {
    TTransaktion tx(d.db);
    for (qlonglong id : ids)
      d.db.Ausfuehren(QStringLiteral("update Anbau set Einzelertrag = Einzelertrag + 1 where ID = :id"), {{QStringLiteral("id"), id}});
    tx.Bestaetigen();
  }
}
BENCHMARK(TausendEinfacheAenderungen)->Unit(benchmark::kMillisecond)->MinTime(5);

// Both of the above in turn, their CPU times as one factor (target: at most 3).
void JahrGegenEinfacheAenderungen(benchmark::State& state) {
  auto& d = Daten();
  std::vector<qlonglong> ids;
  {
    TAbfrage a(d.db, QStringLiteral("select ID from Anbau where Jahr = 2021"));
    while (a.Naechste()) ids.push_back(a.Wert(0).toLongLong());
  }
  double jahr = 0, einfach = 0;
  for (auto _ : state) {
    const double t0 = CpuMs();
    Befehle::GruppenFuerJahr(d.db, 2021, 2, {20, 50, 35, 25});
    const double t1 = CpuMs();
    TTransaktion tx(d.db);
    for (qlonglong id : ids)
      d.db.Ausfuehren(QStringLiteral("update Anbau set Einzelertrag = Einzelertrag + 1 where ID = :id"), {{QStringLiteral("id"), id}});
    tx.Bestaetigen();
    jahr += t1 - t0;
    einfach += CpuMs() - t1;
  }
  state.counters["Faktor"] = jahr / einfach;
}
BENCHMARK(JahrGegenEinfacheAenderungen)->Unit(benchmark::kMillisecond)->MinTime(5);

}  // namespace
