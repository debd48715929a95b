#include "betriebskulturen.h"

using namespace Qt::StringLiterals;

namespace Betriebskulturen {

QString Abfrage(const QString& spalten, bool alleGruppen) {
  return u"select "_s + spalten + u" from S_KulturenNP where BetriebsNr = :b"_s +
         (alleGruppen ? QString() : u" and coalesce( FRU_ARTGRNR, 0 ) <> 750"_s) +
         u" and ( Auswahl = 1 or FA_NR in ( "
         "select HauptfruchtNummer from Anbau where BetriebsNr = :b union "
         "select Folgefrucht_1 from Schlag where BetriebsNr = :b union "
         "select Folgefrucht_2 from Schlag where BetriebsNr = :b union "
         "select ZFP0_NR from Schlag where BetriebsNr = :b union "
         "select ZFP1_NR from Schlag where BetriebsNr = :b union "
         "select ZFP2_NR from Schlag where BetriebsNr = :b ) ) "
         "order by Kultur collate Deutsch"_s;
}

}  // namespace Betriebskulturen
