#include "phosphor.h"

#include <array>
#include <cstddef>

namespace Phosphor {

namespace {

// Upper bounds of the classes A to D; above the last one is E.
using TGrenzen = std::array<double, 4>;

constexpr TGrenzen CalGrenzen{2.5, 5.0, 7.5, 10.0};
constexpr TGrenzen CalGrenzen192{1.5, 3.0, 6.0, 10.0};
constexpr TGrenzen DlGrenzen{2.8, 5.7, 8.6, 11.5};
constexpr TGrenzen DlGrenzen192{1.6, 3.4, 6.9, 11.5};

// Entered contents carry decimal noise (the P value is often derived from the
// P2O5 value); a bound is met up to this amount above it.
constexpr double Toleranz = 0.00001;

}  // namespace

QString Gehaltsklasse(int methode, int bkr, double pGehalt) {
  if (!(pGehalt > 0)) return {};
  const bool eigene = bkr == BkrMitEigenenGrenzen;
  const TGrenzen* grenzen = nullptr;
  if (methode == 1)
    grenzen = eigene ? &CalGrenzen192 : &CalGrenzen;
  else if (methode == 2)
    grenzen = eigene ? &DlGrenzen192 : &DlGrenzen;
  else
    return {};
  static constexpr std::array<char, 4> klassen{'A', 'B', 'C', 'D'};
  for (std::size_t i = 0; i < grenzen->size(); ++i)
    if (pGehalt <= (*grenzen)[i] + Toleranz) return QString(QChar::fromLatin1(klassen[i]));
  return QStringLiteral("E");
}

}  // namespace Phosphor
