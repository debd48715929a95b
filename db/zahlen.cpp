#include "zahlen.h"

#include <QLocale>

#include <cmath>

namespace Zahlen {

const QLocale& Deutsch() {
  static const QLocale l = [] {
    QLocale d(QLocale::German, QLocale::Germany);
    d.setNumberOptions(QLocale::OmitGroupSeparator);
    return d;
  }();
  return l;
}

long long Gerundet(double wert) { return static_cast<long long>(std::nearbyint(wert)); }

QString Text(double wert, int nachkommastellen) {
  if (nachkommastellen <= 0) return QString::number(Gerundet(wert));
  return Deutsch().toString(wert + 0.001, 'f', nachkommastellen);
}

}  // namespace Zahlen
