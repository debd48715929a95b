// The import window: reading, the sheet's keys and lists, remembering and
// setting, and "Schläge anlegen" with its yield-window hook.

#include "schlagimportfenster.h"

#include "blatt.h"
#include "fensterelement.h"
#include "hf1book.h"
#include "importbetrieb.h"
#include "importdetail.h"
#include "schlagblatt.h"
#include "schlagimport.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeySequence>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;
using namespace Schlagblatt;

namespace {

class ImportFenster : public ImportBetrieb {
protected:
  void SetUp() override {
    ImportBetrieb::SetUp();
    if (HasFatalFailure()) return;
    Parzellen();
    datei = Teilflaechen();
  }
  std::unique_ptr<TSchlagimportFenster> Fenster(int jahr = Jahr, bool kulturenLesen = true, bool shape = true) {
    TSchlagimportFenster::TAufruf a;
    a.betrieb = Betrieb;
    a.jahr = jahr;
    a.kulturenLesen = kulturenLesen;
    a.shapeEinlesen = shape;
    a.ordner = ordner.path();
    auto f = std::make_unique<TSchlagimportFenster>(db, meldungen, a);
    f->ErtraegeOeffnen = [this] {
      ++ertraege;
      return true;
    };
    f->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(f.get()));
    f->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(f.get()));
    return f;
  }
  void Lesen(TSchlagimportFenster& f) {
    meldungen.dateien.push_back(datei);
    Fensterhilfe::Element<QPushButton>(&f, u"Shape einlesen"_s)->click();
  }
  QPushButton* Knopf(TSchlagimportFenster& f, const QString& t) { return Fensterhilfe::Element<QPushButton>(&f, t); }
  QString datei;
  int ertraege = 0;
};

TEST_F(ImportFenster, EinlesenZeigtDasBlattUndGibtDieKnoepfeFrei) {
  auto f = Fenster();
  EXPECT_EQ(f->windowTitle(), u"Import Schlag- und Bewirtschaftungsdaten aus Elektronischem Agrarantrag"_s);
  for (const QString& k : {u"Schläge anlegen"_s, u"Übersicht/Detail"_s, u"Merken"_s, u"Setzen"_s})
    EXPECT_FALSE(Knopf(*f, k)->isEnabled()) << k.toStdString();
  Lesen(*f);
  EXPECT_EQ(meldungen.Infos(), QStringList{Schlagimport::Abgeschlossen + u"\r\nDie Umrisse der Schläge wurden nicht "
                                                                         "gelesen: Die Datei „2021_teilflaechen.shp“ fehlt."_s});
  EXPECT_EQ(Fensterhilfe::Element<QLineEdit>(f.get(), u"EU-Betriebsnummer"_s)->text(), u"276150000001"_s);
  for (const QString& k : {u"Schläge anlegen"_s, u"Übersicht/Detail"_s, u"Merken"_s})
    EXPECT_TRUE(Knopf(*f, k)->isEnabled()) << k.toStdString();
  EXPECT_FALSE(Knopf(*f, u"Setzen"_s)->isEnabled());  // nothing remembered yet
  EXPECT_TRUE(f->Detail()->isVisible());
  EXPECT_EQ(f->Buch()->AktuelleSpalte(), 3);
  EXPECT_EQ(f->Buch()->AktuelleZeile(), 3);
  EXPECT_EQ(f->Hinweistext(), u"Am Weg: betriebsinterne Schlagnummer"_s);
  // The titles are the grid's column headers; hidden columns are not shown.
  auto* ansicht = f->Buch()->Ansicht();
  EXPECT_EQ(ansicht->model()->columnCount(), 21);
  EXPECT_EQ(ansicht->model()->headerData(4, Qt::Horizontal).toString(), u"Schlaggröße\nin ha"_s);
  Knopf(*f, u"Übersicht/Detail"_s)->click();
  EXPECT_FALSE(f->Detail()->isVisible());

  meldungen.Leeren();
  meldungen.dateien.push_back(Pfad(u"2021_parzellen.dbf"_s));
  Knopf(*f, u"Shape einlesen"_s)->click();
  EXPECT_EQ(meldungen.Infos(), QStringList{u"Bitte ..._teilflaechen.dbf auswählen"_s});
  EXPECT_EQ(f->Buch()->Text(Parzelle, 3), u"17"_s);  // the sheet stays
}

