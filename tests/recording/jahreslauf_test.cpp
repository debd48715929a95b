// A whole farm year through the engine, without windows: records entered as
// the recording window enters them, the organic credit they give the next
// main crop in the nitrogen demand, and the statements of each year.
#include "aufzeichnungsbetrieb.h"
#include "aufzeichnungsliste.h"
#include "bilanz.h"
#include "bilanzanzeige.h"

#include "befehle.h"
#include "dataset.h"

#include <gtest/gtest.h>

#include <map>

namespace {

constexpr int Kompost = 49;  // green-waste compost, group 5, type-and-procedure 20
constexpr int Winterweizen = 224101;

class Jahreslauf : public AufzeichnungsBetrieb {
protected:
  void SetUp() override {
    AufzeichnungsBetrieb::SetUp();
    JahrAnlegen(2019, 2, 2);
    JahrAnlegen(2020, 2, 2);
    Flaechen(2, 2);
    // Parcel 7, 2 ha in every year; in 2021 in the nitrate area.
    for (int j : {2019, 2020, 2021}) {
      Feld(7, 2, j == 2021 ? 2 : 1, j);
      Sql(K("update Schlag set Durchwurzelungstiefe = 90, SteingehaltKrume = 1, BKR = 200, BG = 3, AZ = 60, "
            "Zwischenfrucht = 14 where Jahr = :j"),
          {{K("j"), j}});
    }
    kultur[2019] = Kultur(7, Winterweizen, K("Winterweizen"), {}, 2019);
    kultur[2020] = Kultur(7, Winterweizen, K("Winterweizen"), {}, 2020);
    // Winter wheat after rape, 95 dt/ha (also in the nitrate area), Nmin 35:
    // 230 + 15 - 35 - 10 = 200 kg N/ha without any organic credit.
    Sql(K("update S_KulturenNP set TatsErtrag = 95, TatsErtragRG = 95 where FA_NR = :fa and BetriebsNr = :b"),
        {{K("fa"), Winterweizen}, {K("b"), Betrieb}});
    kultur[2021] = Kultur(7, Winterweizen, K("Winterweizen"),
                          {{K("Vorfrucht"), 236101}, {K("Zwischenfrucht"), 14}, {K("Quelle_0_30"), 1},
                           {K("Quelle_60_90"), 1}, {K("Nmin_0_30"), 20}, {K("Nmin_30_60"), 15}, {K("Nmin_60_90"), 0},
                           {K("BerechnungsDatum"), K("2021-03-01")}},
                          2021);
    Stamm(K("S_OrgDung"), K("OrgDngNummer"), Guelle,
          {{K("NT"), 3.8}, {K("NH4"), 1.7}, {K("P"), 0.6}, {K("OrgDngGrpNummer"), 1}, {K("TaVerfNr"), 1}});
    Stamm(K("S_OrgDung"), K("OrgDngNummer"), Kompost, {{K("NT"), 7.7}, {K("NH4"), 0.3}, {K("P"), 1.5}});
    Stamm(K("S_MinDung"), K("DuengeMittelNr"), Kas, {{K("N"), 27}, {K("P"), 0}});
  }

  // One record through the list of its fertiliser year, as the panels enter it.
  void Eintragen(int jahr, int kategorie, const char* datum, int nummer, double menge) {
    TAufzeichnungsliste liste(db, meldungen, Betrieb, jahr);
    ASSERT_TRUE(liste.SchlagSetzen(7, 2));
    const qint64 ziel = Aufzeichnung::Zielkultur(db, Betrieb, jahr, 7);
    ASSERT_EQ(ziel, kultur[jahr]);
    ASSERT_TRUE(liste.Anlegen(kategorie, ziel));
    TADODataSetMod& l = liste.Liste();
    l.setWert(K("Datum"), K(datum));
    l.setWert(K("DngNummer"), nummer);
    liste.StammwerteUebernehmen();
    l.setWert(K("Menge"), menge);
    ASSERT_TRUE(l.Speichern()) << meldungen.protokoll.join('\n').toStdString();
  }
  // "Berechnen" on the nitrogen page: group 20, then 50, 35 and 25.
  void Berechnen(qint64 id) {
    Befehle::GruppeFuerDatensatz(db, id, 20);
    Befehle::GruppenFuerDatensatz(db, id, {50, 35, 25});
  }
  double Von(qint64 id, const char* spalte) {
    return Wert(K("select %1 from Anbau where ID = :id").arg(K(spalte)), {{K("id"), id}}).toDouble();
  }
  static void Pruefen(const std::optional<TBilanz>& b, const std::map<const char*, double>& soll) {
    ASSERT_TRUE(b.has_value());
    for (const auto& [name, wert] : soll) EXPECT_NEAR(b->Zahl(QString::fromLatin1(name)), wert, 1e-9) << name;
  }

