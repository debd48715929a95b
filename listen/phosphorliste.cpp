#include "phosphorliste.h"

#include "connection.h"
#include "gueltigkeit.h"
#include "meldungen.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace Phosphorliste {

namespace {
QDate AlsDatum(const QVariant& v) {
  return v.isNull() ? QDate() : QDate::fromString(v.toString().left(10), Qt::ISODate);
}
}  // namespace

QString Nutzung(int nutzungsForm) {
  switch (nutzungsForm) {
    case 1: return u"Ackerland"_s;
    case 2: return u"Grünland"_s;
    case 4: return u"Brache"_s;
    default: return {};
  }
}

QString Zeitraum(int jahr, int pJahre) { return u"%1-%2"_s.arg(jahr).arg(jahr + std::max(pJahre, 1) - 1); }

std::vector<TZeile> Zeilen(TADOModConnection& db, int betrieb, int jahr) {
  std::vector<TZeile> zeilen;
  const QString letzte =
      u"(SELECT a.%1 FROM Anbau a WHERE a.BetriebsNr = s.BetriebsNr AND a.Jahr = s.Jahr AND a.Parzelle = s.Parzelle"
      " ORDER BY a.FruchtNr DESC, a.ID DESC LIMIT 1)"_s;
  TAbfrage a(db,
             u"SELECT s.SchlagNr, s.SchlagName, s.Groesse, s.NutzungsForm, s.BewirtschaftungsAuflagen, s.P_Jahre, "_s +
                 letzte.arg(u"Kultur"_s) + u", "_s + letzte.arg(u"TatsErtrag"_s) +
                 u", s.P_AnalyseDatum, s.P2O5_Gehalt, s.P_GehaltsKlasse, s.P_DuengeBedarf, s.P2O5_DuengeBedarf,"
                 " s.P_DuengeBedarfFachlich, s.P_Methode, s.P_Gehalt, Year(s.P_AnalyseDatum), s.HFEinzelertrag"
                 " FROM Schlag s WHERE s.BetriebsNr = :B AND s.Jahr = :J ORDER BY s.Parzelle"_s,
             {{u"B"_s, betrieb}, {u"J"_s, jahr}});
  while (a.Naechste()) {
    TZeile z;
    z.schlagNr = a.Wert(0).toDouble();
    z.schlagName = a.Wert(1).toString();
    z.groesse = a.Wert(2).toDouble();
    z.nutzung = Nutzung(a.Wert(3).toInt());
    z.nitratgebiet = a.Wert(4).toInt() == 2;
    z.zeitraum = Zeitraum(jahr, a.Wert(5).toInt());
    z.kultur = a.Wert(6).toString();
    z.tatsErtrag = a.Wert(7).toDouble();
    z.analyseDatum = AlsDatum(a.Wert(8));
    z.p2o5Gehalt = a.Wert(9).toDouble();
    z.gehaltsklasse = a.Wert(10).toString();
    Gueltigkeit::TPhosphatWerte w;
    w.methode = a.Wert(14).toInt();
    w.p2o5Gehalt = z.p2o5Gehalt;
    w.pGehalt = a.Wert(15).toDouble();
    w.analyseJahr = a.Wert(16).toInt();
    w.hfEinzelertrag = a.Wert(17).toDouble();
    w.pDuengeBedarf = a.Wert(11).toDouble();
    if (!Gueltigkeit::PhosphatUngueltig(w, jahr)) {
      const auto wert = [&](int i) -> std::optional<double> {
        const double v = a.Wert(i).toDouble();
        if (std::nearbyint(v) < 0) return std::nullopt;
        return v;
      };
      z.pBedarf = wert(11);
      z.p2o5Bedarf = wert(12);
      z.pBedarfFachlich = wert(13);
    }
    zeilen.push_back(z);
  }
  return zeilen;
}

