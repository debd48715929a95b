// Pictures of the demand window's pages for looking at them by eye; run with
// --gtest_also_run_disabled_tests, the files go to QUENDRIX_BILDER (default
// /tmp). Under xvfb-run with QUENDRIX_QPA=xcb the screen is taken as well
// ("import -window root"), as the window looks on a real X display.
#include "fensterhilfe.h"

#include <QProcess>

namespace {

using namespace Qt::StringLiterals;

class FensterBild : public FensterBetrieb {
protected:
  void Bild(const QString& name) {
    for (int i = 0; i < 5; ++i) QApplication::processEvents();  // layouts settle as on screen
    const QString ordner = qEnvironmentVariableIsSet("QUENDRIX_BILDER") ? qEnvironmentVariable("QUENDRIX_BILDER") : u"/tmp"_s;
    EXPECT_TRUE(fenster->grab().save(u"%1/%2.png"_s.arg(ordner, name)));
    if (QGuiApplication::platformName() == u"xcb"_s) {
      QTest::qWait(300);
      EXPECT_EQ(QProcess::execute(u"import"_s, {u"-window"_s, u"root"_s, u"%1/%2_x.png"_s.arg(ordner, name)}), 0);
    }
  }
};

// A farm as a farmer has it after the first day: real crops of the master
// data, a complete field with its winter wheat calculated, an incomplete
// one, a nitrate-area field with a long crop name, a grassland field.
TEST_F(FensterBild, DISABLED_Seiten) {
  Sql("update Betriebe set BKR = 107");
  const QVariantMap voll = {{"Feldblock", "DEVLLI0123456789"}, {"Phosphatgebiet", 1}, {"NutzungsForm", 1}, {"BKR", 107}};
  auto mit = [&](QVariantMap w, const QVariantMap& mehr) {
    for (auto it = mehr.begin(); it != mehr.end(); ++it) w[it.key()] = it.value();
    return w;
  };
  Schlag(12, mit(voll, {{"SchlagName", "Am Bach"}, {"SchlagNr", 3}, {"Groesse", 4.25}, {"Kultur", "Winterweizen A, B"}}));
  Schlag(13, mit(voll, {{"SchlagName", "Hinterm Hof"}, {"SchlagNr", 4}, {"Groesse", 2.8}, {"AZ", 0}, {"BG", QVariant()}}));
  Schlag(14, mit(voll, {{"SchlagName", "Langes Stück am Mühlgraben"}, {"SchlagNr", 5}, {"Groesse", 11.5},
                        {"BewirtschaftungsAuflagen", 2}, {"Kultur", "Leguminosen-Gemenge (fein- und/oder grobkörnig); Winter, Ganzpflanze"}}));
  Schlag(15, mit(voll, {{"SchlagName", "Auenwiese"}, {"SchlagNr", 6}, {"Groesse", 6}, {"NutzungsForm", 2}, {"GL_Bodenart", 1},
                        {"Kultur", "Grünland 3-4 Schnitte"}}));
  Vorauswahl(224101, 95);
  Vorauswahl(827101, 260);
  Kultur(12, 224101, {{"Nmin_0_30", 30}, {"Nmin_30_60", 20}, {"Nmin_60_90", 10}, {"Nmin", 60}, {"Probenahmetiefe", 90},
                      {"Kultur", "Winterweizen A, B"}});
  Kultur(14, 827101, {{"Nmin_0_30", 25}, {"Nmin_30_60", 15}, {"Nmin_60_90", 5},
                      {"Kultur", "Leguminosen-Gemenge (fein- und/oder grobkörnig); Winter, Ganzpflanze"}});
  // The crop rows as saving them on the crop page leaves them.
  for (const QVariant& id : {Wert("select ID from Anbau where Parzelle = 12"), Wert("select ID from Anbau where Parzelle = 14")})
    Befehle::GruppeFuerDatensatz(db, id.toLongLong(), 20);
  Sql("update Anbau set Duengebedarf = null");
  TDuengebedarfsfenster& f = Fenster();
  ASSERT_TRUE(Schlaege().Gehe(1));
  Bild(u"duengebedarf_schlag"_s);
  ASSERT_TRUE(Schlaege().Gehe(0));
  f.Seiten()->setCurrentIndex(TDuengebedarfsfenster::SeiteAnbau);
  Bild(u"duengebedarf_anbau"_s);
  f.Seiten()->setCurrentIndex(TDuengebedarfsfenster::SeiteStickstoff);
  Klick(u"Berechnen"_s);
  Bild(u"duengebedarf_stickstoff"_s);
  EXPECT_TRUE(meldungen.Infos().isEmpty()) << meldungen.Infos().join(u'\n').toStdString();
}

}  // namespace
