#pragma once
// Helpers of the window tests shared by every folder: a control found by
// its accessible name (its German caption) as a user sees it.

#include <QString>
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

}  // namespace Fensterhilfe
