// The phosphate demand of a field: content class, rule 20/7 and group 45,
// run through the command engine as the demand window runs them.
#include "testbetrieb.h"

#include "befehle.h"
#include "phosphor.h"

#include <QStringList>

#include <map>

namespace {

// The farm's own test crops: round factors, so that every expected value can
// be worked out by hand.
constexpr int Weizen = 901101;    // 80 dt; product 0.8, by-product 1.0 x 0.5 (organic 0.7, 0.5 x 0.4)
constexpr int Gerste = 902101;    // 40 dt; product 0.9, by-product 0.5 x 1.0 (organic 0.8, 1.0 x 0.3)
constexpr int Gras = 903201;      // 60 dt TM, grassland; product 0.6, by-product 0.5 x 0.4
constexpr int Raps = 904101;      // 40 dt; product 1.8, by-product 1.5 x 0.4
constexpr int Senf = 906101;      // catch crop; product 0.3 (organic 0.25)
constexpr int Einzeln = 907101;   // takes an individual yield; 50 dt in the list
constexpr double Umrechnung = 2.2914;

struct TFeld {
  int parzelle = 1;
  int methode = 1;
  double pGehalt = 2.0;
  int bkr = 107;
  int nutzungsForm = 1;
  int hauptfrucht = Weizen;
  int vorfrucht = Gerste;
  int folgefrucht1 = 0;
  double ff1Ertrag = 0;
  int folgefrucht2 = 0;
  double ff2Ertrag = 0;
  bool gemueseModus = false;
  bool ohneZuAbGK = false;
  bool npVfAbgefahren = false;
  int zfp0 = 0;
  double zfp0Ertrag = 0;
  int jahr = 2021;
  int betrieb = 2;
};

// Result columns of a field that rules 20/7 and 45 write.
const QStringList Ergebnisspalten = {
    QStringLiteral("MaxFruchtNr"),          QStringLiteral("OEKO"),
    QStringLiteral("VFEinzelertrag"),       QStringLiteral("VF_Name"),
    QStringLiteral("HFEinzelertrag"),       QStringLiteral("TatsErtrag"),
    QStringLiteral("P2O5_HP"),              QStringLiteral("Kultur"),
    QStringLiteral("P2O5_AbVorFruchtNP"),   QStringLiteral("P2O5_AbHauptFruchtNP"),
    QStringLiteral("P2O5_AbFolgeFruchtNP"), QStringLiteral("PEntzugHF"),
    QStringLiteral("PEntzugFF1"),           QStringLiteral("PEntzugFF2"),
    QStringLiteral("PEntzugZFP0"),          QStringLiteral("PEntzugZFP1"),
    QStringLiteral("PEntzugZFP2"),          QStringLiteral("P_Jahre"),
    QStringLiteral("P_Kulturen"),           QStringLiteral("P2O5_AbFruchtNP"),
    QStringLiteral("P2O5_EGes"),            QStringLiteral("P2O5_ZuAbBoden"),
    QStringLiteral("P2O5_DuengeBedarf"),    QStringLiteral("P2O5_DuengeBedarfFachlich"),
    QStringLiteral("PDuengebedarfHF"),      QStringLiteral("PDuengebedarfFF1"),
    QStringLiteral("PDuengebedarfFF2"),     QStringLiteral("P_DuengeBedarf"),
    QStringLiteral("P_DuengeBedarfFachlich"), QStringLiteral("P_EGes"),
    QStringLiteral("P_ZuAbBoden"),          QStringLiteral("P_AbVorFruchtNP"),
    QStringLiteral("P_GehaltsKlasse")};

class Phosphor_ : public TestBetrieb {
protected:
  void SetUp() override {
    TestBetrieb::SetUp();
    Kultur(Betrieb, Weizen, QStringLiteral("Testweizen"), 1, 80, 0.8, 1.0, 0.5, 0.7, 0.5, 0.4);
    Kultur(Betrieb, Gerste, QStringLiteral("Testgerste"), 1, 40, 0.9, 0.5, 1.0, 0.8, 1.0, 0.3);
    Kultur(Betrieb, Gras, QStringLiteral("Testgras"), 2, 60, 0.6, 0.5, 0.4, 0.6, 0.5, 0.4);
    Kultur(Betrieb, Raps, QStringLiteral("Testraps"), 1, 40, 1.8, 1.5, 0.4, 1.8, 1.5, 0.4);
    Kultur(Betrieb, Senf, QStringLiteral("Testsenf"), 1, 100, 0.3, 0, 0, 0.25, 0, 0);
  }

  void Kultur(int betrieb, int faNr, const QString& name, int gruppe, double ertrag, double hp, double verh, double np,
              double hpO, double verhO, double npO) {
    Sql(QStringLiteral("INSERT INTO S_KulturenNP (BetriebsNr, FA_NR, Kultur, Kulturgruppe, TatsErtrag, Ertragsniveau,"
                       " P2O5_HP, NP_HP_Verh, P2O5_NP, P2O5_HPO, NP_HP_VerhO, P2O5_NPO, Auswahl)"
                       " VALUES (:b, :fa, :k, :g, :e, :e, :hp, :v, :np, :hpo, :vo, :npo, 1)"),
        {{QStringLiteral("b"), betrieb}, {QStringLiteral("fa"), faNr}, {QStringLiteral("k"), name},
         {QStringLiteral("g"), gruppe}, {QStringLiteral("e"), ertrag}, {QStringLiteral("hp"), hp},
         {QStringLiteral("v"), verh}, {QStringLiteral("np"), np}, {QStringLiteral("hpo"), hpO},
         {QStringLiteral("vo"), verhO}, {QStringLiteral("npo"), npO}});
  }

