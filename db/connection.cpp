#include "connection.h"

#include "fehlertexte.h"
#include "meldungen.h"
#include "sqlfunctions.h"
#include "stoerung.h"

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
    m_fehlermeldung = Fehlertexte::Schreiben(m_datei, m_letzterCode, m_letzterFehler);
    Schliessen();
    QFile::remove(m_datei);
    return false;
  }
  return true;
}

TOeffnenErgebnis TADOModConnection::Verbinden(int flags, TZugriff zugriff) {
  const QString name = QFileInfo(m_datei).fileName();
  Stoerung::Bereitstellen();
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(QFile::encodeName(m_datei).constData(), &db, flags, nullptr) != SQLITE_OK) {
    const int code = db ? sqlite3_errcode(db) : SQLITE_NOMEM;
    const QString engine = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString();
    sqlite3_close(db);
    if ((flags & SQLITE_OPEN_CREATE) && code == SQLITE_CANTOPEN)
      m_fehlermeldung = Fehlertexte::OrdnerSchreibgeschuetzt(m_datei) + Fehlertexte::Klammer(engine);
    else
      m_fehlermeldung = QStringLiteral("Die Datenbank \u201E%1\u201C kann nicht geöffnet werden. Bitte prüfen Sie, ob "
                                       "Sie die Datei lesen dürfen und ihr Datenträger erreichbar ist.")
                            .arg(name) +
                        Fehlertexte::Klammer(engine);
    return TOeffnenErgebnis::Fehler;
  }
  m_db = db;
  m_zugriff = zugriff;
  sqlite3_extended_result_codes(m_db, 0);
  // Another program (or a second start) may hold the file for a moment.
  sqlite3_busy_timeout(m_db, Wartezeit());

  auto scheitern = [&](TOeffnenErgebnis ergebnis, const QString& text) {
    m_fehlermeldung = text;
    Schliessen();
    return ergebnis;
  };
  auto gesperrt = [&]() { return scheitern(TOeffnenErgebnis::Gesperrt, Fehlertexte::Gesperrt(m_datei)); };

  if (!Ausfuehren(QStringLiteral("PRAGMA key = ") + Zitiert(m_kennwort)))
    return scheitern(TOeffnenErgebnis::Fehler, m_letzterFehler);

  if (zugriff == TZugriff::Exklusiv &&
      !Ausfuehren(QStringLiteral("PRAGMA locking_mode = EXCLUSIVE")))
    return scheitern(TOeffnenErgebnis::Fehler, m_letzterFehler);

  // Reading the schema proves the key fits. The probe's statement goes back
  // before the connection may be closed below.
  int code = SQLITE_OK;
  QString fehler;
  {
    TAbfrage probe(*this, QStringLiteral("SELECT count(*) FROM sqlite_master"));
    probe.Naechste();
    if (!probe.Ok()) {
      code = m_letzterCode;
      fehler = probe.Fehler();
    }
  }
  if (code == SQLITE_BUSY || code == SQLITE_LOCKED) return gesperrt();
  if (code == SQLITE_NOTADB || code == SQLITE_CORRUPT)
    return scheitern(TOeffnenErgebnis::FremdeDatei, FremdeDateiMeldung(m_datei));
  if (code != SQLITE_OK)
    return scheitern(TOeffnenErgebnis::Fehler,
                     QStringLiteral("Die Datenbank \u201E%1\u201C kann nicht gelesen werden. Bitte prüfen Sie, ob "
                                    "ihr Datenträger erreichbar ist.")
                             .arg(name) +
                         Fehlertexte::Klammer(fehler));

  if (zugriff == TZugriff::Exklusiv) {
    const TOeffnenErgebnis e = ZumArbeiten();
    if (e != TOeffnenErgebnis::Ok) return e;
  }
  Ausfuehren(QStringLiteral("PRAGMA foreign_keys = ON"));
  // Statement journals and sorting stay in memory: nothing of the data goes
  // unencrypted into temporary files, and a rule run spares the file writes.
  Ausfuehren(QStringLiteral("PRAGMA temp_store = MEMORY"));
  Regeln::FunktionenRegistrieren(m_db);
  return TOeffnenErgebnis::Ok;
}

