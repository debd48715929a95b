#pragma once
// Placing the reporting files all or nothing, also across a kill. The new
// set is written into a hidden folder inside the farm's report folder (one
// disk, so every move is a rename), the old files get a second name there
// (".alt"), and a small journal ("Ablage") names the set, its farm and year,
// the new and the old creation date. The journal's appearance is the point
// of no return: without it a run that stopped leaves nothing but the hidden
// folder, which goes; with it the set is completed (or, when placing failed,
// taken back) by the run itself or by the next start. The user opening the
// report folder sees the old set or the new one, never a mix, and the
// creation date in "DuengeJahr" belongs to the set in place.

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

class TADOModConnection;

namespace Meldeablage {

// What the journal holds.
struct TSatz {
  int betrieb = 0;
  int jahr = 0;
  QDate datum;          // the new creation date
  QVariant altesDatum;  // as stored before (null when there was none)
  QStringList dateien;  // the file names of the set
};

// The hidden folder's name start inside the report folder.
extern const QString Praefix;  // ".Meldepflichten-"

// Keeps the files of the set that stand in the report folder under a second
// name in the hidden folder. False with a German sentence in *fehler; the
// report folder is untouched then.
bool AlteBehalten(const QString& neu, const QString& ziel, const QStringList& dateien, QString* fehler);

// Writes the journal: from now on the set will be placed.
bool Vormerken(const QString& neu, const TSatz& satz, QString* fehler);
// Drops the journal again before anything was placed (the database's date
// could not be saved): the old set stays.
bool Verwerfen(const QString& neu);

enum class TAusgang {
  Platziert,         // the new set and its date are in place
  Zurueckgenommen,   // the old set and the old date stand again
  Offen,             // neither could be finished: the hidden folder and its journal stay for the next start
};
// Moves the set into the report folder, stores the new date and removes the
// hidden folder. When a file cannot take its place, the set is taken back:
// the old files return, the old date is stored again. The reason why the
// set was not placed in *fehler.
TAusgang Platzieren(TADOModConnection& db, const QString& neu, QString* fehler);

// The whole placing of a set into the existing report folder `ziel`: the
// hidden folder is made, the new date stored in a transaction, `schreiben`
// writes every file of satz.dateien into the folder it is given (and may
// read the new date), the old files are kept, the journal written, the
// transaction committed and the set placed. satz.altesDatum is read here.
// Platziert, or Zurueckgenommen when nothing changed (the report folder and
// the date as before), or Offen; *fehler then names the reason with the
// report folder's path, not the hidden one's, except where the hidden folder
// stays (Offen).
using TSchreiber = std::function<bool(const QString& ordner, QString* fehler)>;
TAusgang Ablegen(TADOModConnection& db, const QString& ziel, TSatz satz, const TSchreiber& schreiben, QString* fehler);

// After a kill: finishes or takes back every set found in the report folders
// of the working folder and removes the hidden folders; also the leftovers of
// earlier releases. A German note for the user on what was done; empty when
// there was nothing.
QString Aufraeumen(TADOModConnection& db, const QString& programmOrdner);

}  // namespace Meldeablage
