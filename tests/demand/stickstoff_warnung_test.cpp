// The range warning of "Berechnen" on the "Stickstoff" page: above 280 kg N/ha
// for arable crops, above 650 for grassland, none for vegetables. The result
// stays stored either way.
#include "fensterhilfe.h"

namespace {

struct TGrenzfall {
  const char* name;
  int kultur, gruppe;
  double bedarfswert;  // the crop's demand value, set for the case
  int bedarf;          // worked by hand below
  bool warnt;
};

// Each crop at its yield level, no humus, previous crop, catch crop or organic
// fertilisation. Winter wheat, Nmin 30 + 20 + 10 x 0.5 (third layer half in
// region 200): demand value - 55. Field grass on class 6 (no soil supply), no
// legumes, protein as in the table: the demand value. Cauliflower, sampled to
// 60 cm: Nmin 30 + 20, demand value - 50.
const TGrenzfall Grenzfaelle[] = {
    {"Acker280", 224101, 1, 335, 280, false},   {"Acker281", 224101, 1, 336, 281, true},
    {"Gruenland650", 251201, 2, 650, 650, false}, {"Gruenland651", 251201, 2, 651, 651, true},
    {"Gemuese900", 149301, 3, 950, 900, false},
};

class Bereichswarnung : public FensterBetrieb, public ::testing::WithParamInterface<TGrenzfall> {};

TEST_P(Bereichswarnung, NurUeberDerGrenzeDerKulturgruppe) {
  const TGrenzfall& f = GetParam();
  const bool gruenland = f.gruppe == 2;
  QVariantMap schlag = {{"Feldblock", "DEVLLI0123456789"}, {"Groesse", 2.5}, {"Phosphatgebiet", 1},
                        {"NutzungsForm", gruenland ? 2 : 1}};
  if (gruenland) schlag["GL_Bodenart"] = 6;
  Schlag(12, schlag);
  const qint64 id = Kultur(12, f.kultur,
                           {{"KulturGruppe", f.gruppe}, {"Nmin_0_30", 30}, {"Nmin_30_60", 20}, {"Nmin_60_90", 10},
                            {"Nmin", 60}, {"Duengebedarf", QVariant()}});
  Sql(QStringLiteral("update S_KulturenNP set Auswahl = 1, TatsErtrag = Ertragsniveau, Stickstoffbedarfswert = :n "
                     "where FA_NR = :k and BetriebsNr = :b"),
      {{"n", f.bedarfswert}, {"k", f.kultur}, {"b", Betrieb}});
  Fenster().Seiten()->setCurrentIndex(TDuengebedarfsfenster::SeiteStickstoff);
  Klick(QStringLiteral("Berechnen"));

  EXPECT_EQ(Von(id, "Duengebedarf").toInt(), f.bedarf);
  const QStringList warnung = {QStringLiteral("Der errechnete Düngebedarf von %1 kg N/ha liegt außerhalb des normalen "
                                              "Bereichs. Bitte püfen Sie Ihre Eingaben oder setzen Sie sich ggf. mit dem "
                                              "zuständigen Ansprechpartner in Verbindung.")
                                   .arg(f.bedarf)};
  EXPECT_EQ(meldungen.Infos(), f.warnt ? warnung : QStringList());
}

INSTANTIATE_TEST_SUITE_P(Stickstoff, Bereichswarnung, ::testing::ValuesIn(Grenzfaelle),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
