// The record panel with its "OK" and "Abbruch" buttons and the bound
// choice controls.
#include "adopanel.h"
#include "dbauswahl.h"
#include "dbeditmod.h"
#include "feldhilfe.h"
#include "testdatenbank.h"

#include <QTest>

namespace {

class Panel : public TestDatenbank {
protected:
  void SetUp() override {
    TestDatenbank::SetUp();
    BeispielBetrieb();
    liste.setCommandText(QStringLiteral("SELECT * FROM Schlag WHERE BetriebsNr = :B AND Jahr = 2021 ORDER BY Parzelle"));
    liste.ParameterSetzen(QStringLiteral("B"), 2);
    liste.BeimNeuenDatensatz = [](TADODataSetMod& l) {
      l.setWert(QStringLiteral("BetriebsNr"), 2);
      l.setWert(QStringLiteral("Jahr"), 2021);
      l.setWert(QStringLiteral("Parzelle"), 11);
    };
    ASSERT_TRUE(liste.Oeffnen());
    draussen = fenster.Dazu(new QLineEdit);
    draussen->setAccessibleName(QStringLiteral("draußen"));
    panel = fenster.Dazu(new TADOPanel);
    panel->setDataSet(&liste);
    panel->setMeldungen(&panelMeldungen);
    new QVBoxLayout(panel);
  }
  template <class T>
  T* ImPanel(T* w) {
    panel->layout()->addWidget(w);
    return w;
  }
  TDBEditMod* Feld(const QString& spalte) {
    auto* f = ImPanel(new TDBEditMod(&liste, spalte));
    f->setAccessibleName(spalte);
    return f;
  }
  void LeereListe() {
    liste.ParameterSetzen(QStringLiteral("B"), 3);
    ASSERT_TRUE(db.Ausfuehren(QStringLiteral("INSERT INTO Betriebe (ID) VALUES (3); "
                                             "INSERT INTO DuengeJahr (BetriebsNr, Duengejahr) VALUES (3, 2021)")));
    ASSERT_TRUE(liste.Oeffnen());
    liste.BeimNeuenDatensatz = [](TADODataSetMod& l) {
      l.setWert(QStringLiteral("BetriebsNr"), 3);
      l.setWert(QStringLiteral("Jahr"), 2021);
      l.setWert(QStringLiteral("Parzelle"), 11);
    };
  }
  int Schlaege(int betrieb) {
    return db.Wert(QStringLiteral("SELECT count(*) FROM Schlag WHERE BetriebsNr = %1").arg(betrieb)).toInt();
  }
  static QColor Farbe(QWidget* w, QPalette::ColorRole rolle = QPalette::Base) { return w->palette().color(rolle); }

