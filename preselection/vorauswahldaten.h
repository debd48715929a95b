#pragma once
// What the preselection window reads and writes beyond its lists: the farm's
// name, and the values of its fertilisers and substances carried into the
// farm's application records when the window closes.

#include <QString>

class TADOModConnection;

namespace Vorauswahldaten {
QString Betriebsname(TADOModConnection& db, int betrieb);
// The records take the current values of the farm's fertilisers and other
// substances; own organic fertilisers get the missing one of P and P2O5.
// A failure is reported by the connection.
void InAufzeichnungenUebernehmen(TADOModConnection& db, int betrieb);
}  // namespace Vorauswahldaten
