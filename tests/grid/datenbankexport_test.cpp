// The database variant of the toolbar: field names, table name checks, a
// sheet exported into a new table of a plain SQLite file and read back, the
// row limit, and the program's encrypted file refused.
#include "blatt.h"
#include "connection.h"
#include "datenbankexport.h"
#include "skriptmeldungen.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;
namespace E = Datenbankexport;

TEST(Datenbankexport, Feldnamen) {
  struct TFall {
    const char* titel;
    const char* name;
  };
  const TFall faelle[] = {{" Größe ", "Groesse"}, {"1. Düngung", "_1__Duengung"}, {"", "_"},
                          {"a-b c", "a_b_c"},     {"ÄÖÜäöüß", "AeOeUeaeoeuess"}, {"N_ges", "N_ges"},
                          {"€/ha", "__ha"}};
  for (const auto& f : faelle) EXPECT_EQ(E::Feldname(QString::fromUtf8(f.titel)), QString::fromUtf8(f.name)) << f.titel;
  EXPECT_EQ(E::Feldname(QString(70, u'x')).size(), 64);
  TBlatt b;
  b.setText(1, 1, u"Menge t"_s);
  b.setText(2, 1, u"Menge-t"_s);
  QString fehler;
  E::Felder(b, true, fehler);
  EXPECT_EQ(fehler, u"Spaltennamen in Zeile 1 und Zeile 2 sind identisch, Datei kann nicht konvertiert werden!"_s);
  const auto felder = E::Felder(b, false, fehler);
  EXPECT_EQ(fehler, QString());
  EXPECT_EQ(felder[1].name, u"Feld_2"_s);
}

TEST(Datenbankexport, Wahrheitswerte) {
  for (const char* w : {"ja", "J", "wahr", "W", "TRUE", "t", " 1 ", "-2", "0,5"}) EXPECT_TRUE(E::Wahr(QString::fromUtf8(w))) << w;
  for (const char* w : {"", "nein", "0", "0,0", "falsch", "x"}) EXPECT_FALSE(E::Wahr(QString::fromUtf8(w))) << w;
}

class Datenbank : public ::testing::Test {
protected:
  void SetUp() override {
    datei = ordner.filePath(u"export.sqlite"_s);
    ASSERT_EQ(E::Oeffnen(db, datei, true), QString());
    blatt.setText(1, 1, u"Schlag"_s);
    blatt.setText(2, 1, u"Größe ha"_s);
    blatt.setText(3, 1, u"Datum"_s);
    blatt.setText(4, 1, u"Öko"_s);
    blatt.setText(5, 1, u"weg"_s);
    const char* zeilen[][5] = {{"Am Weg", "5,25", "15.04.2021", "ja", "x"}, {"Große Breite", "10", "", "0", "y"}};
    for (int z = 0; z < 2; ++z)
      for (int s = 0; s < 5; ++s) blatt.setText(s + 1, z + 2, QString::fromUtf8(zeilen[z][s]));
    QString fehler;
    felder = E::Felder(blatt, true, fehler);
    felder[0].groesse = 20;
    felder[1].typ = E::TFeldtyp::GleitkommaLang;
    felder[2].typ = E::TFeldtyp::DatumZeit;
    felder[3].typ = E::TFeldtyp::Logisch;
    felder[4].typ = E::TFeldtyp::NichtVorhanden;
  }
  QTemporaryDir ordner;
  QString datei;
  TSkriptMeldungen meldungen;
  TADOModConnection db{&meldungen};
  TBlatt blatt;
  std::vector<E::TFeld> felder;
};

