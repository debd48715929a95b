#include "fenstergroesse.h"

#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QWidget>

namespace Fenstergroesse {

namespace {

// What the window manager adds around a window before it is first shown:
// a title bar and thin borders.
constexpr QSize Rahmen(16, 40);

}  // namespace

void Setzen(QWidget* fenster, QSize wunsch) {
  QScreen* schirm = fenster->screen() ? fenster->screen() : QGuiApplication::primaryScreen();
  if (schirm) wunsch = wunsch.boundedTo(schirm->availableGeometry().size() - Rahmen);
  fenster->resize(wunsch);
}

QScrollArea* Rollbar(QWidget* inhalt) {
  auto* bereich = new QScrollArea;
  bereich->setFrameShape(QFrame::NoFrame);
  bereich->setWidgetResizable(true);
  bereich->setWidget(inhalt);
  return bereich;
}

}  // namespace Fenstergroesse
