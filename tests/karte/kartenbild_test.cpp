// The map of a farm year from the database: the fields' states, the
// picture at chosen pixels, the widget's click, drag, wheel and "Ganze
// Karte", and the printed sheet read back with pdftotext.

#include "kartenbetrieb.h"
#include "kartendaten.h"
#include "kartendruck.h"
#include "kartenflaeche.h"
#include "kartenseite.h"
#include "kartenzeichner.h"
#include "pdfdruckausgabe.h"
#include "pdftext.h"

#include <QImage>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Karte::TZustand;

TEST_F(KartenBetrieb, LaedtZustandNutzungNitratgebietUndAbgleich) {
  const Karte::TKarte k = Karte::Laden(db, Betrieb, Jahr);
  EXPECT_EQ(k.betrieb, QStringLiteral("Hof Linde"));
  EXPECT_EQ(k.jahr, 2021);
  EXPECT_TRUE(k.koordinatensystem.contains(QStringLiteral("UTM_Zone_32N")));
  ASSERT_EQ(k.schlaege.size(), 3u);
  struct {
    int parzelle;
    TZustand zustand;
    bool gruenland, nitrat, abweichung, umriss;
    double ha;
  } const erwartet[] = {
      {1, TZustand::Berechnet, false, false, false, true, 1.0},
      {2, TZustand::Offen, true, true, true, true, 0.94},  // 6 % below 1.00 ha
      {3, TZustand::Unvollstaendig, false, false, false, false, 0},
  };
  for (size_t i = 0; i < 3; ++i) {
    const auto& s = k.schlaege[i];
    const auto& e = erwartet[i];
    SCOPED_TRACE(e.parzelle);
    EXPECT_EQ(s.parzelle, e.parzelle);
    EXPECT_EQ(s.zustand, e.zustand);
    EXPECT_EQ(s.gruenland, e.gruenland);
    EXPECT_EQ(s.nitratgebiet, e.nitrat);
    EXPECT_EQ(s.abweichung, e.abweichung);
    EXPECT_EQ(!s.umriss.Leer(), e.umriss);
    EXPECT_NEAR(s.umrissHa, e.ha, 1e-12);
  }
  EXPECT_EQ(Karte::Beschriftung(k.schlaege[0]), QStringLiteral("1 Nord"));
}

// The widget at 440 × 240 fits the 200 × 100 m to 2 px/m: pixel = (20 + 2 x, 220 - 2 y).
class Kartenbild : public KartenBetrieb {
protected:
  void SetUp() override {
    KartenBetrieb::SetUp();
    if (HasFatalFailure()) return;
    karte = Karte::Laden(db, Betrieb, Jahr);
    flaeche.resize(440, 240);
    flaeche.setKarte(&karte);
    flaeche.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&flaeche));
  }
  Karte::TKarte karte;
  TKartenflaeche flaeche;
};

TEST_F(Kartenbild, FarbenAnGewaehltenPunkten) {
  flaeche.Waehlen(1);
  const QImage bild = flaeche.grab().toImage();
  struct {
    const char* was;
    QPoint p;
    QColor farbe;
  } const punkte[] = {
      {"Nord berechnet, Acker (30, 25)", {80, 170}, Kartenzeichner::AckerBerechnet},
      {"Loch der Wiese (120, 25)", {260, 170}, Qt::white},
      {"Rand außen", {5, 5}, Qt::white},
      {"Auswahl am Ostrand von Nord (100, 80)", {220, 60}, Kartenzeichner::Auswahl},
  };
  for (const auto& p : punkte) EXPECT_EQ(bild.pixelColor(p.p), p.farbe) << p.was;
  // The meadow (170, 70) in the nitrate area: its green with the hatching over it.
  int gruen = 0, schraffur = 0;
  for (int x = 350; x < 366; ++x)
    for (int y = 70; y < 86; ++y) {
      gruen += bild.pixelColor(x, y) == Kartenzeichner::GruenOffen;
      schraffur += bild.pixelColor(x, y) == Kartenzeichner::Schraffur;
    }
  EXPECT_GT(gruen, 100);
  EXPECT_GT(schraffur, 10);
  // Its outline is 6 % too small: the dashes of the mark on its south edge (y = 0).
  int strich = 0;
  for (int x = 260; x < 400; ++x) strich += bild.pixelColor(x, 219) == Kartenzeichner::Abweichung;
  EXPECT_GT(strich, 20);
}

