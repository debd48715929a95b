// The demand file of the reporting run: its 69 columns for crop rows of
// every crop group, worked out by hand from the stored values.
#include "bedarfsdatei.h"

#include "meldebetrieb.h"

#include <QDir>

namespace {

class Bedarfsdatei_ : public MeldeBetrieb {};

// The header as the authority reads it, written out once by hand.
const char* const KopfZeile =
    "Betriebsname\tEU_Nummer\tKreis\tKreisNr\tSitzPLZ\tSitzOrt\tSitzOrtsTeil\tExportquelle\tDuengejahr\tDatum\t"
    "Feldblock_ID\tParzelle\tNG\tGroesse\tNutzung\tBewirtschaftung\tBKR\tBG\tAZ\tSteingehalt\tOS_AL_4\tOS_GL_8\t"
    "OS_GL_8_15\tOS_GL_15_30\tOS_GL_30\tDW_Tiefe\tVF\tVF_Nr\tZwfr\tZwfr_Nr\tHF\tHF_Nr\tN_Bedarfswert_DueV\t"
    "ErtragFM_DueV\tErtragFM_Betrieb\tErtragFM_Diff\tErtragTM_DueV\tErtragTM_Betrieb\tErtragTM_Diff\tRP_DueV\t"
    "RP_Betrieb\tRP_Diff\tNmin_gesamt\tNmin_0_30\tNmin_30_60\tNmin_60_90\tDatenherkunftNmin_0_60\t"
    "DatenherkunftNmin_60_90\tZuAbN_Ertrag_Diff\tZuAbN_RP_Diff\tAbN_Nachl_Boden\tAbN_Nachl_OD\tAbN_Nachl_Leg\t"
    "AbN_VF\tAbN_Zwfr\tZuN_Abdeckung\tZuN_nachtraeglich\tBedarfN_berechnet\tStickstoffnachlieferungWRWGH\t"
    "DuengebedarfRot\tAbzugNausMistKompost\tZuschlagFolie\tIs1MonatVorher\tP_Gehalt\tP2O5_Gehalt\tP_AnalyseDatum\t"
    "P_Methode\tP_GehaltsKlasse\tTeilflaechen\r\n";

QStringList Liste(std::initializer_list<const char*> texte) {
  QStringList l;
  for (const char* t : texte) l << QString::fromUtf8(t);
  return l;
}

TEST_F(Bedarfsdatei_, KopfHat69SpaltenInIhrerOrdnung) {
  EXPECT_EQ(Bedarfsdatei::Kopf().size(), 69);
  EXPECT_EQ(Bedarfsdatei::Kopf().join(u'\t') + K("\r\n"), K(KopfZeile));
}

TEST_F(Bedarfsdatei_, JedeKulturzeileMitIhremSchlag) {
  FelderAnlegen();
  const QStringList betrieb = Liste({"Hof Linde", " 27615000123 ", "Börde", "87", "39387", "Oschersleben (Bode)",
                                     "Groß Germersleben", "Quendrix", "2021"});
  // Field 7 in the nitrate area, P analysed by EUF: 5.234 → 5,2; 11.99 → 12,0.
  const QStringList p7 = Liste({"5,2", "12,0", "05.03.2020", "EUF", "C", ""});
  const std::vector<QStringList> erwartet = {
      // The catch crop: arable group, nothing calculated; no source texts for code 0.
      betrieb + Liste({"", "DESTLI0123456789", "7", "Ja", "12,5", "so", "o", "0", "0", "0", "0", "Nein", "", "", "",
                       "", "0", "", "0", "", "0", "--Zwischenfrucht-- Senf", "6", "0,0", "0,0", "0,0", "0,0", "0,0",
                       "0,0", "0,0", "0,0", "0,0", "0,0", "0,0", "0,0", "0,0", "0,0", "", "", "0,0", "0,0", "0,0",
                       "0,0", "0,0", "0,0", "0,0", "0,0", "0.0", "0,0", "0,0", "0,0", "0,0", "0,0", "False"}) +
          p7,
      // Winter wheat: arable values shown, grassland ones 0,0 or empty; 45.25 → 45,3 (half up by the
      // 0.001), 20.04 → 20,0, 3.35 → 3,4, −0.25 → -0,3, 151 × 0.8 = 120,8, 1.05 → 1,1.
      betrieb + Liste({"01.03.2021", "DESTLI0123456789", "7", "Ja", "12,5", "AL", "o", "104", "3", "45", "5", "Ja",
                       "", "", "", "", "90", "Winterraps", "311101", "Senf", "6", "Winterweizen", "115101", "230,0",
                       "80,0", "85,5", "5,5", "0,0", "0,0", "0,0", "0,0", "0,0", "0,0", "45,3", "20,0", "15,0",
                       "10,2", "Bodenuntersuchung MIT Steingehalt", "aus Schicht 1 und 2 berechnet", "5,0", "0,0",
                       "10,0", "3,4", "0,0", "10,0", "-0,3", "0,0", "0.0", "151,0", "2,0", "120,8", "1,1", "0,0",
                       "True"}) +
          p7,
      // Grassland without a demand: dry-matter yields and protein shown, soil class 4 is "über 30";
      // 20.96 → 21,0; the P contents are empty, the method CAL.
      betrieb + Liste({"", "Bewirtschaftungseinheit", "8", "Nein", "3", "GL", "o", "0", "0", "0", "0", "", "Nein",
                       "Nein", "Nein", "Ja", "0", "", "0", "", "0", "Dauergrünland", "459201", "0,0", "0,0", "0,0",
                       "0,0", "90,0", "95,0", "5,0", "17,5", "18,0", "0,5", "0,0", "0,0", "0,0", "0,0", "", "",
                       "0,0", "4,0", "0,0", "0,0", "21,0", "0,0", "0,0", "0,0", "0.0", "0,0", "0,0", "0,0", "0,0",
                       "0,0", "False", "0,0", "0,0", "", "CAL", "",
                       "DESTLI0123456789/8/1,5;DESTLI0123456780/2/1,5"}),
      // Vegetables under foil: 12.35 → 12,4 in both foil columns, 95 × 0.8 = 76,0; no method set.
      betrieb + Liste({"", "DESTLI0123456781", "9", "Nein", "0,75", "so", "o", "0", "0", "0", "0", "", "", "", "",
                       "", "0", "", "0", "", "0", "Möhren", "702301", "0,0", "500,0", "480,0", "-20,0", "0,0", "0,0",
                       "0,0", "0,0", "0,0", "0,0", "60,0", "0,0", "0,0", "0,0", "Bodenuntersuchung OHNE Steingehalt",
                       "Richtwerte Fachbehörde", "0,0", "0,0", "0,0", "0,0", "0,0", "0,0", "0,0", "12,4", "0.0",
                       "95,0", "0,0", "76,0", "0,0", "12,4", "False", "0,0", "0,0", "", "", "", ""}),
  };

  std::vector<QStringList> zeilen;
  ASSERT_TRUE(Bedarfsdatei::Zeilen(db, Betrieb, Jahr, &zeilen));
  ASSERT_EQ(zeilen.size(), erwartet.size());
  for (size_t i = 0; i < zeilen.size(); ++i) {
    ASSERT_EQ(erwartet[i].size(), 69) << i;
    ASSERT_EQ(zeilen[i].size(), 69) << i;
    for (int s = 0; s < 69; ++s)
      EXPECT_EQ(zeilen[i][s].toStdString(), erwartet[i][s].toStdString())
          << "Zeile " << i << ", Spalte " << Bedarfsdatei::Kopf()[s].toStdString();
  }
}

TEST_F(Bedarfsdatei_, DateiMitKopfZweiSaetzenUndPruefzahl) {
  // One field with a main crop and a catch crop: a header and two records.
  Sql(K("insert into Schlag ( BetriebsNr, Jahr, Parzelle, Feldblock ) values ( 2, 2021, 1, 'DESTLI0000000001' )"));
  Kultur(1, {{K("FruchtNr"), 0}, {K("KulturGruppe"), 1}, {K("Kultur"), K("Senf")}});
  Kultur(1, {{K("FruchtNr"), 1}, {K("KulturGruppe"), 1}, {K("Kultur"), K("Roggen")}, {K("Duengebedarf"), 90}});
  QString fehler;
  ASSERT_TRUE(Bedarfsdatei::Schreiben(db, Betrieb, Jahr, ordner.path(), &fehler)) << fehler.toStdString();
  const QByteArray datei = Lesen(ordner.filePath(K("DBE_087_027615000123_2021.TXT")));
  EXPECT_TRUE(datei.startsWith(QByteArray(KopfZeile)));
  const std::vector<QStringList> z = Zeilen(datei);
  ASSERT_EQ(z.size(), 3u);
  EXPECT_EQ(z[1][30], K("Senf"));
  EXPECT_EQ(z[2][30], K("Roggen"));
  EXPECT_EQ(z[2][57], K("90,0"));
  // Windows-1252, lines ending in CR LF, no line end after the check number.
  EXPECT_TRUE(datei.contains("B\xF6rde\t"));
  EXPECT_EQ(datei.count("\r\n"), 3);
  EXPECT_FALSE(datei.endsWith("\n"));
}

TEST_F(Bedarfsdatei_, OhneBedarfNenntNurKulturenOhneBerechnung) {
  FelderAnlegen();
  // The catch crop has no demand of its own and is not named.
  EXPECT_EQ(Bedarfsdatei::OhneBedarf(db, Betrieb, Jahr), QStringList{K("Schlag 8 „Wiese“ (Parzelle 8): Dauergrünland")});
  Sql(K("update Anbau set Duengebedarf = 0 where Parzelle = 8"));
  EXPECT_TRUE(Bedarfsdatei::OhneBedarf(db, Betrieb, Jahr).isEmpty());
}

TEST_F(Bedarfsdatei_, LeeresJahrNurKopf) {
  std::vector<QStringList> zeilen;
  ASSERT_TRUE(Bedarfsdatei::Zeilen(db, Betrieb, Jahr, &zeilen));
  EXPECT_TRUE(zeilen.empty());
}

}  // namespace
