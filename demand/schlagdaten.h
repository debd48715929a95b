#pragma once
// The fields of a farm year as the demand window edits them: the list, the
// defaults of a new field, what a field needs before its demand can be
// calculated, the checks of a parcel number, the corrections made before a
// field is saved, and the search over the list. Free of widgets.

#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <optional>

class TADODataSetMod;
class TADOModConnection;

namespace Schlagdaten {

// The fields of the farm year ordered by parcel, with the computed column
// NitratgebietText ("Ja"/"Nein").
void ListeDesJahres(TADODataSetMod& liste, int betrieb, int jahr);

// The values of a field that decide whether its mandatory inputs are there.
// Empty inputs count as 0 (an empty field block as empty text).
struct TSchlagWerte {
  bool keineDuengung = false;
  QString feldblock;
  double parzelle = 0;
  double groesse = 0;
  double bewirtschaftungsAuflagen = 0;
  double phosphatgebiet = 0;
  double nutzungsForm = 0;
  double bkr = 0;
  double az = 0;
  double bg = 0;
  double steingehaltKrume = 0;
  double durchwurzelungstiefe = 0;
  double glBodenart = 0;  // asked for grassland (NutzungsForm 2) only
};
// The captions of the mandatory inputs the field lacks, in the order of the
// field page: a blank field block, any other mandatory value 0 or, on
// grassland, no soil class. None for a field "without fertilisation".
QStringList Fehlend(const TSchlagWerte& w);
// Whether the field lacks a mandatory input.
bool Unvollstaendig(const TSchlagWerte& w);
// "Es fehlt: …" or "Es fehlen: …" for the captions; empty when none.
QString FehlendText(const QStringList& fehlend);
// The values of a row of a field list.
TSchlagWerte Werte(const TADODataSetMod& liste, int zeile);
// The values of the stored field; none when there is no such field.
std::optional<TSchlagWerte> Werte(TADOModConnection& db, int betrieb, int jahr, int parzelle);

// Fills a new field: farm, year, the federal state of the fertiliser year,
// the farm's soil-climate region (when it is one) and the fixed defaults (field block
// "DEVLLI", rooting depth 90, no nitrate or phosphate area, arable land).
void Vorgaben(TADOModConnection& db, TADODataSetMod& schlag, int betrieb, int jahr);

// Before a field is saved: soil group 6 always has more than 4 % humus, a
// missing soil-climate region becomes the farm's (when it is one), and the P content class
// follows method, region and content.
void VorDemSpeichern(TADOModConnection& db, TADODataSetMod& schlag, int betrieb);

// Whether the farm year already has a field with this parcel number; the
// field with the ID ausser (a field being changed) does not count.
bool ParzelleVergeben(TADOModConnection& db, int betrieb, int jahr, int parzelle, qint64 ausser = 0);

// Whether a field may be saved under its parcel number: it needs one (null
// and 0 count as none), and no other field of the farm year may have it.
enum class TParzelle { Gueltig, Fehlt, Vergeben };
TParzelle ParzellePruefen(TADOModConnection& db, int betrieb, int jahr, const QVariant& parzelle, const QVariant& schlagId);
// The message for a parcel number that stops the save; empty for a valid one.
QString ParzellenMeldung(TParzelle p);
// Whether the farm has any fertiliser year; fields need one.
bool DuengejahrVorhanden(TADOModConnection& db, int betrieb);
// Deletes the field (its crop rows go with it); false and a message on failure.
bool Loeschen(TADOModConnection& db, const QVariant& schlagId);
// The farm's name for the window title; empty when unknown.
QString Betriebsname(TADOModConnection& db, int betrieb);

// The row a search text finds, -1 when none: a text starting with a digit
// is a field number (SchlagNr, exact); any other text is looked for in the
// field names, then in the crops, each first exactly, then ignoring case,
// then as the start ignoring case.
int Suchen(const TADODataSetMod& liste, const QString& text);

}  // namespace Schlagdaten
