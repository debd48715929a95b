// The grid's toolbar: every question with both answers, files written and
// read back byte for byte, the clipboard, header and footer texts, the
// display precision and the print check.
#include "blattmodell.h"
#include "fensterelement.h"
#include "hf1book.h"
#include "skriptmeldungen.h"
#include "stoerung.h"
#include "werkzeugleiste.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cerrno>

namespace {

using namespace Qt::StringLiterals;

class Werkzeugleiste : public ::testing::Test {
protected:
  void SetUp() override {
    leiste = TWerkzeugleiste::Anbringen(buch, meldungen);
    buch.Blatt().setText(1, 1, u"Parzelle"_s);
    buch.Blatt().setText(2, 1, u"Name"_s);
    buch.Blatt().setText(1, 2, u"1"_s);
    buch.Blatt().setText(2, 2, u"Am \"Weg\"; Süd"_s);
    buch.Aktualisieren();
    buch.resize(1400, 400);  // every button in view
    buch.show();
  }
  QString Datei(const char* name) const { return ordner.filePath(QString::fromUtf8(name)); }
  static QByteArray Lesen(const QString& datei) {
    QFile f(datei);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << datei.toStdString();
    return f.readAll();
  }
  static void Schreiben(const QString& datei, const QByteArray& inhalt) {
    QFile f(datei);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(inhalt);
  }
  void Knopf(const QString& hinweis) {
    auto* k = Fensterhilfe::Element<QToolButton>(leiste, hinweis);
    ASSERT_NE(k, nullptr);
    k->click();
  }

