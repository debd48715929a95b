// The yearly statement sheet: title, farm, the demand values, the table of
// applied nutrients by kind, footnote, the findings of the checks of the
// legal limits and footer. One page, unless the findings need more.
#include "aufzeichnungsblatt.h"
#include "blatthilfe.h"
#include "pdfdruckausgabe.h"

#include <algorithm>

namespace Aufzeichnungsblatt {

using namespace Blatthilfe;

namespace {

QString K(const char* s) { return QString::fromUtf8(s); }

const TSpalte Nr{10, 10}, Text{20, 80}, NGes{100, 25}, NVerf{125, 25}, P{150, 25}, P2O5{175, 25};
const std::vector<TSpalte> Spalten = {Nr, Text, NGes, NVerf, P, P2O5};
// The table stands at least this far down, and below the demand values.
constexpr double TabelleOben = 106, UeberTabelle = 13;

void Titel(TPDFDruckausgabe& d, int jahr, bool nitratgebiet) {
  const QString j = QString::number(jahr);
  const QStringList zeilen =
      nitratgebiet ? QStringList{K("Jährlicher betrieblicher Nährstoffeinsatz (Grundlage "),
                                 K("Anlage 5 DüV) für Stickstoff (N) und Phosphat (P/P2O5)"),
                                 K("für das Kalenderjahr ") + j}
                   : QStringList{K("Jährlicher betrieblicher Nährstoffeinsatz nach Anlage 5 DüV"),
                                 K("für Stickstoff (N) und Phosphat (P/P2O5) für das"), K("Kalenderjahr ") + j};
  Schriftart(d, 12, true);
  for (int i = 0; i < zeilen.size(); ++i) d.TextAn(zeilen[i], 10, 24 + 5 * i);
  Schriftart(d, 20, true, nitratgebiet ? Rot : Schwarz);
  d.TextAn(nitratgebiet ? K("Betriebsflächen im Nitratgebiet") : K("Gesamtbetrieb"), 10, 40);
}

void Betrieb(TPDFDruckausgabe& d, const Druckdaten::TBetriebskopf& b) {
  Schriftart(d, 10, true);
  d.TextAn(b.name, 10, 52);
  Schriftart(d, 10);
  d.TextAn(b.strasse, 10, 56.5);
  d.TextAn(b.ort, 10, 61);
  Schriftart(d, 10, true);
  d.TextAn(K("Erstellungsdatum:"), 130, 52);
  Schriftart(d, 10);
  d.TextRechtsAn(b.erstellt.isValid() ? b.erstellt.toString(QStringLiteral("dd.MM.yyyy")) : QString(), 200, 52);
  d.LinieWaagerecht(10, 66.5, 190);
  Schriftart(d, 10, true);
  d.TextAn(K("EU-Betriebsnummer:"), 10, 68.5);
  Schriftart(d, 10);
  d.TextAn(b.euNummer, 10 + d.Textbreite(K("EU-Betriebsnummer:")) + 10, 68.5);
}

// The text in lines no wider than the width, broken between words; a word
// wider than the width stands alone (and is cut when drawn).
QStringList Umbrechen(const TPDFDruckausgabe& d, const QString& text, double breite) {
  QStringList zeilen;
  QString zeile;
  for (const QString& wort : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    const QString laenger = zeile.isEmpty() ? wort : zeile + QLatin1Char(' ') + wort;
    if (zeile.isEmpty() || d.Textbreite(laenger) <= breite) {
      zeile = laenger;
    } else {
      zeilen << zeile;
      zeile = wort;
    }
  }
  if (!zeile.isEmpty()) zeilen << zeile;
  return zeilen;
}

// The demand values in two columns, left and right in turn. A value stands
// right-aligned in its column and never before the end of its caption: the
// left column widens for its longest caption and value while the right one
// keeps room for its own, and a caption that still does not fit is broken.
// Returns where the values end.
double Bedarf(TPDFDruckausgabe& d, const std::vector<Druckdaten::TKopfpaar>& paare) {
  constexpr double Luecke = 2, Abstand = 4, LinkerRand = 10, RechterRand = 200, Mitte = 104, Zeile = 4.5, Zeilenabstand = 5.5;
  const auto wertbreite = [&d](const QString& wert) {
    Schriftart(d, 9, true);
    return d.Textbreite(wert);
  };
  double links = 0, rechts = 0;
  for (size_t i = 0; i < paare.size(); ++i) {
    Schriftart(d, 9);
    const double b = d.Textbreite(paare[i].titel) + Luecke + wertbreite(paare[i].wert);
    double& seite = i % 2 == 1 ? rechts : links;
    seite = std::max(seite, b);
  }
  const double mitte = std::max(Mitte, std::min(LinkerRand + links, RechterRand - Abstand - rechts));
  double y = 76;
  for (size_t i = 0; i < paare.size(); i += 2) {
    int zeilen = 1;
    for (size_t k = i; k < i + 2 && k < paare.size(); ++k) {
      const double von = k % 2 == 1 ? mitte + Abstand : LinkerRand, bis = k % 2 == 1 ? RechterRand : mitte;
      const double wert = wertbreite(paare[k].wert);
      Schriftart(d, 9);
      const QStringList titel = Umbrechen(d, paare[k].titel, bis - von - wert - Luecke);
      for (int z = 0; z < titel.size(); ++z) d.TextAn(titel[z], von, y + Zeile * z);
      zeilen = std::max(zeilen, int(titel.size()));
      Schriftart(d, 9, true);
      d.TextRechtsAn(paare[k].wert, bis, y);
    }
    y += Zeilenabstand + Zeile * (zeilen - 1);
  }
  return y;
}

// Returns where the table's footnote ends.
double Tabelle(TPDFDruckausgabe& d, const std::vector<Druckdaten::TBilanzzeile>& zeilen, double oben) {
  Schriftart(d, 11, true);
  d.TextAn(K("Erfassung der im Betrieb aufgebrachten Nährstoffe"), 10, oben - 7);

  // Head: the column groups over their columns, then the column titles.
  d.StiftSetzen(Schwarz, 0, 0.3);
  d.PinselSetzen(Grau, 0);
  d.FlaecheMitRahmen(Nr.x, oben, P2O5.Rechts() - Nr.x, 12);
  d.PinselSetzen(Weiss, 0);
  d.LinieWaagerecht(NGes.x, oben + 6, P2O5.Rechts() - NGes.x);
  for (const TSpalte& s : {Text, NGes, P}) d.LinieSenkrecht(s.x, oben, 12);
  for (const TSpalte& s : {NVerf, P2O5}) d.LinieSenkrecht(s.x, oben + 6, 6);
  Schriftart(d, 9, true);
  d.TextZentriertAn(K("Stickstoff (kg)"), NVerf.x, oben + 1.2);
  d.TextZentriertAn(K("Phosphat (kg)"), P2O5.x, oben + 1.2);
  const std::pair<TSpalte, const char*> titel[] = {
      {NGes, "N-Gesamt"}, {NVerf, "N verfügbar*"}, {P, "kg P"}, {P2O5, "kg P2O5"}};
  for (const auto& [s, t] : titel) d.TextZentriertAn(K(t), s.Mitte(), oben + 7.2);

  double y = oben + 12;
  for (const Druckdaten::TBilanzzeile& z : zeilen) {
    const double hoehe = 3 + 4.5 * double(z.text.size());
    Schriftart(d, 9, z.fett);
    d.TextAn(z.nr, Nr.x + 1, y + 1.5);
    for (int i = 0; i < z.text.size(); ++i) d.TextAn(z.text[i], Text.x + 1, y + 1.5 + 4.5 * i);
    if (z.nZusammen) {
      d.TextZentriertAn(z.nGes, NVerf.x, y + 1.5);
    } else {
      Rechts(d, NGes, z.nGes, y + 1.5);
      Rechts(d, NVerf, z.nVerf, y + 1.5);
    }
    Rechts(d, P, z.p, y + 1.5);
    Rechts(d, P2O5, z.p2o5, y + 1.5);
    for (const TSpalte& s : Spalten)
      if (!(z.nZusammen && s.x == NVerf.x)) d.LinieSenkrecht(s.x, y, hoehe);
    d.LinieSenkrecht(P2O5.Rechts(), y, hoehe);
    y += hoehe;
    d.LinieWaagerecht(Nr.x, y, P2O5.Rechts() - Nr.x);
  }
  Schriftart(d, 8);
  d.TextAn(K("* verfügbarer Stickstoff oder Ammoniumstickstoff; bei mineralischen Düngemitteln: Gesamt-N = "
             "verfügbarer N"),
           10, y + 2);
  return y + 6;
}

void Fuss(TPDFDruckausgabe& d, bool nitratgebiet) {
  d.StiftSetzen(Schwarz, 0, 0.3);
  d.LinieWaagerecht(10, 281, 190);
  Schriftart(d, 8);
  d.TextAn(nitratgebiet ? K("Quendrix Version 3.0; Stand Dezember 2020") : Fusstext, 10, 282.5);
}

constexpr double Links = 10, Breite = 190, Unten = 278, Zeile = 4.5, Absatz = 1.5, Kopf = 7;

// The heading, then each line with its continuation lines indented; what does
// not fit goes on to a further page with the heading again and the footer.
void Befunde(TPDFDruckausgabe& d, const QStringList& befunde, double y, bool nitratgebiet) {
  if (befunde.isEmpty()) return;
  const QString kopf = befunde.front();
  Schriftart(d, 9);
  std::vector<QStringList> absaetze;
  for (qsizetype i = 1; i < befunde.size(); ++i) {
    QStringList z = Umbrechen(d, befunde[i], Breite);
    // Continuation lines stand 4 mm in, so each finding is seen as one.
    if (z.size() > 1) z = z.mid(0, 1) + Umbrechen(d, z.mid(1).join(QLatin1Char(' ')), Breite - 4);
    absaetze.push_back(z);
  }
  auto Ueberschrift = [&](const QString& text) {
    Schriftart(d, 11, true);
    d.TextAn(text, Links, y);
    y += Kopf;
  };
  // The heading stays with the first line below it.
  if (y + Kopf + Zeile > Unten) {
    Fuss(d, nitratgebiet);
    d.NeueSeite();
    y = 20;
  }
  Ueberschrift(kopf);
  for (const QStringList& absatz : absaetze) {
    for (qsizetype k = 0; k < absatz.size(); ++k) {
      // A finding is not split over two pages.
      const double bedarf = k == 0 ? Zeile * double(absatz.size()) : Zeile;
      if (y + bedarf > Unten) {
        Fuss(d, nitratgebiet);
        d.NeueSeite();
        y = 20;
        Ueberschrift(kopf + K(" (Fortsetzung)"));
      }
      Schriftart(d, 9);
      d.TextAn(absatz[k], k == 0 ? Links : Links + 4, y, 0, k == 0 ? Breite : Breite - 4);
      y += Zeile;
    }
    y += Absatz;
  }
}

}  // namespace

void BilanzZeichnen(TPDFDruckausgabe& d, const Druckdaten::TBetriebskopf& betrieb, const TBilanz& bilanz, int jahr,
                    bool nitratgebiet, const QStringList& befunde) {
  d.StiftSetzen(Schwarz, 0, 0.3);
  Logo(d, 168, 7, 32);
  Titel(d, jahr, nitratgebiet);
  Betrieb(d, betrieb);
  const double unterBedarf = Bedarf(d, Druckdaten::Bilanzkopf(bilanz, betrieb, nitratgebiet));
  const double unterTabelle = Tabelle(d, Druckdaten::Bilanzzeilen(bilanz, nitratgebiet),
                                      std::max(TabelleOben, unterBedarf + UeberTabelle));
  Befunde(d, befunde, unterTabelle + 6, nitratgebiet);
  Fuss(d, nitratgebiet);
}

}  // namespace Aufzeichnungsblatt
