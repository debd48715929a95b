#include "dataset.h"

#include "meldungen.h"

#include <sqlcipher/sqlite3.h>

namespace {

const QString ParameterID = QStringLiteral(":_zeilen_id");

int OrderByPosition(const QString& sql) { return sql.indexOf(QStringLiteral(" order by "), 0, Qt::CaseInsensitive); }

}  // namespace

TADODataSetMod::TADODataSetMod(TADOModConnection& verbindung, QObject* parent)
    : QObject(parent), m_verbindung(verbindung) {}

TADODataSetMod::~TADODataSetMod() = default;

void TADODataSetMod::setCommandText(const QString& sql) {
  m_sql = sql;
  const int p = OrderByPosition(sql);
  m_basis = p < 0 ? sql : sql.left(p);
}

QString TADODataSetMod::Tabelle() const {
  if (!m_tabelleFest.isEmpty()) return m_tabelleFest;
  for (const auto& f : m_felder)
    if (!f.tabelle.isEmpty()) return f.tabelle;
  return {};
}

void TADODataSetMod::ParameterSetzen(const QString& name, const QVariant& wert) {
  const QString n = name.trimmed();
  for (auto& [k, v] : m_parameter)
    if (k.compare(n, Qt::CaseInsensitive) == 0) {
      v = wert;
      return;
    }
  m_parameter.emplace_back(n, wert);
}

void TADODataSetMod::BerechnetesFeld(const QString& name, TBerechnung berechnung) {
  m_berechnungen.emplace_back(name, std::move(berechnung));
}

void TADODataSetMod::Melden(const QString& text) const {
  if (m_verbindung.Meldungen()) m_verbindung.Meldungen()->Info(text);
}

void TADODataSetMod::ZustandSetzen(TZustand z) {
  if (m_zustand == z) return;
  m_zustand = z;
  emit ZustandGeaendert();
}

bool TADODataSetMod::Lesen(const QString& sql, const TParameter& parameter, std::vector<QVariantList>& zeilen,
                           std::vector<TFeld>* felder, QString& fehler) const {
  TAbfrage a(m_verbindung, sql, parameter);
  if (felder && a.Ok()) {
    felder->clear();
    for (int i = 0; i < a.Spaltenzahl(); ++i)
      felder->push_back({a.Spaltenname(i), a.DeklarierterTyp(i), a.Herkunftstabelle(i), a.Herkunftsspalte(i), false});
  }
  while (a.Naechste()) {
    QVariantList z;
    z.reserve(a.Spaltenzahl());
    for (int i = 0; i < a.Spaltenzahl(); ++i) z.push_back(a.Wert(i));
    zeilen.push_back(std::move(z));
  }
  fehler = a.Fehler();
  return a.Ok();
}

bool TADODataSetMod::Oeffnen() {
  Schliessen();
  std::vector<QVariantList> zeilen;
  std::vector<TFeld> felder;
  QString fehler;
  if (!Lesen(m_sql, m_parameter, zeilen, &felder, fehler)) {
    Melden(fehler);
    return false;
  }
  for (const auto& [name, f] : m_berechnungen) felder.push_back({name, QString(), QString(), QString(), true});
  m_felder = std::move(felder);
  m_zeilen = std::move(zeilen);
  m_pos = m_zeilen.empty() ? -1 : 0;
  m_zustand = TZustand::Blaettern;
  emit Zurueckgesetzt();
  emit ZustandGeaendert();
  emit PositionGeaendert(m_pos);
  if (NachDemScrollen) NachDemScrollen(*this);
  return true;
}

void TADODataSetMod::Schliessen() {
  if (m_zustand == TZustand::Geschlossen) return;
  m_zeilen.clear();
  m_puffer.clear();
  m_geaendert.clear();
  m_pos = -1;
  m_zustand = TZustand::Geschlossen;
  emit Zurueckgesetzt();
  emit ZustandGeaendert();
}

bool TADODataSetMod::MitSqlOeffnen(const QString& sql) {
  if (!SpeichernWennGeaendert()) Abbrechen();
  Schliessen();
  setCommandText(sql);
  return Oeffnen();
}

