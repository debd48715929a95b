#include "blatthilfe.h"

namespace Blatthilfe {

void Schriftart(TPDFDruckausgabe& d, int grad, bool fett, TPDFDruckausgabe::TFarbe farbe) {
  d.SchriftSetzen(grad, fett ? 1 : 0, 0, 0, Schrift, farbe);
}

void Logo(TPDFDruckausgabe& d, double x, double y, double breite) {
  d.Bild(QStringLiteral("src\\LOGO_BEHOERDE_VRL.bmp"), x, y, breite);
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
