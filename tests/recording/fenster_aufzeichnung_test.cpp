// The page "Aufzeichnungspflicht": records entered through their panels as a
// user enters them, with the loads worked out by hand.
#include "fenstertest.h"

namespace {

class Aufzeichnungsseite : public FensterTest {};

TEST_F(Aufzeichnungsseite, OeffnetMitSchlaegenUndTitel) {
  Oeffnen();
  EXPECT_EQ(fenster->windowTitle(), K("Düngungsaufzeichnung:  Hof Linde / 2021"));
  QTabWidget* seiten = fenster->Seiten();
  ASSERT_EQ(seiten->count(), 5);
  EXPECT_EQ(seiten->tabText(0), K("Aufzeichnungspflicht"));
  EXPECT_EQ(seiten->tabText(1), K("Betrieblicher Nährstoffeinsatz Gesamtbetrieb"));
  EXPECT_EQ(seiten->tabText(2), K("Betrieblicher Nährstoffeinsatz Nitratgebiet"));
  EXPECT_TRUE(seiten->isTabVisible(2));
  EXPECT_EQ(seiten->tabText(3), K("Prüfung"));
  EXPECT_EQ(seiten->tabText(4), K("Karte"));
  EXPECT_EQ(Seite()->Schlaege().Anzahl(), 3);
  TListenAnsicht* schlaege = Seite()->SchlagAnsicht();
  EXPECT_EQ(Zelle(schlaege, 1, K("SchlagName")), K("Große Breite"));
  EXPECT_EQ(Zelle(schlaege, 1, K("Größe (ha)")), K("10,00"));
  EXPECT_EQ(Zelle(schlaege, 1, K("aktuelle Kultur nach DüV")), K("Wintergerste"));
  EXPECT_EQ(Zelle(schlaege, 1, K("Nitratgebiet")), K("Ja"));
  EXPECT_EQ(Zelle(schlaege, 0, K("Nitratgebiet")), K("Nein"));
  // The copy buttons wait for something remembered.
  for (const char* k : {"Einzeldünger setzen", "alle Dünger setzen", "Weidehaltung setzen"}) EXPECT_FALSE(Aktiv(K(k)));
  for (const char* k : {"Einzeldünger merken", "alle Dünger merken", "Weidehaltung merken"}) EXPECT_TRUE(Aktiv(K(k)));
}

TEST_F(Aufzeichnungsseite, NitratgebietsseiteErstAb2021) {
  JahrAnlegen(2020, 10, 10);
  Oeffnen(2020);
  EXPECT_FALSE(fenster->Seiten()->isTabVisible(2));
  EXPECT_TRUE(fenster->Seiten()->isTabVisible(1));
}

TEST_F(Aufzeichnungsseite, MineralduengerDreiDtMalSiebenundzwanzig) {
  Oeffnen();
  Klicken(K("Mineraldünger hinzu"));
  ASSERT_EQ(Panel()->accessibleName(), K("Mineraldünger"));
  // The focus waits in the date.
  EXPECT_EQ(QApplication::focusWidget(), Element(K("Datum Ausbringung"), Panel()));
  Tippen(QApplication::focusWidget(), K("010421"));
  Eingeben(K("Ausbringmenge"), K("3"));
  Auswaehlen(K("Düngerart"), K("KAS 27"));
  EXPECT_EQ(Element<QComboBox>(K("gedüngte Kultur"), Panel())->currentText(), K("2021 Winterweizen"));
  Klicken(K("OK"));
  EXPECT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join('\n').toStdString();
  const qint64 id = Letzte();
  EXPECT_DOUBLE_EQ(Gespeichert(K("Nges"), id), 81.0);
  EXPECT_DOUBLE_EQ(Gespeichert(K("Nverf"), id), 81.0);
  EXPECT_DOUBLE_EQ(Gespeichert(K("Pges"), id), 0.0);
  EXPECT_EQ(Wert(K("select Datum from Dung where ID = :id"), {{K("id"), id}}).toString(), K("2021-04-01"));
  // The list shows it, and the focus is back in the list.
  EXPECT_EQ(QApplication::focusWidget(), Seite()->DungAnsicht());
  EXPECT_EQ(Dungzelle(0, K("Datum")), K("01.04.2021"));
  EXPECT_EQ(Dungzelle(0, K("Art")), K("Mineraldünger"));
  EXPECT_EQ(Dungzelle(0, K("Düngung")), K("KAS 27"));
  EXPECT_EQ(Dungzelle(0, K("gedüngte Kultur")), K("2021 Winterweizen"));
  EXPECT_EQ(Dungzelle(0, K("Menge")), K("3,00"));
  EXPECT_EQ(Dungzelle(0, K("N (kg/ha)")), K("81,0"));
  EXPECT_EQ(Dungzelle(0, K("HD")), K("Nein"));
}

TEST_F(Aufzeichnungsseite, OrganischZwanzigKubikmeter) {
  Oeffnen();
  Klicken(K("Org.-Dünger hinzu"));
  ASSERT_EQ(Panel()->accessibleName(), K("organischer Dünger"));
  Tippen(QApplication::focusWidget(), K("150321"));
  Eingeben(K("Ausbringmenge"), K("20"));
  Auswaehlen(K("Düngerart"), K("Gülle normal Rind, konventionell, 8 % TS"));
  Klicken(K("Ist Herbstdüngung zu Winterraps, Wintergerste oder Winterbraugerste (bitte Ausbringungsobergrenzen beachten)"));
  Klicken(K("OK"));
  const qint64 id = Letzte();
  EXPECT_DOUBLE_EQ(Gespeichert(K("Nges"), id), 80.0);
  EXPECT_DOUBLE_EQ(Gespeichert(K("Nverf"), id), 40.0);
  EXPECT_DOUBLE_EQ(Gespeichert(K("Pges"), id), 16.0);
  EXPECT_DOUBLE_EQ(Gespeichert(K("IstHerbstDuengung"), id), 1.0);
  EXPECT_EQ(Dungzelle(0, K("Nverf (kg/ha)")), K("40,0"));
  EXPECT_EQ(Dungzelle(0, K("P (kg/ha)")), K("16,0"));
  EXPECT_EQ(Dungzelle(0, K("HD")), K("Ja"));
}

TEST_F(Aufzeichnungsseite, WeideZehnTiereDreiundsiebzigTageFuenfHektar) {
  Oeffnen();
  Klicken(K("Weidehaltung hinzu"));
  ASSERT_EQ(Panel()->accessibleName(), K("Weidehaltung"));
  EXPECT_EQ(QApplication::focusWidget(), Element(K("Tiergruppe"), Panel()));
  Auswaehlen(K("Tiergruppe"),
             Wert(K("select TIERART from S_Tiere where BetriebsNr = 2 and TA_NR = :n"), {{K("n"), Jungrind}}).toString());
  Eingeben(K("Anzahl Tiere"), K("10"));
  Eingeben(K("Tage (24 h)"), K("73"));
  Eingeben(K("Ende der Weidehaltung"), K("311021"));
  Klicken(K("OK"));
  EXPECT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join('\n').toStdString();
  // NT = 100 x (100 - 25) % = 75; 10 x 75 x 73 / (5 ha x 365) = 30; P 10 x 20 x 73 / 1825 = 8.
  const qint64 id = Letzte();
  EXPECT_DOUBLE_EQ(Gespeichert(K("NT"), id), 75.0);
  EXPECT_DOUBLE_EQ(Gespeichert(K("Nges"), id), 30.0);
  EXPECT_DOUBLE_EQ(Gespeichert(K("Nverf"), id), 0.0);
  EXPECT_DOUBLE_EQ(Gespeichert(K("Pges"), id), 8.0);
  EXPECT_EQ(Dungzelle(0, K("Art")), K("Beweidung"));
}

TEST_F(Aufzeichnungsseite, AndereStoffe) {
  Oeffnen();
  Klicken(K("Andere Stoffe hinzu"));
  ASSERT_EQ(Panel()->accessibleName(), K("andere Stoffe"));
  Tippen(QApplication::focusWidget(), K("020521"));
  Eingeben(K("Ausbringmenge"), K("10"));
  // Entering the list box of a record without a substance takes the first.
  Element(K("Stoffart"), Panel())->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(Dung().Wert(K("Dng")).toString(), K("Pflanzenkohle"));
  Klicken(K("OK"));
  EXPECT_DOUBLE_EQ(Gespeichert(K("Nges"), Letzte()), 25.0);
  EXPECT_DOUBLE_EQ(Gespeichert(K("TaVerfNr"), Letzte()), 2.0);
}

// The legume record a crop row keeps; credited per dt of fresh matter here.
TEST_F(Aufzeichnungsseite, LeguminosenanteilUeberZehnProzent) {
  struct Fall {
    double anteil;
    double nges;    // 50 dt x 0.7 above 10 %, x 0.5 up to 10 %
    double ngesHa;  // 90 kg N/ha above 10 %, 60 up to 10 %
  };
  for (const Fall f : {Fall{10.04, 35, 90}, Fall{9.96, 25, 60}, Fall{10, 25, 60}}) {
    SCOPED_TRACE(f.anteil);
    Sql(K("delete from Dung"));
    Sql(K("insert into Dung ( BetriebsNr, Jahr, Parzelle, ProbenID, Kategorie, DngNummer, Dng, N_Bindung_ha, "
          "N_Bindung_ha_gr10P, N_Bindung_dt_FM, N_Bindung_dt_FM_gr10P, Leguminosenanteil, IsLegumPauschal, Nges ) "
          "values ( 2, 2021, 1, :k, 3, 421101, 'Kleegras', 60, 90, 0.5, 0.7, :a, 1, 60 )"),
        {{K("k"), weizen}, {K("a"), f.anteil}});
    Oeffnen();
    ASSERT_EQ(Panel()->accessibleName(), K("Leguminosen"));
    EXPECT_EQ(Element<QWidget>(K("Leguminosenart"), Panel())->property("text").toString(), K("Kleegras"));
    // Per ha: no amount to enter.
    EXPECT_FALSE(Sichtbar(K("Gesamtmenge (dt/ha FM)")));
    Klicken(K("dt FM Haupternteprodukt"));
    EXPECT_TRUE(Sichtbar(K("Gesamtmenge (dt/ha FM)")));
    Eingeben(K("Gesamtmenge (dt/ha FM)"), K("50"));
    Klicken(K("OK"));
    EXPECT_DOUBLE_EQ(Gespeichert(K("Nges"), Letzte()), f.nges);
    // Back to per ha: the amount goes and is hidden.
    Klicken(K("ha Anbaufläche"));
    EXPECT_DOUBLE_EQ(Dung().Wert(K("Menge")).toDouble(), 0.0);
    EXPECT_FALSE(Sichtbar(K("Gesamtmenge (dt/ha FM)")));
    Klicken(K("OK"));
    EXPECT_DOUBLE_EQ(Gespeichert(K("Nges"), Letzte()), f.ngesHa);
    fenster->close();
  }
}

TEST_F(Aufzeichnungsseite, LeguminosenZwischenfruchtImmerJeHektar) {
  Sql(K("insert into Dung ( BetriebsNr, Jahr, Parzelle, ProbenID, Kategorie, DngNummer, Dng, N_Bindung_ha, "
        "IsLegumPauschal, Nges ) values ( 2, 2021, 1, :k, 3, 10, 'Leguminosen-Zwischenfrucht', 105, 1, 105 )"),
      {{K("k"), weizen}});
  Oeffnen();
  ASSERT_EQ(Panel()->accessibleName(), K("Leguminosen"));
  EXPECT_FALSE(Element<QWidget>(K("Angabe in"), Panel())->isEnabled());
}

TEST_F(Aufzeichnungsseite, FolgejahrszeilenAufEigenemHintergrund) {
  JahrAnlegen(2022);
  Feld(1, 5, 1, 2022);
  const qint64 raps = Kultur(1, 236101, K("Winterraps"), {}, 2022);
  Sql(K("insert into Dung ( BetriebsNr, Jahr, Parzelle, ProbenID, Datum, Kategorie, Dng ) values "
        "( 2, 2021, 1, :w, '2021-04-01', 1, 'KAS 27' ), ( 2, 2022, 1, :r, '2021-09-15', 2, 'Gülle' )"),
      {{K("w"), weizen}, {K("r"), raps}});
  Oeffnen();
  ASSERT_EQ(Dung().Anzahl(), 2);
  const auto* m = Seite()->DungAnsicht()->model();
  EXPECT_FALSE(m->data(m->index(0, 0), Qt::BackgroundRole).isValid());
  EXPECT_TRUE(m->data(m->index(1, 0), Qt::BackgroundRole).isValid());
  EXPECT_EQ(Dungzelle(1, K("gedüngte Kultur")), K("2022 Winterraps"));
  // The crop choice offers both years of the field only.
  ZeileKlicken(Seite()->DungAnsicht(), 1);
  auto* kultur = Element<QComboBox>(K("gedüngte Kultur"), Panel());
  ASSERT_EQ(kultur->count(), 2);
  EXPECT_EQ(kultur->itemText(0), K("2021 Winterweizen"));
  EXPECT_EQ(kultur->currentText(), K("2022 Winterraps"));
}

}  // namespace
