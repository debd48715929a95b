// The demand window's print buttons: the runs before printing, which entries
// are printed, one page per sheet without an empty page at the end, the
// message when nothing is printable, and the list left where it was.
#include "druckbetrieb.h"
#include "druckvorschau.h"
#include "herbstseite.h"
#include "phosphorseite.h"

#include <QTimer>

using namespace Qt::StringLiterals;
using Druckhilfe::Enthaelt;
using Druckhilfe::Zeilenwert;

namespace {

const QVariantMap Vollstaendig = {{"Feldblock", "DEVLLI0123456789"}, {"Groesse", 2.5}, {"Phosphatgebiet", 1},
                                  {"NutzungsForm", 1}};
const QString Ergebnis = u"Stickstoffdüngebedarf während der Vegetation in kg N/ha"_s;

class FensterDruck : public DruckBetrieb {
protected:
  // A complete field with a winter wheat row whose Nmin is entered; returns the row.
  qint64 Winterweizen(int parzelle, const QVariantMap& schlag = {}, const QVariantMap& kultur = {}) {
    QVariantMap s = Vollstaendig;
    for (auto it = schlag.begin(); it != schlag.end(); ++it) s[it.key()] = it.value();
    Schlag(parzelle, s);
    QVariantMap k = {{"Nmin_0_30", 30}, {"Nmin_30_60", 20}, {"Nmin_60_90", 10}, {"Nmin", 60},
                     {"Probenahmetiefe", 90}, {"Kultur", "Winterweizen A, B"}, {"Duengebedarf", QVariant()}};
    for (auto it = kultur.begin(); it != kultur.end(); ++it) k[it.key()] = it.value();
    return Kultur(parzelle, 224101, k);
  }
  TDuengebedarfsfenster& Zeige(int seite) {
    TDuengebedarfsfenster& f = DruckFenster();
    f.Seiten()->setCurrentIndex(seite);
    return f;
  }
  // The enabled button of the page shown.
  void Druecken(const QString& name) {
    QPushButton* knopf = nullptr;
    for (auto* k : Fenster().Seiten()->currentWidget()->findChildren<QPushButton*>())
      if (k->accessibleName() == name) knopf = k;
    ASSERT_NE(knopf, nullptr) << name.toStdString();
    ASSERT_TRUE(knopf->isEnabled() && knopf->isVisible()) << name.toStdString();
    QTest::mouseClick(knopf, Qt::LeftButton);
  }
  QVariant Anbau(qint64 id, const QString& spalte) {
    return Wert(u"select %1 from Anbau where ID = :id"_s.arg(spalte), {{u"id"_s, id}});
  }
  int ParzelleAuf(const QString& seite) {
    for (const QString& z : seite.split(QLatin1Char('\n')))
      if (z.simplified().startsWith(u"Parzellen-Nr.: "_s)) return z.simplified().section(QLatin1Char(' '), 1, 1).toInt();
    return -999;
  }
};

// --- "Stickstoff" -------------------------------------------------------------------------

TEST_F(FensterDruck, StickstoffErgebnisRechnetDasJahrUndDrucktDieZeile) {
  // 230 - (30 + 20 + 10 x 0.5) = 175; in the nitrate area 80 %: 140.
  const qint64 id = Winterweizen(12, {{"BewirtschaftungsAuflagen", 2}});
  Stamm(224101, {{"Auswahl", 1}, {"TatsErtrag", 80}, {"TatsErtragRG", 80}});
  Zeige(TDuengebedarfsfenster::SeiteStickstoff);
  Druecken(u"Ergebnis drucken"_s);
  EXPECT_TRUE(meldungen.Infos().isEmpty()) << meldungen.Infos().join(u"\n"_s).toStdString();
  ASSERT_EQ(vorschauen, 1);
  ASSERT_EQ(gedruckt.size(), 1);
  EXPECT_EQ(Zeilenwert(gedruckt[0], u"12."_s, Ergebnis + u" (Nitratgebiet)"_s), u"175 (140)"_s);
  EXPECT_DOUBLE_EQ(Anbau(id, u"Duengebedarf"_s).toDouble(), 175);
  // The page shows the year's result as well.
  EXPECT_EQ(Fenster().StickstoffSeite().Liste().Wert(u"Duengebedarf"_s).toDouble(), 175);
}

TEST_F(FensterDruck, StickstoffAlleBerechnetenEineSeiteJeZeileOhneLeereSeite) {
  Stamm(224101, {{"Auswahl", 1}, {"TatsErtrag", 80}});
  Winterweizen(30);
  const qint64 ohneDatum = Winterweizen(20, {}, {{"BerechnungsDatum", QVariant()}, {"Duengebedarf", 99}});
  Winterweizen(10);
  const qint64 aktuell = Winterweizen(40);
  // A catch crop before the main crop has no sheet of its own.
  Kultur(40, 224101, {{"FruchtNr", 0}, {"Duengebedarf", 50}});
  TDuengebedarfsfenster& f = Zeige(TDuengebedarfsfenster::SeiteStickstoff);
  TADODataSetMod& liste = f.StickstoffSeite().Liste();
  ASSERT_TRUE(liste.Suchen(aktuell));
  Druecken(u"Alle berechneten drucken"_s);
  ASSERT_EQ(gedruckt.size(), 3);
  QList<int> parzellen;
  for (const QString& s : gedruckt) {
    parzellen << ParzelleAuf(s);
    EXPECT_EQ(Zeilenwert(s, u"12."_s, Ergebnis), u"175"_s);
  }
  EXPECT_EQ(parzellen, (QList<int>{10, 30, 40}));
  // A row without calculation date loses its demand and is not printed.
  EXPECT_TRUE(Anbau(ohneDatum, u"Duengebedarf"_s).isNull());
  EXPECT_EQ(liste.Wert(u"ID"_s).toLongLong(), aktuell);
  // From a row that is not printed the list goes to the first sheet's row.
  ASSERT_TRUE(liste.Suchen(ohneDatum));
  Druecken(u"Alle berechneten drucken"_s);
  EXPECT_EQ(gedruckt.size(), 3);
  EXPECT_EQ(liste.Wert(u"Parzelle"_s).toInt(), 10);
}

TEST_F(FensterDruck, NichtsDruckbaresWirdGesagtStattEinerLeerenVorschau) {
  Stamm(224101, {{"Auswahl", 1}, {"TatsErtrag", 80}});
  Winterweizen(12, {}, {{"BerechnungsDatum", QVariant()}});
  Zeige(TDuengebedarfsfenster::SeiteStickstoff);
  Druecken(u"Alle berechneten drucken"_s);
  EXPECT_EQ(vorschauen, 0);
  EXPECT_EQ(meldungen.Infos(), QStringList{u"Keine druckbaren Elemente vorhanden."_s});
  meldungen.Leeren();
  Zeige(TDuengebedarfsfenster::SeitePhosphor);
  Druecken(u"Alle berechneten drucken"_s);
  Zeige(TDuengebedarfsfenster::SeiteHerbst);
  Druecken(u"alle berechneten drucken"_s);
  EXPECT_EQ(vorschauen, 0);
  EXPECT_EQ(meldungen.Infos(),
            QStringList({u"Keine druckbaren Elemente vorhanden."_s, u"Keine druckbaren Elemente vorhanden."_s}));
}

TEST_F(FensterDruck, OhneUmleitungOeffnetDieVorschau) {
  Stamm(224101, {{"Auswahl", 1}, {"TatsErtrag", 80}});
  Winterweizen(12);
  Winterweizen(13);
  TDuengebedarfsfenster& f = Fenster();
  f.Seiten()->setCurrentIndex(TDuengebedarfsfenster::SeiteStickstoff);
  QString zaehler;
  QTimer::singleShot(0, [&] {
    auto* v = qobject_cast<TDruckvorschau*>(QApplication::activeModalWidget());
    ASSERT_NE(v, nullptr);
    zaehler = v->Seitenzaehler();
    v->close();
  });
  Druecken(u"Alle berechneten drucken"_s);
  EXPECT_EQ(zaehler, u"Seite 1 / 2"_s);
  EXPECT_EQ(meldungen.protokoll, (QStringList{u"Warten: Die Blätter werden gezeichnet …"_s, u"Warten Ende"_s}));
}

// --- "Phosphor" -------------------------------------------------------------------------------

TEST_F(FensterDruck, PhosphorErgebnisRechnetUndDruckt) {
  Beispielfeld(12);
  Zeige(TDuengebedarfsfenster::SeitePhosphor);
  Druecken(u"Ergebnis drucken"_s);
  ASSERT_EQ(gedruckt.size(), 1);
  // 104 + 57.285 - 20 = 141.285 kg P2O5, 61.66 kg P.
  EXPECT_EQ(Zeilenwert(gedruckt[0], u"7."_s, u"Phosphordüngebedarf im Betrachtungszeitraum"_s), u"62 (141)"_s);
}

TEST_F(FensterDruck, PhosphorErgebnisDrucktAuchWennDieBerechnungStoppt) {
  // Without calculation date the page asks; "Nein" stops the run, the stored values are printed.
  Beispielfeld(12, {{"P_BerechnungsDatum", QVariant()}, {"P_DuengeBedarf", 50}, {"P2O5_DuengeBedarf", 114.6}});
  Zeige(TDuengebedarfsfenster::SeitePhosphor);
  meldungen.antworten = {false};
  Druecken(u"Ergebnis drucken"_s);
  EXPECT_TRUE(meldungen.antworten.empty());
  ASSERT_EQ(gedruckt.size(), 1);
  EXPECT_EQ(Zeilenwert(gedruckt[0], u"7."_s, u"Phosphordüngebedarf im Betrachtungszeitraum"_s), u"50 (115)"_s);
}

TEST_F(FensterDruck, PhosphorAlleBerechnetenNachDemJahreslauf) {
  Beispielfeld(30);
  Beispielfeld(10);
  // Without analysis date the rules leave no demand.
  Beispielfeld(20, {{"P_AnalyseDatum", QVariant()}, {"P_DuengeBedarf", 40}});
  Zeige(TDuengebedarfsfenster::SeitePhosphor);
  Druecken(u"Alle berechneten drucken"_s);
  ASSERT_EQ(gedruckt.size(), 2);
  EXPECT_EQ(ParzelleAuf(gedruckt[0]), 10);
  EXPECT_EQ(ParzelleAuf(gedruckt[1]), 30);
  for (const QString& s : gedruckt)
    EXPECT_EQ(Zeilenwert(s, u"6."_s, u"Phosphordüngebedarf der Einzeljahre"_s), u"62 (141)"_s);
}

// --- autumn ---------------------------------------------------------------------------------

TEST_F(FensterDruck, HerbstErgebnisVerlangtDasDatum) {
  Schlag(12, {{"Feldblock", "DEVLLI0123456789"}, {"Groesse", 2.5}, {"Phosphatgebiet", 1}, {"NutzungsForm", 1},
              {"HD_FA", 2}, {"HD_VF", 8}});
  Zeige(TDuengebedarfsfenster::SeiteHerbst);
  Druecken(u"Ergebnis drucken"_s);
  EXPECT_EQ(vorschauen, 0);
  EXPECT_EQ(meldungen.Infos(), QStringList{u"Bitte gültigen Wert eingeben/auswählen."_s});
  Sql(u"update Schlag set BerechnungsDatumHD = '2021-09-01'"_s);
  Zeige(TDuengebedarfsfenster::SeiteSchlag);
  Zeige(TDuengebedarfsfenster::SeiteHerbst);
  Druecken(u"Ergebnis drucken"_s);
  ASSERT_EQ(gedruckt.size(), 1);
  // Winter rape after cereals without long-term organic fertilisation: 60.
  EXPECT_EQ(Zeilenwert(gedruckt[0], u"4."_s, u"Emittelter Düngebdarf kg N ges./ha"_s), u"60"_s);
  EXPECT_TRUE(Enthaelt(gedruckt[0], u"(davon maximal kg NH4-N/ha) (30)"_s)) << gedruckt[0].toStdString();
}

TEST_F(FensterDruck, HerbstAlleBerechnetenDerSeiteUndDesJahres) {
  const auto feld = [this](int parzelle, int auflagen, double dng, double dngRg, int jahr = Jahr) {
    QVariantMap s = Vollstaendig;
    s.insert({{"BewirtschaftungsAuflagen", auflagen}, {"HD_DNG", dng}, {"HD_DNG_RG", dngRg}});
    Schlag(parzelle, s, jahr);
  };
  JahrAnlegen(2022);
  feld(10, 1, 60, 0);
  feld(11, 1, 0, 0);
  feld(12, 2, 60, 40);
  feld(13, 1, 40, 0, 2022);
  Zeige(TDuengebedarfsfenster::SeiteHerbst);
  Druecken(u"alle berechneten drucken"_s);
  ASSERT_EQ(gedruckt.size(), 1);
  EXPECT_EQ(ParzelleAuf(gedruckt[0]), 10);
  Zeige(TDuengebedarfsfenster::SeiteHerbstRG);
  Druecken(u"alle berechneten drucken"_s);
  ASSERT_EQ(gedruckt.size(), 1);
  EXPECT_EQ(ParzelleAuf(gedruckt[0]), 12);
  // The nitrate-area result of the field.
  EXPECT_EQ(Zeilenwert(gedruckt[0], u"4."_s, u"Emittelter Düngebdarf kg N ges./ha"_s), u"40"_s);
  // The page still lists its own fields of the year.
  const auto* seite = qobject_cast<THerbstSeite*>(Fenster().Seiten()->currentWidget());
  ASSERT_NE(seite, nullptr);
  EXPECT_EQ(seite->Liste().Anzahl(), 1);
}

}  // namespace
