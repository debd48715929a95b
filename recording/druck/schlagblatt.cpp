// The record sheet of a field: head, a table of at most 19 records a page,
// the page's sums and the footer.
#include "aufzeichnungsblatt.h"
#include "blatthilfe.h"
#include "pdfdruckausgabe.h"

#include <algorithm>

namespace Aufzeichnungsblatt {

using namespace Blatthilfe;

namespace {

QString K(const char* s) { return QString::fromUtf8(s); }

const std::vector<TSpalte> Spalten = {{10, 21},  {31, 33},  {64, 41},  {105, 17}, {122, 14},
                                      {136, 14}, {150, 13}, {163, 13}, {176, 12}, {188, 12}};
constexpr double KopfY = 73, KopfHoehe = 10, ErsteZeile = 83, Zeilenabstand = 10;

// A caption and its value behind it. A value too long for the room up to
// where the next one begins is set smaller, down to 7 pt, and only then cut.
double Angabe(TPDFDruckausgabe& d, const QString& titel, const QString& wert, double x, double y, double bis = 200) {
  Schriftart(d, 9, true);
  d.TextAn(titel, x, y);
  const double w = x + d.Textbreite(titel) + 1.5;
  int grad = 9;
  Schriftart(d, grad);
  while (grad > 7 && d.Textbreite(wert) > bis - w) Schriftart(d, --grad);
  d.TextAn(wert, w, y, 0, std::max(1.0, bis - w));
  const double ende = w + std::min(d.Textbreite(wert), bis - w);
  Schriftart(d, 9);
  return ende;
}

void Kopf(TPDFDruckausgabe& d, const Druckdaten::TBetriebskopf& b, const Druckdaten::TSchlag& s,
          const Auswertung::TDungsatz& erste, int jahr, const QDate& heute) {
  d.StiftSetzen(Schwarz, 0, 0.3);
  Logo(d, 168, 7, 32);
  d.Rahmen(10, 24, 190, 16);
  Schriftart(d, 10, true);
  d.TextBlock(K("Nachweis der aufgebrachten Nährstoffe nach § 10 (2) DüV (Aufzeichnungspflichten) für Stickstoff "
                "und Phosphat (P/P2O5) "),
              0, 12, 25, 186, 8.5, 0);
  d.TextAn(K("für das Kalenderjahr ") + QString::number(jahr), 12, d.PositionY() + d.Zeilenvorschub());

  Schriftart(d, 9, true);
  d.TextAn(b.name, 10, 43);
  Schriftart(d, 9);
  d.TextAn(b.strasse, 10, 47);
  d.TextAn(b.ort, 10, 51);

  Angabe(d, K("Parzellen-Nr.:"), QString::number(s.parzelle), 10, 56);
  Angabe(d, K("Feldblock:"), s.feldblock, 60, 56, 157);
  Angabe(d, K("Datum:"), heute.toString(QStringLiteral("dd.MM.yyyy")), 160, 56);
  Angabe(d, K("Schlagnummer:"), s.schlagNr, 10, 60.5, 58);
  // The field's name has the whole width of its line.
  Angabe(d, K("Schlagname:"), s.schlagName, 60, 60.5);
  d.LinieWaagerecht(10, 65.5, 190);
  double x = Angabe(d, K("Schlaggröße (ha):"), Druckdaten::Dezimal(s.groesse, 1), 10, 67.5);
  x = Angabe(d, K("Nitratgebiet:"), Druckdaten::JaNein(erste.nitratgebiet == 2), std::max(x + 5, 48.0), 67.5);
  x = Angabe(d, K("Phosphatgebiet:"), Druckdaten::JaNein(erste.phosphatgebiet == 2), std::max(x + 5, 86.0), 67.5);
  Angabe(d, K("Sonstige Düngebeschränkung:"), Druckdaten::JaNein(erste.sonstigeBeschraenkung),
         std::max(x + 5, 126.0), 67.5);

  Schriftart(d, 8, true);
  Tabellenkopf(d, Spalten,
               {{K("Datum"), K("Kategorie")},
                {K("Gedüngte Kultur"), {}},
                {K("Bezeichnung"), {}},
                {K("Menge"), K("t,m³/ha")},
                {K("Weide-"), K("tage*")},
                {K("Anzahl"), K("Tiere")},
                {K("Nges."), K("kg")},
                {K("Nverf."), K("kg")},
                {K("P"), K("kg")},
                {K("P2O5"), K("kg")}},
               KopfY, KopfHoehe);
}

void Fuss(TPDFDruckausgabe& d) {
  d.StiftSetzen(Schwarz, 0, 0.3);
  d.LinieWaagerecht(10, 281, 190);
  Schriftart(d, 8);
  d.TextAn(Fusstext, 10, 282.5);
}

void Zeile(TPDFDruckausgabe& d, const Druckdaten::TBlattzeile& z, double y) {
  Schriftart(d, 8);
  Links(d, Spalten[0], z.datum, y + 1);
  Links(d, Spalten[0], z.kategorie, y + 5);
  d.TextBlock(z.kultur, 1, Spalten[1].x + 1, y + 1, Spalten[1].breite - 2, Zeilenabstand - 1, 0);
  d.TextBlock(z.bezeichnung, 1, Spalten[2].x + 1, y + 1, Spalten[2].breite - 2, Zeilenabstand - 1, 0);
  const QString werte[] = {z.menge, z.weideTage, z.weideTiere, z.n, z.nVerf, z.p, z.p2o5};
  for (int i = 0; i < 7; ++i) Rechts(d, Spalten[3 + i], werte[i], y + 1);
}

}  // namespace

void SchlagZeichnen(TPDFDruckausgabe& d, const Druckdaten::TBetriebskopf& betrieb, const Druckdaten::TSchlag& schlag,
                    const std::vector<Auswertung::TDungsatz>& saetze, int jahr, const QDate& heute) {
  bool erste = true;
  for (const auto& [von, bis] : Druckdaten::Seiten(int(saetze.size()), Druckdaten::ZeilenJeBlatt)) {
    if (!erste) d.NeueSeite();
    erste = false;
    Kopf(d, betrieb, schlag, saetze[von], jahr, heute);
    for (int i = von; i < bis; ++i)
      Zeile(d, Druckdaten::Blattzeile(saetze[i]), ErsteZeile + Zeilenabstand * (i - von));
    const double unten = ErsteZeile + Zeilenabstand * (bis - von);
    d.StiftSetzen(Schwarz, 0, 0.3);
    Spaltenlinien(d, Spalten, ErsteZeile, unten - ErsteZeile);
    const QStringList summen = Druckdaten::Summen(saetze, von, bis);
    Schriftart(d, 8);
    d.TextAn(K("* Weidetag zu je 24 h"), 10, unten + 1.5);
    Schriftart(d, 8, true);
    d.TextRechtsAn(K("Summe:"), Spalten[6].x - 1.5, unten + 1.5);
    for (int i = 0; i < 4; ++i) Rechts(d, Spalten[6 + i], summen[i], unten + 1.5);
    Fuss(d);
  }
}

}  // namespace Aufzeichnungsblatt
