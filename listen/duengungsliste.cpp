#include "duengungsliste.h"

#include "connection.h"
#include "meldungen.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace Duengungsliste {

namespace {
constexpr int ErsteZeile = 9;
constexpr double P2O5 = 2.2914;

double Nz(const QVariant& v) { return v.isNull() ? 0.0 : v.toDouble(); }
std::optional<double> Wert(const QVariant& v) { return v.isNull() ? std::nullopt : std::optional(v.toDouble()); }
}  // namespace

TNaehrstoffe Naehrstoffe(const TAufzeichnung& a) {
  TNaehrstoffe n;
  const double g = Nz(a.groesse);
  if (a.kategorie == 3) {
    // A share of exactly 10 % is not above 10 %.
    const bool ueber10 = !a.leguminosenanteil.isNull() && a.leguminosenanteil.toDouble() > 10;
    if (a.isLegumPauschal.toInt() == 1 || a.menge.isNull() || a.menge.toDouble() <= 0)
      n.mengeNha = Nz(ueber10 ? a.nBindungHaGr10P : a.nBindungHa);
    else
      n.mengeNha = a.menge.toDouble() * Nz(ueber10 ? a.nBindungDtFmGr10P : a.nBindungDtFm);
  } else if (a.kategorie == 4) {
    if (!a.weideTiere.isNull() && !a.weideTage.isNull() && !a.nt.isNull())
      n.mengeNha = a.weideTiere.toDouble() * a.weideTage.toDouble() * a.nt.toDouble() * (g > 0 ? 1 / g : 0) / 365;
  } else if (!a.menge.isNull() && !a.nt.isNull()) {
    n.mengeNha = a.menge.toDouble() * a.nt.toDouble();
  }
  if (!a.menge.isNull() && !a.nh4n.isNull()) n.mengeNH4Nha = a.menge.toDouble() * a.nh4n.toDouble();
  if (g > 0)
    n.pMenge = Nz(a.p) * (a.kategorie == 4 ? Nz(a.weideTiere) * Nz(a.weideTage) / 365 : g) *
               (a.kategorie == 4 ? 1 : std::max(Nz(a.menge), 0.0));
  return n;
}

QString Kategorietext(int kategorie) {
  switch (kategorie) {
    case 1: return u"Min.-D."_s;
    case 2: return u"Org.-D."_s;
    case 3: return u"Legum.N."_s;
    case 4: return u"Weide"_s;
    case 5: return u"And. Stoffe"_s;
    default: return {};
  }
}

std::vector<TZeile> Zeilen(TADOModConnection& db, int betrieb, int jahr) {
  std::vector<TZeile> zeilen;
  TAbfrage q(db,
             u"SELECT d.Kategorie, d.Menge, d.NT, d.NH4N, d.P, d.WeideTiere, d.WeideTage, d.IsLegumPauschal,"
             " d.Leguminosenanteil, d.N_Bindung_ha, d.N_Bindung_ha_gr10P, d.N_Bindung_dt_FM, d.N_Bindung_dt_FM_gr10P,"
             " s.Groesse, s.SchlagNr, s.SchlagName, s.BewirtschaftungsAuflagen, a.Jahr, a.Kultur, d.Datum, d.Dng"
             " FROM Dung d JOIN Anbau a ON a.ID = d.ProbenID"
             " LEFT JOIN Schlag s ON s.BetriebsNr = a.BetriebsNr AND s.Jahr = a.Jahr AND s.Parzelle = a.Parzelle"
             " WHERE d.BetriebsNr = :B AND ((d.Kategorie = 3 AND d.Jahr = :J) OR (d.Kategorie <> 3"
             " AND d.Datum IS NOT NULL AND CAST(substr(d.Datum, 1, 4) AS INTEGER) = :J))"
             " ORDER BY s.SchlagName, d.Datum, d.Kategorie, d.DngGrpNummer, d.ID"_s,
             {{u"B"_s, betrieb}, {u"J"_s, jahr}});
  while (q.Naechste()) {
    TAufzeichnung a;
    a.kategorie = q.Wert(0).toInt();
    a.menge = q.Wert(1);
    a.nt = q.Wert(2);
    a.nh4n = q.Wert(3);
    a.p = q.Wert(4);
    a.weideTiere = q.Wert(5);
    a.weideTage = q.Wert(6);
    a.isLegumPauschal = q.Wert(7);
    a.leguminosenanteil = q.Wert(8);
    a.nBindungHa = q.Wert(9);
    a.nBindungHaGr10P = q.Wert(10);
    a.nBindungDtFm = q.Wert(11);
    a.nBindungDtFmGr10P = q.Wert(12);
    a.groesse = q.Wert(13);
    const TNaehrstoffe n = Naehrstoffe(a);
    const double g = Nz(a.groesse);

    TZeile z;
    z.schlagNr = q.Wert(14).toDouble();
    z.schlagName = q.Wert(15).toString();
    z.groesse = g;
    z.nitratgebiet = q.Wert(16).toInt() == 2;
    z.kultur = q.Wert(17).toString() + u' ' + q.Wert(18).toString();
    z.datum = q.Wert(19).isNull() ? QDate() : QDate::fromString(q.Wert(19).toString().left(10), Qt::ISODate);
    z.kategorie = Kategorietext(a.kategorie);
    z.dng = q.Wert(20).toString();
    z.menge = Wert(a.menge);
    // Mineral fertiliser and legume yields are kept in dt per ha.
    if (z.menge && (a.kategorie == 1 || a.kategorie == 3)) *z.menge *= 0.1;
    z.weideTage = Wert(a.weideTage);
    if (z.weideTage) z.weideTage = std::nearbyint(*z.weideTage);
    z.weideTiere = Wert(a.weideTiere);
    if (z.weideTiere) z.weideTiere = std::nearbyint(*z.weideTiere);
    z.nHa = n.mengeNha;
    z.nh4nHa = n.mengeNH4Nha;
    z.pHa = g > 0 ? n.pMenge / g : 0;
    z.p2o5Ha = g > 0 ? n.pMenge * P2O5 / g : 0;
    zeilen.push_back(z);
  }
  return zeilen;
}

