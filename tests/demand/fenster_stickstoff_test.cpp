// The demand window: Nmin inputs, their source checks and "Berechnen".
#include "anbauregeln.h"
#include "fensterhilfe.h"
#include "schlagdaten.h"

#include <QAccessible>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>

namespace {

const QVariantMap Vollstaendig = {{"Feldblock", "DEVLLI0123456789"}, {"Groesse", 2.5}, {"Phosphatgebiet", 1},
                                  {"NutzungsForm", 1}};

class FensterStickstoff : public FensterBetrieb {
protected:
  // A complete field with a winter wheat row whose Nmin is entered; returns the row.
  qint64 Weizen(const QVariantMap& schlag = {}, const QVariantMap& kultur = {}) {
    QVariantMap s = Vollstaendig;
    for (auto it = schlag.begin(); it != schlag.end(); ++it) s[it.key()] = it.value();
    Schlag(12, s);
    QVariantMap k = {{"Nmin_0_30", 30}, {"Nmin_30_60", 20}, {"Nmin_60_90", 10}, {"Nmin", 60},
                     {"Probenahmetiefe", 90}, {"Kultur", "Winterweizen A, B"}, {"Duengebedarf", QVariant()}};
    for (auto it = kultur.begin(); it != kultur.end(); ++it) k[it.key()] = it.value();
    return Kultur(12, 224101, k);
  }
  TDuengebedarfsfenster& Stickstoffseite() {
    TDuengebedarfsfenster& f = Fenster();
    f.Seiten()->setCurrentIndex(TDuengebedarfsfenster::SeiteStickstoff);
    return f;
  }
  // The value or note of the evaluation page shown.
  QWidget* Gezeigt(const QString& name) {
    for (auto* w : Fenster().findChildren<QWidget*>())
      if (w->accessibleName() == name && w->parentWidget()->isVisible() &&
          (qobject_cast<QLabel*>(w) || qobject_cast<QLineEdit*>(w)))
        return w;
    return nullptr;
  }
  QString Text(const QString& name) {
    QWidget* w = Gezeigt(name);
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    return QStringLiteral("<fehlt>");
  }
  bool Sichtbar(const QString& name) {
    auto* l = Gezeigt(name);
    return l && l->isVisible();
  }
};

TEST(Quellen, PruefungenInIhrerReihenfolge) {
  using Anbauregeln::QuellenPruefen;
  auto e = QuellenPruefen(1, 4, 15);
  EXPECT_EQ(e.quelle6090, 0);
  EXPECT_EQ(e.meldung, QStringLiteral("Es kann nicht einmal Bodenuntersuchung MIT Steingehalt und einmal "
                                      "Bodenuntersuchung OHNE Steingehalt ausgewählt werden."));
  EXPECT_FALSE(e.ableiten);
  e = QuellenPruefen(4, 2, 15);
  EXPECT_EQ(e.quelle6090, 3);
  EXPECT_EQ(e.meldung, QStringLiteral("Bei Auswahl von Analysewerten für die 1. und 2. Schicht ist die Verwendung von "
                                      "Richtwerten für die 3. Schicht nicht zulässig."));
  EXPECT_TRUE(e.ableiten);
  e = QuellenPruefen(1, 2, 13);
  EXPECT_EQ(e.quelle6090, 2);
  EXPECT_TRUE(e.meldung.isEmpty());
  e = QuellenPruefen(2, 3, 15);
  EXPECT_EQ(e.quelle6090, 2);
  EXPECT_EQ(e.meldung, QStringLiteral("Bei Auswahl von Richtwerten für die 1. und 2. Schicht ist keine Berechung der "
                                      "dritten Schicht möglich."));
  e = QuellenPruefen(2, 1, 15);
  EXPECT_EQ(e.quelle6090, 2);
  EXPECT_EQ(e.meldung, QStringLiteral("Bei Auswahl von Richtwerten für die 1. und 2. Schicht sind keine Analysenwerte "
                                      "in der dritten Schicht zulässig."));
  e = QuellenPruefen(1, 3, 15);
  EXPECT_TRUE(e.meldung.isEmpty());
  EXPECT_TRUE(e.ableiten);
  e = QuellenPruefen(1, 1, 15);
  EXPECT_FALSE(e.ableiten);
}

TEST_F(FensterStickstoff, RichtwerteFuerSchicht3NachAnalyseWerdenAbgeleitet) {
  const qint64 id = Weizen({}, {{"Nmin_0_30", 40}, {"Nmin_60_90", 0}});
  Stickstoffseite();
  ASSERT_EQ(Stickstoffliste().Wert(QStringLiteral("ID")).toLongLong(), id);
  Waehlen(Auswahl(QStringLiteral("Datenherkunft 60-90 cm")), 2);
  EXPECT_EQ(meldungen.Infos(), QStringList({"Bei Auswahl von Analysewerten für die 1. und 2. Schicht ist die "
                                            "Verwendung von Richtwerten für die 3. Schicht nicht zulässig."}));
  EXPECT_EQ(Von(id, "Quelle_60_90").toInt(), 3);
  // AZ 60, layers 40 and 20, soil group 3: 9 - 2 + 14 - 6 + 8.
  EXPECT_DOUBLE_EQ(Von(id, "Nmin_60_90").toDouble(), 23);
  EXPECT_EQ(Stickstoffliste().Zustand(), TADODataSetMod::TZustand::Bearbeiten);
}

TEST_F(FensterStickstoff, GemischteAnalysenLeerenDieQuelle) {
  const qint64 id = Weizen();
  Stickstoffseite();
  Waehlen(Auswahl(QStringLiteral("Datenherkunft 60-90 cm")), 4);
  EXPECT_EQ(meldungen.Infos().size(), 1);
  EXPECT_EQ(Stickstoffliste().Wert(QStringLiteral("Quelle_60_90")).toInt(), 0);
  EXPECT_DOUBLE_EQ(Von(id, "Nmin_60_90").toDouble(), 10);
}

TEST_F(FensterStickstoff, RichtwerteUndAbleitungGebenRichtwerte) {
  Weizen({}, {{"Quelle_0_30", 2}});
  Stickstoffseite();
  Waehlen(Auswahl(QStringLiteral("Datenherkunft 60-90 cm")), 3);
  EXPECT_EQ(meldungen.Infos(), QStringList({"Bei Auswahl von Richtwerten für die 1. und 2. Schicht ist keine "
                                            "Berechung der dritten Schicht möglich."}));
  EXPECT_EQ(Stickstoffliste().Wert(QStringLiteral("Quelle_60_90")).toInt(), 2);
}

TEST_F(FensterStickstoff, DoppelklickLeitetNurEineLeereDritteSchichtAb) {
  const qint64 id = Weizen({}, {{"Nmin_0_30", 40}, {"Nmin_60_90", 0}});
  Stickstoffseite();
  TDBEditMod* s3 = Eingabe(QStringLiteral("Nmin 60-90 cm (kg N/ha)"));
  ASSERT_NE(s3, nullptr);
  QTest::mouseDClick(s3, Qt::LeftButton);
  EXPECT_EQ(Von(id, "Quelle_60_90").toInt(), 3);
  EXPECT_DOUBLE_EQ(Von(id, "Nmin_60_90").toDouble(), 23);
  Sql("update Anbau set Nmin_60_90 = 5, Quelle_60_90 = 1");
  FensterBetrieb::fenster.reset();
  Stickstoffseite();
  QTest::mouseDClick(Eingabe(QStringLiteral("Nmin 60-90 cm (kg N/ha)")), Qt::LeftButton);
  EXPECT_DOUBLE_EQ(Von(id, "Nmin_60_90").toDouble(), 5);
}

TEST_F(FensterStickstoff, VerlassenSetztSchlichteSumme) {
  Weizen({}, {{"Nmin", 0}});
  Stickstoffseite();
  Tippen(QStringLiteral("Nmin 0-30 cm (kg N/ha)"), QStringLiteral("35"));
  EXPECT_DOUBLE_EQ(Stickstoffliste().Wert(QStringLiteral("Nmin")).toDouble(), 65);
}

TEST_F(FensterStickstoff, NminMerkenUndSetzen) {
  Weizen();
  Schlag(13, Vollstaendig);
  Kultur(13, 224101, {{"Nmin_0_30", 0}});
  Stickstoffseite();
  EXPECT_FALSE(Element<QPushButton>(QStringLiteral("Nmin setzen"))->isEnabled());
  Klick(QStringLiteral("Nmin merken"));
  EXPECT_TRUE(Element<QPushButton>(QStringLiteral("Nmin setzen"))->isEnabled());
  ASSERT_TRUE(Stickstoffliste().Naechster());
  Klick(QStringLiteral("Nmin setzen"));
  EXPECT_DOUBLE_EQ(Wert("select Nmin_0_30 from Anbau where Parzelle = 13").toDouble(), 30);
  EXPECT_DOUBLE_EQ(Wert("select Nmin from Anbau where Parzelle = 13").toDouble(), 60);
  EXPECT_EQ(Wert("select Quelle_60_90 from Anbau where Parzelle = 13").toInt(), 1);
}

TEST_F(FensterStickstoff, BerechnenVerweigertOhneDuengung) {
  const qint64 id = Weizen({{"KeineDuengung", 1}}, {{"KeineDuengung", 1}});
  Vorauswahl(224101, 80);
  Stickstoffseite();
  Klick(QStringLiteral("Berechnen"));
  EXPECT_EQ(meldungen.Infos(),
            QStringList({"es wurde \"keine Düngung\" ausgewählt, daher wird nichts berechnet."}));
  EXPECT_TRUE(Von(id, "Duengebedarf").isNull());
}

TEST_F(FensterStickstoff, BerechnenWarntUeber280UndSpeichert) {
  const qint64 id = Weizen();
  Stamm(224101, {{"Auswahl", 1}, {"TatsErtrag", 80}, {"Stickstoffbedarfswert", 400}});
  Stickstoffseite();
  Klick(QStringLiteral("Berechnen"));
  // 400 - (30 + 20 + 10 × 0,5).
  EXPECT_EQ(meldungen.Infos(),
            QStringList({"Der errechnete Düngebedarf von 345 kg N/ha liegt außerhalb des normalen Bereichs. Bitte "
                         "püfen Sie Ihre Eingaben oder setzen Sie sich ggf. mit dem zuständigen Ansprechpartner in "
                         "Verbindung."}));
  EXPECT_DOUBLE_EQ(Von(id, "Duengebedarf").toDouble(), 345);
  EXPECT_EQ(Text(QStringLiteral("Düngebedarf (kg N/ha)")), QStringLiteral("345"));
}

TEST_F(FensterStickstoff, BerechnenWarntBeiGruenlandErstUeber650) {
  Schlag(12, {{"Feldblock", "DEVLLI0123456789"}, {"Groesse", 2.5}, {"Phosphatgebiet", 1}, {"NutzungsForm", 2},
              {"GL_Bodenart", 1}});
  const qint64 id = Kultur(12, 251201, {{"KulturGruppe", 2}, {"Kultur", "Ackergras"}});
  Stamm(251201, {{"Auswahl", 1}, {"TatsErtrag", 100}, {"Stickstoffbedarfswert", 600}});
  TDuengebedarfsfenster& f = Stickstoffseite();
  EXPECT_EQ(f.StickstoffSeite().Auswertungsseite(), 1);
  EXPECT_FALSE(Element<QWidget>(QStringLiteral("Nmin"))->isVisible());
  Klick(QStringLiteral("Berechnen"));
  const double bedarf = Von(id, "Duengebedarf").toDouble();
  EXPECT_GT(bedarf, 280);
  EXPECT_LE(bedarf, 650);
  EXPECT_TRUE(meldungen.Infos().isEmpty()) << meldungen.Infos().join(QLatin1Char('\n')).toStdString();
}

TEST_F(FensterStickstoff, BerechnenVerlangtDatumUndNmin) {
  const qint64 id = Weizen({}, {{"BerechnungsDatum", QVariant()}});
  Vorauswahl(224101, 80);
  Stickstoffseite();
  Klick(QStringLiteral("Berechnen"));
  EXPECT_EQ(meldungen.Infos(), QStringList({"Bitte gültigen Wert eingeben/auswählen."}));
  EXPECT_EQ(QApplication::focusWidget(), Eingabe(QStringLiteral("Berechnungsdatum *")));
  EXPECT_TRUE(Von(id, "Duengebedarf").isNull());
}

TEST_F(FensterStickstoff, BerechnenPrueftSchlagdaten) {
  Weizen({{"AZ", 0}});
  Vorauswahl(224101, 80);
  TDuengebedarfsfenster& f = Stickstoffseite();
  Klick(QStringLiteral("Berechnen"));
  EXPECT_EQ(meldungen.Infos(), QStringList({"Bitte gültigen Wert eingeben/auswählen."}));
  EXPECT_EQ(f.Seiten()->currentIndex(), int(TDuengebedarfsfenster::SeiteSchlag));
  EXPECT_EQ(QApplication::focusWidget(), Eingabe(QStringLiteral("Ackerzahl *")));
}

TEST_F(FensterStickstoff, BerechnenZeigtDieKulturOhneEinzelertrag) {
  const qint64 id = Weizen({}, {{"IsEinzelErtrag", 1}, {"Einzelertrag", 0}});
  Vorauswahl(224101, 80);
  TDuengebedarfsfenster& f = Stickstoffseite();
  Klick(QStringLiteral("Berechnen"));
  EXPECT_EQ(meldungen.Infos(), QStringList({"Bitte gültigen Wert eingeben/auswählen."}));
  EXPECT_EQ(f.Seiten()->currentIndex(), int(TDuengebedarfsfenster::SeiteAnbau));
  EXPECT_EQ(Kulturen().Wert(QStringLiteral("ID")).toLongLong(), id);
  EXPECT_EQ(QApplication::focusWidget(), Eingabe(QStringLiteral("Ertrag *")));
  EXPECT_TRUE(Von(id, "Duengebedarf").isNull());
}

TEST_F(FensterStickstoff, BerechnenVerlangtNminUeberNull) {
  const qint64 id = Weizen({}, {{"Nmin", 0}});
  Vorauswahl(224101, 80);
  Stickstoffseite();
  Klick(QStringLiteral("Berechnen"));
  EXPECT_EQ(meldungen.Infos(), QStringList({"Bitte prüfen Sie Ihre Nmin-Eingaben. Wert muss größer als 0 sein."}));
  EXPECT_TRUE(Von(id, "Duengebedarf").isNull());
}

// Without the mean yield nothing is calculated: the message names the yield
// that is missing, and the result is empty, not 0, also after an earlier run.
TEST_F(FensterStickstoff, BerechnenVerlangtErtrag) {
  const QString ertragNitratgebiet = QStringLiteral(
      "Für die Kultur „Winterweizen A, B“ fehlt der Ertrag im Nitratgebiet. Der Schlag liegt im Nitratgebiet; dort gilt "
      "der mittlere Ertrag der Jahre 2015 bis 2019. Bitte tragen Sie ihn in der Vorauswahl bei der Kultur unter "
      "„Tatsächlicher durchschnittlicher Ertrag Nitratgebiet 2015-2019“ ein.");
  const struct {
    const char* name;
    int nitratgebiet;
    QVariant ertrag, ertragRG;
    QString meldung;
  } faelle[] = {
      {"ohne Mittelertrag", 1, 0, 80, QStringLiteral("Bitte für die Kultur in der Vorauswahl einen gültigen Ertrag eingeben.")},
      {"Nitratgebiet ohne Mittel 2015-2019", 2, 80, QVariant(), ertragNitratgebiet},
      {"Nitratgebiet mit 0", 2, 80, 0, ertragNitratgebiet},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    fenster.reset();
    Sql("delete from Anbau; delete from Schlag");
    const qint64 id = Weizen({{"BewirtschaftungsAuflagen", f.nitratgebiet}}, {{"Duengebedarf", 150}});
    Stamm(224101, {{"Auswahl", 1}, {"TatsErtrag", f.ertrag}, {"TatsErtragRG", f.ertragRG}});
    Stickstoffseite();
    meldungen.Leeren();
    Klick(QStringLiteral("Berechnen"));
    EXPECT_EQ(meldungen.Infos(), QStringList{f.meldung});
    EXPECT_TRUE(Von(id, "Duengebedarf").isNull());
    EXPECT_EQ(Text(QStringLiteral("Düngebedarf (kg N/ha)")), QString());
  }
}

TEST_F(FensterStickstoff, NitratgebietZeigtAchtzigProzentUndMittel2015Bis2019) {
  const qint64 id = Weizen({{"BewirtschaftungsAuflagen", 2}, {"SonstigDuengebeschraenkung", 1}});
  Stamm(224101, {{"Auswahl", 1}, {"TatsErtrag", 80}, {"TatsErtragRG", 80}});
  Stickstoffseite();
  Klick(QStringLiteral("Berechnen"));
  // 230 - 55.
  EXPECT_DOUBLE_EQ(Von(id, "Duengebedarf").toDouble(), 175);
  EXPECT_EQ(Von(id, "RotesGebiet").toInt(), 2);
  EXPECT_TRUE(Sichtbar(QStringLiteral("Nitratgebiet abzüglich 20 % (kg N/ha)")));
  EXPECT_EQ(Text(QStringLiteral("Nitratgebiet abzüglich 20 % (kg N/ha)")), QStringLiteral("140"));
  bool gefunden = false;
  for (auto* l : Fenster().findChildren<QLabel*>())
    gefunden = gefunden || (l->isVisible() && l->text() == QStringLiteral("4. tats. Ertragsniveau Mittel 2015-2019 (dt/ha)"));
  EXPECT_TRUE(gefunden);
  EXPECT_EQ(Text(QStringLiteral("Hinweis")),
            QStringLiteral("Sonstige Düngebeschränkung ausgewählt. Ggf. niedrigerer Düngebedarf als nach DüV möglich."));
}

// Every value shown after "Berechnen" is read by a screen reader with its
// caption as name and the number as value; the note as description.
TEST_F(FensterStickstoff, ErgebnisseSindFuerBildschirmleserLesbar) {
  Weizen({{"BewirtschaftungsAuflagen", 2}, {"SonstigDuengebeschraenkung", 1}});
  Stamm(224101, {{"Auswahl", 1}, {"TatsErtrag", 80}, {"TatsErtragRG", 80}});
  Stickstoffseite();
  Klick(QStringLiteral("Berechnen"));
  QGroupBox* box = nullptr;
  for (auto* b : Fenster().findChildren<QGroupBox*>())
    if (b->isVisible() && b->title() == QStringLiteral("für Ackerland")) box = b;
  ASSERT_NE(box, nullptr);
  auto* form = qobject_cast<QFormLayout*>(box->layout());
  ASSERT_NE(form, nullptr);
  QMap<QString, QString> gelesen;
  for (int r = 0; r < form->rowCount(); ++r) {
    QLayoutItem* titel = form->itemAt(r, QFormLayout::LabelRole);
    QLayoutItem* feld = form->itemAt(r, QFormLayout::FieldRole);
    auto* l = titel ? qobject_cast<QLabel*>(titel->widget()) : nullptr;
    QWidget* w = feld ? feld->widget() : nullptr;
    if (!l || !w || !w->isVisible()) continue;
    auto* e = qobject_cast<QLineEdit*>(w);
    ASSERT_NE(e, nullptr) << l->text().toStdString() << " zeigt seinen Wert nicht als lesbares Feld";
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(e);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->text(QAccessible::Name), l->text().trimmed());
    EXPECT_EQ(a->text(QAccessible::Value), e->text()) << l->text().toStdString();
    gelesen[a->text(QAccessible::Name)] = a->text(QAccessible::Value);
  }
  EXPECT_EQ(gelesen.value(QStringLiteral("Düngebedarf (kg N/ha)")), QStringLiteral("175"));
  EXPECT_EQ(gelesen.value(QStringLiteral("Nitratgebiet abzüglich 20 % (kg N/ha)")), QStringLiteral("140"));
  EXPECT_EQ(gelesen.value(QStringLiteral("4. tats. Ertragsniveau Mittel 2015-2019 (dt/ha)")), QStringLiteral("80"));
  EXPECT_EQ(gelesen.value(QStringLiteral("1. Kultur")), QStringLiteral("Winterweizen A, B"));
  QAccessibleInterface* hinweis = QAccessible::queryAccessibleInterface(Gezeigt(QStringLiteral("Hinweis")));
  ASSERT_NE(hinweis, nullptr);
  EXPECT_EQ(hinweis->text(QAccessible::Description),
            QStringLiteral("Sonstige Düngebeschränkung ausgewählt. Ggf. niedrigerer Düngebedarf als nach DüV möglich."));
}

