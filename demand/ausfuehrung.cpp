#include "ausfuehrung.h"

#include "meldungen.h"

namespace Ausfuehrung {

const QString Wiederholen = QStringLiteral(
    "Bitte versuchen Sie es noch einmal. Bleibt der Fehler, prüfen Sie, ob die Datenbank beschreibbar und genug "
    "Speicherplatz frei ist.");

QString Meldung(const QString& was, const QString& abhilfe, const QString& engine) {
  QString text = was + QLatin1Char(' ') + abhilfe;
  if (!engine.trimmed().isEmpty()) text += QStringLiteral(" (") + engine.trimmed() + QLatin1Char(')');
  return text;
}

bool MitMeldung(TADOModConnection& db, const QString& sql, const TParameter& parameter, const QString& was,
                const QString& abhilfe) {
  if (db.Ausfuehren(sql, parameter)) return true;
  if (TMeldungen* m = db.Meldungen()) m->Info(Meldung(was, abhilfe, db.LetzterFehler()));
  return false;
}

}  // namespace Ausfuehrung
