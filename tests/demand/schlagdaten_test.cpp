// The fields of the demand window without the window: completeness, the
// corrections before saving, parcel numbers and the search.
#include "schlagdaten.h"

#include "dataset.h"
#include "stickstoffbetrieb.h"

#include <functional>

namespace {

using Schlagdaten::TSchlagWerte;

// A complete arable field.
TSchlagWerte Vollstaendig() {
  TSchlagWerte w;
  w.feldblock = QStringLiteral("DEVLLI0123456789");
  w.parzelle = 12;
  w.groesse = 2.5;
  w.bewirtschaftungsAuflagen = 1;
  w.phosphatgebiet = 1;
  w.nutzungsForm = 1;
  w.bkr = 200;
  w.az = 60;
  w.bg = 3;
  w.steingehaltKrume = 1;
  w.durchwurzelungstiefe = 90;
  return w;
}

TEST(Schlagdaten, UnvollstaendigOhneEinePflichtangabe) {
  struct TFall {
    const char* name;
    std::function<void(TSchlagWerte&)> aendern;
    QStringList fehlend;  // the captions named, in the order of the field page
  };
  const TFall faelle[] = {
      {"vollständig", [](TSchlagWerte&) {}, {}},
      {"Bewirtschaftungseinheit", [](TSchlagWerte& w) { w.parzelle = -5; }, {}},
      {"Feldblock leer", [](TSchlagWerte& w) { w.feldblock = QStringLiteral("   "); }, {"Feldblock"}},
      {"ohne Parzelle", [](TSchlagWerte& w) { w.parzelle = 0; }, {"Gesamtparzellennummer"}},
      {"ohne Größe", [](TSchlagWerte& w) { w.groesse = 0; }, {"Größe"}},
      {"ohne Nitratgebiet", [](TSchlagWerte& w) { w.bewirtschaftungsAuflagen = 0; }, {"Nitratgebiet"}},
      {"ohne Phosphatgebiet", [](TSchlagWerte& w) { w.phosphatgebiet = 0; }, {"Phosphorgebiet"}},
      {"ohne Nutzungsform", [](TSchlagWerte& w) { w.nutzungsForm = 0; }, {"Nutzungsform"}},
      {"ohne Bodenklimaraum", [](TSchlagWerte& w) { w.bkr = 0; }, {"Bodenklimaraum"}},
      {"ohne Ackerzahl", [](TSchlagWerte& w) { w.az = 0; }, {"Ackerzahl"}},
      {"ohne Bodengruppe", [](TSchlagWerte& w) { w.bg = 0; }, {"Bodengruppe"}},
      {"ohne Steingehalt", [](TSchlagWerte& w) { w.steingehaltKrume = 0; }, {"Steingehalt Boden (%)"}},
      {"ohne Durchwurzelungstiefe", [](TSchlagWerte& w) { w.durchwurzelungstiefe = 0; }, {"Durchwurzelungstiefe"}},
      {"Grünland ohne Abschlag", [](TSchlagWerte& w) { w.nutzungsForm = 2; },
       {"Abschlag Boden-N-Nachlieferung (Grünland/Feldfutterbau)"}},
      {"Grünland mit Abschlag", [](TSchlagWerte& w) { w.nutzungsForm = 2, w.glBodenart = 1; }, {}},
      {"ohne Düngung und leer", [](TSchlagWerte& w) { w = TSchlagWerte(), w.keineDuengung = true; }, {}},
      // A new field of a farm without region: what the farmer still has to enter.
      {"neuer Schlag",
       [](TSchlagWerte& w) { w.groesse = 0, w.bkr = 0, w.az = 0, w.bg = 0, w.feldblock = QStringLiteral("DEVLLI"); },
       {"Größe", "Bodenklimaraum", "Ackerzahl", "Bodengruppe"}},
      {"leer", [](TSchlagWerte& w) { w = TSchlagWerte(); },
       {"Feldblock", "Gesamtparzellennummer", "Größe", "Nitratgebiet", "Phosphorgebiet", "Nutzungsform",
        "Bodenklimaraum", "Ackerzahl", "Bodengruppe", "Steingehalt Boden (%)", "Durchwurzelungstiefe"}},
  };
  for (const auto& f : faelle) {
    TSchlagWerte w = Vollstaendig();
    f.aendern(w);
    EXPECT_EQ(Schlagdaten::Fehlend(w), f.fehlend) << f.name;
    EXPECT_EQ(Schlagdaten::Unvollstaendig(w), !f.fehlend.isEmpty()) << f.name;
  }
}

TEST(Schlagdaten, FehlendTextEinzahlUndMehrzahl) {
  EXPECT_EQ(Schlagdaten::FehlendText({}), QString());
  EXPECT_EQ(Schlagdaten::FehlendText({QStringLiteral("Ackerzahl")}), QStringLiteral("Es fehlt: Ackerzahl"));
  EXPECT_EQ(Schlagdaten::FehlendText({QStringLiteral("Größe"), QStringLiteral("Bodenklimaraum")}),
            QStringLiteral("Es fehlen: Größe, Bodenklimaraum"));
}

class SchlagdatenBetrieb : public StickstoffBetrieb {
protected:
  TADODataSetMod& Liste() {
    Schlagdaten::ListeDesJahres(liste, Betrieb, Jahr);
    EXPECT_TRUE(liste.Oeffnen());
    return liste;
  }
  TADODataSetMod liste{db};
};

TEST_F(SchlagdatenBetrieb, GespeicherteWerteMitLeerenAlsNull) {
  Schlag(12, {{"Feldblock", "DEVLLI0123456789"}, {"Groesse", 2.5}, {"Phosphatgebiet", 1}, {"NutzungsForm", 1}});
  Schlag(13, {{"Feldblock", "DEVLLI0123456789"}, {"Groesse", 2.5}, {"Phosphatgebiet", 1}, {"NutzungsForm", 1},
              {"AZ", QVariant()}});
  const auto w12 = Schlagdaten::Werte(db, Betrieb, Jahr, 12);
  ASSERT_TRUE(w12.has_value());
  EXPECT_FALSE(Schlagdaten::Unvollstaendig(*w12));
  const auto w13 = Schlagdaten::Werte(db, Betrieb, Jahr, 13);
  ASSERT_TRUE(w13.has_value());
  EXPECT_EQ(w13->az, 0);
  EXPECT_TRUE(Schlagdaten::Unvollstaendig(*w13));
  EXPECT_FALSE(Schlagdaten::Werte(db, Betrieb, Jahr, 14).has_value());
  EXPECT_FALSE(Schlagdaten::Werte(db, Betrieb, Jahr + 1, 12).has_value());
  // The list row gives the same values.
  EXPECT_TRUE(Schlagdaten::Unvollstaendig(Schlagdaten::Werte(Liste(), 1)));
  EXPECT_FALSE(Schlagdaten::Unvollstaendig(Schlagdaten::Werte(liste, 0)));
}

TEST_F(SchlagdatenBetrieb, ParzelleVergebenNurImSelbenBetriebsjahr) {
  JahrAnlegen(2020);
  Schlag(12);
  Schlag(13, {}, 2020);
  EXPECT_TRUE(Schlagdaten::ParzelleVergeben(db, Betrieb, Jahr, 12));
  EXPECT_FALSE(Schlagdaten::ParzelleVergeben(db, Betrieb, Jahr, 13));
  EXPECT_TRUE(Schlagdaten::ParzelleVergeben(db, Betrieb, 2020, 13));
  EXPECT_FALSE(Schlagdaten::ParzelleVergeben(db, Betrieb + 1, Jahr, 12));
}

TEST_F(SchlagdatenBetrieb, ParzelleZumSpeichernDaUndFrei) {
  using Schlagdaten::TParzelle;
  Schlag(12);
  Schlag(13);
  const QVariant id12 = Wert(QStringLiteral("select ID from Schlag where Parzelle = 12"));
  const struct {
    const char* name;
    QVariant parzelle, schlagId;
    TParzelle erwartet;
  } faelle[] = {
      {"neu, frei", 14, QVariant(), TParzelle::Gueltig},
      {"neu, Bewirtschaftungseinheit", -3, QVariant(), TParzelle::Gueltig},
      {"neu, ohne Nummer", QVariant(), QVariant(), TParzelle::Fehlt},
      {"neu, 0", 0, QVariant(), TParzelle::Fehlt},
      {"neu, vergeben", 12, QVariant(), TParzelle::Vergeben},
      {"vorhanden, eigene Nummer", 12, id12, TParzelle::Gueltig},
      {"vorhanden, Nummer des anderen", 13, id12, TParzelle::Vergeben},
      {"vorhanden, Nummer geleert", QVariant(), id12, TParzelle::Fehlt},
  };
  for (const auto& f : faelle)
    EXPECT_EQ(Schlagdaten::ParzellePruefen(db, Betrieb, Jahr, f.parzelle, f.schlagId), f.erwartet) << f.name;
  EXPECT_TRUE(Schlagdaten::ParzellenMeldung(TParzelle::Gueltig).isEmpty());
  EXPECT_EQ(Schlagdaten::ParzellenMeldung(TParzelle::Vergeben),
            QStringLiteral("Diese Parzelle gibt es schon, bitte andere Nummer vergeben."));
}

TEST_F(SchlagdatenBetrieb, VorDemSpeichernHumusBodenklimaraumUndGehaltsklasse) {
  Sql(QStringLiteral("update Betriebe set BKR = 192 where ID = :b"), {{QStringLiteral("b"), Betrieb}});
  Schlag(12, {{"BKR", 0}, {"BG", 6}, {"HumusGroesserVier", 0}, {"P_Methode", 1}, {"P_Gehalt", 1.6}});
  TADODataSetMod& l = Liste();
  ASSERT_TRUE(l.Bearbeiten());
  Schlagdaten::VorDemSpeichern(db, l, Betrieb);
  EXPECT_EQ(l.Wert(QStringLiteral("HumusGroesserVier")).toInt(), 1);
  EXPECT_EQ(l.Wert(QStringLiteral("BKR")).toInt(), 192);
  // CAL 1.6 mg is class B in region 192 (it would be A elsewhere).
  EXPECT_EQ(l.Wert(QStringLiteral("P_GehaltsKlasse")).toString(), QStringLiteral("B"));
}

TEST_F(SchlagdatenBetrieb, SuchenNachNummerDannNameDannKultur) {
  Schlag(1, {{"SchlagNr", 7}, {"SchlagName", "Bachwiese"}, {"Kultur", "Winterraps"}});
  Schlag(2, {{"SchlagNr", 17}, {"SchlagName", "bach"}});
  Schlag(3, {{"SchlagNr", 5}, {"SchlagName", "Bach"}, {"Kultur", "Raps"}});
  Schlag(4, {{"SchlagNr", 6}, {"SchlagName", "Hof"}, {"Kultur", "Hafer"}});
  const TADODataSetMod& l = Liste();
  const struct {
    const char* text;
    int zeile;
  } faelle[] = {
      {"7", 0},       {" 17 ", 1},      {"70", -1},     {"Bach", 2},   {"BACH", 1},  {"bachw", 0},
      {"raps", 2},    {"hafer", 3},     {"winter", 0},  {"Zucker", -1}, {"", -1},     {"   ", -1},
  };
  for (const auto& f : faelle)
    EXPECT_EQ(Schlagdaten::Suchen(l, QString::fromUtf8(f.text)), f.zeile) << f.text;
}

}  // namespace

