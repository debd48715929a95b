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
// farm, the settings row, the shipped master data and the views. It is built
// under a temporary name and appears under its own only when complete and
// checked. An existing file is never replaced. On failure the message has
// been shown.
bool Anlegen(const QString& ordner, TMeldungen& meldungen);
// Converts a copy of "Quendrix.mdb" into "Quendrix2021.mdb"; only years from
// 2020 on are taken over. The older file stays as it is.
bool Hochstufen(const QString& ordner, TMeldungen& meldungen);
// Brings a current database of an older sub-version up to date.
// Both convert a copy under a temporary name, write the version pair last in
// the conversion's transaction and move the copy into place only when every
// step, commit and the check succeeded; on failure they say in German what
// failed, and nothing has changed.
bool Auffrischen(const QString& ordner, TMeldungen& meldungen);
// The statements of every opening, on the open connection, in one
// transaction. When it cannot be saved nothing of it stays and the result is
// false: the German text goes to *fehler if given, else to the connection's
// message service.
bool Wartung(TADOModConnection& db, QString* fehler = nullptr);

// Building blocks, in the order the procedures call them.
void DatentabellenAnlegen(TADOModConnection& db);        // A
void GemeinsameTabellenAnlegen(TADOModConnection& db);   // B
bool VorlageAktualisieren(TADOModConnection& db);        // C (false: a table could not be saved)
void SichtenAnlegen(TADOModConnection& db);              // D
void SichtenLoeschen(TADOModConnection& db);             // E
bool SpaltenErgaenzen(TADOModConnection& db);            // F (in a transaction of its own)
void AlteTabellenVorbereiten(TADOModConnection& db);     // G
void AlteDatenUebernehmen(TADOModConnection& db);        // H
void AlleBetriebeAbgleichen(TADOModConnection& db);      // I
void Aufraeumen(TADOModConnection& db, bool auffrischen);  // J (step 7 only when refreshing)
void VersionSetzen(TADOModConnection& db);               // K: the version pair 6.6, last

}  // namespace Datenbank