// In a cross column only "x", space and the delete keys touch the cell;
// the keys that move go on moving, other letters are dropped.
TEST_F(ImportFenster, KreuzspalteLaesstBewegungstastenDurch) {
  auto f = Fenster();
  Lesen(*f);
  THF1Book* buch = f->Buch();
  struct Fall {
    Qt::Key taste;
    int spalte, zeile;  // where the cursor stands after it
  } faelle[] = {
      {Qt::Key_Right, Nitratgebiet + 1, 3}, {Qt::Key_Left, Nitratgebiet - 1, 3}, {Qt::Key_Down, Nitratgebiet, 4},
      {Qt::Key_Tab, Nitratgebiet + 1, 3},
  };
  for (const Fall& fall : faelle) {
    SCOPED_TRACE(QKeySequence(fall.taste).toString().toStdString());
    buch->setPosition(Nitratgebiet, 3);
    QTest::keyClick(buch->Ansicht(), fall.taste);
    EXPECT_EQ(buch->AktuelleSpalte(), fall.spalte);
    EXPECT_EQ(buch->AktuelleZeile(), fall.zeile);
    EXPECT_EQ(buch->Text(Nitratgebiet, 3), QString());
  }
  buch->setPosition(Nitratgebiet, 3);
  QTest::keyClick(buch->Ansicht(), Qt::Key_Home);
  EXPECT_LT(buch->AktuelleSpalte(), Nitratgebiet);
  EXPECT_EQ(buch->AktuelleZeile(), 3);
  // A letter other than "x" changes nothing and stays where it is.
  buch->setPosition(Nitratgebiet, 3);
  QTest::keyClick(buch->Ansicht(), Qt::Key_A);
  EXPECT_EQ(buch->Text(Nitratgebiet, 3), QString());
  EXPECT_EQ(buch->AktuelleSpalte(), Nitratgebiet);
}

TEST_F(ImportFenster, TastenUndListenSchreibenDieZeile) {
  auto f = Fenster();
  Lesen(*f);
  THF1Book* buch = f->Buch();
  // "x" switches a cross column, space empties it.
  buch->setPosition(Nitratgebiet, 3);
  QTest::keyClick(buch->Ansicht(), Qt::Key_X);
  EXPECT_EQ(buch->Text(Nitratgebiet, 3), u"x"_s);
  QTest::keyClick(buch->Ansicht(), Qt::Key_X);
  EXPECT_EQ(buch->Text(Nitratgebiet, 3), QString());
  QTest::keyClick(buch->Ansicht(), Qt::Key_X);
  QTest::keyClick(buch->Ansicht(), Qt::Key_Space);
  EXPECT_EQ(buch->Text(Nitratgebiet, 3), QString());
  // Enter moves on; from the last column to column 3 of the next row.
  buch->setPosition(PGehalt, 3);
  QTest::keyClick(buch->Ansicht(), Qt::Key_Return);
  EXPECT_EQ(buch->AktuelleSpalte(), 3);
  EXPECT_EQ(buch->AktuelleZeile(), 4);
  // A letter in the previous-crop column jumps into its list; Enter takes it.
  buch->setPosition(Vorfrucht, 4);
  QTest::keyClick(buch->Ansicht(), Qt::Key_T);
  QListWidget* vorfruechte = f->Detail()->Vorfruechte();
  // Only chosen crops are offered at first; none of the test crops is chosen.
  EXPECT_EQ(vorfruechte->findItems(u"Testklee"_s, Qt::MatchExactly).size(), 0);
  Fensterhilfe::Element<QCheckBox>(f.get(), u"nur vorausgewählte Kulturen anzeigen"_s)->setChecked(false);
  buch->setFocus();
  buch->setPosition(Vorfrucht, 4);
  QTest::keyClick(buch->Ansicht(), Qt::Key_T);
  ASSERT_TRUE(vorfruechte->hasFocus());
  EXPECT_TRUE(vorfruechte->currentItem()->text().startsWith(u"T"_s, Qt::CaseInsensitive));
  vorfruechte->setCurrentItem(vorfruechte->findItems(u"Testweizen"_s, Qt::MatchExactly).value(0));
  QTest::keyClick(vorfruechte, Qt::Key_Return);
  EXPECT_EQ(buch->Text(Vorfrucht, 4), u"Testweizen"_s);
  EXPECT_EQ(buch->Text(VorfruchtNr, 4), u"77101"_s);
  EXPECT_EQ(buch->AktuelleSpalte(), Zwischenfrucht);
  // The catch-crop list by double-click.
  QListWidget* zf = f->Detail()->Zwischenfruechte();
  auto* leg = zf->findItems(u"Leguminose, abgefroren"_s, Qt::MatchExactly).value(0);
  ASSERT_NE(leg, nullptr);
  zf->setCurrentItem(leg);
  emit zf->itemDoubleClicked(leg);
  EXPECT_EQ(buch->Text(Zwischenfrucht, 4), u"Leguminose, abgefroren"_s);
  EXPECT_EQ(buch->Text(ZwischenfruchtNr, 4), u"9"_s);
  // Typing a number and Enter stores it and moves on.
  buch->setFocus();
  buch->setPosition(SchlagNr, 5);
  for (QChar c : u"12"_s) QTest::keyClicks(QApplication::focusWidget(), QString(c));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  QCoreApplication::processEvents();
  QCoreApplication::processEvents();
  EXPECT_EQ(buch->Text(SchlagNr, 5), u"12"_s);
  EXPECT_EQ(buch->AktuelleSpalte(), SchlagName);
  EXPECT_EQ(buch->AktuelleZeile(), 5);
  // Read-only columns take no typing.
  buch->setPosition(Parzelle, 4);
  QTest::keyClick(buch->Ansicht(), Qt::Key_9);
  EXPECT_EQ(buch->Text(Parzelle, 4), u"18"_s);
}

