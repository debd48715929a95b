#pragma once
// The nitrogen page of the demand window without its widgets: what stops
// "Berechnen" for a crop row, the warning after a run, the checks of the Nmin
// inputs and the captions that depend on year and nitrate area.

#include "anbauregeln.h"

#include <QString>
#include <QVariant>

class TADOModConnection;

namespace Stickstoffpruefung {

// What stops the run for a crop row, in the order it is checked.
enum class THindernis {
  Keines,
  SchlagUnvollstaendig,  // the field lacks a mandatory input: show the field
  KulturUnvollstaendig,  // no crop, or no individual yield where one is asked: show the crop row
  KeineDuengung,         // "ohne Düngung": said, nothing is calculated
  OhneErtragsniveau,     // yield level 1 (no table value): nothing is calculated, silently
  NminFehlt,             // sum of Nmin not above 0 while it is needed: said
};

// The values that decide it.
struct TBerechnenWerte {
  bool schlagUnvollstaendig = false;  // no field counts as complete
  int hauptfruchtNummer = 0;
  bool isEinzelErtrag = false;
  double einzelertrag = 0;
  bool keineDuengung = false;
  double ertragsniveau = 0;
  double nmin = 0;
  int kulturGruppe = 0;  // 2: grassland needs no Nmin
  double probenahmetiefe = 0;  // 0: no sampling, no Nmin needed
};
THindernis Hindernis(const TBerechnenWerte& w);
// The values of the stored crop row and its field; a missing row stops nothing.
THindernis VorDemBerechnen(TADOModConnection& db, qint64 anbauId);
// The message of a stop that is said; empty for the others.
QString Meldung(THindernis h);

// After group 20: a crop without a mean yield (rounded) cannot be calculated.
bool ErtragFehlt(int fruchtNr, double tatsErtrag);
inline const QString ErtragFehltMeldung =
    QStringLiteral("Bitte für die Kultur in der Vorauswahl einen gültigen Ertrag eingeben.");
// The message naming the yield that is missing: from 2021 a field in a
// nitrate area takes the crop's nitrate-area mean of 2015-2019, which the
// farmer enters in the preselection beside the usual mean.
QString ErtragFehltText(const QString& kultur, int jahr, bool nitratgebiet);

// The warning after a run; empty inside the usual range: arable land
// (group 1) up to 280, grassland (group 2) up to 650 kg N/ha; vegetables
// are never warned of.
QString Bereichswarnung(int kulturGruppe, int bedarf);

// The data-source checks of the Nmin inputs with the farm's federal state.
Anbauregeln::TQuellenPruefung QuellenPruefen(TADOModConnection& db, int betrieb, int quelle030, int quelle6090);
// Whether the third layer may be derived from the first two: both above 0,
// the third not, and the first two analysed (source 1 or 4).
bool DritteSchichtAbleitbar(double nmin030, double nmin3060, double nmin6090, int quelle030);
// The warning when the calculation date (ISO text) lies outside the year; empty otherwise.
QString Datumswarnung(const QVariant& datum, int jahr);

// The evaluation shown by crop group: 0 arable land, 1 grassland (group 2), 2 vegetables (group 3).
int Auswertungsseite(int kulturGruppe);
// From 2021 the ordinance's new rules: the nitrate area's 80 %, the five-year
// means and the nitrogen available to winter rape and winter barley.
inline bool NeueRegeln(int jahr) { return jahr > 2020; }
// The caption of the mean-yield line of an evaluation page.
QString Ertragsbeschriftung(int auswertungsseite, int jahr, bool nitratgebiet);
// The caption of the crude-protein line (grassland).
QString Rohproteinbeschriftung(int jahr);
// The note under the evaluation for the field of the crop row; empty when none.
QString Hinweis(TADOModConnection& db, int betrieb, int jahr, const QVariant& parzelle);

}  // namespace Stickstoffpruefung
