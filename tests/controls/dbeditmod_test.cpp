// The input field bound to a column: value kind from the column type,
// entering, typing, leaving with normalisation and bound test, colours.
#include "dbeditmod.h"
#include "feldhilfe.h"
#include "testdatenbank.h"

#include <QTest>

namespace {

class GebundenesFeld : public TestDatenbank {
protected:
  void SetUp() override {
    TestDatenbank::SetUp();
    BeispielBetrieb();
    liste.setCommandText(QStringLiteral("SELECT * FROM Schlag WHERE BetriebsNr = :B ORDER BY Parzelle"));
    liste.ParameterSetzen(QStringLiteral("B"), 2);
    ASSERT_TRUE(liste.Oeffnen());
    // Takes the focus when the window is shown, so no field is entered by that.
    fenster.Dazu(new QLineEdit)->setAccessibleName(QStringLiteral("davor"));
  }
  // A field in the window; messages go to the connection's service.
  TDBEditMod* Feld(const QString& spalte) {
    auto* f = fenster.Dazu(new TDBEditMod(&liste, spalte));
    f->setAccessibleName(spalte);
    f->setHilfsfenster(&hilfe);
    return f;
  }
  // Gives the field the focus as Tab would, and the next widget gets it after.
  void Betreten(QWidget* w) {
    if (!fenster.isVisible()) {
      danach = fenster.Dazu(new QLineEdit);
      danach->setAccessibleName(QStringLiteral("danach"));
      fenster.Zeigen();
    }
    w->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), w);
  }
  void Verlassen() { danach->setFocus(Qt::TabFocusReason); }
  // Types over the whole text, as pasting would.
  void Einfuegen(TDBEditMod* f, const QString& text) {
    f->selectAll();
    f->insert(text);
  }
  QVariant Spalte(const QString& name) { return liste.Wert(name); }

  TADODataSetMod liste{db};
  TSkriptHilfsfenster hilfe;
  TTestFenster fenster;
  QLineEdit* danach = nullptr;
};

TEST_F(GebundenesFeld, WertartFolgtDemSpaltentyp) {
  struct Fall {
    const char* spalte;
    TDatenTyp art;
    bool nurLesen;
    int laenge;
    const char* maske;
  };
  const Fall faelle[] = {
      {"Groesse", dtFloat, false, 32767, ""},
      {"BewirtschaftungsAuflagen", dtInteger, false, 32767, ""},
      {"SchlagNr", dtInteger, false, 32767, ""},
      {"SchlagName", dtString, false, 100, ""},
      {"P_GehaltsKlasse", dtString, false, 1, ""},
      {"HumusGroesserVier", dtString, false, 32767, ""},
      {"P_AnalyseDatum", dtDatum, false, 8, "09.09.99;_"},
      {"ID", dtInteger, true, 32767, ""},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.spalte);
    TDBEditMod* feld = Feld(QString::fromUtf8(f.spalte));
    EXPECT_EQ(feld->DatenTyp(), f.art);
    EXPECT_EQ(feld->isReadOnly(), f.nurLesen);
    EXPECT_EQ(feld->maxLength(), f.laenge);
    EXPECT_EQ(feld->inputMask(), QString::fromUtf8(f.maske));
    EXPECT_EQ(feld->palette().color(QPalette::Base), f.nurLesen ? QColor(252, 252, 194) : QColor(Qt::white));
  }
  EXPECT_EQ(Feld(QStringLiteral("Groesse"))->DisplayFormat(), QStringLiteral("0.00"));
  TDBEditMod* zaehler = Feld(QStringLiteral("ID"));
  EXPECT_TRUE(zaehler->IstZaehler());
  zaehler->setRO(false);  // a counter stays read-only
  EXPECT_TRUE(zaehler->isReadOnly());
  EXPECT_EQ(zaehler->focusPolicy(), Qt::ClickFocus);
}

