#include "schema.h"

#include "connection.h"
#include "tsv.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace Schema {

namespace {

std::vector<QStringList> Zeilen(const QString& datei) {
  TTsv tsv;
  if (!::TsvLesen(datei, tsv)) qFatal("Katalog fehlt: %s", qPrintable(datei));
  return tsv.zeilen;
}

QStringList Liste(const QString& text) {
  return text.trimmed().isEmpty() ? QStringList() : text.trimmed().split(QLatin1Char(','));
}

}  // namespace

const TSpalte* TTabelle::Spalte(const QString& n) const {
  for (const auto& s : spalten)
    if (s.name.compare(n, Qt::CaseInsensitive) == 0) return &s;
  return nullptr;
}

bool TTabelle::HatZaehler() const {
  for (const auto& s : spalten)
    if (s.typ == QLatin1String("counter")) return true;
  return false;
}

const TTabelle* TKatalog::Tabelle(const QString& name) const {
  for (const auto& t : m_tabellen)
    if (t.name.compare(name, Qt::CaseInsensitive) == 0) return &t;
  return nullptr;
}

TKatalog TKatalog::Laden(const QString& ordner) {
  TKatalog k;
  for (const auto& z : Zeilen(ordner + QStringLiteral("/tables.tsv"))) {
    TTabelle t;
    t.name = z.value(0);
    t.art = z.value(1).trimmed();
    t.schluessel = Liste(z.value(2));
    t.verweis = Liste(z.value(3));
    t.bezug = z.value(4).trimmed();
    for (const QString& index : z.value(5).split(QLatin1Char(';'), Qt::SkipEmptyParts)) t.indizes.push_back(Liste(index));
    k.m_tabellen.push_back(t);
  }
  for (const auto& z : Zeilen(ordner + QStringLiteral("/columns.tsv"))) {
    auto* t = const_cast<TTabelle*>(k.Tabelle(z.value(0)));
    if (!t) qFatal("Spalte einer unbekannten Tabelle: %s", qPrintable(z.join(QLatin1Char(' '))));
    const QString vorgabe = z.value(3).trimmed();
    t->spalten.push_back({z.value(1), z.value(2), vorgabe == QLatin1String("-") ? QString() : vorgabe});
  }
  QDir sichten(ordner + QStringLiteral("/views"));
  for (const QString& name : sichten.entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name)) {
    QFile f(sichten.filePath(name));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) continue;
    k.m_sichten.push_back({name.chopped(4), QString::fromUtf8(f.readAll()).trimmed()});
  }
  return k;
}

const TKatalog& TKatalog::Standard() {
  static const TKatalog katalog = Laden(QStringLiteral(":/schema"));
  return katalog;
}

QString SqlTyp(const QString& typ) {
  static const QRegularExpression text(QStringLiteral("^text\\((\\d+)\\)$"));
  if (typ == QLatin1String("int32")) return QStringLiteral("INTEGER");
  if (typ == QLatin1String("int16")) return QStringLiteral("SMALLINT");
  if (typ == QLatin1String("double")) return QStringLiteral("REAL");
  if (typ == QLatin1String("bool")) return QStringLiteral("BOOLEAN");
  if (typ == QLatin1String("datetime")) return QStringLiteral("DATETIME");
  if (typ == QLatin1String("memo")) return QStringLiteral("TEXT");
  if (typ == QLatin1String("blob")) return QStringLiteral("BLOB");
  if (const auto m = text.match(typ); m.hasMatch()) return QStringLiteral("VARCHAR(%1)").arg(m.captured(1));
  qFatal("Unbekannter Spaltentyp: %s", qPrintable(typ));
}

QString SpaltenDefinition(const TSpalte& s, bool schluessel) {
  if (s.typ == QLatin1String("counter")) return s.name + QStringLiteral(" INTEGER PRIMARY KEY AUTOINCREMENT");
  QString d = s.name + QLatin1Char(' ') + SqlTyp(s.typ);
  // A row without its farm, year or parcel belongs nowhere and no window shows it.
  if (schluessel) d += QStringLiteral(" NOT NULL");
  if (!s.vorgabe.isEmpty()) d += QStringLiteral(" DEFAULT ") + s.vorgabe;
  return d;
}

