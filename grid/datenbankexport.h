#pragma once
// The database variant of the grid's toolbar: a table of a plain SQLite
// file the user chooses read into a sheet, and a sheet written into a new
// table of such a file. Table names are checked and quoted before they reach
// SQL; the program's own file cannot be opened here (it needs its key).

#include "blattdateien.h"

#include <QString>
#include <QStringList>

#include <vector>

class TADOModConnection;
class TBlatt;

namespace Datenbankexport {

// Opens (or, when `anlegen`, creates) a plain SQLite file on the connection;
// a German message when it cannot.
QString Oeffnen(TADOModConnection& db, const QString& datei, bool anlegen);
// The tables of the file in the order of their names.
QStringList Tabellen(TADOModConnection& db);
// The name in double quotes, inner double quotes doubled.
QString Zitiert(const QString& name);

// Empties the sheet and fills it with the table: row 1 the field names,
// then up to 16383 records as text. `meldung` tells about a cut.
bool TabelleLesen(TADOModConnection& db, const QString& tabelle, TBlatt& blatt, QString& meldung);

// A field name from a title: trimmed, umlauts spelt out, any other
// character outside 0-9, A-Z, a-z and "_" made "_", "_" before a digit, at
// most 64 characters; an empty title gives "_".
QString Feldname(const QString& titel);
// Why the new table name cannot be used; empty when it can.
QString TabellennameFehler(const QString& name, const QStringList& vorhanden);

enum class TFeldtyp {
  Zeichen,
  GleitkommaKurz,
  GleitkommaLang,
  Waehrung,
  GanzzahlKurz,
  GanzzahlLang,
  DatumZeit,
  Memo,
  Logisch,
  Leer,
  NichtVorhanden
};
QString Typname(TFeldtyp typ);  // "Zeichen", "Gleitkomma (kurz)", …
struct TFeld {
  QString name;
  TFeldtyp typ = TFeldtyp::Zeichen;
  int groesse = 50;  // for "Zeichen"
};
// The fields of the sheet's columns: names from row 1 or "Feld_" and the
// column number; all as text. `fehler` names two equal names.
std::vector<TFeld> Felder(const TBlatt& blatt, bool ersteZeile, QString& fehler);

// The logical value of a cell: "ja", "j", "wahr", "w", "true", "t" (any
// case) or a number other than 0.
bool Wahr(const QString& text);

// Creates the table and writes the sheet's rows below the title row (from
// row 1 when the names are not taken from it), all in one transaction: on a
// cell that does not fit its type nothing is written and `fehler` says
// where. Fields of type NichtVorhanden are left out.
bool Exportieren(TADOModConnection& db, const TBlatt& blatt, const QString& tabelle, const std::vector<TFeld>& felder,
                 bool ersteZeile, QString& fehler);

}  // namespace Datenbankexport
