// The shipped master data in the template farm and every farm's own copy.
#include "testdatenbank.h"

#include "stammdaten.h"
#include "tsv.h"

using namespace Qt::StringLiterals;

namespace {

class Stammdaten_ : public TestDatenbank {
protected:
  void SetUp() override {
    TestDatenbank::SetUp();
    ASSERT_TRUE(db.Ausfuehren(QStringLiteral("insert into Betriebe ( ID, Betriebsname, Bundesland ) values ( 1, 'Nullbetrieb', 15 )")));
    Stammdaten::GemeinsameTabellenNeuAnlegen(db);
    bericht = Stammdaten::VorlageAktualisieren(db);
  }
  int Zahl(const QString& sql, const TParameter& p = {}) { return db.Wert(sql, p).toInt(); }
  QVariant Wert(const QString& sql) { return db.Wert(sql); }
  // Data lines of a shipped file, counted by hand-independent means: the file itself.
  static int Zeilen(const QString& tabelle, const QString& filterSpalte = {}, const QString& filterWert = {}) {
    TTsv tsv;
    EXPECT_TRUE(TsvLesen(Stammdaten::Datei(tabelle), tsv)) << tabelle.toStdString();
    if (filterSpalte.isEmpty()) return int(tsv.zeilen.size());
    int n = 0;
    for (const auto& z : tsv.zeilen) n += z.value(tsv.Spalte(filterSpalte)) == filterWert;
    return n;
  }
  Stammdaten::TLadeBericht bericht;
};

TEST_F(Stammdaten_, JedeGelieferteZeileWirdGeladen) {
  for (const auto& p : bericht.probleme)
    ADD_FAILURE() << p.tabelle.toStdString() << " Zeile " << p.zeile << " " << p.spalte.toStdString() << ": "
                  << p.text.toStdString();
  const std::pair<const char*, int> tabellen[] = {
      {"S_KulturenNP", 255}, {"S_MinDung", 288}, {"S_OrgDung", 104},         {"S_Tiere", 121},
      {"S_Zwifru", 9},       {"S_PBilanzwerteNeu", 9}, {"S_OD_AusbringVerluste", 26}, {"DBA_Daten", 415},
      {"GLBoden", 6},        {"S_Bewaufl", 2},     {"S_BewauflP", 2},
  };
  for (const auto& [name, anzahl] : tabellen) {
    SCOPED_TRACE(name);
    const QString t = QString::fromLatin1(name);
    EXPECT_EQ(Zeilen(t), anzahl);
    EXPECT_EQ(Zahl(QStringLiteral("select count(*) from ") + t), anzahl);
  }
  EXPECT_EQ(Zahl(QStringLiteral("select count(*) from S_Orte")), Zeilen(QStringLiteral("S_Orte"), QStringLiteral("BLCODE"), QStringLiteral("15")));
  EXPECT_EQ(Zahl(QStringLiteral("select count(*) from S_Orte where BLCODE <> 15")), 0);
  EXPECT_EQ(Zahl(QStringLiteral("select count(*) from S_Orte")), 1033);
}

TEST_F(Stammdaten_, DasAuffrischenZeigtJedeTabelleImFortschritt) {
  meldungen.fortschritte.clear();
  Stammdaten::VorlageAktualisieren(db);
  EXPECT_EQ(meldungen.fortschritte,
            (QStringList{u"0/10 Stammdaten S_OD_AusbringVerluste"_s, u"1/10 Stammdaten Befehle"_s,
                         u"2/10 Stammdaten S_KulturenNP"_s, u"3/10 Stammdaten S_MinDung"_s,
                         u"4/10 Stammdaten S_OrgDung"_s, u"5/10 Stammdaten S_PBilanzwerteNeu"_s,
                         u"6/10 Stammdaten S_Tiere"_s, u"7/10 Stammdaten DBA_Daten"_s, u"8/10 Stammdaten S_Zwifru"_s,
                         u"9/10 Stammdaten S_Orte"_s, u"10/10 Stammdaten"_s}));
}

TEST_F(Stammdaten_, EinWertDerNichtPasstUndEineZeileDieScheitertWerdenGemeldet) {
  ASSERT_TRUE(db.Ausfuehren(QStringLiteral("delete from S_PBilanzwerteNeu")));
  TTsv daten;
  daten.spalten = {QStringLiteral("GK"), QStringLiteral("BW_AL"), QStringLiteral("Quelle"), QStringLiteral("ID")};
  daten.zeilen = {{QStringLiteral("AB"), QStringLiteral("1.5"), QStringLiteral("x"), QStringLiteral("7")},
                  {QStringLiteral("C"), QStringLiteral("viel"), QString(), QString()},
                  {QStringLiteral("D"), QString(), QString(), QString()}};
  const auto b = Stammdaten::AlleUpdate(db, QStringLiteral("S_PBilanzwerteNeu"), daten);
  EXPECT_EQ(b.geladen, 3);
  ASSERT_EQ(b.probleme.size(), 2u);
  EXPECT_EQ(b.probleme[0].zeile, 2);
  EXPECT_EQ(b.probleme[0].spalte, QStringLiteral("GK"));  // text(1)
  EXPECT_EQ(b.probleme[1].spalte, QStringLiteral("BW_AL"));
  // Too long and not a number: the default; empty: null; the counter is the table's own.
  EXPECT_EQ(Wert(QStringLiteral("select GK from S_PBilanzwerteNeu where BW_AL = 1.5")).toString(), QString());
  EXPECT_EQ(Wert(QStringLiteral("select BW_AL from S_PBilanzwerteNeu where GK = 'C'")).toDouble(), 0.0);
  EXPECT_TRUE(Wert(QStringLiteral("select BW_AL from S_PBilanzwerteNeu where GK = 'D'")).isNull());
  EXPECT_EQ(Zahl(QStringLiteral("select count(*) from S_PBilanzwerteNeu where ID = 7")), 0);

  // A row the table refuses is skipped and the next one loaded.
  TTsv betriebe;
  betriebe.spalten = {QStringLiteral("BetriebsNr"), QStringLiteral("StoffNr"), QStringLiteral("Stoff")};
  betriebe.zeilen = {{QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("a")},
                     {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("doppelt")},
                     {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("b")}};
  const auto c = Stammdaten::AlleUpdate(db, QStringLiteral("S_AndereStoffe"), betriebe);
  EXPECT_EQ(c.geladen, 2);
  ASSERT_EQ(c.probleme.size(), 1u);
  EXPECT_EQ(c.probleme[0].zeile, 3);
  EXPECT_TRUE(c.probleme[0].spalte.isEmpty());
}

TEST_F(Stammdaten_, ZwischenfruechteTragenDieNummern6Bis14) {
  EXPECT_EQ(Zahl(QStringLiteral("select ID from S_Zwifru where Fruchtart = '-------ohne-------'")), 14);
  EXPECT_EQ(Zahl(QStringLiteral("select ID from S_Zwifru where Fruchtart = 'Futterleguminosen mit Nutzung'")), 12);
  EXPECT_EQ(Zahl(QStringLiteral("select ID from S_Zwifru where Fruchtart = 'Nichtleguminose, abgefroren'")), 6);
  EXPECT_EQ(Zahl(QStringLiteral("select count(*) from S_Zwifru where ID between 9 and 12 and N_Bindung_ha = 105 "
                                "and Fruchtart like '%Leguminose%' and P2O5_HP is null")), 4);
  // Numbering stays the same after another recreation and refresh.
  Stammdaten::GemeinsameTabellenNeuAnlegen(db);
  Stammdaten::VorlageAktualisieren(db);
  EXPECT_EQ(Zahl(QStringLiteral("select min(ID) * 100 + max(ID) from S_Zwifru")), 614);
}

TEST_F(Stammdaten_, AuffaelligeZeilenStimmenMitDenAmtlichenWertenUeberein) {
  struct Fall {
    const char* sql;
    QVariant erwartet;  // invalid: null
  };
  const Fall faelle[] = {
      // Winterweizen A, B: 80 dt/ha, 230 kg N/ha, step 10 dt with +10/-15 kg N.
      {"select Kultur || '|' || Ertragsniveau || '|' || Stickstoffbedarfswert || '|' || BezuggsErtragsdifferenz || '|' || "
       "ZuschlagErtrag || '|' || AbschlagErtrag || '|' || Probenahmetiefe || '|' || FRU_ARTGRNR || '|' || InvekosNummer "
       "from S_KulturenNP where FA_NR = 224101",
       "Winterweizen A, B|80|230|10|10|15|90|100|115"},
      {"select P2O5_HP from S_KulturenNP where FA_NR = 224101", 0.802},
      {"select N_Bindung_ha from S_KulturenNP where FA_NR = 224101", {}},
      {"select Stickstoffbedarfswert || '|' || Ertragsniveau || '|' || Probenahmetiefe from S_KulturenNP where FA_NR = 243101",
       "180|450|60"},
      {"select VfAbschlag || '|' || NP_HP_Verh from S_KulturenNP where FA_NR = 236101", "10.0|1.7"},
      {"select Rohprotein || '|' || ZuschlagRohprotein || '|' || N_Bindung_ha || '|' || N_Bindung_ha_gr10P "
       "from S_KulturenNP where FA_NR = 248201",
       "17.6|11|17|28"},
      {"select N_Bindung_dt_FM from S_KulturenNP where FA_NR = 252201", 0.65},
      {"select IsLegum || '|' || N_Bindung_ha || '|' || VfAbschlag from S_KulturenNP where FA_NR = 151301", "1|36|45.0"},
      {"select Duengemittel || '|' || N || '|' || P2O5 from S_MinDung where DuengeMittelNr = 1", "Alzon 46|46.0|0.0"},
      {"select N from S_MinDung where DuengeMittelNr = 4", 30.0},
      {"select OrgDng || '|' || NT || '|' || NH4 || '|' || P || '|' || TaVerfNr from S_OrgDung where OrgDngNummer = 3",
       "Stallmist Geflügel, konventionell, 45 % TS|16.9|5.9|6.61|6"},
      {"select P2O5_Gehalt from S_OrgDung where OrgDngNummer = 2", 2.9101},
      {"select TIERART || '|' || N_ANFALL || '|' || KATEGORIE_JAHR || '|' || VERLUST_WEIDE from S_Tiere where TA_NR = 1",
       "Kälberaufzucht 0 bis 16 Wochen; 90 kg Zuwachs je Kalb; 3 Durchgänge p.a.|16.6|Stallplatz|30.0"},
      {"select Rest || '|' || N_AnrechenbarAL from S_OD_AusbringVerluste where TaVerfNr = 1", "0.82|60.0"},
      {"select BW_AL from S_PBilanzwerteNeu where Nr = 4", -57.285},
      {"select GL_BG from GLBoden where GL_BG_NR = 4", "Hochmoor"},
      {"select Bewirtschaftungsauflagen from S_Bewaufl where ID = 2", "Nitratgebiet nach §13a DüV"},
      {"select FA_NR_STAMM from DBA_Daten where NU_Code_VL = 115 and NU_Code_BB = 115", 224101},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.sql);
    const QVariant v = Wert(QString::fromUtf8(f.sql));
    if (!f.erwartet.isValid())
      EXPECT_TRUE(v.isNull());
    else if (f.erwartet.typeId() == QMetaType::Double)
      EXPECT_DOUBLE_EQ(v.toDouble(), f.erwartet.toDouble());
    else
      EXPECT_EQ(v.toString(), f.erwartet.toString());
  }
  // Crop groups by the last digits of the number.
  EXPECT_EQ(Zahl(QStringLiteral("select count(*) from S_KulturenNP where FA_NR % 1000 = 101 and Kulturgruppe = 1")), 150);
  EXPECT_EQ(Zahl(QStringLiteral("select count(*) from S_KulturenNP where FA_NR % 1000 = 201 and Kulturgruppe = 2")), 26);
  EXPECT_EQ(Zahl(QStringLiteral("select count(*) from S_KulturenNP where FA_NR % 1000 = 301 and Kulturgruppe = 3")), 79);
}

