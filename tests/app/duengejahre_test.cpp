// Fertiliser years in the main window: appending with dates by offset, the
// carried balance history, the copied fields, the yield reset, deleting,
// the begin of the fertiliser year and the first-year window.
#include "duengejahre.h"
#include "dbauswahl.h"
#include "dbeditmod.h"
#include "fensterbetrieb.h"
#include "jahresbereich.h"

#include <QDate>
#include <QTest>
#include "listenansicht.h"

#include <QPushButton>

namespace {

class Jahr : public FensterBetrieb {
protected:
  TJahresBereich& J() { return *fenster->JahresFelder(); }
  QString Text(const QString& sql) { return FWert(sql).toString(); }
};

TEST(DuengejahreRegeln, GrundfutterwerteUndDaten) {
  const auto a = Duengejahre::Grundfutter(30, 10);
  EXPECT_DOUBLE_EQ(a.zuschlag, 1.225);
  EXPECT_DOUBLE_EQ(a.verhaeltnis, 75);
  EXPECT_NEAR(a.zuschlagProzent, 22.5, 1e-9);
  const auto b = Duengejahre::Grundfutter(0, 0);
  EXPECT_DOUBLE_EQ(b.zuschlag, 1.15);
  EXPECT_DOUBLE_EQ(b.verhaeltnis, 0);
  EXPECT_NEAR(b.zuschlagProzent, 15, 1e-9);
  EXPECT_EQ(Duengejahre::Beginn(2023, 0), QDate(2023, 1, 1));
  EXPECT_EQ(Duengejahre::Ende(2023, 0), QDate(2023, 12, 31));
  EXPECT_EQ(Duengejahre::Beginn(2023, -92), QDate(2022, 10, 1));
  EXPECT_EQ(Duengejahre::Ende(2023, -92), QDate(2023, 9, 30));
}

TEST_F(Jahr, AnhaengenMitVersatzUebertragUndSchlagkopie) {
  Sql(QStringLiteral("update Betriebe set DuengejahrOffset = -92 where ID = 2;"
                     "update DuengeJahr set N_AJ = 12, N_VJ_1 = 30, P_AJ = 4, P_VJ_1 = 5, P_VJ_4 = 8, K_AJ = 6, "
                     "K_VJ_4 = 9, N_DEPO = 20, BILANZ_BASIS = 2 where BetriebsNr = 2 and Duengejahr = 2021;"
                     "update S_KulturenNP set TatsErtrag = 55 where BetriebsNr = 2"));
  Einfuegen(QStringLiteral("Schlag"), {{QStringLiteral("BetriebsNr"), 2}, {QStringLiteral("Jahr"), 2021},
                                                             {QStringLiteral("Parzelle"), 7}, {QStringLiteral("SchlagName"), QStringLiteral("O'Briens Acker")},
                                                             {QStringLiteral("Groesse"), 12.5}, {QStringLiteral("HauptfruchtNummer"), 224101},
                                                             {QStringLiteral("HF_Name"), QStringLiteral("Winterweizen A, B")},
                                                             {QStringLiteral("HFEinzelertrag"), 81}, {QStringLiteral("BewirtschaftungsAuflagen"), 2}});
  Einfuegen(QStringLiteral("Anbau"), {{QStringLiteral("BetriebsNr"), 2},
                                      {QStringLiteral("Jahr"), 2021}, {QStringLiteral("Parzelle"), 7}, {QStringLiteral("FruchtNr"), 1}});
  Einfuegen(QStringLiteral("SchlagUmriss"), {{QStringLiteral("BetriebsNr"), 2}, {QStringLiteral("Jahr"), 2021},
                                             {QStringLiteral("Parzelle"), 7}, {QStringLiteral("Ringe"), QByteArray("\x01\x00Umriss", 8)},
                                             {QStringLiteral("Koordinatensystem"), QStringLiteral("UTM")}});
  Starten();
  meldungen.antworten = {true};
  J().AnhaengenKnopf()->click();
  EXPECT_EQ(meldungen.protokoll,
            QStringList{QStringLiteral("Frage: Schläge aus Vorjahr mit übernehmen?")});
  EXPECT_EQ(Text(QStringLiteral("select BeginDuengejahr || ' ' || EndeDuengejahr || ' ' || Tierauswahl from DuengeJahr "
                                "where BetriebsNr = 2 and Duengejahr = 2022")),
            QStringLiteral("2021-10-01 2022-09-30 3"));
  EXPECT_EQ(Text(QStringLiteral("select N_VJ_1 || ' ' || N_VJ_2 || ' ' || P_VJ_1 || ' ' || P_VJ_2 || ' ' || P_VJ_5 || ' ' || "
                                "K_VJ_1 || ' ' || K_VJ_5 || ' ' || N_DEPO || ' ' || BILANZ_BASIS from DuengeJahr where "
                                "BetriebsNr = 2 and Duengejahr = 2022")),
            QStringLiteral("12.0 30.0 4.0 5.0 8.0 6.0 9.0 20.0 2"));
  EXPECT_EQ(Text(QStringLiteral("select SchlagName || '|' || Groesse || '|' || Vorfrucht || '|' || VF_Name || '|' || "
                                "VorfruchtErtrag || '|' || BewirtschaftungsAuflagen || '|' || ifnull( HauptfruchtNummer, 'leer' ) "
                                "from Schlag where BetriebsNr = 2 and Jahr = 2022")),
            QStringLiteral("O'Briens Acker|12.5|224101|Winterweizen A, B|81.0|2|0"));
  EXPECT_EQ(FWert(QStringLiteral("select count(*) from Anbau where BetriebsNr = 2 and Jahr = 2022")).toInt(), 0);
  // The outline comes along, byte for byte.
  EXPECT_EQ(Text(QStringLiteral("select hex( Ringe ) || ' ' || Koordinatensystem from SchlagUmriss where BetriebsNr = 2 "
                                "and Jahr = 2022 and Parzelle = 7")),
            QStringLiteral("0100556D72697373 UTM"));
  EXPECT_EQ(FWert(QStringLiteral("select count(*) from S_KulturenNP where BetriebsNr = 2 and TatsErtrag <> 0")).toInt(), 0);
  EXPECT_EQ(fenster->Jahr(), 2022);
  EXPECT_EQ(ertraege, QStringList{QStringLiteral("2/2022")});
  EXPECT_EQ(QApplication::focusWidget(), J().Feld(QStringLiteral("Ackerland")));
}

TEST_F(Jahr, AnhaengenOhneSchlagkopieUndLoeschen) {
  Einfuegen(QStringLiteral("Schlag"), {{QStringLiteral("BetriebsNr"), 2}, {QStringLiteral("Jahr"), 2021}, {QStringLiteral("Parzelle"), 7}});
  Starten();
  meldungen.antworten = {false};
  J().AnhaengenKnopf()->click();
  EXPECT_EQ(Text(QStringLiteral("select BeginDuengejahr || ' ' || EndeDuengejahr from DuengeJahr where Duengejahr = 2022")),
            QStringLiteral("2022-01-01 2022-12-31"));
  EXPECT_EQ(FWert(QStringLiteral("select count(*) from Schlag where Jahr = 2022")).toInt(), 0);
  // Deleting 2021 takes its fields with it.
  fenster->BetriebsAnsicht()->setFocus();
  ASSERT_TRUE(fenster->Jahre().Erster());
  meldungen.Leeren();
  meldungen.antworten = {false, true};
  J().LoeschenKnopf()->click();
  EXPECT_EQ(FWert(QStringLiteral("select count(*) from DuengeJahr where BetriebsNr = 2")).toInt(), 2);
  J().LoeschenKnopf()->click();
  EXPECT_EQ(meldungen.protokoll, (QStringList{QStringLiteral("Frage: Jahr wirklich löschen?"), QStringLiteral("Frage: Jahr wirklich löschen?")}));
  EXPECT_EQ(Text(QStringLiteral("select group_concat( Duengejahr ) from DuengeJahr where BetriebsNr = 2")), QStringLiteral("2022"));
  EXPECT_EQ(FWert(QStringLiteral("select count(*) from Schlag where BetriebsNr = 2")).toInt(), 0);
}

TEST_F(Jahr, TastenDerJahreslisteHaengenAnUndLoeschen) {
  Starten();
  struct Fall {
    Qt::Key taste;
    Qt::KeyboardModifiers zusatz;
    bool antwort;  // to "Schläge aus Vorjahr …" or "Jahr wirklich löschen?"
    const char* jahre;
  };
  const Fall faelle[] = {
      {Qt::Key_Insert, Qt::NoModifier, false, "2021,2022"},
      {Qt::Key_Plus, Qt::KeypadModifier, false, "2021,2022,2023"},
      {Qt::Key_Delete, Qt::NoModifier, false, "2021,2022,2023"},  // "no" keeps it
      {Qt::Key_Minus, Qt::KeypadModifier, true, "2021,2022"},
      {Qt::Key_Delete, Qt::NoModifier, true, "2021"},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.jahre);
    meldungen.Leeren();
    meldungen.antworten = {f.antwort};
    fenster->JahresAnsicht()->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(fenster->JahresAnsicht(), f.taste, f.zusatz);
    // One question each (leaving the panel of a new year adds the area reminder).
    EXPECT_EQ(meldungen.protokoll.filter(QStringLiteral("Frage: ")).size(), 1)
        << meldungen.protokoll.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(Text(QStringLiteral("select group_concat( Duengejahr ) from ( select Duengejahr from DuengeJahr "
                                  "where BetriebsNr = 2 order by Duengejahr )")),
              QString::fromLatin1(f.jahre));
  }
}

