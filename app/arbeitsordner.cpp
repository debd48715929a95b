#include "arbeitsordner.h"

#include "kommandozeile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

using namespace Qt::StringLiterals;

namespace Arbeitsordner {

TWahl Waehlen(const QStringList& argumente, const QString& heim, const QString& aktuell) {
  TWahl w;
  QStringList gegeben;
  for (qsizetype i = 0; i < argumente.size(); ++i) {
    const QString& a = argumente[i];
    if (a == u"--ordner"_s) {
      gegeben << (i + 1 < argumente.size() ? argumente[++i] : QString());
    } else if (a.startsWith(u"--ordner="_s)) {
      gegeben << a.mid(9);
    } else {
      w.argumente << a;
    }
  }
  w.kommandozeile = Kommandozeile::Zustaendig(w.argumente);
  if (gegeben.size() > 1) {
    w.fehler = u"Bitte den Arbeitsordner nur einmal mit --ordner angeben."_s;
  } else if (gegeben.size() == 1 && gegeben[0].trimmed().isEmpty()) {
    w.fehler = u"Bitte den Arbeitsordner mit --ordner ORDNER angeben."_s;
  } else if (gegeben.size() == 1) {
    w.ordner = QDir::cleanPath(QDir(aktuell).absoluteFilePath(gegeben[0]));
  } else if (!w.kommandozeile) {
    w.ordner = QDir::cleanPath(QDir(heim).absoluteFilePath(Vorgabe));
  }
  return w;
}

QString Einrichten(const QString& ordner) {
  const QString gezeigt = QDir::toNativeSeparators(ordner);
  const QFileInfo info(ordner);
  if (info.exists() && !info.isDir())
    return u"Der Arbeitsordner %1 ist eine Datei, kein Ordner. Bitte einen anderen Ordner mit --ordner angeben."_s
        .arg(gezeigt);
  // The missing folders from the outermost in, so that a failure can take
  // back exactly what was made here.
  QStringList fehlend;
  for (QString p = QDir::cleanPath(ordner); !QFileInfo::exists(p); p = QFileInfo(p).path()) {
    fehlend.prepend(p);
    if (QFileInfo(p).path() == p) break;
  }
  QStringList angelegt;
  const auto zuruecknehmen = [&] {
    for (auto it = angelegt.crbegin(); it != angelegt.crend(); ++it) QDir().rmdir(*it);
  };
  for (const QString& p : fehlend) {
    if (!QDir().mkdir(p)) {
      zuruecknehmen();
      return u"Der Arbeitsordner %1 kann nicht angelegt werden. Bitte einen anderen Ordner mit --ordner angeben."_s
          .arg(gezeigt);
    }
    angelegt << p;
  }
  // Tried rather than read from the permission bits, which do not tell for
  // root, read-only mounts or access lists.
  QTemporaryFile probe(ordner + u"/.quendrix-probe-XXXXXX"_s);
  if (!probe.open()) {
    zuruecknehmen();
    return u"Im Arbeitsordner %1 können keine Dateien angelegt werden. Bitte einen anderen Ordner mit --ordner "
           "angeben."_s.arg(gezeigt);
  }
  return {};
}

}  // namespace Arbeitsordner
