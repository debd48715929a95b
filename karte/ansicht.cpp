#include "ansicht.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace Karte {

void TAnsicht::setGroesse(double breite, double hoehe) {
  m_breite = std::max(1.0, breite);
  m_hoehe = std::max(1.0, hoehe);
}

void TAnsicht::Einpassen(const TRechteck& welt, double rand) {
  if (welt.leer) return;
  m_mitte = {(welt.links + welt.rechts) / 2, (welt.unten + welt.oben) / 2};
  const double b = std::max(1.0, m_breite - 2 * rand), h = std::max(1.0, m_hoehe - 2 * rand);
  // A single point or a line has no extent to fit: show 100 m around it.
  const double w = std::max(welt.Breite(), 1e-9), hw = std::max(welt.Hoehe(), 1e-9);
  m_massstab = (welt.Breite() <= 0 && welt.Hoehe() <= 0) ? std::min(b, h) / 100 : std::min(b / w, h / hw);
}

void TAnsicht::Zeigen(const TRechteck& welt, double rand) {
  if (welt.leer) return;
  const double b = m_breite - 2 * rand, h = m_hoehe - 2 * rand;
  if (welt.Breite() * m_massstab > b || welt.Hoehe() * m_massstab > h) {
    Einpassen(welt, rand);
    return;
  }
  // A field in view stays where it is; the map moves only to bring one in.
  const TBildpunkt lo = ZuBild({welt.links, welt.oben}), ru = ZuBild({welt.rechts, welt.unten});
  if (lo.x >= rand && lo.y >= rand && ru.x <= m_breite - rand && ru.y <= m_hoehe - rand) return;
  m_mitte = {(welt.links + welt.rechts) / 2, (welt.unten + welt.oben) / 2};
}

void TAnsicht::Zoomen(double faktor, const TBildpunkt& um) {
  // Between a picture of a whole district and one of a tractor's track.
  if (!(faktor > 0) || !(m_massstab * faktor >= 1e-4 && m_massstab * faktor <= 1e3)) return;
  const TPunkt fest = ZurWelt(um);
  m_massstab *= faktor;
  // The fixed point returns under the pixel.
  m_mitte.x = fest.x - (um.x - m_breite / 2) / m_massstab;
  m_mitte.y = fest.y + (um.y - m_hoehe / 2) / m_massstab;
}

void TAnsicht::Verschieben(double dx, double dy) {
  m_mitte.x -= dx / m_massstab;
  m_mitte.y += dy / m_massstab;
}

TBildpunkt TAnsicht::ZuBild(const TPunkt& p) const {
  return {m_breite / 2 + (p.x - m_mitte.x) * m_massstab, m_hoehe / 2 - (p.y - m_mitte.y) * m_massstab};
}

TPunkt TAnsicht::ZurWelt(const TBildpunkt& b) const {
  return {m_mitte.x + (b.x - m_breite / 2) / m_massstab, m_mitte.y - (b.y - m_hoehe / 2) / m_massstab};
}

TTreffer Treffer(const TKarte& karte, const TAnsicht& ansicht, const TBildpunkt& b, double toleranzPixel) {
  const TPunkt p = ansicht.ZurWelt(b);
  // Inside one field wins over the edge of its neighbour.
  for (const TKartenSchlag& s : karte.schlaege)
    if (!s.umriss.Leer() && Lage(s.umriss, p, 0) == TLage::Innen) return {s.parzelle, TLage::Innen};
  const double toleranz = toleranzPixel / ansicht.Massstab();
  for (const TKartenSchlag& s : karte.schlaege)
    if (!s.umriss.Leer() && Lage(s.umriss, p, toleranz) == TLage::Rand) return {s.parzelle, TLage::Rand};
  return {};
}

TMassstabsleiste Massstabsleiste(double pixelProMeter, double hoechstensPixel) {
  if (!(pixelProMeter > 0) || !(hoechstensPixel > 0)) return {};
  const double hoechstens = hoechstensPixel / pixelProMeter;
  double zehner = std::pow(10.0, std::floor(std::log10(hoechstens)));
  for (;;) {
    for (double f : {5.0, 2.0, 1.0})
      if (f * zehner <= hoechstens * (1 + 1e-12)) return {f * zehner, f * zehner * pixelProMeter};
    zehner /= 10;
  }
}

QString LaengeText(double meter) {
  if (meter >= 1000) return QLocale(QLocale::German).toString(meter / 1000, 'g', 6) + QStringLiteral(" km");
  return QLocale(QLocale::German).toString(meter, 'g', 6) + QStringLiteral(" m");
}

}  // namespace Karte
