// The work sheet and its grid: limits, trimmed reading, display precision,
// held heading rows, display-only mode and the window's hooks.

#include "blatt.h"
#include "blattmodell.h"
#include "hf1book.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(Blatt, GrenzenDesBlatts) {
  TBlatt b;
  struct TFall {
    int spalte, zeile;
    bool drin;
  };
  const TFall faelle[] = {{1, 1, true},     {256, 1, true},   {1, 16384, true}, {256, 16384, true},
                          {257, 1, false},  {1, 16385, false}, {0, 1, false},   {1, 0, false},
                          {-1, -1, false}};
  for (const auto& f : faelle) {
    EXPECT_EQ(b.setText(f.spalte, f.zeile, u"x"_s), f.drin) << f.spalte << "/" << f.zeile;
    EXPECT_EQ(b.setZahl(f.spalte, f.zeile, 1.5), f.drin) << f.spalte << "/" << f.zeile;
    EXPECT_EQ(b.Text(f.spalte, f.zeile), f.drin ? u"1,5"_s : QString());
  }
  EXPECT_EQ(b.LetzteZeile(), 16384);
  EXPECT_EQ(b.LetzteSpalte(), 256);
}

TEST(Blatt, TextGetrimmtLeerIstLeer) {
  TBlatt b;
  b.setText(2, 3, u"  Acker  "_s);
  EXPECT_EQ(b.Text(2, 3), u"Acker"_s);
  EXPECT_EQ(b.Roh(2, 3), u"  Acker  "_s);
  EXPECT_EQ(b.Text(1, 1), QString());
  EXPECT_EQ(b.Text(9, 99), QString());
  EXPECT_EQ(b.LetzteZeile(), 3);
  EXPECT_EQ(b.LetzteSpalte(3), 2);
  // A cell of blanks counts as empty for the last row and column.
  b.setText(5, 7, u"   "_s);
  EXPECT_EQ(b.LetzteZeile(), 3);
  b.ZeileEntfernen(1);
  EXPECT_EQ(b.Text(2, 2), u"Acker"_s);
  b.Leeren();
  EXPECT_EQ(b.LetzteZeile(), 0);
}

TEST(Blatt, ZahlenNachAnzeigegenauigkeit) {
  TBlatt b;
  b.setZahl(1, 1, 2.34567);
  b.setZahl(1, 2, 1234567.5);
  b.setText(1, 3, u"2.5 ha"_s);
  using G = TBlatt::TGenauigkeit;
  struct TFall {
    int zeile;
    G g;
    QString anzeige;
  };
  const TFall faelle[] = {
      {1, G::Ganzzahl, u"2"_s},        {1, G::Zweistellig, u"2,35"_s},   {1, G::Vierstellig, u"2,3457"_s},
      {1, G::Exakt, u"2,34567"_s},     {2, G::Ganzzahl, u"1234568"_s},  {2, G::Zweistellig, u"1234567,50"_s},
      {3, G::Zweistellig, u"2.5 ha"_s},  // text stays text
  };
  for (const auto& f : faelle) EXPECT_EQ(b.Anzeige(1, f.zeile, f.g), f.anzeige) << f.zeile << " " << int(f.g);
  EXPECT_EQ(b.Zahl(1, 1), 2.34567);
  EXPECT_FALSE(b.Zahl(1, 3));
  // Text written over a number makes it a text cell.
  b.setText(1, 1, u"abc"_s);
  EXPECT_FALSE(b.Zahl(1, 1));
}

class Raster : public ::testing::Test {
protected:
  void SetUp() override {
    buch.Blatt().setText(1, 1, u"Parzelle-Nr."_s);
    buch.Blatt().setText(2, 1, u"Schlaggröße"_s);
    buch.Blatt().setText(2, 2, u"in ha"_s);
    for (int z = 3; z <= 60; ++z) {
      buch.Blatt().setZahl(1, z, z - 2);
      buch.Blatt().setZahl(2, z, (z - 2) * 1.25);
    }
    buch.Aktualisieren();
    buch.resize(400, 300);
    buch.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&buch));
    buch.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&buch));
    buch.setFocus();
  }
  // Types into the current cell as a user does: the first key opens the
  // editor, the rest go into it, Enter ends.
  void Tippen(const QString& text) {
    for (QChar c : text) QTest::keyClicks(QApplication::focusWidget(), QString(c));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCoreApplication::processEvents();  // the editor commits queued
  }
  THF1Book buch;
};

