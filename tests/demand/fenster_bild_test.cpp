// Pictures of the demand window's pages for looking at them by eye; run with
// --gtest_also_run_disabled_tests, the files go to QUENDRIX_BILDER (default /tmp).
#include "fensterhilfe.h"

namespace {

class FensterBild : public FensterBetrieb {};

TEST_F(FensterBild, DISABLED_Seiten) {
  Schlag(12, {{"Feldblock", "DEVLLI0123456789"}, {"Groesse", 2.5}, {"Phosphatgebiet", 1}, {"NutzungsForm", 1},
              {"SchlagName", "Am Bach"}, {"SchlagNr", 3}, {"Kultur", "Winterweizen A, B"}});
  Schlag(13, {{"SchlagName", "Hinterm Hof"}});
  Kultur(12, 224101, {{"Nmin_0_30", 30}, {"Nmin_30_60", 20}, {"Nmin_60_90", 10}, {"Kultur", "Winterweizen A, B"}});
  Vorauswahl(224101, 95);
  TDuengebedarfsfenster& f = Fenster();
  const QString ordner = qEnvironmentVariableIsSet("QUENDRIX_BILDER") ? qEnvironmentVariable("QUENDRIX_BILDER")
                                                                      : QStringLiteral("/tmp");
  for (int s = 0; s < 3; ++s) {
    f.Seiten()->setCurrentIndex(s);
    if (s == 2) f.StickstoffSeite().Berechnen();
    QApplication::processEvents();  // layouts settle as on screen
    EXPECT_TRUE(f.grab().save(QStringLiteral("%1/duengebedarf_%2.png").arg(ordner).arg(s)));
  }
}

}  // namespace
