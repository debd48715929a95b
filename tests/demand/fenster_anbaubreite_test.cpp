// The crop page on a laptop screen (1366 × 768): the window takes the
// screen's width and the grids what the crop panel does not need, so a long
// field name shows whole.
#include "fensterhilfe.h"

#include "listenansicht.h"

#include <QHeaderView>

namespace {

using namespace Qt::StringLiterals;

TEST_F(FensterBetrieb, AnbauZeigtLangeSchlagnamenGanz) {
  const QString name = u"Langes Stück am Mühlgraben"_s;
  Schlag(14, {{"SchlagName", name}, {"SchlagNr", 5}, {"Feldblock", "DEVLLI0123456789"}, {"Groesse", 11.5}});
  TDuengebedarfsfenster& f = Fenster();
  f.Seiten()->setCurrentIndex(TDuengebedarfsfenster::SeiteAnbau);
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
  QWidget* seite = f.Seiten()->currentWidget();
  EXPECT_LE(f.frameGeometry().width(), 1366);
  TListenAnsicht* schlaege = nullptr;
  for (auto* a : seite->findChildren<TListenAnsicht*>())
    if (a->accessibleName() == u"Schläge"_s) schlaege = a;
  ASSERT_NE(schlaege, nullptr);
  int spalte = -1;
  for (int s = 0; s < schlaege->model()->columnCount(); ++s)
    if (schlaege->model()->headerData(s, Qt::Horizontal).toString() == u"SchlagName"_s) spalte = s;
  ASSERT_GE(spalte, 0);
  // The cell's text margins on both sides come on top of the text.
  EXPECT_GE(schlaege->columnWidth(spalte), schlaege->fontMetrics().horizontalAdvance(name) + 6);
}

}  // namespace