TMappe Mappe(const Listenausgabe::TKopf& kopf, const std::vector<TZeile>& zeilen) {
  using F = TMappe::TFormat;
  TMappe m;
  Listenausgabe::KopfSchreiben(m, kopf, u"P"_s, u"Schlagübersicht Phosphat-Düngebedarf"_s);
  Listenausgabe::Spaltenkoepfe(m, {
      {u"A", u"Schlag-Nr."},
      {u"B", u"Schlagname"},
      {u"C", u"Größe (ha)"},
      {u"D", u"Nutzung"},
      {u"E", u"Nitrat- gebiet"},
      {u"F", u"Zeitraum"},
      {u"G", u"Kultur"},
      {u"H", u"verwen- detes Ertrags- Niveau"},
      {u"I", u"Analyse- datum"},
      {u"J", u"P2O5- Gehalt"},
      {u"K", u"Gehalts- klasse"},
      {u"L", u"P-Dünge- bedarf"},
      {u"M", u"P2O5-Dünge- bedarf"},
      {u"N", u"P-Düngebedarf fachlich"},
      {u"O", u"bereits gedüngt"},
      {u"P", u"verbleiben- der P-Dünge- bedarf"},
  }, 54);
  m.Text(u"H"_s, 8, u"dt/ha"_s, F::Einheit);
  m.Text(u"J"_s, 8, u"mg/100 g"_s, F::Einheit);
  m.Text(u"L"_s, 8, u"kg P/ha"_s, F::Einheit);
  m.Text(u"M"_s, 8, u"kg P2O5/ha"_s, F::Einheit);
  m.Text(u"N"_s, 8, u"kg P/ha"_s, F::Einheit);
  m.Text(u"O"_s, 8, u"kg P/ha"_s, F::Einheit);
  m.Text(u"P"_s, 8, u"kg P/ha"_s, F::Einheit);
  Listenausgabe::Spaltenbreiten(m, {
      {u"A", 9},  {u"B", 24}, {u"C", 9},  {u"D", 11}, {u"E", 8},  {u"F", 10}, {u"G", 30}, {u"H", 9},
      {u"I", 11}, {u"J", 9},  {u"K", 8},  {u"L", 10}, {u"M", 11}, {u"N", 11}, {u"O", 10}, {u"P", 11}});

  int r = Listenausgabe::ErsteZeile;
  for (const TZeile& z : zeilen) {
    Listenausgabe::Schlagspalten(m, r, z.schlagNr, z.schlagName, z.groesse);
    m.Text(u"D"_s, r, z.nutzung, F::Mitte);
    m.Text(u"E"_s, r, z.nitratgebiet ? u"ja"_s : u"nein"_s, F::Mitte);
    m.Text(u"F"_s, r, z.zeitraum, F::Mitte);
    m.Text(u"G"_s, r, z.kultur);
    m.Zahl(u"H"_s, r, z.tatsErtrag, F::Ganz);
    m.Datum(u"I"_s, r, z.analyseDatum);
    m.Zahl(u"J"_s, r, z.p2o5Gehalt, F::EineStelle);
    m.Text(u"K"_s, r, z.gehaltsklasse, F::Mitte);
    if (z.pBedarf) m.Zahl(u"L"_s, r, *z.pBedarf, F::Ganz);
    if (z.p2o5Bedarf) m.Zahl(u"M"_s, r, *z.p2o5Bedarf, F::Ganz);
    if (z.pBedarfFachlich) m.Zahl(u"N"_s, r, *z.pBedarfFachlich, F::Ganz);
    // O is the user's; empty cells count 0.
    m.Formel(u"P"_s, r, u"=L%1-O%1"_s.arg(r), z.pBedarf.value_or(0), F::Ganz);
    ++r;
  }
  return m;
}

Listenausgabe::TErgebnis Exportieren(TADOModConnection& db, TMeldungen& meldungen, int betrieb, int jahr,
                                     const QString& ordner) {
  return Listenausgabe::Exportieren(
      db, meldungen, betrieb, jahr, ordner, Listenausgabe::Fehler(), {},
      [&](const Listenausgabe::TKopf& kopf) { return Mappe(kopf, Zeilen(db, betrieb, jahr)); },
      [&] { Gueltigkeit::PhosphatPruefen(db, betrieb, jahr); });
}

}  // namespace Phosphorliste
