#include "bilanz.h"
#include "testbetrieb.h"

#include <QFile>
#include <QSet>
#include <QVariantMap>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

using W = std::optional<double>;
const W leer;

std::string Text(W w) { return w ? std::to_string(*w) : std::string("leer"); }

class Naehrstoffbilanz : public TestBetrieb {
protected:
  // A fresh database, for each case of a table.
  void Neu() {
    db.Schliessen();
    QFile::remove(db.DatenbankName());
    meldungen.Leeren();
    TestBetrieb::SetUp();
  }
  // A field of the farm; BewirtschaftungsAuflagen 2 is the nitrate area.
  void Feld(int parzelle, double groesse, int auflagen, const QVariantMap& werte = {}, int jahr = Jahr) {
    QVariantMap w = werte;
    w[QStringLiteral("Groesse")] = groesse;
    w[QStringLiteral("BewirtschaftungsAuflagen")] = auflagen;
    Einfuegen(QStringLiteral("Schlag"), w, parzelle, jahr);
  }
  // A crop row (main crop unless FruchtNr is given); returns its ID.
  qint64 Kultur(int parzelle, const QVariantMap& werte = {}, int jahr = Jahr) {
    QVariantMap w = {{QStringLiteral("FruchtNr"), 1}, {QStringLiteral("HauptfruchtNummer"), 101}};
    for (auto it = werte.begin(); it != werte.end(); ++it) w[it.key()] = it.value();
    Einfuegen(QStringLiteral("Anbau"), w, parzelle, jahr);
    return Wert(QStringLiteral("select max(ID) from Anbau")).toLongLong();
  }
  // A record of the crop row with its loads per ha.
  void Dung(qint64 kultur, int kategorie, const QVariant& datum, double nges, double nverf = 0, double pges = 0,
            int taVerfNr = 0) {
    Sql(QStringLiteral("insert into Dung ( BetriebsNr, Jahr, Parzelle, ProbenID, Datum, Kategorie, TaVerfNr, "
                       "Nges, Nverf, Pges ) select BetriebsNr, Jahr, Parzelle, ID, :d, :k, :t, :n, :nv, :p "
                       "from Anbau where ID = :id"),
        {{QStringLiteral("id"), kultur}, {QStringLiteral("d"), datum}, {QStringLiteral("k"), kategorie},
         {QStringLiteral("t"), taVerfNr}, {QStringLiteral("n"), nges}, {QStringLiteral("nv"), nverf},
         {QStringLiteral("p"), pges}});
  }
  void Flaechen(const QVariant& betriebsgroesse, const QVariant& flaeche170kg, int jahr = Jahr) {
    Sql(QStringLiteral("update DuengeJahr set Betriebsgroesse = :g, Flaeche170kg = :f "
                       "where BetriebsNr = :b and Duengejahr = :j"),
        {{QStringLiteral("g"), betriebsgroesse}, {QStringLiteral("f"), flaeche170kg},
         {QStringLiteral("b"), Betrieb}, {QStringLiteral("j"), jahr}});
  }
  void JahrAnlegen(int jahr) {
    Sql(QStringLiteral("insert into DuengeJahr ( BetriebsNr, Duengejahr ) values ( :b, :j )"),
        {{QStringLiteral("b"), Betrieb}, {QStringLiteral("j"), jahr}});
  }

  TBilanz Gesamt(int jahr = Jahr) {
    const auto b = Bilanz::Gesamtbetrieb(db, Betrieb, jahr);
    EXPECT_TRUE(b.has_value());
    return b.value_or(TBilanz{});
  }
  TBilanz Nitrat(int jahr = Jahr) {
    const auto b = Bilanz::Nitratgebiet(db, Betrieb, jahr);
    EXPECT_TRUE(b.has_value());
    return b.value_or(TBilanz{});
  }

