#include "herbstduengung.h"

#include <array>
#include <cstddef>

namespace Herbstduengung {

int Duengebedarf(int fruchtart, int vorfrucht, bool langjaehrigOrganisch) {
  if (vorfrucht != AlleAnderenVorfruechte) return 0;
  struct TWerte {
    int ohne;  // without long-term organic fertilisation
    int mit;
  };
  // HD_FA 1 to 8; 9 "Sonstige (kein N-Düngebedarf)" has no demand.
  static constexpr std::array<TWerte, 8> tabelle{{
      {60, 40},  // catch crops with up to 75 % legumes
      {60, 0},   // winter rape after cereals
      {60, 60},  // winter rape after other previous crops
      {60, 40},  // field forage after cereals, sown by 31.08.
      {60, 60},  // field forage after other crops, sown by 31.08.
      {40, 0},   // field forage after cereals, sown 01.09. to 15.09.
      {40, 40},  // field forage after other crops, sown 01.09. to 15.09.
      {40, 0},   // winter barley after cereals
  }};
  if (fruchtart < 1 || fruchtart > int(tabelle.size())) return 0;
  const TWerte& w = tabelle[std::size_t(fruchtart - 1)];
  return langjaehrigOrganisch ? w.mit : w.ohne;
}

}  // namespace Herbstduengung
