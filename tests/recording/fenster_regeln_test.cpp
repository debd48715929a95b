// What the record page says and refuses: add buttons that cannot add, a
// record that is incomplete or dated outside the fertiliser year, deleting,
// and closing the window with a record that cannot be saved.
#include "fenstertest.h"

#include <QHeaderView>

namespace {

class Seitenregeln : public FensterTest {
protected:
  // An incomplete mineral record being entered on field 1.
  void MineralAngefangen() {
    Oeffnen();
    Klicken(K("Mineraldünger hinzu"));
    ASSERT_EQ(Panel()->accessibleName(), K("Mineraldünger"));
  }
};

TEST_F(Seitenregeln, HinzufuegenOhneHauptfruchtSagtWarum) {
  Oeffnen();
  SchlagWaehlen(2);
  ASSERT_EQ(Seite()->Schlaege().Wert(K("SchlagName")).toString(), K("Hinterm Haus"));
  for (const char* knopf : {"Mineraldünger hinzu", "Org.-Dünger hinzu", "Weidehaltung hinzu", "Andere Stoffe hinzu"}) {
    SCOPED_TRACE(knopf);
    meldungen.Leeren();
    Klicken(K(knopf));
    EXPECT_EQ(meldungen.Infos(), QStringList{K("Für den Schlag „Hinterm Haus“ ist noch keine Hauptfrucht eingetragen. "
                                               "Bitte tragen Sie die Hauptfrucht in der Düngebedarfsermittlung ein.")});
    EXPECT_EQ(Dung().Anzahl(), 0);
  }
}

TEST_F(Seitenregeln, HinzufuegenOhneSchlag) {
  Sql(K("delete from Schlag"));
  Oeffnen();
  Klicken(K("Org.-Dünger hinzu"));
  EXPECT_EQ(meldungen.Infos(), QStringList{K("Für das Düngejahr 2021 ist noch kein Schlag angelegt. Bitte legen Sie "
                                             "die Schläge in der Düngebedarfsermittlung an.")});
}

TEST_F(Seitenregeln, OhneAuswahlInDerVorauswahlWirdSieAngeboten) {
  Sql(K("update S_MinDung set Auswahl = 0 where BetriebsNr = 2"));
  Oeffnen();
  const QString frage = K("In der Vorauswahl des Betriebs ist kein Mineraldünger ausgewählt. "
                          "Möchten Sie die Vorauswahl jetzt öffnen?");
  // "Nein": nothing is opened, nothing added.
  meldungen.antworten = {false};
  Klicken(K("Mineraldünger hinzu"));
  EXPECT_EQ(meldungen.protokoll, QStringList{K("Frage: ") + frage});
  EXPECT_EQ(vorauswahlGeoeffnet, 0);
  EXPECT_EQ(Dung().Anzahl(), 0);
  // "Ja", but nothing chosen there.
  meldungen.Leeren();
  meldungen.antworten = {true};
  Klicken(K("Mineraldünger hinzu"));
  EXPECT_EQ(vorauswahlGeoeffnet, 1);
  EXPECT_EQ(meldungen.Infos(), QStringList{K("In der Vorauswahl ist weiterhin nichts Passendes ausgewählt. Es wurde "
                                             "keine Aufzeichnung angelegt.")});
  // "Ja", and "KAS 27" chosen: the record is added and offers it at once.
  inDerVorauswahl = [this] { Stamm(K("S_MinDung"), K("DuengeMittelNr"), Kas, {}); };
  meldungen.Leeren();
  meldungen.antworten = {true};
  Klicken(K("Mineraldünger hinzu"));
  EXPECT_EQ(vorauswahlGeoeffnet, 2);
  EXPECT_EQ(meldungen.Infos(), QStringList{});
  ASSERT_EQ(Dung().Zustand(), TADODataSetMod::TZustand::Einfuegen);
  EXPECT_EQ(Element<QComboBox>(K("Düngerart"), Panel())->findText(K("KAS 27")), 0);
}

TEST_F(Seitenregeln, VorauswahlKnopfSchliesstUndOeffnetDieStammlisten) {
  Oeffnen();
  auto* mineral = Seite()->Panel(1)->findChild<QComboBox*>();
  ASSERT_NE(mineral, nullptr);
  ASSERT_EQ(mineral->accessibleName(), K("Düngerart"));
  const int vorher = mineral->count();
  ASSERT_GT(vorher, 0);
  int waehrend = -1;
  inDerVorauswahl = [&] {
    waehrend = mineral->count();
    Stamm(K("S_MinDung"), K("DuengeMittelNr"), 1, {});  // "Alzon 46" chosen
  };
  Klicken(K("Vorauswahl"));
  EXPECT_EQ(vorauswahlGeoeffnet, 1);
  EXPECT_EQ(waehrend, 0);
  EXPECT_EQ(mineral->count(), vorher + 1);
  EXPECT_GE(mineral->findText(K("Alzon 46")), 0);
}

TEST_F(Seitenregeln, UnvollstaendigeAufzeichnungWirdNichtGespeichert) {
  MineralAngefangen();
  Eingeben(K("Ausbringmenge"), K("3"));
  // "OK": the first empty input is marked and gets the focus.
  Klicken(K("OK"));
  EXPECT_EQ(meldungen.Infos(), QStringList{K("Bitte gültigen Wert eingeben/auswählen.")});
  EXPECT_EQ(QApplication::focusWidget(), Element(K("Datum Ausbringung"), Panel()));
  EXPECT_EQ(Anzahl(), 0);
  // Leaving the panel for the record list: the reason, once, and the record stays.
  meldungen.Leeren();
  ZeileKlicken(Seite()->DungAnsicht(), 0);
  EXPECT_EQ(meldungen.Infos(), QStringList{K("Die Aufzeichnung ist unvollständig und wird nicht gespeichert. "
                                             "Bitte noch angeben: Datum Ausbringung, Düngerart.")});
  EXPECT_EQ(Dung().Zustand(), TADODataSetMod::TZustand::Einfuegen);
  // Another field cannot be chosen meanwhile; the click hears the reason once.
  meldungen.Leeren();
  SchlagWaehlen(1);
  EXPECT_EQ(meldungen.Infos(), QStringList{K("Die Aufzeichnung ist unvollständig und wird nicht gespeichert. "
                                             "Bitte noch angeben: Datum Ausbringung, Düngerart.")});
  EXPECT_EQ(Seite()->Schlaege().Position(), 0);
  EXPECT_EQ(Dung().Zustand(), TADODataSetMod::TZustand::Einfuegen);
  // Completed, it is saved.
  Eingeben(K("Datum Ausbringung"), K("010421"));
  Auswaehlen(K("Düngerart"), K("KAS 27"));
  Klicken(K("OK"));
  EXPECT_EQ(Anzahl(), 1);
  EXPECT_DOUBLE_EQ(Gespeichert(K("Nges"), Letzte()), 81.0);
}

TEST_F(Seitenregeln, DatumAusserhalbDesDuengejahres) {
  MineralAngefangen();
  Tippen(QApplication::focusWidget(), K("010117"));
  Eingeben(K("Ausbringmenge"), K("2"));
  // Leaving the date: the message, and the focus back in the date.
  EXPECT_EQ(meldungen.Infos(), QStringList{K("Das Datum kann nicht kleiner als 2018 sein.")});
  EXPECT_EQ(QApplication::focusWidget(), Element(K("Datum Ausbringung"), Panel()));
  Auswaehlen(K("Düngerart"), K("KAS 27"));
  Eingeben(K("Ausbringmenge"), K("2"));
  meldungen.Leeren();
  Klicken(K("OK"));
  // The save stops with the same message.
  EXPECT_TRUE(meldungen.Infos().contains(K("Das Datum kann nicht kleiner als 2018 sein.")))
      << meldungen.protokoll.join('\n').toStdString();
  EXPECT_FALSE(meldungen.Infos().contains(K("Speichern fehlgeschlagen")));
  EXPECT_EQ(Anzahl(), 0);
}

TEST_F(Seitenregeln, DatumSpaeterAlsDasDuengejahrAb2022) {
  JahrAnlegen(2022, 10, 10);
  Feld(1, 5, 1, 2022, K("Am Weg"));
  Kultur(1, 115101, K("Winterweizen"), {}, 2022);
  Oeffnen(2022);
  Klicken(K("Mineraldünger hinzu"));
  Tippen(QApplication::focusWidget(), K("010123"));
  Eingeben(K("Ausbringmenge"), K("2"));
  EXPECT_EQ(meldungen.Infos(), QStringList{K("Das Datum kann nicht in einem späteren Jahr als 2022 liegen.")});
  meldungen.Leeren();
  Eingeben(K("Datum Ausbringung"), K("010515"));
  Eingeben(K("Ausbringmenge"), K("2"));
  EXPECT_EQ(meldungen.Infos(), QStringList{});
}

TEST_F(Seitenregeln, DuengerLoeschenFragtUndLaesstLeguminosen) {
  Sql(K("insert into Dung ( BetriebsNr, Jahr, Parzelle, ProbenID, Datum, Kategorie, Dng, Menge ) "
        "values ( 2, 2021, 1, :k, '2021-04-01', 1, 'KAS 27', 3 )"),
      {{K("k"), weizen}});
  Sql(K("insert into Dung ( BetriebsNr, Jahr, Parzelle, ProbenID, Kategorie, DngNummer, Dng, IsLegumPauschal, Nges ) "
        "values ( 2, 2021, 1, :k, 3, 421101, 'Kleegras', 1, 60 )"),
      {{K("k"), weizen}});
  Oeffnen();
  ASSERT_EQ(Dung().Anzahl(), 2);
  ZeileKlicken(Seite()->DungAnsicht(), 0);
  ASSERT_EQ(Dung().Wert(K("Kategorie")).toInt(), 1);
  meldungen.antworten = {false};
  Klicken(K("Dünger löschen"));
  EXPECT_EQ(meldungen.protokoll, QStringList{K("Frage: Datensatz wirklich löschen?")});
  EXPECT_EQ(Anzahl(), 2);
  meldungen.antworten = {true};
  Klicken(K("Dünger löschen"));
  EXPECT_EQ(Anzahl(), 1);
  EXPECT_EQ(Dung().Anzahl(), 1);
  // The legume record follows its crop row: no question, no deletion.
  meldungen.Leeren();
  ASSERT_EQ(Dung().Wert(K("Kategorie")).toInt(), 3);
  Klicken(K("Dünger löschen"));
  EXPECT_TRUE(meldungen.protokoll.isEmpty());
  EXPECT_EQ(Anzahl(), 1);
}

TEST_F(Seitenregeln, SchliessenMitUnvollstaendigerAufzeichnung) {
  MineralAngefangen();
  Eingeben(K("Ausbringmenge"), K("3"));
  const QString frage = K("Frage: Die Aufzeichnung kann so nicht gespeichert werden. Soll das Fenster trotzdem "
                          "geschlossen und die Eingabe verworfen werden?");
  meldungen.Leeren();
  meldungen.antworten = {false};
  Klicken(K("Hauptmenü"));
  EXPECT_TRUE(fenster->isVisible());
  // The reason once (the panel is left for the button), then the question.
  EXPECT_EQ(meldungen.protokoll,
            (QStringList{K("Info: Die Aufzeichnung ist unvollständig und wird nicht gespeichert. "
                           "Bitte noch angeben: Datum Ausbringung, Düngerart."),
                         frage}));
  EXPECT_EQ(Dung().Zustand(), TADODataSetMod::TZustand::Einfuegen);
  meldungen.antworten = {true};
  Klicken(K("Hauptmenü"));
  EXPECT_FALSE(fenster->isVisible());
  EXPECT_EQ(Anzahl(), 0);
}

TEST_F(Seitenregeln, SchliessenSpeichertEineVollstaendigeAufzeichnung) {
  MineralAngefangen();
  Tippen(QApplication::focusWidget(), K("010421"));
  Eingeben(K("Ausbringmenge"), K("3"));
  Auswaehlen(K("Düngerart"), K("KAS 27"));
  Klicken(K("Hauptmenü"));
  EXPECT_FALSE(fenster->isVisible());
  EXPECT_EQ(Anzahl(), 1);
  EXPECT_DOUBLE_EQ(Gespeichert(K("Nges"), Letzte()), 81.0);
  EXPECT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join('\n').toStdString();
}

}  // namespace