  static void Pruefen(const TBilanz& b, const std::map<QString, W>& erwartet, const std::string& fall = {}) {
    for (const auto& [name, soll] : erwartet) {
      const W ist = b.Wert(name);
      SCOPED_TRACE(fall + " " + name.toStdString());
      ASSERT_EQ(ist.has_value(), soll.has_value()) << "ist " << Text(ist) << ", soll " << Text(soll);
      if (soll) {
        EXPECT_NEAR(*ist, *soll, 1e-9);
      }
    }
  }

private:
  void Einfuegen(const QString& tabelle, QVariantMap w, int parzelle, int jahr) {
    w[QStringLiteral("BetriebsNr")] = Betrieb;
    w[QStringLiteral("Jahr")] = jahr;
    w[QStringLiteral("Parzelle")] = parzelle;
    TestBetrieb::Einfuegen(tabelle, w);
  }
};

// --- One row only for a farm year with a crop row ---------------------------

TEST_F(Naehrstoffbilanz, EineZeileNurWennDerBetriebImJahrEineKulturHat) {
  struct Fall {
    const char* name;
    std::function<void()> anlegen;
    bool zeile;
  };
  const std::vector<Fall> faelle = {
      {"ohne Schlag", [] {}, false},
      {"Schlag ohne Kultur", [this] { Feld(1, 5, 1); }, false},
      {"Kultur nur im Folgejahr, Gabe im Jahr",
       [this] {
         JahrAnlegen(2022);
         Feld(1, 5, 1, {}, 2022);
         Dung(Kultur(1, {}, 2022), 2, QStringLiteral("2021-09-15"), 10);
       },
       false},
      {"Kultur eines anderen Betriebs",
       [this] {
         Sql(QStringLiteral("insert into Betriebe ( ID, Betriebsname ) values ( 3, 'Hof Eiche' )"));
         Sql(QStringLiteral("insert into DuengeJahr ( BetriebsNr, Duengejahr ) values ( 3, 2021 )"));
         Sql(QStringLiteral("insert into Schlag ( BetriebsNr, Jahr, Parzelle ) values ( 3, 2021, 1 )"));
         Sql(QStringLiteral("insert into Anbau ( BetriebsNr, Jahr, Parzelle, FruchtNr ) values ( 3, 2021, 1, 1 )"));
       },
       false},
      {"Zwischenfrucht im Jahr, ohne Aufzeichnungen",
       [this] {
         Feld(1, 5, 1);
         Kultur(1, {{QStringLiteral("FruchtNr"), 0}});
       },
       true},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    Neu();
    Flaechen(10, 10);
    f.anlegen();
    EXPECT_EQ(Bilanz::Gesamtbetrieb(db, Betrieb, Jahr).has_value(), f.zeile);
    EXPECT_EQ(Bilanz::Nitratgebiet(db, Betrieb, Jahr).has_value(), f.zeile);
    EXPECT_EQ(Bilanz::NSummeJeHa(db, Betrieb, Jahr).has_value(), f.zeile);
  }
  EXPECT_TRUE(meldungen.Infos().isEmpty());
}

// --- Empty as 0 ------------------------------------------------------------

// A year with one crop row and nothing else: only the values with an
// empty-as-0 rule are 0, every other value is empty.
TEST_F(Naehrstoffbilanz, OhneAufzeichnungenSindNurDieWerteMitNullregelNull) {
  Flaechen(5, 10);
  Feld(1, 5, 1,
       {{QStringLiteral("HD_DNG"), QVariant()},
        {QStringLiteral("P_DuengeBedarf"), QVariant()},
        {QStringLiteral("P2O5_DuengeBedarf"), QVariant()}});
  Kultur(1, {{QStringLiteral("Duengebedarf"), QVariant()}});

  const QSet<QString> nullGesamt = {
      QStringLiteral("NWeide"),          QStringLiteral("NSummeOhneLegumWeide"), QStringLiteral("NSumme"),
      QStringLiteral("NSumme_ha"),       QStringLiteral("NSumme_haVerf"),        QStringLiteral("PSumme"),
      QStringLiteral("NBedarf"),         QStringLiteral("NBedarfHD"),            QStringLiteral("NBedarfHDRot"),
      QStringLiteral("PBedarf"),
      QStringLiteral("P2O5Bedarf"),      QStringLiteral("NMinDungRG"),           QStringLiteral("NSummeRGOhneLWT"),
      QStringLiteral("FlaecheRotesGebiet"), QStringLiteral("NMinDungRG_ha"),     QStringLiteral("NSummeRGOhneLWT_ha")};
  // In the nitrate area grazing and NSummeOhneLegumWeide keep their emptiness;
  // the demand and NSumme_ha are empty without a field in the nitrate area.
  const QSet<QString> nullNitrat = {
      QStringLiteral("NSumme"),          QStringLiteral("PSumme"),          QStringLiteral("PBedarf"),
      QStringLiteral("P2O5Bedarf"),      QStringLiteral("NMinDungRG"),      QStringLiteral("NSummeRGOhneLWT"),
      QStringLiteral("FlaecheRotesGebiet"), QStringLiteral("NMinDungRG_ha"), QStringLiteral("NSummeRGOhneLWT_ha")};

  const TBilanz gesamt = Gesamt();
  const TBilanz nitrat = Nitrat();
  for (const QString& name : TBilanz::Namen()) {
    Pruefen(gesamt, {{name, nullGesamt.contains(name) ? W(0.0) : leer}}, "Gesamtbetrieb");
    Pruefen(nitrat, {{name, nullNitrat.contains(name) ? W(0.0) : leer}}, "Nitratgebiet");
  }
}

