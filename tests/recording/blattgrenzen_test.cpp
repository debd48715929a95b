// The printed sheets of the recording window with the longest values a farm
// may have: 16-character field blocks, long names, large sums. Read back with
// their word boxes: every value stands whole and no text covers another.
#include "aufzeichnungsdruck.h"

#include "druckprobe.h"
#include "pdfdruckausgabe.h"

#include <QRegularExpression>

namespace {

using Aufzeichnungsdruck::TErgebnis;

class BlattgrenzenTest : public DruckBetrieb {
protected:
  void SetUp() override {
    DruckBetrieb::SetUp();
    Feld(1, 12.5, 2, Jahr, K("Langes Feld hinter der alten Zuckerfabrik am Mühlgraben"));
    Feld(2, 5, 2, Jahr, K("Breite"));
    Sql(K("update Schlag set Feldblock = 'DEVLLI011012000' || Parzelle"));
    eins = Kultur(1, 115101, K("Winterweizen"), {{K("Duengebedarf"), 180}});
    zwei = Kultur(2, 171101, K("Wintergerste"), {{K("Duengebedarf"), 180}});
  }
  static QString Text(const TPDFDruckausgabe& d) {
    return Pdftext::Ausgabe(d, K("-raw")).simplified();
  }
  // The sheet has no covered text; each finding names the two words.
  static void OhneUeberdeckung(const TPDFDruckausgabe& d) {
    const QStringList funde = Pdftext::Ueberdeckungen(d);
    EXPECT_TRUE(funde.isEmpty()) << funde.join(u'\n').toStdString();
  }
  qint64 eins = 0, zwei = 0;
};

TEST_F(BlattgrenzenTest, ListenZeigenJedenFeldblockGanzUndNichtsUeberdeckt) {
  // 2 dt/ha with 27 kg N per dt: 54 kg/ha, on 12.5 ha 675 kg, on 5 ha 270 kg.
  for (int i = 0; i < 3; ++i) {
    Mineral(1, eins, QDate(Jahr, 3, 1 + i).toString(Qt::ISODate), 2, 27);
    Mineral(2, zwei, QDate(Jahr, 3, 1 + i).toString(Qt::ISODate), 2, 27);
  }
  for (bool nitratgebiet : {false, true}) {
    SCOPED_TRACE(nitratgebiet);
    TPDFDruckausgabe d(nullptr, true, meldungen);
    ASSERT_EQ(Aufzeichnungsdruck::Listen(d, db, Betrieb, Jahr, nitratgebiet), TErgebnis::Gezeichnet);
    const QString s = Text(d);
    EXPECT_EQ(s.count(K("DEVLLI0110120001")), 3);
    EXPECT_EQ(s.count(K("DEVLLI0110120002")), 3);
    // 3 × 675 + 3 × 270.
    EXPECT_TRUE(s.contains(K("Summe: 2835 "))) << s.toStdString();
    OhneUeberdeckung(d);
  }
}

TEST_F(BlattgrenzenTest, SchlagblattZeigtDenNamenGanzOhneUeberdeckung) {
  Mineral(1, eins, K("2021-03-01"), 3, 27);
  TPDFDruckausgabe d(nullptr, false, meldungen);
  ASSERT_EQ(Aufzeichnungsdruck::Schlag(d, db, Betrieb, Jahr, 1, QDate(2022, 1, 10)), TErgebnis::Gezeichnet);
  const QString s = Text(d);
  EXPECT_TRUE(s.contains(K("DEVLLI0110120001")));
  EXPECT_TRUE(s.contains(K("Schlagname: Langes Feld hinter der alten Zuckerfabrik am Mühlgraben"))) << s.toStdString();
  EXPECT_TRUE(s.contains(K("Datum: 10.01.2022")));
  OhneUeberdeckung(d);
}

// The demand values stand after their captions however long they are.
TEST_F(BlattgrenzenTest, BilanzblattWerteStehenHinterIhrenBeschriftungen) {
  Mineral(1, eins, K("2021-03-01"), 3, 27);
  struct Fall {
    double pJeHa, p2o5JeHa;  // on both fields, 17.5 ha together
    const char* wert;
  } faelle[] = {
      {59.88, 137.2, "1048 / 2401"},           // 1047.9 → 1048; 2401
      {5988.8, 13720.1, "104804 / 240102"},  // 104804; 240101.75 → 240102
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.wert);
    Sql(K("update Schlag set P_DuengeBedarf = %1, P2O5_DuengeBedarf = %2").arg(f.pJeHa).arg(f.p2o5JeHa));
    for (bool nitratgebiet : {false, true}) {
      SCOPED_TRACE(nitratgebiet);
      TPDFDruckausgabe d(nullptr, false, meldungen);
      ASSERT_EQ(Aufzeichnungsdruck::Bilanz(d, db, Betrieb, Jahr, nitratgebiet), TErgebnis::Gezeichnet);
      const QString s = Text(d);
      EXPECT_TRUE(s.contains(K(f.wert))) << s.toStdString();
      // 2 × 180 kg N/ha: 12.5 × 180 + 5 × 180.
      EXPECT_TRUE(s.contains(K("3150"))) << s.toStdString();
      OhneUeberdeckung(d);
    }
  }
}

}  // namespace
