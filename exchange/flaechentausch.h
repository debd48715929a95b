#pragma once
// Moving a field of one fertiliser year from the farm that gives it up to
// the farm selected in the main window. Nothing is copied: the field row
// takes the new farm and parcel number, and the cascading keys carry its
// crop rows and their application records along.

#include <QString>
#include <QStringList>

class TADODataSetMod;
class TADOModConnection;
class TMeldungen;

namespace Flaechentausch {

extern const QString Frage;             // "Fläche wirklich umsetzen?"
extern const QString ParzellenFrage;    // "Welche Parzellennummer soll die Fläche neu erhalten?"
extern const QString ParzelleVergeben;  // "Diese Parzellennummer ist schon vergeben, bitte eine andere wählen. "
extern const QString NichtUmgesetzt;    // "Fläche konnte nicht umgesetzt werden, möglicherweise im Zielbetrieb ..."

// The farms that can give a field: neither the template farm nor the taking
// farm. With a column of the list, ordered by it (names in German order);
// a column without an order of its own gives the query unordered.
QString BetriebeAbfrage(qint64 zielBetrieb, const QString& spalte = QString());
// The fields of the giving farm (:BNr) in the year (:J), ordered likewise.
QString SchlaegeAbfrage(const QString& spalte = QString());
// Whether the column orders the list when its title is clicked.
bool BetriebeSortierbar(const QString& spalte);
bool SchlaegeSortierbar(const QString& spalte);

// Moves the farm list to the first farm whose name matches the trimmed text:
// equal, equal ignoring case, beginning with it, containing it. False when
// none matches (the caller beeps); an empty text counts as found.
bool BetriebSuchen(TADODataSetMod& liste, const QString& text);

enum class TSuche {
  Gefunden,
  NichtGefunden,  // the caller beeps
  KeineNummer,    // a field number that is not there, or text that only starts like one: no beep
};
// A text starting with a digit looks for the field number (SchlagNr); "12a"
// is no number and finds nothing. Any other text looks for the field name,
// then for the crop, by the rules of the farm search.
TSuche SchlagSuchen(TADODataSetMod& liste, const QString& text);

// The taking farm has parcel `parzelle` in the year.
bool ParzelleBelegt(TADOModConnection& db, int jahr, qint64 zielBetrieb, int parzelle);

// What the moved rows name of the giving farm's own entries, which the taking
// farm's lists do not hold: crops and previous crops numbered from 999000
// that the taking farm lacks, records of own mineral or organic fertilisers
// (or numbered from 999000) and of other substances. One German line each.
QStringList FremdeEintraege(TADOModConnection& db, qint64 schlagId, qint64 zielBetrieb);
// The warning shown before the move; empty for no entries.
QString FremdeWarnung(const QStringList& eintraege);

// Gives the field (by its ID) to the taking farm under the new parcel
// number, all or nothing. False when the engine refuses (the number is taken
// after all, the farm has no such year, no such field).
bool Umsetzen(TADOModConnection& db, qint64 schlagId, qint64 zielBetrieb, int parzelle);

// "Fläche jetzt umsetzen" with its warning, question, number box and
// messages. schlagId 0: no field selected (the save then finds nothing to
// change). True when the field was moved.
bool FlaecheUmsetzen(TADOModConnection& db, TMeldungen& meldungen, qint64 schlagId, int jahr, qint64 zielBetrieb);

}  // namespace Flaechentausch
