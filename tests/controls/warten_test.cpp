// The wait window of long procedures: shown with the busy cursor, gone afterwards, also when nested.
#include "meldungen.h"
#include "qtmeldungen.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

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

template <class T>
T* Sichtbar(const QString& name) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible())
      for (T* t : w->findChildren<T*>())
        if (t->accessibleName() == name && t->isVisible()) return t;
  return nullptr;
}

TEST(Warten, FortschrittZeigtSchrittUndAbbrechenNurWoErlaubt) {
  TQtMeldungen meldungen;
  TWarten warten(&meldungen, QStringLiteral("Die Schläge werden angelegt …"));
  EXPECT_EQ(Sichtbar<QProgressBar>(QStringLiteral("Fortschritt")), nullptr);
  EXPECT_TRUE(warten.Schritt(1, 4, QStringLiteral("Stammdaten")));
  auto* balken = Sichtbar<QProgressBar>(QStringLiteral("Fortschritt"));
  ASSERT_NE(balken, nullptr);
  EXPECT_EQ(balken->value(), 1);
  EXPECT_EQ(balken->maximum(), 4);
  EXPECT_EQ(balken->text(), QStringLiteral("Stammdaten – 1 von 4"));
  EXPECT_EQ(Sichtbar<QPushButton>(QStringLiteral("Abbrechen")), nullptr);

  EXPECT_TRUE(warten.Schritt(2, 4, QStringLiteral("Schläge anlegen"), true));
  auto* abbrechen = Sichtbar<QPushButton>(QStringLiteral("Abbrechen"));
  ASSERT_NE(abbrechen, nullptr);
  abbrechen->click();
  // Asked once, the answer stays for the rest of the procedure.
  EXPECT_FALSE(warten.Schritt(3, 4, QStringLiteral("Schläge anlegen"), true));
  EXPECT_FALSE(warten.Schritt(3, 4, QStringLiteral("Schläge anlegen"), true));
  EXPECT_FALSE(abbrechen->isEnabled());
}

}  // namespace
