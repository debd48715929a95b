#include "kulturdaten.h"

#include "anbauregeln.h"
#include "ausfuehrung.h"
#include "befehle.h"
#include "connection.h"
#include "dataset.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace Kulturdaten {

namespace {

int Ganz(const QVariant& v) { return int(std::lround(v.toDouble())); }

TParameter Feld(const TSchlagJahr& s) { return {{u"B"_s, s.betrieb}, {u"J"_s, s.jahr}, {u"P"_s, s.parzelle}}; }

TWerte Eintraege(TADOModConnection& db, const QString& sql, const TParameter& parameter) {
  TWerte e;
  TAbfrage a(db, sql, parameter);
  while (a.Naechste()) e.emplace_back(a.Wert(1).toString(), a.Wert(0));
  return e;
}

}  // namespace

void ListeDesSchlags(TADODataSetMod& liste, int betrieb, int jahr) {
  liste.setCommandText(u"SELECT * FROM Anbau WHERE BetriebsNr = :B AND Parzelle = :P AND Jahr IN (:J, :J1) "
                       "ORDER BY Jahr, FruchtNr"_s);
  liste.ParameterSetzen(u"B"_s, betrieb);
  liste.ParameterSetzen(u"J"_s, jahr);
  liste.ParameterSetzen(u"J1"_s, jahr + 1);
  liste.ParameterSetzen(u"P"_s, 0);
  liste.setTabelle(u"Anbau"_s);
  liste.BerechnetesFeld(u"ErtragText"_s, [](const TADODataSetMod& l, int z) {
    const auto w = [&](const QString& f) { return l.Wert(z, l.FeldIndex(f)); };
    const QVariant e = w(u"IsEinzelErtrag"_s).toInt() ? w(u"Einzelertrag"_s) : w(u"TatsErtrag"_s);
    if (w(u"FruchtNr"_s).toInt() == 0) return QVariant();
    return QVariant(QString::number(qRound(e.toDouble())) +
                    Anbauregeln::Ertragseinheit(w(u"HauptfruchtNummer"_s).toLongLong()));
  });
  liste.BerechnetesFeld(u"NitratgebietText"_s, [](const TADODataSetMod& l, int z) {
    return QVariant(l.Wert(z, l.FeldIndex(u"RotesGebiet"_s)).toInt() == 2 ? u"Ja"_s : u"Nein"_s);
  });
}

void FuerParzelle(TADODataSetMod& liste, const QVariant& parzelle) { liste.ParameterSetzen(u"P"_s, parzelle); }

void ListeDesJahres(TADODataSetMod& liste, int betrieb, int jahr) {
  liste.setCommandText(u"SELECT * FROM Anbau WHERE BetriebsNr = :B AND Jahr = :J AND FruchtNr >= 1 "
                       "ORDER BY Parzelle, FruchtNr"_s);
  liste.ParameterSetzen(u"B"_s, betrieb);
  liste.ParameterSetzen(u"J"_s, jahr);
  liste.setTabelle(u"Anbau"_s);
}

TWerte Kulturen(TADOModConnection& db, int betrieb) {
  return Eintraege(db,
                   u"select FA_NR, Kultur from S_KulturenNP where BetriebsNr = :B and Auswahl = 1 "
                   "and Ertragsniveau > 0 and coalesce(Kultur, '') <> '' order by Kultur"_s,
                   {{u"B"_s, betrieb}});
}

TWerte Zwischenfruechte(TADOModConnection& db) {
  return Eintraege(db, u"select ID, Fruchtart from S_Zwifru order by ID"_s, {});
}

TWerte Hauptfrucht(TADOModConnection& db, const TSchlagJahr& schlag, const QVariant& faNr) {
  TAbfrage a(db,
             u"select Kultur, AlGlSonst, HP_TM_Umr, IsEinzelErtrag, Ertragsniveau, Rohprotein, TatsErtrag, TatsErtragRG, "
             "IsLegum, Kulturgruppe, N_Bindung_ha, N_Bindung_ha_gr10P, N_Bindung_dt_FM, N_Bindung_dt_FM_gr10P "
             "from S_KulturenNP where BetriebsNr = :B and FA_NR = :F"_s,
             {{u"B"_s, schlag.betrieb}, {u"F"_s, faNr}});
  if (!a.Naechste()) return {};
  const bool nitratgebiet =
      schlag.jahr > 2020 &&
      db.Wert(u"select BewirtschaftungsAuflagen from Schlag where BetriebsNr = :B and Jahr = :J and Parzelle = :P"_s,
              Feld(schlag))
              .toInt() == 2;
  TWerte w;
  for (const QString& f : {u"Kultur"_s, u"AlGlSonst"_s, u"HP_TM_Umr"_s, u"IsEinzelErtrag"_s, u"Ertragsniveau"_s})
    w.emplace_back(f, a.Wert(f));
  w.emplace_back(u"TatsRohprotein"_s, a.Wert(u"Rohprotein"_s));
  w.emplace_back(u"TatsErtrag"_s, nitratgebiet ? a.Wert(u"TatsErtragRG"_s) : a.Wert(u"TatsErtrag"_s));
  w.emplace_back(u"IsLegum"_s, a.Wert(u"IsLegum"_s));
  w.emplace_back(u"KulturGruppe"_s, a.Wert(u"Kulturgruppe"_s));
  for (const QString& f : {u"N_Bindung_ha"_s, u"N_Bindung_ha_gr10P"_s, u"N_Bindung_dt_FM"_s, u"N_Bindung_dt_FM_gr10P"_s})
    w.emplace_back(f, a.Wert(f));
  w.emplace_back(u"Einzelertrag"_s, 0);
  w.emplace_back(u"Duengebedarf"_s, QVariant());
  return w;
}

