// Records entered as the recording window enters them: added, item and crop
// chosen, saved with their master values and loads; the checks that stop a
// save; the crop row new records attach to; copies onto another field.
#include "aufzeichnungsbetrieb.h"
#include "aufzeichnungsliste.h"

#include "dataset.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace Aufzeichnung;

class Aufzeichnungsliste : public AufzeichnungsBetrieb {
protected:
  void SetUp() override {
    AufzeichnungsBetrieb::SetUp();
    Feld(1, 5);
    kultur = Kultur(1, 115101, K("Winterweizen"), {{K("KannHerbstDuengung"), 1}});
    Stamm(K("S_MinDung"), K("DuengeMittelNr"), Kas, {{K("N"), 27}, {K("P"), 0}, {K("P2O5"), 0}, {K("Herkunft_Nr"), 3}});
    Stamm(K("S_OrgDung"), K("OrgDngNummer"), Guelle,
          {{K("NT"), 4.0}, {K("NH4"), 2.0}, {K("P"), 0.8}, {K("P2O5_Gehalt"), 1.8331}, {K("TaVerfNr"), 1},
           {K("OrgDngGrpNummer"), 1}, {K("GruppeNr"), 1}, {K("N_AnrechenbarALWert"), 2.4},
           {K("N_AnrechenbarGLWert"), 2.2}, {K("Herkunft_Nr"), 2}});
    Stamm(K("S_Tiere"), K("TA_NR"), Jungrind,
          {{K("N_ANFALL"), 100}, {K("VERLUST_WEIDE"), 25}, {K("P_ANFALL"), 20}, {K("TIERGRUPPE_NR"), 2}});
    Stoff(7, K("Pflanzenkohle"), 2, 2.5, 1.5, 0.3);
    ASSERT_TRUE(liste.SchlagSetzen(1, 5));
  }

  TADODataSetMod& L() { return liste.Liste(); }
  // Adds a record and enters its values as a panel does.
  void Anlegen(int kategorie, const QVariantMap& werte, qint64 ziel = 0) {
    ASSERT_TRUE(liste.Anlegen(kategorie, ziel ? ziel : kultur));
    for (auto it = werte.begin(); it != werte.end(); ++it) {
      L().setWert(it.key(), it.value());
      if (it.key() == K("DngNummer")) liste.StammwerteUebernehmen();
      if (it.key() == K("ProbenID")) liste.KulturGewaehlt();
    }
  }
  QVariant Gespeichert(const QString& spalte, qint64 id) {
    return Wert(K("select %1 from Dung where ID = :id").arg(spalte), {{K("id"), id}});
  }
  qint64 Letzte() { return Wert(K("select max(ID) from Dung")).toLongLong(); }
  int Anzahl() { return Wert(K("select count(*) from Dung")).toInt(); }

  TAufzeichnungsliste liste{db, meldungen, Betrieb, Jahr};
  qint64 kultur = 0;
};

const QString April = QStringLiteral("2021-04-01");

