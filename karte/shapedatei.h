#pragma once
// The geometry beside an attribute table: the polygons of the ".shp" file
// (with its ".shx" index) read with shapelib, record by record in the order
// of the ".dbf", and the coordinate system's text of the ".prj" as it is
// (shown, not converted).

#include "umriss.h"

#include <QString>

#include <optional>
#include <vector>

namespace Karte {

struct TShapeSatz {
  std::optional<TUmriss> umriss;  // empty: no polygon, or a broken one
  QString fehler;                 // why the polygon is broken; empty otherwise
};

struct TShapeDatei {
  bool gelesen = false;        // false: .shp or .shx missing or unreadable
  QString fehler;              // why not, in German
  QString koordinatensystem;   // the .prj text, trimmed; empty without one
  std::vector<TShapeSatz> saetze;
};

// The shape file beside the table `dbf` (same name, extension ".shp").
TShapeDatei Lesen(const QString& dbf);

// The coordinate system's short name from a .prj text: the name in its
// first quotes ("ETRS_1989_UTM_Zone_32N"); the text itself when it has none.
QString SystemName(const QString& prj);

}  // namespace Karte
