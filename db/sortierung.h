#pragma once
// Names sort as a German reader expects: umlauts with their base letters
// (ä as a, ß as ss), without regard to case. The collation "Deutsch" is
// registered on every connection; every query that sorts by a name says
// "order by <name> collate Deutsch".

#include <QString>

struct sqlite3;

namespace Sortierung {
// The text that is compared: lower case, accents and umlaut dots dropped, ß as ss.
QString Schluessel(const QString& text);
// Negative, 0 or positive like strcmp; equal keys fall back to the plain
// text so that the order is total and repeatable.
int Vergleichen(const QString& a, const QString& b);
// Registers the collation "Deutsch" on a connection.
void Registrieren(sqlite3* db);
}  // namespace Sortierung
