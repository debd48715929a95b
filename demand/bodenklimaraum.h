#pragma once
// The soil-climate region (Boden-Klima-Raum, BKR) of a farm or field: a
// three-digit number from the regions of the Julius Kühn-Institut. The
// shipped places carry none, so the farmer types it once for the farm and
// every new field takes it over.

#include <QString>
#include <QVariant>

namespace Bodenklimaraum {

// The regions are numbered 101 to 199.
inline constexpr int Kleinste = 101;
inline constexpr int Groesste = 199;

// Whether a value is a region number; null and 0 mean "not known yet" and
// are not regions.
bool Gueltig(const QVariant& nr);
// What the region is and where the farmer finds it: tooltip and hint.
extern const QString Erklaerung;
// The message for a number that is not a region.
extern const QString Ungueltig;

}  // namespace Bodenklimaraum
