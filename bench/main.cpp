// Benchmarks of the program's database work and printouts; run with --benchmark_repetitions for medians.
#include <QGuiApplication>

#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
  // The printouts measure texts with fonts; no screen is needed for that.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  return 0;
}
