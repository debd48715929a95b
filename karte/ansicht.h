#pragma once
// The map's view: which part of the plane a picture of given size shows,
// north up, to scale. Fit to the fields, zoom about a point, pan by pixels,
// the field under a point and the scale bar's length. Pixels count from
// the top left corner downwards.

#include "kartendaten.h"

namespace Karte {

struct TBildpunkt {
  double x = 0;
  double y = 0;
};

class TAnsicht {
public:
  TAnsicht() = default;
  TAnsicht(double breite, double hoehe) : m_breite(breite), m_hoehe(hoehe) {}

  void setGroesse(double breite, double hoehe);
  double Breite() const { return m_breite; }
  double Hoehe() const { return m_hoehe; }
  // Pixels per metre.
  double Massstab() const { return m_massstab; }
  TPunkt Mitte() const { return m_mitte; }

  // The whole rectangle fits inside a margin of `rand` pixels, centred.
  void Einpassen(const TRechteck& welt, double rand = 20);
  // The rectangle is brought into view: left alone when it is in view,
  // else centred, and zoomed out when it does not fit.
  void Zeigen(const TRechteck& welt, double rand = 20);
  // Scales by `faktor` keeping the plane's point under the pixel in place;
  // nothing beyond 0.0001 to 1000 pixels per metre.
  void Zoomen(double faktor, const TBildpunkt& um);
  // Moves the picture by the pixels (the plane follows the mouse).
  void Verschieben(double dx, double dy);

  TBildpunkt ZuBild(const TPunkt& p) const;
  TPunkt ZurWelt(const TBildpunkt& b) const;

private:
  double m_breite = 1, m_hoehe = 1;
  double m_massstab = 1;
  TPunkt m_mitte;
};

struct TTreffer {
  int parzelle = 0;  // 0: no field there
  TLage lage = TLage::Aussen;
};
// The field under the pixel; on an edge within `toleranzPixel` counts as a hit.
TTreffer Treffer(const TKarte& karte, const TAnsicht& ansicht, const TBildpunkt& b, double toleranzPixel = 3);

struct TMassstabsleiste {
  double meter = 0;   // 1, 2 or 5 times a power of ten
  double pixel = 0;
};
// The longest round length that fits into `hoechstensPixel`.
TMassstabsleiste Massstabsleiste(double pixelProMeter, double hoechstensPixel);
// "500 m", "1 km", "2,5 km" as on the bar.
QString LaengeText(double meter);

}  // namespace Karte
