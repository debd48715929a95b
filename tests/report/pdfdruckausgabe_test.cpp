// The page writer: page sizes, alignment, line advance, clipping, text blocks
// and graphics, checked on the recorded pages. Positions are device units at
// 600 dpi (23.622 per mm); the texts use DejaVu Sans Mono, whose characters
// are all 0.6021 em wide (60.203 units at 12 pt = 2.5486 mm), so that widths
// can be counted by hand.
#include "pdfdruckausgabe.h"

#include "skriptmeldungen.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <variant>

namespace {

const QString Mono = QStringLiteral("DejaVu Sans Mono");
constexpr double Zeichen12 = 2.5486;  // mm per character at 12 pt
constexpr double JeMm = 600 / 25.4;

double Mm(int einheiten) { return einheiten / JeMm; }

template <typename T>
std::vector<T> Elemente(const TDruckSeite& seite) {
  std::vector<T> liste;
  for (const TSeitenElement& e : seite.elemente)
    if (const T* t = std::get_if<T>(&e)) liste.push_back(*t);
  return liste;
}

std::vector<TTextElement> Texte(const TPDFDruckausgabe& d, int seite = -1) {
  const TDruckDokument& dok = d.Dokument();
  return Elemente<TTextElement>(dok.Seite(seite < 0 ? dok.Seitenzahl() - 1 : seite));
}

QStringList Inhalte(const std::vector<TTextElement>& texte) {
  QStringList liste;
  for (const TTextElement& t : texte) liste << t.text;
  return liste;
}

class Druckausgabe : public ::testing::Test {
protected:
  TSkriptMeldungen meldungen;
};

TEST_F(Druckausgabe, SeitengroesseRaenderUndLeermarke) {
  struct {
    bool quer;
    double breite, hoehe, nutzbar;
  } const faelle[] = {{false, 210, 297, 196}, {true, 297, 210, 283}};
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.quer ? "quer" : "hoch");
    TPDFDruckausgabe d(nullptr, f.quer, meldungen);
    d.DokumentBeginnen(f.quer);
    EXPECT_EQ(d.Seitenbreite(), f.breite);
    EXPECT_EQ(d.Seitenhoehe(), f.hoehe);
    EXPECT_EQ(d.RandLinks(), 7);
    EXPECT_EQ(d.RandRechts(), 7);
    EXPECT_EQ(d.RandOben(), 7);
    EXPECT_EQ(d.NutzbareBreite(), f.nutzbar);
    EXPECT_EQ(d.Dokument().Querformat(), f.quer);
    EXPECT_EQ(d.Dokument().GroesseMm(), QSizeF(f.breite, f.hoehe));
    EXPECT_EQ(d.Dokument().Seitenzahl(), 1);

    d.TextAn(QStringLiteral("Satz 1"), 10, 10);
    d.NeueSeite();
    d.TextAn(QStringLiteral("Satz 2"), 10, 10);
    d.NeueSeite();  // after the last record: a page with only the marker
    ASSERT_EQ(d.Dokument().Seitenzahl(), 3);
    for (int i = 0; i < 3; ++i) {
      const TDruckSeite& seite = d.Dokument().Seite(i);
      const auto bilder = Elemente<TBildElement>(seite);
      ASSERT_EQ(bilder.size(), 1u);
      EXPECT_EQ(bilder[0].bild.size(), QSize(10, 10));
      EXPECT_EQ(bilder[0].bild.pixelColor(5, 5), QColor(Qt::white));
      EXPECT_NEAR(Mm(bilder[0].rechteck.width()), 5, 0.05);
      EXPECT_LT(Mm(bilder[0].rechteck.left()), 7);  // within the top-left margin
      EXPECT_LT(Mm(bilder[0].rechteck.top()), 7);
    }
    EXPECT_EQ(d.Dokument().Seite(2).elemente.size(), 1u);
  }
}

TEST_F(Druckausgabe, Farben) {
  EXPECT_EQ(TPDFDruckausgabe::Farbe(0), QColor(0, 0, 0));
  EXPECT_EQ(TPDFDruckausgabe::Farbe(255), QColor(255, 0, 0));
  EXPECT_EQ(TPDFDruckausgabe::Farbe(0xFFFFFF), QColor(255, 255, 255));
  EXPECT_EQ(TPDFDruckausgabe::Farbe(15263976), QColor(0xE8, 0xE8, 0xE8));
  EXPECT_EQ(TPDFDruckausgabe::Farbe(13816530), QColor(0xD2, 0xD2, 0xD2));
  EXPECT_EQ(TPDFDruckausgabe::Farbe(0x00123456), QColor(0x56, 0x34, 0x12));  // red in the lowest byte
}

