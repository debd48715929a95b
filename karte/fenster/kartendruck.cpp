#include "kartendruck.h"

#include "kartenzeichner.h"
#include "meldungen.h"
#include "pdfdruckausgabe.h"
#include "shapedatei.h"

#include <QImage>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace Kartendruck {

namespace {

TPDFDruckausgabe::TFarbe Farbe(const QColor& c) {
  return TPDFDruckausgabe::TFarbe(c.blue()) << 16 | TPDFDruckausgabe::TFarbe(c.green()) << 8 |
         TPDFDruckausgabe::TFarbe(c.red());
}

}  // namespace

void Schreiben(TPDFDruckausgabe& d, const Karte::TKarte& karte, const QDate& datum) {
  d.DokumentBeginnen(true);
  const QString schrift = u"Tahoma"_s;
  d.SchriftSetzen(14, 1, 0, 0, schrift);
  d.TextAn(u"Schlagkarte %1 – Düngejahr %2"_s.arg(karte.betrieb).arg(karte.jahr), Links, 8);
  d.SchriftSetzen(9, 0, 0, 0, schrift);
  d.TextRechtsAn(u"Gedruckt am %1"_s.arg(datum.toString(u"dd.MM.yyyy"_s)), 287, 10);

  // The fields as a picture, the words on it as text at the same places.
  Karte::TAnsicht ansicht(Breite * PunkteJeMm, Hoehe * PunkteJeMm);
  ansicht.Einpassen(karte.Grenzen(), 4 * PunkteJeMm);
  QImage bild(int(Breite * PunkteJeMm), int(Hoehe * PunkteJeMm), QImage::Format_RGB32);
  bild.fill(Qt::white);
  {
    QPainter m(&bild);
    Kartenzeichner::Zeichnen(m, karte, ansicht, {0, false, false});
  }
  d.BildAn(bild, Links, Oben, Breite, Hoehe);
  d.StiftSetzen(0, 0, 0.3);
  d.PinselSetzen(0, 1);
  d.Rahmen(Links, Oben, Breite, Hoehe);
  d.SchriftSetzen(8, 0, 0, 0, schrift);
  for (const auto& s : karte.schlaege) {
    if (s.umriss.Leer()) continue;
    const Karte::TRechteck r = s.umriss.Grenzen();
    const Karte::TBildpunkt b = ansicht.ZuBild({(r.links + r.rechts) / 2, (r.unten + r.oben) / 2});
    d.TextZentriertAn(Karte::Beschriftung(s), Links + b.x / PunkteJeMm, Oben + b.y / PunkteJeMm - 1.5);
  }

  // Scale bar: the longest round length up to 50 mm, half white, half black.
  const Karte::TMassstabsleiste l = Karte::Massstabsleiste(ansicht.Massstab() / PunkteJeMm, 50);
  if (l.pixel > 0) {
    const double x = Links + 4, y = Oben + Hoehe - 8;
    d.StiftSetzen(0, 0, 0.2);
    d.PinselSetzen(0xFFFFFF, 0);
    d.FlaecheMitRahmen(x, y, l.pixel / 2, 2);
    d.PinselSetzen(0, 0);
    d.FlaecheMitRahmen(x + l.pixel / 2, y, l.pixel / 2, 2);
    d.TextZentriertAn(u"0"_s, x, y - 4);
    d.TextZentriertAn(Karte::LaengeText(l.meter), x + l.pixel, y - 4);
  }
  // North arrow in the top right corner of the map.
  {
    const double x = Links + Breite - 8, y = Oben + 4;
    d.StiftSetzen(0, 0, 0.4);
    d.Linie(x, y, 0, 10);
    d.Linie(x, y, -2, 4);
    d.Linie(x, y, 2, 4);
    d.SchriftSetzen(10, 1, 0, 0, schrift);
    d.TextZentriertAn(u"N"_s, x, y + 10);
  }

  // Legend and what the map does not show.
  double y = Oben;
  const double lx = Links + Breite + 8;
  d.SchriftSetzen(10, 1, 0, 0, schrift);
  d.TextAn(u"Legende"_s, lx, y);
  y += 7;
  d.SchriftSetzen(8, 0, 0, 0, schrift);
  d.StiftSetzen(0x464646, 0, 0.2);
  for (const auto& e : Kartenzeichner::Legende()) {
    d.PinselSetzen(Farbe(e.farbe), 0);
    d.FlaecheMitRahmen(lx, y, 6, 3.5);
    d.TextAn(e.text, lx + 8, y - 0.5);
    y += 6;
  }
  if (!karte.koordinatensystem.isEmpty()) {
    y += 3;
    d.TextAn(u"Koordinatensystem: "_s, lx, y);
    d.TextAn(Karte::SystemName(karte.koordinatensystem), lx, y + 4);
    y += 8;
  }
  QStringList ohne;
  for (const auto& s : karte.schlaege)
    if (s.umriss.Leer()) ohne << Karte::Beschriftung(s);
  if (!ohne.isEmpty()) {
    y += 4;
    d.SchriftSetzen(8, 1, 0, 0, schrift);
    d.TextAn(u"Schläge ohne Umriss:"_s, lx, y);
    d.SchriftSetzen(8, 0, 0, 0, schrift);
    for (const QString& s : ohne) {
      y += 4;
      if (y > 200) break;
      d.TextAn(s, lx, y, 0, 287 - lx);
    }
  }
}

bool Drucken(QWidget* eltern, TMeldungen& meldungen, const Karte::TKarte& karte, const QDate& datum,
             const std::function<void(TPDFDruckausgabe&)>& vorschau) {
  if (karte.Grenzen().leer) {
    meldungen.Info(KeinUmriss);
    return false;
  }
  TPDFDruckausgabe druck(eltern, true, meldungen);
  Schreiben(druck, karte, datum);
  if (vorschau)
    vorschau(druck);
  else
    druck.DokumentAbschliessen();
  return true;
}

}  // namespace Kartendruck
