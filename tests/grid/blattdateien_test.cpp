// The toolbar's file and clipboard formats: bytes read into a sheet and the
// same bytes written back, quoting, skipped bytes, the sheet's limits, and
// the header and footer placeholders.
#include "blatt.h"
#include "blattdateien.h"

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;
namespace D = Blattdateien;

QStringList Zeile(const TBlatt& b, int zeile) {
  QStringList z;
  for (int s = 1; s <= b.LetzteSpalte(zeile); ++s) z << b.Text(s, zeile);
  return z;
}

std::string Str(const QStringList& l) { return l.join(u'|').toStdString(); }

TEST(Blattdateien, CsvZitateHinUndZurueck) {
  TBlatt b;
  const QByteArray csv = "a;\"b;c\";\"d\"\"e\"\r\n";
  D::CsvLesen(csv, b);
  EXPECT_EQ(Str(Zeile(b, 1)), "a|b;c|d\"e");
  EXPECT_EQ(b.LetzteZeile(), 1);
  EXPECT_EQ(D::CsvSchreiben(b), csv);
  EXPECT_EQ(D::TxtSchreiben(b), QByteArray("a\tb;c\td\"e\r\n"));
}

TEST(Blattdateien, CsvLesenFaelle) {
  struct TFall {
    const char* name;
    QByteArray csv;
    std::vector<std::string> zeilen;
  };
  const TFall faelle[] = {
      {"Anführungszeichen mitten in der Zelle bleibt", "a\"b;c\n", {"a\"b|c"}},
      {"Text nach dem Schlusszitat wird angehängt", "\"ab\"cd;e\n", {"abcd|e"}},
      {"Zeilenumbruch im Zitat bleibt in der Zelle", "\"x\ny\";z\n2\n", {"x\ny|z", "2"}},
      {"CR wird übersprungen", "a\r;b\r\nc", {"a|b", "c"}},
      {"leere Zellen und Zeilen", ";;c\n\nd", {"||c", "", "d"}},
      {"Byte-Order-Mark fällt weg", "\xEF\xBB\xBF" "a;b", {"a|b"}},
      {"Windows-1252", "Gr\xF6\xDF" "e;\x80", {"Größe|€"}},
  };
  for (const auto& f : faelle) {
    TBlatt b;
    b.setText(9, 9, u"alt"_s);  // replaced by the file
    D::CsvLesen(f.csv, b);
    ASSERT_EQ(b.LetzteZeile(), int(f.zeilen.size())) << f.name;
    for (size_t z = 0; z < f.zeilen.size(); ++z) EXPECT_EQ(Str(Zeile(b, int(z) + 1)), f.zeilen[z]) << f.name;
  }
}

TEST(Blattdateien, CsvMitZeilenumbruchUeberlebtDieRundreise) {
  TBlatt b;
  b.setText(1, 1, u"Zeile eins\nZeile zwei"_s);
  b.setText(2, 1, u"Tab\tdrin"_s);
  b.setText(3, 1, u"normal"_s);
  b.setText(2, 2, u"  getrimmt  "_s);
  const QByteArray csv = D::CsvSchreiben(b);
  EXPECT_EQ(csv, QByteArray("\"Zeile eins\nZeile zwei\";Tab drin;normal\r\n;getrimmt\r\n"));
  TBlatt zurueck;
  D::CsvLesen(csv, zurueck);
  EXPECT_EQ(zurueck.Text(1, 1), u"Zeile eins\nZeile zwei"_s);
  EXPECT_EQ(zurueck.Text(2, 2), u"getrimmt"_s);
  EXPECT_EQ(D::CsvSchreiben(zurueck), csv);
}

TEST(Blattdateien, TxtLesenUndSchreiben) {
  const QByteArray txt = "Parzelle\tName\r\n1\tAm Weg\r\n\r\n3\t\tSp\xE4t\r\n";
  TBlatt b;
  const D::TLaden l = D::TxtLesen(txt, b);
  EXPECT_EQ(l.zeilen, 4);
  EXPECT_FALSE(l.abgeschnitten);
  EXPECT_EQ(l.Meldung(), QString());
  EXPECT_EQ(Str(Zeile(b, 2)), "1|Am Weg");
  EXPECT_EQ(Str(Zeile(b, 4)), "3||Spät");
  EXPECT_EQ(D::TxtSchreiben(b), txt);
  // A byte order mark and the byte 0xEF inside a text are dropped alike.
  TBlatt mitBom;
  D::TxtLesen("\xEF\xBB\xBF" + txt, mitBom);
  EXPECT_EQ(D::TxtSchreiben(mitBom), txt);
  TBlatt mitte;
  D::TxtLesen("na\xEFve\tx", mitte);
  EXPECT_EQ(mitte.Text(1, 1), u"nave"_s);
  // A line break inside a cell would make two rows: it is written as a blank.
  TBlatt umbruch;
  umbruch.setText(1, 1, u"a\nb"_s);
  EXPECT_EQ(D::TxtSchreiben(umbruch), QByteArray("a b\r\n"));
}

