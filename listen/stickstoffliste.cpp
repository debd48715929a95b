#include "stickstoffliste.h"

#include "connection.h"
#include "dataset.h"
#include "gueltigkeit.h"
#include "kulturdaten.h"
#include "meldungen.h"
#include "stickstoff.h"

using namespace Qt::StringLiterals;

namespace Stickstoffliste {

namespace {
constexpr int Gruenland = 2;
constexpr int Nitratgebiet = 2;
}  // namespace

std::vector<TZeile> Zeilen(TADOModConnection& db, int betrieb, int jahr) {
  std::vector<TZeile> zeilen;
  TAbfrage a(db,
             u"SELECT a.Parzelle, s.SchlagNr, s.SchlagName, s.Groesse, s.BewirtschaftungsAuflagen, a.Kultur,"
             " a.TatsErtrag, a.KulturGruppe, a.Nmin_0_30, a.Nmin_30_60, a.Nmin_60_90, a.Nmin, a.Duengebedarf"
             " FROM Anbau a JOIN Schlag s ON s.BetriebsNr = a.BetriebsNr AND s.Jahr = a.Jahr"
             " AND s.Parzelle = a.Parzelle"
             " WHERE a.BetriebsNr = :B AND a.Jahr = :J AND a.FruchtNr >= 1 ORDER BY a.Parzelle, a.FruchtNr, a.ID"_s,
             {{u"B"_s, betrieb}, {u"J"_s, jahr}});
  while (a.Naechste()) {
    TZeile z;
    z.parzelle = a.Wert(0).toInt();
    z.schlagNr = a.Wert(1).toDouble();
    z.schlagName = a.Wert(2).toString();
    z.groesse = a.Wert(3).toDouble();
    z.nitratgebiet = a.Wert(4).toInt() == Nitratgebiet;
    z.kultur = a.Wert(5).toString();
    z.tatsErtrag = a.Wert(6).toDouble();
    z.gruenland = a.Wert(7).toInt() == Gruenland;
    z.nmin0_30 = a.Wert(8).toDouble();
    z.nmin30_60 = a.Wert(9).toDouble();
    z.nmin60_90 = a.Wert(10).toDouble();
    z.nmin = a.Wert(11).toDouble();
    z.duengebedarf = a.Wert(12).toDouble();
    zeilen.push_back(z);
  }
  return zeilen;
}

TMappe Mappe(const Listenausgabe::TKopf& kopf, const std::vector<TZeile>& zeilen) {
  using F = TMappe::TFormat;
  TMappe m;
  Listenausgabe::KopfSchreiben(m, kopf, u"N"_s, u"Schlagübersicht Stickstoff-Düngebedarf"_s);
  Listenausgabe::Spaltenkoepfe(m, {
      {u"A", u"Schlag-Nr."},
      {u"B", u"Schlagname"},
      {u"C", u"Größe (ha)"},
      {u"D", u"Nitrat- gebiet"},
      {u"E", u"Kultur"},
      {u"F", u"verwendetes Ertrags- Niveau"},
      {u"G", u"Nmin 0-30 cm"},
      {u"H", u"Nmin 30-60 cm"},
      {u"I", u"Nmin 60-90 cm"},
      {u"J", u"Nmin Summe"},
      {u"K", u"N-Düngebedarf"},
      {u"L", u"N-Düngebedarf Nitratgebiet (-20 %)"},
      {u"M", u"bereits gedüngt"},
      {u"N", u"verbleibender N-Düngebedarf"},
  }, 54);
  m.Text(u"F"_s, 8, u"dt/ha"_s, F::Einheit);
  for (const char16_t* s : {u"G", u"H", u"I", u"J", u"K", u"L", u"M", u"N"}) m.Text(s, 8, u"kg N/ha"_s, F::Einheit);
  Listenausgabe::Spaltenbreiten(m, {{u"A", 9},  {u"B", 24}, {u"C", 9},  {u"D", 8},  {u"E", 30},
                                   {u"F", 10}, {u"G", 8},  {u"H", 8},  {u"I", 8},  {u"J", 8},
                                   {u"K", 11}, {u"L", 12}, {u"M", 10}, {u"N", 12}});

  int r = Listenausgabe::ErsteZeile;
  for (const TZeile& z : zeilen) {
    Listenausgabe::Schlagspalten(m, r, z.schlagNr, z.schlagName, z.groesse);
    m.Text(u"D"_s, r, z.nitratgebiet ? u"Ja"_s : u"Nein"_s, F::Mitte);
    m.Text(u"E"_s, r, z.kultur);
    m.Zahl(u"F"_s, r, z.tatsErtrag, F::Ganz);
    const std::pair<const char16_t*, double> nmin[] = {
        {u"G", z.nmin0_30}, {u"H", z.nmin30_60}, {u"I", z.nmin60_90}, {u"J", z.nmin}};
    for (const auto& [spalte, wert] : nmin) {
      if (z.gruenland)
        m.Text(spalte, r, u"entfällt"_s, F::Mitte);
      else
        m.Zahl(spalte, r, wert, F::Ganz);
    }
    m.Zahl(u"K"_s, r, z.duengebedarf, F::Ganz);
    if (z.nitratgebiet) m.Zahl(u"L"_s, r, z.duengebedarf * 0.8, F::EineStelle);
    // M is the user's; empty it counts 0.
    m.Formel(u"N"_s, r, u"=K%1-M%1"_s.arg(r), z.duengebedarf, F::Ganz);
    ++r;
  }
  return m;
}

std::vector<qint64> Gueltigkeitspass(TADOModConnection& db, int betrieb, int jahr) {
  const std::vector<qint64> ungueltig = Gueltigkeit::StickstoffPruefen(db, betrieb, jahr);
  // The crop row's own save actions, as when the user saves it.
  TADODataSetMod zeile(db);
  zeile.setCommandText(u"SELECT * FROM Anbau WHERE ID = :ID"_s);
  zeile.setTabelle(u"Anbau"_s);
  zeile.setImplizitAnfuegen(false);
  zeile.VorDemSpeichern = [&db, betrieb](TADODataSetMod& l) {
    Kulturdaten::VorDemSpeichern(db, l, betrieb);
    return true;
  };
  zeile.NachDemSpeichern = [&db, betrieb](TADODataSetMod& l) { Kulturdaten::NachDemSpeichern(db, l, betrieb); };
  std::vector<qint64> gesetzt;
  for (qint64 id : ungueltig) {
    zeile.ParameterSetzen(u"ID"_s, id);
    if (!zeile.Oeffnen() || zeile.IstLeer()) continue;
    zeile.Bearbeiten();
    zeile.setWert(u"Duengebedarf"_s, 0);
    if (zeile.Speichern())
      gesetzt.push_back(id);
    else
      zeile.Abbrechen();
    zeile.Schliessen();
  }
  return gesetzt;
}

Listenausgabe::TErgebnis Exportieren(TADOModConnection& db, TMeldungen& meldungen, int betrieb, int jahr,
                                     const QString& ordner) {
  return Listenausgabe::Exportieren(
      db, meldungen, betrieb, jahr, ordner, Listenausgabe::Fehler(),
      [&] { Stickstoff::JahrBerechnen(db, betrieb, jahr); },
      [&](const Listenausgabe::TKopf& kopf) { return Mappe(kopf, Zeilen(db, betrieb, jahr)); },
      [&] { Gueltigkeitspass(db, betrieb, jahr); });
}

}  // namespace Stickstoffliste
