// The page "Karte" of the demand window: the map follows the field list, a
// click on the map moves the list, the fields without outline are listed,
// and "Karte drucken" shows the sheet or says why there is none.

#include "fensterhilfe.h"

#include "bedarfskarte.h"
#include "kartendruck.h"
#include "kartenflaeche.h"
#include "kartenseite.h"
#include "pdftext.h"
#include "schlagkarte.h"
#include "shapeschreiber.h"
#include "umrissablage.h"

#include <QListWidget>

namespace {

constexpr double X0 = 702000, Y0 = 5705000;

class KartenFenster : public FensterBetrieb {
protected:
  void SetUp() override {
    FensterBetrieb::SetUp();
    if (HasFatalFailure()) return;
    using Shapeschreiber::Rechteck;
    Schlag(51, {{QStringLiteral("SchlagNr"), 1}, {QStringLiteral("SchlagName"), QStringLiteral("West")}});
    Schlag(52, {{QStringLiteral("SchlagNr"), 2}, {QStringLiteral("SchlagName"), QStringLiteral("Ost")}});
    Schlag(53, {{QStringLiteral("SchlagNr"), 3}, {QStringLiteral("SchlagName"), QStringLiteral("Ohne")}});
    ASSERT_TRUE(Karte::UmrissSpeichern(db, Betrieb, Jahr, 51, {{Rechteck(X0, Y0, 100, 100)}}, {}));
    ASSERT_TRUE(Karte::UmrissSpeichern(db, Betrieb, Jahr, 52, {{Rechteck(X0 + 100, Y0, 100, 100)}}, {}));
  }
  TSchlagkarte& Karte() {
    Fenster().Seiten()->setCurrentIndex(TDuengebedarfsfenster::SeiteKarte);
    return *Fenster().KartenSeite().Karte();
  }
  int Parzelle() { return Schlaege().Wert(QStringLiteral("Parzelle")).toInt(); }
};

TEST_F(KartenFenster, KarteUndListeFolgenEinander) {
  TSchlagkarte& k = Karte();
  EXPECT_EQ(Fenster().Seiten()->tabText(TDuengebedarfsfenster::SeiteKarte), QStringLiteral("Karte"));
  EXPECT_EQ(k.Seite()->Flaeche()->Gewaehlt(), Parzelle());
  ASSERT_EQ(k.Seite()->OhneUmriss()->count(), 1);
  EXPECT_EQ(k.Seite()->OhneUmriss()->item(0)->text(), QStringLiteral("3 Ohne"));

  // A click into the east field, 25 m north of its south edge.
  TKartenflaeche* f = k.Seite()->Flaeche();
  const Karte::TBildpunkt ost = f->Ansicht().ZuBild({X0 + 150, Y0 + 25});
  QTest::mouseClick(f, Qt::LeftButton, {}, QPoint(int(ost.x), int(ost.y)));
  EXPECT_EQ(Parzelle(), 52);
  EXPECT_EQ(f->Gewaehlt(), 52);

  // The list moves: the map highlights its field.
  Schlaege().Gehe(0);
  EXPECT_EQ(Parzelle(), 51);
  EXPECT_EQ(f->Gewaehlt(), 51);
  // A field without outline chosen in its list becomes the list's field.
  QListWidget* ohne = k.Seite()->OhneUmriss();
  QTest::mouseClick(ohne->viewport(), Qt::LeftButton, {}, ohne->visualItemRect(ohne->item(0)).center());
  EXPECT_EQ(Parzelle(), 53);
  EXPECT_EQ(ohne->currentRow(), 0);
}

TEST_F(KartenFenster, KarteDruckenZeigtDasBlattOderSagtWarumNicht) {
  QStringList seiten;
  Fenster().setDruckvorschau([&](TPDFDruckausgabe& d) { seiten = Pdftext::Seiten(d); });
  Karte().druckdatum = QDate(2022, 2, 14);
  Klick(QStringLiteral("Karte drucken"));
  ASSERT_EQ(seiten.size(), 1);
  for (const char* text : {"Schlagkarte Hof Linde", "Düngejahr 2021", "1 West", "2 Ost", "Gedruckt am 14.02.2022"})
    EXPECT_TRUE(seiten[0].contains(QString::fromUtf8(text))) << text;

  seiten.clear();
  Sql(QStringLiteral("delete from SchlagUmriss"));
  Fenster().Seiten()->setCurrentIndex(TDuengebedarfsfenster::SeiteSchlag);
  meldungen.Leeren();
  Karte();
  Klick(QStringLiteral("Karte drucken"));
  EXPECT_TRUE(seiten.isEmpty());
  EXPECT_EQ(meldungen.Infos(), QStringList{Kartendruck::KeinUmriss});
}

}  // namespace
