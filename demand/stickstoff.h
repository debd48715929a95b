#pragma once
// The nitrogen demand runs of the demand window that do not depend on a window.

class TADOModConnection;

namespace Stickstoff {

// A crop row counts as calculated only while it has a yield above 0 and a
// calculation date: every other row of the farm (all years) loses its demand.
// False when that could not be saved (said through the connection's messages).
bool UngueltigeBedarfeLoeschen(TADOModConnection& db, int betrieb);

// The per-year run before printing or exporting: groups 20, 50, 35 and 25,
// then the rows without yield or date lose their demand.
void JahrBerechnen(TADOModConnection& db, int betrieb, int jahr);

}  // namespace Stickstoff
