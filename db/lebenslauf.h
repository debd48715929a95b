#pragma once
// The life of a database: creation, takeover of the older format (version 5,
// "Quendrix.mdb"), refresh of older sub-versions and the maintenance that
// runs at every opening.

#include <QString>

#include <utility>

class TADOModConnection;
class TMeldungen;

namespace Datenbank {

inline const QString WarteText =
    QStringLiteral("Bitte warten, Anlegen bzw. Aktualisieren der Datenbank, das kann einige Minuten dauern.");
inline const QString HinweisUebernahme = QStringLiteral("Hinweis: Es wird nur ab dem Jahr 2020 übernommen.");

// VersionNummer and VersionUnterNummer of the file; 0 for what cannot be read.
std::pair<int, int> Version(const QString& datei);

// A new "Quendrix2021.mdb" in the folder with the farm tables, the template
// farm, the settings row, the shipped master data and the views. An existing
// file is never replaced.
bool Anlegen(const QString& ordner, TMeldungen& meldungen);
// Copies "Quendrix.mdb" to "Quendrix2021.mdb" and converts the copy; only
// years from 2020 on are taken over. The older file stays as it is.
bool Hochstufen(const QString& ordner, TMeldungen& meldungen);
// Brings a current database of an older sub-version up to date in place.
bool Auffrischen(const QString& ordner, TMeldungen& meldungen);
// The statements of every opening, on the open connection.
void Wartung(TADOModConnection& db);

// Building blocks, in the order the procedures call them.
void DatentabellenAnlegen(TADOModConnection& db);        // A
void GemeinsameTabellenAnlegen(TADOModConnection& db);   // B
void VorlageAktualisieren(TADOModConnection& db);        // C
void SichtenAnlegen(TADOModConnection& db);              // D
void SichtenLoeschen(TADOModConnection& db);             // E
void SpaltenErgaenzen(TADOModConnection& db);            // F
void AlteTabellenVorbereiten(TADOModConnection& db);     // G
void AlteDatenUebernehmen(TADOModConnection& db);        // H
void AlleBetriebeAbgleichen(TADOModConnection& db);      // I
void Aufraeumen(TADOModConnection& db, bool auffrischen);  // J (step 7 only when refreshing)

}  // namespace Datenbank