TEST_F(Datenbank, ExportHatSchemaUndZeilen) {
  QString fehler;
  ASSERT_TRUE(E::Exportieren(db, blatt, u"Schläge"_s, felder, true, fehler)) << fehler.toStdString();
  EXPECT_EQ(db.Wert(u"select sql from sqlite_master where name = 'Schläge'"_s).toString(),
            u"CREATE TABLE \"Schläge\" ( \"Schlag\" CHARACTER(20), \"Groesse_ha\" FLOAT, \"Datum\" DATETIME, "
            "\"Oeko\" BIT )"_s);
  EXPECT_EQ(db.Wert(u"select group_concat(Schlag || '/' || Groesse_ha || '/' || coalesce(Datum, '-') || '/' || Oeko, "
                    "'|') from \"Schläge\""_s)
                .toString(),
            u"Am Weg/5.25/2021-04-15/1|Große Breite/10.0/-/0"_s);
  EXPECT_EQ(E::Tabellen(db), QStringList{u"Schläge"_s});
  // The same name again, in any case, is refused.
  EXPECT_FALSE(E::Exportieren(db, blatt, u"SCHLÄGE"_s, felder, true, fehler));
  EXPECT_EQ(fehler, u"Den Tabellennamen gibt es schon, bitte einen anderen wählen"_s);

  // Read back into a sheet: field names in row 1, numbers as numbers.
  TBlatt zurueck;
  QString meldung;
  ASSERT_TRUE(E::TabelleLesen(db, u"Schläge"_s, zurueck, meldung));
  EXPECT_EQ(meldung, QString());
  EXPECT_EQ(zurueck.Text(2, 1), u"Groesse_ha"_s);
  EXPECT_EQ(zurueck.Zahl(2, 2), 5.25);
  EXPECT_EQ(zurueck.Text(1, 3), u"Große Breite"_s);
}

TEST_F(Datenbank, TabellennamenWerdenGeprueftUndZitiert) {
  const struct {
    const char* name;
    const char* fehler;
  } faelle[] = {{"", "Sie müssen schon einen gültigen Tabellennamen  angeben"},
                {"   ", "Sie müssen schon einen gültigen Tabellennamen  angeben"},
                {"sqlite_master", "Sie müssen schon einen gültigen Tabellennamen  angeben"},
                {"x\ny", "Sie müssen schon einen gültigen Tabellennamen  angeben"},
                {"Liste", ""}};
  for (const auto& f : faelle)
    EXPECT_EQ(E::TabellennameFehler(QString::fromUtf8(f.name), {}), QString::fromUtf8(f.fehler)) << f.name;
  // A name made to break out of the statement is only a name.
  QString fehler;
  const QString boese = u"a\" ( x ); DROP TABLE Liste; --"_s;
  ASSERT_TRUE(E::Exportieren(db, blatt, u"Liste"_s, felder, true, fehler));
  ASSERT_TRUE(E::Exportieren(db, blatt, boese, felder, true, fehler)) << fehler.toStdString();
  EXPECT_EQ(E::Tabellen(db), (QStringList{u"Liste"_s, boese}));
  QString meldung;
  TBlatt b;
  EXPECT_FALSE(E::TabelleLesen(db, u"Liste\"; --"_s, b, meldung));
  EXPECT_EQ(meldung, u"Die Tabelle \u201EListe\"; --\u201C gibt es in der Datenbank nicht."_s);
}

TEST_F(Datenbank, UnpassendeZelleExportiertNichts) {
  blatt.setText(2, 3, u"zehn"_s);
  QString fehler;
  EXPECT_FALSE(E::Exportieren(db, blatt, u"Schläge"_s, felder, true, fehler));
  EXPECT_EQ(fehler, u"Spalte kann nicht in Gleitkomma (lang) konvertiert werden (Zeile 3, Spalte 2: \u201Ezehn\u201C)."_s);
  EXPECT_TRUE(E::Tabellen(db).isEmpty());  // the table went with the rows
  felder[0].groesse = 5;
  blatt.setText(2, 3, u"10"_s);
  EXPECT_FALSE(E::Exportieren(db, blatt, u"Schläge"_s, felder, true, fehler));
  EXPECT_TRUE(fehler.startsWith(u"Spalte kann nicht in Zeichen konvertiert werden (Zeile 2"_s));
}

