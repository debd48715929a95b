#pragma once
// The evaluated application records of a fertiliser year: every record with
// its crop row and that row's field, and the kilograms it brings onto the
// field. The record file and the printed record sheets and lists read the
// same evaluation.

#include <QDate>
#include <QString>
#include <QVariant>

#include <optional>
#include <vector>

class TADOModConnection;

namespace Auswertung {

struct TDungsatz {
  // The record; nullable columns stay QVariant.
  int kategorie = 0;
  QVariant gruppeNr, taVerfNr, dngGrpNummer;
  QVariant isLegumPauschal;
  QString dng;
  QDate datum;  // invalid when empty
  QVariant menge, nt, nh4n, p;
  QVariant weideTiere, weideTage;
  bool istHerbstDuengung = false;
  QVariant herkunftNr;
  // Its crop row.
  int kulturJahr = 0;
  QString kultur;
  QVariant hauptfruchtNummer;
  // The crop row's field; all empty when the field has no row in that year.
  QString feldblock;
  QVariant parzelle;
  QVariant schlagNr;
  QString schlagName;
  QVariant groesse;
  int nitratgebiet = 0;    // BewirtschaftungsAuflagen
  int phosphatgebiet = 0;  // Phosphatgebiet
  bool sonstigeBeschraenkung = false;

  // What the record brings: kg N, available N and P per ha and on the field.
  double mengeN_ha = 0;
  double mengeN = 0;
  double mengeNH4N_ha = 0;
  double mengeNH4N = 0;
  double pMenge = 0;
  double p2o5Menge = 0;

  bool Pauschal() const { return !isLegumPauschal.isNull() && isLegumPauschal.toInt() == 1; }
  // P and P2O5 per ha; 0 when the field has no size.
  double PJeHa() const;
  double P2O5JeHa() const;
  // Menge per ha as the record sheet writes it: mineral fertiliser and
  // legume yields are entered in dt, the sheet writes t.
  double MengeTonnen() const;
};

enum class TReihenfolge {
  // Kategorie, Datum, Parzelle: the record file and the lists of the statement printout.
  NachKategorie,
  // SchlagName, Datum, Kategorie, DngGrpNummer: the record sheets.
  NachSchlag,
};

// The records of the farm whose year is J: legume records by the year of
// their crop row, all others by the year of their date (undated ones count
// for no year). Empty on a failing query (ok false).
std::vector<TDungsatz> Saetze(TADOModConnection& db, int betrieb, int jahr, TReihenfolge reihenfolge,
                              bool* ok = nullptr);

// The short type of a record, as the record file and the lists name it
// ("N-Dünger", "Gülle Rind", "flächenbezogen", …); empty when unknown.
QString Kurzart(const TDungsatz& s);

}  // namespace Auswertung
