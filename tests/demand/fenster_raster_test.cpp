// The demand window's grids at the window's default size: titles whole,
// every column in view, long crop names with their full text as tooltip.
#include "fensterhilfe.h"

#include <QHeaderView>
#include <QTabBar>
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

// A row added to a list read empty gets columns wide enough for it.
TEST_F(FensterRaster, NeueZeileBekommtPlatz) {
  Schlag(12, {{"Feldblock", "DEVLLI0123456789"}, {"Groesse", 2.5}, {"Phosphatgebiet", 1}, {"NutzungsForm", 1}});
  Vorauswahl(224101, 80);
  Fenster().Seiten()->setCurrentIndex(TDuengebedarfsfenster::SeiteAnbau);
  Klick(u"Kultur anlegen"_s);
  Waehlen(Auswahl(u"Hauptfrucht *"_s), 224101);
  QApplication::processEvents();
  QTableView* t = Raster(u"Kulturen"_s);
  ASSERT_NE(t, nullptr);
  ASSERT_EQ(t->model()->rowCount(), 1);
  for (int c = 0; c < t->model()->columnCount(); ++c)
    EXPECT_GE(t->horizontalHeader()->sectionSize(c), static_cast<const QAbstractItemView*>(t)->sizeHintForColumn(c))
        << t->model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString().toStdString() << ": "
        << t->model()->index(0, c).data().toString().toStdString();
}

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
    if (fall.seite == TDuengebedarfsfenster::SeiteAnbau) {
      ASSERT_TRUE(Schlaege().Gehe(1));
    }
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
    // Long names do not widen the window beyond its default size: as wide
    // as the 1366 px test screen allows beside the frame.
    EXPECT_EQ(f.width(), 1350);
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
    if (kopf->sectionSize(kultur) < static_cast<const QAbstractItemView*>(t)->sizeHintForColumn(kultur)) {
      for (int c = 0; c < t->model()->columnCount(); ++c) {
        if (c == kultur) continue;
        EXPECT_LE(kopf->sectionSize(c), std::max(kopf->sectionSizeHint(c), static_cast<const QAbstractItemView*>(t)->sizeHintForColumn(c)) + 2)
            << t->model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString().toStdString();
      }
    }
  }
}

}  // namespace

namespace {

// Tab goes through a page as it stands on the screen: the grid and the
// buttons under it, then the panel from top to bottom, then the row below
// the pages.
TEST_F(FensterRaster, TabFolgtDemBildschirm) {
  Schlag(12, {{"Feldblock", "DEVLLI0123456789"}, {"Groesse", 2.5}, {"Phosphatgebiet", 1}, {"NutzungsForm", 1}});
  Kultur(12, 224101, {{"Kultur", "Winterweizen A, B"}});
  Vorauswahl(224101, 80);
  struct TFall {
    int seite;
    QString start;  // the page's first grid
    QStringList marken;
  };
  const TFall faelle[] = {
      {TDuengebedarfsfenster::SeiteSchlag, u"Schläge"_s,
       {u"neuen Schlag anlegen"_s, u"Schlag löschen"_s, u"Schlag-Nr."_s, u"Feldblock *"_s, u"Gesamtparzellennummer *"_s,
        u"Größe *"_s, u"Nutzungsform *"_s, u"Bodenklimaraum *"_s, u"Durchwurzelungstiefe *"_s, u"Analysemethode"_s,
        u"OK"_s, u"Abbruch"_s, u"Suchen"_s, u"Taschenrechner"_s, u"Hauptmenü"_s}},
      {TDuengebedarfsfenster::SeiteAnbau, u"Schläge"_s,
       {u"Kulturen"_s, u"Kultur anlegen"_s, u"Vorauswahl"_s, u"Frucht merken"_s, u"Vorfrucht merken"_s,
        u"Zwischenfrucht merken"_s, u"Hauptfrucht *"_s, u"Vorfrucht"_s, u"OK"_s, u"Suchen"_s, u"Hauptmenü"_s}},
      {TDuengebedarfsfenster::SeiteStickstoff, u"Kulturen des Jahres"_s,
       {u"Berechnen"_s, u"Nmin merken"_s, u"Datenherkunft 0-30 und 30-60 cm"_s, u"Nmin 0-30 cm (kg N/ha)"_s,
        u"Nmin 60-90 cm (kg N/ha)"_s, u"Datenherkunft 60-90 cm"_s, u"Datenherkunft löschen"_s, u"Berechnungsdatum *"_s,
        u"Suchen"_s, u"Hauptmenü"_s}},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.start.toStdString());
    Fenster().Seiten()->setCurrentIndex(f.seite);
    // From the page tabs on top.
    QWidget* start = Fenster().Seiten()->tabBar();
    start->setFocus(Qt::TabFocusReason);
    QStringList folge;
    for (int i = 0; i < 80; ++i) {
      QWidget* w = QApplication::focusWidget();
      ASSERT_NE(w, nullptr);
      if (i > 0 && w == start) break;
      folge << w->accessibleName();
      QTest::keyClick(w, Qt::Key_Tab);
    }
    EXPECT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join(u'\n').toStdString();
    ASSERT_GE(folge.size(), 2);
    EXPECT_EQ(folge[0], u"Seiten"_s);
    EXPECT_EQ(folge[1], f.start);
    qsizetype vorher = 1;
    for (const QString& m : f.marken) {
      const qsizetype stelle = folge.indexOf(m);
      EXPECT_GT(stelle, vorher) << m.toStdString() << " in " << folge.join(u" | "_s).toStdString();
      vorher = stelle;
    }
  }
}

}  // namespace
