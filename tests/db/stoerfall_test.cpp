// Faults of the file system and of other programs while the database is
// opened and written: locks, write protection, a full disk, a transaction the
// engine gave up. Each is provoked through the fault seam of db/.
#include "testdatenbank.h"

#include "fehlertexte.h"
#include "stoerhilfe.h"
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
  Stoerung::Bereitstellen();
  if (sqlite3_shutdown() != SQLITE_OK || sqlite3_config(SQLITE_CONFIG_MALLOC, &gift) != SQLITE_OK ||
      sqlite3_initialize() != SQLITE_OK)
    return false;
  // The restart made the system's layer the default again.
  sqlite3_vfs* schicht = sqlite3_vfs_find("quendrix-stoerung");
  return schicht && sqlite3_vfs_register(schicht, 1) == SQLITE_OK;
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
  EXPECT_EQ(Name(v.Oeffnen(TZugriff::Exklusiv)), "Ok") << v.Fehlermeldung().toStdString();
  EXPECT_GE(uhr.elapsed(), 300);
}

// --- a file that cannot be written is not opened for work -------------------------

struct Schreibfall {
  const char* name;
  TArt art;
  const char* datei;  // the file whose operation fails: database or journal
  int fehler;
  QString satz;       // the German sentence; the engine's text follows in brackets
  const char* engine;
};

class Schreibfaelle : public Stoerfall, public ::testing::WithParamInterface<Schreibfall> {};

TEST_P(Schreibfaelle, ExklusivesOeffnenScheitertMitDeutscherMeldungUndLaesstDieDateiUnveraendert) {
  const Schreibfall& f = GetParam();
  const QString ordnerPfad = QDir::toNativeSeparators(ordner.path());
  {
    Stoerung::TAktiv stoerung([&](TArt art, const QString& datei) {
      return art == f.art && datei.endsWith(QString::fromLatin1(f.datei)) ? f.fehler : 0;
    });
    TADOModConnection v;
    v.setDatenbankName(Datei());
    EXPECT_EQ(Name(v.Oeffnen(TZugriff::Exklusiv)), "Fehler");
    EXPECT_FALSE(v.IstOffen());
    const QString satz = f.satz.contains(QLatin1String("%1")) ? f.satz.arg(ordnerPfad) : f.satz;
    EXPECT_EQ(T(v.Fehlermeldung()), T(satz + Fehlertexte::Klammer(QString::fromLatin1(f.engine))));
  }
  // The file is intact and holds what it held (a failed write is rolled back
  // at the next opening, which re-encrypts the page: its bytes may differ).
  TADOModConnection v;
  v.setDatenbankName(Datei());
  ASSERT_EQ(Name(v.Oeffnen(TZugriff::Geteilt)), "Ok") << v.Fehlermeldung().toStdString();
  EXPECT_EQ(T(v.Befund()), "");
  EXPECT_EQ(T(v.Wert(QStringLiteral("select group_concat(Kultur) from Anbau")).toString()), "Winterweizen");
}

const QString Voll = QStringLiteral(
    "Auf dem Datenträger des Ordners \u201E%1\u201C ist kein Platz mehr frei, \u201EQuendrix2021.mdb\u201C kann nicht "
    "geschrieben werden. Bitte schaffen Sie Platz (nicht mehr benötigte Dateien löschen oder verschieben) und versuchen "
    "Sie es dann erneut.");

