#pragma once
// The import sheet of the field import: its columns, titles, units and
// hints, which cells the user may edit and what each column takes. Free of
// widgets and of the database.

#include <QString>

#include <optional>

class TBlatt;

namespace Schlagblatt {

enum TSpalte : int {
  Parzelle = 1,
  Feldblock = 2,
  SchlagNr = 3,
  SchlagName = 4,
  Groesse = 5,
  Nutzung = 6,
  Kultur = 7,
  Vorfrucht = 8,
  Zwischenfrucht = 9,
  KeineBerechnung = 10,
  Nitratgebiet = 11,
  Phosphatgebiet = 12,
  SonstBeschraenkung = 13,
  Steingehalt = 14,
  Bodengruppe = 15,
  Humus = 16,
  Durchwurzelung = 17,
  Ackerzahl = 18,
  PMethode = 19,
  PDatum = 20,
  PGehalt = 21,
  // hidden
  FlikVorsatz = 134,
  NutzungIntern = 135,
  NuCode = 136,
  KulturNr = 137,
  VorfruchtNr = 138,
  ZwischenfruchtNr = 139,
};
inline constexpr int SichtbareSpalten = PGehalt;
inline constexpr int ErsteParzellenzeile = 3;
// The catch-crop column of a new row: "no catch crop".
inline constexpr int OhneZwischenfrucht = 14;

QString Titel(int spalte);
QString Einheit(int spalte);
// The hint shown when a cell of the column is selected.
QString Hinweis(int spalte);
// Writes titles and units into rows 1 and 2.
void KopfSchreiben(TBlatt& blatt);

// A parcel row: row 3 or below with a parcel number.
bool IstParzellenzeile(const TBlatt& blatt, int zeile);
// Whether the user may edit the cell in the sheet itself.
bool Editierbar(const TBlatt& blatt, int spalte, int zeile);
// The text typed into a cell as it is stored (upper-cased analysis method);
// none when the column does not take it.
std::optional<QString> Eingabe(int spalte, const QString& text);
// The columns whose cells "x" switches on and off.
bool IstKreuzspalte(int spalte);
// Whether a cross column's text means yes: not empty and not starting with "N".
bool Angekreuzt(const QString& text);
// Where Enter goes from a column: the next one, from the last to column 3
// of the next row.
void Weiter(int& spalte, int& zeile);

}  // namespace Schlagblatt
