#include "blattdruck.h"

#include "blatt.h"
#include "blattdateien.h"

#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

using namespace Qt::StringLiterals;

TDruckeinstellung& TDruckeinstellung::Programm() {
  static TDruckeinstellung e;
  return e;
}

namespace Blattdruck {

namespace {
constexpr double MmJePunkt = 25.4 / 72.0;
// Room for the header and footer lines when they are printed.
double Kopfraum(const TDruckeinstellung& e) { return e.kopfDrucken ? Zeilenhoehe(e.punkte) + e.kopf : 0; }
double Fussraum(const TDruckeinstellung& e) { return e.fussDrucken ? Zeilenhoehe(e.punkte) + e.fuss : 0; }
double Randspalte(const TDruckeinstellung& e) { return e.ueberschriften ? 6 * e.punkte * 0.6 * MmJePunkt : 0; }
}  // namespace

double Spaltenbreite(const TBlatt& blatt, int spalte, int punkte) {
  int zeichen = 6;
  for (int z = 1; z <= blatt.LetzteZeile(); ++z)
    zeichen = std::max(zeichen, int(blatt.Anzeige(spalte, z, TBlatt::TGenauigkeit::Exakt).trimmed().size()));
  zeichen = std::min(zeichen, 40);  // long texts are cut
  return zeichen * punkte * 0.6 * MmJePunkt + 2;
}

double Zeilenhoehe(int punkte) { return punkte * 1.4 * MmJePunkt; }

TSeiten Aufteilen(const TBlatt& blatt, int spalten, const TDruckeinstellung& e, double breiteMm, double hoeheMm) {
  if (e.quer) std::swap(breiteMm, hoeheMm);
  const double nutzbreite = std::max(10.0, breiteMm - e.links - e.rechts - Randspalte(e));
  const double nutzhoehe = std::max(10.0, hoeheMm - e.oben - e.unten - Kopfraum(e) - Fussraum(e) -
                                              (e.ueberschriften ? Zeilenhoehe(e.punkte) : 0));
  TSeiten s;
  const int letzteSpalte = std::max(1, spalten > 0 ? spalten : blatt.LetzteSpalte());
  double breite = 0;
  TBereich b{1, 0};
  for (int sp = 1; sp <= letzteSpalte; ++sp) {
    const double w = Spaltenbreite(blatt, sp, e.punkte);
    if (b.bis >= b.von && breite + w > nutzbreite) {
      s.spalten.push_back(b);
      b = {sp, sp - 1};
      breite = 0;
    }
    breite += w;
    b.bis = sp;
  }
  s.spalten.push_back(b);

  const int letzteZeile = std::max(1, blatt.LetzteZeile());
  const double zeile = Zeilenhoehe(e.punkte);
  const int erste = std::max(1, int(nutzhoehe / zeile));
  // Pages after the first repeat the title row and hold one row less.
  const int weitere = e.wiederholungszeile ? std::max(1, erste - 1) : erste;
  for (int von = 1; von <= letzteZeile;) {
    const int n = s.zeilen.empty() ? erste : weitere;
    s.zeilen.push_back({von, std::min(letzteZeile, von + n - 1)});
    von += n;
  }
  return s;
}

std::vector<TSeite> Auswahl(const TSeiten& s, const TDruckeinstellung& e) {
  std::vector<TSeite> alle;
  for (int q = 0; q < s.Quer(); ++q)
    for (int h = 0; h < s.Hoch(); ++h) alle.push_back({q, h});
  using A = TDruckeinstellung::TAuswahl;
  std::vector<TSeite> w;
  for (int i = 0; i < int(alle.size()); ++i) {
    const TSeite& p = alle[size_t(i)];
    bool nehmen = false;
    switch (e.auswahl) {
      case A::ErstesBlatt: nehmen = i == 0; break;
      case A::ObersteReihe: nehmen = p.hoch == 0; break;
      case A::LinkeSpalte: nehmen = p.quer == 0; break;
      case A::VonBis: nehmen = i + 1 >= e.von && i + 1 <= e.bis; break;
      case A::Alle: nehmen = true; break;
    }
    if (nehmen) w.push_back(p);
  }
  return w;
}

void Drucken(QPagedPaintDevice& geraet, const TBlatt& blatt, int spalten, const TDruckeinstellung& e,
             const QString& kopftext, const QString& fusstext, const QDateTime& zeit) {
  const QPageLayout layout = geraet.pageLayout();
  const QSizeF papier = layout.pageSize().size(QPageSize::Millimeter);
  const TSeiten seiten = Aufteilen(blatt, spalten, e, papier.width(), papier.height());
  const std::vector<TSeite> auswahl = Auswahl(seiten, e);
  QPainter p(&geraet);
  if (!p.isActive()) return;
  // Positions in mm from the paper's corner; the font keeps its points, so
  // the painter is moved, not scaled.
  const double proMm = geraet.logicalDpiX() / 25.4;
  p.translate(-layout.paintRectPixels(geraet.logicalDpiX()).topLeft());
  const auto R = [proMm](double x, double y, double w, double h) {
    return QRectF(x * proMm, y * proMm, w * proMm, h * proMm);
  };
  QFont schrift(u"Tahoma"_s);
  schrift.setPointSizeF(e.punkte);
  p.setFont(schrift);
  QPen linie(Qt::gray);
  linie.setWidthF(0.1 * proMm);
  const double breite = e.quer ? std::max(papier.width(), papier.height()) : papier.width();
  const double hoehe = e.quer ? std::min(papier.width(), papier.height()) : papier.height();
  const double zh = Zeilenhoehe(e.punkte);
  for (size_t n = 0; n < auswahl.size(); ++n) {
    if (n > 0) geraet.newPage();
    const TSeite& s = auswahl[n];
    const int nummer = s.quer * seiten.Hoch() + s.hoch + 1;
    if (e.kopfDrucken)
      p.drawText(R(e.links, e.oben, breite - e.links - e.rechts, zh), Qt::AlignHCenter | Qt::AlignVCenter,
                 Blattdateien::KopfFussText(kopftext, zeit, nummer, seiten.Insgesamt()));
    if (e.fussDrucken)
      p.drawText(R(e.links, hoehe - e.unten - zh, breite - e.links - e.rechts, zh),
                 Qt::AlignHCenter | Qt::AlignVCenter, Blattdateien::KopfFussText(fusstext, zeit, nummer, seiten.Insgesamt()));
    const TBereich sp = seiten.spalten[size_t(s.quer)];
    const TBereich ze = seiten.zeilen[size_t(s.hoch)];
    std::vector<int> zeilen;
    if (e.wiederholungszeile && ze.von > 1) zeilen.push_back(1);
    for (int z = ze.von; z <= ze.bis; ++z) zeilen.push_back(z);
    double y = e.oben + Kopfraum(e);
    const double x0 = e.links + Randspalte(e);
    if (e.ueberschriften) {
      double x = x0;
      for (int c = sp.von; c <= sp.bis; ++c) {
        const double w = Spaltenbreite(blatt, c, e.punkte);
        p.drawText(R(x, y, w, zh), Qt::AlignCenter, QString::number(c));
        x += w;
      }
      y += zh;
    }
    p.setPen(linie);
    for (int z : zeilen) {
      double x = x0;
      p.setPen(Qt::black);
      if (e.ueberschriften) p.drawText(R(e.links, y, x0 - e.links - 1, zh), Qt::AlignRight | Qt::AlignVCenter,
                                       QString::number(z));
      for (int c = sp.von; c <= sp.bis; ++c) {
        const double w = Spaltenbreite(blatt, c, e.punkte);
        const bool zahl = blatt.Zahl(c, z).has_value();
        p.setPen(Qt::black);
        p.drawText(R(x + 1, y, w - 2, zh), (zahl ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter,
                   blatt.Anzeige(c, z, TBlatt::TGenauigkeit::Exakt).trimmed());
        p.setPen(linie);
        p.drawRect(R(x, y, w, zh));
        x += w;
      }
      y += zh;
    }
  }
}

}  // namespace Blattdruck
