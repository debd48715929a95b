// The database variant through the toolbar and the window "Exportieren in
// Datei": the question before a new file, the export window's name checks,
// types and left-out fields, and reading the table back.
#include "blattmodell.h"
#include "connection.h"
#include "datenbankexport.h"
#include "exportfenster.h"
#include "fensterelement.h"
#include "hf1book.h"
#include "skriptmeldungen.h"
#include "werkzeugleiste.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;
namespace E = Datenbankexport;

class Datenbankfenster : public ::testing::Test {
protected:
  void SetUp() override {
    leiste = TWerkzeugleiste::Anbringen(buch, meldungen);
    buch.Blatt().setText(1, 1, u"Parzelle"_s);
    buch.Blatt().setText(2, 1, u"Größe"_s);
    buch.Blatt().setText(3, 1, u"Notiz"_s);
    buch.Blatt().setText(1, 2, u"7"_s);
    buch.Blatt().setText(2, 2, u"2,5"_s);
    buch.Blatt().setText(3, 2, u"weg"_s);
    buch.Aktualisieren();
    datei = ordner.filePath(u"liste.sqlite"_s);
  }
  QTemporaryDir ordner;
  QString datei;
  TSkriptMeldungen meldungen;
  THF1Book buch;
  TWerkzeugleiste* leiste = nullptr;
};

TEST_F(Datenbankfenster, NeueDateiNurNachJaDannExportUndZurueck) {
  int exporte = 0;
  leiste->ExportZeigen = [&](TADOModConnection& db, const QString& d) {
    ++exporte;
    TExportfenster f(db, meldungen, buch.Blatt(), d);
    EXPECT_EQ(f.windowTitle(), u"Exportieren in Datei \"liste.sqlite\""_s);
    // An empty name is refused, the window stays.
    EXPECT_FALSE(f.Exportieren());
    static_cast<QComboBox*>(f.Feldliste()->cellWidget(0, 1))->setCurrentIndex(int(E::TFeldtyp::GanzzahlLang));
    static_cast<QComboBox*>(f.Feldliste()->cellWidget(1, 1))->setCurrentIndex(int(E::TFeldtyp::GleitkommaKurz));
    Fensterhilfe::Element<QRadioButton>(&f, u"Letztes Feld weglassen"_s)->setChecked(true);
    f.Name()->setText(u"Flächen"_s);
    EXPECT_TRUE(f.Exportieren());
    return true;
  };
  meldungen.antworten = {false};
  EXPECT_FALSE(leiste->DateiSpeichern(datei));
  EXPECT_FALSE(QFileInfo::exists(datei));
  EXPECT_EQ(exporte, 0);
  meldungen.antworten = {true};
  EXPECT_TRUE(leiste->DateiSpeichern(datei));
  EXPECT_EQ(exporte, 1);
  EXPECT_EQ(meldungen.protokoll[1], u"Frage: Datenbank "_s + datei + u" existiert noch nicht, erstellen?"_s);
  EXPECT_EQ(meldungen.Infos(), QStringList{u"Sie müssen schon einen gültigen Tabellennamen  angeben"_s});

  {
    TADOModConnection db;
    ASSERT_EQ(E::Oeffnen(db, datei, false), QString());
    EXPECT_EQ(db.Wert(u"select sql from sqlite_master where name = 'Flächen'"_s).toString(),
              u"CREATE TABLE \"Flächen\" ( \"Parzelle\" INTEGER, \"Groesse\" REAL )"_s);
    EXPECT_EQ(db.Wert(u"select Parzelle || '/' || Groesse from \"Flächen\""_s).toString(), u"7/2.5"_s);
  }
  // The file exists now: no question; the same name is refused in the window.
  meldungen.Leeren();
  leiste->ExportZeigen = [&](TADOModConnection& db, const QString& d) {
    TExportfenster f(db, meldungen, buch.Blatt(), d);
    EXPECT_EQ(Fensterhilfe::Element<QListWidget>(&f, u"bereits vorhandene Tabellennamen"_s)->count(), 1);
    f.Name()->setText(u"flächen"_s);
    EXPECT_FALSE(f.Exportieren());
    return false;
  };
  EXPECT_TRUE(leiste->DateiSpeichern(datei));
  EXPECT_EQ(meldungen.protokoll, QStringList{u"Info: Den Tabellennamen gibt es schon, bitte einen anderen wählen"_s});

  // Loaded back through the table choice.
  QStringList angeboten;
  leiste->TabelleWaehlen = [&](const QStringList& t) {
    angeboten = t;
    return t.value(0);
  };
  ASSERT_TRUE(leiste->DateiLaden(datei));
  EXPECT_EQ(angeboten, QStringList{u"Flächen"_s});
  EXPECT_EQ(buch.Text(2, 1), u"Groesse"_s);
  EXPECT_EQ(buch.Text(2, 2), u"2,5"_s);
  EXPECT_EQ(buch.Text(3, 1), QString());
  EXPECT_EQ(leiste->Kopftext(), u"liste.sqlite:Flächen"_s);
}

// A new file appears only with its table: cancelling the window or a failed
// export leaves nothing, not even an empty database.
TEST_F(Datenbankfenster, NeueDateiOhneExportBleibtAus) {
  leiste->ExportZeigen = [&](TADOModConnection& db, const QString& d) {
    EXPECT_EQ(d, datei);
    EXPECT_NE(db.DatenbankName(), datei);
    return false;
  };
  meldungen.antworten = {true};
  EXPECT_TRUE(leiste->DateiSpeichern(datei));
  EXPECT_TRUE(QDir(ordner.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).isEmpty());
}

TEST_F(Datenbankfenster, DateiOhneTabellen) {
  {
    TADOModConnection db;
    ASSERT_EQ(E::Oeffnen(db, datei, true), QString());
  }
  leiste->TabelleWaehlen = [](const QStringList&) {
    ADD_FAILURE() << "keine Auswahl erwartet";
    return QString();
  };
  EXPECT_FALSE(leiste->DateiLaden(datei));
  EXPECT_EQ(meldungen.Infos(), QStringList{u"Keine Tabellen in Datenbank enthalten"_s});
  EXPECT_EQ(buch.Text(1, 1), u"Parzelle"_s);
}

}  // namespace