TEST_F(Raster, GehalteneKopfzeilenSindSpaltentitel) {
  auto* m = buch.Modell();
  EXPECT_EQ(m->rowCount(), 60);
  buch.setKopfZeileHalten(THF1Book::cnstHalten, 2);
  EXPECT_EQ(m->rowCount(), 58);
  EXPECT_EQ(m->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), u"Schlaggröße\nin ha"_s);
  EXPECT_EQ(m->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), u"Parzelle-Nr."_s);
  EXPECT_EQ(m->headerData(0, Qt::Vertical, Qt::DisplayRole).toInt(), 3);  // sheet row numbers
  // The body starts below the held rows.
  ASSERT_TRUE(buch.setPosition(2, 3));
  EXPECT_EQ(buch.Ansicht()->currentIndex().row(), 0);
  EXPECT_FALSE(buch.setPosition(2, 2));  // a held row is no cell of the body
  // Scrolling to the end leaves the titles in the header.
  ASSERT_TRUE(buch.setPosition(1, 60));
  EXPECT_GT(buch.Ansicht()->rowAt(0), 0);
  EXPECT_EQ(m->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), u"Parzelle-Nr."_s);
  buch.setKopfZeileHalten(THF1Book::cnstNichtHalten);
  EXPECT_EQ(m->headerData(1, Qt::Horizontal, Qt::DisplayRole).toInt(), 2);
}

TEST_F(Raster, NurBenutzteZeilenUndGesetzteSpaltenWaehlbar) {
  buch.setSpaltenzahl(5);
  EXPECT_TRUE(buch.setPosition(5, 60));
  EXPECT_FALSE(buch.setPosition(6, 3));
  EXPECT_FALSE(buch.setPosition(1, 61));
  EXPECT_EQ(buch.AktuelleSpalte(), 5);
  EXPECT_EQ(buch.AktuelleZeile(), 60);
}

TEST_F(Raster, AnzeigeNachGenauigkeit) {
  auto* m = buch.Modell();
  buch.setGenauigkeit(TBlatt::TGenauigkeit::Zweistellig);
  EXPECT_EQ(m->data(m->Index(2, 3), Qt::DisplayRole).toString(), u"1,25"_s);
  buch.setGenauigkeit(TBlatt::TGenauigkeit::Ganzzahl);
  EXPECT_EQ(m->data(m->Index(2, 3), Qt::DisplayRole).toString(), u"1"_s);
  buch.setGenauigkeit(TBlatt::TGenauigkeit::Exakt);
  EXPECT_EQ(m->data(m->Index(2, 3), Qt::DisplayRole).toString(), u"1,25"_s);
}

TEST_F(Raster, TippenSchreibtDieZelleNachDenRegelnDesFensters) {
  buch.setKopfZeileHalten(THF1Book::cnstHalten, 2);
  // Column 1 is read only; column 2 takes digits only, upper-cased text elsewhere.
  buch.setEditierbar([](int s, int) { return s != 1; });
  buch.setEingabe([](int, int, const QString& t) -> std::optional<QString> {
    for (QChar c : t)
      if (!c.isDigit() && c != u',') return std::nullopt;
    return t;
  });
  buch.setPosition(2, 4);
  Tippen(u"7,5"_s);
  EXPECT_EQ(buch.Text(2, 4), u"7,5"_s);
  buch.setPosition(2, 5);
  Tippen(u"x1"_s);
  EXPECT_EQ(buch.Text(2, 5), u"3,75"_s);  // refused, the old value stays
  buch.setPosition(1, 4);
  Tippen(u"9"_s);
  EXPECT_EQ(buch.Text(1, 4), u"2"_s);

  buch.setNurAnzeige(true);
  buch.setPosition(2, 6);
  Tippen(u"1"_s);
  EXPECT_EQ(buch.Text(2, 6), u"5"_s);
}

TEST_F(Raster, TastenhakenSiehtDieTasteZuerst) {
  std::vector<std::pair<int, int>> gesehen;
  buch.Taste = [&](int s, int z, QKeyEvent* t) {
    gesehen.emplace_back(s, z);
    return t->text() == u"x"_s;
  };
  buch.setPosition(2, 3);
  QTest::keyClick(buch.Ansicht(), Qt::Key_X);
  EXPECT_EQ(buch.Text(2, 3), u"1,25"_s);  // taken by the hook, no editor opened
  ASSERT_EQ(gesehen.size(), 1u);
  EXPECT_EQ(gesehen[0], (std::pair<int, int>{2, 3}));
}

}  // namespace
