#pragma once
// What the printed demand sheets say: the nitrogen sheet for arable land and
// vegetables, the one for grassland and multi-cut field fodder, the phosphate
// sheet and the autumn nitrogen sheet, each read from the database into texts
// in the order they are printed, and which entries "Alle berechneten drucken"
// prints. The value texts are shared with the spreadsheet lists. Free of
// widgets; the sheets are drawn in demand/druck/.

#include "herbstduengung.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>
#include <vector>

class TADOModConnection;

namespace Bedarfsblaetter {

// --- value texts ------------------------------------------------------------------

// Rounded, halves to the even neighbour; an empty value gives "0".
QString Ganz(const QVariant& wert);
// The whole value with its sign reversed, for amounts that are deducted: 40 gives -40, 0 gives 0.
QString Negiert(const QVariant& wert);
// One decimal with a decimal comma (0.001 added before rounding).
QString EineStelle(const QVariant& wert);
// An amount in kg P2O5/ha as "P (P2O5)": 100 gives "44 (100)".
QString PPaar(double p2o5);
// "Ja" when the area column (BewirtschaftungsAuflagen, Phosphatgebiet) is 2, else "Nein".
QString Gebiet(const QVariant& wert);
// "Ja" or "Nein" for a yes/no column; empty when null.
QString JaNein(const QVariant& wert);
// BG 1 to 6 as "1 - Sand" … "6 - Anmoor/ Niedermoor"; empty otherwise.
QString Bodengruppe(const QVariant& bg);
// SteingehaltKrume as "12 %".
QString Steingehalt(const QVariant& wert);
// "> 4 %" or "<= 4 %".
QString Humus(const QVariant& humusGroesserVier);
// The text of an Nmin source code; empty for unknown codes.
QString NminQuelle(const QVariant& quelle);
// " dt TM/ha" when the crop number's hundreds digit is 2, else " dt FM/ha".
QString Ertragseinheit(const QVariant& fruchtNummer);
// NutzungsForm 1, 2, 4 as "Ackerland", "Grünland", "Brache"; empty otherwise.
QString Nutzungsart(const QVariant& wert);
// P_Methode 1 to 3 as "CAL", "DL", "EUF"; "nicht gesetzt" when 0 or less.
QString Analysemethode(const QVariant& wert);
// The grassland soil class 1 to 6 (GL_Bodenart); empty otherwise.
QString Gruenlandboden(const QVariant& wert);
// An ISO date as dd.MM.yyyy; empty when there is none.
QString Datum(const QVariant& iso);
// A number as stored: decimal comma, no trailing zeros.
QString Gespeichert(const QVariant& wert);
// The short text of the autumn crop HD_FA on the sheet; empty when not above 0.
QString HerbstFruchtart(const QVariant& fruchtart, bool nitratgebiet);
// The text of the autumn previous crop HD_VF; empty when not above 0.
QString HerbstVorfrucht(const QVariant& vorfrucht);

// --- the sheets -------------------------------------------------------------------

// One printed line of the factor table: the label (a further part, where
// there is one, the Nmin source, layer and layer value, printed at their own
// places) and the values of the value columns printed on this line.
struct TTextzeile {
  QStringList text;
  QStringList werte;
};

// A numbered row of the factor table.
struct TFaktorzeile {
  QString nummer;
  std::vector<TTextzeile> zeilen;
  // Its one value stands centred across all value columns.
  bool zentriert = false;
};

struct TKopfeintrag {
  QString bezeichnung;
  QString wert;
};
using TKopfzeile = std::vector<TKopfeintrag>;

enum class TArt { Acker, Gruenland, Phosphor, Herbst };

struct TBlatt {
  TArt art = TArt::Acker;
  QStringList titel;
  QStringList adresse;  // three lines
  std::vector<TKopfzeile> kopf;
  // The phosphate sheet's crops of the period: name, "Ertrag:", "Nebenprodukt:".
  std::vector<TKopfzeile> kulturen;
  QString tabellentitel;  // with the year
  QString einheit;        // above the value columns
  int wertspalten = 1;
  std::vector<TFaktorzeile> faktoren;
  TFaktorzeile ergebnis;  // in its own shaded band
  std::vector<TFaktorzeile> danach;  // below it: the surcharges written in by hand
  QStringList hinweise;   // each one printed line
  QString teilflaechen;   // "Teilflächen: …" for a management unit; empty otherwise
};

// The nitrogen sheet of a crop row (grassland sheet for crop group 2); none
// when the row does not exist.
std::optional<TBlatt> StickstoffBlatt(TADOModConnection& db, qint64 anbauId);
// The phosphate sheet of a field.
std::optional<TBlatt> PhosphorBlatt(TADOModConnection& db, qint64 schlagId);
// The autumn nitrogen sheet of a field; its result is HD_DNG_RG for a field
// in a nitrate area from 2021, HD_DNG for any other.
std::optional<TBlatt> HerbstBlatt(TADOModConnection& db, qint64 schlagId);

// --- what "Alle berechneten drucken" prints -------------------------------------------

// Crop rows of the farm year from the main crop on with a demand, by parcel and position.
std::vector<qint64> BerechneteKulturen(TADOModConnection& db, int betrieb, int jahr);
// Fields of the farm year with a phosphate demand above 0, by parcel.
std::vector<qint64> BerechneteSchlaege(TADOModConnection& db, int betrieb, int jahr);
// The fields the autumn page lists in the farm year with the page's result above 0, by parcel.
std::vector<qint64> BerechneteHerbstSchlaege(TADOModConnection& db, int betrieb, int jahr,
                                             Herbstduengung::TSeite seite);

}  // namespace Bedarfsblaetter
