// The autumn nitrogen demand by crop, previous crop and long-term organic
// fertilisation: the worked cases, each crop by its caption, the limits that
// hold for every input, and what its two pages list and offer.
#include "herbstduengung.h"

#include "dataset.h"
#include "stickstoffbetrieb.h"

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

// --- the two pages without their widgets -----------------------------------------

namespace {

using Herbstduengung::TSchlagauswahl;
using Herbstduengung::TSeite;

TEST(Herbstseiten, WelcheSchlaegeJedeSeiteNachJahrZeigt) {
  const struct {
    TSeite seite;
    int jahr;
    TSchlagauswahl auswahl;
    bool verfuegbar;
  } faelle[] = {
      {TSeite::Herbst, 2019, TSchlagauswahl::Alle, true},
      {TSeite::Herbst, 2020, TSchlagauswahl::Alle, true},
      {TSeite::Nitratgebiet, 2020, TSchlagauswahl::Keine, false},
      {TSeite::Herbst, 2021, TSchlagauswahl::OhneNitratgebiet, true},
      {TSeite::Nitratgebiet, 2021, TSchlagauswahl::Nitratgebiet, true},
      {TSeite::Herbst, 2024, TSchlagauswahl::OhneNitratgebiet, true},
      {TSeite::Nitratgebiet, 2024, TSchlagauswahl::Nitratgebiet, true},
  };
  for (const auto& f : faelle) {
    const bool ng = f.seite == TSeite::Nitratgebiet;
    EXPECT_EQ(Herbstduengung::Schlagauswahl(f.seite, f.jahr), f.auswahl) << (ng ? "Nitratgebiet " : "Herbst ") << f.jahr;
    EXPECT_EQ(Herbstduengung::SeiteVerfuegbar(f.seite, f.jahr), f.verfuegbar) << (ng ? "Nitratgebiet " : "Herbst ")
                                                                              << f.jahr;
  }
  EXPECT_EQ(Herbstduengung::Ergebnisspalte(TSeite::Herbst), QStringLiteral("HD_DNG"));
  EXPECT_EQ(Herbstduengung::Ergebnisspalte(TSeite::Nitratgebiet), QStringLiteral("HD_DNG_RG"));
}

std::vector<int> Werte(const Herbstduengung::TWahl& wahl) {
  std::vector<int> w;
  for (const auto& e : wahl) w.push_back(e.second);
  return w;
}

QString TextVon(const Herbstduengung::TWahl& wahl, int wert) {
  for (const auto& [t, w] : wahl)
    if (w == wert) return t;
  return QStringLiteral("<fehlt>");
}

TEST(Herbstseiten, ImNitratgebietKeineWintergersteUndStrengereBedingungen) {
  const auto herbst = Herbstduengung::Fruchtarten(TSeite::Herbst);
  const auto ng = Herbstduengung::Fruchtarten(TSeite::Nitratgebiet);
  EXPECT_EQ(Werte(herbst), std::vector<int>({1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(Werte(ng), std::vector<int>({1, 2, 3, 4, 5, 6, 7, 9}));
  EXPECT_EQ(TextVon(herbst, 8), QStringLiteral("Wintergerste nach Getreide; Aussaat bis 01.10."));
  EXPECT_EQ(TextVon(herbst, 2), QStringLiteral("Winterraps nach Getreide; Aussaat bis 15.09."));
  EXPECT_EQ(TextVon(ng, 1), QStringLiteral("Zwischenfrüchte mit Leguminosenanteil von 0 bis 75%; Aussaat bis 15.09. "
                                           "mit Futternutzung"));
  EXPECT_EQ(TextVon(ng, 2), QStringLiteral("Winterraps nach Getreide; Aussaat bis 15.09., Nmin <= 45 kg/ha"));
  EXPECT_EQ(TextVon(ng, 3), QStringLiteral("Winterraps nach anderen Vorfrüchten als Getreide; Aussaat bis 15.09., "
                                           "Nmin <= 45 kg/ha"));
  for (int w : {4, 5, 6, 7, 9}) EXPECT_EQ(TextVon(ng, w), TextVon(herbst, w)) << w;
  const auto vf = Herbstduengung::Vorfruechte();
  EXPECT_EQ(Werte(vf), std::vector<int>({1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(TextVon(vf, 2), QStringLiteral("Mais"));
  EXPECT_EQ(TextVon(vf, 8), QStringLiteral("alle anderen Vorfrüchte"));
}

// Winter barley left on a field that moved into a nitrate area: the page
// shows no crop, so it gives no demand; every other crop as on the first page.
TEST(Herbstseiten, WintergersteHatImNitratgebietKeinenBedarf) {
  for (bool organisch : {false, true}) {
    EXPECT_EQ(Herbstduengung::Duengebedarf(TSeite::Nitratgebiet, 8, AlleAnderen, organisch), 0);
    EXPECT_EQ(Herbstduengung::Duengebedarf(TSeite::Herbst, 8, AlleAnderen, organisch), organisch ? 0 : 40);
    for (int fa : {1, 2, 3, 4, 5, 6, 7, 9})
      EXPECT_EQ(Herbstduengung::Duengebedarf(TSeite::Nitratgebiet, fa, AlleAnderen, organisch),
                Herbstduengung::Duengebedarf(fa, AlleAnderen, organisch))
          << fa;
  }
}

class HerbstBetrieb : public StickstoffBetrieb {
protected:
  // The parcels a page lists, in its order.
  std::vector<int> Parzellen(TSeite seite, int jahr) {
    TADODataSetMod liste(db);
    Herbstduengung::ListeDesJahres(liste, Betrieb, jahr, seite);
    EXPECT_TRUE(liste.Oeffnen());
    std::vector<int> p;
    for (int z = 0; z < liste.Anzahl(); ++z) p.push_back(liste.Wert(z, liste.FeldIndex(QStringLiteral("Parzelle"))).toInt());
    return p;
  }
};

TEST_F(HerbstBetrieb, ListenNachJahrUndNitratgebiet) {
  JahrAnlegen(2020);
  JahrAnlegen(2022);
  for (int jahr : {2020, 2021}) {
    Schlag(30, {{"BewirtschaftungsAuflagen", 2}}, jahr);
    Schlag(10, {{"BewirtschaftungsAuflagen", 1}}, jahr);
    Schlag(20, {{"BewirtschaftungsAuflagen", 1}}, jahr);
  }
  Schlag(40, {{"BewirtschaftungsAuflagen", 2}}, 2022);  // another year
  EXPECT_EQ(Parzellen(TSeite::Herbst, 2020), std::vector<int>({10, 20, 30}));
  EXPECT_EQ(Parzellen(TSeite::Nitratgebiet, 2020), std::vector<int>());
  EXPECT_EQ(Parzellen(TSeite::Herbst, 2021), std::vector<int>({10, 20}));
  EXPECT_EQ(Parzellen(TSeite::Nitratgebiet, 2021), std::vector<int>({30}));
}

TEST_F(HerbstBetrieb, ListeLegtKeinenSchlagAn) {
  TADODataSetMod liste(db);
  Herbstduengung::ListeDesJahres(liste, Betrieb, Jahr, TSeite::Nitratgebiet);
  ASSERT_TRUE(liste.Oeffnen());
  liste.EditierenOderAnfuegen();
  EXPECT_FALSE(liste.setWert(QStringLiteral("HD_FA"), 2));
  EXPECT_EQ(Herbstduengung::Berechnen(liste, TSeite::Nitratgebiet), Herbstduengung::TBerechnung::KeinSchlag);
  EXPECT_FALSE(Herbstduengung::Merken(liste, TSeite::Nitratgebiet).has_value());
  EXPECT_EQ(Wert(QStringLiteral("select count(*) from Schlag")).toInt(), 0);
}

}  // namespace
