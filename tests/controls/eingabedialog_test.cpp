// The small input boxes: caption, field length and how their text is read.
#include "eingabedialog.h"

#include <QDate>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(Eingabedialog, TitelFeldlaengeUndGanzzahl) {
  TEingabeDialog d(TEingabeDialog::TArt::Jahr, QStringLiteral("Mit welchem Kalenderjahr wollen Sie beginnen? \r\n(-1 für Abbruch)"));
  EXPECT_EQ(d.windowTitle(), QStringLiteral("Jahreseingabe"));
  EXPECT_EQ(d.Feld()->maxLength(), 20);
  QTest::keyClicks(d.Feld(), QStringLiteral("-1"));
  EXPECT_EQ(d.Zahl(), -1);
  d.Feld()->clear();
  QTest::keyClicks(d.Feld(), QStringLiteral("20x21"));  // letters are not taken
  EXPECT_EQ(d.Zahl(), 2021);
  d.Feld()->clear();
  EXPECT_EQ(d.Zahl(), 0);
  EXPECT_EQ(TEingabeDialog::Titel(TEingabeDialog::TArt::Ganzzahl), QStringLiteral("Ganzzahleingabe"));
}

TEST(Eingabedialog, DatumMitZweistelligemJahr) {
  TEingabeDialog d(TEingabeDialog::TArt::Datum, QStringLiteral("Wann?"));
  EXPECT_EQ(d.windowTitle(), QStringLiteral("Datumseingabe"));
  const std::pair<const char*, QDate> faelle[] = {
      {"010921", QDate(2021, 9, 1)},
      {"311299", QDate(1999, 12, 31)},
      {"310221", QDate()},  // no 31 February
      {"", QDate()},
  };
  for (const auto& [tasten, datum] : faelle) {
    SCOPED_TRACE(tasten);
    d.Feld()->clear();
    d.Feld()->setCursorPosition(0);
    QTest::keyClicks(d.Feld(), QString::fromLatin1(tasten));
    EXPECT_EQ(d.Datum(), datum);
  }
}

}  // namespace
