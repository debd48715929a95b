#pragma once
// The one connection to the password-protected database file, and the access
// operations every window and rule builds on.

#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;
class TMeldungen;

// Named parameters; a name may be given with or without the leading ':'.
using TParameter = std::vector<std::pair<QString, QVariant>>;

enum class TZugriff { Geteilt, Exklusiv };

enum class TOeffnenErgebnis {
  Ok,
  DateiFehlt,   // no file of that name
  FremdeDatei,  // not a database of this program: left untouched
  Gesperrt,     // another program holds the file
  Fehler,       // anything else (no permission, disk error)
};

class TADOModConnection {
public:
  static const QString Kennwort;  // "Feldsteinmaus", never asked from the user

  explicit TADOModConnection(TMeldungen* meldungen = nullptr);
  ~TADOModConnection();
  TADOModConnection(const TADOModConnection&) = delete;
  TADOModConnection& operator=(const TADOModConnection&) = delete;

  const QString& DatenbankName() const { return m_datei; }
  void setDatenbankName(const QString& datei);
  const QString& PWD() const { return m_kennwort; }
  void setPWD(const QString& kennwort);
  TMeldungen* Meldungen() const { return m_meldungen; }
  void setMeldungen(TMeldungen* meldungen) { m_meldungen = meldungen; }

  // Opens the existing file. On failure the connection stays closed and
  // Fehlermeldung() holds a German text for the user; the file is not touched.
  // A lock held by another program is waited for up to Wartezeit() first.
  // Exclusive opening is for work: it proves with a small write that the
  // file, its folder and the disk take changes, and fails (Fehler, with the
  // reason) when they do not.
  TOeffnenErgebnis Oeffnen(TZugriff zugriff = TZugriff::Geteilt);
  // Turns a shared connection into the exclusive one for work, as Oeffnen
  // (Exklusiv) would, without opening the file again (every opening costs the
  // key derivation). On failure the connection is closed, as there.
  TOeffnenErgebnis ExklusivWerden();
  // Creates a new empty password-protected file and leaves it open (shared).
  // An existing file is never replaced.
  bool Anlegen();
  void Schliessen();
  bool IstOffen() const { return m_db != nullptr; }
  TZugriff Zugriff() const { return m_zugriff; }
  const QString& Fehlermeldung() const { return m_fehlermeldung; }
  // The engine's text and primary result code of the last failed statement.
  const QString& LetzterFehler() const { return m_letzterFehler; }
  int LetzterCode() const { return m_letzterCode; }

  // How long opening and every statement wait for a lock another program
  // holds, in milliseconds.
  static int Wartezeit();
  static void setWartezeit(int millisekunden);

  // The engine's quick check of the whole file: empty when it is intact,
  // otherwise its findings (or the read error), for messages in brackets.
  QString Befund();

  // Inside a TTransaktion the engine may give up the whole transaction (full
  // disk, disk error): then it has rolled everything back, and every further
  // statement fails with the cause until the outermost TTransaktion ends.
  bool TransaktionAbgebrochen() const { return m_abgebrochen; }

  // Reporting mode: a failure shows the engine's error text; the caller goes
  // on. Not when the engine gave up the transaction: its owner (the
  // Bestaetigen() that fails) reports that once.
  bool AusfuehrenMitMeldung(const QString& sql, const TParameter& parameter = {});
  // Silent mode: a failure is ignored.
  bool AusfuehrenStill(const QString& sql, const TParameter& parameter = {});
  // max(spalte) of the rows meeting the condition; 0 when none or on failure.
  double HoechsterWert(const QString& tabelle, const QString& spalte, const QString& bedingung);
  // Whether the query has a row; false on failure.
  bool Existiert(const QString& tabelle, const QString& spalten, const QString& bedingung);

  // First column of the first row; null when there is none or the query fails.
  QVariant Wert(const QString& sql, const TParameter& parameter = {});
  // Names of the columns of a table or view, in their order; empty when unknown.
  QStringList Spalten(const QString& tabelle);
  bool TabelleExistiert(const QString& name);

  sqlite3* Handle() const { return m_db; }
  int GeaenderteZeilen() const;

  // Runs every statement of the text; false and LetzterFehler() on the first failure.
  bool Ausfuehren(const QString& sql, const TParameter& parameter = {});

private:
  friend class TAbfrage;
  friend class TTransaktion;
  sqlite3_stmt* Vorbereiten(const QString& sql, bool& ausCache);
  // Runs a statement of the transaction control itself, past the block of an
  // abandoned transaction.
  bool Steuern(const QString& sql);
  bool Gesperrt() const;
  void Zurueckgeben(const QString& sql, sqlite3_stmt* stmt, bool ausCache);
  void CacheLeeren();
  void FehlerMerken();
  TOeffnenErgebnis Verbinden(int flags, TZugriff zugriff);
  TOeffnenErgebnis ZumArbeiten();

  TMeldungen* m_meldungen;
  QString m_datei;
  QString m_kennwort;
  QString m_fehlermeldung;
  QString m_letzterFehler;
  int m_letzterCode = 0;
  sqlite3* m_db = nullptr;
  int m_transaktionen = 0;  // open TTransaktion objects
  bool m_abgebrochen = false;
  QString m_abbruchFehler;
  int m_abbruchCode = 0;
  TZugriff m_zugriff = TZugriff::Geteilt;
  // Prepared statements by text; a statement in use is not handed out twice.
  struct TGecacht {
    sqlite3_stmt* stmt;
    bool inBenutzung;
  };
  std::unordered_map<QString, TGecacht> m_cache;
};

// One statement with its bound parameters, stepped row by row.
class TAbfrage {
public:
  TAbfrage(TADOModConnection& verbindung, const QString& sql, const TParameter& parameter = {});
  ~TAbfrage();
  TAbfrage(const TAbfrage&) = delete;
  TAbfrage& operator=(const TAbfrage&) = delete;

  bool Ok() const { return m_ok; }
  const QString& Fehler() const { return m_fehler; }
  // Advances to the next row; false at the end or on failure (then !Ok()).
  bool Naechste();

  int Spaltenzahl() const;
  QString Spaltenname(int i) const;
  QVariant Wert(int i) const;
  QVariant Wert(const QString& name) const;
  // Declared type, table and column of origin; empty for calculated columns.
  QString DeklarierterTyp(int i) const;
  QString Herkunftstabelle(int i) const;
  QString Herkunftsspalte(int i) const;

private:
  TADOModConnection& m_verbindung;
  QString m_sql;
  sqlite3_stmt* m_stmt = nullptr;
  bool m_ausCache = false;
  bool m_ok = false;
  QString m_fehler;
};

// Binds the named parameters to a prepared statement; unknown names are ignored.
void ParameterBinden(sqlite3_stmt* stmt, const TParameter& parameter);
// A column value as QVariant: null, qlonglong, double or QString.
QVariant SpaltenWert(sqlite3_stmt* stmt, int i);

// A transaction or nested savepoint that rolls back unless committed.
// Bestaetigen() is false when the changes are not saved: the commit failed,
// or the engine gave up the transaction earlier; LetzterFehler() and
// LetzterCode() then say why.
class TTransaktion {
public:
  explicit TTransaktion(TADOModConnection& verbindung);
  ~TTransaktion();
  TTransaktion(const TTransaktion&) = delete;
  TTransaktion& operator=(const TTransaktion&) = delete;
  bool Ok() const { return m_ok; }
  bool Bestaetigen();
  void Verwerfen();

private:
  void Beenden();

  TADOModConnection& m_verbindung;
  QString m_name;
  bool m_ok = false;
  bool m_offen = false;
};
