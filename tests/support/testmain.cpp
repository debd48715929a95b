// Every test program runs headless with a QApplication, as the windows need one.
#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  // QUENDRIX_QPA=xcb under xvfb-run shows the windows of the picture tests on a real X screen.
  qputenv("QT_QPA_PLATFORM", qEnvironmentVariableIsSet("QUENDRIX_QPA") ? qgetenv("QUENDRIX_QPA") : "offscreen");
  QApplication app(argc, argv);
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
