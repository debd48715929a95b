#pragma once
// How the program reads a date the user typed: the date fields of the
// windows and the date cells of the quick recording use this one rule, so a
// text one of them takes the other takes too.

#include <QDate>
#include <QString>

namespace Datumseingabe {

// "TT.MM.JJ" or "TT.MM.JJJJ" (day and month with one or two digits), or the
// six digits "TTMMJJ" that a date field's mask places as "TT.MM.JJ".
// Two-digit years 00–49 are 20xx, 50–99 are 19xx. Invalid when the text is
// no date.
QDate Lesen(const QString& text);

}  // namespace Datumseingabe
