// The crop rows of the demand window without the window: what picking a
// crop or previous crop copies.
#include "kulturdaten.h"

#include "stickstoffbetrieb.h"

namespace {

class KulturdatenBetrieb : public StickstoffBetrieb {
protected:
  static QVariant In(const Kulturdaten::TWerte& werte, const char* spalte) {
    for (const auto& [s, w] : werte)
      if (s == QLatin1String(spalte)) return w;
    return QStringLiteral("<fehlt>");
  }
};

TEST_F(KulturdatenBetrieb, HauptfruchtNimmtImNitratgebietAb2021DasMittel2015Bis2019) {
  JahrAnlegen(2020);
  Stamm(224101, {{"TatsErtrag", 80}, {"TatsErtragRG", 70}, {"Rohprotein", 12.5}});
  const struct {
    int jahr;
    int auflagen;
    double ertrag;
  } faelle[] = {{2021, 2, 70}, {2021, 1, 80}, {2020, 2, 80}};
  int parzelle = 0;
  for (const auto& f : faelle) {
    Schlag(++parzelle, {{"BewirtschaftungsAuflagen", f.auflagen}}, f.jahr);
    const Kulturdaten::TWerte w = Kulturdaten::Hauptfrucht(db, {Betrieb, f.jahr, parzelle}, 224101);
    EXPECT_DOUBLE_EQ(In(w, "TatsErtrag").toDouble(), f.ertrag) << f.jahr << " Auflagen " << f.auflagen;
    EXPECT_EQ(In(w, "Kultur").toString(), QStringLiteral("Winterweizen A, B"));
    EXPECT_DOUBLE_EQ(In(w, "TatsRohprotein").toDouble(), 12.5);
    EXPECT_EQ(In(w, "Einzelertrag").toInt(), 0);
    EXPECT_TRUE(In(w, "Duengebedarf").isNull());
  }
  EXPECT_TRUE(Kulturdaten::Hauptfrucht(db, {Betrieb, 2021, 1}, 999999).empty());
}

TEST_F(KulturdatenBetrieb, VorfruchtGehtNurVonDerLetztenKulturInDenSchlag) {
  Stamm(236101, {{"TatsErtrag", 39.6}});
  const Kulturdaten::TVorfrucht raps = Kulturdaten::Vorfrucht(db, Betrieb, 236101);
  EXPECT_EQ(raps.text, QStringLiteral("Winterraps"));
  EXPECT_EQ(raps.ertrag, 40);
  const Kulturdaten::TVorfrucht keine = Kulturdaten::Vorfrucht(db, Betrieb, 999999);
  EXPECT_TRUE(keine.text.isEmpty());
  EXPECT_EQ(keine.ertrag, 0);

  Schlag(12);
  Kultur(12, 224101);
  Kultur(12, 236101, {{"FruchtNr", 2}});
  Kulturdaten::VorfruchtInSchlag(db, {Betrieb, Jahr, 12}, 1, 236101, raps);
  EXPECT_TRUE(Wert("select VF_Name from Schlag").toString().isEmpty());
  Kulturdaten::VorfruchtInSchlag(db, {Betrieb, Jahr, 12}, 2, 236101, raps);
  EXPECT_EQ(Wert("select VF_Name from Schlag").toString(), QStringLiteral("Winterraps"));
  EXPECT_EQ(Wert("select VFEinzelertrag from Schlag").toInt(), 40);
  EXPECT_EQ(Wert("select Vorfrucht from Schlag").toInt(), 236101);
}

}  // namespace
