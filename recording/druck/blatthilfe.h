#pragma once
// What the record and statement sheets share: fonts, the shaded table heads,
// the logo and the footer.

#include "pdfdruckausgabe.h"

#include <QString>

#include <vector>

namespace Blatthilfe {

inline const QString Schrift = QStringLiteral("Tahoma");
inline constexpr TPDFDruckausgabe::TFarbe Schwarz = 0;
inline constexpr TPDFDruckausgabe::TFarbe Rot = 255;
inline constexpr TPDFDruckausgabe::TFarbe Grau = 15263976;
inline constexpr TPDFDruckausgabe::TFarbe Weiss = 0xFFFFFF;

inline const QString Fusstext =
    QStringLiteral("Quendrix2022 Version 3 Datenbankversion 6.7 Varnland, Stand Dezember 2021");

void Schriftart(TPDFDruckausgabe& d, int grad, bool fett = false, TPDFDruckausgabe::TFarbe farbe = Schwarz);
// The agency's logo from the working folder, if it is there.
void Logo(TPDFDruckausgabe& d, double x, double y, double breite);

// A table column: left edge and width; its texts stand 1 mm inside.
struct TSpalte {
  double x;
  double breite;
  double Rechts() const { return x + breite; }
  double Mitte() const { return x + breite / 2; }
};

// What a column of a table needs: the width of its widest text (title or
// value), the width of its longest word, and for a column whose texts wrap
// its share of the room the others leave.
struct TSpaltenbedarf {
  double breite = 0;
  double wort = 0;
  double anteil = 0;  // 0: the column does not wrap
};
// Columns side by side from links over the given width. A column that does
// not wrap is as wide as its widest text and its margins; the wrapping ones
// share the rest by their shares, none wider than its widest text needs and
// none narrower than its longest word.
std::vector<TSpalte> Spaltenbreiten(double links, double breite, const std::vector<TSpaltenbedarf>& bedarf);

// A shaded head over the columns, its titles of one or two lines centred,
// with vertical rules between the columns.
void Tabellenkopf(TPDFDruckausgabe& d, const std::vector<TSpalte>& spalten,
                  const std::vector<std::pair<QString, QString>>& titel, double y, double hoehe);
// The vertical rules of the columns from y down by the length, and the frame's bottom.
void Spaltenlinien(TPDFDruckausgabe& d, const std::vector<TSpalte>& spalten, double y, double laenge);

// A text right-aligned in a column.
void Rechts(TPDFDruckausgabe& d, const TSpalte& s, const QString& text, double y);
// A text left in a column, cut at the column's edge.
void Links(TPDFDruckausgabe& d, const TSpalte& s, const QString& text, double y);

}  // namespace Blatthilfe
