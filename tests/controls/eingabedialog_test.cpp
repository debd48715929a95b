// The small input boxes: caption, field length and how their text is read.
#include "eingabedialog.h"
#include "skriptmeldungen.h"

#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(Eingabedialog, TitelFeldlaengeUndGanzzahl) {
  TEingabeDialog d(TEingabeDialog::TArt::Jahr, QStringLiteral("Mit welchem Kalenderjahr wollen Sie beginnen? \r\n(-1 für Abbruch)"));
  EXPECT_EQ(d.windowTitle(), QStringLiteral("Jahreseingabe"));
  EXPECT_EQ(d.Feld()->maxLength(), 20);
  QTest::keyClicks(d.Feld(), QStringLiteral("-1"));
  EXPECT_EQ(d.Zahl(), -1);
  d.Feld()->clear();
  QTest::keyClicks(d.Feld(), QStringLiteral("20x21"));  // letters are not taken
  EXPECT_EQ(d.Zahl(), 2021);
  d.Feld()->clear();
  EXPECT_EQ(d.Zahl(), 0);
  EXPECT_EQ(TEingabeDialog::Titel(TEingabeDialog::TArt::Ganzzahl), QStringLiteral("Ganzzahleingabe"));
}

TEST(Eingabedialog, DatumMitZweistelligemJahr) {
  TEingabeDialog d(TEingabeDialog::TArt::Datum, QStringLiteral("Wann?"));
  EXPECT_EQ(d.windowTitle(), QStringLiteral("Datumseingabe"));
  const std::pair<const char*, QDate> faelle[] = {
      {"010921", QDate(2021, 9, 1)},
      {"311299", QDate(1999, 12, 31)},
      {"310221", QDate()},  // no 31 February
      {"", QDate()},
  };
  for (const auto& [tasten, datum] : faelle) {
    SCOPED_TRACE(tasten);
    d.Feld()->clear();
    d.Feld()->setCursorPosition(0);
    QTest::keyClicks(d.Feld(), QString::fromLatin1(tasten));
    EXPECT_EQ(d.Datum(), datum);
  }
}

TEST(Eingabedialog, BeschriftungenFuerVorleser) {
  const QString frage = QStringLiteral("Bitte geben Sie die neue Parzellennummer an.");
  for (auto art : {TEingabeDialog::TArt::Ganzzahl, TEingabeDialog::TArt::Datum, TEingabeDialog::TArt::Jahr}) {
    TEingabeDialog d(art, frage);
    SCOPED_TRACE(d.windowTitle().toStdString());
    EXPECT_EQ(d.accessibleName(), TEingabeDialog::Titel(art));
    EXPECT_EQ(d.Feld()->accessibleName(), frage);
    EXPECT_EQ(d.Aufforderung()->text(), frage);
    EXPECT_TRUE(d.Aufforderung()->wordWrap());
    EXPECT_EQ(d.Aufforderung()->buddy(), d.Feld());
    EXPECT_EQ(d.OK()->text(), QStringLiteral("OK"));
    EXPECT_EQ(d.OK()->accessibleName(), QStringLiteral("OK"));
  }
  EXPECT_EQ(TEingabeDialog::Titel(TEingabeDialog::TArt::Datum), QStringLiteral("Datumseingabe"));
}

TEST(Eingabedialog, OKGibtDenWertAnderesSchliessenNichts) {
  struct Fall {
    TEingabeDialog::TArt art;
    const char* tasten;
    bool ok;
    int zahl;
  };
  const Fall faelle[] = {
      {TEingabeDialog::TArt::Ganzzahl, "17", true, 17},
      {TEingabeDialog::TArt::Ganzzahl, "17", false, 0},
      {TEingabeDialog::TArt::Jahr, "31", true, 1931},
      {TEingabeDialog::TArt::Jahr, "30", true, 2030},
      {TEingabeDialog::TArt::Jahr, "-1", true, -1},
      {TEingabeDialog::TArt::Jahr, "2024", false, 0},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(std::string(f.tasten) + (f.ok ? " OK" : " geschlossen"));
    TEingabeDialog d(f.art, QStringLiteral("Mit welchem Kalenderjahr wollen Sie beginnen? \r\n(-1 für Abbruch)"));
    d.show();
    QTest::keyClicks(d.Feld(), QString::fromUtf8(f.tasten));
    if (f.ok)
      QTest::keyClick(d.Feld(), Qt::Key_Return);  // Enter presses "OK"
    else
      d.reject();
    EXPECT_EQ(d.result(), f.ok ? QDialog::Accepted : QDialog::Rejected);
    EXPECT_EQ(d.Ergebnis(), f.zahl);
  }

  TEingabeDialog datum(TEingabeDialog::TArt::Datum, QStringLiteral("Wann?"));
  datum.show();
  datum.Feld()->home(false);
  QTest::keyClicks(datum.Feld(), QStringLiteral("150322"));
  datum.reject();
  EXPECT_FALSE(datum.DatumErgebnis().has_value());
  datum.OK()->click();
  EXPECT_EQ(datum.DatumErgebnis(), QDate(2022, 3, 15));
}

TEST(Eingabedialog, FalscheTastePiept) {
  TSkriptMeldungen meldungen;
  TEingabeDialog d(TEingabeDialog::TArt::Ganzzahl, QStringLiteral("Welche Parzellennummer soll die Fläche neu erhalten?"));
  d.setMeldungen(&meldungen);
  QTest::keyClicks(d.Feld(), QStringLiteral("1x2"));
  EXPECT_EQ(d.Feld()->text(), QStringLiteral("12"));
  EXPECT_EQ(meldungen.piepser, 1);
}

}  // namespace
