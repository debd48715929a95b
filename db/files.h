#pragma once
// The database file itself: names, compaction and the rotating backups.

#include <QString>

class TMeldungen;

namespace Dateien {

inline const QString Datenbank = QStringLiteral("Quendrix2021.mdb");
inline const QString AlteDatenbank = QStringLiteral("Quendrix.mdb");
inline const QString Sicherungsordner = QStringLiteral("SIC");
inline constexpr int Sicherungen = 11;

// Rewrites the file through "<name>.$$$". On failure the file stays as it was
// and the message "FEHLER!" ... is shown ("FEHLRER!" right after creation).
bool Komprimieren(const QString& datei, TMeldungen* meldungen, bool nachErstellung = false);

// Shifts "SIC/Quendrix2021.01".. ".10" one generation back, drops ".11" and
// copies the database to ".01". Every step's failure is ignored; without the
// folder nothing happens.
void SicherungenRotieren(const QString& programmOrdner);

// "SIC/Quendrix2021.NN" for generation n (1 = newest).
QString Sicherung(const QString& programmOrdner, int n);

}  // namespace Dateien