TEST(Blattdateien, JedeZelleGegenDieGrenzen) {
  // 300 columns in row 1 and one cell past the last row: everything inside
  // is read, everything outside left out and reported.
  QByteArray txt;
  for (int s = 1; s <= 300; ++s) txt += QByteArray::number(s) + (s < 300 ? "\t" : "\n");
  txt += QByteArray(TBlatt::MaxZeilen, '\n');
  txt += "weg";
  TBlatt b;
  const D::TLaden l = D::TxtLesen(txt, b);
  EXPECT_TRUE(l.abgeschnitten);
  EXPECT_EQ(b.Text(256, 1), u"256"_s);
  EXPECT_EQ(b.LetzteSpalte(), 256);
  EXPECT_EQ(l.zeilen, 1);
  EXPECT_EQ(l.Meldung(),
            u"Die Daten gehen über die Grenzen eines Blatts hinaus (16384 Zeilen, 256 Spalten). Eingelesen wurden 1 "
            "Zeilen; was außerhalb der Grenzen lag, fehlt."_s);
  // A cell in the last column of the last row is inside.
  TBlatt rand;
  QString text = QString(TBlatt::MaxZeilen - 1, u'\n') + QString(TBlatt::MaxSpalten - 1, u'\t') + u"ecke"_s;
  EXPECT_FALSE(D::ZwischenablageLesen(text, rand).abgeschnitten);
  EXPECT_EQ(rand.Text(256, 16384), u"ecke"_s);
}

TEST(Blattdateien, Zwischenablage) {
  TBlatt b;
  b.setText(1, 1, u" a "_s);
  b.setText(3, 1, u"c"_s);
  b.setText(1, 2, u"d"_s);
  b.setZahl(2, 3, 2.5);
  // Every row has every column of the sheet.
  EXPECT_EQ(D::ZwischenablageText(b), u"a\t\tc\r\nd\t\t\r\n\t2,5\t\r\n"_s);
  TBlatt zurueck;
  D::ZwischenablageLesen(D::ZwischenablageText(b), zurueck);
  EXPECT_EQ(Str(Zeile(zurueck, 1)), "a||c");
  EXPECT_EQ(zurueck.Text(2, 3), u"2,5"_s);
  // Pasted text keeps characters a file would lose.
  TBlatt text;
  D::ZwischenablageLesen(u"\uFEFFnaïve »x«\r\n"_s, text);
  EXPECT_EQ(text.Text(1, 1), u"naïve »x«"_s);
}

TEST(Blattdateien, DateitypNachEndung) {
  struct TFall {
    const char* datei;
    D::TTyp typ;
  };
  const TFall faelle[] = {{"a.txt", D::TTyp::Txt}, {"B.CSV", D::TTyp::Csv},         {"c.Dbf", D::TTyp::Dbf},
                          {"d.mdb", D::TTyp::Datenbank}, {"e.sqlite", D::TTyp::Datenbank}, {"f.xlsx", D::TTyp::Unzulaessig},
                          {"g", D::TTyp::Unzulaessig}};
  for (const auto& f : faelle) EXPECT_EQ(D::Typ(QString::fromUtf8(f.datei)), f.typ) << f.datei;
  EXPECT_EQ(D::Unzulaessig(u"/tmp/liste.xlsx"_s), u"unzulässiger Dateityp : xls"_s);
}

TEST(Blattdateien, KopfUndFusstext) {
  const QDateTime zeit(QDate(2021, 3, 9), QTime(14, 5));
  struct TFall {
    const char* text;
    const char* ergebnis;
  };
  const TFall faelle[] = {
      {"Seite &P von &N", "Seite 2 von 7"},
      {"&D : &T Seiten &P von &N ", "09.03.2021 : 14:05 Seiten 2 von 7 "},
      {"&D &D &D", "09.03.2021 09.03.2021 &D"},
      {"&P &P", "2 &P"},
      {"ohne", "ohne"},
  };
  for (const auto& f : faelle)
    EXPECT_EQ(D::KopfFussText(QString::fromUtf8(f.text), zeit, 2, 7), QString::fromUtf8(f.ergebnis)) << f.text;
}

}  // namespace
