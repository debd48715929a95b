// Every test program runs headless with a QApplication, as the windows need one.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocale>

#include <gtest/gtest.h>

#include <unistd.h>

int main(int argc, char** argv) {
  // QUENDRIX_QPA=xcb under xvfb-run shows the windows of the picture tests on a real X screen.
  // Headless, the screen is a small laptop's 1366 × 768, the smallest the windows must fit.
  const QString schirm = QDir::temp().filePath(QStringLiteral("quendrix-schirm-%1.json").arg(getpid()));
  if (qEnvironmentVariableIsSet("QUENDRIX_QPA")) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QUENDRIX_QPA"));
  } else {
    QFile f(schirm);
    if (f.open(QIODevice::WriteOnly))
      f.write(R"({"screens": [{"name": "Schirm", "x": 0, "y": 0, "width": 1366, "height": 768, "logicalDpi": 96,
                  "logicalBaseDpi": 96, "dpr": 1}]})");
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(schirm));
  }
  QApplication app(argc, argv);
  QFile::remove(schirm);
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
