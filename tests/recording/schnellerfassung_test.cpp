// Quick recording without its window: cell texts, the copy rules of the
// Insert key and "+", the pick lists and taking the lines over as records.
// Loads are worked out by hand from the round master values of the fixture.
#include "aufzeichnungsbetrieb.h"
#include "blatt.h"
#include "eingabeformat.h"
#include "schnellerfassung.h"

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;
namespace S = Schnellerfassung;

TEST(SchnellerfassungTexte, ZahlenUndDaten) {
  struct TZahl {
    const char* text;
    std::optional<double> wert;
  };
  const TZahl zahlen[] = {{"", 0.0},          {"  ", 0.0},        {"12", 12.0},    {"12,5", 12.5},
                          {"0,125", 0.125},   {"12.5", 12.5},     {"abc", {}},     {"1,2,3", {}},
                          {"1.234,5", {}},    {"12 t", {}},       {"-3", -3.0},    {"inf", {}}};
  for (const auto& f : zahlen) EXPECT_EQ(S::Zahl(QString::fromUtf8(f.text)), f.wert) << f.text;

  struct TDatum {
    const char* text;
    std::optional<QDate> datum;
  };
  const TDatum daten[] = {{"", QDate()},
                          {"12.03.2021", QDate(2021, 3, 12)},
                          {"1.3.21", QDate(2021, 3, 1)},
                          {"01.03.2021", QDate(2021, 3, 1)},
                          {"2021-03-12", QDate(2021, 3, 12)},
                          {"31.02.2021", {}},
                          {"12.13.21", {}},
                          {"gestern", {}},
                          {"12.03", {}},
                          {"12.03.021", {}},
                          {"1203.21", {}},
                          {"200323", QDate(2023, 3, 20)},
                          {"20.03.23", QDate(2023, 3, 20)},
                          {"01.03.99", QDate(1999, 3, 1)},
                          {"2003", {}},
                          {"20032023", {}},
                          {"310221", {}}};
  for (const auto& f : daten) {
    EXPECT_EQ(S::DatumLesen(QString::fromUtf8(f.text)), f.datum) << f.text;
    // The records window's date fields read a typed date the same way.
    if (*f.text && !QString::fromUtf8(f.text).contains(u'-')) {
      EXPECT_EQ(Eingabe::DatumAusText(QString::fromUtf8(f.text)), f.datum.value_or(QDate())) << f.text;
    }
  }
  EXPECT_EQ(S::DatumText(QDate(2021, 3, 1)), u"01.03.2021"_s);
}

TEST(SchnellerfassungTexte, KategorieNachTaste) {
  struct TFall {
    char taste;
    const char* text;
    int nummer;
  };
  const TFall faelle[] = {{'m', "Min-Dünger", 1}, {'O', "Org-Dünger", 2}, {'s', "sonst. Stoffe", 5},
                          {'W', "Beweidung", 4},  {'x', "", 0},            {'l', "", 0}};
  for (const auto& f : faelle) {
    const auto k = S::KategorieTaste(QChar(f.taste));
    EXPECT_EQ(k ? k->text : QString(), QString::fromUtf8(f.text)) << f.taste;
    EXPECT_EQ(k ? k->nummer : 0, f.nummer) << f.taste;
  }
}

TEST(SchnellerfassungTexte, KopfzeilenUndHinweise) {
  TBlatt b;
  S::KopfSchreiben(b);
  EXPECT_EQ(b.Text(4, 2), u"mit \"+\" eingeben"_s);
  EXPECT_EQ(b.Text(8, 1), u"Gedüngte Kultur"_s);
  EXPECT_EQ(b.Text(11, 2), u"a 24 h eingeben"_s);
  EXPECT_EQ(b.LetzteSpalte(), 11);
  EXPECT_EQ(S::LetzteZeile(b), 3);
  EXPECT_EQ(S::Hinweis(9), u"Wenn Herbstdüngung: mit \"x\" kennzeichnen oder mit \" \" löschen."_s);
  EXPECT_EQ(S::Hinweis(12), QString());
}

TEST(SchnellerfassungTexte, LeereZeilenFallenWeg) {
  TBlatt b;
  S::KopfSchreiben(b);
  b.setText(S::Menge, 5, u"5"_s);
  b.setText(S::KulturId, 7, u"7"_s);  // a hidden value alone keeps a line
  const std::vector<int> neu = S::LeereZeilenEntfernen(b);
  EXPECT_EQ(neu, (std::vector<int>{0, 1, 2, 3, 0, 4, 0, 5}));
  EXPECT_EQ(b.Text(S::Menge, 4), u"5"_s);
  EXPECT_EQ(b.Text(S::KulturId, 5), u"7"_s);
  EXPECT_EQ(b.Text(S::Datum, 1), u"Datum"_s);
  EXPECT_EQ(S::LetzteZeile(b), 5);
}

