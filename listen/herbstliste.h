#pragma once
// The autumn list ("Excel-Export" on the pages "Herbstdüngung" and
// "Herbstdüngung Nitratgebiet"): one row per field the page lists that has a
// result on that page (0 counts, empty does not).

#include "herbstduengung.h"
#include "listenausgabe.h"

#include <QString>

#include <vector>

namespace Herbstliste {

struct TZeile {
  double schlagNr = 0;
  QString schlagName;
  double groesse = 0;
  QString vorfrucht;   // the text of HD_VF
  QString fruchtart;   // the short text of HD_FA
  QString organisch;   // "Ja"/"Nein" of HD_LOD, empty when null
  double ergebnis = 0;
};

// The text of a previous crop (HD_VF) as the page offers it; empty when not above 0.
QString Vorfruchttext(int vorfrucht);
// The short text of the crop (HD_FA) for a field in a nitrate area (year
// after 2020, BewirtschaftungsAuflagen 2) or elsewhere; empty when not above 0.
QString Fruchtarttext(int fruchtart, bool nitratgebiet);
// The page's heading in A5.
QString Titel(Herbstduengung::TSeite seite);

std::vector<TZeile> Zeilen(TADOModConnection& db, int betrieb, int jahr, Herbstduengung::TSeite seite);
TMappe Mappe(const Listenausgabe::TKopf& kopf, Herbstduengung::TSeite seite, const std::vector<TZeile>& zeilen);

// The whole export: the save dialog in the folder, the year's rules of the
// fields, the list and the completion message. Nothing while the year has no
// field; a cancelled dialog changes nothing.
Listenausgabe::TErgebnis Exportieren(TADOModConnection& db, TMeldungen& meldungen, int betrieb, int jahr,
                                     Herbstduengung::TSeite seite, const QString& ordner);

}  // namespace Herbstliste