TEST_F(GebundenesFeld, JahrBleibtBisSchalterUndZeigtSpaltenwerte) {
  ASSERT_TRUE(db.Ausfuehren(QStringLiteral(
      "UPDATE Schlag SET Groesse = 12.345, P_Jahre = 21, P_AnalyseDatum = '2021-09-01 12:30:00', HumusGroesserVier = 1")));
  ASSERT_TRUE(liste.Aktualisieren());
  TDBEditMod* jahr = Feld(QStringLiteral("P_Jahre"));
  jahr->setDatenTyp(dtJahr);
  ASSERT_TRUE(liste.Aktualisieren());
  EXPECT_EQ(jahr->DatenTyp(), dtJahr);  // reopening does not undo a fixed kind
  jahr->setSchalter(true);
  EXPECT_EQ(jahr->DatenTyp(), dtInteger);

  TDBEditMod* groesse = Feld(QStringLiteral("Groesse"));
  EXPECT_EQ(groesse->text(), QStringLiteral("12,35"));
  groesse->setGenauigkeit(1);
  groesse->Anzeigen();
  EXPECT_EQ(groesse->text(), QStringLiteral("12,3"));
  EXPECT_EQ(groesse->DisplayFormat(), QStringLiteral("0.0"));
  EXPECT_EQ(Feld(QStringLiteral("P_AnalyseDatum"))->text(), QStringLiteral("01.09.21"));
  EXPECT_EQ(Feld(QStringLiteral("HumusGroesserVier"))->text(), QStringLiteral("Wahr"));
  EXPECT_EQ(Feld(QStringLiteral("SchlagName"))->text(), QStringLiteral("Am Weg"));
}

TEST_F(GebundenesFeld, KommazahlMitEinerStelle) {
  TDBEditMod* f = Feld(QStringLiteral("Groesse"));
  f->setGenauigkeit(1);
  Betreten(f);
  EXPECT_EQ(f->text(), QString());  // the 0 of the column is hidden
  QTest::keyClicks(f, QStringLiteral("12,3"));
  EXPECT_DOUBLE_EQ(Spalte(QStringLiteral("Groesse")).toDouble(), 12.3);
  // A second decimal is neither dropped nor rounded: the column keeps the
  // value from entering, and leaving refuses the text with a message.
  QTest::keyClicks(f, QStringLiteral("4"));
  EXPECT_EQ(f->text(), QStringLiteral("12,34"));
  EXPECT_DOUBLE_EQ(Spalte(QStringLiteral("Groesse")).toDouble(), 0.0);
  Verlassen();
  EXPECT_EQ(meldungen.Infos(), QStringList{QStringLiteral("Bitte geben Sie hier höchstens eine Nachkommastelle ein.")});
  EXPECT_EQ(QApplication::focusWidget(), f);
  EXPECT_EQ(f->text(), QStringLiteral("12,34"));
  EXPECT_EQ(meldungen.piepser, 0);
  // Trailing zeros are no decimals lost.
  f->selectAll();
  QTest::keyClicks(f, QStringLiteral("12,30"));
  Verlassen();
  EXPECT_EQ(meldungen.Infos().size(), 1);
  EXPECT_EQ(f->text(), QStringLiteral("12,3"));
  EXPECT_DOUBLE_EQ(Spalte(QStringLiteral("Groesse")).toDouble(), 12.3);

  Betreten(f);
  f->selectAll();
  QTest::keyClicks(f, QStringLiteral(",5"));
  EXPECT_EQ(f->text(), QStringLiteral("0,5"));

  f->selectAll();
  QTest::keyClicks(f, QStringLiteral("7"));
  Verlassen();
  EXPECT_EQ(f->text(), QStringLiteral("7,0"));
  EXPECT_EQ(Spalte(QStringLiteral("Groesse")), QVariant(7.0));
  EXPECT_EQ(meldungen.Infos().size(), 1);
}

