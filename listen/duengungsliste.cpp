#include "duengungsliste.h"

#include "auswertung.h"
#include "druckdaten.h"
#include "meldungen.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace Duengungsliste {

namespace {
std::optional<double> Ganz(const QVariant& v) {
  return v.isNull() ? std::nullopt : std::optional(std::nearbyint(v.toDouble()));
}
}  // namespace

std::vector<TZeile> Zeilen(TADOModConnection& db, int betrieb, int jahr, bool* ok) {
  std::vector<TZeile> zeilen;
  for (const Auswertung::TDungsatz& s :
       Auswertung::Saetze(db, betrieb, jahr, Auswertung::TReihenfolge::NachSchlag, ok)) {
    TZeile z;
    z.schlagNr = s.schlagNr.toDouble();
    z.schlagName = s.schlagName;
    z.groesse = s.groesse.toDouble();
    z.nitratgebiet = s.nitratgebiet == 2;
    z.kultur = QString::number(s.kulturJahr) + u' ' + s.kultur;
    z.datum = s.datum;
    z.kategorie = Druckdaten::Kategoriekurz(s.kategorie);
    z.dng = s.dng;
    // Mineral fertiliser and legume yields are kept in dt per ha.
    if (!s.menge.isNull()) z.menge = s.MengeTonnen();
    z.weideTage = Ganz(s.weideTage);
    z.weideTiere = Ganz(s.weideTiere);
    z.nHa = s.mengeN_ha;
    z.nh4nHa = s.mengeNH4N_ha;
    z.pHa = s.PJeHa();
    z.p2o5Ha = s.P2O5JeHa();
    zeilen.push_back(z);
  }
  return zeilen;
}

TMappe Mappe(const Listenausgabe::TKopf& kopf, const std::vector<TZeile>& zeilen) {
  using F = TMappe::TFormat;
  TMappe m;
  Listenausgabe::KopfSchreiben(m, kopf, u"O"_s, u"Aufgebrachte Nährstoffe nach § 10 (2) DüV"_s);
  Listenausgabe::Spaltenkoepfe(m, {
      {u"A", u"Schlag-Nr."}, {u"B", u"Schlagname"},    {u"C", u"Größe (ha)"},  {u"D", u"Nitrat- gebiet"},
      {u"E", u"Gedüngte Kultur"}, {u"F", u"Datum"},    {u"G", u"Kategorie"},   {u"H", u"Bezeichnung"},
      {u"I", u"Menge"},      {u"J", u"Weide- tage"},   {u"K", u"Anzahl Tiere"}, {u"L", u"N ges."},
      {u"M", u"N verf."},    {u"N", u"P"},             {u"O", u"P2O5"},
  }, 28);
  m.Text(u"I"_s, 8, u"t/m³/ha"_s, F::Einheit);
  for (const char16_t* s : {u"L", u"M", u"N", u"O"}) m.Text(s, 8, u"kg/ha"_s, F::Einheit);
  Listenausgabe::Spaltenbreiten(m, {
      {u"A", 9},  {u"B", 24}, {u"C", 9},  {u"D", 8}, {u"E", 28}, {u"F", 11}, {u"G", 10}, {u"H", 30},
      {u"I", 9},  {u"J", 7},  {u"K", 8},  {u"L", 9}, {u"M", 9},  {u"N", 9},  {u"O", 11}});

  int r = Listenausgabe::ErsteZeile;
  for (const TZeile& z : zeilen) {
    Listenausgabe::Schlagspalten(m, r, z.schlagNr, z.schlagName, z.groesse);
    m.Text(u"D"_s, r, z.nitratgebiet ? u"Ja"_s : u"Nein"_s, F::Mitte);
    m.Text(u"E"_s, r, z.kultur);
    m.Datum(u"F"_s, r, z.datum);
    m.Text(u"G"_s, r, z.kategorie, F::Mitte);
    m.Text(u"H"_s, r, z.dng);
    if (z.menge) m.Zahl(u"I"_s, r, *z.menge, F::DreiStellen);
    if (z.weideTage) m.Zahl(u"J"_s, r, *z.weideTage, F::Ganz);
    if (z.weideTiere) m.Zahl(u"K"_s, r, *z.weideTiere, F::Ganz);
    m.Zahl(u"L"_s, r, z.nHa, F::EineStelle);
    m.Zahl(u"M"_s, r, z.nh4nHa, F::EineStelle);
    m.Zahl(u"N"_s, r, z.pHa, F::EineStelle);
    m.Zahl(u"O"_s, r, z.p2o5Ha, F::EineStelle);
    ++r;
  }
  return m;
}

Listenausgabe::TErgebnis Exportieren(TADOModConnection& db, TMeldungen& meldungen, int betrieb, int jahr,
                                     const QString& ordner) {
  using Listenausgabe::TErgebnis;
  if (!Listenausgabe::HatSchlaege(db, betrieb, jahr)) return TErgebnis::Nichts;
  // Read first: a list that could not be read is not offered as written.
  bool ok = false;
  const std::vector<TZeile> zeilen = Zeilen(db, betrieb, jahr, &ok);
  if (!ok) {
    meldungen.Info(u"Die Düngungen des Jahres konnten nicht gelesen werden; es wurde keine Liste geschrieben."_s);
    return TErgebnis::Fehler;
  }
  const TErgebnis e = Listenausgabe::Ausgeben(meldungen, ordner, Listenausgabe::Fehler(), {},
                                              [&] { return Mappe(Listenausgabe::Kopf(db, betrieb, jahr), zeilen); });
  if (e == TErgebnis::Geschrieben) meldungen.Info(Listenausgabe::Fertig());
  return e;
}

}  // namespace Duengungsliste
