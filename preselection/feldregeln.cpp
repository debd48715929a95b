#include "feldregeln.h"

#include <QEvent>

TNachEingabe::TNachEingabe(TEingabeFeld* feld, std::function<void()> aktion)
    : QObject(feld), m_feld(feld), m_aktion(std::move(aktion)) {
  feld->installEventFilter(this);
  connect(feld, &QLineEdit::textEdited, this, [this] { m_getippt = true; });
  connect(feld, &TEingabeFeld::Verlassen, this, [this] {
    if (!m_getippt) return;
    m_getippt = false;
    m_aktion();
  });
}

bool TNachEingabe::eventFilter(QObject* objekt, QEvent* ereignis) {
  // A new visit, not the return from a message box.
  if (objekt == m_feld && ereignis->type() == QEvent::FocusIn && !m_feld->IstBetreten()) m_getippt = false;
  return QObject::eventFilter(objekt, ereignis);
}
