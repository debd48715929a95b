// The official text files: number texts, code page, check number, file name
// and the written bytes.
#include "meldedatei.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Readable failure output.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace {

TEST(Meldedatei, ZahlMitEinerStelle) {
  const struct {
    QVariant wert;
    const char* text;
  } faelle[] = {{12.25, "12,3"}, {0.04, "0,0"},   {-1.26, "-1,3"}, {99.95, "100,0"}, {0.5, "0,5"},
                {-0.01, "-0,0"}, {QVariant(), "0,0"}, {1234.0, "1234,0"}, {81, "81,0"}, {0.149, "0,1"}, {0.049, "0,0"}};
  for (const auto& f : faelle) EXPECT_EQ(Meldedatei::EineStelle(f.wert), QString::fromLatin1(f.text)) << f.text;
}

TEST(Meldedatei, Pruefzahl) {
  // Worked by hand and by a separate script with explicit 32-bit wrapping.
  const struct {
    QByteArray inhalt;
    qint32 h;
    const char* text;
  } faelle[] = {
      {"abc", 1601891, "   1601891"},
      {"", 0, "         0"},
      {" \r\n\t ", 0, "         0"},
      {"  abc\r\n", 1601891, "   1601891"},
      {"Betriebsname\tEU_NUMMER\r\nHof Linde\t276150000001\r\n", 14935718, "  14935718"},
      {"Betriebsname\tEU_NUMMER\r\nHof Linde\t276150000001\r\n\xD6ko-Hof M\xFCller\t2761500000\r\n", -4708862,
       "  -4708862"},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.text);
    EXPECT_EQ(Meldedatei::Pruefzahl(f.inhalt), f.h);
    EXPECT_EQ(Meldedatei::PruefzahlText(f.inhalt), QByteArray(f.text));
  }
}

TEST(Meldedatei, Dateiname) {
  EXPECT_EQ(Meldedatei::Dateiname(QStringLiteral("Anl5_"), 7, QStringLiteral("276150000001"), 2022),
            QStringLiteral("Anl5_007_276150000001_2022.TXT"));
  EXPECT_EQ(Meldedatei::Dateiname(QStringLiteral("Duengungen_"), QStringLiteral(" 87 "), QStringLiteral(" 150000001 "), 2021),
            QStringLiteral("Duengungen_087_000150000001_2021.TXT"));
  EXPECT_EQ(Meldedatei::Dateiname(QStringLiteral("Anl5NG_"), 15, QStringLiteral("27615000000123"), 2023),
            QStringLiteral("Anl5NG_015_27615000000123_2023.TXT"));
}

TEST(Meldedatei, CodeseiteUndTrenner) {
  EXPECT_EQ(Meldedatei::Windows1252(QStringLiteral("Gülle € „Öl“ ß")), QByteArray("G\xFClle \x80 \x84\xD6l\x93 \xDF"));
  // Outside the code page: one "?" each, also for a character of two UTF-16 units.
  EXPECT_EQ(Meldedatei::Windows1252(QStringLiteral("Łąka 🌱 x")), QByteArray("??ka ? x"));
  EXPECT_EQ(Meldedatei::Feld(QStringLiteral("a\tb\r\nc")), QStringLiteral("a b  c"));
}

TEST(Meldedatei, DateiBytesGenau) {
  QTemporaryDir ordner;
  const QString pfad = ordner.filePath(QStringLiteral("Duengungen_007_276150000001_2022.TXT"));
  QString fehler;
  // Header only: the file of a year without records.
  ASSERT_TRUE(Meldedatei::Schreiben(pfad, {QStringLiteral("Betriebsname"), QStringLiteral("Menge")}, {}, &fehler));
  QFile f(pfad);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), QByteArray("Betriebsname\tMenge\r\n") + Meldedatei::PruefzahlText("Betriebsname\tMenge"));
  f.close();
  // With rows: a name with a TAB and umlauts, numbers as texts.
  ASSERT_TRUE(Meldedatei::Schreiben(pfad, {QStringLiteral("Betriebsname"), QStringLiteral("Menge")},
                                    {{QStringLiteral("Öko\tHof"), Meldedatei::EineStelle(12.25)},
                                     {QStringLiteral("Bördeland"), Meldedatei::EineStelle(QVariant())}},
                                    &fehler));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray gelesen = f.readAll();
  const QByteArray erwartet = "Betriebsname\tMenge\r\n\xD6ko Hof\t12,3\r\nB\xF6rdeland\t0,0\r\n";
  EXPECT_EQ(gelesen.left(gelesen.size() - 10), erwartet);
  // The last ten bytes: the check number of what precedes them, re-read from the file.
  EXPECT_EQ(gelesen.right(10), Meldedatei::PruefzahlText(gelesen.left(gelesen.size() - 10)));
  EXPECT_EQ(QDir(ordner.path()).entryList(QDir::Files), QStringList{QFileInfo(pfad).fileName()});
}

TEST(Meldedatei, NichtSchreibbarHinterlaesstNichtsUndNenntDieDatei) {
  QTemporaryDir ordner;
  const QString pfad = ordner.filePath(QStringLiteral("fehlt/Anl5_007_276150000001_2022.TXT"));
  QString fehler;
  EXPECT_FALSE(Meldedatei::Schreiben(pfad, {QStringLiteral("a")}, {{QStringLiteral("1")}}, &fehler));
  EXPECT_TRUE(fehler.contains(QStringLiteral("Anl5_007_276150000001_2022.TXT"))) << fehler.toStdString();
  EXPECT_TRUE(QDir(ordner.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

}  // namespace