// Escape after a refused text brings back the value from entering; leaving is free then.
TEST_F(GebundenesFeld, AbgelehnteEingabeMitEscapeZuruecknehmen) {
  ASSERT_TRUE(db.AusfuehrenStill(QStringLiteral("UPDATE Schlag SET Groesse = 4.5")));
  ASSERT_TRUE(liste.Aktualisieren());
  TDBEditMod* f = Feld(QStringLiteral("Groesse"));
  Betreten(f);
  f->selectAll();
  QTest::keyClicks(f, QStringLiteral("8,255"));
  Verlassen();
  EXPECT_EQ(QApplication::focusWidget(), f);
  QTest::keyClick(f, Qt::Key_Escape);
  EXPECT_EQ(f->text(), QStringLiteral("4,50"));
  Verlassen();
  EXPECT_EQ(QApplication::focusWidget(), danach);
  EXPECT_EQ(meldungen.Infos().size(), 1);
  EXPECT_DOUBLE_EQ(Spalte(QStringLiteral("Groesse")).toDouble(), 4.5);
}

TEST_F(GebundenesFeld, VerlassenNormalisiertUndSchreibt) {
  const QVariant null;
  struct Fall {
    const char* spalte;
    TDatenTyp art;
    const char* eingabe;
    const char* text;
    QVariant wert;
  };
  const Fall faelle[] = {
      {"Groesse", dtFloat, "-,5", "-0,50", -0.5},
      {"Groesse", dtFloat, "3,1400", "3,14", 3.14},
      {"Groesse", dtFloat, "1.234,5", "1234,50", 1234.5},
      {"Groesse", dtFloat, "2,", "2,00", 2.0},
      {"BewirtschaftungsAuflagen", dtInteger, "x-12y", "12", qlonglong(12)},
      {"BewirtschaftungsAuflagen", dtInteger, "-0042", "-42", qlonglong(-42)},
      {"BewirtschaftungsAuflagen", dtInteger, "abc", "0", qlonglong(0)},
      // Too large for the column: no value instead of an error.
      {"BewirtschaftungsAuflagen", dtInteger, "99999", "", null},
      {"SchlagNr", dtInteger, "99999", "99999", qlonglong(99999)},
      {"P_Jahre", dtJahr, "23", "2023", qlonglong(2023)},
      {"P_Jahre", dtJahr, "75", "1975", qlonglong(1975)},
      {"P_Jahre", dtJahr, "2031", "2031", qlonglong(2031)},
      {"P_Jahre", dtJahr, "50", "2050", qlonglong(2050)},
      {"P_Jahre", dtJahr, "100", "2000", qlonglong(2000)},
      {"SchlagName", dtString, "  Hinter der Scheune ", "  Hinter der Scheune ", QStringLiteral("  Hinter der Scheune ")},
  };
  for (const auto& fall : faelle) {
    SCOPED_TRACE(std::string(fall.spalte) + " " + fall.eingabe);
    TDBEditMod* f = Feld(QString::fromUtf8(fall.spalte));
    if (fall.art == dtJahr) f->setDatenTyp(dtJahr);
    Betreten(f);
    Einfuegen(f, QString::fromUtf8(fall.eingabe));
    Verlassen();
    EXPECT_EQ(f->text(), QString::fromUtf8(fall.text));
    const QVariant w = Spalte(QString::fromUtf8(fall.spalte));
    EXPECT_EQ(w.isNull(), fall.wert.isNull());
    if (fall.wert.typeId() == QMetaType::Double) {
      EXPECT_DOUBLE_EQ(w.toDouble(), fall.wert.toDouble());
    } else if (!fall.wert.isNull()) {
      EXPECT_EQ(w, fall.wert);
    }
  }
  ASSERT_TRUE(liste.Speichern());
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT P_Jahre FROM Schlag")).toInt(), 2000);
  EXPECT_TRUE(db.Wert(QStringLiteral("SELECT BewirtschaftungsAuflagen FROM Schlag")).isNull());
}

