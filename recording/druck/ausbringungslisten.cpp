// The lists of applications by kind (landscape): every page with the heading,
// the farm, the section's title and a table of at most 14 records; the sums
// of a section on its last page.
#include "aufzeichnungsblatt.h"
#include "blatthilfe.h"
#include "pdfdruckausgabe.h"

#include <algorithm>

namespace Aufzeichnungsblatt {

using namespace Blatthilfe;

namespace {

QString K(const char* s) { return QString::fromUtf8(s); }

constexpr double KopfY = 46, KopfHoehe = 10, ErsteZeile = 56, Zeilenabstand = 10;

std::vector<std::pair<QString, QString>> Titel(const QString& einheit) {
  return {{K("Feldblock"), {}},
          {K("Parzelle"), {}},
          {K("Schlagname"), {}},
          {K("Größe"), K("ha")},
          {K("NG"), {}},
          {K("Gedüngte Kultur"), {}},
          {K("Kategorie"), {}},
          {K("Bezeichnung"), {}},
          {K("Datum"), K("Düngung")},
          {K("Menge"), einheit},
          {K("N ges."), K("kg")},
          {K("N verf."), K("kg")},
          {K("P"), K("kg")},
          {K("P2O5"), K("kg")}};
}

QStringList Werte(const Druckdaten::TListenzeile& z) {
  return {z.feldblock, z.parzelle, z.schlagName, z.groesse, z.ng,   z.kultur, z.art,
          z.bezeichnung, z.datum,  z.menge,      z.n,       z.nVerf, z.p,     z.p2o5};
}

// The texts that wrap, and their shares of the room the others leave.
constexpr double Anteile[14] = {0, 0, 32, 0, 0, 32, 27, 33, 0, 0, 0, 0, 0, 0};

double LaengstesWort(const TPDFDruckausgabe& d, const QString& text) {
  double w = 0;
  for (const QString& wort : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) w = std::max(w, d.Textbreite(wort));
  return w;
}

// The columns of every page of the lists: each as wide as its longest
// title, value or sum, so that no field block or number is cut; the names
// wrap in what is left.
std::vector<TSpalte> Spalten(TPDFDruckausgabe& d, const std::vector<Druckdaten::TAbschnitt>& abschnitte) {
  std::vector<TSpaltenbedarf> bedarf(14);
  for (int i = 0; i < 14; ++i) bedarf[i].anteil = Anteile[i];
  const auto messen = [&](int i, const QString& text) {
    bedarf[i].breite = std::max(bedarf[i].breite, d.Textbreite(text));
    bedarf[i].wort = std::max(bedarf[i].wort, LaengstesWort(d, text));
  };
  for (const Druckdaten::TAbschnitt& a : abschnitte) {
    Schriftart(d, 8, true);
    const auto titel = Titel(a.einheit);
    for (int i = 0; i < 14; ++i) {
      // Titles are not wrapped.
      for (const QString& t : {titel[i].first, titel[i].second}) {
        messen(i, t);
        bedarf[i].wort = std::max(bedarf[i].wort, d.Textbreite(t));
      }
    }
    const QStringList summen = Druckdaten::Summen(a.saetze, 0, int(a.saetze.size()));
    for (int i = 0; i < 4 && i < summen.size(); ++i) messen(10 + i, summen[i]);
    for (const Auswertung::TDungsatz& satz : a.saetze) {
      const QStringList werte = Werte(Druckdaten::Listenzeile(satz));
      for (int i = 0; i < 14; ++i) {
        Schriftart(d, i == 0 ? 7 : 8);
        messen(i, werte[i]);
      }
    }
  }
  return Spaltenbreiten(10, 277, bedarf);
}

void Kopf(TPDFDruckausgabe& d, const std::vector<TSpalte>& spalten, const Druckdaten::TBetriebskopf& b,
          const Druckdaten::TAbschnitt& a, int jahr, bool nitratgebiet) {
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
  Tabellenkopf(d, spalten, Titel(a.einheit),
               KopfY, KopfHoehe);
}

void Zeile(TPDFDruckausgabe& d, const std::vector<TSpalte>& spalten, const Druckdaten::TListenzeile& z, double y) {
  const double block = Zeilenabstand - 1;
  const QStringList werte = Werte(z);
  for (int i = 0; i < 14; ++i) {
    Schriftart(d, i == 0 ? 7 : 8);
    const TSpalte& s = spalten[i];
    if (Anteile[i] > 0)
      d.TextBlock(werte[i], 1, s.x + 1, y + 1, s.breite - 2, block, 0);
    else if (i == 0 || i == 4 || i == 8)
      Links(d, s, werte[i], y + 1);
    else
      Rechts(d, s, werte[i], y + 1);
  }
}

}  // namespace

void ListenZeichnen(TPDFDruckausgabe& d, const Druckdaten::TBetriebskopf& betrieb,
                    const std::vector<Druckdaten::TAbschnitt>& abschnitte, int jahr, bool nitratgebiet) {
  const std::vector<TSpalte> spalten = Spalten(d, abschnitte);
  bool erste = true;
  for (const Druckdaten::TAbschnitt& a : abschnitte) {
    const auto seiten = Druckdaten::Seiten(int(a.saetze.size()), Druckdaten::ZeilenJeListe);
    for (size_t s = 0; s < seiten.size(); ++s) {
      const auto [von, bis] = seiten[s];
      if (!erste) d.NeueSeite();
      erste = false;
      Kopf(d, spalten, betrieb, a, jahr, nitratgebiet);
      for (int i = von; i < bis; ++i)
        Zeile(d, spalten, Druckdaten::Listenzeile(a.saetze[i]), ErsteZeile + Zeilenabstand * (i - von));
      const double unten = ErsteZeile + Zeilenabstand * (bis - von);
      d.StiftSetzen(Schwarz, 0, 0.3);
      Spaltenlinien(d, spalten, ErsteZeile, unten - ErsteZeile);
      // The sums run over the whole section.
      if (s + 1 == seiten.size()) {
        const QStringList summen = Druckdaten::Summen(a.saetze, 0, int(a.saetze.size()));
        Schriftart(d, 8, true);
        d.TextRechtsAn(K("Summe:"), spalten[10].x - 1.5, unten + 1.5);
        for (int i = 0; i < 4; ++i) Rechts(d, spalten[10 + i], summen[i], unten + 1.5);
      }
    }
  }
}

}  // namespace Aufzeichnungsblatt
