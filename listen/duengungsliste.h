#pragma once
// The list of applications ("Excel-Export" on the page
// "Aufzeichnungspflicht"): every application record of the farm that counts
// for the fertiliser year, with its amount per ha and the nutrients per ha.

#include "listenausgabe.h"

#include <QDate>
#include <QString>

#include <optional>
#include <vector>

namespace Duengungsliste {

struct TZeile {
  double schlagNr = 0;
  QString schlagName;
  double groesse = 0;
  bool nitratgebiet = false;
  QString kultur;  // the crop row's year, a blank and its crop
  QDate datum;
  QString kategorie;
  QString dng;
  std::optional<double> menge;  // t (or m³) per ha; mineral and legume dt/ha become t/ha
  std::optional<double> weideTage, weideTiere;
  double nHa = 0, nh4nHa = 0, pHa = 0, p2o5Ha = 0;
};

// The evaluated records of the fertiliser year in the order of the record
// sheets (field name, date, category, group). *ok false when they cannot be read.
std::vector<TZeile> Zeilen(TADOModConnection& db, int betrieb, int jahr, bool* ok = nullptr);
TMappe Mappe(const Listenausgabe::TKopf& kopf, const std::vector<TZeile>& zeilen);

// The whole export: the save dialog in the folder, the list and the
// completion message. Nothing while the year has no field; a cancelled
// dialog writes nothing.
Listenausgabe::TErgebnis Exportieren(TADOModConnection& db, TMeldungen& meldungen, int betrieb, int jahr,
                                     const QString& ordner);

}  // namespace Duengungsliste
