// The working windows that exist open from the main window's buttons.
#include "aktionsauswahl.h"
#include "arbeitsfenster.h"
#include "dataset.h"
#include "ertraege.h"
#include "ertragsfenster.h"
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

TEST_F(Arbeitsfenster, AufzeichnungspflichtOeffnetFuerBetriebUndJahr) {
  db.Schliessen();
  THauptfenster fenster(db, ordner.path(), meldungen);
  ASSERT_TRUE(fenster.Starten(QLocale(QLocale::German, QLocale::Germany)));
  ASSERT_FALSE(fenster.Knopf(THauptfenster::TAktion::Aufzeichnungspflicht)->isEnabled());
  ArbeitsfensterEinsetzen(fenster, db, meldungen);
  ASSERT_TRUE(fenster.Knopf(THauptfenster::TAktion::Aufzeichnungspflicht)->isEnabled());
  QString titel;
  QTimer::singleShot(0, [&titel] {
    if (QWidget* w = QApplication::activeModalWidget()) {
      titel = w->windowTitle();
      w->close();
    }
  });
  EXPECT_TRUE(fenster.Ausfuehren(THauptfenster::TAktion::Aufzeichnungspflicht));
  EXPECT_EQ(titel, QStringLiteral("Düngungsaufzeichnung:  Hof Linde / 2021"));
  fenster.close();
}

}  // namespace

namespace {

TEST_F(Arbeitsfenster, VorauswahlOeffnetVomHauptfensterUndAusDerErstenJahreswahl) {
  db.Schliessen();
  THauptfenster fenster(db, ordner.path(), meldungen);
  ASSERT_TRUE(fenster.Starten(QLocale(QLocale::German, QLocale::Germany)));
  ArbeitsfensterEinsetzen(fenster, db, meldungen);
  ASSERT_TRUE(fenster.Knopf(THauptfenster::TAktion::Vorauswahl)->isEnabled());
  QString titel;
  QTimer::singleShot(0, [&titel] {
    if (QWidget* w = QApplication::activeModalWidget()) {
      titel = w->windowTitle();
      w->close();
    }
  });
  EXPECT_TRUE(fenster.Ausfuehren(THauptfenster::TAktion::Vorauswahl));
  EXPECT_TRUE(titel.startsWith(QStringLiteral("Vorauswahl"))) << titel.toStdString();
  fenster.close();
}

TEST_F(Arbeitsfenster, JahreswahlBOeffnetDieVorauswahlMitIhrerAnweisung) {
  std::vector<std::pair<int, QString>> geoeffnet;
  TAktionsauswahl auswahl(meldungen, [](int) { return true; });
  auswahl.VorauswahlOeffnen = [&](int jahr, const QString& anweisung) { geoeffnet.emplace_back(jahr, anweisung); };
  meldungen.antworten = {true};
  ASSERT_TRUE(auswahl.Waehlen(TAktionsauswahl::Jahr2022MitShape2021));
  ASSERT_EQ(geoeffnet.size(), 1u);
  EXPECT_EQ(geoeffnet[0].first, 2022);
  EXPECT_EQ(geoeffnet[0].second, QStringLiteral("Bitte wählen Sie jettz die zu verwendenden Kulturen aus."));
  // Choice a has no preselection step.
  TAktionsauswahl a(meldungen, [](int) { return true; });
  a.VorauswahlOeffnen = [&](int jahr, const QString& anweisung) { geoeffnet.emplace_back(jahr, anweisung); };
  meldungen.antworten = {true};
  ASSERT_TRUE(a.Waehlen(TAktionsauswahl::MitShape2021));
  EXPECT_EQ(geoeffnet.size(), 1u);
}

}  // namespace

