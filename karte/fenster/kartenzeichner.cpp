#include "kartenzeichner.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace Kartenzeichner {

QColor Fuellfarbe(const Karte::TKartenSchlag& s) {
  switch (s.zustand) {
    case Karte::TZustand::Unvollstaendig: return Unvollstaendig;
    case Karte::TZustand::Berechnet: return s.gruenland ? GruenBerechnet : AckerBerechnet;
    case Karte::TZustand::Offen: break;
  }
  return s.gruenland ? GruenOffen : AckerOffen;
}

std::vector<TLegendeneintrag> Legende() {
  return {{AckerBerechnet, QStringLiteral("Ackerland, Bedarf berechnet")},
          {AckerOffen, QStringLiteral("Ackerland, nicht berechnet")},
          {GruenBerechnet, QStringLiteral("Grünland, Bedarf berechnet")},
          {GruenOffen, QStringLiteral("Grünland, nicht berechnet")},
          {Unvollstaendig, QStringLiteral("Pflichteingaben fehlen")},
          {Schraffur, QStringLiteral("Nitratgebiet (schraffiert)")},
          {Abweichung, QStringLiteral("Umriss weicht von der Größe ab")}};
}

namespace {

QPainterPath Pfad(const Karte::TUmriss& u, const Karte::TAnsicht& a) {
  QPainterPath pfad;
  pfad.setFillRule(Qt::OddEvenFill);
  for (const Karte::TRing& ring : u.ringe) {
    QPolygonF poly;
    poly.reserve(qsizetype(ring.size()));
    for (const Karte::TPunkt& p : ring) {
      const Karte::TBildpunkt b = a.ZuBild(p);
      poly << QPointF(b.x, b.y);
    }
    pfad.addPolygon(poly);
  }
  return pfad;
}

bool Sichtbar(const Karte::TRechteck& r, const Karte::TAnsicht& a) {
  const Karte::TBildpunkt lo = a.ZuBild({r.links, r.oben}), ru = a.ZuBild({r.rechts, r.unten});
  return ru.x >= 0 && lo.x <= a.Breite() && ru.y >= 0 && lo.y <= a.Hoehe();
}

void Massstab(QPainter& m, const Karte::TAnsicht& a) {
  const Karte::TMassstabsleiste l = Karte::Massstabsleiste(a.Massstab(), std::min(150.0, a.Breite() / 3));
  if (l.pixel <= 0) return;
  const double x = 12, y = a.Hoehe() - 14;
  const QString text = Karte::LaengeText(l.meter);
  // On a light ground of its own, so that fields beneath do not cross the figures.
  const double rechts = x + l.pixel + m.fontMetrics().horizontalAdvance(text) / 2.0;
  m.fillRect(QRectF(x - 6, y - 10 - m.fontMetrics().height(), rechts - x + 12, m.fontMetrics().height() + 16),
             QColor(255, 255, 255, 220));
  m.setPen(QPen(Qt::black, 1));
  m.setBrush(Qt::white);
  m.drawRect(QRectF(x, y - 5, l.pixel / 2, 5));
  m.setBrush(Qt::black);
  m.drawRect(QRectF(x + l.pixel / 2, y - 5, l.pixel / 2, 5));
  m.drawText(QPointF(x, y - 8), QStringLiteral("0"));
  m.drawText(QPointF(x + l.pixel - m.fontMetrics().horizontalAdvance(text) / 2.0, y - 8), text);
}

void Nordpfeil(QPainter& m, const Karte::TAnsicht& a) {
  const double x = a.Breite() - 22, y = 12;
  QPolygonF pfeil{{x, y}, {x + 8, y + 26}, {x, y + 20}, {x - 8, y + 26}};
  m.fillRect(QRectF(x - 12, y - 4, 24, 48), QColor(255, 255, 255, 220));
  m.setPen(QPen(Qt::black, 1));
  m.setBrush(Qt::black);
  m.drawPolygon(pfeil);
  m.drawText(QRectF(x - 10, y + 26, 20, 16), Qt::AlignCenter, QStringLiteral("N"));
}

}  // namespace

void Zeichnen(QPainter& m, const Karte::TKarte& karte, const Karte::TAnsicht& a, const TOptionen& o) {
  m.save();
  m.setRenderHint(QPainter::Antialiasing, true);
  const QPen rand(QColor(70, 70, 70), 1);
  const QPen abweichung(Abweichung, 3, Qt::DashLine);
  const QBrush schraffur(Schraffur, Qt::BDiagPattern);
  const Karte::TKartenSchlag* gewaehlt = nullptr;
  QPolygonF poly;
  for (const Karte::TKartenSchlag& s : karte.schlaege) {
    if (s.umriss.Leer() || !Sichtbar(s.umriss.Grenzen(), a)) continue;
    if (s.parzelle == o.gewaehlt) gewaehlt = &s;
    m.setPen(s.abweichung ? abweichung : rand);
    m.setBrush(Fuellfarbe(s));
    // One ring, the usual field: a polygon is much cheaper than a path.
    if (s.umriss.ringe.size() == 1) {
      const Karte::TRing& ring = s.umriss.ringe.front();
      poly.resize(qsizetype(ring.size()));
      for (size_t i = 0; i < ring.size(); ++i) {
        const Karte::TBildpunkt b = a.ZuBild(ring[i]);
        poly[qsizetype(i)] = QPointF(b.x, b.y);
      }
      m.drawPolygon(poly);
      if (s.nitratgebiet) {
        m.setBrush(schraffur);
        m.drawPolygon(poly);
      }
      continue;
    }
    const QPainterPath pfad = Pfad(s.umriss, a);
    m.drawPath(pfad);
    if (s.nitratgebiet) {
      m.setBrush(schraffur);
      m.drawPath(pfad);
    }
  }
  // The selection last, above its neighbours' edges.
  if (gewaehlt) {
    m.setPen(QPen(Auswahl, 4));
    m.setBrush(Qt::NoBrush);
    m.drawPath(Pfad(gewaehlt->umriss, a));
  }
  if (o.beschriften) {
    m.setPen(Qt::black);
    const QFontMetricsF schrift(m.font());
    for (const Karte::TKartenSchlag& s : karte.schlaege) {
      if (s.umriss.Leer()) continue;
      const Karte::TRechteck r = s.umriss.Grenzen();
      const Karte::TBildpunkt b = a.ZuBild({(r.links + r.rechts) / 2, (r.unten + r.oben) / 2});
      if (b.x < 0 || b.y < 0 || b.x > a.Breite() || b.y > a.Hoehe()) continue;
      // A label wider than its field would cover the neighbours: then the number alone, or nothing.
      const double breite = r.Breite() * a.Massstab();
      QString text = Karte::Beschriftung(s);
      if (schrift.averageCharWidth() * text.size() > breite) {
        text = text.section(u' ', 0, 0);
        if (schrift.averageCharWidth() * text.size() > breite) continue;
      }
      const double w = schrift.horizontalAdvance(text);
      m.drawText(QPointF(b.x - w / 2, b.y + schrift.ascent() / 2 - 1), text);
    }
  }
  if (o.beiwerk) {
    Massstab(m, a);
    Nordpfeil(m, a);
  }
  m.restore();
}

}  // namespace Kartenzeichner
