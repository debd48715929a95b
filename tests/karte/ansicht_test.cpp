// The map's view and what it derives: fit, zoom, pan, the field under a
// pixel, the scale bar, the state colour rule and the size check. Every
// expected figure is worked out by hand in the comment beside it.

#include "ansicht.h"
#include "kartendaten.h"
#include "shapeschreiber.h"

#include <gtest/gtest.h>

using namespace Karte;
using Shapeschreiber::Loch;
using Shapeschreiber::Rechteck;

namespace {

constexpr double X0 = 702000, Y0 = 5705000;

// Field 1: 100 m square with a hole of 20 × 30 m at (10, 10); field 2: the
// square east of it. Together 200 × 100 m.
TKarte Zwei() {
  TKarte k;
  TKartenSchlag a;
  a.parzelle = 1;
  a.umriss = {{Rechteck(X0, Y0, 100, 100), Loch(X0 + 10, Y0 + 10, 20, 30)}};
  TKartenSchlag b;
  b.parzelle = 2;
  b.umriss = {{Rechteck(X0 + 100, Y0, 100, 100)}};
  TKartenSchlag ohne;
  ohne.parzelle = 3;
  k.schlaege = {a, b, ohne};
  return k;
}

// 440 × 240 pixels with a margin of 20: 400 × 200 for 200 × 100 m, 2 px/m;
// pixel = (20 + 2 x, 220 - 2 y) for x, y in metres from the south-west corner.
TAnsicht Eingepasst() {
  TAnsicht a(440, 240);
  a.Einpassen(Zwei().Grenzen());
  return a;
}

void Gleich(const TBildpunkt& b, double x, double y, const char* fall) {
  EXPECT_NEAR(b.x, x, 1e-6) << fall;
  EXPECT_NEAR(b.y, y, 1e-6) << fall;
}

TEST(Ansicht, EinpassenZoomenVerschieben) {
  TAnsicht a = Eingepasst();
  EXPECT_DOUBLE_EQ(a.Massstab(), 2);
  Gleich(a.ZuBild({X0, Y0}), 20, 220, "Südwestecke");
  Gleich(a.ZuBild({X0 + 200, Y0 + 100}), 420, 20, "Nordostecke");
  // Field 1 in view (pixels 25 to 225 across) stays where it is; out of
  // view by 10 px it comes back to the middle: its centre (50, 50) at (220, 120).
  a.Verschieben(5, 0);
  a.Zeigen(Zwei().schlaege[0].umriss.Grenzen());
  Gleich(a.ZuBild({X0, Y0}), 25, 220, "Feld 1 sichtbar");
  a.Verschieben(-15, 0);
  a.Zeigen(Zwei().schlaege[0].umriss.Grenzen());
  Gleich(a.ZuBild({X0 + 50, Y0 + 50}), 220, 120, "Feld 1 geholt");
  a.Einpassen(Zwei().Grenzen());
  const TPunkt w = a.ZurWelt({320, 170});
  EXPECT_NEAR(w.x, X0 + 150, 1e-6);
  EXPECT_NEAR(w.y, Y0 + 25, 1e-6);
  // Twice as large about the south-west corner: it stays, the north-east
  // corner goes to 20 + 4 × 200, 220 - 4 × 100.
  a.Zoomen(2, {20, 220});
  Gleich(a.ZuBild({X0, Y0}), 20, 220, "fester Punkt");
  Gleich(a.ZuBild({X0 + 200, Y0 + 100}), 820, -180, "gezoomt");
  a.Verschieben(10, -5);
  Gleich(a.ZuBild({X0, Y0}), 30, 215, "verschoben");
  // Beyond the limits the wheel does nothing.
  a.Zoomen(1e6, {20, 220});
  a.Zoomen(0, {20, 220});
  EXPECT_DOUBLE_EQ(a.Massstab(), 4);
  // Showing field 2 (100 m at 4 px/m = 400 px, too tall for 200 px) fits it.
  a.Zeigen(Zwei().schlaege[1].umriss.Grenzen());
  EXPECT_DOUBLE_EQ(a.Massstab(), 2);
  Gleich(a.ZuBild({X0 + 150, Y0 + 50}), 220, 120, "Feld 2 in der Mitte");
}

TEST(Ansicht, TrefferInnenImLochAufDemRand) {
  const TKarte k = Zwei();
  const TAnsicht a = Eingepasst();
  struct {
    const char* fall;
    TBildpunkt b;
    int parzelle;
    TLage lage;
  } const faelle[] = {
      {"innen 1", {180, 60}, 1, TLage::Innen},              // (80, 80)
      {"im Loch", {60, 170}, 0, TLage::Aussen},            // (20, 25)
      {"gemeinsamer Rand", {220, 120}, 1, TLage::Rand},    // (100, 50)
      {"neben dem Rand in 2", {222, 120}, 2, TLage::Innen},  // (101, 50): inside wins
      {"innen 2", {320, 170}, 2, TLage::Innen},             // (150, 25)
      {"daneben", {10, 120}, 0, TLage::Aussen},            // (-5, 50)
  };
  for (const auto& f : faelle) {
    const TTreffer t = Treffer(k, a, f.b);
    EXPECT_EQ(t.parzelle, f.parzelle) << f.fall;
    EXPECT_EQ(t.lage, f.lage) << f.fall;
  }
}

TEST(Ansicht, Massstabsleiste) {
  struct {
    double pxJeM, hoechstens, meter, pixel;
  } const faelle[] = {
      {2, 150, 50, 100},       // up to 75 m
      {1, 100, 100, 100},      // exactly 100 m
      {0.1, 150, 1000, 100},   // up to 1500 m
      {0.05, 150, 2000, 100},  // up to 3000 m
      {0.96, 50, 50, 48},      // the printout: up to 52.08 m
  };
  for (const auto& f : faelle) {
    const TMassstabsleiste l = Massstabsleiste(f.pxJeM, f.hoechstens);
    EXPECT_DOUBLE_EQ(l.meter, f.meter) << f.pxJeM;
    EXPECT_NEAR(l.pixel, f.pixel, 1e-9) << f.pxJeM;
  }
  EXPECT_EQ(LaengeText(50), QStringLiteral("50 m"));
  EXPECT_EQ(LaengeText(1000), QStringLiteral("1 km"));
  EXPECT_EQ(LaengeText(2500), QStringLiteral("2,5 km"));
}

TEST(Kartendaten, ZustandUndGroessenabgleich) {
  EXPECT_EQ(Zustand(true, true), TZustand::Unvollstaendig);
  EXPECT_EQ(Zustand(false, true), TZustand::Berechnet);
  EXPECT_EQ(Zustand(false, false), TZustand::Offen);
  struct {
    double umriss, groesse;
    bool ab;
  } const faelle[] = {
      {1.0, 1.0, false},   {1.02, 1.0, false},  // 2 % of 1 ha
      {1.03, 1.0, true},   {0.94, 1.0, true},   // 3 %, 6 %
      {10.1, 10, false},   {10.11, 10, true},   // 0.1 ha
      {9.88, 10, true},    {0.5, 0, true},      // no size stated
  };
  for (const auto& f : faelle) EXPECT_EQ(FlaecheWeichtAb(f.umriss, f.groesse), f.ab) << f.umriss << " " << f.groesse;
}

}  // namespace
