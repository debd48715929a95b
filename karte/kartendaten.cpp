#include "kartendaten.h"

#include "connection.h"
#include "dataset.h"
#include "schlagdaten.h"
#include "umrissablage.h"

#include <cmath>
#include <set>

namespace Karte {

TRechteck TKarte::Grenzen() const {
  TRechteck r;
  for (const TKartenSchlag& s : schlaege) r.Erweitern(s.umriss.Grenzen());
  return r;
}

const TKartenSchlag* TKarte::Schlag(int parzelle) const {
  for (const TKartenSchlag& s : schlaege)
    if (s.parzelle == parzelle) return &s;
  return nullptr;
}

TZustand Zustand(bool unvollstaendig, bool berechnet) {
  if (unvollstaendig) return TZustand::Unvollstaendig;
  return berechnet ? TZustand::Berechnet : TZustand::Offen;
}

bool FlaecheWeichtAb(double umrissHa, double groesseHa) {
  const double d = std::abs(umrissHa - groesseHa);
  // A hair's breadth above the limit only: the stored sizes carry two decimals.
  constexpr double rest = 1e-9;
  return d > 0.1 + rest || d > 0.02 * std::abs(groesseHa) + rest;
}

QString Beschriftung(const TKartenSchlag& s) {
  const QString nummer = QString::number(s.schlagNr > 0 ? s.schlagNr : s.parzelle);
  return s.name.trimmed().isEmpty() ? nummer : nummer + u' ' + s.name.trimmed();
}

TKarte Laden(TADOModConnection& db, int betrieb, int jahr) {
  TKarte k;
  k.jahr = jahr;
  k.betrieb = Schlagdaten::Betriebsname(db, betrieb);
  std::set<int> berechnet;
  {
    TAbfrage a(db,
               QStringLiteral("select Parzelle from Anbau where BetriebsNr = :B and Jahr = :J and FruchtNr = 1 and "
                              "Duengebedarf > 0"),
               {{QStringLiteral("B"), betrieb}, {QStringLiteral("J"), jahr}});
    while (a.Naechste()) berechnet.insert(a.Wert(0).toInt());
  }
  auto umrisse = Umrisse(db, betrieb, jahr);
  TADODataSetMod liste(db);
  Schlagdaten::ListeDesJahres(liste, betrieb, jahr);
  liste.Oeffnen();
  auto wert = [&](int z, const char* spalte) { return liste.Wert(z, liste.FeldIndex(QString::fromLatin1(spalte))); };
  for (int z = 0; z < liste.Anzahl(); ++z) {
    TKartenSchlag s;
    s.parzelle = wert(z, "Parzelle").toInt();
    s.schlagNr = wert(z, "SchlagNr").toInt();
    s.name = wert(z, "SchlagName").toString().trimmed();
    s.groesse = wert(z, "Groesse").toDouble();
    s.nitratgebiet = wert(z, "BewirtschaftungsAuflagen").toInt() == 2;
    s.gruenland = wert(z, "NutzungsForm").toInt() == 2;
    s.zustand = Zustand(Schlagdaten::Unvollstaendig(Schlagdaten::Werte(liste, z)), berechnet.count(s.parzelle) > 0);
    if (auto it = umrisse.find(s.parzelle); it != umrisse.end()) {
      s.umriss = std::move(it->second.umriss);
      s.umrissHa = s.umriss.Flaeche() / 10000;
      s.abweichung = FlaecheWeichtAb(s.umrissHa, s.groesse);
      if (k.koordinatensystem.isEmpty()) k.koordinatensystem = it->second.koordinatensystem;
    }
    k.schlaege.push_back(std::move(s));
  }
  liste.Schliessen();
  return k;
}

}  // namespace Karte
