// Line breaking and hyphenation of the text blocks, measured in characters so
// that every break can be counted by hand.
#include "umbruch.h"

#include <gtest/gtest.h>

namespace {

// Every character one unit wide.
double Zeichenzahl(const QString& s) { return double(s.size()); }

TEST(Umbruch, Buchstaben) {
  for (QChar c : QStringLiteral("AZazÄÖÜäöüß")) EXPECT_TRUE(Umbruch::IstBuchstabe(c)) << QString(c).toStdString();
  for (QChar c : QStringLiteral("09 -.,é§")) EXPECT_FALSE(Umbruch::IstBuchstabe(c)) << QString(c).toStdString();
}

TEST(Umbruch, Vorsilben) {
  const std::pair<const char*, int> faelle[] = {
      {"Transport", 5},  // "trans" beats "tra" and "tran"
      {"Verarbeitung", 3},
      {"Fünfzig", 4},
      {"Äquator", 3},
      {"Düngung", 0},
      {"Ernte", 0},
  };
  for (const auto& [wort, laenge] : faelle)
    EXPECT_EQ(Umbruch::Vorsilbenlaenge(QString::fromUtf8(wort)), laenge) << wort;
}

TEST(Umbruch, Silbengrenzen) {
  const std::pair<const char*, QList<int>> faelle[] = {
      {"Düngebedarf", {3, 5, 7}},    // Dün-ge-be-darf
      {"Lebensmittel", {2, 6, 9}},   // Le-bens-mit-tel
      {"machen", {2}},               // "ch" stays together: ma-chen
      {"waschen", {2}},              // wa-schen
      {"Zucker", {2}},               // Zu-cker
      {"Phosphat", {4}},             // Phos-phat
      {"Methode", {2, 5}},           // Me-tho-de
      {"Asche", {}},                 // A-sche would leave one letter
      {"Wiese", {3}},                // "ie" is one vowel group: Wie-se
      {"Weizen", {3}},               // Wei-zen
      {"Gülle", {3}},                // Gül-le
      {"Ärger", {2}},                // Är-ger
      {"Verarbeitung", {5, 8}},      // not "Ve-", the prefix "ver" is kept: verar-bei-tung
      {"Aufbringung", {3, 7}},       // auf-brin-gung
      {"Kontrolle", {3, 7}},         // kon-trol-le
      {"Transport", {5}},            // trans-port
      {"Handschrift", {4}},          // Hand-schrift
      {"Stickstoff", {5}},           // Stick-stoff
      {"Wirtschaftsdünger", {4, 11, 14}},  // Wirt-schafts-dün-ger
      {"Mais", {}},
      {"Stoff", {}},
  };
  for (const auto& [wort, grenzen] : faelle)
    EXPECT_EQ(Umbruch::Silbengrenzen(QString::fromUtf8(wort)), grenzen) << wort;
}

struct TFall {
  const char* zeile;
  double breite;
  bool trennen;
  int n;
  const char* stueck;  // the piece as the block draws it
};

TEST(Umbruch, Umbruchstelle) {
  const TFall faelle[] = {
      {"kurz", 10, false, 4, "kurz"},
      {"abc def", 7, false, 7, "abc def"},  // exactly as wide as the line
      {"ab cd ef", 6, false, 6, "ab cd"},    // break after a blank
      // "Das ist ei" fits, "ei-" not: back to before the word
      {"Das ist ein Test", 10, false, 8, "Das ist"},
      {"Das ist ein Test", 10, true, 8, "Das ist"},  // "ein" has no syllable boundary
      // "Die Düngebe-" is twelve characters
      {"Die Düngebedarfsermittlung", 12, true, 11, "Die Düngebe-"},
      {"Die Düngebedarfsermittlung", 12, false, 4, "Die"},
      // a word wider than the line is cut hard, leaving room for "-"
      {"Düngebedarfsermittlung", 8, false, 7, "Düngebe-"},
      {"Düngebedarfsermittlung", 7, false, 6, "Düngeb-"},
      {"Düngebedarfsermittlung", 7, true, 5, "Dünge-"},
      // numbers stay whole, a sign in front goes with them
      {"Menge 1.234,5 kg", 10, false, 6, "Menge"},
      {"Saldo -12,5 kg", 9, false, 6, "Saldo"},
      {"Wert 12,5 kg", 8, false, 5, "Wert"},  // break after "12," moves before the number
      // not between the dots, and the word before them stays with them
      {"Und so weiter...", 14, false, 7, "Und so"},
      {"Und so weiter...", 14, true, 10, "Und so wei-"},
      // a word and its full stop stay together
      {"Ende Text.", 9, false, 5, "Ende"},
      {"Wort", 0.5, false, 0, ""},  // not even one character fits
  };
  for (const TFall& f : faelle) {
    const QString zeile = QString::fromUtf8(f.zeile);
    SCOPED_TRACE(std::string(f.zeile) + " / " + std::to_string(f.breite) + (f.trennen ? " mit Trennung" : ""));
    const int n = Umbruch::Umbruchstelle(zeile, f.breite, f.trennen, Zeichenzahl);
    EXPECT_EQ(n, f.n);
    QString stueck = zeile.left(n).trimmed();
    if (Umbruch::BrauchtBindestrich(zeile, n)) stueck += QLatin1Char('-');
    EXPECT_EQ(stueck, QString::fromUtf8(f.stueck));
    EXPECT_LE(Zeichenzahl(stueck), f.breite) << "piece wider than the line";
  }
}

}  // namespace
