// The demand window: fields and crop rows.
#include "anbauregeln.h"
#include "fensterhilfe.h"
#include "schlagdaten.h"

#include <QCheckBox>

namespace {

using Z = TADODataSetMod::TZustand;

class FensterAnbau : public FensterBetrieb {};

TEST_F(FensterAnbau, TitelUndGesperrteSeiten) {
  TDuengebedarfsfenster& f = Fenster();
  EXPECT_EQ(f.windowTitle(), QStringLiteral("Düngebedarfsermittlung:  Hof Linde / 2021"));
  QStringList seiten;
  for (int i = 0; i < f.Seiten()->count(); ++i) seiten << f.Seiten()->tabText(i);
  EXPECT_EQ(seiten, QStringList({"Schlag-Grunddaten", "Anbau", "Stickstoff", "Phosphor", "Herbstdüngung",
                                 "Herbstdüngung Nitratgebiet", "Karte"}));
  EXPECT_TRUE(f.Seiten()->isTabEnabled(2));
  EXPECT_TRUE(f.Seiten()->isTabEnabled(3));
  EXPECT_TRUE(f.Seiten()->isTabEnabled(4));
  EXPECT_TRUE(f.Seiten()->isTabEnabled(5));
}

TEST_F(FensterAnbau, NeuerSchlagMitVorgabenUndDoppelterParzelle) {
  Schlag(12);
  Fenster();
  Klick(QStringLiteral("neuen Schlag anlegen"));
  EXPECT_EQ(Schlaege().Zustand(), Z::Einfuegen);
  EXPECT_EQ(Schlaege().Wert(QStringLiteral("Feldblock")).toString(), QStringLiteral("DEVLLI"));
  EXPECT_EQ(Schlaege().Wert(QStringLiteral("Durchwurzelungstiefe")).toInt(), 90);
  EXPECT_EQ(Schlaege().Wert(QStringLiteral("Bundesland")).toInt(), 0);  // the fixture's year has none
  EXPECT_EQ(QApplication::focusWidget(), Eingabe(QStringLiteral("Gesamtparzellennummer *")));
  Tippen(QStringLiteral("Gesamtparzellennummer *"), QStringLiteral("12"));
  EXPECT_EQ(meldungen.Infos(), QStringList({"Diese Parzelle gibt es schon, bitte andere Nummer vergeben."}));
  EXPECT_EQ(QApplication::focusWidget(), Eingabe(QStringLiteral("Gesamtparzellennummer *")));
  meldungen.Leeren();
  Tippen(QStringLiteral("Gesamtparzellennummer *"), QStringLiteral("-5"));
  EXPECT_TRUE(meldungen.Infos().isEmpty());
  EXPECT_TRUE(Eingabe(QStringLiteral("Teilflächen"))->isVisible());
}

TEST_F(FensterAnbau, FeldblockGenau16Zeichen) {
  Schlag(12, {{"Feldblock", "DEVLLI0123456789"}});
  Fenster();
  TDBEditMod* fb = Eingabe(QStringLiteral("Feldblock *"));
  ASSERT_NE(fb, nullptr);
  EXPECT_EQ(fb->maxLength(), 16);
  fb->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(fb->cursorPosition(), 16);
  QTest::keyClick(fb, Qt::Key_Backspace);
  QTest::keyClick(fb, Qt::Key_Tab);
  EXPECT_EQ(meldungen.Infos(), QStringList({"Bitte exakt 16-stellig eingeben."}));
  // The typed text stays for correcting; the row keeps the block from before.
  EXPECT_EQ(QApplication::focusWidget(), fb);
  EXPECT_EQ(fb->text(), QStringLiteral("DEVLLI012345678"));
  EXPECT_EQ(Schlaege().Wert(QStringLiteral("Feldblock")).toString(), QStringLiteral("DEVLLI0123456789"));
  // Escape brings the old block back, and the user may leave.
  QTest::keyClick(fb, Qt::Key_Escape);
  EXPECT_EQ(fb->text(), QStringLiteral("DEVLLI0123456789"));
  QTest::keyClick(fb, Qt::Key_Tab);
  EXPECT_NE(QApplication::focusWidget(), fb);
  EXPECT_EQ(meldungen.Infos().size(), 1);
}

TEST_F(FensterAnbau, KurzerFeldblockHaeltDenFokusNichtFest) {
  // A block stored short (from an import) is no reason to keep the user in it.
  Schlag(12, {{"Feldblock", "DEVLLI0110"}, {"SchlagNr", "1"}});
  Fenster();
  TDBEditMod* fb = Eingabe(QStringLiteral("Feldblock *"));
  fb->setFocus(Qt::TabFocusReason);
  QTest::keyClick(fb, Qt::Key_Tab);
  EXPECT_NE(QApplication::focusWidget(), fb);
  Tippen(QStringLiteral("Schlag-Nr."), QStringLiteral("7"));
  Tippen(QStringLiteral("Größe *"), QStringLiteral("2,5"));
  EXPECT_TRUE(meldungen.Infos().isEmpty()) << meldungen.protokoll.join(u'\n').toStdString();
  ASSERT_TRUE(Schlaege().Speichern());
  EXPECT_EQ(Wert("select SchlagNr from Schlag").toString(), QStringLiteral("7"));
  EXPECT_DOUBLE_EQ(Wert("select Groesse from Schlag").toDouble(), 2.5);
  // Typed short, it is refused and not saved: the row keeps the stored block.
  Tippen(QStringLiteral("Feldblock *"), QStringLiteral("DEVLLI01101200"));
  EXPECT_EQ(meldungen.Infos(), QStringList({"Bitte exakt 16-stellig eingeben."}));
  Schlaege().Speichern();
  EXPECT_EQ(Wert("select Feldblock from Schlag").toString(), QStringLiteral("DEVLLI0110"));
}

TEST_F(FensterAnbau, BracheSetztKeineDuengungUndGruenlandZeigtBodenklasse) {
  Schlag(12);
  Fenster();
  Waehlen(Auswahl(QStringLiteral("Nutzungsform *")), 2);
  EXPECT_TRUE(Auswahl(QStringLiteral("Abschlag Boden-N-Nachlieferung (Grünland/Feldfutterbau) *"))->isVisible());
  EXPECT_FALSE(Element<QCheckBox>(QStringLiteral("Humusgehalt > 4 %"))->isVisible());
  EXPECT_TRUE(Schlagdaten::Unvollstaendig(Schlagdaten::Werte(Schlaege(), 0)));
  Waehlen(Auswahl(QStringLiteral("Nutzungsform *")), 4);
  EXPECT_EQ(Schlaege().Wert(QStringLiteral("KeineDuengung")).toInt(), 1);
  EXPECT_FALSE(Schlagdaten::Unvollstaendig(Schlagdaten::Werte(Schlaege(), 0)));
}

TEST_F(FensterAnbau, SpeichernSetztHumusGehaltsklasseUndKopiertBodenInKulturen) {
  Schlag(12, {{"Groesse", 3}, {"Feldblock", "DEVLLI0123456789"}, {"Phosphatgebiet", 1}, {"NutzungsForm", 1}});
  const qint64 id = Kultur(12, 224101);
  Fenster();
  Schlaege().setWert(QStringLiteral("BG"), 6);
  Schlaege().setWert(QStringLiteral("P_Methode"), 1);
  Schlaege().setWert(QStringLiteral("P_Gehalt"), 3.0);
  Schlaege().setWert(QStringLiteral("AZ"), 77);
  ASSERT_TRUE(Schlaege().Speichern());
  EXPECT_EQ(Wert("select HumusGroesserVier from Schlag").toInt(), 1);
  EXPECT_FALSE(Wert("select P_GehaltsKlasse from Schlag").toString().isEmpty());
  EXPECT_EQ(Von(id, "AZ").toInt(), 77);
  EXPECT_EQ(Von(id, "BG").toInt(), 6);
  EXPECT_EQ(Von(id, "HumusGroesserVier").toInt(), 1);
}

TEST_F(FensterAnbau, ZweiteZwischenfruchtBearbeitetDieVorhandene) {
  Schlag(12);
  Fenster();
  Klick(QStringLiteral("Zwischenfrucht anlegen"));
  EXPECT_EQ(Kulturen().Zustand(), Z::Einfuegen);
  Waehlen(Auswahl(QStringLiteral("Zwischenfrucht *")), 10);
  EXPECT_EQ(Kulturen().Wert(QStringLiteral("Kultur")).toString(),
            QStringLiteral("--Zwischenfrucht-- Leguminose, nicht abgefroren, im Frühjahr eingearbeitet"));
  ASSERT_TRUE(Kulturen().Speichern());
  EXPECT_EQ(Wert("select ZwischenfruchtText from Schlag").toString(),
            QStringLiteral("--Zwischenfrucht-- Leguminose, nicht abgefroren, im Frühjahr eingearbeitet"));
  // A legume catch crop keeps one fixation record.
  EXPECT_EQ(Anzahl("select count(*) from Dung where Kategorie = 3 and Nges = 105"), 1);
  Klick(QStringLiteral("Zwischenfrucht anlegen"));
  EXPECT_EQ(Kulturen().Zustand(), Z::Bearbeiten);
  EXPECT_EQ(Kulturen().Wert(QStringLiteral("FruchtNr")).toInt(), 0);
  Waehlen(Auswahl(QStringLiteral("Zwischenfrucht *")), 6);
  ASSERT_TRUE(Kulturen().Speichern());
  EXPECT_EQ(Anzahl("select count(*) from Anbau where FruchtNr = 0"), 1);
  EXPECT_EQ(Anzahl("select count(*) from Dung where Kategorie = 3"), 0);
}

TEST_F(FensterAnbau, HauptfruchtLoeschenRuecktFolgefruchtNach) {
  Schlag(12);
  const qint64 haupt = Kultur(12, 224101);
  const qint64 folge = Kultur(12, 236101, {{"FruchtNr", 2}, {"Kultur", "Winterraps"}});
  Fenster();
  ASSERT_TRUE(Kulturen().Suchen(haupt));
  meldungen.antworten = {true};
  Klick(QStringLiteral("Kultur löschen"));
  EXPECT_EQ(meldungen.protokoll.value(0), QStringLiteral("Frage: Kultur wirklich löschen?"));
  EXPECT_EQ(Von(folge, "FruchtNr").toInt(), 1);
  EXPECT_EQ(Anzahl("select count(*) from Anbau"), 1);
  EXPECT_EQ(Wert("select FA_NR from Schlag").toInt(), 236101);
  EXPECT_EQ(Wert("select Kultur_ID from Schlag").toLongLong(), folge);
}

TEST_F(FensterAnbau, ZwischenfruchtLoeschenSetzt14AufAlleZeilen) {
  Schlag(12, {{"Zwischenfrucht", 10}});
  Kultur(12, 10, {{"FruchtNr", 0}, {"Zwischenfrucht", 10}});
  const qint64 haupt = Kultur(12, 224101, {{"Zwischenfrucht", 10}});
  const qint64 folge = Kultur(12, 236101, {{"FruchtNr", 2}, {"Zwischenfrucht", 10}});
  Fenster();
  ASSERT_TRUE(Kulturen().Erster());
  ASSERT_EQ(Kulturen().Wert(QStringLiteral("FruchtNr")).toInt(), 0);
  meldungen.antworten = {true};
  Klick(QStringLiteral("Kultur löschen"));
  EXPECT_EQ(Von(haupt, "Zwischenfrucht").toInt(), 14);
  EXPECT_EQ(Von(folge, "Zwischenfrucht").toInt(), 14);
  EXPECT_EQ(Von(haupt, "ZwischenfruchtText").toString(), QStringLiteral("-------ohne-------"));
  EXPECT_EQ(Von(haupt, "FruchtNr").toInt(), 1);
  EXPECT_EQ(Wert("select Zwischenfrucht from Schlag").toInt(), 14);
}

TEST_F(FensterAnbau, KulturLoeschenMitNeinLaesstAlles) {
  Schlag(12);
  Kultur(12, 224101);
  Fenster();
  meldungen.antworten = {false};
  Klick(QStringLiteral("Kultur löschen"));
  EXPECT_EQ(Anzahl("select count(*) from Anbau"), 1);
}

TEST_F(FensterAnbau, KulturAnlegenSchlaegtVorjahresfruchtVor) {
  JahrAnlegen(2020);
  Schlag(12, {}, 2020);
  Kultur(12, 236101, {}, 2020);
  Kultur(12, 10, {{"FruchtNr", 0}}, 2020);
  Schlag(12);
  Vorauswahl(236101, 40);
  Fenster();
  Klick(QStringLiteral("Kultur anlegen"));
  EXPECT_EQ(Kulturen().Zustand(), Z::Einfuegen);
  EXPECT_EQ(Kulturen().Wert(QStringLiteral("FruchtNr")).toInt(), 1);
  EXPECT_EQ(Kulturen().Wert(QStringLiteral("Vorfrucht")).toInt(), 236101);
  EXPECT_EQ(Kulturen().Wert(QStringLiteral("VorfruchtText")).toString(), QStringLiteral("Winterraps"));
  EXPECT_EQ(QApplication::focusWidget(), Auswahl(QStringLiteral("Hauptfrucht *")));
}

TEST_F(FensterAnbau, FolgefruchtHatHauptfruchtAlsVorfrucht) {
  Schlag(12);
  Kultur(12, 224101, {{"TatsErtrag", 80}});
  Vorauswahl(236101, 40);
  Fenster();
  Klick(QStringLiteral("Kultur anlegen"));
  EXPECT_EQ(Kulturen().Wert(QStringLiteral("FruchtNr")).toInt(), 2);
  EXPECT_EQ(Kulturen().Wert(QStringLiteral("Vorfrucht")).toInt(), 224101);
  EXPECT_EQ(Wert("select Vorfrucht from Schlag").toInt(), 224101);
  EXPECT_EQ(Wert("select VFEinzelertrag from Schlag").toInt(), 80);
}

class Einzelertrag : public FensterAnbau, public ::testing::WithParamInterface<std::pair<double, double>> {};

TEST_P(Einzelertrag, AusserhalbDerGrenzenWirdMittelertrag) {
  Schlag(12);
  Stamm(224101, {{"Auswahl", 1}, {"TatsErtrag", 65}, {"IsEinzelErtrag", 1}, {"Ertragsniveau", 70}});
  Fenster();
  Klick(QStringLiteral("Kultur anlegen"));
  Waehlen(Auswahl(QStringLiteral("Hauptfrucht *")), 224101);
  EXPECT_TRUE(Eingabe(QStringLiteral("Ertrag *"))->isVisible());
  Kulturen().setWert(QStringLiteral("Einzelertrag"), GetParam().first);
  ASSERT_TRUE(Kulturen().Speichern());
  EXPECT_DOUBLE_EQ(Wert("select Einzelertrag from Anbau").toDouble(), GetParam().second);
  EXPECT_TRUE(meldungen.Infos().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Grenzen, Einzelertrag,
                         ::testing::Values(std::pair(300.0, 65.0), std::pair(6.9, 65.0), std::pair(7.0, 7.0),
                                           std::pair(157.5, 157.5)));

TEST_F(FensterAnbau, KulturSpeichernFuelltSchlagUndRechnetGruppe20) {
  Schlag(12);
  Vorauswahl(224101, 95);
  Fenster();
  Klick(QStringLiteral("Kultur anlegen"));
  Waehlen(Auswahl(QStringLiteral("Hauptfrucht *")), 224101);
  EXPECT_DOUBLE_EQ(Kulturen().Wert(QStringLiteral("TatsErtrag")).toDouble(), 95);
  EXPECT_TRUE(Kulturen().Wert(QStringLiteral("Duengebedarf")).isNull());
  ASSERT_TRUE(Kulturen().Speichern());
  const qint64 id = Wert("select ID from Anbau").toLongLong();
  EXPECT_EQ(Von(id, "Zwischenfrucht").toInt(), 14);
  EXPECT_DOUBLE_EQ(Von(id, "Stickstoffbedarfswert").toDouble(), 230);
  EXPECT_EQ(Wert("select HauptfruchtNummer from Schlag").toInt(), 224101);
  EXPECT_EQ(Wert("select Kultur_ID from Schlag").toLongLong(), id);
  EXPECT_EQ(Wert("select Kultur from Schlag").toString(), QStringLiteral("Winterweizen A, B"));
  EXPECT_EQ(Kulturen().Wert(QStringLiteral("ID")).toLongLong(), id);
}

TEST_F(FensterAnbau, LeguminoseHatEinenDatensatzUndVerliertIhnBeimWechsel) {
  Schlag(12);
  Vorauswahl(262101, 35);
  Vorauswahl(224101, 80);
  Fenster();
  Klick(QStringLiteral("Kultur anlegen"));
  Waehlen(Auswahl(QStringLiteral("Hauptfrucht *")), 262101);
  ASSERT_TRUE(Kulturen().Speichern());
  const qint64 id = Wert("select ID from Anbau").toLongLong();
  EXPECT_EQ(Anzahl(QStringLiteral("select count(*) from Dung where Kategorie = 3 and ProbenID = %1").arg(id)), 1);
  EXPECT_EQ(Wert("select DngNummer from Dung").toInt(), 262101);
  EXPECT_EQ(Wert("select IsLegumPauschal from Dung").toInt(), 1);
  // Saving again refreshes the one record.
  Kulturen().Bearbeiten();
  Kulturen().setWert(QStringLiteral("Leguminosenanteil"), 5);
  ASSERT_TRUE(Kulturen().Speichern());
  EXPECT_EQ(Anzahl("select count(*) from Dung where Kategorie = 3"), 1);
  Waehlen(Auswahl(QStringLiteral("Hauptfrucht *")), 224101);
  ASSERT_TRUE(Kulturen().Speichern());
  EXPECT_EQ(Anzahl("select count(*) from Dung where Kategorie = 3"), 0);
}

TEST_F(FensterAnbau, SchlagteilungKopiertBodenOhneKulturenUndNmin) {
  Schlag(12, {{"P2O5_Gehalt", 15.5}, {"P_Methode", 1}, {"Nmin_0_30", 30}, {"Quelle_0_30", 1}, {"SchlagName", "Am Bach"},
              {"HauptfruchtNummer", 224101}, {"Kultur", "Winterweizen A, B"}});
  Kultur(12, 224101);
  Fenster();
  meldungen.zahlen = {12};
  Klick(QStringLiteral("Schlagteilung"));
  EXPECT_EQ(meldungen.Infos(), QStringList({"Diese Parzellennummer ist schon vergeben."}));
  meldungen.zahlen = {112};
  Klick(QStringLiteral("Schlagteilung"));
  const QString neu = QStringLiteral("from Schlag where Parzelle = 112");
  EXPECT_EQ(Wert("select BG " + neu).toInt(), 3);
  EXPECT_EQ(Wert("select AZ " + neu).toInt(), 60);
  EXPECT_DOUBLE_EQ(Wert("select P2O5_Gehalt " + neu).toDouble(), 15.5);
  EXPECT_EQ(Wert("select SchlagName " + neu).toString(), QStringLiteral("Am Bach"));
  EXPECT_DOUBLE_EQ(Wert("select Nmin_0_30 " + neu).toDouble(), 0);
  EXPECT_EQ(Wert("select Quelle_0_30 " + neu).toInt(), 0);
  EXPECT_EQ(Wert("select HauptfruchtNummer " + neu).toInt(), 0);
  EXPECT_EQ(Wert("select Kultur " + neu).toString(), QString());
  EXPECT_EQ(Anzahl("select count(*) from Anbau where Parzelle = 112"), 0);
  EXPECT_EQ(Schlaege().Wert(QStringLiteral("Parzelle")).toInt(), 112);
}

TEST_F(FensterAnbau, SchlagLoeschenNachFrage) {
  Schlag(12);
  Kultur(12, 224101);
  Fenster();
  meldungen.antworten = {true};
  Klick(QStringLiteral("Schlag löschen"));
  EXPECT_EQ(meldungen.protokoll.value(0), QStringLiteral("Frage: Schlag wirklich löschen?"));
  EXPECT_EQ(Anzahl("select count(*) from Schlag"), 0);
  EXPECT_EQ(Anzahl("select count(*) from Anbau"), 0);
}

TEST_F(FensterAnbau, SuchenNachNummerNameUndKultur) {
  Schlag(1, {{"SchlagNr", 5}, {"SchlagName", "Am Bach"}});
  Schlag(2, {{"SchlagNr", 7}, {"SchlagName", "Hinterm Hof"}, {"Kultur", "Winterraps"}});
  TDuengebedarfsfenster& f = Fenster();
  f.Suchen(QStringLiteral("7"));
  EXPECT_EQ(Schlaege().Wert(QStringLiteral("Parzelle")).toInt(), 2);
  f.Suchen(QStringLiteral("am b"));
  EXPECT_EQ(Schlaege().Wert(QStringLiteral("Parzelle")).toInt(), 1);
  f.Suchen(QStringLiteral("winterraps"));
  EXPECT_EQ(Schlaege().Wert(QStringLiteral("Parzelle")).toInt(), 2);
  f.Suchen(QStringLiteral("Zuckerrüben"));
  EXPECT_EQ(meldungen.piepser, 1);
}

TEST_F(FensterAnbau, OhneDuengejahrKeinSchlag) {
  Sql("delete from DuengeJahr");
  Fenster();
  Klick(QStringLiteral("neuen Schlag anlegen"));
  EXPECT_EQ(meldungen.Infos(), QStringList({"Sie müssen erst ein Düngejahr anlegen."}));
}

TEST(Anbauregeln, Ertragseinheit) {
  EXPECT_EQ(Anbauregeln::Ertragseinheit(251201), QStringLiteral(" dt TM/ha"));
  EXPECT_EQ(Anbauregeln::Ertragseinheit(224101), QStringLiteral(" dt FM/ha"));
  EXPECT_EQ(Anbauregeln::Ertragseinheit(149301), QStringLiteral(" dt FM/ha"));
}

}  // namespace

namespace {

TEST_F(FensterAnbau, GemueseNachEinarbeitungVorVierWochenZaehltEinDrittel) {
  Schlag(12);
  Vorauswahl(149301, 350);
  TDuengebedarfsfenster& f = Fenster();
  Klick(QStringLiteral("Kultur anlegen"));
  Waehlen(Auswahl(QStringLiteral("Hauptfrucht *")), 149301);
  Waehlen(Auswahl(QStringLiteral("Vorfrucht")), 149301);
  auto* haken = Element<QCheckBox>(QStringLiteral("Nmin-Probenahme mind. 4 Wochen nach Einarbeitung der Vorfrucht"));
  ASSERT_NE(haken, nullptr);
  EXPECT_TRUE(haken->isVisibleTo(&f));  // shown for vegetables
  QTest::mouseClick(haken, Qt::LeftButton, {}, QPoint(4, haken->height() / 2));
  ASSERT_TRUE(Kulturen().Speichern());
  const qint64 id = Wert("select ID from Anbau").toLongLong();
  EXPECT_EQ(Von(id, "Is1MonatVorher").toInt(), 1);
  // Blumenkohl as previous crop deducts 80; a third of it.
  EXPECT_NEAR(Von(id, "VfAbschlag").toDouble(), 80 / 3.0, 1e-9);
}

}  // namespace
