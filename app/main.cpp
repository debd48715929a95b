#include "arbeitsfenster.h"
#include "arbeitsordner.h"
#include "connection.h"
#include "hauptfenster.h"
#include "kommandozeile.h"
#include "qtmeldungen.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTextStream>
#include <QTranslator>

int main(int argc, char** argv) {
  // German formats whatever the system says: decimal comma, dd.MM.yyyy.
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  QStringList argumente;
  for (int i = 1; i < argc; ++i) argumente << QString::fromLocal8Bit(argv[i]);
  // From here on the program works in its working folder, as if started there.
  const auto wahl = Arbeitsordner::Waehlen(argumente, QDir::homePath(), QDir::currentPath());
  QString ordnerFehler = wahl.fehler;
  if (ordnerFehler.isEmpty() && !wahl.ordner.isEmpty()) {
    ordnerFehler = Arbeitsordner::Einrichten(wahl.ordner);
    if (ordnerFehler.isEmpty() && !QDir::setCurrent(wahl.ordner))
      ordnerFehler = QStringLiteral("Der Arbeitsordner %1 kann nicht geöffnet werden.")
                         .arg(QDir::toNativeSeparators(wahl.ordner));
  }
  QTextStream fehler(stderr);
  // The batch, the help and the version need no display.
  if (wahl.kommandozeile) {
    // The printouts need fonts, not a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (!ordnerFehler.isEmpty()) {
      fehler << ordnerFehler << Qt::endl;
      return 2;
    }
    QTextStream aus(stdout);
    return Kommandozeile::Ausfuehren(wahl.argumente, QDir::currentPath(), aus, fehler);
  }
  QApplication app(argc, argv);
  // The menu entry's name and icon for the window.
  QGuiApplication::setDesktopFileName(QString::fromUtf8(QUENDRIX_ID));
  QApplication::setWindowIcon(QIcon::fromTheme(QString::fromUtf8(QUENDRIX_ID)));
  QTranslator qtDeutsch;
  if (qtDeutsch.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    app.installTranslator(&qtDeutsch);

  TQtMeldungen meldungen;
  if (!ordnerFehler.isEmpty()) {
    // Started from the menu nobody reads the error output.
    fehler << ordnerFehler << Qt::endl;
    meldungen.Info(ordnerFehler);
    return 2;
  }
  const QString ordner = QDir::currentPath();
  TADOModConnection db(&meldungen);
  THauptfenster fenster(db, ordner, meldungen);
  ArbeitsfensterEinsetzen(fenster, db, meldungen);
  if (!fenster.Starten()) return 1;
  meldungen.setEltern(&fenster);
  fenster.show();
  return app.exec();
}
