// Outlines: areas worked out by hand, the position of points, validity, the
// stored form and reading shape files written with shapelib.

#include "shapedatei.h"
#include "shapeschreiber.h"
#include "umriss.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Karte;
using Shapeschreiber::Loch;
using Shapeschreiber::Rechteck;

namespace {

// Real coordinates in UTM 32N near Halle: large numbers, as the files have them.
constexpr double X0 = 702000, Y0 = 5705000;

const TUmriss Quadrat{{Rechteck(X0, Y0, 100, 100)}};                                  // 1 ha
const TUmriss MitLoch{{Rechteck(X0, Y0, 100, 100), Loch(X0 + 10, Y0 + 10, 20, 30)}};  // 10000 - 600
const TUmriss ZweiTeile{{Rechteck(X0, Y0, 100, 50), Rechteck(X0 + 200, Y0, 50, 50)}};  // 5000 + 2500

struct TFlaechenfall {
  const char* name;
  TUmriss umriss;
  double m2;
};

TEST(Umriss, FlaecheNachHandrechnung) {
  const TFlaechenfall faelle[] = {
      {"Quadrat 100 m", Quadrat, 10000},
      {"Loch 20 x 30 m", MitLoch, 9400},
      // A hole drawn the wrong way round is still a hole.
      {"Loch falsch herum", TUmriss{{Rechteck(X0, Y0, 100, 100), Rechteck(X0 + 10, Y0 + 10, 20, 30)}}, 9400},
      {"zwei Teile", ZweiTeile, 7500},
      // A part inside the hole of another counts again.
      {"Insel im Loch", TUmriss{{Rechteck(X0, Y0, 100, 100), Loch(X0 + 10, Y0 + 10, 50, 50), Rechteck(X0 + 20, Y0 + 20, 10, 10)}},
       10000 - 2500 + 100},
      {"Dreieck", TUmriss{{{{X0, Y0}, {X0 + 30, Y0}, {X0, Y0 + 40}, {X0, Y0}}}}, 600},
  };
  for (const auto& f : faelle) EXPECT_DOUBLE_EQ(f.umriss.Flaeche(), f.m2) << f.name;
}

TEST(Umriss, LageInnenImLochAufDemRand) {
  struct {
    const char* name;
    TPunkt p;
    TLage lage;
  } const faelle[] = {
      {"innen", {X0 + 80, Y0 + 80}, TLage::Innen},
      {"im Loch", {X0 + 20, Y0 + 25}, TLage::Aussen},
      {"Rand aussen", {X0 + 100, Y0 + 50}, TLage::Rand},
      {"Rand des Lochs", {X0 + 10.5, Y0 + 25}, TLage::Rand},
      {"Ecke", {X0, Y0}, TLage::Rand},
      {"draussen", {X0 + 101.5, Y0 + 50}, TLage::Aussen},
  };
  for (const auto& f : faelle) EXPECT_EQ(Lage(MitLoch, f.p, 1.0), f.lage) << f.name;
}

TEST(Umriss, GueltigkeitNenntDenRing) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct {
    const char* name;
    TUmriss u;
    const char* fehler;
  } const faelle[] = {
      {"gut", MitLoch, ""},
      {"offen", TUmriss{{Rechteck(0, 0, 10, 10), {{1, 1}, {2, 1}, {2, 2}, {1, 2}}}}, "Ring 2 ist nicht geschlossen"},
      {"drei Punkte", TUmriss{{{{0, 0}, {1, 0}, {0, 0}}}}, "Ring 1 hat weniger als 4 Punkte"},
      {"NaN", TUmriss{{{{0, 0}, {nan, 0}, {1, 1}, {0, 0}}}}, "Ring 1 hat ungültige Koordinaten"},
      {"riesig", TUmriss{{{{0, 0}, {1e300, 0}, {1e300, 1e300}, {0, 0}}}}, "Ring 1 hat ungültige Koordinaten"},
      {"leer", TUmriss{}, "keine Ringe"},
  };
  for (const auto& f : faelle) EXPECT_EQ(Fehler(f.u), QString::fromUtf8(f.fehler)) << f.name;
}

