// Printing a sheet: how it falls into pages for the settings, which pages a
// choice prints, and the window "Arbeitsblatt drucken" printing into a PDF.
// A column of short texts is 6 characters × 8 pt × 0.6 = 28.8 pt = 10.16 mm
// plus 2 mm wide; a row at 8 pt is 8 × 1.4 = 11.2 pt = 3.951 mm high.
#include "blatt.h"
#include "blattdruck.h"
#include "druckfenster.h"
#include "fensterelement.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;
using A = TDruckeinstellung::TAuswahl;

TBlatt Blatt(int spalten, int zeilen) {
  TBlatt b;
  for (int z = 1; z <= zeilen; ++z)
    for (int s = 1; s <= spalten; ++s)
      if (z == 1 || s == 1) b.setText(s, z, u"x"_s);
  return b;
}

TEST(Blattdruck, SeitenQuerUndHoch) {
  struct TFall {
    const char* name;
    int spalten, zeilen;
    bool quer, wiederholen;
    int seitenQuer, seitenHoch;
  };
  // Portrait A4 with 20 mm margins: 170 mm wide → 13 columns of 12.16 mm;
  // 297 − 40 − 2 × (10 + 3.951) = 229.1 mm high → 57 rows. Landscape: 257 mm
  // → 21 columns; 210 − 40 − 27.9 = 142.1 mm → 35 rows.
  const TFall faelle[] = {
      {"eine Zelle", 1, 1, false, false, 1, 1},
      {"13 Spalten passen", 13, 57, false, false, 1, 1},
      {"14 Spalten nicht", 14, 58, false, false, 2, 2},
      {"30 × 100", 30, 100, false, false, 3, 2},
      {"30 × 100 quer", 30, 100, true, false, 2, 3},
      {"114 Zeilen", 1, 114, false, false, 1, 2},
      {"114 Zeilen mit Titelzeile je Seite", 1, 114, false, true, 1, 3},
  };
  for (const auto& f : faelle) {
    TDruckeinstellung e;
    e.quer = f.quer;
    e.wiederholungszeile = f.wiederholen;
    const Blattdruck::TSeiten s = Blattdruck::Aufteilen(Blatt(f.spalten, f.zeilen), 0, e, 210, 297);
    EXPECT_EQ(s.Quer(), f.seitenQuer) << f.name;
    EXPECT_EQ(s.Hoch(), f.seitenHoch) << f.name;
  }
  // The pages down hold rows 1–57 and 58–114; with the title row repeated the
  // second holds one row less.
  TDruckeinstellung e;
  auto s = Blattdruck::Aufteilen(Blatt(1, 114), 0, e, 210, 297);
  EXPECT_EQ(s.zeilen[1].von, 58);
  e.wiederholungszeile = true;
  s = Blattdruck::Aufteilen(Blatt(1, 114), 0, e, 210, 297);
  EXPECT_EQ(s.zeilen[1].bis, 113);
  // Larger type needs more pages: at 12 pt a column is 6 × 12 × 0.6 pt + 2 = 17.24 mm → 9 per page.
  e = {};
  e.punkte = 12;
  EXPECT_EQ(Blattdruck::Aufteilen(Blatt(10, 1), 0, e, 210, 297).Quer(), 2);
}

TEST(Blattdruck, SeitenauswahlNachUntenDannQuer) {
  Blattdruck::TSeiten s;
  s.spalten.resize(3);
  s.zeilen.resize(2);
  struct TFall {
    A auswahl;
    int von, bis;
    std::vector<std::pair<int, int>> seiten;
  };
  const TFall faelle[] = {
      {A::ErstesBlatt, 1, 1, {{0, 0}}},
      {A::ObersteReihe, 1, 1, {{0, 0}, {1, 0}, {2, 0}}},
      {A::LinkeSpalte, 1, 1, {{0, 0}, {0, 1}}},
      {A::VonBis, 2, 4, {{0, 1}, {1, 0}, {1, 1}}},
      {A::Alle, 1, 1, {{0, 0}, {0, 1}, {1, 0}, {1, 1}, {2, 0}, {2, 1}}},
  };
  for (const auto& f : faelle) {
    TDruckeinstellung e;
    e.auswahl = f.auswahl;
    e.von = f.von;
    e.bis = f.bis;
    std::vector<std::pair<int, int>> ist;
    for (const auto& p : Blattdruck::Auswahl(s, e)) ist.emplace_back(p.quer, p.hoch);
    EXPECT_EQ(ist, f.seiten) << int(f.auswahl);
  }
}

