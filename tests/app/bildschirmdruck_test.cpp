// The screen print of a working window: a print that fails is reported,
// a cancelled printer choice is not.
#include "bildschirmdruck.h"
#include "testdrucker.h"
#include "skriptmeldungen.h"

#include <QImage>
#include <QLabel>

#include <gtest/gtest.h>

namespace {

struct Fall {
  const char* name;
  bool waehlen;
  bool gelingt;
  bool gedruckt;
  size_t bilder;
  const char* meldung;  // empty: none
};

class Bildschirmdruck : public ::testing::TestWithParam<Fall> {};

TEST_P(Bildschirmdruck, EinesArbeitsfensters) {
  const Fall& f = GetParam();
  QLabel fenster(QStringLiteral("Düngebedarfsermittlung"));
  fenster.resize(320, 200);
  TestDrucker drucker(f.waehlen, f.gelingt);
  TSkriptMeldungen meldungen;
  EXPECT_EQ(FensterDrucken(&fenster, drucker, meldungen), f.gedruckt);
  EXPECT_EQ(drucker.gefragt, 1);
  ASSERT_EQ(drucker.bilder.size(), f.bilder);
  if (f.bilder) {
    EXPECT_EQ(drucker.bilder[0].size(), fenster.size() * fenster.devicePixelRatio());
  }
  EXPECT_EQ(meldungen.Infos().join(QLatin1Char('|')).toStdString(), std::string(f.meldung));
}

INSTANTIATE_TEST_SUITE_P(
    Arbeitsfenster, Bildschirmdruck,
    ::testing::Values(Fall{"Gedruckt", true, true, true, 1, ""},
                      Fall{"Abgebrochen", false, true, false, 0, ""},
                      Fall{"DruckerFehler", true, false, false, 1,
                           "Der Bildschirmdruck konnte nicht gedruckt werden. Bitte prüfen Sie, ob der Drucker "
                           "eingeschaltet und erreichbar ist, und versuchen Sie es dann erneut."}),
    [](const ::testing::TestParamInfo<Fall>& i) { return std::string(i.param.name); });

}  // namespace
