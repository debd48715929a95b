#pragma once
// A new database in a temporary folder with farm 2 and its copies of the
// master data, on which a benchmark builds its farm year.

#include "connection.h"
#include "files.h"
#include "lebenslauf.h"
#include "meldungen.h"
#include "stammdaten.h"

#include <QDir>
#include <QTemporaryDir>

#include <ctime>

struct TBenchBetrieb {
  QTemporaryDir ordner;
  TStilleMeldungen meldungen;
  TADOModConnection db{&meldungen};

  // The statement inserts the farm row with ID 2; false when the database
  // could not be created or opened.
  bool Anlegen(const QString& betriebEinfuegen = QStringLiteral("insert into Betriebe ( ID ) values ( 2 )")) {
    if (!Datenbank::Anlegen(ordner.path(), meldungen)) return false;
    db.setDatenbankName(QDir(ordner.path()).filePath(Dateien::Datenbank));
    if (db.Oeffnen() != TOeffnenErgebnis::Ok) return false;
    Datenbank::Wartung(db);
    db.Ausfuehren(betriebEinfuegen);
    Stammdaten::StammdatenAbgleich(db, 2);
    return true;
  }
};

// The process's CPU time in milliseconds, for factors measured inside one benchmark.
inline double CpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}
