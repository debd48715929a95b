#pragma once
// Draws the map of a farm year with QPainter, for the screen, the printout
// and the benchmark alike: fields filled by state and use, nitrate areas
// hatched, outlines whose area does not fit the size marked, the selected
// field highlighted, labels, scale bar and north arrow.

#include "ansicht.h"

#include <QColor>

class QPainter;

namespace Kartenzeichner {

// Fill colours; the red is the one of the incomplete rows in the lists.
QColor Fuellfarbe(const Karte::TKartenSchlag& s);
inline const QColor Unvollstaendig{243, 176, 175};
inline const QColor AckerBerechnet{222, 196, 120};
inline const QColor AckerOffen{246, 236, 204};
inline const QColor GruenBerechnet{126, 190, 110};
inline const QColor GruenOffen{206, 234, 196};
inline const QColor Schraffur{40, 60, 160};
inline const QColor Abweichung{230, 110, 0};
inline const QColor Auswahl{0, 90, 220};

struct TOptionen {
  int gewaehlt = 0;          // parcel of the highlighted field
  bool beschriften = true;   // number and name in the fields
  bool beiwerk = true;       // scale bar and north arrow
};

// The fields (and labels, scale bar, north arrow as chosen) into the
// painter's device of the view's size.
void Zeichnen(QPainter& maler, const Karte::TKarte& karte, const Karte::TAnsicht& ansicht, const TOptionen& o);

// The legend's entries: colour (invalid for the marks drawn as lines) and text.
struct TLegendeneintrag {
  QColor farbe;
  QString text;
};
std::vector<TLegendeneintrag> Legende();

}  // namespace Kartenzeichner
