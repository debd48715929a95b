#include "connection.h"

#include "meldungen.h"
#include "sqlfunctions.h"

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <sqlcipher/sqlite3.h>

const QString TADOModConnection::Kennwort = QStringLiteral("Feldsteinmaus");

namespace {

QString Zitiert(const QString& text) {
  QString t = text;
  t.replace(QLatin1Char('\''), QLatin1String("''"));
  return QLatin1Char('\'') + t + QLatin1Char('\'');
}

bool Leer(const QString& sql) { return sql.trimmed().isEmpty(); }

// What the first bytes of a file say it is, for a clear refusal message.
QString FremdeDateiMeldung(const QString& datei) {
  QFile f(datei);
  QByteArray kopf;
  if (f.open(QIODevice::ReadOnly)) kopf = f.read(32);
  const QString name = QFileInfo(datei).fileName();
  if (kopf.mid(4, 15) == "Standard Jet DB" || kopf.mid(4, 15) == "Standard ACE DB")
    return QStringLiteral(
               "Die Datei \u201E%1\u201C ist eine Access-Datenbank des früheren Windows-Programms. "
               "Dieses Programm kann sie nicht öffnen; sie bleibt unverändert.")
        .arg(name);
  return QStringLiteral(
             "Die Datei \u201E%1\u201C ist keine Datenbank dieses Programms "
             "(falsches Kennwort, beschädigte oder fremde Datei). Sie bleibt unverändert.")
      .arg(name);
}

}  // namespace

TADOModConnection::TADOModConnection(TMeldungen* meldungen)
    : m_meldungen(meldungen), m_kennwort(Kennwort) {}

TADOModConnection::~TADOModConnection() { Schliessen(); }

void TADOModConnection::setDatenbankName(const QString& datei) {
  if (datei != m_datei) Schliessen();
  m_datei = datei;
}

void TADOModConnection::setPWD(const QString& kennwort) {
  if (kennwort != m_kennwort) Schliessen();
  m_kennwort = kennwort;
}

TOeffnenErgebnis TADOModConnection::Oeffnen(TZugriff zugriff) {
  Schliessen();
  m_fehlermeldung.clear();
  const QFileInfo info(m_datei);
  if (!info.exists()) {
    m_fehlermeldung = QStringLiteral("Die Datenbank \u201E%1\u201C wurde nicht gefunden.")
                          .arg(info.fileName());
    return TOeffnenErgebnis::DateiFehlt;
  }
  // The engine would take an empty file for an empty database and write into it.
  if (info.size() == 0) {
    m_fehlermeldung = FremdeDateiMeldung(m_datei);
    return TOeffnenErgebnis::FremdeDatei;
  }
  return Verbinden(SQLITE_OPEN_READWRITE, zugriff);
}

bool TADOModConnection::Anlegen() {
  Schliessen();
  m_fehlermeldung.clear();
  if (QFileInfo::exists(m_datei)) {
    m_fehlermeldung = QStringLiteral("Die Datei \u201E%1\u201C besteht bereits und wird nicht überschrieben.")
                          .arg(QFileInfo(m_datei).fileName());
    return false;
  }
  if (Verbinden(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, TZugriff::Geteilt) != TOeffnenErgebnis::Ok)
    return false;
  // The first write gives the file its encrypted header.
  if (!Ausfuehren(QStringLiteral("PRAGMA application_id = 1363497028"))) {
    m_fehlermeldung = QStringLiteral("Die Datenbank \u201E%1\u201C konnte nicht angelegt werden: %2")
                          .arg(QFileInfo(m_datei).fileName(), m_letzterFehler);
    Schliessen();
    QFile::remove(m_datei);
    return false;
  }
  return true;
}

