// The nitrogen page's rules without the window: what stops "Berechnen", the
// range warning, the Nmin checks and the captions by year and nitrate area.
#include "stickstoffpruefung.h"

#include "stickstoffbetrieb.h"

#include <functional>

namespace {

using Stickstoffpruefung::TBerechnenWerte;
using Stickstoffpruefung::THindernis;

// An arable crop row that may run: crop chosen, Nmin sampled and above 0.
TBerechnenWerte Bereit() {
  TBerechnenWerte w;
  w.hauptfruchtNummer = 224101;
  w.ertragsniveau = 80;
  w.nmin = 60;
  w.kulturGruppe = 1;
  w.probenahmetiefe = 90;
  return w;
}

TEST(Stickstoffpruefung, HindernisInDerReihenfolgeDerPruefungen) {
  struct TFall {
    const char* name;
    std::function<void(TBerechnenWerte&)> aendern;
    THindernis hindernis;
  };
  const TFall faelle[] = {
      {"bereit", [](TBerechnenWerte&) {}, THindernis::Keines},
      {"Schlag unvollständig", [](TBerechnenWerte& w) { w.schlagUnvollstaendig = true, w.hauptfruchtNummer = 0; },
       THindernis::SchlagUnvollstaendig},
      {"ohne Kultur", [](TBerechnenWerte& w) { w.hauptfruchtNummer = 0, w.keineDuengung = true; },
       THindernis::KulturUnvollstaendig},
      {"Einzelertrag 0", [](TBerechnenWerte& w) { w.isEinzelErtrag = true; }, THindernis::KulturUnvollstaendig},
      {"Einzelertrag 0,1", [](TBerechnenWerte& w) { w.isEinzelErtrag = true, w.einzelertrag = 0.1; }, THindernis::Keines},
      {"keine Düngung", [](TBerechnenWerte& w) { w.keineDuengung = true, w.nmin = 0; }, THindernis::KeineDuengung},
      {"Ertragsniveau 1", [](TBerechnenWerte& w) { w.ertragsniveau = 1, w.nmin = 0; }, THindernis::OhneErtragsniveau},
      {"Nmin 0", [](TBerechnenWerte& w) { w.nmin = 0; }, THindernis::NminFehlt},
      {"Nmin 0, Gemüse", [](TBerechnenWerte& w) { w.nmin = 0, w.kulturGruppe = 3; }, THindernis::NminFehlt},
      {"Nmin 0, Grünland", [](TBerechnenWerte& w) { w.nmin = 0, w.kulturGruppe = 2; }, THindernis::Keines},
      {"Nmin 0, keine Probe", [](TBerechnenWerte& w) { w.nmin = 0, w.probenahmetiefe = 0; }, THindernis::Keines},
      {"Nmin negativ", [](TBerechnenWerte& w) { w.nmin = -3; }, THindernis::NminFehlt},
  };
  for (const auto& f : faelle) {
    TBerechnenWerte w = Bereit();
    f.aendern(w);
    EXPECT_EQ(Stickstoffpruefung::Hindernis(w), f.hindernis) << f.name;
  }
  EXPECT_EQ(Stickstoffpruefung::Meldung(THindernis::KeineDuengung),
            QStringLiteral("es wurde \"keine Düngung\" ausgewählt, daher wird nichts berechnet."));
  EXPECT_EQ(Stickstoffpruefung::Meldung(THindernis::NminFehlt),
            QStringLiteral("Bitte prüfen Sie Ihre Nmin-Eingaben. Wert muss größer als 0 sein."));
  for (THindernis h : {THindernis::Keines, THindernis::SchlagUnvollstaendig, THindernis::KulturUnvollstaendig,
                       THindernis::OhneErtragsniveau})
    EXPECT_TRUE(Stickstoffpruefung::Meldung(h).isEmpty());
}

class StickstoffpruefungBetrieb : public StickstoffBetrieb {};

TEST_F(StickstoffpruefungBetrieb, VorDemBerechnenLiestKulturUndSchlag) {
  const QVariantMap vollstaendig = {{"Feldblock", "DEVLLI0123456789"}, {"Groesse", 2.5}, {"Phosphatgebiet", 1},
                                    {"NutzungsForm", 1}};
  Schlag(12, vollstaendig);
  QVariantMap ohneAz = vollstaendig;
  ohneAz[QStringLiteral("AZ")] = 0;
  Schlag(13, ohneAz);
  const QVariantMap bereit = {{"Nmin", 60}, {"Probenahmetiefe", 90}, {"Ertragsniveau", 80}};
  const qint64 gut = Kultur(12, 224101, bereit);
  QVariantMap ohneErtrag = bereit;
  ohneErtrag[QStringLiteral("IsEinzelErtrag")] = 1;
  ohneErtrag[QStringLiteral("FruchtNr")] = 2;
  const qint64 einzel = Kultur(12, 224101, ohneErtrag);
  const qint64 schlag = Kultur(13, 224101, bereit);
  EXPECT_EQ(Stickstoffpruefung::VorDemBerechnen(db, gut), THindernis::Keines);
  EXPECT_EQ(Stickstoffpruefung::VorDemBerechnen(db, einzel), THindernis::KulturUnvollstaendig);
  EXPECT_EQ(Stickstoffpruefung::VorDemBerechnen(db, schlag), THindernis::SchlagUnvollstaendig);
  EXPECT_EQ(Stickstoffpruefung::VorDemBerechnen(db, einzel + 100), THindernis::Keines);  // no such row
}

TEST(Stickstoffpruefung, ErtragFehltNachGerundetemMittelertrag) {
  EXPECT_TRUE(Stickstoffpruefung::ErtragFehlt(1, 0));
  EXPECT_TRUE(Stickstoffpruefung::ErtragFehlt(1, 0.49));
  EXPECT_FALSE(Stickstoffpruefung::ErtragFehlt(1, 0.5));
  EXPECT_TRUE(Stickstoffpruefung::ErtragFehlt(2, -4));
  EXPECT_FALSE(Stickstoffpruefung::ErtragFehlt(0, 0));
}

TEST(Stickstoffpruefung, ErtragFehltNenntDenErtragDesNitratgebietes) {
  const QString allgemein = QStringLiteral("Bitte für die Kultur in der Vorauswahl einen gültigen Ertrag eingeben.");
  const struct {
    int jahr;
    bool nitratgebiet;
    bool nenntNitratgebiet;
  } faelle[] = {{2020, true, false}, {2021, false, false}, {2021, true, true}, {2024, true, true}};
  for (const auto& f : faelle) {
    const QString text = Stickstoffpruefung::ErtragFehltText(QStringLiteral("Silomais"), f.jahr, f.nitratgebiet);
    if (!f.nenntNitratgebiet) {
      EXPECT_EQ(text, allgemein) << f.jahr;
      continue;
    }
    EXPECT_TRUE(text.startsWith(QStringLiteral("Für die Kultur „Silomais“ fehlt der Ertrag im Nitratgebiet."))) << f.jahr;
    EXPECT_TRUE(text.contains(QStringLiteral("„Tatsächlicher durchschnittlicher Ertrag Nitratgebiet 2015-2019“")));
  }
}

TEST(Stickstoffpruefung, BereichswarnungNachKulturgruppe) {
  const QString warnung = QStringLiteral(
      "Der errechnete Düngebedarf von %1 kg N/ha liegt außerhalb des normalen Bereichs. Bitte püfen Sie Ihre Eingaben "
      "oder setzen Sie sich ggf. mit dem zuständigen Ansprechpartner in Verbindung.");
  const struct {
    int gruppe;
    int bedarf;
    bool warnt;
  } faelle[] = {{1, 280, false}, {1, 281, true}, {2, 650, false}, {2, 651, true}, {2, 300, false},
                {3, 900, false}, {0, 900, false}};
  for (const auto& f : faelle)
    EXPECT_EQ(Stickstoffpruefung::Bereichswarnung(f.gruppe, f.bedarf), f.warnt ? warnung.arg(f.bedarf) : QString())
        << f.gruppe << "/" << f.bedarf;
}

TEST(Stickstoffpruefung, DritteSchichtNurAusZweiAnalysiertenSchichten) {
  const struct {
    double s1, s2, s3;
    int quelle;
    bool ableitbar;
  } faelle[] = {{40, 20, 0, 1, true},  {40, 20, 0, 4, true},  {40, 20, 0, 2, false}, {40, 20, 5, 1, false},
                {0, 20, 0, 1, false},  {40, 0, 0, 1, false},  {40, 20, -1, 1, true}};
  for (const auto& f : faelle)
    EXPECT_EQ(Stickstoffpruefung::DritteSchichtAbleitbar(f.s1, f.s2, f.s3, f.quelle), f.ableitbar)
        << f.s1 << "/" << f.s2 << "/" << f.s3 << " Quelle " << f.quelle;
}

TEST(Stickstoffpruefung, DatumswarnungAusserhalbDesJahres) {
  const QString warnung = QStringLiteral("Achtung! Berechnungsdatum liegt nicht im ausgewählten Jahr");
  EXPECT_EQ(Stickstoffpruefung::Datumswarnung(QStringLiteral("2020-12-31"), 2021), warnung);
  EXPECT_EQ(Stickstoffpruefung::Datumswarnung(QStringLiteral("2022-01-01 00:00:00"), 2021), warnung);
  EXPECT_TRUE(Stickstoffpruefung::Datumswarnung(QStringLiteral("2021-01-01"), 2021).isEmpty());
  EXPECT_TRUE(Stickstoffpruefung::Datumswarnung(QStringLiteral("2021-12-31 10:00:00"), 2021).isEmpty());
  EXPECT_TRUE(Stickstoffpruefung::Datumswarnung(QVariant(), 2021).isEmpty());
}

TEST(Stickstoffpruefung, BeschriftungenNachJahrUndNitratgebiet) {
  const struct {
    int seite, jahr;
    bool nitratgebiet;
    const char* text;
  } faelle[] = {
      {0, 2020, true, "4. tatsächliches Ertragsniveau 3-j. Mittel (dt/ha)"},
      {0, 2021, false, "4. tatsächliches Ertragsniveau 5-j. Mittel (dt/ha)"},
      {0, 2021, true, "4. tats. Ertragsniveau Mittel 2015-2019 (dt/ha)"},
      {1, 2020, false, "5. tatsächliches Ertragsniveau 3-j. Mittel (dt TM/ha)"},
      {1, 2022, true, "5. tats. Ertragsniveau Mittel 2015-2019 (dt TM/ha)"},
      {2, 2021, false, "4. tatsächliches Ertragsniveau 5-j. Mittel (dt/ha)"},
  };
  for (const auto& f : faelle)
    EXPECT_EQ(Stickstoffpruefung::Ertragsbeschriftung(f.seite, f.jahr, f.nitratgebiet), QString::fromUtf8(f.text))
        << f.seite << "/" << f.jahr << "/" << f.nitratgebiet;
  EXPECT_EQ(Stickstoffpruefung::Rohproteinbeschriftung(2020),
            QStringLiteral("6. tatsächlicher Rohproteingehalt 3-j. Mittel (% RP TM )"));
  EXPECT_EQ(Stickstoffpruefung::Rohproteinbeschriftung(2021),
            QStringLiteral("6. tatsächlicher Rohproteingehalt 5-j. Mittel (% RP TM )"));
  EXPECT_EQ(Stickstoffpruefung::Auswertungsseite(1), 0);
  EXPECT_EQ(Stickstoffpruefung::Auswertungsseite(2), 1);
  EXPECT_EQ(Stickstoffpruefung::Auswertungsseite(3), 2);
  EXPECT_EQ(Stickstoffpruefung::Auswertungsseite(0), 0);
}

}  // namespace
