#include "schnellerfassung.h"

#include "aufzeichnung.h"
#include "blatt.h"
#include "connection.h"
#include "datumseingabe.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace Schnellerfassung {

namespace {

struct TKopf {
  const char* eins;
  const char* zwei;
};
const TKopf Koepfe[SichtbareSpalten] = {
    {"Parzelle", "Nr. eingeben"},        {"Schlagnr", "eingeben"},
    {"Schlagname", "rechts auswählen"},  {"Datum", "mit \"+\" eingeben"},
    {"Menge", "t/m³/ha, bei MinD dt"},   {"Kategorie", "m, o, s oder w"},
    {"Bezeichnung", "rechts auswählen"}, {"Gedüngte Kultur", "rechts auswählen"},
    {"Herbstdüngung", "\"x\" wenn ja"},  {"Anzahl Tiere", "eingeben"},
    {"Weidetage", "a 24 h eingeben"},
};

const char* const Hinweise[SichtbareSpalten] = {
    "Eindeutige Parzellen-Nummer aus dem Agrarantrag: Eingeben oder rechts Schlag auswählen.",
    "Schlagnummer: Eingeben oder rechts Schlag auswählen.",
    "Schlagname: durch Eingabe des Namens suchen oder rechts auswählen.",
    "Datum der Düngemaßnahme: Eingeben oder mit \"+\" heute setzen, mit \"-\" je einen Tag zurück oder \"?\" für "
    "Kalender.",
    "Ausgebrachte Düngermenge: in Tonnen/ha oder m³/ha bzw. Dezitonnen/ha bei Mineraldung  eingeben oder \"?\" für "
    "Taschenrechner.",
    "Düngerkategorie: durch Eingabe von \"m\" für mineralisch, \"o\" für organisch, \"w\" für Weide oder \"s\" für "
    "sonstige Stoffe auswählen.",
    "Konkreter Dünger: durch Eingabe suchen oder rechts auswählen.",
    "Gedüngte Kultur: durch Eingabe suchen oder rechts auswählen.",
    "Wenn Herbstdüngung: mit \"x\" kennzeichnen oder mit \" \" löschen.",
    "Anzahl der auf der Weide stehenden Tiere: Eingeben oder \"?\" für Taschenrechner.",
    "Weidetage zu je 24 Stunden: Eingeben oder \"?\" für Taschenrechner.",
};

// What the user reads for a column in a message; hidden values by their role.
QString Spaltenname(int spalte) {
  if (spalte >= 1 && spalte <= SichtbareSpalten) return QString::fromUtf8(Koepfe[spalte - 1].eins);
  switch (spalte) {
    case Groesse: return u"Schlaggröße (verdeckt)"_s;
    case KategorieNr: return u"Kategorie (verdeckt)"_s;
    case DngNummer: return u"Düngernummer (verdeckt)"_s;
    case KulturId: return u"Kultur (verdeckt)"_s;
    default: return u"Gehalt (verdeckt)"_s;
  }
}

void Kopieren(TBlatt& b, int von, int nach, int erste, int letzte, bool ohneKultur) {
  for (int s = erste; s <= letzte; ++s) {
    if (ohneKultur && s == Kultur) continue;
    b.setText(s, nach, b.Text(s, von));
  }
}

// The cursor after the last column of a line: column 3 of the next line.
TPosition Weiter(int spalte, int zeile) {
  if (spalte >= Weidetage) return {SchlagName, zeile + 1};
  return {spalte + 1, zeile};
}

}  // namespace

void KopfSchreiben(TBlatt& blatt) {
  for (int s = 1; s <= SichtbareSpalten; ++s) {
    blatt.setText(s, 1, QString::fromUtf8(Koepfe[s - 1].eins));
    blatt.setText(s, 2, QString::fromUtf8(Koepfe[s - 1].zwei));
  }
}

QString Hinweis(int spalte) {
  if (spalte < 1 || spalte > SichtbareSpalten) return {};
  return QString::fromUtf8(Hinweise[spalte - 1]);
}

int LetzteZeile(const TBlatt& blatt) { return std::max(Kopfzeilen, blatt.LetzteZeile()); }

void ZeileLeeren(TBlatt& blatt, int zeile) {
  for (int s = 1; s <= AlleSpalten; ++s) blatt.setText(s, zeile, QString());
}

