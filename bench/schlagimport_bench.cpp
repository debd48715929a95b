// The field import: a parcel table of about 50 MB read into the sheet, and
// "Schläge anlegen" for 5,000 fields (with and without the rule groups that
// follow it).
#include "blatt.h"
#include "benchbetrieb.h"
#include "dbasetabelle.h"
#include "files.h"
#include "lebenslauf.h"
#include "meldungen.h"
#include "schlagblatt.h"
#include "schlagimport.h"
#include "stammdaten.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <shapefil.h>

#include <benchmark/benchmark.h>

namespace {

// 16,383 records (the sheet's limit) of 14 fields, 3,076 bytes each.
struct TGrosseTabelle {
  QTemporaryDir ordner;
  QString datei = QDir(ordner.path()).filePath(QStringLiteral("gross_teilflaechen.dbf"));
  TGrosseTabelle() {
    DBFHandle h = DBFCreateEx(QFile::encodeName(datei).constData(), "LDID/87");
    DBFAddNativeFieldType(h, "NUMMER", 'C', 10, 0);
    DBFAddNativeFieldType(h, "FLAECHE", 'N', 10, 4);
    for (int f = 0; f < 12; ++f) DBFAddNativeFieldType(h, QByteArray("TEXT%1").replace("%1", QByteArray::number(f)).constData(), 'C', 254, 0);
    QByteArray text(240, 'a');
    text.replace(0, 10, "Gro\xDF" "e Wiese");
    for (int n = 0; n < TBlatt::MaxZeilen - 1; ++n) {
      QByteArray nr = QByteArray::number(n + 1);
      QByteArray fl = QByteArray::number(1.25 + n % 100, 'f', 4);
      DBFWriteAttributeDirectly(h, n, 0, nr.data());
      DBFWriteAttributeDirectly(h, n, 1, fl.data());
      for (int f = 0; f < 12; ++f) DBFWriteAttributeDirectly(h, n, 2 + f, text.data());
    }
    DBFClose(h);
  }
};

void TabelleLesen(benchmark::State& state) {
  static TGrosseTabelle t;
  const qint64 groesse = QFileInfo(t.datei).size();
  for (auto _ : state) {
    TBlatt blatt;
    QString fehler;
    if (!TabelleLaden(t.datei, blatt, fehler)) state.SkipWithError(fehler.toStdString().c_str());
    benchmark::DoNotOptimize(blatt);
  }
  state.SetBytesProcessed(state.iterations() * groesse);
}
BENCHMARK(TabelleLesen)->Unit(benchmark::kMillisecond)->MinTime(3);

// Farm 2 with year 2021 and a sheet of 5,000 parcels: wheat, maize, a
// clover-grass (a legume record each) and some with a legume catch crop.
struct TFuenftausend : TBenchBetrieb {
  TBlatt blatt;
  TFuenftausend() {
    Anlegen();
    db.Ausfuehren(QStringLiteral("insert into DuengeJahr ( BetriebsNr, Duengejahr ) values ( 2, 2021 )"));
    using namespace Schlagblatt;
    Schlagblatt::KopfSchreiben(blatt);
    const int kulturen[] = {224101, 244101, 401201, 236101};
    for (int p = 1; p <= 5000; ++p) {
      const int z = p + 2;
      blatt.setText(Parzelle, z, QString::number(p));
      blatt.setText(Feldblock, z, QStringLiteral("DESTLI0523041000"));
      blatt.setText(SchlagName, z, QStringLiteral("Schlag %1").arg(p));
      blatt.setZahl(Groesse, z, 1.5 + p % 20);
      blatt.setText(KulturNr, z, QString::number(kulturen[p % 4]));
      blatt.setText(Kultur, z, QStringLiteral("Kultur"));
      blatt.setText(ZwischenfruchtNr, z, p % 7 == 0 ? QStringLiteral("9") : QStringLiteral("14"));
      blatt.setText(Steingehalt, z, QStringLiteral("1"));
      blatt.setText(Durchwurzelung, z, QStringLiteral("90"));
      blatt.setText(Bodengruppe, z, QStringLiteral("3"));
    }
  }
  void Leeren() { db.Ausfuehren(QStringLiteral("delete from Schlag where BetriebsNr = 2")); }
};

TFuenftausend& Fuenftausend() {
  static TFuenftausend d;
  return d;
}

void SchlaegeAnlegen(benchmark::State& state) {
  auto& d = Fuenftausend();
  const bool mitRegeln = state.range(0) != 0;
  for (auto _ : state) {
    state.PauseTiming();
    d.Leeren();
    state.ResumeTiming();
    Schlagimport::TAnlegen e;
    Schlagimport::Anlegen(d.db, d.blatt, 2, 2021, e);
    if (e.angelegt != 5000) state.SkipWithError("nicht alle Schläge angelegt");
    if (mitRegeln) Schlagimport::RegelnAusfuehren(d.db, 2, 2021);
  }
}
BENCHMARK(SchlaegeAnlegen)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2);

}  // namespace
