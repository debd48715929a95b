// The list of applications read back by LibreOffice. The evaluation of the
// records it shows is tested with the record file and sheets.
#include "listenbetrieb.h"

#include "duengungsliste.h"

namespace {

class Duengungsliste_ : public ListenBetrieb {
protected:
  void SetUp() override {
    ListenBetrieb::SetUp();
    Schlag(1, {{K("SchlagName"), K("A-Feld")}, {K("Groesse"), 2.5}, {K("BewirtschaftungsAuflagen"), 2}});
    const qint64 weizen = Kultur(1, 224101, {{K("Kultur"), K("Winterweizen A, B")}});
    Schlag(2, {{K("SchlagName"), K("B-Weide")}, {K("Groesse"), 5}});
    const qint64 weide = Kultur(2, 250201, {{K("Kultur"), K("Weide intensiv")}});
    Dung(weizen, 1, {{K("Datum"), K("2021-03-10")}, {K("Dng"), K("KAS 27")}, {K("Menge"), 3}, {K("NT"), 27},
                     {K("NH4N"), 13.5}, {K("P"), 0}});
    Dung(weizen, 2, {{K("Datum"), K("2021-03-10")}, {K("Dng"), K("Rindergülle")}, {K("Menge"), 20}, {K("NT"), 4},
                     {K("NH4N"), 2}, {K("P"), 0.8}, {K("DngGrpNummer"), 1}});
    Dung(weide, 4, {{K("Datum"), K("2021-05-01")}, {K("Dng"), K("Jungrinder")}, {K("WeideTiere"), 10},
                    {K("WeideTage"), 73}, {K("NT"), 75}, {K("P"), 10}});
    Dung(weide, 3, {{K("Dng"), K("Leguminosen")}, {K("IsLegumPauschal"), 1}, {K("Leguminosenanteil"), 10},
                    {K("N_Bindung_ha"), 105}});
    // Another year, and a record without date: not in this year's list.
    Dung(weizen, 1, {{K("Datum"), K("2020-09-01")}, {K("Dng"), K("alt")}, {K("Menge"), 1}, {K("NT"), 27}});
    Dung(weizen, 1, {{K("Dng"), K("ohne Datum")}, {K("Menge"), 1}, {K("NT"), 27}});
  }
  void Dung(qint64 anbau, int kategorie, const QVariantMap& werte) {
    QVariantMap w = werte;
    w[K("BetriebsNr")] = Betrieb;
    w[K("Jahr")] = Jahr;
    w[K("Parzelle")] = Von(K("Anbau"), anbau, K("Parzelle"));
    w[K("ProbenID")] = anbau;
    w[K("Kategorie")] = kategorie;
    Einfuegen(K("Dung"), w);
  }
};

TEST_F(Duengungsliste_, ZeilenWieGelesen) {
  LIBREOFFICE_ERFORDERLICH();
  const QString datei = Ziel(K("Duengung.xlsx"));
  ASSERT_EQ(Duengungsliste::Exportieren(db, meldungen, Betrieb, Jahr, ordner.path()),
            Listenausgabe::TErgebnis::Geschrieben);
  EXPECT_EQ(meldungen.Infos(), QStringList{Fertig()});
  const TTabelle t = TTabelle::Lesen(datei);
  ASSERT_TRUE(t.Ok()) << t.Fehler().toStdString();
  KopfPruefen(t, K("O"));
  EXPECT_EQ(t(K("I"), 8), K("t/m³/ha"));

  // A-Feld: mineral before organic on the same day; 3 dt/ha are 0.3 t/ha.
  EXPECT_EQ(t(K("A"), 9), K("10"));
  EXPECT_EQ(t(K("B"), 9), K("A-Feld"));
  EXPECT_EQ(t.Zahl(K("C"), 9), 2.5);
  EXPECT_EQ(t(K("D"), 9), K("Ja"));
  EXPECT_EQ(t(K("E"), 9), K("2021 Winterweizen A, B"));
  EXPECT_EQ(t(K("F"), 9), K("10.03.2021"));
  EXPECT_EQ(t(K("G"), 9), K("Min.-D."));
  EXPECT_EQ(t(K("H"), 9), K("KAS 27"));
  EXPECT_EQ(t.Zahl(K("I"), 9), 0.3);
  EXPECT_EQ(t.Zahl(K("J"), 9), 0);  // no grazing days
  EXPECT_EQ(t.Zahl(K("L"), 9), 81);
  EXPECT_EQ(t.Zahl(K("M"), 9), 40.5);
  EXPECT_EQ(t.Zahl(K("N"), 9), 0);

  EXPECT_EQ(t(K("G"), 10), K("Org.-D."));
  EXPECT_EQ(t.Zahl(K("I"), 10), 20);
  EXPECT_EQ(t.Zahl(K("L"), 10), 80);
  EXPECT_EQ(t.Zahl(K("N"), 10), 16);    // 40 kg P on 2.5 ha
  EXPECT_EQ(t.Zahl(K("O"), 10), 36.7);  // 16 x 2.2914

  // B-Weide: the undated legume record first, then grazing.
  EXPECT_EQ(t(K("B"), 11), K("B-Weide"));
  EXPECT_EQ(t(K("D"), 11), K("Nein"));
  EXPECT_EQ(t(K("F"), 11), QString());
  EXPECT_EQ(t(K("G"), 11), K("Legum.N."));
  EXPECT_EQ(t.Zahl(K("I"), 11), 0);  // flat rate: no yield
  EXPECT_EQ(t.Zahl(K("L"), 11), 105);

  EXPECT_EQ(t(K("G"), 12), K("Weide"));
  EXPECT_EQ(t.Zahl(K("J"), 12), 73);
  EXPECT_EQ(t.Zahl(K("K"), 12), 10);
  EXPECT_EQ(t.Zahl(K("L"), 12), 30);
  EXPECT_EQ(t.Zahl(K("N"), 12), 4);    // 20 kg P on 5 ha
  EXPECT_EQ(t.Zahl(K("O"), 12), 9.2);  // 4 x 2.2914
  EXPECT_EQ(t(K("A"), 13), QString());
}

TEST_F(Duengungsliste_, XlsGibtDieselbenWerte) {
  LIBREOFFICE_ERFORDERLICH();
  const QString datei = Ziel(K("Duengung.xls"));
  ASSERT_EQ(Duengungsliste::Exportieren(db, meldungen, Betrieb, Jahr, ordner.path()),
            Listenausgabe::TErgebnis::Geschrieben);
  const TTabelle t = TTabelle::Lesen(datei);
  ASSERT_TRUE(t.Ok()) << t.Fehler().toStdString();
  KopfPruefen(t, K("O"));
  EXPECT_EQ(t.Zahl(K("I"), 9), 0.3);
  EXPECT_EQ(t(K("F"), 9), K("10.03.2021"));
}

TEST_F(Duengungsliste_, AbgebrochenerDialogSchreibtNichts) {
  meldungen.dateien.push_back(QString());
  EXPECT_EQ(Duengungsliste::Exportieren(db, meldungen, Betrieb, Jahr, ordner.path()),
            Listenausgabe::TErgebnis::Abgebrochen);
  EXPECT_EQ(meldungen.protokoll, QStringList{K("DateiSpeichern: Excel-Export")});
}

}  // namespace
