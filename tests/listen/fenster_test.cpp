// The buttons "Excel-Export" of the demand pages and of the records page:
// each writes its list through the save dialog and leaves its lists as
// described; a cancelled dialog writes nothing.
#include "listenbetrieb.h"

#include "aufzeichnungsfenster.h"
#include "dataset.h"
#include "duengebedarfsfenster.h"
#include "fensterelement.h"
#include "herbstseite.h"
#include "phosphorseite.h"
#include "schlagseite.h"
#include "stickstoffseite.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <memory>

namespace {

class FensterListen : public ListenBetrieb {
protected:
  void SetUp() override {
    ListenBetrieb::SetUp();
    Stamm(224101, {{K("TatsErtrag"), 80}, {K("TatsErtragRG"), 80}});
    for (int p = 1; p <= 3; ++p) {
      Schlag(p, {{K("P_Methode"), 1}, {K("P_Gehalt"), 5}, {K("P2O5_Gehalt"), 11.5}, {K("HFEinzelertrag"), 80},
                 {K("P_AnalyseDatum"), p == 3 ? K("2010-01-01") : K("2020-01-01")}, {K("P_DuengeBedarf"), 26},
                 {K("P2O5_DuengeBedarf"), 59.6}, {K("HD_DNG"), 40}});
      Kultur(p, 224101, {{K("Kultur"), K("Winterweizen A, B")}});
    }
  }
  void TearDown() override {
    bedarf.reset();
    aufzeichnung.reset();
    ListenBetrieb::TearDown();
  }
  TDuengebedarfsfenster& Bedarf(int seite) {
    bedarf = std::make_unique<TDuengebedarfsfenster>(db, meldungen, Betrieb, Jahr);
    bedarf->show();
    QApplication::setActiveWindow(bedarf.get());
    bedarf->Seiten()->setCurrentIndex(seite);
    return *bedarf;
  }
  static void Klicken(QWidget* seite) {
    auto* k = Fensterhilfe::Element<QPushButton>(seite, K("Excel-Export"));
    ASSERT_NE(k, nullptr);
    ASSERT_TRUE(k->isEnabled());
    QTest::mouseClick(k, Qt::LeftButton);
  }
  QStringList Listen() const { return QDir(ordner.path()).entryList({K("*.xls*")}, QDir::Files); }

  std::unique_ptr<TDuengebedarfsfenster> bedarf;
  std::unique_ptr<TAufzeichnungsfenster> aufzeichnung;
};

TEST_F(FensterListen, StickstoffSeiteSchreibtUndStehtDanachAufDemErstenSchlag) {
  TDuengebedarfsfenster& f = Bedarf(TDuengebedarfsfenster::SeiteStickstoff);
  f.StickstoffSeite().Liste().Gehe(2);
  Ziel(K("N.xlsx"));
  Klicken(f.Seiten()->currentWidget());
  EXPECT_EQ(meldungen.Infos(), QStringList{Fertig()});
  EXPECT_EQ(Listen(), QStringList{K("N.xlsx")});
  EXPECT_EQ(f.SchlagSeite().Liste().Position(), 0);
  // The page's list shows what the rules and the pass stored.
  TADODataSetMod& n = f.StickstoffSeite().Liste();
  for (int z = 0; z < n.Anzahl(); ++z)
    EXPECT_EQ(n.Wert(z, n.FeldIndex(K("Duengebedarf"))),
              Wert(K("select Duengebedarf from Anbau where ID = :id"), {{K("id"), n.Wert(z, n.FeldIndex(K("ID")))}}));
}

TEST_F(FensterListen, PhosphorSeiteKehrtZumSchlagZurueckUndZeigtDieNullen) {
  TDuengebedarfsfenster& f = Bedarf(TDuengebedarfsfenster::SeitePhosphor);
  TADODataSetMod& s = f.PhosphorSeite().Liste();
  s.Gehe(1);
  Ziel(K("P.xlsx"));
  Klicken(f.Seiten()->currentWidget());
  EXPECT_EQ(meldungen.Infos(), QStringList{Fertig()});
  EXPECT_EQ(s.Position(), 1);
  // Field 3's analysis is too old: its result is 0 in the list the page shows.
  EXPECT_EQ(s.Wert(2, s.FeldIndex(K("P_DuengeBedarf"))).toDouble(), 0.0);
  EXPECT_EQ(s.Wert(0, s.FeldIndex(K("P_DuengeBedarf"))).toDouble(), 26.0);
}

TEST_F(FensterListen, HerbstSeiteSchreibtUndStehtDanachAufDemErstenSchlag) {
  TDuengebedarfsfenster& f = Bedarf(TDuengebedarfsfenster::SeiteHerbst);
  auto* seite = qobject_cast<THerbstSeite*>(f.Seiten()->currentWidget());
  ASSERT_NE(seite, nullptr);
  seite->Liste().Gehe(2);
  Ziel(K("HD.xlsx"));
  Klicken(seite);
  EXPECT_EQ(meldungen.Infos(), QStringList{Fertig()});
  EXPECT_EQ(Listen(), QStringList{K("HD.xlsx")});
  EXPECT_EQ(seite->Liste().Position(), 0);
  EXPECT_EQ(f.SchlagSeite().Liste().Wert(K("Parzelle")).toInt(), 1);
}

TEST_F(FensterListen, AbgebrochenerDialogSchreibtNichtsUndSagtNichts) {
  TDuengebedarfsfenster& f = Bedarf(TDuengebedarfsfenster::SeitePhosphor);
  for (int seite : {TDuengebedarfsfenster::SeiteStickstoff, TDuengebedarfsfenster::SeitePhosphor,
                    TDuengebedarfsfenster::SeiteHerbst}) {
    f.Seiten()->setCurrentIndex(seite);
    meldungen.dateien.push_back(QString());
    Klicken(f.Seiten()->currentWidget());
  }
  EXPECT_EQ(meldungen.Infos(), QStringList());
  EXPECT_EQ(Listen(), QStringList());
  EXPECT_EQ(Wert(K("select P_DuengeBedarf from Schlag where Parzelle = 3")).toDouble(), 26.0);
}

TEST_F(FensterListen, AufzeichnungsseiteSchreibt) {
  aufzeichnung = std::make_unique<TAufzeichnungsfenster>(db, meldungen, Betrieb, Jahr);
  aufzeichnung->show();
  QApplication::setActiveWindow(aufzeichnung.get());
  Ziel(K("Duengung.xlsx"));
  Klicken(aufzeichnung.get());
  EXPECT_EQ(meldungen.Infos(), QStringList{Fertig()});
  EXPECT_EQ(Listen(), QStringList{K("Duengung.xlsx")});
}

}  // namespace