TEST_F(Stammdaten_, NummernSindEindeutig) {
  const char* faelle[] = {
      "select count(*) from (select FA_NR from S_KulturenNP group by FA_NR having count(*) > 1)",
      "select count(*) from (select DuengeMittelNr from S_MinDung group by DuengeMittelNr having count(*) > 1)",
      "select count(*) from (select OrgDngNummer from S_OrgDung group by OrgDngNummer having count(*) > 1)",
      "select count(*) from (select TA_NR from S_Tiere group by TA_NR having count(*) > 1)",
      "select count(*) from (select OrtsteilNr from S_Orte group by OrtsteilNr having count(*) > 1)",
      "select count(*) from (select TaVerfNr from S_OD_AusbringVerluste group by TaVerfNr having count(*) > 1)",
      "select count(*) from S_KulturenNP where FA_NR is null or FA_NR = 0",
  };
  for (const char* sql : faelle) EXPECT_EQ(Zahl(QString::fromLatin1(sql)), 0) << sql;
}

class Abgleich : public Stammdaten_ {
protected:
  void SetUp() override {
    Stammdaten_::SetUp();
    ASSERT_TRUE(db.Ausfuehren(QStringLiteral("insert into Betriebe ( ID, Betriebsname ) values ( 2, 'Hof Linde' )")));
    Stammdaten::StammdatenAbgleich(db, 2);
    ASSERT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join(QLatin1Char('\n')).toStdString();
  }
};

