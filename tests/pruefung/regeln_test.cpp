// The rules of the legal limits, case by case at the edges of each row of the
// table of limits. Every expected amount is worked out by hand from the
// ordinance's figures in the comment beside the case.
#include "regeln.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace Pruefung;

QDate D(int tag, int monat, int jahr) { return QDate(jahr, monat, tag); }

// Crop rows of the farm year 2022.
constexpr qint64 Weizen = 1;       // parcel 1, 2022, arable, harvested in summer
constexpr qint64 Raps = 2;         // parcel 1, 2023, sown in autumn 2022
constexpr qint64 Weide = 3;        // parcel 2, 2022, grassland
constexpr qint64 Zwischen = 4;     // parcel 1, 2023, catch crop without fodder use before the rape
constexpr qint64 Sommergerste = 5; // parcel 3, 2022, sown in spring
constexpr qint64 Kohl = 6;         // parcel 3, 2022, a vegetable follow crop

TJahr Grundjahr() {
  TJahr j;
  j.jahr = 2022;
  j.nitratRegeln = true;
  for (int jahr : {2022, 2023}) {
    j.schlaege.push_back({jahr, 1, 12, QStringLiteral("Am Teich"), 10, false, 2, 60, 60, std::nullopt, std::nullopt});
    j.schlaege.push_back({jahr, 2, 13, QStringLiteral("Wiese"), 5, false, 0, 0, 0, std::nullopt, std::nullopt});
    j.schlaege.push_back({jahr, 3, 14, QStringLiteral("Sommerfeld"), 8, false, 0, 0, 0, std::nullopt, std::nullopt});
  }
  j.kulturen = {
      {Weizen, 2022, 1, 1, 224101, QStringLiteral("Winterweizen A, B"), 1, 100, 14, std::nullopt},
      {Raps, 2023, 1, 1, 236101, QStringLiteral("Winterraps"), 1, 210, 14, std::nullopt},
      {Weide, 2022, 2, 1, 248201, QStringLiteral("Mähweide"), 2, 320, 14, std::nullopt},
      {Zwischen, 2023, 1, 0, 6, QStringLiteral("Nichtleguminose, abgefroren"), 1, 0, 0, std::nullopt},
      {Sommergerste, 2022, 3, 1, 244101, QStringLiteral("Sommergerste"), 1, 100, 14, std::nullopt},
      {Kohl, 2022, 3, 2, 834301, QStringLiteral("Grünkohl"), 3, 710, 14, std::nullopt},
  };
  return j;
}

TKultur& Kultur(TJahr& j, qint64 id) {
  return *std::find_if(j.kulturen.begin(), j.kulturen.end(), [id](const TKultur& k) { return k.id == id; });
}
TSchlag& Feld(TJahr& j, int parzelle, int jahr = 2022) {
  return *std::find_if(j.schlaege.begin(), j.schlaege.end(),
                       [&](const TSchlag& s) { return s.parzelle == parzelle && s.jahr == jahr; });
}
void Nitratgebiet(TJahr& j, int parzelle) {
  for (TSchlag& s : j.schlaege)
    if (s.parzelle == parzelle) s.nitratgebiet = true;
}

// A record booked to the crop row, with its loads per ha.
TDuengung& Neu(TJahr& j, qint64 kultur, const QDate& datum, int kategorie) {
  const TKultur& k = Kultur(j, kultur);
  TDuengung d;
  d.id = qint64(j.duengungen.size()) + 100;
  d.jahr = k.jahr;
  d.parzelle = k.parzelle;
  d.kultur = kultur;
  d.kategorie = kategorie;
  d.datum = datum;
  j.duengungen.push_back(d);
  return j.duengungen.back();
}
// Calcium ammonium nitrate: 27 % N, no phosphate; all N is ammonium-available.
TDuengung& Kas(TJahr& j, qint64 kultur, const QDate& datum, double kgN) {
  TDuengung& d = Neu(j, kultur, datum, 1);
  d.name = QStringLiteral("KAS");
  d.nt = 27;
  d.menge = kgN / 27;
  d.nges = d.nverf = kgN;
  return d;
}
// Cattle slurry, 8 % dry matter, 4 kg N per m3: 5 % N in the dry matter. No
// phosphate, so that only the N rules speak.
TDuengung& Guelle(TJahr& j, qint64 kultur, const QDate& datum, double nges, double nverf) {
  TDuengung& d = Neu(j, kultur, datum, 2);
  d.name = QStringLiteral("Gülle Rind");
  d.taVerfNr = 1;
  d.nt = 4;
  d.tm = 8;
  d.menge = nges / 4;
  d.nges = nges;
  d.nverf = nverf;
  return d;
}
// Cattle solid manure, 25 % dry matter, 6 kg N per t: 2.4 % N in the dry matter.
TDuengung& Festmist(TJahr& j, qint64 kultur, const QDate& datum, double nges) {
  TDuengung& d = Neu(j, kultur, datum, 2);
  d.name = QStringLiteral("Stallmist Rind");
  d.taVerfNr = 4;
  d.nt = 6;
  d.tm = 25;
  d.menge = nges / 6;
  d.nges = nges;
  return d;
}
// Triple superphosphate: 46 % P2O5, no N.
TDuengung& Tsp(TJahr& j, qint64 kultur, const QDate& datum) {
  TDuengung& d = Neu(j, kultur, datum, 1);
  d.name = QStringLiteral("Triple-Superphosphat");
  d.p2o5 = 46;
  d.menge = 1;
  d.pges = 20.07;
  return d;
}

