#pragma once
// Statements of the demand rules whose failure the user must hear of. The
// message is German and says what failed and what to do; the engine's own
// text follows in brackets for the support, never alone.

#include "connection.h"

#include <QString>

namespace Ausfuehrung {

// "Was failed. What to do. (engine text)"; without brackets when the engine said nothing.
QString Meldung(const QString& was, const QString& abhilfe, const QString& engine);
// What to do when nothing more particular can be said.
extern const QString Wiederholen;

// Runs the statement; a failure is shown as Meldung() through the
// connection's message service. False on failure.
bool MitMeldung(TADOModConnection& db, const QString& sql, const TParameter& parameter, const QString& was,
                const QString& abhilfe = Wiederholen);

}  // namespace Ausfuehrung
