// Writing an official text file of 10,000 rows of 38 columns (the size of a
// large farm's record file), with code page, separators and check number.
#include "meldedatei.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void MeldedateiSchreiben(benchmark::State& state) {
  QTemporaryDir ordner;
  QStringList kopf;
  for (int s = 1; s <= 38; ++s) kopf << QStringLiteral("Spalte%1").arg(s);
  std::vector<QStringList> zeilen;
  for (int z = 0; z < 10000; ++z) {
    QStringList zeile{QStringLiteral("Agrargenossenschaft Bördeland eG"), QStringLiteral("276150000001"),
                      QStringLiteral("Gülle Rind")};
    for (int s = 4; s <= 38; ++s) zeile << Meldedatei::EineStelle(z * 0.37 + s);
    zeilen.push_back(zeile);
  }
  const QString pfad = QDir(ordner.path()).filePath(QStringLiteral("Duengungen_007_276150000001_2022.TXT"));
  for (auto _ : state) {
    QString fehler;
    benchmark::DoNotOptimize(Meldedatei::Schreiben(pfad, kopf, zeilen, &fehler));
  }
}
BENCHMARK(MeldedateiSchreiben)->Unit(benchmark::kMillisecond);

}  // namespace
