// The dBase reader: field classes, deleted records, code pages, and files
// that are no sound dBase table.

#include "dbasetabelle.h"

#include "blatt.h"
#include "dbfschreiber.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class DBaseTabelle : public ::testing::Test {
protected:
  QString Pfad(const QString& name) const { return QDir(ordner.path()).filePath(name); }
  // Overwrites bytes of a written file at the offset.
  void Patchen(const QString& datei, qint64 stelle, const QByteArray& bytes) {
    QFile f(datei);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    f.seek(stelle);
    f.write(bytes);
  }
  QTemporaryDir ordner;
};

TEST_F(DBaseTabelle, JedeFeldklasseWandeltIhrenRohtext) {
  const QString datei = Pfad(u"arten.dbf"_s);
  DbfSchreiben(datei, "LDID/87",
               {{"NAME", 'C', 12}, {"FLAECHE", 'N', 10, 4}, {"DATUM", 'D', 8}, {"AKTIV", 'L', 1}, {"GLEIT", 'F', 6, 2}},
               {{"  Acker", "    2.5000", "20210315", "t", "1.50"},
                {"", "**********", "", "?", ""},
                {"Wiese  ", "-3.5", "20210230", "T", "x"}});
  TDBaseTable t;
  ASSERT_TRUE(t.Oeffnen(datei)) << t.Fehler().toStdString();
  ASSERT_EQ(t.FeldAnzahl(), 5);
  EXPECT_EQ(t.SatzAnzahl(), 3);
  EXPECT_EQ(t.Feld(5), nullptr);
  EXPECT_EQ(t.Feld(-1), nullptr);
  EXPECT_EQ(t.Feld(0)->Name(), u"NAME"_s);
  EXPECT_EQ(t.Feld(1)->Versatz(), 13);  // after the flag byte and 12 bytes of NAME
  EXPECT_EQ(t.Feld(4)->Typ(), 'C');     // "F" is read as text

  ASSERT_TRUE(t.SatzLesen(1));
  EXPECT_EQ(t.Feld(0)->AlsText(), u"  Acker"_s);  // leading blanks stay
  EXPECT_DOUBLE_EQ(t.Feld(1)->AlsZahl(), 2.5);
  EXPECT_EQ(t.Feld(1)->AlsGanzzahl(), 2);  // 2.5 rounds to the even 2
  EXPECT_EQ(t.Feld(1)->AlsText(), u"2,5"_s);
  EXPECT_EQ(t.Feld(2)->Tag(), 15);
  EXPECT_EQ(t.Feld(2)->Monat(), 3);
  EXPECT_EQ(t.Feld(2)->Jahr(), 2021);
  EXPECT_EQ(t.Feld(2)->Monatsname(), u"März"_s);
  EXPECT_EQ(t.Feld(2)->AlsDatum(), QDate(2021, 3, 15));
  EXPECT_EQ(t.Feld(2)->AlsText(), u"15.03.2021"_s);
  EXPECT_TRUE(t.Feld(3)->AlsWahrheitswert());
  EXPECT_EQ(t.Feld(3)->AlsText(), u"True"_s);
  EXPECT_EQ(t.Feld(4)->AlsText(), u"1.50"_s);
  EXPECT_DOUBLE_EQ(t.Feld(4)->AlsZahl(), 0);  // the base class answers 0 for text

  ASSERT_TRUE(t.SatzLesen(2));
  EXPECT_EQ(t.Feld(0)->AlsText(), QString());
  EXPECT_DOUBLE_EQ(t.Feld(1)->AlsZahl(), 0);  // overflow marker
  EXPECT_EQ(t.Feld(1)->AlsText(), QString());
  EXPECT_EQ(t.Feld(2)->AlsText(), QString());
  EXPECT_EQ(t.Feld(2)->Monatsname(), QString());
  EXPECT_FALSE(t.Feld(2)->AlsDatum());
  EXPECT_FALSE(t.Feld(3)->AlsWahrheitswert());
  EXPECT_EQ(t.Feld(3)->AlsText(), u"False"_s);

  ASSERT_TRUE(t.SatzLesen(3));
  EXPECT_EQ(t.Feld(0)->AlsText(), u"Wiese"_s);  // trailing blanks go
  EXPECT_EQ(t.Feld(1)->AlsGanzzahl(), -4);      // -3.5 to the even -4
  EXPECT_FALSE(t.Feld(2)->AlsDatum());          // 30 February
  EXPECT_EQ(t.Feld(2)->AlsText(), QString());
  EXPECT_EQ(t.Feld(2)->Tag(), 30);

  EXPECT_FALSE(t.SatzLesen(4));
  EXPECT_FALSE(t.SatzLesen(0));
}