INSTANTIATE_TEST_SUITE_P(
    Stoerfall, Schreibfaelle,
    ::testing::Values(
        Schreibfall{"DateiSchreibgeschuetzt", TArt::Oeffnen, ".mdb", EACCES,
                    QStringLiteral("Die Datei \u201EQuendrix2021.mdb\u201C ist schreibgeschützt (die Datei selbst oder "
                                   "ihr Datenträger), Quendrix kann darin nichts speichern. Bitte heben Sie den "
                                   "Schreibschutz auf oder geben Sie sich Schreibrechte für die Datei und starten Sie "
                                   "Quendrix dann erneut."),
                    ""},  // found before writing: no engine text
        Schreibfall{"OrdnerSchreibgeschuetzt", TArt::Anlegen, ".mdb-journal", EACCES,
                    QStringLiteral("Im Ordner \u201E%1\u201C dürfen keine Dateien angelegt oder geändert werden, "
                                   "Quendrix kann dort nichts speichern. Bitte geben Sie sich Schreibrechte für diesen "
                                   "Ordner oder starten Sie Quendrix in einem Ordner, in dem Sie schreiben dürfen."),
                    "unable to open database file"},
        Schreibfall{"DatentraegerVoll", TArt::Schreiben, ".mdb-journal", ENOSPC, Voll, "database or disk is full"},
        Schreibfall{"DatentraegerVollBeimSchreibenDerDatei", TArt::Schreiben, ".mdb", ENOSPC, Voll, "database or disk is full"},
        Schreibfall{"Datentraegerfehler", TArt::Synchronisieren, ".mdb", EIO,
                    QStringLiteral("Beim Schreiben von \u201EQuendrix2021.mdb\u201C hat der Datenträger einen Fehler "
                                   "gemeldet. Bitte prüfen Sie den Datenträger und den freien Platz darauf und versuchen "
                                   "Sie es dann erneut."),
                    "disk I/O error"}),
    [](const ::testing::TestParamInfo<Schreibfall>& i) { return std::string(i.param.name); });

// --- a transaction the engine gave up ---------------------------------------------

TEST_F(Stoerfall, NachEinemAbgebrochenenSchreibenBleibtDieTransaktionZuUndNenntDieUrsache) {
  ASSERT_EQ(Name(db.Oeffnen()), "Ok");
  {
    TTransaktion tx(db);
    ASSERT_TRUE(tx.Ok());
    {
      // The disk fills up with the first change: the engine gives up the transaction.
      Stoerung::TAktiv voll([](TArt art, const QString&) { return art == TArt::Schreiben ? ENOSPC : 0; });
      EXPECT_FALSE(db.Ausfuehren(QStringLiteral("INSERT INTO Betriebe (ID) VALUES (5)")));
    }
    EXPECT_TRUE(db.TransaktionAbgebrochen());
    // Space again: what follows must not be saved on its own, outside the transaction.
    EXPECT_FALSE(db.Ausfuehren(QStringLiteral("INSERT INTO Betriebe (ID) VALUES (6)")));
    {
      TTransaktion innen(db);
      EXPECT_FALSE(innen.Ok());
      EXPECT_FALSE(db.Ausfuehren(QStringLiteral("INSERT INTO Betriebe (ID) VALUES (7)")));
      EXPECT_FALSE(innen.Bestaetigen());
    }
    EXPECT_FALSE(tx.Bestaetigen());
    EXPECT_EQ(db.LetzterFehler(), QStringLiteral("database or disk is full"));
    EXPECT_EQ(db.LetzterCode(), SQLITE_FULL);
  }
  EXPECT_FALSE(db.TransaktionAbgebrochen());
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT group_concat(ID) FROM Betriebe")).toString(), QStringLiteral("2"));
  // The next transaction works as usual.
  TTransaktion danach(db);
  EXPECT_TRUE(db.Ausfuehren(QStringLiteral("INSERT INTO Betriebe (ID) VALUES (8)")));
  EXPECT_TRUE(danach.Bestaetigen());
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT group_concat(ID) FROM Betriebe")).toString(), QStringLiteral("2,8"));
}

TEST_F(Stoerfall, EinGescheitertesBestaetigenNenntDenSchreibfehler) {
  ASSERT_EQ(Name(db.Oeffnen()), "Ok");
  TTransaktion tx(db);
  ASSERT_TRUE(db.Ausfuehren(QStringLiteral("INSERT INTO Betriebe (ID) VALUES (5)")));
  {
    Stoerung::TAktiv fehler([](TArt art, const QString& datei) {
      return art == TArt::Schreiben && datei.endsWith(QLatin1String(".mdb")) ? EIO : 0;
    });
    EXPECT_FALSE(tx.Bestaetigen());
  }
  EXPECT_EQ(db.LetzterFehler(), QStringLiteral("disk I/O error"));
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT group_concat(ID) FROM Betriebe")).toString(), QStringLiteral("2"));
}

}  // namespace
