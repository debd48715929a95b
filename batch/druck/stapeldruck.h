#pragma once
// A farm's printouts in the batch: the nitrogen, phosphate and autumn demand
// sheets of everything calculated, then the statement sheet of the whole
// farm, one PDF written through the safe writer. Needs a Qt Gui application
// (fonts); no window is shown.

#include <QString>

class TADOModConnection;

namespace Stapeldruck {

// False with the German reason in *fehler; nothing is written then.
bool Pdf(TADOModConnection& db, int betrieb, int jahr, const QString& datei, QString* fehler);

}  // namespace Stapeldruck
