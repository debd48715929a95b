// The printouts of the recording window, driven by clicks: "drucken" and
// "alle drucken" on the records page, "ausdrucken" on the statement pages.
// The documents are taken where the preview would show them and read back.
#include "druckprobe.h"
#include "aufzeichnungsdrucker.h"
#include "fenstertest.h"

#include <QTemporaryDir>

namespace {

class FensterDruck : public FensterTest {
protected:
  struct TDokument {
    bool quer;
    QStringList seiten;
  };
  TAufzeichnungsfenster* Oeffnen() {
    TAufzeichnungsfenster* f = FensterTest::Oeffnen();
    f->Drucker().Zeigen = [this](TPDFDruckausgabe& d) {
      dokumente.push_back({d.Dokument().Querformat(),
                           Druckprobe::Seiten(d, ordner.filePath(K("dok%1.pdf").arg(dokumente.size())))});
    };
    return f;
  }
  // 3 dt KAS (27 kg N per dt) on field 1 (5 ha): 81 kg N/ha, 405 kg.
  void Mineral(int parzelle, qint64 kultur, const char* datum) {
    Sql(K("insert into Dung ( BetriebsNr, Jahr, Parzelle, ProbenID, Datum, Kategorie, GruppeNr, DngNummer, Dng, "
          "Menge, NT, Nges, Nverf ) values ( 2, 2021, :p, :k, :d, 1, 1, :n, 'KAS 27', 3, 27, 81, 81 )"),
        {{K("p"), parzelle}, {K("k"), kultur}, {K("d"), K(datum)}, {K("n"), int(AufzeichnungsBetrieb::Kas)}});
  }
  std::vector<TDokument> dokumente;
};

TEST_F(FensterDruck, DruckenOhneAufzeichnungenSagtEsUndZeigtNichts) {
  Oeffnen();
  SchlagWaehlen(2);
  ASSERT_EQ(Seite()->Schlaege().Wert(K("Parzelle")).toInt(), 3);
  Klicken(K("drucken"));
  EXPECT_EQ(meldungen.Infos(), QStringList{K("Keine druckbaren Elemente vorhanden.")});
  EXPECT_TRUE(dokumente.empty());
}

TEST_F(FensterDruck, DruckenZeigtDasBlattDesGewaehltenSchlags) {
  Mineral(1, weizen, "2021-03-15");
  Mineral(2, gerste, "2021-03-16");
  Oeffnen();
  SchlagWaehlen(0);
  Klicken(K("drucken"));
  ASSERT_EQ(dokumente.size(), 1u);
  EXPECT_FALSE(dokumente[0].quer);
  ASSERT_EQ(dokumente[0].seiten.size(), 1);
  const QString& s = dokumente[0].seiten[0];
  EXPECT_TRUE(s.contains(K("Schlagname: Am Weg")));
  EXPECT_FALSE(s.contains(K("Große Breite")));
  EXPECT_TRUE(s.contains(K("0,300")));
  EXPECT_EQ(Druckprobe::Zahlen(s, K("Summe:")).value(0), K("405"));
  EXPECT_TRUE(meldungen.Infos().isEmpty());
}

TEST_F(FensterDruck, AlleDruckenEinDokumentUndDerSchlagBleibtGewaehlt) {
  Mineral(1, weizen, "2021-03-15");
  Mineral(2, gerste, "2021-03-16");
  Oeffnen();
  SchlagWaehlen(2);
  Klicken(K("alle drucken"));
  ASSERT_EQ(dokumente.size(), 1u);
  // Fields 1 and 2; field 3 has no records.
  ASSERT_EQ(dokumente[0].seiten.size(), 2);
  EXPECT_TRUE(dokumente[0].seiten[0].contains(K("Schlagname: Am Weg")));
  EXPECT_TRUE(dokumente[0].seiten[1].contains(K("Schlagname: Große Breite")));
  EXPECT_EQ(Seite()->Schlaege().Wert(K("Parzelle")).toInt(), 3);
}

TEST_F(FensterDruck, AusdruckenBerechnetDieBilanzBeimDrucken) {
  Mineral(1, weizen, "2021-03-15");
  Oeffnen();
  SeiteWaehlen(TAufzeichnungsfenster::SeiteGesamtbetrieb);
  ASSERT_EQ(fenster->Seiten()->currentIndex(), int(TAufzeichnungsfenster::SeiteGesamtbetrieb));
  // A record that comes after the page was filled is in the printout.
  Mineral(1, weizen, "2021-04-15");
  Klicken(K("ausdrucken"));
  ASSERT_EQ(dokumente.size(), 2u);
  EXPECT_FALSE(dokumente[0].quer);
  ASSERT_EQ(dokumente[0].seiten.size(), 1);
  EXPECT_TRUE(dokumente[0].seiten[0].contains(K("Gesamtbetrieb")));
  // 2 × 405 kg.
  EXPECT_EQ(Druckprobe::Zahlen(dokumente[0].seiten[0], K("Mineralische Düngemittel")).value(0), K("810"));
  EXPECT_TRUE(dokumente[1].quer);
  ASSERT_EQ(dokumente[1].seiten.size(), 1);
  EXPECT_EQ(Druckprobe::Anzahl(dokumente[1].seiten[0], K("N-Dünger")), 2);
  EXPECT_EQ(Druckprobe::Zahlen(dokumente[1].seiten[0], K("Summe:")).value(0), K("810"));
}

TEST_F(FensterDruck, AusdruckenZeigtDieBefundeDerGrenzenAufDemBilanzblatt) {
  Mineral(1, weizen, "2021-03-15");
  Oeffnen();
  SeiteWaehlen(TAufzeichnungsfenster::SeiteGesamtbetrieb);
  Klicken(K("ausdrucken"));
  ASSERT_EQ(dokumente.size(), 2u);
  ASSERT_EQ(dokumente[0].seiten.size(), 1);
  EXPECT_TRUE(dokumente[0].seiten[0].contains(K("Keine Überschreitung gefunden.")));
  // Arable land in November: closed after the harvest.
  Mineral(1, weizen, "2021-11-15");
  Klicken(K("ausdrucken"));
  ASSERT_EQ(dokumente.size(), 4u);
  ASSERT_EQ(dokumente[2].seiten.size(), 1);
  const QString s = dokumente[2].seiten[0].simplified();
  EXPECT_TRUE(s.contains(K("Schlag 1: KAS 27 am 15.11.2021 auf Ackerland – Sperrfrist nach der Ernte der Hauptfrucht "
                           "bis 31.01., Herbstdüngung nur bis 01.10. (DüV § 6 Abs. 8)")))
      << s.toStdString();
  EXPECT_FALSE(s.contains(K("Keine Überschreitung gefunden.")));
  EXPECT_FALSE(s.contains(K("15.03.2021 auf")));
}

TEST_F(FensterDruck, AusdruckenOhneBerechenbareBilanzSagtEsAufDeutschUndDrucktNichts) {
  Mineral(1, weizen, "2021-03-15");
  Oeffnen();
  SeiteWaehlen(TAufzeichnungsfenster::SeiteGesamtbetrieb);
  Sql(K("drop view DungMitFlaeche"));
  meldungen.Leeren();
  Klicken(K("ausdrucken"));
  EXPECT_TRUE(dokumente.empty());
  const QStringList infos = meldungen.Infos();
  EXPECT_TRUE(infos.contains(K("Die Bilanz konnte nicht berechnet werden, weil die Daten des Betriebsjahres nicht "
                               "gelesen werden konnten. Bitte die Datenbank prüfen (Programm neu starten) und es "
                               "erneut versuchen.")))
      << infos.join(u'\n').toStdString();
  EXPECT_TRUE(infos.contains(K("Die Bilanz konnte nicht berechnet werden. Es wurde nichts gedruckt.")));
  EXPECT_FALSE(infos.join(u'\n').contains(K("DungMitFlaeche")));
}

TEST_F(FensterDruck, AusdruckenImNitratgebietNurDessenAufzeichnungen) {
  Mineral(1, weizen, "2021-03-15");
  Mineral(2, gerste, "2021-03-16");
  Oeffnen();
  SeiteWaehlen(TAufzeichnungsfenster::SeiteNitratgebiet);
  ASSERT_EQ(fenster->Seiten()->currentIndex(), int(TAufzeichnungsfenster::SeiteNitratgebiet));
  Klicken(K("ausdrucken"));
  ASSERT_EQ(dokumente.size(), 2u);
  EXPECT_TRUE(dokumente[0].seiten.value(0).contains(K("Betriebsflächen im Nitratgebiet")));
  // Field 2 (10 ha) only: 810 kg.
  EXPECT_EQ(Druckprobe::Zahlen(dokumente[0].seiten.value(0), K("Mineralische Düngemittel")).value(0), K("810"));
  const QString listen = dokumente[1].seiten.value(0);
  EXPECT_TRUE(listen.contains(K("Große Breite")));
  EXPECT_FALSE(listen.contains(K("Am Weg")));
}

TEST_F(FensterDruck, EineBegonneneEingabeWirdVorDemDruckenGespeichert) {
  Mineral(1, weizen, "2021-03-15");
  Oeffnen();
  SchlagWaehlen(0);
  ASSERT_EQ(Dung().Anzahl(), 1);
  ASSERT_TRUE(Dung().Gehe(0));
  ASSERT_TRUE(Dung().Bearbeiten());
  ASSERT_TRUE(Dung().setWert(K("Menge"), 4));
  Klicken(K("drucken"));
  ASSERT_EQ(dokumente.size(), 1u) << meldungen.protokoll.join(u'\n').toStdString();
  EXPECT_TRUE(dokumente[0].seiten.value(0).contains(K("0,400")));
  EXPECT_EQ(Wert(K("select Menge from Dung")).toDouble(), 4.0);

  // One that cannot be saved keeps the sheet back; the reason was said.
  ASSERT_TRUE(Dung().Bearbeiten());
  ASSERT_TRUE(Dung().setWert(K("Datum"), QVariant()));
  meldungen.Leeren();
  Klicken(K("drucken"));
  EXPECT_EQ(dokumente.size(), 1u);
  EXPECT_EQ(meldungen.Infos().size(), 1);
}

// A failing read is said in German; nothing is shown.
class DruckerFehler : public DruckBetrieb {};

TEST_F(DruckerFehler, LesefehlerWirdGemeldetUndNichtsGezeigt) {
  Feld(1, 2);
  Mineral(1, Kultur(1, 115101, K("Winterweizen")), K("2021-03-01"), 1, 10);
  Sql(K("alter table Dung rename to DungWeg"));
  TAufzeichnungsdrucker drucker(nullptr, db, meldungen, Betrieb, Jahr);
  int gezeigt = 0;
  drucker.Zeigen = [&](TPDFDruckausgabe&) { ++gezeigt; };
  drucker.SchlagDrucken(1);
  drucker.AlleDrucken();
  EXPECT_EQ(gezeigt, 0);
  EXPECT_EQ(meldungen.Infos(),
            QStringList(2, QStringLiteral("Die Aufzeichnungen konnten nicht gelesen werden. Es wurde nichts gedruckt.")));
}

}  // namespace