TEST_F(Jahr, BeginnDuengejahrFragtBisDasDatumPasstUndSetztAlleJahre) {
  Sql(QStringLiteral("insert into DuengeJahr ( BetriebsNr, Duengejahr ) values ( 2, 2022 )"));
  Sql(QStringLiteral("update Merk set BetriebsNr = 2, Jahr = 2021"));
  Starten();
  ASSERT_EQ(fenster->Jahr(), 2021);
  EXPECT_FALSE(J().BeginnKnopf()->isVisible());
  meldungen.daten = {QDate(2019, 12, 31), QDate(2022, 1, 1), QDate(2020, 10, 1)};
  J().BeginnKnopf()->click();
  const QString frage = QStringLiteral("Datumseingabe: Wann soll der Bilanzierungszeitraum für das Düngejahr 2021 beginnen?");
  const QString fehler = QStringLiteral("Info: Ungültige Datumangabe, Beginn außerhalb des zulässigen Bereichs (01.01.2020 - "
                                        "31.12.2021), bitte Eingabe wiederholen.");
  EXPECT_EQ(meldungen.protokoll, (QStringList{frage, fehler, frage, fehler, frage}));
  EXPECT_EQ(FWert(QStringLiteral("select DuengejahrOffset from Betriebe where ID = 2")).toInt(), -92);
  EXPECT_EQ(Text(QStringLiteral("select group_concat( Duengejahr || ':' || BeginDuengejahr || '-' || EndeDuengejahr, ' ' ) "
                                "from ( select * from DuengeJahr where BetriebsNr = 2 order by Duengejahr )")),
            QStringLiteral("2021:2020-10-01-2021-09-30 2022:2021-10-01-2022-09-30"));
  EXPECT_EQ(fenster->BetriebsNr(), 2);
  EXPECT_EQ(fenster->Jahr(), 2021);
}

