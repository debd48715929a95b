#include "lebenslauf.h"

#include "connection.h"
#include "files.h"
#include "meldungen.h"
#include "schema.h"
#include "skript.h"
#include "stammdaten.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Datenbank {

namespace {

const Schema::TKatalog& Katalog() { return Schema::TKatalog::Standard(); }

bool Oeffnen(TADOModConnection& db, const QString& datei, TMeldungen& meldungen) {
  db.setMeldungen(&meldungen);
  db.setDatenbankName(datei);
  if (db.Oeffnen(TZugriff::Exklusiv) == TOeffnenErgebnis::Ok) return true;
  meldungen.Info(db.Fehlermeldung());
  return false;
}

QString Liste(const QStringList& spalten, const QString& vorsatz = {}) {
  QStringList t;
  for (const QString& s : spalten) t << vorsatz + s;
  return t.join(QStringLiteral(", "));
}

// Rebuilds a table of the older format in the current form: the catalogue's
// columns and keys, the older table's extra columns kept; rows keep their
// values, and columns they did not have are null, as added columns are.
void Umbauen(TADOModConnection& db, const Schema::TTabelle& t, const QStringList& alt) {
  Schema::TTabelle neu = t;
  const QString temp = t.name + QStringLiteral("__neu");
  neu.name = temp;
  QStringList extra;
  for (const QString& s : alt)
    if (!t.Spalte(s)) extra << s;
  QString ddl = Schema::CreateTable(neu);
  if (!extra.isEmpty()) {
    // Extra columns keep no type: the older values stay as they were.
    const int ende = ddl.indexOf(QLatin1Char('\n'), ddl.indexOf(QLatin1Char('(')));
    ddl.insert(ende, QStringLiteral("\n  ") + extra.join(QStringLiteral(",\n  ")) + QLatin1Char(','));
  }
  QStringList gemeinsam, fehlend;
  for (const auto& s : t.spalten) {
    if (alt.contains(s.name, Qt::CaseInsensitive))
      gemeinsam << s.name;
    else if (s.typ != QLatin1String("counter"))
      fehlend << s.name + QStringLiteral(" = null");
  }
  gemeinsam << extra;
  db.AusfuehrenStill(QStringLiteral("drop table if exists ") + temp);
  if (!db.AusfuehrenMitMeldung(ddl)) return;
  if (!db.AusfuehrenMitMeldung(QStringLiteral("insert into %1 ( %2 ) select %2 from %3").arg(temp, Liste(gemeinsam), t.name)))
    return;
  if (!fehlend.isEmpty()) db.AusfuehrenStill(QStringLiteral("update %1 set %2").arg(temp, fehlend.join(QStringLiteral(", "))));
  db.AusfuehrenMitMeldung(QStringLiteral("drop table ") + t.name);
  db.AusfuehrenMitMeldung(QStringLiteral("alter table %1 rename to %2").arg(temp, t.name));
  Schema::IndizesAnlegen(db, t);
}

}  // namespace

std::pair<int, int> Version(const QString& datei) {
  TADOModConnection db;
  db.setDatenbankName(datei);
  if (db.Oeffnen() != TOeffnenErgebnis::Ok) return {0, 0};
  return {db.Wert(QStringLiteral("select VersionNummer as ID from Merk")).toInt(),
          db.Wert(QStringLiteral("select VersionUnterNummer as ID from Merk")).toInt()};
}

void DatentabellenAnlegen(TADOModConnection& db) {
  for (const auto& t : Katalog().Tabellen()) {
    if (t.art != QLatin1String("Betrieb") || !Schema::TabelleAnlegen(db, t)) continue;
    // The first rows go only into tables created just now.
    if (t.name == QLatin1String("Betriebe"))
      db.AusfuehrenStill(
          QStringLiteral("insert into Betriebe ( ID, Betriebsname, Bundesland ) values ( 1, 'Nullbetrieb', 15 )"));
    else if (t.name == QLatin1String("Merk"))
      db.AusfuehrenStill(QStringLiteral("insert into Merk ( BetriebsNr, Jahr, VersionNummer, MaxKulturGruppe, "
                                        "VersionUnterNummer ) Values ( 0, 2021, 6, 3, 6 )"));
  }
}

