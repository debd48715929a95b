// The calculator "Taschenrechner" and the date picker.
#include "datumsauswahl.h"
#include "feldhilfe.h"
#include "taschenrechner.h"

#include <QCalendarWidget>
#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>
#include <QTest>

namespace {

TEST(Taschenrechner, Rechenfolgen) {
  struct Fall {
    QStringList tasten;
    const char* anzeige;
    double wert;
  };
  // Keys separated by blanks; "M+" stands for the key "M +".
  const auto T = [](const char* folge) {
    QStringList tasten = QString::fromUtf8(folge).split(u' ');
    for (QString& t : tasten)
      if (t == QLatin1String("M+")) t = QStringLiteral("M +");
    return tasten;
  };
  const Fall faelle[] = {
      {T("1 2 , 5 + 7 , 5 ="), "20", 20},
      {T("7 / 2 ="), "3,5", 3.5},
      {T("2 + 3 * 4 ="), "20", 20},  // each operator works on the result so far
      {T("1 - 4 ="), "-3", -3},
      {T("5 + ="), "10", 10},        // no right operand: the shown value
      {T("9 sqrt"), "3", 3},
      {T("4 X²"), "16", 16},
      {T("4 1/X"), "0,25", 0.25},
      {T("5 +/-"), "-5", -5},
      {T("2 + 5 +/- ="), "-3", -3},
      {T("Pi"), "3,14159265358979", 3.141592653589793},
      {T("0 0 7"), "7", 7},
      {T("2 , , 5"), "2,5", 2.5},
      {T(", 5"), "0,5", 0.5},
      {T("3 M+ C MR * 2 ="), "6", 6},
      {T("2 M+ M+ 1 + MR ="), "5", 5},
      {T("6 * 7 = C"), "0", 0},
      {T("1 / 0 ="), "Fehler", 0},
      {T("1 +/- sqrt"), "Fehler", 0},
      {T("0 1/X"), "Fehler", 0},
      {T("1 / 0 = 8"), "8", 8},  // a digit starts afresh after an error
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.tasten.join(u' ').toStdString());
    TTaschenrechner r;
    for (const QString& t : f.tasten) {
      QPushButton* k = r.Knopf(t);
      ASSERT_NE(k, nullptr) << t.toStdString();
      k->click();
    }
    EXPECT_EQ(r.Anzeige(), QString::fromUtf8(f.anzeige));
    EXPECT_DOUBLE_EQ(r.Wert(), f.wert);
  }
}

TEST(Taschenrechner, TastaturUndBeschriftungen) {
  TTaschenrechner r;
  EXPECT_EQ(r.windowTitle(), QStringLiteral("Taschenrechner"));
  for (const char* t : {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", ",", "+", "-", "*", "/", "=", "C", "Pi", "+/-",
                        "sqrt", "X²", "1/X", "MR", "M +", "Einfügen"}) {
    const QPushButton* k = r.Knopf(QString::fromUtf8(t));
    ASSERT_NE(k, nullptr) << t;
    EXPECT_EQ(k->accessibleName(), QString::fromUtf8(t));
  }
  EXPECT_EQ(r.Knopf(QStringLiteral("Kopieren")), nullptr);
  QTest::keyClicks(&r, QStringLiteral("12.5*2"));
  QTest::keyClick(&r, Qt::Key_Return);
  EXPECT_EQ(r.Anzeige(), QStringLiteral("25"));
  QTest::keyClicks(&r, QStringLiteral("123"));
  QTest::keyClick(&r, Qt::Key_Backspace);
  EXPECT_EQ(r.Anzeige(), QStringLiteral("12"));
  QTest::keyClick(&r, Qt::Key_Delete);
  EXPECT_EQ(r.Anzeige(), QStringLiteral("0"));
}

TEST(Taschenrechner, EinfuegenGibtDenWertZurueck) {
  TTaschenrechner r(TTaschenrechner::TArt::Einfuegen);
  r.show();
  r.Taste(QStringLiteral("4"));
  r.Taste(QStringLiteral("2"));
  r.Knopf(QStringLiteral("Einfügen"))->click();
  EXPECT_EQ(r.result(), QDialog::Accepted);
  EXPECT_DOUBLE_EQ(r.Wert(), 42);
}

TEST(Taschenrechner, KopierenLegtDenWertInDieZwischenablage) {
  QGuiApplication::clipboard()->setText(QStringLiteral("alt"));
  TTaschenrechner r(TTaschenrechner::TArt::Kopieren);
  r.show();
  ASSERT_NE(r.Knopf(QStringLiteral("Kopieren")), nullptr);
  EXPECT_EQ(r.Knopf(QStringLiteral("Einfügen")), nullptr);
  for (const char* t : {"4", ",", "5", "*", "3", "="}) r.Taste(QString::fromUtf8(t));
  r.Knopf(QStringLiteral("Kopieren"))->click();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("13,5"));
  EXPECT_EQ(r.result(), QDialog::Accepted);
}

TEST(Datumsauswahl, WaehltOderBrichtAb) {
  TDatumsAuswahl a(QDate(2021, 9, 1));
  EXPECT_EQ(a.windowTitle(), QStringLiteral("BitteDatum auswählen"));
  EXPECT_EQ(a.Datum(), QDate(2021, 9, 1));
  EXPECT_EQ(a.Kalender()->accessibleName(), QStringLiteral("Datum"));
  a.show();
  a.Kalender()->setSelectedDate(QDate(2021, 9, 15));
  QPushButton* ok = nullptr;
  QPushButton* abbruch = nullptr;
  for (auto* k : a.findChildren<QPushButton*>()) {
    if (k->text() == QLatin1String("OK")) ok = k;
    if (k->text() == QLatin1String("Abbruch")) abbruch = k;
  }
  ASSERT_TRUE(ok && abbruch);
  ok->click();
  EXPECT_EQ(a.result(), QDialog::Accepted);
  EXPECT_EQ(a.Datum(), QDate(2021, 9, 15));

  TDatumsAuswahl b{QDate()};
  EXPECT_EQ(b.Datum(), QDate::currentDate());  // without a date: today
  b.show();
  for (auto* k : b.findChildren<QPushButton*>())
    if (k->text() == QLatin1String("Abbruch")) k->click();
  EXPECT_EQ(b.result(), QDialog::Rejected);
}

}  // namespace
