#pragma once
// The file and clipboard formats of the grid's toolbar: tab-separated text
// (.TXT), semicolon-separated values (.CSV) and the clipboard text, read
// into and written from a work sheet, and the header and footer texts of a
// printed sheet. Files are Windows-1252, as the spreadsheet programs of the
// users write them. Free of widgets.

#include <QByteArray>
#include <QDateTime>
#include <QString>

class TBlatt;

namespace Blattdateien {

enum class TTyp { Unzulaessig, Txt, Csv, Dbf, Datenbank };
// The reader or writer by extension, compared in capitals (.MDB, .DB and
// .SQLITE are database files).
TTyp Typ(const QString& datei);
// "unzulässiger Dateityp : " and the three characters after the dot.
QString Unzulaessig(const QString& datei);

// What a load did. Cells beyond 256 columns or 16384 rows are left out.
struct TLaden {
  int zeilen = 0;             // rows of the sheet that hold a value
  bool abgeschnitten = false;  // cells lay beyond the limits
  // The message for a cut load; empty when nothing was left out.
  QString Meldung() const;
};

// Empties the sheet and fills it from the bytes of a .TXT file: one row per
// line, TAB to the next column; the bytes CR, 0xBB, 0xBF and 0xEF are
// skipped wherever they stand; empty cells are not written.
TLaden TxtLesen(const QByteArray& inhalt, TBlatt& blatt);
// The same for a .CSV file: ";" to the next column; a double quote at the
// start of a cell opens a quoted value up to the next single double quote
// (two of them give one, a line break inside stays in the cell); what
// follows the closing quote is added to the cell.
TLaden CsvLesen(const QByteArray& inhalt, TBlatt& blatt);
// Clipboard text as a .TXT file (CR and a byte order mark skipped).
TLaden ZwischenablageLesen(const QString& text, TBlatt& blatt);

// Every row of the sheet as a line ended by CR LF: the trimmed cells up to
// the row's last one that is not empty, separated by TAB.
QByteArray TxtSchreiben(const TBlatt& blatt);
// As TxtSchreiben with ";": a TAB in a cell becomes a blank, a double quote
// is doubled, and a cell with a double quote, ";" or a line break is
// enclosed in double quotes.
QByteArray CsvSchreiben(const TBlatt& blatt);
// All rows and all columns of the sheet: cells trimmed, TAB between them,
// every row ended by CR LF.
QString ZwischenablageText(const TBlatt& blatt);

// Windows-1252 and back; a character the code page lacks becomes "?".
QString Dekodiert(const QByteArray& bytes);
QByteArray Kodiert(const QString& text);

// A header or footer text for a page: the first "&D" becomes the date, the
// first "&T" the time, a further "&D" the date, the first "&P" the page and
// the first "&N" the number of pages; other text stays.
QString KopfFussText(QString text, const QDateTime& zeit, int seite, int seiten);
// The footer after a file was loaded.
inline const char* const FussNachLaden = "&D : &T Seiten &P von &N ";

}  // namespace Blattdateien
