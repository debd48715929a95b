#pragma once
// The demand window over a test farm, shown and active so that the focus
// moves as on screen.

#include "adopanel.h"
#include "anbauseite.h"
#include "dataset.h"
#include "dbauswahl.h"
#include "dbeditmod.h"
#include "duengebedarfsfenster.h"
#include "schlagseite.h"
#include "stickstoffbetrieb.h"
#include "stickstoffseite.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <memory>

class FensterBetrieb : public StickstoffBetrieb {
protected:
  void TearDown() override {
    fenster.reset();
    StickstoffBetrieb::TearDown();
  }
  TDuengebedarfsfenster& Fenster() {
    if (!fenster) {
      fenster = std::make_unique<TDuengebedarfsfenster>(db, meldungen, Betrieb, Jahr);
      fenster->show();
      fenster->activateWindow();
      QApplication::setActiveWindow(fenster.get());
    }
    return *fenster;
  }
  // A control of the window by its accessible name (its German caption).
  template <class T = QWidget>
  T* Element(const QString& name) {
    for (T* w : Fenster().template findChildren<T*>())
      if (w->accessibleName() == name) return w;
    return nullptr;
  }
  TADODataSetMod& Schlaege() { return Fenster().SchlagSeite().Liste(); }
  TADODataSetMod& Kulturen() { return Fenster().AnbauSeite().Liste(); }
  TADODataSetMod& Stickstoffliste() { return Fenster().StickstoffSeite().Liste(); }
  // Picks the entry with this value as the user does.
  static void Waehlen(QComboBox* c, const QVariant& wert) {
    ASSERT_NE(c, nullptr);
    for (int i = 0; i < c->count(); ++i)
      if (c->itemData(i).toLongLong() == wert.toLongLong()) {
        c->setCurrentIndex(i);
        emit c->activated(i);
        return;
      }
    FAIL() << "kein Eintrag " << wert.toString().toStdString();
  }
  void Klick(const QString& name) {
    auto* k = Element<QPushButton>(name);
    ASSERT_NE(k, nullptr) << name.toStdString();
    QTest::mouseClick(k, Qt::LeftButton);
  }
  QComboBox* Auswahl(const QString& name) { return Element<QComboBox>(name); }
  TDBEditMod* Eingabe(const QString& name) { return Element<TDBEditMod>(name); }
  // Types into a field and leaves it with Tab.
  void Tippen(const QString& name, const QString& text) {
    TDBEditMod* e = Eingabe(name);
    ASSERT_NE(e, nullptr) << name.toStdString();
    e->setFocus(Qt::TabFocusReason);
    e->selectAll();
    QTest::keyClicks(e, text);
    QTest::keyClick(e, Qt::Key_Tab);
  }
  // A crop selected for the farm with a mean yield.
  void Vorauswahl(int faNr, double ertrag) {
    Stamm(faNr, {{QStringLiteral("Auswahl"), 1}, {QStringLiteral("TatsErtrag"), ertrag}});
  }
  int Anzahl(const QString& sql) { return Wert(sql).toInt(); }

  std::unique_ptr<TDuengebedarfsfenster> fenster;
};
