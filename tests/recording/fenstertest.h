#pragma once
// The window "Düngungsaufzeichnung" on farm 2 "Hof Linde", year 2021, shown
// headless and driven like a user: clicks, keys, typing key by key. Three
// fields: 1 "Am Weg" (5 ha, winter wheat), 2 "Große Breite" (10 ha, nitrate
// area, winter barley), 3 "Hinterm Haus" (2 ha, no crop yet). The farm has
// chosen "KAS 27" (27 % N), a cattle slurry (NT 4.0, NH4 2.0, P 0.8), young
// cattle on pasture (100 kg N a year, 25 % loss, 20 kg P) and has its own
// substance "Pflanzenkohle" (2.5 / 1.5 / 0.3).

#include "fensterelement.h"
#include "aufzeichnungsbetrieb.h"
#include "aufzeichnungsfenster.h"
#include "aufzeichnungsliste.h"
#include "aufzeichnungsseite.h"
#include "bilanzseite.h"
#include "dataset.h"
#include "detailpanel.h"
#include "listenansicht.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QWindow>

#include <memory>

class FensterTest : public AufzeichnungsBetrieb {
protected:
  void SetUp() override {
    AufzeichnungsBetrieb::SetUp();
    Flaechen(10, 10);
    Feld(1, 5, 1, Jahr, K("Am Weg"));
    weizen = Kultur(1, 115101, K("Winterweizen"));
    Feld(2, 10, 2, Jahr, K("Große Breite"));
    gerste = Kultur(2, 171101, K("Wintergerste"));
    Feld(3, 2, 1, Jahr, K("Hinterm Haus"));
    Stamm(K("S_MinDung"), K("DuengeMittelNr"), Kas, {{K("N"), 27}, {K("P"), 0}});
    Stamm(K("S_OrgDung"), K("OrgDngNummer"), Guelle, {{K("NT"), 4.0}, {K("NH4"), 2.0}, {K("P"), 0.8}});
    Stamm(K("S_Tiere"), K("TA_NR"), Jungrind, {{K("N_ANFALL"), 100}, {K("VERLUST_WEIDE"), 25}, {K("P_ANFALL"), 20}});
    Stoff(7, K("Pflanzenkohle"), 2, 2.5, 1.5, 0.3);
  }
  void TearDown() override {
    if (fenster && fenster->isVisible()) {
      // A record left incomplete on purpose is dropped.
      meldungen.antworten.push_back(true);
      fenster->close();
    }
    fenster.reset();
  }

  TAufzeichnungsfenster* Oeffnen(int jahr = Jahr) {
    fenster = std::make_unique<TAufzeichnungsfenster>(db, meldungen, Betrieb, jahr);
    fenster->VorauswahlOeffnen = [this] {
      ++vorauswahlGeoeffnet;
      if (inDerVorauswahl) inDerVorauswahl();
    };
    fenster->show();
    fenster->activateWindow();
    QApplication::setActiveWindow(fenster.get());
    return fenster.get();
  }

  TAufzeichnungsseite* Seite() const { return fenster->Aufzeichnung(); }
  TADODataSetMod& Dung() const { return Seite()->Aufzeichnungen().Liste(); }
  // The panel shown below the record list.
  QWidget* Panel() const { return Seite()->Panels()->currentWidget(); }

