#include "bedarfsdruck.h"

#include "blattzeichner.h"
#include "meldungen.h"
#include "pdfdruckausgabe.h"

#include <QApplication>

namespace Bedarfsdruck {

bool Zeichnen(TPDFDruckausgabe& druck, const std::vector<Bedarfsblaetter::TBlatt>& blaetter, TWarten* warten) {
  druck.DokumentBeginnen(false);
  const int anzahl = int(blaetter.size());
  for (int i = 0; i < anzahl; ++i) {
    // The pages are only drawn in memory yet: stopping here writes nothing.
    if (warten && !warten->Schritt(i, anzahl, QStringLiteral("Blatt %1").arg(i + 1), true)) return false;
    // A new page before every sheet but the first: no empty page at the end.
    if (i > 0) druck.NeueSeite();
    Blattzeichner::Zeichnen(druck, blaetter[size_t(i)]);
  }
  return true;
}

bool Drucken(QWidget* eltern, TMeldungen& meldungen, const std::vector<Bedarfsblaetter::TBlatt>& blaetter,
             const TVorschau& vorschau) {
  if (blaetter.empty()) {
    meldungen.Info(NichtsZuDrucken);
    return false;
  }
  TPDFDruckausgabe druck(eltern, false, meldungen);
  bool gezeichnet = false;
  {
    TWarten warten(&meldungen, QStringLiteral("Die Blätter werden gezeichnet …"));
    gezeichnet = Zeichnen(druck, blaetter, &warten);
  }
  if (!gezeichnet) return false;
  if (vorschau)
    vorschau(druck);
  else
    druck.DokumentAbschliessen();
  return true;
}

std::vector<Bedarfsblaetter::TBlatt> Blaetter(TADOModConnection& db, const std::vector<qint64>& ids,
                                              const TBlattVon& blatt) {
  std::vector<Bedarfsblaetter::TBlatt> blaetter;
  blaetter.reserve(ids.size());
  for (qint64 id : ids)
    if (auto b = blatt(db, id)) blaetter.push_back(std::move(*b));
  return blaetter;
}

bool Drucken(QWidget* eltern, TMeldungen& meldungen, TADOModConnection& db, const std::vector<qint64>& ids,
             const TBlattVon& blatt, const TVorschau& vorschau) {
  return Drucken(eltern, meldungen, Blaetter(db, ids, blatt), vorschau);
}

TWartezeiger::TWartezeiger() { QApplication::setOverrideCursor(Qt::WaitCursor); }

TWartezeiger::~TWartezeiger() { QApplication::restoreOverrideCursor(); }

}  // namespace Bedarfsdruck