// One record alone: the sums whose other parts are empty. Grazing counts in
// NWeide, NSumme and NSumme_ha but not in NSummeOhneLegumWeide; legume N only
// in NLegum and NSumme.
TEST_F(Naehrstoffbilanz, EinzelnerPostenUndSeineSummen) {
  struct Fall {
    const char* name;
    int kategorie, taVerfNr;
    double nges, nverf, pges;  // per ha, on 10 ha
    std::map<QString, W> soll;
  };
  const std::vector<Fall> faelle = {
      {"Mineraldünger", 1, 0, 40, 40, 2,
       {{"NMinDung", 400.0}, {"NWeide", 0.0}, {"NSummeOhneLegumWeide", 400.0}, {"NSumme", 400.0},
        {"NSumme_ha", 0.0}, {"NSumme_haVerf", 0.0}, {"NSummeVerf", 400.0}, {"NLegum", leer},
        {"PSummeOhneWeide", 20.0}, {"PSumme", 20.0}}},
      {"Gülle", 2, 4, 10, 5, 1,
       {{"NTierDung", 100.0}, {"NVerfN", 50.0}, {"NWeide", 0.0}, {"NSummeOhneLegumWeide", 100.0},
        {"NSumme", 100.0}, {"NSumme_ha", 10.0}, {"NSumme_haVerf", 5.0}, {"NSummeVerf", 50.0}, {"PSumme", 10.0}}},
      {"Weide", 4, 0, 5, 0, 0.5,
       {{"NWeide", 50.0}, {"NSummeOhneLegumWeide", 0.0}, {"NSumme", 50.0}, {"NSumme_ha", 5.0},
        {"NSumme_haVerf", 0.0}, {"NSummeVerf", 0.0}, {"NLegum", leer}, {"PWeide", 5.0},
        {"PSummeOhneWeide", leer}, {"PSumme", 5.0}}},
      {"Leguminosen", 3, 0, 3, 0, 0,
       {{"NLegum", 30.0}, {"NWeide", 0.0}, {"NSummeOhneLegumWeide", 0.0}, {"NSumme", 30.0}, {"NSumme_ha", 0.0},
        {"NSummeVerf", 0.0}, {"PSummeOhneWeide", leer}, {"PSumme", 0.0}}},
  };
  for (const Fall& f : faelle) {
    Neu();
    Flaechen(10, 10);
    Feld(1, 10, 1);
    Dung(Kultur(1), f.kategorie, QStringLiteral("2021-05-01"), f.nges, f.nverf, f.pges, f.taVerfNr);
    Pruefen(Gesamt(), f.soll, f.name);
  }
}

// --- The 170 kg value and its available-N companion -------------------------

