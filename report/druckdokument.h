#pragma once
// The recorded pages of one printed document. Every page is a list of drawing
// elements in device units (600 per inch, origin at the top-left corner of the
// sheet), so that the same pages go to the preview, the printer and the PDF.

#include <QBrush>
#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPen>
#include <QPoint>
#include <QPolygon>
#include <QRect>
#include <QSizeF>
#include <QString>

#include <variant>
#include <vector>

class QPainter;
class QPagedPaintDevice;

namespace Druckeinheiten {
constexpr double JeZoll = 600.0;
constexpr double JeMm = JeZoll / 25.4;
// Millimetres to whole device units, halves to the even neighbour.
int AusMm(double mm);
double InMm(double einheiten);
}  // namespace Druckeinheiten

// A text with the top of its character cell at `obenLinks`.
struct TTextElement {
  QPoint obenLinks;
  QString text;
  QFont schrift;
  QColor farbe;
};

// A line through the points with the pen.
struct TLinienElement {
  QPolygon punkte;
  QPen stift;
};

// A rectangle filled with the brush, no outline.
struct TFlaechenElement {
  QRect rechteck;
  QBrush pinsel;
};

// A bitmap scaled into the rectangle.
struct TBildElement {
  QRect rechteck;
  QImage bild;
};

using TSeitenElement = std::variant<TTextElement, TLinienElement, TFlaechenElement, TBildElement>;

struct TDruckSeite {
  std::vector<TSeitenElement> elemente;
};

class TDruckDokument {
public:
  explicit TDruckDokument(bool querformat = false) : m_querformat(querformat) {}

  bool Querformat() const { return m_querformat; }
  void QuerformatSetzen(bool querformat) { m_querformat = querformat; }
  // A4 in the document's orientation.
  QSizeF GroesseMm() const;

  int Seitenzahl() const { return int(m_seiten.size()); }
  const TDruckSeite& Seite(int index) const { return m_seiten.at(index); }
  TDruckSeite& NeueSeite();
  TDruckSeite& LetzteSeite() { return m_seiten.back(); }
  void Leeren() { m_seiten.clear(); }

  // Draws one page; the painter's coordinates must be device units.
  void SeiteZeichnen(QPainter& maler, int index) const;
  // All pages on a printer or PDF writer whose page layout is already set,
  // with full-page coordinates. False when painting could not start.
  bool Ausgeben(QPagedPaintDevice& geraet) const;
  // The whole document as PDF bytes; empty when it could not be made.
  QByteArray AlsPdf() const;

private:
  bool m_querformat;
  std::vector<TDruckSeite> m_seiten;
};