  // A field with its main-crop row, entered as the window stores them: the
  // P2O5 content follows from the P content and the class is derived before
  // the field is saved. Returns the field's ID.
  qint64 Feld(const TFeld& f) {
    Sql(QStringLiteral(
            "INSERT INTO Schlag (BetriebsNr, Jahr, Parzelle, Feldblock, NutzungsForm, BKR, P_Methode, P_Gehalt,"
            " P2O5_Gehalt, P_GehaltsKlasse, P_AnalyseDatum, P_BerechnungsDatum, HauptfruchtNummer, Vorfrucht,"
            " Folgefrucht_1, FF1Einzelertrag, Folgefrucht_2, FF2Einzelertrag, GemueseModus, OhneZuAbGK,"
            " NPVFAbgefahren, ZFP0_NR, ZFP0_ERTRAG)"
            " VALUES (:b, :j, :p, 'DEVLLI0000000001', :nf, :bkr, :m, :pg, :p2o5, :gk, '2019-03-01', '2021-03-15',"
            " :hf, :vf, :ff1, :ff1e, :ff2, :ff2e, :gm, :ohne, :npvf, :zf, :zfe)"),
        {{QStringLiteral("b"), f.betrieb}, {QStringLiteral("j"), f.jahr}, {QStringLiteral("p"), f.parzelle},
         {QStringLiteral("nf"), f.nutzungsForm}, {QStringLiteral("bkr"), f.bkr}, {QStringLiteral("m"), f.methode},
         {QStringLiteral("pg"), f.pGehalt}, {QStringLiteral("p2o5"), f.pGehalt * Umrechnung},
         {QStringLiteral("gk"), Phosphor::Gehaltsklasse(f.methode, f.bkr, f.pGehalt)},
         {QStringLiteral("hf"), f.hauptfrucht}, {QStringLiteral("vf"), f.vorfrucht},
         {QStringLiteral("ff1"), f.folgefrucht1}, {QStringLiteral("ff1e"), f.ff1Ertrag},
         {QStringLiteral("ff2"), f.folgefrucht2}, {QStringLiteral("ff2e"), f.ff2Ertrag},
         {QStringLiteral("gm"), int(f.gemueseModus)}, {QStringLiteral("ohne"), int(f.ohneZuAbGK)},
         {QStringLiteral("npvf"), int(f.npVfAbgefahren)}, {QStringLiteral("zf"), f.zfp0},
         {QStringLiteral("zfe"), f.zfp0Ertrag}});
    Anbau(f, 1, f.hauptfrucht);
    return Wert(QStringLiteral("SELECT ID FROM Schlag WHERE BetriebsNr = :b AND Jahr = :j AND Parzelle = :p"),
                {{QStringLiteral("b"), f.betrieb}, {QStringLiteral("j"), f.jahr}, {QStringLiteral("p"), f.parzelle}})
        .toLongLong();
  }

  qint64 Anbau(const TFeld& f, int fruchtNr, int frucht) {
    Sql(QStringLiteral("INSERT INTO Anbau (BetriebsNr, Jahr, Parzelle, FruchtNr, HauptfruchtNummer, Vorfrucht)"
                       " VALUES (:b, :j, :p, :n, :hf, :vf)"),
        {{QStringLiteral("b"), f.betrieb}, {QStringLiteral("j"), f.jahr}, {QStringLiteral("p"), f.parzelle},
         {QStringLiteral("n"), fruchtNr}, {QStringLiteral("hf"), frucht}, {QStringLiteral("vf"), f.vorfrucht}});
    return Wert(QStringLiteral("SELECT max(ID) FROM Anbau")).toLongLong();
  }

  // Saving a crop row runs group 20 three times for it; "Berechnen" on the
  // phosphate page runs group 45 for the field.
  void Berechnen(qint64 schlag) {
    KulturenSpeichern(schlag);
    Befehle::GruppeFuerDatensatz(db, schlag, 45);
  }
  void KulturenSpeichern(qint64 schlag) {
    const auto zeilen = Ids(QStringLiteral("SELECT a.ID FROM Anbau a JOIN Schlag s ON a.BetriebsNr = s.BetriebsNr"
                                           " AND a.Jahr = s.Jahr AND a.Parzelle = s.Parzelle"
                                           " WHERE s.ID = :id AND a.FruchtNr >= 1 ORDER BY a.FruchtNr"),
                            schlag);
    for (qint64 z : zeilen) Befehle::GruppenFuerDatensatz(db, z, {20, 20, 20});
  }

  std::vector<qint64> Ids(const QString& sql, qint64 id = 0) {
    std::vector<qint64> ids;
    TAbfrage a(db, sql, {{QStringLiteral("id"), id}});
    while (a.Naechste()) ids.push_back(a.Wert(0).toLongLong());
    return ids;
  }

  QVariant Feldwert(qint64 schlag, const QString& spalte) {
    return Wert(QStringLiteral("SELECT %1 FROM Schlag WHERE ID = :id").arg(spalte), {{QStringLiteral("id"), schlag}});
  }
  double Zahl(qint64 schlag, const QString& spalte) { return Feldwert(schlag, spalte).toDouble(); }

  std::map<QString, QVariant> Ergebnisse(qint64 schlag) {
    std::map<QString, QVariant> w;
    for (const QString& s : Ergebnisspalten) w[s] = Feldwert(schlag, s);
    return w;
  }
  // Readable in a failure message.
  static std::string Text(const std::map<QString, QVariant>& werte) {
    QStringList t;
    for (const auto& [spalte, wert] : werte)
      t << spalte + QLatin1Char('=') + (wert.isNull() ? QStringLiteral("NULL") : wert.toString());
    return t.join(QStringLiteral(", ")).toStdString();
  }
  void Zuruecksetzen(qint64 schlag, const std::map<QString, QVariant>& werte) {
    for (const auto& [spalte, wert] : werte)
      Sql(QStringLiteral("UPDATE Schlag SET %1 = :w WHERE ID = :id").arg(spalte),
          {{QStringLiteral("w"), wert}, {QStringLiteral("id"), schlag}});
  }

