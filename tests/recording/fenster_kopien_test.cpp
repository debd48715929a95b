// The remember-and-apply buttons: a record, all of a crop row, or a grazing
// record copied onto the field selected afterwards.
#include "fenstertest.h"

namespace {

class Kopierknoepfe : public FensterTest {
protected:
  void SetUp() override {
    FensterTest::SetUp();
    // On field 1 (5 ha): mineral 81, organic 80, grazing 30 kg N/ha, and a legume record.
    Sql(K("insert into Dung ( BetriebsNr, Jahr, Parzelle, ProbenID, Datum, Kategorie, DngNummer, Dng, Menge, NT, "
          "NH4N, P, WeideTiere, WeideTage, Nges, Nverf, Pges ) values "
          "( 2, 2021, 1, :k, '2021-04-01', 1, 28, 'KAS 27', 3, 27, 27, 0, 0, 0, 81, 81, 0 ), "
          "( 2, 2021, 1, :k, '2021-03-15', 2, 29, 'Gülle', 20, 4, 2, 0.8, 0, 0, 80, 40, 16 ), "
          "( 2, 2021, 1, :k, '2021-10-31', 4, 2, 'Jungrinder', 0, 75, 0, 20, 10, 73, 30, 0, 8 ), "
          "( 2, 2021, 1, :k, null, 3, 421101, 'Kleegras', 0, 0, 0, 0, 0, 0, 60, 0, 0 )"),
        {{K("k"), weizen}});
  }
  // Selects the record of a category in the list.
  void AufzeichnungWaehlen(int kategorie) {
    for (int z = 0; z < Dung().Anzahl(); ++z)
      if (Dung().Wert(z, Dung().FeldIndex(K("Kategorie"))).toInt() == kategorie) {
        ZeileKlicken(Seite()->DungAnsicht(), z);
        ASSERT_EQ(Dung().Wert(K("Kategorie")).toInt(), kategorie);
        return;
      }
    FAIL() << "keine Aufzeichnung der Kategorie " << kategorie;
  }
  QVariantList AufFeld(int parzelle, const char* spalte) {
    QVariantList w;
    TAbfrage a(db, K("select %1 from Dung where Parzelle = :p order by ID").arg(K(spalte)), {{K("p"), parzelle}});
    while (a.Naechste()) w << a.Wert(0);
    return w;
  }
};

TEST_F(Kopierknoepfe, EinzelduengerAufDenGewaehltenSchlag) {
  Oeffnen();
  AufzeichnungWaehlen(2);
  Klicken(K("Einzeldünger merken"));
  EXPECT_TRUE(Aktiv(K("Einzeldünger setzen")));
  EXPECT_FALSE(Aktiv(K("alle Dünger setzen")));
  SchlagWaehlen(1);
  Klicken(K("Einzeldünger setzen"));
  EXPECT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join('\n').toStdString();
  EXPECT_EQ(AufFeld(2, "Dng"), QVariantList{K("Gülle")});
  EXPECT_EQ(AufFeld(2, "ProbenID"), QVariantList{gerste});
  EXPECT_EQ(Dung().Anzahl(), 1);
  EXPECT_EQ(Dungzelle(0, K("gedüngte Kultur")), K("2021 Wintergerste"));
}

TEST_F(Kopierknoepfe, WeideUndLeguminosenSindKeineEinzelduenger) {
  Oeffnen();
  AufzeichnungWaehlen(4);
  Klicken(K("Einzeldünger merken"));
  EXPECT_FALSE(Aktiv(K("Einzeldünger setzen")));
  AufzeichnungWaehlen(3);
  Klicken(K("Weidehaltung merken"));
  EXPECT_FALSE(Aktiv(K("Weidehaltung setzen")));
}

TEST_F(Kopierknoepfe, AlleDuengerDerKulturOhneWeideUndLeguminosen) {
  Oeffnen();
  AufzeichnungWaehlen(4);  // any record of the crop row
  Klicken(K("alle Dünger merken"));
  EXPECT_TRUE(Aktiv(K("alle Dünger setzen")));
  SchlagWaehlen(1);
  Klicken(K("alle Dünger setzen"));
  EXPECT_EQ(AufFeld(2, "Kategorie"), (QVariantList{qlonglong(1), qlonglong(2)}));
  EXPECT_EQ(AufFeld(2, "Nges"), (QVariantList{81.0, 80.0}));
  EXPECT_EQ(Dung().Anzahl(), 2);
  // The originals stay.
  EXPECT_EQ(AufFeld(1, "Kategorie").size(), 4);
}

TEST_F(Kopierknoepfe, WeidehaltungMitDenLastenDesZielschlags) {
  Oeffnen();
  AufzeichnungWaehlen(4);
  Klicken(K("Weidehaltung merken"));
  SchlagWaehlen(1);
  Klicken(K("Weidehaltung setzen"));
  // 10 x 75 x 73 / (10 ha x 365) = 15 on the 10 ha field; P 4.
  EXPECT_EQ(AufFeld(2, "Nges"), QVariantList{15.0});
  EXPECT_EQ(AufFeld(2, "Pges"), QVariantList{4.0});
  EXPECT_EQ(Dungzelle(0, K("N (kg/ha)")), K("15,0"));
}

TEST_F(Kopierknoepfe, AufSchlagOhneHauptfruchtWirdNichtsKopiert) {
  Oeffnen();
  AufzeichnungWaehlen(1);
  Klicken(K("Einzeldünger merken"));
  SchlagWaehlen(2);
  Klicken(K("Einzeldünger setzen"));
  EXPECT_EQ(meldungen.Infos(), QStringList{K("Der gewählte Schlag hat keine Hauptfrucht, der die Kopie zugeordnet "
                                             "werden kann. Es wurde nichts kopiert.")});
  EXPECT_EQ(AufFeld(3, "ID"), QVariantList{});
}

TEST_F(Kopierknoepfe, FolgejahresduengungWirdNichtKopiert) {
  JahrAnlegen(2022);
  Feld(1, 5, 1, 2022);
  const qint64 raps = Kultur(1, 236101, K("Winterraps"), {}, 2022);
  Sql(K("insert into Dung ( BetriebsNr, Jahr, Parzelle, ProbenID, Datum, Kategorie, Dng, Menge, Nges ) "
        "values ( 2, 2022, 1, :r, '2021-09-15', 2, 'Gülle', 15, 60 )"),
      {{K("r"), raps}});
  Oeffnen();
  ZeileKlicken(Seite()->DungAnsicht(), Dung().Anzahl() - 1);
  ASSERT_EQ(Dung().Wert(K("Jahr")).toInt(), 2022);
  Klicken(K("Einzeldünger merken"));
  SchlagWaehlen(1);
  Klicken(K("Einzeldünger setzen"));
  EXPECT_EQ(meldungen.Infos(), QStringList{K("Die gemerkte Düngung ist einer Kultur des Jahres 2022 zugeordnet. "
                                             "Kopien gehören zur aktuellen Kultur des gewählten Schlages im Jahr "
                                             "2021; es wurde nichts kopiert.")});
  EXPECT_EQ(AufFeld(2, "ID"), QVariantList{});
}

}  // namespace
