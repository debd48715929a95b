// The farm's yearly text files: names, columns, number texts, filters, the
// check number, and what happens when the values cannot be computed.
#include "export.h"

#include "aufzeichnungsbetrieb.h"
#include "meldedatei.h"

#include <QDir>
#include <QFile>

#include <map>

namespace {

class ExportTest : public AufzeichnungsBetrieb {
protected:
  void SetUp() override {
    AufzeichnungsBetrieb::SetUp();
    // District 7 and a nine-digit EU number with blanks around it.
    Sql(K("update Betriebe set KreisNr = 7, EU_NUMMER = ' 276150001 ' where ID = 2"));
    ASSERT_TRUE(QDir(ordner.path()).mkpath(K("aus")));
    aus = ordner.filePath(K("aus"));
  }
  QByteArray Lesen(const QString& name) {
    QFile f(QDir(aus).filePath(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
    return f.readAll();
  }
  // The data lines of a file, split into columns; the check number at the end is cut off.
  static std::vector<QStringList> Zeilen(const QByteArray& datei) {
    const QString text = QString::fromLatin1(datei.left(datei.size() - 10));
    std::vector<QStringList> z;
    for (const QString& l : text.split(K("\r\n"), Qt::SkipEmptyParts)) z.push_back(l.split(u'\t'));
    return z;
  }
  // The last ten bytes are the check number of everything before them.
  static void PruefzahlStimmt(const QByteArray& datei) {
    ASSERT_GT(datei.size(), 10);
    const QByteArray inhalt = datei.left(datei.size() - 10);
    EXPECT_EQ(datei.right(10), QByteArray::number(Meldedatei::Pruefzahl(inhalt)).rightJustified(10, ' '));
  }
  void Dung(const QVariantMap& werte) {
    QVariantMap w = {{K("BetriebsNr"), Betrieb}, {K("Jahr"), Jahr}};
    for (auto it = werte.begin(); it != werte.end(); ++it) w[it.key()] = it.value();
    Einfuegen(K("Dung"), w);
  }
  QString aus;
};

TEST_F(ExportTest, DuengungenOhneAufzeichnungenNurKopfzeile) {
  QString fehler, hinweis;
  ASSERT_TRUE(Export::Duengungen(db, Betrieb, Jahr, aus, &fehler, &hinweis)) << fehler.toStdString();
  EXPECT_TRUE(hinweis.isEmpty());
  const QByteArray erwartet =
      "Betriebsname\tEU_NUMMER\tSitzStrasse\tSitzPLZ\tSitzOrt\tSitzOrtsTeil\tKreisNr\tKreis\tBKR\tDuengejahr\t"
      "Feldblock_ID\tParzelle\tSchlagname\tGroesse\tNG\tHF\tHF_Nr\tZuordnung\tKategorie\tBezeichnung\tDatum\tMenge\t"
      "NT\tNH4N\tP\tMenge_N\tMenge_NVerf\tP_Menge\tMenge_N_ha\tMenge_NVerf_ha\tP_Menge_ha\tIstHerbstDuengung\t"
      "Datenherkunft\tWeidetiere\tWeidetage\tDngGrpNummer\tGruppeNr\tTaVerfNr\r\n"
      // Worked by a separate script with explicit 32-bit wrapping.
      " -25790614";
  EXPECT_EQ(Lesen(K("Duengungen_007_000276150001_2021.TXT")), erwartet);
  EXPECT_EQ(QDir(aus).entryList(QDir::Files), QStringList{K("Duengungen_007_000276150001_2021.TXT")});
}

TEST_F(ExportTest, DuengungenMitAufzeichnungen) {
  Feld(1, 5, 2, Jahr, K("Weide Nord"));
  Feld(2, 4, 1, Jahr, K("Erbsenschlag"));
  const qint64 gruen = Kultur(1, 459, K("Dauergrünland"));
  const qint64 erbsen = Kultur(2, 210, K("Erbsen"));
  // Grazing: 10 animals × 73 days × 75 kg N / 365 on 5 ha = 30 kg/ha, 150 kg;
  // P 12 × 10 × 73 / 365 = 24 kg, 4.8 kg/ha.
  Dung({{K("Parzelle"), 1}, {K("ProbenID"), gruen}, {K("Kategorie"), 4}, {K("Datum"), K("2021-06-01")},
        {K("GruppeNr"), 2}, {K("Dng"), K("Jungrinder")}, {K("NT"), 75}, {K("P"), 12}, {K("WeideTiere"), 10},
        {K("WeideTage"), 73}, {K("Herkunft_Nr"), 1}});
  // Legumes per ha with a share of exactly 10: the value up to 10 %, 105 kg/ha on 4 ha = 420 kg.
  // Dated in the year before, but legumes count for the year of their crop.
  Dung({{K("Parzelle"), 2}, {K("ProbenID"), erbsen}, {K("Kategorie"), 3}, {K("Datum"), K("2020-08-20")},
        {K("IsLegumPauschal"), 1},
        {K("N_Bindung_ha"), 105}, {K("N_Bindung_ha_gr10P"), 150}, {K("Leguminosenanteil"), 10},
        {K("Dng"), K("Erbsen")}});
  // Mineral: 3 dt × 27 = 81 kg N/ha, 324 kg; 3 × 13.5 = 40.5 available, 162 kg.
  Dung({{K("Parzelle"), 2}, {K("ProbenID"), erbsen}, {K("Kategorie"), 1}, {K("Datum"), K("2021-03-15")},
        {K("GruppeNr"), 1}, {K("Dng"), K("KAS 27")}, {K("Menge"), 3}, {K("NT"), 27}, {K("NH4N"), 13.5},
        {K("Herkunft_Nr"), 3}, {K("IstHerbstDuengung"), 1}});
  // Dated in the year before, booked to a crop of 2021: not in the 2021 file.
  Dung({{K("Parzelle"), 2}, {K("ProbenID"), erbsen}, {K("Kategorie"), 1}, {K("Datum"), K("2020-10-01")},
        {K("GruppeNr"), 1}, {K("Dng"), K("Vorjahr")}, {K("Menge"), 1}, {K("NT"), 27}});
  // Without a date: reported, not written.
  Dung({{K("Parzelle"), 2}, {K("ProbenID"), erbsen}, {K("Kategorie"), 2}, {K("Dng"), K("Ohne Datum")},
        {K("Menge"), 10}, {K("NT"), 4}});

  QString fehler, hinweis;
  ASSERT_TRUE(Export::Duengungen(db, Betrieb, Jahr, aus, &fehler, &hinweis)) << fehler.toStdString();
  EXPECT_TRUE(hinweis.startsWith(K("1 Aufzeichnung des Düngejahres 2021 hat kein Datum"))) << hinweis.toStdString();

  const QByteArray datei = Lesen(K("Duengungen_007_000276150001_2021.TXT"));
  PruefzahlStimmt(datei);
  const std::vector<QStringList> z = Zeilen(datei);
  ASSERT_EQ(z.size(), 4u);
  EXPECT_EQ(z[0], Export::KopfDuengungen());
  const QStringList betrieb = {K("Hof Linde"), K("276150001"), {}, {}, {}, {}, K("7"), {}, K("0"), K("2021")};
  const QStringList erwartet[] = {
      betrieb + QStringList{{}, K("2"), K("Erbsenschlag"), K("4,0"), K("Nein"), K("Erbsen"), K("210"),
                            K("Mineralische Düngemittel"), K("N-Dünger"), K("KAS 27"), K("15.03.2021"), K("3,0"),
                            K("27,0"), K("13,5"), K("0,0"), K("324,0"), K("162,0"), K("0,0"), K("81,0"), K("40,5"),
                            K("0,0"), K("Ja"), K("Deklaration"), K("0,0"), K("0"), K("0"), K("1"), K("0")},
      betrieb + QStringList{{}, K("2"), K("Erbsenschlag"), K("4,0"), K("Nein"), K("Erbsen"), K("210"),
                            K("N-Bindung Leguminosen"), K("flächenbezogen"), K("Erbsen"), K("20.08.2020"),
                            K("0,0"), K("0,0"), K("0,0"), K("0,0"), K("420,0"), K("0,0"), K("0,0"), K("105,0"),
                            K("0,0"), K("0,0"), K("Nein"), K("undefiniert"), K("0,0"), K("0"), K("0"), K("0"),
                            K("0")},
      betrieb + QStringList{{}, K("1"), K("Weide Nord"), K("5,0"), K("Ja"), K("Dauergrünland"), K("459"),
                            K("Weidehaltung"), K("sonstige Rinder"), K("Jungrinder"), K("01.06.2021"), K("0,0"),
                            K("75,0"), K("0,0"), K("12,0"), K("150,0"), K("0,0"), K("24,0"), K("30,0"), K("0,0"),
                            K("4,8"), K("Nein"), K("Richtwert"), K("10,0"), K("73"), K("0"), K("2"), K("0")},
  };
  for (int i = 0; i < 3; ++i) {
    ASSERT_EQ(z[i + 1].size(), 38) << i;
    for (int s = 0; s < 38; ++s)
      EXPECT_EQ(QString::fromLatin1(Meldedatei::Windows1252(erwartet[i][s])), z[i + 1][s])
          << "Zeile " << i + 1 << ", Spalte " << z[0][s].toStdString();
  }
}

TEST_F(ExportTest, BilanzOhneAnbauSchreibtNullen) {
  Flaechen(100, 80);
  const struct {
    bool (*exportiere)(TADOModConnection&, int, int, const QString&, QString*);
    const char* datei;
    int spalten;
  } faelle[] = {{Export::Gesamtbetrieb, "Anl5_007_000276150001_2021.TXT", 55},
                {Export::Nitratgebiet, "Anl5NG_007_000276150001_2021.TXT", 61}};
  for (const auto& f : faelle) {
    QString fehler;
    ASSERT_TRUE(f.exportiere(db, Betrieb, Jahr, aus, &fehler)) << fehler.toStdString();
    const QByteArray datei = Lesen(K(f.datei));
    PruefzahlStimmt(datei);
    const std::vector<QStringList> z = Zeilen(datei);
    ASSERT_EQ(z.size(), 2u) << f.datei;
    ASSERT_EQ(z[0].size(), f.spalten) << f.datei;
    ASSERT_EQ(z[1].size(), f.spalten) << f.datei;
    EXPECT_EQ(z[0].mid(0, 2), (QStringList{K("Betriebsname"), K("EU_NUMMER")}));
    EXPECT_EQ(z[0].last(), K("P2O5Summe"));
    EXPECT_EQ(z[1].mid(10, 6), (QStringList{K("2021"), K("0,0"), K("0,0"), K("100,0"), K("80,0"), K("k")}));
    for (int s = 16; s < f.spalten; ++s) EXPECT_EQ(z[1][s], K("0,0")) << f.datei << " " << z[0][s].toStdString();
  }
}

TEST_F(ExportTest, BilanzOhneFlaeche170kgSchreibtKeineDatei) {
  Flaechen(100, 0);
  QString fehler;
  EXPECT_FALSE(Export::Gesamtbetrieb(db, Betrieb, Jahr, aus, &fehler));
  EXPECT_TRUE(fehler.contains(K("Anl5_007_000276150001_2021.TXT"))) << fehler.toStdString();
  EXPECT_TRUE(fehler.contains(K("170-kg-Grenze"))) << fehler.toStdString();
  EXPECT_TRUE(QDir(aus).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(ExportTest, ErtraegeDerGelistetenKulturen) {
  Sql(K("update S_KulturenNP set Auswahl = 0 where BetriebsNr = 2"));
  auto kultur = [&](int faNr, const QVariantMap& werte) {
    QStringList s;
    TParameter p = {{K("nr"), faNr}};
    for (auto it = werte.begin(); it != werte.end(); ++it) {
      s << it.key() + K(" = :") + it.key();
      p.emplace_back(it.key(), it.value());
    }
    Sql(K("update S_KulturenNP set %1 where BetriebsNr = 2 and FA_NR = :nr").arg(s.join(K(", "))), p);
  };
  // Chosen; its name sorts as "A…", before "Bohnen".
  kultur(224101, {{K("Auswahl"), 1}, {K("Kultur"), K("Ährenweizen")}, {K("TatsErtrag"), 72.5},
                  {K("TatsErtragRG"), 68}, {K("IsEinzelErtrag"), 1}});
  // Not chosen, but grown on a field.
  kultur(225101, {{K("Kultur"), K("Bohnen")}, {K("TatsErtrag"), 80}, {K("TatsErtragRG"), QVariant()},
                  {K("IsEinzelErtrag"), 0}});
  Feld(1, 5);
  Kultur(1, 225101, K("Bohnen"));
  // Chosen, but of group 750: not listed.
  kultur(394101, {{K("Auswahl"), 1}, {K("TatsErtrag"), 1}});

  const QByteArray kopf =
      "Betriebsname\tEU_NUMMER\tSitzStrasse\tSitzPLZ\tSitzOrt\tSitzOrtsTeil\tKreisNr\tKreis\tBKR\tDuengejahr\tHF\t"
      "HF_NR\tErtrag\tErtragNG\tAndererErtrag\r\n";
  // Up to 2020 there is no nitrate-area yield: "0". Check numbers worked by a
  // separate script with explicit 32-bit wrapping.
  const struct {
    int jahr;
    const char* datei;
    QByteArray zeilen;
  } faelle[] = {
      {2021, "Ertraege_007_000276150001_2021.TXT",
       "Hof Linde\t276150001\t\t\t\t\t7\t\t0\t2021\t\xC4hrenweizen\t224101\t72,5\t68\tWahr\r\n"
       "Hof Linde\t276150001\t\t\t\t\t7\t\t0\t2021\tBohnen\t225101\t80\t\tFalsch\r\n"
       " -12604118"},
      {2020, "Ertraege_007_000276150001_2020.TXT",
       "Hof Linde\t276150001\t\t\t\t\t7\t\t0\t2020\t\xC4hrenweizen\t224101\t72,5\t0\tWahr\r\n"
       "Hof Linde\t276150001\t\t\t\t\t7\t\t0\t2020\tBohnen\t225101\t80\t0\tFalsch\r\n"
       " -21687337"},
  };
  for (const auto& f : faelle) {
    QString fehler;
    ASSERT_TRUE(Export::Ertraege(db, Betrieb, f.jahr, aus, &fehler)) << fehler.toStdString();
    EXPECT_EQ(Lesen(K(f.datei)), kopf + f.zeilen) << f.jahr;
  }
}

TEST_F(ExportTest, GesamtbetriebMitAufzeichnungen) {
  Flaechen(10, 8);
  Sql(K("update DuengeJahr set IsOeko = 1, Ackerland = 7.25, Gruenland = 2.75, "
        "ErstellungsdatumAufzeichnungBedarf = '2022-02-15' where BetriebsNr = 2 and Duengejahr = 2021"));
  Feld(1, 10);
  const qint64 k = Kultur(1, 101, K("Winterweizen"));
  // Loads per ha as saving stores them, on 10 ha.
  Dung({{K("Parzelle"), 1}, {K("ProbenID"), k}, {K("Kategorie"), 1}, {K("Datum"), K("2021-04-01")},
        {K("Nges"), 40}, {K("Nverf"), 0}, {K("Pges"), 2}});
  Dung({{K("Parzelle"), 1}, {K("ProbenID"), k}, {K("Kategorie"), 2}, {K("TaVerfNr"), 1},
        {K("Datum"), K("2021-03-10")}, {K("Nges"), 17}, {K("Nverf"), 8.5}, {K("Pges"), 3.5}});
  QString fehler;
  ASSERT_TRUE(Export::Gesamtbetrieb(db, Betrieb, Jahr, aus, &fehler)) << fehler.toStdString();
  const QByteArray datei = Lesen(K("Anl5_007_000276150001_2021.TXT"));
  PruefzahlStimmt(datei);
  const std::vector<QStringList> z = Zeilen(datei);
  ASSERT_EQ(z.size(), 2u);
  const QStringList kopf = K(
      "Betriebsname EU_NUMMER SitzStrasse SitzPLZ SitzOrt SitzOrtsTeil KreisNr Kreis BKR "
      "ErstellungsdatumAufzeichnungBedarf Duengejahr Ackerland Gruenland Betriebsgroesse Flaeche170kg "
      "Bewirtschaftung NBedarf NBedarfHD PBedarf P2O5Bedarf NMinDung NTierDung NVerfTierDung NWeide NSonstDung "
      "NVerfSonstDung NBodenHilf NKulturSubstrat NPflanzenHilf NAbfall NLegum NSummeOhneLegumWeide NSumme "
      "NSumme_ha NSummeVerf PMinDung PTierDung PWeide PSonstDung PBodenHilf PKulturSubstrat PPflanzenHilf PAbfall "
      "PSummeOhneWeide PSumme P2O5MinDung P2O5TierDung P2O5Weide P2O5SonstDung P2O5BodenHilf P2O5KulturSubstrat "
      "P2O5PflanzenHilf P2O5Abfall P2O5SummeOhneWeide P2O5Summe")
                              .split(u' ');
  ASSERT_EQ(kopf.size(), 55);
  EXPECT_EQ(z[0], kopf);
  ASSERT_EQ(z[1].size(), 55);
  // 40 + 17 kg N/ha, 2 + 3.5 kg P/ha on 10 ha; P2O5 = P × 2.2914;
  // NSumme_ha = (570 − 400 mineral) / 8 ha = 21.25.
  const std::map<QString, QString> erwartet = {
      {K("KreisNr"), K("7")},          {K("ErstellungsdatumAufzeichnungBedarf"), K("15.02.2022")},
      {K("Duengejahr"), K("2021")},    {K("Ackerland"), K("7,3")},
      {K("Gruenland"), K("2,8")},      {K("Betriebsgroesse"), K("10,0")},
      {K("Flaeche170kg"), K("8,0")},   {K("Bewirtschaftung"), K("o")},
      {K("NMinDung"), K("400,0")},     {K("NTierDung"), K("170,0")},
      {K("NVerfTierDung"), K("85,0")}, {K("NWeide"), K("0,0")},
      {K("NLegum"), K("0,0")},         {K("NSummeOhneLegumWeide"), K("570,0")},
      {K("NSumme"), K("570,0")},       {K("NSumme_ha"), K("21,3")},
      {K("PMinDung"), K("20,0")},      {K("PTierDung"), K("35,0")},
      {K("PSummeOhneWeide"), K("55,0")}, {K("PSumme"), K("55,0")},
      {K("P2O5MinDung"), K("45,8")},   {K("P2O5TierDung"), K("80,2")},
      {K("P2O5Weide"), K("0,0")},      {K("P2O5SummeOhneWeide"), K("126,0")},
      {K("P2O5Summe"), K("126,0")}};
  for (const auto& [spalte, wert] : erwartet) EXPECT_EQ(z[1][kopf.indexOf(spalte)], wert) << spalte.toStdString();
}

TEST_F(ExportTest, NitratgebietKopf) {
  Flaechen(10, 8);
  QString fehler;
  ASSERT_TRUE(Export::Nitratgebiet(db, Betrieb, Jahr, aus, &fehler)) << fehler.toStdString();
  const std::vector<QStringList> z = Zeilen(Lesen(K("Anl5NG_007_000276150001_2021.TXT")));
  ASSERT_FALSE(z.empty());
  const QStringList kopf = K(
      "Betriebsname EU_NUMMER SitzStrasse SitzPLZ SitzOrt SitzOrtsTeil KreisNr Kreis BKR "
      "ErstellungsdatumAufzeichnungBedarf Duengejahr Ackerland Gruenland Betriebsgroesse Flaeche170kg "
      "Bewirtschaftung NBedarf NBedarfHDRot PBedarf P2O5Bedarf NBedarfRot FlaecheRotesGebiet NMinDungRG "
      "NSummeRGOhneLWT NMinDungRG_ha NSummeRGOhneLWT_ha NMinDung NTierDung NVerfN NWeide NSonstDung NVerfSonstDung "
      "NBodenHilf NKulturSubstrat NPflanzenHilf NAbfall NLegum NSummeOhneLegumWeide NSumme NSumme_ha NSummeVerf "
      "PMinDung PTierDung PWeide PSonstDung PBodenHilf PKulturSubstrat PPflanzenHilf PAbfall PSummeOhneWeide PSumme "
      "P2O5MinDung P2O5TierDung P2O5Weide P2O5SonstDung P2O5BodenHilf P2O5KulturSubstrat P2O5PflanzenHilf "
      "P2O5Abfall P2O5SummeOhneWeide P2O5Summe")
                              .split(u' ');
  ASSERT_EQ(kopf.size(), 61);
  EXPECT_EQ(z[0], kopf);
}

TEST_F(ExportTest, FehlenderOrdnerHinterlaesstKeineDatei) {
  const QString fehlt = QDir(aus).filePath(K("fehlt"));
  QString fehler;
  EXPECT_FALSE(Export::Duengungen(db, Betrieb, Jahr, fehlt, &fehler));
  EXPECT_TRUE(fehler.contains(K("Duengungen_007_000276150001_2021.TXT"))) << fehler.toStdString();
  EXPECT_FALSE(QDir(fehlt).exists());
}

}  // namespace
