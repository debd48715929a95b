#include "files.h"

#include "connection.h"
#include "meldungen.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace Dateien {

namespace {

QString Quote(const QString& text) {
  QString t = text;
  t.replace(QLatin1Char('\''), QLatin1String("''"));
  return QLatin1Char('\'') + t + QLatin1Char('\'');
}

bool KopieSchreiben(const QString& quelle, const QString& ziel) {
  TADOModConnection db;
  db.setDatenbankName(quelle);
  if (db.Oeffnen(TZugriff::Geteilt) != TOeffnenErgebnis::Ok) return false;
  {
    // The copy is created empty and encrypted first: an attached file must exist.
    TADOModConnection kopie;
    kopie.setDatenbankName(ziel);
    if (!kopie.Anlegen()) return false;
  }
  const QVariant version = db.Wert(QStringLiteral("PRAGMA user_version"));
  const QVariant kennung = db.Wert(QStringLiteral("PRAGMA application_id"));
  if (!db.Ausfuehren(QStringLiteral("ATTACH DATABASE ") + Quote(ziel) + QStringLiteral(" AS kompakt KEY ") +
                     Quote(TADOModConnection::Kennwort)))
    return false;
  const bool ok = db.Ausfuehren(QStringLiteral("SELECT sqlcipher_export('kompakt')")) &&
                  db.Ausfuehren(QStringLiteral("PRAGMA kompakt.user_version = %1").arg(version.toLongLong())) &&
                  db.Ausfuehren(QStringLiteral("PRAGMA kompakt.application_id = %1").arg(kennung.toLongLong()));
  db.Ausfuehren(QStringLiteral("DETACH DATABASE kompakt"));
  return ok;
}

}  // namespace

bool Komprimieren(const QString& datei, TMeldungen* meldungen, bool nachErstellung) {
  const QFileInfo info(datei);
  const QString temp = info.dir().filePath(info.completeBaseName() + QStringLiteral(".$$$"));
  QFile::remove(temp);
  const bool ok = KopieSchreiben(datei, temp) &&
                  // rename() replaces the old file in one step: no moment without a database.
                  std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(datei).constData()) == 0;
  if (!ok) {
    QFile::remove(temp);
    if (meldungen)
      meldungen->Info((nachErstellung ? QStringLiteral("FEHLRER!") : QStringLiteral("FEHLER!")) +
                      QStringLiteral("\n Die Datenbank wurde nicht gepackt!"));
  }
  return ok;
}

QString Sicherung(const QString& programmOrdner, int n) {
  return QDir(programmOrdner).filePath(Sicherungsordner + QLatin1Char('/') +
                                       QFileInfo(Datenbank).completeBaseName() +
                                       QStringLiteral(".%1").arg(n, 2, 10, QLatin1Char('0')));
}

void SicherungenRotieren(const QString& programmOrdner) {
  if (!QFileInfo(QDir(programmOrdner).filePath(Sicherungsordner)).isDir()) return;
  QFile::remove(Sicherung(programmOrdner, Sicherungen));
  for (int n = Sicherungen - 1; n >= 1; --n) QFile::rename(Sicherung(programmOrdner, n), Sicherung(programmOrdner, n + 1));
  QFile::remove(Sicherung(programmOrdner, 1));
  QFile::copy(QDir(programmOrdner).filePath(Datenbank), Sicherung(programmOrdner, 1));
}

}  // namespace Dateien
