#pragma once
// The nitrogen list ("Excel-Export" on the page "Stickstoff"): one row per
// crop row of the farm year (no catch crops), its Nmin and demand, with the
// nitrate-area demand and the remaining demand as a formula. Afterwards the
// demands resting on incomplete entries are set to 0.

#include "listenausgabe.h"

#include <QString>

#include <vector>

namespace Stickstoffliste {

struct TZeile {
  int parzelle = 0;
  double schlagNr = 0;
  QString schlagName;
  double groesse = 0;
  bool nitratgebiet = false;  // the field's BewirtschaftungsAuflagen = 2
  QString kultur;
  double tatsErtrag = 0;
  bool gruenland = false;  // the crop row's KulturGruppe = 2: no Nmin
  double nmin0_30 = 0, nmin30_60 = 0, nmin60_90 = 0, nmin = 0;
  double duengebedarf = 0;  // an empty demand counts 0
};

// The crop rows with FruchtNr >= 1 of the farm year, by parcel and FruchtNr.
std::vector<TZeile> Zeilen(TADOModConnection& db, int betrieb, int jahr);
TMappe Mappe(const Listenausgabe::TKopf& kopf, const std::vector<TZeile>& zeilen);

// The demands of invalid crop rows become 0; each such row is saved with the
// save actions of a crop row (its corrections and its rules), a row whose
// save fails is left and the pass goes on. Returns the rows set to 0.
std::vector<qint64> Gueltigkeitspass(TADOModConnection& db, int betrieb, int jahr);

// The whole export: the save dialog in the folder, the year's nitrogen
// rules, the list, the validity pass and the completion message. Nothing
// while the year has no field; a cancelled dialog changes nothing.
Listenausgabe::TErgebnis Exportieren(TADOModConnection& db, TMeldungen& meldungen, int betrieb, int jahr,
                                     const QString& ordner);

}  // namespace Stickstoffliste
