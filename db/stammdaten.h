#pragma once
// The master data: loading the shipped content into the template farm and
// the shared tables, and completing and aligning every farm's own copy.

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class TADOModConnection;
struct TTsv;

namespace Stammdaten {

// A value or row of shipped content that did not get into the database.
struct TLadeProblem {
  QString tabelle;
  int zeile = 0;     // line in the data file (header = 1)
  QString spalte;    // empty: the whole row was skipped
  QString text;
};

struct TLadeBericht {
  int gelesen = 0;
  int geladen = 0;
  // False when a table's rows could not be saved: then none of its rows
  // stays, a problem says why, and the load stops there.
  bool gespeichert = true;
  std::vector<TLadeProblem> probleme;
  void Anhaengen(const TLadeBericht& b);
};

// Appends every row of the data to the table: same-named columns only, the
// table's counter numbers the rows, an empty cell is null. A value that does
// not fit its column stays at the column's default; a row that cannot be
// saved is skipped. Both are reported. The rows are saved together; if that
// fails, none is loaded (gespeichert false).
TLadeBericht AlleUpdate(TADOModConnection& db, const QString& tabelle, const TTsv& daten,
                        const std::function<bool(const TTsv&, const QStringList&)>& aufnehmen = {});

// The shipped data file of a table (":/stammdaten/<Tabelle>.tsv").
QString Datei(const QString& tabelle);

// The shared lookup tables with their fixed rows, and the empty catch-crop
// table whose counter starts the shipped catch crops at 6. Drops and
// recreates them, silently.
void GemeinsameTabellenNeuAnlegen(TADOModConnection& db);

// Replaces the template farm's rows and the shared master tables by the
// shipped content; stops at the first table that could not be saved.
TLadeBericht VorlageAktualisieren(TADOModConnection& db);

// Inserts the template crops the farm lacks (not chosen, with the template's yields).
bool KulturenErgaenzen(TADOModConnection& db, int betrieb);
// Completes the farm's copies from the template and aligns every farm's
// copies with it. Each statement runs on its own; a failure is shown and
// the next one runs.
void StammdatenAbgleich(TADOModConnection& db, int betrieb);

}  // namespace Stammdaten
