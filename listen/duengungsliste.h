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

// The values of a record that decide its nutrients (Dung with the size of
// its field); empty inputs are null.
struct TAufzeichnung {
  int kategorie = 0;
  QVariant menge, nt, nh4n, p, weideTiere, weideTage;
  QVariant isLegumPauschal, leguminosenanteil;
  QVariant nBindungHa, nBindungHaGr10P, nBindungDtFm, nBindungDtFmGr10P;
  QVariant groesse;
};
// kg N/ha, kg NH4-N/ha and kg P on the field of one record.
struct TNaehrstoffe {
  double mengeNha = 0;
  double mengeNH4Nha = 0;
  double pMenge = 0;
};
TNaehrstoffe Naehrstoffe(const TAufzeichnung& a);

// "Min.-D.", "Org.-D.", "Legum.N.", "Weide", "And. Stoffe".
QString Kategorietext(int kategorie);

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

// The records whose year of calculation is the fertiliser year (legume
// records by their crop row's year, the others by their date), ordered by
// field name, date, category and group.
std::vector<TZeile> Zeilen(TADOModConnection& db, int betrieb, int jahr);
TMappe Mappe(const Listenausgabe::TKopf& kopf, const std::vector<TZeile>& zeilen);

// The whole export: the save dialog in the folder, the list and the
// completion message. Nothing while the year has no field; a cancelled
// dialog writes nothing.
Listenausgabe::TErgebnis Exportieren(TADOModConnection& db, TMeldungen& meldungen, int betrieb, int jahr,
                                     const QString& ordner);

}  // namespace Duengungsliste