TEST_F(Druckausgabe, ZeilenvorschubAusDerSchrift) {
  const std::pair<int, double> faelle[] = {{7, 3}, {8, 3},  {9, 4},  {10, 4}, {11, 4},
                                           {12, 5}, {14, 6}, {18, 7}, {20, 8}};
  TPDFDruckausgabe d(nullptr, false, meldungen);
  d.DokumentBeginnen(false);
  for (const auto& [grad, vorschub] : faelle) {
    SCOPED_TRACE(grad);
    d.SchriftSetzen(grad, 0, 0, 0, QStringLiteral("Tahoma"), 0);
    d.TextAn(QStringLiteral("Zeile"), 20, 50);
    EXPECT_EQ(d.Zeilenvorschub(), vorschub);
    d.NaechsteZeile();
    EXPECT_DOUBLE_EQ(d.PositionY(), 50 + vorschub);
    d.TextNaechsteZeile(QStringLiteral("und noch eine"));
    EXPECT_DOUBLE_EQ(d.PositionY(), 50 + 2 * vorschub);
    EXPECT_DOUBLE_EQ(d.PositionX(), 20);
  }
}

TEST_F(Druckausgabe, ZeilenvorschubBleibtBisZurNaechstenPositionierung) {
  TPDFDruckausgabe d(nullptr, false, meldungen);
  d.DokumentBeginnen(false);
  d.NaechsteZeile();  // nothing positioned yet: advance 0
  EXPECT_EQ(d.PositionY(), 0);

  d.SchriftSetzen(10, 0, 0, 0, QStringLiteral("Tahoma"), 0);
  d.TextAn(QStringLiteral("Kopf"), 10, 20);
  d.SchriftSetzen(20, 1, 0, 0, QStringLiteral("Tahoma"), 0);
  d.NaechsteZeile();
  EXPECT_EQ(d.PositionY(), 24);  // 10 pt: 4 mm, not the 8 mm of 20 pt
  d.TextLinks(QStringLiteral("links"), 30);  // no positioning: advance stays
  d.TextRechts(QStringLiteral("rechts"), 150);
  EXPECT_EQ(d.Zeilenvorschub(), 4);
  d.NeueSeite();  // position and advance survive the page break
  EXPECT_EQ(d.PositionY(), 24);
  EXPECT_EQ(d.Zeilenvorschub(), 4);
  d.TextAn(QStringLiteral("Kopf"), 10, 20, 6.5);  // a line spacing above 0 is taken as it is
  EXPECT_EQ(d.Zeilenvorschub(), 6.5);
}

TEST_F(Druckausgabe, LeererTextSetztNurDiePosition) {
  TPDFDruckausgabe d(nullptr, false, meldungen);
  d.DokumentBeginnen(false);
  d.SchriftSetzen(20, 0, 0, 0, QStringLiteral("Tahoma"), 0);
  d.TextAn(QStringLiteral(" \t\r\n "), 30, 40);
  EXPECT_EQ(d.PositionX(), 30);
  EXPECT_EQ(d.PositionY(), 40);
  EXPECT_EQ(d.Zeilenvorschub(), 8);
  d.TextRechtsAn(QString(), 90, 60);
  EXPECT_EQ(d.PositionX(), 90);
  EXPECT_EQ(d.Ausrichtung(), TPDFDruckausgabe::TAusrichtung::RechtsAnX);
  EXPECT_TRUE(Texte(d).empty());
  // Inner and outer blanks of a real text are drawn unchanged.
  d.TextAn(QStringLiteral("  a  b "), 30, 40);
  EXPECT_EQ(Inhalte(Texte(d)), QStringList{QStringLiteral("  a  b ")});
}

