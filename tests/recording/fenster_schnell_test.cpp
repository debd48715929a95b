// The window "Schnellaufzeichnung" driven through its grid like a user: keys
// per column, the side lists with "Suchen", copying with Insert and "Dünger
// setzen", the questions of both closing buttons and the records written.
#include "aufzeichnungsbetrieb.h"
#include "auswahlpanel.h"
#include "blatt.h"
#include "blattmodell.h"
#include "fensterelement.h"
#include "hf1book.h"
#include "hilfsfenster.h"
#include "schnellerfassung.h"
#include "schnellerfassungsfenster.h"
#include "schnellraster.h"
#include "werkzeugleiste.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <deque>
#include <memory>

namespace {

using namespace Qt::StringLiterals;
namespace S = Schnellerfassung;

class TGeplanteHilfe final : public THilfsfenster {
public:
  std::deque<double> rechner;
  std::deque<std::optional<QDate>> daten;
  QStringList protokoll;
  double Taschenrechner(QWidget*) override {
    protokoll << u"Taschenrechner"_s;
    if (rechner.empty()) {
      ADD_FAILURE() << "Kein Ergebnis geplant";
      return 0;
    }
    const double w = rechner.front();
    rechner.pop_front();
    return w;
  }
  std::optional<QDate> DatumAuswaehlen(QWidget*, const QDate&) override {
    protokoll << u"BitteDatum auswählen"_s;
    if (daten.empty()) {
      ADD_FAILURE() << "Kein Datum geplant";
      return std::nullopt;
    }
    const auto d = daten.front();
    daten.pop_front();
    return d;
  }
};

// Farm 2 in 2021: "Am Weg" (parcel 1, field no. 1, 5 ha, winter wheat),
// "Große Breite" (parcel 2, 10 ha, winter barley), "Brache" (parcel 3,
// marked KeineDuengung); "KAS 27", young cattle (N 100, 25 % lost, P 20).
class Schnellfenster : public AufzeichnungsBetrieb {
protected:
  void SetUp() override {
    AufzeichnungsBetrieb::SetUp();
    Feld(1, 5, 1, Jahr, K("Am Weg"));
    weizen = Kultur(1, 115101, K("Winterweizen"));
    Feld(2, 10, 2, Jahr, K("Große Breite"));
    gerste = Kultur(2, 171101, K("Wintergerste"));
    Feld(3, 2, 1, Jahr, K("Brache"));
    Sql(K("update Schlag set KeineDuengung = 1 where Parzelle = 3"));
    Stamm(K("S_MinDung"), K("DuengeMittelNr"), Kas, {{K("N"), 27}, {K("P"), 0}});
    Stamm(K("S_Tiere"), K("TA_NR"), Jungrind, {{K("N_ANFALL"), 100}, {K("VERLUST_WEIDE"), 25}, {K("P_ANFALL"), 20}});
    fenster = std::make_unique<TSchnellerfassungsfenster>(db, meldungen, hilfe, Betrieb, Jahr);
    fenster->VorauswahlOeffnen = [this] { ++vorauswahl; };
    fenster->show();
    fenster->activateWindow();
    QApplication::setActiveWindow(fenster.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(fenster.get()));
    buch = fenster->Buch();
  }
  void TearDown() override {
    if (fenster && fenster->isVisible()) {
      meldungen.antworten = {true, true};
      fenster->reject();
    }
    fenster.reset();
  }