TEST_F(Kartenbild, KlickZiehenRadUndGanzeKarte) {
  QSignalSpy geklickt(&flaeche, &TKartenflaeche::Geklickt);
  QTest::mouseClick(&flaeche, Qt::LeftButton, {}, QPoint(320, 170));  // (150, 25) in the meadow
  QTest::mouseClick(&flaeche, Qt::LeftButton, {}, QPoint(260, 170));  // in its hole: nothing
  ASSERT_EQ(geklickt.size(), 1);
  EXPECT_EQ(geklickt[0][0].toInt(), 2);

  // Dragging 50 px to the east moves the map by 25 m and selects nothing.
  QTest::mousePress(&flaeche, Qt::LeftButton, {}, QPoint(100, 100));
  QMouseEvent zug(QEvent::MouseMove, QPointF(150, 100), flaeche.mapToGlobal(QPointF(150, 100)), Qt::NoButton,
                  Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&flaeche, &zug);
  QTest::mouseRelease(&flaeche, Qt::LeftButton, {}, QPoint(150, 100));
  EXPECT_EQ(geklickt.size(), 1);
  EXPECT_NEAR(flaeche.Ansicht().ZuBild({X0, Y0}).x, 70, 1e-9);

  // One notch of the wheel: 1.2 times about the pointer, whose point stays.
  const Karte::TPunkt vorher = flaeche.Ansicht().ZurWelt({200, 100});
  QWheelEvent rad(QPointF(200, 100), flaeche.mapToGlobal(QPointF(200, 100)), QPoint(), QPoint(0, 120), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&flaeche, &rad);
  EXPECT_NEAR(flaeche.Ansicht().Massstab(), 2.4, 1e-12);
  EXPECT_NEAR(flaeche.Ansicht().ZurWelt({200, 100}).x, vorher.x, 1e-6);

  flaeche.GanzeKarte();
  EXPECT_DOUBLE_EQ(flaeche.Ansicht().Massstab(), 2);
  EXPECT_NEAR(flaeche.Ansicht().ZuBild({X0, Y0}).x, 20, 1e-9);
}

TEST_F(KartenBetrieb, SeiteListetSchlaegeOhneUmrissUndMeldetDieWahl) {
  TKartenseite seite;
  seite.resize(900, 600);
  seite.Laden(Karte::Laden(db, Betrieb, Jahr));
  seite.show();
  ASSERT_EQ(seite.OhneUmriss()->count(), 1);
  EXPECT_EQ(seite.OhneUmriss()->item(0)->text(), QStringLiteral("3 Senke"));
  QSignalSpy gewaehlt(&seite, &TKartenseite::Gewaehlt);
  QTest::mouseClick(seite.OhneUmriss()->viewport(), Qt::LeftButton, {},
                    seite.OhneUmriss()->visualItemRect(seite.OhneUmriss()->item(0)).center());
  ASSERT_EQ(gewaehlt.size(), 1);
  EXPECT_EQ(gewaehlt[0][0].toInt(), 3);
  seite.Waehlen(3);
  EXPECT_EQ(seite.OhneUmriss()->currentRow(), 0);
  seite.Waehlen(1);
  EXPECT_EQ(seite.OhneUmriss()->currentRow(), -1);
  EXPECT_EQ(seite.Flaeche()->Gewaehlt(), 1);
}

TEST_F(KartenBetrieb, DruckZeigtBetriebJahrSchlaegeLegendeMassstabUndDatum) {
  TPDFDruckausgabe druck(nullptr, true, meldungen);
  Kartendruck::Schreiben(druck, Karte::Laden(db, Betrieb, Jahr), QDate(2022, 2, 14));
  ASSERT_EQ(druck.Dokument().Seitenzahl(), 1);
  EXPECT_TRUE(druck.Dokument().Querformat());
  const QStringList seiten = Pdftext::Seiten(druck);
  ASSERT_EQ(seiten.size(), 1);
  // 200 × 100 m into 192 × 162 mm: 0.96 mm/m, the bar up to 50 mm is 50 m.
  for (const char* text : {"Schlagkarte Hof Linde", "Düngejahr 2021", "Gedruckt am 14.02.2022", "1 Nord", "2 Wiese",
                           "Legende", "Pflichteingaben fehlen", "Nitratgebiet (schraffiert)", "50 m",
                           "ETRS_1989_UTM_Zone_32N", "Schläge ohne Umriss:", "3 Senke"})
    EXPECT_TRUE(seiten[0].contains(QString::fromUtf8(text))) << text << "\n" << seiten[0].toStdString();
  EXPECT_EQ(Pdftext::Ueberdeckungen(druck), QStringList());
}

}  // namespace
