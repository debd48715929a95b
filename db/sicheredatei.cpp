#include "sicheredatei.h"

#include "fehlertexte.h"
#include "files.h"
#include "stoerung.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Stoerung::TArt;

const QString Kennung = QStringLiteral(".quendrix-");

QByteArray Pfad(const QString& datei) { return QFile::encodeName(datei); }

// The rights a new file of the user gets; an existing file keeps its own.
mode_t Rechte(const QString& ziel) {
  struct stat s {};
  if (::stat(Pfad(ziel).constData(), &s) == 0 && S_ISREG(s.st_mode)) return s.st_mode & 07777;
  const mode_t maske = ::umask(0);
  ::umask(maske);
  return 0666 & ~maske;
}

}  // namespace

TSichereDatei::TSichereDatei(QString ziel) : m_ziel(QFileInfo(ziel).absoluteFilePath()) {}

TSichereDatei::~TSichereDatei() { Verwerfen(); }

QString TSichereDatei::Zwischenpraefix(const QString& ziel) {
  const QFileInfo info(ziel);
  return info.absoluteDir().filePath(QLatin1Char('.') + info.fileName() + Kennung);
}

bool TSichereDatei::Scheitern(int fehler) {
  if (m_fehler.isEmpty()) m_fehler = Fehlertexte::Benutzerdatei(m_ziel, fehler);
  Verwerfen();
  return false;
}

bool TSichereDatei::Oeffnen() {
  if (m_fd >= 0) return true;
  if (!m_fehler.isEmpty()) return false;
  if (QFileInfo(m_ziel).isDir()) {
    m_fehler = QStringLiteral("An der Stelle der Datei \u201E%1\u201C steht ein Ordner dieses Namens. Bitte benennen Sie "
                              "ihn um oder wählen Sie einen anderen Dateinamen.")
                   .arg(QDir::toNativeSeparators(m_ziel));
    return false;
  }
  QByteArray muster = Pfad(Zwischenpraefix(m_ziel)) + "XXXXXX";
  if (const int e = Stoerung::Pruefen(TArt::Anlegen, QFile::decodeName(muster))) return Scheitern(e);
  const int fd = ::mkostemp(muster.data(), O_CLOEXEC);
  if (fd < 0) return Scheitern(errno);
  m_fd = fd;
  m_zwischen = QFile::decodeName(muster);
  m_geschrieben = 0;
  if (::fchmod(m_fd, Rechte(m_ziel)) != 0) return Scheitern(errno);
  return true;
}

bool TSichereDatei::Schreiben(const QByteArray& bytes) {
  if (!Oeffnen()) return false;
  if (const int e = Stoerung::Pruefen(TArt::Schreiben, m_zwischen)) return Scheitern(e);
  for (qsizetype n = 0; n < bytes.size();) {
    const ssize_t w = ::write(m_fd, bytes.constData() + n, size_t(bytes.size() - n));
    if (w < 0) {
      if (errno == EINTR) continue;
      return Scheitern(errno);
    }
    // A write that takes nothing would loop for ever: the disk is full.
    if (w == 0) return Scheitern(ENOSPC);
    n += w;
  }
  m_geschrieben += bytes.size();
  return true;
}

bool TSichereDatei::Abschliessen() {
  if (!Oeffnen()) return false;
  const int sync = Stoerung::Pruefen(TArt::Synchronisieren, m_zwischen);
  if (sync != 0 && sync != Stoerung::Weglassen) return Scheitern(sync);
  // A full disk may show only here, when the system puts the data on it.
  if (sync == 0 && ::fsync(m_fd) != 0) return Scheitern(errno);
  struct stat s {};
  if (::fstat(m_fd, &s) != 0) return Scheitern(errno);
  if (s.st_size != m_geschrieben) return Scheitern(EIO);
  const int fd = m_fd;
  m_fd = -1;
  if (::close(fd) != 0) return Scheitern(errno);
  int e = 0;
  if (!Dateien::Umbenennen(m_zwischen, m_ziel, true, &e)) return Scheitern(e);
  m_zwischen.clear();
  return true;
}

void TSichereDatei::Verwerfen() {
  if (m_fd >= 0) ::close(m_fd);
  m_fd = -1;
  if (!m_zwischen.isEmpty()) ::unlink(Pfad(m_zwischen).constData());
  m_zwischen.clear();
}

namespace SichereDatei {

bool Schreiben(const QString& ziel, const QByteArray& inhalt, QString* fehler) {
  TSichereDatei datei(ziel);
  if (datei.Schreiben(inhalt) && datei.Abschliessen()) return true;
  if (fehler) *fehler = datei.Fehler();
  return false;
}

int ResteEntfernen(const QString& ordner) {
  int entfernt = 0;
  const QDir d(ordner);
  for (const QFileInfo& f : d.entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
    const QString name = f.fileName();
    const qsizetype stelle = name.lastIndexOf(Kennung);
    if (!name.startsWith(QLatin1Char('.')) || stelle < 1 || name.size() != stelle + Kennung.size() + 6) continue;
    if (Dateien::Entfernen(f.absoluteFilePath())) ++entfernt;
  }
  return entfernt;
}

}  // namespace SichereDatei