TEST_F(GebundenesFeld, DurchgehenAendertKeinenGespeichertenWert) {
  ASSERT_TRUE(db.Ausfuehren(QStringLiteral("UPDATE Schlag SET Groesse = 12.3456, P_AnalyseDatum = '1949-05-02'")));
  ASSERT_TRUE(liste.Aktualisieren());
  TDBEditMod* groesse = Feld(QStringLiteral("Groesse"));
  TDBEditMod* datum = Feld(QStringLiteral("P_AnalyseDatum"));
  EXPECT_EQ(groesse->text(), QStringLiteral("12,35"));
  EXPECT_EQ(datum->text(), QStringLiteral("02.05.49"));
  Betreten(groesse);
  Betreten(datum);
  Verlassen();
  ASSERT_TRUE(liste.Speichern());
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT Groesse FROM Schlag")), QVariant(12.3456));
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT P_AnalyseDatum FROM Schlag")), QVariant(QStringLiteral("1949-05-02")));
}

TEST_F(GebundenesFeld, DatumMitMaske) {
  ASSERT_TRUE(db.Ausfuehren(QStringLiteral("UPDATE Schlag SET P_AnalyseDatum = '2021-09-01 12:30:00'")));
  ASSERT_TRUE(liste.Aktualisieren());
  TDBEditMod* datum = Feld(QStringLiteral("P_AnalyseDatum"));
  TDBEditMod* name = Feld(QStringLiteral("SchlagName"));
  // Entering and leaving without a change keeps the time of day.
  Betreten(datum);
  Verlassen();
  EXPECT_EQ(Spalte(QStringLiteral("P_AnalyseDatum")).toString(), QStringLiteral("2021-09-01 12:30:00"));

  const std::pair<const char*, QVariant> faelle[] = {
      {"150322", QStringLiteral("2022-03-15")},
      {"311299", QStringLiteral("1999-12-31")},
      {"310221", QVariant()},  // no such day
      {"", QVariant()},        // only the empty mask
  };
  for (const auto& [tasten, wert] : faelle) {
    SCOPED_TRACE(tasten);
    Betreten(datum);
    datum->selectAll();
    QTest::keyClick(datum, Qt::Key_Delete);
    datum->home(false);
    QTest::keyClicks(datum, QString::fromLatin1(tasten));
    // Enter normalises and moves on.
    QTest::keyClick(datum, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), name);
    EXPECT_EQ(Spalte(QStringLiteral("P_AnalyseDatum")), wert);
  }
  EXPECT_EQ(meldungen.piepser, 0);
}

