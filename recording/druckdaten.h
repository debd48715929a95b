#pragma once
// What the printed records and statements show, as texts: the farm's head
// lines, the fields, the records split into pages and sections, the values
// of the statement sheet. The sheets in recording/druck only place them.

#include "auswertung.h"
#include "bilanz.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class TADOModConnection;

namespace Druckdaten {

// Rows of a record sheet page and of a list page.
inline constexpr int ZeilenJeBlatt = 19;
inline constexpr int ZeilenJeListe = 14;

inline const QString KeineElemente = QStringLiteral("Keine druckbaren Elemente vorhanden.");

// Numbers of the sheets, decimal comma, no thousands separator: the magnitude
// times 10^stellen plus 0.001 rounded, the sign in front (3 → "3,000").
QString Dezimal(double wert, int stellen);
// Rounded to a whole number, halves to the even neighbour.
QString Ganz(double wert);

// The farm and the year's values as the heads of the sheets show them.
struct TBetriebskopf {
  QString name;      // trimmed
  QString strasse;   // trimmed
  QString ort;       // "PLZ Ort / Ortsteil"
  QString euNummer;  // trimmed
  QDate erstellt;    // ErstellungsdatumAufzeichnungBedarf; invalid when empty
  std::optional<double> betriebsgroesse;
  std::optional<double> flaeche170kg;
};
TBetriebskopf Betriebskopf(TADOModConnection& db, int betrieb, int jahr);

// A field of the fertiliser year, as the field list shows it.
struct TSchlag {
  int parzelle = 0;
  QString feldblock;
  QString schlagNr;
  QString schlagName;
  double groesse = 0;
};
// The fields of the year in Parzelle order.
std::vector<TSchlag> Schlaege(TADOModConnection& db, int betrieb, int jahr);
std::optional<TSchlag> Schlag(TADOModConnection& db, int betrieb, int jahr, int parzelle);

// "Min.-D.", "Org.-D.", "Legum.N.", "Weide", "And. Stoffe".
QString Kategoriekurz(int kategorie);
QString JaNein(bool ja);

// The records of one field for its sheets, in the order of the sheets.
std::vector<Auswertung::TDungsatz> SchlagSaetze(const std::vector<Auswertung::TDungsatz>& alle, int parzelle);

// Cuts rows into pages of at most jeSeite rows: [first, end) per page. No rows, no pages.
std::vector<std::pair<int, int>> Seiten(int anzahl, int jeSeite);

// A row of the record sheet as printed.
struct TBlattzeile {
  QString datum, kategorie, kultur, bezeichnung, menge, weideTage, weideTiere, n, nVerf, p, p2o5;
};
TBlattzeile Blattzeile(const Auswertung::TDungsatz& s);

// The four sums below a page or section: N, available N, P, P2O5, whole numbers.
QStringList Summen(const std::vector<Auswertung::TDungsatz>& saetze, int von, int bis);

// A section of the lists of the statement printout.
struct TAbschnitt {
  QString titel;
  QString einheit;  // of the amount column
  std::vector<Auswertung::TDungsatz> saetze;
};
// The non-empty sections in their order; for the nitrate area only the
// records on nitrate-area fields.
std::vector<TAbschnitt> Abschnitte(const std::vector<Auswertung::TDungsatz>& saetze, bool nitratgebiet);

// A row of the lists as printed.
struct TListenzeile {
  QString feldblock, parzelle, schlagName, groesse, ng, kultur, art, bezeichnung, datum, menge, n, nVerf, p, p2o5;
};
TListenzeile Listenzeile(const Auswertung::TDungsatz& s);

// The statement as printed, computed now: empty values when the farm has
// no crop row in the year; nothing when it cannot be computed.
std::optional<TBilanz> Bilanz(TADOModConnection& db, int betrieb, int jahr, bool nitratgebiet);

// The statement sheet: its header pairs, left and right column.
struct TKopfpaar {
  QString titel;
  QString wert;
};
std::vector<TKopfpaar> Bilanzkopf(const TBilanz& b, const TBetriebskopf& k, bool nitratgebiet);

// A row of the statement sheet's table. nZusammen: one value centred over both N columns.
struct TBilanzzeile {
  QString nr;
  QStringList text;  // one or more lines
  QString nGes, nVerf, p, p2o5;
  bool nZusammen = false;
  bool fett = false;
};
std::vector<TBilanzzeile> Bilanzzeilen(const TBilanz& b, bool nitratgebiet);

}  // namespace Druckdaten