TEST_F(Druckausgabe, Ausrichtungen) {
  // "ABCD" at 12 pt is 4 x 2.5486 = 10.194 mm wide.
  using A = TPDFDruckausgabe::TAusrichtung;
  struct {
    const char* name;
    bool quer;
    std::function<void(TPDFDruckausgabe&)> schreiben;
    A ausrichtung;
    double links;  // left edge of the text, mm
    double oben;
  } const faelle[] = {
      {"TextAn", false, [](auto& d) { d.TextAn("ABCD", 20, 30); }, A::Links, 20, 30},
      {"TextRechtsAn", false, [](auto& d) { d.TextRechtsAn("ABCD", 100, 30); }, A::RechtsAnX, 89.806, 30},
      {"TextZentriertAn", false, [](auto& d) { d.TextZentriertAn("ABCD", 50, 30); }, A::MitteAnX, 44.903, 30},
      {"TextSeitenmitte hoch", false, [](auto& d) { d.TextSeitenmitte("ABCD", 30); }, A::Seitenmitte, 99.903, 30},
      {"TextSeitenmitte quer", true, [](auto& d) { d.TextSeitenmitte("ABCD", 30); }, A::Seitenmitte, 143.403, 30},
      {"TextRechts links vom Rand", false, [](auto& d) { d.TextAn("", 0, 12); d.TextRechts("ABCD", 5); },
       A::RechtsAnX, 0, 12},
      {"TextZentriertAn am Rand", false, [](auto& d) { d.TextZentriertAn("ABCD", 3, 12); }, A::MitteAnX, 0, 12},
      {"TextLinks", false, [](auto& d) { d.TextAn("", 0, 44); d.TextLinks("ABCD", 61); }, A::Links, 61, 44},
      {"TextNaechsteZeile rechts", false,
       [](auto& d) { d.TextRechtsAn("", 100, 30); d.TextNaechsteZeile("ABCD"); }, A::RechtsAnX, 89.806, 35},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    TPDFDruckausgabe d(nullptr, f.quer, meldungen);
    d.DokumentBeginnen(f.quer);
    d.SchriftSetzen(12, 0, 0, 0, Mono, 0);
    f.schreiben(d);
    EXPECT_EQ(d.Ausrichtung(), f.ausrichtung);
    const auto texte = Texte(d);
    ASSERT_EQ(texte.size(), 1u);
    EXPECT_EQ(texte[0].text, QStringLiteral("ABCD"));
    EXPECT_NEAR(Mm(texte[0].obenLinks.x()), f.links, 0.05);
    EXPECT_NEAR(Mm(texte[0].obenLinks.y()), f.oben, 0.05);
  }
}

TEST_F(Druckausgabe, SeitenmitteUndTextbreite) {
  TPDFDruckausgabe d(nullptr, false, meldungen);
  d.DokumentBeginnen(false);
  d.SchriftSetzen(12, 0, 0, 0, Mono, 0);
  EXPECT_NEAR(d.Textbreite(QStringLiteral("ABCD")), 4 * Zeichen12, 0.002);
  EXPECT_NEAR(d.Textbreite(QStringLiteral("Größe §3 m³")), 11 * Zeichen12, 0.002);
  d.SchriftSetzen(10, 0, 0, 0, Mono, 0);  // 83 units: 49.97 units = 2.1154 mm per character
  EXPECT_NEAR(d.Textbreite(QStringLiteral("ABCD")), 4 * 2.1154, 0.002);
  d.TextSeitenmitte(QStringLiteral("x"), 10);
  EXPECT_NEAR(d.PositionX(), 105, 1e-9);
}