// Line 4 full (every visible and hidden column "<column>a"), line 5 with its
// own field name; line 6 empty.
class Kopierregeln : public ::testing::Test {
protected:
  void SetUp() override {
    for (int s = 1; s <= S::AlleSpalten; ++s) b.setText(s, 4, QString::number(s) + u"a"_s);
  }
  // The columns of line `zeile` that hold a value.
  std::vector<int> Gefuellt(int zeile) const {
    std::vector<int> s;
    for (int i = 1; i <= S::AlleSpalten; ++i)
      if (!b.Text(i, zeile).isEmpty()) s.push_back(i);
    return s;
  }
  TBlatt b;
};

TEST_F(Kopierregeln, EinfuegenJeSpalte) {
  struct TFall {
    const char* name;
    int spalte;
    bool schlagDa;
    std::vector<int> gefuellt;  // besides the field name when it is there
    S::TPosition ziel;
  };
  const std::vector<int> hinten = {13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24};
  auto mit = [](std::vector<int> a, const std::vector<int>& b) {
    a.insert(a.end(), b.begin(), b.end());
    std::sort(a.begin(), a.end());
    a.erase(std::unique(a.begin(), a.end()), a.end());
    return a;
  };
  const TFall faelle[] = {
      {"Schlag da", 2, true, mit({3, 4, 5, 6, 7, 9, 10, 11}, hinten), {4, 5}},
      {"kein Schlag", 1, false, mit({1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12}, hinten), {4, 5}},
      {"Datum", 4, false, mit({4, 5, 6, 7, 9, 10, 11}, hinten), {5, 5}},
      {"Kategorie", 6, false, mit({6, 7, 9, 10, 11}, hinten), {7, 5}},
      {"Bezeichnung", 7, false, {7, 9, 10, 11, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24}, {8, 5}},
      {"Kultur", 8, false, {9, 10, 11}, {9, 5}},
      {"Herbst", 9, false, {9, 10, 11}, {3, 6}},
      {"Tiere", 10, false, {10, 11}, {11, 5}},
      {"Weidetage", 11, false, {11}, {3, 6}},
  };
  for (const auto& f : faelle) {
    S::ZeileLeeren(b, 5);
    if (f.schlagDa) b.setText(3, 5, u"Eigener"_s);
    const S::TPosition p = S::Uebertragen(b, 4, 5, f.spalte);
    EXPECT_EQ(Gefuellt(5), f.gefuellt) << f.name;
    EXPECT_EQ(p.spalte, f.ziel.spalte) << f.name;
    EXPECT_EQ(p.zeile, f.ziel.zeile) << f.name;
    // The crop is never copied, and a field name already there stays.
    EXPECT_EQ(b.Text(8, 5), QString()) << f.name;
    EXPECT_EQ(b.Text(25, 5), QString()) << f.name;
    if (f.schlagDa) {
      EXPECT_EQ(b.Text(3, 5), u"Eigener"_s);
    }
    if (!f.gefuellt.empty()) {
      EXPECT_EQ(b.Text(f.gefuellt.back(), 5), QString::number(f.gefuellt.back()) + u"a"_s);
    }
  }
}

TEST_F(Kopierregeln, PlusJeSpalte) {
  struct TFall {
    int spalte;
    std::vector<int> gefuellt;
    S::TPosition ziel;
  };
  const TFall faelle[] = {
      {1, {1, 2, 3, 12}, {4, 5}},
      {3, {1, 2, 3, 12}, {4, 5}},
      {5, {5}, {6, 5}},
      {6, {6, 13}, {7, 5}},
      {7, {7, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24}, {8, 5}},
      {8, {8, 25}, {9, 5}},
      {9, {9}, {10, 5}},
      {10, {10}, {11, 5}},
      {11, {11}, {3, 6}},
  };
  for (const auto& f : faelle) {
    S::ZeileLeeren(b, 5);
    const auto p = S::Plus(b, 5, f.spalte);
    ASSERT_TRUE(p) << f.spalte;
    EXPECT_EQ(Gefuellt(5), f.gefuellt) << f.spalte;
    EXPECT_EQ(p->spalte, f.ziel.spalte) << f.spalte;
    EXPECT_EQ(p->zeile, f.ziel.zeile) << f.spalte;
  }
  // Column 4 is the date of today, and line 4 has no line above.
  EXPECT_FALSE(S::Plus(b, 5, 4));
  EXPECT_FALSE(S::Plus(b, 4, 5));
}