struct TErwartet {
  int regel;
  double wert = 0;
  double grenze = 0;
};

struct TFall {
  const char* name;
  std::function<void(TJahr&)> aufbau;
  std::vector<TErwartet> erwartet;  // in the order of the findings
};

void PrintTo(const TFall& f, std::ostream* os) { *os << f.name; }

class Grenzen : public ::testing::TestWithParam<TFall> {};

TEST_P(Grenzen, BefundeMitRegelUndMengen) {
  TJahr j = Grundjahr();
  GetParam().aufbau(j);
  const std::vector<TBefund> befunde = Pruefen(j);
  std::string gefunden;
  for (const TBefund& b : befunde) gefunden += std::to_string(b.regel) + ": " + b.text.toStdString() + "\n";
  const auto& erwartet = GetParam().erwartet;
  ASSERT_EQ(befunde.size(), erwartet.size()) << gefunden;
  for (size_t i = 0; i < erwartet.size(); ++i) {
    EXPECT_EQ(befunde[i].regel, erwartet[i].regel) << gefunden;
    EXPECT_NEAR(befunde[i].wert, erwartet[i].wert, 1e-9) << gefunden;
    EXPECT_NEAR(befunde[i].grenze, erwartet[i].grenze, 1e-9) << gefunden;
    EXPECT_FALSE(befunde[i].paragraph.isEmpty());
    EXPECT_TRUE(befunde[i].text.endsWith(QStringLiteral("(") + befunde[i].paragraph + QStringLiteral(")")))
        << befunde[i].text.toStdString();
  }
}

// 1: arable land closed from the harvest to 31 January; the autumn exception ends on 1 October.
INSTANTIATE_TEST_SUITE_P(
    Regel1, Grenzen,
    ::testing::Values(
        TFall{"Weizen_0110_vorDerSperrfrist", [](TJahr& j) { Kas(j, Weizen, D(1, 10, 2022), 40); }, {}},
        TFall{"Weizen_0210_ersterTag", [](TJahr& j) { Kas(j, Weizen, D(2, 10, 2022), 40); }, {{1}}},
        TFall{"Raps_0210_nachErnteNachDem0110", [](TJahr& j) { Kas(j, Raps, D(2, 10, 2022), 20); }, {{1}}},
        TFall{"Weizen_3101_letzterTag", [](TJahr& j) { Kas(j, Weizen, D(31, 1, 2022), 40); }, {{1}}},
        TFall{"Weizen_0102_nachDerSperrfrist", [](TJahr& j) { Kas(j, Weizen, D(1, 2, 2022), 40); }, {}},
        // 1.5 % N in the dry matter is not yet significant: 1.2 kg/m3 at 8 % TS = 1.2 x 10 / 8 = 1.5 %.
        TFall{"Guelle_15Prozent_nichtWesentlich",
              [](TJahr& j) { Guelle(j, Weizen, D(15, 11, 2022), 24, 12).nt = 1.2; }, {}},
        // 1.21 x 10 / 8 = 1.5125 %.
        TFall{"Guelle_15125Prozent_wesentlich",
              [](TJahr& j) { Guelle(j, Weizen, D(15, 11, 2022), 24, 12).nt = 1.21; }, {{1}}},
        TFall{"Mineral_15Prozent_nichtWesentlich", [](TJahr& j) { Kas(j, Weizen, D(15, 11, 2022), 15).nt = 1.5; }, {}},
        // A vegetable follow crop still standing in October may be fertilised before its harvest.
        TFall{"Gemuese_stehend_1510", [](TJahr& j) { Kas(j, Kohl, D(15, 10, 2022), 30); }, {}},
        // Solid manure of cattle is not under row 1 (row 5 instead).
        TFall{"Festmist_Ackerland_1511", [](TJahr& j) { Festmist(j, Weizen, D(15, 11, 2022), 100); }, {}}));

