#include "arbeitsfenster.h"

#include "bildschirmdruck.h"
#include "duengebedarfsfenster.h"
#include "hauptfenster.h"

#include <QWidget>

namespace {

// The screen print of a working window: as in the main window, an image of
// the window on a printer chosen in the system's dialog.
void FensterDrucken(QWidget* fenster) {
  TQtBildschirmdrucker drucker;
  if (drucker.DruckerWaehlen(fenster)) drucker.Drucken(fenster->grab().toImage());
}

}  // namespace

void ArbeitsfensterEinsetzen(THauptfenster& hauptfenster, TADOModConnection& db, TMeldungen& meldungen) {
  hauptfenster.FensterEinsetzen(THauptfenster::TAktion::Duengebedarfsermittlung, [&db, &meldungen](THauptfenster& h) {
    TDuengebedarfsfenster fenster(db, meldungen, int(h.BetriebsNr()), h.Jahr(), &h);
    fenster.Bildschirmdruck = FensterDrucken;
    fenster.Ausfuehren();
  });
}