TEST_F(FensterStickstoff, OhneNitratgebietKeineAchtzigProzent) {
  Weizen();
  Vorauswahl(224101, 80);
  Stickstoffseite();
  EXPECT_FALSE(Sichtbar(QStringLiteral("Nitratgebiet abzüglich 20 % (kg N/ha)")));
  EXPECT_EQ(Text(QStringLiteral("Hinweis")), QString());
}

TEST_F(FensterStickstoff, DatumAusserhalbDesJahresWarnt) {
  const qint64 id = Weizen();
  Stickstoffseite();
  Tippen(QStringLiteral("Berechnungsdatum *"), QStringLiteral("010320"));
  EXPECT_EQ(meldungen.Infos(), QStringList({"Achtung! Berechnungsdatum liegt nicht im ausgewählten Jahr"}));
  Klick(QStringLiteral("Nmin merken"));
  EXPECT_EQ(Von(id, "BerechnungsDatum").toString().left(10), QStringLiteral("2020-03-01"));
}

// A user's way through the window: field, winter wheat, Nmin, "Berechnen".
// The farm's soil-climate region was typed in the farm panel; the new field
// takes it over, so the farmer types nothing he cannot know.
TEST_F(FensterStickstoff, VomSchlagZumDuengebedarf) {
  Sql("update Betriebe set BKR = 107");
  Vorauswahl(224101, 95);
  TDuengebedarfsfenster& f = Fenster();
  Klick(QStringLiteral("neuen Schlag anlegen"));
  EXPECT_EQ(Eingabe(QStringLiteral("Bodenklimaraum *"))->text(), QStringLiteral("107"));
  Tippen(QStringLiteral("Gesamtparzellennummer *"), QStringLiteral("12"));
  Tippen(QStringLiteral("Schlagname"), QStringLiteral("Am Bach"));
  Tippen(QStringLiteral("Feldblock *"), QStringLiteral("DEVLLI0123456789"));
  Tippen(QStringLiteral("Größe *"), QStringLiteral("4,25"));
  Tippen(QStringLiteral("Ackerzahl *"), QStringLiteral("60"));
  Waehlen(Auswahl(QStringLiteral("Bodengruppe *")), 3);
  EXPECT_TRUE(meldungen.Infos().isEmpty()) << meldungen.Infos().join(QLatin1Char('\n')).toStdString();
  f.Seiten()->setCurrentIndex(TDuengebedarfsfenster::SeiteAnbau);
  ASSERT_EQ(Anzahl("select count(*) from Schlag where Parzelle = 12 and BG = 3 and AZ = 60"), 1);
  EXPECT_FALSE(Schlagdaten::Unvollstaendig(Schlagdaten::Werte(Schlaege(), 0)));

  Klick(QStringLiteral("Kultur anlegen"));
  Waehlen(Auswahl(QStringLiteral("Hauptfrucht *")), 224101);
  auto* ok = Element<TADOPanel>(QStringLiteral("Kultur"))->findChild<TDBOKBitBtn*>();
  ASSERT_NE(ok, nullptr);
  QTest::mouseClick(ok, Qt::LeftButton);
  ASSERT_EQ(Anzahl("select count(*) from Anbau where FruchtNr = 1 and HauptfruchtNummer = 224101"), 1);

  f.Seiten()->setCurrentIndex(TDuengebedarfsfenster::SeiteStickstoff);
  EXPECT_EQ(f.StickstoffSeite().Auswertungsseite(), 0);
  Waehlen(Auswahl(QStringLiteral("Datenherkunft 0-30 und 30-60 cm")), 1);
  Tippen(QStringLiteral("Nmin 0-30 cm (kg N/ha)"), QStringLiteral("30"));
  Tippen(QStringLiteral("Nmin 30-60 cm (kg N/ha)"), QStringLiteral("20"));
  Tippen(QStringLiteral("Nmin 60-90 cm (kg N/ha)"), QStringLiteral("10"));
  Waehlen(Auswahl(QStringLiteral("Datenherkunft 60-90 cm")), 1);
  Tippen(QStringLiteral("Berechnungsdatum *"), QStringLiteral("010321"));
  Klick(QStringLiteral("Berechnen"));
  EXPECT_TRUE(meldungen.Infos().isEmpty()) << meldungen.Infos().join(QLatin1Char('\n')).toStdString();
  // 230 + 15 for 95 dt against the level of 80, less Nmin 30 + 20 + 10 × 0,5 (the third layer
  // counts half in region 107).
  EXPECT_EQ(Text(QStringLiteral("Düngebedarf (kg N/ha)")), QStringLiteral("190"));
  EXPECT_DOUBLE_EQ(Wert("select Duengebedarf from Anbau").toDouble(), 190);
  EXPECT_DOUBLE_EQ(Wert("select Nmin from Anbau").toDouble(), 55);

  // Passing through an Nmin input keeps the sum the run left beside its demand.
  TDBEditMod* schicht1 = Eingabe(QStringLiteral("Nmin 0-30 cm (kg N/ha)"));
  schicht1->setFocus(Qt::TabFocusReason);
  QTest::keyClick(schicht1, Qt::Key_Tab);
  ASSERT_TRUE(Stickstoffliste().SpeichernWennGeaendert());
  EXPECT_DOUBLE_EQ(Wert("select Nmin from Anbau").toDouble(), 55);
  EXPECT_DOUBLE_EQ(Wert("select Duengebedarf from Anbau").toDouble(), 190);
  // A real change: the plain sum 40 + 20 + 10, and no demand until "Berechnen" runs again.
  Tippen(QStringLiteral("Nmin 0-30 cm (kg N/ha)"), QStringLiteral("40"));
  EXPECT_EQ(Text(QStringLiteral("Düngebedarf (kg N/ha)")), QString());
  ASSERT_TRUE(Stickstoffliste().SpeichernWennGeaendert());
  EXPECT_DOUBLE_EQ(Wert("select Nmin from Anbau").toDouble(), 70);
  EXPECT_TRUE(Wert("select Duengebedarf from Anbau").isNull());
  Klick(QStringLiteral("Berechnen"));
  // 245 less 40 + 20 + 10 × 0,5.
  EXPECT_DOUBLE_EQ(Wert("select Duengebedarf from Anbau").toDouble(), 180);
  EXPECT_DOUBLE_EQ(Wert("select Nmin from Anbau").toDouble(), 65);
}

}  // namespace