namespace {

class Fensterknoepfe : public FensterTest {};

TEST_F(Fensterknoepfe, SuchenImSchlagnamenOderInDerAngeklicktenSpalte) {
  Oeffnen();
  QWidget* suche = Element(K("Suchen"));
  ASSERT_NE(suche, nullptr);
  suche->setFocus(Qt::TabFocusReason);
  Tippen(suche, K("hint"));
  EXPECT_EQ(Seite()->Schlaege().Wert(K("SchlagName")).toString(), K("Hinterm Haus"));
  // The crop column as search column: a click on its title.
  QHeaderView* kopf = Seite()->SchlagAnsicht()->horizontalHeader();
  const int spalte = 6;
  ASSERT_EQ(Seite()->SchlagAnsicht()->model()->headerData(spalte, Qt::Horizontal).toString(),
            K("aktuelle Kultur nach DüV"));
  Maus(kopf->viewport(), QPoint(kopf->sectionViewportPosition(spalte) + kopf->sectionSize(spalte) / 2,
                                kopf->height() / 2));
  suche->setFocus(Qt::TabFocusReason);
  QTest::keyClick(suche, Qt::Key_A, Qt::ControlModifier);
  Tippen(suche, K("gerste"));
  EXPECT_EQ(Seite()->Schlaege().Wert(K("SchlagName")).toString(), K("Große Breite"));
  EXPECT_EQ(meldungen.piepser, 0);
  Tippen(suche, K("xyz"));
  EXPECT_EQ(meldungen.piepser, 3);
  EXPECT_EQ(Seite()->Schlaege().Wert(K("SchlagName")).toString(), K("Große Breite"));
}

TEST_F(Fensterknoepfe, TaschenrechnerUndBildschirmdruck) {
  Oeffnen();
  QWidget* gedruckt = nullptr;
  fenster->Bildschirmdruck = [&gedruckt](QWidget* w) { gedruckt = w; };
  Klicken(K("Bildschirmdruck"));
  EXPECT_EQ(gedruckt, fenster.get());
  Klicken(K("Taschenrechner"));
  ASSERT_NE(fenster->Rechner(), nullptr);
  EXPECT_TRUE(fenster->Rechner()->isVisible());
  fenster->Rechner()->close();
}

}  // namespace