  QTemporaryDir ordner;
  TSkriptMeldungen meldungen;
  THF1Book buch;
  TWerkzeugleiste* leiste = nullptr;
};

TEST_F(Werkzeugleiste, NeuesBlattNurNachJa) {
  meldungen.antworten = {false};
  Knopf(u"bisheriges Blatt verwerfen"_s);
  EXPECT_EQ(buch.Text(2, 2), u"Am \"Weg\"; Süd"_s);
  meldungen.antworten = {true};
  Knopf(u"bisheriges Blatt verwerfen"_s);
  EXPECT_EQ(buch.Blatt().LetzteZeile(), 0);
  EXPECT_EQ(meldungen.protokoll, (QStringList{u"Frage: Wirklich das gesamte Blatt löschen?"_s,
                                              u"Frage: Wirklich das gesamte Blatt löschen?"_s}));
}

TEST_F(Werkzeugleiste, SpeichernUndLadenGebenDieselbenBytes) {
  for (const char* name : {"blatt.csv", "blatt.txt"}) {
    meldungen.dateien = {Datei(name)};
    Knopf(u"Blatt speichern"_s);
    const QByteArray geschrieben = Lesen(Datei(name));
    // Loading after "Nein" reads nothing and asks for no file.
    meldungen.Leeren();
    meldungen.antworten = {false};
    Knopf(u"bisheriges Blatt verwerfen und neues aus Datei laden"_s);
    EXPECT_EQ(meldungen.protokoll.size(), 1);
    meldungen.antworten = {true};
    meldungen.dateien = {Datei(name)};
    buch.Blatt().Leeren();
    Knopf(u"bisheriges Blatt verwerfen und neues aus Datei laden"_s);
    EXPECT_EQ(buch.Text(2, 2), u"Am \"Weg\"; Süd"_s) << name;
    EXPECT_EQ(leiste->Kopftext(), QString::fromUtf8(name));
    EXPECT_EQ(leiste->Fusstext(), u"&D : &T Seiten &P von &N "_s);
    EXPECT_EQ(leiste->LetzteDatei(), Datei("blatt"));
    meldungen.dateien = {Datei("zurueck") + QString::fromUtf8(name).right(4)};
    Knopf(u"Blatt speichern"_s);
    EXPECT_EQ(Lesen(meldungen.protokoll.isEmpty() ? QString() : Datei("zurueck") + QString::fromUtf8(name).right(4)),
              geschrieben)
        << name;
  }
  EXPECT_EQ(Lesen(Datei("blatt.csv")), QByteArray("Parzelle;Name\r\n1;\"Am \"\"Weg\"\"; S\xFC" "d\"\r\n"));
  EXPECT_EQ(Lesen(Datei("blatt.txt")), QByteArray("Parzelle\tName\r\n1\tAm \"Weg\"; S\xFC" "d\r\n"));
}

TEST_F(Werkzeugleiste, VollePlatteBeimSpeichernLaesstDieAlteDatei) {
  Schreiben(Datei("blatt.txt"), "alter Stand");
  Stoerung::TAktiv voll([](Stoerung::TArt art, const QString&) { return art == Stoerung::TArt::Schreiben ? ENOSPC : 0; });
  meldungen.dateien = {Datei("blatt.txt")};
  Knopf(u"Blatt speichern"_s);
  ASSERT_EQ(meldungen.Infos().size(), 1);
  EXPECT_TRUE(meldungen.Infos()[0].startsWith(u"Auf dem Datenträger des Ordners"_s)) << meldungen.Infos()[0].toStdString();
  EXPECT_TRUE(meldungen.Infos()[0].endsWith(u"Das Blatt ist nicht gespeichert."_s)) << meldungen.Infos()[0].toStdString();
  EXPECT_EQ(Lesen(Datei("blatt.txt")), QByteArray("alter Stand"));
  EXPECT_EQ(QDir(ordner.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"blatt.txt"_s});
}

TEST_F(Werkzeugleiste, FremdeDateitypenUndFehler) {
  meldungen.dateien = {Datei("liste.xlsx")};
  Knopf(u"Blatt speichern"_s);
  meldungen.antworten = {true};
  meldungen.dateien = {Datei("fehlt.txt")};
  Knopf(u"bisheriges Blatt verwerfen und neues aus Datei laden"_s);
  ASSERT_EQ(meldungen.Infos().size(), 2);
  EXPECT_EQ(meldungen.Infos()[0], u"unzulässiger Dateityp : xls"_s);
  EXPECT_TRUE(meldungen.Infos()[1].startsWith(u"Die Datei \u201Efehlt.txt\u201C kann nicht gelesen werden"_s));
  EXPECT_EQ(buch.Text(1, 1), u"Parzelle"_s);  // nothing lost
  // A file too large for the sheet is read up to the limit and reported.
  QByteArray gross;
  for (int z = 1; z <= 20000; ++z) gross += QByteArray::number(z) + "\r\n";
  Schreiben(Datei("gross.txt"), gross);
  meldungen.Leeren();
  ASSERT_TRUE(leiste->DateiLaden(Datei("gross.txt")));
  EXPECT_EQ(buch.Text(1, 16384), u"16384"_s);
  ASSERT_EQ(meldungen.Infos().size(), 1);
  EXPECT_TRUE(meldungen.Infos()[0].contains(u"Eingelesen wurden 16384 Zeilen"_s));
}

TEST_F(Werkzeugleiste, Zwischenablage) {
  Knopf(u"In Zwischenablage kopieren"_s);
  EXPECT_EQ(QApplication::clipboard()->text(), u"Parzelle\tName\r\n1\tAm \"Weg\"; Süd\r\n"_s);
  QApplication::clipboard()->setText(u"x\ty\r\nz"_s);
  meldungen.antworten = {false};
  Knopf(u"Aus Zwischenablage einfügen"_s);
  EXPECT_EQ(buch.Text(1, 1), u"Parzelle"_s);
  meldungen.antworten = {true};
  Knopf(u"Aus Zwischenablage einfügen"_s);
  EXPECT_EQ(buch.Text(2, 1), u"y"_s);
  EXPECT_EQ(buch.Text(1, 2), u"z"_s);
  EXPECT_EQ(buch.Text(2, 2), QString());
  // An empty clipboard asks nothing.
  QApplication::clipboard()->clear();
  meldungen.Leeren();
  Knopf(u"Aus Zwischenablage einfügen"_s);
  EXPECT_TRUE(meldungen.protokoll.isEmpty());
}

TEST_F(Werkzeugleiste, KopfUndFusstext) {
  EXPECT_EQ(leiste->Fusstext(), u"Seite &P von &N"_s);
  meldungen.texte = {u"Betrieb Linde &D"_s, std::nullopt};
  Knopf(u"Kopftext eingeben/ändern"_s);
  Knopf(u"Fußtext eingeben/ändern"_s);
  EXPECT_EQ(leiste->Kopftext(), u"Betrieb Linde &D"_s);
  EXPECT_EQ(leiste->Fusstext(), u"Seite &P von &N"_s);  // cancelled
  EXPECT_EQ(meldungen.protokoll[1],
            u"Texteingabe: Fußtext: Bitte Fußtext eingeben (&D für Datum, &T für Zeit, &P für Seitennummer, &N für "
            "Gesamtseitenzahl) [Seite &P von &N]"_s);
  Knopf(u"Hilfe anzeigen (noch nicht unterstützt)"_s);
  EXPECT_EQ(meldungen.Infos().last(), u"Momentan nicht unterstützt"_s);
}

TEST_F(Werkzeugleiste, GenauigkeitUndPosition) {
  buch.Blatt().setZahl(3, 2, 2.34567);
  buch.Aktualisieren();
  auto* m = buch.Modell();
  const struct {
    const char* hinweis;
    const char* anzeige;
  } faelle[] = {{"Anzeige ohne Nachkommastellen", "2"},
                {"Anzeige mit zwei Nachkommastellen", "2,35"},
                {"Anzeige mit vier Nachkommastellen", "2,3457"},
                {"Anzeige mit voller Genauigkeit", "2,34567"}};
  for (const auto& f : faelle) {
    Knopf(QString::fromUtf8(f.hinweis));
    EXPECT_EQ(m->data(m->Index(3, 2), Qt::DisplayRole).toString(), QString::fromUtf8(f.anzeige)) << f.hinweis;
  }
  buch.setPosition(2, 2);
  EXPECT_EQ(leiste->Position()->text(), u"Z2S2"_s);
  EXPECT_EQ(leiste->Zelltext()->text(), u"Am \"Weg\"; Süd"_s);
}

TEST_F(Werkzeugleiste, LeeresBlattIstNichtDruckbar) {
  int gedruckt = 0;
  leiste->DruckenZeigen = [&](bool) { ++gedruckt; };
  Knopf(u"Blatt ausdrucken"_s);
  EXPECT_EQ(gedruckt, 1);
  buch.Blatt().Leeren();
  buch.Blatt().setText(1, 1, u" "_s);
  Knopf(u"Blatt ausdrucken"_s);
  EXPECT_EQ(gedruckt, 1);
  EXPECT_EQ(meldungen.Infos(), QStringList{u"keine druckbaren Daten vorhanden"_s});
  Knopf(u"Blattausrichtung und Ränder einstellen"_s);
  EXPECT_EQ(gedruckt, 2);
}

}  // namespace