TEST_F(Naehrstoffbilanz, NSummeJeHaAusOrganikWeideUndMineral) {
  // 100 kg N organic, 50 kg N grazing, 400 kg N mineral on two fields,
  // Flaeche170kg 10 ha: (50 + 500 - 400) / 10 = 15.
  Flaechen(10, 10);
  Feld(1, 4, 1);
  Feld(2, 6, 1);
  const qint64 a = Kultur(1);
  const qint64 b = Kultur(2);
  Dung(a, 2, QStringLiteral("2021-03-10"), 25, 0, 0, 1);  // 100 kg
  Dung(a, 1, QStringLiteral("2021-04-01"), 40);           // 160 kg
  Dung(a, 4, QStringLiteral("2021-10-31"), 12.5);         //  50 kg
  Dung(b, 1, QStringLiteral("2021-04-02"), 40);           // 240 kg
  Dung(b, 3, QVariant(), 5);                              //  30 kg legume N: not in the value

  Pruefen(Gesamt(), {{"NSummeOhneLegumWeide", 500.0}, {"NWeide", 50.0}, {"NMinDung", 400.0},
                     {"NLegum", 30.0}, {"NSumme", 580.0}, {"NSumme_ha", 15.0}});
  const auto wert = Bilanz::NSummeJeHa(db, Betrieb, Jahr);
  ASSERT_TRUE(wert.has_value());
  EXPECT_NEAR(*wert, 15.0, 1e-9);
}

TEST_F(Naehrstoffbilanz, VerfuegbarerStickstoffJeHaOhneMineralduenger) {
  // 60 kg available N organic and 20 kg from other substances on Flaeche170kg 8 ha.
  Flaechen(8, 8);
  Feld(1, 4, 1);
  const qint64 k = Kultur(1);
  Dung(k, 2, QStringLiteral("2021-03-10"), 30, 15, 0, 2);
  Dung(k, 5, QStringLiteral("2021-03-11"), 10, 5, 0, 1);
  Pruefen(Gesamt(), {{"NMinDung", leer}, {"NSummeOhneLegumWeideVerf", 80.0}, {"NSumme_haVerf", 10.0}});
}

// The divisor cases of the per-ha values. A field of 5 ha (or 0) outside the
// nitrate area with 10 kg N/ha organic (4 kg available); optionally a
// nitrate-area field with 3 kg N/ha organic.
TEST_F(Naehrstoffbilanz, JeHaWerteBeiFehlendenFlaechen) {
  struct Fall {
    const char* name;
    double feld;
    W rotesGebiet;  // size of the nitrate-area field; empty: no such field
    double flaeche170kg;
    W nsummeHa, nsummeHaVerf, nitratNSummeHa;
  };
  const std::vector<Fall> faelle = {
      {"ohne Nitratgebiet", 5, leer, 10, 5.0, 2.0, leer},
      {"mit Nitratgebiet", 5, 10.0, 10, 8.0, 2.0, 3.0},
      {"Nitratgebiet ohne Größe", 5, 0.0, 10, 5.0, 2.0, 0.0},
      {"keine Schlaggrößen", 0, leer, 10, 0.0, 0.0, 0.0},
      {"Flaeche170kg 0", 5, leer, 0, leer, leer, leer},
      {"keine Schlaggrößen und Flaeche170kg 0", 0, leer, 0, leer, 0.0, 0.0},
  };
  for (const Fall& f : faelle) {
    Neu();
    Flaechen(10, f.flaeche170kg);
    Feld(1, f.feld, 1);
    Dung(Kultur(1), 2, QStringLiteral("2021-03-01"), 10, 4, 0, 1);
    if (f.rotesGebiet) {
      Feld(2, *f.rotesGebiet, 2);
      Dung(Kultur(2), 2, QStringLiteral("2021-03-01"), 3, 0, 0, 1);
    }
    Pruefen(Gesamt(), {{"NSumme_ha", f.nsummeHa}, {"NSumme_haVerf", f.nsummeHaVerf}}, f.name);
    Pruefen(Nitrat(), {{"NSumme_ha", f.nitratNSummeHa}, {"NSumme_haVerf", leer}}, f.name);
  }
}

// --- Breakdown by category and kind ---------------------------------------

