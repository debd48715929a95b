// The validity passes after the nitrogen and the phosphate spreadsheet lists.
#include "testbetrieb.h"

#include "gueltigkeit.h"

#include <QStringList>
#include <QVariantMap>

#include <iterator>

namespace {

class Gueltigkeit_ : public TestBetrieb {
protected:
  QVariant Von(const QString& tabelle, qint64 id, const QString& spalte) {
    return Wert(QStringLiteral("SELECT %1 FROM %2 WHERE ID = :id").arg(spalte, tabelle), {{QStringLiteral("id"), id}});
  }
};

const QVariant Leer;

// A valid arable row: both Nmin layers analysed, rooting and sampling 90 cm.
QVariantMap Zeile(const QVariantMap& abweichend) {
  QVariantMap z = {{QStringLiteral("KulturGruppe"), 1},   {QStringLiteral("Quelle_0_30"), 1},
                   {QStringLiteral("Quelle_60_90"), 1},   {QStringLiteral("Probenahmetiefe"), 90},
                   {QStringLiteral("TatsErtrag"), 80},    {QStringLiteral("Stickstoffbedarfswert"), 230},
                   {QStringLiteral("Duengebedarf"), 143}, {QStringLiteral("FruchtNr"), 1}};
  for (auto it = abweichend.begin(); it != abweichend.end(); ++it) z[it.key()] = it.value();
  return z;
}

TEST_F(Gueltigkeit_, StickstoffbedarfUnvollstaendigerLetzterKulturenWirdNull) {
  struct TFall {
    const char* name;
    QVariantMap schlag;
    QVariantMap zeile;
    bool ungueltig;
  };
  const QString q030 = QStringLiteral("Quelle_0_30"), q6090 = QStringLiteral("Quelle_60_90"),
                tiefe = QStringLiteral("Probenahmetiefe"), wurzel = QStringLiteral("Durchwurzelungstiefe"),
                ertrag = QStringLiteral("TatsErtrag"), bedarf = QStringLiteral("Stickstoffbedarfswert"),
                gruppe = QStringLiteral("KulturGruppe");
  const TFall faelle[] = {
      {"vollständig", {}, {}, false},
      {"keine Düngung", {{QStringLiteral("KeineDuengung"), 1}}, {}, true},
      {"ohne Quelle 0-30", {}, {{q030, 0}}, true},
      {"leere Quelle 0-30", {}, {{q030, Leer}}, true},
      {"ohne Quelle 60-90, tief", {}, {{q6090, 0}}, true},
      {"ohne Quelle 60-90, Wurzelraum 60", {{wurzel, 60}}, {{q6090, 0}}, false},
      {"ohne Quelle 60-90, Probe 60,5", {}, {{q6090, 0}, {tiefe, 60.5}}, false},
      {"ohne Quelle 60-90, Probe 60,6", {}, {{q6090, 0}, {tiefe, 60.6}}, true},
      {"Richtwert oben, abgeleitet unten", {}, {{q030, 2}, {q6090, 3}}, true},
      {"Richtwert oben, Analyse unten", {}, {{q030, 2}, {q6090, 1}}, false},
      {"Ertrag 0,5", {}, {{ertrag, 0.5}}, true},
      {"Ertrag 1,5", {}, {{ertrag, 1.5}}, false},
      {"leerer Ertrag", {}, {{ertrag, Leer}}, true},
      {"Bedarfswert 0", {}, {{bedarf, 0}}, true},
      {"Grünland ohne Nmin-Quellen", {}, {{gruppe, 2}, {q030, 0}, {q6090, 3}}, false},
      {"Grünland ohne Bedarfswert", {}, {{gruppe, 2}, {bedarf, 0}}, true},
      {"noch nicht berechnet", {}, {{q030, 0}, {QStringLiteral("Duengebedarf"), Leer}}, true},
  };
  std::vector<qint64> zeilen, erwartet;
  int parzelle = 0;
  for (const auto& f : faelle) {
    ++parzelle;
    QVariantMap schlag = {{QStringLiteral("BetriebsNr"), Betrieb}, {QStringLiteral("Jahr"), Jahr},
                          {QStringLiteral("Parzelle"), parzelle}, {wurzel, 90}};
    for (auto it = f.schlag.begin(); it != f.schlag.end(); ++it) schlag[it.key()] = it.value();
    Einfuegen(QStringLiteral("Schlag"), schlag);
    QVariantMap zeile = Zeile(f.zeile);
    zeile[QStringLiteral("BetriebsNr")] = Betrieb;
    zeile[QStringLiteral("Jahr")] = Jahr;
    zeile[QStringLiteral("Parzelle")] = parzelle;
    zeilen.push_back(Einfuegen(QStringLiteral("Anbau"), zeile));
    if (f.ungueltig) erwartet.push_back(zeilen.back());
  }

  EXPECT_EQ(Gueltigkeit::StickstoffPruefen(db, Betrieb, Jahr), erwartet);
  for (size_t i = 0; i < std::size(faelle); ++i) {
    const QVariant d = Von(QStringLiteral("Anbau"), zeilen[i], QStringLiteral("Duengebedarf"));
    if (faelle[i].ungueltig)
      EXPECT_EQ(d.toString(), QStringLiteral("0")) << faelle[i].name;
    else
      EXPECT_EQ(d.toDouble(), 143) << faelle[i].name;
  }
}

// Only the field's last crop of the year counts; other years stay as they are.
TEST_F(Gueltigkeit_, NurDieLetzteKulturDesJahres) {
  Sql(QStringLiteral("INSERT INTO DuengeJahr (BetriebsNr, Duengejahr) VALUES (2, 2022)"));
  auto zeile = [&](int jahr, int parzelle, int fruchtNr, int quelle) {
    QVariantMap z = Zeile({{QStringLiteral("FruchtNr"), fruchtNr}, {QStringLiteral("Quelle_0_30"), quelle}});
    z[QStringLiteral("BetriebsNr")] = Betrieb;
    z[QStringLiteral("Jahr")] = jahr;
    z[QStringLiteral("Parzelle")] = parzelle;
    return Einfuegen(QStringLiteral("Anbau"), z);
  };
  for (int jahr : {2021, 2022})
    for (int parzelle : {1, 2})
      Einfuegen(QStringLiteral("Schlag"), {{QStringLiteral("BetriebsNr"), Betrieb}, {QStringLiteral("Jahr"), jahr},
                                           {QStringLiteral("Parzelle"), parzelle},
                                           {QStringLiteral("Durchwurzelungstiefe"), 90}});
  const qint64 hauptUngueltig = zeile(2021, 1, 1, 0);
  const qint64 folgeGueltig = zeile(2021, 1, 2, 1);
  const qint64 hauptGueltig = zeile(2021, 2, 1, 1);
  const qint64 folgeUngueltig = zeile(2021, 2, 2, 0);
  const qint64 zwischenfrucht = zeile(2021, 2, 0, 0);
  const qint64 folgejahr = zeile(2022, 1, 1, 0);

  EXPECT_EQ(Gueltigkeit::StickstoffPruefen(db, Betrieb, Jahr), std::vector<qint64>{folgeUngueltig});
  for (qint64 z : {hauptUngueltig, folgeGueltig, hauptGueltig, zwischenfrucht, folgejahr})
    EXPECT_EQ(Von(QStringLiteral("Anbau"), z, QStringLiteral("Duengebedarf")).toDouble(), 143) << z;
  EXPECT_EQ(Von(QStringLiteral("Anbau"), folgeUngueltig, QStringLiteral("Duengebedarf")).toDouble(), 0);
}

TEST_F(Gueltigkeit_, PhosphatergebnisUnvollstaendigerSchlaegeWirdNull) {
  struct TFall {
    const char* name;
    QVariantMap abweichend;
    bool ungueltig;
  };
  const QString datum = QStringLiteral("P_AnalyseDatum"), methode = QStringLiteral("P_Methode"),
                p2o5 = QStringLiteral("P2O5_Gehalt"), p = QStringLiteral("P_Gehalt"),
                ertrag = QStringLiteral("HFEinzelertrag"), bedarf = QStringLiteral("P_DuengeBedarf");
  const TFall faelle[] = {
      {"vollständig", {}, false},
      {"Analyse sieben Jahre alt", {{datum, QStringLiteral("2014-12-31")}}, true},
      {"Analyse sechs Jahre alt", {{datum, QStringLiteral("2015-01-01")}}, false},
      {"ohne Analysedatum", {{datum, Leer}}, true},
      {"EUF bis 3,6", {{methode, 3}, {p2o5, 3.6}, {p, 1.5711}}, true},
      {"EUF über 3,6", {{methode, 3}, {p2o5, 3.7}, {p, 1.6147}}, false},
      {"P-Gehalt unter 0,1", {{p, 0.09}, {p2o5, 0.206}}, true},
      {"P-Gehalt 0,1", {{p, 0.1}, {p2o5, 0.229}}, false},
      {"Ertrag 0,5", {{ertrag, 0.5}}, true},
      {"Ertrag 1,5", {{ertrag, 1.5}}, false},
      {"Bedarf 0", {{bedarf, 0}}, true},
      {"Bedarf gelöscht", {{bedarf, Leer}, {QStringLiteral("P2O5_DuengeBedarf"), Leer}}, true},
  };
  Sql(QStringLiteral("INSERT INTO DuengeJahr (BetriebsNr, Duengejahr) VALUES (2, 2022)"));
  std::vector<qint64> felder, erwartet;
  int parzelle = 0;
  for (const auto& f : faelle) {
    QVariantMap s = {{QStringLiteral("BetriebsNr"), Betrieb},
                     {QStringLiteral("Jahr"), Jahr},
                     {QStringLiteral("Parzelle"), ++parzelle},
                     {methode, 1},
                     {p, 2.0},
                     {p2o5, 4.5828},
                     {datum, QStringLiteral("2019-03-01")},
                     {ertrag, 80},
                     {bedarf, 61.657},
                     {QStringLiteral("P2O5_DuengeBedarf"), 141.285}};
    for (auto it = f.abweichend.begin(); it != f.abweichend.end(); ++it) s[it.key()] = it.value();
    felder.push_back(Einfuegen(QStringLiteral("Schlag"), s));
    if (f.ungueltig) erwartet.push_back(felder.back());
  }
  const qint64 folgejahr = Einfuegen(QStringLiteral("Schlag"),
                                     {{QStringLiteral("BetriebsNr"), Betrieb}, {QStringLiteral("Jahr"), 2022},
                                      {QStringLiteral("Parzelle"), 1}, {bedarf, 5}, {QStringLiteral("P2O5_DuengeBedarf"), 11}});

  EXPECT_EQ(Gueltigkeit::PhosphatPruefen(db, Betrieb, Jahr), erwartet);
  for (size_t i = 0; i < std::size(faelle); ++i) {
    const QVariant pb = Von(QStringLiteral("Schlag"), felder[i], bedarf);
    const QVariant p2o5b = Von(QStringLiteral("Schlag"), felder[i], QStringLiteral("P2O5_DuengeBedarf"));
    if (faelle[i].ungueltig) {
      EXPECT_EQ(pb.toString(), QStringLiteral("0")) << faelle[i].name;
      EXPECT_EQ(p2o5b.toString(), QStringLiteral("0")) << faelle[i].name;
    } else {
      EXPECT_EQ(pb.toDouble(), 61.657) << faelle[i].name;
      EXPECT_EQ(p2o5b.toDouble(), 141.285) << faelle[i].name;
    }
  }
  EXPECT_EQ(Von(QStringLiteral("Schlag"), folgejahr, bedarf).toDouble(), 5);
  EXPECT_EQ(Von(QStringLiteral("Schlag"), folgejahr, QStringLiteral("P2O5_DuengeBedarf")).toDouble(), 11);
}

}  // namespace
