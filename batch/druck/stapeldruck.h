#pragma once
// A farm's printouts in the batch: the nitrogen, phosphate and autumn demand
// sheets of everything calculated, then the statement sheet of the whole
// farm, one PDF written through the safe writer. Needs a Qt Gui application
// (fonts); no window is shown.

#include "stapel.h"

#include <QString>

#include <vector>

class TADOModConnection;
class TPDFDruckausgabe;

namespace Stapeldruck {

// False with the German reason in *fehler; nothing is written then.
bool Pdf(TADOModConnection& db, int betrieb, int jahr, const QString& datei, QString* fehler);

// The batch's summary on A4 landscape: one row per farm with its result,
// steps, files, findings and, on lines of its own, why it failed.
void Zusammenfassung(TPDFDruckausgabe& d, const std::vector<Stapel::TErgebnis>& ergebnisse, int jahr,
                     const QDate& datum);

}  // namespace Stapeldruck