TEST_F(Aufzeichnungsliste, JedeArtMitStammwertenUndLasten) {
  struct Fall {
    const char* name;
    int kategorie;
    QVariantMap eingabe;
    std::map<QString, QVariant> gespeichert;
  };
  const std::vector<Fall> faelle = {
      {"Mineraldünger", Mineral, {{K("Datum"), April}, {K("DngNummer"), Kas}, {K("Menge"), 3}},
       {{K("Dng"), K("KAS 27")}, {K("GruppeNr"), 1}, {K("NT"), 27.0}, {K("NH4N"), 27.0}, {K("P"), 0.0},
        {K("Herkunft_Nr"), 3}, {K("Nges"), 81.0}, {K("Nverf"), 81.0}, {K("Pges"), 0.0}}},
      {"organischer Dünger", Organisch, {{K("Datum"), April}, {K("DngNummer"), Guelle}, {K("Menge"), 20}},
       {{K("Dng"), K("Gülle normal Rind, konventionell, 8 % TS")}, {K("DngGrpNummer"), 1}, {K("GruppeNr"), 1},
        {K("NT"), 4.0}, {K("NH4N"), 2.0}, {K("P"), 0.8}, {K("P2O5"), 1.8331}, {K("TaVerfNr"), 1},
        {K("N_AnrechenbarAL"), 2.4}, {K("N_AnrechenbarGL"), 2.2}, {K("Herkunft_Nr"), 2},
        {K("Nges"), 80.0}, {K("Nverf"), 40.0}, {K("Pges"), 16.0}}},
      // 10 animals x 100 x (100 - 25) % x 73 days / (5 ha x 365) = 30.
      {"Weide", Weide, {{K("DngNummer"), Jungrind}, {K("WeideTiere"), 10}, {K("WeideTage"), 73},
                         {K("Datum"), K("2021-10-31")}},
       {{K("NT"), 75.0}, {K("P"), 20.0}, {K("GruppeNr"), 2}, {K("Nges"), 30.0}, {K("Nverf"), 0.0}, {K("Pges"), 8.0}}},
      {"andere Stoffe", Stoffe, {{K("Datum"), April}, {K("DngNummer"), 7}, {K("Menge"), 10}},
       {{K("Dng"), K("Pflanzenkohle")}, {K("GruppeNr"), 2}, {K("TaVerfNr"), 2}, {K("NT"), 2.5}, {K("NH4N"), 1.5},
        {K("Herkunft_Nr"), 2}, {K("Nges"), 25.0}, {K("Nverf"), 15.0}, {K("Pges"), 3.0}}},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    Anlegen(f.kategorie, f.eingabe);
    ASSERT_TRUE(L().Speichern()) << meldungen.protokoll.join('\n').toStdString();
    const qint64 id = Letzte();
    EXPECT_EQ(Gespeichert(K("Kategorie"), id).toInt(), f.kategorie);
    EXPECT_EQ(Gespeichert(K("ProbenID"), id).toLongLong(), kultur);
    EXPECT_EQ(Gespeichert(K("Jahr"), id).toInt(), Jahr);
    EXPECT_EQ(Gespeichert(K("Parzelle"), id).toInt(), 1);
    EXPECT_EQ(Gespeichert(K("IstHerbstDuengung"), id).toInt(), 0);
    // The crop may be fertilised in autumn: the record says so for the rules.
    EXPECT_EQ(Gespeichert(K("KannHerbstDuengung"), id).toInt(), 1);
    for (const auto& [spalte, soll] : f.gespeichert) {
      SCOPED_TRACE(spalte.toStdString());
      if (soll.typeId() == QMetaType::Double)
        EXPECT_NEAR(Gespeichert(spalte, id).toDouble(), soll.toDouble(), 1e-9);
      else
        EXPECT_EQ(Gespeichert(spalte, id).toString(), soll.toString());
    }
  }
  EXPECT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join('\n').toStdString();
}

TEST_F(Aufzeichnungsliste, SpeichernHoltDieStammwerteAuchOhneAuswahl) {
  // Item number set without the choice (as the quick recording or an older
  // file may leave it): saving still fills what the rules read.
  ASSERT_TRUE(liste.Anlegen(Organisch, kultur));
  L().setWert(K("Datum"), April);
  L().setWert(K("DngNummer"), Guelle);
  L().setWert(K("Menge"), 10);
  ASSERT_TRUE(L().Speichern());
  const qint64 id = Letzte();
  EXPECT_EQ(Gespeichert(K("DngGrpNummer"), id).toInt(), 1);
  EXPECT_EQ(Gespeichert(K("TaVerfNr"), id).toInt(), 1);
  EXPECT_DOUBLE_EQ(Gespeichert(K("N_AnrechenbarAL"), id).toDouble(), 2.4);
  EXPECT_DOUBLE_EQ(Gespeichert(K("Nges"), id).toDouble(), 40.0);
  // Changed contents in the master data reach the record at its next save.
  Stamm(K("S_OrgDung"), K("OrgDngNummer"), Guelle, {{K("NT"), 5.0}});
  L().setWert(K("Menge"), 12);
  ASSERT_TRUE(L().Speichern());
  EXPECT_DOUBLE_EQ(Gespeichert(K("Nges"), id).toDouble(), 60.0);
}