TEST_F(Druckausgabe, BeschnittenerText) {
  // 20 mm hold 7 characters (17.84 mm), not 8 (20.39 mm).
  struct {
    const char* text;
    double clip;
    const char* gezeichnet;
  } const faelle[] = {
      {"ABCDEFGHIJKLMNOP", 20, "ABCDEFG"},
      {"ABC", 20, "ABC"},                      // narrower: whole
      {"ABCDEFGHIJKLMNOP", 25.49, "ABCDEFGHIJ"},  // ten characters are 25.486 mm
      {"ABCDEFGHIJKLMNOP", 2, ""},             // not even one character
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.text + std::string(" / ") + std::to_string(f.clip));
    TPDFDruckausgabe d(nullptr, false, meldungen);
    d.DokumentBeginnen(false);
    d.SchriftSetzen(12, 0, 0, 0, Mono, 0);
    d.TextAn(QString::fromUtf8(f.text), 15, 25, 0, f.clip);
    EXPECT_EQ(d.Ausrichtung(), TPDFDruckausgabe::TAusrichtung::LinksBeschnitten);
    EXPECT_EQ(d.Clipbreite(), f.clip);
    const QStringList erwartet =
        *f.gezeichnet ? QStringList{QString::fromUtf8(f.gezeichnet)} : QStringList{};
    EXPECT_EQ(Inhalte(Texte(d)), erwartet);
  }
  // The next line keeps the clipped mode.
  TPDFDruckausgabe d(nullptr, false, meldungen);
  d.DokumentBeginnen(false);
  d.SchriftSetzen(12, 0, 0, 0, Mono, 0);
  d.TextAn(QStringLiteral("kurz"), 15, 25, 0, 20);
  d.TextNaechsteZeile(QStringLiteral("ABCDEFGHIJKLMNOP"));
  EXPECT_EQ(Inhalte(Texte(d)), (QStringList{QStringLiteral("kurz"), QStringLiteral("ABCDEFG")}));
}

struct TBlockFall {
  const char* name;
  const char* text;
  quint8 trennen;
  double breite, hoehe, einzug;
  QStringList stuecke;
  std::vector<double> links;  // mm
  std::vector<double> oben;   // mm below the block's top
};

TEST_F(Druckausgabe, TextBlock) {
  // 12 pt: 26 mm hold ten characters, the advance is 5 mm.
  const TBlockFall faelle[] = {
      {"mit Silbentrennung", "Die Düngebedarfsermittlung ist fertig", 1, 26, 100, 0,
       {"Die Dünge-", "bedarfser-", "mittlung", "ist fertig"}, {40, 40, 40, 40}, {0, 5, 10, 15}},
      {"ohne Silbentrennung", "Die Düngebedarfsermittlung ist fertig", 0, 26, 100, 0,
       {"Die", "Düngebeda-", "rfsermitt-", "lung ist", "fertig"}, {40, 40, 40, 40, 40}, {0, 5, 10, 15, 20}},
      // the first piece is narrower by the indent
      {"Einzug", "aaaa bbbb cccc", 0, 26, 100, 5.1, {"aaaa", "bbbb cccc"}, {45.1, 40}, {0, 5}},
      // a blank line costs nothing; a new paragraph gets no indent
      {"Leerzeile", "A\n\nB", 0, 26, 100, 3, {"A", "B"}, {43, 40}, {0, 5}},
      {"Zeilenenden", "A\r\nB\rC", 0, 26, 100, 0, {"A", "B", "C"}, {40, 40, 40}, {0, 5, 10}},
      // a text height of 4.93 mm: the top at 5 mm ends at 9.93 > 9.5
      {"Hoehe", "A\nB\nC", 0, 26, 9.5, 0, {"A"}, {40}, {0}},
      {"zu schmal", "Text", 0, 0.4, 100, 0, {}, {}, {}},      // 9 units: not even tried
      {"kein Zeichen passt", "Text", 0, 2, 100, 0, {}, {}, {}},  // one character is 2.55 mm
  };
  for (const TBlockFall& f : faelle) {
    SCOPED_TRACE(f.name);
    TPDFDruckausgabe d(nullptr, false, meldungen);
    d.DokumentBeginnen(false);
    d.SchriftSetzen(12, 0, 0, 0, Mono, 0);
    d.TextBlock(QString::fromUtf8(f.text), f.trennen, 40, 60, f.breite, f.hoehe, f.einzug);
    const auto texte = Texte(d);
    QStringList erwartet;
    for (const QString& s : f.stuecke) erwartet << s;
    EXPECT_EQ(Inhalte(texte), erwartet);
    ASSERT_EQ(texte.size(), f.links.size());
    for (size_t i = 0; i < texte.size(); ++i) {
      EXPECT_NEAR(Mm(texte[i].obenLinks.x()), f.links[i], 0.05) << i;
      EXPECT_NEAR(Mm(texte[i].obenLinks.y()), 60 + f.oben[i], 0.05) << i;
    }
    EXPECT_EQ(d.PositionX(), 40);
    EXPECT_EQ(d.Ausrichtung(), TPDFDruckausgabe::TAusrichtung::LinksBeschnitten);
    EXPECT_EQ(d.Clipbreite(), f.breite);
    EXPECT_EQ(d.Zeilenvorschub(), 5);
  }
}

