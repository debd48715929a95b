// Many farms at once: the summary per farm, a broken farm that writes
// nothing while the others go on, the same reporting files as a single run,
// stopping between farms, and the JSON of the summary.
#include "stapel.h"

#include "stapelbetrieb.h"
#include "meldepflichten.h"
#include "skriptmeldungen.h"
#include "stapeldruck.h"
#include "stoerhilfe.h"

#include <QDir>
#include <QDirIterator>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

namespace {

const QDate Heute(2022, 2, 14);

std::map<QString, QByteArray> Baum(const QString& ordner) {
  std::map<QString, QByteArray> baum;
  QDirIterator i(ordner, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (i.hasNext()) {
    const QString pfad = i.next();
    QFile f(pfad);
    baum[QDir(ordner).relativeFilePath(pfad)] = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  return baum;
}

class Stapel_ : public StapelBetrieb {
protected:
  Stapel::TAuftrag Auftrag(std::vector<int> betriebe, std::vector<Stapel::TSchritt> schritte) const {
    return {Jahr, std::move(betriebe), std::move(schritte), ausgabe.path(), Heute};
  }
};

using S = Stapel::TSchritt;

TEST_F(Stapel_, GebrocheneBetriebeSchreibenNichtsDieAnderenWieEinEinzelnerLauf) {
  EXPECT_EQ(Stapel::BetriebeDesJahres(db, Jahr), (std::vector<int>{2, 3}));
  const auto ergebnisse = Stapel::Ausfuehren(db, Auftrag({3, 2, 99}, {S::Melden, S::Pruefen}));
  ASSERT_EQ(ergebnisse.size(), 3u);

  const Stapel::TErgebnis& ohne = ergebnisse[0];
  EXPECT_EQ(ohne.name, K("Ohne Nummer"));
  EXPECT_TRUE(ohne.fehler.startsWith(K("Für den Betrieb ist keine EU-Betriebsnummer eingetragen."))) << T(ohne.fehler);
  // The check ran before the reporting step failed.
  EXPECT_EQ(ohne.erledigt, std::vector<S>{S::Pruefen});
  EXPECT_TRUE(ohne.dateien.isEmpty());

  const Stapel::TErgebnis& linde = ergebnisse[1];
  EXPECT_TRUE(linde.Ok()) << T(linde.fehler);
  EXPECT_EQ(linde.erledigt, (std::vector<S>{S::Pruefen, S::Melden}));
  EXPECT_EQ(linde.dateien.size(), 5);
  EXPECT_GE(linde.befunde, 0);
  // The grassland row has no calculated demand (see the fixture).
  EXPECT_EQ(linde.ohneBedarf, QStringList{K("Schlag 8 „Wiese“ (Parzelle 8): Dauergrünland")});

  EXPECT_EQ(ergebnisse[2].fehler, K("Der Betrieb 99 hat kein Düngejahr 2021."));

  // Only the sound farm wrote, and exactly what its single run writes.
  QTemporaryDir einzeln;
  TSkriptMeldungen still;
  ASSERT_TRUE(Meldepflichten::Ausfuehren(db, still, Betrieb, Jahr, einzeln.path(), Heute));
  const auto stapel = Baum(ausgabe.path()), einzel = Baum(einzeln.path());
  EXPECT_EQ(stapel.size(), 5u);
  EXPECT_TRUE(stapel == einzel);
}

TEST_F(Stapel_, AbbrechenNachDemErstenBetriebLaesstDieAnderenUnberuehrt) {
  Sql(K("update Betriebe set EU_NUMMER = '276150000099' where ID = 3"));
  int gefragt = 0;
  const auto ergebnisse =
      Stapel::Ausfuehren(db, Auftrag({2, 3}, {S::Melden}), [&](int index, int) { return ++gefragt, index == 0; });
  EXPECT_EQ(gefragt, 2);
  ASSERT_EQ(ergebnisse.size(), 1u);
  EXPECT_TRUE(ergebnisse[0].Ok()) << T(ergebnisse[0].fehler);
  EXPECT_EQ(QDir(ausgabe.filePath(K("Meldepflichten_2021"))).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
            QStringList{K("B_027615000123")});
}

TEST_F(Stapel_, MeldetJedenSchrittVorSeinemBeginnInDerFestenReihenfolge) {
  // Asked in another order, run in the fixed one; farm 3 stops at its reporting step.
  Stapel::TAuftrag auftrag = Auftrag({2, 3}, {S::Melden, S::Pruefen, S::Berechnen});
  QStringList gemeldet;
  auftrag.schrittBeginnt = [&](int betrieb, S s) { gemeldet << K("%1 %2").arg(betrieb).arg(Stapel::Anzeigename(s)); };
  Stapel::Ausfuehren(db, auftrag);
  EXPECT_EQ(gemeldet, QStringList({K("2 Düngebedarfe neu berechnen"), K("2 Rechtliche Grenzen prüfen"),
                                   K("2 Meldedateien schreiben"), K("3 Düngebedarfe neu berechnen"),
                                   K("3 Rechtliche Grenzen prüfen"), K("3 Meldedateien schreiben")}));
  const auto namen = Stapel::BetriebeMitNamen(db, Jahr);
  ASSERT_EQ(namen.size(), 2u);
  EXPECT_EQ(namen[0].name, K("Hof Linde"));
  EXPECT_EQ(namen[1].name, K("Ohne Nummer"));
}

TEST_F(Stapel_, ListenJeBetriebUndJsonDerZusammenfassung) {
  const auto ergebnisse = Stapel::Ausfuehren(db, Auftrag({2, 3}, {S::Berechnen, S::Listen}));
  ASSERT_EQ(ergebnisse.size(), 2u);
  for (const auto& e : ergebnisse) EXPECT_TRUE(e.Ok()) << e.betrieb << ": " << T(e.fehler);
  QStringList listen = QDir(Stapel::Betriebsordner(ausgabe.path(), 2, Jahr)).entryList(QDir::Files);
  listen.sort();
  EXPECT_EQ(listen, (QStringList{K("Duengungen_2021.xlsx"), K("HerbstNitratgebiet_2021.xlsx"), K("Herbst_2021.xlsx"),
                                 K("Phosphor_2021.xlsx"), K("Stickstoff_2021.xlsx")}));
  EXPECT_EQ(ergebnisse[0].dateien.size(), 5);

  const QJsonArray json = QJsonDocument::fromJson(Stapel::Json(ergebnisse)).array();
  ASSERT_EQ(json.size(), 2);
  const QJsonObject o = json[0].toObject();
  EXPECT_EQ(o[K("betrieb")].toInt(), 2);
  EXPECT_EQ(o[K("name")].toString(), K("Hof Linde"));
  EXPECT_TRUE(o[K("ok")].toBool());
  EXPECT_EQ(o[K("schritte")].toArray(), (QJsonArray{K("berechnen"), K("listen")}));
  EXPECT_EQ(o[K("dateien")].toArray().size(), 5);
  EXPECT_FALSE(o.contains(K("befunde")));  // not checked
}

TEST_F(Stapel_, DruckenSchreibtEinPdfMitDenBedarfsblaetternUndDerBilanz) {
  // Without the printer the step fails and writes nothing.
  auto ohne = Stapel::Ausfuehren(db, Auftrag({2}, {S::Drucken}));
  EXPECT_EQ(ohne[0].fehler, K("Die Druckausgabe steht hier nicht zur Verfügung."));
  auto auftrag = Auftrag({2}, {S::Drucken});
  auftrag.pdf = Stapeldruck::Pdf;
  const auto e = Stapel::Ausfuehren(db, auftrag);
  ASSERT_TRUE(e[0].Ok()) << T(e[0].fehler);
  const QString datei = Stapel::Betriebsordner(ausgabe.path(), 2, Jahr) + K("/Druck_2021.pdf");
  EXPECT_EQ(e[0].dateien, QStringList{datei});
  QProcess p;
  p.start(K("pdftotext"), {K("-layout"), datei, K("-")});
  ASSERT_TRUE(p.waitForFinished(60000));
  QStringList seiten = QString::fromUtf8(p.readAllStandardOutput()).split(u'\f');
  if (!seiten.isEmpty() && seiten.last().trimmed().isEmpty()) seiten.removeLast();
  // The two crop rows with a nitrogen demand (151 and 95 kg N/ha in the fixture), then the statement.
  ASSERT_EQ(seiten.size(), 3);
  EXPECT_TRUE(seiten[0].contains(K("Winterweizen"))) << T(seiten[0]);
  EXPECT_TRUE(seiten[2].contains(K("Nährstoffeinsatz nach Anlage 5 DüV"))) << T(seiten[2]);
  EXPECT_TRUE(seiten[2].contains(K("Gesamtbetrieb"))) << T(seiten[2]);
}

TEST(StapelSchritte, NamenDerKommandozeile) {
  for (S s : Stapel::AlleSchritte) EXPECT_EQ(Stapel::SchrittAusName(Stapel::Name(s)), s);
  EXPECT_EQ(Stapel::SchrittAusName(QStringLiteral(" pruefen")), S::Pruefen);
  EXPECT_EQ(Stapel::SchrittAusName(QStringLiteral("prüfen")), std::nullopt);
  EXPECT_EQ(Stapel::SchrittAusName(QString()), std::nullopt);
}

}  // namespace
