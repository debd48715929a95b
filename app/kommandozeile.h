#pragma once
// The batch on the command line, headless:
//   quendrix [--ordner ORDNER] --stapel --jahr JJJJ (--alle | --betrieb N [--betrieb N …])
//            --schritte LISTE --ausgabe ORDNER [--datenbank DATEI] [--json]
// "--ordner" is taken off before (arbeitsordner.h): the batch then runs in that folder.
// The database is opened by the rules of a start (the same lock, a foreign
// or damaged file refused, nothing created). Exit code 0 when every farm
// succeeded, 1 when some failed, 2 on bad arguments or an unusable database.

#include <QDate>
#include <QString>
#include <QStringList>

class QTextStream;

namespace Kommandozeile {

// Whether the arguments (without the program's name) are for the command
// line rather than the window: the batch, the help or the version.
bool Zustaendig(const QStringList& argumente);

// Runs the command line; the summary (or JSON) goes to `aus`, messages and
// progress to `fehler`. `ordner` is the working folder, the current one.
int Ausfuehren(const QStringList& argumente, const QString& ordner, QTextStream& aus, QTextStream& fehler,
               const QDate& heute = QDate::currentDate());

}  // namespace Kommandozeile
