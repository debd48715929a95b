// The demand window's grids at the window's default size: titles whole,
// every column in view, long crop names with their full text as tooltip.
#include "fensterhilfe.h"

#include <QHeaderView>
#include <QTableView>

namespace {

using namespace Qt::StringLiterals;

const QString Lang = u"Leguminosen-Gemenge (fein- und/oder grobkörnig); Winter, Ganzpflanze"_s;

class FensterRaster : public FensterBetrieb {
protected:
  QTableView* Raster(const QString& name) {
    for (auto* t : Fenster().findChildren<QTableView*>())
      if (t->accessibleName() == name && t->isVisible()) return t;
    return nullptr;
  }
};

TEST_F(FensterRaster, TitelGanzUndLangeNamenMitTooltip) {
  const QVariantMap voll = {{"Feldblock", "DEVLLI0123456789"}, {"Phosphatgebiet", 1}, {"NutzungsForm", 1}, {"Groesse", 11.5}};
  QVariantMap s12 = voll, s14 = voll;
  s12.insert({{"SchlagName", "Am Bach"}, {"Kultur", "Winterweizen A, B"}});
  s14.insert({{"SchlagName", "Langes Stück am Mühlgraben hinter der Brücke"}, {"Kultur", Lang}});
  Schlag(12, s12);
  Schlag(14, s14);
  Vorauswahl(827101, 260);
  Kultur(12, 224101, {{"Kultur", "Winterweizen A, B"}});
  Kultur(14, 827101, {{"Kultur", Lang}});
  TDuengebedarfsfenster& f = Fenster();
  struct TFall {
    int seite;
    QString raster;
  };
  const TFall faelle[] = {{TDuengebedarfsfenster::SeiteSchlag, u"Schläge"_s},
                          {TDuengebedarfsfenster::SeiteAnbau, u"Kulturen"_s},
                          {TDuengebedarfsfenster::SeiteStickstoff, u"Kulturen des Jahres"_s}};
  for (const auto& fall : faelle) {
    SCOPED_TRACE(fall.raster.toStdString());
    f.Seiten()->setCurrentIndex(fall.seite);
    if (fall.seite == TDuengebedarfsfenster::SeiteAnbau) ASSERT_TRUE(Schlaege().Gehe(1));
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
    // Long names do not widen the window beyond its default size.
    EXPECT_EQ(f.width(), 1200);
    QTableView* t = Raster(fall.raster);
    ASSERT_NE(t, nullptr);
    QHeaderView* kopf = t->horizontalHeader();
    int summe = 0, kultur = -1;
    for (int c = 0; c < t->model()->columnCount(); ++c) {
      const QString titel = t->model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
      EXPECT_GE(kopf->sectionSize(c), kopf->sectionSizeHint(c)) << titel.toStdString() << " abgeschnitten";
      summe += kopf->sectionSize(c);
      if (titel == u"Kultur nach DüV"_s) kultur = c;
    }
    EXPECT_LE(summe, t->viewport()->width() + 1) << "Spalten außerhalb der Sicht";
    ASSERT_GE(kultur, 0);
    bool langGefunden = false;
    for (int r = 0; r < t->model()->rowCount(); ++r) {
      const QModelIndex i = t->model()->index(r, kultur);
      EXPECT_EQ(i.data(Qt::ToolTipRole).toString(), i.data(Qt::DisplayRole).toString());
      langGefunden = langGefunden || i.data(Qt::DisplayRole).toString() == Lang;
    }
    EXPECT_TRUE(langGefunden);
    // A cut crop name has all the room the other columns do not need.
    if (kopf->sectionSize(kultur) < static_cast<const QAbstractItemView*>(t)->sizeHintForColumn(kultur))
      for (int c = 0; c < t->model()->columnCount(); ++c)
        if (c != kultur)
          EXPECT_LE(kopf->sectionSize(c), std::max(kopf->sectionSizeHint(c), static_cast<const QAbstractItemView*>(t)->sizeHintForColumn(c)) + 2)
              << t->model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString().toStdString();
  }
}

}  // namespace
