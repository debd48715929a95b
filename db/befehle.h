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

// The groups of a call run in one transaction. A failing command changes
// nothing and is reported ("Befehl: " group/number and its text), the others
// keep their effect. A group without rows does nothing. When the changes
// cannot be saved (the commit fails, or the engine gives up the transaction
// on a full disk) none of the call's changes stays: that is reported once in
// German, naming the groups, and the result is false; no group runs after
// the one that met the failure.
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

// The message for groups whose changes could not be saved.
QString Abbruchmeldung(TADOModConnection& db, const std::vector<int>& gruppen);

}  // namespace Befehle
