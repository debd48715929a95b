// The demand window: inputs that must not create, lose or garble rows.
#include "fensterhilfe.h"

using namespace Qt::StringLiterals;

namespace {

class FensterEingabe : public FensterBetrieb {
protected:
  // Clicks into the control, as the user does, and leaves it with Tab.
  void HineinUndHinaus(QWidget* w) {
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(w->isVisible()) << w->accessibleName().toStdString();
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, w->height() / 2));
    if (auto* e = qobject_cast<QLineEdit*>(w)) QTest::keyClicks(e, QStringLiteral("7"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
};

// A list whose rows come from elsewhere does not grow when its panel is
// entered while it is empty: such a row would lack farm, year or parcel.
TEST_F(FensterEingabe, LeereListenWachsenNichtBeimBetreten) {
  struct TFall {
    const char* name;
    bool mitSchlag;
    int seite;
    QString eingabe;
  };
  const TFall faelle[] = {
      {"Stickstoff ohne Kulturen, Nmin", true, TDuengebedarfsfenster::SeiteStickstoff, u"Nmin 0-30 cm (kg N/ha)"_s},
      {"Stickstoff ohne Schläge, Nmin", false, TDuengebedarfsfenster::SeiteStickstoff, u"Nmin 30-60 cm (kg N/ha)"_s},
      {"Stickstoff ohne Kulturen, Datum", true, TDuengebedarfsfenster::SeiteStickstoff, u"Berechnungsdatum *"_s},
      {"Schlag-Grunddaten ohne Schläge", false, TDuengebedarfsfenster::SeiteSchlag, u"Schlagname"_s},
      {"Anbau ohne Schläge, Hauptfrucht", false, TDuengebedarfsfenster::SeiteAnbau, u"Hauptfrucht *"_s},
      {"Anbau ohne Kulturen, Hauptfrucht", true, TDuengebedarfsfenster::SeiteAnbau, u"Hauptfrucht *"_s},
  };
  Vorauswahl(224101, 80);
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    Sql("delete from Anbau; delete from Schlag");
    if (f.mitSchlag) Schlag(12);
    fenster.reset();
    meldungen.Leeren();
    Fenster().Seiten()->setCurrentIndex(f.seite);
    QWidget* w = Element(f.eingabe);
    HineinUndHinaus(w);
    if (auto* c = qobject_cast<QComboBox*>(w); c && c->count() > 0) {
      // A choice made in the empty list.
      c->setFocus(Qt::MouseFocusReason);
      QTest::keyClick(c, Qt::Key_Down);
      QTest::keyClick(c, Qt::Key_Tab);
    }
    fenster.reset();
    EXPECT_EQ(Anzahl("select count(*) from Anbau"), 0);
    EXPECT_EQ(Anzahl("select count(*) from Schlag"), f.mitSchlag ? 1 : 0);
    EXPECT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join(QLatin1Char('\n')).toStdString();
  }
}

}  // namespace

namespace {

// The field and crop row of the nitrogen page are taken when that page is
// left, not on every later change between the first two pages.
TEST_F(FensterEingabe, SeitenwechselBehaeltDenGewaehltenSchlag) {
  Schlag(12);
  Schlag(13);
  Kultur(12, 224101);
  const qint64 raps = Kultur(13, 236101);
  TDuengebedarfsfenster& f = Fenster();
  const auto parzelle = [this] { return Schlaege().Wert(QStringLiteral("Parzelle")).toInt(); };
  f.Seiten()->setCurrentIndex(TDuengebedarfsfenster::SeiteStickstoff);
  ASSERT_EQ(Stickstoffliste().Wert(QStringLiteral("Parzelle")).toInt(), 12);
  f.Seiten()->setCurrentIndex(TDuengebedarfsfenster::SeiteSchlag);
  EXPECT_EQ(parzelle(), 12);
  ASSERT_TRUE(Schlaege().Gehe(1));
  f.Seiten()->setCurrentIndex(TDuengebedarfsfenster::SeiteAnbau);
  EXPECT_EQ(parzelle(), 13);
  EXPECT_EQ(Kulturen().Wert(QStringLiteral("Parzelle")).toInt(), 13);
  f.Seiten()->setCurrentIndex(TDuengebedarfsfenster::SeiteSchlag);
  EXPECT_EQ(parzelle(), 13);
  ASSERT_TRUE(Schlaege().Gehe(0));
  f.Seiten()->setCurrentIndex(TDuengebedarfsfenster::SeiteAnbau);
  EXPECT_EQ(parzelle(), 12);
  // Leaving the nitrogen page on field 13's row brings field 13 and that row.
  f.Seiten()->setCurrentIndex(TDuengebedarfsfenster::SeiteStickstoff);
  ASSERT_TRUE(Stickstoffliste().Suchen(raps));
  f.Seiten()->setCurrentIndex(TDuengebedarfsfenster::SeiteAnbau);
  EXPECT_EQ(parzelle(), 13);
  EXPECT_EQ(Kulturen().Wert(QStringLiteral("ID")).toLongLong(), raps);
}

}  // namespace
