#include "blattzeichner.h"

#include "pdfdruckausgabe.h"

#include <algorithm>

using namespace Qt::StringLiterals;
using Bedarfsblaetter::TArt;
using Bedarfsblaetter::TBlatt;
using Bedarfsblaetter::TFaktorzeile;
using Bedarfsblaetter::TKopfzeile;

const QString Blattzeichner::Fusszeile = u"Quendrix2022 Version 3 Datenbankversion 6.7 Varnland, Stand Dezember 2021"_s;

namespace {

const QString Schrift = u"Tahoma"_s;
constexpr TPDFDruckausgabe::TFarbe Grau = 15263976;    // heading band
constexpr TPDFDruckausgabe::TFarbe Dunkler = 13816530;  // result band

// The sheet's frame, in mm from the top-left corner.
constexpr double Links = 8, Rechts = 202, Text = 10;
constexpr double Kopfzeile = 5;     // one row of the header
constexpr double Zeile = 4.2;       // one line of the factor table
constexpr double Polster = 0.9;     // above and below the lines of a row
constexpr double Nummer = 10, Bezeichnung = 18;
constexpr double Fussoben = 286;
constexpr double LangerWert = 160;  // widest value right of a short label

void Normal(TPDFDruckausgabe& d, int grad) { d.SchriftSetzen(grad, 0, 0, 0, Schrift, 0); }
void Fett(TPDFDruckausgabe& d, int grad) { d.SchriftSetzen(grad, 1, 0, 0, Schrift, 0); }

void Stift(TPDFDruckausgabe& d, double breite) { d.StiftSetzen(0, 0, breite); }

// Where the value columns of a sheet lie.
struct TSpalten {
  double links;  // start of the first value column
  int anzahl;
  double Breite() const { return (Rechts - links) / anzahl; }
  double Mitte(int i) const { return links + Breite() * (i + 0.5); }
};

TSpalten SpaltenVon(const TBlatt& b) {
  switch (b.art) {
    case TArt::Phosphor: return {128, b.wertspalten};
    case TArt::Herbst: return {84, 1};
    default: return {158, 1};
  }
}

// A value in its column: numbers right-aligned, the phosphate columns
// centred, texts of the autumn sheet from the left, wrapped at words where
// they are too long. Returns the top of the value's last line.
double Wert(TPDFDruckausgabe& d, const TBlatt& b, const TSpalten& s, int spalte, const QString& wert, double y) {
  if (wert.isEmpty()) return y;
  switch (b.art) {
    case TArt::Phosphor:
      d.TextZentriertAn(wert, s.Mitte(spalte), y);
      return y;
    case TArt::Herbst:
      d.TextBlock(wert, 0, s.links + 2, y, Rechts - s.links - 3, 3 * Zeile, 0);
      return d.PositionY();
    default:
      // A crop name longer than the room beside its short label is cut at the right.
      if (d.Textbreite(wert) > LangerWert)
        d.TextAn(wert, Rechts - 3 - LangerWert, y, 0, LangerWert);
      else
        d.TextRechtsAn(wert, Rechts - 3, y);
      return y;
  }
}

// One header row: label and value pairs, the value in bold right behind its label.
// The phosphate sheet's left column is wider for the soil content.
void Kopf(TPDFDruckausgabe& d, const TKopfzeile& zeile, double y, bool kulturblock, bool breiterLinks) {
  static const std::vector<double> eins{Text, Rechts}, zwei{Text, 108, Rechts}, zweiBreit{Text, 124, Rechts},
      drei{Text, 72, 138, Rechts}, kulturen{Text, 112, 152, Rechts};
  const std::vector<double>& grenzen = kulturblock           ? kulturen
                                       : zeile.size() == 1   ? eins
                                       : zeile.size() == 2   ? (breiterLinks ? zweiBreit : zwei)
                                                             : drei;
  for (std::size_t i = 0; i < zeile.size() && i + 1 < grenzen.size(); ++i) {
    const double x = grenzen[i];
    Normal(d, 9);
    d.TextAn(zeile[i].bezeichnung, x, y);
    // The crop names line up behind the longest crop label.
    const double abstand = kulturblock && i == 0 ? 40 : d.Textbreite(zeile[i].bezeichnung) + 1.5;
    const double wx = x + abstand;
    Fett(d, 9);
    d.TextAn(zeile[i].wert, wx, y, 0, std::max(1.0, grenzen[i + 1] - wx - 2));
  }
}

double Zeilenhoehe(const TFaktorzeile& r) { return double(std::max<std::size_t>(1, r.zeilen.size())) * Zeile + 2 * Polster; }

// A row of the factor table at y; returns its bottom.
double Faktor(TPDFDruckausgabe& d, const TBlatt& b, const TSpalten& s, const TFaktorzeile& r, double y, bool ergebnis) {
  double h = Zeilenhoehe(r);
  if (ergebnis) {
    d.PinselSetzen(Dunkler, 0);
    d.Flaeche(Links, y, Rechts - Links, h);
  }
  ergebnis ? Fett(d, 9) : Normal(d, 9);
  double ty = y + Polster;
  d.TextAn(r.nummer, Nummer, ty);
  for (const Bedarfsblaetter::TTextzeile& z : r.zeilen) {
    ergebnis ? Fett(d, 9) : Normal(d, 9);
    if (!z.text.isEmpty()) d.TextAn(z.text.at(0), z.text.size() > 1 ? Bezeichnung + 4 : Bezeichnung, ty, 0,
                                    s.links - Bezeichnung - 2);
    // The Nmin layers: layer and its value beside the source.
    if (z.text.size() > 1) d.TextAn(z.text.at(1), 95, ty);
    if (z.text.size() > 2) d.TextRechtsAn(z.text.at(2), 130, ty);
    Fett(d, 9);
    if (r.zentriert && !z.werte.isEmpty())
      d.TextZentriertAn(z.werte.at(0), (s.links + Rechts) / 2, ty);
    else
      for (int i = 0; i < z.werte.size() && i < s.anzahl; ++i)
        h = std::max(h, Wert(d, b, s, i, z.werte.at(i), ty) + Zeile + Polster - y);
    ty += Zeile;
  }
  Stift(d, 0.2);
  d.LinieWaagerecht(Links, y + h, Rechts - Links);
  // The value columns apart, except across a value that spans them.
  if (b.art == TArt::Phosphor || b.art == TArt::Herbst)
    for (int i = 0; i < s.anzahl; ++i)
      if (i == 0 || !r.zentriert) d.LinieSenkrecht(s.links + i * s.Breite(), y, h);
  return y + h;
}

}  // namespace

