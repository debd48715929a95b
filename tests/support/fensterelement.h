#pragma once
// Helpers of the window tests shared by every folder: a control found by
// its accessible name (its German caption) as a user sees it.

#include <QString>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace Fensterhilfe {

// The one control with this accessible name that shows inside `in`; a
// missing or doubled one fails the test.
template <class T = QWidget>
T* Element(QWidget* in, const QString& name) {
  T* gefunden = nullptr;
  for (T* w : in->findChildren<T*>()) {
    if (w->accessibleName() != name || !w->isVisibleTo(in)) continue;
    if (gefunden) ADD_FAILURE() << "Mehrfach: " << name.toStdString();
    gefunden = w;
  }
  if (!gefunden) ADD_FAILURE() << "Nicht gefunden: " << name.toStdString();
  return gefunden;
}

// Types key by key into the widget, umlauts included.
inline void Tippen(QWidget* ziel, const QString& text) {
  for (const QChar c : text) {
    if (c.unicode() < 128)
      QTest::keyClick(ziel, char(c.unicode()));
    else
      QTest::sendKeyEvent(QTest::Click, ziel, Qt::Key_unknown, QString(c), Qt::NoModifier);
  }
}

}  // namespace Fensterhilfe
