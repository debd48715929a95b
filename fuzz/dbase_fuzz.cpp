// libFuzzer target of the dBase reader: any bytes as a .dbf file must give a
// loaded sheet or a German refusal, never a crash or an out-of-bounds read.
#include "blatt.h"
#include "dbasetabelle.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <unistd.h>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
  // The reader opens files by name; a file in memory-backed /dev/shm keeps it fast.
  static const QString datei = QStringLiteral("/dev/shm/quendrix_fuzz_%1.dbf").arg(getpid());
  static const struct TAufraeumen {
    ~TAufraeumen() { QFile::remove(datei); }
  } aufraeumen;
  {
    QFile f(datei);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
    f.write(reinterpret_cast<const char*>(daten), qint64(groesse));
  }
  // Half of the inputs go through the sheet loader, the other half through
  // every conversion of every field; each opening costs file system calls.
  if (groesse > 0 && (daten[groesse - 1] & 1)) {
    TBlatt blatt;
    QString fehler;
    if (!TabelleLaden(datei, blatt, fehler) && fehler.isEmpty()) __builtin_trap();
    return 0;
  }
  TDBaseTable t;
  if (!t.Oeffnen(datei)) {
    if (t.Fehler().isEmpty()) __builtin_trap();
    return 0;
  }
  for (int n = 1; n <= t.SatzAnzahl() && n <= 64; ++n) {
    if (!t.SatzLesen(n)) break;
    for (int i = 0; i < t.FeldAnzahl(); ++i) {
      const TDBaseFeld* f = t.Feld(i);
      (void)f->AlsText();
      (void)f->AlsZahl();
      (void)f->AlsGanzzahl();
      (void)f->AlsDatum();
      (void)f->Monatsname();
      (void)f->AlsWahrheitswert();
    }
  }
  return 0;
}
