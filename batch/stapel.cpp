#include "stapel.h"

#include "befehle.h"
#include "bedarfsdatei.h"
#include "connection.h"
#include "duengungsliste.h"
#include "export.h"
#include "herbstliste.h"
#include "listenausgabe.h"
#include "meldepflichten.h"
#include "meldungen.h"
#include "phosphorliste.h"
#include "pruefung.h"
#include "stickstoff.h"
#include "stickstoffliste.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>

namespace Stapel {

namespace {

QString K(const char* s) { return QString::fromUtf8(s); }

// The connection's messages go to the collector while a farm runs.
class TUmleitung {
public:
  TUmleitung(TADOModConnection& db, TMeldungen* neu) : m_db(db), m_alt(db.Meldungen()) { db.setMeldungen(neu); }
  ~TUmleitung() { m_db.setMeldungen(m_alt); }
  TUmleitung(const TUmleitung&) = delete;
  TUmleitung& operator=(const TUmleitung&) = delete;

private:
  TADOModConnection& m_db;
  TMeldungen* m_alt;
};

// The finding furthest above its limit, relative to the limit.
QString Schwerster(const std::vector<Pruefung::TBefund>& befunde) {
  const Pruefung::TBefund* schwerster = nullptr;
  double hoechster = -1;
  for (const Pruefung::TBefund& b : befunde) {
    const double anteil = b.grenze > 0 ? (b.wert - b.grenze) / b.grenze : 0;
    if (anteil > hoechster) {
      hoechster = anteil;
      schwerster = &b;
    }
  }
  return schwerster ? schwerster->text : QString();
}

bool Enthaelt(const std::vector<TSchritt>& schritte, TSchritt s) {
  return std::find(schritte.begin(), schritte.end(), s) != schritte.end();
}

bool Berechnen(TADOModConnection& db, int betrieb, int jahr) {
  // Nitrogen, phosphate and autumn as their windows run them before printing.
  return Befehle::GruppenFuerJahr(db, jahr, betrieb, {20, 50, 35, 25}) &&
         Stickstoff::UngueltigeBedarfeLoeschen(db, betrieb) && Befehle::GruppenFuerJahr(db, jahr, betrieb, {45}) &&
         Befehle::GruppenFuerJahr(db, jahr, betrieb, {40, 5, 10, 15, 20, 50});
}

bool Listen(TADOModConnection& db, int betrieb, int jahr, const QString& ordner, QStringList* dateien,
            QString* fehler) {
  if (!QDir().mkpath(ordner)) {
    *fehler = K("Der Ordner %1 konnte nicht angelegt werden.").arg(QDir::toNativeSeparators(ordner));
    return false;
  }
  const Listenausgabe::TKopf kopf = Listenausgabe::Kopf(db, betrieb, jahr);
  const auto datei = [&](const char* name) { return QDir(ordner).filePath(K(name).arg(jahr)); };
  bool ok = true;
  const auto schreiben = [&](const QString& ziel, const TMappe& mappe) {
    if (!ok) return;
    ok = Listenausgabe::Schreiben(mappe, ziel, fehler);
    if (ok) *dateien << ziel;
  };
  schreiben(datei("Stickstoff_%1.xlsx"), Stickstoffliste::Mappe(kopf, Stickstoffliste::Zeilen(db, betrieb, jahr)));
  schreiben(datei("Phosphor_%1.xlsx"), Phosphorliste::Mappe(kopf, Phosphorliste::Zeilen(db, betrieb, jahr)));
  for (const auto seite : {Herbstduengung::TSeite::Herbst, Herbstduengung::TSeite::Nitratgebiet})
    schreiben(datei(seite == Herbstduengung::TSeite::Herbst ? "Herbst_%1.xlsx" : "HerbstNitratgebiet_%1.xlsx"),
              Herbstliste::Mappe(kopf, seite, Herbstliste::Zeilen(db, betrieb, jahr, seite)));
  bool gelesen = true;
  const auto duengungen = Duengungsliste::Zeilen(db, betrieb, jahr, &gelesen);
  if (ok && !gelesen) {
    *fehler = K("Die Aufzeichnungen konnten nicht gelesen werden.");
    ok = false;
  }
  schreiben(datei("Duengungen_%1.xlsx"), Duengungsliste::Mappe(kopf, duengungen));
  return ok;
}

}  // namespace

QString Name(TSchritt s) {
  switch (s) {
    case TSchritt::Berechnen: return K("berechnen");
    case TSchritt::Pruefen: return K("pruefen");
    case TSchritt::Melden: return K("melden");
    case TSchritt::Drucken: return K("drucken");
    case TSchritt::Listen: return K("listen");
  }
  return {};
}

QString Anzeigename(TSchritt s) {
  switch (s) {
    case TSchritt::Berechnen: return K("Düngebedarfe neu berechnen");
    case TSchritt::Pruefen: return K("Rechtliche Grenzen prüfen");
    case TSchritt::Melden: return K("Meldedateien schreiben");
    case TSchritt::Drucken: return K("Bedarfsblätter und Bilanz als PDF");
    case TSchritt::Listen: return K("Tabellen (Excel)");
  }
  return {};
}

std::optional<TSchritt> SchrittAusName(const QString& name) {
  for (TSchritt s : AlleSchritte)
    if (Name(s) == name.trimmed()) return s;
  return std::nullopt;
}

std::vector<TBetrieb> BetriebeMitNamen(TADOModConnection& db, int jahr) {
  std::vector<TBetrieb> betriebe;
  TAbfrage a(db, K("select j.BetriebsNr, b.Betriebsname from DuengeJahr j left join Betriebe b on b.ID = j.BetriebsNr "
                   "where j.Duengejahr = :j and j.BetriebsNr > 1 order by j.BetriebsNr"),
             {{K("j"), jahr}});
  while (a.Naechste()) betriebe.push_back({a.Wert(0).toInt(), a.Wert(1).toString()});
  return betriebe;
}

std::vector<int> BetriebeDesJahres(TADOModConnection& db, int jahr) {
  std::vector<int> nummern;
  for (const TBetrieb& b : BetriebeMitNamen(db, jahr)) nummern.push_back(b.nr);
  return nummern;
}

QString Betriebsordner(const QString& ausgabe, int betrieb, int jahr) {
  return QDir(ausgabe).filePath(K("Betrieb_%1/%2").arg(betrieb).arg(jahr));
}

TErgebnis Betrieb(TADOModConnection& db, const TAuftrag& auftrag, int betrieb) {
  TErgebnis e;
  e.betrieb = betrieb;
  const int jahr = auftrag.jahr;
  const TParameter p = {{K("b"), betrieb}, {K("j"), jahr}};
  e.name = db.Wert(K("select Betriebsname from Betriebe where ID = :b"), p).toString();
  if (db.Wert(K("select count(*) from DuengeJahr where BetriebsNr = :b and Duengejahr = :j"), p).toInt() != 1) {
    e.fehler = K("Der Betrieb %1 hat kein Düngejahr %2.").arg(betrieb).arg(jahr);
    return e;
  }
  TSammler sammler;
  const TUmleitung umleitung(db, &sammler);
  const auto gescheitert = [&](const QString& grund) {
    e.fehler = grund.isEmpty() ? sammler.texte.join(K("\r\n")) : grund;
    if (e.fehler.isEmpty()) e.fehler = K("Unbekannter Fehler.");
    return e;
  };
  for (TSchritt s : AlleSchritte) {
    if (!Enthaelt(auftrag.schritte, s)) continue;
    if (auftrag.schrittBeginnt) auftrag.schrittBeginnt(betrieb, s);
    switch (s) {
      case TSchritt::Berechnen:
        if (!Berechnen(db, betrieb, jahr)) return gescheitert({});
        break;
      case TSchritt::Pruefen: {
        QString fehler;
        const auto befunde = Pruefung::Jahr(db, betrieb, jahr, &fehler);
        if (!fehler.isEmpty()) return gescheitert(fehler);
        e.befunde = int(befunde.size());
        e.schwersterBefund = Schwerster(befunde);
        break;
      }
      case TSchritt::Melden: {
        if (const QString m = Meldepflichten::Pruefen(db, betrieb, jahr); !m.isEmpty()) return gescheitert(m);
        const Meldepflichten::TLauf lauf = Meldepflichten::Erstellen(db, betrieb, jahr, auftrag.ausgabe, auftrag.heute);
        if (!lauf.ok) return gescheitert(lauf.text);
        e.dateien << lauf.dateien;
        break;
      }
      case TSchritt::Drucken: {
        if (!auftrag.pdf) return gescheitert(K("Die Druckausgabe steht hier nicht zur Verfügung."));
        const QString ordner = Betriebsordner(auftrag.ausgabe, betrieb, jahr);
        if (!QDir().mkpath(ordner))
          return gescheitert(K("Der Ordner %1 konnte nicht angelegt werden.").arg(QDir::toNativeSeparators(ordner)));
        const QString datei = QDir(ordner).filePath(K("Druck_%1.pdf").arg(jahr));
        QString fehler;
        if (!auftrag.pdf(db, betrieb, jahr, datei, &fehler)) return gescheitert(fehler);
        e.dateien << datei;
        break;
      }
      case TSchritt::Listen: {
        QString fehler;
        if (!Listen(db, betrieb, jahr, Betriebsordner(auftrag.ausgabe, betrieb, jahr), &e.dateien, &fehler))
          return gescheitert(fehler);
        break;
      }
    }
    e.erledigt.push_back(s);
  }
  e.ohneBedarf = Bedarfsdatei::OhneBedarf(db, betrieb, jahr);
  e.ohneDatum = Export::OhneDatum(db, betrieb, jahr);
  return e;
}

std::vector<TErgebnis> Ausfuehren(TADOModConnection& db, const TAuftrag& auftrag, const TFortschritt& weiter) {
  std::vector<TErgebnis> ergebnisse;
  for (size_t i = 0; i < auftrag.betriebe.size(); ++i) {
    if (weiter && !weiter(int(i), auftrag.betriebe[i])) break;
    ergebnisse.push_back(Betrieb(db, auftrag, auftrag.betriebe[i]));
  }
  return ergebnisse;
}

TAmpel Ampel(const TErgebnis& e) {
  if (!e.Ok()) return TAmpel::Rot;
  return e.befunde > 0 || !e.ohneBedarf.isEmpty() || e.ohneDatum > 0 ? TAmpel::Gelb : TAmpel::Gruen;
}

QString AmpelText(TAmpel a) {
  return a == TAmpel::Rot ? K("Fehler") : a == TAmpel::Gelb ? K("Hinweise") : K("fertig");
}

QString Schritte(const TErgebnis& e) {
  QStringList namen;
  for (TSchritt s : e.erledigt) namen << Name(s);
  return namen.join(K(", "));
}

TMappe Mappe(const std::vector<TErgebnis>& ergebnisse, int jahr, const QDate& datum) {
  using F = TMappe::TFormat;
  TMappe m;
  m.Text(K("A"), 1, K("Stapelverarbeitung Düngejahr %1").arg(jahr), F::Titel);
  m.Text(K("A"), 2, K("Datum"), F::Fett);
  m.Datum(K("B"), 2, datum);
  const std::pair<const char*, double> spalten[] = {{"Nr.", 6},          {"Betrieb", 30},     {"Ergebnis", 10},
                                                    {"Schritte", 30},    {"Dateien", 8},      {"Befunde", 8},
                                                    {"Schwerster Befund", 50}, {"Ohne Bedarf", 10}, {"Ohne Datum", 10},
                                                    {"Fehler", 60}};
  int s = 0;
  for (const auto& [titel, breite] : spalten) {
    const QString spalte = QString(QChar(u'A' + s++));
    m.Text(spalte, 4, K(titel), F::Spaltenkopf);
    m.Spaltenbreite(spalte, breite);
  }
  int z = 5;
  for (const TErgebnis& e : ergebnisse) {
    m.Zahl(K("A"), z, e.betrieb, F::Ganz);
    m.Text(K("B"), z, e.name);
    m.Text(K("C"), z, AmpelText(Ampel(e)));
    m.Text(K("D"), z, Schritte(e));
    m.Zahl(K("E"), z, e.dateien.size(), F::Ganz);
    if (e.befunde >= 0) m.Zahl(K("F"), z, e.befunde, F::Ganz);
    m.Text(K("G"), z, e.schwersterBefund);
    m.Zahl(K("H"), z, e.ohneBedarf.size(), F::Ganz);
    m.Zahl(K("I"), z, e.ohneDatum, F::Ganz);
    m.Text(K("J"), z, QString(e.fehler).replace(K("\r\n"), K(" ")));
    ++z;
  }
  return m;
}

QByteArray Json(const std::vector<TErgebnis>& ergebnisse) {
  QJsonArray liste;
  for (const TErgebnis& e : ergebnisse) {
    QJsonArray erledigt;
    for (TSchritt s : e.erledigt) erledigt << Name(s);
    QJsonObject o{{K("betrieb"), e.betrieb},
                  {K("name"), e.name},
                  {K("ok"), e.Ok()},
                  {K("schritte"), erledigt},
                  {K("dateien"), QJsonArray::fromStringList(e.dateien)},
                  {K("ohneBedarf"), QJsonArray::fromStringList(e.ohneBedarf)},
                  {K("ohneDatum"), e.ohneDatum},
                  {K("fehler"), e.fehler}};
    if (e.befunde >= 0) {
      o[K("befunde")] = e.befunde;
      o[K("schwersterBefund")] = e.schwersterBefund;
    }
    liste << o;
  }
  return QJsonDocument(liste).toJson(QJsonDocument::Indented);
}

}  // namespace Stapel
