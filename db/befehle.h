#pragma once
// The command engine: runs the numbered groups of stored rules of the table
// Befehle per crop row or field (B_1, parameter ID) or per farm year (B_2,
// parameters Jahr and BetriebsNr).

#include <QString>

#include <vector>

class TADOModConnection;
class TADODataSetMod;
struct TTsv;

namespace Befehle {

// The shipped rules (":/befehle", one file per group) as rows of the table,
// ordered by group and number.
inline const QString Ordner = QStringLiteral(":/befehle");
bool Lesen(const QString& ordner, TTsv& tsv);

// A group runs in one transaction with a savepoint per command: a failing
// command changes nothing and is reported ("Befehl: " group/number and its
// text), the others keep their effect. A group without rows does nothing.
void GruppeFuerJahr(TADOModConnection& db, int jahr, int betrieb, int gruppe);
void GruppenFuerJahr(TADOModConnection& db, int jahr, int betrieb, const std::vector<int>& gruppen);
void GruppeFuerDatensatz(TADOModConnection& db, qint64 id, int gruppe);
void GruppenFuerDatensatz(TADOModConnection& db, qint64 id, const std::vector<int>& gruppen);

// The same for the list a window works in: a pending edit is saved first;
// afterwards the list is re-read, returns to the row it was on and, if that
// row was being edited, goes back into editing.
void FuerDatensatz(TADODataSetMod& liste, const std::vector<int>& gruppen);
void FuerJahr(TADODataSetMod& liste, int jahr, int betrieb, const std::vector<int>& gruppen);

}  // namespace Befehle
