// The crop page: the yield asked when a crop is chosen, its range check,
// the yield inputs with the fresh-matter inputs of grassland, and the
// year column the yield is written into.
#include "vorauswahltest.h"

#include "adopanel.h"
#include "dbeditmod.h"
#include "ungebundenefelder.h"

#include <QCheckBox>
#include <QLabel>

namespace {

class Kulturen : public VorauswahlTest {
protected:
  TKulturenSeite* Seite() { return fenster->Kulturen(); }
  // Chooses the crop by a double-click on its row.
  void Waehlen(int faNr) { Doppelklick(Seite(), ZeileMit(Seite(), QStringLiteral("FA_NR"), faNr)); }
  QVariant Spalte(int faNr, const QString& spalte) {
    return Wert(QStringLiteral("select %1 from S_KulturenNP where BetriebsNr = 2 and FA_NR = :f").arg(spalte),
                {{QStringLiteral("f"), faNr}});
  }
  static QString Frage(const QString& kultur, const QString& masse) {
    return QStringLiteral("Ganzzahleingabe: Bitte den betrieblichen Durchschnittsertrag der letzten 5 Jahre für ") + kultur +
           QStringLiteral(" in dt/ha ") + masse + QStringLiteral(" eingeben!");
  }
  static QString Bereichstext(int von, int bis) {
    return QStringLiteral("Info: Das eingegebene Ertragsniveau liegt außerhalb des zulässigen Bereichs von %1 dt/ha bis %2 dt/ha.")
        .arg(von)
        .arg(bis);
  }
  static constexpr int Dinkel = 691101;       // arable, EN 55
  static constexpr int Esparsette = 708101;   // "Esparsette  Ganzpflanze", EN 200
  static constexpr int Maehweide = 248201;    // grassland, EN 94
  static constexpr int Dauerbrache = 396101;  // group 750, EN 1
  static constexpr int Silphie = 789101;      // group 740, EN 1
};

TEST_F(Kulturen, WaehlenFragtNachDemErtrag) {
  Oeffnen();
  meldungen.zahlen = {60};
  Waehlen(Dinkel);
  EXPECT_EQ(meldungen.protokoll, QStringList{Frage(QStringLiteral("Dinkel"), QStringLiteral("Frischmasse"))});
  EXPECT_EQ(Spalte(Dinkel, QStringLiteral("Auswahl")), QVariant(1));
  EXPECT_EQ(Spalte(Dinkel, QStringLiteral("TatsErtrag")), QVariant(60.0));
  EXPECT_EQ(Spalte(Dinkel, QStringLiteral("TatsErtrag_21")), QVariant(60.0));
}

TEST_F(Kulturen, GruenlandWirdInTrockenmasseErfragtDerNameGekuerzt) {
  Oeffnen();
  meldungen.zahlen = {80, 200};
  Waehlen(Maehweide);
  Waehlen(Esparsette);
  EXPECT_EQ(meldungen.protokoll, (QStringList{Frage(QStringLiteral("Mähweiden, 60 % Weideanteil"), QStringLiteral("Trockenmasse")),
                                              Frage(QStringLiteral("Esparsette  Ganzpflanze"), QStringLiteral("Frischmasse"))}));
  EXPECT_EQ(Spalte(Maehweide, QStringLiteral("TatsErtrag")), QVariant(80.0));
  EXPECT_EQ(Spalte(Esparsette, QStringLiteral("TatsErtrag")), QVariant(200.0));
}

struct TBereichsFall {
  int eingabe;
  bool zulaessig;
};

void PrintTo(const TBereichsFall& f, std::ostream* os) { *os << f.eingabe; }

class Bereich : public Kulturen, public ::testing::WithParamInterface<TBereichsFall> {};

// Ertragsniveau 200: allowed from 0.1 × 200 = 20 to 2.25 × 200 = 450 dt/ha.
TEST_P(Bereich, ErtragAusserhalbWirdNull) {
  Oeffnen();
  meldungen.zahlen = {GetParam().eingabe};
  Waehlen(Esparsette);
  QStringList erwartet{Frage(QStringLiteral("Esparsette  Ganzpflanze"), QStringLiteral("Frischmasse"))};
  if (!GetParam().zulaessig) erwartet << Bereichstext(20, 450);
  EXPECT_EQ(meldungen.protokoll, erwartet);
  const double gespeichert = GetParam().zulaessig ? GetParam().eingabe : 0.0;
  EXPECT_EQ(Spalte(Esparsette, QStringLiteral("TatsErtrag")), QVariant(gespeichert));
  EXPECT_EQ(Spalte(Esparsette, QStringLiteral("Auswahl")), QVariant(1)) << "gewählt bleibt sie";
}

INSTANTIATE_TEST_SUITE_P(Grenzen, Bereich,
                         ::testing::Values(TBereichsFall{0, false}, TBereichsFall{19, false}, TBereichsFall{20, true},
                                           TBereichsFall{450, true}, TBereichsFall{451, false}, TBereichsFall{-5, false}));

TEST_F(Kulturen, GrenzenWerdenGerundet) {
  // Dinkel, EN 55: 5.5 → 6 and 123.75 → 124.
  EXPECT_EQ(TKulturenSeite::Bereichsmeldung(55),
            QStringLiteral("Das eingegebene Ertragsniveau liegt außerhalb des zulässigen Bereichs von 6 dt/ha bis 124 dt/ha."));
  // Halves go to the even neighbour: 0.1 × 25 = 2.5 → 2, 2.25 × 25 = 56.25 → 56; 0.1 × 35 = 3.5 → 4.
  EXPECT_EQ(TKulturenSeite::Bereichsmeldung(25),
            QStringLiteral("Das eingegebene Ertragsniveau liegt außerhalb des zulässigen Bereichs von 2 dt/ha bis 56 dt/ha."));
  EXPECT_EQ(TKulturenSeite::Bereichsmeldung(35),
            QStringLiteral("Das eingegebene Ertragsniveau liegt außerhalb des zulässigen Bereichs von 4 dt/ha bis 79 dt/ha."));
  EXPECT_TRUE(TKulturenSeite::ErtragZulaessig(5.5, 55));
  EXPECT_FALSE(TKulturenSeite::ErtragZulaessig(5.4, 55));
  EXPECT_TRUE(TKulturenSeite::ErtragZulaessig(123.75, 55));
  EXPECT_FALSE(TKulturenSeite::ErtragZulaessig(123.8, 55));
}

TEST_F(Kulturen, AbgebrochenerErtragGibtNull) {
  Oeffnen();
  meldungen.zahlen = {0};  // the input box closed without "OK"
  Waehlen(Dinkel);
  EXPECT_EQ(meldungen.protokoll, (QStringList{Frage(QStringLiteral("Dinkel"), QStringLiteral("Frischmasse")), Bereichstext(6, 124)}));
  EXPECT_EQ(Spalte(Dinkel, QStringLiteral("TatsErtrag")), QVariant(0.0));
  EXPECT_TRUE(Spalte(Dinkel, QStringLiteral("TatsErtrag_21")).isNull()) << "ein Ertrag 0 geht nicht ins Jahr";
}

TEST_F(Kulturen, GewaehlteKulturWirdOhneFrageAbgewaehlt) {
  Sql(QStringLiteral("update S_KulturenNP set Auswahl = 1 where BetriebsNr = 2 and FA_NR = 691101"));
  Oeffnen();
  Waehlen(Dinkel);
  EXPECT_TRUE(meldungen.protokoll.isEmpty());
  EXPECT_EQ(Spalte(Dinkel, QStringLiteral("Auswahl")), QVariant(0));
}

TEST_F(Kulturen, OhneFrageBeiBracheUndVorhandenemErtrag) {
  Sql(QStringLiteral("update S_KulturenNP set TatsErtrag = 70 where BetriebsNr = 2 and FA_NR = 691101"));
  Oeffnen();
  Waehlen(Dauerbrache);
  Waehlen(Dinkel);
  EXPECT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join('\n').toStdString();
  EXPECT_EQ(Spalte(Dauerbrache, QStringLiteral("Auswahl")), QVariant(1));
  EXPECT_EQ(Spalte(Dinkel, QStringLiteral("Auswahl")), QVariant(1));
  EXPECT_EQ(Spalte(Dinkel, QStringLiteral("TatsErtrag")), QVariant(70.0));
}

TEST_F(Kulturen, ErtragsniveauEinsPrueftNicht) {
  Oeffnen();
  meldungen.zahlen = {0};
  Waehlen(Silphie);
  EXPECT_EQ(meldungen.protokoll, QStringList{Frage(QStringLiteral("Durchwachsene Silphie, Anlagejahr"), QStringLiteral("Frischmasse"))});
  EXPECT_EQ(Spalte(Silphie, QStringLiteral("Auswahl")), QVariant(1));
  EXPECT_EQ(Spalte(Silphie, QStringLiteral("TatsErtrag")), QVariant(0.0));
}

struct TJahresFall {
  int jahr;
  QString spalte;  // empty: no year column
};

void PrintTo(const TJahresFall& f, std::ostream* os) { *os << f.jahr; }

class Jahresspalte : public Kulturen, public ::testing::WithParamInterface<TJahresFall> {};

TEST_P(Jahresspalte, ErtragGehtInDieSpalteDesJahres) {
  Oeffnen(GetParam().jahr);
  meldungen.zahlen = {55};
  Waehlen(Dinkel);
  EXPECT_EQ(Spalte(Dinkel, QStringLiteral("TatsErtrag")), QVariant(55.0));
  // The copies hold no year yields yet (null).
  QStringList spalten;
  for (int j = 18; j <= 30; ++j) spalten << QStringLiteral("coalesce( TatsErtrag_%1, 0 )").arg(j);
  const QString summe = spalten.join(QStringLiteral(" + "));
  EXPECT_EQ(Spalte(Dinkel, summe), QVariant(GetParam().spalte.isEmpty() ? 0.0 : 55.0));
  if (!GetParam().spalte.isEmpty()) {
    EXPECT_EQ(Spalte(Dinkel, GetParam().spalte), QVariant(55.0));
  }
  EXPECT_EQ(TKulturenSeite::Jahresspalte(GetParam().jahr), GetParam().spalte);
}

INSTANTIATE_TEST_SUITE_P(Jahre, Jahresspalte,
                         ::testing::Values(TJahresFall{2017, ""}, TJahresFall{2018, "TatsErtrag_18"},
                                           TJahresFall{2021, "TatsErtrag_21"}, TJahresFall{2024, "TatsErtrag_24"},
                                           TJahresFall{2030, "TatsErtrag_30"}, TJahresFall{2031, ""}));

TEST_F(Kulturen, VerlassenDesErtragsPrueftDenBereich) {
  Oeffnen();
  TKulturenSeite* s = Seite();
  s->GeheZu(ZeileMit(s, QStringLiteral("FA_NR"), Esparsette));
  Eingeben(s->Ertrag(), QStringLiteral("500"));
  Verlassen(s);
  EXPECT_EQ(meldungen.protokoll, QStringList{Bereichstext(20, 450)});
  EXPECT_EQ(Spalte(Esparsette, QStringLiteral("TatsErtrag")), QVariant(0.0));
  meldungen.Leeren();
  Eingeben(s->Ertrag(), QStringLiteral("300"));
  Verlassen(s);
  EXPECT_TRUE(meldungen.protokoll.isEmpty());
  EXPECT_EQ(Spalte(Esparsette, QStringLiteral("TatsErtrag")), QVariant(300.0));
  EXPECT_EQ(Spalte(Esparsette, QStringLiteral("TatsErtrag_21")), QVariant(300.0));
  // A 0 typed in is outside as well; merely passing through the field is no input.
  Eingeben(s->Ertrag(), QStringLiteral("0"));
  Verlassen(s);
  EXPECT_EQ(meldungen.protokoll, QStringList{Bereichstext(20, 450)});
  meldungen.Leeren();
  s->Ertrag()->setFocus(Qt::TabFocusReason);
  Verlassen(s);
  EXPECT_TRUE(meldungen.protokoll.isEmpty());
}

TEST_F(Kulturen, ErtragNitratgebietWirdEbensoGeprueft) {
  Oeffnen();
  TKulturenSeite* s = Seite();
  s->GeheZu(ZeileMit(s, QStringLiteral("FA_NR"), Dinkel));
  Eingeben(s->ErtragNG(), QStringLiteral("5"));
  Verlassen(s);
  EXPECT_EQ(meldungen.protokoll, QStringList{Bereichstext(6, 124)});
  EXPECT_EQ(Spalte(Dinkel, QStringLiteral("TatsErtragRG")), QVariant(0.0));
  meldungen.Leeren();
  Eingeben(s->ErtragNG(), QStringLiteral("62"));
  Verlassen(s);
  EXPECT_TRUE(meldungen.protokoll.isEmpty());
  EXPECT_EQ(Spalte(Dinkel, QStringLiteral("TatsErtragRG")), QVariant(62.0));
  EXPECT_TRUE(Spalte(Dinkel, QStringLiteral("TatsErtrag_21")).isNull()) << "nur der Ertrag geht ins Jahr";
}

TEST_F(Kulturen, BeschriftungenNachJahr) {
  Oeffnen(2021);
  EXPECT_NE(Element<TDBEditMod>(Seite(), QStringLiteral("Tatsächlicher durchschnittlicher Ertrag im 5-jährigen Mittel des Betriebes")),
            nullptr);
  EXPECT_NE(Element<QCheckBox>(Seite(), QStringLiteral("Verwendung anderer Ertragsniveaus im 5-jährigen Mittel")), nullptr);
  EXPECT_TRUE(Seite()->ErtragNG()->isVisibleTo(Seite()));
  fenster.reset();
  Oeffnen(2020);
  EXPECT_NE(Element<TDBEditMod>(Seite(), QStringLiteral("Tatsächlicher durchschnittlicher Ertrag im 3-jährigen Mittel des Betriebes")),
            nullptr);
  EXPECT_NE(Element<QCheckBox>(Seite(), QStringLiteral("Verwendung anderer Ertragsniveaus im 3-jährigen Mittel")), nullptr);
  EXPECT_FALSE(Seite()->ErtragNG()->isVisibleTo(Seite()));
  EXPECT_FALSE(Seite()->FrischmasseNG()->isVisibleTo(Seite()));
}

TEST_F(Kulturen, FeldAnzeigenDerAktuellenKultur) {
  Oeffnen();
  TKulturenSeite* s = Seite();
  s->GeheZu(ZeileMit(s, QStringLiteral("FA_NR"), Maehweide));
  EXPECT_EQ(Element<TDBEditMod>(s, QStringLiteral("Kultur"))->text(), QStringLiteral("Mähweiden, 60 % Weideanteil"));
  EXPECT_TRUE(Element<TDBEditMod>(s, QStringLiteral("Kultur"))->isReadOnly());
  EXPECT_EQ(Element<TDBEditMod>(s, QStringLiteral("Einheit"))->text(), QStringLiteral("dt/ha TM"));
  s->GeheZu(ZeileMit(s, QStringLiteral("FA_NR"), Dinkel));
  EXPECT_EQ(Element<TDBEditMod>(s, QStringLiteral("Einheit"))->text(), QStringLiteral("dt/ha FM"));
}

TEST_F(Kulturen, FrischmasseDesGruenlands) {
  Sql(QStringLiteral("update S_KulturenNP set TatsErtrag = 80, TatsErtragRG = 71 where BetriebsNr = 2 and FA_NR = 248201"));
  Oeffnen();
  TKulturenSeite* s = Seite();
  s->GeheZu(ZeileMit(s, QStringLiteral("FA_NR"), Dinkel));
  EXPECT_FALSE(s->Frischmasse()->isVisible()) << "nur für Grünland";
  s->GeheZu(ZeileMit(s, QStringLiteral("FA_NR"), Maehweide));
  ASSERT_TRUE(s->Frischmasse()->isVisible());
  EXPECT_TRUE(s->Frischmasse()->text().isEmpty());
  s->Frischmasse()->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(s->Frischmasse()->text(), QStringLiteral("400"));  // 80 / 0.2
  QTest::keyClicks(s->Frischmasse(), QStringLiteral("352"));
  Verlassen(s);
  EXPECT_EQ(Spalte(Maehweide, QStringLiteral("TatsErtrag")), QVariant(70.0));  // round(352 × 0.2 = 70.4)
  EXPECT_EQ(Spalte(Maehweide, QStringLiteral("TatsErtrag_21")), QVariant(70.0));
  s->FrischmasseNG()->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(s->FrischmasseNG()->text(), QStringLiteral("355"));  // 71 / 0.2
  QTest::keyClicks(s->FrischmasseNG(), QStringLiteral("453"));
  Verlassen(s);
  EXPECT_EQ(Spalte(Maehweide, QStringLiteral("TatsErtragRG")), QVariant(91.0));  // round(90.6)
  EXPECT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join('\n').toStdString();
  // Another row empties both.
  s->GeheZu(ZeileMit(s, QStringLiteral("FA_NR"), 250201));
  EXPECT_TRUE(s->Frischmasse()->text().isEmpty());
  EXPECT_TRUE(s->FrischmasseNG()->text().isEmpty());
}

TEST_F(Kulturen, FrischmasseAusserhalbDesBereichs) {
  Oeffnen();
  TKulturenSeite* s = Seite();
  s->GeheZu(ZeileMit(s, QStringLiteral("FA_NR"), Maehweide));  // EN 94: 9 to 212 dt TM/ha
  Eingeben(s->Frischmasse(), QStringLiteral("1100"));  // 220 dt TM/ha
  Verlassen(s);
  EXPECT_EQ(meldungen.protokoll, QStringList{Bereichstext(9, 212)});
  EXPECT_EQ(Spalte(Maehweide, QStringLiteral("TatsErtrag")), QVariant(0.0));
  EXPECT_EQ(s->Frischmasse()->text(), QStringLiteral("0"));
}

TEST_F(Kulturen, OkSpeichertAbbruchVerwirft) {
  Oeffnen();
  TKulturenSeite* s = Seite();
  s->GeheZu(ZeileMit(s, QStringLiteral("FA_NR"), Dinkel));
  Eingeben(s->Ertrag(), QStringLiteral("61"));
  Klicken(s->Panel(), QStringLiteral("Abbruch"));
  EXPECT_EQ(Spalte(Dinkel, QStringLiteral("TatsErtrag")), QVariant(0.0));
  EXPECT_EQ(Aktuell(s, QStringLiteral("TatsErtrag")), QVariant(0.0));
  Eingeben(s->Ertrag(), QStringLiteral("62"));
  Klicken(s->Panel(), QStringLiteral("OK"));
  EXPECT_EQ(Spalte(Dinkel, QStringLiteral("TatsErtrag")), QVariant(62.0));
  EXPECT_EQ(Spalte(Dinkel, QStringLiteral("TatsErtrag_21")), QVariant(62.0));
  EXPECT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join('\n').toStdString();
}

TEST_F(Kulturen, AuswahlImFeldUndKeineNeuenZeilen) {
  Oeffnen();
  TKulturenSeite* s = Seite();
  const qlonglong vorher = Ganz(QStringLiteral("select count(*) from S_KulturenNP"));
  // "Ausgewählte" without any chosen crop: an empty list, into whose panel the user goes.
  Klicken(s, QStringLiteral("Ausgewählte"));
  ASSERT_TRUE(s->Liste().IstLeer());
  s->Ertrag()->setFocus(Qt::TabFocusReason);
  QTest::keyClicks(s->Ertrag(), QStringLiteral("50"));
  Verlassen(s);
  EXPECT_EQ(Ganz(QStringLiteral("select count(*) from S_KulturenNP")), vorher);
  EXPECT_TRUE(s->Liste().IstLeer());
  Klicken(s, QStringLiteral("Alle"));
  s->GeheZu(ZeileMit(s, QStringLiteral("FA_NR"), Dinkel));
  Klicken(s->Panel(), QStringLiteral("Auswahl"));
  Klicken(s->Panel(), QStringLiteral("OK"));
  EXPECT_EQ(Spalte(Dinkel, QStringLiteral("Auswahl")), QVariant(1));
}

}  // namespace
