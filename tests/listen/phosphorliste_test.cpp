// The phosphate list: written through the save dialog, read back by
// LibreOffice, and the validity pass that follows it.
#include "listenbetrieb.h"

#include "phosphorliste.h"

namespace {

class Phosphorliste_ : public ListenBetrieb {
protected:
  void SetUp() override {
    ListenBetrieb::SetUp();
    // A valid result: analysed six years before the fertiliser year, the oldest that counts.
    Schlag(1, Analyse({{K("P_AnalyseDatum"), K("2015-03-01")}, {K("BewirtschaftungsAuflagen"), 2},
                       {K("NutzungsForm"), 1}, {K("P_Jahre"), 3}}));
    Kultur(1, 224101, {{K("Kultur"), K("Winterweizen A, B")}, {K("TatsErtrag"), 80}});
    Kultur(1, 311101, {{K("Kultur"), K("Silomais")}, {K("TatsErtrag"), 450}, {K("FruchtNr"), 2}});
    // Analysed seven years before: the result does not stand.
    Schlag(2, Analyse({{K("P_AnalyseDatum"), K("2014-12-31")}, {K("NutzungsForm"), 2}, {K("P_Jahre"), 1}}));
    // A negative demand is left out, the others of the row are written.
    Schlag(3, Analyse({{K("NutzungsForm"), 4}, {K("P_DuengeBedarf"), -5}, {K("P2O5_DuengeBedarf"), -11.5}}));
  }
  // A field with a soil analysis and a phosphate result.
  QVariantMap Analyse(const QVariantMap& werte) {
    QVariantMap w = {{K("P_Methode"), 1},          {K("P_Gehalt"), 5},           {K("P2O5_Gehalt"), 11.5},
                     {K("P_AnalyseDatum"), K("2020-03-01")}, {K("P_GehaltsKlasse"), K("C")},
                     {K("HFEinzelertrag"), 80},    {K("P_DuengeBedarf"), 26},    {K("P2O5_DuengeBedarf"), 59.6},
                     {K("P_DuengeBedarfFachlich"), 30}};
    for (auto it = werte.begin(); it != werte.end(); ++it) w[it.key()] = it.value();
    return w;
  }
  double Gespeichert(int parzelle, const char* spalte) {
    return Wert(K("select %1 from Schlag where Parzelle = :p").arg(K(spalte)), {{K("p"), parzelle}}).toDouble();
  }
};

TEST_F(Phosphorliste_, ZeilenUndGueltigkeitWieGelesen) {
  LIBREOFFICE_ERFORDERLICH();
  const QString datei = Ziel(K("Phosphor.xlsx"));
  ASSERT_EQ(Phosphorliste::Exportieren(db, meldungen, Betrieb, Jahr, ordner.path()),
            Listenausgabe::TErgebnis::Geschrieben);
  EXPECT_EQ(meldungen.Infos(), QStringList{Fertig()});
  const TTabelle t = TTabelle::Lesen(datei);
  ASSERT_TRUE(t.Ok()) << t.Fehler().toStdString();
  KopfPruefen(t, K("P"));
  EXPECT_EQ(t(K("A"), 7), K("Schlag-Nr."));
  EXPECT_EQ(t(K("H"), 7), K("verwen- detes Ertrags- Niveau"));

  EXPECT_EQ(t(K("A"), 9), K("10"));
  EXPECT_EQ(t(K("B"), 9), K("Schlag 1"));
  EXPECT_EQ(t.Zahl(K("C"), 9), 2.5);
  EXPECT_EQ(t(K("D"), 9), K("Ackerland"));
  EXPECT_EQ(t(K("E"), 9), K("ja"));
  EXPECT_EQ(t(K("F"), 9), K("2021-2023"));
  // The field's last crop row of the year.
  EXPECT_EQ(t(K("G"), 9), K("Silomais"));
  EXPECT_EQ(t.Zahl(K("H"), 9), 450);
  EXPECT_EQ(t(K("I"), 9), K("01.03.2015"));
  EXPECT_EQ(t.Zahl(K("J"), 9), 11.5);
  EXPECT_EQ(t(K("K"), 9), K("C"));
  EXPECT_EQ(t.Zahl(K("L"), 9), 26);
  EXPECT_EQ(t.Zahl(K("M"), 9), 60);  // 59.6 shown whole
  EXPECT_EQ(t.Zahl(K("N"), 9), 30);
  EXPECT_EQ(t(K("O"), 9), QString());
  EXPECT_EQ(t.Zahl(K("P"), 9), 26);  // =L9-O9 with O empty

  // Seven years old: no result written, the remaining demand 0.
  EXPECT_EQ(t(K("D"), 10), K("Grünland"));
  EXPECT_EQ(t(K("E"), 10), K("nein"));
  EXPECT_EQ(t(K("F"), 10), K("2021-2021"));
  EXPECT_EQ(t(K("G"), 10), QString());  // no crop row
  for (const char* s : {"L", "M", "N"}) EXPECT_EQ(t(K(s), 10), QString()) << s;
  EXPECT_EQ(t.Zahl(K("P"), 10), 0);

  // Negative demands stay empty, the professional one is written.
  EXPECT_EQ(t(K("D"), 11), K("Brache"));
  EXPECT_EQ(t(K("L"), 11), QString());
  EXPECT_EQ(t(K("M"), 11), QString());
  EXPECT_EQ(t.Zahl(K("N"), 11), 30);
  EXPECT_EQ(t(K("A"), 12), QString());

  // Afterwards the old analysis's result is 0; the others are kept.
  EXPECT_EQ(Gespeichert(2, "P_DuengeBedarf"), 0.0);
  EXPECT_EQ(Gespeichert(2, "P2O5_DuengeBedarf"), 0.0);
  EXPECT_EQ(Gespeichert(1, "P_DuengeBedarf"), 26.0);
  EXPECT_EQ(Gespeichert(3, "P_DuengeBedarf"), -5.0);
}

TEST_F(Phosphorliste_, FormelUndLeereErgebnisseImArbeitsblatt) {
  const TMappe m = Phosphorliste::Mappe(Listenausgabe::Kopf(db, Betrieb, Jahr), Phosphorliste::Zeilen(db, Betrieb, Jahr));
  const TMappe::TZelle* p = m.Zelle(K("P"), 10);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->art, TMappe::TArt::Formel);
  EXPECT_EQ(p->text, K("=L10-O10"));
  EXPECT_EQ(p->zahl, 0.0);
  EXPECT_EQ(m.Zelle(K("P"), 9)->zahl, 26.0);
  for (const char* s : {"L", "M", "N", "O"}) EXPECT_EQ(m.Zelle(K(s), 10), nullptr) << s;
  EXPECT_EQ(m.Zelle(K("I"), 9)->art, TMappe::TArt::Datum);
  EXPECT_EQ(m.Zelle(K("I"), 9)->datum, QDate(2015, 3, 1));
  EXPECT_EQ(m.Zelle(K("H"), 7)->text, K("verwen- detes Ertrags- Niveau"));
}