// 2: after the harvest until 1 October, with an autumn demand, at most 30 kg
// ammonium N or 60 kg total N per ha, whichever is reached first.
INSTANTIATE_TEST_SUITE_P(
    Regel2, Grenzen,
    ::testing::Values(
        TFall{"Raps_30kgAmmonium_genau", [](TJahr& j) { Kas(j, Raps, D(1, 10, 2022), 30); }, {}},
        TFall{"Raps_30_1kgAmmonium", [](TJahr& j) { Kas(j, Raps, D(1, 10, 2022), 30.1); }, {{2, 30.1, 30}}},
        // Slurry: 60 kg total N with 25 kg ammonium N stays within both limits.
        TFall{"Raps_60kgGesamt_genau", [](TJahr& j) { Guelle(j, Raps, D(20, 8, 2022), 60, 25); }, {}},
        TFall{"Raps_60_1kgGesamt", [](TJahr& j) { Guelle(j, Raps, D(20, 8, 2022), 60.1, 25); }, {{2, 60.1, 60}}},
        // 31 kg ammonium N passes its limit while the total N (50) is still below 60.
        TFall{"Raps_Ammonium_zuerst", [](TJahr& j) { Guelle(j, Raps, D(20, 8, 2022), 50, 31); }, {{2, 31, 30}}},
        // Two applications of 20 kg: the second brings the sum to 20 + 20 = 40 kg ammonium N.
        TFall{"Raps_Summe_zweiterEintrag",
              [](TJahr& j) {
                Kas(j, Raps, D(1, 9, 2022), 20);
                Kas(j, Raps, D(15, 9, 2022), 20);
              },
              {{2, 40, 30}}},
        // Autumn demand 40 kg: the total N limit is the demand, 45 > 40.
        TFall{"Raps_ueberHerbstbedarf",
              [](TJahr& j) {
                Feld(j, 1).hdDng = 40;
                Guelle(j, Raps, D(20, 8, 2022), 45, 20);
              },
              {{2, 45, 40}}},
        TFall{"Zwischenfrucht_imRahmen", [](TJahr& j) { Guelle(j, Zwischen, D(25, 8, 2022), 40, 20); }, {}},
        TFall{"ohneHerbstbedarf",
              [](TJahr& j) {
                Feld(j, 1).hdFa = 9;
                Feld(j, 1).hdDng = 0;
                Kas(j, Raps, D(1, 9, 2022), 20);
              },
              {{2, 20, 0}}},
        // Winter barley after cereals: allowed outside the nitrate area ...
        TFall{"Wintergerste_ausserhalb",
              [](TJahr& j) {
                Feld(j, 1).hdFa = 8;
                Kas(j, Raps, D(20, 9, 2022), 20);
              },
              {}},
        // ... never inside it ...
        TFall{"Wintergerste_Nitratgebiet",
              [](TJahr& j) {
                Nitratgebiet(j, 1);
                Feld(j, 1).hdFa = 8;
                Kas(j, Raps, D(20, 9, 2022), 20);
              },
              {{2, 20, 0}}},
        // ... unless the nitrate-area rules are switched off for the year.
        TFall{"Wintergerste_Nitratgebiet_Schalter_aus",
              [](TJahr& j) {
                Nitratgebiet(j, 1);
                j.nitratRegeln = false;
                Feld(j, 1).hdFa = 8;
                Kas(j, Raps, D(20, 9, 2022), 20);
              },
              {}},
        // In the nitrate area the autumn demand of the nitrate-area page counts.
        TFall{"Nitratgebiet_ohneBedarfRG",
              [](TJahr& j) {
                Nitratgebiet(j, 1);
                Feld(j, 1).hdDngRg = 0;
                Kas(j, Raps, D(20, 9, 2022), 20);
              },
              {{2, 20, 0}}}));

// 3: grassland 1 November to 31 January, in the nitrate area from 1 October.
INSTANTIATE_TEST_SUITE_P(
    Regel3, Grenzen,
    ::testing::Values(
        TFall{"Gruenland_3110", [](TJahr& j) { Kas(j, Weide, D(31, 10, 2022), 30); }, {}},
        TFall{"Gruenland_0111", [](TJahr& j) { Guelle(j, Weide, D(1, 11, 2022), 30, 15); }, {{3}}},
        TFall{"Gruenland_3101", [](TJahr& j) { Kas(j, Weide, D(31, 1, 2022), 30); }, {{3}}},
        TFall{"Gruenland_0102", [](TJahr& j) { Kas(j, Weide, D(1, 2, 2022), 30); }, {}},
        TFall{"Gruenland_Nitratgebiet_3009",
              [](TJahr& j) {
                Nitratgebiet(j, 2);
                Kas(j, Weide, D(30, 9, 2022), 30);
              },
              {}},
        TFall{"Gruenland_Nitratgebiet_0110",
              [](TJahr& j) {
                Nitratgebiet(j, 2);
                Kas(j, Weide, D(1, 10, 2022), 30);
              },
              {{3}}},
        TFall{"Gruenland_Nitratgebiet_0110_Schalter_aus",
              [](TJahr& j) {
                Nitratgebiet(j, 2);
                j.nitratRegeln = false;
                Kas(j, Weide, D(1, 10, 2022), 30);
              },
              {}}));

