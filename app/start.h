#pragma once
// The program's start in its working folder: the regional formats, finding
// the database, creating, taking over or refreshing it as its version
// requires, opening it exclusively, the check after a takeover, and the end.

#include <QLocale>
#include <QString>

#include <utility>

class TADOModConnection;
class TMeldungen;

namespace Start {

inline const QString Markierungsdatei = QStringLiteral("Quendrix.upd");
inline const QString Fehlerdatei = QStringLiteral("Fehler.txt");

// --- regional formats -------------------------------------------------------

// The separators and symbols the program's texts and stored SQL rely on.
struct TFormate {
  QString waehrung;
  QString tausender;
  QString dezimal;
  QString datum;
  QString zeit;
  bool operator==(const TFormate&) const = default;
};
TFormate Formate(const QLocale& locale);
// "€", ".", ",", "." and ":".
const TFormate& DeutscheFormate();
bool FormateRichtig(const QLocale& locale);
extern const QString FormatMeldung;

// --- version and procedure --------------------------------------------------

enum class TVerfahren { Anlegen, ZuAlt, Uebernehmen, Auffrischen, Keines };
// What the version pair of the file found asks for.
TVerfahren Verfahren(bool dateiDa, std::pair<int, int> version);

inline const QString ZuAlteVersion = QStringLiteral(
    "Zu alte Version, bitte führen Sie vor der Datenübernahme alle vorigen Aktualisierungsschritte durch.");

// --- the sequence -----------------------------------------------------------

struct TErgebnis {
  bool ok = false;
  std::pair<int, int> version{0, 0};  // as read before creating, taking over or refreshing
  bool Uebernommen() const { return ok && version.first == 5; }
};

// The whole start up to the open database: the formats are tested, then
// DatenbankOeffnen. On failure the message has been shown and the program ends.
TErgebnis Starten(TADOModConnection& db, const QString& ordner, TMeldungen& meldungen,
                  const QLocale& formate = QLocale());

// Finds the database, creates, takes over or refreshes it, creates the backup
// folders and opens "Quendrix2021.mdb" exclusively with its maintenance. A
// file that is not ours, or one held by another program, is left untouched:
// the message says why and the result is false.
bool DatenbankOeffnen(TADOModConnection& db, const QString& ordner, TMeldungen& meldungen,
                      std::pair<int, int>* version = nullptr);

// The folders the program keeps its backups in.
void OrdnerAnlegen(const QString& ordner);

// After a takeover: lists the farms whose data need completing, writes them to
// "Fehler.txt" and shows the message, which always ends with the reminder
// about the own organic fertilisers. Returns the message.
QString UebernahmePruefen(TADOModConnection& db, const QString& ordner, TMeldungen& meldungen);

// Closes the connection, rotates the backups and deletes "Quendrix.upd".
void Beenden(TADOModConnection& db, const QString& ordner);

}  // namespace Start
