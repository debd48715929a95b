#include "stapeldruck.h"

#include "aufzeichnungsdruck.h"
#include "bedarfsblaetter.h"
#include "bedarfsdruck.h"
#include "pdfdruckausgabe.h"
#include "sicheredatei.h"
#include "stapel.h"

#include <algorithm>

namespace Stapeldruck {

namespace {

// Every sheet is portrait: the pages of each part follow one another.
void Anhaengen(TDruckDokument& ziel, const TDruckDokument& teil) {
  for (int i = 0; i < teil.Seitenzahl(); ++i) ziel.NeueSeite() = teil.Seite(i);
}

}  // namespace

bool Pdf(TADOModConnection& db, int betrieb, int jahr, const QString& datei, QString* fehler) {
  Stapel::TSammler still;
  TDruckDokument gesamt(false);
  const auto blaetter = [&](const std::vector<qint64>& ids, const Bedarfsdruck::TBlattVon& blatt) {
    const auto b = Bedarfsdruck::Blaetter(db, ids, blatt);
    if (b.empty()) return;
    TPDFDruckausgabe d(nullptr, false, still);
    Bedarfsdruck::Zeichnen(d, b);
    Anhaengen(gesamt, d.Dokument());
  };
  blaetter(Bedarfsblaetter::BerechneteKulturen(db, betrieb, jahr), Bedarfsblaetter::StickstoffBlatt);
  blaetter(Bedarfsblaetter::BerechneteSchlaege(db, betrieb, jahr), Bedarfsblaetter::PhosphorBlatt);
  // A field's autumn sheet shows the result of its own page: each field once.
  std::vector<qint64> herbst = Bedarfsblaetter::BerechneteHerbstSchlaege(db, betrieb, jahr, Herbstduengung::TSeite::Herbst);
  for (qint64 id : Bedarfsblaetter::BerechneteHerbstSchlaege(db, betrieb, jahr, Herbstduengung::TSeite::Nitratgebiet))
    if (std::find(herbst.begin(), herbst.end(), id) == herbst.end()) herbst.push_back(id);
  blaetter(herbst, Bedarfsblaetter::HerbstBlatt);
  TPDFDruckausgabe bilanz(nullptr, false, still);
  if (Aufzeichnungsdruck::Bilanz(bilanz, db, betrieb, jahr, false) == Aufzeichnungsdruck::TErgebnis::Fehler) {
    if (fehler) *fehler = QStringLiteral("Die Werte der Bilanz konnten nicht gelesen werden; es wurde kein Druck erstellt.");
    return false;
  }
  Anhaengen(gesamt, bilanz.Dokument());
  const QByteArray pdf = gesamt.AlsPdf();
  if (pdf.isEmpty()) {
    if (fehler) *fehler = QStringLiteral("Die Seiten konnten nicht als PDF ausgegeben werden.");
    return false;
  }
  return SichereDatei::Schreiben(datei, pdf, fehler);
}

}  // namespace Stapeldruck