TEST_F(Naehrstoffbilanz, AufteilungNachKategorieUndArt) {
  Flaechen(2, 10);
  Feld(1, 2, 1);
  const qint64 k = Kultur(1);
  const QString d = QStringLiteral("2021-06-01");
  // kg/ha: Nges, Nverf, Pges, TaVerfNr
  Dung(k, 1, d, 1, 1, 0.5);
  Dung(k, 2, d, 2, 1, 1, 1);
  Dung(k, 2, d, 4, 2, 2, 12);
  Dung(k, 2, d, 8, 4, 4, 13);
  Dung(k, 2, d, 16, 8, 8, 26);
  Dung(k, 2, d, 32, 16, 16, 0);  // no kind: only in the sums
  Dung(k, 4, d, 64, 0, 32);
  Dung(k, 5, d, 128, 64, 3, 1);
  Dung(k, 5, d, 256, 128, 5, 2);
  Dung(k, 5, d, 512, 256, 7, 3);
  Dung(k, 5, d, 1024, 512, 9, 4);
  Dung(k, 3, QVariant(), 2048);

  // kg on the 2 ha field.
  Pruefen(Gesamt(), {
                        {"NMinDung", 2.0},
                        {"NTierDung", 12.0},
                        {"NVerfN", 6.0},
                        {"NVerfNTier", 6.0},
                        {"NWeide", 128.0},
                        {"NSonstDung", 48.0},
                        {"NVerfSonstDung", 24.0},
                        {"NPflanzenHilf", 256.0},
                        {"NKulturSubstrat", 512.0},
                        {"NBodenHilf", 1024.0},
                        {"NAbfall", 2048.0},
                        {"NPflanzenHilfVerf", 128.0},
                        {"NKulturSubstratVerf", 256.0},
                        {"NBodenHilfVerf", 512.0},
                        {"NAbfallVerf", 1024.0},
                        {"NLegum", 4096.0},
                        {"NSummeOhneLegumWeide", 3966.0},
                        {"NSummeOhneLegumWeideVerf", 1984.0},
                        {"NSumme_Verf", 1984.0},
                        {"NSumme", 8190.0},
                        {"NSummeVerf", 1984.0},
                        {"NSumme_ha", 409.2},      // (128 + 3966 - 2) / 10
                        {"NSumme_haVerf", 198.2},  // (1984 - 2) / 10
                        {"PMinDung", 1.0},
                        {"PTierDung", 6.0},
                        {"PWeide", 64.0},
                        {"PSonstDung", 24.0},
                        {"PPflanzenHilf", 6.0},
                        {"PKulturSubstrat", 10.0},
                        {"PBodenHilf", 14.0},
                        {"PAbfall", 18.0},
                        {"PSummeOhneWeide", 111.0},
                        {"PSumme", 175.0},
                    });
}

// --- Which records count for the year --------------------------------------

// One record of 1 kg N/ha; the field has 2 ha in 2021 and 5 ha in 2022.
TEST_F(Naehrstoffbilanz, JahrEinerAufzeichnung) {
  struct Fall {
    const char* name;
    int kategorie;
    int kulturJahr;
    QVariant datum;
    double nsumme2021, nsumme2022;
  };
  const QVariant ohne;
  const std::vector<Fall> faelle = {
      {"Herbstgabe 15.09. zur Kultur des Folgejahres", 2, 2022, QStringLiteral("2021-09-15"), 5, 0},
      {"Mineraldünger im Jahr", 1, 2021, QStringLiteral("2021-03-01"), 2, 0},
      {"Datum mit Uhrzeit", 1, 2021, QStringLiteral("2021-03-01 00:00:00"), 2, 0},
      {"Gabe des Vorjahres", 5, 2021, QStringLiteral("2020-10-01"), 0, 0},
      {"Weide im Folgejahr beendet", 4, 2021, QStringLiteral("2022-01-15"), 0, 2},
      {"Mineraldünger ohne Datum", 1, 2021, ohne, 0, 0},
      {"organisch ohne Datum", 2, 2021, ohne, 0, 0},
      {"Weide ohne Datum", 4, 2021, ohne, 0, 0},
      {"andere Stoffe ohne Datum", 5, 2021, ohne, 0, 0},
      {"Leguminosen ohne Datum", 3, 2021, ohne, 2, 0},
      {"Leguminosen mit Datum des Folgejahres", 3, 2021, QStringLiteral("2022-05-01"), 2, 0},
      {"Leguminosen des Folgejahres mit Datum im Jahr", 3, 2022, QStringLiteral("2021-05-01"), 0, 5},
  };
  for (const Fall& f : faelle) {
    Neu();
    JahrAnlegen(2022);
    Feld(1, 2, 1);
    Feld(1, 5, 1, {}, 2022);
    const qint64 k2021 = Kultur(1);
    const qint64 k2022 = Kultur(1, {}, 2022);
    Dung(f.kulturJahr == 2021 ? k2021 : k2022, f.kategorie, f.datum, 1, 1, 1, 1);
    Pruefen(Gesamt(2021), {{"NSumme", f.nsumme2021}}, f.name);
    Pruefen(Gesamt(2022), {{"NSumme", f.nsumme2022}}, f.name);
  }
}

