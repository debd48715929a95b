// The window "Ertragserfassung" driven like a user: keys into the grid,
// Enter, Escape, double-clicks and the two buttons.
#include "ertragsfenster.h"

#include "dataset.h"
#include "ertraege.h"
#include "ertragsbetrieb.h"
#include "ertragsraster.h"
#include "fensterelement.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QWindow>

#include <memory>

namespace {

class FensterTest : public ErtragsBetrieb {
protected:
  void TearDown() override {
    if (fenster && fenster->isVisible()) {
      meldungen.antworten.push_back(true);
      fenster->close();
    }
    fenster.reset();
  }

  TErtragsfenster* Oeffnen(int jahr = 2024) {
    fenster = std::make_unique<TErtragsfenster>(db, meldungen, Betrieb, jahr);
    fenster->show();
    fenster->activateWindow();
    QApplication::setActiveWindow(fenster.get());
    // The header takes its height from the titles: the layout settles.
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    return fenster.get();
  }
  TErtragsRaster* Raster() const { return fenster->Raster(); }
  TADODataSetMod& Liste() const { return fenster->Liste().Liste(); }
  QModelIndex Zelle(int zeile, int spalte) const { return Raster()->model()->index(zeile, spalte); }
  QString Titel(int spalte) const {
    return Raster()->model()->headerData(spalte, Qt::Horizontal, Qt::DisplayRole).toString();
  }
  QVariant Farbe(int zeile, int spalte) const { return Zelle(zeile, spalte).data(Qt::BackgroundRole); }

  // Keys to whatever has the focus, as a keyboard delivers them; the grid
  // opens its cell editor on the first one.
  static void Tippen(const QString& text) {
    for (const QChar c : text) QTest::keyClick(QApplication::focusWidget(), char(c.unicode()));
  }
  static void Taste(Qt::Key taste) {
    QTest::keyClick(QApplication::focusWidget(), taste);
    // The grid takes the edited cell over after the key, in the event loop.
    QApplication::processEvents();
  }
  void Klicken(const QString& knopf) {
    auto* k = Fensterhilfe::Element<QAbstractButton>(fenster.get(), knopf);
    ASSERT_NE(k, nullptr);
    Maus(k, k->rect().center());
  }
  void Doppelklick(int zeile, int spalte) {
    QWidget* vp = Raster()->viewport();
    Maus(vp, Raster()->visualRect(Zelle(zeile, spalte)).center(), true);
  }
  // Delivered where a user's click arrives: at the window.
  void Maus(QWidget* ziel, const QPoint& wo, bool doppelt = false) {
    const QPoint p = ziel->mapTo(fenster.get(), wo);
    QWindow* w = fenster->windowHandle();
    QTest::mouseClick(w, Qt::LeftButton, {}, p);
    if (doppelt) QTest::mouseDClick(w, Qt::LeftButton, {}, p);
    QApplication::processEvents();
  }