// Farm 2 in 2021 with the fixture's master values: "KAS 27" (27 % N), cattle
// slurry (NT 4, NH4 2, P 0.8), young cattle (N 100 a year, 25 % lost on
// pasture, P 20), "Pflanzenkohle" (2.5 / 1.5 / 0.3).
class Uebernahme : public AufzeichnungsBetrieb {
protected:
  void SetUp() override {
    AufzeichnungsBetrieb::SetUp();
    Feld(1, 5, 1, Jahr, K("Am Weg"));
    weizen = Kultur(1, 115101, K("Winterweizen"));
    Feld(2, 10, 2, Jahr, K("Große Breite"));
    gerste = Kultur(2, 171101, K("Wintergerste"));
    Feld(3, 2, 1, Jahr, K("Ohne"));
    Sql(K("update Schlag set KeineDuengung = 1 where Parzelle = 3"));
    Stamm(K("S_MinDung"), K("DuengeMittelNr"), Kas, {{K("N"), 27}, {K("P"), 0}, {K("P2O5"), 0}});
    Stamm(K("S_OrgDung"), K("OrgDngNummer"), Guelle, {{K("NT"), 4.0}, {K("NH4"), 2.0}, {K("P"), 0.8}});
    Stamm(K("S_Tiere"), K("TA_NR"), Jungrind, {{K("N_ANFALL"), 100}, {K("VERLUST_WEIDE"), 25}, {K("P_ANFALL"), 20}});
    S::KopfSchreiben(b);
  }

  // A line as the pick lists fill it.
  void Zeile(int z, int parzelle, const char* kategorie, qint64 nummer, qint64 kultur, const char* menge,
             const char* datum = "15.04.2021") {
    for (const S::TSchlag& s : S::Schlaege(db, Betrieb, Jahr))
      if (s.parzelle == parzelle) S::SchlagSetzen(b, z, s, false);
    b.setText(S::Datum, z, K(datum));
    b.setText(S::Menge, z, K(menge));
    const auto k = S::KategorieTaste(QChar::fromLatin1(kategorie[0]));
    b.setText(S::Kategorie, z, k->text);
    b.setText(S::KategorieNr, z, QString::number(k->nummer));
    EXPECT_EQ(S::EintragSetzen(db, b, z, Betrieb, nummer), QString());
    for (const S::TKultur& c : S::Kulturen(db, Betrieb, Jahr, parzelle))
      if (c.id == kultur) S::KulturSetzen(b, z, c);
  }

  struct TSatz {
    int jahr, parzelle;
    qint64 kultur;
    int kategorie;
    qint64 nummer;
    double menge, nges, nverf, pges;
    QVariant datum;
    int herbst;
  };
  std::vector<TSatz> Saetze() {
    std::vector<TSatz> s;
    TAbfrage a(db, K("select Jahr, Parzelle, ProbenID, Kategorie, DngNummer, Menge, Nges, Nverf, Pges, Datum, "
                     "IstHerbstDuengung, Bundesland, IsLegumPauschal from Dung order by ID"));
    while (a.Naechste()) {
      s.push_back({a.Wert(0).toInt(), a.Wert(1).toInt(), a.Wert(2).toLongLong(), a.Wert(3).toInt(),
                   a.Wert(4).toLongLong(), a.Wert(5).toDouble(), a.Wert(6).toDouble(), a.Wert(7).toDouble(),
                   a.Wert(8).toDouble(), a.Wert(9), a.Wert(10).toInt()});
      EXPECT_EQ(a.Wert(11).toInt(), 15);
      EXPECT_EQ(a.Wert(12).toInt(), 1);
    }
    return s;
  }

  TBlatt b;
  qint64 weizen = 0, gerste = 0;
};

