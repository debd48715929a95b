#include "skript.h"

#include <QFile>

#include <sqlcipher/sqlite3.h>

namespace Skript {

QString Text(const QString& name) {
  QFile f(QStringLiteral(":/sql/") + name + QStringLiteral(".sql"));
  if (!f.open(QIODevice::ReadOnly)) qFatal("SQL-Skript fehlt: %s", qPrintable(name));
  return QString::fromUtf8(f.readAll());
}

QStringList Anweisungen(const QString& sql) {
  // The engine's own parser finds where a statement ends (semicolons inside
  // texts and comments included); sqlite3_complete tells when one is whole.
  QStringList teile;
  QString aktuell;
  for (const QString& zeile : sql.split(QLatin1Char('\n'))) {
    aktuell += zeile + QLatin1Char('\n');
    if (sqlite3_complete(aktuell.toUtf8().constData())) {
      if (!aktuell.trimmed().isEmpty()) teile << aktuell.trimmed();
      aktuell.clear();
    }
  }
  if (!aktuell.trimmed().isEmpty()) teile << aktuell.trimmed();
  return teile;
}

void Ausfuehren(TADOModConnection& db, const QString& name, const TParameter& parameter) {
  bool meldend = false;
  QString block;
  auto laufen = [&] {
    for (const QString& a : Anweisungen(block)) {
      if (meldend)
        db.AusfuehrenMitMeldung(a, parameter);
      else
        db.AusfuehrenStill(a, parameter);
    }
    block.clear();
  };
  for (const QString& zeile : Text(name).split(QLatin1Char('\n'))) {
    const QString t = zeile.trimmed();
    if (t == QLatin1String("-- meldend") || t == QLatin1String("-- still")) {
      laufen();
      meldend = t == QLatin1String("-- meldend");
    } else {
      block += zeile + QLatin1Char('\n');
    }
  }
  laufen();
}

}  // namespace Skript