// 4: liquid organic fertilisers on grassland from 1 September to the closed
// period: at most 80 kg total N per ha, in the nitrate area 60.
INSTANTIATE_TEST_SUITE_P(
    Regel4, Grenzen,
    ::testing::Values(
        TFall{"Gruenland_80kg_genau",
              [](TJahr& j) {
                Guelle(j, Weide, D(1, 9, 2022), 40, 20);
                Guelle(j, Weide, D(31, 10, 2022), 40, 20);
              },
              {}},
        // 40 + 40.1 = 80.1 kg.
        TFall{"Gruenland_80_1kg",
              [](TJahr& j) {
                Guelle(j, Weide, D(1, 9, 2022), 40, 20);
                Guelle(j, Weide, D(31, 10, 2022), 40.1, 20);
              },
              {{4, 80.1, 80}}},
        // The application of 31 August lies before the period.
        TFall{"Gruenland_3108_zaehltNicht",
              [](TJahr& j) {
                Guelle(j, Weide, D(31, 8, 2022), 50, 20);
                Guelle(j, Weide, D(1, 9, 2022), 40, 20);
              },
              {}},
        TFall{"Gruenland_Nitratgebiet_60kg",
              [](TJahr& j) {
                Nitratgebiet(j, 2);
                Guelle(j, Weide, D(10, 9, 2022), 60, 30);
              },
              {}},
        TFall{"Gruenland_Nitratgebiet_60_1kg",
              [](TJahr& j) {
                Nitratgebiet(j, 2);
                Guelle(j, Weide, D(10, 9, 2022), 60.1, 30);
              },
              {{4, 60.1, 60}}}));

// 5: solid manure of hoofed animals and compost 1 December to 15 January, in
// the nitrate area 1 November to 31 January.
INSTANTIATE_TEST_SUITE_P(
    Regel5, Grenzen,
    ::testing::Values(
        TFall{"Festmist_3011", [](TJahr& j) { Festmist(j, Weizen, D(30, 11, 2022), 100); }, {}},
        TFall{"Festmist_0112", [](TJahr& j) { Festmist(j, Weizen, D(1, 12, 2022), 100); }, {{5}}},
        TFall{"Festmist_1501", [](TJahr& j) { Festmist(j, Weizen, D(15, 1, 2022), 100); }, {{5}}},
        TFall{"Festmist_1601", [](TJahr& j) { Festmist(j, Weizen, D(16, 1, 2022), 100); }, {}},
        TFall{"Festmist_Nitratgebiet_3110",
              [](TJahr& j) {
                Nitratgebiet(j, 1);
                Festmist(j, Weizen, D(31, 10, 2022), 100);
              },
              {}},
        TFall{"Festmist_Nitratgebiet_0111",
              [](TJahr& j) {
                Nitratgebiet(j, 1);
                Festmist(j, Weizen, D(1, 11, 2022), 100);
              },
              {{5}}},
        TFall{"Festmist_Nitratgebiet_3101",
              [](TJahr& j) {
                Nitratgebiet(j, 1);
                Festmist(j, Weizen, D(31, 1, 2022), 100);
              },
              {{5}}},
        TFall{"Festmist_Nitratgebiet_0102",
              [](TJahr& j) {
                Nitratgebiet(j, 1);
                Festmist(j, Weizen, D(1, 2, 2022), 100);
              },
              {}},
        TFall{"Festmist_Nitratgebiet_0111_Schalter_aus",
              [](TJahr& j) {
                Nitratgebiet(j, 1);
                j.nitratRegeln = false;
                Festmist(j, Weizen, D(1, 11, 2022), 100);
              },
              {}},
        // Compost, 60 % TS with 7 kg N and 2.4 kg P2O5 per t: 1.17 % N and 0.4 % P2O5
        // in the dry matter, neither significant; the solid-manure period holds all the same.
        TFall{"Kompost_1012",
              [](TJahr& j) {
                TDuengung& d = Festmist(j, Weizen, D(10, 12, 2022), 70);
                d.taVerfNr = 17;
                d.nt = 7;
                d.tm = 60;
                d.p2o5 = 2.4;
              },
              {{5}}}));

// 6: fertilisers with significant phosphate 1 December to 15 January, on any land.
INSTANTIATE_TEST_SUITE_P(
    Regel6, Grenzen,
    ::testing::Values(
        TFall{"Phosphat_3011", [](TJahr& j) { Tsp(j, Weizen, D(30, 11, 2022)); }, {}},
        TFall{"Phosphat_0112", [](TJahr& j) { Tsp(j, Weizen, D(1, 12, 2022)); }, {{6}}},
        TFall{"Phosphat_1501_Gruenland", [](TJahr& j) { Tsp(j, Weide, D(15, 1, 2022)); }, {{6}}},
        TFall{"Phosphat_1601", [](TJahr& j) { Tsp(j, Weizen, D(16, 1, 2022)); }, {}},
        // 0.5 % P2O5 is not yet significant.
        TFall{"Phosphat_05Prozent", [](TJahr& j) { Tsp(j, Weizen, D(10, 12, 2022)).p2o5 = 0.5; }, {}},
        // Slurry with phosphate on grassland on 1 December: closed for N (3) and for P (6).
        TFall{"Guelle_mitPhosphat_Gruenland_0112",
              [](TJahr& j) { Guelle(j, Weide, D(1, 12, 2022), 30, 15).p2o5 = 1.6; },
              {{3}, {6}}}));

