// The two statement pages: filled when shown, with the worked 170 kg value
// and the nitrate-area demand; the creation date; missing farm areas.
#include "fenstertest.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

namespace {

class Bilanzseiten : public FensterTest {
protected:
  void SetUp() override {
    FensterTest::SetUp();
    // Flaeche170kg 10 ha. Field 1 (5 ha): organic 20 kg N/ha = 100 kg, grazing
    // 10 kg N/ha = 50 kg; field 2 (10 ha, nitrate area): mineral 40 kg N/ha = 400 kg.
    Sql(K("insert into Dung ( BetriebsNr, Jahr, Parzelle, ProbenID, Datum, Kategorie, TaVerfNr, Nges, Nverf, Pges ) "
          "values ( 2, 2021, 1, :w, '2021-03-01', 2, 1, 20, 10, 2 ), "
          "( 2, 2021, 1, :w, '2021-10-31', 4, 0, 10, 0, 1 ), "
          "( 2, 2021, 2, :g, '2021-04-01', 1, 0, 40, 40, 0 )"),
        {{K("w"), weizen}, {K("g"), gerste}});
    // Demand of the nitrate-area field: 100 kg N/ha on 10 ha, autumn 6 kg N/ha.
    Sql(K("update Anbau set Duengebedarf = 100 where ID = :g"), {{K("g"), gerste}});
    Sql(K("update Schlag set HD_DNG_RG = 6 where Parzelle = 2"));
  }
  QString Zelle(TBilanzSeite* seite, int zeile, int spalte) { return seite->Tabelle()->item(zeile, spalte)->text(); }
};

TEST_F(Bilanzseiten, GesamtbetriebMitDemWertDer170KgGrenze) {
  Oeffnen();
  SeiteWaehlen(TAufzeichnungsfenster::SeiteGesamtbetrieb);
  ASSERT_EQ(fenster->Seiten()->currentIndex(), int(TAufzeichnungsfenster::SeiteGesamtbetrieb));
  TBilanzSeite* s = fenster->Gesamtbetrieb();
  EXPECT_EQ(Zelle(s, 0, 1), K("Stickstoff"));
  EXPECT_EQ(Zelle(s, 1, 2), K("400,0"));   // mineral
  EXPECT_EQ(Zelle(s, 2, 2), K("100,0"));   // slurry
  EXPECT_EQ(Zelle(s, 3, 2), K("50,0"));    // of it available
  EXPECT_EQ(Zelle(s, 4, 2), K("50,0"));    // grazing
  EXPECT_EQ(Zelle(s, 4, 4), K("5,0"));     // P of grazing
  EXPECT_EQ(Zelle(s, 4, 5), K("11,5"));    // 5 x 2.2914 = 11.457
  EXPECT_EQ(Zelle(s, 13, 2), K("500,0"));  // without grazing and legumes
  EXPECT_EQ(Zelle(s, 14, 2), K("550,0"));
  // (50 + 500 - 400) / 10 = 15.
  EXPECT_EQ(Zelle(s, 15, 1), K("Summe Gesamt-N in kg N/ha LF nach § 6(4) DüV (170 kg-N-Grenze)"));
  EXPECT_EQ(Zelle(s, 15, 2), K("15,0"));
  EXPECT_EQ(Zelle(s, 12, 2), QString());  // "Sonstige" has no value
  EXPECT_EQ(s->Kopfwert(K("Gesamtbetrieblicher Düngebedarf (N):")), K("1060 kg"));
  EXPECT_EQ(s->Kopfwert(K("Landwirtschaftliche Fläche des Betriebes:")), K("10,00 ha"));
  EXPECT_EQ(s->Kopfwert(K("Fläche zur Berechnung der 170-kg-Grenze:")), K("10,00 ha"));
  EXPECT_FALSE(s->Auslassungen()->isVisibleTo(s));
  EXPECT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join('\n').toStdString();
}

TEST_F(Bilanzseiten, NitratgebietBedarfUndZwanzigProzentWeniger) {
  Oeffnen();
  SeiteWaehlen(TAufzeichnungsfenster::SeiteNitratgebiet);
  TBilanzSeite* s = fenster->Nitratgebiet();
  // 1000 kg from the crop and 60 kg autumn demand; less 20 % of the crop part: 860.
  EXPECT_EQ(s->Kopfwert(K("Düngebedarf Nitratgebiet (N):")), K("1060 kg"));
  EXPECT_EQ(s->Kopfwert(K("Düngebedarf abzüglich 20% (N):")), K("860 kg"));
  EXPECT_EQ(s->Kopfwert(K("Mineral-N-Einsatz Nitratgebiet:")), K("400 kg  entspricht  40 kg/ha"));
  EXPECT_EQ(s->Kopfwert(K("Fläche Nitratgebiet nach §13a:")), K("10,00 ha"));
  EXPECT_EQ(Zelle(s, 1, 2), K("400,0"));
  EXPECT_EQ(Zelle(s, 2, 2), K("0,0"));  // the slurry lies outside the nitrate area
  EXPECT_EQ(Zelle(s, 15, 1), K("Summe Gesamtstickstoff in kg N/ha im Nitratgebiet"));
  EXPECT_EQ(Zelle(s, 15, 2), K("40,0"));
}

// The button "heute" and a double-click on the date both set it; each page
// shows it, and the printouts read it from the year.
TEST_F(Bilanzseiten, ErstellungsdatumHeute) {
  const QDate heute = QDate::currentDate();
  for (bool knopf : {true, false}) {
    SCOPED_TRACE(knopf);
    Sql(K("update DuengeJahr set ErstellungsdatumAufzeichnungBedarf = null"));
    Oeffnen();
    SeiteWaehlen(TAufzeichnungsfenster::SeiteGesamtbetrieb);
    TBilanzSeite* s = fenster->Gesamtbetrieb();
    EXPECT_EQ(s->Kopfwert(K("Erstellungsdatum:")), QString());
    if (knopf) {
      auto* k = Element<QAbstractButton>(K("Erstellungsdatum heute"), s);
      ASSERT_NE(k, nullptr);
      EXPECT_EQ(k->text(), K("heute"));
      EXPECT_FALSE(k->toolTip().isEmpty());
      Maus(k, k->rect().center());
    } else {
      auto* wert = Element<QLineEdit>(K("Erstellungsdatum:"), s);
      ASSERT_NE(wert, nullptr);
      Maus(wert, wert->rect().center(), true);
    }
    EXPECT_EQ(s->Kopfwert(K("Erstellungsdatum:")), heute.toString(K("dd.MM.yyyy")));
    EXPECT_EQ(Wert(K("select ErstellungsdatumAufzeichnungBedarf from DuengeJahr where BetriebsNr = 2 and "
                     "Duengejahr = 2021"))
                  .toString(),
              heute.toString(K("yyyy-MM-dd")));
    SeiteWaehlen(TAufzeichnungsfenster::SeiteNitratgebiet);
    EXPECT_EQ(fenster->Nitratgebiet()->Kopfwert(K("Erstellungsdatum:")), heute.toString(K("dd.MM.yyyy")));
    fenster.reset();
  }
}

// A screen reader gets every figure of the header as the value of a field
// named by its caption, and the whole figure fits the field.
TEST_F(Bilanzseiten, KopfwerteMitNameUndWertFuerBildschirmleser) {
  Sql(K("update DuengeJahr set ErstellungsdatumAufzeichnungBedarf = '2022-01-31'"));
  Oeffnen();
  struct Fall {
    int seite;
    const char* titel;
    const char* wert;
  } faelle[] = {
      {TAufzeichnungsfenster::SeiteGesamtbetrieb, "Erstellungsdatum:", "31.01.2022"},
      {TAufzeichnungsfenster::SeiteGesamtbetrieb, "Gesamtbetrieblicher Düngebedarf (N):", "1060 kg"},
      {TAufzeichnungsfenster::SeiteGesamtbetrieb, "Fläche zur Berechnung der 170-kg-Grenze:", "10,00 ha"},
      {TAufzeichnungsfenster::SeiteNitratgebiet, "Düngebedarf abzüglich 20% (N):", "860 kg"},
      // 400 kg on 10 ha.
      {TAufzeichnungsfenster::SeiteNitratgebiet, "Mineral-N-Einsatz Nitratgebiet:", "400 kg  entspricht  40 kg/ha"},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.titel);
    SeiteWaehlen(f.seite);
    QWidget* seite = f.seite == TAufzeichnungsfenster::SeiteGesamtbetrieb ? static_cast<QWidget*>(fenster->Gesamtbetrieb())
                                                                          : fenster->Nitratgebiet();
    auto* wert = Element<QLineEdit>(K(f.titel), seite);
    ASSERT_NE(wert, nullptr);
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(wert);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->text(QAccessible::Name), K(f.titel));
    EXPECT_EQ(a->text(QAccessible::Value), K(f.wert));
    EXPECT_TRUE(a->state().readOnly);
    EXPECT_GE(wert->width(), wert->fontMetrics().horizontalAdvance(K(f.wert)));
  }
}

