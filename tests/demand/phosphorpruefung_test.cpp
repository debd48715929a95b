// The phosphate page's rules without the window: the age of the soil
// analysis, what stops "Berechnen" and in which order, the choices and
// deletions of follow crops and catch crops, the contents and the reset.
#include "phosphorpruefung.h"

#include "dataset.h"
#include "schlagdaten.h"
#include "stickstoffbetrieb.h"

#include <functional>

namespace {

using namespace Phosphorpruefung;

QDate D(const char* iso) { return QDate::fromString(QString::fromLatin1(iso), Qt::ISODate); }

TEST(Phosphorpruefung, AlterDerBodenanalyse) {
  struct TFall {
    const char* analyse;
    const char* berechnung;
    int jahr;
    bool ff1, ff2;
    TAlter alter;
  } const faelle[] = {
      // Six years back: the day decides, a later or the same day is accepted with the note.
      {"2015-03-01", "2021-04-01", 2021, false, false, TAlter::ZuAlt},
      {"2015-05-01", "2021-04-01", 2021, false, false, TAlter::Ablaufhinweis},
      {"2015-04-01", "2021-04-01", 2021, false, false, TAlter::Ablaufhinweis},
      {"2015-03-31", "2021-04-01", 2021, false, false, TAlter::ZuAlt},
      {"2015-01-10", "2020-12-31", 2021, false, false, TAlter::ZuAlt},  // the date's year does not matter
      {"2015-12-31", "", 2021, false, false, TAlter::Ablaufhinweis},    // no date yet: asked for later
      // 1 March is the same day of the year in a leap year.
      {"2014-03-01", "2020-03-01", 2020, false, false, TAlter::Ablaufhinweis},
      {"2014-02-28", "2020-02-29", 2020, false, false, TAlter::ZuAlt},
      {"2014-12-31", "2021-01-01", 2021, false, false, TAlter::ZuAlt},
      {"", "2021-04-01", 2021, false, false, TAlter::ZuAlt},
      // Five and four years back: only with follow crops the period reaches the end.
      {"2016-01-01", "2021-04-01", 2021, false, false, TAlter::Gueltig},
      {"2016-01-01", "2021-04-01", 2021, true, false, TAlter::Ablaufhinweis},
      {"2016-01-01", "2021-04-01", 2021, false, true, TAlter::Ablaufhinweis},
      {"2017-01-01", "2021-04-01", 2021, true, false, TAlter::Ablaufhinweis},
      {"2017-01-01", "2021-04-01", 2021, false, true, TAlter::Gueltig},
      {"2018-01-01", "2021-04-01", 2021, true, true, TAlter::Gueltig},
      {"2022-01-01", "2021-04-01", 2021, true, true, TAlter::Gueltig},
  };
  for (const auto& f : faelle)
    EXPECT_EQ(Analysealter(D(f.analyse), D(f.berechnung), f.jahr, f.ff1, f.ff2), f.alter)
        << f.analyse << " / " << f.berechnung << " / " << f.jahr << " FF " << f.ff1 << f.ff2;
}

// A field the calculation may run for: CAL, analysis of 2019, dated in 2021,
// main and previous crop with yields, no follow crop ever chosen (0).
TBerechnenWerte Bereit() {
  TBerechnenWerte w;
  w.jahr = 2021;
  w.methode = 1;
  w.analyseDatum = D("2019-03-01");
  w.berechnungsDatum = D("2021-03-15");
  w.feldblock = QStringLiteral("DEVLLI0123456789");
  w.parzelle = 12;
  w.pGehalt = 2;
  w.vorfrucht = 902101;
  w.hauptfrucht = 901101;
  w.hfErtrag = 80;
  w.folgefrucht1 = 0;
  w.folgefrucht2 = 0;
  return w;
}

TEST(Phosphorpruefung, HindernisInDerReihenfolgeDerSchritte) {
  struct TFall {
    const char* name;
    std::function<void(TBerechnenWerte&)> aendern;
    THindernis hindernis;
    bool hinweis = false;
    bool ausserhalb = false;
    int zf = -1;
  };
  const TFall faelle[] = {
      {"bereit", [](TBerechnenWerte&) {}, THindernis::Keines},
      {"Datum 2022", [](TBerechnenWerte& w) { w.berechnungsDatum = D("2022-01-02"); }, THindernis::Keines, false, true},
      {"keine Düngung vor EUF", [](TBerechnenWerte& w) { w.keineDuengung = true, w.methode = 3; },
       THindernis::KeineDuengung},
      {"EUF vor zu alt", [](TBerechnenWerte& w) { w.methode = 3, w.analyseDatum = D("2001-01-01"); }, THindernis::Euf},
      {"ohne Methode", [](TBerechnenWerte& w) { w.methode = 0, w.analyseDatum = D("2001-01-01"); },
       THindernis::OhneMethode},
      {"zu alt vor Feldblock", [](TBerechnenWerte& w) { w.analyseDatum = D("2014-12-31"), w.feldblock.clear(); },
       THindernis::AnalyseZuAlt},
      {"Hinweis, dann Feldblock", [](TBerechnenWerte& w) { w.analyseDatum = D("2015-05-01"), w.feldblock = QStringLiteral(" "); },
       THindernis::FeldblockFehlt, true},
      {"Parzelle 0", [](TBerechnenWerte& w) { w.parzelle = 0, w.berechnungsDatum = {}; }, THindernis::ParzelleFehlt},
      {"negative Parzelle", [](TBerechnenWerte& w) { w.parzelle = -3; }, THindernis::Keines},
      {"ohne Datum", [](TBerechnenWerte& w) { w.berechnungsDatum = {}, w.pGehalt = 0; }, THindernis::DatumFehlt},
      {"Gehalt 0,09", [](TBerechnenWerte& w) { w.pGehalt = 0.09, w.vorfrucht = 0; }, THindernis::GehaltZuKlein},
      {"Gehalt 0,1", [](TBerechnenWerte& w) { w.pGehalt = 0.1; }, THindernis::Keines},
      {"ohne Vorfrucht", [](TBerechnenWerte& w) { w.vorfrucht = 0, w.hauptfrucht = 0; }, THindernis::VorfruchtFehlt},
      {"ohne Hauptfrucht", [](TBerechnenWerte& w) { w.hauptfrucht = 0, w.hfErtrag = 0; },
       THindernis::HauptfruchtFehlt},
      {"Ertrag 0", [](TBerechnenWerte& w) { w.hfErtrag = 0, w.folgefrucht1 = 904101; }, THindernis::ErtragFehlt},
      {"Folgefrucht 1 ohne Ertrag", [](TBerechnenWerte& w) { w.folgefrucht1 = 904101, w.folgefrucht2 = 902101; },
       THindernis::Folgefrucht1ErtragFehlt},
      {"Folgefrucht 2 ohne Ertrag",
       [](TBerechnenWerte& w) { w.folgefrucht1 = 904101, w.ff1Ertrag = 40, w.folgefrucht2 = 902101; },
       THindernis::Folgefrucht2ErtragFehlt},
      {"Zwischenfrucht 1. Folgejahr ohne Ertrag",
       [](TBerechnenWerte& w) { w.zwischenfrucht[0] = 720101, w.zfErtrag[0] = 100, w.zwischenfrucht[1] = 720101; },
       THindernis::ZwischenfruchtErtragFehlt, false, false, 1},
      {"Zwischenfrucht mit Ertrag, Folgefrüchte null",
       [](TBerechnenWerte& w) {
         w.zwischenfrucht[2] = 720101, w.zfErtrag[2] = 5, w.folgefrucht1 = QVariant(), w.folgefrucht2 = QVariant();
       },
       THindernis::Keines},
      // Four years back with a follow crop: the note, then the run.
      {"Hinweis, dann Lauf",
       [](TBerechnenWerte& w) { w.analyseDatum = D("2017-06-01"), w.folgefrucht1 = 904101, w.ff1Ertrag = 40; },
       THindernis::Keines, true},
  };
  for (const auto& f : faelle) {
    TBerechnenWerte w = Bereit();
    f.aendern(w);
    const TPruefung p = VorDemBerechnen(w);
    EXPECT_EQ(p.hindernis, f.hindernis) << f.name;
    EXPECT_EQ(p.ablaufhinweis, f.hinweis) << f.name;
    EXPECT_EQ(p.datumAusserhalb, f.ausserhalb) << f.name;
    EXPECT_EQ(p.zwischenfrucht, f.zf) << f.name;
  }
}

TEST(Phosphorpruefung, MeldungenUndZuruecksetzen) {
  struct TFall {
    THindernis h;
    const char* meldung;
    bool zurueck;
  } const faelle[] = {
      {THindernis::Keines, "", false},
      {THindernis::KeineDuengung, "für mit \"Keine Düngung\" markierte Flächen erfolgt keine Berechnung", true},
      {THindernis::Euf,
       "Für Bodenproben bewertet nach dem EUF-Analyseverfahren wird keine P-Düngeempfehlung berechnet. Bitte verwenden "
       "Sie hierzu die entsprechenden Empfehlungen des zuständigen Analyselabors.",
       true},
      {THindernis::OhneMethode, "Proben-Methode nicht ausgewählt, keine Berechnung möglich.", true},
      {THindernis::AnalyseZuAlt,
       "Proben-Analysedatum zu alt, keine Berechnung möglich, eventuell ausgewählte Folgekulturen wurden gelöscht.",
       true},
      {THindernis::FeldblockFehlt, "Bitte Feldblockbezeichnung eingeben.", false},
      {THindernis::ParzelleFehlt, "Bitte die Parzellennummer eingeben.", false},
      {THindernis::DatumFehlt, "Kein gültiges Datum eingegeben, heutiges Datum verwenden?", false},
      {THindernis::GehaltZuKlein, "P-Bodengehalt darf nicht kleiner als 0,1 sein.", true},
      {THindernis::VorfruchtFehlt, "Bitte Vorfrucht auswählen", true},
      {THindernis::HauptfruchtFehlt, "Bitte Hauptfrucht auswählen", true},
      {THindernis::ErtragFehlt, "Bitte gültigen Ertrag angeben", true},
      {THindernis::Folgefrucht1ErtragFehlt, "Bitte gültigen Folgefrucht-1-Ertrag angeben", true},
      {THindernis::Folgefrucht2ErtragFehlt, "Bitte gültigen Folgefrucht-2-Ertrag angeben", true},
      {THindernis::ZwischenfruchtErtragFehlt, "Bitte gültigen Zwischenfrucht-Ertrag angeben", true},
  };
  for (const auto& f : faelle) {
    EXPECT_EQ(Meldung(f.h).toStdString(), f.meldung);
    EXPECT_EQ(SetztZurueck(f.h), f.zurueck) << f.meldung;
  }
}

TEST(Phosphorpruefung, EinheitenNutzungswechselUndWarnungen) {
  struct TEinheit {
    QVariant nummer;
    const char* einheit;
  } const einheiten[] = {{224101, "dt/ha FM"}, {402201, "dt/ha TM"}, {611301, "dt/ha FM"}, {999401, "dt/ha TM"},
                         {0, ""},              {QVariant(), ""},   {-5, ""}};
  for (const auto& e : einheiten)
    EXPECT_EQ(Ertragseinheit(e.nummer).toStdString(), e.einheit) << e.nummer.toString().toStdString();

  struct TWechsel {
    qint64 hf, ff;
    bool wechsel;
  } const wechsel[] = {{224101, 402201, true},  {402201, 224101, true},  {611301, 402201, true},
                       {224101, 611301, false}, {402201, 260201, false}, {0, 402201, false},
                       {224101, 0, false},      {224101, 999401, false}};
  for (const auto& w : wechsel) EXPECT_EQ(Nutzungswechsel(w.hf, w.ff), w.wechsel) << w.hf << " " << w.ff;

  // 150 kg P/ha per crop of the period is still usual.
  EXPECT_TRUE(Bereichswarnung(150, 1).isEmpty());
  EXPECT_TRUE(Bereichswarnung(300, 2).isEmpty());
  EXPECT_TRUE(Bereichswarnung(151, 0).size() > 0);
  EXPECT_EQ(Bereichswarnung(301, 2).toStdString(),
            "Der errechnete Düngebedarf von 301 kg P/ha liegt außerhalb des normalen Bereichs. Bitte püfen Sie Ihre "
            "Eingaben oder setzen Sie sich ggf. mit dem zuständigen Ansprechpartner in Verbindung");

  EXPECT_FALSE(HoherGehalt(1, 20));
  EXPECT_TRUE(HoherGehalt(1, 20.01));
  EXPECT_FALSE(HoherGehalt(2, 25));
  EXPECT_TRUE(HoherGehalt(2, 25.01));
  EXPECT_FALSE(HoherGehalt(3, 90));

  EXPECT_TRUE(Datumswarnung(QStringLiteral("2021-12-31"), 2021).isEmpty());
  EXPECT_TRUE(Datumswarnung(QVariant(), 2021).isEmpty());
  EXPECT_EQ(Datumswarnung(QStringLiteral("2022-01-01"), 2021).toStdString(),
            "Achtung! Phosphor-Berechnungsdatum liegt nicht im aktuellen Jahr");

  EXPECT_EQ(Ueberschrift(true).toStdString(), "Ermittlung Phosphorbedarf für den ökologischen Landbau");
  EXPECT_EQ(Ueberschrift(false).toStdString(), "Ermittlung Phosphorbedarf für den konventionellen Landbau");
}

// --- on a field list ---------------------------------------------------------------

class PhosphorFeld : public StickstoffBetrieb {
protected:
  void SetUp() override {
    StickstoffBetrieb::SetUp();
    Schlag(12, {{"Feldblock", "DEVLLI0123456789"}, {"Groesse", 2.5}, {"Phosphatgebiet", 1}, {"NutzungsForm", 1},
                {"HauptfruchtNummer", 224101}});
    Schlagdaten::ListeDesJahres(liste, Betrieb, Jahr);
    ASSERT_TRUE(liste.Oeffnen());
  }
  QVariant W(const QString& spalte) const { return liste.Wert(spalte); }
  TKultur K(const char* name, double ertrag, double niveau = 80) {
    return TKultur{QString::fromUtf8(name), ertrag, ertrag - 10, niveau};
  }

