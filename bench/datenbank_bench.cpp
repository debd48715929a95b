// Creating an empty encrypted database with the whole schema.
#include "connection.h"
#include "schema.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

static void SchemaAnlegen(benchmark::State& state) {
  QTemporaryDir ordner;
  int n = 0;
  for (auto _ : state) {
    TADOModConnection db;
    db.setDatenbankName(ordner.filePath(QStringLiteral("db%1.mdb").arg(++n)));
    if (!db.Anlegen() || !Schema::AllesAnlegen(db)) state.SkipWithError("Anlegen gescheitert");
  }
}
BENCHMARK(SchemaAnlegen)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
