#include "bedarfsblaetter.h"

#include "connection.h"
#include "phosphorpruefung.h"
#include "zahlen.h"

#include <QDate>
#include <QVariantMap>

#include <cmath>

using namespace Qt::StringLiterals;

namespace Bedarfsblaetter {

// --- value texts ------------------------------------------------------------------

QString Ganz(const QVariant& wert) { return QString::number(Zahlen::Gerundet(wert.toDouble())); }

QString Negiert(const QVariant& wert) { return QString::number(-Zahlen::Gerundet(wert.toDouble())); }

QString EineStelle(const QVariant& wert) { return Zahlen::Text(wert.toDouble(), 1); }

QString PPaar(double p2o5) {
  return u"%1 (%2)"_s.arg(Zahlen::Gerundet(p2o5 / Phosphorpruefung::P2O5jeP)).arg(Zahlen::Gerundet(p2o5));
}

QString Gebiet(const QVariant& wert) { return wert.toInt() == 2 ? u"Ja"_s : u"Nein"_s; }

QString JaNein(const QVariant& wert) {
  if (wert.isNull()) return {};
  return wert.toInt() != 0 ? u"Ja"_s : u"Nein"_s;
}

namespace {

QString AusListe(const QVariant& wert, std::initializer_list<std::pair<int, QString>> liste) {
  if (wert.isNull()) return {};
  const int w = wert.toInt();
  for (const auto& [n, text] : liste)
    if (n == w) return text;
  return {};
}

}  // namespace

QString Bodengruppe(const QVariant& bg) {
  return AusListe(bg, {{1, u"1 - Sand"_s},
                       {2, u"2 - schwach lehmiger Sand"_s},
                       {3, u"3 - stark lehmiger Sand"_s},
                       {4, u"4 - sandiger/ schluffiger Lehm"_s},
                       {5, u"5 - toniger Lehm bis Ton"_s},
                       {6, u"6 - Anmoor/ Niedermoor"_s}});
}

QString Steingehalt(const QVariant& wert) { return Ganz(wert) + u" %"_s; }

QString Humus(const QVariant& humusGroesserVier) {
  return humusGroesserVier.toInt() != 0 ? u"> 4 %"_s : u"<= 4 %"_s;
}

QString NminQuelle(const QVariant& quelle) {
  return AusListe(quelle, {{1, u"Bodenuntersuchung MIT Steingehalt"_s},
                           {4, u"Bodenuntersuchung OHNE Steingehalt"_s},
                           {2, u"Richtwerte Fachbehörde"_s},
                           {3, u"aus Schicht 1 und 2 berechnet"_s}});
}

QString Ertragseinheit(const QVariant& fruchtNummer) {
  return fruchtNummer.toLongLong() % 1000 / 100 == 2 ? u" dt TM/ha"_s : u" dt FM/ha"_s;
}

QString Nutzungsart(const QVariant& wert) {
  return AusListe(wert, {{1, u"Ackerland"_s}, {2, u"Grünland"_s}, {4, u"Brache"_s}});
}

QString Analysemethode(const QVariant& wert) {
  if (wert.toInt() <= 0) return u"nicht gesetzt"_s;
  return AusListe(wert, {{1, u"CAL"_s}, {2, u"DL"_s}, {3, u"EUF"_s}});
}

QString Gruenlandboden(const QVariant& wert) {
  return AusListe(wert, {{1, u"sehr schwach bis stark humose Grünlandböden  < 8 % org.Substanz"_s},
                         {2, u"stark bis sehr stark humose Grünlandböden  8 % - < 15 % org.Substanz"_s},
                         {3, u"anmoorige Grünlandböden  15 % - < 30 % org.Substanz"_s},
                         {4, u"Hochmoor "_s},
                         {5, u"Niedermoor"_s},
                         {6, u"Ackergras, Klee und Luzerne in Reinkultur, Klee- und Luzernegras"_s}});
}

QString Datum(const QVariant& iso) {
  const QString text = iso.toString();
  const QDate d = QDate::fromString(text.left(10), u"yyyy-MM-dd"_s);
  return d.isValid() ? d.toString(u"dd.MM.yyyy"_s) : QString();
}

QString Gespeichert(const QVariant& wert) {
  if (wert.isNull()) return {};
  QString text = QString::number(wert.toDouble(), 'f', 6);
  while (text.contains(QLatin1Char('.')) && (text.endsWith(QLatin1Char('0')) || text.endsWith(QLatin1Char('.'))))
    text.chop(1);
  if (text == u"-0"_s) text = u"0"_s;
  return text.replace(QLatin1Char('.'), QLatin1Char(','));
}

QString HerbstFruchtart(const QVariant& fruchtart, bool nitratgebiet) {
  const int fa = fruchtart.toInt();
  if (fruchtart.isNull() || fa <= 0) return {};
  // The sheet's column is narrower than the page's choices: the longest texts are shortened.
  if (nitratgebiet) {
    switch (fa) {
      case 1: return u"ZF, Leguminosenanteil 0 bis 75%; Aussaat bis 15.09. mit Futternutzung"_s;
      case 3: return u"Winterraps nach anderen VF; Aussaat bis 15.09., Nmin <= 45 kg/ha"_s;
      case 7: return u"Feldfutter nach anderen VF als Getreide; Aussaat ab 01.09. bis 15.09."_s;
      case 9: return u"Sonstige (kein N-Düngebedarf)"_s;
      default: break;
    }
  } else {
    switch (fa) {
      case 1: return u"ZF, Leguminosenanteil 0 bis 75%; Aussaat bis 15.09."_s;
      case 5: return u"Feldfutter nach anderen Vorfrüchten als Getreide; Aussaat bis 31.08."_s;
      case 7: return u"Feldfutter nach anderen VF als Getreide; Aussaat ab 01.09. bis 15.09."_s;
      default: break;
    }
  }
  using Herbstduengung::TSeite;
  for (const auto& [text, wert] : Herbstduengung::Fruchtarten(nitratgebiet ? TSeite::Nitratgebiet : TSeite::Herbst))
    if (wert == fa) return text;
  return {};
}

QString HerbstVorfrucht(const QVariant& vorfrucht) {
  if (vorfrucht.isNull() || vorfrucht.toInt() <= 0) return {};
  for (const auto& [text, wert] : Herbstduengung::Vorfruechte())
    if (wert == vorfrucht.toInt()) return text;
  return {};
}

// --- reading ----------------------------------------------------------------------

namespace {

// The first row of the query by column name; empty when there is none.
QVariantMap Zeile(TADOModConnection& db, const QString& sql, const TParameter& parameter) {
  TAbfrage a(db, sql, parameter);
  QVariantMap zeile;
  if (!a.Naechste()) return zeile;
  for (int i = 0; i < a.Spaltenzahl(); ++i) zeile.insert(a.Spaltenname(i), a.Wert(i));
  return zeile;
}

std::vector<qint64> Ids(TADOModConnection& db, const QString& sql, const TParameter& parameter) {
  std::vector<qint64> ids;
  TAbfrage a(db, sql, parameter);
  while (a.Naechste()) ids.push_back(a.Wert(0).toLongLong());
  return ids;
}

QVariantMap Betrieb(TADOModConnection& db, const QVariant& betrieb) {
  return Zeile(db, u"SELECT * FROM Betriebe WHERE ID = :B"_s, {{u"B"_s, betrieb}});
}

QVariantMap SchlagDerParzelle(TADOModConnection& db, const QVariantMap& anbau) {
  return Zeile(db, u"SELECT * FROM Schlag WHERE BetriebsNr = :B AND Jahr = :J AND Parzelle = :P"_s,
               {{u"B"_s, anbau.value(u"BetriebsNr"_s)}, {u"J"_s, anbau.value(u"Jahr"_s)},
                {u"P"_s, anbau.value(u"Parzelle"_s)}});
}

QString Text(const QVariantMap& z, const QString& spalte) { return z.value(spalte).toString(); }
double Zahl(const QVariantMap& z, const QString& spalte) { return z.value(spalte).toDouble(); }

// Name and street, then the sheet's own third line.
QStringList Adresse(const QVariantMap& betrieb, const QString& dritteZeile) {
  return {Text(betrieb, u"Betriebsname"_s).trimmed(), Text(betrieb, u"SitzStrasse"_s).trimmed(), dritteZeile};
}

// A management unit of several parcels has a negative parcel number.
bool Bewirtschaftungseinheit(const QVariantMap& schlag) { return schlag.value(u"Parzelle"_s).toInt() < 0; }

QString ParzelleOderVerweis(const QVariantMap& schlag) {
  return Bewirtschaftungseinheit(schlag) ? u"siehe unten"_s : Text(schlag, u"Parzelle"_s);
}

QString Teilflaechen(const QVariantMap& schlag) {
  return Bewirtschaftungseinheit(schlag) ? u"Teilflächen: "_s + Text(schlag, u"Teilflaechen"_s) : QString();
}

TKopfeintrag K(const QString& bezeichnung, const QString& wert) { return {bezeichnung, wert}; }

TFaktorzeile Reihe(const QString& nummer, const QString& text, const QString& wert) {
  return {nummer, {{{text}, {wert}}}};
}

// Labels of several lines; the value stands on the first.
TFaktorzeile Reihe(const QString& nummer, const QStringList& zeilen, const QString& wert) {
  TFaktorzeile r{nummer, {}};
  for (const QString& z : zeilen) r.zeilen.push_back({{z}, {}});
  if (!r.zeilen.empty()) r.zeilen.front().werte = {wert};
  return r;
}

// --- nitrogen -----------------------------------------------------------------------

bool NeueRegeln(int jahr) { return jahr > 2020; }

const QString StickstoffTabelle = u"Faktoren für die STICKSTOFF-Düngebedarfsermittlung für das Kalenderjahr "_s;

QString KulturText(const QVariantMap& anbau) {
  QString t = Text(anbau, u"Kultur"_s).trimmed();
  // Crops the farmer created have numbers 999xxx.
  if (anbau.value(u"HauptfruchtNummer"_s).toLongLong() / 1000 == 999) t += u" (selbst angelegt)"_s;
  return t;
}

// The result with, in a nitrate area from 2021, the reduced value beside it: 125 gives "125 (100)".
TFaktorzeile Ergebnis(const QString& nummer, const QVariantMap& anbau, int jahr) {
  const bool rg = anbau.value(u"RotesGebiet"_s).toInt() == 2 && NeueRegeln(jahr);
  QString wert = Ganz(anbau.value(u"Duengebedarf"_s));
  if (rg) wert += u" (%1)"_s.arg(Zahlen::Gerundet(Zahl(anbau, u"Duengebedarf"_s) * 0.8));
  return Reihe(nummer,
               rg ? u"Stickstoffdüngebedarf während der Vegetation in kg N/ha (Nitratgebiet)"_s
                  : u"Stickstoffdüngebedarf während der Vegetation in kg N/ha"_s,
               wert);
}

TKopfzeile Gebiete(const QVariantMap& schlag) {
  return {K(u"Nitratgebiet:"_s, Gebiet(schlag.value(u"BewirtschaftungsAuflagen"_s))),
          K(u"Phosphatgebiet:"_s, Gebiet(schlag.value(u"Phosphatgebiet"_s))),
          K(u"sonstige Düngebeschränkung:"_s, JaNein(schlag.value(u"SonstigDuengebeschraenkung"_s)))};
}

QStringList StickstoffHinweise(bool gruenland) {
  if (gruenland)
    return {u"Der oben berechnete Stickstoffdüngebedarf ist nach § 4 Abs. 1 DüV die standortbezogene Obergrenze."_s,
            u"Sie darf nach § 3 Abs. 3 DüV nur im Fall von nachträglich eintretenden Umständen, insbesondere der "
            "Bestandsentwicklung oder"_s,
            u"Witterungsereignissen, überschritten werden. Derartige Korrekturen sind einschließlich der Gründe für den "
            "höheren"_s,
            u"Düngebedarf gemäß § 10 Abs. 1 DüV unverzüglich nach der Überschreitung aufzuzeichnen."_s,
            u"Die standortbezogene N-Obergrenze gibt lediglich die gesetzlich zulässige Höchstmenge für die N-Düngung "
            "an."_s,
            u"Ist aus fachlicher Sicht eine niedrigere N-Düngung sinnvoll, sollten die ausgebrachten Düngermengen "
            "entsprechend reduziert werden."_s};
  return {u"Der oben berechnete Stickstoffdüngebedarf ist nach § 4 Abs. 1 DüV die standortbezogene Obergrenze."_s,
          u"Sie darf nach § 3 Abs. 3 DüV nur im Fall von nachträglich eintretenden Umständen, insbesondere der "
          "Bestandsentwicklung oder"_s,
          u"Witterungsereignissen, überschritten werden. Derartige Korrekturen sind einschließlich der Gründe für den "
          "höheren Düngebedarf"_s,
          u"gemäß § 10 Abs. 1 DüV unverzüglich nach der Überschreitung aufzuzeichnen."_s,
          u"Die standortbezogene N-Obergrenze gibt lediglich die gesetzlich zulässige Höchstmenge für die N-Düngung an. "
          "Ist aus"_s,
          u"fachlicher Sicht eine niedrigere N-Düngung sinnvoll, sollten die ausgebrachten Düngermengen entsprechend "
          "reduziert werden."_s};
}

const QStringList Nachtraeglich = {u"eintretender Umstände, insbesondere"_s, u"Bestandsentwicklung oder"_s,
                                   u"Witterungsereignisse"_s};

TBlatt Ackerblatt(const QVariantMap& a, const QVariantMap& s, const QVariantMap& b) {
  const int jahr = a.value(u"Jahr"_s).toInt();
  TBlatt blatt;
  blatt.art = TArt::Acker;
  blatt.titel = {u"Ermittlung des N-Düngebedarfs für Acker- und Gemüsebau nach § 4 Abs. 1 DüV"_s};
  blatt.adresse = Adresse(b, Text(b, u"SitzPLZ"_s) + u" "_s + Text(b, u"SitzOrtsTeil"_s).trimmed());
  blatt.kopf = {
      {K(u"Parzellen-Nr.:"_s, ParzelleOderVerweis(s)), K(u"Feldblock:"_s, Text(s, u"Feldblock"_s))},
      {K(u"Schlag-Nr.:"_s, Text(s, u"SchlagNr"_s)), K(u"Schlagname:"_s, Text(s, u"SchlagName"_s)),
       K(u"Datum:"_s, Datum(a.value(u"BerechnungsDatum"_s)))},
      {K(u"Schlaggröße:"_s, EineStelle(s.value(u"Groesse"_s)) + u" ha"_s),
       K(u"Hauptfrucht:"_s, Text(a, u"Kultur"_s).trimmed())},
      // The field's text starts with "--Zwischenfrucht-- ".
      {K(u"Steingehalt 0-90 cm:"_s, Steingehalt(s.value(u"SteingehaltKrume"_s))),
       K(u"Zwischenfrucht:"_s, Text(s, u"ZwischenfruchtText"_s).mid(19, 200))},
      {K(u"Humusgehalt:"_s, Humus(s.value(u"HumusGroesserVier"_s))),
       K(u"Vorfrucht:"_s, Text(a, u"VorfruchtText"_s))},
      {K(u"Durchwurzelungstiefe:"_s, Text(s, u"Durchwurzelungstiefe"_s) + u" cm"_s),
       K(u"Bodengruppe:"_s, Bodengruppe(s.value(u"BG"_s)))},
      {K(u"Bodentiefe nach DüV:"_s, Ganz(a.value(u"Probenahmetiefe"_s)) + u" cm"_s),
       K(u"Ackerzahl:"_s, Text(s, u"AZ"_s)), K(u"Bodenklimaraum:"_s, Text(s, u"BKR"_s))},
      Gebiete(s)};
  blatt.tabellentitel = StickstoffTabelle + QString::number(jahr);
  blatt.einheit = u"in kg N/ha"_s;

  TFaktorzeile nmin{u"6."_s, {{{u"Im Boden verfügbare Stickstoffmenge (Nmin) in der Regel 0-90 cm"_s}, {}}}};
  const QString quelle030 = NminQuelle(a.value(u"Quelle_0_30"_s));
  nmin.zeilen.push_back({{quelle030, u"0-30 cm"_s, Ganz(a.value(u"Nmin_0_30"_s))}, {}});
  nmin.zeilen.push_back({{quelle030, u"30-60 cm"_s, Ganz(a.value(u"Nmin_30_60"_s))}, {Negiert(a.value(u"Nmin"_s))}});
  nmin.zeilen.push_back(
      {{NminQuelle(a.value(u"Quelle_60_90"_s)), u"60-90 cm"_s, Ganz(a.value(u"Nmin_60_90"_s))}, {}});

  blatt.faktoren = {
      Reihe(u"1."_s, u"Kultur"_s, KulturText(a)),
      Reihe(u"2."_s, u"Stickstoffbedarfswert (kg N/ha)"_s, Ganz(a.value(u"Stickstoffbedarfswert"_s))),
      Reihe(u"3."_s, u"Ertragsniveau laut Tabelle mit Stickstoffbedarfswerten (dt/ha)"_s,
            Ganz(a.value(u"Ertragsniveau"_s))),
      Reihe(u"4."_s,
            NeueRegeln(jahr) ? u"Ertragsniveau grundsätzlich im Durchschnitt der relevanten fünf Jahre (dt/ha)"_s
                             : u"Ertragsniveau grundsätzlich im Durchschnitt der letzten drei Jahre (dt/ha)"_s,
            Ganz(a.value(u"TatsErtrag"_s))),
      Reihe(u"5."_s, u"Ertragsdifferenz (dt/ha)"_s, Ganz(a.value(u"Ertragsdifferenz"_s))),
      nmin,
      // A surcharge of exactly x.5 rounds down here.
      Reihe(u"7."_s, u"Ertragsdifferenz"_s, Ganz(Zahl(a, u"ZuAbschlagErtrag"_s) - 0.0001)),
      Reihe(u"8."_s, u"Stickstoffnachlieferung aus dem Bodenvorrat"_s, Negiert(a.value(u"Stickstoffnachlieferung"_s))),
      Reihe(u"9.1"_s, u"Stickstoffnachlieferung aus der organischen Düngung des Vorjahres"_s,
            Negiert(a.value(u"StickstoffnachlieferungOD"_s))),
      Reihe(u"9.2"_s, u"verfügbarer Stickstoff aus Herbstdüngung des Vorjahres"_s,
            Negiert(a.value(u"StickstoffnachlieferungWRWGH"_s))),
      Reihe(u"10."_s,
            b.value(u"Bundesland"_s).toInt() == 15 ? u"Vorfrucht bzw. Vorkultur (Ackerbau)"_s
                                                   : u"Vorfrucht bzw. Vorkultur (Ackerbau/Gemüse)"_s,
            Negiert(Zahl(a, u"VfAbschlag"_s) + Zahl(a, u"ZfAbschlag"_s))),
      Reihe(u"11."_s, u"Zuschlag bei Abdeckung mit Folie oder Vlies zur Ernteverfrühung"_s,
            Ganz(a.value(u"ZuschlagFolie"_s))),
  };
  blatt.ergebnis = Ergebnis(u"12."_s, a, jahr);
  blatt.danach.push_back(Reihe(u"13."_s, QStringList{u"Zuschläge auf Grund nachträglich"_s} + Nachtraeglich, {}));
  blatt.hinweise = StickstoffHinweise(false);
  static const QList<qint64> koernerleguminosen = {262101, 263101, 264101, 265101, 302101, 366101};
  if (koernerleguminosen.contains(a.value(u"HauptfruchtNummer"_s).toLongLong()))
    blatt.hinweise << u"Der berechnete Stickstoffdüngebedarf für Körnerleguminosen entspricht keiner in der DüV "
                      "vorgegebenen Methodik,"_s
                   << u"sondern der Empfehlung der nach landesrecht zuständigen Behörde."_s;
  blatt.teilflaechen = Teilflaechen(s);
  return blatt;
}

TBlatt Gruenlandblatt(const QVariantMap& a, const QVariantMap& s, const QVariantMap& b) {
  const int jahr = a.value(u"Jahr"_s).toInt();
  TBlatt blatt;
  blatt.art = TArt::Gruenland;
  blatt.titel = {u"Ermittlung des N-Düngebedarfs für Grünland und mehrschnittigen Feldfutterbau"_s,
                 u"nach § 4 Abs. 2 DüV"_s};
  blatt.adresse = Adresse(b, Text(b, u"SitzPLZ"_s) + u" "_s + Text(b, u"SitzOrtsTeil"_s).trimmed());
  blatt.kopf = {
      {K(u"Parzellen-Nr.:"_s, ParzelleOderVerweis(s)), K(u"Feldblock:"_s, Text(s, u"Feldblock"_s))},
      {K(u"Schlag-Nr.:"_s, Text(s, u"SchlagNr"_s)), K(u"Schlagname:"_s, Text(s, u"SchlagName"_s)),
       K(u"Datum:"_s, Datum(a.value(u"BerechnungsDatum"_s)))},
      {K(u"Schlaggröße:"_s, EineStelle(s.value(u"Groesse"_s)) + u" ha"_s),
       K(u"Bodenklimaraum (BKR):"_s, Text(s, u"BKR"_s))},
      {K(u"Einstufung des Bodenhumusgehaltes:"_s, Gruenlandboden(s.value(u"GL_Bodenart"_s)))},
      {K(u"Ertragsanteil von Leguminosen:"_s, Ganz(a.value(u"Leguminosenanteil"_s)) + u" %"_s)},
      Gebiete(s)};
  blatt.tabellentitel = StickstoffTabelle + QString::number(jahr);
  blatt.einheit = u"in kg N/ha"_s;
  const bool neu = NeueRegeln(jahr);
  blatt.faktoren = {
      Reihe(u"1."_s, u"Kultur"_s, KulturText(a)),
      Reihe(u"2."_s, u"Stickstoffbedarfswert (kg N/ha)"_s, Ganz(a.value(u"Stickstoffbedarfswert"_s))),
      Reihe(u"3."_s, u"Ertragsniveau laut Stickstoffbedarfswerttabelle (dt TM/ha)"_s,
            Ganz(a.value(u"Ertragsniveau"_s))),
      Reihe(u"4."_s, u"Rohproteingehalt laut Stickstoffbedarfswerttabelle (% RP i. d. TM)"_s,
            EineStelle(a.value(u"Rohprotein"_s))),
      Reihe(u"5."_s,
            neu ? u"Ertragsniveau grundsätzlich im Durchschnitt der relevanten fünf Jahre (dt TM/ha)"_s
                : u"Ertragsniveau grundsätzlich im Durchschnitt der letzten drei Jahre (dt TM/ha)"_s,
            Ganz(a.value(u"TatsErtrag"_s))),
      Reihe(u"6."_s,
            {u"Gegebenenfalls Rohproteingehalt grundsätzlich im Durchschnitt der"_s,
             neu ? u"letzten fünf Jahre (% RP i. d. TM), soweit Werte vorliegen"_s
                 : u"letzten drei Jahre (% RP i. d. TM), soweit Werte vorliegen"_s},
            EineStelle(a.value(u"TatsRohprotein"_s))),
      Reihe(u"7."_s, u"Ertragsdifferenz (dt/ha)"_s, Ganz(a.value(u"Ertragsdifferenz"_s))),
      Reihe(u"8."_s, u"Gegebenenfalls Rohproteindifferenz (% RP i. d. TM)"_s,
            EineStelle(a.value(u"RohproteinDifferenz"_s))),
      Reihe(u"9."_s, u"Stickstoffnachlieferung aus der organischen Düngung des Vorjahres"_s,
            Negiert(a.value(u"StickstoffnachlieferungOD"_s))),
      Reihe(u"10."_s, u"Ertragsdifferenz"_s, Ganz(a.value(u"ZuAbschlagErtrag"_s))),
      Reihe(u"11."_s, u"Gegebenenfalls Rohproteindifferenz"_s, Ganz(a.value(u"ZuAbschlagRohprotein"_s))),
      Reihe(u"12."_s, u"Stickstoffnachlieferung aus dem Bodenvorrat"_s,
            Negiert(a.value(u"Stickstoffnachlieferung"_s))),
      Reihe(u"13."_s, u"Stickstoffnachlieferung aus der Stickstoffbindung von Leguminosen"_s,
            Negiert(a.value(u"StickstoffnachlieferungLegum"_s))),
  };
  blatt.ergebnis = Ergebnis(u"14."_s, a, jahr);
  blatt.danach.push_back(Reihe(u"15."_s, QStringList{u"Zuschläge aufgrund nachträglich"_s} + Nachtraeglich, {}));
  blatt.hinweise = StickstoffHinweise(true);
  blatt.teilflaechen = Teilflaechen(s);
  return blatt;
}

}  // namespace

std::optional<TBlatt> StickstoffBlatt(TADOModConnection& db, qint64 anbauId) {
  const QVariantMap a = Zeile(db, u"SELECT * FROM Anbau WHERE ID = :ID"_s, {{u"ID"_s, anbauId}});
  if (a.isEmpty()) return std::nullopt;
  const QVariantMap s = SchlagDerParzelle(db, a);
  const QVariantMap b = Betrieb(db, a.value(u"BetriebsNr"_s));
  return a.value(u"KulturGruppe"_s).toInt() == 2 ? Gruenlandblatt(a, s, b) : Ackerblatt(a, s, b);
}

// --- phosphate ----------------------------------------------------------------------

std::optional<TBlatt> PhosphorBlatt(TADOModConnection& db, qint64 schlagId) {
  const QVariantMap s = Zeile(db, u"SELECT * FROM Schlag WHERE ID = :ID"_s, {{u"ID"_s, schlagId}});
  if (s.isEmpty()) return std::nullopt;
  const QVariantMap b = Betrieb(db, s.value(u"BetriebsNr"_s));
  const QVariant oeko = db.Wert(u"SELECT IsOeko FROM DuengeJahr WHERE BetriebsNr = :B AND Duengejahr = :J"_s,
                                {{u"B"_s, s.value(u"BetriebsNr"_s)}, {u"J"_s, s.value(u"Jahr"_s)}});
  const int j = s.value(u"Jahr"_s).toInt();
  // Not calculated yet: no period; divided by it as one year.
  const int jahre = std::max(s.value(u"P_Jahre"_s).toInt(), 1);
  const auto z = [&s](const QString& spalte) { return Zahl(s, spalte); };
  const bool ff1 = z(u"Folgefrucht_1"_s) > 0, ff2 = z(u"Folgefrucht_2"_s) > 0;
  const QString klasse = Text(s, u"P_GehaltsKlasse"_s).trimmed();
  const bool dOderE = klasse == u"D"_s || klasse == u"E"_s;
  const bool ohneGK = s.value(u"OhneZuAbGK"_s).toInt() != 0;
  const double zuAb = z(u"P2O5_ZuAbBoden"_s);

  TBlatt blatt;
  blatt.art = TArt::Phosphor;
  blatt.titel = {u"Ermittlung des Phosphor-Düngebedarfs für Acker- und Grünland"_s,
                 u"nach § 3 Abs. 6 sowie § 4 Abs. 3 DüV"_s};
  blatt.adresse = Adresse(b, Text(b, u"SitzPLZ"_s) + u" "_s + Text(b, u"SitzOrt"_s));
  blatt.kopf = {
      {K(u"Parzellen-Nr.:"_s, ParzelleOderVerweis(s)), K(u"Feldblock:"_s, Text(s, u"Feldblock"_s))},
      {K(u"Schlag-Nr.:"_s, Text(s, u"SchlagNr"_s)), K(u"Schlagname:"_s, Text(s, u"SchlagName"_s)),
       K(u"Datum:"_s, Datum(s.value(u"P_BerechnungsDatum"_s)))},
      {K(u"Schlaggröße:"_s, EineStelle(s.value(u"Groesse"_s)) + u" ha"_s),
       K(u"Bewirtschaftung:"_s, oeko.toInt() != 0 ? u"ökologisch"_s : u"konventionell"_s)},
      {K(u"Berechnungszeitraum:"_s, u"01.01.%1 - 31.12.%2"_s.arg(j).arg(j + jahre - 1)),
       K(u"Nitratgebiet nach § 13a DüV:"_s, Gebiet(s.value(u"BewirtschaftungsAuflagen"_s)))},
      {K(u"Nutzungsart:"_s, Nutzungsart(s.value(u"NutzungsForm"_s))),
       K(u"Phosphatgebiet nach § 13a DüV:"_s, Gebiet(s.value(u"Phosphatgebiet"_s)))},
      {K(u"Bodengruppe:"_s, Text(s, u"BGText"_s).trimmed()),
       K(u"sonstige Düngebeschränkung:"_s, JaNein(s.value(u"SonstigDuengebeschraenkung"_s)))},
      {K(u"Phosphorgehalt (P2O5) lt. BU:"_s, u"%1 (%2) mg/100g Boden (%3)"_s.arg(EineStelle(s.value(u"P_Gehalt"_s)),
                                                                              EineStelle(s.value(u"P2O5_Gehalt"_s)),
                                                                              Analysemethode(s.value(u"P_Methode"_s)))),
       K(u"mehrere Kulturen in einem Jahr:"_s, JaNein(s.value(u"GemueseModus"_s)))},
      {K(u"Boden-P-Analysedatum:"_s, Datum(s.value(u"P_AnalyseDatum"_s))),
       K(u"ohne Zu-/Abschlag GK im 1. Jahr:"_s, JaNein(s.value(u"OhneZuAbGK"_s)))}};

  const auto kultur = [&](const QString& titel, const QString& name, const QString& ertrag, const QString& nummer,
                          const QString& abgefahren) {
    TKopfzeile k{K(titel, Text(s, name)), K(u"Ertrag:"_s, ertrag + Ertragseinheit(s.value(nummer)))};
    if (!abgefahren.isEmpty())
      k.push_back(K(u"Nebenprodukt:"_s, s.value(abgefahren).toInt() != 0 ? u"abgefahren"_s : u"verblieben"_s));
    blatt.kulturen.push_back(k);
  };
  kultur(u"Vorfrucht:"_s, u"VF_Name"_s, Ganz(s.value(u"VFEinzelertrag"_s)), u"Vorfrucht"_s, u"NPVFAbgefahren"_s);
  kultur(u"Hauptfrucht:"_s, u"HF_Name"_s, Gespeichert(s.value(u"HFEinzelertrag"_s)), u"HauptfruchtNummer"_s,
         u"NPAbgefahren"_s);
  if (ff1)
    kultur(u"Folgefrucht 1:"_s, u"FF1_Name"_s, Ganz(s.value(u"FF1Einzelertrag"_s)), u"Folgefrucht_1"_s,
           u"NPFF_1Abgefahren"_s);
  if (ff1 && ff2) kultur(u"Folgefrucht 2:"_s, u"FF2_Name"_s, Ganz(s.value(u"FF2Einzelertrag"_s)), u"Folgefrucht_2"_s, {});
  if (z(u"ZFP0_NR"_s) > 0)
    kultur(u"Zwischenfrucht zur HF:"_s, u"ZFP0_NAME"_s, Ganz(s.value(u"ZFP0_ERTRAG"_s)), u"ZFP0_NR"_s, {});
  if (z(u"ZFP1_NR"_s) > 0 && ff1)
    kultur(u"Zwischenfrucht zur FF1:"_s, u"ZFP1_NAME"_s, Ganz(s.value(u"ZFP1_ERTRAG"_s)), u"ZFP1_NR"_s, {});
  if (z(u"ZFP2_NR"_s) > 0 && ff1 && ff2)
    kultur(u"Zwischenfrucht zur FF2:"_s, u"ZFP2_NAME"_s, Ganz(s.value(u"ZFP2_ERTRAG"_s)), u"ZFP2_NR"_s, {});

  blatt.tabellentitel = u"Faktoren für die PHOSPHOR-Düngebedarfsermittlung"_s;
  blatt.einheit = u"in kg P/ha (kg P2O5/ha)"_s;
  blatt.wertspalten = 3;
  // Column 2 belongs to the first follow crop, column 3 to the second.
  const auto spalten = [ff1, ff2](const QString& w1, const QString& w2, const QString& w3) {
    return QStringList{w1, ff1 ? w2 : QString(), ff2 ? w3 : QString()};
  };
  const auto reihe = [](const QString& nummer, const QString& text, const QStringList& werte) {
    return TFaktorzeile{nummer, {{{text}, werte}}};
  };
  const QString gk2 = jahre >= 2 ? PPaar(ohneGK ? zuAb / (jahre - 1) : zuAb / jahre) : QString();
  QString gk1 = u"0"_s;
  if (!ohneGK) gk1 = PPaar(ff1 ? zuAb / jahre : zuAb);
  TFaktorzeile klassenzeile = reihe(u"3."_s, u"Gehaltsklassenzuordnung des Bodens laut Untersuchungsergebnis"_s, {klasse});
  klassenzeile.zentriert = true;
  blatt.faktoren = {
      reihe(u"1."_s, u"Berechnungsjahr"_s,
            spalten(QString::number(j), QString::number(jahre >= 2 ? j + 1 : j), QString::number(jahre >= 3 ? j + 2 : j))),
      reihe(u"2."_s, u"Entzug Kulturen bei gegebenem Ertragsniveau"_s,
            spalten(PPaar(z(u"PEntzugHF"_s) + z(u"PEntzugZFP0"_s)), PPaar(z(u"PEntzugFF1"_s) + z(u"PEntzugZFP1"_s)),
                    PPaar(z(u"PEntzugFF2"_s) + z(u"PEntzugZFP2"_s)))),
      klassenzeile,
      reihe(u"4."_s, u"Einteilung in die entsprechende Gehaltsklasse"_s + (dOderE ? u" *"_s : QString()),
            spalten(gk1, gk2, gk2)),
      reihe(u"5."_s, u"Nachlieferung aus Ernteresten der Vorfrucht"_s,
            spalten(PPaar(z(u"P2O5_AbVorFruchtNP"_s)), PPaar(z(u"P2O5_AbHauptFruchtNP"_s)),
                    PPaar(z(u"P2O5_AbFolgeFruchtNP"_s)))),
      reihe(u"6."_s, u"Phosphordüngebedarf der Einzeljahre"_s,
            spalten(PPaar(z(u"PDuengebedarfHF"_s) + z(u"PEntzugZFP0"_s)),
                    PPaar(z(u"PDuengebedarfFF1"_s) + z(u"PEntzugZFP1"_s)),
                    PPaar(z(u"PDuengebedarfFF2"_s) + z(u"PEntzugZFP2"_s)))),
  };
  blatt.ergebnis = reihe(u"7."_s, u"Phosphordüngebedarf im Betrachtungszeitraum"_s,
                         {u"%1 (%2)"_s.arg(Ganz(s.value(u"P_DuengeBedarf"_s)), Ganz(s.value(u"P2O5_DuengeBedarf"_s))),
                          QString(), QString()});

  blatt.hinweise = {u"Der oben berechnete Phosphordüngebedarf Zeile Nr. 7 entspricht nach § 3 Abs. 6 sowie § 4 Abs. 3 "
                    "DüV der"_s,
                    u"maximal zulässigen zu düngenden Phosphormenge der Anbaujahre für den Einzelschlag. Die Ermittlung "_s,
                    u"des Düngebedarfes kann auch im Rahmen der Fruchtfolge erfolgen."_s};
  if (dOderE)
    blatt.hinweise << u"* Gemäß der fachlichen Düngeempfehlung der Fachbehörde ist bei einer Einstufung des "
                      "Bodengehaltes in die Gehaltsklasse D"_s
                   << u"eine reduzierte und in E keine Phosphordüngung vorzunehmen. Daher beträgt die Höhe der "
                      "fachlich empfohlenen"_s
                   << u"Phosphordüngung in diesem Fall %1 kg P/ha (%2 kg P2O5)."_s.arg(
                          Ganz(s.value(u"P_DuengeBedarfFachlich"_s)), Ganz(s.value(u"P2O5_DuengeBedarfFachlich"_s)));
  if (Phosphorpruefung::HoherGehalt(s.value(u"P_Methode"_s).toInt(), z(u"P2O5_Gehalt"_s)))
    blatt.hinweise << u"Da der eingegebene Phosphorgehalt laut Bodenuntersuchung den Grenzwert gemäß § 3 Abs. 6 DüV "
                      "überschreitet, dürfen"_s
                   << u"P-haltige Düngemittel höchstens bis in Höhe der voraussichtlichen Phosphorabfuhr aufgebracht "
                      "werden. Im Rahmen"_s
                   << u"einer Fruchtfolge kann  in diesem Fall die voraussichtliche Phosphorabfuhr für einen Zeitraum "
                      "von höchstens drei Jahren"_s
                   << u"zugrunde gelegt werden."_s;
  blatt.teilflaechen = Teilflaechen(s);
  return blatt;
}

// --- autumn -------------------------------------------------------------------------

std::optional<TBlatt> HerbstBlatt(TADOModConnection& db, qint64 schlagId) {
  const QVariantMap s = Zeile(db, u"SELECT * FROM Schlag WHERE ID = :ID"_s, {{u"ID"_s, schlagId}});
  if (s.isEmpty()) return std::nullopt;
  const QVariantMap b = Betrieb(db, s.value(u"BetriebsNr"_s));
  const int jahr = s.value(u"Jahr"_s).toInt();
  const bool nitratgebiet = jahr > 2020 && s.value(u"BewirtschaftungsAuflagen"_s).toInt() == 2;
  const qint64 ergebnis = Zahlen::Gerundet(Zahl(s, nitratgebiet ? u"HD_DNG_RG"_s : u"HD_DNG"_s));

  TBlatt blatt;
  blatt.art = TArt::Herbst;
  blatt.titel = {u"Ermittlung des N-Düngebedarfs zur Herbstdüngung auf Ackerland nach § 6 (9) DüV"_s};
  blatt.adresse = Adresse(b, Text(b, u"SitzPLZ"_s) + u" "_s + Text(b, u"SitzOrt"_s) + u" / "_s +
                                 Text(b, u"SitzOrtsTeil"_s));
  blatt.kopf = {
      {K(u"Parzellen-Nr.:"_s, Text(s, u"Parzelle"_s)), K(u"Feldblock:"_s, Text(s, u"Feldblock"_s))},
      {K(u"Schlagnummer:"_s, Text(s, u"SchlagNr"_s)), K(u"Schlagname:"_s, Text(s, u"SchlagName"_s)),
       K(u"Datum:"_s, Datum(s.value(u"BerechnungsDatumHD"_s)))},
      {K(u"Schlaggröße:"_s, EineStelle(s.value(u"Groesse"_s)) + u" ha"_s),
       K(u"Vorfrucht:"_s, Text(s, u"Kultur"_s).trimmed())},
      {K(u"Steingehalt 0-90 cm:"_s, Steingehalt(s.value(u"SteingehaltKrume"_s))),
       K(u"Bodengruppe:"_s, Bodengruppe(s.value(u"BG"_s)))},
      {K(u"Humusgehalt:"_s, Humus(s.value(u"HumusGroesserVier"_s))), K(u"Bodenklimaraum:"_s, Text(s, u"BKR"_s))},
      {K(u"Durchwurzelungstiefe:"_s, Text(s, u"Durchwurzelungstiefe"_s) + u" cm"_s),
       K(u"Phosphatgebiet:"_s, Gebiet(s.value(u"Phosphatgebiet"_s)))},
      {K(u"Nitratgebiet:"_s, Gebiet(s.value(u"BewirtschaftungsAuflagen"_s))),
       K(u"Sonstige Düngebeschränkung:"_s, JaNein(s.value(u"SonstigDuengebeschraenkung"_s)))}};
  blatt.tabellentitel = u"Faktoren für die N-DBE Herbstdüngung "_s + QString::number(jahr);
  blatt.faktoren = {
      Reihe(u"1."_s, u"Vorfrucht"_s, HerbstVorfrucht(s.value(u"HD_VF"_s))),
      Reihe(u"2."_s, u"Geplante/angebaute Fruchtart"_s, HerbstFruchtart(s.value(u"HD_FA"_s), nitratgebiet)),
      Reihe(u"3."_s, QStringList{u"Langjährig organisch gedüngte Fläche"_s, u"(> 13 mg P-CAL/100 g Boden)"_s},
            JaNein(s.value(u"HD_LOD"_s))),
  };
  blatt.ergebnis = TFaktorzeile{u"4."_s,
                                {{{u"Emittelter Düngebdarf kg N ges./ha"_s}, {QString::number(ergebnis)}},
                                 {{u"(davon maximal kg NH4-N/ha)"_s}, {ergebnis > 0 ? u"(30)"_s : u"(0)"_s}}}};
  blatt.hinweise = {
      u"Als \"langjährig organisch gedüngte Flächen\" gelten Flächen, die einen P-Bodengahalt von > 13 mg P/100 g "
      "Boden (CAL-Methode)"_s,
      u"bzw. 16,3 mg P/100 g Boden (DL-Methode) aufweisen. Das Kriterium ist allein für diese "
      "STICKSTOFF-Düngebedarfsermittlung"_s,
      u"im Herbst maßgebend. Sollte ein entsprechender Bodengehalt im Einzelfall auch ohne langjährige organische "
      "Düngung auftreten,"_s,
      u"muss dies vom Landwirt plausibel nachgewiesen werden. Als Nachweis gilt insbesondere, wenn langjährig "
      "(mindestens 5 Jahre) im "_s,
      u"Betriebsdurchschnitt maximal 120 kg N/ha und Jahr aus organischen und organisch-mineralischen Düngemitteln "
      "aufgebracht werden."_s};
  return blatt;
}

// --- selections ---------------------------------------------------------------------

std::vector<qint64> BerechneteKulturen(TADOModConnection& db, int betrieb, int jahr) {
  return Ids(db,
             u"SELECT ID FROM Anbau WHERE BetriebsNr = :B AND Jahr = :J AND FruchtNr >= 1 "
             "AND Duengebedarf IS NOT NULL ORDER BY Parzelle, FruchtNr, ID"_s,
             {{u"B"_s, betrieb}, {u"J"_s, jahr}});
}

std::vector<qint64> BerechneteSchlaege(TADOModConnection& db, int betrieb, int jahr) {
  return Ids(db,
             u"SELECT ID FROM Schlag WHERE BetriebsNr = :B AND Jahr = :J AND P_DuengeBedarf > 0 "
             "ORDER BY Parzelle"_s,
             {{u"B"_s, betrieb}, {u"J"_s, jahr}});
}

std::vector<qint64> BerechneteHerbstSchlaege(TADOModConnection& db, int betrieb, int jahr,
                                             Herbstduengung::TSeite seite) {
  using Herbstduengung::TSchlagauswahl;
  const TSchlagauswahl auswahl = Herbstduengung::Schlagauswahl(seite, jahr);
  if (auswahl == TSchlagauswahl::Keine) return {};
  // The fields the page lists in this year, as its list selects them.
  QString sql = u"SELECT ID FROM Schlag WHERE BetriebsNr = :B AND Jahr = :J AND %1 > 0"_s.arg(
      Herbstduengung::Ergebnisspalte(seite));
  TParameter p{{u"B"_s, betrieb}, {u"J"_s, jahr}};
  if (auswahl != TSchlagauswahl::Alle) {
    sql += u" AND BewirtschaftungsAuflagen = :A"_s;
    p.emplace_back(u"A"_s, int(auswahl));
  }
  return Ids(db, sql + u" ORDER BY Parzelle"_s, p);
}

}  // namespace Bedarfsblaetter