TEST(Druckfenster, SeitenzahlenUndDruckInPdf) {
  TDruckeinstellung::Programm() = {};
  QTemporaryDir ordner;
  const QString pdf = ordner.filePath(u"blatt.pdf"_s);
  QPrinter drucker(QPrinter::HighResolution);
  drucker.setOutputFormat(QPrinter::PdfFormat);
  drucker.setOutputFileName(pdf);
  drucker.setPageSize(QPageSize(QPageSize::A4));
  const TBlatt blatt = Blatt(30, 100);
  TDruckfenster f(blatt, 0, drucker, u"Kopf"_s, u"Seite &P von &N"_s, false);
  EXPECT_EQ(f.Seitentext(), u"Benötigte Seiten quer: 3, Benötigte Seiten hoch: 2, Benötigte Seiten insgesamt: 6"_s);
  Fensterhilfe::Element<QRadioButton>(&f, u"Horizontal"_s)->setChecked(true);
  EXPECT_EQ(f.Seitentext(), u"Benötigte Seiten quer: 2, Benötigte Seiten hoch: 3, Benötigte Seiten insgesamt: 6"_s);
  Fensterhilfe::Element<QRadioButton>(&f, u"Vertikal"_s)->setChecked(true);
  auto* auswahl = Fensterhilfe::Element<QComboBox>(&f, u"Druckseitenauswahl"_s);
  EXPECT_FALSE(Fensterhilfe::Element<QSpinBox>(&f, u"drucken von Blatt"_s)->isEnabled());
  auswahl->setCurrentIndex(int(A::Alle));
  Fensterhilfe::Element<QPushButton>(&f, u"Drucken"_s)->click();
  EXPECT_EQ(TDruckeinstellung::Programm().auswahl, A::Alle);  // kept for the next print
  QProcess info;
  info.start(u"pdfinfo"_s, {pdf});
  ASSERT_TRUE(info.waitForFinished());
  EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput()).contains(QRegularExpression(u"Pages:\\s+6\\n"_s)));
  QProcess text;
  text.start(u"pdftotext"_s, {pdf, u"-"_s});
  ASSERT_TRUE(text.waitForFinished());
  const QString inhalt = QString::fromUtf8(text.readAllStandardOutput());
  EXPECT_TRUE(inhalt.contains(u"Seite 1 von 6"_s));
  EXPECT_TRUE(inhalt.contains(u"Seite 6 von 6"_s));
  EXPECT_TRUE(inhalt.contains(u"Kopf"_s));
  TDruckeinstellung::Programm() = {};
}

TEST(Druckfenster, RaenderNichtUnterDemDruckbarenBereich) {
  TDruckeinstellung::Programm() = {};
  TDruckeinstellung::Programm().links = 2;
  QPrinter drucker;
  drucker.setOutputFormat(QPrinter::PdfFormat);
  drucker.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
  const TBlatt blatt = Blatt(2, 2);
  TDruckfenster f(blatt, 0, drucker, {}, {}, true);
  auto* links = Fensterhilfe::Element<QSpinBox>(&f, u"Links"_s);
  EXPECT_EQ(links->value(), 2);
  EXPECT_EQ(links->minimum(), int(std::ceil(drucker.pageLayout().minimumMargins().left() * 25.4 / 72.0)));
  Fensterhilfe::Element<QLineEdit>(
      &f, u"Fußtext (&D für Datum, &T für Zeit, &P für Seitennummer, &N für Gesamtseitenzahl)"_s)
      ->setText(u"neu"_s);
  Fensterhilfe::Element<QPushButton>(&f, u"OK"_s)->click();
  EXPECT_EQ(f.Fusstext(), u"neu"_s);
  EXPECT_EQ(TDruckeinstellung::Programm().links, 2);
  TDruckeinstellung::Programm() = {};
}

}  // namespace
