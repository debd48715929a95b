// Soil mineral nitrogen in the rooting zone, from the layers, their sources,
// stone content and depths, as group 20 computes it.
#include "stickstoffbetrieb.h"

namespace {

QString K(const char* s) { return QString::fromUtf8(s); }
using M = QVariantMap;

class Nmin : public StickstoffBetrieb {
protected:
  // Nmin of a winter-wheat row on a new field; layers 30, 20, 10 unless given.
  double Berechnet(const M& schlag, const M& kultur, int probenahmetiefe = 90) {
    Sql(K("delete from Schlag"));
    Stamm(224101, {{K("Probenahmetiefe"), probenahmetiefe}});
    Schlag(1, schlag);
    M w = {{K("Nmin_0_30"), 30}, {K("Nmin_30_60"), 20}, {K("Nmin_60_90"), 10}};
    for (auto it = kultur.begin(); it != kultur.end(); ++it) w[it.key()] = it.value();
    id = Kultur(1, 224101, w);
    Befehle::GruppeFuerDatensatz(db, id, 20);
    EXPECT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join('\n').toStdString();
    return Von(id, K("Nmin")).toDouble();
  }
  qint64 id = 0;
};

TEST_F(Nmin, TiefeDerProbenahmeUndDurchwurzelung) {
  // Layer 3 counts with 0.5 outside the regions of full weight.
  EXPECT_DOUBLE_EQ(Berechnet({}, {}), 55.0);
  EXPECT_DOUBLE_EQ(Berechnet({}, {}, 60), 50.0);
  EXPECT_DOUBLE_EQ(Berechnet({{K("Durchwurzelungstiefe"), 45}}, {}), 40.0);
  EXPECT_DOUBLE_EQ(Berechnet({}, {}, 0), 0.0);
  EXPECT_NEAR(Berechnet({{K("Durchwurzelungstiefe"), 40}}, {}), 30 + 20 / 3.0, 1e-9);
  EXPECT_DOUBLE_EQ(Berechnet({{K("Durchwurzelungstiefe"), 30}}, {}, 60), 30.0);
  EXPECT_DOUBLE_EQ(Berechnet({{K("Durchwurzelungstiefe"), 15}}, {}), 15.0);
}

TEST_F(Nmin, SteingehaltNurFuerNochNichtKorrigierteWerte) {
  const std::pair<int, double> steine[] = {{5, 1.0}, {6, 0.94}, {61, 0.4}, {100, 0.4}, {20, 0.8}};
  for (const auto& [stein, faktor] : steine) {
    SCOPED_TRACE(stein);
    // Analysis without stone content: all three layers corrected.
    EXPECT_NEAR(Berechnet({{K("SteingehaltKrume"), stein}}, {{K("Quelle_0_30"), 4}, {K("Quelle_60_90"), 4}}), 55 * faktor, 1e-9);
    // Guide values are corrected too, an analysis with stone content is not.
    EXPECT_NEAR(Berechnet({{K("SteingehaltKrume"), stein}}, {{K("Quelle_0_30"), 2}, {K("Quelle_60_90"), 1}}),
                50 * faktor + 5, 1e-9);
  }
}

TEST_F(Nmin, DritteSchichtAusDenOberenBeiden) {
  // 60 x 0.15 - 40 / 20 + 0.7 x 20 - 0.3 x 20 + 8 = 23; counted with 0.5.
  const M schlag = {{K("AZ"), 60}, {K("BG"), 3}};
  EXPECT_DOUBLE_EQ(
      Berechnet(schlag, {{K("Nmin_0_30"), 40}, {K("Nmin_30_60"), 20}, {K("Nmin_60_90"), 0}, {K("Quelle_60_90"), 3}}),
      40 + 20 + 11.5);
  EXPECT_DOUBLE_EQ(Von(id, K("Nmin_60_90")).toDouble(), 23.0);
  EXPECT_DOUBLE_EQ(Von(id, K("FA")).toDouble(), 20.0);
  // A second layer of 0 is replaced by 0.01: -4000 + ..., so nothing.
  Berechnet(schlag, {{K("Nmin_0_30"), 40}, {K("Nmin_30_60"), 0}, {K("Nmin_60_90"), 7}, {K("Quelle_60_90"), 3}});
  EXPECT_DOUBLE_EQ(Von(id, K("Nmin_60_90")).toDouble(), 0.0);
  // Guide values above give no derived third layer.
  Berechnet(schlag, {{K("Quelle_0_30"), 2}, {K("Quelle_60_90"), 3}});
  EXPECT_DOUBLE_EQ(Von(id, K("Nmin_60_90")).toDouble(), 0.0);
  // With analysed layers without stone content, the derived layer is corrected as well.
  EXPECT_NEAR(Berechnet({{K("AZ"), 60}, {K("BG"), 3}, {K("SteingehaltKrume"), 20}},
                        {{K("Nmin_0_30"), 40}, {K("Nmin_30_60"), 20}, {K("Nmin_60_90"), 0}, {K("Quelle_0_30"), 4},
                         {K("Quelle_60_90"), 3}}),
              (40 + 20 + 11.5) * 0.8, 1e-9);
}

TEST_F(Nmin, FeinanteilUndGewichtDerDrittenSchicht) {
  struct Fall {
    QVariant bg, bkr;
    double fa, mdae3;
  };
  const Fall faelle[] = {
      {1, 200, 4, 0.5}, {2, 192, 12, 1}, {4, 158, 28, 1}, {5, 111, 35, 1}, {6, 193, 0, 1}, {QVariant(), QVariant(), 20, 1},
      {0, 194, 20, 1},  {3, 195, 20, 1}, {3, 159, 20, 0.5},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.bkr.toInt());
    Berechnet({{K("BG"), f.bg}, {K("BKR"), f.bkr}}, {});
    EXPECT_DOUBLE_EQ(Von(id, K("FA")).toDouble(), f.fa);
    EXPECT_DOUBLE_EQ(Von(id, K("MDAE3")).toDouble(), f.mdae3);
    EXPECT_DOUBLE_EQ(Von(id, K("Nmin")).toDouble(), 50 + 10 * f.mdae3);
  }
}

