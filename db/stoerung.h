#pragma once
// A seam for tests of faults: every durable file operation of the database
// layer asks here first — the engine's opening for writing, writes, syncs,
// truncations and deletions (through a thin layer between the engine and the
// file system), and the program's own copies, renames and removals. Without
// a check set nothing is asked and nothing changes. A test sets a check that
// lets an operation fail as the system would (full disk, no permission) or
// ends the process at a chosen step.

#include <QString>

#include <functional>

namespace Stoerung {

enum class TArt {
  Oeffnen,          // an existing file opened for writing
  Anlegen,          // a new file (database, journal, copy)
  Schreiben,
  Synchronisieren,  // to the disk
  Kuerzen,
  Loeschen,
  Umbenennen,       // the file is the target name
  Sperren,          // the engine takes a lock on a database file: EBUSY as if another program held it
};

// 0: the operation goes on; otherwise the errno it fails with
// (ENOSPC full disk, EACCES or EROFS no permission, EIO disk error, EBUSY
// a lock held elsewhere). For Synchronisieren also Weglassen: the step
// counts as done without waiting for the disk. A killed process loses
// nothing of what it wrote, only a power cut does: trials of kills need not
// wait for the disk.
using TPruefung = std::function<int(TArt art, const QString& datei)>;
inline constexpr int Weglassen = -1;

// Puts the layer between the engine and the file system in place; every
// connection does so before it opens its file.
void Bereitstellen();
// Sets the check for the operations from now on; empty: none.
void Setzen(TPruefung pruefung);
// What the check says; 0 without a check.
int Pruefen(TArt art, const QString& datei);

// Sets a check for the lifetime of the object, for tests.
class TAktiv {
public:
  explicit TAktiv(TPruefung pruefung) { Setzen(std::move(pruefung)); }
  ~TAktiv() { Setzen({}); }
  TAktiv(const TAktiv&) = delete;
  TAktiv& operator=(const TAktiv&) = delete;
};

}  // namespace Stoerung
