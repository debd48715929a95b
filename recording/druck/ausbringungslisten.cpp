// The lists of applications by kind (landscape): every page with the heading,
// the farm, the section's title and a table of at most 14 records; the sums
// of a section on its last page.
#include "aufzeichnungsblatt.h"
#include "blatthilfe.h"
#include "pdfdruckausgabe.h"

namespace Aufzeichnungsblatt {

using namespace Blatthilfe;

namespace {

QString K(const char* s) { return QString::fromUtf8(s); }

const std::vector<TSpalte> Spalten = {{10, 24},    {34, 14},      {48, 32},   {80, 12},    {92, 9},
                                      {101, 32},   {133, 27},     {160, 33},  {193, 20},   {213, 16},
                                      {229, 14.5}, {243.5, 14.5}, {258, 14.5}, {272.5, 14.5}};
constexpr double KopfY = 46, KopfHoehe = 10, ErsteZeile = 56, Zeilenabstand = 10;

void Kopf(TPDFDruckausgabe& d, const Druckdaten::TBetriebskopf& b, const Druckdaten::TAbschnitt& a, int jahr,
          bool nitratgebiet) {
  d.StiftSetzen(Schwarz, 0, 0.3);
  Logo(d, 253, 7, 32);
  Schriftart(d, 9, true);
  d.TextBlock(nitratgebiet ? K("Nachweis der auf den Flächen im Nitratgebiet aufgebrachten Nährstoffe nach § 10 (2) "
                               "DüV (Aufzeichnungspflichten) für Stickstoff und Phosphat (P/P2O5) für das")
                           : K("Nachweis der auf der Flächen des Gesamtbetriebes aufgebrachten Nährstoffe nach § 10 "
                               "(2) DüV (Aufzeichnungspflichten) für Stickstoff und Phosphat (P/P2O5) für das"),
              0, 10, 8, 236, 8.5, 0);
  Schriftart(d, 11, true, Rot);
  const QString kalenderjahr = K("Kalenderjahr ") + QString::number(jahr);
  d.TextAn(kalenderjahr, 10, 17.5);
  const double x = 10 + d.Textbreite(kalenderjahr) + 8;
  Schriftart(d, 11, true);
  d.TextAn(nitratgebiet ? K("Betriebsflächen im Nitratgebiet") : K("Gesamtbetrieb"), x, 17.5);

  Schriftart(d, 9, true);
  d.TextAn(b.name, 10, 24, 0, 135);
  d.TextAn(K("Erstellungsdatum:"), 150, 24);
  d.TextAn(K("EU-BetriebsNr:"), 150, 28);
  const double werte = 150 + d.Textbreite(K("Erstellungsdatum:")) + 3;
  Schriftart(d, 9);
  d.TextAn(b.erstellt.isValid() ? b.erstellt.toString(QStringLiteral("dd.MM.yyyy")) : QString(), werte, 24);
  d.TextAn(b.euNummer, werte, 28);
  d.TextAn(b.strasse, 10, 28, 0, 135);
  d.TextAn(b.ort, 10, 32, 0, 135);

  Schriftart(d, 14, true);
  d.TextAn(a.titel, 10, 37.5);

  Schriftart(d, 8, true);
  Tabellenkopf(d, Spalten,
               {{K("Feldblock"), {}},
                {K("Parzelle"), {}},
                {K("Schlagname"), {}},
                {K("Größe"), K("ha")},
                {K("NG"), {}},
                {K("Gedüngte Kultur"), {}},
                {K("Kategorie"), {}},
                {K("Bezeichnung"), {}},
                {K("Datum"), K("Düngung")},
                {K("Menge"), a.einheit},
                {K("N ges."), K("kg")},
                {K("N verf."), K("kg")},
                {K("P"), K("kg")},
                {K("P2O5"), K("kg")}},
               KopfY, KopfHoehe);
}

void Zeile(TPDFDruckausgabe& d, const Druckdaten::TListenzeile& z, double y) {
  const double block = Zeilenabstand - 1;
  Schriftart(d, 7);
  Links(d, Spalten[0], z.feldblock, y + 1);
  Schriftart(d, 8);
  Rechts(d, Spalten[1], z.parzelle, y + 1);
  d.TextBlock(z.schlagName, 1, Spalten[2].x + 1, y + 1, Spalten[2].breite - 2, block, 0);
  Rechts(d, Spalten[3], z.groesse, y + 1);
  Links(d, Spalten[4], z.ng, y + 1);
  d.TextBlock(z.kultur, 1, Spalten[5].x + 1, y + 1, Spalten[5].breite - 2, block, 0);
  d.TextBlock(z.art, 1, Spalten[6].x + 1, y + 1, Spalten[6].breite - 2, block, 0);
  d.TextBlock(z.bezeichnung, 1, Spalten[7].x + 1, y + 1, Spalten[7].breite - 2, block, 0);
  Links(d, Spalten[8], z.datum, y + 1);
  const QString werte[] = {z.menge, z.n, z.nVerf, z.p, z.p2o5};
  for (int i = 0; i < 5; ++i) Rechts(d, Spalten[9 + i], werte[i], y + 1);
}

}  // namespace

void ListenZeichnen(TPDFDruckausgabe& d, const Druckdaten::TBetriebskopf& betrieb,
                    const std::vector<Druckdaten::TAbschnitt>& abschnitte, int jahr, bool nitratgebiet) {
  bool erste = true;
  for (const Druckdaten::TAbschnitt& a : abschnitte) {
    const auto seiten = Druckdaten::Seiten(int(a.saetze.size()), Druckdaten::ZeilenJeListe);
    for (size_t s = 0; s < seiten.size(); ++s) {
      const auto [von, bis] = seiten[s];
      if (!erste) d.NeueSeite();
      erste = false;
      Kopf(d, betrieb, a, jahr, nitratgebiet);
      for (int i = von; i < bis; ++i)
        Zeile(d, Druckdaten::Listenzeile(a.saetze[i]), ErsteZeile + Zeilenabstand * (i - von));
      const double unten = ErsteZeile + Zeilenabstand * (bis - von);
      d.StiftSetzen(Schwarz, 0, 0.3);
      Spaltenlinien(d, Spalten, ErsteZeile, unten - ErsteZeile);
      // The sums run over the whole section.
      if (s + 1 == seiten.size()) {
        const QStringList summen = Druckdaten::Summen(a.saetze, 0, int(a.saetze.size()));
        Schriftart(d, 8, true);
        d.TextRechtsAn(K("Summe:"), Spalten[10].x - 1.5, unten + 1.5);
        for (int i = 0; i < 4; ++i) Rechts(d, Spalten[10 + i], summen[i], unten + 1.5);
      }
    }
  }
}

}  // namespace Aufzeichnungsblatt
