#pragma once
// The phosphate arithmetic of a field that runs in code rather than as a stored rule.

#include <QString>

namespace Phosphor {

// Soil-climate region whose soils have their own class bounds.
inline constexpr int BkrMitEigenenGrenzen = 192;

// Content class "A" to "E" of a soil P content (mg P/100 g) by analysis
// method (1 CAL, 2 DL) and soil-climate region; the upper bounds count to
// the lower class. Empty for any other method (EUF included) and for a
// content not above 0. The field window derives it before a field is saved.
QString Gehaltsklasse(int methode, int bkr, double pGehalt);

}  // namespace Phosphor