TEST_F(Abgleich, EinNeuerBetriebErhaeltJedeVorlagenzeileNichtAusgewaehlt) {
  for (const char* t : {"S_KulturenNP", "S_OrgDung", "S_MinDung", "S_Tiere"}) {
    SCOPED_TRACE(t);
    const QString tab = QString::fromLatin1(t);
    EXPECT_EQ(Zahl(QStringLiteral("select count(*) from %1 where BetriebsNr = 2").arg(tab)),
              Zahl(QStringLiteral("select count(*) from %1 where BetriebsNr = 1").arg(tab)));
    EXPECT_EQ(Zahl(QStringLiteral("select count(*) from %1 where BetriebsNr = 2 and Auswahl <> 0").arg(tab)), 0);
  }
  EXPECT_EQ(Zahl(QStringLiteral("select Stickstoffbedarfswert from S_KulturenNP where BetriebsNr = 2 and FA_NR = 224101")), 230);
  // The farm's organic copy takes the template's P2O5 content (2.9101 kg P2O5 per t).
  EXPECT_DOUBLE_EQ(Wert(QStringLiteral("select P2O5_Gehalt from S_OrgDung where BetriebsNr = 2 and OrgDngNummer = 2")).toDouble(), 2.9101);
  // A second alignment inserts nothing more.
  Stammdaten::StammdatenAbgleich(db, 2);
  EXPECT_EQ(Zahl(QStringLiteral("select count(*) from S_KulturenNP where BetriebsNr = 2")), 255);
}

