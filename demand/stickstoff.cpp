#include "stickstoff.h"

#include "ausfuehrung.h"
#include "befehle.h"
#include "connection.h"

namespace Stickstoff {

bool UngueltigeBedarfeLoeschen(TADOModConnection& db, int betrieb) {
  return Ausfuehrung::MitMeldung(
      db,
      QStringLiteral("update Anbau set Duengebedarf = null where ( Tatsertrag is null or TatsErtrag <= 0 "
                     "or BerechnungsDatum is null ) and BetriebsNr = :BetriebsNr"),
      {{QStringLiteral("BetriebsNr"), betrieb}},
      QStringLiteral("Die Düngebedarfe der Kulturen ohne Ertrag oder Berechnungsdatum konnten nicht geleert werden."),
      QStringLiteral("Bitte berechnen Sie diese Kulturen vor dem Drucken noch einmal."));
}

void JahrBerechnen(TADOModConnection& db, int betrieb, int jahr) {
  Befehle::GruppenFuerJahr(db, jahr, betrieb, {20, 50, 35, 25});
  UngueltigeBedarfeLoeschen(db, betrieb);
}

}  // namespace Stickstoff
