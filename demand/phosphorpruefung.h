#pragma once
// The phosphate page of the demand window without its widgets: the crop
// choices and what picking or deleting a crop changes on the field, the soil
// contents, what stops "Berechnen" and in which order (the age of the soil
// analysis among it), the reset of a stopped calculation, the messages and
// the captions. The functions that take a field list change its current row;
// the list's own save then stores it.

#include <QDate>
#include <QString>
#include <QVariant>

#include <optional>
#include <utility>
#include <vector>

class TADODataSetMod;
class TADOModConnection;

namespace Phosphorpruefung {

// P2O5 = P x 2.2914.
inline constexpr double P2O5jeP = 2.2914;

// Choices (text and value), in their order.
using TWerte = std::vector<std::pair<QString, QVariant>>;

// --- captions -------------------------------------------------------------------

QString Ueberschrift(bool oekologisch);
// Whether the farm year is farmed organically (DuengeJahr.IsOeko).
bool Oekologisch(TADOModConnection& db, int betrieb, int jahr);
// "dt/ha FM" when the crop number's hundreds digit is 1 or 3, "dt/ha TM"
// for any other crop; empty without a crop (null or not above 0).
QString Ertragseinheit(const QVariant& fruchtNummer);

// --- crops ----------------------------------------------------------------------

// Main, previous and follow crops come from the farm's chosen crops with a
// yield level, without fallow (FRU_ARTGRNR 750); harvested catch crops from
// its chosen whole-plant crops (FRU_ARTGRNR 310 or 740). By name, the German way.
enum class TWahl { Frucht, Zwischenfrucht };
TWerte Kulturen(TADOModConnection& db, int betrieb, TWahl wahl);

// What a choice takes from the farm's copy of a crop.
struct TKultur {
  QString name;
  double tatsErtrag = 0;
  double tatsErtragRG = 0;  // mean yield 2015-2019, for nitrate areas from 2021
  double ertragsniveau = 0;
};
// None when the farm has no such crop.
std::optional<TKultur> Kultur(TADOModConnection& db, int betrieb, const QVariant& faNr);

// The main crop: its name, and as yield its mean yield, from 2021 in a
// nitrate area the one of 2015-2019.
void HauptfruchtGewaehlt(TADODataSetMod& schlag, const QVariant& faNr, const TKultur& k);
// A yield typed for the main crop belongs to the field's main crop: the
// field's main-crop name follows it, so that the rules keep the yield.
void HauptfruchtErtragGetippt(TADOModConnection& db, TADODataSetMod& schlag, int betrieb);
// The previous crop: its name and its mean yield as a whole number.
void VorfruchtGewaehlt(TADODataSetMod& schlag, const QVariant& faNr, const TKultur& k);

// Arable land and vegetables (hundreds digit 1 or 3) against grassland (2);
// crops of other numbers, or none, change nothing.
bool Nutzungswechsel(qint64 hauptfrucht, qint64 folgefrucht);
enum class TFolgefrucht {
  Uebernommen,
  OhneErtrag,       // no mean yield but a yield level: the choice wants another look
  Nutzungswechsel,  // said; the first follow crop takes the second with it, the second goes alone
};
// Follow crop 1 or 2: its name, mean yield (whole number) and yield level;
// across a change of land use from the main crop it is deleted instead.
TFolgefrucht FolgefruchtGewaehlt(TADODataSetMod& schlag, int nr, const QVariant& faNr, const TKultur& k);
// Deleting follow crop 1 deletes follow crop 2 and the catch crop of the
// first follow year; deleting follow crop 2 the catch crop of the second.
// The crop number becomes null (no follow crop chosen), its values 0.
void FolgefruchtLoeschen(TADODataSetMod& schlag, int nr);
// Catch crop 0 (year of harvest), 1 or 2 (follow years): number and name.
void ZwischenfruchtGewaehlt(TADODataSetMod& schlag, int jahr, const QVariant& faNr, const TKultur& k);
void ZwischenfruchtLoeschen(TADODataSetMod& schlag, int jahr);

// --- soil contents and method ---------------------------------------------------

// One content was entered: the other follows (P2O5 = P x 2.2914), and the class.
void GehaltEingegeben(TADODataSetMod& schlag, bool p2o5Eingegeben);
// Sets the content class that method, region and content give; true when it changed.
bool KlasseAbleiten(TADODataSetMod& schlag);
// EUF (method 3) is not calculated: results 0 and no class.
inline constexpr int Euf = 3;
void ErgebnisseLeeren(TADODataSetMod& schlag);
// The same on the stored field, past the field list's save (which would
// derive the class again); false on failure.
bool Zuruecksetzen(TADOModConnection& db, qint64 schlagId);

// "Datum/ Methode merken" and "setzen": calculation date, analysis date, method.
struct TDatumMethode {
  QVariant berechnungsDatum;
  QVariant analyseDatum;
  QVariant methode;
};
TDatumMethode Merken(const TADODataSetMod& schlag);
void Setzen(TADODataSetMod& schlag, const TDatumMethode& werte);

// --- "Berechnen" ----------------------------------------------------------------

// The age of the soil analysis (a its year, J the field's year): before
// J - 6, or in J - 6 on an earlier day of the year than the calculation date,
// it is too old; in J - 6, or in J - 5 with a follow crop, or in J - 4 with a
// first follow crop, it runs out within the period and the user is told.
// A follow crop counts while its number is not null: an untouched field holds
// 0 there, a deleted follow crop null.
enum class TAlter { Gueltig, Ablaufhinweis, ZuAlt };
TAlter Analysealter(const QDate& analyse, const QDate& berechnung, int jahr, bool folgefrucht1, bool folgefrucht2);

// What stops "Berechnen" after the field, its crop rows and the page's
// mandatory inputs were found complete, in the order it is checked.
enum class THindernis {
  Keines,
  KeineDuengung,             // said, reset
  Euf,                       // said, reset
  OhneMethode,               // said, reset
  AnalyseZuAlt,              // said, follow crops deleted, reset
  FeldblockFehlt,            // said, the field page
  ParzelleFehlt,             // said
  DatumFehlt,                // asked whether to take today
  GehaltZuKlein,             // from here: said, reset, focus on the input
  VorfruchtFehlt,
  HauptfruchtFehlt,
  ErtragFehlt,
  Folgefrucht1ErtragFehlt,
  Folgefrucht2ErtragFehlt,
  ZwischenfruchtErtragFehlt,
};
// Whether the stop empties the results.
bool SetztZurueck(THindernis h);

// The values that decide it. Empty numbers count as 0.
struct TBerechnenWerte {
  int jahr = 0;
  bool keineDuengung = false;
  int methode = 0;
  QDate analyseDatum;
  QDate berechnungsDatum;
  QString feldblock;
  int parzelle = 0;
  double pGehalt = 0;
  qint64 vorfrucht = 0;
  qint64 hauptfrucht = 0;
  double hfErtrag = 0;
  QVariant folgefrucht1;  // null when none was ever chosen or it was deleted
  QVariant folgefrucht2;
  double ff1Ertrag = 0;
  double ff2Ertrag = 0;
  qint64 zwischenfrucht[3] = {};
  double zfErtrag[3] = {};
};
TBerechnenWerte Werte(const TADODataSetMod& schlag);

struct TPruefung {
  THindernis hindernis = THindernis::Keines;
  bool ablaufhinweis = false;   // said first, when the age check was passed
  bool datumAusserhalb = false;  // the calculation date lies outside the year: said, the run goes on
  int zwischenfrucht = -1;      // the catch crop without yield (0 to 2)
};
TPruefung VorDemBerechnen(const TBerechnenWerte& w);
// The message of a stop; the question for DatumFehlt.
QString Meldung(THindernis h);

// The crop rows of the field-year, as "Berechnen" needs them: whether there
// is one, and the first that lacks its crop or its individual yield (0 when none).
struct TKulturzeilen {
  bool vorhanden = false;
  qint64 unvollstaendig = 0;
};
TKulturzeilen Kulturzeilen(TADOModConnection& db, int betrieb, int jahr, int parzelle);

// High content (CAL above 20, DL above 25 mg P2O5/100 g): the ordinance allows
// no more than the removal.
bool HoherGehalt(int methode, double p2o5Gehalt);
// The warning after a run: the demand (whole kg P/ha) per crop of the period
// above 150; empty otherwise.
QString Bereichswarnung(int pDuengeBedarf, int kulturen);
// The warning when the calculation date lies outside the field's year; empty otherwise.
QString Datumswarnung(const QVariant& datum, int jahr);

inline const QString ErtragFehltMeldung = QStringLiteral("Bitte gültigen Ertrag angeben");
inline const QString KulturFehltMeldung = QStringLiteral("Bitte Kultur anlegen");
inline const QString AblaufMeldung =
    QStringLiteral("Bitte beachten Sie das Ablaufdatum der P-Bodenprobe (maximale Gültigkeit 6 Jahre).");
inline const QString DatumAusserhalbMeldung =
    QStringLiteral("Achtung! Berechnungsdatum liegt nicht im ausgewählten Jahr");
inline const QString NutzungswechselMeldung =
    QStringLiteral("P-Bedarfsberechnung nicht über Nutzungsartwechsel hinaus möglich, eventuell ausgewählte "
                   "Folgekulturen wurden gelöscht.");
inline const QString HoherGehaltMeldung = QStringLiteral(
    "Der eingegebene Phosphatgehalt überschreitet den nach § 3 Abs. 6 DüV festgelegten Grenzwert. Daher kann nur bis "
    "in Höhe der Phosphatabfuhr für einen Zeitraum von maximal 3 Jahren gedüngt werden.");

}  // namespace Phosphorpruefung
