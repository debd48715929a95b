// Pictures of the autumn pages with a farm's fields, for looking at them by
// eye; run with --gtest_also_run_disabled_tests, the files go to
// QUENDRIX_BILDER (default /tmp). Under an X server (xvfb-run, with the
// option -platform xcb) QUENDRIX_IMPORT=1 takes the whole screen with
// ImageMagick's import as well, as the user sees it.
#include "fensterhilfe.h"

#include <QProcess>

namespace {

class FensterHerbstBild : public FensterBetrieb {};

TEST_F(FensterHerbstBild, DISABLED_Herbstseiten) {
  const struct {
    int parzelle, nr;
    const char* name;
    double groesse;
    int auflagen;
    const char* kultur;
    QVariantMap herbst;
  } felder[] = {
      {101, 1, "Am Bach", 12.4, 1, "Winterweizen A, B", {{"HD_FA", 2}, {"HD_VF", 8}, {"HD_DNG", 60}}},
      {102, 2, "Hinterm Hof", 4.75, 1, "Wintergerste", {{"HD_FA", 8}, {"HD_VF", 8}, {"HD_LOD", 1}, {"HD_DNG", 0}}},
      {103, 3, "Lange Breite", 23.1, 1, "Silomais", {}},
      {104, 4, "Kirchweg", 8.0, 2, "Winterraps", {{"HD_FA", 3}, {"HD_VF", 8}, {"HD_DNG_RG", 60}}},
      {105, 5, "Ölmühle", 15.35, 2, "Zuckerrüben", {{"HD_FA", 1}, {"HD_VF", 2}, {"HD_DNG_RG", 0}}},
      {106, 6, "Zur Aue", 2.1, 2, "Winterweizen A, B", {}},
  };
  for (const auto& f : felder) {
    QVariantMap w = {{"Feldblock", "DESTLI0123456789"}, {"Groesse", f.groesse},   {"Phosphatgebiet", 1},
                     {"NutzungsForm", 1},               {"SchlagName", f.name},   {"SchlagNr", f.nr},
                     {"BewirtschaftungsAuflagen", f.auflagen}, {"Kultur", f.kultur}};
    if (!f.herbst.isEmpty()) w[QStringLiteral("BerechnungsDatumHD")] = QStringLiteral("2021-09-10");
    for (auto it = f.herbst.begin(); it != f.herbst.end(); ++it) w[it.key()] = it.value();
    Schlag(f.parzelle, w);
  }
  TDuengebedarfsfenster& fenster = Fenster();
  const QString ordner = qEnvironmentVariableIsSet("QUENDRIX_BILDER") ? qEnvironmentVariable("QUENDRIX_BILDER")
                                                                      : QStringLiteral("/tmp");
  for (int s : {int(TDuengebedarfsfenster::SeiteHerbst), int(TDuengebedarfsfenster::SeiteHerbstRG)}) {
    fenster.Seiten()->setCurrentIndex(s);
    for (int i = 0; i < 20; ++i) {
      QApplication::processEvents();  // layouts settle and the server draws, as on screen
      QTest::qWait(50);
    }
    const QString name = QStringLiteral("%1/herbstduengung_%2").arg(ordner).arg(s);
    EXPECT_TRUE(fenster.grab().save(name + QStringLiteral(".png")));
    if (qEnvironmentVariable("QUENDRIX_IMPORT") == QStringLiteral("1")) {
      EXPECT_EQ(QProcess::execute(QStringLiteral("import"),
                                  {QStringLiteral("-window"), QStringLiteral("root"), name + QStringLiteral("_x.png")}),
                0);
    }
  }
}

}  // namespace
