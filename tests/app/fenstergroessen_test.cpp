// Every top-level window fits the 1366 × 768 screen the tests run on: as
// opened, and at its smallest (its minimum size hint), so that on such a
// screen nothing is cut; columns give way and scroll bars appear instead.
#include "aktionsauswahl.h"
#include "arbeitsfenster.h"
#include "datumsauswahl.h"
#include "eingabedialog.h"
#include "hauptfenster.h"
#include "infofenster.h"
#include "schlagimportfenster.h"
#include "taschenrechner.h"
#include "testbetrieb.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>

#include <functional>

namespace {

class Fenstergroessen : public TestBetrieb {
protected:
  // The window's frame and its smallest size inside the screen's free area.
  static void Passt(QWidget* w, const QString& name) {
    SCOPED_TRACE(name.toStdString());
    ASSERT_NE(w, nullptr);
    const QRect frei = w->screen()->availableGeometry();
    const QSize rahmen = w->frameGeometry().size();
    EXPECT_LE(rahmen.width(), frei.width());
    EXPECT_LE(rahmen.height(), frei.height());
    const QSize kleinste = w->minimumSizeHint().expandedTo(w->minimumSize());
    EXPECT_LE(kleinste.width(), frei.width());
    EXPECT_LE(kleinste.height(), frei.height());
  }
};

TEST_F(Fenstergroessen, SchirmDerTestsIst1366Mal768) {
  // Under xvfb-run (QUENDRIX_QPA=xcb) the X screen has its own size.
  if (qEnvironmentVariableIsSet("QUENDRIX_QPA")) GTEST_SKIP();
  EXPECT_EQ(QGuiApplication::primaryScreen()->geometry().size(), QSize(1366, 768));
}

TEST_F(Fenstergroessen, ArbeitsfensterDesHauptfensters) {
  db.Schliessen();
  THauptfenster fenster(db, ordner.path(), meldungen);
  ASSERT_TRUE(fenster.Starten(QLocale(QLocale::German, QLocale::Germany)));
  ArbeitsfensterEinsetzen(fenster, db, meldungen);
  fenster.show();
  Passt(&fenster, QStringLiteral("Hauptfenster"));
  using A = THauptfenster::TAktion;
  for (A aktion : {A::Duengebedarfsermittlung, A::Aufzeichnungspflicht, A::AufzeichnungTabellarisch, A::Ertraege,
                   A::Flaechentausch, A::Vorauswahl}) {
    bool gesehen = false;
    QTimer::singleShot(0, [&gesehen] {
      QWidget* w = QApplication::activeModalWidget();
      if (!w) return;
      gesehen = true;
      Passt(w, w->windowTitle());
      w->close();
    });
    EXPECT_TRUE(fenster.Ausfuehren(aktion));
    EXPECT_TRUE(gesehen) << int(aktion);
  }
  fenster.close();
}

TEST_F(Fenstergroessen, DialogeUndFeldimport) {
  TSchlagimportFenster::TAufruf aufruf;
  aufruf.betrieb = 2;
  aufruf.jahr = 2021;
  aufruf.ordner = ordner.path();
  const std::vector<std::pair<QString, std::function<QWidget*()>>> fenster = {
      {QStringLiteral("Feldimport"), [&] { return new TSchlagimportFenster(db, meldungen, aufruf); }},
      {QStringLiteral("Info"), [&] { return new TInfoFenster(ordner.path()); }},
      {QStringLiteral("Taschenrechner"), [] { return new TTaschenrechner; }},
      {QStringLiteral("Aktionsauswahl"), [&] { return new TAktionsauswahl(meldungen, [](int) { return true; }); }},
      {QStringLiteral("Datumsauswahl"), [] { return new TDatumsAuswahl(QDate(2021, 3, 1)); }},
      {QStringLiteral("Eingabe"),
       [] { return new TEingabeDialog(TEingabeDialog::TArt::Ganzzahl, QStringLiteral("Zahl")); }},
  };
  for (const auto& [name, machen] : fenster) {
    std::unique_ptr<QWidget> w(machen());
    w->show();
    QApplication::processEvents();
    Passt(w.get(), name);
  }
}

}  // namespace
