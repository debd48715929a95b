#pragma once
// What the preselection window reads and writes beyond its lists: the farm's
// name, the choice of whole groups, whether the farm has fertiliser years,
// and the values of its fertilisers and substances carried into the farm's
// application records when the window closes.

#include <QString>

class TADOModConnection;

namespace Vorauswahldaten {
QString Betriebsname(TADOModConnection& db, int betrieb);
// "alle auswählen" / "alle aufheben": the farm's rows of a list table that
// pass the filter (a condition over its columns; empty for every row) are
// chosen or no longer chosen.
void AuswahlSetzen(TADOModConnection& db, const QString& tabelle, const QString& filter, int betrieb, bool an);
// Whether the farm has at least one fertiliser year.
bool HatDuengejahre(TADOModConnection& db, int betrieb);
// The records take the current values of the farm's fertilisers and other
// substances; own organic fertilisers get the missing one of P and P2O5.
// A failure is reported by the connection.
void InAufzeichnungenUebernehmen(TADOModConnection& db, int betrieb);
}  // namespace Vorauswahldaten
