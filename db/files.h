#pragma once
// The database file itself: names, compaction, the rotating backups and the
// restore of a backup, and the file operations they are built from. Every
// step that changes a file goes through the fault seam (stoerung.h), and a
// file appears under its real name only when it is complete.

#include <QDateTime>
#include <QLockFile>
#include <QString>

#include <memory>

class TMeldungen;

namespace Dateien {

inline const QString Datenbank = QStringLiteral("Quendrix2021.mdb");
inline const QString AlteDatenbank = QStringLiteral("Quendrix.mdb");
inline const QString Sicherungsordner = QStringLiteral("SIC");
inline constexpr int Sicherungen = 11;

// --- names of the program's own temporary files --------------------------------

// A database being created, taken over, refreshed or restored: "<datei>.tmp".
QString Zwischenname(const QString& datei);
// The compacted copy: "Quendrix2021.$$$".
QString Kompaktname(const QString& datei);
// A new backup before the rotation: "SIC/Quendrix2021.tmp".
QString Sicherungszwischenname(const QString& programmOrdner);

// Removes what a killed or failed run of the program left in the folder: the
// compacted copy, a half-made database or backup and their journals. A
// database's own journal is never touched: the engine needs it to roll back.
void ResteEntfernen(const QString& programmOrdner);

// --- file operations ---------------------------------------------------------------
// On failure *fehler holds the errno (for Fehlertexte::Dateisystem).

// Copies into a new file (an existing one is not replaced) and syncs it to
// the disk; on failure nothing is left under the target name.
bool Kopieren(const QString& quelle, const QString& ziel, int* fehler = nullptr);
// Renames in one step; with ersetzen false an existing target stays and the
// rename fails (EEXIST). The folder is synced afterwards.
bool Umbenennen(const QString& alt, const QString& neu, bool ersetzen, int* fehler = nullptr);
// Removes a file; a missing file is no failure.
bool Entfernen(const QString& datei, int* fehler = nullptr);

// Only one run of the program at a time creates, converts, restores, backs up
// or compacts in a folder, and none removes the others' temporary files. The
// lock is a file "Quendrix2021.lck" that a killed run leaves behind and the
// next one takes over (at once when the run was on this computer). Without write permission for the folder there is no
// lock and Gesperrt() is false: the next write then says what is wrong.
class TOrdnerSperre {
public:
  // Waits up to the given time for another run to finish.
  explicit TOrdnerSperre(const QString& programmOrdner, int wartezeitMs = 5000);
  ~TOrdnerSperre();
  TOrdnerSperre(const TOrdnerSperre&) = delete;
  TOrdnerSperre& operator=(const TOrdnerSperre&) = delete;
  // Another run holds the folder.
  bool Gesperrt() const { return m_gesperrt; }

private:
  std::unique_ptr<QLockFile> m_datei;
  bool m_gesperrt = false;
};

// --- compaction and backups ----------------------------------------------------------

// Rewrites the file through "<name>.$$$", which replaces it in one step once
// it is complete and checked. A damaged file is not compacted. On failure the
// file stays as it was and the message "FEHLER!" ... is shown ("FEHLRER!"
// right after creation).
bool Komprimieren(const QString& datei, TMeldungen* meldungen, bool nachErstellung = false);

// Backs up the closed database: checks it, writes the copy under a temporary
// name in "SIC", then shifts ".01".. ".10" one generation back (".11" is
// dropped) and moves the copy to ".01". A damaged database is never copied
// into the backups, and a copy that cannot be written (full disk, folder not
// writable) leaves every generation as it was: the result is then a German
// message; it is empty when the backup was made or there is no folder "SIC".
// A caller that has just checked the database passes the findings (empty:
// intact) instead of having it opened and checked again.
QString SicherungenRotieren(const QString& programmOrdner, const QString* befund = nullptr);

// "SIC/Quendrix2021.NN" for generation n (1 = newest).
QString Sicherung(const QString& programmOrdner, int n);

struct TSicherung {
  int generation = 0;  // 0: none
  QString datei;
  QDateTime zeit;  // when it was written
};
// The newest backup that opens with the program's key and passes the check.
TSicherung NeuesteIntakteSicherung(const QString& programmOrdner);

// Puts the database (a damaged one) aside under a new name, which *beiseite
// receives, with its journal, and puts a copy of the backup in its place.
// The database's name never stands empty: until the copy is complete the old
// file stays under it. On failure *fehler holds a German message.
bool Wiederherstellen(const QString& programmOrdner, const TSicherung& sicherung, QString* beiseite,
                      QString* fehler);

}  // namespace Dateien
