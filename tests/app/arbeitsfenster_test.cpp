// The working windows that exist open from the main window's buttons.
#include "arbeitsfenster.h"
#include "hauptfenster.h"
#include "testbetrieb.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

namespace {

class Arbeitsfenster : public TestBetrieb {};

TEST_F(Arbeitsfenster, DuengebedarfsermittlungOeffnetFuerBetriebUndJahr) {
  db.Schliessen();
  THauptfenster fenster(db, ordner.path(), meldungen);
  ASSERT_TRUE(fenster.Starten(QLocale(QLocale::German, QLocale::Germany)));
  ASSERT_FALSE(fenster.Knopf(THauptfenster::TAktion::Duengebedarfsermittlung)->isEnabled());
  ArbeitsfensterEinsetzen(fenster, db, meldungen);
  ASSERT_TRUE(fenster.Knopf(THauptfenster::TAktion::Duengebedarfsermittlung)->isEnabled());
  QString titel;
  QTimer::singleShot(0, [&titel] {
    if (QWidget* w = QApplication::activeModalWidget()) {
      titel = w->windowTitle();
      w->close();
    }
  });
  EXPECT_TRUE(fenster.Ausfuehren(THauptfenster::TAktion::Duengebedarfsermittlung));
  EXPECT_EQ(titel, QStringLiteral("Düngebedarfsermittlung:  Hof Linde / 2021"));
  fenster.close();
}

}  // namespace
