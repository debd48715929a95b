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
// When the group's changes cannot be saved (the commit fails, or the engine
// gives up the transaction on a full disk) none of them stays: that is
// reported once in German and the result is false. Of several groups none
// runs after a failed one.
bool GruppeFuerJahr(TADOModConnection& db, int jahr, int betrieb, int gruppe);
bool GruppenFuerJahr(TADOModConnection& db, int jahr, int betrieb, const std::vector<int>& gruppen);
bool GruppeFuerDatensatz(TADOModConnection& db, qint64 id, int gruppe);
bool GruppenFuerDatensatz(TADOModConnection& db, qint64 id, const std::vector<int>& gruppen);

// The same for the list a window works in: a pending edit is saved first;
// afterwards the list is re-read, returns to the row it was on and, if that
// row was being edited, goes back into editing. False when the edit could
// not be saved or a group failed.
bool FuerDatensatz(TADODataSetMod& liste, const std::vector<int>& gruppen);
bool FuerJahr(TADODataSetMod& liste, int jahr, int betrieb, const std::vector<int>& gruppen);

// The message for a group whose changes could not be saved.
QString Abbruchmeldung(TADOModConnection& db, int gruppe);

}  // namespace Befehle
