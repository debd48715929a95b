#pragma once
// The fertiliser years without their widgets: new rows and their dates,
// the calculated grassland values, the yield copy on selection, carrying
// the balance history into an appended year, copying the fields with their
// previous crops, the yield reset and the begin of the fertiliser year.

#include <QDate>
#include <QString>

#include <optional>

class TADODataSetMod;
class TADOModConnection;
class TMeldungen;

namespace Duengejahre {

extern const QString LoeschenFrage;           // "Jahr wirklich löschen?"
extern const QString SchlaegeFrage;           // "Schläge aus Vorjahr mit übernehmen?"
extern const QString Flaeche170Meldung;       // the 170-kg area above the farm size

// Begin and end of year `jahr` for a farm whose year begins `offset` days after 1 January.
QDate Beginn(int jahr, int offset);
QDate Ende(int jahr, int offset);
// Stored text of a date column.
QString DatumSpalte(const QDate& datum);

struct TGrundfutter {
  double zuschlag, verhaeltnis, zuschlagProzent;
};
// From grassland and arable forage area; a share of 0 when both are 0.
TGrundfutter Grundfutter(double gruenland, double ackerfutter);
// Adds "GFZuschlag", "GFVerhaeltnis" and "GFZuschlagProzent" to the year list (before it opens).
void BerechneteFelder(TADODataSetMod& jahre);

// Rules of the year list: a new row's farm and animal choice, the farm size
// and the 170-kg check before every save.
void NeueZeile(TADODataSetMod& jahre, qint64 betrieb);
bool VorDemSpeichern(TADODataSetMod& jahre, TMeldungen& meldungen);
// Whether an area of the selected year is still to be entered.
bool FlaechenFehlen(const TADODataSetMod& jahre);

// The farm's recorded yields of the year become the working yields (2018 to 2030).
void ErtraegeUebernehmen(TADOModConnection& db, qint64 betrieb, int jahr);

int Offset(TADOModConnection& db, qint64 betrieb);
// Latest year of the farm; 0 without years.
int LetztesJahr(TADOModConnection& db, qint64 betrieb);
int Anzahl(TADOModConnection& db, qint64 betrieb);
// Appends year `jahr` to the list with the farm's dates and saves it.
bool Anlegen(TADODataSetMod& jahre, TADOModConnection& db, qint64 betrieb, int jahr);
// The balance history of year `jahr` - 1 moves one year on into `jahr`.
void BilanzUebertragen(TADOModConnection& db, qint64 betrieb, int jahr);
// The fields of year `vonJahr` into the next year, with their main crop as previous crop.
bool SchlaegeKopieren(TADOModConnection& db, TMeldungen& meldungen, qint64 betrieb, int vonJahr);
bool ErtraegeNullsetzen(TADOModConnection& db, TMeldungen& meldungen, qint64 betrieb);

// "Beginn Düngejahr": asks until the date lies in year - 1 or year; the offset
// in days from 1 January. Closing the input box ends the asking: nothing.
std::optional<int> BeginnErfragen(TMeldungen& meldungen, int jahr);
// Stores the offset and sets the dates of every year of the farm.
void OffsetSetzen(TADOModConnection& db, qint64 betrieb, int offset);

}  // namespace Duengejahre
