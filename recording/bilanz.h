#pragma once
// The yearly nutrient statements of a farm: whole farm and nitrate area.
// Computed afresh from the application records and the demand values of the
// fields and crop rows; nothing is stored.

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

class TADOModConnection;

// kg P2O5 per kg P.
inline constexpr double P2O5JeP = 2.2914;

// One statement. Every value is kg on the whole area unless its name ends in
// "_ha" (kg/ha) or is FlaecheRotesGebiet (ha). An empty value is a sum over no
// rows; pages and files write it as 0.
struct TBilanz {
  using TWert = std::optional<double>;

  TWert NMinDung;                  // category 1
  TWert NTierDung;                 // category 2, TaVerfNr 1..12
  TWert NVerfN;                    // available N of NTierDung; also named NVerfNTier
  TWert NWeide;                    // category 4
  TWert NSonstDung;                // category 2, TaVerfNr 13..26
  TWert NVerfSonstDung;
  TWert NPflanzenHilf;             // category 5, TaVerfNr 1
  TWert NKulturSubstrat;           // category 5, TaVerfNr 2
  TWert NBodenHilf;                // category 5, TaVerfNr 3
  TWert NAbfall;                   // category 5, TaVerfNr 4
  TWert NPflanzenHilfVerf;
  TWert NKulturSubstratVerf;
  TWert NBodenHilfVerf;
  TWert NAbfallVerf;
  TWert NLegum;                    // category 3
  TWert NSummeOhneLegumWeide;      // categories 1, 2, 5
  TWert NSummeOhneLegumWeideVerf;  // also named NSumme_Verf
  TWert NSumme;                    // all categories
  TWert NSummeVerf;                // available N of all records
  TWert NSumme_ha;                 // whole farm: organic N and grazing per ha (170 kg limit)
  TWert NSumme_haVerf;             // whole farm only
  TWert PMinDung, PTierDung, PWeide, PSonstDung, PPflanzenHilf, PKulturSubstrat, PBodenHilf, PAbfall;
  TWert PSummeOhneWeide;
  TWert PSumme;
  TWert NBedarf;
  TWert NBedarfHD;                 // autumn part of NBedarf
  TWert NBedarfRot;                // nitrate area: crop demand less 20 % plus autumn demand
  TWert PBedarf;
  TWert P2O5Bedarf;
  TWert NMinDungRG;                // on nitrate-area fields, in both statements
  TWert NSummeRGOhneLWT;
  TWert FlaecheRotesGebiet;
  TWert NMinDungRG_ha;
  TWert NSummeRGOhneLWT_ha;

  // The value by the name the pages, printouts and export files use. An
  // unknown name is a programming error and stops the program.
  TWert Wert(QStringView name) const;
  // The same with empty as 0, as the pages and files write it.
  double Zahl(QStringView name) const { return Wert(name).value_or(0.0); }
  // Every name Wert() knows, aliases included.
  static QStringList Namen();
};

namespace Bilanz {

// Shown when the farm areas are missing; no statement is computed then.
inline const QString FlaechenFehlen = QStringLiteral("Bitte Betriebsflächen vollständig eingeben");

// Whether Betriebsgroesse and Flaeche170kg of the fertiliser year, each rounded
// to a whole number (halves to even), are above 0. Only then may a statement
// page be filled.
bool BetriebsflaechenVollstaendig(TADOModConnection& db, int betriebsNr, int jahr);

// Shown when the statement's query fails; the engine's own text is not for the user.
inline const QString Rechenfehler = QStringLiteral(
    "Die Bilanz konnte nicht berechnet werden, weil die Daten des Betriebsjahres nicht gelesen werden konnten. "
    "Bitte die Datenbank prüfen (Programm neu starten) und es erneut versuchen.");

// The statement of farm and year: empty when the farm has no crop row in the
// year. A failing query shows Rechenfehler and gives empty as well.
std::optional<TBilanz> Gesamtbetrieb(TADOModConnection& db, int betriebsNr, int jahr);
std::optional<TBilanz> Nitratgebiet(TADOModConnection& db, int betriebsNr, int jahr);

// The N from organic sources and grazing per ha of Flaeche170kg, held against
// the 170 kg N limit (NSumme_ha of the whole-farm statement).
std::optional<double> NSummeJeHa(TADOModConnection& db, int betriebsNr, int jahr);

// Records of the year a statement leaves out, or counts with 0 kg, by reason.
struct TAuslassungen {
  int ohneDatum = 0;    // booked to a crop of the year, but without a date
  int ohneSchlag = 0;   // dated in the year, but no field row in the year of their crop
  int ohneGroesse = 0;  // on a field without a size: counted with 0 kg
  bool Keine() const { return ohneDatum == 0 && ohneSchlag == 0 && ohneGroesse == 0; }
};
// For the nitrate-area statement the records on nitrate-area fields; records
// without a field row count for both statements.
TAuslassungen Ausgelassen(TADOModConnection& db, int betriebsNr, int jahr, bool nitratgebiet);
// The line the statement pages show below their table; empty when none.
QString AuslassungenText(const TAuslassungen& a);

}  // namespace Bilanz
