#include "merkblatt.h"

#include "blatt.h"
#include "dbasetabelle.h"

#include <QStringDecoder>
#include <QStringList>

namespace Merkblatt {

bool Lesen(const QByteArray& inhalt, TBlatt& blatt) {
  QString text;
  if (inhalt.startsWith("\xEF\xBB\xBF")) {
    // Only the first mark is one; QString::fromUtf8 would drop a second.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    text = utf8(inhalt.mid(3));
  } else
    text = Dekodieren(inhalt, TCodeseite::Windows);
  text.remove(u'\r');
  QStringList zeilen = text.split(u'\n');
  if (!zeilen.isEmpty() && zeilen.last().isEmpty()) zeilen.removeLast();
  TBlatt neu;
  for (int z = 0; z < zeilen.size(); ++z) {
    const QStringList zellen = zeilen[z].split(u'\t');
    for (int s = 0; s < zellen.size(); ++s) {
      if (zellen[s].isEmpty()) continue;
      if (!neu.setText(s + 1, z + 1, zellen[s])) return false;
    }
  }
  blatt = std::move(neu);
  return true;
}

}  // namespace Merkblatt