TEST_F(Aufzeichnungsliste, UnvollstaendigeOderFalscheAufzeichnungWirdNichtGespeichert) {
  Feld(2, 3);
  const qint64 fremd = Kultur(2, 115101, K("Winterweizen"));
  struct Fall {
    const char* name;
    int kategorie;
    QVariantMap eingabe;
    QString meldung;
  };
  const std::vector<Fall> faelle = {
      {"ohne alles", Mineral, {},
       K("Die Aufzeichnung ist unvollständig und wird nicht gespeichert. "
         "Bitte noch angeben: Datum Ausbringung, Ausbringmenge, Düngerart.")},
      {"ohne Menge", Organisch, {{K("Datum"), April}, {K("DngNummer"), Guelle}},
       K("Die Aufzeichnung ist unvollständig und wird nicht gespeichert. Bitte noch angeben: Ausbringmenge.")},
      {"Weide ohne Ende", Weide, {{K("DngNummer"), Jungrind}, {K("WeideTiere"), 4}, {K("WeideTage"), 10}},
       K("Die Aufzeichnung ist unvollständig und wird nicht gespeichert. "
         "Bitte noch angeben: Ende der Weidehaltung.")},
      {"Datum zu früh", Mineral, {{K("Datum"), K("2017-05-01")}, {K("DngNummer"), Kas}, {K("Menge"), 1}},
       K("Das Datum kann nicht kleiner als 2018 sein.")},
      {"Datum zu spät", Mineral, {{K("Datum"), K("2022-02-01")}, {K("DngNummer"), Kas}, {K("Menge"), 1}},
       K("Das Datum kann nicht größer als 2021 sein.")},
      {"Kultur eines anderen Schlags", Mineral,
       {{K("Datum"), April}, {K("DngNummer"), Kas}, {K("Menge"), 1}, {K("ProbenID"), fremd}},
       K("Die gedüngte Kultur gehört nicht zu diesem Schlag. Bitte wählen Sie die Kultur neu aus.")},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    meldungen.Leeren();
    Anlegen(f.kategorie, f.eingabe);
    EXPECT_FALSE(L().Speichern());
    EXPECT_EQ(meldungen.Infos(), QStringList{f.meldung});
    EXPECT_TRUE(liste.AblehnungGemeldet());
    // Nothing written, nothing lost: the record is still being entered.
    EXPECT_EQ(Anzahl(), 0);
    EXPECT_EQ(L().Zustand(), TADODataSetMod::TZustand::Einfuegen);
    L().Abbrechen();
  }
}

TEST_F(Aufzeichnungsliste, AblehnungUnveraenderterWerteEinmalGesagt) {
  Anlegen(Mineral, {{K("Datum"), April}, {K("DngNummer"), Kas}});
  const QString fehlt =
      K("Die Aufzeichnung ist unvollständig und wird nicht gespeichert. Bitte noch angeben: Ausbringmenge.");
  EXPECT_FALSE(L().Speichern());  // leaving the panel
  EXPECT_FALSE(L().Speichern());  // then moving the list: nothing new to say
  EXPECT_EQ(meldungen.Infos(), QStringList{fehlt});
  EXPECT_TRUE(liste.AblehnungGemeldet());
  // Another value, another refusal: said again.
  L().setWert(K("Datum"), K("2016-01-01"));
  EXPECT_FALSE(L().Speichern());
  EXPECT_EQ(meldungen.Infos().size(), 2);
  // A new request ("OK", closing the window) hears the reason again.
  liste.NeuMelden();
  EXPECT_FALSE(L().Speichern());
  EXPECT_EQ(meldungen.Infos().size(), 3);
  L().setWert(K("Datum"), April);
  L().setWert(K("Menge"), 1);
  EXPECT_TRUE(L().Speichern());
  EXPECT_FALSE(liste.AblehnungGemeldet());
}

TEST_F(Aufzeichnungsliste, FehlenderStammeintragBehaeltDieGehalteUndLesefehlerStoppt) {
  Anlegen(Mineral, {{K("Datum"), April}, {K("DngNummer"), Kas}, {K("Menge"), 2}});
  Sql(K("delete from S_MinDung where BetriebsNr = :b and DuengeMittelNr = :n"), {{K("b"), Betrieb}, {K("n"), Kas}});
  ASSERT_TRUE(L().Speichern());
  EXPECT_EQ(meldungen.Infos(), QStringList{K("Düngerart Nr. 28 ist nicht mehr in den Stammdaten des Betriebs; die "
                                             "Aufzeichnung behält ihre bisherigen Gehalte.")});
  EXPECT_DOUBLE_EQ(Gespeichert(K("Nges"), Letzte()).toDouble(), 54.0);
  EXPECT_FALSE(liste.AblehnungGemeldet());

  meldungen.Leeren();
  Sql(K("drop table S_Tiere"));
  Anlegen(Weide, {{K("Datum"), April}, {K("WeideTiere"), 2}, {K("WeideTage"), 5}});
  L().setWert(K("DngNummer"), Jungrind);
  liste.StammwerteUebernehmen();
  EXPECT_EQ(meldungen.Infos(), QStringList{K("Die Stammdaten von Tiergruppe Nr. 2 konnten nicht gelesen werden.")});
  meldungen.Leeren();
  EXPECT_FALSE(L().Speichern());
  EXPECT_EQ(meldungen.Infos(), QStringList{K("Die Stammdaten von Tiergruppe Nr. 2 konnten nicht gelesen werden. "
                                             "Die Aufzeichnung wird nicht gespeichert.")});
}

