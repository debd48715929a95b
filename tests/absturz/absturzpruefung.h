#pragma once
// What the next start after a killed run must find: it opens the database
// for work without a question or message, the file passes the engine's
// check, every committed farm row is there and whole, nothing of the killed
// run is left in the folder, and a backup the run wrote is intact. Used by
// the crash trials in the test program and in their child process.

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

// The problems found, empty when all is well. `seit`: files written after it
// are the killed run's.
QStringList NaechsterStartPruefen(const QString& ordner, const std::vector<qlonglong>& bestaetigt, const QDateTime& seit);
