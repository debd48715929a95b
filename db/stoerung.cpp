#include "stoerung.h"

#include <QFile>

#include <sqlcipher/sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace Stoerung {

namespace {

TPruefung& Aktuelle() {
  static TPruefung pruefung;
  return pruefung;
}

// --- the layer between the engine and the file system -----------------------
// It passes everything to the system's own layer and asks the check before
// each durable step; without a check that costs one call per file operation.

sqlite3_vfs* Echt() {
  static sqlite3_vfs* echt = sqlite3_vfs_find(nullptr);
  return echt;
}

struct TDatei {
  sqlite3_file basis;
  sqlite3_file* echt;
  const char* name;  // the engine keeps it valid until the file is closed
};

TDatei* Von(sqlite3_file* f) { return reinterpret_cast<TDatei*>(f); }

int Frage(TArt art, const char* name) {
  return name ? Pruefen(art, QFile::decodeName(name)) : 0;
}

int Fehlercode(int fehler, int sonst) { return fehler == ENOSPC ? SQLITE_FULL : sonst; }

int Schliessen(sqlite3_file* f) {
  sqlite3_file* e = Von(f)->echt;
  return e->pMethods ? e->pMethods->xClose(e) : SQLITE_OK;
}
int Lesen(sqlite3_file* f, void* p, int n, sqlite3_int64 o) {
  sqlite3_file* e = Von(f)->echt;
  return e->pMethods->xRead(e, p, n, o);
}
int Schreiben(sqlite3_file* f, const void* p, int n, sqlite3_int64 o) {
  if (const int fehler = Frage(TArt::Schreiben, Von(f)->name)) return Fehlercode(fehler, SQLITE_IOERR_WRITE);
  sqlite3_file* e = Von(f)->echt;
  return e->pMethods->xWrite(e, p, n, o);
}
int Kuerzen(sqlite3_file* f, sqlite3_int64 groesse) {
  if (const int fehler = Frage(TArt::Kuerzen, Von(f)->name)) return Fehlercode(fehler, SQLITE_IOERR_TRUNCATE);
  sqlite3_file* e = Von(f)->echt;
  return e->pMethods->xTruncate(e, groesse);
}
int Synchronisieren(sqlite3_file* f, int flags) {
  const int fehler = Frage(TArt::Synchronisieren, Von(f)->name);
  if (fehler == Weglassen) return SQLITE_OK;
  if (fehler) return Fehlercode(fehler, SQLITE_IOERR_FSYNC);
  sqlite3_file* e = Von(f)->echt;
  return e->pMethods->xSync(e, flags);
}
int Groesse(sqlite3_file* f, sqlite3_int64* g) {
  sqlite3_file* e = Von(f)->echt;
  return e->pMethods->xFileSize(e, g);
}
int Sperren(sqlite3_file* f, int art) {
  if (Frage(TArt::Sperren, Von(f)->name)) return SQLITE_BUSY;
  sqlite3_file* e = Von(f)->echt;
  return e->pMethods->xLock(e, art);
}
int Entsperren(sqlite3_file* f, int art) {
  sqlite3_file* e = Von(f)->echt;
  return e->pMethods->xUnlock(e, art);
}
int Reserviert(sqlite3_file* f, int* aus) {
  sqlite3_file* e = Von(f)->echt;
  return e->pMethods->xCheckReservedLock(e, aus);
}
int Steuern(sqlite3_file* f, int op, void* arg) {
  sqlite3_file* e = Von(f)->echt;
  return e->pMethods->xFileControl(e, op, arg);
}
int Sektor(sqlite3_file* f) {
  sqlite3_file* e = Von(f)->echt;
  return e->pMethods->xSectorSize(e);
}
int Eigenschaften(sqlite3_file* f) {
  sqlite3_file* e = Von(f)->echt;
  return e->pMethods->xDeviceCharacteristics(e);
}
int ShmMap(sqlite3_file* f, int seite, int groesse, int erweitern, void volatile** p) {
  sqlite3_file* e = Von(f)->echt;
  return e->pMethods->xShmMap(e, seite, groesse, erweitern, p);
}
int ShmLock(sqlite3_file* f, int o, int n, int flags) {
  sqlite3_file* e = Von(f)->echt;
  return e->pMethods->xShmLock(e, o, n, flags);
}
void ShmBarrier(sqlite3_file* f) {
  sqlite3_file* e = Von(f)->echt;
  e->pMethods->xShmBarrier(e);
}
int ShmUnmap(sqlite3_file* f, int loeschen) {
  sqlite3_file* e = Von(f)->echt;
  return e->pMethods->xShmUnmap(e, loeschen);
}
int Holen(sqlite3_file* f, sqlite3_int64 o, int n, void** p) {
  sqlite3_file* e = Von(f)->echt;
  return e->pMethods->xFetch(e, o, n, p);
}
int Freigeben(sqlite3_file* f, sqlite3_int64 o, void* p) {
  sqlite3_file* e = Von(f)->echt;
  return e->pMethods->xUnfetch(e, o, p);
}

// One table of methods per version of the system's own, so that the engine
// sees what the file really offers.
const sqlite3_io_methods* Methoden(int version) {
  static sqlite3_io_methods tabellen[3];
  static bool fertig = false;
  if (!fertig) {
    for (int v = 1; v <= 3; ++v) {
      sqlite3_io_methods& m = tabellen[v - 1];
      m = {};
      m.iVersion = v;
      m.xClose = Schliessen;
      m.xRead = Lesen;
      m.xWrite = Schreiben;
      m.xTruncate = Kuerzen;
      m.xSync = Synchronisieren;
      m.xFileSize = Groesse;
      m.xLock = Sperren;
      m.xUnlock = Entsperren;
      m.xCheckReservedLock = Reserviert;
      m.xFileControl = Steuern;
      m.xSectorSize = Sektor;
      m.xDeviceCharacteristics = Eigenschaften;
      if (v >= 2) {
        m.xShmMap = ShmMap;
        m.xShmLock = ShmLock;
        m.xShmBarrier = ShmBarrier;
        m.xShmUnmap = ShmUnmap;
      }
      if (v >= 3) {
        m.xFetch = Holen;
        m.xUnfetch = Freigeben;
      }
    }
    fertig = true;
  }
  return &tabellen[std::clamp(version, 1, 3) - 1];
}

int Oeffnen(sqlite3_vfs*, const char* name, sqlite3_file* f, int flags, int* ausFlags) {
  TDatei* d = Von(f);
  d->basis.pMethods = nullptr;
  d->echt = reinterpret_cast<sqlite3_file*>(d + 1);
  d->echt->pMethods = nullptr;
  d->name = name;
  if (name && (flags & SQLITE_OPEN_READWRITE)) {
    const bool da = access(name, F_OK) == 0;
    if (const int fehler = Frage(da ? TArt::Oeffnen : TArt::Anlegen, name)) {
      // As the system's layer does: a database file that may not be written
      // is opened for reading; anything else cannot be opened.
      if (!da || !(flags & SQLITE_OPEN_MAIN_DB) || fehler == ENOSPC) return SQLITE_CANTOPEN;
      flags = (flags & ~(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)) | SQLITE_OPEN_READONLY;
    }
  }
  const int rc = Echt()->xOpen(Echt(), name, d->echt, flags, ausFlags);
  if (rc != SQLITE_OK) {
    if (d->echt->pMethods) d->echt->pMethods->xClose(d->echt);
    d->echt->pMethods = nullptr;
    return rc;
  }
  d->basis.pMethods = Methoden(d->echt->pMethods->iVersion);
  return SQLITE_OK;
}

int Loeschen(sqlite3_vfs*, const char* name, int verzeichnisSync) {
  if (const int fehler = Frage(TArt::Loeschen, name)) return Fehlercode(fehler, SQLITE_IOERR_DELETE);
  if (verzeichnisSync && Frage(TArt::Synchronisieren, name) == Weglassen) verzeichnisSync = 0;
  return Echt()->xDelete(Echt(), name, verzeichnisSync);
}
int Zugriff(sqlite3_vfs*, const char* name, int flags, int* aus) { return Echt()->xAccess(Echt(), name, flags, aus); }
int Pfad(sqlite3_vfs*, const char* name, int n, char* aus) { return Echt()->xFullPathname(Echt(), name, n, aus); }
void* DlOeffnen(sqlite3_vfs*, const char* name) { return Echt()->xDlOpen(Echt(), name); }
void DlFehler(sqlite3_vfs*, int n, char* aus) { Echt()->xDlError(Echt(), n, aus); }
void (*DlSymbol(sqlite3_vfs*, void* p, const char* symbol))(void) { return Echt()->xDlSym(Echt(), p, symbol); }
void DlSchliessen(sqlite3_vfs*, void* p) { Echt()->xDlClose(Echt(), p); }
int Zufall(sqlite3_vfs*, int n, char* aus) { return Echt()->xRandomness(Echt(), n, aus); }
int Schlafen(sqlite3_vfs*, int mikro) { return Echt()->xSleep(Echt(), mikro); }
int Zeit(sqlite3_vfs*, double* aus) { return Echt()->xCurrentTime(Echt(), aus); }
int LetzterFehler(sqlite3_vfs*, int n, char* aus) { return Echt()->xGetLastError(Echt(), n, aus); }
int Zeit64(sqlite3_vfs*, sqlite3_int64* aus) { return Echt()->xCurrentTimeInt64(Echt(), aus); }

bool Einsetzen() {
  static sqlite3_vfs schicht;
  schicht = {};
  schicht.iVersion = 2;
  schicht.szOsFile = int(sizeof(TDatei)) + Echt()->szOsFile;
  schicht.mxPathname = Echt()->mxPathname;
  schicht.zName = "quendrix-stoerung";
  schicht.xOpen = Oeffnen;
  schicht.xDelete = Loeschen;
  schicht.xAccess = Zugriff;
  schicht.xFullPathname = Pfad;
  schicht.xDlOpen = DlOeffnen;
  schicht.xDlError = DlFehler;
  schicht.xDlSym = DlSymbol;
  schicht.xDlClose = DlSchliessen;
  schicht.xRandomness = Zufall;
  schicht.xSleep = Schlafen;
  schicht.xCurrentTime = Zeit;
  schicht.xGetLastError = LetzterFehler;
  schicht.xCurrentTimeInt64 = Zeit64;
  return sqlite3_vfs_register(&schicht, 1) == SQLITE_OK;
}

}  // namespace

void Bereitstellen() {
  static const bool eingesetzt = Einsetzen();
  (void)eingesetzt;
}

void Setzen(TPruefung pruefung) {
  Bereitstellen();
  Aktuelle() = std::move(pruefung);
}

int Pruefen(TArt art, const QString& datei) {
  const TPruefung& p = Aktuelle();
  return p ? p(art, datei) : 0;
}

}  // namespace Stoerung
