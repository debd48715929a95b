// Moving a field between farms: the lists, their orders, the searches, the
// move with its questions, and what goes along through the keys.
#include "flaechentausch.h"

#include "dataset.h"
#include "tauschbetrieb.h"

namespace {

class Flaechentausch_ : public TauschBetrieb {
protected:
  // The IDs of the farm list, in its order.
  std::vector<int> Betriebe(qint64 ziel, const QString& spalte) {
    TADODataSetMod l(db);
    l.setCommandText(Flaechentausch::BetriebeAbfrage(ziel, spalte));
    EXPECT_TRUE(l.Oeffnen());
    std::vector<int> ids;
    for (int i = 0; i < l.Anzahl(); ++i) ids.push_back(l.Wert(i, l.FeldIndex(K("ID"))).toInt());
    return ids;
  }
  // Farm 3's fields of 2021 by parcel, in the order of the column.
  std::vector<int> Parzellen(const QString& spalte) {
    TADODataSetMod l(db);
    l.ParameterSetzen(K("BNr"), Geber);
    l.ParameterSetzen(K("J"), Jahr);
    l.setCommandText(Flaechentausch::SchlaegeAbfrage(spalte));
    EXPECT_TRUE(l.Oeffnen());
    std::vector<int> p;
    for (int i = 0; i < l.Anzahl(); ++i) p.push_back(l.Wert(i, l.FeldIndex(K("Parzelle"))).toInt());
    return p;
  }
  // Where the field row, its crop rows and its records are now.
  QString Stand() {
    return Wert(K("select ( select BetriebsNr || '/' || Parzelle from Schlag where ID = :s ) || ' ' || "
                  "( select group_concat( BetriebsNr || '/' || Parzelle, ',' ) from Anbau where ID in ( :z, :w ) ) || "
                  "' ' || ( select group_concat( BetriebsNr || '/' || Parzelle || '/' || ProbenID, ',' ) from Dung "
                  "where ID in ( :k, :l ) )"),
                {{K("s"), nord}, {K("z"), zwischenfrucht}, {K("w"), weizen}, {K("k"), kas}, {K("l"), legum}})
        .toString();
  }
  bool Umsetzen(qint64 schlag, int parzelle, bool ja = true, int ziel = Betrieb) {
    meldungen.antworten = {ja};
    if (ja) meldungen.zahlen = {parzelle};
    return Flaechentausch::FlaecheUmsetzen(db, meldungen, schlag, Jahr, ziel);
  }
  QString Vorher() const {
    return QStringLiteral("3/5 3/5,3/5 3/5/%1,3/5/%2").arg(weizen).arg(zwischenfrucht);
  }
};

// --- lists -------------------------------------------------------------------------

TEST_F(Flaechentausch_, BetriebslisteOhneVorlageUndZielbetriebInJederOrdnung) {
  EXPECT_EQ(Flaechentausch::BetriebeAbfrage(2), K("select * from Betriebe where ID > 1 and ID <> 2"));
  const std::pair<const char*, std::vector<int>> faelle[] = {
      // Umlauts sort with their base letters: "Ährenhof" after "Agrar Öko", "Ägypten" before "Bias".
      {"Betriebsname", {4, 5, 3}},
      {"SitzOrt", {5, 3, 4}},
      {"SitzOrtsTeil", {5, 4, 3}},
  };
  for (const auto& [spalte, erwartet] : faelle) {
    EXPECT_EQ(Betriebe(Betrieb, K(spalte)), erwartet) << spalte;
    // Another taking farm is left out just as well.
    const std::vector<int> mit2 = Betriebe(3, K(spalte));
    EXPECT_EQ(std::count(mit2.begin(), mit2.end(), 3), 0) << spalte;
    EXPECT_EQ(std::count(mit2.begin(), mit2.end(), 1), 0) << spalte;
    EXPECT_EQ(mit2.size(), 3u) << spalte;
  }
  // A column without an order of its own: the list unordered.
  EXPECT_EQ(Flaechentausch::BetriebeAbfrage(2, K("ID")), Flaechentausch::BetriebeAbfrage(2));
  EXPECT_FALSE(Flaechentausch::BetriebeSortierbar(K("ID")));
}

TEST_F(Flaechentausch_, SchlaegeDesJahresInJederOrdnung) {
  FelderAnlegen();
  const std::pair<const char*, std::vector<int>> faelle[] = {
      {"SchlagNr", {8, 6, 7, 5}},    // number 3 twice: the field block decides
      {"SchlagName", {7, 5, 6, 8}},  // "Ödland" as "Odland", after "Nord"
      {"Feldblock", {8, 6, 5, 7}},
      {"Parzelle", {5, 6, 7, 8}},
      {"Groesse", {7, 8, 5, 6}},
      {"Kultur", {8, 6, 7, 5}},  // empty first; the same crop by soil group
  };
  for (const auto& [spalte, erwartet] : faelle) EXPECT_EQ(Parzellen(K(spalte)), erwartet) << spalte;
  EXPECT_EQ(Flaechentausch::SchlaegeAbfrage(K("BG")), K("select * from Schlag where Jahr = :J and BetriebsNr = :BNr"));
}

// --- searches ----------------------------------------------------------------------

TEST_F(Flaechentausch_, BetriebssucheInIhrenVierStufen) {
  TADODataSetMod l(db);
  l.setCommandText(Flaechentausch::BetriebeAbfrage(Betrieb));
  ASSERT_TRUE(l.Oeffnen());
  const std::pair<const char*, int> faelle[] = {
      {"Gut Birke", 3}, {"gut birke", 3},    {"ähr", 5},   {"birke", 3},
      {"  Agrar Öko  ", 4}, {"öko", 4},      {"hof", 5},
  };
  for (const auto& [text, id] : faelle) {
    l.Gehe(0);
    EXPECT_TRUE(Flaechentausch::BetriebSuchen(l, K(text))) << text;
    EXPECT_EQ(l.Wert(K("ID")).toInt(), id) << text;
  }
  l.Gehe(1);
  EXPECT_FALSE(Flaechentausch::BetriebSuchen(l, K("xyz")));
  EXPECT_EQ(l.Position(), 1);
  EXPECT_TRUE(Flaechentausch::BetriebSuchen(l, K("   ")));
  EXPECT_EQ(l.Position(), 1);
}

TEST_F(Flaechentausch_, SchlagsucheNachNummerNameUndKultur) {
  FelderAnlegen();
  TADODataSetMod l(db);
  l.ParameterSetzen(K("BNr"), Geber);
  l.ParameterSetzen(K("J"), Jahr);
  l.setCommandText(Flaechentausch::SchlaegeAbfrage(K("Parzelle")));
  ASSERT_TRUE(l.Oeffnen());
  using S = Flaechentausch::TSuche;
  struct Fall {
    const char* text;
    S ergebnis;
    int parzelle;  // where the list stands afterwards; it starts on parcel 7
  };
  const Fall faelle[] = {
      {"12", S::Gefunden, 5},      {"3", S::Gefunden, 6},         {"12 ", S::Gefunden, 5},
      // Starts like a number but is none: no match, no conversion error, no beep.
      {"12a", S::KeineNummer, 7},  {"99", S::KeineNummer, 7},     {"1.5", S::KeineNummer, 7},
      {"Nord", S::Gefunden, 5},    {"nord", S::Gefunden, 5},      {"zip", S::Gefunden, 8},
      {"land", S::Gefunden, 6},    {"ö", S::Gefunden, 6},         {"mais", S::Gefunden, 6},
      {"weizen", S::Gefunden, 5},  {"xyz", S::NichtGefunden, 7},
  };
  for (const Fall& f : faelle) {
    l.Gehe(2);
    EXPECT_EQ(Flaechentausch::SchlagSuchen(l, K(f.text)), f.ergebnis) << f.text;
    EXPECT_EQ(l.Wert(K("Parzelle")).toInt(), f.parzelle) << f.text;
  }
}

// --- moving --------------------------------------------------------------------------

TEST_F(Flaechentausch_, UmsetzenNimmtKulturenUndAufzeichnungenMit) {
  FelderAnlegen();
  Einfuegen(K("SchlagUmriss"), {{K("BetriebsNr"), 3}, {K("Jahr"), 2021}, {K("Parzelle"), 5}, {K("Ringe"), QByteArray("Umriss")}});
  ASSERT_EQ(Stand(), Vorher());
  ASSERT_TRUE(Umsetzen(nord, 12));
  EXPECT_EQ(meldungen.protokoll, (QStringList{K("Frage: Fläche wirklich umsetzen?"),
                                              K("Ganzzahleingabe: Welche Parzellennummer soll die Fläche neu erhalten?")}));
  // The same rows under the taking farm and the new parcel; the records keep their crop rows.
  EXPECT_EQ(Stand(), QStringLiteral("2/12 2/12,2/12 2/12/%1,2/12/%2").arg(weizen).arg(zwischenfrucht));
  EXPECT_EQ(Wert(K("select SchlagNr || ' ' || SchlagName || ' ' || Feldblock || ' ' || Groesse || ' ' || Jahr "
                   "from Schlag where ID = :s"),
                 {{K("s"), nord}})
                .toString(),
            K("12 Nord DESTLI0000000005 4.5 2021"));
  EXPECT_EQ(Wert(K("select Duengebedarf from Anbau where ID = :w"), {{K("w"), weizen}}).toInt(), 160);
  EXPECT_EQ(Wert(K("select count(*) from Anbau where BetriebsNr = 3 and Parzelle = 5 and Jahr = 2021")).toInt(), 0);
  EXPECT_EQ(Wert(K("select count(*) from Dung where BetriebsNr = 3")).toInt(), 0);
  // The outline goes with the field.
  EXPECT_EQ(Wert(K("select group_concat( BetriebsNr || '/' || Parzelle || '/' || Ringe ) from SchlagUmriss")).toString(),
            K("2/12/Umriss"));
  // The field of 2020 with the same parcel stays where it was.
  EXPECT_EQ(Wert(K("select count(*) from Schlag where BetriebsNr = 3 and Jahr = 2020 and Parzelle = 5")).toInt(), 1);
}

TEST_F(Flaechentausch_, ZweiSchlaegeMitDerselbenSchlagNummerImZielbetrieb) {
  FelderAnlegen();
  Feld(Betrieb, 1, {{K("SchlagNr"), 12}});
  ASSERT_TRUE(Umsetzen(nord, 2));
  EXPECT_EQ(Wert(K("select count(*) from Schlag where BetriebsNr = 2 and Jahr = 2021 and SchlagNr = 12")).toInt(), 2);
}

struct NummerFall {
  const char* name;
  int nummer;            // what the number box gives (0 also for a closed box)
  int belegt;            // a parcel the taking farm has already; -1: none
  bool vergeben;         // the message of a used number
};

class Parzellennummer : public Flaechentausch_, public ::testing::WithParamInterface<NummerFall> {};

TEST_P(Parzellennummer, NurEineFreiePositiveNummerSetztUm) {
  const NummerFall& f = GetParam();
  FelderAnlegen();
  if (f.belegt != -1) Feld(Betrieb, f.belegt, {{K("SchlagNr"), 1}});
  EXPECT_FALSE(Umsetzen(nord, f.nummer));
  QStringList erwartet = {K("Frage: Fläche wirklich umsetzen?"),
                          K("Ganzzahleingabe: Welche Parzellennummer soll die Fläche neu erhalten?")};
  if (f.vergeben) erwartet << K("Info: Diese Parzellennummer ist schon vergeben, bitte eine andere wählen. ");
  EXPECT_EQ(meldungen.protokoll, erwartet);
  EXPECT_EQ(Stand(), Vorher());
}

INSTANTIATE_TEST_SUITE_P(Flaechentausch, Parzellennummer,
                         ::testing::Values(NummerFall{"Vergeben", 12, 12, true},
                                           NummerFall{"NullOderGeschlossen", 0, -1, false},
                                           NummerFall{"Negativ", -4, -1, false},
                                           // The used number is checked before the number's sign.
                                           NummerFall{"NullUndVergeben", 0, 0, true},
                                           NummerFall{"NegativUndVergeben", -4, -4, true}),
                         [](const ::testing::TestParamInfo<NummerFall>& i) { return std::string(i.param.name); });

TEST_F(Flaechentausch_, NeinBeiDerFrageAendertNichts) {
  FelderAnlegen();
  EXPECT_FALSE(Umsetzen(nord, 0, false));
  EXPECT_EQ(meldungen.protokoll, QStringList{K("Frage: Fläche wirklich umsetzen?")});
  EXPECT_EQ(Stand(), Vorher());
}

TEST_F(Flaechentausch_, OhneSchlagNachDenFragenDieMeldungDesSpeicherns) {
  EXPECT_FALSE(Umsetzen(0, 12));
  EXPECT_EQ(meldungen.Infos(), QStringList{Flaechentausch::NichtUmgesetzt});
  // With the number taken, that message comes first.
  Feld(Betrieb, 12, {});
  meldungen.Leeren();
  EXPECT_FALSE(Umsetzen(0, 12));
  EXPECT_EQ(meldungen.Infos(), QStringList{Flaechentausch::ParzelleVergeben});
}

TEST_F(Flaechentausch_, ZielbetriebOhneDasJahrBehaeltNichts) {
  FelderAnlegen();
  // Farm 4 has no year 2021: the engine refuses, nothing is stored, no engine text is shown.
  EXPECT_FALSE(Umsetzen(nord, 12, true, 4));
  EXPECT_EQ(meldungen.Infos(), QStringList{Flaechentausch::NichtUmgesetzt});
  EXPECT_EQ(Stand(), Vorher());
}

// --- own entries of the giving farm --------------------------------------------------

TEST_F(Flaechentausch_, EigeneEintraegeWerdenVorDemUmsetzenGenannt) {
  FelderAnlegen();
  // An own crop (999101) the taking farm lacks, as crop and as previous crop of a follow crop.
  Sql(K("insert into S_KulturenNP ( BetriebsNr, FA_NR, Kultur ) values ( 3, 999101, 'Eigene Hirse' )"));
  const qint64 hirse = Kultur(3, 5, {{K("FruchtNr"), 2}, {K("HauptfruchtNummer"), 999101},
                                     {K("Kultur"), K("Eigene Hirse")}, {K("Vorfrucht"), 999101},
                                     {K("VorfruchtText"), K("Eigene Hirse")}});
  // An own organic fertiliser, numbered by its row, and an other substance.
  Sql(K("insert into S_OrgDung ( BetriebsNr, OrgDngNummer, OrgDng, IstEigen, NH4 ) values "
        "( 3, 7001, '_Gülle Birke', 1, 2 )"));
  Dung(3, 5, hirse, {{K("Kategorie"), 2}, {K("DngNummer"), 7001}, {K("Dng"), K("_Gülle Birke")},
                     {K("Datum"), K("2021-04-02")}});
  Dung(3, 5, hirse, {{K("Kategorie"), 5}, {K("DngNummer"), 1}, {K("Dng"), K("Kalkschlamm")}});
  // The shipped mineral fertiliser of the records (KAS 27) is not named.
  const QStringList eintraege = Flaechentausch::FremdeEintraege(db, nord, Betrieb);
  EXPECT_EQ(eintraege, (QStringList{K("Kultur „Eigene Hirse“ (Nr. 999101)"),
                                    K("Vorfrucht „Eigene Hirse“ (Nr. 999101)"),
                                    K("Düngung vom 02.04.2021 mit „_Gülle Birke“ (Nr. 7001)"),
                                    K("Düngung ohne Datum mit „Kalkschlamm“ (Nr. 1)")}));
  EXPECT_FALSE(Umsetzen(nord, 0, false));
  ASSERT_EQ(meldungen.protokoll.size(), 2);
  EXPECT_EQ(meldungen.protokoll[0], K("Info: ") + Flaechentausch::FremdeWarnung(eintraege));
  EXPECT_TRUE(meldungen.protokoll[0].contains(K("„_Gülle Birke“")));
  EXPECT_EQ(meldungen.protokoll[1], K("Frage: Fläche wirklich umsetzen?"));
  // A taking farm that has the crop is not warned about it.
  Sql(K("insert into S_KulturenNP ( BetriebsNr, FA_NR, Kultur ) values ( 2, 999101, 'Eigene Hirse' )"));
  EXPECT_EQ(Flaechentausch::FremdeEintraege(db, nord, Betrieb).size(), 2);
}

TEST_F(Flaechentausch_, OhneEigeneEintraegeKeineWarnung) {
  FelderAnlegen();
  EXPECT_TRUE(Flaechentausch::FremdeEintraege(db, nord, Betrieb).isEmpty());
  EXPECT_TRUE(Flaechentausch::FremdeWarnung({}).isEmpty());
}

}  // namespace