  TADODataSetMod liste{db};
  TSkriptMeldungen panelMeldungen;
  TTestFenster fenster;
  QLineEdit* draussen = nullptr;
  TADOPanel* panel = nullptr;
};

TEST_F(Panel, BetretenBearbeitetVerlassenSpeichert) {
  TDBEditMod* name = Feld(QStringLiteral("SchlagName"));
  QLineEdit* frei = ImPanel(new QLineEdit);  // an ordinary widget in the panel counts too
  fenster.Zeigen();
  ASSERT_EQ(QApplication::focusWidget(), draussen);
  frei->setFocus(Qt::TabFocusReason);
  EXPECT_TRUE(panel->IstBetreten());
  EXPECT_EQ(liste.Zustand(), TADODataSetMod::TZustand::Bearbeiten);
  name->setFocus(Qt::TabFocusReason);
  QTest::keyClicks(name, QStringLiteral("Am Bach"));
  draussen->setFocus(Qt::TabFocusReason);
  EXPECT_FALSE(panel->IstBetreten());
  EXPECT_EQ(liste.Zustand(), TADODataSetMod::TZustand::Blaettern);
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT SchlagName FROM Schlag")).toString(), QStringLiteral("Am Bach"));
  EXPECT_TRUE(panelMeldungen.protokoll.isEmpty());
}

TEST_F(Panel, BetretenEinerLeerenListeFuegtAn) {
  LeereListe();
  TDBEditMod* groesse = Feld(QStringLiteral("Groesse"));
  fenster.Zeigen();
  groesse->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(liste.Zustand(), TADODataSetMod::TZustand::Einfuegen);
  QTest::keyClicks(groesse, QStringLiteral("1,5"));
  draussen->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT Groesse FROM Schlag WHERE BetriebsNr = 3")), QVariant(1.5));
}

TEST_F(Panel, SpeichernFehlgeschlagenBleibtImBearbeiten) {
  TDBEditMod* name = Feld(QStringLiteral("SchlagName"));
  liste.VorDemSpeichern = [](TADODataSetMod&) { return false; };
  fenster.Zeigen();
  name->setFocus(Qt::TabFocusReason);
  QTest::keyClicks(name, QStringLiteral("Am Bach"));
  draussen->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(panelMeldungen.protokoll, QStringList{QStringLiteral("Info: Speichern fehlgeschlagen")});
  EXPECT_EQ(liste.Zustand(), TADODataSetMod::TZustand::Bearbeiten);
  EXPECT_EQ(liste.Wert(QStringLiteral("SchlagName")).toString(), QStringLiteral("Am Bach"));
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT SchlagName FROM Schlag")).toString(), QStringLiteral("Am Weg"));
}

TEST_F(Panel, OKMitLeeremPflichtfeldSpeichertNicht) {
  LeereListe();
  TDBEditMod* name = Feld(QStringLiteral("SchlagName"));
  TDBEditMod* groesse = Feld(QStringLiteral("Groesse"));
  groesse->setFehler_Faerben(cnstFaerbenWennNull);
  auto* ok = ImPanel(new TDBOKBitBtn(TDBOKBitBtn::OK));
  int gespeichert = 0;
  QObject::connect(ok, &TDBOKBitBtn::Gespeichert, [&] { ++gespeichert; });
  fenster.Zeigen();
  name->setFocus(Qt::TabFocusReason);
  QTest::keyClicks(name, QStringLiteral("Neuer Schlag"));
  ok->setFocus(Qt::TabFocusReason);
  QTest::mouseClick(ok, Qt::LeftButton);
  EXPECT_EQ(panelMeldungen.protokoll, QStringList{QStringLiteral("Info: Bitte gültigen Wert eingeben/auswählen.")});
  EXPECT_EQ(Farbe(groesse), QColor(250, 220, 218));
  EXPECT_EQ(QApplication::focusWidget(), groesse);
  EXPECT_EQ(liste.Zustand(), TADODataSetMod::TZustand::Einfuegen);
  EXPECT_EQ(Schlaege(3), 0);
  EXPECT_EQ(gespeichert, 0);

  panelMeldungen.Leeren();
  QTest::keyClicks(groesse, QStringLiteral("2"));
  QTest::mouseClick(ok, Qt::LeftButton);
  EXPECT_TRUE(panelMeldungen.protokoll.isEmpty());
  EXPECT_EQ(Schlaege(3), 1);
  EXPECT_EQ(gespeichert, 1);
  EXPECT_EQ(Farbe(groesse), QColor(Qt::white));
}

TEST_F(Panel, ErsterFehlerInTabReihenfolgeSichtbarUndAktiv) {
  ASSERT_TRUE(db.Ausfuehren(QStringLiteral("UPDATE Schlag SET SchlagNr = NULL, Feldblock = ''")));
  ASSERT_TRUE(liste.Aktualisieren());
  TDBEditMod* nr = Feld(QStringLiteral("SchlagNr"));
  TDBEditMod* block = Feld(QStringLiteral("Feldblock"));
  TDBEditMod* groesse = Feld(QStringLiteral("Groesse"));
  auto* haken = ImPanel(new TDBCheckBoxMod(QStringLiteral("Humus > 4 %")));
  haken->Binden(&liste, QStringLiteral("HumusGroesserVier"));
  auto* wahl = ImPanel(new TDBComboBoxMod);
  wahl->setAccessibleName(QStringLiteral("Nitratgebiet"));
  wahl->Eintrag(QStringLiteral("Nein"), 1);
  wahl->Eintrag(QStringLiteral("Ja"), 2);
  wahl->Binden(&liste, QStringLiteral("BewirtschaftungsAuflagen"));
  auto* gruppe = ImPanel(new TDBRadioGroupMod(QStringLiteral("Phosphatgebiet")));
  gruppe->Eintrag(QStringLiteral("Nein"), 1);
  gruppe->Eintrag(QStringLiteral("Ja"), 2);
  gruppe->Binden(&liste, QStringLiteral("Phosphatgebiet"));
  fenster.Zeigen();

  for (auto* f : {nr, block, groesse}) f->setFehler_Faerben(cnstFaerbenWenn0orLeer);
  haken->setFehler_Faerben(cnstFaerbenWenn0orLeer);
  wahl->setFehler_Faerben(cnstFaerbenWenn0orLeer);
  gruppe->setFehler_Faerben(cnstFaerbenWenn0orLeer);
  // Tab order groesse, block, nr: groesse comes first.
  QWidget::setTabOrder(groesse, block);
  QWidget::setTabOrder(block, nr);
  EXPECT_EQ(panel->ErsterFehler(), groesse);
  groesse->setEnabled(false);
  EXPECT_EQ(panel->ErsterFehler(), block);
  block->hide();
  EXPECT_EQ(panel->ErsterFehler(), nr);
  nr->hide();
  EXPECT_EQ(panel->ErsterFehler(), haken);  // 0: not ticked
  liste.setWert(QStringLiteral("HumusGroesserVier"), 1);
  EXPECT_TRUE(haken->isChecked());
  EXPECT_EQ(panel->ErsterFehler(), wahl);
  EXPECT_EQ(Farbe(wahl), QColor(243, 176, 175));
  liste.setWert(QStringLiteral("BewirtschaftungsAuflagen"), 2);
  EXPECT_EQ(wahl->currentText(), QStringLiteral("Ja"));
  EXPECT_EQ(panel->ErsterFehler(), gruppe);
  EXPECT_EQ(gruppe->Gewaehlt(), -1);
  liste.setWert(QStringLiteral("Phosphatgebiet"), 1);
  EXPECT_EQ(gruppe->Gewaehlt(), 0);
  EXPECT_EQ(panel->ErsterFehler(), nullptr);
  EXPECT_TRUE(panel->Pruefen());
  EXPECT_TRUE(panelMeldungen.protokoll.isEmpty());
}

TEST_F(Panel, AuswahlSchreibtInDieSpalte) {
  auto* haken = ImPanel(new TDBCheckBoxMod(QStringLiteral("Öko")));
  haken->Binden(&liste, QStringLiteral("OEKO"));
  auto* wahl = ImPanel(new TDBComboBoxMod);
  wahl->setAccessibleName(QStringLiteral("Nitratgebiet"));
  wahl->Eintrag(QStringLiteral("Nein"), 1);
  wahl->Eintrag(QStringLiteral("Ja"), 2);
  wahl->Binden(&liste, QStringLiteral("BewirtschaftungsAuflagen"));
  auto* gruppe = ImPanel(new TDBRadioGroupMod(QStringLiteral("Bodengruppe")));
  for (int i = 1; i <= 3; ++i) gruppe->Eintrag(QString::number(i), i);
  gruppe->Binden(&liste, QStringLiteral("BG"));
  fenster.Zeigen();

  QTest::mouseClick(haken, Qt::LeftButton, {}, QPoint(4, haken->height() / 2));
  EXPECT_EQ(liste.Wert(QStringLiteral("OEKO")), QVariant(qlonglong(1)));
  wahl->setFocus(Qt::TabFocusReason);
  QTest::keyClick(wahl, Qt::Key_Down);  // first entry chosen from none
  EXPECT_EQ(liste.Wert(QStringLiteral("BewirtschaftungsAuflagen")).toInt(), 1);
  QTest::keyClick(wahl, Qt::Key_Down);
  EXPECT_EQ(liste.Wert(QStringLiteral("BewirtschaftungsAuflagen")).toInt(), 2);
  gruppe->Knopf(2)->click();
  EXPECT_EQ(liste.Wert(QStringLiteral("BG")).toInt(), 3);
  draussen->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT OEKO || '/' || BewirtschaftungsAuflagen || '/' || BG FROM Schlag")).toString(),
            QStringLiteral("1/2/3"));
}