TEST_F(GebundenesFeld, Grenztest) {
  struct Fall {
    TMinMaxTest test;
    const char* eingabe;
    std::optional<bool> antwort;
    QStringList protokoll;
    double wert;
    bool fokusBleibt;
    const char* zuGross = "";
  };
  const QString kleiner = QStringLiteral("Info: Der eingegebene Wert muß größer oder gleich 8,0 sein");
  const QString groesser = QStringLiteral("Info: Der eingegebene Wert muß kleiner oder gleich 100,0 sein");
  const QString frageKlein = QStringLiteral("Frage: Soll der eingegebene Wert wirklich kleiner als 8,0 sein");
  const QString frageGross = QStringLiteral("Frage: Soll der eingegebene Wert wirklich größer als 100,0 sein");
  using T = TMinMaxTest;
  const Fall faelle[] = {
      {T::Max_Free_Min_Free, "5", {}, {}, 5, false},
      {T::Max_Free_Min_Free, "120", {}, {}, 120, false},
      {T::Max_Free_Min_Korr, "5", {}, {}, 8, false},
      {T::Max_Free_Min_Korr, "120", {}, {}, 120, false},
      {T::Max_Free_Min_MKor, "5", {}, {kleiner}, 8, false},
      {T::Max_Free_Min_Grenz, "5", {}, {kleiner}, 5, true},
      {T::Max_Free_Min_Frag, "5", true, {frageKlein}, 5, false},
      {T::Max_Free_Min_Frag, "5", false, {frageKlein}, 5, true},
      {T::Max_Korr_Min_Free, "120", {}, {}, 100, false},
      {T::Max_Korr_Min_Free, "5", {}, {}, 5, false},
      {T::Max_MKor_Min_Free, "120", {}, {groesser}, 100, false},
      {T::Max_Grenz_Min_Free, "120", {}, {groesser}, 120, true},
      {T::Max_Frag_Min_Free, "120", true, {frageGross}, 120, false},
      {T::Max_Frag_Min_Free, "120", false, {frageGross}, 120, true},
      {T::Max_MKor_Min_MKor, "120", {}, {groesser}, 100, false},
      {T::Max_MKor_Min_MKor, "-3", {}, {kleiner}, 8, false},
      {T::Max_Frag_Min_Frag, "50", {}, {}, 50, false},
      {T::Max_Frag_Min_Frag, "8", {}, {}, 8, false},
      {T::Max_Grenz_Min_Korr, "7,9", {}, {}, 8, false},
      {T::Max_MKor_Min_MKor, "120", {}, {QStringLiteral("Info: Leguminosenanteil außerhalb des zulässigen Bereichs")}, 100,
       false, "Leguminosenanteil außerhalb des zulässigen Bereichs"},
  };
  TDBEditMod* f = Feld(QStringLiteral("Groesse"));
  f->setGenauigkeit(1);
  f->setMinwert(8);
  f->setMaxWert(100);
  for (const auto& fall : faelle) {
    SCOPED_TRACE(Eingabe::Name(fall.test).toStdString() + " " + fall.eingabe);
    f->setIsGrossKleinTest(fall.test);
    f->setIsZuGrossString(QString::fromUtf8(fall.zuGross));
    meldungen.Leeren();
    if (fall.antwort) meldungen.antworten.push_back(*fall.antwort);
    Betreten(f);
    Einfuegen(f, QString::fromUtf8(fall.eingabe));
    Verlassen();
    EXPECT_EQ(meldungen.protokoll, fall.protokoll);
    EXPECT_DOUBLE_EQ(Spalte(QStringLiteral("Groesse")).toDouble(), fall.wert);
    EXPECT_EQ(f->text(), Eingabe::ZahlText(fall.wert, 1));
    EXPECT_EQ(QApplication::focusWidget(), fall.fokusBleibt ? static_cast<QWidget*>(f) : danach);
    // A field that kept the focus is still the same visit; leaving it with
    // a valid value lets the focus go.
    if (fall.fokusBleibt) {
      EXPECT_TRUE(f->IstBetreten());
      meldungen.Leeren();
      Einfuegen(f, QStringLiteral("50"));
      Verlassen();
      EXPECT_EQ(QApplication::focusWidget(), danach);
      EXPECT_TRUE(meldungen.protokoll.isEmpty());
    }
  }
}

TEST_F(GebundenesFeld, NegativeWerteWerdenMitMeldungAbgewiesen) {
  TDBEditMod* f = Feld(QStringLiteral("Groesse"));
  f->setGenauigkeit(2);
  f->setKeineNegativen(true);
  Betreten(f);
  Einfuegen(f, QStringLiteral("12,5"));
  Verlassen();
  ASSERT_DOUBLE_EQ(Spalte(QStringLiteral("Groesse")).toDouble(), 12.5);
  for (const char* eingabe : {"-12,50", "-0,01"}) {
    SCOPED_TRACE(eingabe);
    meldungen.Leeren();
    Betreten(f);
    Einfuegen(f, QString::fromLatin1(eingabe));
    Verlassen();
    EXPECT_EQ(meldungen.protokoll, QStringList{QStringLiteral("Info: ") + TDBEditMod::KeineNegativenText});
    EXPECT_DOUBLE_EQ(Spalte(QStringLiteral("Groesse")).toDouble(), 12.5);
    EXPECT_EQ(QApplication::focusWidget(), f);
    EXPECT_EQ(f->text(), QStringLiteral("12,50"));
    // 0 is allowed.
    meldungen.Leeren();
    Einfuegen(f, QStringLiteral("0"));
    Verlassen();
    EXPECT_TRUE(meldungen.protokoll.isEmpty());
    EXPECT_DOUBLE_EQ(Spalte(QStringLiteral("Groesse")).toDouble(), 0.0);
    Betreten(f);
    Einfuegen(f, QStringLiteral("12,5"));
    Verlassen();
  }
  ASSERT_TRUE(liste.Speichern());
  EXPECT_DOUBLE_EQ(db.Wert(QStringLiteral("select Groesse from Schlag where Parzelle = 10")).toDouble(), 12.5);
}

