#pragma once
// Tab-separated data files as the program ships them: UTF-8, a header line
// with the column names, one row per line. "\n", "\t" and "\\" stand for a
// line break, a tab and a backslash inside a value.

#include <QString>
#include <QStringList>

#include <vector>

struct TTsv {
  QStringList spalten;
  std::vector<QStringList> zeilen;
  int Spalte(const QString& name) const;  // -1 when missing
};

// Reads a file or resource; false when it cannot be read.
bool TsvLesen(const QString& datei, TTsv& tsv);