TOeffnenErgebnis TADOModConnection::ZumArbeiten() {
  auto scheitern = [&](TOeffnenErgebnis ergebnis, const QString& text) {
    m_fehlermeldung = text;
    Schliessen();
    return ergebnis;
  };
  // For work the file must take changes: the engine opens a file it may not
  // write for reading only, and a folder without write permission or a full
  // disk shows only at the first write. A small write (the same value back)
  // takes the write lock this connection keeps until it closes and proves all three.
  if (sqlite3_db_readonly(m_db, "main") == 1)
    return scheitern(TOeffnenErgebnis::Fehler, Fehlertexte::DateiSchreibgeschuetzt(m_datei));
  if (!Ausfuehren(QStringLiteral("BEGIN EXCLUSIVE"))) {
    if (m_letzterCode == SQLITE_BUSY || m_letzterCode == SQLITE_LOCKED)
      return scheitern(TOeffnenErgebnis::Gesperrt, Fehlertexte::Gesperrt(m_datei));
    return scheitern(TOeffnenErgebnis::Fehler, Fehlertexte::Schreiben(m_datei, m_letzterCode, m_letzterFehler));
  }
  const qlonglong version = Wert(QStringLiteral("PRAGMA user_version")).toLongLong();
  if (!Ausfuehren(QStringLiteral("PRAGMA user_version = %1").arg(version)) || !Ausfuehren(QStringLiteral("COMMIT"))) {
    const int code = m_letzterCode;
    const QString fehler = m_letzterFehler;
    if (!sqlite3_get_autocommit(m_db)) Ausfuehren(QStringLiteral("ROLLBACK"));
    if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
      return scheitern(TOeffnenErgebnis::Gesperrt, Fehlertexte::Gesperrt(m_datei));
    return scheitern(TOeffnenErgebnis::Fehler, Fehlertexte::Schreiben(m_datei, code, fehler));
  }
  m_zugriff = TZugriff::Exklusiv;
  return TOeffnenErgebnis::Ok;
}

TOeffnenErgebnis TADOModConnection::ExklusivWerden() {
  m_fehlermeldung.clear();
  if (!m_db) return Oeffnen(TZugriff::Exklusiv);
  if (m_zugriff == TZugriff::Exklusiv) return TOeffnenErgebnis::Ok;
  if (!sqlite3_get_autocommit(m_db) || !Ausfuehren(QStringLiteral("PRAGMA locking_mode = EXCLUSIVE"))) {
    m_fehlermeldung = m_letzterFehler;
    Schliessen();
    return TOeffnenErgebnis::Fehler;
  }
  return ZumArbeiten();
}

namespace {
int wartezeit = 2000;
}

int TADOModConnection::Wartezeit() { return wartezeit; }
void TADOModConnection::setWartezeit(int millisekunden) { wartezeit = millisekunden; }

QString TADOModConnection::Befund() {
  if (!m_db) return QStringLiteral("Datenbank nicht geöffnet");
  QStringList zeilen;
  {
    TAbfrage a(*this, QStringLiteral("PRAGMA quick_check"));
    while (a.Naechste()) zeilen << a.Wert(0).toString();
    if (!a.Ok()) return a.Fehler().isEmpty() ? QStringLiteral("Prüfung nicht möglich") : a.Fehler();
  }
  if (zeilen == QStringList{QStringLiteral("ok")}) return {};
  return zeilen.mid(0, 3).join(QStringLiteral("; "));
}

void TADOModConnection::Schliessen() {
  if (!m_db) return;
  CacheLeeren();
  // Statements still in use keep the engine's connection alive until they
  // are finalized; close_v2 allows for that.
  sqlite3_close_v2(m_db);
  m_db = nullptr;
  m_transaktionen = 0;
  m_abgebrochen = false;
}

void TADOModConnection::CacheLeeren() {
  // A statement still in use is left to its TAbfrage, which finalizes it.
  for (auto& [sql, eintrag] : m_cache)
    if (!eintrag.inBenutzung) sqlite3_finalize(eintrag.stmt);
  m_cache.clear();
}

void TADOModConnection::FehlerMerken() {
  if (!m_db) {
    m_letzterFehler = QStringLiteral("Datenbank nicht geöffnet");
    m_letzterCode = SQLITE_MISUSE;
    return;
  }
  m_letzterFehler = QString::fromUtf8(sqlite3_errmsg(m_db));
  m_letzterCode = sqlite3_errcode(m_db) & 0xff;
  // No transaction left although one is open: the engine rolled it back.
  if (m_transaktionen > 0 && !m_abgebrochen && sqlite3_get_autocommit(m_db)) {
    m_abgebrochen = true;
    m_abbruchFehler = m_letzterFehler;
    m_abbruchCode = m_letzterCode;
  }
}

bool TADOModConnection::Gesperrt() const { return m_abgebrochen; }

bool TADOModConnection::Steuern(const QString& sql) {
  if (!m_db) {
    FehlerMerken();
    return false;
  }
  if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK) return true;
  FehlerMerken();
  return false;
}

int TADOModConnection::GeaenderteZeilen() const { return m_db ? sqlite3_changes(m_db) : 0; }