  // Every rule failure would show up here.
  void TearDown() override { EXPECT_TRUE(meldungen.Infos().isEmpty()) << meldungen.Infos().join('\n').toStdString(); }
};

constexpr double Genau = 1e-9;

struct TKlassenfall {
  int methode;
  int bkr;
  double pGehalt;
  const char* klasse;
};

TEST(Gehaltsklasse, NachMethodeUndBodenklimaraumMitOberenGrenzenEinschliesslich) {
  const TKlassenfall faelle[] = {
      {1, 107, 2.5, "A"},      {1, 107, 2.50002, "B"},  {1, 107, 2.500009, "A"}, {1, 107, 5.0, "B"},
      {1, 107, 7.5, "C"},      {1, 107, 7.6, "D"},      {1, 107, 10.0, "D"},     {1, 107, 10.00002, "E"},
      {1, 192, 1.5, "A"},      {1, 192, 1.6, "B"},      {1, 192, 3.0, "B"},      {1, 192, 6.0, "C"},
      {1, 192, 6.1, "D"},      {1, 192, 10.1, "E"},     {2, 107, 2.8, "A"},      {2, 107, 5.7, "B"},
      {2, 107, 8.6, "C"},      {2, 107, 11.5, "D"},     {2, 107, 11.51, "E"},    {2, 192, 1.6, "A"},
      {2, 192, 1.7, "B"},      {2, 192, 3.4, "B"},      {2, 192, 6.9, "C"},      {2, 192, 11.5, "D"},
      {2, 192, 11.51, "E"},    {1, 107, 0.01, "A"},     {3, 107, 5.0, ""},       {0, 107, 5.0, ""},
      {4, 107, 5.0, ""},       {1, 107, 0.0, ""},       {2, 107, -1.0, ""},
  };
  for (const auto& f : faelle)
    EXPECT_EQ(Phosphor::Gehaltsklasse(f.methode, f.bkr, f.pGehalt), QString::fromLatin1(f.klasse))
        << "Methode " << f.methode << ", BKR " << f.bkr << ", P " << f.pGehalt;
}

// Main crop 80 dt (removal 80 x 0.8 + 80 x 0.5 = 104), previous crop 40 dt
// with by-product factor 0.5 (credit 20), one year, arable land, CAL.
TEST_F(Phosphor_, RechenbeispielKlasseAUndD) {
  struct TFall {
    double pGehalt;
    const char* klasse;
    double zuAb, duev, fachlich, pDuev, hf;
  } const faelle[] = {
      {2.0, "A", 57.285, 141.285, 141.285, 61.657, 141.285},
      // Class D with low content: the DüV demand leaves out the deduction, the recommendation does not.
      {8.0, "D", -57.285, 84, 26.715, 36.6576, 84},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.klasse);
    TFeld feld;
    feld.parzelle = int(f.pGehalt * 10);
    feld.pGehalt = f.pGehalt;
    const qint64 s = Feld(feld);
    Berechnen(s);
    EXPECT_EQ(Feldwert(s, QStringLiteral("P_GehaltsKlasse")).toString(), QString::fromLatin1(f.klasse));
    EXPECT_EQ(Zahl(s, QStringLiteral("HFEinzelertrag")), 80);
    EXPECT_EQ(Zahl(s, QStringLiteral("VFEinzelertrag")), 40);
    EXPECT_EQ(Feldwert(s, QStringLiteral("VF_Name")).toString(), QStringLiteral("Testgerste"));
    EXPECT_EQ(Zahl(s, QStringLiteral("MaxFruchtNr")), 1);
    EXPECT_NEAR(Zahl(s, QStringLiteral("PEntzugHF")), 104, Genau);
    EXPECT_NEAR(Zahl(s, QStringLiteral("P2O5_AbVorFruchtNP")), 20, Genau);
    EXPECT_NEAR(Zahl(s, QStringLiteral("P2O5_AbHauptFruchtNP")), 0, Genau);
    EXPECT_EQ(Zahl(s, QStringLiteral("P_Jahre")), 1);
    EXPECT_EQ(Zahl(s, QStringLiteral("P_Kulturen")), 1);
    EXPECT_NEAR(Zahl(s, QStringLiteral("P2O5_EGes")), 104, Genau);
    EXPECT_NEAR(Zahl(s, QStringLiteral("P2O5_AbFruchtNP")), 20, Genau);
    EXPECT_NEAR(Zahl(s, QStringLiteral("P2O5_ZuAbBoden")), f.zuAb, Genau);
    EXPECT_NEAR(Zahl(s, QStringLiteral("P2O5_DuengeBedarf")), f.duev, Genau);
    EXPECT_NEAR(Zahl(s, QStringLiteral("P_DuengeBedarf")), f.pDuev, 0.0005);
    EXPECT_NEAR(Zahl(s, QStringLiteral("P2O5_DuengeBedarfFachlich")), f.fachlich, Genau);
    EXPECT_NEAR(Zahl(s, QStringLiteral("P_DuengeBedarfFachlich")), f.fachlich * 0.4364, Genau);
    EXPECT_NEAR(Zahl(s, QStringLiteral("P_EGes")), 104 * 0.4364, Genau);
    EXPECT_NEAR(Zahl(s, QStringLiteral("P_ZuAbBoden")), f.zuAb * 0.4364, Genau);
    EXPECT_NEAR(Zahl(s, QStringLiteral("P_AbVorFruchtNP")), 20 * 0.4364, Genau);
    EXPECT_NEAR(Zahl(s, QStringLiteral("PDuengebedarfHF")), f.hf, Genau);
  }
}

// The class at the bounds decides the surcharge; class E recommends nothing.
TEST_F(Phosphor_, KlassengrenzenBestimmenZuschlagUndEmpfehlung) {
  struct TFall {
    int methode, bkr;
    double pGehalt;
    const char* klasse;
    double zuAb, duev, fachlich;
  } const faelle[] = {
      {1, 107, 2.5, "A", 57.285, 141.285, 141.285},
      {1, 107, 2.50002, "B", 34.371, 118.371, 118.371},
      {1, 192, 1.5, "A", 57.285, 141.285, 141.285},
      {1, 192, 1.6, "B", 34.371, 118.371, 118.371},
      // DL 11.5 and 11.51 mg P are above 25 mg P2O5: high content, removal minus credits.
      {2, 107, 11.5, "D", -57.285, 84, 26.715},
      {2, 107, 11.51, "E", 0, 84, 0},
  };
  int parzelle = 0;
  for (const auto& f : faelle) {
    SCOPED_TRACE(testing::Message() << "Methode " << f.methode << ", BKR " << f.bkr << ", P " << f.pGehalt);
    TFeld feld;
    feld.parzelle = ++parzelle;
    feld.methode = f.methode;
    feld.bkr = f.bkr;
    feld.pGehalt = f.pGehalt;
    const qint64 s = Feld(feld);
    Berechnen(s);
    EXPECT_EQ(Feldwert(s, QStringLiteral("P_GehaltsKlasse")).toString(), QString::fromLatin1(f.klasse));
    EXPECT_NEAR(Zahl(s, QStringLiteral("P2O5_ZuAbBoden")), f.zuAb, Genau);
    EXPECT_NEAR(Zahl(s, QStringLiteral("P2O5_DuengeBedarf")), f.duev, Genau);
    EXPECT_NEAR(Zahl(s, QStringLiteral("P2O5_DuengeBedarfFachlich")), f.fachlich, Genau);
  }
}

