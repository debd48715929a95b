// Drawing the field map: 1,000 fields of 50 vertices each (a farm far
// larger than most), filled, hatched, outlined and labelled, with scale bar
// and north arrow, into a picture of a laptop screen; target below 50 ms.
#include "ansicht.h"
#include "kartendaten.h"
#include "kartenzeichner.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

// 40 × 25 fields of about 4 ha each, every one a ring of 49 points and its
// closing point, in UTM coordinates; the states, uses and nitrate areas mixed.
Karte::TKarte TausendSchlaege() {
  Karte::TKarte k;
  constexpr double pi = 3.14159265358979323846;
  for (int i = 0; i < 1000; ++i) {
    Karte::TKartenSchlag s;
    s.parzelle = i + 1;
    s.schlagNr = i + 1;
    s.name = QStringLiteral("Schlag %1").arg(i + 1);
    const double cx = 702000 + (i % 40) * 220, cy = 5705000 + (i / 40) * 220;
    Karte::TRing ring;
    for (int p = 0; p < 49; ++p) {
      const double w = 2 * pi * p / 49, r = 100 + 10 * std::sin(5 * w);
      ring.push_back({cx + r * std::cos(w), cy + r * std::sin(w)});
    }
    ring.push_back(ring.front());
    s.umriss.ringe.push_back(std::move(ring));
    s.zustand = Karte::TZustand(i % 3);
    s.gruenland = i % 4 == 0;
    s.nitratgebiet = i % 5 == 0;
    s.abweichung = i % 17 == 0;
    k.schlaege.push_back(std::move(s));
  }
  return k;
}

void BM_KarteZeichnen(benchmark::State& state) {
  const Karte::TKarte karte = TausendSchlaege();
  Karte::TAnsicht ansicht(1366, 768);
  ansicht.Einpassen(karte.Grenzen());
  QImage bild(1366, 768, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : state) {
    bild.fill(Qt::white);
    QPainter m(&bild);
    Kartenzeichner::Zeichnen(m, karte, ansicht, {500, true, true});
    m.end();
    benchmark::DoNotOptimize(bild.constBits());
  }
}
BENCHMARK(BM_KarteZeichnen)->Unit(benchmark::kMillisecond);

}  // namespace