  std::unique_ptr<TErtragsfenster> fenster;
};

TEST_F(FensterTest, ErsteZeileMitErtragszelleUndTiteln) {
  Oeffnen(2024);
  ASSERT_EQ(Raster()->model()->rowCount(), 3);
  EXPECT_EQ(Raster()->currentIndex(), Zelle(0, TErtragsModell::SpalteErtrag));
  EXPECT_EQ(Liste().Position(), 0);
  EXPECT_TRUE(Raster()->hasFocus());
  // Row 1 is "Ackergras", crop group 2: dry matter.
  EXPECT_EQ(Titel(0), K("Kultur"));
  EXPECT_EQ(Titel(1), K("verwendeter Ertrag 2023 (dt TM/ha)"));
  EXPECT_EQ(Titel(2), K("betrieblicher Ertrag 2024 (dt TM/ha)"));
  EXPECT_EQ(Titel(3), K("betrieblicher Ertrag NG 2024 (dt TM/ha)"));
  EXPECT_EQ(Titel(4), K("anderer Ertrag möglich"));
  EXPECT_FALSE(Raster()->isColumnHidden(TErtragsModell::SpalteErtragNG));
  EXPECT_EQ(Zelle(0, 1).data().toString(), K("85"));
  EXPECT_EQ(Zelle(0, 2).data().toString(), K("90"));
  // The titles follow the current row: "Hafer" is in fresh matter.
  Taste(Qt::Key_Down);
  EXPECT_EQ(Liste().Position(), 1);
  EXPECT_EQ(Titel(2), K("betrieblicher Ertrag 2024 (dt/ha)"));
  for (const char* hinweis : {"Bitte tatsächlichen betrieblichen Ertrag im 5-jährigen Mittel (dt/ha) eingeben/prüfen.",
                              "Für Nitratgebiete (NG) nach §13a dagegen das Mittel der Jahre 2015 - 2019 angeben."})
    EXPECT_NE(Fensterhilfe::Element<QLabel>(fenster.get(), K(hinweis)), nullptr);
}

TEST_F(FensterTest, Bis2020OhneNitratgebietUnd2019ZeigtDenErtragVon2018) {
  Oeffnen(2019);
  EXPECT_TRUE(Raster()->isColumnHidden(TErtragsModell::SpalteErtragNG));
  EXPECT_EQ(Titel(1), K("verwendeter Ertrag 2018 (dt TM/ha)"));
  // "Hafer": TatsErtrag_18 48, TatsErtrag_19 51.
  EXPECT_EQ(Zelle(1, 1).data().toString(), K("48"));
  EXPECT_NE(Fensterhilfe::Element<QLabel>(fenster.get(), K("Bitte beachten, das Ertragsmittel der letzten 3 Jahre angeben.")),
            nullptr);
}

TEST_F(FensterTest, EnterSpeichertUndGehtZurNaechstenZeile) {
  Oeffnen(2024);
  Taste(Qt::Key_Down);  // "Hafer", level 50
  Tippen(K("62,5"));
  ASSERT_TRUE(Raster()->ZelleOffen());
  Taste(Qt::Key_Return);
  EXPECT_EQ(Gespeichert(Hafer, K("TatsErtrag")).toDouble(), 62.5);
  EXPECT_EQ(Gespeichert(Hafer, K("TatsErtrag_24")).toDouble(), 62.5);
  EXPECT_EQ(Liste().Position(), 2);
  EXPECT_EQ(Raster()->currentIndex(), Zelle(2, TErtragsModell::SpalteErtrag));
  // After a save the second title names the average of the year before.
  EXPECT_EQ(Titel(1), K("Durchschnittsertrag Vorjahr (dt/ha)"));
  // Enter on the last row saves and stays.
  Taste(Qt::Key_Return);
  EXPECT_EQ(Liste().Position(), 2);
  EXPECT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join(K("\n")).toStdString();
}

// A yield with a third decimal is refused with a message, neither cut nor rounded.
TEST_F(FensterTest, DritteNachkommastelleAbgelehnt) {
  Oeffnen(2024);
  Taste(Qt::Key_Down);  // "Hafer", level 50
  const QVariant vorher = Gespeichert(Hafer, K("TatsErtrag"));
  Tippen(K("62,555"));
  Taste(Qt::Key_Return);
  EXPECT_EQ(meldungen.Infos(), QStringList{K("Bitte geben Sie hier höchstens 2 Nachkommastellen ein.")});
  EXPECT_EQ(Gespeichert(Hafer, K("TatsErtrag")), vorher);
  EXPECT_NE(Liste().Wert(K("TatsErtrag")).toDouble(), 62.55);
  EXPECT_NE(Liste().Wert(K("TatsErtrag")).toDouble(), 62.56);
}

TEST_F(FensterTest, AusserhalbDesBereichsMeldungFarbeUndKeinSpeichern) {
  Oeffnen(2024);
  Taste(Qt::Key_Down);  // "Hafer", level 50: 5 … 112.5
  Tippen(K("113"));
  Taste(Qt::Key_Return);
  EXPECT_EQ(meldungen.Infos(), QStringList{Ertraege::BereichMeldung(false, 50)});
  EXPECT_TRUE(meldungen.Infos().value(0).contains(K("von 5 und 112 dt/ha")));
  // The value stays in the cell, light red, on the same row, unsaved.
  EXPECT_EQ(Liste().Position(), 1);
  EXPECT_EQ(Zelle(1, 2).data().toString(), K("113"));
  EXPECT_EQ(Farbe(1, 2).value<QColor>(), QColor(0xF3, 0xAF, 0xAF));
  EXPECT_FALSE(Farbe(0, 2).isValid());
  EXPECT_EQ(Gespeichert(Hafer, K("TatsErtrag")).toDouble(), 55.0);
  // Nor can the row be left.
  Taste(Qt::Key_Down);
  EXPECT_EQ(Liste().Position(), 1);
  // Corrected, it is saved.
  Tippen(K("112,5"));
  Taste(Qt::Key_Return);
  EXPECT_EQ(Gespeichert(Hafer, K("TatsErtrag")).toDouble(), 112.5);
  EXPECT_FALSE(Farbe(1, 2).isValid());
  EXPECT_EQ(Liste().Position(), 2);
}

TEST_F(FensterTest, NitratgebietAusserhalbUndEscapeNimmtZurueck) {
  Oeffnen(2024);
  Taste(Qt::Key_Down);  // "Hafer"
  Taste(Qt::Key_Right);
  ASSERT_EQ(Raster()->currentIndex(), Zelle(1, TErtragsModell::SpalteErtragNG));
  Tippen(K("200"));
  Taste(Qt::Key_Return);
  EXPECT_EQ(meldungen.Infos(), QStringList{Ertraege::BereichMeldung(true, 50)});
  EXPECT_EQ(Farbe(1, 3).value<QColor>(), QColor(0xF3, 0xAF, 0xAF));
  // Escape takes the row's input back: nothing stays red, nothing was written.
  Taste(Qt::Key_Escape);
  EXPECT_EQ(Liste().Zustand(), TADODataSetMod::TZustand::Blaettern);
  EXPECT_FALSE(Farbe(1, 3).isValid());
  EXPECT_TRUE(Gespeichert(Hafer, K("TatsErtragRG")).isNull() || Gespeichert(Hafer, K("TatsErtragRG")).toDouble() == 0);
  EXPECT_TRUE(fenster->isVisible());
}

TEST_F(FensterTest, TabGehtZumNitratgebietUndDannWieEnter) {
  Oeffnen(2024);
  Taste(Qt::Key_Down);  // "Hafer", level 50
  Tippen(K("60"));
  Taste(Qt::Key_Tab);
  EXPECT_EQ(Raster()->currentIndex(), Zelle(1, TErtragsModell::SpalteErtragNG));
  ASSERT_TRUE(Raster()->ZelleOffen());
  Tippen(K("300"));
  // Out of range: the row is not left, nothing is written.
  Taste(Qt::Key_Tab);
  EXPECT_EQ(meldungen.Infos(), QStringList{Ertraege::BereichMeldung(true, 50)});
  EXPECT_EQ(Liste().Position(), 1);
  EXPECT_EQ(Gespeichert(Hafer, K("TatsErtrag")).toDouble(), 55.0);
  // F2 opens the cell with its text selected: typing replaces it.
  Taste(Qt::Key_F2);
  Tippen(K("57"));
  Taste(Qt::Key_Tab);
  EXPECT_EQ(Gespeichert(Hafer, K("TatsErtrag")).toDouble(), 60.0);
  EXPECT_EQ(Gespeichert(Hafer, K("TatsErtragRG")).toDouble(), 57.0);
  EXPECT_EQ(Liste().Position(), 2);
}

TEST_F(FensterTest, ErtragsniveauEinsNimmtJedenWertUndNullUeberschreibtDasJahrNicht) {
  Sql(K("update S_KulturenNP set TatsErtrag_24 = 610 where BetriebsNr = 2 and FA_NR = :nr"), {{K("nr"), Zuckerruebe}});
  Oeffnen(2024);
  Taste(Qt::Key_End);
  Taste(Qt::Key_Down);
  Taste(Qt::Key_Down);  // "Zuckerrübe", level 1
  ASSERT_EQ(Liste().Position(), 2);
  Tippen(K("0"));
  Taste(Qt::Key_Return);
  EXPECT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join(K("\n")).toStdString();
  EXPECT_EQ(Gespeichert(Zuckerruebe, K("TatsErtrag")).toDouble(), 0.0);
  EXPECT_EQ(Gespeichert(Zuckerruebe, K("TatsErtrag_24")).toDouble(), 610.0);
  EXPECT_FALSE(Farbe(2, 2).isValid());
  Tippen(K("9999"));
  Taste(Qt::Key_Return);
  EXPECT_EQ(Gespeichert(Zuckerruebe, K("TatsErtrag_24")).toDouble(), 9999.0);
}

TEST_F(FensterTest, TausenderBleibenBeimWeiterschreiben) {
  Sql(K("update S_KulturenNP set TatsErtrag = 1600 where BetriebsNr = 2 and FA_NR = :nr"), {{K("nr"), Zuckerruebe}});
  Oeffnen(2024);
  Taste(Qt::Key_Down);
  Taste(Qt::Key_Down);
  EXPECT_EQ(Zelle(2, 2).data().toString(), K("1.600"));
  // F2 opens the cell with its text; a digit added at the end makes 16005,
  // not 1,6005.
  Taste(Qt::Key_F2);
  ASSERT_TRUE(Raster()->ZelleOffen());
  Taste(Qt::Key_End);
  Tippen(K("5"));
  Taste(Qt::Key_Return);
  EXPECT_EQ(Gespeichert(Zuckerruebe, K("TatsErtrag")).toDouble(), 16005.0);
}

TEST_F(FensterTest, KeinMinuszeichen) {
  Oeffnen(2024);
  Tippen(K("-"));
  // The key is refused with a beep; nothing reaches the row.
  EXPECT_EQ(meldungen.piepser, 1);
  Tippen(K("7"));
  auto* feld = qobject_cast<QLineEdit*>(QApplication::focusWidget());
  ASSERT_NE(feld, nullptr);
  EXPECT_EQ(feld->text(), K("7"));
  // Pasted text may carry one: refused with a message, the row unchanged.
  feld->setText(K("-70"));
  Taste(Qt::Key_Return);
  EXPECT_EQ(meldungen.Infos(), QStringList{Ertraege::NegativMeldung});
  EXPECT_EQ(Gespeichert(Ackergras, K("TatsErtrag")).toDouble(), 90.0);
}

TEST_F(FensterTest, DoppelklickSchaltetAndererErtragUm) {
  Oeffnen(2024);
  Doppelklick(1, TErtragsModell::SpalteKultur);
  EXPECT_EQ(Liste().Position(), 1);
  EXPECT_EQ(Gespeichert(Hafer, K("IsEinzelErtrag")).toInt(), 1);
  EXPECT_EQ(Zelle(1, TErtragsModell::SpalteAnderer).data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
  Doppelklick(1, TErtragsModell::SpalteAnderer);
  EXPECT_EQ(Gespeichert(Hafer, K("IsEinzelErtrag")).toInt(), 0);
  EXPECT_EQ(Zelle(1, TErtragsModell::SpalteAnderer).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
  EXPECT_EQ(Gespeichert(Ackergras, K("IsEinzelErtrag")).toInt(), 0);
  EXPECT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join(K("\n")).toStdString();
}

TEST_F(FensterTest, DoppelklickAufZeileAusserhalbMeldetUndBleibtUngespeichert) {
  // A yield reset to 0 for a new year is out of range for level 50.
  Sql(K("update S_KulturenNP set TatsErtrag = 0 where BetriebsNr = 2 and FA_NR = :nr"), {{K("nr"), Hafer}});
  Oeffnen(2024);
  Doppelklick(1, TErtragsModell::SpalteAnderer);
  EXPECT_EQ(meldungen.Infos(), QStringList{Ertraege::BereichMeldung(false, 50)});
  EXPECT_EQ(Gespeichert(Hafer, K("IsEinzelErtrag")).toInt(), 0);
}

TEST_F(FensterTest, OkSpeichertOffeneEingabe) {
  Oeffnen(2024);
  Tippen(K("95"));
  Klicken(K("OK"));
  EXPECT_FALSE(fenster->isVisible());
  EXPECT_EQ(fenster->result(), int(QDialog::Accepted));
  EXPECT_EQ(Gespeichert(Ackergras, K("TatsErtrag")).toDouble(), 95.0);
  EXPECT_EQ(Gespeichert(Ackergras, K("TatsErtrag_24")).toDouble(), 95.0);
}

TEST_F(FensterTest, AbbrechenVerwirftOffeneEingabe) {
  Oeffnen(2024);
  Tippen(K("95"));
  Klicken(K("Abbrechen"));
  EXPECT_FALSE(fenster->isVisible());
  EXPECT_EQ(Gespeichert(Ackergras, K("TatsErtrag")).toDouble(), 90.0);
  EXPECT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join(K("\n")).toStdString();
}

TEST_F(FensterTest, SchliessenMitUngespeicherterEingabe) {
  Oeffnen(2024);
  // Valid input is saved when the window closes.
  Tippen(K("95"));
  fenster->close();
  EXPECT_FALSE(fenster->isVisible());
  EXPECT_EQ(Gespeichert(Ackergras, K("TatsErtrag")).toDouble(), 95.0);

  // Input out of range: the message, then the question; "Nein" keeps the
  // window open with the input, "Ja" closes and drops it.
  Oeffnen(2024);
  Tippen(K("500"));
  meldungen.antworten = {false};
  fenster->close();
  EXPECT_TRUE(fenster->isVisible());
  EXPECT_EQ(meldungen.protokoll, (QStringList{K("Info: ") + Ertraege::BereichMeldung(false, 80),
                                              K("Frage: ") + TErtragsfenster::VerwerfenFrage}));
  EXPECT_EQ(Zelle(0, 2).data().toString(), K("500"));
  meldungen.Leeren();
  meldungen.antworten = {true};
  Klicken(K("OK"));
  EXPECT_FALSE(fenster->isVisible());
  EXPECT_EQ(Gespeichert(Ackergras, K("TatsErtrag")).toDouble(), 95.0);
  EXPECT_EQ(meldungen.protokoll.size(), 2);
}

TEST_F(FensterTest, LeereListe) {
  Sql(K("update S_KulturenNP set Auswahl = 0 where BetriebsNr = 2"));
  Oeffnen(2024);
  EXPECT_EQ(Raster()->model()->rowCount(), 0);
  EXPECT_FALSE(Raster()->currentIndex().isValid());
  // Neither keys nor a double-click make a row.
  Tippen(K("5"));
  Taste(Qt::Key_Return);
  Maus(Raster()->viewport(), QPoint(20, 20), true);
  EXPECT_EQ(Liste().Anzahl(), 0);
  EXPECT_EQ(Titel(2), K("betrieblicher Ertrag 2024 (dt/ha)"));
  Klicken(K("OK"));
  EXPECT_FALSE(fenster->isVisible());
  EXPECT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join(K("\n")).toStdString();
  EXPECT_EQ(Wert(K("select count(*) from S_KulturenNP where BetriebsNr = 2 and Auswahl = 1")).toInt(), 0);
}

}  // namespace
