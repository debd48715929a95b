#pragma once
// The validity passes that follow the nitrogen and the phosphate spreadsheet
// lists: demands resting on incomplete or outdated entries are set to 0, so
// that later printouts, statements and reports do not use them.

#include <QtGlobal>

#include <vector>

class TADOModConnection;

namespace Gueltigkeit {

// The values of a field's last crop row of the year and of the field that
// decide whether its nitrogen demand stands. Empty inputs count as 0.
struct TStickstoffWerte {
  bool keineDuengung = false;       // field
  int kulturGruppe = 0;             // crop row
  int quelle0_30 = 0;               // crop row
  int quelle60_90 = 0;              // crop row
  double durchwurzelungstiefe = 0;  // field
  double probenahmetiefe = 0;       // crop row
  double tatsErtrag = 0;            // crop row
  double stickstoffbedarfswert = 0; // crop row
};
bool StickstoffUngueltig(const TStickstoffWerte& w);

// The values of a field that decide whether its phosphate result stands.
// Empty inputs count as 0, a missing analysis date as year 0.
struct TPhosphatWerte {
  int methode = 0;
  double p2o5Gehalt = 0;
  double pGehalt = 0;
  int analyseJahr = 0;
  double hfEinzelertrag = 0;
  double pDuengeBedarf = 0;
};
bool PhosphatUngueltig(const TPhosphatWerte& w, int jahr);

// After the nitrogen list: for every field of the farm year its last crop row
// (highest FruchtNr); an invalid one gets Duengebedarf 0. Returns the IDs of
// these crop rows in field order, so that the window owning the crop-row list
// can run the row's save actions for them (they keep the 0). A row whose
// update fails is left as it was and is not returned.
std::vector<qint64> StickstoffPruefen(TADOModConnection& db, int betrieb, int jahr);

// After the phosphate list: every invalid field of the farm year gets
// P_DuengeBedarf and P2O5_DuengeBedarf 0. Returns the IDs of these fields in
// field order, as above.
std::vector<qint64> PhosphatPruefen(TADOModConnection& db, int betrieb, int jahr);

}  // namespace Gueltigkeit