TEST_F(Phosphorliste_, XlsGibtDieselbenWerte) {
  LIBREOFFICE_ERFORDERLICH();
  const QString datei = Ziel(K("Phosphor.xls"));
  ASSERT_EQ(Phosphorliste::Exportieren(db, meldungen, Betrieb, Jahr, ordner.path()),
            Listenausgabe::TErgebnis::Geschrieben);
  const TTabelle t = TTabelle::Lesen(datei);
  ASSERT_TRUE(t.Ok()) << t.Fehler().toStdString();
  KopfPruefen(t, K("P"));
  EXPECT_EQ(t.Zahl(K("L"), 9), 26);
  EXPECT_EQ(t.Zahl(K("P"), 9), 26);
  EXPECT_EQ(t(K("L"), 10), QString());
}

TEST_F(Phosphorliste_, AbgebrochenerDialogAendertNichts) {
  meldungen.dateien.push_back(QString());
  EXPECT_EQ(Phosphorliste::Exportieren(db, meldungen, Betrieb, Jahr, ordner.path()),
            Listenausgabe::TErgebnis::Abgebrochen);
  EXPECT_EQ(meldungen.protokoll, QStringList{K("DateiSpeichern: Excel-Export")});
  EXPECT_EQ(Gespeichert(2, "P_DuengeBedarf"), 26.0);
}

TEST_F(Phosphorliste_, OhneLibreOfficeMeldetXlsDenFehlerDerListe) {
  const QByteArray pfad = qgetenv("PATH");
  qputenv("PATH", ordner.path().toLocal8Bit());
  Ziel(K("Phosphor.xls"));
  const auto ergebnis = Phosphorliste::Exportieren(db, meldungen, Betrieb, Jahr, ordner.path());
  qputenv("PATH", pfad);
  EXPECT_EQ(ergebnis, Listenausgabe::TErgebnis::Fehler);
  ASSERT_EQ(meldungen.Infos().size(), 1);
  EXPECT_TRUE(meldungen.Infos()[0].startsWith(K("Die Liste wurde nicht geschrieben.\n\n")));
  EXPECT_EQ(Gespeichert(2, "P_DuengeBedarf"), 26.0);
}

TEST(Phosphorliste, TexteDerZeile) {
  const std::pair<int, QString> nutzung[] = {
      {1, QStringLiteral("Ackerland")}, {2, QStringLiteral("Grünland")}, {4, QStringLiteral("Brache")},
      {3, QString()}, {0, QString()}};
  for (const auto& [wert, text] : nutzung) EXPECT_EQ(Phosphorliste::Nutzung(wert), text) << wert;
  EXPECT_EQ(Phosphorliste::Zeitraum(2022, 3), QStringLiteral("2022-2024"));
  EXPECT_EQ(Phosphorliste::Zeitraum(2022, 1), QStringLiteral("2022-2022"));
  // No period stored: the year alone, not a period ending before it starts.
  EXPECT_EQ(Phosphorliste::Zeitraum(2022, 0), QStringLiteral("2022-2022"));
}

}  // namespace
