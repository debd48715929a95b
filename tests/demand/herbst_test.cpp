// The autumn nitrogen demand by crop, previous crop and long-term organic
// fertilisation: the worked cases, each crop by its caption, and the limits
// that hold for every input.
#include "herbstduengung.h"

#include <gtest/gtest.h>

namespace {

// Previous crops ("Vorfrucht der Anbaufrucht") as the page numbers them.
constexpr int Mais = 2, AlleAnderen = 8;

TEST(Herbstduengung, DieDurchgerechnetenFaelle) {
  // Winter rape after cereals, previous crop "alle anderen Vorfrüchte": 60 without
  // long-term organic fertilisation, nothing with it.
  EXPECT_EQ(Herbstduengung::Duengebedarf(2, AlleAnderen, false), 60);
  EXPECT_EQ(Herbstduengung::Duengebedarf(2, AlleAnderen, true), 0);
  // After maize nothing, whatever is sown.
  for (int fruchtart = 1; fruchtart <= 9; ++fruchtart)
    for (bool organisch : {false, true}) EXPECT_EQ(Herbstduengung::Duengebedarf(fruchtart, Mais, organisch), 0) << fruchtart;
  // "Sonstige (kein N-Düngebedarf)" and no crop chosen: nothing.
  for (int fruchtart : {9, 0}) EXPECT_EQ(Herbstduengung::Duengebedarf(fruchtart, AlleAnderen, false), 0) << fruchtart;
}

// Each crop of the page "Herbstdüngung" by the caption the farmer picks, with
// the values of the state's scheme for it.
TEST(Herbstduengung, JedeFruchtartNachIhrerBeschriftung) {
  struct TFall {
    const char* beschriftung;
    int fruchtart;
    int ohne, mit;  // without and with long-term organic fertilisation
  } const faelle[] = {
      {"Zwischenfrüchte mit Leguminosenanteil von 0 bis 75%; Aussaat bis 15.09.", 1, 60, 40},
      {"Winterraps nach Getreide; Aussaat bis 15.09.", 2, 60, 0},
      {"Winterraps nach anderen Vorfrüchten als Getreide; Aussaat bis 15.09.", 3, 60, 60},
      {"Feldfutter nach Getreide bei Aussaat bis 31.08.", 4, 60, 40},
      {"Feldfutter nach allen anderen Vorfrüchten als Getreide bei Aussaat bis 31.08.", 5, 60, 60},
      {"Feldfutter nach Getreide bei Aussaat ab 01.09. bis 15.09.", 6, 40, 0},
      {"Feldfutter nach allen anderen Vorfrüchten als Getreide bei Aussaat ab 01.09. bis 15.09.", 7, 40, 40},
      {"Wintergerste nach Getreide; Aussaat bis 01.10.", 8, 40, 0},
  };
  for (const auto& f : faelle) {
    EXPECT_EQ(Herbstduengung::Duengebedarf(f.fruchtart, AlleAnderen, false), f.ohne) << f.beschriftung;
    EXPECT_EQ(Herbstduengung::Duengebedarf(f.fruchtart, AlleAnderen, true), f.mit) << f.beschriftung << " (organisch)";
  }
}

// For every value a stored field may hold: no more than the 60 kg total N/ha
// the ordinance allows in autumn, never more with long-term organic
// fertilisation than without, nothing outside the crops 1 to 8 after "alle
// anderen Vorfrüchte", and late-sown field forage never more than early.
TEST(Herbstduengung, GrenzenFuerJedeEingabe) {
  for (int vorfrucht = -1; vorfrucht <= 10; ++vorfrucht)
    for (int fruchtart = -1; fruchtart <= 11; ++fruchtart) {
      SCOPED_TRACE(testing::Message() << "HD_VF " << vorfrucht << ", HD_FA " << fruchtart);
      const int ohne = Herbstduengung::Duengebedarf(fruchtart, vorfrucht, false);
      const int mit = Herbstduengung::Duengebedarf(fruchtart, vorfrucht, true);
      EXPECT_TRUE(ohne == 0 || ohne == 40 || ohne == 60) << ohne;
      EXPECT_TRUE(mit == 0 || mit == 40 || mit == 60) << mit;
      EXPECT_LE(mit, ohne);
      if (vorfrucht != AlleAnderen || fruchtart < 1 || fruchtart > 8) {
        EXPECT_EQ(ohne, 0);
      }
    }
  for (bool organisch : {false, true}) {
    EXPECT_LE(Herbstduengung::Duengebedarf(6, AlleAnderen, organisch), Herbstduengung::Duengebedarf(4, AlleAnderen, organisch));
    EXPECT_LE(Herbstduengung::Duengebedarf(7, AlleAnderen, organisch), Herbstduengung::Duengebedarf(5, AlleAnderen, organisch));
  }
}

}  // namespace
