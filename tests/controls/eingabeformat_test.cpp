// The rules every input field shares: normalising, years, dates, column
// kinds, the colouring rule and the names of the bound test modes.
#include "eingabeformat.h"

#include <gtest/gtest.h>

namespace {

TEST(Eingabeformat, GanzzahlNormalisieren) {
  struct Fall {
    const char* text;
    bool ohneVorzeichen;
    const char* erwartet;
  };
  const Fall faelle[] = {
      {"123", false, "123"},  {"-0042", false, "-0042"}, {"x-12y", false, "12"}, {" -7 ", false, "-7"},
      {"1-2", false, "12"},   {"abc", false, "0"},       {"", false, "0"},       {"-", false, "0"},
      {"-15", true, "15"},    {"4,5", false, "45"},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.text);
    EXPECT_EQ(Eingabe::GanzzahlNormalisieren(QString::fromUtf8(f.text), f.ohneVorzeichen), QString::fromUtf8(f.erwartet));
  }
}

TEST(Eingabeformat, KommazahlNormalisieren) {
  struct Fall {
    const char* text;
    int stellen;
    const char* erwartet;
  };
  const Fall faelle[] = {
      {"7", 1, "7,0"},         {",5", 2, "0,50"},     {"-,5", 2, "-0,50"},      {"12,", 2, "12,00"},
      {"3,14159", 2, "3,14"},  {"2,675", 2, "2,68"},  {"1.234,5", 2, "1234,50"}, {"1,2,3", 2, "1,23"},
      {"abc", 2, "0,00"},      {"", 1, "0,0"},        {"-3,5", 0, "-4"},         {"1,2345", 3, "1,234"},
      {"-0", 2, "0,00"},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.text);
    EXPECT_EQ(Eingabe::KommazahlNormalisieren(QString::fromUtf8(f.text), f.stellen, false), QString::fromUtf8(f.erwartet));
  }
  EXPECT_EQ(Eingabe::KommazahlNormalisieren(QStringLiteral("-2,5"), 1, true), QStringLiteral("2,5"));
}

// What leaving counts as decimals: after the first comma, trailing zeros not.
TEST(Eingabeformat, Nachkommastellen) {
  const std::pair<const char*, int> faelle[] = {{"8", 0},   {"8,", 0},     {"8,25", 2},    {"8,250", 2}, {",5", 1},
                                                {"8,205", 3}, {"1,2,3", 2}, {"1.234,5", 1}, {"-0,10", 1}};
  for (const auto& [text, stellen] : faelle) EXPECT_EQ(Eingabe::Nachkommastellen(QString::fromUtf8(text)), stellen) << text;
}

TEST(Eingabeformat, ZweistelligeJahre) {
  // Bound: 0–50 this century, 51–100 the last one; unbound: the border is 30.
  const std::tuple<qint64, qint64, qint64> faelle[] = {
      {0, 2000, 2000},   {23, 2023, 2023}, {30, 2030, 2030}, {31, 2031, 1931}, {50, 2050, 1950},
      {51, 1951, 1951},  {75, 1975, 1975}, {99, 1999, 1999}, {100, 2000, 100}, {101, 101, 101},
      {2031, 2031, 2031}, {-1, -1, -1},
  };
  for (const auto& [jahr, gebunden, ungebunden] : faelle) {
    SCOPED_TRACE(jahr);
    EXPECT_EQ(Eingabe::JahrGebunden(jahr), gebunden);
    EXPECT_EQ(Eingabe::JahrUngebunden(jahr), ungebunden);
  }
}

TEST(Eingabeformat, DatumAusTextUndZurueck) {
  const std::pair<const char*, QDate> faelle[] = {
      {"01.09.21", QDate(2021, 9, 1)},  {"1 .9 .21", QDate(2021, 9, 1)}, {"31.12.99", QDate(1999, 12, 31)},
      {"15.03.2024", QDate(2024, 3, 15)}, {"31.02.21", QDate()},         {"..", QDate()},
      {"01.09.", QDate()},               {"", QDate()},
  };
  for (const auto& [text, datum] : faelle) {
    SCOPED_TRACE(text);
    EXPECT_EQ(Eingabe::DatumAusText(QString::fromUtf8(text)), datum);
  }
  EXPECT_EQ(Eingabe::DatumText(QDate(2021, 9, 1)), QStringLiteral("01.09.21"));
  EXPECT_EQ(Eingabe::DatumAusSpalte(QStringLiteral("2021-09-01 12:30:00")), QDate(2021, 9, 1));
  EXPECT_TRUE(Eingabe::DatumLeer(QStringLiteral("..")));
  EXPECT_TRUE(Eingabe::DatumLeer(QStringLiteral("  .  .  ")));
  EXPECT_FALSE(Eingabe::DatumLeer(QStringLiteral("01..")));
}

TEST(Eingabeformat, ZahlTextMitKomma) {
  const std::tuple<double, int, const char*> faelle[] = {
      {7.0, 1, "7,0"},   {100, 2, "100,00"}, {2.5, 0, "2"},   {3.5, 0, "4"},        {-0.001, 2, "0,00"},
      {1.234, 3, "1,234"}, {-12.5, 1, "-12,5"}, {1e6, 2, "1000000,00"},
  };
  for (const auto& [wert, stellen, text] : faelle) {
    SCOPED_TRACE(text);
    EXPECT_EQ(Eingabe::ZahlText(wert, stellen), QString::fromUtf8(text));
  }
  EXPECT_EQ(Eingabe::Zahl(QStringLiteral("12,5")), 12.5);
  EXPECT_EQ(Eingabe::Zahl(QStringLiteral("-0,25")), -0.25);
  EXPECT_FALSE(Eingabe::Zahl(QStringLiteral("1,2,3")).has_value());
  EXPECT_FALSE(Eingabe::Zahl(QString()).has_value());
}

