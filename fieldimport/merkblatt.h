#pragma once
// The remembered import sheet ("Shape<nr>.TXT") read from its bytes. Apart
// from the field import so that the fuzz target builds it without the
// database.

#include <QByteArray>

class TBlatt;

namespace Merkblatt {

// Fills the emptied sheet: one row per line, TAB to the next column, CR
// skipped, empty cells not written. A leading byte-order mark makes the
// text UTF-8, otherwise it is Windows-1252. False when a cell lies beyond
// the sheet's limits; the sheet is then unchanged.
bool Lesen(const QByteArray& inhalt, TBlatt& blatt);

}  // namespace Merkblatt
