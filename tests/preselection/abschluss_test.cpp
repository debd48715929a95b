// Closing the window: pending edits are saved, the farm's application
// records of categories 1, 2 and 5 take the current fertiliser data, own
// organic fertilisers get their missing form of phosphate, lists close.
#include "vorauswahltest.h"

#include "adopanel.h"
#include "dbeditmod.h"

namespace {

class Abschluss : public VorauswahlTest {
protected:
  void SetUp() override {
    VorauswahlTest::SetUp();
    ZweiterBetrieb();
    // The same own fertilisers and substance numbers in both farms.
    for (int b : {2, 3}) {
      const TParameter p = {{QStringLiteral("b"), b}};
      Sql(QStringLiteral("insert into S_MinDung ( BetriebsNr, Duengemittel, DuengeMittelNr, DuengerGruppeNr, DuengerGruppe, N, P, "
                         "P2O5, Herkunft_Nr ) values ( :b, '_Mineral', 5000, 999, 'eigene', 10, 1, 2.2914, 2 )"),
          p);
      Sql(QStringLiteral("insert into S_OrgDung ( BetriebsNr, OrgDngNummer, OrgDng, OrgDngGrpNummer, OrgDngGrpNummer_Temp, "
                         "GruppeNr, TaVerfNr, NT, NH4, P, P2O5, P2O5_Gehalt, OEKO_GRUPPE, IstEigen, Herkunft_Nr, "
                         "N_AnrechenbarAL, N_AnrechenbarGL, N_AnrechenbarALWert, N_AnrechenbarGLWert ) "
                         "values ( :b, 6000, '_Gülle', 1, 999, 1, 1, 4, 2, 0.8, 1.83312, 1.83312, 1, 1, 3, 70, 50, 2.8, 2 )"),
          p);
      Sql(QStringLiteral("insert into S_AndereStoffe ( BetriebsNr, Stoff, StoffNr, StoffGruppe, StoffGruppeNr, N, NH4, P, P2O5, "
                         "Herkunft_Nr ) values ( :b, 'Substrat', 70 + :b, 'Kultursubstrate', 2, 1, 0.5, 0.2, 0.45828, 3 )"),
          p);
      const qlonglong anbau = SchlagMitAnbau(b);
      Aufzeichnung(b, anbau, 1, 5000, 3.0);
      Aufzeichnung(b, anbau, 2, 6000, 20.0);
      Aufzeichnung(b, anbau, 5, 70 + b, 10.0);
      Aufzeichnung(b, anbau, 1, 1, 2.0);  // Alzon 46
    }
  }
  QVariant Dung(int betrieb, int kategorie, qlonglong nummer, const QString& spalte) {
    return Wert(QStringLiteral("select %1 from Dung where BetriebsNr = :b and Kategorie = :k and DngNummer = :n").arg(spalte),
                {{QStringLiteral("b"), betrieb}, {QStringLiteral("k"), kategorie}, {QStringLiteral("n"), nummer}});
  }
};

TEST_F(Abschluss, AufzeichnungenDesBetriebsUebernehmenMineraldaten) {
  Oeffnen();
  TMineralSeite* m = fenster->Mineral();
  Zeigen(m);
  Klicken(m, QStringLiteral("Eigene"));
  Eingeben(Element<TDBEditMod>(m->Panel(), QStringLiteral("N (kg/dt)")), QStringLiteral("12"));
  Schliessen();
  EXPECT_EQ(Dung(2, 1, 5000, QStringLiteral("NT")), QVariant(12.0)) << "die offene Eingabe wurde gespeichert";
  EXPECT_EQ(Dung(2, 1, 5000, QStringLiteral("NH4N")), QVariant(12.0));
  EXPECT_EQ(Dung(2, 1, 5000, QStringLiteral("Dng")), QVariant(QStringLiteral("_Mineral")));
  EXPECT_EQ(Dung(2, 1, 5000, QStringLiteral("GruppeNr")), QVariant(999));
  EXPECT_EQ(Dung(2, 1, 5000, QStringLiteral("P")), QVariant(1.0));
  EXPECT_EQ(Dung(2, 1, 5000, QStringLiteral("P2O5")), QVariant(2.2914));
  EXPECT_EQ(Dung(2, 1, 5000, QStringLiteral("Herkunft_Nr")), QVariant(2));
  EXPECT_EQ(Dung(2, 1, 1, QStringLiteral("Dng")), QVariant(QStringLiteral("Alzon 46")));
  EXPECT_EQ(Dung(2, 1, 1, QStringLiteral("NT")), QVariant(46.0));
  EXPECT_EQ(Dung(2, 1, 1, QStringLiteral("GruppeNr")), QVariant(1));
  // The other farm's records stay as they were.
  EXPECT_EQ(Dung(3, 1, 5000, QStringLiteral("NT")), QVariant(0.0));
  EXPECT_EQ(Dung(3, 1, 5000, QStringLiteral("Dng")), QVariant(QString()));
  EXPECT_EQ(Dung(3, 1, 1, QStringLiteral("NT")), QVariant(0.0));
  EXPECT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join('\n').toStdString();
}

TEST_F(Abschluss, OrganischeUndAndereStoffe) {
  Oeffnen();
  Schliessen();
  // Organic: 20 t of 4 kg N, 2 kg available N, 0.8 kg P per t.
  const struct {
    const char* spalte;
    QVariant wert;
  } organisch[] = {{"Dng", "_Gülle"},   {"DngGrpNummer", 1}, {"GruppeNr", 1},        {"NT", 4.0},
                   {"NH4N", 2.0},       {"P", 0.8},          {"P2O5", 1.83312},      {"TaVerfNr", 1},
                   {"N_AnrechenbarAL", 2.8}, {"N_AnrechenbarGL", 2.0}, {"Herkunft_Nr", 3}, {"Nges", 80.0},
                   {"Nverf", 40.0},     {"Pges", 16.0}};
  for (const auto& e : organisch) {
    const QVariant w = Dung(2, 2, 6000, QLatin1String(e.spalte));
    if (e.wert.typeId() == QMetaType::Double)
      EXPECT_DOUBLE_EQ(w.toDouble(), e.wert.toDouble()) << e.spalte;
    else
      EXPECT_EQ(w.toString(), e.wert.toString()) << e.spalte;
    EXPECT_NE(Dung(3, 2, 6000, QLatin1String(e.spalte)).toString(), e.wert.toString()) << "anderer Betrieb: " << e.spalte;
  }
  // Other substances: the substance group also stands for the type.
  EXPECT_EQ(Dung(2, 5, 72, QStringLiteral("Dng")), QVariant(QStringLiteral("Substrat")));
  EXPECT_EQ(Dung(2, 5, 72, QStringLiteral("GruppeNr")), QVariant(2));
  EXPECT_EQ(Dung(2, 5, 72, QStringLiteral("TaVerfNr")), QVariant(2));
  EXPECT_EQ(Dung(2, 5, 72, QStringLiteral("NT")), QVariant(1.0));
  EXPECT_EQ(Dung(2, 5, 72, QStringLiteral("NH4N")), QVariant(0.5));
  EXPECT_EQ(Dung(2, 5, 72, QStringLiteral("P")), QVariant(0.2));
  EXPECT_EQ(Dung(2, 5, 72, QStringLiteral("P2O5")), QVariant(0.45828));
  EXPECT_EQ(Dung(2, 5, 72, QStringLiteral("Herkunft_Nr")), QVariant(3));
  EXPECT_EQ(Dung(3, 5, 73, QStringLiteral("Dng")), QVariant(QString()));
}

TEST_F(Abschluss, EigeneOrganischeBekommenDasFehlendePhosphat) {
  // Own fertilisers of both farms with one form of phosphate missing, and a shipped one.
  Sql(QStringLiteral("update S_OrgDung set P = 2, P2O5 = 0 where OrgDngNummer = 6000 and BetriebsNr = 2"));
  Sql(QStringLiteral("update S_OrgDung set P = null, P2O5 = 4.5828 where OrgDngNummer = 6000 and BetriebsNr = 3"));
  Sql(QStringLiteral("update S_OrgDung set P2O5 = 0 where OrgDngNummer = 21 and BetriebsNr = 2"));
  Oeffnen();
  Schliessen();
  EXPECT_DOUBLE_EQ(Zahl("select P2O5 from S_OrgDung where OrgDngNummer = 6000 and BetriebsNr = 2"), 4.5828);  // 2 × 2.2914
  EXPECT_DOUBLE_EQ(Zahl("select P from S_OrgDung where OrgDngNummer = 6000 and BetriebsNr = 3"), 2.0);        // 4.5828 / 2.2914
  EXPECT_EQ(Zahl("select P2O5 from S_OrgDung where OrgDngNummer = 21 and BetriebsNr = 2"), 0.0) << "nur eigene";
}

TEST_F(Abschluss, ListenSindGeschlossen) {
  Oeffnen();
  TKulturenSeite* k = fenster->Kulturen();
  k->GeheZu(ZeileMit(k, QStringLiteral("FA_NR"), 691101));
  Eingeben(k->Ertrag(), QStringLiteral("58"));
  fenster->done(QDialog::Accepted);
  EXPECT_FALSE(fenster->IstOffen());
  EXPECT_FALSE(fenster->isVisible());
  for (TListenSeite* s : {static_cast<TListenSeite*>(fenster->Kulturen()), static_cast<TListenSeite*>(fenster->Mineral()),
                          static_cast<TListenSeite*>(fenster->Organisch()), static_cast<TListenSeite*>(fenster->Stoffe()),
                          static_cast<TListenSeite*>(fenster->Weide())})
    EXPECT_FALSE(s->Liste().IstOffen()) << s->Titel().toStdString();
  EXPECT_EQ(Zahl("select TatsErtrag from S_KulturenNP where BetriebsNr = 2 and FA_NR = 691101"), 58.0);
  EXPECT_EQ(Zahl("select TatsErtrag_21 from S_KulturenNP where BetriebsNr = 2 and FA_NR = 691101"), 58.0);
  // Shown again, the window opens its lists anew.
  fenster->show();
  EXPECT_TRUE(fenster->IstOffen());
  EXPECT_EQ(k->Liste().Anzahl(), 192);
}

TEST_F(Abschluss, SchliessenKnopf) {
  Oeffnen();
  Klicken(fenster.get(), QStringLiteral("Schließen"));
  EXPECT_FALSE(fenster->isVisible());
  EXPECT_EQ(fenster->result(), QDialog::Accepted);
  EXPECT_EQ(Dung(2, 1, 5000, QStringLiteral("NT")), QVariant(10.0));
}

TEST_F(Abschluss, EscapeSchliesstNicht) {
  Oeffnen();
  QTest::keyClick(fenster->Kulturen()->Tabelle(), Qt::Key_Escape);
  EXPECT_TRUE(fenster->isVisible());
  EXPECT_TRUE(fenster->IstOffen());
}

TEST_F(Abschluss, TaschenrechnerOeffnet) {
  Oeffnen();
  EXPECT_EQ(fenster->Rechner(), nullptr);
  Klicken(fenster.get(), QStringLiteral("Taschenrechner"));
  ASSERT_NE(fenster->Rechner(), nullptr);
  EXPECT_TRUE(fenster->Rechner()->isVisible());
  EXPECT_TRUE(fenster->isVisible());
  fenster->Rechner()->close();
}

}  // namespace