// 7: nitrate area, solid manure and compost to catch crops without fodder use: at most 120 kg N per ha.
INSTANTIATE_TEST_SUITE_P(
    Regel7, Grenzen,
    ::testing::Values(
        TFall{"Zwischenfrucht_120kg",
              [](TJahr& j) {
                Nitratgebiet(j, 1);
                Festmist(j, Zwischen, D(1, 9, 2022), 120);
              },
              {}},
        TFall{"Zwischenfrucht_120_1kg",
              [](TJahr& j) {
                Nitratgebiet(j, 1);
                Festmist(j, Zwischen, D(1, 9, 2022), 100);
                Festmist(j, Zwischen, D(2, 9, 2022), 20.1);
              },
              {{7, 120.1, 120}}},
        TFall{"Zwischenfrucht_mitFutternutzung",
              [](TJahr& j) {
                Nitratgebiet(j, 1);
                Kultur(j, Zwischen).nummer = 13;
                Festmist(j, Zwischen, D(1, 9, 2022), 130);
              },
              {}},
        TFall{"Zwischenfrucht_ausserhalb", [](TJahr& j) { Festmist(j, Zwischen, D(1, 9, 2022), 130); }, {}}));

// 8: nitrate area, a crop sown after 1 February gets N only after a catch crop.
INSTANTIATE_TEST_SUITE_P(
    Regel8, Grenzen,
    ::testing::Values(
        TFall{"Sommergerste_ohneZwischenfrucht",
              [](TJahr& j) {
                Nitratgebiet(j, 3);
                Kas(j, Sommergerste, D(10, 4, 2022), 60);
              },
              {{8, 60, 0}}},
        TFall{"Sommergerste_nachZwischenfrucht",
              [](TJahr& j) {
                Nitratgebiet(j, 3);
                Kultur(j, Sommergerste).zwischenfrucht = 6;
                Kas(j, Sommergerste, D(10, 4, 2022), 60);
              },
              {}},
        TFall{"Sommergerste_Zwischenfruchtzeile",
              [](TJahr& j) {
                Nitratgebiet(j, 3);
                j.kulturen.push_back({7, 2022, 3, 0, 8, QStringLiteral("Nichtleguminose, im Herbst eingearbeitet"), 1,
                                      0, 0, std::nullopt});
                Kas(j, Sommergerste, D(10, 4, 2022), 60);
              },
              {}},
        TFall{"Winterweizen_Nitratgebiet",
              [](TJahr& j) {
                Nitratgebiet(j, 1);
                Kas(j, Weizen, D(10, 4, 2022), 60);
              },
              {}},
        TFall{"Sommergerste_Schalter_aus",
              [](TJahr& j) {
                Nitratgebiet(j, 3);
                j.nitratRegeln = false;
                Kas(j, Sommergerste, D(10, 4, 2022), 60);
              },
              {}}));

// 9: organic N and grazing on the farm's average, from the statement value.
INSTANTIATE_TEST_SUITE_P(
    Regel9, Grenzen,
    ::testing::Values(TFall{"Betrieb_170kg", [](TJahr& j) { j.nJeHa170 = 170; }, {}},
                      TFall{"Betrieb_170_1kg", [](TJahr& j) { j.nJeHa170 = 170.1; }, {{9, 170.1, 170}}},
                      TFall{"Betrieb_ohneWert", [](TJahr& j) { j.nJeHa170.reset(); }, {}}));

// 10: nitrate area, at most 170 kg N per ha from organic fertilisers on each field.
INSTANTIATE_TEST_SUITE_P(
    Regel10, Grenzen,
    ::testing::Values(
        // 100 + 70 = 170 kg organic N; the 50 kg mineral N do not count.
        TFall{"Schlag_170kg",
              [](TJahr& j) {
                Nitratgebiet(j, 1);
                Guelle(j, Weizen, D(10, 3, 2022), 100, 50);
                Festmist(j, Weizen, D(20, 8, 2022), 70);
                Kas(j, Weizen, D(10, 4, 2022), 50);
              },
              {}},
        // 100 + 70.1 = 170.1 kg.
        TFall{"Schlag_170_1kg",
              [](TJahr& j) {
                Nitratgebiet(j, 1);
                Guelle(j, Weizen, D(10, 3, 2022), 100, 50);
                Festmist(j, Weizen, D(20, 8, 2022), 70.1);
              },
              {{10, 170.1, 170}}},
        TFall{"Schlag_170_1kg_Schalter_aus",
              [](TJahr& j) {
                Nitratgebiet(j, 1);
                j.nitratRegeln = false;
                Guelle(j, Weizen, D(10, 3, 2022), 100, 50);
                Festmist(j, Weizen, D(20, 8, 2022), 70.1);
              },
              {}},
        TFall{"Schlag_170_1kg_ausserhalb",
              [](TJahr& j) {
                Guelle(j, Weizen, D(10, 3, 2022), 100, 50);
                Festmist(j, Weizen, D(20, 8, 2022), 70.1);
              },
              {}}));

