#pragma once
// The printed documents of the recording window, made whole: each begins its
// document on the page writer, reads what it shows (computed at the moment of
// printing) and draws its sheets. Showing the finished document is left to
// the caller.

#include <QDate>

class TADOModConnection;
class TPDFDruckausgabe;
class TWarten;

namespace Aufzeichnungsdruck {

enum class TErgebnis {
  Gezeichnet,
  Leer,    // nothing to print; no page drawn
  Fehler,  // the values could not be read
  Abgebrochen,  // stopped in the wait window; nothing to show
};

// The record sheet of one field of the year.
TErgebnis Schlag(TPDFDruckausgabe& d, TADOModConnection& db, int betrieb, int jahr, int parzelle, const QDate& heute);
// The record sheets of every field of the year that has records, in Parzelle order, one document.
TErgebnis AlleSchlaege(TPDFDruckausgabe& d, TADOModConnection& db, int betrieb, int jahr, const QDate& heute,
                       TWarten* warten = nullptr);
// The statement sheet (portrait) with the findings of the checks of the
// legal limits for farm and year.
TErgebnis Bilanz(TPDFDruckausgabe& d, TADOModConnection& db, int betrieb, int jahr, bool nitratgebiet);
// The lists of applications by kind (landscape); Leer when there is no record.
TErgebnis Listen(TPDFDruckausgabe& d, TADOModConnection& db, int betrieb, int jahr, bool nitratgebiet);

}  // namespace Aufzeichnungsdruck