TEST_F(Druckausgabe, TextBlockLaesstZeilenUnterhalbDesBlocksWeg) {
  // 10 pt: advance 4 mm, text height 96.6 units = 4.09 mm. Tops at 0, 4, 8 and
  // 12 mm: only the first two end within 9 mm; the advance still happens.
  TPDFDruckausgabe d(nullptr, false, meldungen);
  d.DokumentBeginnen(false);
  d.SchriftSetzen(10, 0, 0, 0, Mono, 0);
  d.TextBlock(QStringLiteral("eins\nzwei\ndrei\nvier"), 0, 20, 100, 50, 9, 0);
  EXPECT_EQ(Inhalte(Texte(d)), (QStringList{QStringLiteral("eins"), QStringLiteral("zwei")}));
  EXPECT_EQ(d.PositionY(), 112);
  d.TextNaechsteZeile(QStringLiteral("danach"));  // continues below, clipped to the block width
  EXPECT_EQ(Inhalte(Texte(d)).last(), QStringLiteral("danach"));
  EXPECT_NEAR(Mm(Texte(d).back().obenLinks.y()), 116, 0.05);
}

TEST_F(Druckausgabe, Schriftattribute) {
  TPDFDruckausgabe d(nullptr, false, meldungen);
  d.DokumentBeginnen(false);
  EXPECT_EQ(d.Schrift().pixelSize(), 100);  // Tahoma 12 pt at 600 dpi
  EXPECT_FALSE(d.Schrift().bold());
  d.SchriftSetzen(20, 1, 1, 1, QStringLiteral("Tahoma"), 255);
  EXPECT_EQ(d.Schrift().pixelSize(), 167);  // 20 x 600 / 72 = 166.7
  EXPECT_TRUE(d.Schrift().bold());
  EXPECT_TRUE(d.Schrift().italic());
  EXPECT_TRUE(d.Schrift().underline());
  EXPECT_EQ(d.Schriftfarbe(), QColor(255, 0, 0));
  d.SchriftSetzen(8, 2, 0, 255, Mono, 0);  // only 1 switches on
  EXPECT_FALSE(d.Schrift().bold());
  EXPECT_FALSE(d.Schrift().underline());
  EXPECT_EQ(d.Schrift().family(), Mono);
  d.SchriftSetzen(9, 0, 0, 0, QString(), 0);  // an empty face name keeps the face
  EXPECT_EQ(d.Schrift().family(), Mono);
  EXPECT_EQ(d.Schrift().pixelSize(), 75);

  d.TextAn(QStringLiteral("rot"), 10, 10);
  d.NeueSeite();  // a new page starts with Tahoma 12 pt regular black
  EXPECT_EQ(d.Schrift().family(), QStringLiteral("Tahoma"));
  EXPECT_EQ(d.Schrift().pixelSize(), 100);
  EXPECT_EQ(d.Schriftfarbe(), QColor(Qt::black));
}

