// The window "Flächentausch" driven like a user: the two lists, sorting by
// a click on a column title, typing into the search fields, the button with
// its questions, and the corners (no farm to give, no field, cancelled).
#include "flaechentauschfenster.h"

#include "dataset.h"
#include "fensterelement.h"
#include "flaechentausch.h"
#include "listenansicht.h"
#include "tauschbetrieb.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <memory>

namespace {

class TauschFenster : public TauschBetrieb {
protected:
  void TearDown() override {
    if (fenster) fenster->close();
    fenster.reset();
  }
  TFlaechentauschFenster* Oeffnen() {
    fenster = std::make_unique<TFlaechentauschFenster>(db, meldungen, Betrieb, K("Hof Linde"), Jahr);
    fenster->show();
    fenster->activateWindow();
    QApplication::setActiveWindow(fenster.get());
    return fenster.get();
  }
  QWidget* Bereich(const char* titel) { return Fensterhilfe::Element<QWidget>(fenster.get(), K(titel)); }
  QLineEdit* Suche(const char* bereich) { return Fensterhilfe::Element<QLineEdit>(Bereich(bereich), K("Suchen")); }
  void Klicken(const char* knopf) {
    auto* k = Fensterhilfe::Element<QAbstractButton>(fenster.get(), K(knopf));
    ASSERT_NE(k, nullptr);
    QTest::mouseClick(k, Qt::LeftButton);
  }
  // A click on a column title of a list.
  static void TitelKlicken(TListenAnsicht* liste, int spalte) {
    QHeaderView* kopf = liste->horizontalHeader();
    const int x = kopf->sectionViewportPosition(spalte) + kopf->sectionSize(spalte) / 2;
    QTest::mouseClick(kopf->viewport(), Qt::LeftButton, {}, QPoint(x, kopf->height() / 2));
  }
  // A column of a list, in its order.
  static QStringList Spalte(const TADODataSetMod& l, const char* feld) {
    QStringList s;
    for (int i = 0; i < l.Anzahl(); ++i) s << l.Wert(i, l.FeldIndex(K(feld))).toString();
    return s;
  }