TEST_F(Jahr, ErstesJahrOhneShapeMitJahreseingabe) {
  Sql(QStringLiteral("delete from DuengeJahr where BetriebsNr = 2"));
  Starten();
  ASSERT_EQ(fenster->Jahre().Anzahl(), 0);
  EXPECT_FALSE(J().Panel()->isEnabled());
  // The first try is cancelled with -1, the window stays; in the second a
  // typed 0 (given as 2000) and a far year are refused, then 2023 is created.
  fenster->wahlen = {TAktionsauswahl::OhneShape, TAktionsauswahl::OhneShape};
  meldungen.antworten = {true, true};
  meldungen.zahlen = {-1, 2000, TAktionsauswahl::LetztesJahr() + 1, 2023};
  J().AnhaengenKnopf()->click();
  EXPECT_EQ(fenster->dialoge, QStringList{QStringLiteral("TAktionsauswahl")});
  const QString frage = QStringLiteral("Frage: ") + TAktionsauswahl::Bestaetigung(TAktionsauswahl::OhneShape);
  const QString jahr = QStringLiteral("Jahreseingabe: Mit welchem Kalenderjahr wollen Sie beginnen? \r\n(-1 für Abbruch)");
  const QString bereich = QStringLiteral("Info: Bitte ein Kalenderjahr von 2020 bis %1 eingeben.").arg(QDate::currentDate().year() + 1);
  EXPECT_EQ(meldungen.protokoll, (QStringList{frage, jahr, frage, jahr, bereich, jahr, bereich, jahr}));
  EXPECT_EQ(Text(QStringLiteral("select group_concat( Duengejahr ) from DuengeJahr where BetriebsNr = 2")), QStringLiteral("2023"));
  EXPECT_EQ(fenster->Jahr(), 2023);
  EXPECT_TRUE(J().Panel()->isEnabled());
  EXPECT_EQ(fenster->windowTitle(), QStringLiteral("Programm Quendrix2022 - Betrieb: Hof Linde / Jahr: 2023"));
}