TOeffnenErgebnis TADOModConnection::Verbinden(int flags, TZugriff zugriff) {
  const QString name = QFileInfo(m_datei).fileName();
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(QFile::encodeName(m_datei).constData(), &db, flags, nullptr) != SQLITE_OK) {
    m_fehlermeldung = QStringLiteral("Die Datenbank \u201E%1\u201C kann nicht geöffnet werden: %2")
                          .arg(name, QString::fromUtf8(sqlite3_errmsg(db)));
    sqlite3_close(db);
    return TOeffnenErgebnis::Fehler;
  }
  m_db = db;
  m_zugriff = zugriff;
  sqlite3_extended_result_codes(m_db, 0);

  auto scheitern = [&](TOeffnenErgebnis ergebnis, const QString& text) {
    m_fehlermeldung = text;
    Schliessen();
    return ergebnis;
  };
  auto gesperrt = [&]() {
    return scheitern(TOeffnenErgebnis::Gesperrt,
                     QStringLiteral("Die Datenbank \u201E%1\u201C wird gerade von einem anderen Programm "
                                    "benutzt (läuft Quendrix schon?). Bitte schließen Sie das andere "
                                    "Programm und starten Sie dann erneut.")
                         .arg(name));
  };

  if (!Ausfuehren(QStringLiteral("PRAGMA key = ") + Zitiert(m_kennwort)))
    return scheitern(TOeffnenErgebnis::Fehler, m_letzterFehler);

  if (zugriff == TZugriff::Exklusiv &&
      !Ausfuehren(QStringLiteral("PRAGMA locking_mode = EXCLUSIVE")))
    return scheitern(TOeffnenErgebnis::Fehler, m_letzterFehler);

  // Reading the schema proves the key fits; an exclusive transaction then
  // takes the write lock that this connection keeps until it closes.
  {
    TAbfrage probe(*this, QStringLiteral("SELECT count(*) FROM sqlite_master"));
    probe.Naechste();
    if (!probe.Ok()) {
      const int code = sqlite3_errcode(m_db);
      if (code == SQLITE_BUSY || code == SQLITE_LOCKED) return gesperrt();
      if (code == SQLITE_NOTADB || code == SQLITE_CORRUPT)
        return scheitern(TOeffnenErgebnis::FremdeDatei, FremdeDateiMeldung(m_datei));
      return scheitern(TOeffnenErgebnis::Fehler,
                       QStringLiteral("Die Datenbank \u201E%1\u201C kann nicht gelesen werden: %2")
                           .arg(name, probe.Fehler()));
    }
  }
  if (zugriff == TZugriff::Exklusiv) {
    if (!Ausfuehren(QStringLiteral("BEGIN EXCLUSIVE"))) {
      const int code = sqlite3_errcode(m_db);
      if (code == SQLITE_BUSY || code == SQLITE_LOCKED) return gesperrt();
      return scheitern(TOeffnenErgebnis::Fehler, m_letzterFehler);
    }
    Ausfuehren(QStringLiteral("COMMIT"));
  }
  Ausfuehren(QStringLiteral("PRAGMA foreign_keys = ON"));
  Regeln::FunktionenRegistrieren(m_db);
  return TOeffnenErgebnis::Ok;
}

void TADOModConnection::Schliessen() {
  if (!m_db) return;
  CacheLeeren();
  sqlite3_close_v2(m_db);
  m_db = nullptr;
}

void TADOModConnection::CacheLeeren() {
  for (auto& [sql, eintrag] : m_cache) sqlite3_finalize(eintrag.stmt);
  m_cache.clear();
}

void TADOModConnection::FehlerMerken() {
  m_letzterFehler = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("Datenbank nicht geöffnet");
}

int TADOModConnection::GeaenderteZeilen() const { return m_db ? sqlite3_changes(m_db) : 0; }

sqlite3_stmt* TADOModConnection::Vorbereiten(const QString& sql, bool& ausCache) {
  ausCache = false;
  if (!m_db) {
    FehlerMerken();
    return nullptr;
  }
  auto it = m_cache.find(sql);
  if (it != m_cache.end() && !it->second.inBenutzung) {
    it->second.inBenutzung = true;
    ausCache = true;
    return it->second.stmt;
  }
  const QByteArray utf8 = sql.toUtf8();
  sqlite3_stmt* stmt = nullptr;
  const char* rest = nullptr;
  if (sqlite3_prepare_v2(m_db, utf8.constData(), utf8.size(), &stmt, &rest) != SQLITE_OK) {
    FehlerMerken();
    return nullptr;
  }
  if (!stmt) {
    m_letzterFehler = QStringLiteral("Leere Anweisung");
    return nullptr;
  }
  // Only whole single statements are kept; rarely used texts are dropped in bulk.
  const bool einzeln = QByteArray(rest).trimmed().isEmpty() || QByteArray(rest).trimmed() == ";";
  if (einzeln && it == m_cache.end()) {
    if (m_cache.size() > 400) {
      for (auto i = m_cache.begin(); i != m_cache.end();) {
        if (i->second.inBenutzung) {
          ++i;
        } else {
          sqlite3_finalize(i->second.stmt);
          i = m_cache.erase(i);
        }
      }
    }
    m_cache.emplace(sql, TGecacht{stmt, true});
    ausCache = true;
  }
  return stmt;
}

void TADOModConnection::Zurueckgeben(const QString& sql, sqlite3_stmt* stmt, bool ausCache) {
  if (!stmt) return;
  if (!ausCache) {
    sqlite3_finalize(stmt);
    return;
  }
  sqlite3_reset(stmt);
  sqlite3_clear_bindings(stmt);
  auto it = m_cache.find(sql);
  if (it != m_cache.end()) it->second.inBenutzung = false;
}