// Grassland main crop 60 dt TM: removal 60 x 0.6 = 36 without the by-product
// part; the previous crop's by-product was removed (no credit); class B on
// grassland adds 22.914.
TEST_F(Phosphor_, GruenlandHauptfruchtOhneNebenprodukt) {
  TFeld feld;
  feld.nutzungsForm = 2;
  feld.hauptfrucht = Gras;
  feld.vorfrucht = Gras;
  feld.npVfAbgefahren = true;
  feld.pGehalt = 4.0;
  const qint64 s = Feld(feld);
  Berechnen(s);
  EXPECT_EQ(Feldwert(s, QStringLiteral("P_GehaltsKlasse")).toString(), QStringLiteral("B"));
  EXPECT_NEAR(Zahl(s, QStringLiteral("PEntzugHF")), 36, Genau);
  EXPECT_NEAR(Zahl(s, QStringLiteral("P2O5_AbVorFruchtNP")), 0, Genau);
  EXPECT_NEAR(Zahl(s, QStringLiteral("P2O5_ZuAbBoden")), 22.914, Genau);
  EXPECT_NEAR(Zahl(s, QStringLiteral("P2O5_DuengeBedarf")), 58.914, Genau);
  EXPECT_NEAR(Zahl(s, QStringLiteral("P_DuengeBedarf")), 58.914 * 0.4364, Genau);
}

// Main crop as in the example, first follow crop rape 40 dt, second follow
// crop barley 40 dt, harvested catch crop 100 dt after the main crop and one
// without a yield in the first follow year, class A.
//   removals: main 104, rape 40 x (1.8 + 0.6) = 96, barley 40 x 1.4 = 56, catch crop 30
//   credits: previous crop 20, main crop 80 x 0.5 = 40, rape 40 x 0.6 = 24
TEST_F(Phosphor_, ZweiFolgefruechteUndMehrereKulturenInEinemJahr) {
  struct TFall {
    bool gemueseModus;
    int jahre;
    double zuAb, duev, hf, ff1, ff2;
  } const faelle[] = {
      {false, 3, 171.855, 373.855, 141.285, 113.285, 89.285},
      {true, 1, 57.285, 259.285, 141.285, 56, 32},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.gemueseModus ? "mehrere Kulturen in einem Jahr" : "drei Jahre");
    TFeld feld;
    feld.parzelle = f.gemueseModus ? 2 : 1;
    feld.folgefrucht1 = Raps;
    feld.ff1Ertrag = 40;
    feld.folgefrucht2 = Gerste;
    feld.ff2Ertrag = 40;
    feld.gemueseModus = f.gemueseModus;
    feld.zfp0 = Senf;
    feld.zfp0Ertrag = 100;
    const qint64 s = Feld(feld);
    Sql(QStringLiteral("UPDATE Schlag SET ZFP1_NR = :zf, ZFP1_ERTRAG = NULL, PEntzugZFP1 = 7 WHERE ID = :id"),
        {{QStringLiteral("zf"), Senf}, {QStringLiteral("id"), s}});
    Berechnen(s);
    EXPECT_EQ(Zahl(s, QStringLiteral("P_Jahre")), f.jahre);
    EXPECT_EQ(Zahl(s, QStringLiteral("P_Kulturen")), 3);
    EXPECT_NEAR(Zahl(s, QStringLiteral("PEntzugFF1")), 96, Genau);
    EXPECT_NEAR(Zahl(s, QStringLiteral("PEntzugFF2")), 56, Genau);
    EXPECT_NEAR(Zahl(s, QStringLiteral("PEntzugZFP0")), 30, Genau);
    EXPECT_NEAR(Zahl(s, QStringLiteral("PEntzugZFP1")), 0, Genau);
    EXPECT_NEAR(Zahl(s, QStringLiteral("P2O5_AbHauptFruchtNP")), 40, Genau);
    EXPECT_NEAR(Zahl(s, QStringLiteral("P2O5_AbFolgeFruchtNP")), 24, Genau);
    EXPECT_NEAR(Zahl(s, QStringLiteral("P2O5_AbFruchtNP")), 84, Genau);
    EXPECT_NEAR(Zahl(s, QStringLiteral("P2O5_EGes")), 286, Genau);
    EXPECT_NEAR(Zahl(s, QStringLiteral("P2O5_ZuAbBoden")), f.zuAb, Genau);
    EXPECT_NEAR(Zahl(s, QStringLiteral("P2O5_DuengeBedarf")), f.duev, Genau);
    EXPECT_NEAR(Zahl(s, QStringLiteral("P2O5_DuengeBedarfFachlich")), f.duev, Genau);
    EXPECT_NEAR(Zahl(s, QStringLiteral("PDuengebedarfHF")), f.hf, Genau);
    EXPECT_NEAR(Zahl(s, QStringLiteral("PDuengebedarfFF1")), f.ff1, Genau);
    EXPECT_NEAR(Zahl(s, QStringLiteral("PDuengebedarfFF2")), f.ff2, Genau);
  }
}