  // The one control with this accessible name that shows in the window.
  template <class T = QWidget>
  T* Element(const QString& name, QWidget* in = nullptr) {
    return Fensterhilfe::Element<T>(in ? in : fenster.get(), name);
  }
  void Klicken(const QString& knopf) {
    auto* k = Element<QAbstractButton>(knopf);
    ASSERT_NE(k, nullptr);
    // Check boxes and radio buttons take clicks on their box and text only.
    const bool haken = qobject_cast<QCheckBox*>(k) || qobject_cast<QRadioButton*>(k);
    Maus(k, haken ? QPoint(6, k->height() / 2) : k->rect().center());
  }
  // Whether a control of the shown panel is visible.
  bool Sichtbar(const QString& name) const {
    for (QWidget* w : Panel()->findChildren<QWidget*>())
      if (w->accessibleName() == name && w->isVisibleTo(Panel())) return true;
    return false;
  }
  // A click (or double-click) on a widget of the window, delivered where a
  // user's click arrives: at the window, which then moves the focus.
  void Maus(QWidget* ziel, const QPoint& wo, bool doppelt = false) {
    const QPoint p = ziel->mapTo(fenster.get(), wo);
    QWindow* w = fenster->windowHandle();
    QTest::mouseClick(w, Qt::LeftButton, {}, p);
    if (doppelt) QTest::mouseDClick(w, Qt::LeftButton, {}, p);
  }
  bool Aktiv(const QString& knopf) {
    auto* k = Element<QAbstractButton>(knopf);
    return k && k->isEnabled();
  }
  // Key by key, umlauts included.
  static void Tippen(QWidget* ziel, const QString& text) {
    for (const QChar c : text) {
      if (c.unicode() < 128)
        QTest::keyClick(ziel, char(c.unicode()));
      else
        QTest::sendKeyEvent(QTest::Click, ziel, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
  // Enters a field of the shown panel and types, as a user does.
  void Eingeben(const QString& feld, const QString& text) {
    QWidget* f = Element(feld, Panel());
    ASSERT_NE(f, nullptr);
    f->setFocus(Qt::TabFocusReason);
    Tippen(f, text);
  }
  // Chooses an entry of a list box of the shown panel with the cursor keys.
  void Auswaehlen(const QString& feld, const QString& eintrag) {
    auto* auswahl = Element<QComboBox>(feld, Panel());
    ASSERT_NE(auswahl, nullptr);
    const int ziel = auswahl->findText(eintrag);
    ASSERT_GE(ziel, 0) << eintrag.toStdString();
    auswahl->setFocus(Qt::TabFocusReason);
    QTest::keyClick(auswahl, Qt::Key_Home);
    for (int i = 0; i < ziel; ++i) QTest::keyClick(auswahl, Qt::Key_Down);
    ASSERT_EQ(auswahl->currentIndex(), ziel);
  }
  // A click on a row of a grid.
  void ZeileKlicken(QAbstractItemView* ansicht, int zeile) {
    const QModelIndex index = ansicht->model()->index(zeile, 1);
    ansicht->scrollTo(index);
    Maus(ansicht->viewport(), ansicht->visualRect(index).center());
  }
  void SchlagWaehlen(int zeile) { ZeileKlicken(Seite()->SchlagAnsicht(), zeile); }
  void SeiteWaehlen(int seite) {
    QTabBar* reiter = fenster->Seiten()->tabBar();
    Maus(reiter, reiter->tabRect(seite).center());
  }
  // The text a grid shows in a cell, by column title.
  static QString Zelle(QAbstractItemView* ansicht, int zeile, const QString& titel) {
    const auto* m = ansicht->model();
    for (int s = 0; s < m->columnCount(); ++s)
      if (m->headerData(s, Qt::Horizontal, Qt::DisplayRole).toString() == titel)
        return m->data(m->index(zeile, s), Qt::DisplayRole).toString();
    ADD_FAILURE() << "Keine Spalte " << titel.toStdString();
    return {};
  }
  QString Dungzelle(int zeile, const QString& titel) const { return Zelle(Seite()->DungAnsicht(), zeile, titel); }
  double Gespeichert(const QString& spalte, qint64 id) {
    return Wert(K("select %1 from Dung where ID = :id").arg(spalte), {{K("id"), id}}).toDouble();
  }
  qint64 Letzte() { return Wert(K("select max(ID) from Dung")).toLongLong(); }
  int Anzahl() { return Wert(K("select count(*) from Dung")).toInt(); }

  std::unique_ptr<TAufzeichnungsfenster> fenster;
  qint64 weizen = 0, gerste = 0;
  int vorauswahlGeoeffnet = 0;
  std::function<void()> inDerVorauswahl;
};