TEST_F(Bilanzseiten, FehlendeBetriebsflaechenSchliessenDasFenster) {
  Flaechen(0.4, 10);  // rounds to 0
  Oeffnen();
  SeiteWaehlen(TAufzeichnungsfenster::SeiteGesamtbetrieb);
  EXPECT_EQ(meldungen.Infos(), QStringList{K("Bitte Betriebsflächen vollständig eingeben")});
  EXPECT_FALSE(fenster->isVisible());
  // Nothing was computed.
  EXPECT_EQ(Zelle(fenster->Gesamtbetrieb(), 1, 2), QString());
}

TEST_F(Bilanzseiten, AusgelasseneAufzeichnungenWerdenGenannt) {
  Sql(K("insert into Dung ( BetriebsNr, Jahr, Parzelle, ProbenID, Kategorie, Nges ) values ( 2, 2021, 1, :w, 1, 50 )"),
      {{K("w"), weizen}});
  Oeffnen();
  SeiteWaehlen(TAufzeichnungsfenster::SeiteGesamtbetrieb);
  QLabel* aus = fenster->Gesamtbetrieb()->Auslassungen();
  EXPECT_TRUE(aus->isVisibleTo(fenster->Gesamtbetrieb()));
  EXPECT_EQ(aus->text(), K("Nicht berücksichtigt: 1 Aufzeichnung ohne Datum."));
  // The record lies outside the nitrate area.
  SeiteWaehlen(TAufzeichnungsfenster::SeiteNitratgebiet);
  EXPECT_FALSE(fenster->Nitratgebiet()->Auslassungen()->isVisibleTo(fenster->Nitratgebiet()));
}

TEST_F(Bilanzseiten, UnvollstaendigeAufzeichnungHaeltAufDerSeite) {
  Oeffnen();
  Klicken(K("Mineraldünger hinzu"));
  SeiteWaehlen(TAufzeichnungsfenster::SeiteGesamtbetrieb);
  EXPECT_EQ(fenster->Seiten()->currentIndex(), int(TAufzeichnungsfenster::SeiteAufzeichnung));
  EXPECT_EQ(meldungen.Infos().size(), 1) << meldungen.protokoll.join('\n').toStdString();
  EXPECT_TRUE(meldungen.Infos().value(0).startsWith(K("Die Aufzeichnung ist unvollständig")));
}

}  // namespace
