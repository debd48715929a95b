// Writing the record file ("Duengungen_") of a farm year with 10,000
// application records from the database: the query, the per-record values
// and the file with its check number. Target: under one second.
#include "benchbetrieb.h"
#include "connection.h"
#include "export.h"
#include "files.h"
#include "lebenslauf.h"
#include "meldungen.h"
#include "stammdaten.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int Jahr = 2022;
constexpr int Schlaege = 200;
constexpr int JeSchlag = 50;  // 200 × 50 = 10,000 records

struct TJahrMit10000Aufzeichnungen : TBenchBetrieb {
  QString aus;
  bool ok = false;

  TJahrMit10000Aufzeichnungen() {
    aus = QDir(ordner.path()).filePath(QStringLiteral("Meldepflichten_2022"));
    QDir().mkpath(aus);
    if (!Anlegen(QStringLiteral("insert into Betriebe ( ID, Betriebsname, EU_NUMMER, KreisNr, Kreis, BKR ) values "
                                "( 2, 'Agrargenossenschaft Bördeland eG', '276150000001', 7, 'Börde', 104 )")))
      return;
    db.Ausfuehren(QStringLiteral("begin"));
    db.Ausfuehren(QStringLiteral("insert into DuengeJahr ( BetriebsNr, Duengejahr ) values ( 2, :j )"),
                  {{QStringLiteral("j"), Jahr}});
    for (int p = 1; p <= Schlaege; ++p) {
      const TParameter schlag = {{QStringLiteral("j"), Jahr}, {QStringLiteral("p"), p}};
      db.Ausfuehren(QStringLiteral("insert into Schlag ( BetriebsNr, Jahr, Parzelle, Feldblock, SchlagName, Groesse, "
                                   "BewirtschaftungsAuflagen ) values ( 2, :j, :p, 'DESTLI0000000001', 'Am Weg ' || :p, "
                                   "5.25, 1 + :p % 2 )"),
                    schlag);
      db.Ausfuehren(QStringLiteral("insert into Anbau ( BetriebsNr, Jahr, Parzelle, FruchtNr, HauptfruchtNummer, Kultur ) "
                                   "values ( 2, :j, :p, 1, 224101, 'Winterweizen A, B' )"),
                    schlag);
      const QVariant anbau = db.Wert(QStringLiteral("select max(ID) from Anbau"));
      for (int r = 0; r < JeSchlag; ++r) {
        // Mineral, organic, grazing and other substances; legume records by crop year.
        const int kategorie = r % 10 == 9 ? 3 : 1 + (r % 4 == 3 ? 4 : r % 4);
        db.Ausfuehren(QStringLiteral("insert into Dung ( BetriebsNr, Jahr, Parzelle, ProbenID, Kategorie, Datum, Dng, "
                                     "Menge, NT, NH4N, P, WeideTiere, WeideTage, GruppeNr, TaVerfNr, DngGrpNummer, "
                                     "Herkunft_Nr, IstHerbstDuengung ) values ( 2, :j, :p, :a, :k, :d, 'Gülle Rind', "
                                     ":m, 4.1, 2.05, 0.8, 10, 73, 1, 1, 1, 2, 0 )"),
                      {{QStringLiteral("j"), Jahr},
                       {QStringLiteral("p"), p},
                       {QStringLiteral("a"), anbau},
                       {QStringLiteral("k"), kategorie},
                       {QStringLiteral("d"), QStringLiteral("2022-%1-%2").arg(1 + r % 12, 2, 10, QLatin1Char('0'))
                                                 .arg(1 + r % 28, 2, 10, QLatin1Char('0'))},
                       {QStringLiteral("m"), 10.0 + r * 0.37}});
      }
    }
    db.Ausfuehren(QStringLiteral("commit"));
    ok = db.Wert(QStringLiteral("select count(*) from Dung")).toInt() == Schlaege * JeSchlag;
  }
};

void DuengungenSchreiben(benchmark::State& state) {
  TJahrMit10000Aufzeichnungen d;
  if (!d.ok) {
    state.SkipWithError("Betrieb mit 10.000 Aufzeichnungen nicht angelegt");
    return;
  }
  const QString datei = QDir(d.aus).filePath(QStringLiteral("Duengungen_007_276150000001_2022.TXT"));
  for (auto _ : state) {
    QString fehler;
    if (!Export::Duengungen(d.db, 2, Jahr, d.aus, &fehler)) state.SkipWithError(fehler.toStdString().c_str());
  }
  // Header, one line per record; the check number ends the last line.
  QFile f(datei);
  if (!f.open(QIODevice::ReadOnly) || f.readAll().count("\r\n") != Schlaege * JeSchlag + 1)
    state.SkipWithError("Datei ohne alle Aufzeichnungen");
}
BENCHMARK(DuengungenSchreiben)->Unit(benchmark::kMillisecond);

}  // namespace
