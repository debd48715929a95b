#pragma once
// "Karte drucken": the map of a farm year on one A4 landscape sheet through
// the page writer. The fields are a picture; every word on the sheet (farm,
// year, field labels, legend, scale bar, date) is text, so the PDF can be
// searched.

#include "kartendaten.h"

#include <QDate>

#include <functional>

class QWidget;
class TMeldungen;
class TPDFDruckausgabe;

namespace Kartendruck {

// The map area on the sheet, mm from the top left corner.
inline constexpr double Links = 10, Oben = 24, Breite = 200, Hoehe = 170;
// Picture points per millimetre (about 200 dpi).
inline constexpr double PunkteJeMm = 8;

void Schreiben(TPDFDruckausgabe& d, const Karte::TKarte& karte, const QDate& datum);

inline const QString KeinUmriss =
    QStringLiteral("Keiner der Schläge hat einen Umriss; es gibt keine Karte zu drucken.");
// "Karte drucken": the sheet in the preview (or handed to `vorschau`); a
// message and false when no field has an outline.
bool Drucken(QWidget* eltern, TMeldungen& meldungen, const Karte::TKarte& karte, const QDate& datum,
             const std::function<void(TPDFDruckausgabe&)>& vorschau);

}  // namespace Kartendruck