bool TADOModConnection::Ausfuehren(const QString& sql, const TParameter& parameter) {
  if (Leer(sql)) return true;
  if (!m_db) {
    FehlerMerken();
    return false;
  }
  // Fast path: a single cached statement.
  auto it = m_cache.find(sql);
  if (it != m_cache.end() && !it->second.inBenutzung) {
    TAbfrage a(*this, sql, parameter);
    while (a.Naechste()) {
    }
    if (!a.Ok()) m_letzterFehler = a.Fehler();
    return a.Ok();
  }
  const QByteArray utf8 = sql.toUtf8();
  const char* pos = utf8.constData();
  const char* ende = pos + utf8.size();
  int anzahl = 0;
  while (pos < ende) {
    sqlite3_stmt* stmt = nullptr;
    const char* rest = nullptr;
    if (sqlite3_prepare_v2(m_db, pos, int(ende - pos), &stmt, &rest) != SQLITE_OK) {
      FehlerMerken();
      return false;
    }
    if (!stmt) break;  // only whitespace or comments left
    ++anzahl;
    const bool einzeln = QByteArray(rest).trimmed().isEmpty() && anzahl == 1;
    if (einzeln) {
      // Let the cache keep it for the next time.
      sqlite3_finalize(stmt);
      TAbfrage a(*this, sql, parameter);
      while (a.Naechste()) {
      }
      if (!a.Ok()) m_letzterFehler = a.Fehler();
      return a.Ok();
    }
    ParameterBinden(stmt, parameter);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE) {
      FehlerMerken();
      sqlite3_finalize(stmt);
      return false;
    }
    sqlite3_finalize(stmt);
    pos = rest;
  }
  return true;
}

bool TADOModConnection::AusfuehrenMitMeldung(const QString& sql, const TParameter& parameter) {
  if (Leer(sql)) return true;
  if (Ausfuehren(sql, parameter)) return true;
  if (m_meldungen) m_meldungen->Info(m_letzterFehler);
  return false;
}

bool TADOModConnection::AusfuehrenStill(const QString& sql, const TParameter& parameter) {
  if (Leer(sql)) return true;
  return Ausfuehren(sql, parameter);
}

double TADOModConnection::HoechsterWert(const QString& tabelle, const QString& spalte,
                                        const QString& bedingung) {
  QString sql = QStringLiteral("Select max( ") + spalte + QStringLiteral(" ) as Ergebnis from ") + tabelle;
  if (!bedingung.trimmed().isEmpty()) sql += QStringLiteral(" where ") + bedingung;
  TAbfrage a(*this, sql);
  if (!a.Naechste()) return 0.0;
  const QVariant v = a.Wert(0);
  bool ok = false;
  const double d = v.toDouble(&ok);
  return (v.isNull() || !ok) ? 0.0 : d;
}

bool TADOModConnection::Existiert(const QString& tabelle, const QString& spalten,
                                  const QString& bedingung) {
  QString sql = QStringLiteral("Select ") + (spalten.trimmed().isEmpty() ? QStringLiteral("*") : spalten) +
                QStringLiteral(" from ") + tabelle;
  if (!bedingung.trimmed().isEmpty()) sql += QStringLiteral(" where ") + bedingung;
  TAbfrage a(*this, sql);
  return a.Naechste();
}

QVariant TADOModConnection::Wert(const QString& sql, const TParameter& parameter) {
  TAbfrage a(*this, sql, parameter);
  if (!a.Naechste() || a.Spaltenzahl() == 0) return {};
  return a.Wert(0);
}

QStringList TADOModConnection::Spalten(const QString& tabelle) {
  QStringList namen;
  TAbfrage a(*this, QStringLiteral("PRAGMA table_info(") + Zitiert(tabelle) + QLatin1Char(')'));
  while (a.Naechste()) namen << a.Wert(QStringLiteral("name")).toString();
  return namen;
}

bool TADOModConnection::TabelleExistiert(const QString& name) {
  return Wert(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type IN ('table','view') AND name = :n "
                             "COLLATE NOCASE"),
              {{QStringLiteral("n"), name}})
      .isValid();
}

// ---------------------------------------------------------------------------