// A follow crop whose by-product stays on the field: with one follow crop the
// main crop's by-product is credited, the follow crop's is not.
TEST_F(Phosphor_, EineFolgefruchtZweiJahre) {
  TFeld feld;
  feld.folgefrucht1 = Raps;
  feld.ff1Ertrag = 40;
  const qint64 s = Feld(feld);
  Berechnen(s);
  EXPECT_EQ(Zahl(s, QStringLiteral("P_Jahre")), 2);
  EXPECT_EQ(Zahl(s, QStringLiteral("P_Kulturen")), 2);
  EXPECT_NEAR(Zahl(s, QStringLiteral("P2O5_AbHauptFruchtNP")), 40, Genau);
  EXPECT_NEAR(Zahl(s, QStringLiteral("P2O5_AbFolgeFruchtNP")), 0, Genau);
  EXPECT_NEAR(Zahl(s, QStringLiteral("PEntzugFF2")), 0, Genau);
  // 104 + 96 + 2 x 57.285 - (20 + 40)
  EXPECT_NEAR(Zahl(s, QStringLiteral("P2O5_DuengeBedarf")), 254.57, Genau);
  EXPECT_NEAR(Zahl(s, QStringLiteral("PDuengebedarfFF1")), 96 + 57.285 - 40, Genau);
}

// Without the class term of the current year: one year gives no term at all,
// two years one year's term.
TEST_F(Phosphor_, OhneZuAbschlagImAktuellenJahr) {
  struct TFall {
    int folgefrucht1;
    double zuAb, duev;
  } const faelle[] = {
      {0, 0, 84},
      {Raps, 57.285, 104 + 96 + 57.285 - 60},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.folgefrucht1);
    TFeld feld;
    feld.parzelle = f.folgefrucht1 ? 2 : 1;
    feld.ohneZuAbGK = true;
    feld.folgefrucht1 = f.folgefrucht1;
    feld.ff1Ertrag = 40;
    const qint64 s = Feld(feld);
    Berechnen(s);
    EXPECT_NEAR(Zahl(s, QStringLiteral("P2O5_ZuAbBoden")), f.zuAb, Genau);
    EXPECT_NEAR(Zahl(s, QStringLiteral("P2O5_DuengeBedarf")), f.duev, Genau);
    EXPECT_NEAR(Zahl(s, QStringLiteral("P2O5_DuengeBedarfFachlich")), f.duev, Genau);
  }
}

// High content (CAL above 20 mg P2O5) in class D: the DüV demand is removal
// minus credits; the recommendation keeps the deduction.
TEST_F(Phosphor_, HoherCalGehaltInKlasseD) {
  TFeld feld;
  feld.pGehalt = 9.5;  // class D, 21.77 mg P2O5
  const qint64 abgeleitet = Feld(feld);
  // The stated case, 25 mg P2O5 with a stored class D (the window would
  // derive class E from 10.91 mg P).
  feld.parzelle = 2;
  const qint64 gespeichert = Feld(feld);
  Sql(QStringLiteral("UPDATE Schlag SET P2O5_Gehalt = 25, P_GehaltsKlasse = 'D' WHERE ID = :id"),
      {{QStringLiteral("id"), gespeichert}});
  for (qint64 s : {abgeleitet, gespeichert}) {
    Berechnen(s);
    EXPECT_EQ(Feldwert(s, QStringLiteral("P_GehaltsKlasse")).toString(), QStringLiteral("D"));
    EXPECT_NEAR(Zahl(s, QStringLiteral("P2O5_DuengeBedarf")), 84, Genau);
    EXPECT_NEAR(Zahl(s, QStringLiteral("P2O5_DuengeBedarfFachlich")), 26.715, Genau);
  }
}

// Demands below 0 become 0, in P as well; the per-crop values are not cut.
TEST_F(Phosphor_, NegativeBedarfeWerdenNull) {
  TFeld feld;
  feld.pGehalt = 9.5;  // class D, high content
  feld.hauptfrucht = Gras;  // removal 36
  feld.vorfrucht = Weizen;  // credit 80 x 0.5 = 40
  const qint64 s = Feld(feld);
  Berechnen(s);
  for (const char* spalte : {"P2O5_DuengeBedarf", "P2O5_DuengeBedarfFachlich", "P_DuengeBedarf", "P_DuengeBedarfFachlich"})
    EXPECT_EQ(Zahl(s, QLatin1String(spalte)), 0) << spalte;
  EXPECT_NEAR(Zahl(s, QStringLiteral("PDuengebedarfHF")), -4, Genau);
}

// In an organic year the organic factors count: main crop 80 x (0.7 + 0.2) = 72,
// previous crop 40 x 0.3 = 12.
TEST_F(Phosphor_, OekologischerLandbau) {
  Sql(QStringLiteral("UPDATE DuengeJahr SET IsOeko = 1 WHERE BetriebsNr = 2 AND Duengejahr = 2021"));
  const qint64 s = Feld(TFeld{});
  Berechnen(s);
  EXPECT_EQ(Zahl(s, QStringLiteral("OEKO")), 1);
  EXPECT_NEAR(Zahl(s, QStringLiteral("PEntzugHF")), 72, Genau);
  EXPECT_NEAR(Zahl(s, QStringLiteral("P2O5_AbVorFruchtNP")), 12, Genau);
  EXPECT_NEAR(Zahl(s, QStringLiteral("P2O5_DuengeBedarf")), 72 + 57.285 - 12, Genau);
  // The next save of the crop row takes the organic factors into the field.
  Berechnen(s);
  EXPECT_NEAR(Zahl(s, QStringLiteral("P2O5_HP")), 0.7, Genau);
}