void Blattzeichner::Zeichnen(TPDFDruckausgabe& d, const TBlatt& b) {
  // Title; the authority's logo at the top right is not shipped, its place stays empty.
  double y = 10;
  Fett(d, 11);
  for (const QString& t : b.titel) {
    d.TextAn(t, Text, y);
    y += 5;
  }
  Normal(d, 9);
  y = std::max(y + 4, 26.0);
  for (const QString& a : b.adresse) {
    d.TextAn(a, Text, y);
    y += 4;
  }

  // The header block, with the crops of the period below a line.
  const double kopfOben = y + 3;
  y = kopfOben + 1;
  for (const TKopfzeile& z : b.kopf) {
    Kopf(d, z, y, false, b.art == TArt::Phosphor);
    y += Kopfzeile;
  }
  if (!b.kulturen.empty()) {
    Stift(d, 0.2);
    d.LinieWaagerecht(Links, y, Rechts - Links);
    y += 1;
    for (const TKopfzeile& z : b.kulturen) {
      Kopf(d, z, y, true, false);
      y += Kopfzeile;
    }
  }
  Stift(d, 0.3);
  d.Rahmen(Links, kopfOben, Rechts - Links, y - kopfOben);

  // The factor table.
  const TSpalten s = SpaltenVon(b);
  const double tabelleOben = y + 5;
  y = tabelleOben;
  d.PinselSetzen(Grau, 0);
  d.Flaeche(Links, y, Rechts - Links, 6);
  Fett(d, 9);
  d.TextAn(b.tabellentitel, Text, y + 1);
  y += 6;
  d.TextAn(u"Zu- und Abschläge für:"_s, Text, y + 1);
  if (!b.einheit.isEmpty()) d.TextZentriertAn(b.einheit, (s.links + Rechts) / 2, y + 1);
  y += 6;
  Stift(d, 0.3);
  d.LinieWaagerecht(Links, y, Rechts - Links);
  for (const TFaktorzeile& r : b.faktoren) y = Faktor(d, b, s, r, y, false);
  y = Faktor(d, b, s, b.ergebnis, y, true);
  for (const TFaktorzeile& r : b.danach) y = Faktor(d, b, s, r, y, false);
  Stift(d, 0.3);
  d.Rahmen(Links, tabelleOben, Rechts - Links, y - tabelleOben);

  // Notes, and the parcels of a management unit below them.
  y += 4;
  Fett(d, 8);
  d.TextAn(u"Hinweis:"_s, Text, y);
  Normal(d, 8);
  for (const QString& h : b.hinweise) {
    y += 3.5;
    d.TextAn(h, Text, y);
  }
  if (!b.teilflaechen.isEmpty()) {
    y += 6;
    Normal(d, 9);
    d.TextBlock(b.teilflaechen, 1, Text, y, Rechts - Text - 2, Fussoben - 2 - y, 0);
  }

  Stift(d, 0.2);
  d.LinieWaagerecht(Links, Fussoben, Rechts - Links);
  Normal(d, 8);
  d.TextAn(Fusszeile, Text, Fussoben + 1.5);
}