TMappe Mappe(const Listenausgabe::TKopf& kopf, const std::vector<TZeile>& zeilen) {
  using F = TMappe::TFormat;
  TMappe m;
  Listenausgabe::KopfSchreiben(m, kopf, u"O"_s);
  m.Text(u"A"_s, 5, u"Aufgebrachte Nährstoffe nach § 10 (2) DüV"_s, F::Titel);
  const std::pair<const char16_t*, const char16_t*> koepfe[] = {
      {u"A", u"Schlag-Nr."}, {u"B", u"Schlagname"},    {u"C", u"Größe (ha)"},  {u"D", u"Nitrat- gebiet"},
      {u"E", u"Gedüngte Kultur"}, {u"F", u"Datum"},    {u"G", u"Kategorie"},   {u"H", u"Bezeichnung"},
      {u"I", u"Menge"},      {u"J", u"Weide- tage"},   {u"K", u"Anzahl Tiere"}, {u"L", u"N ges."},
      {u"M", u"N verf."},    {u"N", u"P"},             {u"O", u"P2O5"},
  };
  for (const auto& [spalte, text] : koepfe) m.Text(spalte, 7, QString::fromUtf16(text), F::Spaltenkopf);
  m.Text(u"I"_s, 8, u"t/m³/ha"_s, F::Einheit);
  for (const char16_t* s : {u"L", u"M", u"N", u"O"}) m.Text(s, 8, u"kg/ha"_s, F::Einheit);
  m.Zeilenhoehe(7, 28);
  const std::pair<const char16_t*, double> breiten[] = {
      {u"A", 9},  {u"B", 24}, {u"C", 9},  {u"D", 8}, {u"E", 28}, {u"F", 11}, {u"G", 10}, {u"H", 30},
      {u"I", 9},  {u"J", 7},  {u"K", 8},  {u"L", 9}, {u"M", 9},  {u"N", 9},  {u"O", 11}};
  for (const auto& [spalte, breite] : breiten) m.Spaltenbreite(spalte, breite);

  int r = ErsteZeile;
  for (const TZeile& z : zeilen) {
    m.Zahl(u"A"_s, r, z.schlagNr, F::Mitte);
    m.Text(u"B"_s, r, z.schlagName);
    m.Zahl(u"C"_s, r, z.groesse, F::ZweiStellen);
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
  const TErgebnis e =
      Listenausgabe::Ausgeben(meldungen, ordner, Listenausgabe::FehlerSonst(), {},
                              [&] { return Mappe(Listenausgabe::Kopf(db, betrieb, jahr), Zeilen(db, betrieb, jahr)); });
  if (e == TErgebnis::Geschrieben) meldungen.Info(Listenausgabe::Fertig());
  return e;
}

}  // namespace Duengungsliste