  QWidget* Ansicht() const { return buch->Ansicht(); }
  // Keys into whatever has the focus, as a user types them.
  static void Tasten(const QString& text) {
    for (const QChar c : text) {
      QWidget* f = QApplication::focusWidget();
      if (c == u'\n') QTest::keyClick(f, Qt::Key_Return);
      else if (c.unicode() < 128) QTest::keyClick(f, char(c.unicode()));
      else QTest::sendKeyEvent(QTest::Click, f, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
  void Gehe(int spalte, int zeile) {
    ASSERT_TRUE(buch->setPosition(spalte, zeile)) << spalte << "/" << zeile;
    buch->setFocus();
  }
  std::pair<int, int> Position() const { return {buch->AktuelleSpalte(), buch->AktuelleZeile()}; }
  QString Zelle(int spalte, int zeile) const { return buch->Text(spalte, zeile); }
  void Klicken(const QString& knopf) {
    auto* k = Fensterhilfe::Element<QPushButton>(fenster.get(), knopf);
    ASSERT_NE(k, nullptr);
    QTest::mouseClick(k, Qt::LeftButton);
  }
  int Anzahl() { return Wert(K("select count(*) from Dung")).toInt(); }

  // Line `zeile` through the keys: parcel number, date, amount, category
  // and item by search, crop from the list.
  void ZeileTippen(int zeile, const QString& parzelle, const QString& datum, const QString& menge, char kategorie,
                   const QString& suche) {
    Gehe(1, zeile);
    Tasten(parzelle + u"\n"_s);
    ASSERT_EQ(Position(), std::make_pair(4, zeile));
    Tasten(datum + u"\n"_s + menge + u"\n"_s);
    ASSERT_EQ(Position(), std::make_pair(6, zeile));
    Tasten(QString(QChar::fromLatin1(kategorie)));
    ASSERT_EQ(Position(), std::make_pair(7, zeile));
    Tasten(suche);  // into the search box
    ASSERT_EQ(QApplication::focusWidget(), fenster->Panel()->Suchfeld());
    Tasten(u"\n\n"_s);  // to the list, then the pick
    ASSERT_EQ(Position(), std::make_pair(8, zeile));
    Tasten(u"\n"_s);  // empty crop: to the list
    ASSERT_EQ(QApplication::focusWidget(), fenster->Panel()->Liste());
    Tasten(u"\n"_s);
    ASSERT_EQ(Position(), std::make_pair(9, zeile));
  }

  TGeplanteHilfe hilfe;
  std::unique_ptr<TSchnellerfassungsfenster> fenster;
  THF1Book* buch = nullptr;
  qint64 weizen = 0, gerste = 0;
  int vorauswahl = 0;
};

TEST_F(Schnellfenster, OeffnetLeerInSpalteDreiMitHinweis) {
  EXPECT_EQ(Position(), std::make_pair(3, 4));
  EXPECT_EQ(buch->Modell()->headerData(3, Qt::Horizontal, Qt::DisplayRole).toString(), u"Datum\nmit \"+\" eingeben"_s);
  EXPECT_EQ(buch->Modell()->rowCount(), 1);  // only line 4 can be chosen
  EXPECT_FALSE(buch->setPosition(3, 5));
  EXPECT_EQ(Fensterhilfe::Element<QLabel>(fenster.get(), u"Hinweis"_s)->text(), S::Hinweis(3));
  // The side list for column 3: fields by name, without the one marked KeineDuengung.
  QTableWidget* liste = fenster->Panel()->Liste();
  ASSERT_EQ(liste->rowCount(), 2);
  EXPECT_EQ(liste->item(0, 0)->text(), K("Am Weg"));
  EXPECT_EQ(liste->horizontalHeaderItem(3)->text(), K("Schlagnummer"));
  EXPECT_FALSE(Fensterhilfe::Element<QPushButton>(fenster.get(), u"Dünger setzen"_s)->isEnabled());
  Gehe(4, 4);
  EXPECT_TRUE(fenster->Panel()->IstLeer());
}

TEST_F(Schnellfenster, ParzelleSuchtDenSchlag) {
  Gehe(1, 4);
  Tasten(u"1\n"_s);
  EXPECT_EQ(Zelle(3, 4), K("Am Weg"));
  EXPECT_EQ(Zelle(2, 4), K("1"));
  EXPECT_EQ(Zelle(S::Groesse, 4), K("5"));
  EXPECT_EQ(Position(), std::make_pair(4, 4));
  EXPECT_EQ(Fensterhilfe::Element<QLabel>(fenster.get(), u"Schlagname"_s)->text(), K("Am Weg"));
  // The field marked KeineDuengung is not found: on to column 2.
  Gehe(1, 5);
  Tasten(u"3\n"_s);
  EXPECT_EQ(Zelle(3, 5), QString());
  EXPECT_EQ(Position(), std::make_pair(2, 5));
  // Letters are no field numbers.
  Gehe(1, 5);
  Tasten(u"a"_s);
  EXPECT_EQ(Zelle(1, 5), K("3"));
}

TEST_F(Schnellfenster, DatumTasten) {
  Gehe(1, 4);
  Tasten(u"1\n"_s);
  const QDate heute = QDate::currentDate();
  Tasten(u"+"_s);
  EXPECT_EQ(Zelle(4, 4), S::DatumText(heute));
  buch->setText(4, 4, QString());
  Tasten(u"--"_s);
  EXPECT_EQ(Zelle(4, 4), S::DatumText(heute.addDays(-2)));
  // The calendar: cancelled writes nothing, a chosen date is written.
  hilfe.daten = {std::nullopt, QDate(2021, 5, 3)};
  Tasten(u"?"_s);
  EXPECT_EQ(Zelle(4, 4), S::DatumText(heute.addDays(-2)));
  Tasten(u"?"_s);
  EXPECT_EQ(Zelle(4, 4), K("03.05.2021"));
  // Typed, the first key replaces the cell.
  Gehe(4, 4);
  Tasten(u"1.4.21x"_s);
  EXPECT_EQ(Zelle(4, 4), K("1.4.21"));
  // The calculator in the amount: three decimals, nothing for 0.
  Tasten(u"\n"_s);
  hilfe.rechner = {2.5, 0};
  Tasten(u"??"_s);
  EXPECT_EQ(Zelle(5, 4), K("2,500"));
}

// A date cell takes what the records window's date field takes ("200323" is
// the 20th of March 2023 there); what "Übernehmen" would refuse is marked at once.
TEST_F(Schnellfenster, DatumWieImAufzeichnungsfenster) {
  const auto markiert = [this] {
    return buch->Modell()->data(buch->Modell()->Index(S::Datum, 4), Qt::BackgroundRole).isValid();
  };
  Gehe(1, 4);
  Tasten(u"1\n"_s);
  Tasten(u"200323"_s);
  EXPECT_FALSE(markiert());
  Tasten(u"\n"_s);
  EXPECT_EQ(Zelle(4, 4), K("20.03.2023"));
  Gehe(4, 4);
  Tasten(u"2003"_s);
  EXPECT_TRUE(markiert());
  Tasten(u"23"_s);
  EXPECT_FALSE(markiert());
  Gehe(4, 4);
  Tasten(u"31.02.21"_s);
  EXPECT_TRUE(markiert());
}

TEST_F(Schnellfenster, ZeilenPerTastaturUndUebernehmen) {
  ZeileTippen(4, u"1"_s, u"15.4.21"_s, u"3"_s, 'm', u"KAS"_s);
  EXPECT_EQ(Zelle(7, 4), Wert(K("select Duengemittel from S_MinDung where BetriebsNr = 2 and DuengeMittelNr = :n"),
                              {{K("n"), Kas}}).toString());
  EXPECT_EQ(Zelle(8, 4), K("Winterweizen"));
  Tasten(u"x\n"_s);
  EXPECT_EQ(Position(), std::make_pair(3, 5));

  // A grazing line: 10 animals on 73 days on the 5 ha field gives 30 kg N/ha,
  // whatever field the side list shows.
  ZeileTippen(5, u"1"_s, u"1.6.21"_s, u""_s, 'w', u"Jung"_s);
  Tasten(u"\n"_s);  // grazing: to the animals
  ASSERT_EQ(Position(), std::make_pair(10, 5));
  Tasten(u"10\n73\n"_s);
  EXPECT_EQ(Position(), std::make_pair(3, 6));
  fenster->Panel()->setAktuell(1);

  meldungen.antworten = {true};
  Klicken(u"Übernehmen und Schließen"_s);
  EXPECT_EQ(meldungen.protokoll, QStringList{u"Frage: Datensätze wirklich übernehmen?"_s});
  EXPECT_FALSE(fenster->isVisible());  // closed without a message
  TAbfrage a(db, K("select Parzelle, ProbenID, Kategorie, DngNummer, Menge, Nges, Nverf, Pges, IstHerbstDuengung, "
                   "Datum, WeideTiere, WeideTage from Dung order by ID"));
  ASSERT_TRUE(a.Naechste());
  EXPECT_EQ(a.Wert(1).toLongLong(), weizen);
  EXPECT_EQ(a.Wert(3).toInt(), Kas);
  EXPECT_DOUBLE_EQ(a.Wert(5).toDouble(), 81);  // 3 dt × 27
  EXPECT_EQ(a.Wert(8).toInt(), 1);
  EXPECT_EQ(a.Wert(9).toString().left(10), K("2021-04-15"));
  ASSERT_TRUE(a.Naechste());
  EXPECT_EQ(a.Wert(2).toInt(), 4);
  EXPECT_EQ(a.Wert(3).toInt(), Jungrind);
  EXPECT_NEAR(a.Wert(5).toDouble(), 30, 1e-9);
  EXPECT_NEAR(a.Wert(7).toDouble(), 8, 1e-9);  // 10 × 20 × 73 / (5 × 365)
  EXPECT_EQ(a.Wert(11).toInt(), 73);
  EXPECT_FALSE(a.Naechste());
}

TEST_F(Schnellfenster, EinfuegenUndDuengerSetzen) {
  ZeileTippen(4, u"1"_s, u"15.4.21"_s, u"3"_s, 'm', u"KAS"_s);
  // Insert on line 4 has no line above.
  Gehe(1, 4);
  QTest::keyClick(Ansicht(), Qt::Key_Insert);
  EXPECT_EQ(Position(), std::make_pair(1, 4));
  // On line 5 in column 1 without a field: field and application, not the crop.
  Gehe(1, 5);
  QTest::keyClick(Ansicht(), Qt::Key_Insert);
  EXPECT_EQ(Position(), std::make_pair(4, 5));
  EXPECT_EQ(Zelle(3, 5), K("Am Weg"));
  EXPECT_EQ(Zelle(5, 5), K("3"));
  EXPECT_EQ(Zelle(S::DngNummer, 5), QString::number(Kas));
  EXPECT_EQ(Zelle(8, 5), QString());

  // "Dünger merken" on line 4, "Dünger setzen" on line 6 in column 6.
  Gehe(5, 4);
  Klicken(u"Dünger merken"_s);
  ASSERT_TRUE(Fensterhilfe::Element<QPushButton>(fenster.get(), u"Dünger setzen"_s)->isEnabled());
  Gehe(1, 6);
  Tasten(u"2\n"_s);
  Gehe(6, 6);
  Klicken(u"Dünger setzen"_s);
  EXPECT_EQ(Zelle(6, 6), K("Min-Dünger"));
  EXPECT_EQ(Zelle(5, 6), QString());  // left of the cursor: not copied
  EXPECT_EQ(Zelle(3, 6), K("Große Breite"));
  EXPECT_EQ(Position(), std::make_pair(7, 6));
  // Not onto the remembered line or above it.
  Gehe(6, 4);
  Klicken(u"Dünger setzen"_s);
  EXPECT_EQ(meldungen.piepser, 1);
}

TEST_F(Schnellfenster, FragenMitAbbruch) {
  ZeileTippen(4, u"1"_s, u"15.4.21"_s, u"3"_s, 'm', u"KAS"_s);
  // "Übernehmen": No writes nothing.
  meldungen.antworten = {false};
  Klicken(u"Übernehmen und Schließen"_s);
  EXPECT_TRUE(fenster->isVisible());
  EXPECT_EQ(Anzahl(), 0);
  // "Verwerfen": No to the first or the second question keeps everything.
  for (const std::deque<bool>& a : {std::deque<bool>{false}, std::deque<bool>{true, false}}) {
    meldungen.Leeren();
    meldungen.antworten = a;
    Klicken(u"Verwerfen und Schließen"_s);
    EXPECT_TRUE(fenster->isVisible());
    EXPECT_EQ(meldungen.protokoll.size(), qsizetype(a.size()));
    EXPECT_EQ(Zelle(3, 4), K("Am Weg"));
  }
  // Closing the window with typed lines asks the same.
  meldungen.Leeren();
  meldungen.antworten = {false};
  QTest::keyClick(fenster.get(), Qt::Key_Escape);
  EXPECT_TRUE(fenster->isVisible());
  EXPECT_EQ(meldungen.protokoll,
            QStringList{u"Frage: Wirklich alle getätigten Eingaben verwerfen und schließen?"_s});
  meldungen.Leeren();
  meldungen.antworten = {true, true};
  Klicken(u"Verwerfen und Schließen"_s);
  EXPECT_EQ(meldungen.protokoll, (QStringList{u"Frage: Wirklich alle getätigten Eingaben verwerfen und schließen?"_s,
                                              u"Frage: Wirklich alle verwerfen?"_s}));
  EXPECT_FALSE(fenster->isVisible());
  EXPECT_EQ(Anzahl(), 0);
}

TEST_F(Schnellfenster, LeeresFensterSchliesstOhneFrage) {
  QTest::keyClick(fenster.get(), Qt::Key_Escape);
  EXPECT_FALSE(fenster->isVisible());
  EXPECT_TRUE(meldungen.protokoll.isEmpty());
}

TEST_F(Schnellfenster, UnlesbareZeileBleibtMarkiert) {
  ZeileTippen(4, u"1"_s, u"15.4.21"_s, u"3"_s, 'm', u"KAS"_s);
  ZeileTippen(5, u"2"_s, u"15.4.21"_s, u"2"_s, 'm', u"KAS"_s);
  // A date as a loaded sheet may bring it.
  buch->setText(4, 5, u"31.02.2021"_s);
  meldungen.antworten = {true};
  Klicken(u"Übernehmen und Schließen"_s);
  EXPECT_TRUE(fenster->isVisible());
  EXPECT_EQ(Anzahl(), 1);
  ASSERT_EQ(meldungen.Infos().size(), 1);
  EXPECT_TRUE(meldungen.Infos()[0].contains(u"Zeile 4, Datum"_s));
  // Line 4 is written and gone; the refused line moves up, marked, and the
  // message names it where it now stands.
  EXPECT_EQ(Zelle(3, 4), K("Große Breite"));
  EXPECT_EQ(Zelle(3, 5), QString());
  EXPECT_EQ(Position(), std::make_pair(4, 4));
  auto* m = buch->Modell();
  EXPECT_TRUE(m->data(m->Index(4, 4), Qt::BackgroundRole).isValid());
  EXPECT_TRUE(m->data(m->Index(1, 4), Qt::BackgroundRole).isValid());
  EXPECT_FALSE(m->data(m->Index(1, 5), Qt::BackgroundRole).isValid());
  // Corrected with the editor (which refuses a wrong date), taken over.
  QTest::keyClick(Ansicht(), Qt::Key_F2);
  QWidget* editor = QApplication::focusWidget();
  QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(editor, u"30.2.21"_s);
  QTest::keyClick(editor, Qt::Key_Return);
  QCoreApplication::processEvents();
  EXPECT_EQ(Zelle(4, 4), K("31.02.2021"));
  EXPECT_EQ(meldungen.piepser, 1);
  Gehe(4, 4);
  QTest::keyClick(Ansicht(), Qt::Key_F2);
  editor = QApplication::focusWidget();
  QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClicks(editor, u"28.2.21"_s);
  QTest::keyClick(editor, Qt::Key_Return);
  QCoreApplication::processEvents();
  EXPECT_EQ(Zelle(4, 4), K("28.02.2021"));
  meldungen.Leeren();
  meldungen.antworten = {true};
  Klicken(u"Übernehmen und Schließen"_s);
  EXPECT_TRUE(meldungen.Infos().isEmpty());
  EXPECT_FALSE(fenster->isVisible());
  EXPECT_EQ(Anzahl(), 2);
}

TEST_F(Schnellfenster, SchlaglisteNachKulturUndSuche) {
  // A title click other than the name orders by crop and searches there.
  QTableWidget* liste = fenster->Panel()->Liste();
  QTest::mouseClick(liste->horizontalHeader()->viewport(), Qt::LeftButton, {},
                    QPoint(liste->horizontalHeader()->sectionViewportPosition(1) + 5, 5));
  EXPECT_EQ(liste->item(0, 1)->text(), K("Wintergerste"));
  EXPECT_EQ(QApplication::focusWidget(), fenster->Panel()->Suchfeld());
  Tasten(u"Winterw\n\n"_s);
  EXPECT_EQ(Zelle(3, 4), K("Am Weg"));
  EXPECT_EQ(Zelle(1, 4), K("1"));
  EXPECT_EQ(Zelle(S::Groesse, 4), QString());  // not from the list
  EXPECT_EQ(Position(), std::make_pair(4, 4));
  // Column 8 lists the crops of the line's field.
  Gehe(8, 4);
  ASSERT_EQ(fenster->Panel()->Liste()->rowCount(), 1);
  EXPECT_EQ(fenster->Panel()->Liste()->item(0, 0)->text(), K("2021 Winterweizen"));
  // "Vorauswahl" reads the lists again.
  Klicken(u"Vorauswahl"_s);
  EXPECT_EQ(vorauswahl, 1);
}

TEST_F(Schnellfenster, BlattMitVerdecktenWertenGespeichertUndGeladen) {
  ZeileTippen(4, u"1"_s, u"15.4.21"_s, u"3"_s, 'm', u"KAS"_s);
  QTemporaryDir ordner;
  const QString datei = ordner.filePath(u"schnell.txt"_s);
  ASSERT_TRUE(fenster->Werkzeugleiste()->DateiSpeichern(datei));
  // A new sheet keeps the headings and starts again in column 3 of line 4.
  meldungen.antworten = {true};
  fenster->Werkzeugleiste()->NeuesBlatt();
  EXPECT_EQ(Zelle(1, 1), K("Parzelle"));
  EXPECT_EQ(Zelle(3, 4), QString());
  EXPECT_EQ(Position(), std::make_pair(3, 4));
  // Loaded again, the line brings its hidden values and can be taken over.
  ASSERT_TRUE(fenster->Werkzeugleiste()->DateiLaden(datei));
  EXPECT_EQ(Zelle(S::DngNummer, 4), QString::number(Kas));
  meldungen.antworten = {true};
  Klicken(u"Übernehmen und Schließen"_s);
  EXPECT_FALSE(fenster->isVisible());
  EXPECT_DOUBLE_EQ(Wert(K("select Nges from Dung")).toDouble(), 81);
}

}  // namespace