void GemeinsameTabellenAnlegen(TADOModConnection& db) { Stammdaten::GemeinsameTabellenNeuAnlegen(db); }

void VorlageAktualisieren(TADOModConnection& db) {
  TWarten warten(db.Meldungen(), WarteText);
  Stammdaten::VorlageAktualisieren(db);
}

void SichtenAnlegen(TADOModConnection& db) { Schema::SichtenAnlegen(db, Katalog()); }

void SichtenLoeschen(TADOModConnection& db) {
  for (const auto& s : Katalog().Sichten()) db.AusfuehrenStill(QStringLiteral("drop View ") + s.name);
}

void SpaltenErgaenzen(TADOModConnection& db) {
  // Rebuilding needs the foreign keys off, which works only outside a transaction.
  db.AusfuehrenStill(QStringLiteral("PRAGMA foreign_keys = OFF"));
  for (const auto& t : Katalog().Tabellen()) {
    if (t.art != QLatin1String("Betrieb")) continue;
    const QStringList alt = db.Spalten(t.name);
    if (alt.isEmpty()) continue;
    bool vollstaendig = true;
    for (const auto& s : t.spalten) vollstaendig = vollstaendig && alt.contains(s.name, Qt::CaseInsensitive);
    const bool hatVerweis =
        t.verweis.isEmpty() || db.Wert(QStringLiteral("PRAGMA foreign_key_list(%1)").arg(t.name)).isValid();
    if (!vollstaendig || !hatVerweis) Umbauen(db, t, alt);
  }
  db.AusfuehrenStill(QStringLiteral("PRAGMA foreign_keys = ON"));
  db.AusfuehrenStill(QStringLiteral("update Merk set VersionNummer = 6, MaxKulturGruppe = 3, VersionUnterNummer = 6"));
}

void AlteTabellenVorbereiten(TADOModConnection& db) { Skript::Ausfuehren(db, QStringLiteral("Vorbereiten")); }