TVorfrucht Vorfrucht(TADOModConnection& db, int betrieb, const QVariant& faNr) {
  TAbfrage a(db, u"select Kultur, TatsErtrag from S_KulturenNP where BetriebsNr = :B and FA_NR = :F"_s,
             {{u"B"_s, betrieb}, {u"F"_s, faNr}});
  if (!a.Naechste()) return {};
  return {a.Wert(0).toString(), Ganz(a.Wert(1))};
}

QVariant Kulturname(TADOModConnection& db, int betrieb, const QVariant& faNr) {
  return db.Wert(u"select Kultur from S_KulturenNP where BetriebsNr = :B and FA_NR = :F"_s,
                 {{u"B"_s, betrieb}, {u"F"_s, faNr}});
}

void VorfruchtInSchlag(TADOModConnection& db, const TSchlagJahr& schlag, int fruchtNr, const QVariant& vorfrucht,
                       const TVorfrucht& werte) {
  if (fruchtNr < Anbauregeln::HoechsteFruchtNr(db, schlag.betrieb, schlag.jahr, schlag.parzelle)) return;
  TParameter p = Feld(schlag);
  p.emplace_back(u"E"_s, werte.ertrag);
  p.emplace_back(u"V"_s, vorfrucht);
  p.emplace_back(u"N"_s, werte.text);
  Ausfuehrung::MitMeldung(db,
                          u"update Schlag set VFEinzelertrag = :E, Vorfrucht = :V, VF_Name = :N "
                          "where BetriebsNr = :B and Jahr = :J and Parzelle = :P"_s,
                          p, u"Die Vorfrucht konnte nicht in den Schlag übernommen werden."_s,
                          u"Bitte wählen Sie die Vorfrucht noch einmal aus."_s);
}

QString ZwischenfruchtText(TADOModConnection& db, const QVariant& art) {
  const QString name = db.Wert(u"select Fruchtart from S_Zwifru where ID = :id"_s, {{u"id"_s, art}}).toString();
  return (u"--Zwischenfrucht-- "_s + name).trimmed();
}

void ZwischenfruchtInSchlag(TADOModConnection& db, const TSchlagJahr& schlag, const QString& text) {
  TParameter p = Feld(schlag);
  p.emplace_back(u"T"_s, text);
  Ausfuehrung::MitMeldung(db,
                          u"update Schlag set ZwischenfruchtText = :T where BetriebsNr = :B and Jahr = :J "
                          "and Parzelle = :P"_s,
                          p, u"Die Zwischenfrucht konnte nicht in den Schlag übernommen werden."_s,
                          u"Bitte wählen Sie die Zwischenfrucht noch einmal aus."_s);
}

qint64 ZwischenfruchtZeile(TADOModConnection& db, const TSchlagJahr& schlag) {
  return db.Wert(u"select ID from Anbau where BetriebsNr = :B and Jahr = :J and Parzelle = :P and FruchtNr = 0"_s,
                 Feld(schlag))
      .toLongLong();
}

