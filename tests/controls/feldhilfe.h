#pragma once
// Helpers of the input-control tests: a scripted calculator and date
// picker, and a shown, active window in which the focus moves as on screen.

#include "hilfsfenster.h"

#include <QApplication>
#include <QStringList>
#include <QVariant>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

#include <deque>
#include <ostream>

// Readable failure output.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QVariant& v, std::ostream* os) {
  *os << (v.isNull() ? std::string("null") : std::string(v.typeName()) + " " + v.toString().toStdString());
}

class TSkriptHilfsfenster final : public THilfsfenster {
public:
  QStringList protokoll;
  std::deque<double> rechner;
  std::deque<std::optional<QDate>> daten;

  double Taschenrechner(QWidget*) override {
    protokoll << QStringLiteral("Taschenrechner");
    if (rechner.empty()) {
      ADD_FAILURE() << "Kein Ergebnis für den Taschenrechner geplant";
      return 0;
    }
    const double w = rechner.front();
    rechner.pop_front();
    return w;
  }
  std::optional<QDate> DatumAuswaehlen(QWidget*, const QDate& vorgabe) override {
    protokoll << QStringLiteral("BitteDatum auswählen: ") + vorgabe.toString(QStringLiteral("dd.MM.yyyy"));
    if (daten.empty()) {
      ADD_FAILURE() << "Kein Datum geplant";
      return std::nullopt;
    }
    const auto d = daten.front();
    daten.pop_front();
    return d;
  }
};

class TTestFenster : public QWidget {
public:
  TTestFenster() { new QVBoxLayout(this); }
  template <class T>
  T* Dazu(T* w) {
    layout()->addWidget(w);
    if (isVisible()) w->show();
    return w;
  }
  void Zeigen() {
    show();
    activateWindow();
    QApplication::setActiveWindow(this);
  }
};