TEST_F(Naehrstoffbilanz, AufzeichnungOhneSchlagImJahrIhrerKulturZaehltNicht) {
  // Data from an older database may break the key chain; such a record has no
  // field size and is left out.
  Feld(1, 2, 1);
  Dung(Kultur(1), 1, QStringLiteral("2021-03-01"), 10);
  Sql(QStringLiteral("PRAGMA foreign_keys = OFF"));
  Sql(QStringLiteral("insert into Dung ( BetriebsNr, Jahr, Parzelle, ProbenID, Datum, Kategorie, Nges ) "
                     "values ( 2, 2022, 1, 999, '2021-09-15', 2, 50 )"));
  Sql(QStringLiteral("PRAGMA foreign_keys = ON"));
  Pruefen(Gesamt(), {{"NMinDung", 20.0}, {"NSummeOhneLegumWeide", 20.0}, {"NTierDung", leer}});
}

// --- Demand and the nitrate area -------------------------------------------

TEST_F(Naehrstoffbilanz, DuengebedarfGesamtbetriebUndNitratgebiet) {
  // Nitrate area, 10 ha: crops 80 + 20 kg N/ha = 1000 kg, autumn 6 kg N/ha = 60 kg.
  Feld(1, 10, 2,
       {{QStringLiteral("HD_DNG"), 9}, {QStringLiteral("HD_DNG_RG"), 6},
        {QStringLiteral("P_DuengeBedarf"), 2}, {QStringLiteral("P2O5_DuengeBedarf"), 4.6}});
  Kultur(1, {{QStringLiteral("Duengebedarf"), 80}});
  Kultur(1, {{QStringLiteral("FruchtNr"), 0}, {QStringLiteral("Duengebedarf"), 20}});
  // No restriction, 5 ha: crop 100 kg N/ha = 500 kg, autumn 10 kg N/ha = 50 kg;
  // an uncalculated follow crop adds nothing.
  Feld(2, 5, 1,
       {{QStringLiteral("HD_DNG"), 10}, {QStringLiteral("HD_DNG_RG"), 4},
        {QStringLiteral("P_DuengeBedarf"), 4}, {QStringLiteral("P2O5_DuengeBedarf"), 9}});
  Kultur(2, {{QStringLiteral("Duengebedarf"), 100}});
  Kultur(2, {{QStringLiteral("FruchtNr"), 2}, {QStringLiteral("Duengebedarf"), QVariant()}});
  // Restriction 0: no N demand, but its P demand counts for the whole farm.
  Feld(3, 3, 0,
       {{QStringLiteral("HD_DNG"), 7}, {QStringLiteral("HD_DNG_RG"), 2},
        {QStringLiteral("P_DuengeBedarf"), 1}, {QStringLiteral("P2O5_DuengeBedarf"), 2}});
  Kultur(3, {{QStringLiteral("Duengebedarf"), 50}});

  Pruefen(Gesamt(), {{"NBedarf", 1610.0}, {"NBedarfHD", 110.0}, {"NBedarfRot", 1060.0},
                     {"PBedarf", 43.0}, {"P2O5Bedarf", 97.0}, {"FlaecheRotesGebiet", 10.0}});
  // "Düngebedarf Nitratgebiet (N):" 1060, "Düngebedarf abzüglich 20% (N):" 860.
  Pruefen(Nitrat(), {{"NBedarf", 1060.0}, {"NBedarfRot", 860.0}, {"NBedarfHD", 60.0},
                     {"PBedarf", 20.0}, {"P2O5Bedarf", 46.0}, {"FlaecheRotesGebiet", 10.0}});
}