bool TADODataSetMod::Aktualisieren() {
  if (!SpeichernWennGeaendert()) return false;
  const int key = SchluesselFeld();
  const QVariant id = (key >= 0 && m_pos >= 0) ? m_zeilen[m_pos][key] : QVariant();
  const int altePos = m_pos;
  if (!Oeffnen()) return false;
  if (id.isValid() && !id.isNull() && Suchen(id.toLongLong())) return true;
  if (altePos >= 0 && !m_zeilen.empty()) Gehe(std::min(altePos, Anzahl() - 1));
  return true;
}

void TADODataSetMod::setSortField(const QString& spalte) {
  const TFeld* f = Feld(spalte);
  if (m_basis.isEmpty() || !f || f->berechnet) return;
  m_sortField = f->name;
  if (!SpeichernWennGeaendert()) Abbrechen();
  const int key = SchluesselFeld();
  const QVariant id = (key >= 0 && m_pos >= 0) ? m_zeilen[m_pos][key] : QVariant();
  Schliessen();
  // Quoted, so that a column name like "Größe (ha)" sorts as well.
  // Numbers are not affected by the collation; names sort the German way.
  setCommandText(m_basis + QStringLiteral(" order by \"") + f->name + QStringLiteral("\" collate Deutsch"));
  if (Oeffnen() && id.isValid()) Suchen(id.toLongLong());
}

bool TADODataSetMod::Gehe(int zeile) {
  if (m_zustand == TZustand::Geschlossen || zeile < 0 || zeile >= Anzahl()) return false;
  if (zeile == m_pos && m_zustand == TZustand::Blaettern) return true;
  if (!SpeichernWennGeaendert()) return false;
  if (zeile == m_pos) return true;
  m_pos = zeile;
  emit PositionGeaendert(m_pos);
  if (NachDemScrollen) NachDemScrollen(*this);
  return true;
}

bool TADODataSetMod::Suchen(qint64 id) {
  const int key = FeldIndex(QStringLiteral("ID"));
  if (key < 0) return false;
  for (int i = 0; i < Anzahl(); ++i) {
    const QVariant& v = m_zeilen[i][key];
    if (!v.isNull() && v.toLongLong() == id) return Gehe(i);
  }
  return false;
}

int TADODataSetMod::FeldIndex(const QString& name) const {
  for (int i = 0; i < int(m_felder.size()); ++i)
    if (m_felder[i].name.compare(name, Qt::CaseInsensitive) == 0) return i;
  return -1;
}

const TADODataSetMod::TFeld* TADODataSetMod::Feld(const QString& name) const {
  const int i = FeldIndex(name);
  return i < 0 ? nullptr : &m_felder[i];
}

bool TADODataSetMod::Gespeichert(const TFeld& f) const {
  return !f.berechnet && !f.spalte.isEmpty() && f.tabelle.compare(Tabelle(), Qt::CaseInsensitive) == 0;
}

int TADODataSetMod::SchluesselFeld() const {
  for (int i = 0; i < int(m_felder.size()); ++i)
    if (Gespeichert(m_felder[i]) && m_felder[i].spalte.compare(QStringLiteral("ID"), Qt::CaseInsensitive) == 0)
      return i;
  return -1;
}

QVariant TADODataSetMod::Wert(int zeile, int feld) const {
  if (zeile < 0 || zeile >= Anzahl() || feld < 0 || feld >= int(m_felder.size())) return {};
  if (m_felder[feld].berechnet) {
    for (const auto& [name, f] : m_berechnungen)
      if (name == m_felder[feld].name) return f(*this, zeile);
    return {};
  }
  if (zeile == m_pos && m_zustand != TZustand::Blaettern) return m_puffer.value(feld);
  return m_zeilen[zeile].value(feld);
}

QVariant TADODataSetMod::Wert(const QString& name) const { return Wert(m_pos, FeldIndex(name)); }

bool TADODataSetMod::IstGeaendert(const QString& name) const {
  const int i = FeldIndex(name);
  return i >= 0 && m_zustand != TZustand::Blaettern && i < int(m_geaendert.size()) && m_geaendert[i];
}

