#pragma once
// The demand file of the reporting obligations ("DBE_"): one record per crop
// row of the farm year, catch crops included, each with its field, in 69
// columns. Written by Meldedatei like the other reporting files.

#include <QString>
#include <QStringList>

#include <vector>

class TADOModConnection;

namespace Bedarfsdatei {

// The 69 column names, in their order.
const QStringList& Kopf();

// The records of the farm year, ordered by parcel and crop position. False
// when the rows cannot be read.
bool Zeilen(TADOModConnection& db, int betrieb, int jahr, std::vector<QStringList>* zeilen);

// Writes "DBE_<Kreis>_<EU-Nummer>_<Jahr>.TXT" into the folder. False with a
// German text naming the file when it cannot be read or written.
bool Schreiben(TADOModConnection& db, int betrieb, int jahr, const QString& ordner, QString* fehler);

// The crops (not catch crops) of the farm year whose nitrogen demand has not
// been calculated, one text per crop row ("Schlag 3 „Nord“ (Parzelle 7): Winterweizen").
// Their records carry 0,0 as demand, which the user should know before sending.
QStringList OhneBedarf(TADOModConnection& db, int betrieb, int jahr);

}  // namespace Bedarfsdatei