TEST_F(Jahr, ErstesJahrMitShapeSagtWasFehlt) {
  Sql(QStringLiteral("delete from DuengeJahr where BetriebsNr = 2"));
  Starten();
  fenster->wahlen = {TAktionsauswahl::MitShape2021};
  meldungen.antworten = {true};
  J().AnhaengenKnopf()->click();
  EXPECT_EQ(Text(QStringLiteral("select group_concat( Duengejahr ) from DuengeJahr where BetriebsNr = 2")), QStringLiteral("2021"));
  EXPECT_EQ(meldungen.Infos(), QStringList{TAktionsauswahl::FehlenderSchritt(2021, TAktionsauswahl::MitShape2021)});
}

TEST_F(Jahr, AuswahlEinesJahresUebernimmtDessenErtraege) {
  Sql(QStringLiteral("insert into DuengeJahr ( BetriebsNr, Duengejahr ) values ( 2, 2022 );"
                     "update S_KulturenNP set TatsErtrag = 1, TatsErtragRG = 2, TatsErtrag_22 = null, TatsErtragRG_22 = null "
                     "where BetriebsNr = 2;"
                     "update S_KulturenNP set TatsErtrag_22 = 70, TatsErtragRG_22 = 60 where BetriebsNr = 2 and FA_NR = "
                     "( select min( FA_NR ) from S_KulturenNP where BetriebsNr = 2 );"
                     "update S_KulturenNP set TatsErtrag_22 = 0, TatsErtragRG_22 = 50 where BetriebsNr = 2 and FA_NR = "
                     "( select max( FA_NR ) from S_KulturenNP where BetriebsNr = 2 )"));
  Sql(QStringLiteral("update Merk set BetriebsNr = 2, Jahr = 2021"));
  Starten();
  fenster->JahresAnsicht()->setFocus();
  fenster->JahresAnsicht()->setCurrentIndex(fenster->JahresAnsicht()->model()->index(1, 1));
  ASSERT_EQ(fenster->Jahr(), 2022);
  EXPECT_EQ(Text(QStringLiteral("select group_concat( cast( TatsErtrag as integer ) || '/' || cast( TatsErtragRG as integer ) ) "
                                "from ( select * from S_KulturenNP where BetriebsNr = 2 and ( FA_NR = ( select min( FA_NR ) "
                                "from S_KulturenNP where BetriebsNr = 2 ) or FA_NR = ( select max( FA_NR ) from S_KulturenNP "
                                "where BetriebsNr = 2 ) ) order by FA_NR )")),
            QStringLiteral("70/60,1/2"));
  // Moved by the user in the grid: the yield window opens.
  EXPECT_EQ(ertraege, QStringList{QStringLiteral("2/2022")});
}