void ParameterBinden(sqlite3_stmt* stmt, const TParameter& parameter) {
  for (const auto& [roh, wert] : parameter) {
    QString name = roh.trimmed();
    if (!name.startsWith(QLatin1Char(':'))) name.prepend(QLatin1Char(':'));
    const int idx = sqlite3_bind_parameter_index(stmt, name.toUtf8().constData());
    if (idx == 0) continue;
    if (wert.isNull() || !wert.isValid()) {
      sqlite3_bind_null(stmt, idx);
      continue;
    }
    switch (wert.typeId()) {
      case QMetaType::Bool:
      case QMetaType::Int:
      case QMetaType::UInt:
      case QMetaType::Short:
      case QMetaType::UShort:
      case QMetaType::Long:
      case QMetaType::LongLong:
      case QMetaType::ULongLong:
        sqlite3_bind_int64(stmt, idx, wert.toLongLong());
        break;
      case QMetaType::Double:
      case QMetaType::Float:
        sqlite3_bind_double(stmt, idx, wert.toDouble());
        break;
      case QMetaType::QDate: {
        const QByteArray t = wert.toDate().toString(QStringLiteral("yyyy-MM-dd")).toUtf8();
        sqlite3_bind_text(stmt, idx, t.constData(), t.size(), SQLITE_TRANSIENT);
        break;
      }
      case QMetaType::QDateTime: {
        const QByteArray t = wert.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toUtf8();
        sqlite3_bind_text(stmt, idx, t.constData(), t.size(), SQLITE_TRANSIENT);
        break;
      }
      default: {
        const QByteArray t = wert.toString().toUtf8();
        sqlite3_bind_text(stmt, idx, t.constData(), t.size(), SQLITE_TRANSIENT);
      }
    }
  }
}

QVariant SpaltenWert(sqlite3_stmt* stmt, int i) {
  switch (sqlite3_column_type(stmt, i)) {
    case SQLITE_INTEGER:
      return QVariant(qlonglong(sqlite3_column_int64(stmt, i)));
    case SQLITE_FLOAT:
      return QVariant(sqlite3_column_double(stmt, i));
    case SQLITE_TEXT:
      return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)),
                                        sqlite3_column_bytes(stmt, i)));
    case SQLITE_BLOB:
      return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(stmt, i)),
                                 sqlite3_column_bytes(stmt, i)));
    default:
      return QVariant();
  }
}

TAbfrage::TAbfrage(TADOModConnection& verbindung, const QString& sql, const TParameter& parameter)
    : m_verbindung(verbindung), m_sql(sql) {
  m_stmt = m_verbindung.Vorbereiten(sql, m_ausCache);
  if (!m_stmt) {
    m_fehler = m_verbindung.m_letzterFehler;
    return;
  }
  ParameterBinden(m_stmt, parameter);
  m_ok = true;
}

TAbfrage::~TAbfrage() { m_verbindung.Zurueckgeben(m_sql, m_stmt, m_ausCache); }

bool TAbfrage::Naechste() {
  if (!m_ok) return false;
  const int rc = sqlite3_step(m_stmt);
  if (rc == SQLITE_ROW) return true;
  if (rc != SQLITE_DONE) {
    m_ok = false;
    m_verbindung.FehlerMerken();
    m_fehler = m_verbindung.m_letzterFehler;
  }
  return false;
}

int TAbfrage::Spaltenzahl() const { return m_stmt ? sqlite3_column_count(m_stmt) : 0; }

QString TAbfrage::Spaltenname(int i) const { return QString::fromUtf8(sqlite3_column_name(m_stmt, i)); }

QVariant TAbfrage::Wert(int i) const { return SpaltenWert(m_stmt, i); }

QVariant TAbfrage::Wert(const QString& name) const {
  for (int i = 0; i < Spaltenzahl(); ++i)
    if (Spaltenname(i).compare(name, Qt::CaseInsensitive) == 0) return Wert(i);
  return {};
}

static QString Text(const char* c) { return c ? QString::fromUtf8(c) : QString(); }

QString TAbfrage::DeklarierterTyp(int i) const { return Text(sqlite3_column_decltype(m_stmt, i)); }
QString TAbfrage::Herkunftstabelle(int i) const { return Text(sqlite3_column_table_name(m_stmt, i)); }
QString TAbfrage::Herkunftsspalte(int i) const { return Text(sqlite3_column_origin_name(m_stmt, i)); }

// ---------------------------------------------------------------------------

TTransaktion::TTransaktion(TADOModConnection& verbindung) : m_verbindung(verbindung) {
  static int zaehler = 0;
  m_name = QStringLiteral("tq%1").arg(++zaehler);
  m_ok = m_verbindung.Ausfuehren(QStringLiteral("SAVEPOINT ") + m_name);
  m_offen = m_ok;
}

TTransaktion::~TTransaktion() {
  if (m_offen) Verwerfen();
}

bool TTransaktion::Bestaetigen() {
  if (!m_offen) return false;
  m_offen = false;
  if (m_verbindung.Ausfuehren(QStringLiteral("RELEASE ") + m_name)) return true;
  m_verbindung.Ausfuehren(QStringLiteral("ROLLBACK TO ") + m_name);
  m_verbindung.Ausfuehren(QStringLiteral("RELEASE ") + m_name);
  return false;
}

void TTransaktion::Verwerfen() {
  if (!m_offen) return;
  m_offen = false;
  m_verbindung.Ausfuehren(QStringLiteral("ROLLBACK TO ") + m_name);
  m_verbindung.Ausfuehren(QStringLiteral("RELEASE ") + m_name);
}