TEST_F(GebundenesFeld, GanzzahlGrenzeOhneNachkommastellen) {
  TDBEditMod* f = Feld(QStringLiteral("SchlagNr"));
  f->setGenauigkeit(2);  // has no meaning for whole numbers
  f->setMaxWert(100);
  f->setIsGrossKleinTest(TMinMaxTest::Max_MKor_Min_MKor);
  Betreten(f);
  Einfuegen(f, QStringLiteral("120"));
  Verlassen();
  EXPECT_EQ(meldungen.Infos(), QStringList{QStringLiteral("Der eingegebene Wert muß kleiner oder gleich 100 sein")});
  EXPECT_EQ(Spalte(QStringLiteral("SchlagNr")), QVariant(qlonglong(100)));
  EXPECT_EQ(f->text(), QStringLiteral("100"));
}

TEST_F(GebundenesFeld, NullLeerUndLeerErlaubt) {
  ASSERT_TRUE(db.Ausfuehren(QStringLiteral("UPDATE Schlag SET SchlagNr = NULL")));
  ASSERT_TRUE(liste.Aktualisieren());
  TDBEditMod* groesse = Feld(QStringLiteral("Groesse"));
  TDBEditMod* nr = Feld(QStringLiteral("SchlagNr"));
  nr->setMinwert(1);
  nr->setMaxWert(999);
  nr->setIsGrossKleinTest(TMinMaxTest::Max_MKor_Min_MKor);

  // A 0 shows as an empty text and comes back when nothing was typed.
  Betreten(groesse);
  EXPECT_EQ(groesse->text(), QString());
  Verlassen();
  EXPECT_EQ(groesse->text(), QStringLiteral("0,00"));
  EXPECT_EQ(Spalte(QStringLiteral("Groesse")), QVariant(0.0));

  // Typed and erased again: empty means no value.
  Betreten(groesse);
  QTest::keyClicks(groesse, QStringLiteral("5"));
  QTest::keyClick(groesse, Qt::Key_Backspace);
  Verlassen();
  EXPECT_EQ(groesse->text(), QString());
  EXPECT_TRUE(Spalte(QStringLiteral("Groesse")).isNull());

  // Empty and allowed: no value, no test.
  Betreten(nr);
  Verlassen();
  EXPECT_TRUE(Spalte(QStringLiteral("SchlagNr")).isNull());
  EXPECT_TRUE(meldungen.protokoll.isEmpty());

  // Empty but not allowed: 0, and the test runs.
  nr->setLeerErlaubt(TLeerErlaubt::NichtErlaubt);
  Betreten(nr);
  Verlassen();
  EXPECT_EQ(meldungen.Infos(), QStringList{QStringLiteral("Der eingegebene Wert muß größer oder gleich 1 sein")});
  EXPECT_EQ(nr->text(), QStringLiteral("1"));
  EXPECT_EQ(Spalte(QStringLiteral("SchlagNr")), QVariant(qlonglong(1)));
}

