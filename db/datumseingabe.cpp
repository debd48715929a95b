#include "datumseingabe.h"

#include <QStringList>

namespace Datumseingabe {

namespace {

bool NurZiffern(const QString& t) {
  if (t.isEmpty()) return false;
  for (const QChar c : t)
    if (c < u'0' || c > u'9') return false;
  return true;
}

}  // namespace

QDate Lesen(const QString& text) {
  QString t = text.trimmed();
  if (t.size() == 6 && NurZiffern(t)) t = t.left(2) + u'.' + t.mid(2, 2) + u'.' + t.mid(4);
  const QStringList teile = t.split(u'.');
  if (teile.size() != 3) return {};
  int werte[3];
  for (int i = 0; i < 3; ++i) {
    const QString teil = teile[i].trimmed();
    const bool laengeGut = i < 2 ? teil.size() <= 2 : (teil.size() <= 2 || teil.size() == 4);
    if (!NurZiffern(teil) || !laengeGut) return {};
    werte[i] = teil.toInt();
  }
  int jahr = werte[2];
  if (teile[2].trimmed().size() <= 2) jahr += jahr < 50 ? 2000 : 1900;
  return QDate(jahr, werte[1], werte[0]);
}

}  // namespace Datumseingabe
