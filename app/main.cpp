#include "arbeitsfenster.h"
#include "connection.h"
#include "hauptfenster.h"
#include "kommandozeile.h"
#include "qtmeldungen.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTextStream>
#include <QTranslator>

int main(int argc, char** argv) {
  // German formats whatever the system says: decimal comma, dd.MM.yyyy.
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  QStringList argumente;
  for (int i = 1; i < argc; ++i) argumente << QString::fromLocal8Bit(argv[i]);
  // The batch, the help and the version need no display.
  if (Kommandozeile::Zustaendig(argumente)) {
    // The printouts need fonts, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream aus(stdout), fehler(stderr);
    return Kommandozeile::Ausfuehren(argumente, QDir::currentPath(), aus, fehler);
  }
  QApplication app(argc, argv);
  QTranslator qtDeutsch;
  if (qtDeutsch.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    app.installTranslator(&qtDeutsch);

  // The program works in the folder it is started in.
  const QString ordner = QDir::currentPath();
  TQtMeldungen meldungen;
  TADOModConnection db(&meldungen);
  THauptfenster fenster(db, ordner, meldungen);
  ArbeitsfensterEinsetzen(fenster, db, meldungen);
  if (!fenster.Starten()) return 1;
  meldungen.setEltern(&fenster);
  fenster.show();
  return app.exec();
}