TEST_F(Druckausgabe, LinienRahmenUndFlaechen) {
  TPDFDruckausgabe d(nullptr, false, meldungen);
  d.DokumentBeginnen(false);
  d.TextAn(QStringLiteral("x"), 33, 44);
  // 0.3 mm = 7.09 units; 10 mm = 236.2, 20 mm = 472.4, 60 mm = 1417.3 units.
  d.StiftSetzen(255, 0, 0.3);
  d.LinieWaagerecht(10, 20, 50);
  d.StiftSetzen(0, 0, 0.4);
  d.LinieSenkrecht(10, 20, 40);   // to 60 mm
  d.Linie(60, 60, -50, -40);      // back to (10, 20)
  d.Rahmen(10, 20, 50, 40);
  d.PinselSetzen(15263976, 0);
  d.FlaecheMitRahmen(100, 100, 10, 5);  // 110 mm = 2598.4, 105 mm = 2480.3
  d.PinselSetzen(0xFFFFFF, 1);          // a clear brush fills nothing
  d.Flaeche(0, 0, 10, 10);
  EXPECT_EQ(d.PositionX(), 33);
  EXPECT_EQ(d.PositionY(), 44);

  const TDruckSeite& seite = d.Dokument().Seite(0);
  const auto linien = Elemente<TLinienElement>(seite);
  ASSERT_EQ(linien.size(), 5u);
  EXPECT_EQ(linien[0].punkte, QPolygon({QPoint(236, 472), QPoint(1417, 472)}));
  EXPECT_EQ(linien[0].stift.width(), 7);
  EXPECT_EQ(linien[0].stift.color(), QColor(255, 0, 0));
  EXPECT_EQ(linien[0].stift.style(), Qt::SolidLine);
  EXPECT_EQ(linien[1].punkte, QPolygon({QPoint(236, 472), QPoint(236, 1417)}));
  EXPECT_EQ(linien[1].stift.width(), 9);  // 0.4 mm = 9.45 units
  EXPECT_EQ(linien[2].punkte, QPolygon({QPoint(1417, 1417), QPoint(236, 472)}));
  EXPECT_EQ(linien[3].punkte, QPolygon({QPoint(236, 472), QPoint(1417, 472), QPoint(1417, 1417),
                                        QPoint(236, 1417), QPoint(236, 472)}));
  EXPECT_EQ(linien[4].punkte, QPolygon({QPoint(2362, 2362), QPoint(2598, 2362), QPoint(2598, 2480),
                                        QPoint(2362, 2480), QPoint(2362, 2362)}));
  const auto flaechen = Elemente<TFlaechenElement>(seite);
  ASSERT_EQ(flaechen.size(), 1u);
  EXPECT_EQ(flaechen[0].rechteck, QRect(2362, 2362, 236, 118));
  EXPECT_EQ(flaechen[0].pinsel.color(), QColor(0xE8, 0xE8, 0xE8));
  EXPECT_EQ(flaechen[0].pinsel.style(), Qt::SolidPattern);
  // The fill comes before its frame.
  auto index = [&](auto pruefen) {
    for (size_t i = 0; i < seite.elemente.size(); ++i)
      if (pruefen(seite.elemente[i])) return int(i);
    return -1;
  };
  EXPECT_LT(index([](const TSeitenElement& e) { return std::holds_alternative<TFlaechenElement>(e); }),
            index([&](const TSeitenElement& e) {
              auto* l = std::get_if<TLinienElement>(&e);
              return l && l->punkte == linien[4].punkte;
            }));

  d.NeueSeite();  // defaults again: thin black solid pen, solid white fill
  EXPECT_EQ(d.Stift().color(), QColor(Qt::black));
  EXPECT_EQ(d.Stift().width(), 1);
  EXPECT_EQ(d.Pinsel().color(), QColor(Qt::white));
  EXPECT_EQ(d.Pinsel().style(), Qt::SolidPattern);
}

TEST_F(Druckausgabe, Bild) {
  QTemporaryDir ordner;
  ASSERT_TRUE(ordner.isValid());
  ASSERT_TRUE(QDir(ordner.path()).mkdir(QStringLiteral("src")));
  QImage logo(40, 20, QImage::Format_RGB32);
  logo.fill(QColor(0, 0, 200));
  ASSERT_TRUE(logo.save(ordner.filePath(QStringLiteral("src/LOGO_BEHOERDE_VRL.bmp")), "BMP"));
  const QString vorher = QDir::currentPath();
  QDir::setCurrent(ordner.path());

  TPDFDruckausgabe d(nullptr, false, meldungen);
  d.DokumentBeginnen(false);
  d.Bild(QStringLiteral("src\\LOGO_BEHOERDE_VRL.bmp"), 10.4, 20.6, 30.2);
  d.Bild(QStringLiteral("src\\FEHLT.bmp"), 10, 20, 30);  // skipped silently
  QDir::setCurrent(vorher);

  // Rounded to 10, 21 and 30 mm; 40 x 20 pixels give 15 mm height:
  // 10 mm = 236, 21 mm = 496.1, 40 mm = 944.9, 36 mm = 850.4 units.
  const auto bilder = Elemente<TBildElement>(d.Dokument().Seite(0));
  ASSERT_EQ(bilder.size(), 2u);  // the blank marker and the logo
  EXPECT_EQ(bilder[1].rechteck, QRect(236, 496, 709, 354));
  EXPECT_EQ(bilder[1].bild.pixelColor(0, 0), QColor(0, 0, 200));
  EXPECT_TRUE(meldungen.protokoll.isEmpty());
}

}  // namespace
