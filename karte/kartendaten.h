#pragma once
// What the map shows of a farm year: every field with its outline, its
// state (the same rule that marks a field red in the demand window's
// lists), nitrate area, grassland or arable land, and whether the
// outline's area fits the field's stated size. Fields without an outline
// are listed apart.

#include "umriss.h"

#include <QString>

#include <vector>

class TADOModConnection;

namespace Karte {

enum class TZustand { Berechnet, Offen, Unvollstaendig };

struct TKartenSchlag {
  int parzelle = 0;
  int schlagNr = 0;
  QString name;
  double groesse = 0;     // Groesse, ha
  TUmriss umriss;         // empty without an outline
  double umrissHa = 0;    // the outline's area
  TZustand zustand = TZustand::Offen;
  bool nitratgebiet = false;
  bool gruenland = false;
  bool abweichung = false;  // outline area and size differ (FlaecheWeichtAb)
};

struct TKarte {
  QString betrieb;          // the farm's name
  int jahr = 0;
  QString koordinatensystem;
  std::vector<TKartenSchlag> schlaege;  // ordered by parcel, those with outlines and those without
  TRechteck Grenzen() const;
  const TKartenSchlag* Schlag(int parzelle) const;
};

// The state's colour rule: incomplete inputs first, then whether the main
// crop's demand is calculated (above 0: an incomplete row is cleared to 0).
TZustand Zustand(bool unvollstaendig, bool berechnet);

// Whether the outline's area differs from the stated size by more than 2 %
// of the size or by more than 0.1 ha.
bool FlaecheWeichtAb(double umrissHa, double groesseHa);

// The label of a field on the map: "12 Am Weg" (number, else parcel, and name).
QString Beschriftung(const TKartenSchlag& s);

// Reads the fields and outlines of the farm year.
TKarte Laden(TADOModConnection& db, int betrieb, int jahr);

}  // namespace Karte
