#include "blatthilfe.h"

#include <algorithm>

namespace Blatthilfe {

void Schriftart(TPDFDruckausgabe& d, int grad, bool fett, TPDFDruckausgabe::TFarbe farbe) {
  d.SchriftSetzen(grad, fett ? 1 : 0, 0, 0, Schrift, farbe);
}

void Logo(TPDFDruckausgabe& d, double x, double y, double breite) {
  d.Bild(QStringLiteral("src\\LOGO_BEHOERDE_VRL.bmp"), x, y, breite);
}

std::vector<TSpalte> Spaltenbreiten(double links, double breite, const std::vector<TSpaltenbedarf>& bedarf) {
  constexpr double Raender = 2;
  std::vector<double> b(bedarf.size(), 0);
  std::vector<size_t> offen;
  double rest = breite;
  for (size_t i = 0; i < bedarf.size(); ++i) {
    if (bedarf[i].anteil > 0) {
      offen.push_back(i);
      continue;
    }
    b[i] = bedarf[i].breite + Raender;
    rest -= b[i];
  }
  // A wrapping column that needs less than its share takes only that; the
  // others share what it leaves.
  for (bool weiter = true; weiter && !offen.empty();) {
    weiter = false;
    double anteile = 0;
    for (size_t i : offen) anteile += bedarf[i].anteil;
    for (auto it = offen.begin(); it != offen.end(); ++it) {
      const double voll = bedarf[*it].breite + Raender;
      if (voll <= rest * bedarf[*it].anteil / anteile) {
        b[*it] = voll;
        rest -= voll;
        offen.erase(it);
        weiter = true;
        break;
      }
    }
  }
  double anteile = 0;
  for (size_t i : offen) anteile += bedarf[i].anteil;
  for (size_t i : offen) b[i] = std::max(rest * bedarf[i].anteil / anteile, bedarf[i].wort + Raender);
  std::vector<TSpalte> spalten;
  double x = links;
  for (double w : b) {
    spalten.push_back({x, w});
    x += w;
  }
  return spalten;
}

void Tabellenkopf(TPDFDruckausgabe& d, const std::vector<TSpalte>& spalten,
                  const std::vector<std::pair<QString, QString>>& titel, double y, double hoehe) {
  if (spalten.empty()) return;
  const double links = spalten.front().x, breite = spalten.back().Rechts() - links;
  d.PinselSetzen(Grau, 0);
  d.FlaecheMitRahmen(links, y, breite, hoehe);
  d.PinselSetzen(Weiss, 0);
  const double zeile = TPDFDruckausgabe::ZeilenvorschubFuer(8) + 0.5;
  for (size_t i = 0; i < spalten.size() && i < titel.size(); ++i) {
    const bool zwei = !titel[i].second.isEmpty();
    const double oben = y + (hoehe - (zwei ? 2 : 1) * zeile) / 2;
    d.TextZentriertAn(titel[i].first, spalten[i].Mitte(), oben);
    if (zwei) d.TextZentriertAn(titel[i].second, spalten[i].Mitte(), oben + zeile);
    if (i > 0) d.LinieSenkrecht(spalten[i].x, y, hoehe);
  }
}

void Spaltenlinien(TPDFDruckausgabe& d, const std::vector<TSpalte>& spalten, double y, double laenge) {
  for (const TSpalte& s : spalten) d.LinieSenkrecht(s.x, y, laenge);
  if (!spalten.empty()) {
    d.LinieSenkrecht(spalten.back().Rechts(), y, laenge);
    d.LinieWaagerecht(spalten.front().x, y + laenge, spalten.back().Rechts() - spalten.front().x);
  }
}

void Rechts(TPDFDruckausgabe& d, const TSpalte& s, const QString& text, double y) {
  d.TextRechtsAn(text, s.Rechts() - 1, y);
}

void Links(TPDFDruckausgabe& d, const TSpalte& s, const QString& text, double y) {
  d.TextAn(text, s.x + 1, y, 0, s.breite - 2);
}

}  // namespace Blatthilfe
