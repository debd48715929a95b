#pragma once
// Numbers as the program writes them on screens and sheets: German decimal
// comma; whole numbers rounded half to even; with decimals, 0.001 is added
// before rounding (as the printed sheets always did).

#include <QString>

class QLocale;

namespace Zahlen {
// German format without thousands separators, whatever the system's locale.
const QLocale& Deutsch();
QString Text(double wert, int nachkommastellen);
// Whole number, halves to the even neighbour.
long long Gerundet(double wert);
}  // namespace Zahlen
