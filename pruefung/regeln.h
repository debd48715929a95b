#pragma once
// The legal limits of the fertiliser ordinance checked over the records of
// one farm year: closed periods, autumn amounts, the 170 kg N limits, the
// nitrate-area reduction and the demand per crop row and field. A pure rule
// over value structs; reading them from the database is pruefung.h.
// A finding is a warning: the authority may have shifted a closed period, and
// a record always shows what happened.

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace Pruefung {

// A field in one year (Schlag).
struct TSchlag {
  int jahr = 0;
  int parzelle = 0;
  int schlagNr = 0;
  QString name;
  double groesse = 0;         // ha
  bool nitratgebiet = false;  // BewirtschaftungsAuflagen 2
  int hdFa = 0;               // autumn crop: 1 catch crop, 2-3 winter rape, 4-7 field forage, 8 winter barley, 9 other
  double hdDng = 0;           // autumn demand kg N/ha, outside and inside the nitrate area
  double hdDngRg = 0;
  std::optional<double> p2o5Bedarf;  // kg P2O5/ha; empty while not calculated
  std::optional<double> umrissHa;    // area of the stored outline; empty without one
};

// A crop row (Anbau).
struct TKultur {
  qint64 id = 0;
  int jahr = 0;
  int parzelle = 0;
  int fruchtNr = 1;     // 0 catch crop, 1 main crop, 2+ follow crops
  qint64 nummer = 0;    // HauptfruchtNummer; for catch crops the catch-crop type 6..14
  QString name;
  int kulturgruppe = 1;  // 1 arable, 2 grassland and multi-cut field forage, 3 vegetables
  int artgruppe = 0;     // FRU_ARTGRNR
  int zwischenfrucht = 0;  // catch-crop type before the crop (6..13), 14 or 0 none
  std::optional<double> bedarf;  // N demand kg/ha; empty or 0 while not calculated
};

// An application record (Dung) with its loads per ha.
struct TDuengung {
  qint64 id = 0;
  int jahr = 0;  // year of the crop row it is booked to
  int parzelle = 0;
  qint64 kultur = 0;
  int kategorie = 0;  // 1 mineral, 2 organic, 3 legumes, 4 grazing, 5 other substances
  QDate datum;        // invalid when empty
  QString name;
  int taVerfNr = 0;
  bool herbst = false;  // IstHerbstDuengung
  double menge = 0;
  double nt = 0;        // kg N per unit (mineral: per dt, i.e. per cent)
  double p2o5 = 0;      // kg P2O5 per unit
  double tm = 0;        // dry matter per cent; 0 when unknown
  double nAnrechenbarAL = 0;  // creditable N per unit on arable land and grassland
  double nAnrechenbarGL = 0;
  double nges = 0;      // kg N/ha
  double nverf = 0;     // kg available (ammonium) N/ha
  double pges = 0;      // kg P/ha
};

// Everything the checks of one fertiliser year read.
struct TJahr {
  int jahr = 0;
  bool nitratRegeln = false;  // the nitrate-area rules apply this year (after 2020 and switched on)
  std::optional<double> nJeHa170;  // N from organic sources and grazing per ha of the 170-kg area
  // Nitrate-area statement: reduced demand (kg), total and mineral N per ha of the nitrate area.
  std::optional<double> nBedarfRot;
  double nGesamtRgJeHa = 0;
  double nMineralRgJeHa = 0;
  std::vector<TSchlag> schlaege;    // years J-1 to J+1
  std::vector<TKultur> kulturen;    // years J-1 to J+1
  std::vector<TDuengung> duengungen;  // booked to year J or dated in J
  QString fehler;  // why something could not be read; empty when all was read
};

// A finding: which rule of the reference table, where, and the amounts.
struct TBefund {
  int regel = 0;          // row of the table of legal limits (1-12); 13 the outline's area against the size
  QString paragraph;      // "DüV § 6 Abs. 8"
  QString text;           // the sentence the farmer reads: "Schlag 12: … (DüV § 6 Abs. 8)"
  QString hinweis;        // the same without field and paragraph, for lists that show them apart
  int parzelle = 0;       // 0: the whole farm
  int schlagNr = 0;
  QString schlag;         // field name
  qint64 dung = 0;        // the record; 0 for a sum
  qint64 kultur = 0;      // the crop row of a demand finding
  QDate datum;
  double wert = 0;        // the amount found
  double grenze = 0;      // the limit it exceeds
  QString einheit;        // "kg N/ha", "kg NH4-N/ha", "kg P2O5/ha", "kg N"
};

// Whether the nitrate-area rules apply in a year with this stored switch:
// never before 2021; an empty switch means on.
bool NitratRegelnAktiv(int jahr, const std::optional<bool>& schalter);

// The checks of the year; ordered farm first, then by field number, date and rule.
std::vector<TBefund> Pruefen(const TJahr& j);

// Whether a finding concerns the record: its own finding, or a sum it counts in.
bool Betrifft(const TBefund& b, const TDuengung& d);

// The lines of the findings on a printout: a heading and one line per finding.
QStringList Drucktexte(const std::vector<TBefund>& befunde);

}  // namespace Pruefung