// Incomplete analysis data clear class and results; a field without class
// loses a class term left from before; rules needing a master row leave a field
// without one alone.
TEST_F(Phosphor_, UnvollstaendigeAngabenUndFehlendeStammdaten) {
  TFeld feld;
  const qint64 ohneDatum = Feld(feld);
  Sql(QStringLiteral("UPDATE Schlag SET P_AnalyseDatum = NULL WHERE ID = :id"), {{QStringLiteral("id"), ohneDatum}});
  feld.parzelle = 2;
  feld.methode = 3;  // EUF: no class
  const qint64 ohneKlasse = Feld(feld);
  Sql(QStringLiteral("UPDATE Schlag SET P2O5_ZuAbBoden = 11 WHERE ID = :id"), {{QStringLiteral("id"), ohneKlasse}});
  feld.parzelle = 3;
  feld.methode = 1;
  feld.vorfrucht = 123456;  // not in the farm's crop list
  const qint64 fremd = Feld(feld);
  for (qint64 s : {ohneDatum, ohneKlasse, fremd}) KulturenSpeichern(s);
  Sql(QStringLiteral("UPDATE Schlag SET P2O5_AbVorFruchtNP = 7, VFEinzelertrag = 9 WHERE ID = :id"),
      {{QStringLiteral("id"), fremd}});
  for (qint64 s : {ohneDatum, ohneKlasse, fremd}) Befehle::GruppeFuerDatensatz(db, s, 45);

  for (const char* spalte : {"P_GehaltsKlasse", "P_DuengeBedarf", "P2O5_DuengeBedarf", "P_DuengeBedarfFachlich",
                             "P2O5_DuengeBedarfFachlich"})
    EXPECT_TRUE(Feldwert(ohneDatum, QLatin1String(spalte)).isNull()) << spalte;
  EXPECT_NEAR(Zahl(ohneDatum, QStringLiteral("P2O5_EGes")), 104, Genau);

  EXPECT_EQ(Feldwert(ohneKlasse, QStringLiteral("P_GehaltsKlasse")).toString(), QString());
  EXPECT_NEAR(Zahl(ohneKlasse, QStringLiteral("P2O5_ZuAbBoden")), 0, Genau);

  EXPECT_NEAR(Zahl(fremd, QStringLiteral("VFEinzelertrag")), 9, Genau);
  EXPECT_NEAR(Zahl(fremd, QStringLiteral("P2O5_AbVorFruchtNP")), 7, Genau);
  EXPECT_NEAR(Zahl(fremd, QStringLiteral("P2O5_DuengeBedarf")), 104 + 57.285 - 7, Genau);
}

// MaxFruchtNr counts every crop row of the field's year, the catch crop too.
TEST_F(Phosphor_, HoechsteFruchtNrDesJahres) {
  TFeld feld;
  const qint64 s = Feld(feld);
  Anbau(feld, 0, 10);
  Anbau(feld, 2, Raps);
  Berechnen(s);
  EXPECT_EQ(Zahl(s, QStringLiteral("MaxFruchtNr")), 2);
}

// Rule 20/7 takes the main crop's master values into the field.
TEST_F(Phosphor_, Regel20_7SetztDieErtraegeDesSchlags) {
  Kultur(Betrieb, Einzeln, QStringLiteral("Testeinzeln"), 1, 50, 0.5, 0, 0, 0.4, 0, 0);
  Sql(QStringLiteral("UPDATE S_KulturenNP SET Ertragsniveau = 70, Rohprotein = 12, FRU_ARTGRNR = 100,"
                     " Stickstoffbedarfswert = 230 WHERE BetriebsNr = 2 AND FA_NR = :fa"),
      {{QStringLiteral("fa"), Weizen}});
  Sql(QStringLiteral("UPDATE S_KulturenNP SET IsEinzelErtrag = 1, FRU_ARTGRNR = 310 WHERE BetriebsNr = 2 AND FA_NR = :fa"),
      {{QStringLiteral("fa"), Einzeln}});
  Sql(QStringLiteral("UPDATE S_KulturenNP SET TatsErtrag = 90, Rohprotein = 17 WHERE BetriebsNr = 2 AND FA_NR = 402201"));

  TFeld feld;
  const qint64 weizen = Feld(feld);
  Sql(QStringLiteral("UPDATE Schlag SET Einzelertrag = 55, HumusGroesserVier = 1, TatsRohprotein = 0,"
                     " Leguminosenanteil = 15, HFEinzelertrag = 1 WHERE ID = :id"),
      {{QStringLiteral("id"), weizen}});
  feld.parzelle = 2;
  feld.hauptfrucht = Einzeln;
  const qint64 einzeln = Feld(feld);
  Sql(QStringLiteral("UPDATE Schlag SET Einzelertrag = 65, TatsRohprotein = 14, OEKO = 1 WHERE ID = :id"),
      {{QStringLiteral("id"), einzeln}});
  feld.parzelle = 3;
  feld.hauptfrucht = 402201;
  const qint64 kleegras = Feld(feld);
  Sql(QStringLiteral("UPDATE Schlag SET TatsRohprotein = NULL WHERE ID = :id"), {{QStringLiteral("id"), kleegras}});
  feld.parzelle = 4;
  feld.hauptfrucht = 123456;
  const qint64 fremd = Feld(feld);
  Sql(QStringLiteral("UPDATE Schlag SET HFEinzelertrag = 33 WHERE ID = :id"), {{QStringLiteral("id"), fremd}});

  const QStringList spalten = {QStringLiteral("TatsErtrag"),       QStringLiteral("HFEinzelertrag"),
                               QStringLiteral("Ertragsdifferenz"), QStringLiteral("TatsRohprotein"),
                               QStringLiteral("Stickstoffnachlieferung"), QStringLiteral("Leguminosenanteil"),
                               QStringLiteral("KannHerbstDuengung"), QStringLiteral("P2O5_HP"),
                               QStringLiteral("Kultur"),           QStringLiteral("Stickstoffbedarfswert"),
                               QStringLiteral("HF_Name")};
  auto zustand = [&](qint64 s) {
    std::map<QString, QVariant> z;
    for (const QString& sp : spalten) z[sp] = Feldwert(s, sp);
    return z;
  };
  const std::vector<qint64> felder = {weizen, einzeln, kleegras, fremd};
  std::map<qint64, std::map<QString, QVariant>> vorher;
  for (qint64 s : felder) vorher[s] = zustand(s);

  // Per crop row.
  for (qint64 z : Ids(QStringLiteral("SELECT ID FROM Anbau ORDER BY ID"))) Befehle::GruppeFuerDatensatz(db, z, 20);
  std::map<qint64, std::string> proZeile;
  for (qint64 s : felder) proZeile[s] = Text(zustand(s));
  EXPECT_EQ(proZeile[weizen],
            "Ertragsdifferenz=10, HFEinzelertrag=80, HF_Name=Testweizen, KannHerbstDuengung=0, Kultur=Testweizen, Leguminosenanteil=15, "
            "P2O5_HP=0.8, Stickstoffbedarfswert=230, Stickstoffnachlieferung=20, TatsErtrag=80, TatsRohprotein=12");
  // Individual yield, own protein kept, autumn fertilisation allowed (class 310), organic factor.
  EXPECT_EQ(proZeile[einzeln],
            "Ertragsdifferenz=0, HFEinzelertrag=65, HF_Name=Testeinzeln, KannHerbstDuengung=1, Kultur=Testeinzeln, Leguminosenanteil=0, "
            "P2O5_HP=0.4, Stickstoffbedarfswert=0, Stickstoffnachlieferung=0, TatsErtrag=65, TatsRohprotein=14");
  const auto klee = zustand(kleegras);
  EXPECT_EQ(klee.at(QStringLiteral("TatsErtrag")).toDouble(), 90);
  EXPECT_EQ(klee.at(QStringLiteral("TatsRohprotein")).toDouble(), 17);
  EXPECT_EQ(klee.at(QStringLiteral("Leguminosenanteil")).toDouble(), 50);
  EXPECT_EQ(proZeile[fremd], Text(vorher[fremd]));

  // Per farm year, from the state before.
  for (qint64 s : felder) Zuruecksetzen(s, vorher[s]);
  for (qint64 s : felder) ASSERT_EQ(Text(zustand(s)), Text(vorher[s]));
  Befehle::GruppeFuerJahr(db, Jahr, Betrieb, 20);
  for (qint64 s : felder) EXPECT_EQ(Text(zustand(s)), proZeile[s]) << "Schlag " << s;
}

