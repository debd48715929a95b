#pragma once
// The tables and views of the database, read from the shipped catalogue
// (resources/schema): one place for creation, upgrade and tests.

#include <QString>
#include <QStringList>

#include <vector>

class TADOModConnection;

namespace Schema {

struct TSpalte {
  QString name;
  QString typ;      // counter, int16, int32, double, bool, datetime, text(n), memo, blob
  QString vorgabe;  // SQL literal of the default; empty: none (null)
};

struct TTabelle {
  QString name;
  // "Betrieb": farm data and per-farm copies, created once and kept;
  // "Gemeinsam": shared master tables, recreated with every refresh.
  QString art;
  QStringList schluessel;  // primary key columns
  QStringList verweis;     // columns referencing the parent
  QString bezug;           // parent table and columns, "Tabelle(A,B)"
  std::vector<QStringList> indizes;  // further indexes for the rules' lookups
  std::vector<TSpalte> spalten;

  const TSpalte* Spalte(const QString& name) const;
  bool HatZaehler() const;
};

struct TSicht {
  QString name;
  QString abfrage;
};

class TKatalog {
public:
  // The catalogue compiled into the program.
  static const TKatalog& Standard();
  // Reads a catalogue from a folder with tables.tsv, columns.tsv and views/.
  static TKatalog Laden(const QString& ordner);

  const std::vector<TTabelle>& Tabellen() const { return m_tabellen; }
  const std::vector<TSicht>& Sichten() const { return m_sichten; }
  const TTabelle* Tabelle(const QString& name) const;

private:
  std::vector<TTabelle> m_tabellen;
  std::vector<TSicht> m_sichten;
};

// The declared SQL type of a catalogue type.
QString SqlTyp(const QString& typ);
// Key columns are NOT NULL (ALTER TABLE ADD COLUMN never adds a key column).
QString SpaltenDefinition(const TSpalte& spalte, bool schluessel = false);
QString CreateTable(const TTabelle& tabelle);

// The indexes of the foreign key and the further ones; existing ones stay.
void IndizesAnlegen(TADOModConnection& db, const TTabelle& tabelle);
// Creates the table with its indexes; false when it exists or fails.
bool TabelleAnlegen(TADOModConnection& db, const TTabelle& tabelle);
// Adds the catalogue columns that an existing table lacks; returns their names.
QStringList FehlendeSpaltenErgaenzen(TADOModConnection& db, const TTabelle& tabelle);
// (Re)creates the views; a view over a missing table is left out.
void SichtenAnlegen(TADOModConnection& db, const TKatalog& katalog);
// Every table and view of the catalogue, in one transaction.
bool AllesAnlegen(TADOModConnection& db, const TKatalog& katalog = TKatalog::Standard());

}  // namespace Schema
