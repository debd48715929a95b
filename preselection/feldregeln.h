#pragma once
// Rules that run when the user leaves a field after typing in it: the
// conversions between P and P2O5 and the yield checks. A field that is only
// passed through keeps the values as they are.

#include "eingabefeld.h"

#include <QObject>

#include <functional>

class TNachEingabe : public QObject {
  Q_OBJECT
public:
  TNachEingabe(TEingabeFeld* feld, std::function<void()> aktion);

protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
  TEingabeFeld* m_feld;
  std::function<void()> m_aktion;
  bool m_getippt = false;
};

namespace Umrechnung {
// P2O5 = P × 2.2914 and P = P2O5 × 0.4364.
inline constexpr double P2O5JeP = 2.2914;
inline constexpr double PJeP2O5 = 0.4364;
}  // namespace Umrechnung