// 11: nitrate area, the demand less 20 % on the average of its fields, unless
// the farm stays within 160 kg total N per ha of which 80 mineral.
void Nitratbetrieb(TJahr& j, double kgNjeHa, double gesamtJeHa, double mineralJeHa) {
  Nitratgebiet(j, 1);
  j.nBedarfRot = 1000;  // 10 ha
  j.nGesamtRgJeHa = gesamtJeHa;
  j.nMineralRgJeHa = mineralJeHa;
  Kas(j, Weizen, D(10, 4, 2022), kgNjeHa);
}
INSTANTIATE_TEST_SUITE_P(
    Regel11, Grenzen,
    ::testing::Values(
        // 100 kg/ha x 10 ha = 1000 kg, the reduced demand exactly.
        TFall{"Nitrat_1000kg", [](TJahr& j) { Nitratbetrieb(j, 100, 170, 100); }, {}},
        // 100.1 x 10 = 1001 kg.
        TFall{"Nitrat_1001kg", [](TJahr& j) { Nitratbetrieb(j, 100.1, 170, 100); }, {{11, 1001, 1000}}},
        TFall{"Nitrat_Ausnahme_160_80", [](TJahr& j) { Nitratbetrieb(j, 100.1, 160, 80); }, {}},
        TFall{"Nitrat_Ausnahme_160_1", [](TJahr& j) { Nitratbetrieb(j, 100.1, 160.1, 80); }, {{11, 1001, 1000}}},
        TFall{"Nitrat_Ausnahme_80_1", [](TJahr& j) { Nitratbetrieb(j, 100.1, 160, 80.1); }, {{11, 1001, 1000}}},
        TFall{"Nitrat_ohneErmitteltenBedarf",
              [](TJahr& j) {
                Nitratbetrieb(j, 100.1, 170, 100);
                j.nBedarfRot = 0;
              },
              {}},
        TFall{"Nitrat_Schalter_aus",
              [](TJahr& j) {
                Nitratbetrieb(j, 100.1, 170, 100);
                j.nitratRegeln = false;
              },
              {}}));

// 12: the N a crop row received against its demand; the phosphate of a field against its demand.
INSTANTIATE_TEST_SUITE_P(
    Regel12, Grenzen,
    ::testing::Values(
        TFall{"Bedarf_genau",
              [](TJahr& j) {
                Kultur(j, Weizen).bedarf = 180;
                Kas(j, Weizen, D(10, 3, 2022), 100);
                Kas(j, Weizen, D(10, 4, 2022), 80);
              },
              {}},
        TFall{"Bedarf_ueberschritten",
              [](TJahr& j) {
                Kultur(j, Weizen).bedarf = 180;
                Kas(j, Weizen, D(10, 3, 2022), 100);
                Kas(j, Weizen, D(10, 4, 2022), 80.1);
              },
              {{12, 180.1, 180}}},
        TFall{"Bedarf_nichtBerechnet", [](TJahr& j) { Kas(j, Weizen, D(10, 4, 2022), 300); }, {}},
        // An incomplete crop row has its demand cleared to 0.
        TFall{"Bedarf_0_unvollstaendig",
              [](TJahr& j) {
                Kultur(j, Weizen).bedarf = 0;
                Kas(j, Weizen, D(10, 4, 2022), 300);
              },
              {}},
        // Slurry, 20 m3 with 2.4 kg creditable N per m3 on arable land: 48 kg, more than its 40 kg ammonium N.
        TFall{"Bedarf_Guelle_anrechenbar",
              [](TJahr& j) {
                Kultur(j, Weizen).bedarf = 45;
                TDuengung& d = Guelle(j, Weizen, D(10, 3, 2022), 80, 40);
                d.menge = 20;
                d.nAnrechenbarAL = 2.4;
                d.nAnrechenbarGL = 2.0;
              },
              {{12, 48, 45}}},
        // On grassland its share is 2.0 kg per m3: 40 kg, the ammonium N; within 45.
        TFall{"Bedarf_Guelle_Gruenland",
              [](TJahr& j) {
                Kultur(j, Weide).bedarf = 45;
                TDuengung& d = Guelle(j, Weide, D(10, 3, 2022), 80, 40);
                d.menge = 20;
                d.nAnrechenbarAL = 2.4;
                d.nAnrechenbarGL = 2.0;
              },
              {}},
        // P2O5: 10 kg P x 2.2914 = 22.914 kg P2O5, the demand exactly.
        TFall{"Phosphatbedarf_genau",
              [](TJahr& j) {
                Feld(j, 1).p2o5Bedarf = 22.914;
                Tsp(j, Weizen, D(10, 3, 2022)).pges = 10;
              },
              {}},
        // 10.1 x 2.2914 = 23.14314 kg P2O5.
        TFall{"Phosphatbedarf_ueberschritten",
              [](TJahr& j) {
                Feld(j, 1).p2o5Bedarf = 22.914;
                Tsp(j, Weizen, D(10, 3, 2022)).pges = 10.1;
              },
              {{12, 23.14314, 22.914}}},
        TFall{"Phosphatbedarf_nichtBerechnet",
              [](TJahr& j) {
                Feld(j, 1).p2o5Bedarf = 0;
                Tsp(j, Weizen, D(10, 3, 2022)).pges = 10.1;
              },
              {}}));