TEST_F(Aufzeichnungsliste, GewaehlteKulturBestimmtDasJahr) {
  JahrAnlegen(2022);
  Feld(1, 6, 1, 2022);
  const qint64 raps = Kultur(1, 236101, K("Winterraps"), {}, 2022);
  ASSERT_TRUE(liste.SchlagSetzen(1, 5));
  EXPECT_EQ(liste.Kulturen().Anzahl(), 2);
  EXPECT_EQ(liste.KulturText(raps), K("2022 Winterraps"));
  // An autumn application to the rape of the following year.
  Anlegen(Organisch, {{K("Datum"), K("2021-09-15")}, {K("DngNummer"), Guelle}, {K("Menge"), 15}, {K("ProbenID"), raps}});
  ASSERT_TRUE(L().Speichern());
  EXPECT_EQ(Gespeichert(K("Jahr"), Letzte()).toInt(), 2022);
  EXPECT_TRUE(liste.Folgejahr(L().Position()));
  EXPECT_EQ(L().Wert(K("KulturText")).toString(), K("2022 Winterraps"));
  // Back to this year's crop.
  L().setWert(K("ProbenID"), kultur);
  liste.KulturGewaehlt();
  ASSERT_TRUE(L().Speichern());
  EXPECT_EQ(Gespeichert(K("Jahr"), Letzte()).toInt(), 2021);
  EXPECT_FALSE(liste.Folgejahr(L().Position()));
}

TEST_F(Aufzeichnungsliste, LeguminosenMengeJeDtMitDemAnteil) {
  // The legume record of a crop row, as the crop-row save keeps it.
  const auto legum = [&](double anteil) {
    Sql(K("delete from Dung"));
    Sql(K("insert into Dung ( BetriebsNr, Jahr, Parzelle, ProbenID, Kategorie, DngNummer, Dng, N_Bindung_ha, "
          "N_Bindung_ha_gr10P, N_Bindung_dt_FM, N_Bindung_dt_FM_gr10P, Leguminosenanteil, IsLegumPauschal, Nges ) "
          "values ( :b, 2021, 1, :k, 3, 421101, 'Kleegras', 60, 90, 0.5, 0.7, :a, 1, 60 )"),
        {{K("b"), Betrieb}, {K("k"), kultur}, {K("a"), anteil}});
    liste.SchlagSetzen(1, 5);
    L().setWert(K("IsLegumPauschal"), 0);
    L().setWert(K("Menge"), 50);
    EXPECT_TRUE(L().Speichern());
    return Gespeichert(K("Nges"), Letzte()).toDouble();
  };
  EXPECT_DOUBLE_EQ(legum(9.96), 25.0);   // 50 dt x 0.5: not above 10 %
  EXPECT_DOUBLE_EQ(legum(10.0), 25.0);
  EXPECT_DOUBLE_EQ(legum(10.04), 35.0);  // 50 dt x 0.7
}

TEST_F(Aufzeichnungsliste, ZielkulturNeuerAufzeichnungen) {
  Feld(2, 3);
  const qint64 zweite = Kultur(2, 115101, K("Winterweizen"));
  struct Fall {
    const char* name;
    std::function<void()> aendern;
    std::function<qint64()> soll;
  };
  const std::vector<Fall> faelle = {
      {"Kultur_ID des Schlags", [] {}, [&] { return kultur; }},
      {"Kultur_ID leer: letzte Kultur",
       [&] { Sql(K("update Schlag set Kultur_ID = 0 where Parzelle = 1")); },
       [&] { return kultur; }},
      {"Kultur_ID eines anderen Schlags",
       [&] { Sql(K("update Schlag set Kultur_ID = :z where Parzelle = 1"), {{K("z"), zweite}}); },
       [&] { return kultur; }},
      {"Folgefrucht ist die letzte Kultur",
       [&] {
         Sql(K("update Schlag set Kultur_ID = 0 where Parzelle = 1"));
         Sql(K("insert into Anbau ( BetriebsNr, Jahr, Parzelle, FruchtNr, HauptfruchtNummer ) "
               "values ( 2, 2021, 1, 2, 171101 )"));
       },
       [&] { return Wert(K("select max(ID) from Anbau")).toLongLong(); }},
      {"ohne Hauptfruchtnummer",
       [&] { Sql(K("update Anbau set HauptfruchtNummer = 0 where Parzelle = 1")); },
       [] { return qint64(0); }},
      {"Hauptfruchtnummer leer",
       [&] { Sql(K("update Anbau set HauptfruchtNummer = null where Parzelle = 1")); },
       [] { return qint64(0); }},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    f.aendern();
    EXPECT_EQ(Zielkultur(db, Betrieb, Jahr, 1), f.soll());
  }
  EXPECT_EQ(Zielkultur(db, Betrieb, Jahr, 9), 0);  // no such field
}

