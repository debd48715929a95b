#pragma once
// Quick tabular recording: many applications of a farm year typed as lines
// of a work sheet and written as Dung records in one step. The sheet holds
// the two heading lines, an empty third line and the entry lines from line
// 4; the values the pick lists fill and the user never sees are kept in the
// columns right of the visible ones, so a sheet saved and loaded again keeps
// them. Free of widgets: the window only routes keys and shows lists.

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class TADOModConnection;
class TBlatt;

namespace Schnellerfassung {

// Visible columns.
enum TSpalte : int {
  Parzelle = 1,
  SchlagNr,
  SchlagName,
  Datum,
  Menge,
  Kategorie,
  Bezeichnung,
  Kultur,
  Herbst,
  Tiere,
  Weidetage,
  // Hidden values, in the order the copy rules take them as ranges.
  Groesse,        // field size, only when the field number was typed
  KategorieNr,    // 1, 2, 4 or 5
  OrgGruppe,      // DngGrpNummer
  GruppeNr,
  NT,
  NH4N,
  P2O5,
  P,
  TaVerfNr,
  AnrechenbarAL,  // N_AnrechenbarAL
  AnrechenbarGL,  // N_AnrechenbarGL
  Herkunft,       // Herkunft_Nr
  DngNummer,      // the item key
  KulturId,       // Anbau.ID, becomes ProbenID
};
constexpr int SichtbareSpalten = Weidetage;
constexpr int AlleSpalten = KulturId;
constexpr int Kopfzeilen = 3;  // two heading lines and the empty third
constexpr int ErsteZeile = 4;

// Writes the two heading lines of the visible columns.
void KopfSchreiben(TBlatt& blatt);
// The hint shown above the grid for the column; empty for others.
QString Hinweis(int spalte);

// The last line holding any value, at least the third (so the first entry
// line is ErsteZeile).
int LetzteZeile(const TBlatt& blatt);
// Clears the line's visible and hidden values.
void ZeileLeeren(TBlatt& blatt, int zeile);
// Removes the empty entry lines between the first and the last one that
// holds a value, so the lines below move up; gives each remaining line's
// new number by its old one (index: old number).
std::vector<int> LeereZeilenEntfernen(TBlatt& blatt);

// --- cell texts ------------------------------------------------------------------

// The category typed as "m", "o", "s" or "w" (either case): its text and number.
struct TKategorie {
  QString text;  // "Min-Dünger", "Org-Dünger", "sonst. Stoffe", "Beweidung"
  int nummer = 0;
};
std::optional<TKategorie> KategorieTaste(QChar taste);

// A number of a cell: German or point decimals, an empty cell is 0; none
// when the text is no number.
std::optional<double> Zahl(const QString& text);
// A date cell, read as the date fields of the records window read a typed
// date (Datumseingabe::Lesen: "TT.MM.JJ", "TT.MM.JJJJ", "TTMMJJ"), or ISO;
// an empty cell is an invalid date; none when it is no date.
std::optional<QDate> DatumLesen(const QString& text);
QString DatumText(const QDate& datum);  // "dd.MM.yyyy"
// A hidden number as it is stored in the sheet.
QString ZahlText(double wert);

// --- copying ---------------------------------------------------------------------

struct TPosition {
  int spalte = 0;
  int zeile = 0;
};

// Insert key and "Dünger setzen": copies from line `von` into line `nach`
// what the column of the cursor asks for (never the crop), and gives the
// cell the cursor moves to.
TPosition Uebertragen(TBlatt& blatt, int von, int nach, int spalte);
// "+" in a column: takes the value(s) of the line above and gives the cell
// the cursor moves to; none on the first entry line or in column 4.
std::optional<TPosition> Plus(TBlatt& blatt, int zeile, int spalte);

// --- pick lists ------------------------------------------------------------------

struct TSchlag {
  int parzelle = 0;
  QString schlagNr;
  QString name;
  QString kultur;
  double groesse = 0;
};
// The fields of the farm year that are not marked KeineDuengung, by name.
std::vector<TSchlag> Schlaege(TADOModConnection& db, int betrieb, int jahr);
// Writes the field into the line (name, number, field number); the size
// only when asked (the field number was typed).
void SchlagSetzen(TBlatt& blatt, int zeile, const TSchlag& schlag, bool mitGroesse);

struct TEintrag {
  qint64 nummer = 0;
  QString name;
};
// The items the farm offers for the category (as in the recording window).
std::vector<TEintrag> Eintraege(TADOModConnection& db, int betrieb, int kategorie);
// Writes the item's name and master values into the line; a German text
// when they cannot be read (the line keeps what it had).
QString EintragSetzen(TADOModConnection& db, TBlatt& blatt, int zeile, int betrieb, qint64 nummer);

struct TKultur {
  qint64 id = 0;
  int jahr = 0;
  QString kultur;
  QString Text() const { return QString::number(jahr) + QLatin1Char(' ') + kultur; }
};
// The crop rows of the field in the fertiliser year and the year after.
std::vector<TKultur> Kulturen(TADOModConnection& db, int betrieb, int jahr, int parzelle);
void KulturSetzen(TBlatt& blatt, int zeile, const TKultur& kultur);

// --- taking the lines over -------------------------------------------------------

struct TUebernahme {
  int geschrieben = 0;
  bool unvollstaendig = false;  // lines without field, category or crop
  bool fehlgeschlagen = false;  // records the database refused
  // Lines not taken over because a value cannot be read, with what is wrong.
  struct TFehler {
    int zeile;
    int spalte;
    QString text;
  };
  std::vector<TFehler> unlesbar;
  // The one message after the run; empty when all went well.
  QString Meldung() const;
  // The window closes only when every line was taken over.
  bool Schliessen() const { return !unvollstaendig && !fehlgeschlagen && unlesbar.empty(); }
};

// Writes every complete line from line 4 on as a Dung record of the farm and
// clears it; other lines stay. The record's year is that of its crop row.
TUebernahme Uebernehmen(TADOModConnection& db, TBlatt& blatt, int betrieb, int jahr);

}  // namespace Schnellerfassung