bool TADODataSetMod::setWert(const QString& name, const QVariant& wert) {
  const int i = FeldIndex(name);
  if (i < 0 || m_felder[i].berechnet) return false;
  if (m_zustand == TZustand::Blaettern && m_zeilen.empty() && !m_implizitAnfuegen) return false;
  if (m_zustand == TZustand::Blaettern && !(m_zeilen.empty() ? Anfuegen() : Bearbeiten())) return false;
  if (m_zustand != TZustand::Bearbeiten && m_zustand != TZustand::Einfuegen) return false;
  m_puffer[i] = wert;
  m_geaendert[i] = true;
  emit ZeileGeaendert(m_pos);
  return true;
}

bool TADODataSetMod::Bearbeiten() {
  if (m_zustand == TZustand::Bearbeiten || m_zustand == TZustand::Einfuegen) return true;
  if (m_zustand != TZustand::Blaettern || m_pos < 0) return false;
  m_puffer = m_zeilen[m_pos];
  m_geaendert.assign(m_felder.size(), false);
  ZustandSetzen(TZustand::Bearbeiten);
  return true;
}

bool TADODataSetMod::Anfuegen() {
  if (m_zustand == TZustand::Geschlossen) return false;
  if (!SpeichernWennGeaendert()) return false;
  m_zeilen.emplace_back();
  for (size_t i = 0; i < m_felder.size(); ++i) m_zeilen.back().push_back(QVariant());
  m_puffer = m_zeilen.back();
  m_geaendert.assign(m_felder.size(), false);
  m_pos = Anzahl() - 1;
  m_zustand = TZustand::Einfuegen;
  emit ZeileEingefuegt(m_pos);
  emit ZustandGeaendert();
  emit PositionGeaendert(m_pos);
  if (BeimNeuenDatensatz) BeimNeuenDatensatz(*this);
  return true;
}

void TADODataSetMod::Abbrechen() {
  if (m_zustand == TZustand::Einfuegen) {
    const int pos = m_pos;
    m_zeilen.erase(m_zeilen.begin() + pos);
    m_pos = std::min(pos, Anzahl() - 1);
    m_zustand = TZustand::Blaettern;
    emit ZeileEntfernt(pos);
    emit ZustandGeaendert();
    emit PositionGeaendert(m_pos);
    if (NachDemScrollen) NachDemScrollen(*this);
  } else if (m_zustand == TZustand::Bearbeiten) {
    ZustandSetzen(TZustand::Blaettern);
    emit ZeileGeaendert(m_pos);
  }
  m_puffer.clear();
  m_geaendert.clear();
}

bool TADODataSetMod::Speichern() {
  if (m_zustand != TZustand::Bearbeiten && m_zustand != TZustand::Einfuegen) return true;
  if (VorDemSpeichern && !VorDemSpeichern(*this)) return false;
  const QString tabelle = Tabelle();
  const bool neu = m_zustand == TZustand::Einfuegen;
  QStringList spalten, zuweisungen;
  TParameter parameter;
  for (size_t i = 0; i < m_felder.size(); ++i) {
    if (!m_geaendert[i] || !Gespeichert(m_felder[i])) continue;
    const QString p = QStringLiteral(":p%1").arg(i);
    spalten << QLatin1Char('"') + m_felder[i].spalte + QLatin1Char('"');
    zuweisungen << spalten.back() + QStringLiteral(" = ") + p;
    parameter.emplace_back(p, m_puffer[i]);
  }
  const int key = SchluesselFeld();
  bool ok = true;
  if (neu) {
    const QString sql = spalten.isEmpty()
                            ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(tabelle)
                            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                  .arg(tabelle, spalten.join(QStringLiteral(", ")),
                                       [&] {
                                         QStringList ps;
                                         for (const auto& p : parameter) ps << p.first;
                                         return ps.join(QStringLiteral(", "));
                                       }());
    ok = m_verbindung.Ausfuehren(sql, parameter);
    if (ok && key >= 0) m_puffer[key] = qlonglong(sqlite3_last_insert_rowid(m_verbindung.Handle()));
  } else if (!zuweisungen.isEmpty()) {
    const QString bedingung = ZeilenBedingung(parameter);
    ok = m_verbindung.Ausfuehren(QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                                     .arg(tabelle, zuweisungen.join(QStringLiteral(", ")), bedingung),
                                 parameter);
  }
  if (!ok) {
    Melden(m_verbindung.LetzterFehler());
    return false;
  }
  m_zeilen[m_pos] = m_puffer;
  m_zustand = TZustand::Blaettern;
  // Defaults, triggers and joined columns as the database now has them.
  if (key >= 0) ZeileNeuLesen();
  m_puffer.clear();
  m_geaendert.clear();
  emit ZustandGeaendert();
  emit ZeileGeaendert(m_pos);
  if (NachDemSpeichern) NachDemSpeichern(*this);
  return true;
}