TEST_F(Aufzeichnungsliste, VorauswahlBietetEintraegeJeArt) {
  Sql(K("update S_MinDung set Auswahl = 0"));
  Sql(K("update S_OrgDung set Auswahl = 0"));
  Sql(K("update S_Tiere set Auswahl = 0"));
  Sql(K("delete from S_AndereStoffe"));
  for (int k : {Mineral, Organisch, Weide, Stoffe}) EXPECT_FALSE(AuswahlVorhanden(db, Betrieb, k)) << k;
  EXPECT_FALSE(AuswahlVorhanden(db, Betrieb, Leguminosen));
  Stamm(K("S_MinDung"), K("DuengeMittelNr"), Kas, {});
  Stamm(K("S_OrgDung"), K("OrgDngNummer"), Guelle, {});
  Stamm(K("S_Tiere"), K("TA_NR"), Jungrind, {});
  Stoff(8, K("Gesteinsmehl"), 3, 0, 0, 0);
  for (int k : {Mineral, Organisch, Weide, Stoffe}) EXPECT_TRUE(AuswahlVorhanden(db, Betrieb, k)) << k;
  // Only the farm's own choice counts.
  Sql(K("update S_MinDung set Auswahl = 0 where BetriebsNr = 2"));
  EXPECT_FALSE(AuswahlVorhanden(db, Betrieb, Mineral));
  EXPECT_EQ(KeineAuswahlFrage(Mineral), K("In der Vorauswahl des Betriebs ist kein Mineraldünger ausgewählt. "
                                          "Möchten Sie die Vorauswahl jetzt öffnen?"));
}

class Kopien : public Aufzeichnungsliste {
protected:
  void SetUp() override {
    Aufzeichnungsliste::SetUp();
    Feld(2, 10);
    ziel = {Betrieb, Jahr, 2, Kultur(2, 171101, K("Wintergerste")), 10};
    Anlegen(Mineral, {{K("Datum"), April}, {K("DngNummer"), Kas}, {K("Menge"), 3}});
    Anlegen(Organisch, {{K("Datum"), April}, {K("DngNummer"), Guelle}, {K("Menge"), 20}});
    Anlegen(Stoffe, {{K("Datum"), April}, {K("DngNummer"), 7}, {K("Menge"), 10}});
    Anlegen(Weide, {{K("DngNummer"), Jungrind}, {K("WeideTiere"), 10}, {K("WeideTage"), 73},
                    {K("Datum"), K("2021-10-31")}});
    ASSERT_TRUE(L().Speichern());
    Sql(K("insert into Dung ( BetriebsNr, Jahr, Parzelle, ProbenID, Kategorie, Nges ) values ( 2, 2021, 1, :k, 3, 60 )"),
        {{K("k"), kultur}});
    mineral = Wert(K("select ID from Dung where Kategorie = 1")).toLongLong();
    weide = Wert(K("select ID from Dung where Kategorie = 4")).toLongLong();
  }
  QVariantList AufZiel(const QString& spalte) {
    QVariantList w;
    TAbfrage a(db, K("select %1 from Dung where Parzelle = 2 order by ID").arg(spalte));
    while (a.Naechste()) w << a.Wert(0);
    return w;
  }
  TZiel ziel;
  qint64 mineral = 0, weide = 0;
};

