// Creating a database, refreshing the master data, and the plain insert of
// the same rows as the yardstick for the refresh.
#include "benchbetrieb.h"
#include "connection.h"
#include "lebenslauf.h"
#include "meldungen.h"
#include "schema.h"
#include "stammdaten.h"
#include "tsv.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>


namespace {

const char* const Tabellen[] = {"S_OD_AusbringVerluste", "S_KulturenNP", "S_MinDung", "S_OrgDung", "S_PBilanzwerteNeu",
                                "S_Tiere", "DBA_Daten", "S_Zwifru", "S_Orte"};

void DatenbankAnlegen(benchmark::State& state) {
  TStilleMeldungen meldungen;
  for (auto _ : state) {
    QTemporaryDir ordner;
    if (!Datenbank::Anlegen(ordner.path(), meldungen)) state.SkipWithError("Anlegen gescheitert");
  }
}
BENCHMARK(DatenbankAnlegen)->Unit(benchmark::kMillisecond)->MinTime(3);

struct TLeereDatenbank {
  QTemporaryDir ordner;
  TADOModConnection db;
  TLeereDatenbank() {
    db.setDatenbankName(ordner.filePath(QStringLiteral("q.mdb")));
    db.Anlegen();
    Schema::AllesAnlegen(db);
    db.Ausfuehren(QStringLiteral("insert into Betriebe ( ID ) values ( 1 )"));
    Stammdaten::GemeinsameTabellenNeuAnlegen(db);
  }
};

void VorlageAktualisieren(benchmark::State& state) {
  TLeereDatenbank d;
  for (auto _ : state) Stammdaten::VorlageAktualisieren(d.db);
}
BENCHMARK(VorlageAktualisieren)->Unit(benchmark::kMillisecond)->MinTime(3);

// The master rows as the loader takes them: only the columns the table has.
std::vector<std::pair<QString, TTsv>> Rohdaten(TADOModConnection& db) {
  std::vector<std::pair<QString, TTsv>> daten;
  for (const char* t : Tabellen) {
    TTsv tsv;
    TsvLesen(Stammdaten::Datei(QString::fromLatin1(t)), tsv);
    const QStringList ziel = db.Spalten(QString::fromLatin1(t));
    TTsv nur;
    std::vector<int> idx;
    for (int i = 0; i < tsv.spalten.size(); ++i)
      if (ziel.contains(tsv.spalten[i], Qt::CaseInsensitive) && tsv.spalten[i] != QLatin1String("ID")) {
        nur.spalten << tsv.spalten[i];
        idx.push_back(i);
      }
    for (const auto& z : tsv.zeilen) {
      QStringList w;
      for (int i : idx) w << z.value(i);
      nur.zeilen.push_back(w);
    }
    daten.emplace_back(QString::fromLatin1(t), nur);
  }
  return daten;
}

// The same rows in one transaction with one prepared statement per table.
void Einfuegen(TADOModConnection& db, const std::vector<std::pair<QString, TTsv>>& daten) {
  db.Ausfuehren(QStringLiteral("begin"));
  for (const auto& [t, tsv] : daten) {
    db.Ausfuehren(QStringLiteral("delete from ") + t);
    QStringList p;
    for (int i = 0; i < tsv.spalten.size(); ++i) p << QStringLiteral(":p%1").arg(i);
    const QString sql = QStringLiteral("insert into %1 ( %2 ) values ( %3 )")
                            .arg(t, tsv.spalten.join(QLatin1Char(',')), p.join(QLatin1Char(',')));
    for (const auto& z : tsv.zeilen) {
      TParameter par;
      for (int i = 0; i < z.size(); ++i) par.emplace_back(p[i], z[i].isEmpty() ? QVariant() : QVariant(z[i]));
      db.Ausfuehren(sql, par);
    }
  }
  db.Ausfuehren(QStringLiteral("commit"));
}

void GleicheZeilenEinfuegen(benchmark::State& state) {
  TLeereDatenbank d;
  const auto daten = Rohdaten(d.db);
  for (auto _ : state) Einfuegen(d.db, daten);
}
BENCHMARK(GleicheZeilenEinfuegen)->Unit(benchmark::kMillisecond)->MinTime(3);

// An empty encrypted file: the key derivation of the password (PBKDF2) is
// the fixed part of every creation and every opening.
void LeereDateiAnlegen(benchmark::State& state) {
  for (auto _ : state) {
    QTemporaryDir ordner;
    TADOModConnection db;
    db.setDatenbankName(ordner.filePath(QStringLiteral("q.mdb")));
    if (!db.Anlegen()) state.SkipWithError("Anlegen gescheitert");
  }
}
BENCHMARK(LeereDateiAnlegen)->Unit(benchmark::kMillisecond)->MinTime(3);

// Creation, an empty file and the plain insert in turn: the factor of the
// creation over the insert, and the same without the key derivation.
void AnlegenGegenEinfuegen(benchmark::State& state) {
  TStilleMeldungen meldungen;
  TLeereDatenbank d;
  const auto daten = Rohdaten(d.db);
  double anlegen = 0, leer = 0, einfuegen = 0;
  for (auto _ : state) {
    double t = CpuMs();
    {
      QTemporaryDir ordner;
      Datenbank::Anlegen(ordner.path(), meldungen);
      anlegen += CpuMs() - t;
      t = CpuMs();
      TADOModConnection db;
      db.setDatenbankName(ordner.filePath(QStringLiteral("leer.mdb")));
      db.Anlegen();
    }
    leer += CpuMs() - t;
    t = CpuMs();
    Einfuegen(d.db, daten);
    einfuegen += CpuMs() - t;
  }
  state.counters["Faktor"] = anlegen / einfuegen;
  state.counters["OhneSchluessel"] = (anlegen - leer) / einfuegen;
}
BENCHMARK(AnlegenGegenEinfuegen)->Unit(benchmark::kMillisecond)->MinTime(3);

}  // namespace

