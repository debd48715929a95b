// 500 nitrogen sheets of a farm year into one PDF, as "Alle berechneten
// drucken" makes them: the rows selected and read, the sheets drawn, the
// document written as PDF.
#include "bedarfsblaetter.h"
#include "bedarfsdruck.h"
#include "benchbetrieb.h"
#include "files.h"
#include "lebenslauf.h"
#include "meldungen.h"
#include "pdfdruckausgabe.h"
#include "stammdaten.h"

#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

struct TJahrMit500Kulturen : TBenchBetrieb {
  TJahrMit500Kulturen() {
    Anlegen(QStringLiteral("insert into Betriebe ( ID, Betriebsname, SitzStrasse, SitzPLZ, SitzOrtsTeil ) "
                                 "values ( 2, 'Hof Linde', 'Lindenweg 3', '06108', 'Giebichenstein' )"));
    db.Ausfuehren(QStringLiteral("begin; insert into DuengeJahr ( BetriebsNr, Duengejahr ) values ( 2, 2021 )"));
    for (int p = 1; p <= 500; ++p) {
      const TParameter par{{QStringLiteral("p"), p}, {QStringLiteral("rg"), p % 3 == 0 ? 2 : 1},
                           {QStringLiteral("g"), p % 4 == 0 ? 2 : 1}};
      db.Ausfuehren(QStringLiteral("insert into Schlag ( BetriebsNr, Jahr, Parzelle, SchlagNr, SchlagName, Feldblock, "
                                   "Groesse, Durchwurzelungstiefe, SteingehaltKrume, BKR, BG, AZ, "
                                   "BewirtschaftungsAuflagen, ZwischenfruchtText ) values ( 2, 2021, :p, :p, "
                                   "'Schlag am Weg', 'DEVLLI0123456789', 4.25, 90, 10, 107, 3, 60, :rg, "
                                   "'--Zwischenfrucht-- Senf' )"),
                    par);
      db.Ausfuehren(QStringLiteral("insert into Anbau ( BetriebsNr, Jahr, Parzelle, FruchtNr, HauptfruchtNummer, "
                                   "KulturGruppe, Kultur, VorfruchtText, Stickstoffbedarfswert, Ertragsniveau, "
                                   "TatsErtrag, Ertragsdifferenz, Quelle_0_30, Quelle_60_90, Nmin_0_30, Nmin_30_60, "
                                   "Nmin_60_90, Nmin, ZuAbschlagErtrag, Stickstoffnachlieferung, VfAbschlag, "
                                   "Duengebedarf, RotesGebiet, BerechnungsDatum ) values ( 2, 2021, :p, 1, 224101, :g, "
                                   "'Winterweizen A, B', 'Winterraps', 230, 80, 72.5, -7.5, 1, 1, 30, 20, 10, 60, "
                                   "-7.5, 20, 10, 143, :rg, '2021-03-01' )"),
                    par);
    }
    db.Ausfuehren(QStringLiteral("commit"));
  }
};

TJahrMit500Kulturen& Daten() {
  static TJahrMit500Kulturen d;
  return d;
}

void FuenfhundertStickstoffblaetterAlsPdf(benchmark::State& state) {
  auto& d = Daten();
  qsizetype groesse = 0;
  for (auto _ : state) {
    const auto blaetter = Bedarfsdruck::Blaetter(d.db, Bedarfsblaetter::BerechneteKulturen(d.db, 2, 2021),
                                                 Bedarfsblaetter::StickstoffBlatt);
    TPDFDruckausgabe druck(nullptr, false, d.meldungen);
    Bedarfsdruck::Zeichnen(druck, blaetter);
    const QByteArray pdf = druck.Dokument().AlsPdf();
    groesse = pdf.size();
    if (druck.Dokument().Seitenzahl() != 500) state.SkipWithError("not 500 pages");
  }
  state.counters["PDF_kB"] = double(groesse) / 1024;
}
BENCHMARK(FuenfhundertStickstoffblaetterAlsPdf)->Unit(benchmark::kMillisecond)->MinTime(5);

}  // namespace
