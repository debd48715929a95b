#include "druckdaten.h"

#include "connection.h"
#include "zahlen.h"

#include <cmath>

namespace Druckdaten {

namespace {

QString K(const char* s) { return QString::fromUtf8(s); }

double Nz(const QVariant& v) { return v.isNull() || !v.isValid() ? 0.0 : v.toDouble(); }
double Nz(const std::optional<double>& w) { return w.value_or(0.0); }

// A stored whole number; empty stays empty.
QString GanzOderLeer(const QVariant& v) { return v.isNull() || !v.isValid() ? QString() : Ganz(v.toDouble()); }

QString Datum(const QDate& d) { return d.isValid() ? d.toString(QStringLiteral("dd.MM.yyyy")) : QString(); }

// Per ha of an area; 0 without area.
double JeHa(double menge, double flaeche) { return flaeche != 0 ? menge / flaeche : 0.0; }

}  // namespace

QString Dezimal(double wert, int stellen) {
  const double faktor = std::pow(10.0, stellen);
  const long long teile = std::llround(std::nearbyint(std::fabs(wert) * faktor + 0.001));
  QString text = QString::number(teile);
  if (stellen > 0) {
    text = text.rightJustified(stellen + 1, QLatin1Char('0'));
    text.insert(text.size() - stellen, QLatin1Char(','));
  }
  return wert < 0 ? QLatin1Char('-') + text : text;
}

QString Ganz(double wert) { return QString::number(Zahlen::Gerundet(wert)); }

QString JaNein(bool ja) { return ja ? K("Ja") : K("Nein"); }

TBetriebskopf Betriebskopf(TADOModConnection& db, int betrieb, int jahr) {
  TBetriebskopf k;
  {
    TAbfrage q(db, K("select Betriebsname, SitzStrasse, SitzPLZ, SitzOrt, SitzOrtsTeil, EU_NUMMER from Betriebe "
                     "where ID = :b"),
               {{K("b"), betrieb}});
    if (q.Naechste()) {
      k.name = q.Wert(0).toString().trimmed();
      k.strasse = q.Wert(1).toString().trimmed();
      k.ort = q.Wert(2).toString() + QLatin1Char(' ') + q.Wert(3).toString() + K(" / ") + q.Wert(4).toString();
      k.euNummer = q.Wert(5).toString().trimmed();
    }
  }
  TAbfrage q(db, K("select ErstellungsdatumAufzeichnungBedarf, Betriebsgroesse, Flaeche170kg from DuengeJahr "
                   "where BetriebsNr = :b and Duengejahr = :j"),
             {{K("b"), betrieb}, {K("j"), jahr}});
  if (q.Naechste()) {
    if (!q.Wert(0).isNull()) k.erstellt = QDate::fromString(q.Wert(0).toString().left(10), Qt::ISODate);
    if (!q.Wert(1).isNull()) k.betriebsgroesse = q.Wert(1).toDouble();
    if (!q.Wert(2).isNull()) k.flaeche170kg = q.Wert(2).toDouble();
  }
  return k;
}

namespace {

const char* const SchlagAbfrage =
    "select Parzelle, Feldblock, SchlagNr, SchlagName, Groesse from Schlag where BetriebsNr = :b and Jahr = :j ";

TSchlag SchlagAus(const TAbfrage& q) {
  return {q.Wert(0).toInt(), q.Wert(1).toString(), q.Wert(2).isNull() ? QString() : q.Wert(2).toString(),
          q.Wert(3).toString(), Nz(q.Wert(4))};
}

}  // namespace

std::vector<TSchlag> Schlaege(TADOModConnection& db, int betrieb, int jahr) {
  std::vector<TSchlag> s;
  TAbfrage q(db, K(SchlagAbfrage) + K("order by Parzelle"), {{K("b"), betrieb}, {K("j"), jahr}});
  while (q.Naechste()) s.push_back(SchlagAus(q));
  return s;
}

std::optional<TSchlag> Schlag(TADOModConnection& db, int betrieb, int jahr, int parzelle) {
  TAbfrage q(db, K(SchlagAbfrage) + K("and Parzelle = :p"), {{K("b"), betrieb}, {K("j"), jahr}, {K("p"), parzelle}});
  if (!q.Naechste()) return std::nullopt;
  return SchlagAus(q);
}

QString Kategoriekurz(int kategorie) {
  switch (kategorie) {
    case 1: return K("Min.-D.");
    case 2: return K("Org.-D.");
    case 3: return K("Legum.N.");
    case 4: return K("Weide");
    case 5: return K("And. Stoffe");
    default: return {};
  }
}

std::vector<Auswertung::TDungsatz> SchlagSaetze(const std::vector<Auswertung::TDungsatz>& alle, int parzelle) {
  std::vector<Auswertung::TDungsatz> s;
  for (const auto& a : alle)
    if (!a.parzelle.isNull() && a.parzelle.toInt() == parzelle) s.push_back(a);
  return s;
}

std::vector<std::pair<int, int>> Seiten(int anzahl, int jeSeite) {
  std::vector<std::pair<int, int>> seiten;
  for (int von = 0; von < anzahl; von += jeSeite) seiten.emplace_back(von, std::min(anzahl, von + jeSeite));
  return seiten;
}

TBlattzeile Blattzeile(const Auswertung::TDungsatz& s) {
  // Days and animals belong to grazing; other records leave the columns empty.
  const bool weide = s.kategorie == 4;
  return {Datum(s.datum),
          Kategoriekurz(s.kategorie),
          s.kultur,
          s.dng,
          Dezimal(s.MengeTonnen(), 3),
          weide ? GanzOderLeer(s.weideTage) : QString(),
          weide ? GanzOderLeer(s.weideTiere) : QString(),
          Dezimal(s.mengeN, 1),
          Dezimal(s.mengeNH4N, 1),
          Dezimal(s.pMenge, 1),
          Dezimal(s.p2o5Menge, 1)};
}

QStringList Summen(const std::vector<Auswertung::TDungsatz>& saetze, int von, int bis) {
  double n = 0, nVerf = 0, p = 0, p2o5 = 0;
  for (int i = von; i < bis; ++i) {
    n += saetze[i].mengeN;
    nVerf += saetze[i].mengeNH4N;
    p += saetze[i].pMenge;
    p2o5 += saetze[i].p2o5Menge;
  }
  return {Ganz(n), Ganz(nVerf), Ganz(p), Ganz(p2o5)};
}

std::vector<TAbschnitt> Abschnitte(const std::vector<Auswertung::TDungsatz>& saetze, bool nitratgebiet) {
  std::vector<TAbschnitt> a = {{K("Mineralische Düngemittel"), K("dt"), {}},
                               {K("Wirtschaftsdünger tierischer Herkunft"), K("t/m³"), {}},
                               {K("Sonstige organische Düngemittel"), K("t/m³"), {}},
                               {K("Stickstoffbindung Leguminosen"), K("dt FM"), {}},
                               {K("Weidehaltung"), K("n/d"), {}},
                               {K("Sonstige Stoffe, Substrate, Hilfsmittel"), K("t/m³"), {}}};
  for (const auto& s : saetze) {
    if (nitratgebiet && s.nitratgebiet != 2) continue;
    int nr = -1;
    switch (s.kategorie) {
      case 1: nr = 0; break;
      case 2: nr = s.dngGrpNummer.toInt() < 5 ? 1 : 2; break;
      case 3: nr = 3; break;
      case 4: nr = 4; break;
      case 5: nr = 5; break;
      default: break;
    }
    if (nr >= 0) a[nr].saetze.push_back(s);
  }
  std::erase_if(a, [](const TAbschnitt& x) { return x.saetze.empty(); });
  return a;
}

TListenzeile Listenzeile(const Auswertung::TDungsatz& s) {
  QString menge;
  if (s.kategorie == 4)
    menge = GanzOderLeer(s.weideTiere) + K("/") + GanzOderLeer(s.weideTage);
  else if (!(s.kategorie == 3 && s.Pauschal()))
    menge = Dezimal(Nz(s.menge), 1);
  return {s.feldblock,
          GanzOderLeer(s.parzelle),
          s.schlagName,
          Dezimal(Nz(s.groesse), 1),
          JaNein(s.nitratgebiet == 2),
          s.kultur,
          Auswertung::Kurzart(s),
          s.dng,
          Datum(s.datum),
          menge,
          Dezimal(s.mengeN, 1),
          Dezimal(s.mengeNH4N, 1),
          Dezimal(s.pMenge, 1),
          Dezimal(s.p2o5Menge, 1)};
}

std::optional<TBilanz> Bilanz(TADOModConnection& db, int betrieb, int jahr, bool nitratgebiet) {
  std::optional<TBilanz> b =
      nitratgebiet ? ::Bilanz::Nitratgebiet(db, betrieb, jahr) : ::Bilanz::Gesamtbetrieb(db, betrieb, jahr);
  if (b) return b;
  // No row is an empty statement only when the farm has no crop row; otherwise the computation failed.
  const QVariant anbau = db.Wert(K("select count(*) from Anbau where BetriebsNr = :b and Jahr = :j"),
                                 {{K("b"), betrieb}, {K("j"), jahr}});
  if (anbau.isNull() || anbau.toInt() > 0) return std::nullopt;
  return TBilanz{};
}

std::vector<TKopfpaar> Bilanzkopf(const TBilanz& b, const TBetriebskopf& k, bool nitratgebiet) {
  // The P2O5 demand is the stored one: converting the rounded P sum again would drift from it.
  const QString pBedarf = Ganz(b.Zahl(u"PBedarf")) + K(" / ") + Ganz(b.Zahl(u"P2O5Bedarf"));
  if (!nitratgebiet)
    return {{K("Gesamtbetrieblicher Düngebedarf (kg N):"), Ganz(b.Zahl(u"NBedarf"))},
            {K("Betriebsgröße (ha LF):"), Dezimal(Nz(k.betriebsgroesse), 1)},
            {K("Gesamtbetrieblicher Düngebedarf (kg P/P2O5):"), pBedarf},
            {K("Fläche zur Berechnung der 170-kg-N-Grenze (ha):"), Dezimal(Nz(k.flaeche170kg), 1)}};
  const double flaeche = b.Zahl(u"FlaecheRotesGebiet");
  const auto mitHa = [&](const char* name) {
    const double w = b.Zahl(QString::fromLatin1(name));
    return Ganz(w) + K(" / ") + Ganz(JeHa(w, flaeche));
  };
  return {{K("Düngebedarf im Nitratgebiet (kg P/P2O5):"), pBedarf},
          {K("Düngebedarf im Nitratgebiet (kg N):"), Ganz(b.Zahl(u"NBedarf"))},
          {K("Mineral-N-Einsatz Nitratgebiet (kg N/kgN/ha):"), mitHa("NMinDung")},
          {K("Düngebedarf abzüglich 20% (kg N):"), Ganz(b.Zahl(u"NBedarfRot"))},
          {K("Gesamt-N-Einsatz Nitratgebiet (kg N/kgN/ha):"), mitHa("NSummeOhneLegumWeide")},
          {K("Flächen im Nitratgebiet (ha LF):"), Dezimal(flaeche, 1)}};
}

std::vector<TBilanzzeile> Bilanzzeilen(const TBilanz& b, bool nitratgebiet) {
  const auto g = [&b](const char* name) { return Ganz(b.Zahl(QString::fromLatin1(name))); };
  const auto p2o5 = [&b](const char* name) { return Ganz(b.Zahl(QString::fromLatin1(name)) * P2O5JeP); };
  const auto zeile = [&](const char* nr, QStringList text, const char* n, const char* nVerf, const char* p) {
    TBilanzzeile z;
    z.nr = K(nr);
    z.text = std::move(text);
    if (n) z.nGes = g(n);
    if (nVerf) z.nVerf = g(nVerf);
    if (p) {
      z.p = g(p);
      z.p2o5 = p2o5(p);
    }
    return z;
  };
  std::vector<TBilanzzeile> t;
  t.push_back(zeile("1.", {K("Mineralische Düngemittel")}, "NMinDung", nullptr, "PMinDung"));
  t.back().nZusammen = true;
  t.push_back(zeile("2.", {K("Wirtschaftsdünger tierischer Herkunft")}, "NTierDung", "NVerfNTier", "PTierDung"));
  t.push_back(zeile("3.", {K("Weidehaltung")}, "NWeide", nullptr, "PWeide"));
  t.push_back(zeile("4.", {K("Sonstige organische Düngemittel")}, "NSonstDung", "NVerfSonstDung", "PSonstDung"));
  t.push_back(zeile("5.", {K("Bodenhilfsstoffe")}, "NBodenHilf", "NBodenHilfVerf", "PBodenHilf"));
  t.push_back(zeile("6.", {K("Kultursubstrate")}, "NKulturSubstrat", "NKulturSubstratVerf", "PKulturSubstrat"));
  t.push_back(zeile("7.", {K("Pflanzenhilfsmittel")}, "NPflanzenHilf", "NPflanzenHilfVerf", "PPflanzenHilf"));
  t.push_back(zeile("8.", {K("Abfälle zur Beseitigung"), K("(§ 28 Absatz2 oder 3 KrWG)")}, "NAbfall", "NAbfallVerf",
                    "PAbfall"));
  t.push_back(zeile("9.", {K("Stickstoffbindung Leguminosen")}, "NLegum", nullptr, nullptr));
  TBilanzzeile sonstige = zeile("10.", {K("Sonstige")}, nullptr, nullptr, nullptr);
  sonstige.nGes = sonstige.nVerf = sonstige.p = sonstige.p2o5 = nitratgebiet ? K("0") : K("0,0");
  t.push_back(sonstige);
  t.push_back(zeile("", {K("Summe Düngung ohne Weidehaltung und ohne"), K("Leguminosen")}, "NSummeOhneLegumWeide",
                    "NSummeOhneLegumWeideVerf", "PSummeOhneWeide"));
  t.push_back(zeile("11.", {K("Summe")}, "NSumme", "NSumme_Verf", "PSumme"));
  t.back().fett = true;
  if (!nitratgebiet) {
    t.push_back(zeile("12.",
                      {K("Summe Gesamtstickstoff/verfügbar in kg N/ha"), K("landwitschaftlich genutzter Fläche"),
                       K("nach § 6 (4) DüV (170 kg-N-Grenze)")},
                      "NSumme_ha", "NSumme_haVerf", nullptr));
  } else {
    const double f = b.Zahl(u"FlaecheRotesGebiet");
    TBilanzzeile z = zeile("12.", {K("Summe in kg Nährstoff pro ha landwirtschaftlich"),
                                   K("genutzter Fläche im Nitratgebiet")},
                           nullptr, nullptr, nullptr);
    z.nGes = Ganz(JeHa(b.Zahl(u"NSumme"), f));
    z.nVerf = Ganz(JeHa(b.Zahl(u"NSumme_Verf"), f));
    z.p = Ganz(JeHa(b.Zahl(u"PSumme"), f));
    z.p2o5 = Ganz(JeHa(b.Zahl(u"PSumme") * P2O5JeP, f));
    t.push_back(z);
  }
  return t;
}

}  // namespace Druckdaten