TEST_F(Kopien, EinzelnUndAlleAufDieAktuelleKulturDesSchlags) {
  const TKopie einzeln = EinzelnKopieren(db, mineral, ziel);
  EXPECT_EQ(einzeln.anzahl, 1);
  EXPECT_TRUE(einzeln.meldung.isEmpty());
  EXPECT_EQ(AufZiel(K("ProbenID")), QVariantList{ziel.kultur});
  // The loads per ha of mineral fertiliser do not depend on the field.
  EXPECT_EQ(AufZiel(K("Nges")), QVariantList{81.0});
  EXPECT_EQ(AufZiel(K("Dng")), QVariantList{K("KAS 27")});

  Sql(K("delete from Dung where Parzelle = 2"));
  const TKopie alle = AlleKopieren(db, kultur, ziel);
  EXPECT_EQ(alle.anzahl, 3);
  // Mineral, organic and other substances; neither grazing nor legumes.
  EXPECT_EQ(AufZiel(K("Kategorie")), (QVariantList{qlonglong(1), qlonglong(2), qlonglong(5)}));
  EXPECT_EQ(AufZiel(K("Nverf")), (QVariantList{81.0, 40.0, 15.0}));
  EXPECT_EQ(AufZiel(K("TaVerfNr")), (QVariantList{qlonglong(0), qlonglong(1), qlonglong(2)}));
  // The originals stay.
  EXPECT_EQ(Wert(K("select count(*) from Dung where Parzelle = 1")).toInt(), 5);
}

TEST_F(Kopien, WeideBekommtDieLastenDesZielschlags) {
  const TKopie k = WeideKopieren(db, weide, ziel);
  EXPECT_EQ(k.anzahl, 1);
  // 10 x 75 x 73 / (10 ha x 365) = 15, P 10 x 20 x 73 / 3650 = 4; on the 5 ha source 30 and 8.
  EXPECT_EQ(AufZiel(K("Nges")), QVariantList{15.0});
  EXPECT_EQ(AufZiel(K("Pges")), QVariantList{4.0});
  EXPECT_DOUBLE_EQ(Gespeichert(K("Nges"), weide).toDouble(), 30.0);
  // A grazing record is not copied as a single fertiliser, nor the reverse.
  EXPECT_EQ(EinzelnKopieren(db, weide, ziel).anzahl, 0);
  EXPECT_EQ(WeideKopieren(db, mineral, ziel).anzahl, 0);
}

TEST_F(Kopien, WasNichtKopiertWerdenKann) {
  JahrAnlegen(2022);
  Feld(1, 6, 1, 2022);
  const qint64 raps = Kultur(1, 236101, K("Winterraps"), {}, 2022);
  Sql(K("insert into Dung ( BetriebsNr, Jahr, Parzelle, ProbenID, Datum, Kategorie, Menge ) "
        "values ( 2, 2022, 1, :k, '2021-09-01', 2, 10 )"),
      {{K("k"), raps}});
  const qint64 folgejahr = Letzte();
  Feld(3, 4);
  struct Fall {
    const char* name;
    std::function<TKopie()> kopieren;
    QString meldung;
  };
  const std::vector<Fall> faelle = {
      {"Düngung zur Kultur des Folgejahres", [&] { return EinzelnKopieren(db, folgejahr, ziel); },
       K("Die gemerkte Düngung ist einer Kultur des Jahres 2022 zugeordnet. Kopien gehören zur aktuellen Kultur des "
         "gewählten Schlages im Jahr 2021; es wurde nichts kopiert.")},
      {"alle Düngungen der Kultur des Folgejahres", [&] { return AlleKopieren(db, raps, ziel); },
       K("Die gemerkte Düngung ist einer Kultur des Jahres 2022 zugeordnet. Kopien gehören zur aktuellen Kultur des "
         "gewählten Schlages im Jahr 2021; es wurde nichts kopiert.")},
      {"Zielschlag ohne Kultur", [&] { return EinzelnKopieren(db, mineral, {Betrieb, Jahr, 3, 0, 4}); },
       K("Der gewählte Schlag hat keine Hauptfrucht, der die Kopie zugeordnet werden kann. Es wurde nichts kopiert.")},
      {"gelöschte Düngung", [&] { return EinzelnKopieren(db, 99999, ziel); },
       K("Die gemerkte Düngung gibt es nicht mehr. Es wurde nichts kopiert.")},
  };
  const int vorher = Anzahl();
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    const TKopie k = f.kopieren();
    EXPECT_EQ(k.anzahl, 0);
    EXPECT_EQ(k.meldung, f.meldung);
    EXPECT_EQ(Anzahl(), vorher);
  }
}

TEST_F(Kopien, LoeschenEntferntNurDieEineAufzeichnung) {
  const int vorher = Anzahl();
  EXPECT_TRUE(Loeschen(db, mineral));
  EXPECT_EQ(Anzahl(), vorher - 1);
  EXPECT_FALSE(Wert(K("select 1 from Dung where ID = :id"), {{K("id"), mineral}}).isValid());
}

}  // namespace
