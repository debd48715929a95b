#pragma once
// What the next start after a killed run must find: it opens the database
// for work without a question or message, the file passes the engine's
// check, every committed farm row is there and whole, nothing of the killed
// run is left in the folder, and a backup the run wrote is intact. Used by
// the crash trials in the test program and in their child process.

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <vector>

// The reporting run's placing of a set (meldeablage.h) in the crash trials:
// an old set with its date is in place, a new one is being placed.
namespace Meldetest {
inline const QString Ordner = QStringLiteral("Meldepflichten_2023/B_000000000042");
inline const QDate AltesDatum{2023, 1, 10}, NeuesDatum{2023, 2, 20};
QStringList Dateien();
// The content of a file of the old or the new set.
QByteArray Inhalt(const QString& name, bool neu);
}  // namespace Meldetest

// After a kill while placing: the next start opens the database, the report
// folder holds exactly the old or exactly the new set with the date that
// belongs to it, and nothing hidden is left. The problems found.
QStringList MeldeablagePruefen(const QString& ordner);

// The problems found, empty when all is well. `seit`: files written after it
// are the killed run's.
QStringList NaechsterStartPruefen(const QString& ordner, const std::vector<qlonglong>& bestaetigt, const QDateTime& seit);
