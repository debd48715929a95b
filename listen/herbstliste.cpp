#include "herbstliste.h"

#include "bedarfsblaetter.h"
#include "befehle.h"
#include "connection.h"
#include "meldungen.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace Herbstliste {

// The sheet and the list show the same texts; the sheet's are the source.
QString Vorfruchttext(int vorfrucht) { return Bedarfsblaetter::HerbstVorfrucht(vorfrucht); }

QString Fruchtarttext(int fruchtart, bool nitratgebiet) {
  return Bedarfsblaetter::HerbstFruchtart(fruchtart, nitratgebiet);
}

QString Titel(Herbstduengung::TSeite seite) {
  return seite == Herbstduengung::TSeite::Nitratgebiet
             ? u"Schlagübersicht Herbstdüngung auf Ackerland (Nitratgebiet)"_s
             : u"Schlagübersicht Herbstdüngung auf Ackerland"_s;
}

std::vector<TZeile> Zeilen(TADOModConnection& db, int betrieb, int jahr, Herbstduengung::TSeite seite) {
  using Herbstduengung::TSchlagauswahl;
  std::vector<TZeile> zeilen;
  const TSchlagauswahl auswahl = Herbstduengung::Schlagauswahl(seite, jahr);
  if (auswahl == TSchlagauswahl::Keine) return zeilen;
  const QString ergebnis = Herbstduengung::Ergebnisspalte(seite);
  TParameter p{{u"B"_s, betrieb}, {u"J"_s, jahr}};
  QString sql = u"SELECT SchlagNr, SchlagName, Groesse, HD_VF, HD_FA, HD_LOD, %1, BewirtschaftungsAuflagen"
                " FROM Schlag WHERE BetriebsNr = :B AND Jahr = :J AND %1 IS NOT NULL"_s.arg(ergebnis);
  if (auswahl != TSchlagauswahl::Alle) {
    sql += u" AND BewirtschaftungsAuflagen = :A"_s;
    p.emplace_back(u"A"_s, int(auswahl));
  }
  TAbfrage a(db, sql + u" ORDER BY Parzelle"_s, p);
  while (a.Naechste()) {
    TZeile z;
    z.schlagNr = a.Wert(0).toDouble();
    z.schlagName = a.Wert(1).toString();
    z.groesse = a.Wert(2).toDouble();
    z.vorfrucht = Vorfruchttext(a.Wert(3).toInt());
    z.fruchtart = Fruchtarttext(a.Wert(4).toInt(), jahr > 2020 && a.Wert(7).toInt() == 2);
    z.organisch = a.Wert(5).isNull() ? QString() : a.Wert(5).toInt() != 0 ? u"Ja"_s : u"Nein"_s;
    z.ergebnis = a.Wert(6).toDouble();
    zeilen.push_back(z);
  }
  return zeilen;
}

TMappe Mappe(const Listenausgabe::TKopf& kopf, Herbstduengung::TSeite seite, const std::vector<TZeile>& zeilen) {
  using F = TMappe::TFormat;
  TMappe m;
  Listenausgabe::KopfSchreiben(m, kopf, u"H"_s, Titel(seite));
  Listenausgabe::Spaltenkoepfe(m, {
      {u"A", u"Schlag-Nr."},
      {u"B", u"Schlagname"},
      {u"C", u"Größe (ha)"},
      {u"D", u"Vorfrucht"},
      {u"E", u"Geplante/angebaute Fruchtart"},
      {u"F", u"langjährig organisch gedüngt"},
      {u"G", u"N-Düngebedarf"},
      {u"H", u"davon maximal NH4-N"},
  }, 28);
  m.Text(u"F"_s, 8, u"(> 13 mg P-CAL/100 g)"_s, F::Einheit);
  m.Text(u"G"_s, 8, u"kg N ges./ha"_s, F::Einheit);
  m.Text(u"H"_s, 8, u"kg NH4-N/ha"_s, F::Einheit);
  Listenausgabe::Spaltenbreiten(m, {{u"A", 9},  {u"B", 24}, {u"C", 9},  {u"D", 30},
                                   {u"E", 60}, {u"F", 20}, {u"G", 13}, {u"H", 13}});

  int r = Listenausgabe::ErsteZeile;
  for (const TZeile& z : zeilen) {
    Listenausgabe::Schlagspalten(m, r, z.schlagNr, z.schlagName, z.groesse);
    m.Text(u"D"_s, r, z.vorfrucht);
    m.Text(u"E"_s, r, z.fruchtart);
    m.Text(u"F"_s, r, z.organisch, F::Mitte);
    m.Zahl(u"G"_s, r, z.ergebnis, F::Ganz);
    m.Zahl(u"H"_s, r, std::nearbyint(z.ergebnis) >= 1 ? 30 : 0, F::Ganz);
    ++r;
  }
  return m;
}

Listenausgabe::TErgebnis Exportieren(TADOModConnection& db, TMeldungen& meldungen, int betrieb, int jahr,
                                     Herbstduengung::TSeite seite, const QString& ordner) {
  return Listenausgabe::Exportieren(
      db, meldungen, betrieb, jahr, ordner, Listenausgabe::Fehler(),
      [&] { Befehle::GruppenFuerJahr(db, jahr, betrieb, {40, 5, 10, 15, 20, 50}); },
      [&](const Listenausgabe::TKopf& kopf) { return Mappe(kopf, seite, Zeilen(db, betrieb, jahr, seite)); });
}

}  // namespace Herbstliste
