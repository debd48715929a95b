// The rules of one application record: its loads per ha, the legume share,
// the date span of the fertiliser year and the inputs it must have.
#include "aufzeichnung.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace Aufzeichnung;

QString K(const char* s) { return QString::fromUtf8(s); }

TWerte Gabe(int kategorie, double menge, double nt, double nh4n, double p) {
  TWerte w;
  w.kategorie = kategorie;
  w.menge = menge;
  w.nt = nt;
  w.nh4n = nh4n;
  w.p = p;
  return w;
}

TWerte Weidegang(double tiere, double nt, double p, int tage) {
  TWerte w;
  w.kategorie = Weide;
  w.weideTiere = tiere;
  w.nt = nt;
  w.p = p;
  w.weideTage = tage;
  return w;
}

// A legume record with the fixation values 60 / 90 kg N/ha and 0.5 / 0.7 kg N per dt.
TWerte Legum(double anteil, qint64 nummer, int pauschal, double menge = 0) {
  TWerte w;
  w.kategorie = Leguminosen;
  w.leguminosenanteil = anteil;
  w.dngNummer = nummer;
  w.legumPauschal = pauschal;
  w.menge = menge;
  w.nBindungHa = 60;
  w.nBindungHaGr10P = 90;
  w.nBindungDtFM = 0.5;
  w.nBindungDtFMGr10P = 0.7;
  return w;
}

TEST(AufzeichnungLasten, JeKategorie) {
  struct Fall {
    const char* name;
    TWerte werte;
    double groesse;
    double nges, nverf, pges;
  };
  const std::vector<Fall> faelle = {
      // 3 dt/ha x 27 kg N/dt; all mineral N is available.
      {"Mineraldünger", Gabe(Mineral, 3, 27, 0, 0), 5, 81, 81, 0},
      {"Mineraldünger mit P", Gabe(Mineral, 2, 15, 99, 6.5), 5, 30, 30, 13},
      // 20 m³/ha with NT 4.0, NH4 2.0, P 0.8.
      {"organischer Dünger", Gabe(Organisch, 20, 4.0, 2.0, 0.8), 5, 80, 40, 16},
      {"andere Stoffe", Gabe(Stoffe, 10, 2.5, 1.5, 0.3), 5, 25, 15, 3},
      // 10 animals x 75 kg N x 73 days / (5 ha x 365): 30 kg N/ha; P 20 per animal: 8.
      {"Weide", Weidegang(10, 75, 20, 73), 5, 30, 0, 8},
      {"Weide auf doppelter Fläche", Weidegang(10, 75, 20, 73), 10, 15, 0, 4},
      {"Weide ohne Schlaggröße", Weidegang(10, 75, 20, 73), 0, 0, 0, 0},
      {"Weide mit negativer Größe", Weidegang(10, 75, 20, 73), -5, 0, 0, 0},
      {"Leguminosen je ha", Legum(5, 300, 1), 5, 60, 0, 0},
      {"Leguminosen je dt FM", Legum(5, 300, 0, 40), 5, 20, 0, 0},
      {"unbekannte Kategorie", Gabe(0, 10, 10, 10, 10), 5, 0, 0, 0},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    const TLasten l = Lasten(f.werte, f.groesse);
    EXPECT_NEAR(l.nges, f.nges, 1e-9);
    EXPECT_NEAR(l.nverf, f.nverf, 1e-9);
    EXPECT_NEAR(l.pges, f.pges, 1e-9);
  }
}

// The high-share values apply above 10 %, to the share as entered; catch
// crops (numbers below 20) never take them.
TEST(AufzeichnungLasten, LeguminosenanteilUeberZehnProzent) {
  struct Fall {
    double anteil;
    qint64 nummer;
    bool hoch;
  };
  const std::vector<Fall> faelle = {
      {9.5, 300, false}, {9.96, 300, false}, {10.0, 300, false}, {10.04, 300, true}, {10.5, 300, true},
      {30, 300, true},   {30, 19, false},    {30, 9, false},      {10.04, 20, true},  {0, 300, false},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(std::to_string(f.anteil) + " / " + std::to_string(f.nummer));
    EXPECT_EQ(HoherLegumAnteil(f.anteil, f.nummer), f.hoch);
    // The loads follow the same rule, per ha and per dt fresh matter.
    EXPECT_DOUBLE_EQ(Lasten(Legum(f.anteil, f.nummer, 1), 5).nges, f.hoch ? 90.0 : 60.0);
    EXPECT_DOUBLE_EQ(Lasten(Legum(f.anteil, f.nummer, 0, 50), 5).nges, f.hoch ? 35.0 : 25.0);
  }
}

