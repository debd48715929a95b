#include "datenbankexport.h"

#include "blatt.h"
#include "connection.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>

#include <sqlcipher/sqlite3.h>

#include <cmath>

using namespace Qt::StringLiterals;

namespace Datenbankexport {

namespace {
constexpr int MaxSaetze = TBlatt::MaxZeilen - 1;

std::optional<double> Zahl(const QString& text) {
  QString t = text.trimmed();
  if (t.count(u',') + t.count(u'.') > 1) return std::nullopt;
  t.replace(u',', u'.');
  bool ok = false;
  const double w = t.toDouble(&ok);
  if (!ok || !std::isfinite(w)) return std::nullopt;
  return w;
}

QString SqlTyp(const TFeld& f) {
  switch (f.typ) {
    case TFeldtyp::Zeichen: return u"CHARACTER(%1)"_s.arg(f.groesse);
    case TFeldtyp::GleitkommaKurz: return u"REAL"_s;
    case TFeldtyp::GleitkommaLang: return u"FLOAT"_s;
    case TFeldtyp::Waehrung: return u"MONEY"_s;
    case TFeldtyp::GanzzahlKurz: return u"SMALLINT"_s;
    case TFeldtyp::GanzzahlLang: return u"INTEGER"_s;
    case TFeldtyp::DatumZeit: return u"DATETIME"_s;
    case TFeldtyp::Memo: return u"TEXT"_s;
    case TFeldtyp::Logisch: return u"BIT"_s;
    case TFeldtyp::Leer: return u"CHARACTER(1)"_s;
    case TFeldtyp::NichtVorhanden: return {};
  }
  return {};
}

// The cell as a value of the field's type; none when it does not fit.
std::optional<QVariant> Wert(const TFeld& f, const QString& text) {
  if (text.isEmpty() && f.typ != TFeldtyp::Logisch) return QVariant();
  switch (f.typ) {
    case TFeldtyp::Zeichen:
      if (text.size() > f.groesse) return std::nullopt;
      return QVariant(text);
    case TFeldtyp::Memo: return QVariant(text);
    case TFeldtyp::Leer: return QVariant();
    case TFeldtyp::Logisch: return QVariant(Wahr(text) ? 1 : 0);
    case TFeldtyp::GleitkommaKurz:
    case TFeldtyp::GleitkommaLang:
    case TFeldtyp::Waehrung: {
      const auto z = Zahl(text);
      if (!z) return std::nullopt;
      return QVariant(*z);
    }
    case TFeldtyp::GanzzahlKurz:
    case TFeldtyp::GanzzahlLang: {
      const auto z = Zahl(text);
      const double grenze = f.typ == TFeldtyp::GanzzahlKurz ? 32767 : 2147483647;
      if (!z || *z != std::floor(*z) || std::abs(*z) > grenze) return std::nullopt;
      return QVariant(qlonglong(*z));
    }
    case TFeldtyp::DatumZeit: {
      QDate d = QDate::fromString(text, u"d.M.yyyy"_s);
      if (!d.isValid()) d = QDate::fromString(text.left(10), Qt::ISODate);
      if (!d.isValid()) return std::nullopt;
      return QVariant(d.toString(Qt::ISODate));
    }
    case TFeldtyp::NichtVorhanden: return QVariant();
  }
  return std::nullopt;
}
}  // namespace

QString Oeffnen(TADOModConnection& db, const QString& datei, bool anlegen) {
  db.setDatenbankName(datei);
  db.setPWD(QString());  // a plain file: no key
  if (anlegen) {
    if (!db.Anlegen()) return db.Fehlermeldung();
    return {};
  }
  const QFileInfo info(datei);
  // An empty file is an empty database to the engine: it holds no table.
  if (info.exists() && info.size() == 0) return u"Keine Tabellen in Datenbank enthalten"_s;
  if (db.Oeffnen() == TOeffnenErgebnis::Ok) return {};
  // A plain SQLite file our engine cannot read was written by a newer SQLite
  // with something it does not know yet (a generated column, a strict table).
  QFile f(datei);
  const QByteArray kopf = f.open(QIODevice::ReadOnly) ? f.read(100) : QByteArray();
  const quint32 v = kopf.size() < 100 ? 0
                                      : (quint32(quint8(kopf[96])) << 24) | (quint32(quint8(kopf[97])) << 16) |
                                            (quint32(quint8(kopf[98])) << 8) | quint32(quint8(kopf[99]));
  if (kopf.startsWith(QByteArray("SQLite format 3\0", 16)) && v > quint32(sqlite3_libversion_number())) {
    const QString version = u"%1.%2.%3"_s.arg(v / 1000000).arg(v / 1000 % 1000).arg(v % 1000);
    return u"Die Datei \u201E%1\u201C ist eine SQLite-Datenbank, die zuletzt von SQLite %2 geschrieben wurde und "
           "Funktionen dieser neueren Version benutzt; Quendrix liest Datenbanken bis SQLite %3. Bitte speichern Sie "
           "die Tabelle in dem anderen Programm als CSV-Datei und lesen Sie diese ein."_s.arg(info.fileName(), version,
                                                                                            QString::fromLatin1(sqlite3_libversion()));
  }
  return u"Die Datei \u201E%1\u201C ist keine lesbare SQLite-Datenbank ohne Kennwort."_s.arg(info.fileName());
}

QStringList Tabellen(TADOModConnection& db) {
  QStringList t;
  TAbfrage a(db, u"select name from sqlite_master where type = 'table' and name not like 'sqlite!_%' escape '!' "
                 "order by name"_s);
  while (a.Naechste()) t << a.Wert(0).toString();
  return t;
}

QString Zitiert(const QString& name) {
  QString n = name;
  n.replace(u"\""_s, u"\"\""_s);
  return u'"' + n + u'"';
}

bool TabelleLesen(TADOModConnection& db, const QString& tabelle, TBlatt& blatt, QString& meldung) {
  meldung.clear();
  blatt.Leeren();
  if (!Tabellen(db).contains(tabelle)) {
    meldung = u"Die Tabelle \u201E%1\u201C gibt es in der Datenbank nicht."_s.arg(tabelle);
    return false;
  }
  const qlonglong anzahl = db.Wert(u"select count(*) from "_s + Zitiert(tabelle)).toLongLong();
  TAbfrage a(db, u"select * from "_s + Zitiert(tabelle));
  int zeile = 1;
  for (int s = 0; s < std::min(a.Spaltenzahl(), TBlatt::MaxSpalten); ++s) blatt.setText(s + 1, 1, a.Spaltenname(s));
  while (zeile <= MaxSaetze && a.Naechste()) {
    ++zeile;
    for (int s = 0; s < std::min(a.Spaltenzahl(), TBlatt::MaxSpalten); ++s) {
      const QVariant w = a.Wert(s);
      if (w.typeId() == QMetaType::Double) blatt.setZahl(s + 1, zeile, w.toDouble());
      else blatt.setText(s + 1, zeile, w.toString());
    }
  }
  if (!a.Ok()) {
    meldung = u"Die Tabelle \u201E%1\u201C kann nicht gelesen werden."_s.arg(tabelle);
    return false;
  }
  if (anzahl > MaxSaetze)
    meldung = u"Es konnten nur %1 Zeilen  von %2 Zeilen eingelesen werden (Excel-4-Grenze)."_s.arg(MaxSaetze).arg(anzahl);
  return true;
}

QString Feldname(const QString& titel) {
  QString n;
  for (const QChar c : titel.trimmed()) {
    switch (c.unicode()) {
      case u'Ä': n += u"Ae"_s; continue;
      case u'Ö': n += u"Oe"_s; continue;
      case u'Ü': n += u"Ue"_s; continue;
      case u'ä': n += u"ae"_s; continue;
      case u'ö': n += u"oe"_s; continue;
      case u'ü': n += u"ue"_s; continue;
      case u'ß': n += u"ss"_s; continue;
    }
    const bool gut = (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_';
    n += gut ? c : QChar(u'_');
  }
  if (n.isEmpty()) n = u"_"_s;
  if (n.at(0).isDigit()) n.prepend(u'_');
  return n.left(64);
}

QString TabellennameFehler(const QString& name, const QStringList& vorhanden) {
  const QString n = name.trimmed();
  if (n.isEmpty()) return u"Sie müssen schon einen gültigen Tabellennamen  angeben"_s;
  if (vorhanden.contains(n, Qt::CaseInsensitive)) return u"Den Tabellennamen gibt es schon, bitte einen anderen wählen"_s;
  // The engine keeps names beginning with "sqlite_" for itself.
  if (n.startsWith(u"sqlite_"_s, Qt::CaseInsensitive) || n.size() > 64 ||
      std::any_of(n.begin(), n.end(), [](QChar c) { return c.category() == QChar::Other_Control; }))
    return u"Sie müssen schon einen gültigen Tabellennamen  angeben"_s;
  return {};
}

QString Typname(TFeldtyp typ) {
  switch (typ) {
    case TFeldtyp::Zeichen: return u"Zeichen"_s;
    case TFeldtyp::GleitkommaKurz: return u"Gleitkomma (kurz)"_s;
    case TFeldtyp::GleitkommaLang: return u"Gleitkomma (lang)"_s;
    case TFeldtyp::Waehrung: return u"Währung (BCD)"_s;
    case TFeldtyp::GanzzahlKurz: return u"Ganzzahl (kurz)"_s;
    case TFeldtyp::GanzzahlLang: return u"Ganzzahl (lang)"_s;
    case TFeldtyp::DatumZeit: return u"Datum/Zeit"_s;
    case TFeldtyp::Memo: return u"Memo"_s;
    case TFeldtyp::Logisch: return u"Logisch"_s;
    case TFeldtyp::Leer: return u"Leer (1 Zeichen)"_s;
    case TFeldtyp::NichtVorhanden: return u"nicht vorhanden"_s;
  }
  return {};
}

std::vector<TFeld> Felder(const TBlatt& blatt, bool ersteZeile, QString& fehler) {
  fehler.clear();
  std::vector<TFeld> f;
  const int spalten = std::max(1, blatt.LetzteSpalte());
  for (int s = 1; s <= spalten; ++s) {
    TFeld feld;
    feld.name = ersteZeile ? Feldname(blatt.Text(s, 1)) : u"Feld_%1"_s.arg(s);
    int laengste = 1;
    for (int z = ersteZeile ? 2 : 1; z <= blatt.LetzteZeile(); ++z)
      laengste = std::max(laengste, int(blatt.Text(s, z).size()));
    feld.groesse = std::min(255, std::max(laengste, 1));
    for (int i = 0; i < int(f.size()); ++i)
      if (f[size_t(i)].name.compare(feld.name, Qt::CaseInsensitive) == 0 && fehler.isEmpty())
        fehler = u"Spaltennamen in Zeile %1 und Zeile %2 sind identisch, Datei kann nicht konvertiert werden!"_s.arg(i + 1)
                     .arg(s);
    f.push_back(feld);
  }
  return f;
}

bool Wahr(const QString& text) {
  const QString t = text.trimmed().toLower();
  for (const char* w : {"ja", "j", "wahr", "w", "true", "t"})
    if (t == QLatin1String(w)) return true;
  const auto z = Zahl(t);
  return !t.isEmpty() && z && *z != 0;
}

bool Exportieren(TADOModConnection& db, const TBlatt& blatt, const QString& tabelle, const std::vector<TFeld>& felder,
                 bool ersteZeile, QString& fehler) {
  fehler = TabellennameFehler(tabelle, Tabellen(db));
  if (!fehler.isEmpty()) return false;
  QStringList spalten, platzhalter;
  std::vector<int> quellen;
  for (int i = 0; i < int(felder.size()); ++i) {
    const TFeld& f = felder[size_t(i)];
    if (f.typ == TFeldtyp::NichtVorhanden) continue;
    spalten << Zitiert(f.name) + u' ' + SqlTyp(f);
    platzhalter << u":f%1"_s.arg(i);
    quellen.push_back(i);
  }
  if (spalten.isEmpty()) {
    fehler = u"Es ist kein Feld zum Exportieren ausgewählt."_s;
    return false;
  }
  TTransaktion t(db);
  if (!t.Ok() || !db.Ausfuehren(u"CREATE TABLE "_s + Zitiert(tabelle.trimmed()) + u" ( "_s + spalten.join(u", "_s) + u" );"_s)) {
    fehler = u"Anlegen der Tabelle ist fehlgeschlagen"_s;
    return false;
  }
  const QString einfuegen = u"INSERT INTO %1 VALUES ( %2 )"_s.arg(Zitiert(tabelle.trimmed()), platzhalter.join(u", "_s));
  for (int z = ersteZeile ? 2 : 1; z <= blatt.LetzteZeile(); ++z) {
    TParameter p;
    for (int i : quellen) {
      const TFeld& f = felder[size_t(i)];
      const auto w = Wert(f, blatt.Text(i + 1, z));
      if (!w) {
        fehler = u"Spalte kann nicht in %1 konvertiert werden (Zeile %2, Spalte %3: \u201E%4\u201C)."_s.arg(
                     Typname(f.typ))
                     .arg(z)
                     .arg(i + 1)
                     .arg(blatt.Text(i + 1, z));
        return false;
      }
      p.emplace_back(u"f%1"_s.arg(i), *w);
    }
    if (!db.Ausfuehren(einfuegen, p)) {
      fehler = u"Die Zeile %1 konnte nicht übertragen werden; es wurde nichts exportiert."_s.arg(z);
      return false;
    }
  }
  if (!t.Bestaetigen()) {
    fehler = u"Die Daten konnten nicht gespeichert werden; es wurde nichts exportiert."_s;
    return false;
  }
  return true;
}

}  // namespace Datenbankexport
