#pragma once
// The phosphate list ("Excel-Export" on the page "Phosphor"): one row per
// field of the farm year with its soil analysis and phosphate demand, the
// remaining demand as a formula. Results resting on an invalid analysis are
// left out, and afterwards set to 0 in the fields.

#include "listenausgabe.h"

#include <QDate>
#include <QString>

#include <optional>
#include <vector>

namespace Phosphorliste {

struct TZeile {
  double schlagNr = 0;
  QString schlagName;
  double groesse = 0;
  QString nutzung;     // land use text
  bool nitratgebiet = false;
  QString zeitraum;    // "2022-2024"
  QString kultur;      // of the field's last crop row of the year
  double tatsErtrag = 0;
  QDate analyseDatum;  // invalid when none
  double p2o5Gehalt = 0;
  QString gehaltsklasse;
  // Written only when the result stands and is not negative.
  std::optional<double> pBedarf, p2o5Bedarf, pBedarfFachlich;
};

// "Ackerland", "Grünland", "Brache" for NutzungsForm 1, 2, 4; else empty.
QString Nutzung(int nutzungsForm);
// The period of the demand: the year to the year + P_Jahre - 1 (at least one year).
QString Zeitraum(int jahr, int pJahre);

// The fields of the farm year, by parcel.
std::vector<TZeile> Zeilen(TADOModConnection& db, int betrieb, int jahr);
TMappe Mappe(const Listenausgabe::TKopf& kopf, const std::vector<TZeile>& zeilen);

// The whole export: the save dialog in the folder, the list, the validity
// pass and the completion message. Nothing while the year has no field; a
// cancelled dialog changes nothing.
Listenausgabe::TErgebnis Exportieren(TADOModConnection& db, TMeldungen& meldungen, int betrieb, int jahr,
                                     const QString& ordner);

}  // namespace Phosphorliste
