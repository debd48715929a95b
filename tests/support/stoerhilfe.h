#pragma once
// Readable comparisons for the tests of faults. Texts are compared as
// std::string and results by name: a PrintTo for QString in one test file
// would meet gtest's own printer, instantiated in the others, at link time.

#include "connection.h"

#include <QString>

#include <string>

inline std::string T(const QString& s) { return s.toStdString(); }

inline std::string Name(TOeffnenErgebnis e) {
  static const char* const namen[] = {"Ok", "DateiFehlt", "FremdeDatei", "Gesperrt", "Fehler"};
  return namen[int(e)];
}
