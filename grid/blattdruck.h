#pragma once
// Printing a work sheet: the settings of the window "Arbeitsblatt drucken"
// (kept while the program runs, shared by every grid), how the sheet falls
// into pages across and down, which pages a choice prints, and drawing them.

#include <QDateTime>
#include <QString>

#include <vector>

class QPagedPaintDevice;
class TBlatt;

struct TDruckeinstellung {
  // Margins and the distances of header and footer line, in whole mm.
  int links = 20, oben = 20, rechts = 20, unten = 20, kopf = 10, fuss = 10;
  bool quer = false;  // "Horizontal"
  int punkte = 8;     // 12, 10, 8 ("Originalgröße"), 6 or 4
  bool kopfDrucken = true;
  bool fussDrucken = true;
  bool ueberschriften = false;    // column letters and row numbers
  bool wiederholungszeile = false;  // the title row on every page
  enum class TAuswahl { ErstesBlatt, ObersteReihe, LinkeSpalte, VonBis, Alle };
  TAuswahl auswahl = TAuswahl::ErstesBlatt;
  int von = 1, bis = 1;

  // The settings of the running program.
  static TDruckeinstellung& Programm();
};

namespace Blattdruck {

// Width of a column and height of a row in mm at the font size.
double Spaltenbreite(const TBlatt& blatt, int spalte, int punkte);
double Zeilenhoehe(int punkte);

struct TBereich {
  int von = 1, bis = 1;  // columns or rows, inclusive
};
struct TSeiten {
  std::vector<TBereich> spalten;  // one per page across
  std::vector<TBereich> zeilen;   // one per page down
  int Quer() const { return int(spalten.size()); }
  int Hoch() const { return int(zeilen.size()); }
  int Insgesamt() const { return Quer() * Hoch(); }
};

// How the sheet up to `spalten` columns falls into pages on paper of this
// size (mm, portrait; the setting turns it). At least one page each way.
TSeiten Aufteilen(const TBlatt& blatt, int spalten, const TDruckeinstellung& e, double breiteMm, double hoeheMm);

// The pages a choice prints, numbered down first, then across, from 1:
// (page across, page down), each from 0.
struct TSeite {
  int quer = 0, hoch = 0;
};
std::vector<TSeite> Auswahl(const TSeiten& s, const TDruckeinstellung& e);

// Draws the chosen pages on the device (a printer or a PDF writer).
void Drucken(QPagedPaintDevice& geraet, const TBlatt& blatt, int spalten, const TDruckeinstellung& e,
             const QString& kopftext, const QString& fusstext, const QDateTime& zeit);

}  // namespace Blattdruck