std::vector<int> LeereZeilenEntfernen(TBlatt& blatt) {
  const int letzte = LetzteZeile(blatt);
  std::vector<int> neu(size_t(letzte + 1), 0);
  for (int z = 1; z < ErsteZeile && z <= letzte; ++z) neu[size_t(z)] = z;
  int ziel = ErsteZeile;
  for (int z = ErsteZeile; z <= letzte; ++z) {
    if (blatt.ZeileLeer(ziel)) {
      blatt.ZeileEntfernen(ziel);
      continue;
    }
    neu[size_t(z)] = ziel++;
  }
  return neu;
}

std::optional<TKategorie> KategorieTaste(QChar taste) {
  switch (taste.toLower().unicode()) {
    case 'm': return TKategorie{u"Min-Dünger"_s, Aufzeichnung::Mineral};
    case 'o': return TKategorie{u"Org-Dünger"_s, Aufzeichnung::Organisch};
    case 's': return TKategorie{u"sonst. Stoffe"_s, Aufzeichnung::Stoffe};
    case 'w': return TKategorie{u"Beweidung"_s, Aufzeichnung::Weide};
    default: return std::nullopt;
  }
}

std::optional<double> Zahl(const QString& text) {
  QString t = text.trimmed();
  if (t.isEmpty()) return 0.0;
  if (t.count(u',') + t.count(u'.') > 1) return std::nullopt;  // no thousands separators
  t.replace(u',', u'.');
  bool ok = false;
  const double w = t.toDouble(&ok);
  if (!ok || !std::isfinite(w)) return std::nullopt;
  return w;
}

std::optional<QDate> DatumLesen(const QString& text) {
  const QString t = text.trimmed();
  if (t.isEmpty()) return QDate();
  const QDate iso = QDate::fromString(t.left(10), Qt::ISODate);
  if (iso.isValid() && (t.size() == 10 || t.at(10) == u' ' || t.at(10) == u'T')) return iso;
  // Typed: as the date fields of the records window read it.
  const QDate d = Datumseingabe::Lesen(t);
  if (!d.isValid()) return std::nullopt;
  return d;
}

QString DatumText(const QDate& datum) { return datum.toString(u"dd.MM.yyyy"_s); }

QString ZahlText(double wert) { return QString::number(wert, 'g', 15).replace(u'.', u','); }

TPosition Uebertragen(TBlatt& b, int von, int nach, int spalte) {
  if (spalte <= SchlagName) {
    if (!b.Text(SchlagName, nach).isEmpty()) {
      Kopieren(b, von, nach, Datum, Weidetage, true);
      Kopieren(b, von, nach, KategorieNr, DngNummer, false);
    } else {
      Kopieren(b, von, nach, Parzelle, Weidetage, true);
      Kopieren(b, von, nach, Groesse, DngNummer, false);
    }
    return {Datum, nach};
  }
  if (spalte <= Kategorie) {
    Kopieren(b, von, nach, spalte, Weidetage, true);
    Kopieren(b, von, nach, KategorieNr, DngNummer, false);
    return {spalte + 1, nach};
  }
  if (spalte == Bezeichnung) {
    Kopieren(b, von, nach, Bezeichnung, Weidetage, true);
    Kopieren(b, von, nach, OrgGruppe, DngNummer, false);
    return {Kultur, nach};
  }
  if (spalte == Kultur) {
    Kopieren(b, von, nach, Herbst, Weidetage, false);
    return {Herbst, nach};
  }
  Kopieren(b, von, nach, spalte, Weidetage, false);
  // From the autumn column the line is done, as from the last one.
  if (spalte == Herbst) return {SchlagName, nach + 1};
  return Weiter(spalte, nach);
}