TEST(Umriss, GespeicherteFormHinUndZurueck) {
  const QByteArray b = Kodieren(MitLoch);
  // 4 + 2 rings × (4 + 5 points × 16)
  EXPECT_EQ(b.size(), 4 + 2 * (4 + 5 * 16));
  const auto u = Dekodieren(b);
  ASSERT_TRUE(u);
  ASSERT_EQ(u->ringe.size(), 2u);
  EXPECT_EQ(u->ringe[1][2].x, X0 + 30);
  EXPECT_EQ(u->ringe[1][2].y, Y0 + 40);
  for (const QByteArray& kaputt : {b.left(b.size() - 1), b + 'x', QByteArray("\xff\xff\xff\x7f", 4), QByteArray()})
    EXPECT_FALSE(Dekodieren(kaputt)) << kaputt.size();
}

class ShapeDatei : public ::testing::Test {
protected:
  QTemporaryDir ordner;
  QString Pfad(const char* name) const { return QDir(ordner.path()).filePath(QString::fromLatin1(name)); }
};

TEST_F(ShapeDatei, LiestTeileLoecherUndNenntDenKaputtenSatz) {
  const TUmriss offen{{{{X0, Y0}, {X0 + 10, Y0}, {X0 + 10, Y0 + 10}, {X0, Y0 + 10}}}};
  Shapeschreiber::Schreiben(Pfad("2021_teilflaechen"), {Quadrat, MitLoch, ZweiTeile, offen, TUmriss{}},
                            Shapeschreiber::Utm32);
  const TShapeDatei d = Lesen(Pfad("2021_teilflaechen.dbf"));
  ASSERT_TRUE(d.gelesen) << d.fehler.toStdString();
  ASSERT_EQ(d.saetze.size(), 5u);
  EXPECT_DOUBLE_EQ(d.saetze[0].umriss->Flaeche(), 10000);
  EXPECT_DOUBLE_EQ(d.saetze[1].umriss->Flaeche(), 9400);
  EXPECT_EQ(d.saetze[2].umriss->ringe.size(), 2u);
  EXPECT_DOUBLE_EQ(d.saetze[2].umriss->Flaeche(), 7500);
  EXPECT_FALSE(d.saetze[3].umriss);
  EXPECT_EQ(d.saetze[3].fehler, QStringLiteral("Ring 1 ist nicht geschlossen"));
  EXPECT_FALSE(d.saetze[4].umriss);
  EXPECT_TRUE(d.saetze[4].fehler.isEmpty());
  EXPECT_EQ(SystemName(d.koordinatensystem), QStringLiteral("ETRS_1989_UTM_Zone_32N"));
}

TEST_F(ShapeDatei, FehlendeOderKaputteDateiSagtWarum) {
  Shapeschreiber::Schreiben(Pfad("a_teilflaechen"), {Quadrat});
  QFile::remove(Pfad("a_teilflaechen.shx"));
  const TShapeDatei ohneIndex = Lesen(Pfad("a_teilflaechen.dbf"));
  EXPECT_FALSE(ohneIndex.gelesen);
  EXPECT_EQ(ohneIndex.fehler, QStringLiteral("Die Datei „a_teilflaechen.shx“ fehlt."));

  const TShapeDatei ohne = Lesen(Pfad("b_teilflaechen.dbf"));
  EXPECT_FALSE(ohne.gelesen);
  EXPECT_EQ(ohne.fehler, QStringLiteral("Die Datei „b_teilflaechen.shp“ fehlt."));

  Shapeschreiber::Schreiben(Pfad("c_teilflaechen"), {Quadrat});
  QFile shp(Pfad("c_teilflaechen.shp"));
  ASSERT_TRUE(shp.open(QIODevice::WriteOnly | QIODevice::Truncate));
  shp.write(QByteArray(60, 'x'));
  shp.close();
  const TShapeDatei kaputt = Lesen(Pfad("c_teilflaechen.dbf"));
  EXPECT_FALSE(kaputt.gelesen);
  EXPECT_EQ(kaputt.fehler, QStringLiteral("Die Datei „c_teilflaechen.shp“ ist beschädigt oder kein Shape."));
}

}  // namespace