TEST(Eingabeformat, SpaltenArtenUndWertarten) {
  using A = Eingabe::TSpaltenArt;
  const std::tuple<const char*, A, TDatenTyp> faelle[] = {
      {"SMALLINT", A::Ganzzahl, dtInteger}, {"INTEGER", A::Ganzzahl, dtInteger},
      {"BIGINT", A::Ganzzahl, dtInteger},   {"REAL", A::Kommazahl, dtFloat},
      {"CURRENCY", A::Kommazahl, dtFloat},  {"BOOLEAN", A::Wahrheitswert, dtString},
      {"DATETIME", A::Datum, dtDatum},      {"TIME", A::Zeit, dtString},
      {"VARCHAR(80)", A::Text, dtString},   {"TEXT", A::Text, dtString},
  };
  for (const auto& [typ, art, wertart] : faelle) {
    SCOPED_TRACE(typ);
    EXPECT_EQ(Eingabe::SpaltenArt(QString::fromUtf8(typ)), art);
    EXPECT_EQ(Eingabe::DatenTypFuer(art), wertart);
  }
  // An expression column is judged by its value.
  EXPECT_EQ(Eingabe::SpaltenArt(QString(), QVariant(qlonglong(3))), A::Ganzzahl);
  EXPECT_EQ(Eingabe::SpaltenArt(QString(), QVariant(2.5)), A::Kommazahl);
  EXPECT_EQ(Eingabe::TextLaenge(QStringLiteral("VARCHAR(100)")), 100);
  EXPECT_EQ(Eingabe::TextLaenge(QStringLiteral("TEXT")), 0);
  EXPECT_EQ(Eingabe::GanzzahlBereich(QStringLiteral("SMALLINT")), std::make_pair(qint64(-32768), qint64(32767)));
  EXPECT_EQ(Eingabe::GanzzahlBereich(QStringLiteral("INTEGER")).second, qint64(2147483647));
}

TEST(Eingabeformat, FehlerRegel) {
  using A = Eingabe::TSpaltenArt;
  const QVariant null;
  struct Fall {
    QVariant wert;
    A art;
    bool wennNull, wenn0oderLeer;
  };
  const Fall faelle[] = {
      {null, A::Text, true, true},
      {QStringLiteral("   "), A::Text, false, true},
      {QStringLiteral(" a "), A::Text, false, false},
      {qlonglong(0), A::Ganzzahl, false, true},
      {qlonglong(3), A::Ganzzahl, false, false},
      {qlonglong(0), A::Wahrheitswert, false, true},
      {0.0, A::Kommazahl, false, true},
      {0.5, A::Kommazahl, false, false},
      {QStringLiteral("2021-09-01"), A::Datum, false, false},
      {null, A::Datum, true, true},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.wert.toString().toStdString() + " " + std::to_string(int(f.art)));
    EXPECT_FALSE(Eingabe::FehlerRegelGreift(cnstNichtFaeben, f.wert, f.art));
    EXPECT_EQ(Eingabe::FehlerRegelGreift(cnstFaerbenWennNull, f.wert, f.art), f.wennNull);
    EXPECT_EQ(Eingabe::FehlerRegelGreift(cnstFaerbenWenn0orLeer, f.wert, f.art), f.wenn0oderLeer);
  }
}

TEST(Eingabeformat, FuenfundzwanzigGrenzmodi) {
  // The ordinal is max mode + 5 × min mode; the names run with the max mode fastest.
  const QStringList modi{QStringLiteral("Free"), QStringLiteral("Korr"), QStringLiteral("MKor"), QStringLiteral("Grenz"),
                         QStringLiteral("Frag")};
  int ordinal = 0;
  for (int min = 0; min < 5; ++min)
    for (int max = 0; max < 5; ++max, ++ordinal) {
      const auto t = TMinMaxTest(ordinal);
      EXPECT_EQ(Eingabe::Name(t), QStringLiteral("Max_%1_Min_%2").arg(modi[max], modi[min]));
      EXPECT_EQ(int(Eingabe::MaxModus(t)), max);
      EXPECT_EQ(int(Eingabe::MinModus(t)), min);
      EXPECT_EQ(Eingabe::Test(TGrenzModus(max), TGrenzModus(min)), t);
    }
  EXPECT_EQ(ordinal, 25);
  EXPECT_EQ(int(TMinMaxTest::Max_Free_Min_Free), 0);
  EXPECT_EQ(int(TMinMaxTest::Max_Free_Min_Korr), 5);
  EXPECT_EQ(int(TMinMaxTest::Max_Korr_Min_Korr), 6);
  EXPECT_EQ(int(TMinMaxTest::Max_MKor_Min_MKor), 12);
  EXPECT_EQ(int(TMinMaxTest::Max_Frag_Min_Frag), 24);
  EXPECT_EQ(Eingabe::Name(TMinMaxTest::Max_Grenz_Min_Frag), QStringLiteral("Max_Grenz_Min_Frag"));
}

TEST(Eingabeformat, Farben) {
  EXPECT_EQ(Eingabe::FarbeNurLesen, QColor(252, 252, 194));
  EXPECT_EQ(Eingabe::FarbeFehler, QColor(243, 176, 175));
  EXPECT_EQ(Eingabe::FarbePanelFehler, QColor(250, 220, 218));
  EXPECT_EQ(Eingabe::Weiss, QColor(Qt::white));
}

}  // namespace