bool TADODataSetMod::ZeileNeuLesen() {
  const int key = SchluesselFeld();
  TParameter parameter = m_parameter;
  parameter.emplace_back(ParameterID, m_zeilen[m_pos][key]);
  std::vector<QVariantList> zeilen;
  QString fehler;
  const QString sql = QStringLiteral("SELECT * FROM (%1) WHERE \"%2\" = %3")
                          .arg(m_basis, m_felder[key].name, ParameterID);
  if (!Lesen(sql, parameter, zeilen, nullptr, fehler) || zeilen.size() != 1) return false;
  for (size_t i = 0; i < m_felder.size() && i < size_t(zeilen[0].size()); ++i)
    if (!m_felder[i].berechnet) m_zeilen[m_pos][i] = zeilen[0][i];
  return true;
}

QString TADODataSetMod::ZeilenBedingung(TParameter& parameter) const {
  if (const int key = SchluesselFeld(); key >= 0) {
    parameter.emplace_back(QStringLiteral(":_alt0"), m_zeilen[m_pos][key]);
    return QStringLiteral("ID = :_alt0");
  }
  // Without a counter the row is found by all its stored values.
  QStringList teile;
  for (size_t i = 0; i < m_felder.size(); ++i) {
    if (!Gespeichert(m_felder[i])) continue;
    const QString p = QStringLiteral(":_alt%1").arg(i);
    teile << QLatin1Char('"') + m_felder[i].spalte + QStringLiteral("\" IS ") + p;
    parameter.emplace_back(p, m_zeilen[m_pos][i]);
  }
  return teile.join(QStringLiteral(" AND "));
}

bool TADODataSetMod::Loeschen() {
  if (m_zustand == TZustand::Einfuegen) {
    Abbrechen();
    return true;
  }
  if (m_zustand == TZustand::Geschlossen || m_pos < 0) return false;
  if (VorDemLoeschen && !VorDemLoeschen(*this)) return false;
  if (m_zustand == TZustand::Bearbeiten) Abbrechen();
  TParameter parameter;
  const QString bedingung = ZeilenBedingung(parameter);
  if (!m_verbindung.Ausfuehren(QStringLiteral("DELETE FROM %1 WHERE %2").arg(Tabelle(), bedingung), parameter)) {
    Melden(m_verbindung.LetzterFehler());
    return false;
  }
  const int pos = m_pos;
  m_zeilen.erase(m_zeilen.begin() + pos);
  m_pos = std::min(pos, Anzahl() - 1);
  emit ZeileEntfernt(pos);
  emit PositionGeaendert(m_pos);
  if (NachDemScrollen) NachDemScrollen(*this);
  return true;
}

void TADODataSetMod::EditierenOderAnfuegen() {
  if (m_zustand == TZustand::Bearbeiten || m_zustand == TZustand::Einfuegen) return;
  if (!IstLeer())
    Bearbeiten();
  else if (m_implizitAnfuegen)
    Anfuegen();
}

bool TADODataSetMod::SpeichernWennGeaendert() {
  if (m_zustand == TZustand::Bearbeiten || m_zustand == TZustand::Einfuegen) return Speichern();
  return true;
}
