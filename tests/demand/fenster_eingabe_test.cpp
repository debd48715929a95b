// The demand window: inputs that must not create, lose or garble rows.
#include "fensterhilfe.h"

#include "bodenklimaraum.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QLabel>
#include <QToolTip>

using namespace Qt::StringLiterals;

namespace {

class FensterEingabe : public FensterBetrieb {
protected:
  // Clicks into the control, as the user does, and leaves it with Tab.
  void HineinUndHinaus(QWidget* w) {
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(w->isVisible()) << w->accessibleName().toStdString();
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(5, w->height() / 2));
    if (auto* e = qobject_cast<QLineEdit*>(w)) QTest::keyClicks(e, QStringLiteral("7"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
};

// A list whose rows come from elsewhere does not grow when its panel is
// entered while it is empty: such a row would lack farm, year or parcel.
TEST_F(FensterEingabe, LeereListenWachsenNichtBeimBetreten) {
  struct TFall {
    const char* name;
    bool mitSchlag;
    int seite;
    QString eingabe;
  };
  const TFall faelle[] = {
      {"Stickstoff ohne Kulturen, Nmin", true, TDuengebedarfsfenster::SeiteStickstoff, u"Nmin 0-30 cm (kg N/ha)"_s},
      {"Stickstoff ohne Schläge, Nmin", false, TDuengebedarfsfenster::SeiteStickstoff, u"Nmin 30-60 cm (kg N/ha)"_s},
      {"Stickstoff ohne Kulturen, Datum", true, TDuengebedarfsfenster::SeiteStickstoff, u"Berechnungsdatum *"_s},
      {"Schlag-Grunddaten ohne Schläge", false, TDuengebedarfsfenster::SeiteSchlag, u"Schlagname"_s},
      {"Anbau ohne Schläge, Hauptfrucht", false, TDuengebedarfsfenster::SeiteAnbau, u"Hauptfrucht *"_s},
      {"Anbau ohne Kulturen, Hauptfrucht", true, TDuengebedarfsfenster::SeiteAnbau, u"Hauptfrucht *"_s},
  };
  Vorauswahl(224101, 80);
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    Sql("delete from Anbau; delete from Schlag");
    if (f.mitSchlag) Schlag(12);
    fenster.reset();
    meldungen.Leeren();
    Fenster().Seiten()->setCurrentIndex(f.seite);
    QWidget* w = Element(f.eingabe);
    HineinUndHinaus(w);
    if (auto* c = qobject_cast<QComboBox*>(w); c && c->count() > 0) {
      // A choice made in the empty list.
      c->setFocus(Qt::MouseFocusReason);
      QTest::keyClick(c, Qt::Key_Down);
      QTest::keyClick(c, Qt::Key_Tab);
    }
    fenster.reset();
    EXPECT_EQ(Anzahl("select count(*) from Anbau"), 0);
    EXPECT_EQ(Anzahl("select count(*) from Schlag"), f.mitSchlag ? 1 : 0);
    EXPECT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join(QLatin1Char('\n')).toStdString();
  }
}

}  // namespace

namespace {

// The field and crop row of the nitrogen page are taken when that page is
// left, not on every later change between the first two pages.
TEST_F(FensterEingabe, SeitenwechselBehaeltDenGewaehltenSchlag) {
  Schlag(12);
  Schlag(13);
  Kultur(12, 224101);
  const qint64 raps = Kultur(13, 236101);
  TDuengebedarfsfenster& f = Fenster();
  const auto parzelle = [this] { return Schlaege().Wert(QStringLiteral("Parzelle")).toInt(); };
  f.Seiten()->setCurrentIndex(TDuengebedarfsfenster::SeiteStickstoff);
  ASSERT_EQ(Stickstoffliste().Wert(QStringLiteral("Parzelle")).toInt(), 12);
  f.Seiten()->setCurrentIndex(TDuengebedarfsfenster::SeiteSchlag);
  EXPECT_EQ(parzelle(), 12);
  ASSERT_TRUE(Schlaege().Gehe(1));
  f.Seiten()->setCurrentIndex(TDuengebedarfsfenster::SeiteAnbau);
  EXPECT_EQ(parzelle(), 13);
  EXPECT_EQ(Kulturen().Wert(QStringLiteral("Parzelle")).toInt(), 13);
  f.Seiten()->setCurrentIndex(TDuengebedarfsfenster::SeiteSchlag);
  EXPECT_EQ(parzelle(), 13);
  ASSERT_TRUE(Schlaege().Gehe(0));
  f.Seiten()->setCurrentIndex(TDuengebedarfsfenster::SeiteAnbau);
  EXPECT_EQ(parzelle(), 12);
  // Leaving the nitrogen page on field 13's row brings field 13 and that row.
  f.Seiten()->setCurrentIndex(TDuengebedarfsfenster::SeiteStickstoff);
  ASSERT_TRUE(Stickstoffliste().Suchen(raps));
  f.Seiten()->setCurrentIndex(TDuengebedarfsfenster::SeiteAnbau);
  EXPECT_EQ(parzelle(), 13);
  EXPECT_EQ(Kulturen().Wert(QStringLiteral("ID")).toLongLong(), raps);
}

}  // namespace

namespace {

class FensterParzelle : public FensterBetrieb {
protected:
  TDBEditMod* Nummer() { return Eingabe(u"Gesamtparzellennummer *"_s); }
  // What the user does to leave the field: each is a try to save it.
  enum class TWeg { Tab, RasterKlick, Seitenwechsel, OK };
  void Verlassen(TWeg weg) {
    switch (weg) {
      case TWeg::Tab:
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        break;
      case TWeg::RasterKlick: {
        auto* raster = Element<QAbstractItemView>(u"Schläge"_s);
        ASSERT_NE(raster, nullptr);
        const QRect r = raster->visualRect(raster->model()->index(0, 2));
        QTest::mouseClick(raster->viewport(), Qt::LeftButton, {}, r.center());
        break;
      }
      case TWeg::Seitenwechsel:
        Fenster().Seiten()->setCurrentIndex(TDuengebedarfsfenster::SeiteAnbau);
        break;
      case TWeg::OK: {
        auto* ok = Element<TADOPanel>(u"Schlag"_s)->findChild<TDBOKBitBtn*>();
        ASSERT_NE(ok, nullptr);
        QTest::mouseClick(ok, Qt::LeftButton);
        break;
      }
    }
  }
  // No raw database text, no second message on top of the first.
  void KeineRohenMeldungen() {
    for (const QString& t : meldungen.protokoll) {
      EXPECT_FALSE(t.contains(u"constraint"_s, Qt::CaseInsensitive)) << t.toStdString();
      EXPECT_NE(t, u"Info: Speichern fehlgeschlagen"_s);
    }
  }
  // The user is back at the number, on the field page, with the input kept.
  void ZurueckAnDerNummer(const QString& text) {
    EXPECT_EQ(Fenster().Seiten()->currentIndex(), int(TDuengebedarfsfenster::SeiteSchlag));
    EXPECT_EQ(QApplication::focusWidget(), Nummer());
    EXPECT_EQ(Nummer()->text(), text);
    EXPECT_NE(Schlaege().Zustand(), TADODataSetMod::TZustand::Blaettern);
  }
};

const QString Fehlt = u"Ohne Gesamtparzellennummer kann der Schlag nicht gespeichert werden. Bitte geben Sie die "
                      "Nummer ein (für eine Bewirtschaftungseinheit eine negative Zahl) oder nehmen Sie die Eingabe mit "
                      "„Abbruch“ zurück."_s;
const QString Vergeben = u"Diese Parzelle gibt es schon, bitte andere Nummer vergeben."_s;

// A new field without its parcel number is not saved, whichever way the
// user tries; one German message, the focus on the number.
TEST_F(FensterParzelle, NeuerSchlagOhneNummerWirdNichtGespeichert) {
  struct TFall {
    const char* name;
    TWeg weg;
    QStringList infos;
  };
  const TFall faelle[] = {
      {"Raster", TWeg::RasterKlick, {Fehlt}},
      {"Seitenwechsel", TWeg::Seitenwechsel, {Fehlt}},
      // "OK" checks the number before the other marked inputs.
      {"OK", TWeg::OK, {Fehlt}},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    fenster.reset();
    Sql("delete from Schlag");
    Schlag(12);
    Fenster();
    Klick(u"neuen Schlag anlegen"_s);
    // Leaving the empty number is no save yet and says nothing.
    Tippen(u"Feldblock *"_s, u"DEVLLI0123456789"_s);
    Tippen(u"Schlagname"_s, u"Am Bach"_s);
    EXPECT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join(u'\n').toStdString();
    Verlassen(f.weg);
    EXPECT_EQ(meldungen.Infos(), f.infos);
    KeineRohenMeldungen();
    ZurueckAnDerNummer(QString());
    EXPECT_EQ(Anzahl("select count(*) from Schlag"), 1);
    EXPECT_EQ(Schlaege().Wert(u"SchlagName"_s).toString(), u"Am Bach"_s);
    // Once the number is there the field is saved (the other inputs are
    // still missing, so "OK" would stop at them).
    meldungen.Leeren();
    Tippen(u"Gesamtparzellennummer *"_s, u"14"_s);
    Verlassen(TWeg::RasterKlick);
    EXPECT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join(u'\n').toStdString();
    EXPECT_EQ(Anzahl("select count(*) from Schlag where Parzelle = 14 and SchlagName = 'Am Bach'"), 1);
  }
}

// A used number, for a new and for an existing field: one message, once;
// every later try to leave or save brings the user back to the number,
// with the digits typed, and says nothing more.
TEST_F(FensterParzelle, VergebeneNummerEinmalGemeldet) {
  for (const bool neu : {true, false}) {
    SCOPED_TRACE(neu ? "neuer Schlag" : "vorhandener Schlag");
    fenster.reset();
    Sql("delete from Schlag");
    Schlag(12);
    Schlag(13);
    Fenster();
    if (neu) {
      Klick(u"neuen Schlag anlegen"_s);
      Tippen(u"Größe *"_s, u"2,5"_s);
    } else {
      ASSERT_TRUE(Schlaege().Gehe(1));
    }
    meldungen.Leeren();
    Tippen(u"Gesamtparzellennummer *"_s, u"12"_s);
    EXPECT_EQ(meldungen.Infos(), QStringList{Vergeben}) << meldungen.protokoll.join(u'\n').toStdString();
    ZurueckAnDerNummer(u"12"_s);
    for (TWeg weg : {TWeg::Tab, TWeg::RasterKlick, TWeg::Seitenwechsel, TWeg::OK, TWeg::Tab}) {
      Verlassen(weg);
      ZurueckAnDerNummer(u"12"_s);
    }
    EXPECT_EQ(meldungen.Infos(), QStringList{Vergeben}) << meldungen.protokoll.join(u'\n').toStdString();
    KeineRohenMeldungen();
    // The next digit goes behind the ones typed: a free number, which is saved.
    QTest::keyClicks(Nummer(), u"3"_s);
    Verlassen(TWeg::RasterKlick);
    EXPECT_EQ(meldungen.Infos(), QStringList{Vergeben}) << meldungen.protokoll.join(u'\n').toStdString();
    EXPECT_EQ(Schlaege().Zustand(), TADODataSetMod::TZustand::Blaettern);
    EXPECT_EQ(Anzahl("select count(*) from Schlag where Parzelle = 123"), 1);
    EXPECT_EQ(Anzahl("select count(*) from Schlag"), neu ? 3 : 2);
  }
}

}  // namespace

namespace {

// "Hauptmenü" and closing the window save what can be saved; input that
// cannot be saved is not dropped without a question, and "Nein" keeps the
// window open with the input.
TEST_F(FensterParzelle, SchliessenMitUngespeicherterEingabe) {
  struct TFall {
    const char* name;
    bool neu;           // a new field, else field 13 changed
    QString nummer;     // typed without leaving; empty: none
    bool knopf;         // "Hauptmenü", else the window's close button
    std::deque<bool> antworten;
    bool geschlossen;
    int schlaege;       // fields stored afterwards
  };
  const TFall faelle[] = {
      {"gültige Änderung", false, QString(), true, {}, true, 2},
      {"neu ohne Nummer, Nein", true, QString(), true, {false}, false, 2},
      {"neu ohne Nummer, Ja", true, QString(), true, {true}, true, 2},
      {"neu mit freier Nummer", true, u"14"_s, true, {}, true, 3},
      {"vergebene Nummer, Nein", false, u"12"_s, false, {false}, false, 2},
      {"vergebene Nummer, Ja", false, u"12"_s, false, {true}, true, 2},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    fenster.reset();
    Sql("delete from Schlag");
    Schlag(12);
    Schlag(13);
    TDuengebedarfsfenster& w = Fenster();
    if (f.neu)
      Klick(u"neuen Schlag anlegen"_s);
    else
      ASSERT_TRUE(Schlaege().Gehe(1));
    TDBEditMod* name = Eingabe(u"Schlagname"_s);
    name->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(name, u"Am Bach"_s);
    if (!f.nummer.isEmpty()) {
      Nummer()->setFocus(Qt::MouseFocusReason);
      Nummer()->selectAll();
      QTest::keyClicks(Nummer(), f.nummer);
    }
    meldungen.Leeren();
    meldungen.antworten = f.antworten;
    if (f.knopf)
      Klick(u"Hauptmenü"_s);
    else
      w.close();
    EXPECT_EQ(!w.isVisible(), f.geschlossen);
    EXPECT_EQ(meldungen.protokoll.size(), qsizetype(f.antworten.size()))
        << meldungen.protokoll.join(u'\n').toStdString();
    EXPECT_TRUE(meldungen.Infos().isEmpty());
    if (!f.geschlossen) {
      ZurueckAnDerNummer(f.nummer);
      EXPECT_EQ(name->text(), u"Am Bach"_s);
    }
    fenster.reset();
    EXPECT_EQ(Anzahl("select count(*) from Schlag"), f.schlaege);
    const bool gespeichert = f.antworten.empty();
    EXPECT_EQ(Anzahl("select count(*) from Schlag where SchlagName = 'Am Bach'"), gespeichert ? 1 : 0);
  }
}

// "Nein" to each question of the window changes nothing.
TEST_F(FensterEingabe, NeinAufJedeFrageLaesstAlles) {
  Schlag(12);
  Kultur(12, 224101);
  Fenster();
  for (const QString& knopf : {u"Schlag löschen"_s, u"Kultur löschen"_s}) {
    meldungen.Leeren();
    meldungen.antworten = {false};
    Klick(knopf);
    EXPECT_EQ(meldungen.protokoll.size(), 1) << knopf.toStdString();
    EXPECT_EQ(Anzahl("select count(*) from Schlag"), 1) << knopf.toStdString();
    EXPECT_EQ(Anzahl("select count(*) from Anbau"), 1) << knopf.toStdString();
  }
}

}  // namespace

namespace {

// Areas, yields, contents and Nmin are never negative; only the parcel
// number may be (a management unit).
// Either soil content typed on the field's base data fills the other:
// P2O5 = P x 2.2914, as on the page "Phosphor".
TEST_F(FensterEingabe, PGehaltFuelltP2O5AufSchlagGrunddaten) {
  Schlag(12, {{"Groesse", 3}});
  Fenster();
  Tippen(u"P-Gehalt (mg/100 g)"_s, u"6"_s);
  EXPECT_NEAR(Schlaege().Wert(u"P2O5_Gehalt"_s).toDouble(), 13.7484, 1e-9);  // 6 x 2.2914
  EXPECT_EQ(Eingabe(u"P2O5-Gehalt (mg/100 g)"_s)->text(), u"13,75"_s);
  Tippen(u"P2O5-Gehalt (mg/100 g)"_s, u"9,17"_s);
  EXPECT_NEAR(Schlaege().Wert(u"P_Gehalt"_s).toDouble(), 4.00192, 1e-5);  // 9.17 / 2.2914
  // Passing through P does not recompute P2O5 from the rounded P.
  TDBEditMod* p = Eingabe(u"P-Gehalt (mg/100 g)"_s);
  p->setFocus(Qt::TabFocusReason);
  QTest::keyClick(p, Qt::Key_Tab);
  EXPECT_DOUBLE_EQ(Schlaege().Wert(u"P2O5_Gehalt"_s).toDouble(), 9.17);
  ASSERT_TRUE(Schlaege().Speichern());
  EXPECT_DOUBLE_EQ(Wert(u"select P2O5_Gehalt from Schlag"_s).toDouble(), 9.17);
}

// No numeric input of the window cuts a typed value to its decimals: one
// decimal more is refused with a message and the stored value stays.
TEST_F(FensterEingabe, KeineEingabeWirdGekuerzt) {
  Schlag(12, {{"Groesse", 3}});
  Kultur(12, 224101, {{"KulturGruppe", 1}});
  TDuengebedarfsfenster& f = Fenster();
  int geprueft = 0;
  for (int seite : {TDuengebedarfsfenster::SeiteSchlag, TDuengebedarfsfenster::SeiteAnbau,
                    TDuengebedarfsfenster::SeiteStickstoff, TDuengebedarfsfenster::SeitePhosphor}) {
    f.Seiten()->setCurrentIndex(seite);
    for (TDBEditMod* e : f.Seiten()->currentWidget()->findChildren<TDBEditMod*>()) {
      if (e->RO() || e->DatenTyp() != dtFloat || !e->isVisible() || !e->isEnabled()) continue;
      SCOPED_TRACE(e->accessibleName().toStdString());
      const QVariant vorher = e->Wert();
      meldungen.Leeren();
      e->setFocus(Qt::TabFocusReason);
      e->selectAll();
      QTest::keyClicks(e, u"1,"_s + QString(e->Genauigkeit() + 1, u'3'));
      QTest::keyClick(e, Qt::Key_Tab);
      EXPECT_TRUE(meldungen.Infos().join(u' ').contains(u"Nachkomma"_s)) << meldungen.Infos().join(u' ').toStdString();
      EXPECT_EQ(QApplication::focusWidget(), e);
      EXPECT_EQ(e->Wert(), vorher);
      QTest::keyClick(e, Qt::Key_Escape);
      ++geprueft;
    }
  }
  EXPECT_GE(geprueft, 6);
}

TEST_F(FensterEingabe, KeineNegativenZahlen) {
  // Grassland shows the legume and protein inputs, arable land the Nmin inputs.
  Schlag(12, {{"NutzungsForm", 2}, {"Groesse", 3}});
  Kultur(12, 251201, {{"KulturGruppe", 2}});
  Schlag(13, {{"Groesse", 3}});
  Kultur(13, 224101, {{"KulturGruppe", 1}});
  TDuengebedarfsfenster& f = Fenster();
  // The nitrogen page opens its list when it is first shown.
  f.Seiten()->setCurrentIndex(TDuengebedarfsfenster::SeiteStickstoff);
  f.Seiten()->setCurrentIndex(TDuengebedarfsfenster::SeiteSchlag);
  QStringList zahlenfelder;
  for (TDBEditMod* e : f.findChildren<TDBEditMod*>()) {
    if (e->RO() || (e->DatenTyp() != dtInteger && e->DatenTyp() != dtFloat)) continue;
    zahlenfelder << e->accessibleName();
    EXPECT_EQ(e->KeineNegativen(), e != Eingabe(u"Gesamtparzellennummer *"_s)) << e->accessibleName().toStdString();
  }
  // Every numeric input of the three pages was looked at.
  for (const QString& n : {u"Größe *"_s, u"Bodenklimaraum *"_s, u"Ackerzahl *"_s, u"P2O5-Gehalt (mg/100 g)"_s,
                           u"Ertrag *"_s, u"Ertragsanteil Leguminosen (nicht für Ackergras)"_s,
                           u"Nmin 0-30 cm (kg N/ha)"_s, u"Nmin 60-90 cm (kg N/ha)"_s})
    EXPECT_TRUE(zahlenfelder.contains(n)) << n.toStdString();

  struct TFall {
    int seite;
    QString feld;
    QString spalte;
    double vorher;
  };
  const TFall faelle[] = {
      {TDuengebedarfsfenster::SeiteSchlag, u"Größe *"_s, u"Groesse"_s, 3},
      {TDuengebedarfsfenster::SeiteStickstoff, u"Nmin 0-30 cm (kg N/ha)"_s, u"Nmin_0_30"_s, 0},
  };
  for (const auto& fall : faelle) {
    meldungen.Leeren();
    Fenster().Seiten()->setCurrentIndex(fall.seite);
    if (fall.seite == TDuengebedarfsfenster::SeiteStickstoff) {
      ASSERT_TRUE(Stickstoffliste().Gehe(1));
    }
    TDBEditMod* e = Eingabe(fall.feld);
    e->setFocus(Qt::TabFocusReason);
    e->selectAll();
    QTest::keyClicks(e, u"-12,50"_s);
    QTest::keyClick(e, Qt::Key_Tab);
    EXPECT_EQ(meldungen.Infos(), QStringList{TEingabeFeld::KeineNegativenText}) << fall.feld.toStdString();
    EXPECT_EQ(QApplication::focusWidget(), e) << QApplication::focusWidget()->accessibleName().toStdString();
    fenster.reset();
    EXPECT_DOUBLE_EQ(Wert(u"select %1 from %2"_s.arg(fall.spalte, fall.seite == TDuengebedarfsfenster::SeiteSchlag
                                                                        ? u"Schlag"_s
                                                                        : u"Anbau"_s))
                         .toDouble(),
                     fall.vorher)
        << fall.feld.toStdString();
    Fenster();
  }
}

}  // namespace

namespace {

// The field panel explains the soil-climate region while the field has
// none, and refuses a number that is no region.
TEST_F(FensterEingabe, BodenklimaraumErklaertUndGeprueft) {
  TDuengebedarfsfenster& f = Fenster();
  Q_UNUSED(f);
  TDBEditMod* bkr = Eingabe(u"Bodenklimaraum *"_s);
  ASSERT_NE(bkr, nullptr);
  EXPECT_EQ(bkr->toolTip(), Bodenklimaraum::Erklaerung);
  QWidget* hinweis = Element(u"Hinweis zum Bodenklimaraum"_s);
  ASSERT_NE(hinweis, nullptr);
  EXPECT_EQ(hinweis->accessibleDescription(), Bodenklimaraum::Erklaerung);
  Klick(u"neuen Schlag anlegen"_s);  // the farm has no region
  EXPECT_TRUE(bkr->text().isEmpty());
  EXPECT_TRUE(hinweis->isVisible());
  Tippen(u"Bodenklimaraum *"_s, u"200"_s);
  EXPECT_EQ(meldungen.Infos(), QStringList{Bodenklimaraum::Ungueltig});
  EXPECT_EQ(QApplication::focusWidget(), bkr);
  EXPECT_TRUE(hinweis->isVisible());
  meldungen.Leeren();
  Tippen(u"Bodenklimaraum *"_s, u"107"_s);
  EXPECT_TRUE(meldungen.Infos().isEmpty());
  EXPECT_FALSE(hinweis->isVisible());
}

// A red field names what it lacks: in the line under the grid, on both
// pages with the field grid, and as the tooltip of its row.
TEST_F(FensterEingabe, UnvollstaendigerSchlagNenntSeineLuecken) {
  Schlag(12, {{"Feldblock", "DEVLLI0123456789"}, {"Groesse", 2.5}, {"Phosphatgebiet", 1}, {"NutzungsForm", 1},
              {"AZ", 0}, {"BG", QVariant()}});
  Schlag(13, {{"Feldblock", "DEVLLI0123456789"}, {"Groesse", 2.5}, {"Phosphatgebiet", 1}, {"NutzungsForm", 1}});
  TDuengebedarfsfenster& f = Fenster();
  const auto zeile = [&]() -> QLabel* {
    for (QLabel* l : f.Seiten()->currentWidget()->findChildren<QLabel*>())
      if (l->accessibleName().startsWith(u"Es fehl"_s) && l->isVisible()) return l;
    return nullptr;
  };
  for (int seite : {TDuengebedarfsfenster::SeiteSchlag, TDuengebedarfsfenster::SeiteAnbau}) {
    f.Seiten()->setCurrentIndex(seite);
    ASSERT_TRUE(Schlaege().Gehe(0));
    ASSERT_NE(zeile(), nullptr) << seite;
    EXPECT_EQ(zeile()->text(), u"Es fehlen: Ackerzahl, Bodengruppe"_s);
    ASSERT_TRUE(Schlaege().Gehe(1));
    EXPECT_EQ(zeile(), nullptr) << seite;
  }
  // Typing the missing value shortens the line at once.
  f.Seiten()->setCurrentIndex(TDuengebedarfsfenster::SeiteSchlag);
  ASSERT_TRUE(Schlaege().Gehe(0));
  Tippen(u"Ackerzahl *"_s, u"60"_s);
  ASSERT_NE(zeile(), nullptr);
  EXPECT_EQ(zeile()->text(), u"Es fehlt: Bodengruppe"_s);
  // The row's tooltip.
  auto* raster = qobject_cast<QAbstractItemView*>(
      [&]() -> QWidget* {
        for (auto* w : f.Seiten()->currentWidget()->findChildren<QAbstractItemView*>())
          if (w->accessibleName() == u"Schläge"_s) return w;
        return nullptr;
      }());
  ASSERT_NE(raster, nullptr);
  // The complete row first: a tooltip, once shown, fades only after a while.
  for (int r : {1, 0}) {
    const QRect rechteck = raster->visualRect(raster->model()->index(r, 2));
    QHelpEvent hilfe(QEvent::ToolTip, rechteck.center(), raster->viewport()->mapToGlobal(rechteck.center()));
    QApplication::sendEvent(raster->viewport(), &hilfe);
    EXPECT_EQ(QToolTip::isVisible() ? QToolTip::text() : QString(), r == 0 ? u"Es fehlt: Bodengruppe"_s : QString())
        << r;
  }
  QToolTip::hideText();
}

}  // namespace

namespace {

// The grassland inputs ask about an unusual protein content and correct a
// legume share beyond 100 %, instead of blocking: a lab value of 7 % stays
// when the farmer confirms it.
TEST_F(FensterEingabe, RohproteinFragtLeguminosenanteilKorrigiert) {
  const QString protein = u"tatsächlicher Rohproteingehalt 5-jähriges Mittel   (nur bei Vorliegen eigener "
                          "Untersuchungsergebnisse)"_s;
  const QString legum = u"Ertragsanteil Leguminosen (nicht für Ackergras)"_s;
  struct TFall {
    QString feld, spalte, text;
    std::deque<bool> antworten;
    QStringList protokoll;
    double wert;
    bool bleibt;  // the focus stays in the input
  };
  const TFall faelle[] = {
      {protein, u"TatsRohprotein"_s, u"7"_s, {true}, {u"Frage: Soll der eingegebene Wert wirklich kleiner als 8,0 sein"_s}, 7, false},
      {protein, u"TatsRohprotein"_s, u"7"_s, {false}, {u"Frage: Soll der eingegebene Wert wirklich kleiner als 8,0 sein"_s}, 7, true},
      {protein, u"TatsRohprotein"_s, u"45"_s, {true}, {u"Frage: Soll der eingegebene Wert wirklich größer als 40,0 sein"_s}, 45, false},
      {protein, u"TatsRohprotein"_s, u"20,5"_s, {}, {}, 20.5, false},
      {legum, u"Leguminosenanteil"_s, u"120"_s, {}, {u"Info: Leguminosenanteil außerhalb des zulässigen Bereichs"_s}, 100, false},
      {legum, u"Leguminosenanteil"_s, u"35"_s, {}, {}, 35, false},
  };
  Schlag(12, {{"NutzungsForm", 2}, {"GL_Bodenart", 1}});
  // The rules give a grassland row the table's protein content.
  Kultur(12, 251201, {{"KulturGruppe", 2}, {"TatsRohprotein", 17}});
  Fenster().Seiten()->setCurrentIndex(TDuengebedarfsfenster::SeiteAnbau);
  for (const auto& f : faelle) {
    SCOPED_TRACE((f.feld.left(12) + u" "_s + f.text).toStdString());
    meldungen.Leeren();
    meldungen.antworten = f.antworten;
    TDBEditMod* e = Eingabe(f.feld);
    ASSERT_NE(e, nullptr);
    ASSERT_TRUE(e->isVisible());
    Tippen(f.feld, f.text);
    EXPECT_EQ(meldungen.protokoll, f.protokoll);
    EXPECT_DOUBLE_EQ(Kulturen().Wert(f.spalte).toDouble(), f.wert);
    EXPECT_EQ(QApplication::focusWidget() == e, f.bleibt);
    Kulturen().Abbrechen();
  }
}

}  // namespace
