#include "stickstoff.h"

#include "befehle.h"
#include "connection.h"

namespace Stickstoff {

void UngueltigeBedarfeLoeschen(TADOModConnection& db, int betrieb) {
  db.AusfuehrenMitMeldung(QStringLiteral("update Anbau set Duengebedarf = null where ( Tatsertrag is null or TatsErtrag <= 0 "
                                         "or BerechnungsDatum is null ) and BetriebsNr = :BetriebsNr"),
                          {{QStringLiteral("BetriebsNr"), betrieb}});
}

void JahrBerechnen(TADOModConnection& db, int betrieb, int jahr) {
  Befehle::GruppenFuerJahr(db, jahr, betrieb, {20, 50, 35, 25});
  UngueltigeBedarfeLoeschen(db, betrieb);
}

}  // namespace Stickstoff
