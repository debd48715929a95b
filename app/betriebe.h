#pragma once
// The farm records without their widgets: the EU number's keys, the search,
// copying another farm's master-data choices and the printed farm list.

#include <QDate>
#include <QString>

#include <vector>

class TADODataSetMod;
class TADOModConnection;
class TPDFDruckausgabe;

namespace Betriebe {

inline constexpr int Bundesland = 15;
extern const QString EuNummerMeldung;      // "Bitte exakt 12 Stellen eingeben."
extern const QString LoeschenFrage;        // "Betrieb mit allen Daten wirklich löschen?"
extern const QString UebernehmenFrage;     // "Von welcher Betriebsnummer ..."
extern const QString FlaechenMeldung;      // "Bitte tragen Sie jetzt die Flächen ..."

// Whether a typed character may go into the EU number holding `laenge` characters.
bool EuZeichenErlaubt(QChar c, int laenge);
bool EuNummerVollstaendig(const QString& nummer);

// Moves the list to the first farm whose name matches the text (exactly,
// ignoring case, at the start, anywhere). False when none matches; an empty
// text or "*" does nothing and counts as found.
bool Suchen(TADODataSetMod& liste, const QString& text);

// Makes the choices of farm `quelle` the choices of farm `ziel` as well
// (crops also take the source's yield); errors are ignored.
void AuswahlUebernehmen(TADOModConnection& db, qint64 ziel, qint64 quelle);

struct TListenZeile {
  QString name, euNummer, strasse, plz, ort, telefon, email;
};
// The rows of the list in its order.
std::vector<TListenZeile> ListenZeilen(const TADODataSetMod& liste);
inline constexpr int ZeilenJeSeite = 9;
// Draws the farm list on landscape pages, nine farms a page.
void ListeZeichnen(TPDFDruckausgabe& druck, const std::vector<TListenZeile>& zeilen, const QDate& heute);

}  // namespace Betriebe
