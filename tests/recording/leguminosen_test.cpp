// The records' evaluation (lists, sheets, reporting files) credits the legume
// fixation value for a share above 10 % only when the share as entered is above 10.
#include "aufzeichnungsbetrieb.h"
#include "auswertung.h"

#include <algorithm>
#include <vector>

namespace {

class LegumAuswertung : public AufzeichnungsBetrieb {};

TEST_F(LegumAuswertung, HoherWertErstUeberZehnProzent) {
  // Per ha: 60 kg N up to 10 %, 90 above; per dt: 50 dt x 0.5 or x 0.7 kg N.
  const struct {
    double anteil;
    double jeHa, jeDt;
  } faelle[] = {{9.5, 60, 25}, {9.96, 60, 25}, {10, 60, 25}, {10.04, 90, 35}, {10.5, 90, 35}};
  Feld(1, 2);
  const qint64 kultur = Kultur(1, 401201, K("Kleegras"));
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.anteil);
    Sql(K("delete from Dung"));
    for (int pauschal : {1, 0})
      Einfuegen(K("Dung"), {{K("BetriebsNr"), Betrieb}, {K("Jahr"), Jahr}, {K("Parzelle"), 1},
                            {K("ProbenID"), kultur}, {K("Kategorie"), 3}, {K("Dng"), K("Kleegras")},
                            {K("IsLegumPauschal"), pauschal}, {K("Menge"), pauschal ? 0 : 50},
                            {K("N_Bindung_ha"), 60}, {K("N_Bindung_ha_gr10P"), 90}, {K("N_Bindung_dt_FM"), 0.5},
                            {K("N_Bindung_dt_FM_gr10P"), 0.7}, {K("Leguminosenanteil"), f.anteil}});
    bool ok = false;
    const auto s = Auswertung::Saetze(db, Betrieb, Jahr, Auswertung::TReihenfolge::NachSchlag, &ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(s.size(), 2u);
    std::vector<double> werte = {s[0].mengeN_ha, s[1].mengeN_ha};
    std::sort(werte.begin(), werte.end());
    EXPECT_DOUBLE_EQ(werte[0], f.jeDt);
    EXPECT_DOUBLE_EQ(werte[1], f.jeHa);
  }
}

}  // namespace
