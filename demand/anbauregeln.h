#pragma once
// What the demand window does to fields and crop rows beyond the stored rules:
// field split, crop deletion with renumbering, the field's crop summary, the
// legume records of a crop row, the proposed previous crop, the bounds of an
// individual yield and the checks of the Nmin data sources. Kept free of
// widgets so the window stays thin.

#include <QString>
#include <QVariant>

class TADOModConnection;

namespace Anbauregeln {

// Catch-crop type "no catch crop" and its text.
inline constexpr int OhneZwischenfrucht = 14;
inline const QString OhneZwischenfruchtText = QStringLiteral("-------ohne-------");

// A copy of the field under the new parcel number, without crop rows, Nmin,
// crop summary and autumn values. False when the copy failed.
bool SchlagTeilen(TADOModConnection& db, qint64 schlagId, int neueParzelle);

// Copies the soil data of the field into its crop rows of that year.
void BodenInAnbau(TADOModConnection& db, qint64 schlagId);

// Highest FruchtNr of the field-year; -1 when it has no crop row.
int HoechsteFruchtNr(TADOModConnection& db, int betrieb, int jahr, int parzelle);

// The previous crop a new crop row at this position gets; 0 when none.
// Catch-crop types (100 or below) are never proposed.
int VorfruchtVorschlag(TADOModConnection& db, int betrieb, int jahr, int parzelle, int fruchtNr);

// Deletes the crop row; a catch crop resets the catch crop of the field-year,
// any other row lets the following crops move up.
void KulturLoeschen(TADOModConnection& db, qint64 anbauId);

// The field's FA_NR, Kultur_ID and Kultur from its last crop row.
void SchlagZusammenfassung(TADOModConnection& db, int betrieb, int jahr, int parzelle);

// Keeps the one nitrogen-fixation record (category 3) of the crop row in
// step: inserted or refreshed for a legume, deleted otherwise.
void LegumAbgleichen(TADOModConnection& db, qint64 anbauId);

// The individual yield to store: outside 0.1 to 2.25 times the yield level
// it is replaced by the mean yield.
double EinzelertragBegrenzt(double einzelertrag, double ertragsniveau, double tatsErtrag);

// Result of the data-source checks when a source choice is left.
struct TQuellenPruefung {
  int quelle6090 = 0;   // the layer-3 source afterwards
  QString meldung;      // empty when nothing is said
  bool ableiten = false;  // run the derivation of the third layer
};
TQuellenPruefung QuellenPruefen(int quelle030, int quelle6090, int bundesland);

// The yield unit a crop number shows.
QString Ertragseinheit(qint64 fruchtNummer);

}  // namespace Anbauregeln