TEST_F(DBaseTabelle, GeloeschteSaetzeLassenKeineLueckeImBlatt) {
  const QString datei = Pfad(u"geloescht.dbf"_s);
  DbfSchreiben(datei, "LDID/87", {{"NUMMER", 'N', 6}, {"NAME", 'C', 10}},
               {{"1", "eins"}, {"2", "zwei"}, {"3", "drei"}, {"4", "vier"}}, {2, 3});
  TDBaseTable t;
  ASSERT_TRUE(t.Oeffnen(datei));
  ASSERT_TRUE(t.SatzLesen(2));
  EXPECT_TRUE(t.Geloescht());
  ASSERT_TRUE(t.SatzLesen(4));
  EXPECT_FALSE(t.Geloescht());

  TBlatt blatt;
  blatt.setText(9, 9, u"alt"_s);
  QString fehler;
  std::vector<int> fortschritt;
  ASSERT_TRUE(TabelleLaden(datei, blatt, fehler, [&](int n, int) { fortschritt.push_back(n); }));
  EXPECT_EQ(fortschritt, (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(blatt.Text(9, 9), QString());
  EXPECT_EQ(blatt.Text(1, 1), u"NUMMER"_s);
  EXPECT_EQ(blatt.Text(2, 1), u"NAME"_s);
  EXPECT_EQ(blatt.Zahl(1, 2), 1.0);
  EXPECT_EQ(blatt.Text(2, 2), u"eins"_s);
  EXPECT_EQ(blatt.Zahl(1, 3), 4.0);
  EXPECT_EQ(blatt.Text(2, 3), u"vier"_s);
  EXPECT_EQ(blatt.LetzteZeile(), 3);
}

TEST_F(DBaseTabelle, CodeseiteAusSprachtreiberOderCpg) {
  struct TFall {
    const char* seite;
    QByteArray roh;
    QString erwartet;
  };
  const TFall faelle[] = {
      // DOS and unknown: the German DOS letters, the rest as Windows-1252.
      {"LDID/2", "Stra\xE1" "e \x84\x94\x81\x8E\x99\x9A \xF8\xFD\xF5", u"Straße äöüÄÖÜ °²§"_s},
      {"LDID/0", "Stra\xE1" "e", u"Straße"_s},
      {"LDID/0", "Gr\xFC\x6E", u"Gr³n"_s},
      // Windows-1252 stays as it is.
      {"LDID/87", "Gr\xFCnland \xE4\xDF\x80", u"Grünland äß€"_s},
      {"LDID/3", "M\xF6hre", u"Möhre"_s},
      {"1252", "M\xF6hre", u"Möhre"_s},
      {"UTF-8", "Gr\xC3\xBCnland", u"Grünland"_s},
      {"ISO-8859-1", "M\xF6hre", u"Möhre"_s},
  };
  int i = 0;
  for (const auto& f : faelle) {
    const QString datei = Pfad(u"seite%1.dbf"_s.arg(i++));
    DbfSchreiben(datei, f.seite, {{"NAME", 'C', 30}}, {{f.roh}});
    TBlatt blatt;
    QString fehler;
    ASSERT_TRUE(TabelleLaden(datei, blatt, fehler)) << fehler.toStdString();
    EXPECT_EQ(blatt.Text(1, 2), f.erwartet) << f.seite;
  }
}

TEST_F(DBaseTabelle, EndzeichenNachDemErstenFeldLaesstEinFeld) {
  const QString datei = Pfad(u"zwei.dbf"_s);
  DbfSchreiben(datei, "LDID/87", {{"A", 'C', 3}, {"B", 'C', 3}}, {{"abc", "def"}});
  {
    TDBaseTable t;
    ASSERT_TRUE(t.Oeffnen(datei));
    EXPECT_EQ(t.FeldAnzahl(), 2);  // header length 97
  }
  // The descriptor table ends after the first field.
  Patchen(datei, 64, QByteArray(1, '\x0D'));
  TDBaseTable t;
  ASSERT_TRUE(t.Oeffnen(datei)) << t.Fehler().toStdString();
  EXPECT_EQ(t.FeldAnzahl(), 1);
  ASSERT_TRUE(t.SatzLesen(1));
  EXPECT_EQ(t.Feld(0)->AlsText(), u"abc"_s);
}

TEST_F(DBaseTabelle, BeschaedigteOderFremdeDateiWirdGanzAbgelehnt) {
  struct TFall {
    const char* was;
    qint64 stelle;  // -1: the file is cut to `laenge` bytes; -2: replaced by text
    QByteArray bytes;
    qint64 laenge = 0;
  };
  const TFall faelle[] = {
      {"Kopflänge unter 33", 8, QByteArray("\x20\x00", 2)},
      {"Satzlänge kleiner als die Felder", 10, QByteArray("\x05\x00", 2)},
      {"Satzanzahl über die Dateigröße", 4, QByteArray("\x10\x27\x00\x00", 4)},
      {"abgeschnittene Datei", -1, {}, 100},
      {"leere Datei", -1, {}, 0},
      {"fremde Datei", -2, "Parzelle;Fläche\r\n17;2,5\r\n"},
  };
  for (const auto& f : faelle) {
    const QString datei = Pfad(u"kaputt.dbf"_s);
    QFile::remove(datei);
    DbfSchreiben(datei, "LDID/87", {{"NUMMER", 'C', 10}, {"FLAECHE", 'N', 8, 2}},
                 {{"17", "2.5"}, {"18", "3.0"}});
    if (f.stelle >= 0) Patchen(datei, f.stelle, f.bytes);
    if (f.stelle == -1) QFile::resize(datei, f.laenge);
    if (f.stelle == -2) {
      QFile d(datei);
      ASSERT_TRUE(d.open(QIODevice::WriteOnly | QIODevice::Truncate));
      d.write(f.bytes);
    }
    TBlatt blatt;
    blatt.setText(1, 1, u"vorher"_s);
    QString fehler;
    EXPECT_FALSE(TabelleLaden(datei, blatt, fehler)) << f.was;
    EXPECT_TRUE(fehler.startsWith(u"Die Datei „kaputt.dbf“ kann nicht gelesen werden"_s)) << fehler.toStdString();
    EXPECT_EQ(blatt.LetzteZeile(), 0) << f.was;  // nothing half-loaded
  }
  TBlatt blatt;
  QString fehler;
  EXPECT_FALSE(TabelleLaden(Pfad(u"fehlt.dbf"_s), blatt, fehler));
  EXPECT_TRUE(fehler.contains(u"fehlt.dbf"_s));
}

}  // namespace