std::optional<TPosition> Plus(TBlatt& b, int zeile, int spalte) {
  if (zeile <= ErsteZeile || spalte == Datum) return std::nullopt;
  const int oben = zeile - 1;
  switch (spalte) {
    case Parzelle:
    case SchlagNr:
    case SchlagName:
      Kopieren(b, oben, zeile, Parzelle, SchlagName, false);
      Kopieren(b, oben, zeile, Groesse, Groesse, false);
      return TPosition{Datum, zeile};
    case Kategorie:
      Kopieren(b, oben, zeile, Kategorie, Kategorie, false);
      Kopieren(b, oben, zeile, KategorieNr, KategorieNr, false);
      return TPosition{Bezeichnung, zeile};
    case Bezeichnung:
      Kopieren(b, oben, zeile, Bezeichnung, Bezeichnung, false);
      Kopieren(b, oben, zeile, OrgGruppe, DngNummer, false);
      return TPosition{Kultur, zeile};
    case Kultur:
      Kopieren(b, oben, zeile, Kultur, Kultur, false);
      Kopieren(b, oben, zeile, KulturId, KulturId, false);
      return TPosition{Herbst, zeile};
    case Menge:
    case Herbst:
    case Tiere:
    case Weidetage:
      Kopieren(b, oben, zeile, spalte, spalte, false);
      return Weiter(spalte, zeile);
    default: return std::nullopt;
  }
}

std::vector<TSchlag> Schlaege(TADOModConnection& db, int betrieb, int jahr) {
  std::vector<TSchlag> liste;
  TAbfrage a(db,
             u"select Parzelle, SchlagNr, SchlagName, Kultur, Groesse from Schlag where BetriebsNr = :B and Jahr = :J "
             "and coalesce(KeineDuengung, 0) = 0 order by SchlagName collate Deutsch, Kultur collate Deutsch"_s,
             {{u"B"_s, betrieb}, {u"J"_s, jahr}});
  while (a.Naechste())
    liste.push_back({a.Wert(0).toInt(), a.Wert(1).toString(), a.Wert(2).toString(), a.Wert(3).toString(),
                     a.Wert(4).toDouble()});
  return liste;
}

void SchlagSetzen(TBlatt& b, int zeile, const TSchlag& s, bool mitGroesse) {
  b.setText(Parzelle, zeile, QString::number(s.parzelle));
  b.setText(SchlagNr, zeile, s.schlagNr);
  b.setText(SchlagName, zeile, s.name);
  if (mitGroesse) b.setText(Groesse, zeile, ZahlText(s.groesse));
}

std::vector<TEintrag> Eintraege(TADOModConnection& db, int betrieb, int kategorie) {
  std::vector<TEintrag> liste;
  const QString sql = Aufzeichnung::AuswahlAbfrage(kategorie);
  if (sql.isEmpty()) return liste;
  TAbfrage a(db, sql, {{u"B"_s, betrieb}});
  while (a.Naechste()) liste.push_back({a.Wert(0).toLongLong(), a.Wert(1).toString()});
  return liste;
}

QString EintragSetzen(TADOModConnection& db, TBlatt& b, int zeile, int betrieb, qint64 nummer) {
  const int kategorie = b.Text(KategorieNr, zeile).toInt();
  const Aufzeichnung::TStammwerte st = Aufzeichnung::Stammwerte(db, betrieb, kategorie, nummer);
  if (!st.fehler.isEmpty()) return st.fehler;
  if (!st.gefunden) return u"Der Eintrag Nr. %1 ist nicht mehr in den Stammdaten des Betriebs."_s.arg(nummer);
  for (int s = OrgGruppe; s <= Herkunft; ++s) b.setText(s, zeile, QString());
  const struct {
    const char* spalte;
    int ziel;
  } zuordnung[] = {{"DngGrpNummer", OrgGruppe},  {"GruppeNr", GruppeNr},
                   {"NT", NT},                   {"NH4N", NH4N},
                   {"P2O5", P2O5},               {"P", P},
                   {"TaVerfNr", TaVerfNr},       {"N_AnrechenbarAL", AnrechenbarAL},
                   {"N_AnrechenbarGL", AnrechenbarGL}, {"Herkunft_Nr", Herkunft}};
  for (const auto& [spalte, wert] : st.werte) {
    if (spalte == u"Dng"_s) b.setText(Bezeichnung, zeile, wert.toString());
    for (const auto& z : zuordnung) {
      if (spalte != QLatin1String(z.spalte) || wert.isNull()) continue;
      // The animals' N left on pasture is kept with four decimals.
      const double w = wert.toDouble();
      b.setText(z.ziel, zeile,
                kategorie == Aufzeichnung::Weide && z.ziel == NT ? ZahlText(std::round(w * 10000) / 10000) : ZahlText(w));
    }
  }
  b.setText(DngNummer, zeile, QString::number(nummer));
  return {};
}

