#pragma once
// The working folder the program keeps its database in. The window works in
// ~/Quendrix, the command line in the current folder, unless "--ordner
// ORDNER" (or "--ordner=ORDNER") names another; either way the program then
// runs as if started in that folder. The folder is created when missing and
// must take files; a bad one is refused with a German reason and leaves
// nothing behind.

#include <QString>
#include <QStringList>

namespace Arbeitsordner {

// Below the home folder, for the window.
inline const QString Vorgabe = QStringLiteral("Quendrix");

struct TWahl {
  QString ordner;          // absolute and clean; empty: stay in the current folder
  QStringList argumente;   // the arguments without --ordner, for the window or the command line
  bool kommandozeile = false;
  QString fehler;          // why the arguments are unusable; empty when they are
};

// The folder the arguments (without the program's name) ask for. `heim` is the
// user's home folder, `aktuell` the current folder a relative ORDNER is taken from.
TWahl Waehlen(const QStringList& argumente, const QString& heim, const QString& aktuell);

// Creates `ordner` with its missing parents and checks that a file can be
// written there. Empty when usable, else the German reason; then every folder
// created here has been removed again.
QString Einrichten(const QString& ordner);

}  // namespace Arbeitsordner
