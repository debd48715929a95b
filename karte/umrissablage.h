#pragma once
// The stored outlines of a farm year's fields (table SchlagUmriss, keyed
// like Schlag and hanging on it: deleting a field or moving it to another
// farm takes its outline along). Never read by the reporting files.

#include "umriss.h"

#include <QString>

#include <map>

class TADOModConnection;

namespace Karte {

struct TGespeichert {
  TUmriss umriss;
  QString koordinatensystem;
};

// Stores or replaces the field's outline; false (LetzterFehler) on failure,
// also when the field does not exist.
bool UmrissSpeichern(TADOModConnection& db, int betrieb, int jahr, int parzelle, const TUmriss& umriss,
                     const QString& koordinatensystem);
bool UmrissVorhanden(TADOModConnection& db, int betrieb, int jahr, int parzelle);
// The outlines of the farm year by parcel; a damaged blob is left out.
std::map<int, TGespeichert> Umrisse(TADOModConnection& db, int betrieb, int jahr);
// Gives the fields that were copied into the next year the outline of
// their field of this year; false on failure.
bool UmrisseInsFolgejahr(TADOModConnection& db, int betrieb, int vonJahr);

}  // namespace Karte
