#include "schlagdaten.h"

#include "ausfuehrung.h"
#include "bodenklimaraum.h"
#include "connection.h"
#include "dataset.h"
#include "phosphor.h"

#include <array>

using namespace Qt::StringLiterals;

namespace Schlagdaten {

namespace {

// The farm's soil-climate region; null when it has none that is a region.
QVariant BetriebsBkr(TADOModConnection& db, int betrieb) {
  const QVariant bkr = db.Wert(u"select BKR from Betriebe where ID = :B"_s, {{u"B"_s, betrieb}});
  return Bodenklimaraum::Gueltig(bkr) ? bkr : QVariant();
}

TSchlagWerte WerteAus(const std::function<QVariant(const QString&)>& wert) {
  TSchlagWerte w;
  w.keineDuengung = wert(u"KeineDuengung"_s).toInt() != 0;
  w.feldblock = wert(u"Feldblock"_s).toString();
  const std::array<std::pair<double*, QString>, 11> zahlen = {{{&w.parzelle, u"Parzelle"_s},
                                                               {&w.groesse, u"Groesse"_s},
                                                               {&w.bewirtschaftungsAuflagen, u"BewirtschaftungsAuflagen"_s},
                                                               {&w.phosphatgebiet, u"Phosphatgebiet"_s},
                                                               {&w.nutzungsForm, u"NutzungsForm"_s},
                                                               {&w.bkr, u"BKR"_s},
                                                               {&w.az, u"AZ"_s},
                                                               {&w.bg, u"BG"_s},
                                                               {&w.steingehaltKrume, u"SteingehaltKrume"_s},
                                                               {&w.durchwurzelungstiefe, u"Durchwurzelungstiefe"_s},
                                                               {&w.glBodenart, u"GL_Bodenart"_s}}};
  for (const auto& [ziel, spalte] : zahlen) *ziel = wert(spalte).toDouble();
  return w;
}

}  // namespace

void ListeDesJahres(TADODataSetMod& liste, int betrieb, int jahr) {
  liste.setCommandText(u"SELECT * FROM Schlag WHERE BetriebsNr = :B AND Jahr = :J ORDER BY Parzelle"_s);
  liste.ParameterSetzen(u"B"_s, betrieb);
  liste.ParameterSetzen(u"J"_s, jahr);
  liste.BerechnetesFeld(u"NitratgebietText"_s, [](const TADODataSetMod& l, int z) {
    return QVariant(l.Wert(z, l.FeldIndex(u"BewirtschaftungsAuflagen"_s)).toInt() == 2 ? u"Ja"_s : u"Nein"_s);
  });
}

QStringList Fehlend(const TSchlagWerte& w) {
  QStringList f;
  if (w.keineDuengung) return f;
  if (w.feldblock.trimmed().isEmpty()) f << u"Feldblock"_s;
  const std::pair<double, QString> zahlen[] = {{w.parzelle, u"Gesamtparzellennummer"_s},
                                               {w.groesse, u"Größe"_s},
                                               {w.bewirtschaftungsAuflagen, u"Nitratgebiet"_s},
                                               {w.phosphatgebiet, u"Phosphorgebiet"_s},
                                               {w.nutzungsForm, u"Nutzungsform"_s},
                                               {w.bkr, u"Bodenklimaraum"_s},
                                               {w.az, u"Ackerzahl"_s},
                                               {w.bg, u"Bodengruppe"_s},
                                               {w.steingehaltKrume, u"Steingehalt Boden (%)"_s},
                                               {w.durchwurzelungstiefe, u"Durchwurzelungstiefe"_s}};
  for (const auto& [wert, titel] : zahlen)
    if (wert == 0) f << titel;
  if (w.nutzungsForm == 2 && w.glBodenart == 0) f << u"Abschlag Boden-N-Nachlieferung (Grünland/Feldfutterbau)"_s;
  return f;
}

bool Unvollstaendig(const TSchlagWerte& w) { return !Fehlend(w).isEmpty(); }

QString FehlendText(const QStringList& fehlend) {
  if (fehlend.isEmpty()) return {};
  return (fehlend.size() == 1 ? u"Es fehlt: "_s : u"Es fehlen: "_s) + fehlend.join(u", "_s);
}

TSchlagWerte Werte(const TADODataSetMod& liste, int zeile) {
  return WerteAus([&](const QString& spalte) { return liste.Wert(zeile, liste.FeldIndex(spalte)); });
}

std::optional<TSchlagWerte> Werte(TADOModConnection& db, int betrieb, int jahr, int parzelle) {
  TAbfrage a(db, u"select * from Schlag where BetriebsNr = :B and Jahr = :J and Parzelle = :P"_s,
             {{u"B"_s, betrieb}, {u"J"_s, jahr}, {u"P"_s, parzelle}});
  if (!a.Naechste()) return std::nullopt;
  return WerteAus([&](const QString& spalte) { return a.Wert(spalte); });
}

void Vorgaben(TADOModConnection& db, TADODataSetMod& schlag, int betrieb, int jahr) {
  schlag.setWert(u"BetriebsNr"_s, betrieb);
  schlag.setWert(u"Jahr"_s, jahr);
  schlag.setWert(u"Bundesland"_s, db.Wert(u"select Bundesland from DuengeJahr where BetriebsNr = :B and Duengejahr = :J"_s,
                                          {{u"B"_s, betrieb}, {u"J"_s, jahr}}));
  schlag.setWert(u"BKR"_s, BetriebsBkr(db, betrieb));
  schlag.setWert(u"SteingehaltKrume"_s, 1);
  schlag.setWert(u"BewirtschaftungsAuflagen"_s, 1);
  schlag.setWert(u"Phosphatgebiet"_s, 1);
  schlag.setWert(u"NutzungsForm"_s, 1);
  schlag.setWert(u"Durchwurzelungstiefe"_s, 90);
  schlag.setWert(u"Feldblock"_s, u"DEVLLI"_s);
  for (const QString& f : {u"KeineDuengung"_s, u"HumusGroesserVier"_s, u"SonstigDuengebeschraenkung"_s, u"HD_LOD"_s,
                           u"NPVFAbgefahren"_s, u"NPAbgefahren"_s, u"NPFF_1Abgefahren"_s, u"GemueseModus"_s,
                           u"PhGroesserSieben"_s})
    schlag.setWert(f, 0);
}

void VorDemSpeichern(TADOModConnection& db, TADODataSetMod& schlag, int betrieb) {
  if (schlag.Wert(u"BG"_s).toInt() == 6) schlag.setWert(u"HumusGroesserVier"_s, 1);
  if (schlag.Wert(u"BKR"_s).toInt() == 0) {
    const QVariant bkr = BetriebsBkr(db, betrieb);
    if (!bkr.isNull()) schlag.setWert(u"BKR"_s, bkr);
  }
  const QString klasse = Phosphor::Gehaltsklasse(schlag.Wert(u"P_Methode"_s).toInt(), schlag.Wert(u"BKR"_s).toInt(),
                                                 schlag.Wert(u"P_Gehalt"_s).toDouble());
  if (schlag.Wert(u"P_GehaltsKlasse"_s).toString() != klasse) schlag.setWert(u"P_GehaltsKlasse"_s, klasse);
}

bool ParzelleVergeben(TADOModConnection& db, int betrieb, int jahr, int parzelle, qint64 ausser) {
  TAbfrage a(db, u"select ID from Schlag where BetriebsNr = :B and Jahr = :J and Parzelle = :P and ID <> :A"_s,
             {{u"B"_s, betrieb}, {u"J"_s, jahr}, {u"P"_s, parzelle}, {u"A"_s, ausser}});
  return a.Naechste();
}

TParzelle ParzellePruefen(TADOModConnection& db, int betrieb, int jahr, const QVariant& parzelle, const QVariant& schlagId) {
  if (parzelle.isNull() || parzelle.toInt() == 0) return TParzelle::Fehlt;
  if (ParzelleVergeben(db, betrieb, jahr, parzelle.toInt(), schlagId.toLongLong())) return TParzelle::Vergeben;
  return TParzelle::Gueltig;
}

QString ParzellenMeldung(TParzelle p) {
  switch (p) {
    case TParzelle::Gueltig:
      return {};
    case TParzelle::Fehlt:
      return u"Ohne Gesamtparzellennummer kann der Schlag nicht gespeichert werden. Bitte geben Sie die Nummer ein "
             "(für eine Bewirtschaftungseinheit eine negative Zahl) oder nehmen Sie die Eingabe mit „Abbruch“ zurück."_s;
    case TParzelle::Vergeben:
      return u"Diese Parzelle gibt es schon, bitte andere Nummer vergeben."_s;
  }
  return {};
}

bool DuengejahrVorhanden(TADOModConnection& db, int betrieb) {
  TAbfrage a(db, u"select ID from DuengeJahr where BetriebsNr = :B"_s, {{u"B"_s, betrieb}});
  return a.Naechste();
}

bool Loeschen(TADOModConnection& db, const QVariant& schlagId) {
  return Ausfuehrung::MitMeldung(db, u"delete from Schlag where ID = :id"_s, {{u"id"_s, schlagId}},
                                 u"Der Schlag konnte nicht gelöscht werden."_s);
}

QString Betriebsname(TADOModConnection& db, int betrieb) {
  return db.Wert(u"select Betriebsname from Betriebe where ID = :B"_s, {{u"B"_s, betrieb}}).toString();
}

int Suchen(const TADODataSetMod& liste, const QString& text) {
  const QString t = text.trimmed();
  if (t.isEmpty()) return -1;
  if (t.at(0).isDigit()) {
    const int i = liste.FeldIndex(u"SchlagNr"_s);
    for (int z = 0; z < liste.Anzahl(); ++z)
      if (liste.Wert(z, i).toString() == t) return z;
    return -1;
  }
  const std::function<bool(const QString&)> tests[3] = {
      [&](const QString& s) { return s == t; },
      [&](const QString& s) { return s.compare(t, Qt::CaseInsensitive) == 0; },
      [&](const QString& s) { return s.startsWith(t, Qt::CaseInsensitive); }};
  for (const QString& spalte : {u"SchlagName"_s, u"Kultur"_s}) {
    const int i = liste.FeldIndex(spalte);
    for (const auto& test : tests)
      for (int z = 0; z < liste.Anzahl(); ++z)
        if (test(liste.Wert(z, i).toString())) return z;
  }
  return -1;
}

}  // namespace Schlagdaten
