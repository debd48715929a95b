// The legal-limit checks of a farm year with 1,000 fields and 10,000
// application records (half the fields in the nitrate area, many records in
// closed periods), read from the database and checked; target below 200 ms.
#include "benchbetrieb.h"
#include "files.h"
#include "lebenslauf.h"
#include "meldungen.h"
#include "pruefung.h"
#include "stammdaten.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

struct TJahrMit10000Aufzeichnungen : TBenchBetrieb {
  TJahrMit10000Aufzeichnungen() {
    Anlegen();
    db.Ausfuehren(QStringLiteral("begin; insert into DuengeJahr ( BetriebsNr, Duengejahr, Betriebsgroesse, Flaeche170kg ) "
                                 "values ( 2, 2022, 10000, 10000 ), ( 2, 2023, 10000, 10000 )"));
    const int kulturen[] = {224101, 236101, 244101, 248201, 225101};
    const int gruppen[] = {1, 1, 1, 2, 1};
    for (int p = 1; p <= 1000; ++p) {
      qlonglong kultur[2] = {0, 0};
      for (int i = 0; i < 2; ++i) {
        const int jahr = 2022 + i;
        db.Ausfuehren(QStringLiteral("insert into Schlag ( BetriebsNr, Jahr, Parzelle, SchlagNr, Groesse, "
                                     "BewirtschaftungsAuflagen, HD_FA, HD_DNG, HD_DNG_RG, P2O5_DuengeBedarf ) "
                                     "values ( 2, :j, :p, :p, 10, :ba, 2, 60, 60, 50 )"),
                      {{QStringLiteral("j"), jahr}, {QStringLiteral("p"), p}, {QStringLiteral("ba"), p % 2 ? 2 : 1}});
        db.Ausfuehren(QStringLiteral("insert into Anbau ( BetriebsNr, Jahr, Parzelle, FruchtNr, HauptfruchtNummer, "
                                     "KulturGruppe, Kultur, Duengebedarf ) values ( 2, :j, :p, 1, :k, :g, 'Kultur', 150 )"),
                      {{QStringLiteral("j"), jahr}, {QStringLiteral("p"), p}, {QStringLiteral("k"), kulturen[p % 5]},
                       {QStringLiteral("g"), gruppen[p % 5]}});
        kultur[i] = db.Wert(QStringLiteral("select max(ID) from Anbau")).toLongLong();
      }
      // Ten records a field: mineral, slurry, solid manure and compost over the whole year,
      // the last two in autumn on the next year's crop.
      for (int r = 0; r < 10; ++r) {
        const bool herbst = r >= 8;
        const int monat = herbst ? 8 + r % 2 : 1 + (r * 37 + p) % 12;
        const int kategorie = r % 3 == 0 ? 1 : 2;
        const int taVerf = kategorie == 1 ? 0 : (r % 3 == 1 ? 1 : (r == 5 ? 17 : 4));
        db.Ausfuehren(
            QStringLiteral("insert into Dung ( BetriebsNr, Jahr, Parzelle, ProbenID, Datum, Kategorie, DngNummer, Dng, "
                           "TaVerfNr, Menge, NT, NH4N, P2O5, Nges, Nverf, Pges, N_AnrechenbarAL, N_AnrechenbarGL ) "
                           "values ( 2, :j, :p, :id, :d, :k, 2, 'Dünger', :t, 10, 4, 2, 1.5, 40, 20, 6.5, 2.4, 2 )"),
            {{QStringLiteral("j"), herbst ? 2023 : 2022},
             {QStringLiteral("p"), p},
             {QStringLiteral("id"), kultur[herbst ? 1 : 0]},
             {QStringLiteral("d"), QStringLiteral("2022-%1-%2").arg(monat, 2, 10, QLatin1Char('0')).arg(1 + (p + r) % 28, 2, 10, QLatin1Char('0'))},
             {QStringLiteral("k"), kategorie},
             {QStringLiteral("t"), taVerf}});
      }
    }
    db.Ausfuehren(QStringLiteral("commit"));
  }
};

TJahrMit10000Aufzeichnungen& Daten() {
  static TJahrMit10000Aufzeichnungen d;
  return d;
}

void JahrPruefen(benchmark::State& state) {
  auto& d = Daten();
  size_t befunde = 0;
  for (auto _ : state) befunde = Pruefung::Jahr(d.db, 2, 2022).size();
  state.counters["Befunde"] = double(befunde);
}
BENCHMARK(JahrPruefen)->Unit(benchmark::kMillisecond)->MinTime(3);

// The rules alone, on the data read once.
void RegelnPruefen(benchmark::State& state) {
  auto& d = Daten();
  const Pruefung::TJahr jahr = Pruefung::Laden(d.db, 2, 2022);
  state.counters["Aufzeichnungen"] = double(jahr.duengungen.size());
  for (auto _ : state) benchmark::DoNotOptimize(Pruefung::Pruefen(jahr));
}
BENCHMARK(RegelnPruefen)->Unit(benchmark::kMillisecond)->MinTime(3);

// The check after saving one record: the years of its date and of its crop.
void AufzeichnungPruefen(benchmark::State& state) {
  auto& d = Daten();
  const qlonglong id = d.db.Wert(QStringLiteral("select max(ID) from Dung")).toLongLong();
  for (auto _ : state) benchmark::DoNotOptimize(Pruefung::FuerAufzeichnung(d.db, id));
}
BENCHMARK(AufzeichnungPruefen)->Unit(benchmark::kMillisecond)->MinTime(3);

}  // namespace