TEST_F(Naehrstoffbilanz, HerbstbedarfEinesNitratschlagsOhneKulturGehtNichtVerloren) {
  Feld(1, 5, 1);
  Kultur(1, {{QStringLiteral("Duengebedarf"), 100}});
  Feld(2, 10, 2, {{QStringLiteral("HD_DNG_RG"), 6}});  // no crop row this year
  Pruefen(Gesamt(), {{"NBedarf", 560.0}, {"NBedarfRot", 60.0}});
  Pruefen(Nitrat(), {{"NBedarf", 60.0}, {"NBedarfRot", 60.0}, {"NBedarfHD", 60.0}});
}

TEST_F(Naehrstoffbilanz, NaehrstoffeImNitratgebiet) {
  Flaechen(15, 15);
  Feld(1, 10, 2);
  Feld(2, 5, 1);
  const qint64 r = Kultur(1);
  const qint64 a = Kultur(2);
  const QString d = QStringLiteral("2021-04-01");
  Dung(r, 1, d, 10, 10, 1);       // 100 kg N, 10 kg P
  Dung(r, 2, d, 6, 3, 0.5, 1);    //  60 kg N, 30 available, 5 kg P
  Dung(r, 4, d, 2, 0, 0.2);       //  20 kg N, 2 kg P
  Dung(r, 3, QVariant(), 4);      //  40 kg N
  Dung(a, 1, d, 20, 20, 2);       // 100 kg N
  Dung(a, 2, d, 8, 4, 0, 13);     //  40 kg N
  Dung(a, 5, d, 2, 1, 0, 2);      //  10 kg N

  Pruefen(Gesamt(), {{"NMinDung", 200.0}, {"NSummeOhneLegumWeide", 310.0}, {"NSumme", 370.0},
                     {"NMinDungRG", 100.0}, {"NSummeRGOhneLWT", 160.0}, {"FlaecheRotesGebiet", 10.0},
                     {"NMinDungRG_ha", 10.0}, {"NSummeRGOhneLWT_ha", 16.0}});
  Pruefen(Nitrat(), {{"NMinDung", 100.0},
                     {"NTierDung", 60.0},
                     {"NVerfN", 30.0},
                     {"NSonstDung", leer},
                     {"NKulturSubstrat", leer},
                     {"NWeide", 20.0},
                     {"NLegum", 40.0},
                     {"NSummeOhneLegumWeide", 160.0},
                     {"NSummeOhneLegumWeideVerf", 130.0},
                     {"NSumme", 220.0},
                     {"NSummeVerf", 130.0},
                     {"NSumme_ha", 22.0},
                     {"NSumme_haVerf", leer},
                     {"PMinDung", 10.0},
                     {"PSummeOhneWeide", 15.0},
                     {"PSumme", 17.0},
                     {"NMinDungRG", 100.0},
                     {"NSummeRGOhneLWT", 160.0},
                     {"FlaecheRotesGebiet", 10.0},
                     {"NMinDungRG_ha", 10.0},
                     {"NSummeRGOhneLWT_ha", 16.0}});
}

// --- Farm areas, names, failures -------------------------------------------

TEST_F(Naehrstoffbilanz, BetriebsflaechenGerundetUeberNull) {
  struct Fall {
    QVariant groesse, flaeche170kg;
    bool vollstaendig;
  };
  const QVariant leerWert;
  const std::vector<Fall> faelle = {
      {0.4, 10.0, false}, {0.5, 10.0, false}, {0.6, 10.0, true},      {1.5, 10.0, true},
      {10.0, 0.5, false}, {10.0, 1.5, true},  {leerWert, 10.0, false}, {10.0, leerWert, false},
  };
  for (const Fall& f : faelle) {
    Flaechen(f.groesse, f.flaeche170kg);
    EXPECT_EQ(Bilanz::BetriebsflaechenVollstaendig(db, Betrieb, Jahr), f.vollstaendig)
        << f.groesse.toString().toStdString() << " / " << f.flaeche170kg.toString().toStdString();
  }
  EXPECT_FALSE(Bilanz::BetriebsflaechenVollstaendig(db, Betrieb, 2030));  // no such year
}

