#include "umriss.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Karte {

void TRechteck::Erweitern(const TPunkt& p) {
  if (leer) {
    links = rechts = p.x;
    unten = oben = p.y;
    leer = false;
    return;
  }
  links = std::min(links, p.x);
  rechts = std::max(rechts, p.x);
  unten = std::min(unten, p.y);
  oben = std::max(oben, p.y);
}

void TRechteck::Erweitern(const TRechteck& r) {
  if (r.leer) return;
  Erweitern(TPunkt{r.links, r.unten});
  Erweitern(TPunkt{r.rechts, r.oben});
}

TRechteck TUmriss::Grenzen() const {
  TRechteck r;
  for (const TRing& ring : ringe)
    for (const TPunkt& p : ring) r.Erweitern(p);
  return r;
}

double RingFlaeche(const TRing& ring) {
  if (ring.empty()) return 0;
  // Relative to the first point: UTM coordinates in the millions would eat the digits.
  const double x0 = ring.front().x, y0 = ring.front().y;
  double summe = 0;
  for (size_t i = 0; i + 1 < ring.size(); ++i)
    summe += (ring[i].x - x0) * (ring[i + 1].y - y0) - (ring[i + 1].x - x0) * (ring[i].y - y0);
  return summe / 2;
}

namespace {

// Even-odd crossing test against one ring.
bool InRing(const TRing& ring, const TPunkt& p) {
  bool innen = false;
  for (size_t i = 0; i + 1 < ring.size(); ++i) {
    const TPunkt& a = ring[i];
    const TPunkt& b = ring[i + 1];
    if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) innen = !innen;
  }
  return innen;
}

double Abstand(const TPunkt& p, const TPunkt& a, const TPunkt& b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double l2 = dx * dx + dy * dy;
  double t = l2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / l2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// A ring's first point decides whether it lies in another: rings of one
// outline do not cross.
int Tiefe(const TUmriss& u, size_t r) {
  int tiefe = 0;
  for (size_t i = 0; i < u.ringe.size(); ++i)
    if (i != r && !u.ringe[r].empty() && InRing(u.ringe[i], u.ringe[r].front())) ++tiefe;
  return tiefe;
}

}  // namespace

double TUmriss::Flaeche() const {
  // Orientation in files is not to be trusted; nesting decides what is a hole.
  double summe = 0;
  for (size_t r = 0; r < ringe.size(); ++r) {
    const double a = std::abs(RingFlaeche(ringe[r]));
    summe += Tiefe(*this, r) % 2 == 0 ? a : -a;
  }
  return summe;
}

TLage Lage(const TUmriss& u, const TPunkt& p, double toleranz) {
  bool innen = false;
  for (const TRing& ring : u.ringe) {
    for (size_t i = 0; i + 1 < ring.size(); ++i)
      if (Abstand(p, ring[i], ring[i + 1]) <= toleranz) return TLage::Rand;
    if (InRing(ring, p)) innen = !innen;
  }
  return innen ? TLage::Innen : TLage::Aussen;
}

QString Fehler(const TUmriss& u) {
  if (u.ringe.empty()) return QStringLiteral("keine Ringe");
  for (size_t r = 0; r < u.ringe.size(); ++r) {
    const TRing& ring = u.ringe[r];
    for (const TPunkt& p : ring)
      // Beyond a million kilometres no map lies; there the area would overflow.
      if (!std::isfinite(p.x) || !std::isfinite(p.y) || std::abs(p.x) > 1e9 || std::abs(p.y) > 1e9)
        return QStringLiteral("Ring %1 hat ungültige Koordinaten").arg(r + 1);
    if (ring.size() < 4) return QStringLiteral("Ring %1 hat weniger als 4 Punkte").arg(r + 1);
    if (ring.front().x != ring.back().x || ring.front().y != ring.back().y)
      return QStringLiteral("Ring %1 ist nicht geschlossen").arg(r + 1);
  }
  return {};
}

namespace {

void Zahl(QByteArray& b, quint32 n) {
  char t[4];
  qToLittleEndian(n, t);
  b.append(t, 4);
}
void Zahl(QByteArray& b, double d) {
  quint64 n;
  std::memcpy(&n, &d, 8);
  char t[8];
  qToLittleEndian(n, t);
  b.append(t, 8);
}

}  // namespace

QByteArray Kodieren(const TUmriss& u) {
  QByteArray b;
  qsizetype groesse = 4;
  for (const TRing& r : u.ringe) groesse += 4 + qsizetype(r.size()) * 16;
  b.reserve(groesse);
  Zahl(b, quint32(u.ringe.size()));
  for (const TRing& r : u.ringe) {
    Zahl(b, quint32(r.size()));
    for (const TPunkt& p : r) {
      Zahl(b, p.x);
      Zahl(b, p.y);
    }
  }
  return b;
}

std::optional<TUmriss> Dekodieren(const QByteArray& daten) {
  const char* p = daten.constData();
  qsizetype rest = daten.size();
  auto zahl = [&](quint32& n) {
    if (rest < 4) return false;
    n = qFromLittleEndian<quint32>(p);
    p += 4;
    rest -= 4;
    return true;
  };
  auto kommazahl = [&](double& d) {
    if (rest < 8) return false;
    const quint64 n = qFromLittleEndian<quint64>(p);
    std::memcpy(&d, &n, 8);
    p += 8;
    rest -= 8;
    return true;
  };
  quint32 ringe = 0;
  if (!zahl(ringe) || qsizetype(ringe) * 4 > rest) return std::nullopt;
  TUmriss u;
  u.ringe.resize(ringe);
  for (TRing& r : u.ringe) {
    quint32 punkte = 0;
    if (!zahl(punkte) || qsizetype(punkte) * 16 > rest) return std::nullopt;
    r.resize(punkte);
    for (TPunkt& pt : r)
      if (!kommazahl(pt.x) || !kommazahl(pt.y)) return std::nullopt;
  }
  if (rest != 0) return std::nullopt;
  return u;
}

}  // namespace Karte
