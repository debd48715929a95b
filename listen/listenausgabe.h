#pragma once
// What the four spreadsheet lists share: the head cells (farm, year, date),
// the save dialog, clearing the target file, writing the workbook as .xlsx
// or, through LibreOffice, as .xls, and the messages. No widgets: every
// question and message goes through the message service.

#include "mappe.h"

#include <QDate>
#include <QString>

#include <functional>
#include <initializer_list>
#include <utility>

class TADOModConnection;
class TMeldungen;

namespace Listenausgabe {

// The farm and year every list names at its head.
struct TKopf {
  QString betriebsname;  // A1
  QString strasse;       // A2
  QString ort;           // A3: PLZ, place and district of the place
  int jahr = 0;          // A6
  QDate datum;           // under "Datum"
};
// The farm's head with today's date.
TKopf Kopf(TADOModConnection& db, int betrieb, int jahr);
// A1 to A3, A6 "Jahr …", the caption "Datum" in row 1 and the date below it
// in the given column.
void KopfSchreiben(TMappe& mappe, const TKopf& kopf, QStringView datumsspalte);
// The head as above and the list's title in A5.
void KopfSchreiben(TMappe& mappe, const TKopf& kopf, QStringView datumsspalte, const QString& titel);

// Rows 7 and 8 hold the column captions and units; the fields start below.
constexpr int ErsteZeile = 9;
// The column captions in row 7 (column letter, caption) and that row's height.
void Spaltenkoepfe(TMappe& mappe, std::initializer_list<std::pair<const char16_t*, const char16_t*>> koepfe,
                   double hoehe);
// The column widths (column letter, width in characters).
void Spaltenbreiten(TMappe& mappe, std::initializer_list<std::pair<const char16_t*, double>> breiten);
// A to C of a field's row, the same in every list: number, name, size.
void Schlagspalten(TMappe& mappe, int zeile, double schlagNr, const QString& schlagName, double groesse);

// Whether the farm year has a field; the lists do nothing without one.
bool HatSchlaege(TADOModConnection& db, int betrieb, int jahr);

// Texts shown to the user.
QString Filter();
QString Fertig();
// The target cannot be replaced (a folder of its name).
QString Gesperrt(const QString& datei);
// The workbook could not be written; the reason follows.
QString Fehler();

// Whether the chosen name asks for the older format (".xls" in any case).
bool AlsXls(const QString& ziel);
// The save dialog, starting in the given folder. A name without ".xlsx" or
// ".xls" gets ".xlsx". Empty when the user cancelled.
QString ZielErfragen(TMeldungen& meldungen, const QString& ordner);
// Whether the target can take the new list; an old file stays until the new
// one is complete. When not, the message says so and the result is false.
bool ZielFreimachen(TMeldungen& meldungen, const QString& ziel);

// LibreOffice's program, empty when it is not installed.
QString LibreOffice();
// Writes the workbook to the target: .xlsx directly, .xls converted from it
// by LibreOffice. Built in a temporary folder, checked for its end and written
// through the safe writer, so a failure leaves the old file and no half one.
// False with a German text in *fehler.
bool Schreiben(const TMappe& mappe, const QString& ziel, QString* fehler);

// How an export ended.
enum class TErgebnis {
  Nichts,       // no field in the farm year: nothing was asked
  Abgebrochen,  // the dialog was cancelled: nothing written, nothing changed
  Gesperrt,     // the target could not be removed (said)
  Fehler,       // the workbook could not be written (said)
  Geschrieben,
};
// The common steps of an export: the save dialog, clearing the target, the
// runs that come before the list (vorher, may be empty), building and
// writing the workbook. A failure shows the list's message with the reason
// below it.
TErgebnis Ausgeben(TMeldungen& meldungen, const QString& ordner, const QString& fehlermeldung,
                   const std::function<void()>& vorher, const std::function<TMappe()>& bauen);
// A whole export: nothing without a field in the farm year, then Ausgeben
// with the farm's head, then the runs after a written list (nachher, may be
// empty) and "Fertig".
TErgebnis Exportieren(TADOModConnection& db, TMeldungen& meldungen, int betrieb, int jahr, const QString& ordner,
                      const QString& fehlermeldung, const std::function<void()>& vorher,
                      const std::function<TMappe(const TKopf&)>& bauen, const std::function<void()>& nachher = {});

}  // namespace Listenausgabe