TEST_F(Uebernahme, ListenDesBetriebsjahres) {
  const auto schlaege = S::Schlaege(db, Betrieb, Jahr);
  ASSERT_EQ(schlaege.size(), 2u);  // "Ohne" is marked KeineDuengung
  EXPECT_EQ(schlaege[0].name, K("Am Weg"));
  EXPECT_EQ(schlaege[0].kultur, K("Winterweizen"));
  EXPECT_EQ(schlaege[1].name, K("Große Breite"));
  EXPECT_EQ(schlaege[1].groesse, 10);

  const auto mineral = S::Eintraege(db, Betrieb, 1);
  EXPECT_TRUE(std::any_of(mineral.begin(), mineral.end(), [](const S::TEintrag& e) { return e.nummer == Kas; }));
  EXPECT_TRUE(S::Eintraege(db, Betrieb, 5).empty());  // no own substances yet
  Stoff(7, K("Pflanzenkohle"), 2, 2.5, 1.5, 0.3);
  ASSERT_EQ(S::Eintraege(db, Betrieb, 5).size(), 1u);

  JahrAnlegen(2022);
  Feld(1, 5, 1, 2022, K("Am Weg"));
  const qint64 raps = Kultur(1, 131101, K("Winterraps"), {}, 2022);
  const auto kulturen = S::Kulturen(db, Betrieb, Jahr, 1);
  ASSERT_EQ(kulturen.size(), 2u);
  EXPECT_EQ(kulturen[0].Text(), K("2021 Winterweizen"));
  EXPECT_EQ(kulturen[1].id, raps);
  EXPECT_TRUE(S::Kulturen(db, Betrieb, Jahr, 0).empty());
}

TEST_F(Uebernahme, ZeilenWerdenSaetzeMitLasten) {
  // 3 dt KAS: 81 kg N, all available; 20 m³ slurry: 80 N, 40 available, 16 P.
  Zeile(4, 1, "m", Kas, weizen, "3");
  Zeile(5, 2, "o", Guelle, gerste, "20", "1.10.21");
  b.setText(S::Herbst, 5, K("x"));
  // 10 young cattle 73 days on 5 ha: 10 × 75 kg N × 73 / (5 × 365) = 30; P 10 × 20 × 73 / 1825 = 8.
  Zeile(6, 1, "w", Jungrind, weizen, "");
  b.setText(S::Tiere, 6, K("10"));
  b.setText(S::Weidetage, 6, K("73"));
  // No amount: taken with 0 and no loads.
  Zeile(7, 2, "m", Kas, gerste, "");
  EXPECT_EQ(b.Text(S::NT, 6), K("75"));

  const S::TUebernahme u = S::Uebernehmen(db, b, Betrieb, Jahr);
  EXPECT_TRUE(u.Schliessen());
  EXPECT_EQ(u.Meldung(), QString());
  EXPECT_EQ(u.geschrieben, 4);
  EXPECT_EQ(S::LetzteZeile(b), 3);  // every line cleared

  const auto s = Saetze();
  ASSERT_EQ(s.size(), 4u);
  struct TSoll {
    int parzelle;
    qint64 kultur;
    int kategorie;
    qint64 nummer;
    double menge, nges, nverf, pges;
    const char* datum;
    int herbst;
  };
  const TSoll soll[] = {{1, weizen, 1, Kas, 3, 81, 81, 0, "2021-04-15", 0},
                        {2, gerste, 2, Guelle, 20, 80, 40, 16, "2021-10-01", 1},
                        {1, weizen, 4, Jungrind, 0, 30, 0, 8, "2021-04-15", 0},
                        {2, gerste, 1, Kas, 0, 0, 0, 0, "2021-04-15", 0}};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(s[i].jahr, Jahr) << i;
    EXPECT_EQ(s[i].parzelle, soll[i].parzelle) << i;
    EXPECT_EQ(s[i].kultur, soll[i].kultur) << i;
    EXPECT_EQ(s[i].kategorie, soll[i].kategorie) << i;
    EXPECT_EQ(s[i].nummer, soll[i].nummer) << i;
    EXPECT_DOUBLE_EQ(s[i].menge, soll[i].menge) << i;
    EXPECT_NEAR(s[i].nges, soll[i].nges, 1e-9) << i;
    EXPECT_NEAR(s[i].nverf, soll[i].nverf, 1e-9) << i;
    EXPECT_NEAR(s[i].pges, soll[i].pges, 1e-9) << i;
    EXPECT_EQ(s[i].datum.toString().left(10), K(soll[i].datum)) << i;
    EXPECT_EQ(s[i].herbst, soll[i].herbst) << i;
  }
  EXPECT_EQ(Wert(K("select WeideTiere || '/' || WeideTage from Dung where Kategorie = 4")).toString(), K("10.0/73"));
  EXPECT_EQ(Wert(K("select Dng from Dung where Kategorie = 2")).toString().isEmpty(), false);
}

