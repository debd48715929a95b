// Benchmarks of the program's database work; run with --benchmark_repetitions for medians.
#include <QCoreApplication>

#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