  std::map<int, qint64> kultur;
};

TEST_F(Jahreslauf, AufzeichnungenGutschriftBedarfUndBilanzen) {
  Eintragen(2020, Aufzeichnung::Organisch, "2020-04-01", Guelle, 30);   // 114 kg N/ha
  Eintragen(2020, Aufzeichnung::Organisch, "2020-09-01", Kompost, 20);  // 154 kg N/ha
  Eintragen(2019, Aufzeichnung::Organisch, "2019-08-15", Kompost, 25);  // 192.5 kg N/ha
  Eintragen(2021, Aufzeichnung::Mineral, "2021-04-01", Kas, 3);         // 81 kg N/ha
  EXPECT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join('\n').toStdString();

  // The saved records carry what the rules read: group and kind of the fertiliser.
  EXPECT_EQ(Wert(K("select group_concat(DngGrpNummer || '/' || TaVerfNr, ' ') from "
                   "(select * from Dung where Kategorie = 2 order by ID)"))
                .toString(),
            K("1/1 5/20 5/20"));

  // Organic credit of the 2021 main crop: 10 % of 114 + 4 % of 154 + 3 % of 192.5.
  const qint64 weizen = kultur[2021];
  Berechnen(weizen);
  EXPECT_NEAR(Von(weizen, "StickstoffnachlieferungOD"), 23.335, 1e-9);
  // Int(200 - 23.335) = 176.
  EXPECT_DOUBLE_EQ(Von(weizen, "Duengebedarf"), 176.0);

  // Without the compost of 2019 the credit drops by its 3 %: Int(200 - 17.56) = 182.
  Sql(K("delete from Dung where Datum = '2019-08-15'"));
  Berechnen(weizen);
  EXPECT_NEAR(Von(weizen, "StickstoffnachlieferungOD"), 17.56, 1e-9);
  EXPECT_DOUBLE_EQ(Von(weizen, "Duengebedarf"), 182.0);
  Eintragen(2019, Aufzeichnung::Organisch, "2019-08-15", Kompost, 25);
  Berechnen(weizen);
  EXPECT_DOUBLE_EQ(Von(weizen, "Duengebedarf"), 176.0);

  // Statements, kg on the 2 ha field. 2020: slurry 228 kg N (102 available,
  // 36 kg P), compost 308 kg N (12 available, 60 kg P); 536 / 2 ha = 268.
  Pruefen(Bilanz::Gesamtbetrieb(db, Betrieb, 2020),
          {{"NTierDung", 228}, {"NVerfN", 102}, {"NSonstDung", 308}, {"NVerfSonstDung", 12},
           {"NSummeOhneLegumWeide", 536}, {"NSumme", 536}, {"NSummeVerf", 114}, {"NSumme_ha", 268},
           {"PTierDung", 36}, {"PSonstDung", 60}, {"PSumme", 96}, {"NMinDung", 0}});
  Pruefen(Bilanz::Gesamtbetrieb(db, Betrieb, 2019), {{"NSonstDung", 385}, {"NSumme_ha", 192.5}});
  // 2021: 162 kg mineral N; the demand of the nitrate-area field 176 x 2 = 352,
  // less 20 %: 281.6.
  Pruefen(Bilanz::Gesamtbetrieb(db, Betrieb, 2021),
          {{"NMinDung", 162}, {"NSumme", 162}, {"NSumme_ha", 0}, {"NBedarf", 352}, {"NBedarfRot", 352}});
  const auto nitrat = Bilanz::Nitratgebiet(db, Betrieb, 2021);
  Pruefen(nitrat, {{"NBedarf", 352}, {"NBedarfRot", 281.6}, {"NMinDungRG", 162}, {"NMinDungRG_ha", 81},
                   {"FlaecheRotesGebiet", 2}, {"NSumme_ha", 81}});
  const auto kopf = Bilanzanzeige::Kopf(true, 2021, nitrat, Bilanzanzeige::Jahreswerte(db, Betrieb, 2021));
  EXPECT_EQ(kopf[2].wert, K("352 kg"));
  EXPECT_EQ(kopf[3].wert, K("282 kg"));
  EXPECT_EQ(kopf[5].wert, K("162 kg  entspricht  81 kg/ha"));
  EXPECT_TRUE(Bilanz::Ausgelassen(db, Betrieb, 2021, false).Keine());
}

}  // namespace
