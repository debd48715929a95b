// The wait window of long procedures: shown with the busy cursor, gone afterwards, also when nested.
#include "meldungen.h"
#include "qtmeldungen.h"

#include <QApplication>
#include <QLabel>

#include <gtest/gtest.h>

namespace {

QLabel* Wartetext() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible())
      if (auto* l = w->findChild<QLabel*>()) return l;
  return nullptr;
}

TEST(Warten, FensterUndSanduhrNurWaehrendDesVorgangs) {
  TQtMeldungen meldungen;
  {
    TWarten aussen(&meldungen, QStringLiteral("Bitte warten"));
    {
      TWarten innen(&meldungen, QStringLiteral("anderer Text"));
      ASSERT_NE(Wartetext(), nullptr);
      EXPECT_EQ(Wartetext()->text(), QStringLiteral("Bitte warten"));
    }
    EXPECT_NE(Wartetext(), nullptr);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  }
  EXPECT_EQ(Wartetext(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