TEST_F(Panel, AbbruchVerwirftUndKnopfAusserhalbVerlaesstNicht) {
  TDBEditMod* name = Feld(QStringLiteral("SchlagName"));
  auto* abbruch = fenster.Dazu(new TDBOKBitBtn(TDBOKBitBtn::Abbruch));
  abbruch->setPanel(panel);
  auto* ok = fenster.Dazu(new TDBOKBitBtn(TDBOKBitBtn::OK));
  ok->setPanel(panel);
  EXPECT_EQ(abbruch->text(), QStringLiteral("Abbruch"));
  EXPECT_EQ(abbruch->accessibleName(), QStringLiteral("Abbruch"));
  EXPECT_EQ(ok->text(), QStringLiteral("OK"));
  EXPECT_EQ(abbruch->DataSet(), &liste);
  fenster.Zeigen();

  name->setFocus(Qt::TabFocusReason);
  QTest::keyClicks(name, QStringLiteral("verworfen"));
  // The focus on the panel's own button is no leaving: nothing is saved before the click.
  abbruch->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(liste.Zustand(), TADODataSetMod::TZustand::Bearbeiten);
  QTest::mouseClick(abbruch, Qt::LeftButton);
  EXPECT_EQ(liste.Zustand(), TADODataSetMod::TZustand::Blaettern);
  EXPECT_EQ(name->text(), QStringLiteral("Am Weg"));
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT SchlagName FROM Schlag")).toString(), QStringLiteral("Am Weg"));

  // Outside the panel "OK" still checks before it saves.
  name->setFehler_Faerben(cnstFaerbenWenn0orLeer);
  name->setFocus(Qt::TabFocusReason);
  name->selectAll();
  QTest::keyClick(name, Qt::Key_Delete);
  ok->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(liste.Zustand(), TADODataSetMod::TZustand::Bearbeiten);
  QTest::mouseClick(ok, Qt::LeftButton);
  EXPECT_EQ(panelMeldungen.protokoll, QStringList{QStringLiteral("Info: Bitte gültigen Wert eingeben/auswählen.")});
  EXPECT_EQ(QApplication::focusWidget(), name);
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT SchlagName FROM Schlag")).toString(), QStringLiteral("Am Weg"));
}

TEST_F(Panel, FelderNehmenDieMeldungenDesPanels) {
  TDBEditMod* nr = Feld(QStringLiteral("SchlagNr"));
  nr->setMaxWert(5);
  nr->setIsGrossKleinTest(TMinMaxTest::Max_MKor_Min_Free);
  fenster.Zeigen();
  nr->setFocus(Qt::TabFocusReason);
  QTest::keyClicks(nr, QStringLiteral("6"));
  draussen->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(panelMeldungen.Infos(), QStringList{QStringLiteral("Der eingegebene Wert muß kleiner oder gleich 5 sein")});
  EXPECT_TRUE(meldungen.protokoll.isEmpty());
  // The corrected value was saved when the panel was left.
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT SchlagNr FROM Schlag")).toInt(), 5);
}

}  // namespace
