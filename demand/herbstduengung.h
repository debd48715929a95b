#pragma once
// The nitrogen demand in autumn of a field (kg total N/ha), set by "Berechnen"
// on the pages "Herbstdüngung" and "Herbstdüngung Nitratgebiet".

namespace Herbstduengung {

// HD_VF: only this previous crop ("alle anderen Vorfrüchte") allows a demand.
inline constexpr int AlleAnderenVorfruechte = 8;

// The demand by the crop planned or sown (HD_FA, 1 to 9), its previous crop
// (HD_VF) and long-term organic fertilisation (HD_LOD). Any other crop value,
// 9 "Sonstige" and no crop give 0.
int Duengebedarf(int fruchtart, int vorfrucht, bool langjaehrigOrganisch);

}  // namespace Herbstduengung
