#pragma once
// The field import: the parcel table of the area application read into the
// import sheet with crop proposals, the sheet remembered as "Shape<nr>.TXT"
// and set again, and "Schläge anlegen" creating the year's fields, crop rows
// and legume records. Free of widgets; the window only shows and asks.

#include "umrissimport.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

class TADOModConnection;
class TBlatt;

namespace Schlagimport {

extern const QString FalscheDatei;      // "Bitte ..._teilflaechen.dbf auswählen"
extern const QString Abgeschlossen;     // after reading and setting
extern const QString Frage;             // "Schläge jetzt übernehmen?"
extern const QString KeinJahr;          // "Bitte legen zuerst ein Düngejahr an!"

// The choices of "Kultur-Vorauswahl".
enum class TKulturwahl { ZuInvekos = 0, NurAusgewaehlte = 1, Alle = 2 };
QString KulturwahlText(TKulturwahl w);

// The query of the crop list (columns Kultur, FA_NR at least) with its
// parameters; nuCode empty (or crops not read) lists the chosen crops.
struct TListe {
  QString sql;
  std::vector<std::pair<QString, QVariant>> parameter;
};
TListe Kulturliste(int betrieb, TKulturwahl wahl, const QString& nuCode, bool kulturenLesen);
// Previous crops, restricted to chosen crops while `nurAusgewaehlte`.
TListe Vorfruchtliste(int betrieb, bool nurAusgewaehlte);
// Catch-crop types (Fruchtart, ID).
TListe Zwischenfruchtliste();

// The entries of a list: trimmed name and number, in the list's order.
// `nameSpalte` and `nummerSpalte` name the columns (Kultur/FA_NR or
// Fruchtart/ID).
struct TEintrag {
  QString name;
  int nummer = 0;
};
std::vector<TEintrag> Eintraege(TADOModConnection& db, const TListe& liste, const QString& nameSpalte,
                                const QString& nummerSpalte);

struct TEinlesen {
  int betrieb = 0;              // Betriebe.ID, for the crop lists
  QString euNummer;             // taken from the file when empty
  int jahr = 0;                 // taken from the file when 0 or less
  bool kulturenLesen = true;    // false: no usage names, codes or proposals
  TKulturwahl wahl = TKulturwahl::ZuInvekos;
  TUmrisse umrisse;             // filled from the shape file beside the table
};
// Reads the parcel table (and its "_parzellen.dbf" twin) into the emptied
// sheet. False with the message in `meldung` when nothing was read; the
// sheet is then left as it was.
bool Einlesen(TADOModConnection& db, const QString& datei, TEinlesen& e, TBlatt& blatt, QString& meldung);

// The crop number proposed for a usage code's crop: the basic variant (ending in 01).
int Grundvariante(int faNr);

// The farm's EU_NUMMER, trimmed; empty when it has none.
QString EuNummer(TADOModConnection& db, int betrieb);

// The remembered sheet's file in the folder; empty when the farm number
// could make no safe file name.
QString MerkDatei(const QString& ordner, const QString& euNummer);
// Writes the sheet (tab-separated, CR LF, Windows-1252); false and a
// message when it cannot be written.
bool Merken(const TBlatt& blatt, const QString& datei, QString& meldung);
// Reads a remembered sheet into the emptied sheet; a leading byte-order
// mark is skipped (the text is then UTF-8). False and a message on failure,
// the sheet then unchanged.
bool Setzen(TBlatt& blatt, const QString& datei, QString& meldung);

// The outcome of "Schläge anlegen".
struct TAnlegen {
  int angelegt = 0;           // new fields
  QStringList nichtAngelegt;  // one line per row that was not saved, with the reason
  bool abgebrochen = false;   // stopped by the user: nothing was saved
  int umrisse = 0;            // new fields that got their outline
};
// Creates the fields of the sheet's parcel rows in the farm year with their
// main-crop and catch-crop rows and legume records. A parcel the year
// already has is left as it is and listed. Nothing is written when the
// farm has no such year (false). A new field gets its outline from
// `umrisse` when given; the outlines of existing fields stay. The progress
// is reported per sheet row; stopped there, nothing of the import stays.
bool Anlegen(TADOModConnection& db, const TBlatt& blatt, int betrieb, int jahr, TAnlegen& ergebnis,
             const TUmrisse* umrisse = nullptr);
// The stored rule groups of the farm year that follow the import.
bool RegelnAusfuehren(TADOModConnection& db, int betrieb, int jahr);
// The message of the rows not saved; empty when all were.
QString NichtAngelegtText(const TAnlegen& e);

}  // namespace Schlagimport
