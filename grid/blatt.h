#pragma once
// A work sheet: cells addressed by column and row, both counted from 1,
// within the old spreadsheet limits of 256 columns and 16384 rows. A cell
// holds text; a numeric cell also holds its number, shown with the display
// precision. Free of widgets, so logic units fill and read sheets.

#include <QString>

#include <optional>
#include <vector>

class TBlatt {
public:
  static constexpr int MaxSpalten = 256;
  static constexpr int MaxZeilen = 16384;
  // Display precision: whole numbers, two or four decimals, or full.
  enum class TGenauigkeit { Ganzzahl = 0, Zweistellig = 2, Vierstellig = 4, Exakt = -1 };

  // The cell's text without leading and trailing blanks; empty outside the
  // sheet or for an empty cell.
  QString Text(int spalte, int zeile) const;
  // The untrimmed text as stored.
  QString Roh(int spalte, int zeile) const;
  // The cell's number; none for a text cell.
  std::optional<double> Zahl(int spalte, int zeile) const;
  // The text as the grid shows it: a number with the precision, in German
  // format; any other cell its text.
  QString Anzeige(int spalte, int zeile, TGenauigkeit g) const;

  // False (and nothing changes) outside the limits.
  bool setText(int spalte, int zeile, const QString& text);
  bool setZahl(int spalte, int zeile, double zahl);
  static bool ImBlatt(int spalte, int zeile) {
    return spalte >= 1 && spalte <= MaxSpalten && zeile >= 1 && zeile <= MaxZeilen;
  }

  void Leeren() { m_zeilen.clear(); }
  // The last row with a cell that is not empty; 0 for an empty sheet.
  int LetzteZeile() const;
  // The last column of the row with a cell that is not empty; 0 when none.
  int LetzteSpalte(int zeile) const;
  // The last column of the whole sheet with a cell that is not empty.
  int LetzteSpalte() const;
  bool ZeileLeer(int zeile) const { return LetzteSpalte(zeile) == 0; }
  // Removes the row; the rows below move up.
  void ZeileEntfernen(int zeile);

private:
  struct TZelle {
    QString text;
    std::optional<double> zahl;
  };
  TZelle* Zelle(int spalte, int zeile);
  const TZelle* Zelle(int spalte, int zeile) const;
  std::vector<std::vector<TZelle>> m_zeilen;
};