void VorDemSpeichern(TADOModConnection& db, TADODataSetMod& l, int betrieb) {
  const bool neu = l.Zustand() == TADODataSetMod::TZustand::Einfuegen;
  const TSchlagJahr schlag{betrieb, l.Wert(u"Jahr"_s).toInt(), l.Wert(u"Parzelle"_s).toInt()};
  const int fruchtNr = l.Wert(u"FruchtNr"_s).toInt();
  const int hoechste = Anbauregeln::HoechsteFruchtNr(db, betrieb, schlag.jahr, schlag.parzelle);
  const bool letzte = neu || fruchtNr >= hoechste;
  if (l.Wert(u"Einzelertrag"_s).isNull() || l.Wert(u"Einzelertrag"_s).toDouble() == 0)
    l.setWert(u"Einzelertrag"_s, l.Wert(u"TatsErtrag"_s));
  if (l.Wert(u"IsEinzelErtrag"_s).toInt() != 0 && l.Wert(u"Ertragsniveau"_s).toDouble() > 1) {
    const double e = Anbauregeln::EinzelertragBegrenzt(l.Wert(u"Einzelertrag"_s).toDouble(),
                                                       l.Wert(u"Ertragsniveau"_s).toDouble(),
                                                       l.Wert(u"TatsErtrag"_s).toDouble());
    if (e != l.Wert(u"Einzelertrag"_s).toDouble()) l.setWert(u"Einzelertrag"_s, e);
  }
  if (fruchtNr == 0) {
    const int art = l.Wert(u"HauptfruchtNummer"_s).toInt();
    l.setWert(u"Zwischenfrucht"_s, art > 0 ? art : Anbauregeln::OhneZwischenfrucht);
  } else if (fruchtNr == 1) {
    const int zf = db.Wert(u"select max(HauptfruchtNummer) from Anbau where BetriebsNr = :B and Jahr = :J "
                           "and Parzelle = :P and FruchtNr = 0"_s,
                           Feld(schlag))
                       .toInt();
    l.setWert(u"Zwischenfrucht"_s, zf > 0 ? zf : Anbauregeln::OhneZwischenfrucht);
  } else {
    l.setWert(u"Zwischenfrucht"_s, Anbauregeln::OhneZwischenfrucht);
    TParameter p = Feld(schlag);
    p.emplace_back(u"F"_s, fruchtNr - 1);
    l.setWert(u"Vorfrucht"_s, db.Wert(u"select HauptfruchtNummer from Anbau where BetriebsNr = :B and Jahr = :J "
                                      "and Parzelle = :P and FruchtNr = :F"_s,
                                      p));
  }
  if (letzte && fruchtNr >= 1) {
    TParameter p = Feld(schlag);
    p.emplace_back(u"HE"_s, Ganz(l.Wert(u"Einzelertrag"_s)));
    p.emplace_back(u"HN"_s, l.Wert(u"HauptfruchtNummer"_s));
    p.emplace_back(u"K"_s, l.Wert(u"Kultur"_s));
    p.emplace_back(u"VN"_s, l.Wert(u"VorfruchtText"_s));
    p.emplace_back(u"V"_s, l.Wert(u"Vorfrucht"_s));
    p.emplace_back(u"VE"_s, Ganz(l.Wert(u"VorfruchtErtrag"_s)));
    db.AusfuehrenStill(u"update Schlag set HFEinzelertrag = :HE, HauptfruchtNummer = :HN, HF_Name = :K, Kultur = :K, "
                       "VF_Name = :VN, Vorfrucht = :V, VFEinzelertrag = :VE, Einzelertrag = :HE "
                       "where BetriebsNr = :B and Jahr = :J and Parzelle = :P"_s,
                       p);
  }
}

void NachDemSpeichern(TADOModConnection& db, const TADODataSetMod& l, int betrieb) {
  const qint64 id = l.Wert(u"ID"_s).toLongLong();
  const TSchlagJahr schlag{betrieb, l.Wert(u"Jahr"_s).toInt(), l.Wert(u"Parzelle"_s).toInt()};
  const int fruchtNr = l.Wert(u"FruchtNr"_s).toInt();
  TParameter feld = Feld(schlag);
  feld.emplace_back(u"id"_s, id);
  if (fruchtNr == 0)
    db.AusfuehrenStill(u"update Schlag set ZwischenfruchtText = (select Kultur from Anbau where ID = :id) "
                       "where BetriebsNr = :B and Jahr = :J and Parzelle = :P"_s,
                       feld);
  // Group 20 runs twice, as the rules have always been run after a save:
  // the second pass sees what the first wrote (the previous-crop values,
  // among others). It runs once more below, after the legume record and the
  // field's crop row are in place.
  Befehle::GruppeFuerDatensatz(db, id, 20);
  Befehle::GruppeFuerDatensatz(db, id, 20);
  Anbauregeln::LegumAbgleichen(db, id);
  if (fruchtNr >= Anbauregeln::HoechsteFruchtNr(db, betrieb, schlag.jahr, schlag.parzelle))
    db.AusfuehrenStill(u"update Schlag set Kultur_ID = :id where BetriebsNr = :B and Jahr = :J and Parzelle = :P"_s, feld);
  if (fruchtNr >= 1) Befehle::GruppeFuerDatensatz(db, id, 20);
  if (fruchtNr == 1)
    db.AusfuehrenStill(u"update Schlag set ( HauptfruchtNummer, Vorfrucht, HFEinzelertrag ) = ( select "
                       "HauptfruchtNummer, Vorfrucht, TatsErtrag from Anbau where ID = :id ) "
                       "where BetriebsNr = :B and Jahr = :J and Parzelle = :P"_s,
                       feld);
}

}  // namespace Kulturdaten
