#pragma once
// A field's outline as the area application draws it: one or more rings of
// planar coordinates (metres of the file's coordinate system, usually
// ETRS89 / UTM 32N). A ring inside an odd number of other rings is a hole.
// Area, hit test and validity over it, and the compact form it is stored in.

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace Karte {

struct TPunkt {
  double x = 0;
  double y = 0;
};
using TRing = std::vector<TPunkt>;

struct TRechteck {
  double links = 0, unten = 0, rechts = 0, oben = 0;
  bool leer = true;
  void Erweitern(const TPunkt& p);
  void Erweitern(const TRechteck& r);
  double Breite() const { return leer ? 0 : rechts - links; }
  double Hoehe() const { return leer ? 0 : oben - unten; }
};

struct TUmriss {
  std::vector<TRing> ringe;  // each closed: the last point repeats the first

  TRechteck Grenzen() const;
  // Planar area in m², holes subtracted.
  double Flaeche() const;
  bool Leer() const { return ringe.empty(); }
};

// Signed shoelace area of a ring (counter-clockwise positive), m².
double RingFlaeche(const TRing& ring);

// Where a point lies relative to an outline; the edge wins within toleranz.
enum class TLage { Aussen, Innen, Rand };
TLage Lage(const TUmriss& u, const TPunkt& p, double toleranz);

// Why an outline cannot be used; empty when it can. Rings count from 1.
QString Fehler(const TUmriss& u);

// The stored form: ring count, then per ring its point count and the
// points, all little-endian (counts 32 bit, coordinates IEEE double).
QByteArray Kodieren(const TUmriss& u);
// Empty when the bytes are not such a form.
std::optional<TUmriss> Dekodieren(const QByteArray& daten);

}  // namespace Karte