TEST_F(GebundenesFeld, BetretenBearbeitetOderFuegtAn) {
  TDBEditMod* name = Feld(QStringLiteral("SchlagName"));
  TDBEditMod* id = Feld(QStringLiteral("ID"));
  Betreten(id);  // read-only: no editing
  EXPECT_EQ(liste.Zustand(), TADODataSetMod::TZustand::Blaettern);
  Betreten(name);
  EXPECT_EQ(liste.Zustand(), TADODataSetMod::TZustand::Bearbeiten);
  EXPECT_EQ(name->selectedText(), QStringLiteral("Am Weg"));  // AutoSelect
  Verlassen();
  ASSERT_TRUE(liste.Speichern());

  liste.ParameterSetzen(QStringLiteral("B"), 99);
  ASSERT_TRUE(liste.Oeffnen());
  ASSERT_TRUE(liste.IstLeer());
  EXPECT_EQ(name->text(), QString());
  Betreten(name);
  EXPECT_EQ(liste.Zustand(), TADODataSetMod::TZustand::Einfuegen);
}

TEST_F(GebundenesFeld, EscapeNimmtEingabeZurueckDannDieZeile) {
  ASSERT_TRUE(db.Ausfuehren(QStringLiteral("UPDATE Schlag SET Groesse = 2.5")));
  ASSERT_TRUE(liste.Aktualisieren());
  TDBEditMod* f = Feld(QStringLiteral("Groesse"));
  Betreten(f);
  QTest::keyClicks(f, QStringLiteral("9"));
  EXPECT_EQ(Spalte(QStringLiteral("Groesse")), QVariant(9.0));
  QTest::keyClick(f, Qt::Key_Escape);
  EXPECT_EQ(f->text(), QStringLiteral("2,50"));
  EXPECT_EQ(Spalte(QStringLiteral("Groesse")), QVariant(2.5));
  EXPECT_EQ(liste.Zustand(), TADODataSetMod::TZustand::Bearbeiten);
  // Nothing changed any more: Escape cancels the edit of the row.
  QTest::keyClick(f, Qt::Key_Escape);
  EXPECT_EQ(liste.Zustand(), TADODataSetMod::TZustand::Blaettern);
  EXPECT_EQ(f->text(), QStringLiteral("2,50"));
}

TEST_F(GebundenesFeld, EnterUndPfeileWechselnDasFeld) {
  TDBEditMod* a = Feld(QStringLiteral("SchlagName"));
  TDBEditMod* b = Feld(QStringLiteral("Feldblock"));
  TDBEditMod* c = Feld(QStringLiteral("Groesse"));
  Betreten(b);
  QTest::keyClick(b, Qt::Key_Down);
  EXPECT_EQ(QApplication::focusWidget(), c);
  QTest::keyClick(c, Qt::Key_Up);
  EXPECT_EQ(QApplication::focusWidget(), b);
  QTest::keyClick(b, Qt::Key_Up);
  EXPECT_EQ(QApplication::focusWidget(), a);
  QTest::keyClick(a, Qt::Key_Enter);
  EXPECT_EQ(QApplication::focusWidget(), b);
}

