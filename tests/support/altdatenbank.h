#pragma once
// A database of the older format (version 5, "Quendrix.mdb") as the Windows
// program left it: the current tables without the columns added since, and
// the crop rows of a field in one table "Proben".

#include <QString>

// Creates the file with the tables (a copy of a template built once) and runs
// the SQL that fills them; false (and a test failure) when anything fails.
bool AlteDatenbankAnlegen(const QString& datei, const QString& inhalt);
