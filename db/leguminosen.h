#pragma once
// The legume share from which a legume record takes the fixation values of
// the columns "…_gr10P". The ordinance's values apply to a share of more than
// 10 %: exactly 10 is not above it. The share counts as entered, unrounded,
// so 9,96 stays below and 10,04 is above. The demand window, the records
// window and the export all ask here.

namespace Leguminosen {

inline constexpr double Schwelle = 10.0;

inline bool HoherAnteil(double anteil) { return anteil > Schwelle; }

}  // namespace Leguminosen
