#pragma once
// The crop rows of a field as the demand window edits them: the lists, the
// choices of crops and catch crops, what picking a crop, previous crop or
// catch crop copies, the corrections before a crop row is saved (with the
// field's crop summary) and the rule runs after it is saved. Free of widgets.

#include <QString>
#include <QVariant>

#include <utility>
#include <vector>

class TADODataSetMod;
class TADOModConnection;

namespace Kulturdaten {

// A field of a farm year, as the crop rows name it.
struct TSchlagJahr {
  int betrieb = 0;
  int jahr = 0;
  int parzelle = 0;
};

// Column values, or choices (text and value), in their order.
using TWerte = std::vector<std::pair<QString, QVariant>>;

// The crop rows of one field in the year and the following year, ordered by
// year and FruchtNr; the field is set with FuerParzelle (0 until then).
// Computed columns: ErtragText (yield with its unit) and NitratgebietText.
void ListeDesSchlags(TADODataSetMod& liste, int betrieb, int jahr);
void FuerParzelle(TADODataSetMod& liste, const QVariant& parzelle);
// The crop rows (no catch crops) of all fields of the farm year.
void ListeDesJahres(TADODataSetMod& liste, int betrieb, int jahr);

// The farm's chosen crops with a yield level, by name: (Kultur, FA_NR).
TWerte Kulturen(TADOModConnection& db, int betrieb);
// All catch-crop types: (Fruchtart, ID).
TWerte Zwischenfruechte(TADOModConnection& db);

// What picking the main crop copies into its crop row, in this order;
// empty when the farm has no such crop. From 2021 a field in a nitrate area
// takes the crop's mean yield of 2015-2019 (TatsErtragRG). The individual
// yield starts at 0, the demand is cleared.
TWerte Hauptfrucht(TADOModConnection& db, const TSchlagJahr& schlag, const QVariant& faNr);

// A previous crop's name and rounded mean yield; empty and 0 when the farm
// has no such crop.
struct TVorfrucht {
  QString text;
  int ertrag = 0;
};
TVorfrucht Vorfrucht(TADOModConnection& db, int betrieb, const QVariant& faNr);
// The crop's name; null when the farm has no such crop.
QVariant Kulturname(TADOModConnection& db, int betrieb, const QVariant& faNr);
// The last crop row of the field (FruchtNr at least the highest) gives the
// field its previous crop; other rows leave the field alone.
void VorfruchtInSchlag(TADOModConnection& db, const TSchlagJahr& schlag, int fruchtNr, const QVariant& vorfrucht,
                       const TVorfrucht& werte);

// "--Zwischenfrucht-- " and the catch-crop type's name.
QString ZwischenfruchtText(TADOModConnection& db, const QVariant& art);
void ZwischenfruchtInSchlag(TADOModConnection& db, const TSchlagJahr& schlag, const QString& text);
// The field-year's catch-crop row (FruchtNr 0); 0 when it has none.
qint64 ZwischenfruchtZeile(TADOModConnection& db, const TSchlagJahr& schlag);

// Before a crop row is saved: an individual yield of 0 becomes the mean
// yield and is kept within its bounds; the row takes its catch crop (its own
// type for a catch-crop row, the field-year's for the main crop, none for
// later crops) and a later crop the crop before it as previous crop. The
// last crop row of the field (a new one counts as last) writes the field's
// crop summary; a catch crop never becomes the field's crop.
void VorDemSpeichern(TADOModConnection& db, TADODataSetMod& anbau, int betrieb);

// After a crop row is saved: a catch crop gives the field its text; the
// stored rules of group 20 run and the legume record follows; the last row
// becomes the field's crop row; the main crop gives the field its crop,
// previous crop and yield.
void NachDemSpeichern(TADOModConnection& db, const TADODataSetMod& anbau, int betrieb);

}  // namespace Kulturdaten
