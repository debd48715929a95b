#pragma once
// The preselection window on farm 2 "Hof Linde", year 2021, shown headless
// and driven like a user: clicks, double-clicks, keys and typing.

#include "fensterelement.h"
#include "kulturenseite.h"
#include "listenseite.h"
#include "mineralseite.h"
#include "organischeseite.h"
#include "stoffseite.h"
#include "testbetrieb.h"
#include "vorauswahl.h"
#include "weideseite.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QApplication>
#include <QHeaderView>
#include <QTableView>
#include <QTabWidget>
#include <QTest>

#include <memory>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QVariant& v, std::ostream* os) {
  *os << (v.isNull() ? std::string("null") : std::string(v.typeName()) + " " + v.toString().toStdString());
}

class VorauswahlTest : public TestBetrieb {
protected:
  void TearDown() override {
    if (fenster) fenster->close();
    fenster.reset();
  }

  TVorauswahl* Oeffnen(int jahr = Jahr) {
    fenster = std::make_unique<TVorauswahl>(db, meldungen, Betrieb, jahr);
    fenster->show();
    fenster->activateWindow();
    QApplication::setActiveWindow(fenster.get());
    return fenster.get();
  }
  void Schliessen() { fenster->close(); }

  void Zeigen(TListenSeite* seite) { fenster->Seiten()->setCurrentWidget(seite); }

  // The one control with this accessible name that shows on the page.
  template <class T>
  T* Element(QWidget* in, const QString& name) {
    return Fensterhilfe::Element<T>(in, name);
  }
  void Klicken(QWidget* in, const QString& knopf) {
    auto* k = Element<QAbstractButton>(in, knopf);
    ASSERT_NE(k, nullptr);
    // A check box takes clicks on its box and text only.
    const QPoint wo = qobject_cast<QCheckBox*>(k) ? QPoint(6, k->height() / 2) : QPoint();
    QTest::mouseClick(k, Qt::LeftButton, {}, wo);
  }
  void Doppelklick(TListenSeite* seite, int zeile) {
    QTableView* t = seite->Tabelle();
    const QModelIndex index = t->model()->index(zeile, 1);
    t->scrollTo(index);
    // A double-click is a click followed by the double-click event.
    QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, t->visualRect(index).center());
    QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, t->visualRect(index).center());
  }
  // A click in the middle of a column title.
  void TitelKlicken(TListenSeite* seite, int spalte) {
    QHeaderView* kopf = seite->Tabelle()->horizontalHeader();
    const int x = kopf->sectionViewportPosition(spalte) + kopf->sectionSize(spalte) / 2;
    QTest::mouseClick(kopf->viewport(), Qt::LeftButton, {}, QPoint(x, kopf->height() / 2));
  }
  void Taste(TListenSeite* seite, int taste) {
    seite->Tabelle()->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(seite->Tabelle(), Qt::Key(taste));
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
  // Types into a field as a user does: entering, then typing.
  void Eingeben(QWidget* feld, const QString& text) {
    feld->setFocus(Qt::TabFocusReason);
    Tippen(feld, text);
  }
  // Chooses an entry of a combo box with the cursor keys, as a user does
  // (typing its name would depend on the typing speed).
  void Auswaehlen(QComboBox* auswahl, const QString& eintrag) {
    const int ziel = auswahl->findText(eintrag);
    ASSERT_GE(ziel, 0) << eintrag.toStdString();
    auswahl->setFocus(Qt::TabFocusReason);
    QTest::keyClick(auswahl, Qt::Key_Home);
    for (int i = 0; i < ziel; ++i) QTest::keyClick(auswahl, Qt::Key_Down);
    ASSERT_EQ(auswahl->currentIndex(), ziel);
  }
  void Verlassen(TListenSeite* seite) { seite->Tabelle()->setFocus(Qt::TabFocusReason); }

  // Position of the first row with this value in the list.
  static int ZeileMit(TListenSeite* seite, const QString& feld, const QVariant& wert) {
    auto& l = seite->Liste();
    for (int i = 0; i < l.Anzahl(); ++i)
      if (l.Wert(i, l.FeldIndex(feld)) == wert) return i;
    ADD_FAILURE() << "Keine Zeile mit " << feld.toStdString() << " = " << wert.toString().toStdString();
    return -1;
  }
  static QVariant Aktuell(TListenSeite* seite, const QString& feld) { return seite->Liste().Wert(feld); }

  // The column values of a query, as a list.
  QVariantList Spalte(const QString& sql, const TParameter& parameter = {}) {
    QVariantList werte;
    TAbfrage a(db, sql, parameter);
    while (a.Naechste()) werte << a.Wert(0);
    EXPECT_TRUE(a.Ok()) << a.Fehler().toStdString();
    return werte;
  }
  static QVariantList ListenSpalte(TListenSeite* seite, const QString& feld) {
    QVariantList werte;
    auto& l = seite->Liste();
    for (int i = 0; i < l.Anzahl(); ++i) werte << l.Wert(i, l.FeldIndex(feld));
    return werte;
  }
  double Zahl(const QString& sql, const TParameter& parameter = {}) { return Wert(sql, parameter).toDouble(); }
  qlonglong Ganz(const QString& sql, const TParameter& parameter = {}) { return Wert(sql, parameter).toLongLong(); }

  // A second farm with its own master copies, for "no other farm" checks.
  void ZweiterBetrieb();
  // Field 10 with a main-crop row in the farm's year; returns the crop row's ID.
  qlonglong SchlagMitAnbau(int betrieb, int jahr = Jahr, int parzelle = 10, int hauptfrucht = 0);
  // An application record of a category for a fertiliser number.
  void Aufzeichnung(int betrieb, qlonglong anbau, int kategorie, qlonglong nummer, double menge, int jahr = Jahr,
                    int parzelle = 10);

  std::unique_ptr<TVorauswahl> fenster;
};
