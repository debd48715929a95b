#pragma once
// Application records (table Dung): the loads per ha of a record, what a
// record must hold before it is saved, the master values it takes from the
// farm's master tables, and the database steps of the recording window (the
// crop row a new record attaches to, copies onto another field, deleting).
// Free of widgets: the window only collects input and shows the verdicts.

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <utility>
#include <vector>

class TADODataSetMod;
class TADOModConnection;

namespace Aufzeichnung {

// Dung.Kategorie.
enum TKategorie : int { Mineral = 1, Organisch = 2, Leguminosen = 3, Weide = 4, Stoffe = 5 };

// The name the record list shows; empty for an unknown category.
QString KategorieName(int kategorie);

// Column values to write into a record, by column name.
using TSpalten = std::vector<std::pair<QString, QVariant>>;

// What the checks and the loads of a record read. Empty numbers count 0.
struct TWerte {
  int betrieb = 0;
  int jahr = 0;  // the year of the crop row the record is booked to
  int parzelle = 0;
  qint64 probenId = 0;
  int kategorie = 0;
  QDate datum;  // invalid when empty
  qint64 dngNummer = 0;
  double menge = 0;
  double nt = 0;
  double nh4n = 0;
  double p = 0;
  double weideTiere = 0;
  int weideTage = 0;
  int legumPauschal = -1;  // IsLegumPauschal; -1 when empty
  double leguminosenanteil = 0;
  double nBindungHa = 0;
  double nBindungHaGr10P = 0;
  double nBindungDtFM = 0;
  double nBindungDtFMGr10P = 0;
};

// The values of the list's current row.
TWerte AusListe(const TADODataSetMod& liste);

// --- loads -------------------------------------------------------------------

struct TLasten {
  double nges = 0;   // kg N/ha
  double nverf = 0;  // kg available N/ha
  double pges = 0;   // kg P/ha
};

// The loads of a record on a field of this size (ha). Grazing spreads the
// animals' yearly N and P over the field: 0 when the size is 0 or less.
TLasten Lasten(const TWerte& w, double schlaggroesse);

// Whether a legume record takes the values for a share above 10 %: the share
// is high by Leguminosen::HoherAnteil, and the record is no legume catch crop
// (crop numbers below 20).
bool HoherLegumAnteil(double leguminosenanteil, qint64 dngNummer);

// --- checks before saving ------------------------------------------------------

// The message for a date outside the span of fertiliser year J (after 2021:
// no later year; up to 2021: J - 3 to J); empty when the date is fine or
// empty (a missing date is named by Fehlend()).
QString DatumFehler(int duengejahr, const QDate& datum);

// The captions of the inputs the record lacks, in the order of its panel;
// empty when it is complete. Mineral, organic and other-substance records
// need date, amount and item; grazing records animal group, animals, days
// and the end date; legume records "Angabe in" and, per dt, the amount.
QStringList Fehlend(const TWerte& w);
// "Die Aufzeichnung ist unvollständig ... Bitte noch angeben: …".
QString FehlendText(const QStringList& fehlend);

// --- master values -----------------------------------------------------------

struct TStammwerte {
  bool gefunden = false;  // the farm's master table has the item
  QString fehler;         // the read failed: a German text for the user
  TSpalten werte;         // columns of the record and their values
};

// What a record of the category takes from item `nummer` of the farm's master
// table: name, group, contents, type-and-procedure number, creditable N and
// origin. Legume records take nothing.
TStammwerte Stammwerte(TADOModConnection& db, int betrieb, int kategorie, qint64 nummer);

// Verdict before a record is written.
struct TSpeicherung {
  QString meldung;   // why it is not saved; empty when it may be
  QString hinweis;   // shown, but the record is saved
  TSpalten werte;    // master values, the crop's autumn flag and the loads to write
};

// Checks the record (inputs, date in the span of fertiliser year J, crop row
// of its farm, year and field) and works out the columns saving fills: the
// master values of its item, KannHerbstDuengung of its crop row and the loads
// on a field of this size. An item no longer in the master table keeps the
// values the record has, with a hint.
TSpeicherung VorDemSpeichern(TADOModConnection& db, const TWerte& w, int duengejahr, double schlaggroesse);

// --- database steps ------------------------------------------------------------

// The window caption: "Düngungsaufzeichnung:  " farm name " / " year.
QString Fenstertitel(TADOModConnection& db, int betrieb, int jahr);

// Whether the crop row exists for the record's farm, year and field.
bool KulturPasst(TADOModConnection& db, int betrieb, int jahr, int parzelle, qint64 probenId);

// The crop row new records of the field attach to: the field's Kultur_ID when
// it names a crop row of the field-year, else the field-year's last crop row.
// 0 when the field-year has no crop row with a main-crop number.
qint64 Zielkultur(TADOModConnection& db, int betrieb, int jahr, int parzelle);

// The items the farm's preselection offers for records of the category, as
// the list boxes show them: columns Nummer and Name, names in German order;
// :B is the farm. Mineral, organic and grazing: rows with Auswahl set; other
// substances: every row.
QString AuswahlAbfrage(int kategorie);
// Whether the farm's preselection offers anything for records of the
// category (mineral, organic and grazing: Auswahl set; other substances: any row).
bool AuswahlVorhanden(TADOModConnection& db, int betrieb, int kategorie);
// The question when it offers nothing.
QString KeineAuswahlFrage(int kategorie);

// Deletes the record; false when the database refused.
bool Loeschen(TADOModConnection& db, qint64 id);

// The field a copy goes to: its year, parcel, size and the crop row copies attach to.
struct TZiel {
  int betrieb = 0;
  int jahr = 0;
  int parzelle = 0;
  qint64 kultur = 0;
  double groesse = 0;
};

struct TKopie {
  int anzahl = 0;   // records added
  QString meldung;  // why nothing was copied; empty when all went well
};

// "Einzeldünger setzen": a copy of the record. "alle Dünger setzen": copies
// of every mineral, organic and other-substance record of the crop row.
// "Weidehaltung setzen": a copy of the grazing record with the loads of the
// target field's size. A copy keeps farm and year and takes the target's
// parcel and crop row; a record booked to another year than the target's
// crop cannot be copied and nothing is added.
TKopie EinzelnKopieren(TADOModConnection& db, qint64 dungId, const TZiel& ziel);
TKopie AlleKopieren(TADOModConnection& db, qint64 probenId, const TZiel& ziel);
TKopie WeideKopieren(TADOModConnection& db, qint64 dungId, const TZiel& ziel);

}  // namespace Aufzeichnung
