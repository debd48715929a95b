#include "files.h"

#include "connection.h"
#include "fehlertexte.h"
#include "meldungen.h"
#include "stoerung.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace Dateien {

namespace {

using Stoerung::TArt;

QString Quote(const QString& text) {
  QString t = text;
  t.replace(QLatin1Char('\''), QLatin1String("''"));
  return QLatin1Char('\'') + t + QLatin1Char('\'');
}

QByteArray Pfad(const QString& datei) { return QFile::encodeName(datei); }

bool Fehler(int* aus, int fehler) {
  if (aus) *aus = fehler;
  return false;
}

// Makes a rename or a new file in the folder durable.
void OrdnerSynchronisieren(const QString& datei) {
  if (Stoerung::Pruefen(TArt::Synchronisieren, QFileInfo(datei).absolutePath()) == Stoerung::Weglassen) return;
  const int fd = ::open(Pfad(QFileInfo(datei).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// A second name for the same file.
bool Verknuepfen(const QString& datei, const QString& ziel, int* fehler) {
  if (const int e = Stoerung::Pruefen(TArt::Anlegen, ziel)) return Fehler(fehler, e);
  if (::link(Pfad(datei).constData(), Pfad(ziel).constData()) != 0) return Fehler(fehler, errno);
  OrdnerSynchronisieren(ziel);
  return true;
}

// The engine's check of a file; empty when it opens with our key and is intact.
QString Pruefen(const QString& datei) {
  TADOModConnection db;
  db.setDatenbankName(datei);
  if (db.Oeffnen(TZugriff::Geteilt) != TOeffnenErgebnis::Ok) return db.Fehlermeldung();
  return db.Befund();
}

bool KopieSchreiben(const QString& quelle, const QString& ziel) {
  {
    TADOModConnection db;
    db.setDatenbankName(quelle);
    if (db.Oeffnen(TZugriff::Geteilt) != TOeffnenErgebnis::Ok) return false;
    // A damaged file would be compacted into a smaller damaged one.
    if (!db.Befund().isEmpty()) return false;
    const QVariant version = db.Wert(QStringLiteral("PRAGMA user_version"));
    const QVariant kennung = db.Wert(QStringLiteral("PRAGMA application_id"));
    // An attached file must exist (the connection may not create files); an
    // empty one is an empty database to the engine. Made here rather than by
    // a connection of its own, which would cost one more key derivation.
    if (const int e = Stoerung::Pruefen(TArt::Anlegen, ziel)) return Fehler(nullptr, e);
    const int fd = ::open(Pfad(ziel).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    ::close(fd);
    if (!db.Ausfuehren(QStringLiteral("ATTACH DATABASE ") + Quote(ziel) + QStringLiteral(" AS kompakt KEY ") +
                       Quote(TADOModConnection::Kennwort)))
      return false;
    // The first write gives the new file its encrypted header before the export fills it.
    const bool ok = db.Ausfuehren(QStringLiteral("PRAGMA kompakt.application_id = %1").arg(kennung.toLongLong())) &&
                    db.Ausfuehren(QStringLiteral("SELECT sqlcipher_export('kompakt')")) &&
                    db.Ausfuehren(QStringLiteral("PRAGMA kompakt.user_version = %1").arg(version.toLongLong())) &&
                    db.Ausfuehren(QStringLiteral("PRAGMA kompakt.application_id = %1").arg(kennung.toLongLong())) &&
                    // The copy replaces the database only when it is whole.
                    db.Wert(QStringLiteral("PRAGMA kompakt.quick_check")).toString() == QLatin1String("ok");
    db.Ausfuehren(QStringLiteral("DETACH DATABASE kompakt"));
    return ok;
  }
}

QString Beiseitename(const QString& programmOrdner) {
  const QDir ordner(programmOrdner);
  const QString stamm = QFileInfo(Datenbank).completeBaseName() + QStringLiteral(".beschaedigt-") +
                        QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
  QString name = stamm + QStringLiteral(".mdb");
  for (int n = 2; QFileInfo::exists(ordner.filePath(name)) || QFileInfo::exists(ordner.filePath(name + QStringLiteral("-journal"))); ++n)
    name = stamm + QStringLiteral("-%1.mdb").arg(n);
  return ordner.filePath(name);
}

}  // namespace

QString Zwischenname(const QString& datei) { return datei + QStringLiteral(".tmp"); }

QString Kompaktname(const QString& datei) {
  const QFileInfo info(datei);
  return info.dir().filePath(info.completeBaseName() + QStringLiteral(".$$$"));
}

QString Sicherungszwischenname(const QString& programmOrdner) {
  return QDir(programmOrdner).filePath(Sicherungsordner + QLatin1Char('/') + QFileInfo(Datenbank).completeBaseName() +
                                       QStringLiteral(".tmp"));
}

void ResteEntfernen(const QString& programmOrdner) {
  const QString datei = QDir(programmOrdner).filePath(Datenbank);
  for (const QString& rest : {Kompaktname(datei), Zwischenname(datei), Sicherungszwischenname(programmOrdner)}) {
    Entfernen(rest);
    Entfernen(rest + QStringLiteral("-journal"));
  }
}

bool Kopieren(const QString& quelle, const QString& ziel, int* fehler) {
  if (const int e = Stoerung::Pruefen(TArt::Anlegen, ziel)) return Fehler(fehler, e);
  const int ein = ::open(Pfad(quelle).constData(), O_RDONLY | O_CLOEXEC);
  if (ein < 0) return Fehler(fehler, errno);
  const int aus = ::open(Pfad(ziel).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (aus < 0) {
    const int e = errno;
    ::close(ein);
    return Fehler(fehler, e);
  }
  auto scheitern = [&](int e) {
    ::close(ein);
    ::close(aus);
    ::unlink(Pfad(ziel).constData());
    return Fehler(fehler, e);
  };
  QByteArray puffer(256 * 1024, Qt::Uninitialized);
  for (;;) {
    const ssize_t gelesen = ::read(ein, puffer.data(), size_t(puffer.size()));
    if (gelesen < 0) {
      if (errno == EINTR) continue;
      return scheitern(errno);
    }
    if (gelesen == 0) break;
    if (const int e = Stoerung::Pruefen(TArt::Schreiben, ziel)) return scheitern(e);
    for (ssize_t geschrieben = 0; geschrieben < gelesen;) {
      const ssize_t n = ::write(aus, puffer.constData() + geschrieben, size_t(gelesen - geschrieben));
      if (n < 0) {
        if (errno == EINTR) continue;
        return scheitern(errno);
      }
      geschrieben += n;
    }
  }
  const int sync = Stoerung::Pruefen(TArt::Synchronisieren, ziel);
  if (sync != 0 && sync != Stoerung::Weglassen) return scheitern(sync);
  if (sync == 0 && ::fsync(aus) != 0) return scheitern(errno);
  ::close(ein);
  if (::close(aus) != 0) {
    const int e = errno;
    ::unlink(Pfad(ziel).constData());
    return Fehler(fehler, e);
  }
  OrdnerSynchronisieren(ziel);
  return true;
}

bool Umbenennen(const QString& alt, const QString& neu, bool ersetzen, int* fehler) {
  if (const int e = Stoerung::Pruefen(TArt::Umbenennen, neu)) return Fehler(fehler, e);
  int rc;
  if (ersetzen) {
    rc = std::rename(Pfad(alt).constData(), Pfad(neu).constData());
  } else {
    rc = ::renameat2(AT_FDCWD, Pfad(alt).constData(), AT_FDCWD, Pfad(neu).constData(), RENAME_NOREPLACE);
    // A file system without this kind of rename (some network shares): the
    // folder lock keeps other runs of the program away between check and rename.
    if (rc != 0 && (errno == EINVAL || errno == ENOSYS || errno == ENOTSUP)) {
      if (QFileInfo::exists(neu)) return Fehler(fehler, EEXIST);
      rc = std::rename(Pfad(alt).constData(), Pfad(neu).constData());
    }
  }
  if (rc != 0) return Fehler(fehler, errno);
  OrdnerSynchronisieren(neu);
  return true;
}

bool Entfernen(const QString& datei, int* fehler) {
  if (!QFileInfo::exists(datei) && !QFileInfo(datei).isSymLink()) return true;
  if (const int e = Stoerung::Pruefen(TArt::Loeschen, datei)) return Fehler(fehler, e);
  if (::unlink(Pfad(datei).constData()) != 0 && errno != ENOENT) return Fehler(fehler, errno);
  return true;
}

// ---------------------------------------------------------------------------

TOrdnerSperre::TOrdnerSperre(const QString& programmOrdner, int wartezeitMs)
    : m_datei(std::make_unique<QLockFile>(
          QDir(programmOrdner).filePath(QFileInfo(Datenbank).completeBaseName() + QStringLiteral(".lck")))) {
  // A lock whose program no longer runs on this computer is taken over at
  // once; one of another computer (a shared folder) only after half an hour,
  // far longer than creating or converting a database takes.
  m_datei->setStaleLockTime(30 * 60 * 1000);
  if (m_datei->tryLock(wartezeitMs)) return;
  m_gesperrt = m_datei->error() == QLockFile::LockFailedError;
  m_datei.reset();
}

TOrdnerSperre::~TOrdnerSperre() = default;

// ---------------------------------------------------------------------------

bool Komprimieren(const QString& datei, TMeldungen* meldungen, bool nachErstellung) {
  const TOrdnerSperre sperre(QFileInfo(datei).absolutePath());
  const QString temp = Kompaktname(datei);
  bool ok = !sperre.Gesperrt();
  if (ok) {
    Entfernen(temp);
    Entfernen(temp + QStringLiteral("-journal"));
    // The compacted copy replaces the file in one step: there is no moment without a database.
    ok = KopieSchreiben(datei, temp) && Umbenennen(temp, datei, true);
  }
  if (!ok) {
    if (!sperre.Gesperrt()) {
      Entfernen(temp);
      Entfernen(temp + QStringLiteral("-journal"));
    }
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

QString SicherungenRotieren(const QString& programmOrdner, const QString* geprueft) {
  const QString datei = QDir(programmOrdner).filePath(Datenbank);
  if (!QFileInfo(QDir(programmOrdner).filePath(Sicherungsordner)).isDir() || !QFileInfo::exists(datei)) return {};
  const QString unveraendert =
      QStringLiteral("Die bisherigen Sicherungen im Ordner \u201E%1\u201C bleiben unverändert.").arg(Sicherungsordner);
  const TOrdnerSperre sperre(programmOrdner);
  if (sperre.Gesperrt())
    return QStringLiteral("Die Datenbank wurde nicht gesichert, weil ein anderes Quendrix den Ordner gerade benutzt. ") +
           unveraendert;

  if (const QString befund = geprueft ? *geprueft : Pruefen(datei); !befund.isEmpty())
    return QStringLiteral("Die Datenbank \u201E%1\u201C ist beschädigt und wurde deshalb nicht gesichert. %2 Beim "
                          "nächsten Start bietet Quendrix an, die neueste unbeschädigte Sicherung wiederherzustellen.")
               .arg(Datenbank, unveraendert) +
           Fehlertexte::Klammer(befund);

  // The new copy first: until it is complete no generation is touched.
  const QString temp = Sicherungszwischenname(programmOrdner);
  Entfernen(temp);
  int fehler = 0;
  if (!Kopieren(datei, temp, &fehler))
    return QStringLiteral("Die Datenbank konnte nicht gesichert werden. %1 ").arg(unveraendert) +
           Fehlertexte::Dateisystem(temp, fehler);

  bool ok = Entfernen(Sicherung(programmOrdner, Sicherungen), &fehler);
  // Each generation moves only onto a free place: a failed step stops the rotation.
  for (int n = Sicherungen - 1; ok && n >= 1; --n)
    if (QFileInfo::exists(Sicherung(programmOrdner, n)))
      ok = Umbenennen(Sicherung(programmOrdner, n), Sicherung(programmOrdner, n + 1), true, &fehler);
  if (ok) ok = Umbenennen(temp, Sicherung(programmOrdner, 1), false, &fehler);
  if (!ok) {
    Entfernen(temp);
    return QStringLiteral("Die Sicherungen im Ordner \u201E%1\u201C konnten nicht vollständig weitergereicht werden; die "
                          "neue Sicherung fehlt. ")
               .arg(Sicherungsordner) +
           Fehlertexte::Dateisystem(Sicherung(programmOrdner, 1), fehler);
  }
  return {};
}

TSicherung NeuesteIntakteSicherung(const QString& programmOrdner) {
  for (int n = 1; n <= Sicherungen; ++n) {
    const QString datei = Sicherung(programmOrdner, n);
    if (!QFileInfo::exists(datei) || !Pruefen(datei).isEmpty()) continue;
    return {n, datei, QFileInfo(datei).lastModified()};
  }
  return {};
}

bool Wiederherstellen(const QString& programmOrdner, const TSicherung& sicherung, QString* beiseite,
                      QString* fehlerText) {
  const QString datei = QDir(programmOrdner).filePath(Datenbank);
  const QString journal = datei + QStringLiteral("-journal");
  const QString temp = Zwischenname(datei);
  const QString ziel = Beiseitename(programmOrdner);
  auto scheitern = [&](const QString& text, const QString& betroffen, int fehler) {
    Entfernen(temp);
    if (fehlerText)
      *fehlerText = text + QLatin1Char(' ') + Fehlertexte::Dateisystem(betroffen, fehler);
    return false;
  };
  const QString nichts = QStringLiteral("Die Sicherung konnte nicht zurückgeholt werden; die Datenbank bleibt, wie sie ist.");
  Entfernen(temp);
  Entfernen(temp + QStringLiteral("-journal"));
  int fehler = 0;
  if (!Kopieren(sicherung.datei, temp, &fehler)) return scheitern(nichts, temp, fehler);
  // The damaged file keeps a name of its own before its place is taken.
  if (!Verknuepfen(datei, ziel, &fehler) && !Kopieren(datei, ziel, &fehler)) return scheitern(nichts, ziel, fehler);
  // Its journal belongs to it: left beside the backup it would be played into it.
  const bool mitJournal = QFileInfo::exists(journal);
  if (mitJournal && !Umbenennen(journal, ziel + QStringLiteral("-journal"), false, &fehler)) {
    Entfernen(ziel);
    return scheitern(nichts, journal, fehler);
  }
  if (!Umbenennen(temp, datei, true, &fehler)) {
    if (mitJournal) Umbenennen(ziel + QStringLiteral("-journal"), journal, false);
    Entfernen(ziel);
    return scheitern(nichts, datei, fehler);
  }
  if (beiseite) *beiseite = ziel;
  return true;
}

}  // namespace Dateien