TEST_F(Abgleich, ErtraegeAuswahlUndEigeneDuengerUeberlebenAuffrischungUndAbgleich) {
  ASSERT_TRUE(db.Ausfuehren(QStringLiteral(
      "update S_KulturenNP set Auswahl = 1, TatsErtrag = 91, TatsErtrag_21 = 88, TatsErtragRG = 85 "
      "where BetriebsNr = 2 and FA_NR = 224101;"
      "update S_OrgDung set Auswahl = 1 where BetriebsNr = 2 and OrgDngNummer = 3;"
      "insert into S_OrgDung ( BetriebsNr, OrgDngNummer, OrgDng, NT, NH4, P, P2O5, IstEigen, Auswahl, P2O5_Gehalt ) "
      "values ( 2, 5000, '_Gülle eigen', 4.2, 2.1, 0.7, 1.6, 1, 1, 1.6 )")));
  // The template changes: a new demand value and a new fertiliser name.
  Stammdaten::VorlageAktualisieren(db);
  ASSERT_TRUE(db.Ausfuehren(QStringLiteral(
      "update S_KulturenNP set Stickstoffbedarfswert = 240, TatsErtrag = 5 where BetriebsNr = 1 and FA_NR = 224101;"
      "update S_OrgDung set OrgDng = 'Stallmist Geflügel neu', Auswahl = 0 where BetriebsNr = 1 and OrgDngNummer = 3")));
  Stammdaten::StammdatenAbgleich(db, 2);
  EXPECT_EQ(Wert(QStringLiteral("select Stickstoffbedarfswert || '|' || Auswahl || '|' || TatsErtrag || '|' || TatsErtrag_21 "
                                "|| '|' || TatsErtragRG from S_KulturenNP where BetriebsNr = 2 and FA_NR = 224101"))
                .toString(),
            QStringLiteral("240|1|91.0|88.0|85.0"));
  EXPECT_EQ(Wert(QStringLiteral("select OrgDng || '|' || Auswahl from S_OrgDung where BetriebsNr = 2 and OrgDngNummer = 3")).toString(),
            QStringLiteral("Stallmist Geflügel neu|1"));
  EXPECT_EQ(Wert(QStringLiteral("select OrgDng || '|' || NT || '|' || NH4 || '|' || P || '|' || IstEigen || '|' || Auswahl || '|' "
                                "|| P2O5_Gehalt from S_OrgDung where OrgDngNummer = 5000"))
                .toString(),
            QStringLiteral("_Gülle eigen|4.2|2.1|0.7|1|1|1.6"));
  EXPECT_EQ(Zahl(QStringLiteral("select count(*) from S_OrgDung where OrgDngNummer = 5000")), 1);
}

TEST_F(Abgleich, EineFehlerhafteAnweisungWirdGemeldetUndDieNaechsteLaeuft) {
  // A farm copy without its number column breaks the crop steps only.
  ASSERT_TRUE(db.Ausfuehren(QStringLiteral("insert into Betriebe ( ID ) values ( 3 ); alter table S_Tiere rename to S_Tiere_alt")));
  Stammdaten::StammdatenAbgleich(db, 3);
  EXPECT_EQ(meldungen.Infos().size(), 2);  // insert and alignment of the animals
  EXPECT_EQ(Zahl(QStringLiteral("select count(*) from S_MinDung where BetriebsNr = 3")), 288);
}

}  // namespace
