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

#include <QDir>
#include <QFile>

// Flips 16 bytes in the middle of page `seite` (1 = first) of a database file,
// as a failing disk does; the encrypted page then no longer passes its check.
inline bool SeiteBeschaedigen(const QString& datei, int seite, int seitengroesse = 1024) {
  QFile f(datei);
  if (!f.open(QIODevice::ReadWrite)) return false;
  const qint64 stelle = qint64(seite - 1) * seitengroesse + seitengroesse / 2;
  if (stelle + 16 > f.size() || !f.seek(stelle)) return false;
  QByteArray b = f.read(16);
  for (char& c : b) c = char(~c);
  return f.seek(stelle) && f.write(b) == 16;
}

// The files in a folder, without the subfolders.
inline QStringList OrdnerDateien(const QString& ordner) { return QDir(ordner).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

inline std::string Liste(const QStringList& l) { return l.join(QStringLiteral(" | ")).toStdString(); }
