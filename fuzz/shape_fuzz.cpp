// libFuzzer target of the reader of the remembered import sheet
// ("Shape<nr>.TXT"): any bytes give a sheet or leave the sheet unchanged,
// never a crash; a sheet read and remembered again reads back the same.
#include "blatt.h"
#include "merkblatt.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// The sheet as the field import remembers it, as UTF-8 behind a byte-order
// mark so that every letter survives.
QByteArray Gemerkt(const TBlatt& blatt) {
  QString text;
  for (int z = 1; z <= blatt.LetzteZeile(); ++z) {
    QStringList zellen;
    for (int s = 1; s <= blatt.LetzteSpalte(z); ++s) zellen << blatt.Text(s, z).replace(u'\t', u' ');
    text += zellen.join(u'\t') + QStringLiteral("\r\n");
  }
  return "\xEF\xBB\xBF" + text.toUtf8();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* daten, size_t groesse) {
  const QByteArray inhalt = QByteArray::fromRawData(reinterpret_cast<const char*>(daten), qsizetype(groesse));
  TBlatt blatt;
  blatt.setText(1, 1, QStringLiteral("alt"));
  if (!Merkblatt::Lesen(inhalt, blatt)) {
    if (blatt.Text(1, 1) != QStringLiteral("alt") || blatt.LetzteZeile() != 1) std::abort();
    return 0;
  }
  TBlatt zurueck;
  if (!Merkblatt::Lesen(Gemerkt(blatt), zurueck)) std::abort();
  const int zeilen = std::max(blatt.LetzteZeile(), zurueck.LetzteZeile());
  for (int z = 1; z <= zeilen; ++z) {
    const int spalten = std::max(blatt.LetzteSpalte(z), zurueck.LetzteSpalte(z));
    for (int s = 1; s <= spalten; ++s)
      if (zurueck.Text(s, z) != blatt.Text(s, z)) std::abort();
  }
  return 0;
}