TEST_F(Uebernahme, KulturDesFolgejahresGibtDasJahr) {
  JahrAnlegen(2022);
  Feld(1, 5, 1, 2022, K("Am Weg"));
  const qint64 raps = Kultur(1, 131101, K("Winterraps"), {}, 2022);
  Zeile(4, 1, "m", Kas, raps, "2", "20.08.2021");
  const S::TUebernahme u = S::Uebernehmen(db, b, Betrieb, Jahr);
  EXPECT_TRUE(u.Schliessen()) << u.Meldung().toStdString();
  const auto s = Saetze();
  ASSERT_EQ(s.size(), 1u);
  EXPECT_EQ(s[0].jahr, 2022);
  EXPECT_EQ(s[0].kultur, raps);
  EXPECT_DOUBLE_EQ(s[0].nges, 54);
}

TEST_F(Uebernahme, FehlerhafteZeilenBleibenStehen) {
  Zeile(4, 1, "m", Kas, weizen, "3", "31.02.2021");  // no date
  Zeile(5, 1, "m", Kas, weizen, "drei");              // no number
  Zeile(6, 1, "m", Kas, weizen, "1");
  b.setText(S::Kultur, 6, QString());  // no crop: incomplete
  b.setText(S::KulturId, 6, QString());
  Zeile(7, 1, "m", Kas, weizen, "1");
  b.setText(S::KulturId, 7, QString::number(gerste));  // the crop of another field
  Zeile(8, 1, "m", Kas, weizen, "2");                   // fine
  Zeile(9, 1, "m", Kas, weizen, "2", "01.01.2022");     // after the fertiliser year

  const S::TUebernahme u = S::Uebernehmen(db, b, Betrieb, Jahr);
  EXPECT_FALSE(u.Schliessen());
  EXPECT_EQ(u.geschrieben, 1);
  EXPECT_TRUE(u.unvollstaendig);
  EXPECT_TRUE(u.fehlgeschlagen);
  ASSERT_EQ(u.unlesbar.size(), 3u);
  EXPECT_EQ(u.unlesbar[0].zeile, 4);
  EXPECT_EQ(u.unlesbar[1].zeile, 5);
  EXPECT_EQ(u.unlesbar[1].spalte, S::Menge);
  EXPECT_EQ(u.unlesbar[2].zeile, 9);
  EXPECT_EQ(u.Meldung().toStdString(),
            std::string("Achtung:\n"
              "Es konnten nicht alle Feldwerte übernommen werden.\n"
              "Diese Zeilen enthalten Werte, die nicht gelesen werden können, und bleiben stehen:\n"
              "  Zeile 4, Datum: \u201E31.02.2021\u201C ist kein Datum.\n"
              "  Zeile 5, Menge: \u201Edrei\u201C ist keine Zahl.\n"
              "  Zeile 9, Datum: Das Datum kann nicht größer als 2021 sein.\n"
              "Es konnten nicht alle Datensätze übernommen werden.\n"
              "Einige Datensätze konntenwegen fehlender Angaben (Schlag, Kategorie, gedüngte Kultur) nicht "
              "übernommen werden.\n"
              "Sie können die fehlenden Angaben komplettieren und noch mal Übernehmen."));
  // The written line is gone; the others stay for correction.
  EXPECT_EQ(b.Text(S::Menge, 8), QString());
  for (int z : {4, 5, 6, 7, 9}) EXPECT_FALSE(b.Text(S::SchlagName, z).isEmpty()) << z;
  EXPECT_EQ(Saetze().size(), 1u);
}

TEST_F(Uebernahme, VerdeckteWerteAusEinerDateiWerdenGeprueft) {
  Zeile(4, 1, "m", Kas, weizen, "3");
  b.setText(S::NT, 4, K("viel"));
  Zeile(5, 1, "m", Kas, weizen, "3");
  b.setText(S::KategorieNr, 5, K("3"));  // legumes come only from their crop rows
  const S::TUebernahme u = S::Uebernehmen(db, b, Betrieb, Jahr);
  ASSERT_EQ(u.unlesbar.size(), 2u);
  EXPECT_EQ(u.unlesbar[0].spalte, S::NT);
  EXPECT_EQ(u.unlesbar[1].spalte, S::Kategorie);
  EXPECT_TRUE(Saetze().empty());
}

}  // namespace
