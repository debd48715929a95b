#include "druckdokument.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <cmath>

namespace Druckeinheiten {
int AusMm(double mm) { return int(std::nearbyint(mm * JeMm)); }
double InMm(double einheiten) { return einheiten / JeMm; }
}  // namespace Druckeinheiten

namespace {
// A small bitmap of one colour (the blank marker of every page) is drawn as a
// filled area: the same on paper, and the PDF engine need not load the image
// plugins (whose thread-local data the leak checker cannot walk at exit).
bool Einfarbig(const QImage& bild) {
  if (bild.isNull() || qint64(bild.width()) * bild.height() > 4096) return false;
  const QRgb erste = bild.pixel(0, 0);
  for (int y = 0; y < bild.height(); ++y)
    for (int x = 0; x < bild.width(); ++x)
      if (bild.pixel(x, y) != erste) return false;
  return true;
}

template <class... T>
struct Besucher : T... {
  using T::operator()...;
};
template <class... T>
Besucher(T...) -> Besucher<T...>;
}  // namespace

QSizeF TDruckDokument::GroesseMm() const { return m_querformat ? QSizeF(297, 210) : QSizeF(210, 297); }

TDruckSeite& TDruckDokument::NeueSeite() {
  m_seiten.emplace_back();
  return m_seiten.back();
}

void TDruckDokument::SeiteZeichnen(QPainter& maler, int index) const {
  maler.save();
  for (const TSeitenElement& element : m_seiten.at(index).elemente) {
    std::visit(Besucher{
                   [&](const TTextElement& t) {
                     maler.setFont(t.schrift);
                     maler.setPen(QPen(t.farbe));
                     const QFontMetricsF masse(t.schrift);
                     maler.drawText(QPointF(t.obenLinks.x(), t.obenLinks.y() + masse.ascent()), t.text);
                   },
                   [&](const TLinienElement& l) {
                     maler.setPen(l.stift);
                     maler.setBrush(Qt::NoBrush);
                     maler.drawPolyline(l.punkte);
                   },
                   [&](const TFlaechenElement& f) { maler.fillRect(QRectF(f.rechteck), f.pinsel); },
                   [&](const TBildElement& b) {
                     if (Einfarbig(b.bild))
                       maler.fillRect(QRectF(b.rechteck), QColor::fromRgba(b.bild.pixel(0, 0)));
                     else
                       maler.drawImage(QRectF(b.rechteck), b.bild);
                   },
               },
               element);
  }
  maler.restore();
}

bool TDruckDokument::Ausgeben(QPagedPaintDevice& geraet) const {
  QPainter maler;
  if (!maler.begin(&geraet)) return false;
  maler.setRenderHint(QPainter::Antialiasing);
  maler.setRenderHint(QPainter::SmoothPixmapTransform);
  for (int i = 0; i < Seitenzahl(); ++i) {
    if (i > 0 && !geraet.newPage()) {
      maler.end();
      return false;
    }
    maler.save();
    maler.scale(geraet.logicalDpiX() / Druckeinheiten::JeZoll, geraet.logicalDpiY() / Druckeinheiten::JeZoll);
    SeiteZeichnen(maler, i);
    maler.restore();
  }
  return maler.end();
}

QByteArray TDruckDokument::AlsPdf() const {
  QByteArray daten;
  QBuffer puffer(&daten);
  puffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter schreiber(&puffer);
    schreiber.setCreator(QStringLiteral("Quendrix"));
    schreiber.setResolution(int(Druckeinheiten::JeZoll));
    schreiber.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                        m_querformat ? QPageLayout::Landscape : QPageLayout::Portrait,
                                        QMarginsF(0, 0, 0, 0)));
    if (!Ausgeben(schreiber)) return {};
  }
  puffer.close();
  return daten;
}