sqlite3_stmt* TADOModConnection::Vorbereiten(const QString& sql, bool& ausCache) {
  ausCache = false;
  if (!m_db) {
    FehlerMerken();
    return nullptr;
  }
  if (Gesperrt()) {
    m_letzterFehler = m_abbruchFehler;
    m_letzterCode = m_abbruchCode;
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
  auto it = m_cache.find(sql);
  if (it == m_cache.end() || it->second.stmt != stmt) {
    // The cache was emptied (the connection closed) while it was in use.
    sqlite3_finalize(stmt);
    return;
  }
  sqlite3_reset(stmt);
  sqlite3_clear_bindings(stmt);
  it->second.inBenutzung = false;
}

bool TADOModConnection::Ausfuehren(const QString& sql, const TParameter& parameter) {
  if (Leer(sql)) return true;
  if (!m_db) {
    FehlerMerken();
    return false;
  }
  if (Gesperrt()) {
    m_letzterFehler = m_abbruchFehler;
    m_letzterCode = m_abbruchCode;
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
  // A transaction the engine gave up is reported once, by its owner, not by
  // every statement that follows.
  if (m_meldungen && !m_abgebrochen) m_meldungen->Info(m_letzterFehler);
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

namespace {

int ParameterIndex(sqlite3_stmt* stmt, const QString& roh, int vermutet) {
  // Parameters mostly come in the statement's order and spelled as in it:
  // then they are found without building a name and searching for it.
  if (const char* dort = sqlite3_bind_parameter_name(stmt, vermutet); dort && roh == QLatin1String(dort)) return vermutet;
  QString name = roh.trimmed();
  if (!name.startsWith(QLatin1Char(':'))) name.prepend(QLatin1Char(':'));
  return sqlite3_bind_parameter_index(stmt, name.toUtf8().constData());
}

}  // namespace

void ParameterBinden(sqlite3_stmt* stmt, const TParameter& parameter) {
  int naechster = 1;
  for (const auto& [roh, wert] : parameter) {
    const int idx = ParameterIndex(stmt, roh, naechster);
    if (idx == 0) continue;
    naechster = idx + 1;
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
      case QMetaType::QByteArray: {
        const QByteArray b = wert.toByteArray();
        sqlite3_bind_blob(stmt, idx, b.constData(), int(b.size()), SQLITE_TRANSIENT);
        break;
      }
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
  if (m_verbindung.Gesperrt()) {
    // Its transaction is gone: reading on would run outside of it.
    m_ok = false;
    m_fehler = m_verbindung.m_abbruchFehler;
    return false;
  }
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
  if (m_verbindung.m_abgebrochen) {
    // Inside a transaction the engine gave up: a savepoint now would start a new one.
    m_verbindung.m_letzterFehler = m_verbindung.m_abbruchFehler;
    m_verbindung.m_letzterCode = m_verbindung.m_abbruchCode;
    return;
  }
  m_ok = m_verbindung.Steuern(QStringLiteral("SAVEPOINT ") + m_name);
  m_offen = m_ok;
  if (m_offen) ++m_verbindung.m_transaktionen;
}

TTransaktion::~TTransaktion() {
  if (m_offen) Verwerfen();
}

void TTransaktion::Beenden() {
  auto& v = m_verbindung;
  if (v.m_transaktionen > 0) --v.m_transaktionen;
  if (v.m_transaktionen == 0) v.m_abgebrochen = false;
}

bool TTransaktion::Bestaetigen() {
  if (!m_offen) return false;
  m_offen = false;
  auto& v = m_verbindung;
  bool ok = false;
  if (!v.m_abgebrochen) {
    ok = v.Steuern(QStringLiteral("RELEASE ") + m_name);
    if (!ok && !v.m_abgebrochen) {
      // Still open (the commit met a lock): roll back to the savepoint and end it.
      const QString fehler = v.m_letzterFehler;
      const int code = v.m_letzterCode;
      v.Steuern(QStringLiteral("ROLLBACK TO ") + m_name);
      v.Steuern(QStringLiteral("RELEASE ") + m_name);
      v.m_letzterFehler = fehler;
      v.m_letzterCode = code;
    }
  }
  if (!ok && v.m_abgebrochen) {
    v.m_letzterFehler = v.m_abbruchFehler;
    v.m_letzterCode = v.m_abbruchCode;
  }
  Beenden();
  return ok;
}

void TTransaktion::Verwerfen() {
  if (!m_offen) return;
  m_offen = false;
  auto& v = m_verbindung;
  if (!v.m_abgebrochen) {
    v.Steuern(QStringLiteral("ROLLBACK TO ") + m_name);
    v.Steuern(QStringLiteral("RELEASE ") + m_name);
  }
  Beenden();
}