TEST(Grenzen, HerbstduengungZaehltNichtZumBedarfDerKultur) {
  // The rape of 2023 received 50 kg in autumn 2022 (credited in its spring
  // demand) and 60 kg in 2023: only the 60 count against the 55 kg demand.
  TJahr j = Grundjahr();
  j.jahr = 2023;
  Kultur(j, Raps).bedarf = 55;
  Kas(j, Raps, D(1, 9, 2022), 50).herbst = true;
  Kas(j, Raps, D(1, 3, 2023), 60);
  const auto befunde = Pruefen(j);
  ASSERT_EQ(befunde.size(), 1u);
  EXPECT_EQ(befunde[0].regel, 12);
  EXPECT_DOUBLE_EQ(befunde[0].wert, 60);
  EXPECT_EQ(befunde[0].kultur, Raps);
}

TEST(Grenzen, DerSatzNenntSchlagDuengerDatumUndFrist) {
  TJahr j = Grundjahr();
  Feld(j, 2).schlagNr = 12;
  Guelle(j, Weide, D(15, 11, 2022), 30, 15).name = QStringLiteral("Gülle");
  const auto befunde = Pruefen(j);
  ASSERT_EQ(befunde.size(), 1u);
  EXPECT_EQ(befunde[0].text, QStringLiteral("Schlag 12: Gülle am 15.11.2022 auf Grünland – Sperrfrist 01.11.–31.01. "
                                            "(DüV § 6 Abs. 8)"));
  EXPECT_EQ(befunde[0].hinweis, QStringLiteral("Gülle am 15.11.2022 auf Grünland – Sperrfrist 01.11.–31.01."));
  EXPECT_EQ(befunde[0].parzelle, 2);
  EXPECT_EQ(befunde[0].schlag, QStringLiteral("Wiese"));
  EXPECT_EQ(befunde[0].datum, D(15, 11, 2022));
}

TEST(Grenzen, AndereJahreOhneDatumUndWeideOhneSperrfrist) {
  TJahr j = Grundjahr();
  Kas(j, Weizen, QDate(), 50);               // no date
  Kas(j, Weizen, D(15, 11, 2021), 50);        // closed, but checked with 2021
  Neu(j, Weide, D(15, 11, 2022), 4).nges = 30;  // grazing
  EXPECT_TRUE(Pruefen(j).empty());
}

TEST(Grenzen, BetriebZuerstDannNachSchlagUndDatum) {
  TJahr j = Grundjahr();
  j.nJeHa170 = 200;
  Kas(j, Weide, D(15, 11, 2022), 30);       // Schlag 13
  Kas(j, Weizen, D(20, 12, 2022), 30);      // Schlag 12, later
  Kas(j, Weizen, D(15, 10, 2022), 30);      // Schlag 12, earlier
  const auto befunde = Pruefen(j);
  ASSERT_EQ(befunde.size(), 4u);
  EXPECT_EQ(befunde[0].regel, 9);
  EXPECT_EQ(befunde[1].datum, D(15, 10, 2022));
  EXPECT_EQ(befunde[2].datum, D(20, 12, 2022));
  EXPECT_EQ(befunde[3].schlagNr, 13);
}

TEST(Grenzen, SchalterNachJahr) {
  struct {
    int jahr;
    std::optional<bool> schalter;
    bool aktiv;
  } const faelle[] = {{2020, true, false}, {2020, std::nullopt, false}, {2021, std::nullopt, true},
                      {2021, false, false}, {2022, true, true}};
  for (const auto& f : faelle) EXPECT_EQ(NitratRegelnAktiv(f.jahr, f.schalter), f.aktiv) << f.jahr;
}

