// The adviser's batch over 50 farms of 200 fields each in one fertiliser
// year: recalculate, check, write the reporting files and print one PDF per
// farm. Reports the peak resident memory of the process besides the time.
#include "benchbetrieb.h"
#include "stapel.h"
#include "stapeldruck.h"

#include <QDate>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

constexpr int Betriebe = 50;
constexpr int Felder = 200;
constexpr int Jahr = 2021;

struct TFuenfzigBetriebe : TBenchBetrieb {
  bool ok = false;
  TFuenfzigBetriebe() {
    if (!Anlegen(QStringLiteral("select 1"))) return;
    const int kulturen[] = {115101, 311101, 171101, 131101, 459201};
    db.Ausfuehren(QStringLiteral("begin"));
    for (int b = 2; b < 2 + Betriebe; ++b) {
      const TParameter pb = {{QStringLiteral("b"), b}, {QStringLiteral("j"), Jahr}};
      db.Ausfuehren(QStringLiteral("insert into Betriebe ( ID, Betriebsname, Bundesland, KreisNr, Kreis, EU_NUMMER ) "
                                   "values ( :b, 'Hof ' || :b, 15, 87, 'Börde', '276150' || ( 10000 + :b ) )"),
                    pb);
      db.Ausfuehren(QStringLiteral("insert into DuengeJahr ( BetriebsNr, Duengejahr, Betriebsgroesse, Flaeche170kg ) "
                                   "values ( :b, :j, 2000, 2000 )"),
                    pb);
      for (int p = 1; p <= Felder; ++p) {
        TParameter pp = pb;
        pp.emplace_back(QStringLiteral("p"), p);
        pp.emplace_back(QStringLiteral("k"), kulturen[p % 5]);
        db.Ausfuehren(QStringLiteral("insert into Schlag ( BetriebsNr, Jahr, Parzelle, SchlagNr, SchlagName, Feldblock, "
                                     "Groesse, Durchwurzelungstiefe, SteingehaltKrume, BKR, BG, AZ ) "
                                     "values ( :b, :j, :p, :p, 'Schlag ' || :p, 'DESTLI0123456789', 10, 90, 10, 104, 3, 60 )"),
                      pp);
        db.Ausfuehren(QStringLiteral("insert into Anbau ( BetriebsNr, Jahr, Parzelle, FruchtNr, HauptfruchtNummer, Vorfrucht, "
                                     "Zwischenfrucht, Nmin_0_30, Nmin_30_60, Nmin_60_90, Quelle_0_30, Quelle_60_90 ) "
                                     "values ( :b, :j, :p, 1, :k, 311101, 14, 30, 20, 10, 4, 4 )"),
                      pp);
        pp.emplace_back(QStringLiteral("id"), db.Wert(QStringLiteral("select max(ID) from Anbau")));
        for (const char* datum : {"2021-03-15", "2021-04-20", "2021-05-25"})
          db.Ausfuehren(QStringLiteral("insert into Dung ( BetriebsNr, Jahr, Parzelle, ProbenID, Datum, Kategorie, "
                                       "DngGrpNummer, Menge, NT, NH4N ) values ( :b, :j, :p, :id, '%1', 2, 1, 20, 4, 2 )")
                            .arg(QLatin1String(datum)),
                        pp);
      }
    }
    ok = db.Ausfuehren(QStringLiteral("commit"));
    for (int b = 2; b < 2 + Betriebe && ok; ++b) Stammdaten::StammdatenAbgleich(db, b);
  }
};

void FuenfzigBetriebe(benchmark::State& state) {
  static TFuenfzigBetriebe d;
  if (!d.ok) {
    state.SkipWithError("Die Betriebe konnten nicht angelegt werden");
    return;
  }
  Stapel::TAuftrag auftrag;
  auftrag.jahr = Jahr;
  auftrag.betriebe = Stapel::BetriebeDesJahres(d.db, Jahr);
  auftrag.schritte = {Stapel::TSchritt::Berechnen, Stapel::TSchritt::Pruefen, Stapel::TSchritt::Melden,
                      Stapel::TSchritt::Drucken};
  auftrag.heute = QDate(2022, 3, 1);
  auftrag.pdf = Stapeldruck::Pdf;
  int gescheitert = 0;
  qsizetype dateien = 0;
  for (auto _ : state) {
    QTemporaryDir ausgabe;
    auftrag.ausgabe = ausgabe.path();
    for (const auto& e : Stapel::Ausfuehren(d.db, auftrag)) {
      gescheitert += !e.Ok();
      dateien += e.dateien.size();
    }
  }
  if (gescheitert) state.SkipWithError("Ein Betrieb ist gescheitert");
  rusage r{};
  getrusage(RUSAGE_SELF, &r);
  state.counters["Betriebe"] = double(auftrag.betriebe.size());
  state.counters["Dateien"] = double(dateien);
  state.counters["SpitzeMB"] = double(r.ru_maxrss) / 1024.0;  // kilobytes on Linux
}
BENCHMARK(FuenfzigBetriebe)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