  TADODataSetMod liste{db};
};

TEST_F(PhosphorFeld, FolgefruechteWaehlenUndLoeschen) {
  // Raps after wheat: name, rounded yield, level.
  EXPECT_EQ(FolgefruchtGewaehlt(liste, 1, 236101, K("Winterraps", 39.6, 40)), TFolgefrucht::Uebernommen);
  EXPECT_EQ(W("Folgefrucht_1").toInt(), 236101);
  EXPECT_EQ(W("FF1_Name").toString().toStdString(), "Winterraps");
  EXPECT_EQ(W("FF1Einzelertrag").toInt(), 40);
  EXPECT_EQ(W("FF1Ertragsniveau").toInt(), 40);
  // A crop without mean yield but with a level wants another look.
  EXPECT_EQ(FolgefruchtGewaehlt(liste, 2, 224101, K("Winterweizen", 0.5, 80)), TFolgefrucht::OhneErtrag);
  EXPECT_EQ(FolgefruchtGewaehlt(liste, 2, 224101, K("Winterweizen", 0.5, 1)), TFolgefrucht::Uebernommen);
  EXPECT_EQ(FolgefruchtGewaehlt(liste, 2, 224101, K("Winterweizen", 80)), TFolgefrucht::Uebernommen);
  ZwischenfruchtGewaehlt(liste, 1, 720101, K("Senf", 0));
  ZwischenfruchtGewaehlt(liste, 2, 722101, K("Phacelia", 0));
  liste.setWert(QStringLiteral("ZFP2_ERTRAG"), 30);
  liste.setWert(QStringLiteral("ZFP2_P2O5"), 4);
  ZwischenfruchtGewaehlt(liste, 2, 720101, K("Senf", 0));
  EXPECT_EQ(W("ZFP2_NAME").toString().toStdString(), "Senf");
  EXPECT_EQ(W("ZFP2_P2O5").toInt(), 0);
  EXPECT_EQ(W("ZFP2_ERTRAG").toInt(), 30);

  // Grassland after arable land: the second follow crop goes alone ...
  EXPECT_EQ(FolgefruchtGewaehlt(liste, 2, 402201, K("Kleegras", 120)), TFolgefrucht::Nutzungswechsel);
  EXPECT_TRUE(W("Folgefrucht_2").isNull());
  EXPECT_EQ(W("ZFP2_NR").toInt(), 0);
  EXPECT_EQ(W("Folgefrucht_1").toInt(), 236101);
  EXPECT_EQ(W("ZFP1_NR").toInt(), 720101);
  // ... the first takes the second and the catch crop of its year with it.
  FolgefruchtGewaehlt(liste, 2, 224101, K("Winterweizen", 80));
  liste.setWert(QStringLiteral("NPFF_1Abgefahren"), 1);
  liste.setWert(QStringLiteral("PEntzugFF1"), 96);
  EXPECT_EQ(FolgefruchtGewaehlt(liste, 1, 402201, K("Kleegras", 120)), TFolgefrucht::Nutzungswechsel);
  for (const char* null : {"Folgefrucht_1", "Folgefrucht_2"}) EXPECT_TRUE(W(QString::fromLatin1(null)).isNull()) << null;
  for (const char* leer : {"FF1_Name", "FF2_Name", "ZFP1_NAME"})
    EXPECT_EQ(W(QString::fromLatin1(leer)).toString().toStdString(), "") << leer;
  for (const char* null0 : {"FF1Einzelertrag", "FF1Ertragsniveau", "NPFF_1Abgefahren", "PEntzugFF1", "FF2Einzelertrag",
                            "ZFP1_NR", "ZFP1_ERTRAG", "PEntzugZFP1"}) {
    EXPECT_FALSE(W(QString::fromLatin1(null0)).isNull()) << null0;
    EXPECT_EQ(W(QString::fromLatin1(null0)).toDouble(), 0) << null0;
  }
  // Stored as the list saves it; the first-year catch crop of the main crop year stays.
  liste.setWert(QStringLiteral("ZFP0_NR"), 720101);
  ASSERT_TRUE(liste.Speichern());
  EXPECT_TRUE(Wert(QStringLiteral("select Folgefrucht_1 from Schlag where Parzelle = 12")).isNull());
  EXPECT_EQ(Wert(QStringLiteral("select ZFP0_NR from Schlag where Parzelle = 12")).toInt(), 720101);
}

TEST_F(PhosphorFeld, HauptUndVorfruchtUndErtragDesNitratgebiets) {
  HauptfruchtGewaehlt(liste, 224101, K("Winterweizen", 80));
  EXPECT_EQ(W("HFEinzelertrag").toDouble(), 80);
  EXPECT_EQ(W("HF_Name").toString().toStdString(), "Winterweizen");
  liste.setWert(QStringLiteral("BewirtschaftungsAuflagen"), 2);
  HauptfruchtGewaehlt(liste, 224101, K("Winterweizen", 80));
  EXPECT_EQ(W("HFEinzelertrag").toDouble(), 70);
  VorfruchtGewaehlt(liste, 236101, K("Winterraps", 38.5));
  EXPECT_EQ(W("Vorfrucht").toInt(), 236101);
  EXPECT_EQ(W("VF_Name").toString().toStdString(), "Winterraps");
  EXPECT_EQ(W("VFEinzelertrag").toInt(), 39);

  // A typed yield names the field's main crop as the crop list names it.
  liste.setWert(QStringLiteral("HF_Name"), QStringLiteral("Winterraps"));
  HauptfruchtErtragGetippt(db, liste, Betrieb);
  EXPECT_EQ(W("HF_Name").toString().toStdString(), "Winterweizen A, B");
}

TEST_F(PhosphorFeld, GehalteKlasseUndZuruecksetzen) {
  liste.setWert(QStringLiteral("P_Methode"), 1);
  liste.setWert(QStringLiteral("P_Gehalt"), 2.5);
  GehaltEingegeben(liste, false);
  EXPECT_NEAR(W("P2O5_Gehalt").toDouble(), 5.7285, 1e-9);
  EXPECT_EQ(W("P_GehaltsKlasse").toString().toStdString(), "A");
  liste.setWert(QStringLiteral("P2O5_Gehalt"), 22.914);
  GehaltEingegeben(liste, true);
  EXPECT_NEAR(W("P_Gehalt").toDouble(), 10, 1e-9);
  EXPECT_EQ(W("P_GehaltsKlasse").toString().toStdString(), "D");
  liste.setWert(QStringLiteral("P2O5_Gehalt"), QVariant());
  GehaltEingegeben(liste, true);
  EXPECT_TRUE(W("P_Gehalt").isNull());
  EXPECT_EQ(W("P_GehaltsKlasse").toString().toStdString(), "");

  // Remembered date and method go with the class they give.
  liste.setWert(QStringLiteral("P_Gehalt"), 4);
  const TDatumMethode gemerkt{QStringLiteral("2021-03-15"), QStringLiteral("2019-03-01"), 2};
  Setzen(liste, gemerkt);
  EXPECT_EQ(W("P_GehaltsKlasse").toString().toStdString(), "B");
  const TDatumMethode zurueck = Merken(liste);
  EXPECT_EQ(zurueck.berechnungsDatum, gemerkt.berechnungsDatum);
  EXPECT_EQ(zurueck.analyseDatum, gemerkt.analyseDatum);
  EXPECT_EQ(zurueck.methode.toInt(), 2);

  // The reset empties results and class on the stored field, past the derivation.
  ASSERT_TRUE(liste.Speichern());
  Sql(QStringLiteral("update Schlag set P_Jahre = 2, P_EGes = 1, P2O5_EGes = 2, P_ZuAbBoden = 3, P2O5_ZuAbBoden = 4, "
                     "P_AbVorFruchtNP = 5, P2O5_AbFruchtNP = 6, P_DuengeBedarf = 7, P2O5_DuengeBedarf = 8, "
                     "P_DuengeBedarfFachlich = 9, P2O5_DuengeBedarfFachlich = 10, PEntzugHF = 11"));
  ASSERT_TRUE(Zuruecksetzen(db, W("ID").toLongLong()));
  EXPECT_EQ(Wert(QStringLiteral("select P_Jahre + P_EGes + P2O5_EGes + P_ZuAbBoden + P2O5_ZuAbBoden + P_AbVorFruchtNP "
                                "+ P2O5_AbFruchtNP + P_DuengeBedarf + P2O5_DuengeBedarf + P_DuengeBedarfFachlich + "
                                "P2O5_DuengeBedarfFachlich from Schlag"))
                .toDouble(),
            0);
  EXPECT_EQ(Wert(QStringLiteral("select P_GehaltsKlasse from Schlag")).toString().toStdString(), "");
  EXPECT_EQ(Wert(QStringLiteral("select PEntzugHF from Schlag")).toInt(), 11);
}

TEST_F(PhosphorFeld, KulturlistenUndKulturzeilen) {
  for (const auto& [fa, gruppe, niveau] : std::vector<std::tuple<int, int, QVariant>>{{224101, 100, 80},
                                                                                      {236101, 210, 40},
                                                                                      {396101, 750, 1},
                                                                                      {720101, 740, QVariant()},
                                                                                      {818101, 740, QVariant()},
                                                                                      {402201, 310, 120}})
    Stamm(fa, {{"Auswahl", 1}, {"FRU_ARTGRNR", gruppe}, {"Ertragsniveau", niveau}});
  Stamm(818101, {{"Kultur", "Ölrettich"}});
  Stamm(720101, {{"Kultur", "senf"}});
  const auto namen = [](const TWerte& w) {
    QStringList n;
    for (const auto& [text, wert] : w) n << text + QLatin1Char('=') + wert.toString();
    return n.join(QStringLiteral(", ")).toStdString();
  };
  // No fallow among the crops; whole plants only among catch crops; umlauts with their base letters.
  EXPECT_EQ(namen(Kulturen(db, Betrieb, TWahl::Frucht)),
            "Kleegras (50:50)=402201, Winterraps=236101, Winterweizen A, B=224101");
  EXPECT_EQ(namen(Kulturen(db, Betrieb, TWahl::Zwischenfrucht)), "Kleegras (50:50)=402201, Ölrettich=818101, senf=720101");

  EXPECT_EQ(Kulturzeilen(db, Betrieb, Jahr, 12).vorhanden, false);
  const qint64 zf = Kultur(12, 0, {{"FruchtNr", 0}});
  EXPECT_EQ(Kulturzeilen(db, Betrieb, Jahr, 12).vorhanden, false);
  EXPECT_EQ(Kulturzeilen(db, Betrieb, Jahr, 12).unvollstaendig, zf);
  Sql(QStringLiteral("update Anbau set HauptfruchtNummer = 10 where ID = :id"), {{QStringLiteral("id"), zf}});
  Kultur(12, 224101);
  EXPECT_EQ(Kulturzeilen(db, Betrieb, Jahr, 12).vorhanden, true);
  EXPECT_EQ(Kulturzeilen(db, Betrieb, Jahr, 12).unvollstaendig, 0);
  const qint64 einzeln = Kultur(12, 236101, {{"FruchtNr", 2}, {"IsEinzelErtrag", 1}, {"Einzelertrag", 0}});
  Kultur(12, 0, {{"FruchtNr", 3}});
  JahrAnlegen(Jahr + 1);
  Schlag(12, {}, Jahr + 1);
  Kultur(12, 0, {}, Jahr + 1);  // the next year does not count
  EXPECT_EQ(Kulturzeilen(db, Betrieb, Jahr, 12).unvollstaendig, einzeln);
}

}  // namespace