// The main crop's yield stays while it belongs to the field's main crop (its
// name in HF_Name): typed on the phosphate page or set as the nitrate-area
// mean yield, a run of group 20 keeps it. A yield of another crop, or none,
// becomes the crop's own yield, from 2021 in a nitrate area its mean yield of
// 2015-2019 (here 72 dt instead of 80).
TEST_F(Phosphor_, Regel20_7BehaeltDenErtragDerHauptfrucht) {
  Sql(QStringLiteral("UPDATE S_KulturenNP SET TatsErtragRG = 72 WHERE BetriebsNr = 2 AND FA_NR = :fa"),
      {{QStringLiteral("fa"), Weizen}});
  Sql(QStringLiteral("INSERT INTO DuengeJahr (BetriebsNr, Duengejahr) VALUES (2, 2020)"));
  struct TFall {
    const char* name;  // HF_Name before
    double ertrag;     // HFEinzelertrag before
    int auflagen;      // BewirtschaftungsAuflagen
    int jahr;
    double erwartet;
  } const faelle[] = {
      {"Testweizen", 70, 1, 2021, 70},  // typed on the page
      {"Testgerste", 40, 1, 2021, 80},  // the yield of the crop before
      {"", 0, 1, 2021, 80},             // none yet
      {"Testweizen", 0, 1, 2021, 80},
      {"", 0, 2, 2021, 72},             // nitrate area
      {"Testweizen", 72, 2, 2021, 72},  // as the window set it
      {"Testweizen", 65, 2, 2021, 65},
      {"Testgerste", 40, 2, 2021, 72},
      {"", 0, 2, 2020, 80},             // the nitrate-area yields count from 2021
  };
  struct TFeldFall {
    qint64 id;
    const TFall* fall;
  };
  std::vector<TFeldFall> felder;
  int parzelle = 0;
  for (const auto& f : faelle) {
    TFeld feld;
    feld.parzelle = ++parzelle;
    feld.jahr = f.jahr;
    const qint64 s = Feld(feld);
    Sql(QStringLiteral("UPDATE Schlag SET HF_Name = :n, HFEinzelertrag = :e, BewirtschaftungsAuflagen = :a WHERE ID = :id"),
        {{QStringLiteral("n"), QString::fromUtf8(f.name)}, {QStringLiteral("e"), f.ertrag},
         {QStringLiteral("a"), f.auflagen}, {QStringLiteral("id"), s}});
    felder.push_back({s, &f});
  }
  const auto pruefen = [&](const char* art) {
    for (const auto& [s, f] : felder) {
      SCOPED_TRACE(testing::Message() << art << ": " << f->name << " " << f->ertrag << ", Auflagen " << f->auflagen
                                      << ", " << f->jahr);
      EXPECT_EQ(Zahl(s, QStringLiteral("HFEinzelertrag")), f->erwartet);
      EXPECT_EQ(Feldwert(s, QStringLiteral("HF_Name")).toString().toStdString(), "Testweizen");
    }
  };
  for (qint64 z : Ids(QStringLiteral("SELECT ID FROM Anbau ORDER BY ID"))) Befehle::GruppeFuerDatensatz(db, z, 20);
  pruefen("pro Kultur");
  // A second run keeps what the first one set.
  for (qint64 z : Ids(QStringLiteral("SELECT ID FROM Anbau ORDER BY ID"))) Befehle::GruppeFuerDatensatz(db, z, 20);
  pruefen("zweiter Lauf");

  // Per farm year (2021 and 2020), from the state before.
  for (const auto& [s, f] : felder)
    Sql(QStringLiteral("UPDATE Schlag SET HF_Name = :n, HFEinzelertrag = :e WHERE ID = :id"),
        {{QStringLiteral("n"), QString::fromUtf8(f->name)}, {QStringLiteral("e"), f->ertrag}, {QStringLiteral("id"), s}});
  Befehle::GruppeFuerJahr(db, 2021, Betrieb, 20);
  Befehle::GruppeFuerJahr(db, 2020, Betrieb, 20);
  pruefen("pro Jahr");
}