std::vector<TKultur> Kulturen(TADOModConnection& db, int betrieb, int jahr, int parzelle) {
  std::vector<TKultur> liste;
  TAbfrage a(db,
             u"select ID, Jahr, Kultur from Anbau where BetriebsNr = :B and Parzelle = :P and Jahr between :J and :J1 "
             "order by Jahr, Kultur collate Deutsch, FruchtNr"_s,
             {{u"B"_s, betrieb}, {u"P"_s, parzelle}, {u"J"_s, jahr}, {u"J1"_s, jahr + 1}});
  while (a.Naechste()) liste.push_back({a.Wert(0).toLongLong(), a.Wert(1).toInt(), a.Wert(2).toString()});
  return liste;
}

void KulturSetzen(TBlatt& b, int zeile, const TKultur& k) {
  b.setText(Kultur, zeile, k.kultur);
  b.setText(KulturId, zeile, QString::number(k.id));
}

QString TUebernahme::Meldung() const {
  if (Schliessen()) return {};
  QString m = u"Achtung:\n"_s;
  if (!unlesbar.empty()) {
    m += u"Es konnten nicht alle Feldwerte übernommen werden.\n"_s;
    m += u"Diese Zeilen enthalten Werte, die nicht gelesen werden können, und bleiben stehen:\n"_s;
    for (const TFehler& f : unlesbar)
      m += u"  Zeile %1, %2: %3\n"_s.arg(f.zeile).arg(Spaltenname(f.spalte), f.text);
  }
  if (fehlgeschlagen) m += u"Es konnten nicht alle Datensätze übernommen werden.\n"_s;
  if (unvollstaendig)
    m += u"Einige Datensätze konntenwegen fehlender Angaben (Schlag, Kategorie, gedüngte Kultur) nicht übernommen "
         "werden.\n"_s;
  m += u"Sie können die fehlenden Angaben komplettieren und noch mal Übernehmen."_s;
  return m;
}

