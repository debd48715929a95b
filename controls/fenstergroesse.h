#pragma once
// Window sizes that fit the screen: a window opens at the size it would
// like, but never larger than the free area of its screen, so that on a
// small laptop screen nothing is cut off; its lists and panels give way and
// scroll instead.

#include <QSize>

class QScrollArea;
class QWidget;

namespace Fenstergroesse {

// Resizes the top-level window to the wish, bounded by the free area of its
// screen less room for the window frame.
void Setzen(QWidget* fenster, QSize wunsch);

// A frameless scroll area around the content: it takes the content's room
// when there is enough and shows scroll bars when there is not.
QScrollArea* Rollbar(QWidget* inhalt);

}  // namespace Fenstergroesse
