// The legume record a crop row keeps takes the fixation value for a share
// above 10 % only when the share as entered is above 10.
#include "anbauregeln.h"
#include "stickstoffbetrieb.h"

namespace {

using namespace Qt::StringLiterals;

class LegumAnteil : public StickstoffBetrieb {};

TEST_F(LegumAnteil, SatzNimmtDenHohenWertErstUeberZehnProzent) {
  // 60 kg N/ha up to 10 %, 90 kg N/ha above.
  const struct {
    double anteil;
    double nges;
  } faelle[] = {{9.5, 60}, {9.96, 60}, {10, 60}, {10.04, 90}, {10.5, 90}};
  Schlag(1);
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.anteil);
    Sql(u"delete from Dung; delete from Anbau"_s);
    const qint64 id = Kultur(1, 401201,
                             {{u"IsLegum"_s, 1}, {u"N_Bindung_ha"_s, 60}, {u"N_Bindung_ha_gr10P"_s, 90},
                              {u"Leguminosenanteil"_s, f.anteil}});
    Anbauregeln::LegumAbgleichen(db, id);
    EXPECT_DOUBLE_EQ(Wert(u"select Nges from Dung where Kategorie = 3 and ProbenID = :id"_s, {{u"id"_s, id}}).toDouble(),
                     f.nges);
  }
}

}  // namespace
