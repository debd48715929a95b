// The page "Karte" of the recording window: a click on the map chooses the
// field whose records show, the map follows the field list, and the map is
// printed in landscape.

#include "fenstertest.h"

#include "druckprobe.h"
#include "aufzeichnungsdrucker.h"
#include "kartenflaeche.h"
#include "kartenseite.h"
#include "schlagkarte.h"
#include "shapeschreiber.h"
#include "umrissablage.h"

#include <QTabWidget>

namespace {

constexpr double X0 = 702000, Y0 = 5705000;

class FensterKarte : public FensterTest {
protected:
  void SetUp() override {
    FensterTest::SetUp();
    if (HasFatalFailure()) return;
    using Shapeschreiber::Rechteck;
    // Field 1 "Am Weg" in the west, field 2 "Große Breite" in the east; field 3 has none.
    ASSERT_TRUE(Karte::UmrissSpeichern(db, Betrieb, Jahr, 1, {{Rechteck(X0, Y0, 100, 100)}}, {}));
    ASSERT_TRUE(Karte::UmrissSpeichern(db, Betrieb, Jahr, 2, {{Rechteck(X0 + 100, Y0, 100, 100)}}, {}));
  }
  TSchlagkarte* Karte() {
    fenster->Seiten()->setCurrentIndex(TAufzeichnungsfenster::SeiteKarte);
    return fenster->KartenSeite();
  }
  int Parzelle() const { return Seite()->Schlaege().Wert(K("Parzelle")).toInt(); }
};

TEST_F(FensterKarte, KlickWaehltDenSchlagDerAufzeichnungen) {
  Oeffnen();
  SchlagWaehlen(0);
  TSchlagkarte* k = Karte();
  EXPECT_EQ(fenster->Seiten()->tabText(TAufzeichnungsfenster::SeiteKarte), K("Karte"));
  TKartenflaeche* f = k->Seite()->Flaeche();
  EXPECT_EQ(f->Gewaehlt(), 1);
  const Karte::TBildpunkt ost = f->Ansicht().ZuBild({X0 + 150, Y0 + 25});
  QTest::mouseClick(f, Qt::LeftButton, {}, QPoint(int(ost.x), int(ost.y)));
  EXPECT_EQ(Parzelle(), 2);
  EXPECT_EQ(f->Gewaehlt(), 2);
  fenster->Seiten()->setCurrentIndex(TAufzeichnungsfenster::SeiteAufzeichnung);
  EXPECT_EQ(Seite()->SchlagAnsicht()->currentIndex().row(), 1);
}

TEST_F(FensterKarte, KarteDruckenQuer) {
  Oeffnen();
  std::vector<std::pair<bool, QStringList>> dokumente;
  fenster->Drucker().Zeigen = [&](TPDFDruckausgabe& d) {
    dokumente.emplace_back(d.Dokument().Querformat(), Druckprobe::Seiten(d, ordner.filePath(K("karte.pdf"))));
  };
  Karte();
  Klicken(K("Karte drucken"));
  ASSERT_EQ(dokumente.size(), 1u);
  EXPECT_TRUE(dokumente[0].first);
  ASSERT_EQ(dokumente[0].second.size(), 1);
  for (const char* text : {"Düngejahr 2021", "1 Am Weg", "2 Große Breite", "Schläge ohne Umriss:", "3 Hinterm Haus"})
    EXPECT_TRUE(dokumente[0].second[0].contains(K(text))) << text;
}

}  // namespace
