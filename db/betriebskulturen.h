#pragma once
// Which crops belong to a farm: the selection the yield window lists and the
// yield file writes, kept in one place so the two cannot drift apart.

#include <QString>

namespace Betriebskulturen {

// A query of S_KulturenNP with the given columns: the farm's crops (farm in
// the parameter :b), chosen (Auswahl = 1) or used in any year as main,
// following or catch crop, in German order. Crop group 750 only when
// alleGruppen.
QString Abfrage(const QString& spalten, bool alleGruppen);

}  // namespace Betriebskulturen