TEST_F(GebundenesFeld, FragezeichenOeffnetRechnerUndDatumsauswahl) {
  TDBEditMod* nr = Feld(QStringLiteral("SchlagNr"));
  TDBEditMod* groesse = Feld(QStringLiteral("Groesse"));
  TDBEditMod* datum = Feld(QStringLiteral("P_AnalyseDatum"));
  hilfe.rechner = {12.6, 3.14159, 0.0};
  Betreten(nr);
  QTest::keyClicks(nr, QStringLiteral("?"));
  EXPECT_EQ(nr->text(), QStringLiteral("13"));
  EXPECT_EQ(Spalte(QStringLiteral("SchlagNr")), QVariant(qlonglong(13)));
  Betreten(groesse);
  QTest::keyClicks(groesse, QStringLiteral("?"));
  EXPECT_EQ(groesse->text(), QStringLiteral("3,14"));
  EXPECT_DOUBLE_EQ(Spalte(QStringLiteral("Groesse")).toDouble(), 3.14);
  // A calculator closed without a value changes nothing.
  QTest::keyClicks(groesse, QStringLiteral("?"));
  EXPECT_EQ(groesse->text(), QStringLiteral("3,14"));

  hilfe.daten = {QDate(2022, 3, 15), std::nullopt};
  Betreten(datum);
  QTest::keyClicks(datum, QStringLiteral("?"));
  EXPECT_EQ(datum->text(), QStringLiteral("15.03.22"));
  EXPECT_EQ(Spalte(QStringLiteral("P_AnalyseDatum")), QVariant(QStringLiteral("2022-03-15")));
  QTest::keyClicks(datum, QStringLiteral("?"));  // cancelled
  EXPECT_EQ(datum->text(), QStringLiteral("15.03.22"));
  EXPECT_EQ(hilfe.protokoll, (QStringList{QStringLiteral("Taschenrechner"), QStringLiteral("Taschenrechner"),
                                          QStringLiteral("Taschenrechner"),
                                          QStringLiteral("BitteDatum auswählen: "),  // no date yet
                                          QStringLiteral("BitteDatum auswählen: 15.03.2022")}));
  EXPECT_EQ(meldungen.piepser, 0);
}

TEST_F(GebundenesFeld, FarbenUndTabulator) {
  ASSERT_TRUE(db.Ausfuehren(QStringLiteral("UPDATE Schlag SET SchlagNr = NULL, Feldblock = '  '")));
  ASSERT_TRUE(liste.Aktualisieren());
  TDBEditMod* nr = Feld(QStringLiteral("SchlagNr"));
  TDBEditMod* block = Feld(QStringLiteral("Feldblock"));
  TDBEditMod* groesse = Feld(QStringLiteral("Groesse"));
  const auto farbe = [](QWidget* w) { return w->palette().color(QPalette::Base); };
  const QColor rot(243, 176, 175), gelb(252, 252, 194), weiss(Qt::white), grau(230, 230, 230);

  nr->setFehler_Faerben(cnstFaerbenWennNull);
  block->setFehler_Faerben(cnstFaerbenWennNull);
  groesse->setFehler_Faerben(cnstFaerbenWenn0orLeer);
  EXPECT_EQ(farbe(nr), rot);
  EXPECT_EQ(farbe(block), weiss);  // blank is not null
  EXPECT_EQ(farbe(groesse), rot);  // 0
  block->setFehler_Faerben(cnstFaerbenWenn0orLeer);
  EXPECT_EQ(farbe(block), rot);

  Betreten(nr);
  QTest::keyClicks(nr, QStringLiteral("4"));
  Verlassen();
  EXPECT_EQ(farbe(nr), weiss);
  nr->setGrundFarbe(grau);
  EXPECT_EQ(farbe(nr), grau);

  // Read-only: yellow and out of the tab order, which comes back as it was.
  groesse->setFehler_Faerben(cnstNichtFaeben);
  groesse->setFocusPolicy(Qt::TabFocus);
  groesse->setRO(true);
  EXPECT_EQ(farbe(groesse), gelb);
  EXPECT_EQ(groesse->focusPolicy(), Qt::ClickFocus);
  EXPECT_TRUE(groesse->isReadOnly());
  groesse->setRO(false);
  EXPECT_EQ(groesse->focusPolicy(), Qt::TabFocus);
  EXPECT_EQ(farbe(groesse), weiss);
}

TEST_F(GebundenesFeld, SpeichernMitFokusImFeldVerliertNichts) {
  TDBEditMod* f = Feld(QStringLiteral("Groesse"));
  Betreten(f);
  QTest::keyClicks(f, QStringLiteral("4,5"));
  ASSERT_TRUE(liste.Speichern());
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT Groesse FROM Schlag")), QVariant(4.5));
}

}  // namespace
