#include "bedarfsdruck.h"

#include "blattzeichner.h"
#include "meldungen.h"
#include "pdfdruckausgabe.h"

#include <QApplication>

namespace Bedarfsdruck {

void Zeichnen(TPDFDruckausgabe& druck, const std::vector<Bedarfsblaetter::TBlatt>& blaetter) {
  druck.DokumentBeginnen(false);
  bool erstes = true;
  for (const Bedarfsblaetter::TBlatt& b : blaetter) {
    // A new page before every sheet but the first: no empty page at the end.
    if (!erstes) druck.NeueSeite();
    erstes = false;
    Blattzeichner::Zeichnen(druck, b);
  }
}

bool Drucken(QWidget* eltern, TMeldungen& meldungen, const std::vector<Bedarfsblaetter::TBlatt>& blaetter,
             const TVorschau& vorschau) {
  if (blaetter.empty()) {
    meldungen.Info(NichtsZuDrucken);
    return false;
  }
  TPDFDruckausgabe druck(eltern, false, meldungen);
  {
    const TWartezeiger warten;
    Zeichnen(druck, blaetter);
  }
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
