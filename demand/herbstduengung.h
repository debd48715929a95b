#pragma once
// The nitrogen demand in autumn of a field (kg total N/ha) and the pages
// "Herbstdüngung" and "Herbstdüngung Nitratgebiet" without their widgets:
// which fields each page lists, its choices, "Berechnen", "Angaben löschen"
// and the inputs that "Herbstdüngung merken" keeps for "Herbstdüngung
// setzen". Free of widgets.

#include <QString>
#include <QVariant>

#include <optional>
#include <utility>
#include <vector>

class TADODataSetMod;

namespace Herbstduengung {

// HD_VF: only this previous crop ("alle anderen Vorfrüchte") allows a demand.
inline constexpr int AlleAnderenVorfruechte = 8;
// HD_FA of winter barley, which the nitrate-area page does not offer.
inline constexpr int Wintergerste = 8;

// The demand by the crop planned or sown (HD_FA, 1 to 9), its previous crop
// (HD_VF) and long-term organic fertilisation (HD_LOD). Any other crop value,
// 9 "Sonstige" and no crop give 0.
int Duengebedarf(int fruchtart, int vorfrucht, bool langjaehrigOrganisch);

// The two pages; each keeps its result in a column of its own.
enum class TSeite { Herbst, Nitratgebiet };
// HD_DNG or HD_DNG_RG.
QString Ergebnisspalte(TSeite seite);
// The same demand on a page: a crop the page does not offer (winter barley
// in a nitrate area) has none there.
int Duengebedarf(TSeite seite, int fruchtart, int vorfrucht, bool langjaehrigOrganisch);

// Which fields a page lists; the values are those of BewirtschaftungsAuflagen.
enum class TSchlagauswahl { Keine = -1, Alle = 0, OhneNitratgebiet = 1, Nitratgebiet = 2 };
// From 2021 each page lists the fields of its own management restriction;
// until 2020 the first page lists every field and the nitrate-area page none.
TSchlagauswahl Schlagauswahl(TSeite seite, int jahr);
// Whether the page can be chosen: the nitrate-area page from 2021.
bool SeiteVerfuegbar(TSeite seite, int jahr);
// The fields the page lists in the farm year, ordered by parcel, with the
// computed column NitratgebietText ("Ja"/"Nein").
void ListeDesJahres(TADODataSetMod& liste, int betrieb, int jahr, TSeite seite);

// Choices (text and value) in their order.
using TWahl = std::vector<std::pair<QString, int>>;
// HD_FA, "Fruchtart": 1 to 9 on the first page; on the nitrate-area page
// without winter barley and with the conditions of a nitrate area.
TWahl Fruchtarten(TSeite seite);
// HD_VF, "Vorfrucht der Anbaufrucht", the same on both pages.
TWahl Vorfruechte();

// What "Berechnen" did with the current field.
enum class TBerechnung { Berechnet, KeinSchlag, DatumFehlt, NichtGespeichert };
// Without a valid calculation date nothing is calculated or stored;
// otherwise the page's result is set from the table and the field saved.
TBerechnung Berechnen(TADODataSetMod& schlag, TSeite seite);
// A crop, previous crop or the organic flag was clicked while the field is
// edited: both results are emptied, so the changed input needs "Berechnen".
void EingabeGeaendert(TADODataSetMod& schlag);
// "Angaben löschen": no crop, previous crop or organic flag (0), no results
// (empty, so the field no longer counts as calculated) and no date; the
// field is saved. False without a field or when saving fails.
bool AngabenLoeschen(TADODataSetMod& schlag);

// The inputs and the result of a field as "Herbstdüngung merken" keeps them.
struct TAngaben {
  QVariant fruchtart, vorfrucht, organisch, ergebnis, datum;
};
// The current field's inputs with the result of the page; none without a field.
std::optional<TAngaben> Merken(const TADODataSetMod& schlag, TSeite seite);
// "Herbstdüngung setzen": writes them into the current field, the result
// into the column of the page it is set on (on a page that does not offer
// the crop a kept result becomes 0), and saves. False without a field or
// when saving fails.
bool Setzen(TADODataSetMod& schlag, const TAngaben& angaben, TSeite seite);

}  // namespace Herbstduengung