  static constexpr const char* Oben = "1. Unternehmen, das Fläche abgibt (bitte Unternehmen auswählen).";
  static constexpr const char* Unten = "2. Fläche, die abgegeben wird (bitte Fläche auswählen).";
  std::unique_ptr<TFlaechentauschFenster> fenster;
};

TEST_F(TauschFenster, TitelZielUndDieFelderDesErstenBetriebs) {
  FelderAnlegen();
  Oeffnen();
  EXPECT_EQ(fenster->windowTitle(), K("Flächentausch nach Zielbetrieb \"Hof Linde\"."));
  EXPECT_EQ(fenster->Ziel()->text(), K("Unternehmen, das Fläche aufnimmt: \"Hof Linde\" und Jahr 2021."));
  EXPECT_EQ(Spalte(fenster->Betriebe(), "ID"), (QStringList{K("3"), K("4"), K("5")}));
  // The first farm is selected and its fields of the year are shown, the one of 2020 not.
  EXPECT_EQ(fenster->Betriebe().Position(), 0);
  EXPECT_EQ(Spalte(fenster->Schlaege(), "Parzelle"), (QStringList{K("5"), K("6"), K("7"), K("8")}));
  // The columns under their German titles.
  QStringList titel;
  for (int i = 0; i < fenster->SchlagAnsicht()->model()->columnCount(); ++i)
    titel << fenster->SchlagAnsicht()->model()->headerData(i, Qt::Horizontal).toString();
  EXPECT_EQ(titel, (QStringList{K("Jahr"), K("SchlagNr"), K("SchlagName"), K("Feldblock"), K("Parzelle"),
                                K("Größe (ha)"), K("Kultur nach DüV"), K("Bodengruppe")}));
  // Another farm: its fields, here none.
  fenster->BetriebsAnsicht()->selectRow(1);
  EXPECT_EQ(fenster->Betriebe().Wert(K("ID")).toInt(), 4);
  EXPECT_TRUE(fenster->Schlaege().IstOffen());
  EXPECT_EQ(fenster->Schlaege().Anzahl(), 0);
}

TEST_F(TauschFenster, SortierenPerKlickAufDenSpaltentitel) {
  FelderAnlegen();
  Oeffnen();
  TitelKlicken(fenster->BetriebsAnsicht(), 1);  // "Ort des Betriebssitzes"
  EXPECT_EQ(Spalte(fenster->Betriebe(), "ID"), (QStringList{K("5"), K("3"), K("4")}));
  // The field list follows the farm now selected: farm 5 has no fields.
  EXPECT_EQ(fenster->Schlaege().Anzahl(), 0);
  fenster->BetriebsAnsicht()->selectRow(1);
  ASSERT_EQ(fenster->Betriebe().Wert(K("ID")).toInt(), 3);
  TitelKlicken(fenster->SchlagAnsicht(), 6);  // "Kultur nach DüV"
  EXPECT_EQ(Spalte(fenster->Schlaege(), "Parzelle"), (QStringList{K("8"), K("6"), K("7"), K("5")}));
  // "Bodengruppe" has no order of its own: the list is read again as it was.
  TitelKlicken(fenster->SchlagAnsicht(), 7);
  EXPECT_EQ(Spalte(fenster->Schlaege(), "Parzelle"), (QStringList{K("8"), K("6"), K("7"), K("5")}));
  EXPECT_EQ(fenster->Betriebe().Wert(K("ID")).toInt(), 3);
}

TEST_F(TauschFenster, SuchenBeimTippenMitPiepUndLeerenBeimVerlassen) {
  FelderAnlegen();
  Oeffnen();
  QLineEdit* betrieb = Suche(Oben);
  ASSERT_NE(betrieb, nullptr);
  betrieb->setFocus();
  Fensterhilfe::Tippen(betrieb, K("ähr"));
  EXPECT_EQ(fenster->Betriebe().Wert(K("ID")).toInt(), 5);
  EXPECT_EQ(meldungen.piepser, 0);
  Fensterhilfe::Tippen(betrieb, K("x"));
  EXPECT_EQ(meldungen.piepser, 1);
  EXPECT_EQ(fenster->Betriebe().Wert(K("ID")).toInt(), 5);
  betrieb->clear();
  Fensterhilfe::Tippen(betrieb, K("birke"));
  EXPECT_EQ(fenster->Betriebe().Wert(K("ID")).toInt(), 3);
  ASSERT_EQ(fenster->Schlaege().Anzahl(), 4);

  QLineEdit* schlag = Suche(Unten);
  ASSERT_NE(schlag, nullptr);
  schlag->setFocus();
  // Leaving the farm's search field emptied it.
  EXPECT_TRUE(betrieb->text().isEmpty());
  meldungen.piepser = 0;
  Fensterhilfe::Tippen(schlag, K("12a"));
  EXPECT_EQ(fenster->Schlaege().Wert(K("Parzelle")).toInt(), 5);  // "1", then "12" found it
  EXPECT_EQ(meldungen.piepser, 0);
  schlag->clear();
  Fensterhilfe::Tippen(schlag, K("Zipfel"));
  EXPECT_EQ(fenster->Schlaege().Wert(K("Parzelle")).toInt(), 8);
  Fensterhilfe::Tippen(schlag, K("x"));
  EXPECT_EQ(meldungen.piepser, 1);
  fenster->BetriebsAnsicht()->setFocus();
  EXPECT_TRUE(schlag->text().isEmpty());
}

TEST_F(TauschFenster, UmsetzenLiestDieFlaechenNeu) {
  FelderAnlegen();
  Oeffnen();
  ASSERT_EQ(fenster->Betriebe().Wert(K("ID")).toInt(), 3);
  fenster->SchlagAnsicht()->selectRow(2);
  ASSERT_EQ(fenster->Schlaege().Wert(K("Parzelle")).toInt(), 7);
  meldungen.antworten = {true};
  meldungen.zahlen = {30};
  Klicken("Fläche jetzt umsetzen");
  EXPECT_EQ(meldungen.protokoll, (QStringList{K("Frage: Fläche wirklich umsetzen?"),
                                              K("Ganzzahleingabe: Welche Parzellennummer soll die Fläche neu erhalten?")}));
  EXPECT_EQ(Spalte(fenster->Schlaege(), "Parzelle"), (QStringList{K("5"), K("6"), K("8")}));
  EXPECT_EQ(Wert(K("select SchlagName from Schlag where BetriebsNr = 2 and Jahr = 2021 and Parzelle = 30")).toString(),
            K("Anger"));
  // A second field from the same opening.
  meldungen.Leeren();
  meldungen.antworten = {true};
  meldungen.zahlen = {31};
  Klicken("Fläche jetzt umsetzen");
  EXPECT_EQ(fenster->Schlaege().Anzahl(), 2);
  EXPECT_EQ(Wert(K("select count(*) from Schlag where BetriebsNr = 2")).toInt(), 2);
}

TEST_F(TauschFenster, AbbrechenBeiJederFrageAendertNichts) {
  FelderAnlegen();
  Oeffnen();
  // "Nein" at the question.
  meldungen.antworten = {false};
  Klicken("Fläche jetzt umsetzen");
  // The number box closed without "OK".
  meldungen.antworten = {true};
  meldungen.zahlen = {0};
  Klicken("Fläche jetzt umsetzen");
  EXPECT_EQ(meldungen.Infos(), QStringList());
  EXPECT_EQ(fenster->Schlaege().Anzahl(), 4);
  EXPECT_EQ(Wert(K("select count(*) from Schlag where BetriebsNr = 3")).toInt(), 5);
  // "Abbrechen" closes the window.
  Klicken("Abbrechen");
  EXPECT_FALSE(fenster->isVisible());
  EXPECT_EQ(fenster->result(), int(QDialog::Rejected));
  EXPECT_FALSE(fenster->Betriebe().IstOffen());
}

TEST_F(TauschFenster, KeinBetriebZumAbgebenUndKeineFlaeche) {
  // Only the taking farm and farms without fields.
  Sql(K("delete from Betriebe where ID in ( 3, 4 )"));
  Oeffnen();
  EXPECT_EQ(fenster->Betriebe().Anzahl(), 1);
  EXPECT_EQ(fenster->Schlaege().Anzahl(), 0);
  meldungen.antworten = {true};
  meldungen.zahlen = {12};
  Klicken("Fläche jetzt umsetzen");
  EXPECT_EQ(meldungen.Infos(), QStringList{Flaechentausch::NichtUmgesetzt});
  Sql(K("delete from Betriebe where ID = 5"));
  fenster->close();
  meldungen.Leeren();
  Oeffnen();
  EXPECT_TRUE(fenster->Betriebe().IstLeer());
  EXPECT_TRUE(fenster->Schlaege().IstLeer());
  Fensterhilfe::Tippen(Suche(Oben), K("a"));
  EXPECT_EQ(meldungen.piepser, 1);
}

}  // namespace
