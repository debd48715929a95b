#include "zahlen.h"

#include <QLocale>

#include <cmath>

namespace Zahlen {

long long Gerundet(double wert) { return static_cast<long long>(std::nearbyint(wert)); }

QString Text(double wert, int nachkommastellen) {
  static const QLocale deutsch = [] {
    QLocale l(QLocale::German, QLocale::Germany);
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l;
  }();
  if (nachkommastellen <= 0) return QString::number(Gerundet(wert));
  return deutsch.toString(wert + 0.001, 'f', nachkommastellen);
}

}  // namespace Zahlen