// A field whose class went (EUF chosen after a calculation in class A) gets no
// class term from the per-year run: removal 104 minus credit 20, where the
// term left from before would make the recommendation 141.285.
TEST_F(Phosphor_, OhneGehaltsklasseKeinZuschlagImJahreslauf) {
  const qint64 s = Feld(TFeld{});
  Berechnen(s);
  ASSERT_NEAR(Zahl(s, QStringLiteral("P2O5_ZuAbBoden")), 57.285, Genau);
  Sql(QStringLiteral("UPDATE Schlag SET P_Methode = 3, P_GehaltsKlasse = :k WHERE ID = :id"),
      {{QStringLiteral("k"), Phosphor::Gehaltsklasse(3, 107, 2.0)}, {QStringLiteral("id"), s}});
  Befehle::GruppeFuerJahr(db, Jahr, Betrieb, 45);
  EXPECT_NEAR(Zahl(s, QStringLiteral("P2O5_ZuAbBoden")), 0, Genau);
  EXPECT_NEAR(Zahl(s, QStringLiteral("P_ZuAbBoden")), 0, Genau);
  EXPECT_NEAR(Zahl(s, QStringLiteral("P2O5_DuengeBedarf")), 84, Genau);
  EXPECT_NEAR(Zahl(s, QStringLiteral("P2O5_DuengeBedarfFachlich")), 84, Genau);
  EXPECT_NEAR(Zahl(s, QStringLiteral("PDuengebedarfHF")), 84, Genau);
}

// The same farm year computed per field and per year gives the same values;
// fields of other years and farms stay as they were.
TEST_F(Phosphor_, ProJahrWieProSchlag) {
  Sql(QStringLiteral("INSERT INTO DuengeJahr (BetriebsNr, Duengejahr) VALUES (2, 2022)"));
  Sql(QStringLiteral("INSERT INTO Betriebe (ID, Betriebsname) VALUES (3, 'Hof Eiche')"));
  Sql(QStringLiteral("INSERT INTO DuengeJahr (BetriebsNr, Duengejahr) VALUES (3, 2021)"));
  Kultur(3, Weizen, QStringLiteral("Testweizen"), 1, 80, 0.8, 1.0, 0.5, 0.7, 0.5, 0.4);
  Kultur(3, Gerste, QStringLiteral("Testgerste"), 1, 40, 0.9, 0.5, 1.0, 0.8, 1.0, 0.3);

  TFeld beispiel;
  TFeld dreiJahre;
  dreiJahre.parzelle = 2;
  dreiJahre.folgefrucht1 = Raps;
  dreiJahre.ff1Ertrag = 40;
  dreiJahre.folgefrucht2 = Gerste;
  dreiJahre.ff2Ertrag = 40;
  dreiJahre.zfp0 = Senf;
  dreiJahre.zfp0Ertrag = 100;
  dreiJahre.pGehalt = 8.0;
  TFeld folgejahr;
  folgejahr.jahr = 2022;
  TFeld andererBetrieb;
  andererBetrieb.betrieb = 3;
  TFeld ohneDatum;
  ohneDatum.parzelle = 3;
  const std::vector<qint64> felder = {Feld(beispiel), Feld(dreiJahre), Feld(ohneDatum)};
  const std::vector<qint64> fremde = {Feld(folgejahr), Feld(andererBetrieb)};
  Sql(QStringLiteral("UPDATE Schlag SET ZFP1_NR = :zf, ZFP1_ERTRAG = 50, ZFP2_NR = :zf, ZFP2_ERTRAG = 20 WHERE ID = :id"),
      {{QStringLiteral("zf"), Senf}, {QStringLiteral("id"), felder[1]}});
  Sql(QStringLiteral("UPDATE Schlag SET P_AnalyseDatum = NULL WHERE ID = :id"), {{QStringLiteral("id"), felder[2]}});
  // A stale organic flag that the year's flag replaces.
  Sql(QStringLiteral("UPDATE Schlag SET OEKO = 1"));

  std::map<qint64, std::map<QString, QVariant>> vorher;
  for (qint64 s : felder) vorher[s] = Ergebnisse(s);
  std::map<qint64, std::map<QString, QVariant>> unberuehrt;
  for (qint64 s : fremde) unberuehrt[s] = Ergebnisse(s);

  for (qint64 s : felder) Berechnen(s);
  std::map<qint64, std::map<QString, QVariant>> proSchlag;
  for (qint64 s : felder) proSchlag[s] = Ergebnisse(s);
  // Hand-checked anchors of the per-field run: the worked example, the
  // three-year field in class D (removals 104 + 96 + 56 + catch crops
  // 30 + 15 + 6, credits 84, 3 x -57.285) and the field without analysis date.
  EXPECT_NEAR(proSchlag[felder[0]][QStringLiteral("P2O5_DuengeBedarf")].toDouble(), 141.285, Genau);
  EXPECT_EQ(proSchlag[felder[0]][QStringLiteral("OEKO")].toInt(), 0);
  EXPECT_NEAR(proSchlag[felder[1]][QStringLiteral("P2O5_EGes")].toDouble(), 307, Genau);
  EXPECT_NEAR(proSchlag[felder[1]][QStringLiteral("P2O5_DuengeBedarf")].toDouble(), 223, Genau);
  EXPECT_NEAR(proSchlag[felder[1]][QStringLiteral("P2O5_DuengeBedarfFachlich")].toDouble(), 307 - 171.855 - 84, Genau);
  EXPECT_TRUE(proSchlag[felder[2]][QStringLiteral("P_DuengeBedarf")].isNull());

  // Back to the entered state, then the whole year at once.
  for (qint64 s : felder) Zuruecksetzen(s, vorher[s]);
  for (qint64 s : felder) ASSERT_EQ(Text(Ergebnisse(s)), Text(vorher[s]));
  Befehle::GruppeFuerJahr(db, Jahr, Betrieb, 20);
  Befehle::GruppeFuerJahr(db, Jahr, Betrieb, 45);
  for (qint64 s : felder) EXPECT_EQ(Text(Ergebnisse(s)), Text(proSchlag[s])) << "Schlag " << s;
  for (qint64 s : fremde) EXPECT_EQ(Text(Ergebnisse(s)), Text(unberuehrt[s])) << "Schlag " << s;
}

}  // namespace
