#pragma once
// The checks of the legal limits on the database: reads a farm year (fields,
// crop rows, records, the statement values and the year's switch for the
// nitrate-area rules) and hands it to the rules of regeln.h.

#include "regeln.h"

#include <optional>
#include <vector>

class TADOModConnection;

namespace Pruefung {

// Caption of the switch stored with the fertiliser year.
inline const QString SchalterText = QStringLiteral("Regeln für Nitratgebiete anwenden");

// The stored switch of the year (DuengeJahr.NitratgebietRegeln); empty when
// the year has none stored.
std::optional<bool> Schalter(TADOModConnection& db, int betriebsNr, int jahr);

// What the checks of farm and year read.
TJahr Laden(TADOModConnection& db, int betriebsNr, int jahr);

// Shown when the data of the year could not be read completely: the checks
// are then incomplete and must not look as if nothing was found.
QString LesefehlerText(const QString& engine);

// The findings of farm and year; *fehler (if given) gets the German text
// when the data could not be read completely, else it is emptied.
std::vector<TBefund> Jahr(TADOModConnection& db, int betriebsNr, int jahr, QString* fehler = nullptr);

// The findings that concern a saved record: its own and those of the sums it
// counts in, from the checks of the year of its date and of its crop row.
// Empty when the record does not exist.
std::vector<TBefund> FuerAufzeichnung(TADOModConnection& db, qint64 dungId);

// The warning after saving such a record: the findings and that the record is
// saved all the same.
QString Warnung(const std::vector<TBefund>& befunde);

// The lines the statement printout shows for farm and year: a heading, a line
// when the nitrate-area rules are switched off or the data could not be read,
// then one line per finding.
QStringList Druckzeilen(TADOModConnection& db, int betriebsNr, int jahr);

}  // namespace Pruefung
