// libFuzzer target of the outline reader: any bytes as a .shp with its .shx
// (the first two bytes give the index's length) must read without a crash;
// every outline read is valid, has a finite area and comes back unchanged
// from its stored form. The bytes are also read as such a stored form.
#include "shapedatei.h"
#include "umriss.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void Schreiben(const QString& pfad, const QByteArray& inhalt) {
  QFile f(pfad);
  if (!f.open(QIODevice::WriteOnly) || f.write(inhalt) != inhalt.size()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
  const QByteArray alles(reinterpret_cast<const char*>(daten), qsizetype(groesse));
  if (const auto u = Karte::Dekodieren(alles); u && Karte::Kodieren(*u) != alles) std::abort();
  if (groesse < 2) return 0;
  static QTemporaryDir ordner;
  const qsizetype indexLaenge = std::min<qsizetype>((daten[0] << 8 | daten[1]), alles.size() - 2);
  Schreiben(ordner.filePath(QStringLiteral("f_teilflaechen.shx")), alles.mid(2, indexLaenge));
  Schreiben(ordner.filePath(QStringLiteral("f_teilflaechen.shp")), alles.mid(2 + indexLaenge));
  const Karte::TShapeDatei d = Karte::Lesen(ordner.filePath(QStringLiteral("f_teilflaechen.dbf")));
  for (const Karte::TShapeSatz& s : d.saetze) {
    if (!s.umriss) continue;
    if (!Karte::Fehler(*s.umriss).isEmpty() || !std::isfinite(s.umriss->Flaeche())) std::abort();
    const auto zurueck = Karte::Dekodieren(Karte::Kodieren(*s.umriss));
    if (!zurueck || Karte::Kodieren(*zurueck) != Karte::Kodieren(*s.umriss)) std::abort();
  }
  return 0;
}
