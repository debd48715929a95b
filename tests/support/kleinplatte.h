#pragma once
// A small disk of its own for the tests of a full or write-protected disk:
// a memory file system mounted on a temporary folder. Mounting needs the
// right to do so (the test command runs as root); without it Bereit() is
// false and the test says it was skipped.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

class TKleinePlatte {
public:
  explicit TKleinePlatte(int kilobytes) {
    const QByteArray optionen = "size=" + QByteArray::number(kilobytes) + "k,mode=0777";
    m_bereit = m_ordner.isValid() &&
               ::mount("tmpfs", QFile::encodeName(m_ordner.path()).constData(), "tmpfs", 0, optionen.constData()) == 0;
  }
  ~TKleinePlatte() {
    if (m_bereit) ::umount2(QFile::encodeName(m_ordner.path()).constData(), MNT_DETACH);
  }
  TKleinePlatte(const TKleinePlatte&) = delete;
  TKleinePlatte& operator=(const TKleinePlatte&) = delete;

  bool Bereit() const { return m_bereit; }
  QString Pfad() const { return m_ordner.path(); }
  QString Datei(const QString& name) const { return QDir(m_ordner.path()).filePath(name); }

  // Fills the disk so that about `frei` bytes (whole pages) stay free.
  void Fuellen(qint64 frei = 0) {
    const QByteArray pfad = QFile::encodeName(Datei(QStringLiteral("Fuellung")));
    const int fd = ::open(pfad.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return;
    const QByteArray block(4096, 'f');
    qint64 groesse = 0;
    for (;;) {
      const ssize_t n = ::write(fd, block.constData(), size_t(block.size()));
      if (n <= 0) break;
      groesse += n;
    }
    if (frei > 0 && ::ftruncate(fd, groesse > frei ? groesse - frei : 0) != 0) frei = 0;
    ::close(fd);
  }

  // The disk becomes write-protected, as a locked stick or a read-only share.
  bool Schreibschutz() {
    return ::mount("tmpfs", QFile::encodeName(m_ordner.path()).constData(), "tmpfs", MS_REMOUNT | MS_RDONLY,
                   nullptr) == 0;
  }

private:
  QTemporaryDir m_ordner;
  bool m_bereit = false;
};

#define KLEINE_PLATTE_ERFORDERLICH(platte)                                                         \
  do {                                                                                             \
    if (!(platte).Bereit()) GTEST_SKIP() << "Ohne das Recht, einen Datenträger einzuhängen.";     \
  } while (0)
