// Own mineral fertilisers: created only through "eigenen anlegen", named
// with a leading "_", numbered from their ID, P and P2O5 converted; shipped
// rows change only in their selection.
#include "vorauswahltest.h"

#include "adopanel.h"
#include "dbauswahl.h"
#include "dbeditmod.h"

#include <QPushButton>

namespace {

class Mineral : public VorauswahlTest {
protected:
  TMineralSeite* Seite() { return fenster->Mineral(); }
  TDBEditMod* Feld(const QString& name) { return Element<TDBEditMod>(Seite()->Panel(), name); }
  void Anlegen() {
    Zeigen(Seite());
    Klicken(Seite(), QStringLiteral("eigenen anlegen"));
  }
  QVariant Eigen(const QString& spalte) {
    return Wert(QStringLiteral("select %1 from S_MinDung where BetriebsNr = 2 and DuengerGruppeNr = 999").arg(spalte));
  }
  qlonglong Eigene() { return Ganz(QStringLiteral("select count(*) from S_MinDung where DuengerGruppeNr = 999")); }
};

TEST_F(Mineral, EigenenAnlegenZeigtEigeneUndFuegtAn) {
  Oeffnen();
  Anlegen();
  TMineralSeite* s = Seite();
  EXPECT_EQ(s->Gruppe(), QStringLiteral("Eigene"));
  EXPECT_EQ(s->Gruppenknopf(QStringLiteral("Eigene"))->palette().color(QPalette::ButtonText), QColor(Qt::red));
  EXPECT_EQ(s->Liste().Zustand(), TADODataSetMod::TZustand::Einfuegen);
  EXPECT_EQ(Aktuell(s, QStringLiteral("DuengerGruppeNr")), QVariant(999));
  EXPECT_EQ(Aktuell(s, QStringLiteral("DuengerGruppe")), QVariant(QStringLiteral("eigene")));
  EXPECT_EQ(Aktuell(s, QStringLiteral("Auswahl")), QVariant(qlonglong(1)));
  EXPECT_EQ(Aktuell(s, QStringLiteral("BetriebsNr")), QVariant(Betrieb));
  EXPECT_FALSE(Feld(QStringLiteral("Düngemittel"))->isReadOnly());
}

TEST_F(Mineral, SpeichernNummeriertNachIdUndRechnetP2O5) {
  Oeffnen();
  Anlegen();
  Eingeben(Feld(QStringLiteral("Düngemittel")), QStringLiteral("Triplesuperphosphat eigen"));
  Eingeben(Feld(QStringLiteral("N (kg/dt)")), QStringLiteral("0"));
  Eingeben(Feld(QStringLiteral("P (kg/dt)")), QStringLiteral("20"));
  Feld(QStringLiteral("P2O5 (kg/dt)"))->setFocus(Qt::TabFocusReason);
  EXPECT_DOUBLE_EQ(Aktuell(Seite(), QStringLiteral("P2O5")).toDouble(), 45.828);  // 20 × 2.2914
  Klicken(Seite()->Panel(), QStringLiteral("OK"));
  ASSERT_EQ(Eigene(), 1);
  EXPECT_EQ(Eigen(QStringLiteral("Duengemittel")), QVariant(QStringLiteral("_Triplesuperphosphat eigen")));
  EXPECT_EQ(Eigen(QStringLiteral("DuengeMittelNr")), Eigen(QStringLiteral("ID")));
  EXPECT_EQ(Eigen(QStringLiteral("P")), QVariant(20.0));
  EXPECT_DOUBLE_EQ(Eigen(QStringLiteral("P2O5")).toDouble(), 45.828);
  EXPECT_EQ(Eigen(QStringLiteral("Auswahl")), QVariant(qlonglong(1)));
  // The saved row, read anew, stays current with its number.
  EXPECT_EQ(Aktuell(Seite(), QStringLiteral("ID")), Eigen(QStringLiteral("ID")));
  EXPECT_EQ(Aktuell(Seite(), QStringLiteral("DuengeMittelNr")), Eigen(QStringLiteral("ID")));
  EXPECT_EQ(Seite()->Liste().Zustand(), TADODataSetMod::TZustand::Blaettern);
  EXPECT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join('\n').toStdString();
}

TEST_F(Mineral, P2O5VerlassenRechnetP) {
  Oeffnen();
  Anlegen();
  Eingeben(Feld(QStringLiteral("P2O5 (kg/dt)")), QStringLiteral("10"));
  Feld(QStringLiteral("Düngemittel"))->setFocus(Qt::TabFocusReason);
  EXPECT_DOUBLE_EQ(Aktuell(Seite(), QStringLiteral("P")).toDouble(), 4.364);  // 10 × 0.4364
  // Passing through P without typing keeps P2O5 as entered.
  Feld(QStringLiteral("P (kg/dt)"))->setFocus(Qt::TabFocusReason);
  Feld(QStringLiteral("Düngemittel"))->setFocus(Qt::TabFocusReason);
  EXPECT_DOUBLE_EQ(Aktuell(Seite(), QStringLiteral("P2O5")).toDouble(), 10.0);
}

struct TNamensFall {
  QString eingabe;
  QString gespeichert;
};

void PrintTo(const TNamensFall& f, std::ostream* os) { *os << '"' << f.eingabe.toStdString() << '"'; }

class Namen : public Mineral, public ::testing::WithParamInterface<TNamensFall> {};

TEST_P(Namen, EigeneNamenBeginnenMitUnterstrich) {
  Oeffnen();
  Anlegen();
  Eingeben(Feld(QStringLiteral("Düngemittel")), GetParam().eingabe);
  Klicken(Seite()->Panel(), QStringLiteral("OK"));
  EXPECT_EQ(Eigen(QStringLiteral("Duengemittel")), QVariant(GetParam().gespeichert));
}

INSTANTIATE_TEST_SUITE_P(Faelle, Namen,
                         ::testing::Values(TNamensFall{"Kalk", "_Kalk"}, TNamensFall{"  Kalk grob ", "_Kalk grob"},
                                           TNamensFall{"_Kalk", "_Kalk"}, TNamensFall{"", ""}));

TEST_F(Mineral, AendernEinesEigenenBehaeltUnterstrichUndNummer) {
  Sql(QStringLiteral("insert into S_MinDung ( BetriebsNr, Duengemittel, DuengeMittelNr, DuengerGruppeNr, DuengerGruppe, N ) "
                     "values ( 2, '_Mist', 7000, 999, 'eigene', 5 )"));
  Oeffnen();
  Zeigen(Seite());
  Klicken(Seite(), QStringLiteral("Eigene"));
  Eingeben(Feld(QStringLiteral("N (kg/dt)")), QStringLiteral("7,5"));
  Verlassen(Seite());
  EXPECT_EQ(Eigen(QStringLiteral("N")), QVariant(7.5));
  EXPECT_EQ(Eigen(QStringLiteral("DuengeMittelNr")), QVariant(7000));
  EXPECT_EQ(Eigen(QStringLiteral("Duengemittel")), QVariant(QStringLiteral("_Mist")));
}

TEST_F(Mineral, MitgelieferteNurAuswahl) {
  Oeffnen();
  Zeigen(Seite());
  Seite()->GeheZu(ZeileMit(Seite(), QStringLiteral("DuengeMittelNr"), 1));
  for (const QString& name : {QStringLiteral("Düngemittel"), QStringLiteral("N (kg/dt)"), QStringLiteral("P (kg/dt)"),
                              QStringLiteral("P2O5 (kg/dt)")})
    EXPECT_TRUE(Feld(name)->isReadOnly()) << name.toStdString();
  EXPECT_FALSE(Element<TDBComboBoxMod>(Seite()->Panel(), QStringLiteral("Datenherkunft"))->isEnabled());
  Klicken(Seite()->Panel(), QStringLiteral("Auswahl"));
  Klicken(Seite()->Panel(), QStringLiteral("OK"));
  EXPECT_EQ(Ganz("select Auswahl from S_MinDung where BetriebsNr = 2 and DuengeMittelNr = 1"), 1);
  EXPECT_EQ(Wert("select Duengemittel from S_MinDung where BetriebsNr = 2 and DuengeMittelNr = 1"),
            QVariant(QStringLiteral("Alzon 46")));
}

TEST_F(Mineral, DatenherkunftEigenerDuenger) {
  Oeffnen();
  Anlegen();
  auto* herkunft = Element<TDBComboBoxMod>(Seite()->Panel(), QStringLiteral("Datenherkunft"));
  ASSERT_TRUE(herkunft->isEnabled());
  EXPECT_EQ(herkunft->count(), 2);
  Auswaehlen(herkunft, QStringLiteral("Deklaration"));
  Eingeben(Feld(QStringLiteral("Düngemittel")), QStringLiteral("Blaukorn"));
  Klicken(Seite()->Panel(), QStringLiteral("OK"));
  EXPECT_EQ(Eigen(QStringLiteral("Herkunft_Nr")), QVariant(3));
  EXPECT_EQ(Aktuell(Seite(), QStringLiteral("Herkunft")), QVariant(QStringLiteral("Deklaration")));
}

TEST_F(Mineral, EigenenLoeschenNurEigeneNachFrage) {
  Sql(QStringLiteral("insert into S_MinDung ( BetriebsNr, Duengemittel, DuengeMittelNr, DuengerGruppeNr, DuengerGruppe ) "
                     "values ( 2, '_Mist', 7000, 999, 'eigene' )"));
  Oeffnen();
  Zeigen(Seite());
  const qlonglong vorher = Ganz("select count(*) from S_MinDung");
  Seite()->GeheZu(0);
  Klicken(Seite(), QStringLiteral("eigenen löschen"));
  EXPECT_TRUE(meldungen.protokoll.isEmpty()) << "mitgelieferte werden ohne Frage nicht gelöscht";
  EXPECT_EQ(Ganz("select count(*) from S_MinDung"), vorher);
  Klicken(Seite(), QStringLiteral("Eigene"));
  meldungen.antworten = {false, true};
  Klicken(Seite(), QStringLiteral("eigenen löschen"));
  EXPECT_EQ(Eigene(), 1);
  Klicken(Seite(), QStringLiteral("eigenen löschen"));
  EXPECT_EQ(Eigene(), 0);
  EXPECT_EQ(meldungen.protokoll, (QStringList{QStringLiteral("Frage: Datensatz wirklich löschen?"),
                                              QStringLiteral("Frage: Datensatz wirklich löschen?")}));
  EXPECT_TRUE(Seite()->Liste().IstLeer());
}

TEST_F(Mineral, ZeilenNurUeberDenKnopf) {
  Oeffnen();
  Zeigen(Seite());
  Klicken(Seite(), QStringLiteral("Eigene"));
  ASSERT_TRUE(Seite()->Liste().IstLeer());
  const qlonglong vorher = Ganz("select count(*) from S_MinDung");
  // Entering the panel of an empty list would append a row; it is refused.
  Eingeben(Feld(QStringLiteral("Düngemittel")), QStringLiteral("Heimlich"));
  Verlassen(Seite());
  EXPECT_EQ(Ganz("select count(*) from S_MinDung"), vorher);
  EXPECT_TRUE(Seite()->Liste().IstLeer());
}

TEST_F(Mineral, SeitenwechselSetztFilterZurueck) {
  Oeffnen();
  Zeigen(Seite());
  Klicken(Seite(), QStringLiteral("P-Dünger"));
  Zeigen(fenster->Organisch());
  Klicken(fenster->Organisch(), QStringLiteral("Gülle"));
  Zeigen(fenster->Kulturen());
  Klicken(fenster->Kulturen(), QStringLiteral("Getreide"));
  Zeigen(fenster->Stoffe());
  EXPECT_EQ(Seite()->Gruppe(), QStringLiteral("Alle"));
  EXPECT_EQ(Seite()->Liste().Anzahl(), 288);
  EXPECT_EQ(Seite()->Gruppenknopf(QStringLiteral("Alle"))->palette().color(QPalette::ButtonText), QColor(Qt::red));
  EXPECT_EQ(fenster->Organisch()->Gruppe(), QStringLiteral("Alle"));
  EXPECT_EQ(fenster->Kulturen()->Gruppe(), QStringLiteral("Getreide")) << "die Kulturen behalten ihren Filter";
  EXPECT_EQ(fenster->Kulturen()->Liste().Anzahl(), 25);
}

}  // namespace