QString CreateTable(const TTabelle& t) {
  QStringList teile;
  for (const auto& s : t.spalten) teile << SpaltenDefinition(s, t.schluessel.contains(s.name, Qt::CaseInsensitive));
  const bool hatZaehler = t.HatZaehler();
  // The counter is the row's identity; the table's own key stays unique
  // so that the foreign keys of the child tables can point at it.
  if (!t.schluessel.isEmpty() && !(hatZaehler && t.schluessel == QStringList{QStringLiteral("ID")})) {
    teile << (hatZaehler ? QStringLiteral("UNIQUE (") : QStringLiteral("PRIMARY KEY (")) +
                 t.schluessel.join(QStringLiteral(", ")) + QLatin1Char(')');
  }
  if (!t.verweis.isEmpty()) {
    teile << QStringLiteral("FOREIGN KEY (") + t.verweis.join(QStringLiteral(", ")) +
                 QStringLiteral(") REFERENCES ") + t.bezug +
                 QStringLiteral(" ON UPDATE CASCADE ON DELETE CASCADE");
  }
  return QStringLiteral("CREATE TABLE ") + t.name + QStringLiteral(" (\n  ") +
         teile.join(QStringLiteral(",\n  ")) + QStringLiteral("\n)");
}

void IndizesAnlegen(TADOModConnection& db, const TTabelle& t) {
  std::vector<QStringList> indizes = t.indizes;
  if (!t.verweis.isEmpty()) indizes.insert(indizes.begin(), t.verweis);
  for (const QStringList& spalten : indizes)
    db.Ausfuehren(QStringLiteral("CREATE INDEX IF NOT EXISTS ix_%1_%2 ON %1 (%3)")
                      .arg(t.name, spalten.join(QLatin1Char('_')), spalten.join(QStringLiteral(", "))));
}

bool TabelleAnlegen(TADOModConnection& db, const TTabelle& t) {
  if (!db.Ausfuehren(CreateTable(t))) return false;
  IndizesAnlegen(db, t);
  return true;
}

QStringList FehlendeSpaltenErgaenzen(TADOModConnection& db, const TTabelle& t) {
  const QStringList vorhanden = db.Spalten(t.name);
  QStringList ergaenzt;
  for (const auto& s : t.spalten) {
    if (vorhanden.contains(s.name, Qt::CaseInsensitive)) continue;
    if (db.Ausfuehren(QStringLiteral("ALTER TABLE ") + t.name + QStringLiteral(" ADD COLUMN ") +
                      SpaltenDefinition(s)))
      ergaenzt << s.name;
  }
  return ergaenzt;
}

void SichtenAnlegen(TADOModConnection& db, const TKatalog& katalog) {
  // A view may stand on another view: repeat while some are still missing.
  std::vector<const TSicht*> offen;
  for (const auto& s : katalog.Sichten()) {
    db.Ausfuehren(QStringLiteral("DROP VIEW IF EXISTS ") + s.name);
    offen.push_back(&s);
  }
  bool weiter = true;
  while (weiter && !offen.empty()) {
    weiter = false;
    for (auto it = offen.begin(); it != offen.end();) {
      const QString sql = QStringLiteral("CREATE VIEW ") + (*it)->name + QStringLiteral(" AS ") + (*it)->abfrage;
      // SQLite accepts a view over a missing table; selecting proves it.
      if (db.Ausfuehren(sql) &&
          db.Ausfuehren(QStringLiteral("SELECT * FROM ") + (*it)->name + QStringLiteral(" LIMIT 0"))) {
        it = offen.erase(it);
        weiter = true;
      } else {
        db.Ausfuehren(QStringLiteral("DROP VIEW IF EXISTS ") + (*it)->name);
        ++it;
      }
    }
  }
}

bool AllesAnlegen(TADOModConnection& db, const TKatalog& katalog) {
  TTransaktion tx(db);
  for (const auto& t : katalog.Tabellen())
    if (!TabelleAnlegen(db, t)) return false;
  SichtenAnlegen(db, katalog);
  return tx.Bestaetigen();
}

}  // namespace Schema
