#pragma once
// "Meldepflichten": the reporting files of the selected farm and year, all
// five into "Meldepflichten_<Jahr>/B_<EU-Nummer>" of the working folder.
// The run is all or nothing, also across a kill, with the creation date of
// the statements (meldeablage.h).

#include <QDate>
#include <QString>
#include <QStringList>

class TADOModConnection;
class TMeldungen;

namespace Meldepflichten {

extern const QString FlaechenUnvollstaendig;  // "Bitte Betriebsflächen vollständig eingeben ..."
extern const QString FeldblockUnvollstaendig;  // "Bitte stellen Sie sicher, dass ALLE Feldblocknummern ..."
extern const QString Titel;                    // "Ablageort"

// The checks of the farm year before anything is written, in their order:
// the farm areas, then the field-block numbers, then a missing EU number,
// then an EU or district number that cannot be part of a folder or file name
// (a path separator in it). The message of the first
// that fails; empty when all pass. (Own fertilisers, farm and year are
// checked by the main window before.)
QString Pruefen(TADOModConnection& db, int betrieb, int jahr);

// "<programmOrdner>/Meldepflichten_2021".
QString Jahresordner(const QString& programmOrdner, int jahr);
// "B_" and the EU number trimmed and padded with "0" to 12 characters.
QString Betriebsordner(const QString& euNummer);

// The run without messages, after Pruefen: the closing text (ok) or what
// went wrong, and the files put in place.
struct TLauf {
  bool ok = false;
  QString text;
  QStringList dateien;
};
TLauf Erstellen(TADOModConnection& db, int betrieb, int jahr, const QString& programmOrdner, const QDate& heute);

// The whole run with its messages; true when every file is in place.
bool Ausfuehren(TADOModConnection& db, TMeldungen& meldungen, int betrieb, int jahr, const QString& programmOrdner,
                const QDate& heute);

}  // namespace Meldepflichten
