// The field import: reading the parcel table into the sheet with its
// proposals, remembering and setting the sheet, and creating the fields.

#include "schlagimport.h"

#include "blatt.h"
#include "importbetrieb.h"
#include "schlagblatt.h"
#include "stoerung.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <cerrno>

using namespace Qt::StringLiterals;
using namespace Schlagblatt;

namespace {

class Schlagimport_ : public ImportBetrieb {
protected:
  // Reads the prepared pair; the sheet afterwards.
  // The crop list of all crops by default, so that the proposal of a basic
  // variant the usage code does not name can be seen.
  TBlatt Lesen(bool kulturenLesen = true, Schlagimport::TKulturwahl wahl = Schlagimport::TKulturwahl::Alle) {
    Schlagimport::TEinlesen e;
    e.betrieb = Betrieb;
    e.wahl = wahl;
    e.kulturenLesen = kulturenLesen;
    TBlatt b;
    QString meldung;
    EXPECT_TRUE(Schlagimport::Einlesen(db, Teilflaechen(), e, b, meldung)) << meldung.toStdString();
    EXPECT_EQ(meldung, Schlagimport::Abgeschlossen + u"\r\nDie Umrisse der Schläge wurden nicht gelesen: Die Datei "
                                                    "„2021_teilflaechen.shp“ fehlt."_s);
    EXPECT_EQ(e.euNummer, u"276150000001"_s);
    EXPECT_EQ(e.jahr, 2021);
    return b;
  }
  int Anzahl(const QString& sql) { return Wert(sql).toInt(); }
};

TEST_F(Schlagimport_, EinlesenFuelltDasBlattMitVorschlaegen) {
  Parzellen();
  const TBlatt b = Lesen();
  EXPECT_EQ(b.Text(Parzelle, 1), u"Parzelle-Nr."_s);
  EXPECT_EQ(b.Text(Groesse, 2), u"in ha"_s);
  EXPECT_EQ(b.Text(ZwischenfruchtNr, 1), u"Interne-ZwischenFruchtNummer"_s);
  // 17.1 became 17, its sub-areas 2 and 3 and the deleted 20 are gone.
  ASSERT_EQ(b.LetzteZeile(), 6);
  struct TZeile {
    int zeile;
    QString parzelle, feldblock, name, nutzung, kultur, kulturNr, keine;
    double groesse;
  };
  const TZeile erwartet[] = {
      // 9901 names 77102: the basic variant 77101 is proposed.
      {3, u"17"_s, u"DESTLI0123456789"_s, u"Am Weg"_s, u"Winterweizen"_s, u"Testweizen"_s, u"77101"_s, u""_s, 2.5},
      {4, u"18"_s, u"DESTLI0123456790"_s, u"Große Breite"_s, u"Kleegras"_s, u"Testklee"_s, u"77201"_s, u""_s, 1.25},
      {5, u"19"_s, u"DESTLI0123456791"_s, u""_s, u"Unbekannt"_s, u""_s, u""_s, u"x"_s, 3.0},
      {6, u"21"_s, u"DESTLI0123456793"_s, u""_s, u"Fremdkultur"_s, u""_s, u""_s, u"x"_s, 0.75},
  };
  for (const auto& z : erwartet) {
    SCOPED_TRACE(z.zeile);
    EXPECT_EQ(b.Text(Parzelle, z.zeile), z.parzelle);
    EXPECT_EQ(b.Text(Feldblock, z.zeile), z.feldblock);
    EXPECT_EQ(b.Text(FlikVorsatz, z.zeile), u"DESTLI"_s);
    EXPECT_EQ(b.Text(SchlagName, z.zeile), z.name);
    EXPECT_EQ(b.Zahl(Groesse, z.zeile), z.groesse);
    EXPECT_EQ(b.Text(Nutzung, z.zeile), z.nutzung);
    EXPECT_EQ(b.Text(Kultur, z.zeile), z.kultur);
    EXPECT_EQ(b.Text(KulturNr, z.zeile), z.kulturNr);
    EXPECT_EQ(b.Text(KeineBerechnung, z.zeile), z.keine);
    EXPECT_EQ(b.Text(Zwischenfrucht, z.zeile), u"-------ohne-------"_s);
    EXPECT_EQ(b.Text(ZwischenfruchtNr, z.zeile), u"14"_s);
    EXPECT_EQ(b.Text(Steingehalt, z.zeile), u"1"_s);
    EXPECT_EQ(b.Text(Durchwurzelung, z.zeile), u"90"_s);
  }
  EXPECT_EQ(b.Text(NuCode, 3), u"9901"_s);
}

TEST_F(Schlagimport_, VorschlagNurWennDieKulturlisteIhnHat) {
  // The crops fitting the usage code: 9901 names only the variant 77102, so
  // its basic variant is not in the list and the row is excluded.
  const TBlatt b = Lesen(true, Schlagimport::TKulturwahl::ZuInvekos);
  EXPECT_EQ(b.Text(Kultur, 3), QString());
  EXPECT_EQ(b.Text(KeineBerechnung, 3), u"x"_s);
  EXPECT_EQ(b.Text(Kultur, 4), u"Testklee"_s);
  EXPECT_EQ(b.Text(KeineBerechnung, 4), QString());
  // Only chosen crops: none is chosen yet.
  const TBlatt c = Lesen(true, Schlagimport::TKulturwahl::NurAusgewaehlte);
  EXPECT_EQ(c.Text(Kultur, 4), QString());
  Sql(u"update S_KulturenNP set Auswahl = 1 where BetriebsNr = 2 and FA_NR = 77201"_s);
  const TBlatt d = Lesen(true, Schlagimport::TKulturwahl::NurAusgewaehlte);
  EXPECT_EQ(d.Text(Kultur, 4), u"Testklee"_s);
  EXPECT_EQ(d.Text(KulturNr, 4), u"77201"_s);
}

TEST_F(Schlagimport_, OhneKulturenKeineNutzungUndKeinKreuz) {
  const TBlatt b = Lesen(false);
  ASSERT_EQ(b.LetzteZeile(), 6);
  for (int z = 3; z <= 6; ++z) {
    SCOPED_TRACE(z);
    EXPECT_EQ(b.Text(Nutzung, z), QString());
    EXPECT_EQ(b.Text(NuCode, z), QString());
    EXPECT_EQ(b.Text(Kultur, z), QString());
    EXPECT_EQ(b.Text(KeineBerechnung, z), QString());
    // Without the twin table the names stay empty.
    EXPECT_EQ(b.Text(SchlagName, z), QString());
  }
}

TEST_F(Schlagimport_, FalscheLeereOderKaputteDateiLaesstDasBlatt) {
  TBlatt b;
  b.setText(1, 3, u"bleibt"_s);
  Schlagimport::TEinlesen e;
  e.betrieb = Betrieb;
  QString meldung;
  // The extension is replaced by .dbf, so a .shp of that name is read too;
  // a name without "_teilflaechen" is refused.
  DbfSchreiben(Pfad(u"2021_parzellen.dbf"_s), "LDID/87", {{"NUMMER", 'N', 6}}, {{"1"}});
  EXPECT_FALSE(Schlagimport::Einlesen(db, Pfad(u"2021_parzellen.shp"_s), e, b, meldung));
  EXPECT_EQ(meldung, Schlagimport::FalscheDatei);
  DbfSchreiben(Pfad(u"leer_teilflaechen.dbf"_s), "LDID/87", {{"NUMMER", 'C', 10}}, {});
  EXPECT_FALSE(Schlagimport::Einlesen(db, Pfad(u"leer_TEILFLAECHEN.shp"_s).replace(u"TEILFLAECHEN"_s, u"teilflaechen"_s), e,
                                      b, meldung));
  EXPECT_EQ(meldung, u"Die Datei „leer_teilflaechen.dbf“ enthält keine Teilflächen."_s);
  QFile kaputt(Pfad(u"kaputt_teilflaechen.dbf"_s));
  ASSERT_TRUE(kaputt.open(QIODevice::WriteOnly));
  kaputt.write("kein dBase");
  kaputt.close();
  EXPECT_FALSE(Schlagimport::Einlesen(db, kaputt.fileName(), e, b, meldung));
  EXPECT_TRUE(meldung.contains(u"kaputt_teilflaechen.dbf"_s)) << meldung.toStdString();
  EXPECT_EQ(b.Text(1, 3), u"bleibt"_s);
  EXPECT_EQ(b.LetzteZeile(), 3);
}

TEST_F(Schlagimport_, MerkenAufVollerPlatteLaesstDieAlteDatei) {
  Parzellen();
  const QString datei = Schlagimport::MerkDatei(ordner.path(), u"276150000001"_s);
  {
    QFile alt(datei);
    ASSERT_TRUE(alt.open(QIODevice::WriteOnly));
    alt.write("alter Stand");
  }
  Stoerung::TAktiv voll([](Stoerung::TArt art, const QString&) { return art == Stoerung::TArt::Schreiben ? ENOSPC : 0; });
  QString meldung;
  EXPECT_FALSE(Schlagimport::Merken(Lesen(), datei, meldung));
  EXPECT_TRUE(meldung.startsWith(u"Auf dem Datenträger des Ordners"_s)) << meldung.toStdString();
  QFile f(datei);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), QByteArray("alter Stand"));
  EXPECT_TRUE(QDir(ordner.path()).entryList({u".Shape*"_s}, QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(Schlagimport_, GemerktesBlattMitUndOhneBomGleich) {
  Parzellen();
  const TBlatt b = Lesen();
  const QString datei = Schlagimport::MerkDatei(ordner.path(), u" 276150000001 "_s);
  EXPECT_TRUE(datei.endsWith(u"/Shape276150000001.TXT"_s));
  QString meldung;
  ASSERT_TRUE(Schlagimport::Merken(b, datei, meldung)) << meldung.toStdString();
  QFile f(datei);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray bytes = f.readAll();
  f.close();
  // Windows-1252 with CR LF, tabs between cells.
  EXPECT_TRUE(bytes.startsWith("Parzelle-Nr.\tFLIK_FLEK\tSchlagNr.\tSchlagName\tSchlaggr\xF6\xDF" "e\t"));
  EXPECT_TRUE(bytes.contains("\r\n17\tDESTLI0123456789\t\tAm Weg\t2,5\tWinterweizen\tTestweizen\t"));
  EXPECT_TRUE(bytes.contains("Gro\xDF" "e Breite"));

  const auto vergleichen = [&](const TBlatt& c) {
    ASSERT_EQ(c.LetzteZeile(), b.LetzteZeile());
    for (int z = 1; z <= b.LetzteZeile(); ++z)
      for (int s = 1; s <= 139; ++s) ASSERT_EQ(c.Text(s, z), b.Text(s, z)) << s << "/" << z;
  };
  TBlatt ohne;
  ASSERT_TRUE(Schlagimport::Setzen(ohne, datei, meldung));
  vergleichen(ohne);
  // The same sheet written as UTF-8 behind a byte-order mark reads the same.
  QString text = QString::fromLatin1(bytes);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write("\xEF\xBB\xBF" + text.toUtf8());
  f.close();
  TBlatt mit;
  ASSERT_TRUE(Schlagimport::Setzen(mit, datei, meldung));
  vergleichen(mit);
  // The bytes EF BB BF inside the text are data: "ï»¿" in Windows-1252.
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write("a\tx\xEF\xBB\xBFy\r\n");
  f.close();
  TBlatt mitte;
  ASSERT_TRUE(Schlagimport::Setzen(mitte, datei, meldung));
  EXPECT_EQ(mitte.Text(2, 1), u"xï»¿y"_s);
  // Behind the mark they are a character of the text, even right after it.
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write("\xEF\xBB\xBF\xEF\xBB\xBF" "a\tb\r\n");
  f.close();
  TBlatt zweiMarken;
  ASSERT_TRUE(Schlagimport::Setzen(zweiMarken, datei, meldung));
  EXPECT_EQ(zweiMarken.Text(1, 1), u"\uFEFFa"_s);
}

TEST_F(Schlagimport_, MerkdateiNurMitSichererBetriebsnummer) {
  for (const QString& nr : {u""_s, u"../x"_s, u"27615/0"_s, u"a b"_s, u"..\\x"_s})
    EXPECT_EQ(Schlagimport::MerkDatei(ordner.path(), nr), QString()) << nr.toStdString();
  EXPECT_FALSE(Schlagimport::MerkDatei(ordner.path(), u"DE0150000001"_s).isEmpty());
}

TEST_F(Schlagimport_, SchlaegeAnlegenMitAnbauUndLeguminosen) {
  Parzellen();
  TBlatt b = Lesen();
  // Field 17: number, nitrate area, soil group, P data, previous crop.
  b.setText(SchlagNr, 3, u"5"_s);
  b.setText(Nitratgebiet, 3, u"x"_s);
  b.setText(Bodengruppe, 3, u"3"_s);
  b.setText(Humus, 3, u"n"_s);
  b.setText(PMethode, 3, u"C"_s);
  b.setText(PDatum, 3, u"15.03.2020"_s);
  b.setText(PGehalt, 3, u"4,5"_s);
  b.setText(Vorfrucht, 3, u"Testklee"_s);
  b.setText(VorfruchtNr, 3, u"77201"_s);
  // Field 18: a legume catch crop (type 9), humus above 4 %.
  b.setText(Zwischenfrucht, 4, u"Leguminose, abgefroren"_s);
  b.setText(ZwischenfruchtNr, 4, u"9"_s);
  b.setText(Humus, 4, u"x"_s);
  b.setText(PDatum, 4, u".  ."_s);

  Schlagimport::TAnlegen e;
  ASSERT_TRUE(Schlagimport::Anlegen(db, b, Betrieb, Jahr, e));
  EXPECT_EQ(e.angelegt, 4);
  EXPECT_TRUE(e.nichtAngelegt.isEmpty()) << e.nichtAngelegt.join(u"\n"_s).toStdString();
  EXPECT_EQ(meldungen.protokoll, QStringList());

  const TParameter p17 = {{u"P"_s, 17}};
  const auto s = [&](const char* spalte, int parzelle) {
    return Wert(u"select %1 from Schlag where BetriebsNr = 2 and Jahr = 2021 and Parzelle = :P"_s.arg(QLatin1String(spalte)),
                {{u"P"_s, parzelle}});
  };
  EXPECT_EQ(s("SchlagNr", 17).toInt(), 5);
  EXPECT_EQ(s("SchlagName", 17).toString(), u"Am Weg"_s);
  EXPECT_EQ(s("Feldblock", 17).toString(), u"DESTLI0123456789"_s);
  EXPECT_DOUBLE_EQ(s("Groesse", 17).toDouble(), 2.5);
  EXPECT_EQ(s("BewirtschaftungsAuflagen", 17).toInt(), 2);
  EXPECT_EQ(s("Phosphatgebiet", 17).toInt(), 1);
  EXPECT_EQ(s("HumusGroesserVier", 17).toInt(), 0);
  EXPECT_EQ(s("BG", 17).toInt(), 3);
  EXPECT_EQ(s("BGText", 17).toString(), u"3 - stark lehmiger Sand"_s);
  EXPECT_DOUBLE_EQ(s("P_Gehalt", 17).toDouble(), 4.5);
  EXPECT_NEAR(s("P2O5_Gehalt", 17).toDouble(), 10.3113, 1e-9);  // 4.5 × 2.2914
  EXPECT_EQ(s("P_AnalyseDatum", 17).toString().left(10), u"2020-03-15"_s);
  EXPECT_EQ(s("P_Methode", 17).toInt(), 1);
  EXPECT_EQ(s("HauptfruchtNummer", 17).toInt(), 77101);
  EXPECT_EQ(s("KulturGruppe", 17).toInt(), 1);
  EXPECT_EQ(s("NutzungsForm", 17).toInt(), 1);
  EXPECT_EQ(s("Kultur", 17).toString(), u"Testweizen"_s);
  EXPECT_EQ(s("Vorfrucht", 17).toInt(), 77201);
  EXPECT_EQ(s("VF_Name", 17).toString(), u"Testklee"_s);
  EXPECT_DOUBLE_EQ(s("VFEinzelertrag", 17).toDouble(), 60);
  EXPECT_DOUBLE_EQ(s("HFEinzelertrag", 17).toDouble(), 75);
  EXPECT_EQ(s("SteingehaltKrume", 17).toInt(), 1);
  EXPECT_EQ(s("Durchwurzelungstiefe", 17).toInt(), 90);
  EXPECT_TRUE(s("AZ", 17).isNull());  // an empty cell stays empty
  EXPECT_EQ(s("Zwischenfrucht", 17).toInt(), 14);
  EXPECT_EQ(s("ZwischenfruchtText", 17).toString(), u"-------ohne-------"_s);
  EXPECT_EQ(s("KeineDuengung", 17).toInt(), 0);

  EXPECT_EQ(s("HumusGroesserVier", 18).toInt(), 1);
  EXPECT_EQ(s("KulturGruppe", 18).toInt(), 2);
  EXPECT_EQ(s("NutzungsForm", 18).toInt(), 2);
  EXPECT_TRUE(s("P_AnalyseDatum", 18).isNull());
  EXPECT_EQ(s("P_Methode", 18).toInt(), 0);
  EXPECT_EQ(s("KeineDuengung", 19).toInt(), 1);
  EXPECT_EQ(s("HauptfruchtNummer", 19).toInt(), 0);
  EXPECT_EQ(s("NutzungsForm", 19).toInt(), 1);

  // Crop rows: one main crop per field, a catch crop for 18.
  EXPECT_EQ(Anzahl(u"select count(*) from Anbau where BetriebsNr = 2 and FruchtNr = 1"_s), 4);
  EXPECT_EQ(Anzahl(u"select count(*) from Anbau where BetriebsNr = 2 and FruchtNr = 0"_s), 1);
  // From 2021 the nitrate area takes the nitrate-area yield (75 − 5).
  EXPECT_DOUBLE_EQ(Wert(u"select TatsErtrag from Anbau where Parzelle = 17 and FruchtNr = 1"_s).toDouble(), 70);
  EXPECT_EQ(Wert(u"select RotesGebiet from Anbau where Parzelle = 17 and FruchtNr = 1"_s).toInt(), 2);
  EXPECT_DOUBLE_EQ(Wert(u"select Stickstoffbedarfswert from Anbau where Parzelle = 17 and FruchtNr = 1"_s).toDouble(), 230);
  EXPECT_DOUBLE_EQ(Wert(u"select TatsErtrag from Anbau where Parzelle = 18 and FruchtNr = 1"_s).toDouble(), 60);
  EXPECT_EQ(Wert(u"select Kultur from Anbau where Parzelle = 18 and FruchtNr = 0"_s).toString(),
            u"--Zwischenfrucht-- Leguminose, abgefroren"_s);
  EXPECT_EQ(Wert(u"select HauptfruchtNummer from Anbau where Parzelle = 18 and FruchtNr = 0"_s).toInt(), 9);
  // Legume records: the clover with its N fixation (share 0 ≤ 10 %: 200),
  // the legume catch crop with the flat 105.
  EXPECT_EQ(Anzahl(u"select count(*) from Dung where BetriebsNr = 2 and Kategorie = 3"_s), 2);
  EXPECT_DOUBLE_EQ(Wert(u"select d.Nges from Dung d join Anbau a on a.ID = d.ProbenID where a.Parzelle = 18 and "
                        "a.FruchtNr = 1"_s).toDouble(), 200);
  EXPECT_DOUBLE_EQ(Wert(u"select d.Nges from Dung d join Anbau a on a.ID = d.ProbenID where a.Parzelle = 18 and "
                        "a.FruchtNr = 0"_s).toDouble(), 105);
  // The crops used became chosen crops; the others did not.
  EXPECT_EQ(Anzahl(u"select count(*) from S_KulturenNP where BetriebsNr = 2 and Auswahl = 1 and FA_NR in "
                   "(77101, 77201)"_s), 2);
  EXPECT_EQ(Wert(u"select Auswahl from S_KulturenNP where BetriebsNr = 2 and FA_NR = 77102"_s).toInt(), 0);
}

TEST_F(Schlagimport_, VorhandeneSchlaegeUndAndereJahreBleiben) {
  Sql(u"insert into DuengeJahr (BetriebsNr, Duengejahr) values (2, 2020)"_s);
  Einfuegen(u"Schlag"_s, {{"BetriebsNr", 2}, {"Jahr", 2021}, {"Parzelle", 18}, {"SchlagName", "Eigen"}, {"Groesse", 9.0}});
  Einfuegen(u"Schlag"_s, {{"BetriebsNr", 2}, {"Jahr", 2020}, {"Parzelle", 17}, {"SchlagName", "Vorjahr"}});
  TBlatt b = Lesen(false);
  Schlagimport::TAnlegen e;
  ASSERT_TRUE(Schlagimport::Anlegen(db, b, Betrieb, Jahr, e));
  EXPECT_EQ(e.angelegt, 3);
  ASSERT_EQ(e.nichtAngelegt.size(), 1);
  EXPECT_EQ(e.nichtAngelegt[0], u"Zeile 4, Parzelle 18: diesen Schlag gibt es im Jahr 2021 schon; er bleibt, wie er ist."_s);
  EXPECT_EQ(Wert(u"select SchlagName from Schlag where Jahr = 2021 and Parzelle = 18"_s).toString(), u"Eigen"_s);
  EXPECT_DOUBLE_EQ(Wert(u"select Groesse from Schlag where Jahr = 2021 and Parzelle = 18"_s).toDouble(), 9.0);
  EXPECT_EQ(Anzahl(u"select count(*) from Anbau where Jahr = 2021 and Parzelle = 18"_s), 0);
  EXPECT_EQ(Anzahl(u"select count(*) from Anbau where Jahr = 2020"_s), 0);
  EXPECT_EQ(Wert(u"select SchlagName from Schlag where Jahr = 2020 and Parzelle = 17"_s).toString(), u"Vorjahr"_s);
  // Choice b: no main crop, land use 1.
  EXPECT_EQ(Wert(u"select HauptfruchtNummer from Schlag where Jahr = 2021 and Parzelle = 17"_s).toInt(), 0);
  EXPECT_EQ(Wert(u"select NutzungsForm from Schlag where Jahr = 2021 and Parzelle = 17"_s).toInt(), 1);
  EXPECT_EQ(Wert(u"select KeineDuengung from Schlag where Jahr = 2021 and Parzelle = 17"_s).toInt(), 0);

  // The same sheet a second time adds nothing.
  ASSERT_TRUE(Schlagimport::Anlegen(db, b, Betrieb, Jahr, e));
  EXPECT_EQ(e.angelegt, 0);
  EXPECT_EQ(e.nichtAngelegt.size(), 4);
  EXPECT_EQ(Anzahl(u"select count(*) from Anbau where Jahr = 2021"_s), 3);
}

TEST_F(Schlagimport_, UngueltigeZeilenWerdenGenanntDieAnderenAngelegt) {
  TBlatt b = Lesen();
  b.setText(Groesse, 3, u"zwei"_s);
  b.setText(Bodengruppe, 4, u"7"_s);
  b.setText(Parzelle, 5, u"19a"_s);
  b.setText(Parzelle, 7, u"21"_s);  // the same parcel twice
  b.setText(Groesse, 7, u"1"_s);
  Schlagimport::TAnlegen e;
  ASSERT_TRUE(Schlagimport::Anlegen(db, b, Betrieb, Jahr, e));
  EXPECT_EQ(e.angelegt, 1);
  EXPECT_EQ(e.nichtAngelegt,
            (QStringList{u"Zeile 3, Parzelle 17: ungültiger Wert in „Schlaggröße“."_s,
                         u"Zeile 4, Parzelle 18: ungültiger Wert in „Bodengruppe“."_s,
                         u"Zeile 5, Parzelle 19a: die Parzellen-Nummer ist keine ganze Zahl."_s,
                         u"Zeile 7, Parzelle 21: diesen Schlag gibt es im Jahr 2021 schon; er bleibt, wie er ist."_s}));
  EXPECT_EQ(Anzahl(u"select count(*) from Schlag where Jahr = 2021"_s), 1);
  EXPECT_TRUE(Schlagimport::NichtAngelegtText(e).startsWith(u"Diese Zeilen wurden nicht übernommen:\r\nZeile 3"_s));
}

TEST_F(Schlagimport_, OhneDuengejahrWirdNichtsAngelegt) {
  const TBlatt b = Lesen();
  Schlagimport::TAnlegen e;
  EXPECT_FALSE(Schlagimport::Anlegen(db, b, Betrieb, 2030, e));
  EXPECT_FALSE(Schlagimport::Anlegen(db, b, Betrieb, 0, e));
  EXPECT_EQ(Anzahl(u"select count(*) from Schlag"_s), 0);
}

TEST_F(Schlagimport_, AbbrechenNimmtDasGanzeAnlegenZurueck) {
  const TBlatt b = Lesen();
  meldungen.fortschritte.clear();
  meldungen.abbrechenBei = 2;
  Schlagimport::TAnlegen e;
  ASSERT_TRUE(Schlagimport::Anlegen(db, b, Betrieb, Jahr, e));
  EXPECT_TRUE(e.abgebrochen);
  EXPECT_EQ(e.angelegt, 0);
  EXPECT_EQ(meldungen.fortschritte,
            (QStringList{u"0/4 Schläge anlegen+"_s, u"1/4 Schläge anlegen+"_s, u"2/4 Schläge anlegen+"_s}));
  // The two fields made before the stop are gone with the rest.
  EXPECT_EQ(Anzahl(u"select count(*) from Schlag"_s), 0);
  EXPECT_EQ(Anzahl(u"select count(*) from Anbau"_s), 0);

  meldungen.abbrechenBei = -1;
  ASSERT_TRUE(Schlagimport::Anlegen(db, b, Betrieb, Jahr, e));
  EXPECT_FALSE(e.abgebrochen);
  EXPECT_EQ(e.angelegt, 4);
}

TEST_F(Schlagimport_, AbbrechenBeimEinlesenLaesstDasBlatt) {
  TBlatt b = Lesen();
  const TBlatt vorher = b;
  meldungen.fortschritte.clear();
  meldungen.abbrechenBei = 1;
  Schlagimport::TEinlesen e;
  e.betrieb = Betrieb;
  QString meldung;
  EXPECT_FALSE(Schlagimport::Einlesen(db, Teilflaechen(), e, b, meldung));
  EXPECT_EQ(meldung, u"Abgebrochen; das Arbeitsblatt ist unverändert."_s);
  EXPECT_EQ(meldungen.fortschritte, (QStringList{u"0/6 Kulturvorschläge+"_s, u"1/6 Kulturvorschläge+"_s}));
  for (int z = 1; z <= vorher.LetzteZeile(); ++z) EXPECT_EQ(b.Text(Parzelle, z), vorher.Text(Parzelle, z)) << z;
}

TEST_F(Schlagimport_, RegelnLaufenNachDemAnlegenOhneFehler) {
  const TBlatt b = Lesen();
  Schlagimport::TAnlegen e;
  ASSERT_TRUE(Schlagimport::Anlegen(db, b, Betrieb, Jahr, e));
  EXPECT_TRUE(Schlagimport::RegelnAusfuehren(db, Betrieb, Jahr));
  EXPECT_EQ(meldungen.protokoll, QStringList());
}

}  // namespace