TEST_F(Datenbank, ZwanzigtausendSaetzeGebenDieGrenze) {
  ASSERT_TRUE(db.Ausfuehren(u"create table Gross ( Nr INTEGER, Name TEXT )"_s));
  ASSERT_TRUE(db.Ausfuehren(u"with recursive n(i) as (select 1 union all select i + 1 from n where i < 20000) "
                            "insert into Gross select i, 'Zeile ' || i from n"_s));
  TBlatt b;
  QString meldung;
  ASSERT_TRUE(E::TabelleLesen(db, u"Gross"_s, b, meldung));
  EXPECT_EQ(b.LetzteZeile(), 16384);
  EXPECT_EQ(b.Text(2, 16384), u"Zeile 16383"_s);
  EXPECT_EQ(meldung, u"Es konnten nur 16383 Zeilen  von 20000 Zeilen eingelesen werden (Excel-4-Grenze)."_s);
}

TEST(DatenbankexportDatei, VerschluesselteDateiWirdNichtGeoeffnet) {
  QTemporaryDir ordner;
  const QString datei = ordner.filePath(u"Quendrix2021.mdb"_s);
  {
    TADOModConnection eigene;
    eigene.setDatenbankName(datei);
    ASSERT_TRUE(eigene.Anlegen());  // with the program's key
    ASSERT_TRUE(eigene.Ausfuehren(u"create table Betriebe ( ID INTEGER )"_s));
  }
  TADOModConnection db;
  EXPECT_EQ(E::Oeffnen(db, datei, false),
            u"Die Datei \u201EQuendrix2021.mdb\u201C ist keine lesbare SQLite-Datenbank ohne Kennwort."_s);
  EXPECT_FALSE(db.IstOffen());
}

TEST(DatenbankexportDatei, LeereDateiUndDateiEinerNeuerenSQLite) {
  QTemporaryDir ordner;
  const QString leer = ordner.filePath(u"leer.sqlite"_s), neuer = ordner.filePath(u"neuer.sqlite"_s);
  QFile(leer).open(QIODevice::WriteOnly);
  {
    // A table with a generated column, as SQLite 3.31 and later write it,
    // written into the schema by hand; the header names the writer 3.45.1.
    TADOModConnection plain;
    plain.setDatenbankName(neuer);
    plain.setPWD(QString());
    ASSERT_TRUE(plain.Anlegen());
    ASSERT_TRUE(plain.Ausfuehren(u"create table t ( a INTEGER, b INTEGER )"_s));
    ASSERT_TRUE(plain.Ausfuehren(u"PRAGMA writable_schema = 1"_s));
    ASSERT_TRUE(plain.Ausfuehren(u"update sqlite_master set sql = 'CREATE TABLE t ( a INTEGER, b INTEGER GENERATED "
                                  "ALWAYS AS ( a * 2 ) VIRTUAL )' where name = 't'"_s));
  }
  QFile f(neuer);
  ASSERT_TRUE(f.open(QIODevice::ReadWrite));
  ASSERT_TRUE(f.seek(96));
  f.write(QByteArray::fromHex("002E7689"));  // 3045001
  f.close();

  TADOModConnection db;
  EXPECT_EQ(E::Oeffnen(db, leer, false), u"Keine Tabellen in Datenbank enthalten"_s);
  EXPECT_EQ(QFile(leer).size(), 0);
  const QString text = E::Oeffnen(db, neuer, false);
  EXPECT_TRUE(text.startsWith(u"Die Datei \u201Eneuer.sqlite\u201C ist eine SQLite-Datenbank, die zuletzt von SQLite "
                              "3.45.1 geschrieben wurde"_s))
      << text.toStdString();
  EXPECT_FALSE(db.IstOffen());
}

}  // namespace
