#pragma once
// An editable list over a query, as the record windows need it: rows, a
// current row, the states browse/edit/insert, fields by name with null,
// hooks before and after saving, and write-back through the table's key.

#include "connection.h"

#include <QObject>
#include <QString>
#include <QVariant>

#include <functional>
#include <vector>

class TADODataSetMod : public QObject {
  Q_OBJECT
public:
  enum class TZustand { Geschlossen, Blaettern, Bearbeiten, Einfuegen };

  struct TFeld {
    QString name;
    QString typ;       // declared type of the column (BOOLEAN, DATETIME, VARCHAR(80) ...)
    QString tabelle;   // table the value comes from; empty for an expression
    QString spalte;    // column in that table
    bool berechnet = false;  // computed in code, not part of the query
  };
  using TBerechnung = std::function<QVariant(const TADODataSetMod&, int zeile)>;

  explicit TADODataSetMod(TADOModConnection& verbindung, QObject* parent = nullptr);
  ~TADODataSetMod() override;

  TADOModConnection& Verbindung() const { return m_verbindung; }

  // --- query ---------------------------------------------------------------
  void setCommandText(const QString& sql);
  const QString& CommandText() const { return m_sql; }
  // The query before its first " order by ".
  const QString& CommandTextBasis() const { return m_basis; }
  // Table written back to; by default the table of the first stored column.
  void setTabelle(const QString& tabelle) { m_tabelleFest = tabelle; }
  QString Tabelle() const;
  // Binds a parameter of the query by name; the value's type is the data type.
  void ParameterSetzen(const QString& name, const QVariant& wert);
  // A field computed in code for every row (shown in grids, never stored).
  void BerechnetesFeld(const QString& name, TBerechnung berechnung);

  bool Oeffnen();
  void Schliessen();
  bool IstOffen() const { return m_zustand != TZustand::Geschlossen; }
  // Saves a pending edit (cancels it if saving fails), then opens the new query.
  bool MitSqlOeffnen(const QString& sql);
  // Re-reads the query and returns to the row with the same ID.
  bool Aktualisieren();
  // Re-sorts by a query column; a column computed in code is ignored.
  void setSortField(const QString& spalte);
  const QString& SortField() const { return m_sortField; }

  // --- rows and position ----------------------------------------------------
  int Anzahl() const { return int(m_zeilen.size()); }
  bool IstLeer() const { return m_zeilen.empty(); }
  int Position() const { return m_pos; }
  // Moving saves a pending edit first; false when that fails.
  bool Gehe(int zeile);
  bool Erster() { return Gehe(0); }
  bool Letzter() { return Gehe(Anzahl() - 1); }
  bool Naechster() { return m_pos + 1 < Anzahl() && Gehe(m_pos + 1); }
  bool Vorheriger() { return m_pos > 0 && Gehe(m_pos - 1); }
  // Locates the row with this ID; false (and no move) when there is none.
  bool Suchen(qint64 id);

  // --- fields ---------------------------------------------------------------
  const std::vector<TFeld>& Felder() const { return m_felder; }
  int FeldIndex(const QString& name) const;
  const TFeld* Feld(const QString& name) const;
  bool Gespeichert(const TFeld& feld) const;  // written back on save
  // Value of the current row (with pending changes); null when none.
  QVariant Wert(const QString& name) const;
  QVariant Wert(int zeile, int feld) const;
  bool IstNull(const QString& name) const { return Wert(name).isNull(); }
  // Sets a value of the current row and starts editing when browsing.
  bool setWert(const QString& name, const QVariant& wert);
  bool IstGeaendert(const QString& name) const;

  // --- editing --------------------------------------------------------------
  TZustand Zustand() const { return m_zustand; }
  bool Bearbeiten();
  bool Anfuegen();
  bool Speichern();
  void Abbrechen();
  bool Loeschen();
  // Unless already editing or inserting: appends when empty (if the list
  // may grow implicitly), else edits.
  void EditierenOderAnfuegen();
  // A list whose rows come from elsewhere (e.g. the crop rows shown on a
  // result page) must not grow by a panel being entered or a field typed
  // into while it is empty: such a row would lack its key and no window
  // would show it. Anfuegen() called on purpose still appends.
  void setImplizitAnfuegen(bool erlaubt) { m_implizitAnfuegen = erlaubt; }
  bool ImplizitAnfuegen() const { return m_implizitAnfuegen; }
  // Saves the current row if it is being edited or inserted.
  bool SpeichernWennGeaendert();
  double HoechsterWert(const QString& tabelle, const QString& spalte, const QString& bedingung) {
    return m_verbindung.HoechsterWert(tabelle, spalte, bedingung);
  }

  // --- hooks ----------------------------------------------------------------
  std::function<void(TADODataSetMod&)> BeimNeuenDatensatz;  // defaults of a new row
  std::function<bool(TADODataSetMod&)> VorDemSpeichern;     // false stops the save
  std::function<void(TADODataSetMod&)> NachDemSpeichern;
  std::function<bool(TADODataSetMod&)> VorDemLoeschen;      // false stops the delete
  std::function<void(TADODataSetMod&)> NachDemScrollen;

signals:
  void Zurueckgesetzt();               // opened, closed or re-read
  void ZeileGeaendert(int zeile);      // values of a row changed
  void ZeileEingefuegt(int zeile);
  void ZeileEntfernt(int zeile);
  void PositionGeaendert(int zeile);
  void ZustandGeaendert();

private:
  bool Lesen(const QString& sql, const TParameter& parameter, std::vector<QVariantList>& zeilen,
             std::vector<TFeld>* felder, QString& fehler) const;
  int SchluesselFeld() const;
  QString ZeilenBedingung(TParameter& parameter) const;
  bool ZeileNeuLesen();
  void Melden(const QString& text) const;
  void ZustandSetzen(TZustand z);

  TADOModConnection& m_verbindung;
  QString m_sql;
  QString m_basis;
  QString m_sortField;
  bool m_implizitAnfuegen = true;
  QString m_tabelleFest;
  TParameter m_parameter;
  std::vector<std::pair<QString, TBerechnung>> m_berechnungen;

  std::vector<TFeld> m_felder;
  std::vector<QVariantList> m_zeilen;
  int m_pos = -1;
  TZustand m_zustand = TZustand::Geschlossen;
  QVariantList m_puffer;        // the current row while editing or inserting
  std::vector<bool> m_geaendert;
};