TEST(Grenzen, BetrifftDieAufzeichnungUndIhreSummen) {
  TDuengung mineral;
  mineral.id = 7;
  mineral.kategorie = 1;
  mineral.parzelle = 1;
  mineral.kultur = Weizen;
  TDuengung organisch = mineral;
  organisch.id = 8;
  organisch.kategorie = 2;
  const auto befund = [](int regel, qint64 dung, int parzelle, qint64 kultur) {
    TBefund b;
    b.regel = regel;
    b.dung = dung;
    b.parzelle = parzelle;
    b.kultur = kultur;
    return b;
  };
  EXPECT_TRUE(Betrifft(befund(1, 7, 1, Weizen), mineral));
  EXPECT_FALSE(Betrifft(befund(1, 8, 1, Weizen), mineral));
  EXPECT_FALSE(Betrifft(befund(9, 0, 0, 0), mineral));   // mineral N is not organic N
  EXPECT_TRUE(Betrifft(befund(9, 0, 0, 0), organisch));
  EXPECT_TRUE(Betrifft(befund(12, 0, 1, Weizen), mineral));
  EXPECT_FALSE(Betrifft(befund(12, 0, 1, Raps), mineral));
  TDuengung herbst = mineral;  // in autumn 2021 to the crop of 2022
  herbst.jahr = 2022;
  herbst.datum = D(1, 9, 2021);
  EXPECT_FALSE(Betrifft(befund(12, 0, 1, Weizen), herbst));
  herbst.datum = D(1, 3, 2022);
  EXPECT_TRUE(Betrifft(befund(12, 0, 1, Weizen), herbst));
  EXPECT_TRUE(Betrifft(befund(12, 0, 1, 0), mineral));   // phosphate of its field
  EXPECT_FALSE(Betrifft(befund(10, 0, 2, 0), organisch));
  EXPECT_TRUE(Betrifft(befund(10, 0, 1, 0), organisch));
}

TEST(Grenzen, Drucktexte) {
  EXPECT_EQ(Drucktexte({}), QStringList({QStringLiteral("Prüfung der Grenzen der Düngeverordnung"),
                                         QStringLiteral("Keine Überschreitung gefunden.")}));
  TBefund b;
  b.text = QStringLiteral("Schlag 1: …");
  EXPECT_EQ(Drucktexte({b}), QStringList({QStringLiteral("Prüfung der Grenzen der Düngeverordnung"), b.text}));
}

TEST(Grenzen, DieSaetzeDerSummenNennenKulturMengeUndGrenze) {
  TJahr j = Grundjahr();
  Kultur(j, Weizen).bedarf = 120;
  Feld(j, 1).p2o5Bedarf = 40;
  Kas(j, Weizen, D(10, 3, 2022), 81);
  Kas(j, Weizen, D(10, 4, 2022), 54).pges = 20;  // 20 x 2.2914 = 45.828 kg P2O5
  j.nJeHa170 = 174.857;
  const auto befunde = Pruefen(j);
  ASSERT_EQ(befunde.size(), 3u);
  EXPECT_EQ(befunde[0].text, QStringLiteral("Betrieb: 174,9 kg N/ha aus organischen Düngemitteln und Weidehaltung im "
                                            "Betriebsdurchschnitt – höchstens 170 kg N/ha (DüV § 6 Abs. 4)"));
  // 81 + 54 = 135 kg N/ha.
  EXPECT_EQ(befunde[1].text, QStringLiteral("Schlag 12: 135,0 kg N/ha zu Winterweizen A, B gedüngt (verfügbarer bzw. "
                                            "anrechenbarer N) – ermittelter Düngebedarf 120,0 kg N/ha (DüV § 3 Abs. 3)"));
  EXPECT_EQ(befunde[1].kultur, Weizen);
  EXPECT_EQ(befunde[2].text, QStringLiteral("Schlag 12: 45,8 kg P2O5/ha gedüngt – Phosphatbedarf 40,0 kg P2O5/ha; mehr "
                                            "nur im Rahmen der Fruchtfolge (DüV § 3 Abs. 3)"));
  EXPECT_EQ(befunde[2].einheit, QStringLiteral("kg P2O5/ha"));
}

}  // namespace

namespace {

// 13: the outline's area against the stated size: more than 0.1 ha or more
// than 2 % of the size apart.
TEST(Grenzen, UmrissflaecheGegenGroesse) {
  struct {
    double groesse, umriss;
    const char* text;  // empty: no finding
  } const faelle[] = {
      {10, 10.1, ""},     // 0.1 ha apart is still allowed, 2 % would be 0.2
      {10, 10.11, "Fläche laut Umriss 10,11 ha, angegebene Größe 10,00 ha (Abweichung 1,1 %)"},
      {10, 9.85, "Fläche laut Umriss 9,85 ha, angegebene Größe 10,00 ha (Abweichung -1,5 %)"},
      {2, 2.04, ""},      // 2 % of 2 ha
      {2, 2.05, "Fläche laut Umriss 2,05 ha, angegebene Größe 2,00 ha (Abweichung 2,5 %)"},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.umriss);
    TJahr j = Grundjahr();
    Feld(j, 1).groesse = f.groesse;
    Feld(j, 1).umrissHa = f.umriss;
    // The next year's outline is not this year's finding.
    Feld(j, 1, 2023).umrissHa = 1;
    std::vector<TBefund> b = Pruefen(j);
    std::erase_if(b, [](const TBefund& x) { return x.regel != 13; });
    if (*f.text == 0) {
      EXPECT_TRUE(b.empty());
      continue;
    }
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(b[0].parzelle, 1);
    EXPECT_EQ(b[0].text, QStringLiteral("Schlag 12: ") + QString::fromUtf8(f.text) +
                             QStringLiteral(" (Flächenabgleich mit dem Umriss)"));
  }
}

}  // namespace
