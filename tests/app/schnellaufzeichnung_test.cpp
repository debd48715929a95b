// "Aufzeichnung tabellarisch" opens the quick recording for the selected
// farm and year.
#include "arbeitsfenster.h"
#include "hauptfenster.h"
#include "schnellerfassungsfenster.h"
#include "testbetrieb.h"

#include <QApplication>
#include <QPushButton>
#include <QTimer>

namespace {

class Schnellaufzeichnung : public TestBetrieb {};

TEST_F(Schnellaufzeichnung, OeffnetVomHauptfenster) {
  db.Schliessen();
  THauptfenster fenster(db, ordner.path(), meldungen);
  ASSERT_TRUE(fenster.Starten(QLocale(QLocale::German, QLocale::Germany)));
  ASSERT_FALSE(fenster.Knopf(THauptfenster::TAktion::AufzeichnungTabellarisch)->isEnabled());
  ArbeitsfensterEinsetzen(fenster, db, meldungen);
  ASSERT_TRUE(fenster.Knopf(THauptfenster::TAktion::AufzeichnungTabellarisch)->isEnabled());
  QString titel;
  QTimer::singleShot(0, [&titel] {
    if (auto* w = qobject_cast<TSchnellerfassungsfenster*>(QApplication::activeModalWidget())) {
      titel = w->windowTitle();
      w->close();  // empty: closes without a question
    }
  });
  EXPECT_TRUE(fenster.Ausfuehren(THauptfenster::TAktion::AufzeichnungTabellarisch));
  EXPECT_EQ(titel, QStringLiteral("Schnellaufzeichnung"));
  EXPECT_TRUE(meldungen.protokoll.isEmpty());
  fenster.close();
}

}  // namespace