namespace {

// The yield window for the selected farm and year, from "Erträge" and after
// "Jahr anhängen" (for the new year, with the yields set back to 0).
TEST_F(Arbeitsfenster, ErtraegeOeffnenFuerBetriebUndJahr) {
  Sql(QStringLiteral("update S_KulturenNP set Auswahl = 1, TatsErtrag = 70 where BetriebsNr = 2 and FA_NR = 224101"));
  db.Schliessen();
  THauptfenster fenster(db, ordner.path(), meldungen);
  ASSERT_TRUE(fenster.Starten(QLocale(QLocale::German, QLocale::Germany)));
  ASSERT_FALSE(fenster.Knopf(THauptfenster::TAktion::Ertraege)->isEnabled());
  ArbeitsfensterEinsetzen(fenster, db, meldungen);
  ASSERT_TRUE(fenster.Knopf(THauptfenster::TAktion::Ertraege)->isEnabled());
  struct TGesehen {
    QString titel;
    int jahr = 0;
    double ertrag = -1;  // of "Winterweizen A, B"
  };
  const auto ansehen = [](TGesehen& g) {
    QTimer::singleShot(0, [&g] {
      auto* w = qobject_cast<TErtragsfenster*>(QApplication::activeModalWidget());
      if (!w) return;
      g.titel = w->windowTitle();
      g.jahr = w->Liste().Jahr();
      TADODataSetMod& l = w->Liste().Liste();
      for (int z = 0; z < l.Anzahl(); ++z)
        if (l.Wert(z, l.FeldIndex(QStringLiteral("FA_NR"))).toInt() == 224101)
          g.ertrag = l.Wert(z, l.FeldIndex(QStringLiteral("TatsErtrag"))).toDouble();
      w->close();
    });
  };
  TGesehen erst;
  ansehen(erst);
  EXPECT_TRUE(fenster.Ausfuehren(THauptfenster::TAktion::Ertraege));
  EXPECT_EQ(erst.titel, QStringLiteral("Ertragserfassung"));
  EXPECT_EQ(erst.jahr, 2021);
  EXPECT_EQ(erst.ertrag, 70.0);

  TGesehen neu;
  ansehen(neu);
  meldungen.antworten = {false};  // no fields to take over
  fenster.JahrAnhaengen();
  EXPECT_EQ(neu.jahr, 2022);
  EXPECT_EQ(neu.ertrag, 0.0);
  fenster.close();
}

TEST_F(Arbeitsfenster, JahreswahlAUndBOeffnenDenShapeImport) {
  // (year, crops read), and the preselection's year, in the order of the calls.
  QStringList schritte;
  for (int wahl : {TAktionsauswahl::MitShape2021, TAktionsauswahl::Jahr2022MitShape2021}) {
    TAktionsauswahl auswahl(meldungen, [](int) { return true; });
    auswahl.VorauswahlOeffnen = [&](int jahr, const QString&) { schritte << QStringLiteral("Vorauswahl %1").arg(jahr); };
    auswahl.ShapeImportOeffnen = [&](int jahr, bool kulturen) {
      schritte << QStringLiteral("Import %1 %2").arg(jahr).arg(kulturen ? "mit" : "ohne");
    };
    meldungen.antworten = {true};
    ASSERT_TRUE(auswahl.Waehlen(wahl));
  }
  EXPECT_EQ(schritte, (QStringList{QStringLiteral("Import 2021 mit"), QStringLiteral("Vorauswahl 2022"),
                                   QStringLiteral("Import 2022 ohne")}));
  EXPECT_TRUE(meldungen.Infos().isEmpty()) << meldungen.Infos().join(QLatin1Char('\n')).toStdString();
}

TEST_F(Arbeitsfenster, GemerktesShapeOeffnetNurDasGemerkteBlatt) {
  db.Schliessen();
  THauptfenster fenster(db, ordner.path(), meldungen);
  ASSERT_TRUE(fenster.Starten(QLocale(QLocale::German, QLocale::Germany)));
  ASSERT_FALSE(fenster.Knopf(THauptfenster::TAktion::ShapeSetzen)->isEnabled());
  ArbeitsfensterEinsetzen(fenster, db, meldungen);
  ASSERT_TRUE(fenster.Knopf(THauptfenster::TAktion::ShapeSetzen)->isEnabled());
  QString titel;
  bool einlesen = true;
  QTimer::singleShot(0, [&] {
    if (QWidget* w = QApplication::activeModalWidget()) {
      titel = w->windowTitle();
      for (auto* k : w->findChildren<QPushButton*>())
        if (k->accessibleName() == QStringLiteral("Shape einlesen")) einlesen = k->isEnabled();
      w->close();
    }
  });
  EXPECT_TRUE(fenster.Ausfuehren(THauptfenster::TAktion::ShapeSetzen));
  EXPECT_EQ(titel, QStringLiteral("Import Schlag- und Bewirtschaftungsdaten aus Elektronischem Agrarantrag"));
  EXPECT_FALSE(einlesen);
  fenster.close();
}

}  // namespace