TUebernahme Uebernehmen(TADOModConnection& db, TBlatt& b, int betrieb, int jahr) {
  TUebernahme u;
  const int letzte = LetzteZeile(b);
  for (int z = ErsteZeile; z <= letzte; ++z) {
    if (b.ZeileLeer(z)) continue;
    if (b.Text(SchlagName, z).isEmpty() || b.Text(KategorieNr, z).isEmpty() || b.Text(Kultur, z).isEmpty()) {
      u.unvollstaendig = true;
      continue;
    }
    const size_t fehlerVorher = u.unlesbar.size();
    const auto fehler = [&](int spalte, const QString& text) { u.unlesbar.push_back({z, spalte, text}); };
    const auto zahl = [&](int spalte) {
      const auto w = Zahl(b.Text(spalte, z));
      if (!w) fehler(spalte, u"\u201E%1\u201C ist keine Zahl."_s.arg(b.Text(spalte, z)));
      return w.value_or(0);
    };
    const auto ganzzahl = [&](int spalte) -> qint64 {
      const auto w = Zahl(b.Text(spalte, z));
      if (!w || *w != std::floor(*w) || std::abs(*w) > 2e9) {
        fehler(spalte, u"\u201E%1\u201C ist keine ganze Zahl."_s.arg(b.Text(spalte, z)));
        return 0;
      }
      return qint64(*w);
    };
    Aufzeichnung::TWerte w;
    w.betrieb = betrieb;
    w.parzelle = int(ganzzahl(Parzelle));
    w.probenId = ganzzahl(KulturId);
    w.kategorie = int(ganzzahl(KategorieNr));
    if (u.unlesbar.size() == fehlerVorher && w.kategorie != Aufzeichnung::Mineral &&
        w.kategorie != Aufzeichnung::Organisch && w.kategorie != Aufzeichnung::Weide &&
        w.kategorie != Aufzeichnung::Stoffe)
      fehler(Kategorie, u"keine Kategorie der Schnellerfassung."_s);
    const auto datum = DatumLesen(b.Text(Datum, z));
    if (!datum) fehler(Datum, u"\u201E%1\u201C ist kein Datum."_s.arg(b.Text(Datum, z)));
    else if (const QString d = Aufzeichnung::DatumFehler(jahr, *datum); !d.isEmpty()) fehler(Datum, d);
    w.datum = datum.value_or(QDate());
    w.menge = zahl(Menge);
    w.weideTiere = zahl(Tiere);
    w.weideTage = int(ganzzahl(Weidetage));
    w.nt = zahl(NT);
    w.nh4n = zahl(NH4N);
    w.p = zahl(P);
    w.dngNummer = ganzzahl(DngNummer);
    const double p2o5 = zahl(P2O5);
    const qint64 orgGruppe = ganzzahl(OrgGruppe), gruppe = ganzzahl(GruppeNr), taVerf = ganzzahl(TaVerfNr),
                 herkunft = ganzzahl(Herkunft);
    const double al = zahl(AnrechenbarAL), gl = zahl(AnrechenbarGL);
    if (u.unlesbar.size() != fehlerVorher) continue;

    // The record belongs to its crop row: the row's year, so a crop of the
    // year after is booked there; a crop of another field or farm is refused.
    TAbfrage kultur(db,
                    u"select Jahr, KannHerbstDuengung from Anbau where ID = :id and BetriebsNr = :B and Parzelle = :P "
                    "and Jahr between :J and :J1"_s,
                    {{u"id"_s, w.probenId}, {u"B"_s, betrieb}, {u"P"_s, w.parzelle}, {u"J"_s, jahr}, {u"J1"_s, jahr + 1}});
    if (!kultur.Naechste()) {
      u.fehlgeschlagen = true;
      continue;
    }
    w.jahr = kultur.Wert(0).toInt();
    const QVariant kannHerbst = kultur.Wert(1);
    const double groesse = db.Wert(u"select Groesse from Schlag where BetriebsNr = :B and Jahr = :J and Parzelle = :P"_s,
                                   {{u"B"_s, betrieb}, {u"J"_s, w.jahr}, {u"P"_s, w.parzelle}})
                               .toDouble();
    const Aufzeichnung::TLasten l = Aufzeichnung::Lasten(w, groesse);
    const TParameter p = {
        {u"BetriebsNr"_s, betrieb},
        {u"Jahr"_s, w.jahr},
        {u"Parzelle"_s, w.parzelle},
        {u"ProbenID"_s, w.probenId},
        {u"Datum"_s, w.datum.isValid() ? QVariant(w.datum.toString(Qt::ISODate)) : QVariant()},
        {u"Kategorie"_s, w.kategorie},
        {u"DngNummer"_s, w.dngNummer},
        {u"Dng"_s, b.Text(Bezeichnung, z)},
        {u"NT"_s, w.nt},
        {u"NH4N"_s, w.nh4n},
        {u"P"_s, w.p},
        {u"P2O5"_s, p2o5},
        {u"Menge"_s, w.menge},
        {u"DngGrpNummer"_s, orgGruppe},
        {u"GruppeNr"_s, gruppe},
        {u"TaVerfNr"_s, taVerf},
        {u"N_AnrechenbarAL"_s, al},
        {u"N_AnrechenbarGL"_s, gl},
        {u"Herkunft_Nr"_s, herkunft},
        {u"WeideTiere"_s, w.weideTiere},
        {u"WeideTage"_s, w.weideTage},
        {u"IstHerbstDuengung"_s, b.Text(Herbst, z).compare(u"x"_s, Qt::CaseInsensitive) == 0 ? 1 : 0},
        {u"KannHerbstDuengung"_s, kannHerbst.isNull() ? QVariant(0) : kannHerbst},
        {u"Nges"_s, l.nges},
        {u"Nverf"_s, l.nverf},
        {u"Pges"_s, l.pges},
    };
    QStringList spalten, werte;
    for (const auto& [name, wert] : p) {
      spalten << name;
      werte << u":"_s + name;
    }
    const bool ok = db.Ausfuehren(u"insert into Dung ( %1, Bundesland, IsLegumPauschal ) values ( %2, 15, 1 )"_s.arg(
                                      spalten.join(u", "_s), werte.join(u", "_s)),
                                  p);
    if (!ok) {
      u.fehlgeschlagen = true;
      continue;
    }
    ZeileLeeren(b, z);
    ++u.geschrieben;
  }
  return u;
}

}  // namespace Schnellerfassung
