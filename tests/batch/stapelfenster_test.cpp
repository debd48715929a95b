// The window "Stapelverarbeitung": the farms of the year with search and
// all/none, the checks before a run, the summary with its traffic light and
// the double-click to a farm, stopping, the list of the summary; and the
// printed summary read back.
#include "stapelfenster.h"

#include "stapelbetrieb.h"
#include "pdftext.h"
#include "stapeldruck.h"
#include "stoerhilfe.h"

#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class Stapelfenster_ : public StapelBetrieb {
protected:
  void SetUp() override {
    StapelBetrieb::SetUp();
    fenster = std::make_unique<TStapelfenster>(db, meldungen, Jahr, ausgabe.path());
    for (Stapel::TSchritt s : Stapel::AlleSchritte)
      fenster->Schritt(s)->setChecked(s == Stapel::TSchritt::Pruefen || s == Stapel::TSchritt::Melden);
  }
  QStringList Sichtbar() const {
    QStringList namen;
    for (int z = 0; z < fenster->Betriebe()->rowCount(); ++z)
      if (!fenster->Betriebe()->isRowHidden(z)) namen << fenster->Betriebe()->item(z, 1)->text();
    return namen;
  }
  void Knopf(const QString& name) {
    for (QPushButton* k : fenster->findChildren<QPushButton*>())
      if (k->accessibleName() == name) return k->click();
    ADD_FAILURE() << "Knopf fehlt: " << T(name);
  }
  std::unique_ptr<TStapelfenster> fenster;
};

TEST_F(Stapelfenster_, SucheAlleKeineUndDiePruefungVorDemLauf) {
  EXPECT_EQ(Sichtbar(), (QStringList{K("Hof Linde"), K("Ohne Nummer")}));
  fenster->findChild<QLineEdit*>()->setText(K("linde"));
  EXPECT_EQ(Sichtbar(), QStringList{K("Hof Linde")});
  // "Keine" takes only the farms the search shows.
  Knopf(K("Keine"));
  fenster->findChild<QLineEdit*>()->clear();
  EXPECT_EQ(fenster->Betriebe()->item(0, 0)->checkState(), Qt::Unchecked);
  EXPECT_EQ(fenster->Betriebe()->item(1, 0)->checkState(), Qt::Checked);
  Knopf(K("Keine"));
  EXPECT_FALSE(fenster->Starten());
  EXPECT_EQ(meldungen.Infos(), QStringList{K("Bitte mindestens einen Betrieb auswählen.")});
  Knopf(K("Alle"));
  for (Stapel::TSchritt s : Stapel::AlleSchritte) fenster->Schritt(s)->setChecked(false);
  meldungen.Leeren();
  EXPECT_FALSE(fenster->Starten());
  EXPECT_EQ(meldungen.Infos(), QStringList{K("Bitte mindestens einen Schritt auswählen.")});
}

TEST_F(Stapelfenster_, ZusammenfassungMitAmpelUndDoppelklickZumBetrieb) {
  ASSERT_TRUE(fenster->Starten());
  QTableWidget* t = fenster->Zusammenfassung();
  ASSERT_EQ(t->rowCount(), 2);
  EXPECT_EQ(t->item(0, 2)->text(), K("Hof Linde"));
  // The grassland row has no calculated demand: done, with a note.
  EXPECT_EQ(t->item(0, 0)->text(), K("Hinweise"));
  EXPECT_EQ(t->item(0, 3)->text(), K("pruefen, melden"));
  EXPECT_EQ(t->item(0, 4)->text(), K("5"));
  EXPECT_EQ(t->item(1, 0)->text(), K("Fehler"));
  EXPECT_TRUE(t->item(1, 7)->text().startsWith(K("Für den Betrieb ist keine EU-Betriebsnummer eingetragen."))) << T(t->item(1, 7)->text());
  std::pair<int, int> geoeffnet{0, 0};
  fenster->BetriebOeffnen = [&](int b, int j) { geoeffnet = {b, j}; };
  emit t->cellDoubleClicked(1, 2);
  EXPECT_EQ(geoeffnet, (std::pair<int, int>{3, 2021}));

  // The summary as a list.
  const QString liste = ausgabe.filePath(K("Zusammenfassung.xlsx"));
  meldungen.dateien = {liste};
  Knopf(K("Excel-Export"));
  EXPECT_TRUE(QFile::exists(liste));
}

TEST_F(Stapelfenster_, AbbrechenHaeltZwischenDenBetriebenAn) {
  QTimer::singleShot(0, fenster.get(), [this] { fenster->Abbrechen(); });
  ASSERT_TRUE(fenster->Starten());
  EXPECT_TRUE(fenster->Ergebnisse().empty());
  EXPECT_EQ(fenster->Zusammenfassung()->rowCount(), 0);
  EXPECT_FALSE(QFileInfo::exists(ausgabe.filePath(K("Meldepflichten_2021"))));
}

TEST(Stapeldruck, ZusammenfassungZeigtJedenBetriebOhneUeberdeckung) {
  TSkriptMeldungen meldungen;
  Stapel::TErgebnis gut, schlecht;
  gut.betrieb = 2;
  gut.name = QStringLiteral("Hof Linde mit einem sehr langen Namen, der in seiner Spalte umbrechen muss");
  gut.erledigt = {Stapel::TSchritt::Berechnen, Stapel::TSchritt::Pruefen, Stapel::TSchritt::Melden,
                  Stapel::TSchritt::Drucken, Stapel::TSchritt::Listen};
  gut.befunde = 2;
  gut.schwersterBefund = QStringLiteral("Schlag 3: 180 kg N/ha über der Obergrenze (DüV § 6 Abs. 4)");
  schlecht.betrieb = 3;
  schlecht.name = QStringLiteral("Ohne Nummer");
  schlecht.fehler = QStringLiteral("Für den Betrieb ist keine EU-Betriebsnummer eingetragen.");
  TPDFDruckausgabe d(nullptr, true, meldungen);
  Stapeldruck::Zusammenfassung(d, {gut, schlecht}, 2021, QDate(2022, 2, 14));
  const QStringList seiten = Pdftext::Seiten(d);
  ASSERT_EQ(seiten.size(), 1);
  for (const char* text : {"Stapelverarbeitung Düngejahr 2021", "14.02.2022", "Hinweise", "Fehler", "Ohne Nummer",
                           "berechnen, pruefen, melden, drucken, listen", "keine EU-Betriebsnummer", "DüV § 6 Abs. 4"})
    EXPECT_TRUE(seiten[0].contains(QString::fromUtf8(text))) << text << "\n" << T(seiten[0]);
  EXPECT_EQ(Pdftext::Ueberdeckungen(d), QStringList());
}

}  // namespace
