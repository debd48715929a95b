#pragma once
// What the two statement pages show: the header lines and the table of 17
// rows, as texts. The printouts of the statements show the same.

#include "bilanz.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class TADOModConnection;

namespace Bilanzanzeige {

// One row of the statement table: number, N label, name of the N value,
// P label, name of the P value. Empty names leave their cells empty.
struct TZeile {
  QString nr;
  QString nText;
  QString nWert;
  QString pText;
  QString pWert;
};

// The 16 value rows below the heading; the nitrate-area page names row 15 differently.
std::vector<TZeile> Zeilen(bool nitratgebiet);

// The whole table, heading row first: 17 rows of number, N label, "kg N",
// P label, "kg P", "kg P2O5". Values have one decimal; empty ones are "0,0";
// kg P2O5 is kg P x 2.2914. Without a statement every value is "0,0".
std::vector<QStringList> Tabelle(const std::optional<TBilanz>& bilanz, bool nitratgebiet);

// A value as the table writes it.
QString Zahl(std::optional<double> wert);

// The year's values beside the statement.
struct TJahreswerte {
  QDate erstellt;  // ErstellungsdatumAufzeichnungBedarf; invalid when empty
  std::optional<double> betriebsgroesse;
  std::optional<double> flaeche170kg;
};
TJahreswerte Jahreswerte(TADOModConnection& db, int betriebsNr, int jahr);

// A header line: its caption and its value with the unit ("1060 kg",
// "43 / 97 kg", "100 kg  entspricht  10 kg/ha", "12,50 ha"). Whole numbers,
// areas with two decimals; without a statement the numbers are empty.
struct TKopfzeile {
  QString titel;
  QString wert;
};
std::vector<TKopfzeile> Kopf(bool nitratgebiet, int jahr, const std::optional<TBilanz>& bilanz,
                             const TJahreswerte& werte);

// "Erstellungsdatum:" double-clicked: the year's creation date of the
// records becomes this day. False when it could not be stored.
bool ErstellungsdatumSetzen(TADOModConnection& db, int betriebsNr, int jahr, const QDate& datum);

}  // namespace Bilanzanzeige
