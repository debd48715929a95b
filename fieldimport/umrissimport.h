#pragma once
// The field outlines in the import: read from the shape file beside the
// parcel table, one per parcel (sub-areas 2 and higher left out as their
// rows are), kept with the field when "Schläge anlegen" creates it, and
// replacing a stored outline only when the user agrees.

#include "umriss.h"

#include <QString>

#include <map>
#include <vector>

class TADOModConnection;

namespace Schlagimport {

struct TUmrisse {
  std::map<int, Karte::TUmriss> jeParzelle;
  QString koordinatensystem;  // the .prj text
};

// Reads the outlines beside the parcel table `dbf` into `u` (emptied
// first). Returns the lines for the import's message: how many were read
// and in which coordinate system, which records were skipped and why, or
// that the outlines could not be read; each line begins with CR LF.
QString UmrisseLesen(const QString& dbf, TUmrisse& u);

// The question before stored outlines of existing fields are replaced.
QString UmrissFrage(const std::vector<int>& parzellen);

// Of the parcels the farm year already has, those whose imported outline
// is missing from the store or differs from it.
std::vector<int> GeaenderteUmrisse(TADOModConnection& db, int betrieb, int jahr, const TUmrisse& u);

// Stores the imported outlines of these parcels; false on failure.
bool UmrisseSpeichern(TADOModConnection& db, int betrieb, int jahr, const TUmrisse& u, const std::vector<int>& parzellen);

}  // namespace Schlagimport
