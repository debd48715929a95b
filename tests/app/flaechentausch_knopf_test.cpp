// "Flächentausch" from the main window: the window opens for the selected
// farm and year; without them there is no farm to take a field.
#include "arbeitsfenster.h"
#include "flaechentauschfenster.h"
#include "hauptfenster.h"
#include "testbetrieb.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {

class FlaechentauschKnopf : public TestBetrieb {};

TEST_F(FlaechentauschKnopf, OeffnetFuerDenGewaehltenBetriebUndDasJahr) {
  db.Schliessen();
  THauptfenster fenster(db, ordner.path(), meldungen);
  ASSERT_TRUE(fenster.Starten(QLocale(QLocale::German, QLocale::Germany)));
  ASSERT_FALSE(fenster.Knopf(THauptfenster::TAktion::Flaechentausch)->isEnabled());
  ArbeitsfensterEinsetzen(fenster, db, meldungen);
  ASSERT_TRUE(fenster.Knopf(THauptfenster::TAktion::Flaechentausch)->isEnabled());
  QString titel, ziel;
  QTimer::singleShot(0, [&] {
    if (auto* w = qobject_cast<TFlaechentauschFenster*>(QApplication::activeModalWidget())) {
      titel = w->windowTitle();
      ziel = w->Ziel()->text();
      w->close();
    }
  });
  EXPECT_TRUE(fenster.Ausfuehren(THauptfenster::TAktion::Flaechentausch));
  EXPECT_EQ(titel.toStdString(), "Flächentausch nach Zielbetrieb \"Hof Linde\".");
  EXPECT_EQ(ziel.toStdString(), "Unternehmen, das Fläche aufnimmt: \"Hof Linde\" und Jahr 2021.");
  fenster.close();
}

TEST_F(FlaechentauschKnopf, OhneJahrKeinFenster) {
  Sql(QStringLiteral("delete from DuengeJahr where BetriebsNr = 2"));
  db.Schliessen();
  THauptfenster fenster(db, ordner.path(), meldungen);
  ASSERT_TRUE(fenster.Starten(QLocale(QLocale::German, QLocale::Germany)));
  ArbeitsfensterEinsetzen(fenster, db, meldungen);
  meldungen.Leeren();
  EXPECT_FALSE(fenster.Ausfuehren(THauptfenster::TAktion::Flaechentausch));
  EXPECT_EQ(meldungen.Infos(), QStringList{THauptfenster::KeinJahr});
  fenster.close();
}

}  // namespace
