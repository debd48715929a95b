// Other substances, created through their four buttons and numbered over
// all farms, and the grazing animals, of which only the selection changes.
#include "vorauswahltest.h"

#include "adopanel.h"
#include "dbeditmod.h"

namespace {

class Stoffe : public VorauswahlTest {
protected:
  TStoffSeite* Seite() { return fenster->Stoffe(); }
  TDBEditMod* Feld(const QString& name) { return Element<TDBEditMod>(Seite()->Panel(), name); }
};

struct TStoffFall {
  QString knopf;
  int gruppe;
  QString gruppenname;
};

void PrintTo(const TStoffFall& f, std::ostream* os) { *os << f.knopf.toStdString(); }

class Anlegen : public Stoffe, public ::testing::WithParamInterface<TStoffFall> {};

TEST_P(Anlegen, KnopfLegtStoffDerGruppeAnNummerUeberAlleBetriebe) {
  ZweiterBetrieb();
  Sql(QStringLiteral("insert into S_AndereStoffe ( BetriebsNr, Stoff, StoffNr, StoffGruppeNr ) values ( 3, 'Fremd', 41, 1 ), "
                     "( 2, 'Eigen', 7, 2 )"));
  Oeffnen();
  Zeigen(Seite());
  Klicken(Seite(), GetParam().knopf);
  Eingeben(Feld(QStringLiteral("Stoffbezeichnung")), QStringLiteral("Neu"));
  Klicken(Seite()->Panel(), QStringLiteral("OK"));
  const TParameter neu = {{QStringLiteral("s"), QStringLiteral("Neu")}};
  EXPECT_EQ(Wert(QStringLiteral("select StoffNr from S_AndereStoffe where Stoff = :s"), neu), QVariant(42));
  EXPECT_EQ(Wert(QStringLiteral("select BetriebsNr from S_AndereStoffe where Stoff = :s"), neu), QVariant(Betrieb));
  EXPECT_EQ(Wert(QStringLiteral("select StoffGruppeNr from S_AndereStoffe where Stoff = :s"), neu), QVariant(GetParam().gruppe));
  EXPECT_EQ(Wert(QStringLiteral("select StoffGruppe from S_AndereStoffe where Stoff = :s"), neu), QVariant(GetParam().gruppenname));
  EXPECT_EQ(Aktuell(Seite(), QStringLiteral("StoffNr")), QVariant(42));
  EXPECT_EQ(Aktuell(Seite(), QStringLiteral("Herkunft")), QVariant(QStringLiteral("Unbestimmt")));
  // The next one counts on.
  Klicken(Seite(), GetParam().knopf);
  EXPECT_EQ(Aktuell(Seite(), QStringLiteral("StoffNr")), QVariant(qlonglong(43)));
  EXPECT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Gruppen, Anlegen,
                         ::testing::Values(TStoffFall{"Pflanzenhilfsmittel anlegen", 1, "Pflanzenhilfsstoffe"},
                                           TStoffFall{"Kultursubstrat anlegen", 2, "Kultursubstrate"},
                                           TStoffFall{"Bodenhilfsstoff anlegen", 3, "Bodenhilfsstoffe"},
                                           TStoffFall{"Abfall zur Beseitigung anlegen", 4, "Abfälle Beseitigung"}));

TEST_F(Stoffe, ErsterStoffBekommtNummerEins) {
  Oeffnen();
  Zeigen(Seite());
  Klicken(Seite(), QStringLiteral("Bodenhilfsstoff anlegen"));
  Verlassen(Seite());
  EXPECT_EQ(Ganz("select StoffNr from S_AndereStoffe"), 1);
}

TEST_F(Stoffe, WerteUndUmrechnungDesPhosphats) {
  Oeffnen();
  Zeigen(Seite());
  Klicken(Seite(), QStringLiteral("Kultursubstrat anlegen"));
  Eingeben(Feld(QStringLiteral("Stoffbezeichnung")), QStringLiteral("Rindenhumus"));
  Eingeben(Feld(QStringLiteral("TM (%)")), QStringLiteral("45"));
  Eingeben(Feld(QStringLiteral("N (kg/t bzw. m³ FM)")), QStringLiteral("3,2"));
  Eingeben(Feld(QStringLiteral("Nverf (kg/t bzw. m³ FM)")), QStringLiteral("0,4"));
  Eingeben(Feld(QStringLiteral("P (kg/t bzw. m³ FM)")), QStringLiteral("0,8"));
  Feld(QStringLiteral("Stoffbezeichnung"))->setFocus(Qt::TabFocusReason);
  EXPECT_DOUBLE_EQ(Aktuell(Seite(), QStringLiteral("P2O5")).toDouble(), 1.83312);  // 0.8 × 2.2914
  Auswaehlen(Element<QComboBox>(Seite()->Panel(), QStringLiteral("Datenherkunft")), QStringLiteral("Analyse"));
  Klicken(Seite()->Panel(), QStringLiteral("OK"));
  EXPECT_EQ(Wert("select Stoff from S_AndereStoffe"), QVariant(QStringLiteral("Rindenhumus")));
  EXPECT_EQ(Wert("select TM from S_AndereStoffe"), QVariant(45.0));
  EXPECT_EQ(Wert("select N from S_AndereStoffe"), QVariant(3.2));
  EXPECT_EQ(Wert("select NH4 from S_AndereStoffe"), QVariant(0.4));
  EXPECT_EQ(Wert("select P from S_AndereStoffe"), QVariant(0.8));
  EXPECT_DOUBLE_EQ(Zahl("select P2O5 from S_AndereStoffe"), 1.83312);
  EXPECT_EQ(Wert("select Herkunft_Nr from S_AndereStoffe"), QVariant(2));
  EXPECT_EQ(Aktuell(Seite(), QStringLiteral("Herkunft")), QVariant(QStringLiteral("Analyse")));
  // Changed later, the row is still found by its values.
  Eingeben(Feld(QStringLiteral("P2O5 (kg/t bzw. m³ FM)")), QStringLiteral("2"));
  Verlassen(Seite());
  EXPECT_DOUBLE_EQ(Zahl("select P from S_AndereStoffe"), 0.8728);  // 2 × 0.4364
  EXPECT_EQ(Wert("select P2O5 from S_AndereStoffe"), QVariant(2.0));
  EXPECT_EQ(Ganz("select count(*) from S_AndereStoffe"), 1);
}

TEST_F(Stoffe, LoeschenNachFrage) {
  Sql(QStringLiteral("insert into S_AndereStoffe ( BetriebsNr, Stoff, StoffNr, StoffGruppeNr ) values ( 2, 'Perlit', 1, 2 ), "
                     "( 2, 'Torf', 2, 2 )"));
  Oeffnen();
  Zeigen(Seite());
  Seite()->GeheZu(1);
  meldungen.antworten = {false, true};
  Klicken(Seite(), QStringLiteral("Stoff löschen"));
  EXPECT_EQ(Ganz("select count(*) from S_AndereStoffe"), 2);
  Klicken(Seite(), QStringLiteral("Stoff löschen"));
  EXPECT_EQ(Spalte("select Stoff from S_AndereStoffe"), QVariantList{QStringLiteral("Perlit")});
  EXPECT_EQ(meldungen.protokoll.count(QStringLiteral("Frage: Datensatz wirklich löschen?")), 2);
}

TEST_F(Stoffe, NurUeberDieKnoepfe) {
  Oeffnen();
  Zeigen(Seite());
  ASSERT_TRUE(Seite()->Liste().IstLeer());
  Eingeben(Feld(QStringLiteral("Stoffbezeichnung")), QStringLiteral("Heimlich"));
  Verlassen(Seite());
  EXPECT_EQ(Ganz("select count(*) from S_AndereStoffe"), 0);
}

TEST_F(Stoffe, DoppelklickWaehltNichts) {
  Sql(QStringLiteral("insert into S_AndereStoffe ( BetriebsNr, Stoff, StoffNr ) values ( 2, 'Perlit', 1 )"));
  Oeffnen();
  Zeigen(Seite());
  Doppelklick(Seite(), 0);
  EXPECT_EQ(Seite()->Liste().Zustand(), TADODataSetMod::TZustand::Blaettern);
  EXPECT_FALSE(Seite()->Modell()->index(0, 1).data(Qt::BackgroundRole).isValid());
}

class Weide : public VorauswahlTest {};

TEST_F(Weide, NurDieAuswahlAendertSich) {
  Oeffnen();
  TWeideSeite* s = fenster->Weide();
  Zeigen(s);
  s->GeheZu(ZeileMit(s, QStringLiteral("TA_NR"), 21));
  for (const QString& name : {QStringLiteral("Tierart-Name"), QStringLiteral("N (kg N/a)"), QStringLiteral("P (kg P/a)"),
                              QStringLiteral("Bezugseinheit")})
    EXPECT_TRUE(Element<TDBEditMod>(s->Panel(), name)->isReadOnly()) << name.toStdString();
  EXPECT_EQ(Element<TDBEditMod>(s->Panel(), QStringLiteral("N (kg N/a)"))->text(), QStringLiteral("76,00"));
  EXPECT_EQ(Element<TDBEditMod>(s->Panel(), QStringLiteral("Bezugseinheit"))->text(), QStringLiteral("Tier"));
  Klicken(s->Panel(), QStringLiteral("Auswahl"));
  Klicken(s->Panel(), QStringLiteral("OK"));
  EXPECT_EQ(Ganz("select Auswahl from S_Tiere where BetriebsNr = 2 and TA_NR = 21"), 1);
  EXPECT_EQ(Zahl("select N_ANFALL from S_Tiere where BetriebsNr = 2 and TA_NR = 21"), 76.0);
}

TEST_F(Weide, KeineNeuenTiere) {
  Oeffnen();
  TWeideSeite* s = fenster->Weide();
  Zeigen(s);
  Klicken(s, QStringLiteral("Ausgewählte"));
  ASSERT_TRUE(s->Liste().IstLeer());
  const qlonglong vorher = Ganz("select count(*) from S_Tiere");
  Klicken(s->Panel(), QStringLiteral("Auswahl"));
  Klicken(s->Panel(), QStringLiteral("OK"));
  EXPECT_EQ(Ganz("select count(*) from S_Tiere"), vorher);
  EXPECT_TRUE(s->Liste().IstLeer());
  for (auto* k : s->findChildren<QAbstractButton*>())
    EXPECT_FALSE(k->text().contains(QStringLiteral("anlegen")) || k->text().contains(QStringLiteral("löschen")))
        << k->text().toStdString();
}

}  // namespace