TEST_F(Naehrstoffbilanz, WerteUnterDenNamenDerSeitenUndDateien) {
  const QStringList namen = TBilanz::Namen();
  for (const char* n :
       {"NMinDung", "NTierDung", "NVerfN", "NVerfNTier", "NVerfTierDung", "NWeide", "NSonstDung", "NVerfSonstDung",
        "NPflanzenHilf", "NKulturSubstrat", "NBodenHilf", "NAbfall", "NPflanzenHilfVerf", "NKulturSubstratVerf",
        "NBodenHilfVerf", "NAbfallVerf", "NLegum", "NSummeOhneLegumWeide", "NSummeOhneLegumWeideVerf",
        "NSumme_Verf", "NSumme", "NSummeVerf", "NSumme_ha", "NSumme_haVerf", "PMinDung", "PTierDung", "PWeide",
        "PSonstDung", "PPflanzenHilf", "PKulturSubstrat", "PBodenHilf", "PAbfall", "PSummeOhneWeide", "PSumme",
        "NBedarf", "NBedarfHD", "NBedarfHDRot", "NBedarfRot", "PBedarf", "P2O5Bedarf", "NMinDungRG",
        "NSummeRGOhneLWT", "FlaecheRotesGebiet", "NMinDungRG_ha", "NSummeRGOhneLWT_ha"})
    EXPECT_TRUE(namen.contains(QLatin1String(n))) << n;

  Flaechen(10, 10);
  Feld(1, 10, 2, {{QStringLiteral("HD_DNG_RG"), 3}});
  Dung(Kultur(1), 2, QStringLiteral("2021-03-01"), 10, 4, 0, 1);
  const TBilanz b = Nitrat();
  EXPECT_EQ(b.Wert(u"NVerfNTier"), b.NVerfN);
  EXPECT_EQ(b.Wert(u"NVerfTierDung"), b.NVerfN);
  EXPECT_EQ(b.Wert(u"NSumme_Verf"), b.NSummeOhneLegumWeideVerf);
  EXPECT_EQ(b.Wert(u"NBedarfHDRot"), b.NBedarfHD);
  EXPECT_FALSE(b.PMinDung.has_value());
  EXPECT_EQ(b.Zahl(u"PMinDung"), 0.0);
  EXPECT_NEAR(b.Zahl(u"NVerfN"), 40.0, 1e-9);
}

// A failing query gives no statement and tells the user in German what failed
// and what to do; the engine's text (naming the missing view) stays out.
TEST_F(Naehrstoffbilanz, FehlerDerAbfrageWirdGemeldet) {
  Feld(1, 10, 1);
  Kultur(1);
  Sql(QStringLiteral("DROP VIEW DungMitFlaeche"));
  const QString erwartet = QStringLiteral(
      "Die Bilanz konnte nicht berechnet werden, weil die Daten des Betriebsjahres nicht gelesen werden konnten. "
      "Bitte die Datenbank prüfen (Programm neu starten) und es erneut versuchen.");
  const std::pair<const char*, std::function<bool()>> faelle[] = {
      {"Gesamtbetrieb", [&] { return Bilanz::Gesamtbetrieb(db, Betrieb, Jahr).has_value(); }},
      {"Nitratgebiet", [&] { return Bilanz::Nitratgebiet(db, Betrieb, Jahr).has_value(); }},
      {"NSummeJeHa", [&] { return Bilanz::NSummeJeHa(db, Betrieb, Jahr).has_value(); }},
  };
  for (const auto& [name, berechnen] : faelle) {
    SCOPED_TRACE(name);
    meldungen.Leeren();
    EXPECT_FALSE(berechnen());
    EXPECT_EQ(meldungen.Infos(), QStringList{erwartet});
    EXPECT_FALSE(meldungen.protokoll.join(u'\n').contains(QLatin1String("DungMitFlaeche")));
  }
}

}  // namespace