namespace {

// A new field takes the farm's region only when it is one; otherwise the
// field stays without and is marked incomplete until it gets one.
TEST_F(SchlagdatenBetrieb, NeuerSchlagErbtDenBodenklimaraumDesBetriebes) {
  const struct {
    QVariant betrieb, schlag;
  } faelle[] = {{107, 107}, {199, 199}, {200, QVariant()}, {0, QVariant()}, {QVariant(), QVariant()}};
  for (const auto& f : faelle) {
    Sql(QStringLiteral("update Betriebe set BKR = :bkr where ID = :b"), {{QStringLiteral("bkr"), f.betrieb}, {QStringLiteral("b"), Betrieb}});
    TADODataSetMod& l = Liste();
    ASSERT_TRUE(l.Anfuegen());
    Schlagdaten::Vorgaben(db, l, Betrieb, Jahr);
    EXPECT_EQ(l.Wert(QStringLiteral("BKR")), f.schlag) << f.betrieb.toString().toStdString();
    // Saving does not put an invalid farm region in either.
    l.setWert(QStringLiteral("BKR"), 0);
    Schlagdaten::VorDemSpeichern(db, l, Betrieb);
    EXPECT_EQ(l.Wert(QStringLiteral("BKR")).toInt(), f.schlag.toInt()) << f.betrieb.toString().toStdString();
    l.Abbrechen();
  }
}

}  // namespace