// Typed areas are stored as typed (the fields have two decimals); more
// decimals are refused with a message and never cut.
TEST_F(Jahr, FlaechenWieGetipptGespeichert) {
  Starten();
  const auto tippen = [this](const char* spalte, const char* text) {
    TDBEditMod* f = J().Feld(QString::fromLatin1(spalte));
    f->setFocus(Qt::TabFocusReason);
    f->selectAll();
    QTest::keyClicks(f, QString::fromUtf8(text));
    QTest::keyClick(f, Qt::Key_Tab);
  };
  tippen("Ackerland", "32,5");
  tippen("Gruenland", "8,25");
  tippen("Flaeche170kg", "40,75");
  J().OkKnopf()->click();
  EXPECT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join(QLatin1Char('\n')).toStdString();
  const auto wert = [this](const char* spalte) {
    return FWert(QStringLiteral("select %1 from DuengeJahr where BetriebsNr = 2 and Duengejahr = 2021")
                     .arg(QString::fromLatin1(spalte)))
        .toDouble();
  };
  EXPECT_DOUBLE_EQ(wert("Gruenland"), 8.25);
  EXPECT_DOUBLE_EQ(wert("Flaeche170kg"), 40.75);
  EXPECT_DOUBLE_EQ(wert("Betriebsgroesse"), 40.75);  // 32.5 + 8.25

  tippen("Gruenland", "8,255");
  EXPECT_EQ(meldungen.Infos(),
            QStringList{QStringLiteral("Bitte geben Sie hier höchstens 2 Nachkommastellen ein.")});
  EXPECT_EQ(QApplication::focusWidget(), J().Feld(QStringLiteral("Gruenland")));
  // Escape brings back what was stored; nothing was cut to 8,26 or 8,25.
  QTest::keyClick(J().Feld(QStringLiteral("Gruenland")), Qt::Key_Escape);
  EXPECT_EQ(J().Feld(QStringLiteral("Gruenland"))->text(), QStringLiteral("8,25"));
  J().OkKnopf()->click();
  EXPECT_DOUBLE_EQ(wert("Gruenland"), 8.25);
}

TEST_F(Jahr, FlaechenSpeichernUndWarnen) {
  Starten();
  auto* ackerland = J().Feld(QStringLiteral("Ackerland"));
  ackerland->setFocus();
  ASSERT_TRUE(fenster->Jahre().setWert(QStringLiteral("Ackerland"), 50.0));
  ASSERT_TRUE(fenster->Jahre().setWert(QStringLiteral("Gruenland"), 20.0));
  ASSERT_TRUE(fenster->Jahre().setWert(QStringLiteral("Flaeche170kg"), 70.05));
  J().OkKnopf()->click();
  EXPECT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join(QLatin1Char('\n')).toStdString();
  EXPECT_EQ(FWert(QStringLiteral("select Betriebsgroesse from DuengeJahr where BetriebsNr = 2")).toDouble(), 70.0);
  EXPECT_EQ(QApplication::focusWidget(), fenster->JahresAnsicht());
  ASSERT_TRUE(fenster->Jahre().setWert(QStringLiteral("Flaeche170kg"), 70.2));
  ASSERT_TRUE(fenster->Jahre().Speichern());
  EXPECT_EQ(meldungen.Infos(), QStringList{QStringLiteral(
                                   "Die Fläche zur Berechnung der 170-kg-Grenze kann nicht größer sein als die Betriebsgröße.")});
  EXPECT_DOUBLE_EQ(FWert(QStringLiteral("select Flaeche170kg from DuengeJahr where BetriebsNr = 2")).toDouble(), 70.2);
  // The calculated values of the list.
  EXPECT_DOUBLE_EQ(fenster->Jahre().Wert(QStringLiteral("GFZuschlag")).toDouble(), 1.15);
}

}  // namespace

namespace {

TEST_F(Jahr, SchalterDerNitratgebietsregelnGehoertZumJahr) {
  Starten();
  TDBCheckBoxMod* schalter = J().NitratRegeln();
  EXPECT_EQ(schalter->accessibleName(), QStringLiteral("Regeln für Nitratgebiete anwenden"));
  // 2021 has the rules on by default.
  EXPECT_TRUE(schalter->isChecked());
  schalter->click();
  J().OkKnopf()->click();
  EXPECT_EQ(FWert(QStringLiteral("select NitratgebietRegeln from DuengeJahr where BetriebsNr = 2 and Duengejahr = 2021"))
                .toInt(),
            0);
  // An appended year starts with them on again.
  meldungen.antworten = {false};
  J().AnhaengenKnopf()->click();
  EXPECT_EQ(FWert(QStringLiteral("select NitratgebietRegeln from DuengeJahr where BetriebsNr = 2 and Duengejahr = 2022"))
                .toInt(),
            1);
  EXPECT_TRUE(schalter->isChecked());
}

}  // namespace
