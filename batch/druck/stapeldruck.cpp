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

void Zusammenfassung(TPDFDruckausgabe& d, const std::vector<Stapel::TErgebnis>& ergebnisse, int jahr,
                     const QDate& datum) {
  d.DokumentBeginnen(true);
  const double links = d.RandLinks(), breite = d.NutzbareBreite(), unten = d.Seitenhoehe() - 15;
  // Columns from the left edge in millimetres; the last runs to the right edge.
  const double x[] = {0, 20, 32, 100, 178, 194, 212};
  const QStringList titel = {QStringLiteral("Ergebnis"), QStringLiteral("Nr."),     QStringLiteral("Betrieb"),
                             QStringLiteral("Schritte"), QStringLiteral("Dateien"), QStringLiteral("Befunde"),
                             QStringLiteral("Ohne Bedarf / ohne Datum")};
  double y = 0;
  const auto kopf = [&] {
    d.SchriftSetzen(14, 1, 0, 0, QStringLiteral("Tahoma"));
    d.TextAn(QStringLiteral("Stapelverarbeitung Düngejahr %1").arg(jahr), links, 12);
    d.SchriftSetzen(9, 0, 0, 0, QStringLiteral("Tahoma"));
    d.TextRechtsAn(datum.toString(QStringLiteral("dd.MM.yyyy")), links + breite, 12);
    d.SchriftSetzen(9, 1, 0, 0, QStringLiteral("Tahoma"));
    for (int s = 0; s < titel.size(); ++s) d.TextAn(titel[s], links + x[s], 24);
    d.LinieWaagerecht(links, 29, breite);
    d.SchriftSetzen(9, 0, 0, 0, QStringLiteral("Tahoma"));
    y = 32;
  };
  // A long text breaks at blanks into lines of the given width.
  const auto zeilen = [&](const QString& text, double w) {
    QStringList aus;
    QString zeile;
    for (const QString& wort : text.split(u' ', Qt::SkipEmptyParts)) {
      const QString probe = zeile.isEmpty() ? wort : zeile + u' ' + wort;
      if (!zeile.isEmpty() && d.Textbreite(probe) > w) {
        aus << zeile;
        zeile = wort;
      } else {
        zeile = probe;
      }
    }
    if (!zeile.isEmpty()) aus << zeile;
    return aus;
  };
  kopf();
  for (const Stapel::TErgebnis& e : ergebnisse) {
    QStringList unter;
    if (!e.Ok()) unter << zeilen(QString(e.fehler).replace(QStringLiteral("\r\n"), QStringLiteral(" ")), breite - x[1]);
    if (!e.schwersterBefund.isEmpty()) unter << zeilen(e.schwersterBefund, breite - x[1]);
    const QStringList name = zeilen(e.name, x[3] - x[2] - 2);
    const double hoehe = 5 * (std::max<qsizetype>(1, name.size()) + unter.size());
    if (y + hoehe > unten) {
      d.NeueSeite();
      kopf();
    }
    d.TextAn(Stapel::AmpelText(Stapel::Ampel(e)), links + x[0], y);
    d.TextAn(QString::number(e.betrieb), links + x[1], y);
    for (int i = 0; i < name.size(); ++i) d.TextAn(name[i], links + x[2], y + 5 * i);
    d.TextAn(Stapel::Schritte(e), links + x[3], y);
    d.TextAn(QString::number(e.dateien.size()), links + x[4], y);
    d.TextAn(e.befunde < 0 ? QStringLiteral("–") : QString::number(e.befunde), links + x[5], y);
    d.TextAn(QStringLiteral("%1 / %2").arg(e.ohneBedarf.size()).arg(e.ohneDatum), links + x[6], y);
    y += 5 * std::max<qsizetype>(1, name.size());
    for (const QString& z : unter) {
      d.TextAn(z, links + x[1], y);
      y += 5;
    }
    y += 1;
  }
}

}  // namespace Stapeldruck
