// The working folder: which one the arguments ask for, and that a folder that
// cannot be made or written to is refused without leaving anything behind.
#include "arbeitsordner.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct TWahlFall {
  const char* name;
  QStringList argumente;
  QString ordner;  // expected; empty: stays in the current folder
  QStringList rest;
  bool kommandozeile;
};

TEST(Arbeitsordner, DasFensterArbeitetInQuendrixDerBefehlImAktuellenOrdnerAusserMitOrdner) {
  const QString heim = u"/home/bauer"_s, aktuell = u"/tmp/hier"_s;
  const QStringList stapel = {u"--stapel"_s, u"--jahr"_s, u"2021"_s};
  const std::vector<TWahlFall> faelle = {
      {"Fenster", {}, u"/home/bauer/Quendrix"_s, {}, false},
      {"FensterMitOrdner", {u"--ordner"_s, u"betrieb/../akten"_s}, u"/tmp/hier/akten"_s, {}, false},
      {"FensterMitGleich", {u"--ordner=/srv/d"_s}, u"/srv/d"_s, {}, false},
      {"FensterQtAngabenBleiben", {u"-platform"_s, u"xcb"_s}, u"/home/bauer/Quendrix"_s,
       {u"-platform"_s, u"xcb"_s}, false},
      {"Stapel", stapel, {}, stapel, true},
      {"StapelMitOrdner", QStringList(stapel) << u"--ordner"_s << u"/srv/d"_s, u"/srv/d"_s, stapel, true},
      {"Hilfe", {u"--help"_s}, {}, {u"--help"_s}, true},
  };
  for (const TWahlFall& f : faelle) {
    const auto w = Arbeitsordner::Waehlen(f.argumente, heim, aktuell);
    EXPECT_EQ(w.fehler, QString()) << f.name;
    EXPECT_EQ(w.ordner, f.ordner) << f.name;
    EXPECT_EQ(w.argumente, f.rest) << f.name;
    EXPECT_EQ(w.kommandozeile, f.kommandozeile) << f.name;
  }
}

TEST(Arbeitsordner, FehlenderDoppelterOderLeererOrdnerIstEinFehler) {
  const std::vector<std::pair<const char*, QStringList>> faelle = {
      {"OhneWert", {u"--ordner"_s}},
      {"Leer", {u"--ordner="_s, u"--stapel"_s}},
      {"Doppelt", {u"--ordner"_s, u"a"_s, u"--ordner=b"_s}},
  };
  for (const auto& [name, argumente] : faelle) {
    const auto w = Arbeitsordner::Waehlen(argumente, u"/home/bauer"_s, u"/tmp"_s);
    EXPECT_TRUE(w.fehler.startsWith(u"Bitte den Arbeitsordner"_s)) << name << ": " << w.fehler.toStdString();
  }
}

TEST(Arbeitsordner, LegtFehlendeOrdnerAnUndNimmtBestehendeWieSieSind) {
  QTemporaryDir wurzel;
  const QString neu = wurzel.filePath(u"a/b/Quendrix"_s);
  EXPECT_EQ(Arbeitsordner::Einrichten(neu), QString());
  EXPECT_TRUE(QFileInfo(neu).isDir());
  QFile vorhanden(neu + u"/Quendrix2021.mdb"_s);
  ASSERT_TRUE(vorhanden.open(QIODevice::WriteOnly));
  vorhanden.close();
  EXPECT_EQ(Arbeitsordner::Einrichten(neu), QString());
  // Only what was there: the probe of writing is gone again.
  EXPECT_EQ(QDir(neu).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{u"Quendrix2021.mdb"_s});
}

TEST(Arbeitsordner, UnbrauchbarerOrdnerWirdAbgewiesenOhneEtwasAnzulegen) {
  QTemporaryDir wurzel;
  QFile datei(wurzel.filePath(u"datei"_s));
  ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
  datei.close();
  struct TFall {
    const char* name;
    QString ordner;
    QString meldung;
  };
  // /proc takes no files even from root, who may write to any folder of a
  // normal file system.
  const std::vector<TFall> faelle = {
      {"Datei", datei.fileName(), u"ist eine Datei, kein Ordner"_s},
      {"UnterEinerDatei", wurzel.filePath(u"datei/x"_s), u"kann nicht angelegt werden"_s},
      // Its parents can be made, so they are made and taken back.
      {"NameZuLang", wurzel.filePath(u"neu/tiefer/"_s + QString(300, u'x')), u"kann nicht angelegt werden"_s},
      {"NichtBeschreibbar", u"/proc/self"_s, u"können keine Dateien angelegt werden"_s},
      {"NichtAnlegbar", u"/proc/self/neu/Quendrix"_s, u"kann nicht angelegt werden"_s},
  };
  for (const TFall& f : faelle) {
    const QString fehler = Arbeitsordner::Einrichten(f.ordner);
    EXPECT_TRUE(fehler.contains(f.meldung)) << f.name << ": " << fehler.toStdString();
    EXPECT_TRUE(fehler.contains(QDir::toNativeSeparators(f.ordner))) << f.name;
  }
  EXPECT_EQ(QDir(wurzel.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{u"datei"_s});
}

}  // namespace