TEST_F(Nmin, EinFehlenderWertLaesstNminLeer) {
  Berechnet({}, {{K("Nmin_30_60"), QVariant()}});
  EXPECT_TRUE(Von(id, K("Nmin")).isNull());
  Berechnet({}, {{K("Quelle_0_30"), QVariant()}});
  EXPECT_TRUE(Von(id, K("Nmin")).isNull());
  Berechnet({{K("Durchwurzelungstiefe"), QVariant()}}, {});
  EXPECT_TRUE(Von(id, K("Nmin")).isNull());
}

TEST_F(Nmin, ProJahrWieProZeile) {
  Stamm(224101, {{K("Probenahmetiefe"), 90}});
  Schlag(1, {{K("SteingehaltKrume"), 30}, {K("BKR"), 192}, {K("AZ"), 70}, {K("BG"), 4}});
  Schlag(2, {{K("Durchwurzelungstiefe"), 50}});
  const qint64 a = Kultur(1, 224101, {{K("Nmin_0_30"), 35}, {K("Nmin_30_60"), 25}, {K("Quelle_0_30"), 4}, {K("Quelle_60_90"), 3}});
  const qint64 b = Kultur(2, 224101, {{K("Nmin_0_30"), 12}, {K("Nmin_30_60"), 9}, {K("Nmin_60_90"), 4}});
  Befehle::GruppeFuerJahr(db, Jahr, Betrieb, 20);
  // Layer 3 = 70 x 0.15 - 35 / 25 + 17.5 - 8.4 + 8 = 26.2; all x 0.7 (stones), full weight.
  EXPECT_NEAR(Von(a, K("Nmin_60_90")).toDouble(), 26.2, 1e-9);
  EXPECT_NEAR(Von(a, K("Nmin")).toDouble(), (35 + 25 + 26.2) * 0.7, 1e-9);
  EXPECT_NEAR(Von(b, K("Nmin")).toDouble(), 12 + 9 * 20 / 30.0, 1e-9);
}

}  // namespace
