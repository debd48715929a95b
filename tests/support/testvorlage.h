#pragma once
// Template databases shared by all test programs and runs: each kind is built
// once into the build folder and every test works on its own copy. A template
// is found by the kind, the shipped resources and the code that builds it, so
// a change to any of them builds a new one. Without a writable build folder
// each test program builds its own.

#include <QString>

#include <functional>

class TADOModConnection;

namespace Testvorlage {

// Builds a database file at the given path; false when that failed.
using TBauen = std::function<bool(const QString& datei)>;

// Copies the template of this kind to `datei` (building it when none is
// cached); false and a test failure when it cannot.
bool Kopieren(const QString& art, const TBauen& bauen, const QString& datei);

// Copies it to `datei` and opens `db` on the copy. A cached template that does
// not open is built again, once.
bool Oeffnen(TADOModConnection& db, const QString& art, const TBauen& bauen, const QString& datei);

// "Quendrix2021.mdb" in the folder, as the program creates it, not yet opened.
bool AngelegteDatenbank(const QString& ordner);

}  // namespace Testvorlage
