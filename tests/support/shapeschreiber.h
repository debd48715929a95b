#pragma once
// Writes the shape fixtures of the tests with shapelib's writer: polygons
// given as rings of points, records in order, and a .prj beside them.

#include "umriss.h"

#include <QFile>
#include <QString>

#include <shapefil.h>

#include <gtest/gtest.h>

#include <vector>

namespace Shapeschreiber {

// A rectangle as a closed ring, clockwise as the format draws outer rings.
inline Karte::TRing Rechteck(double x, double y, double b, double h) {
  return {{x, y}, {x, y + h}, {x + b, y + h}, {x + b, y}, {x, y}};
}
// The same rectangle counter-clockwise, as the format draws holes.
inline Karte::TRing Loch(double x, double y, double b, double h) {
  return {{x, y}, {x + b, y}, {x + b, y + h}, {x, y + h}, {x, y}};
}

// One record per outline; an empty outline is written as a null shape.
inline void Schreiben(const QString& pfadOhneEndung, const std::vector<Karte::TUmriss>& umrisse,
                      const char* prj = nullptr) {
  SHPHandle h = SHPCreate(QFile::encodeName(pfadOhneEndung).constData(), SHPT_POLYGON);
  ASSERT_NE(h, nullptr);
  for (const Karte::TUmriss& u : umrisse) {
    std::vector<double> x, y;
    std::vector<int> anfang;
    for (const auto& ring : u.ringe) {
      anfang.push_back(int(x.size()));
      for (const auto& p : ring) x.push_back(p.x), y.push_back(p.y);
    }
    SHPObject* o = u.ringe.empty()
                       ? SHPCreateSimpleObject(SHPT_NULL, 0, nullptr, nullptr, nullptr)
                       : SHPCreateObject(SHPT_POLYGON, -1, int(anfang.size()), anfang.data(), nullptr, int(x.size()),
                                         x.data(), y.data(), nullptr, nullptr);
    ASSERT_GE(SHPWriteObject(h, -1, o), 0);
    SHPDestroyObject(o);
  }
  SHPClose(h);
  if (prj) {
    QFile f(pfadOhneEndung + QStringLiteral(".prj"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(prj);
  }
}

inline const char* Utm32 =
    "PROJCS[\"ETRS_1989_UTM_Zone_32N\",GEOGCS[\"GCS_ETRS_1989\",DATUM[\"D_ETRS_1989\",SPHEROID[\"GRS_1980\","
    "6378137.0,298.257222101]],PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\",0.0174532925199433]],"
    "PROJECTION[\"Transverse_Mercator\"],PARAMETER[\"False_Easting\",500000.0],PARAMETER[\"False_Northing\",0.0],"
    "PARAMETER[\"Central_Meridian\",9.0],PARAMETER[\"Scale_Factor\",0.9996],PARAMETER[\"Latitude_Of_Origin\",0.0],"
    "UNIT[\"Meter\",1.0]]";

}  // namespace Shapeschreiber
