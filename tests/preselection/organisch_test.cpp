// Own organic fertilisers: group and animal type/procedure with the values
// of the loss table, P and P2O5, the creditable N, numbering, deleting,
// and their visibility under "Bewirtschaftung".
#include "vorauswahltest.h"

#include "adopanel.h"
#include "dbauswahl.h"
#include "dbeditmod.h"

#include <QStackedWidget>

namespace {

class Organisch : public VorauswahlTest {
protected:
  TOrganischeSeite* Seite() { return fenster->Organisch(); }
  TDBEditMod* Feld(const QString& name) { return Element<TDBEditMod>(Seite()->EigenPanel(), name); }
  void Anlegen() {
    Zeigen(Seite());
    Klicken(Seite(), QStringLiteral("eigenen anlegen"));
  }
  QVariant Eigen(const QString& spalte) {
    return Wert(QStringLiteral("select %1 from S_OrgDung where BetriebsNr = 2 and IstEigen = 1").arg(spalte));
  }
  QStringList Eintraege(QComboBox* c) {
    QStringList t;
    for (int i = 0; i < c->count(); ++i) t << c->itemText(i);
    return t;
  }
  // A new own fertiliser of a group, saved with a name.
  void EigenerDuenger(const QString& gruppe, const QString& name) {
    Anlegen();
    Auswaehlen(Seite()->GruppenAuswahl(), gruppe);
    Eingeben(Feld(QStringLiteral("Düngemittel")), name);
    Klicken(Seite()->EigenPanel(), QStringLiteral("OK"));
  }
};

TEST_F(Organisch, EigenenAnlegenMitEigenemPanel) {
  Oeffnen();
  Anlegen();
  TOrganischeSeite* s = Seite();
  EXPECT_EQ(s->Gruppe(), QStringLiteral("Eigene"));
  EXPECT_TRUE(s->EigenPanel()->isVisible());
  EXPECT_FALSE(s->Panel()->isVisible());
  EXPECT_EQ(s->Liste().Zustand(), TADODataSetMod::TZustand::Einfuegen);
  EXPECT_EQ(Aktuell(s, QStringLiteral("OrgDngGrpNummer_Temp")), QVariant(999));
  EXPECT_EQ(Aktuell(s, QStringLiteral("OEKO_GRUPPE")), QVariant(1)) << "konventionelles Jahr";
  EXPECT_EQ(Aktuell(s, QStringLiteral("Auswahl")), QVariant(qlonglong(1)));
  EXPECT_EQ(Aktuell(s, QStringLiteral("IstEigen")), QVariant(qlonglong(1)));
  EXPECT_EQ(QApplication::focusWidget(), s->GruppenAuswahl());
  EXPECT_EQ(Eintraege(s->GruppenAuswahl()), (QStringList{"Stallmist", "Gülle", "Jauche", "Geflügelkot", "Kompost", "Sonstige"}));
  Klicken(s, QStringLiteral("Alle"));
  EXPECT_FALSE(s->EigenPanel()->isVisible());
  EXPECT_TRUE(s->Panel()->isVisible());
}

TEST_F(Organisch, OhneGruppeZurueckZurGruppe) {
  Oeffnen();
  Anlegen();
  TOrganischeSeite* s = Seite();
  // Leaving the group unchosen.
  Feld(QStringLiteral("Düngemittel"))->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(meldungen.protokoll, QStringList{QStringLiteral("Info: Bitte erst Gruppe auswählen")});
  EXPECT_EQ(QApplication::focusWidget(), s->GruppenAuswahl());
}

TEST_F(Organisch, VerfahrenOhneGruppeFuehrtZurGruppe) {
  // An own fertiliser saved without a group (its "OK" was pressed at once).
  Sql(QStringLiteral("insert into S_OrgDung ( BetriebsNr, OrgDngNummer, OrgDng, OrgDngGrpNummer_Temp, OEKO_GRUPPE, IstEigen ) "
                     "values ( 2, 6000, '_Rest', 999, 1, 1 )"));
  Oeffnen();
  TOrganischeSeite* s = Seite();
  Zeigen(s);
  Klicken(s, QStringLiteral("Eigene"));
  s->Tabelle()->setFocus(Qt::MouseFocusReason);
  s->TierartAuswahl()->setFocus(Qt::MouseFocusReason);
  EXPECT_EQ(meldungen.protokoll, QStringList{QStringLiteral("Info: Bitte erst Org-Dünger-Gruppe auswählen")});
  EXPECT_EQ(QApplication::focusWidget(), s->GruppenAuswahl());
  EXPECT_EQ(s->TierartAuswahl()->count(), 0);
}

struct TVerfahrensFall {
  QString gruppe;
  int nummer;
  QStringList verfahren;  // what "Tierart/Verfahren" offers
};

void PrintTo(const TVerfahrensFall& f, std::ostream* os) { *os << f.gruppe.toStdString(); }

class Verfahren : public Organisch, public ::testing::WithParamInterface<TVerfahrensFall> {};

TEST_P(Verfahren, GruppeBietetIhreVerfahrenDasErsteSofort) {
  Oeffnen();
  Anlegen();
  TOrganischeSeite* s = Seite();
  Auswaehlen(s->GruppenAuswahl(), GetParam().gruppe);
  EXPECT_EQ(Aktuell(s, QStringLiteral("OrgDngGrpNummer")), QVariant(GetParam().nummer));
  s->TierartAuswahl()->setFocus(Qt::TabFocusReason);
  EXPECT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join('\n').toStdString();
  EXPECT_EQ(Eintraege(s->TierartAuswahl()), GetParam().verfahren);
  EXPECT_EQ(s->TierartAuswahl()->currentText(), GetParam().verfahren.front());
  const QVariant erstes = Wert(QStringLiteral("select TaVerfNr from S_OD_AusbringVerlusteNP where GruppeNr = :g limit 1"),
                               {{QStringLiteral("g"), GetParam().nummer}});
  EXPECT_EQ(Aktuell(s, QStringLiteral("TaVerfNr")), erstes);
  EXPECT_EQ(Aktuell(s, QStringLiteral("TaVerfNrNeu")), erstes);
  EXPECT_EQ(Aktuell(s, QStringLiteral("GruppeNr")), QVariant(GetParam().nummer));
  EXPECT_EQ(Aktuell(s, QStringLiteral("TierartVerfahrenGrp")), QVariant(GetParam().verfahren.front()));
}

INSTANTIATE_TEST_SUITE_P(
    Gruppen, Verfahren,
    ::testing::Values(
        TVerfahrensFall{"Gülle", 1, {"Rind", "Schwein", "Geflügel"}},
        TVerfahrensFall{"Stallmist", 2, {"Rind", "Schwein", "Geflügel", "Andere (z. B. Pferde, Schafe, Ziegen)"}},
        TVerfahrensFall{"Jauche", 3, {"Rind", "Schwein", "Geflügel"}},
        TVerfahrensFall{"Geflügelkot", 4, {"Geflügelkot (trocken)", "Geflügelkot (flüssig)"}},
        // What a user sees for compost: the five composts of the demand view's group 5.
        TVerfahrensFall{"Kompost", 5, {"Klärschlammkompost", "Frischkomposte", "Bioabfallkompost", "Fertigkompost", "Grünschnittkompost"}},
        TVerfahrensFall{"Sonstige", 6,
                        {"Gärrückstände (flüssig) pflanzlicher Herkunft", "Klärschlamm", "alle anderen",
                         "Gärrückstände (flüssig) mit tierischem Anteil", "Gärrückstände (fest) pflanzlicher Herkunft",
                         "Gärrückstände (fest) mit tierischem Anteil", "Gärrückstände (flüssig) sonstige",
                         "Gärrückstände (fest) sonstige", "Klärschlamm fest"}}));

TEST_F(Organisch, VerfahrenUebernimmtDieWerteDerVerlusttabelle) {
  Oeffnen();
  Anlegen();
  TOrganischeSeite* s = Seite();
  Auswaehlen(s->GruppenAuswahl(), QStringLiteral("Kompost"));
  Auswaehlen(s->TierartAuswahl(), QStringLiteral("Grünschnittkompost"));
  EXPECT_EQ(s->TierartAuswahl()->currentText(), QStringLiteral("Grünschnittkompost"));
  // The loss-table row 20 "Grünschnittkompost": group 5 "Kompost", 10 % deduction, creditable 3 %.
  const struct {
    const char* spalte;
    QVariant wert;
  } erwartet[] = {{"TaVerfNr", 20},
                  {"TaVerfNrNeu", 20},
                  {"TierartVerfahrenGrp", "Grünschnittkompost"},
                  {"OrgDngGrp", "Kompost"},
                  {"Gruppe", "Kompost"},
                  {"GruppeNr", 5},
                  {"OrgDngGrpNummer", 5},
                  {"Abzug", 10.0},
                  {"Rest", 0.9},
                  {"D_Kuerzel", "Grünschnittkompost"},
                  {"Aufbringverluste", 10.0},
                  {"Aufbringverluste2020", 10.0},
                  {"IstPflanzlich", 0},
                  {"Biogasverluste", 5.0},
                  {"N_AnrechenbarAL", 3.0},
                  {"N_AnrechenbarGL", 3.0},
                  {"IstEigen", 1}};
  for (const auto& e : erwartet) {
    const QVariant w = Aktuell(s, QLatin1String(e.spalte));
    if (e.wert.typeId() == QMetaType::Double)
      EXPECT_DOUBLE_EQ(w.toDouble(), e.wert.toDouble()) << e.spalte;
    else
      EXPECT_EQ(w.toString(), e.wert.toString()) << e.spalte;
  }
  Eingeben(Feld(QStringLiteral("Düngemittel")), QStringLiteral("Grüngut vom Hof"));
  Eingeben(Feld(QStringLiteral("N (kg/t bzw.m³ FM)")), QStringLiteral("8"));
  Eingeben(Feld(QStringLiteral("Nverf (kg/t bzw.m³ FM)")), QStringLiteral("0,5"));
  Klicken(s->EigenPanel(), QStringLiteral("OK"));
  EXPECT_EQ(Eigen(QStringLiteral("OrgDng")), QVariant(QStringLiteral("_Grüngut vom Hof")));
  EXPECT_EQ(Eigen(QStringLiteral("TaVerfNr")), QVariant(20));
  EXPECT_EQ(Eigen(QStringLiteral("OrgDngNummer")), Eigen(QStringLiteral("ID")));
  // Creditable N per unit: 8 × 3 % = 0.24 on arable land and grassland.
  EXPECT_DOUBLE_EQ(Eigen(QStringLiteral("N_AnrechenbarALWert")).toDouble(), 0.24);
  EXPECT_DOUBLE_EQ(Eigen(QStringLiteral("N_AnrechenbarGLWert")).toDouble(), 0.24);
  EXPECT_EQ(Aktuell(s, QStringLiteral("ID")), Eigen(QStringLiteral("ID")));
  EXPECT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join('\n').toStdString();
}

TEST_F(Organisch, GruppenwechselNimmtDasErsteVerfahrenDerNeuenGruppe) {
  Oeffnen();
  Anlegen();
  TOrganischeSeite* s = Seite();
  Auswaehlen(s->GruppenAuswahl(), QStringLiteral("Gülle"));
  Auswaehlen(s->TierartAuswahl(), QStringLiteral("Schwein"));
  EXPECT_EQ(Aktuell(s, QStringLiteral("TaVerfNr")), QVariant(2));
  // Entering again keeps the chosen procedure.
  Feld(QStringLiteral("Düngemittel"))->setFocus(Qt::TabFocusReason);
  s->TierartAuswahl()->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(Aktuell(s, QStringLiteral("TaVerfNr")), QVariant(2));
  Auswaehlen(s->GruppenAuswahl(), QStringLiteral("Jauche"));
  EXPECT_EQ(Aktuell(s, QStringLiteral("OrgDngGrpNummer")), QVariant(3));
  EXPECT_EQ(Aktuell(s, QStringLiteral("TaVerfNr")), QVariant(8));
  EXPECT_EQ(Aktuell(s, QStringLiteral("OrgDngGrp")), QVariant(QStringLiteral("Jauche")));
  EXPECT_EQ(Eintraege(s->TierartAuswahl()), (QStringList{"Rind", "Schwein", "Geflügel"}));
}

TEST_F(Organisch, PUndP2O5) {
  Oeffnen();
  Anlegen();
  Auswaehlen(Seite()->GruppenAuswahl(), QStringLiteral("Gülle"));
  Eingeben(Feld(QStringLiteral("P (kg/t bzw.m³ FM)")), QStringLiteral("1,5"));
  Feld(QStringLiteral("Düngemittel"))->setFocus(Qt::TabFocusReason);
  EXPECT_DOUBLE_EQ(Aktuell(Seite(), QStringLiteral("P2O5")).toDouble(), 3.4371);  // 1.5 × 2.2914
  EXPECT_DOUBLE_EQ(Aktuell(Seite(), QStringLiteral("P2O5_Gehalt")).toDouble(), 3.4371);
  Eingeben(Feld(QStringLiteral("P2O5 (kg/t bzw.m³ FM)")), QStringLiteral("4"));
  Feld(QStringLiteral("Düngemittel"))->setFocus(Qt::TabFocusReason);
  EXPECT_DOUBLE_EQ(Aktuell(Seite(), QStringLiteral("P")).toDouble(), 1.7456);  // 4 × 0.4364
  EXPECT_DOUBLE_EQ(Aktuell(Seite(), QStringLiteral("P2O5_Gehalt")).toDouble(), 4.0);
}

TEST_F(Organisch, AuswahlMitgelieferterBehaeltDieAnrechenbarenWerte) {
  Oeffnen();
  TOrganischeSeite* s = Seite();
  Zeigen(s);
  // "Stallmist Geflügel, konventionell": 16.9 kg N, 30 %, shipped 5.9 kg creditable N (its ammonium).
  const int zeile = ZeileMit(s, QStringLiteral("OrgDngNummer"), 3);
  Doppelklick(s, zeile);
  EXPECT_EQ(Ganz("select Auswahl from S_OrgDung where BetriebsNr = 2 and OrgDngNummer = 3"), 1);
  EXPECT_DOUBLE_EQ(Zahl("select N_AnrechenbarALWert from S_OrgDung where BetriebsNr = 2 and OrgDngNummer = 3"), 5.9);
  EXPECT_DOUBLE_EQ(Zahl("select N_AnrechenbarGLWert from S_OrgDung where BetriebsNr = 2 and OrgDngNummer = 3"), 5.9);
  EXPECT_EQ(Aktuell(s, QStringLiteral("OrgDngNummer")), QVariant(3));
}

TEST_F(Organisch, SichtbarkeitNachBewirtschaftung) {
  Oeffnen();
  EigenerDuenger(QStringLiteral("Gülle"), QStringLiteral("Gülle Hof"));
  TOrganischeSeite* s = Seite();
  EXPECT_EQ(Eigen(QStringLiteral("OEKO_GRUPPE")), QVariant(1));
  Klicken(s, QStringLiteral("Alle"));
  EXPECT_GE(ZeileMit(s, QStringLiteral("OrgDng"), QStringLiteral("_Gülle Hof")), 0) << "konventionell sichtbar";
  fenster.reset();

  Sql(QStringLiteral("delete from S_OrgDung where IstEigen = 1"));
  Sql(QStringLiteral("update DuengeJahr set IsOeko = 1"));
  Oeffnen();
  EigenerDuenger(QStringLiteral("Gülle"), QStringLiteral("Gülle Bio"));
  EXPECT_EQ(Eigen(QStringLiteral("OEKO_GRUPPE")), QVariant(0));
  EXPECT_EQ(Aktuell(s = Seite(), QStringLiteral("OrgDng")), QVariant(QStringLiteral("_Gülle Bio")));
  const auto sichtbar = [&](int art) {
    s->BewirtschaftungWaehlen(art);
    Klicken(s, QStringLiteral("Alle"));
    return ListenSpalte(s, QStringLiteral("OrgDng")).contains(QStringLiteral("_Gülle Bio"));
  };
  EXPECT_FALSE(sichtbar(0)) << "konventionell";
  EXPECT_TRUE(sichtbar(1)) << "ökologisch";
  EXPECT_TRUE(sichtbar(2)) << "Alle";
}

TEST_F(Organisch, GespeicherteAusDemFilterGefallenWirdDieLetzte) {
  Oeffnen();
  TOrganischeSeite* s = Seite();
  Zeigen(s);
  Klicken(s, QStringLiteral("Ausgewählte"));
  ASSERT_TRUE(s->Liste().IstLeer());
  Klicken(s, QStringLiteral("Gülle"));
  Klicken(s, QStringLiteral("alle auswählen"));
  Klicken(s, QStringLiteral("Ausgewählte"));
  const int n = s->Liste().Anzahl();
  ASSERT_GT(n, 2);
  Doppelklick(s, 0);
  EXPECT_EQ(s->Liste().Anzahl(), n - 1);
  EXPECT_EQ(s->Liste().Position(), n - 2);
}

TEST_F(Organisch, EigenenLoeschenNurEigeneNachFrage) {
  Oeffnen();
  EigenerDuenger(QStringLiteral("Jauche"), QStringLiteral("Jauche Hof"));
  TOrganischeSeite* s = Seite();
  ASSERT_EQ(Ganz("select count(*) from S_OrgDung where IstEigen = 1"), 1);
  meldungen.Leeren();
  Klicken(s, QStringLiteral("Alle"));
  s->GeheZu(0);
  Klicken(s, QStringLiteral("eigenen löschen"));
  EXPECT_TRUE(meldungen.protokoll.isEmpty());
  EXPECT_EQ(Ganz("select count(*) from S_OrgDung where BetriebsNr = 2"), 93);
  Klicken(s, QStringLiteral("Eigene"));
  meldungen.antworten = {false, true};
  Klicken(s, QStringLiteral("eigenen löschen"));
  EXPECT_EQ(Ganz("select count(*) from S_OrgDung where IstEigen = 1"), 1);
  Klicken(s, QStringLiteral("eigenen löschen"));
  EXPECT_EQ(Ganz("select count(*) from S_OrgDung where IstEigen = 1"), 0);
  EXPECT_EQ(meldungen.protokoll.count(QStringLiteral("Frage: Datensatz wirklich löschen?")), 2);
}

}  // namespace