TEST(AufzeichnungDatum, SpanneDesDuengejahres) {
  struct Fall {
    int jahr;
    QDate datum;
    QString meldung;
  };
  const QString spaeter = K("Das Datum kann nicht in einem späteren Jahr als 2022 liegen.");
  const QString frueh = K("Das Datum kann nicht kleiner als 2018 sein.");
  const QString gross = K("Das Datum kann nicht größer als 2021 sein.");
  const std::vector<Fall> faelle = {
      {2022, QDate(2023, 1, 1), spaeter},  {2022, QDate(2015, 6, 1), {}}, {2022, QDate(2022, 12, 31), {}},
      {2022, QDate(), {}},                 {2021, QDate(2017, 12, 31), frueh}, {2021, QDate(2018, 1, 1), {}},
      {2021, QDate(2021, 12, 31), {}},     {2021, QDate(2022, 1, 1), gross},   {2021, QDate(), {}},
      {2019, QDate(2015, 5, 1), K("Das Datum kann nicht kleiner als 2016 sein.")},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(std::to_string(f.jahr) + " " + f.datum.toString(Qt::ISODate).toStdString());
    EXPECT_EQ(DatumFehler(f.jahr, f.datum).toStdString(), f.meldung.toStdString());
  }
}

TEST(AufzeichnungPflicht, WasEinerAufzeichnungFehlt) {
  const auto mit = [](TWerte w, QDate datum, qint64 nummer) {
    w.datum = datum;
    w.dngNummer = nummer;
    return w;
  };
  const QDate d(2021, 4, 1);
  TWerte weideOhneAlles;
  weideOhneAlles.kategorie = Weide;
  struct Fall {
    const char* name;
    TWerte werte;
    QStringList fehlend;
  };
  const std::vector<Fall> faelle = {
      {"Mineraldünger vollständig", mit(Gabe(Mineral, 3, 27, 0, 0), d, 28), {}},
      {"Mineraldünger leer", mit(Gabe(Mineral, 0, 0, 0, 0), QDate(), 0),
       {K("Datum Ausbringung"), K("Ausbringmenge"), K("Düngerart")}},
      {"organisch ohne Menge", mit(Gabe(Organisch, 0, 4, 2, 1), d, 29), {K("Ausbringmenge")}},
      {"andere Stoffe ohne Stoff", mit(Gabe(Stoffe, 5, 0, 0, 0), d, 0), {K("Stoffart")}},
      {"Weide leer", weideOhneAlles,
       {K("Tiergruppe"), K("Anzahl Tiere"), K("Tage (24 h)"), K("Ende der Weidehaltung")}},
      {"Weide vollständig", mit(Weidegang(10, 75, 0, 73), d, 2), {}},
      {"Leguminosen je ha ohne Menge", Legum(5, 300, 1), {}},
      {"Leguminosen je dt ohne Menge", Legum(5, 300, 0), {K("Gesamtmenge (dt/ha FM)")}},
      {"Leguminosen ohne Angabe", Legum(5, 300, -1), {K("Angabe in")}},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    EXPECT_EQ(Fehlend(f.werte).join(u'|').toStdString(), f.fehlend.join(u'|').toStdString());
  }
  EXPECT_EQ(FehlendText({K("Datum Ausbringung"), K("Ausbringmenge")}),
            K("Die Aufzeichnung ist unvollständig und wird nicht gespeichert. "
              "Bitte noch angeben: Datum Ausbringung, Ausbringmenge."));
}

TEST(AufzeichnungKategorie, NamenInDerListe) {
  const std::vector<std::pair<int, QString>> namen = {
      {1, K("Mineraldünger")}, {2, K("organischer Dünger")}, {3, K("Leguminosen")},
      {4, K("Beweidung")},     {5, K("sonstige Stoffe")},    {0, QString()},
      {6, QString()}};
  for (const auto& [kategorie, name] : namen) EXPECT_EQ(KategorieName(kategorie), name) << kategorie;
}

}  // namespace
