// The autumn nitrogen demand by crop, previous crop and long-term organic fertilisation.
#include "herbstduengung.h"

#include <gtest/gtest.h>

namespace {

constexpr int AlleAnderen = 8;

TEST(Herbstduengung, NachFruchtartUndOrganischerDuengungBeiAllenAnderenVorfruechten) {
  struct TFall {
    int fruchtart;
    int ohne, mit;
  } const tabelle[] = {
      {1, 60, 40}, {2, 60, 0}, {3, 60, 60}, {4, 60, 40}, {5, 60, 60},
      {6, 40, 0},  {7, 40, 40}, {8, 40, 0}, {9, 0, 0},  {0, 0, 0}, {10, 0, 0},
  };
  for (const auto& f : tabelle) {
    EXPECT_EQ(Herbstduengung::Duengebedarf(f.fruchtart, AlleAnderen, false), f.ohne) << "HD_FA " << f.fruchtart;
    EXPECT_EQ(Herbstduengung::Duengebedarf(f.fruchtart, AlleAnderen, true), f.mit) << "HD_FA " << f.fruchtart;
  }
}

// Maize, rape, beet, vegetables, legumes, field grass, fallow: nothing in autumn.
TEST(Herbstduengung, AndereVorfruechteGebenKeinenBedarf) {
  for (int vorfrucht : {0, 1, 2, 3, 4, 5, 6, 7, 9})
    for (int fruchtart = 0; fruchtart <= 9; ++fruchtart)
      for (bool organisch : {false, true})
        EXPECT_EQ(Herbstduengung::Duengebedarf(fruchtart, vorfrucht, organisch), 0)
            << "HD_VF " << vorfrucht << ", HD_FA " << fruchtart << ", HD_LOD " << organisch;
}

}  // namespace
