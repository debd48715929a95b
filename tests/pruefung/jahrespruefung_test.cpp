// The checks on a farm of the database: what is read, the statement values
// the farm-wide rules take, the warning for one record and the printed lines.
#include "pruefung.h"
#include "testbetrieb.h"
#include "umrissablage.h"

#include <gtest/gtest.h>

namespace {

class Jahrespruefung : public TestBetrieb {
protected:
  void SetUp() override {
    TestBetrieb::SetUp();
    Sql(QStringLiteral("update DuengeJahr set Betriebsgroesse = 10, Flaeche170kg = 10 where BetriebsNr = 2"));
  }
  // Field 1 "Am Teich", number 12, in the nitrate area.
  qint64 Feld(const QVariantMap& kultur, double groesse = 10) {
    Einfuegen(QStringLiteral("Schlag"), {{QStringLiteral("BetriebsNr"), Betrieb}, {QStringLiteral("Jahr"), Jahr},
                                         {QStringLiteral("Parzelle"), 1}, {QStringLiteral("SchlagNr"), 12},
                                         {QStringLiteral("SchlagName"), QStringLiteral("Am Teich")},
                                         {QStringLiteral("Groesse"), groesse},
                                         {QStringLiteral("BewirtschaftungsAuflagen"), 2}});
    QVariantMap w = kultur;
    w[QStringLiteral("BetriebsNr")] = Betrieb;
    w[QStringLiteral("Jahr")] = Jahr;
    w[QStringLiteral("Parzelle")] = 1;
    w[QStringLiteral("FruchtNr")] = 1;
    return Einfuegen(QStringLiteral("Anbau"), w);
  }
  qint64 Dung(qint64 kultur, const QVariantMap& werte) {
    QVariantMap w = werte;
    w[QStringLiteral("BetriebsNr")] = Betrieb;
    w[QStringLiteral("Jahr")] = Jahr;
    w[QStringLiteral("Parzelle")] = 1;
    w[QStringLiteral("ProbenID")] = kultur;
    return Einfuegen(QStringLiteral("Dung"), w);
  }
  // Poultry solid manure of the farm's master table (no 3: 45 % TS, 16.9 kg N per t),
  // 5 t/ha on 15 October: 84.5 kg N/ha. Not manure of hoofed animals, so the N periods hold.
  qint64 Gefluegelmist(qint64 kultur, const char* datum = "2021-10-15") {
    return Dung(kultur, {{QStringLiteral("Kategorie"), 2}, {QStringLiteral("DngNummer"), 3},
                         {QStringLiteral("Dng"), QStringLiteral("Stallmist Geflügel")},
                         {QStringLiteral("TaVerfNr"), 6}, {QStringLiteral("Datum"), QString::fromLatin1(datum)},
                         {QStringLiteral("Menge"), 5}, {QStringLiteral("NT"), 16.9}, {QStringLiteral("NH4N"), 5.9},
                         {QStringLiteral("Nges"), 84.5}, {QStringLiteral("Nverf"), 29.5}});
  }
  qint64 Wiese() {
    return Feld({{QStringLiteral("HauptfruchtNummer"), 248201}, {QStringLiteral("Kultur"), QStringLiteral("Mähweide")},
                 {QStringLiteral("KulturGruppe"), 2}});
  }
};

TEST_F(Jahrespruefung, LiestFeldKulturUndAufzeichnungMitTrockenmasseDesDuengers) {
  const qint64 wiese = Wiese();
  const qint64 dung = Gefluegelmist(wiese);
  const Pruefung::TJahr t = Pruefung::Laden(db, Betrieb, Jahr);
  EXPECT_TRUE(t.nitratRegeln);
  ASSERT_EQ(t.duengungen.size(), 1u);
  EXPECT_EQ(t.duengungen[0].id, dung);
  EXPECT_EQ(t.duengungen[0].datum, QDate(2021, 10, 15));
  EXPECT_DOUBLE_EQ(t.duengungen[0].tm, 45);
  ASSERT_EQ(t.kulturen.size(), 1u);
  EXPECT_EQ(t.kulturen[0].kulturgruppe, 2);
  EXPECT_FALSE(t.kulturen[0].bedarf.has_value() && *t.kulturen[0].bedarf != 0);

  // 16.9 x 10 / 45 = 3.76 % N in the dry matter; grassland in the nitrate area is closed from 1 October.
  const auto befunde = Pruefung::Jahr(db, Betrieb, Jahr);
  ASSERT_EQ(befunde.size(), 1u);
  EXPECT_EQ(befunde[0].regel, 3);
  EXPECT_EQ(befunde[0].text, QStringLiteral("Schlag 12: Stallmist Geflügel am 15.10.2021 auf Grünland – Sperrfrist im "
                                            "Nitratgebiet 01.10.–31.01. (DüV § 13a Abs. 3)"));
  EXPECT_EQ(befunde[0].dung, dung);
}

TEST_F(Jahrespruefung, OhneNitratgebietsregelnGiltDieAllgemeineSperrfrist) {
  Gefluegelmist(Wiese());
  Sql(QStringLiteral("update DuengeJahr set NitratgebietRegeln = 0 where BetriebsNr = 2"));
  EXPECT_TRUE(Pruefung::Jahr(db, Betrieb, Jahr).empty());
  // The field keeps its nitrate-area flag.
  EXPECT_EQ(Wert(QStringLiteral("select BewirtschaftungsAuflagen from Schlag")).toInt(), 2);
}

TEST_F(Jahrespruefung, Die170kgGrenzeKommtAusDerBilanz) {
  Sql(QStringLiteral("update DuengeJahr set NitratgebietRegeln = 0 where BetriebsNr = 2"));
  const qint64 wiese = Wiese();
  // 171 kg N/ha organic on 10 ha over 10 ha of the 170-kg area: 171 kg N/ha.
  Dung(wiese, {{QStringLiteral("Kategorie"), 2}, {QStringLiteral("TaVerfNr"), 1}, {QStringLiteral("Datum"), QStringLiteral("2021-04-01")},
               {QStringLiteral("Nges"), 171}, {QStringLiteral("Nverf"), 80}});
  const auto befunde = Pruefung::Jahr(db, Betrieb, Jahr);
  ASSERT_EQ(befunde.size(), 1u);
  EXPECT_EQ(befunde[0].regel, 9);
  EXPECT_DOUBLE_EQ(befunde[0].wert, 171);
  EXPECT_EQ(befunde[0].parzelle, 0);
}

TEST_F(Jahrespruefung, NitratgebietsbedarfAbzueglich20ProzentAusDerBilanz) {
  // Demand 100 kg N/ha on 10 ha: 0.8 x 1000 = 800 kg. Applied 90 kg/ha x 10 ha = 900 kg,
  // 90 kg mineral N per ha is above 80, so the exception does not help.
  const qint64 weizen = Feld({{QStringLiteral("HauptfruchtNummer"), 224101},
                              {QStringLiteral("Kultur"), QStringLiteral("Winterweizen A, B")},
                              {QStringLiteral("KulturGruppe"), 1}, {QStringLiteral("Duengebedarf"), 100}});
  Dung(weizen, {{QStringLiteral("Kategorie"), 1}, {QStringLiteral("Datum"), QStringLiteral("2021-04-10")},
                {QStringLiteral("NT"), 27}, {QStringLiteral("Nges"), 90}, {QStringLiteral("Nverf"), 90}});
  const auto befunde = Pruefung::Jahr(db, Betrieb, Jahr);
  ASSERT_EQ(befunde.size(), 1u);
  EXPECT_EQ(befunde[0].regel, 11);
  EXPECT_DOUBLE_EQ(befunde[0].wert, 900);
  EXPECT_DOUBLE_EQ(befunde[0].grenze, 800);
}

TEST_F(Jahrespruefung, WarnungNurFuerDieBetroffeneAufzeichnung) {
  const qint64 wiese = Wiese();
  const qint64 spaet = Gefluegelmist(wiese);
  const qint64 frueh = Gefluegelmist(wiese, "2021-04-15");
  const auto befunde = Pruefung::FuerAufzeichnung(db, spaet);
  ASSERT_EQ(befunde.size(), 1u);
  EXPECT_EQ(befunde[0].regel, 3);
  EXPECT_TRUE(Pruefung::FuerAufzeichnung(db, frueh).empty());
  EXPECT_TRUE(Pruefung::FuerAufzeichnung(db, 999999).empty());
  const QString warnung = Pruefung::Warnung(befunde);
  EXPECT_TRUE(warnung.startsWith(QStringLiteral("Die Aufzeichnung ist gespeichert")));
  EXPECT_TRUE(warnung.contains(befunde[0].text));
  EXPECT_TRUE(Pruefung::Warnung({}).isEmpty());
}

TEST_F(Jahrespruefung, DruckzeilenDesJahres) {
  EXPECT_EQ(Pruefung::Druckzeilen(db, Betrieb, Jahr).value(1), QStringLiteral("Keine Überschreitung gefunden."));
  Gefluegelmist(Wiese());
  const QStringList zeilen = Pruefung::Druckzeilen(db, Betrieb, Jahr);
  ASSERT_EQ(zeilen.size(), 2);
  EXPECT_TRUE(zeilen[1].startsWith(QStringLiteral("Schlag 12: Stallmist Geflügel am 15.10.2021")));
  // Switched off, the sheet says so; in November the general grassland period holds.
  Sql(QStringLiteral("update DuengeJahr set NitratgebietRegeln = 0 where BetriebsNr = 2"));
  Sql(QStringLiteral("update Dung set Datum = '2021-11-15'"));
  EXPECT_EQ(Pruefung::Druckzeilen(db, Betrieb, Jahr),
            QStringList({QStringLiteral("Prüfung der Grenzen der Düngeverordnung"),
                         QStringLiteral("Die Regeln für Nitratgebiete sind für dieses Düngejahr ausgeschaltet."),
                         QStringLiteral("Schlag 12: Stallmist Geflügel am 15.11.2021 auf Grünland – Sperrfrist "
                                        "01.11.–31.01. (DüV § 6 Abs. 8)")}));
}

TEST_F(Jahrespruefung, UnvollstaendigGeleseneDatenSindKeinLeeresErgebnis) {
  Sql(QStringLiteral("drop table S_AndereStoffe"));
  QString fehler;
  EXPECT_TRUE(Pruefung::Jahr(db, Betrieb, Jahr, &fehler).empty());
  EXPECT_TRUE(fehler.startsWith(QStringLiteral("Die Daten des Düngejahres konnten nicht vollständig gelesen werden; die "
                                               "Prüfung ist unvollständig. (")))
      << fehler.toStdString();
  const QStringList zeilen = Pruefung::Druckzeilen(db, Betrieb, Jahr);
  ASSERT_EQ(zeilen.size(), 2);
  EXPECT_EQ(zeilen[1], fehler);
  // Read again completely, the text is gone.
  Sql(QStringLiteral("create table S_AndereStoffe ( BetriebsNr INTEGER, StoffNr INTEGER, TM REAL )"));
  Pruefung::Jahr(db, Betrieb, Jahr, &fehler);
  EXPECT_TRUE(fehler.isEmpty());
}

}  // namespace

namespace {

// A stored outline of 100 m × 100 m is 1 ha; the field says 1.2 ha.
TEST_F(Jahrespruefung, UmrissDesSchlagesGegenSeineGroesse) {
  Feld({}, 1.2);
  const double x = 702000, y = 5705000;
  const Karte::TUmriss quadrat{{{{x, y}, {x, y + 100}, {x + 100, y + 100}, {x + 100, y}, {x, y}}}};
  ASSERT_TRUE(Karte::UmrissSpeichern(db, Betrieb, Jahr, 1, quadrat, {}));
  const auto befunde = Pruefung::Jahr(db, Betrieb, Jahr);
  ASSERT_EQ(befunde.size(), 1u);
  EXPECT_EQ(befunde[0].regel, 13);
  EXPECT_DOUBLE_EQ(befunde[0].wert, 1.0);
  EXPECT_EQ(befunde[0].text, QStringLiteral("Schlag 12: Fläche laut Umriss 1,00 ha, angegebene Größe 1,20 ha "
                                            "(Abweichung -16,7 %) (Flächenabgleich mit dem Umriss)"));
}

}  // namespace
