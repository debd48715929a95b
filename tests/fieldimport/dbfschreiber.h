#pragma once
// Writes the small .dbf fixtures of the tests through shapelib's writer:
// fields with their native type letter, records as raw bytes per field (so
// code-page bytes and overflow markers arrive unchanged), deleted marks.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <shapefil.h>

#include <gtest/gtest.h>

#include <set>
#include <vector>

struct TDbfFeld {
  const char* name;
  char typ;
  int breite;
  int stellen = 0;
};

// codeseite: "LDID/87" (Windows), "LDID/2" (DOS), "LDID/0" (unknown), or a
// text such as "UTF-8" that shapelib puts into a .cpg file beside the table.
inline void DbfSchreiben(const QString& datei, const char* codeseite, const std::vector<TDbfFeld>& felder,
                         const std::vector<std::vector<QByteArray>>& saetze, const std::set<int>& geloescht = {}) {
  DBFHandle h = DBFCreateEx(QFile::encodeName(datei).constData(), codeseite);
  ASSERT_NE(h, nullptr) << datei.toStdString();
  for (const auto& f : felder) ASSERT_GE(DBFAddNativeFieldType(h, f.name, f.typ, f.breite, f.stellen), 0) << f.name;
  for (size_t n = 0; n < saetze.size(); ++n) {
    for (size_t i = 0; i < felder.size() && i < saetze[n].size(); ++i) {
      QByteArray wert = saetze[n][i];
      ASSERT_TRUE(DBFWriteAttributeDirectly(h, int(n), int(i), wert.data()));
    }
    if (geloescht.count(int(n) + 1)) {
      ASSERT_TRUE(DBFMarkRecordDeleted(h, int(n), 1));
    }
  }
  DBFClose(h);
}
