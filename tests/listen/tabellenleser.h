#pragma once
// Reads a written workbook back with an independent reader: LibreOffice
// converts its first sheet to CSV with the formulas' results, as a user's
// spreadsheet program would show them. Each reading uses a profile of its
// own, so tests running side by side do not share an office.

#include "listenausgabe.h"

#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

// The cells of a sheet as shown, by row and column.
class TTabelle {
public:
  // Empty when LibreOffice failed; then fehler says why.
  static TTabelle Lesen(const QString& datei);

  bool Ok() const { return m_ok; }
  const QString& Fehler() const { return m_fehler; }
  // The text of a cell, "K", 9; empty beyond the sheet.
  QString operator()(const QString& spalte, int zeile) const;
  // The cell as a number (a decimal comma counts as a point); NaN when it is none.
  double Zahl(const QString& spalte, int zeile) const;
  int Zeilen() const { return int(m_zeilen.size()); }

private:
  bool m_ok = false;
  QString m_fehler;
  std::vector<QStringList> m_zeilen;
};

// Tests that read back skip with the reason when LibreOffice is missing.
#define LIBREOFFICE_ERFORDERLICH()                                                                          \
  do {                                                                                                      \
    if (Listenausgabe::LibreOffice().isEmpty())                                                             \
      GTEST_SKIP() << "LibreOffice (soffice) ist nicht installiert: die geschriebene Liste kann nicht "     \
                      "zurückgelesen werden. tools/abhaengigkeiten.sh installiert es.";                     \
  } while (false)
