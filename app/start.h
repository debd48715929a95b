#pragma once
// Opening the program's database in its working folder.

#include <QString>

class TADOModConnection;
class TMeldungen;

namespace Start {

// Opens "Quendrix2021.mdb" in the folder exclusively, creating it when it is
// missing. A file that is not ours, or one held by another program, is left
// untouched: the message says why and the result is false.
bool DatenbankOeffnen(TADOModConnection& db, const QString& ordner, TMeldungen& meldungen);

// The folders the program keeps its backups in.
void OrdnerAnlegen(const QString& ordner);

// Closes the connection and rotates the backups.
void Beenden(TADOModConnection& db, const QString& ordner);

}  // namespace Start
