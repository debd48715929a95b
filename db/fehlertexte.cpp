#include "fehlertexte.h"

#include <QDir>
#include <QFileInfo>

#include <sqlcipher/sqlite3.h>

#include <cerrno>
#include <cstring>

namespace Fehlertexte {

namespace {

QString Name(const QString& datei) { return QFileInfo(datei).fileName(); }
QString Ordner(const QString& datei) { return QDir::toNativeSeparators(QFileInfo(datei).absolutePath()); }

}  // namespace

QString Klammer(const QString& text) {
  return text.trimmed().isEmpty() ? QString() : QStringLiteral(" (") + text.trimmed() + QLatin1Char(')');
}

QString DatentraegerVoll(const QString& datei) {
  return QStringLiteral("Auf dem Datenträger des Ordners \u201E%1\u201C ist kein Platz mehr frei, \u201E%2\u201C kann "
                        "nicht geschrieben werden. Bitte schaffen Sie Platz (nicht mehr benötigte Dateien löschen oder "
                        "verschieben) und versuchen Sie es dann erneut.")
      .arg(Ordner(datei), Name(datei));
}

QString DateiSchreibgeschuetzt(const QString& datei) {
  return QStringLiteral("Die Datei \u201E%1\u201C ist schreibgeschützt (die Datei selbst oder ihr Datenträger), "
                        "Quendrix kann darin nichts speichern. Bitte heben Sie den Schreibschutz auf oder geben Sie "
                        "sich Schreibrechte für die Datei und starten Sie Quendrix dann erneut.")
      .arg(Name(datei));
}

QString OrdnerSchreibgeschuetzt(const QString& datei) {
  return QStringLiteral("Im Ordner \u201E%1\u201C dürfen keine Dateien angelegt oder geändert werden, Quendrix kann dort "
                        "nichts speichern. Bitte geben Sie sich Schreibrechte für diesen Ordner oder starten Sie "
                        "Quendrix in einem Ordner, in dem Sie schreiben dürfen.")
      .arg(Ordner(datei));
}

QString Gesperrt(const QString& datei) {
  return QStringLiteral("Die Datenbank \u201E%1\u201C wird gerade von einem anderen Programm benutzt (läuft Quendrix "
                        "schon?). Bitte schließen Sie das andere Programm und starten Sie dann erneut.")
      .arg(Name(datei));
}

QString Schreiben(const QString& datei, int code, const QString& engine) {
  QString satz;
  switch (code & 0xff) {
    case SQLITE_FULL:
      satz = DatentraegerVoll(datei);
      break;
    case SQLITE_READONLY:
      satz = DateiSchreibgeschuetzt(datei);
      break;
    case SQLITE_CANTOPEN:
      satz = OrdnerSchreibgeschuetzt(datei);
      break;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      satz = Gesperrt(datei);
      break;
    case SQLITE_IOERR:
      satz = QStringLiteral("Beim Schreiben von \u201E%1\u201C hat der Datenträger einen Fehler gemeldet. Bitte prüfen "
                            "Sie den Datenträger und den freien Platz darauf und versuchen Sie es dann erneut.")
                 .arg(Name(datei));
      break;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
      satz = QStringLiteral("Die Datenbank \u201E%1\u201C ist beschädigt. Bitte beenden Sie Quendrix; beim nächsten Start "
                            "wird die Datei geprüft und die neueste unbeschädigte Sicherung angeboten.")
                 .arg(Name(datei));
      break;
    default:
      satz = QStringLiteral("\u201E%1\u201C konnte nicht geschrieben werden.").arg(Name(datei));
  }
  return satz + Klammer(engine);
}

QString Dateisystem(const QString& datei, int fehler) {
  const QString system = QString::fromLocal8Bit(std::strerror(fehler));
  switch (fehler) {
    case ENOSPC:
    case EDQUOT:
      return DatentraegerVoll(datei) + Klammer(system);
    case EACCES:
    case EPERM:
    case EROFS:
      return OrdnerSchreibgeschuetzt(datei) + Klammer(system);
    case ENOENT:
    case ENOTDIR:
      return QStringLiteral("\u201E%1\u201C konnte nicht geschrieben werden: Den Ordner \u201E%2\u201C gibt es nicht "
                            "(mehr). Bitte wählen Sie einen vorhandenen Ordner und versuchen Sie es dann erneut.")
                 .arg(Name(datei), Ordner(datei)) +
             Klammer(system);
    default:
      return QStringLiteral("\u201E%1\u201C konnte nicht geschrieben werden: Der Datenträger hat einen Fehler gemeldet. "
                            "Bitte prüfen Sie den Datenträger und versuchen Sie es dann erneut.")
                 .arg(Name(datei)) +
             Klammer(system);
  }
}

QString Benutzerdatei(const QString& datei, int fehler) {
  if (fehler != EACCES && fehler != EPERM && fehler != EROFS) return Dateisystem(datei, fehler);
  return QStringLiteral("\u201E%1\u201C kann im Ordner \u201E%2\u201C nicht gespeichert werden: Dort dürfen keine "
                        "Dateien angelegt oder geändert werden (keine Schreibrechte oder ein schreibgeschützter "
                        "Datenträger). Bitte wählen Sie einen anderen Ordner oder geben Sie sich Schreibrechte.")
             .arg(Name(datei), Ordner(datei)) +
         Klammer(QString::fromLocal8Bit(std::strerror(fehler)));
}

}  // namespace Fehlertexte