TEST_F(ImportFenster, MerkenUndSetzen) {
  {
    auto f = Fenster();
    Lesen(*f);
    f->Buch()->setText(SchlagNr, 3, u"42"_s);
    Knopf(*f, u"Merken"_s)->click();
    EXPECT_TRUE(QFileInfo::exists(Pfad(u"Shape276150000001.TXT"_s)));
    EXPECT_TRUE(Knopf(*f, u"Setzen"_s)->isEnabled());
  }
  // From the main window: only the remembered sheet.
  TSchlagimportFenster::TAufruf a;
  a.betrieb = Betrieb;
  a.euNummer = u"276150000001"_s;
  a.jahr = Jahr;
  a.shapeEinlesen = false;
  a.ordner = ordner.path();
  TSchlagimportFenster f(db, meldungen, a);
  f.show();
  EXPECT_FALSE(Knopf(f, u"Shape einlesen"_s)->isEnabled());
  ASSERT_TRUE(Knopf(f, u"Setzen"_s)->isEnabled());
  Knopf(f, u"Setzen"_s)->click();
  EXPECT_EQ(f.Buch()->Text(SchlagNr, 3), u"42"_s);
  EXPECT_EQ(f.Buch()->Text(Kultur, 4), u"Testklee"_s);
  EXPECT_TRUE(Knopf(f, u"Schläge anlegen"_s)->isEnabled());
}

TEST_F(ImportFenster, SchlaegeAnlegenOeffnetErtraegeUndSchliesst) {
  auto f = Fenster();
  Lesen(*f);
  meldungen.Leeren();
  // "Nein" creates nothing and leaves the window open.
  meldungen.antworten.push_back(false);
  Knopf(*f, u"Schläge anlegen"_s)->click();
  EXPECT_EQ(Wert(u"select count(*) from Schlag"_s).toInt(), 0);
  EXPECT_TRUE(f->isVisible());
  meldungen.antworten.push_back(true);
  Knopf(*f, u"Schläge anlegen"_s)->click();
  EXPECT_EQ(meldungen.protokoll,
            (QStringList{u"Frage: Schläge jetzt übernehmen?"_s, u"Frage: Schläge jetzt übernehmen?"_s,
                         u"Warten: Die Schläge werden angelegt …"_s, u"Warten Ende"_s, u"Piep"_s, u"Info: Fertig"_s}));
  EXPECT_EQ(ertraege, 1);
  EXPECT_EQ(Wert(u"select count(*) from Schlag where BetriebsNr = 2 and Jahr = 2021"_s).toInt(), 4);
  EXPECT_EQ(f->result(), QDialog::Accepted);
}

TEST_F(ImportFenster, OhneDuengejahrBleibtDasBlatt) {
  auto f = Fenster(2023);
  Lesen(*f);
  meldungen.Leeren();
  meldungen.antworten.push_back(true);
  Knopf(*f, u"Schläge anlegen"_s)->click();
  EXPECT_EQ(meldungen.Infos(), QStringList{u"Bitte legen zuerst ein Düngejahr an!"_s});
  EXPECT_EQ(ertraege, 0);
  EXPECT_TRUE(f->isVisible());
  EXPECT_EQ(f->Buch()->Text(Parzelle, 3), u"17"_s);
  EXPECT_EQ(Wert(u"select count(*) from Schlag"_s).toInt(), 0);
}

}  // namespace

namespace {

TEST_F(ImportFenster, OhneKulturenBietetDieAusgewaehltenKulturenAn) {
  Sql(u"update S_KulturenNP set Auswahl = 1 where BetriebsNr = 2 and FA_NR = 77201"_s);
  auto f = Fenster(Jahr, false);
  EXPECT_EQ(f->Detail()->Kulturwahl()->currentText(), u"nur ausgewählte Kulturen"_s);
  Lesen(*f);
  EXPECT_EQ(f->Buch()->Text(Nutzung, 3), QString());
  EXPECT_EQ(f->Buch()->Text(KeineBerechnung, 5), QString());
  // The crop list holds the chosen crop; a letter typed in it jumps there.
  QListWidget* kulturen = f->Detail()->Kulturen();
  ASSERT_EQ(kulturen->count(), 1);
  kulturen->setFocus();
  kulturen->setCurrentRow(-1);
  QTest::keyClick(kulturen, Qt::Key_T);
  ASSERT_NE(kulturen->currentItem(), nullptr);
  EXPECT_EQ(kulturen->currentItem()->text(), u"Testklee"_s);
  f->Buch()->setPosition(Kultur, 5);
  QTest::keyClick(kulturen, Qt::Key_Return);
  EXPECT_EQ(f->Buch()->Text(Kultur, 5), u"Testklee"_s);
  EXPECT_EQ(f->Buch()->Text(KulturNr, 5), u"77201"_s);
}

}  // namespace
