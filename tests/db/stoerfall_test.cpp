// Faults of the file system and of other programs while the database is
// opened and written: locks, write protection, a full disk, a transaction the
// engine gave up. Each is provoked through the fault seam of db/.
#include "testdatenbank.h"

#include "stoerung.h"

#include <QDir>
#include <QElapsedTimer>

#include <sqlcipher/sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace {

using Stoerung::TArt;

// An allocator for the engine that fills freed memory, so that a statement
// used after it was freed fails at once instead of by chance.
void* GiftAnfordern(int n) {
  auto* p = static_cast<sqlite3_int64*>(std::malloc(size_t(n) + 8));
  if (!p) return nullptr;
  p[0] = n;
  return p + 1;
}
void GiftFreigeben(void* p) {
  if (!p) return;
  auto* kopf = static_cast<sqlite3_int64*>(p) - 1;
  std::memset(p, 0xA5, size_t(kopf[0]));
  std::free(kopf);
}
void* GiftVergroessern(void* p, int n) {
  if (!p) return GiftAnfordern(n);
  auto* kopf = static_cast<sqlite3_int64*>(p) - 1;
  void* neu = GiftAnfordern(n);
  if (neu) std::memcpy(neu, p, size_t(std::min<sqlite3_int64>(kopf[0], n)));
  GiftFreigeben(p);
  return neu;
}
int GiftGroesse(void* p) { return p ? int(static_cast<sqlite3_int64*>(p)[-1]) : 0; }
int GiftRunden(int n) { return (n + 7) & ~7; }
int GiftStart(void*) { return SQLITE_OK; }
void GiftEnde(void*) {}

bool GiftEinsetzen() {
  static const sqlite3_mem_methods gift = {GiftAnfordern, GiftFreigeben, GiftVergroessern, GiftGroesse,
                                           GiftRunden,    GiftStart,     GiftEnde,         nullptr};
  return sqlite3_shutdown() == SQLITE_OK && sqlite3_config(SQLITE_CONFIG_MALLOC, &gift) == SQLITE_OK &&
         sqlite3_initialize() == SQLITE_OK;
}

class Stoerfall : public TestDatenbank {
protected:
  void SetUp() override {
    TestDatenbank::SetUp();
    BeispielBetrieb();
    db.Schliessen();
  }
};

TEST_F(Stoerfall, EineSperreZwischenVorbereitenUndLesenWirdGemeldetOhneAbsturz) {
  // The schema is read while the probe is prepared; another program takes
  // the file before the probe reads its row. Run in a child process whose
  // engine poisons freed memory.
  const QString datei = Datei();
  auto oeffnen = [datei] {
    if (!GiftEinsetzen()) std::_Exit(3);
    TADOModConnection::setWartezeit(50);
    for (const TZugriff zugriff : {TZugriff::Geteilt, TZugriff::Exklusiv}) {
      int sperren = 0;
      Stoerung::TAktiv stoerung([&](TArt art, const QString&) { return art == TArt::Sperren && ++sperren > 1 ? EBUSY : 0; });
      TADOModConnection v;
      v.setDatenbankName(datei);
      if (v.Oeffnen(zugriff) != TOeffnenErgebnis::Gesperrt || v.IstOffen() ||
          !v.Fehlermeldung().contains(QStringLiteral("von einem anderen Programm benutzt")))
        std::_Exit(2);
    }
    std::_Exit(0);
  };
  EXPECT_EXIT(oeffnen(), ::testing::ExitedWithCode(0), "");
}

TEST_F(Stoerfall, EineKurzeSperreWirdAbgewartet) {
  // Another program holds the file for a third of a second, as a second
  // start does while the first one opens.
  QElapsedTimer uhr;
  uhr.start();
  Stoerung::TAktiv stoerung(
      [&](TArt art, const QString&) { return art == TArt::Sperren && uhr.elapsed() < 300 ? EBUSY : 0; });
  TADOModConnection v;
  v.setDatenbankName(Datei());
  EXPECT_EQ(v.Oeffnen(TZugriff::Exklusiv), TOeffnenErgebnis::Ok) << v.Fehlermeldung().toStdString();
  EXPECT_GE(uhr.elapsed(), 300);
}

}  // namespace