void AlteDatenUebernehmen(TADOModConnection& db) {
  Skript::Ausfuehren(db, QStringLiteral("Meerrettich"));
  const QStringList proben = db.Spalten(QStringLiteral("Proben"));
  auto hat = [&](const QString& s) { return proben.contains(s, Qt::CaseInsensitive); };

  // Fields: one per farm, year and parcel, each value the largest of its rows.
  {
    const QHash<QString, QString> anders = {
        {QStringLiteral("P2O5_Gehalt"),
         QStringLiteral("iif( max( P2O5_Gehalt ) is null or max( P2O5_Gehalt ) = 0, max( P_Gehalt ) * 2.2914, "
                        "max( P2O5_Gehalt ) )")},
        {QStringLiteral("P_DuengeBedarf"), QStringLiteral("0")},
        {QStringLiteral("P_DuengeBedarfFachlich"), QStringLiteral("0")},
        {QStringLiteral("FA_NR"), QStringLiteral("max( HauptfruchtNummer )")},
        {QStringLiteral("Kultur"), QStringLiteral("max( Kultur )")},
        {QStringLiteral("HF_Name"), QStringLiteral("max( Kultur )")},
        {QStringLiteral("NutzungsForm"), QStringLiteral("max( KulturGruppe )")},
        {QStringLiteral("Kultur_ID"), QStringLiteral("0")},
        {QStringLiteral("HFEinzelertrag"), QStringLiteral("max( Tatsertrag )")},
    };
    const QStringList getrimmt = {QStringLiteral("Feldblock"), QStringLiteral("SchlagName"),
                                  QStringLiteral("P_GehaltsKlasse"), QStringLiteral("BGText"),
                                  QStringLiteral("GemueseHinweis"), QStringLiteral("ZFP0_NAME"),
                                  QStringLiteral("ZFP1_NAME"), QStringLiteral("ZFP2_NAME")};
    QStringList ziel, quelle;
    for (const auto& s : Katalog().Tabelle(QStringLiteral("Schlag"))->spalten) {
      if (s.typ == QLatin1String("counter")) continue;
      if (anders.contains(s.name)) {
        ziel << s.name;
        quelle << anders.value(s.name);
      } else if (hat(s.name)) {
        ziel << s.name;
        quelle << (getrimmt.contains(s.name) ? QStringLiteral("max( trim( %1 ) )") : QStringLiteral("max( %1 )")).arg(s.name);
      }
    }
    db.AusfuehrenMitMeldung(QStringLiteral("insert into Schlag ( %1 ) select %2 from Proben where Jahr >= 2020 "
                                           "group by BetriebsNr, Jahr, Parzelle")
                                .arg(Liste(ziel), Liste(quelle)));
    db.AusfuehrenMitMeldung(QStringLiteral("update Schlag set Phosphatgebiet = 1"));
  }

  // Crop rows keep the number of their older row.
  {
    QStringList ziel, quelle;
    for (const auto& s : Katalog().Tabelle(QStringLiteral("Anbau"))->spalten) {
      if (s.name == QLatin1String("ProbenID") || s.name == QLatin1String("RotesGebiet")) continue;
      if (hat(s.name)) ziel << s.name, quelle << s.name;
    }
    ziel << QStringLiteral("ProbenID") << QStringLiteral("RotesGebiet");
    quelle << QStringLiteral("ID") << QStringLiteral("BewirtschaftungsAuflagen");
    db.AusfuehrenMitMeldung(QStringLiteral("insert into Anbau ( %1 ) select %2 from Proben where Jahr >= 2020 order by ID")
                                .arg(Liste(ziel), Liste(quelle)));
  }

  // Organic applications: each to the crop row of its field, position and new year.
  {
    const QStringList orgDng = db.Spalten(QStringLiteral("OrgDng"));
    const QHash<QString, QString> anders = {
        {QStringLiteral("Jahr"), QStringLiteral("o.JahrNeu")},          {QStringLiteral("ProbenID"), QStringLiteral("a.ID")},
        {QStringLiteral("Kategorie"), QStringLiteral("2")},             {QStringLiteral("DngNummer"), QStringLiteral("o.OrgDngNummer")},
        {QStringLiteral("Dng"), QStringLiteral("o.OrgDng")},            {QStringLiteral("DngGrpNummer"), QStringLiteral("o.OrgDngGrpNummer")},
        {QStringLiteral("NH4N"), QStringLiteral("0")},                  {QStringLiteral("ProbenID_Alt"), QStringLiteral("o.ProbenID")},
        {QStringLiteral("OldProbenID"), QStringLiteral("o.ID")},
    };
    QStringList ziel, quelle;
    for (const auto& s : Katalog().Tabelle(QStringLiteral("Dung"))->spalten) {
      if (anders.contains(s.name)) {
        ziel << s.name;
        quelle << anders.value(s.name);
      } else if (s.typ != QLatin1String("counter") && orgDng.contains(s.name, Qt::CaseInsensitive)) {
        ziel << s.name;
        quelle << QStringLiteral("o.") + s.name;
      }
    }
    db.AusfuehrenMitMeldung(QStringLiteral("insert into Dung ( %1 ) select %2 from OrgDng o inner join Anbau a "
                                           "on a.BetriebsNr = o.BetriebsNr and a.Parzelle = o.Parzelle "
                                           "and a.FruchtNr = o.FruchtNr and a.Jahr = o.JahrNeu order by a.ID, o.ID")
                                .arg(Liste(ziel), Liste(quelle)));
  }

  // Catch crops become rows of their own before the main crop. A catch crop of
  // 0 was never chosen and gives no row.
  db.AusfuehrenMitMeldung(QStringLiteral(
      "insert into Anbau ( BetriebsNr, Jahr, Parzelle, OldID, HauptfruchtNummer, KulturGruppe, Kultur, FRU_ARTGRNR ) "
      "select BetriebsNr, Jahr, Parzelle, 0, Zwischenfrucht, 1, ZwischenfruchtText, 1 from Proben "
      "where Jahr >= 2020 and Zwischenfrucht < 14 and Zwischenfrucht > 0 order by ID"));
  Skript::Ausfuehren(db, QStringLiteral("aufraeumen/J09"));
}

void AlleBetriebeAbgleichen(TADOModConnection& db) {
  std::vector<int> betriebe;
  {
    TAbfrage a(db, QStringLiteral("select ID from Betriebe where id > 1"));
    while (a.Naechste()) betriebe.push_back(a.Wert(0).toInt());
  }
  for (int b : betriebe) Stammdaten::StammdatenAbgleich(db, b);
}

void Aufraeumen(TADOModConnection& db, bool auffrischen) {
  for (int schritt = 1; schritt <= 12; ++schritt) {
    if (schritt == 7 && !auffrischen) continue;
    Skript::Ausfuehren(db, QStringLiteral("aufraeumen/J%1").arg(schritt, 2, 10, QLatin1Char('0')));
  }
}

bool Anlegen(const QString& ordner, TMeldungen& meldungen) {
  TWarten warten(&meldungen, WarteText);
  const QString datei = QDir(ordner).filePath(Dateien::Datenbank);
  TADOModConnection db(&meldungen);
  db.setDatenbankName(datei);
  if (!db.Anlegen()) {
    meldungen.Info(db.Fehlermeldung());
    return false;
  }
  TTransaktion tx(db);
  DatentabellenAnlegen(db);
  GemeinsameTabellenAnlegen(db);
  VorlageAktualisieren(db);
  SichtenAnlegen(db);
  Aufraeumen(db, false);
  if (!tx.Bestaetigen()) {
    meldungen.Info(db.LetzterFehler());
    db.Schliessen();
    QFile::remove(datei);
    return false;
  }
  return true;
}

bool Hochstufen(const QString& ordner, TMeldungen& meldungen) {
  TWarten warten(&meldungen, WarteText + QLatin1Char('\n') + HinweisUebernahme);
  const QString alt = QDir(ordner).filePath(Dateien::AlteDatenbank);
  const QString datei = QDir(ordner).filePath(Dateien::Datenbank);
  // The older file stays untouched; a database of the current name is never replaced.
  if (QFile::exists(datei) || !QFile::copy(alt, datei)) {
    meldungen.Info(QStringLiteral("Die ältere Datenbank \u201E%1\u201C konnte nicht nach \u201E%2\u201C kopiert werden. "
                                  "Es wurde nichts übernommen.")
                       .arg(Dateien::AlteDatenbank, Dateien::Datenbank));
    return false;
  }
  QFile(datei).setPermissions(QFile(datei).permissions() | QFileDevice::WriteOwner);
  TADOModConnection db;
  if (!Oeffnen(db, datei, meldungen)) return false;
  {
    TTransaktion tx(db);
    DatentabellenAnlegen(db);
    tx.Bestaetigen();
  }
  SpaltenErgaenzen(db);
  TTransaktion tx(db);
  GemeinsameTabellenAnlegen(db);
  VorlageAktualisieren(db);
  SichtenLoeschen(db);
  AlteTabellenVorbereiten(db);
  AlteDatenUebernehmen(db);
  AlleBetriebeAbgleichen(db);
  Aufraeumen(db, false);
  SichtenAnlegen(db);
  return tx.Bestaetigen();
}

bool Auffrischen(const QString& ordner, TMeldungen& meldungen) {
  TWarten warten(&meldungen, WarteText);
  TADOModConnection db;
  if (!Oeffnen(db, QDir(ordner).filePath(Dateien::Datenbank), meldungen)) return false;
  SpaltenErgaenzen(db);
  TTransaktion tx(db);
  GemeinsameTabellenAnlegen(db);
  VorlageAktualisieren(db);
  SichtenLoeschen(db);
  Skript::Ausfuehren(db, QStringLiteral("Meerrettich"));
  AlleBetriebeAbgleichen(db);
  Aufraeumen(db, true);
  SichtenAnlegen(db);
  return tx.Bestaetigen();
}

void Wartung(TADOModConnection& db) {
  TTransaktion tx(db);
  // Indexes the rules rely on; a database of an older release may lack some.
  for (const auto& t : Katalog().Tabellen()) Schema::IndizesAnlegen(db, t);
  Skript::Ausfuehren(db, QStringLiteral("aufraeumen/J01"));
  Skript::Ausfuehren(db, QStringLiteral("Wartung"));
  std::vector<int> betriebe;
  {
    TAbfrage a(db, QStringLiteral("select ID from Betriebe where ID > 1"));
    while (a.Naechste()) betriebe.push_back(a.Wert(0).toInt());
  }
  for (int b : betriebe) Stammdaten::KulturenErgaenzen(db, b);
  Skript::Ausfuehren(db, QStringLiteral("WartungSchluss"));
  tx.Bestaetigen();
}

}  // namespace Datenbank
