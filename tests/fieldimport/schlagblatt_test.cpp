// The rules of the import sheet: what each column takes, the cross
// columns, where Enter goes and which cells the user may edit.

#include "schlagblatt.h"

#include "blatt.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace Schlagblatt;

namespace {

TEST(Schlagblatt, EingabeJeSpalte) {
  struct TFall {
    int spalte;
    QString getippt;
    std::optional<QString> gespeichert;
  };
  const TFall faelle[] = {
      {SchlagNr, u"12"_s, u"12"_s},
      {SchlagNr, u"12a"_s, std::nullopt},
      {SchlagNr, u"1,5"_s, std::nullopt},
      {SchlagName, u"Große Breite (Süd)-1/2: A_$%&."_s, std::nullopt},  // no digits
      {SchlagName, u"Große Breite (Süd)-/: A_$%&."_s, u"Große Breite (Süd)-/: A_$%&."_s},
      {SchlagName, u"Weg;1"_s, std::nullopt},
      {Groesse, u"2,5"_s, u"2,5"_s},
      {Groesse, u"2.5"_s, std::nullopt},
      {PGehalt, u"4,25"_s, u"4,25"_s},
      {Steingehalt, u"10"_s, u"10"_s},
      {Bodengruppe, u"6"_s, u"6"_s},
      {Bodengruppe, u"0"_s, std::nullopt},
      {Bodengruppe, u"7"_s, std::nullopt},
      {Bodengruppe, u"12"_s, std::nullopt},
      {Bodengruppe, u""_s, u""_s},
      {PMethode, u"c"_s, u"C"_s},
      {PMethode, u"D"_s, u"D"_s},
      {PMethode, u"E"_s, std::nullopt},
      {PMethode, u"CD"_s, std::nullopt},
      {PDatum, u"15.03.2021"_s, u"15.03.2021"_s},
      {PDatum, u"15/03/2021"_s, std::nullopt},
      {Humus, u"X"_s, u"x"_s},
      {Humus, u" "_s, u""_s},
      {Nitratgebiet, u"ja"_s, std::nullopt},
      {Kultur, u"Weizen"_s, std::nullopt},  // chosen from the list only
      {Parzelle, u"17"_s, std::nullopt},
  };
  for (const auto& f : faelle)
    EXPECT_EQ(Eingabe(f.spalte, f.getippt), f.gespeichert) << f.spalte << " " << f.getippt.toStdString();
}

TEST(Schlagblatt, AngekreuztWennNichtLeerUndNichtN) {
  const std::pair<QString, bool> faelle[] = {{u""_s, false}, {u"  "_s, false}, {u"n"_s, false}, {u"Nein"_s, false},
                                             {u"x"_s, true}, {u" X "_s, true}, {u"ja"_s, true},  {u"1"_s, true}};
  for (const auto& [text, ja] : faelle) EXPECT_EQ(Angekreuzt(text), ja) << text.toStdString();
}

TEST(Schlagblatt, EditierbarNurInParzellenzeilenUndEingabespalten) {
  TBlatt b;
  KopfSchreiben(b);
  b.setText(Parzelle, 3, u"17"_s);
  b.setText(SchlagName, 4, u"ohne Parzelle"_s);
  for (int s = 1; s <= 22; ++s) {
    const bool eingabe = s == 3 || s == 4 || s == 5 || (s >= 10 && s <= 21);
    EXPECT_EQ(Editierbar(b, s, 3), eingabe) << s;
    EXPECT_FALSE(Editierbar(b, s, 4)) << s;  // no parcel number
    EXPECT_FALSE(Editierbar(b, s, 2)) << s;  // heading rows
  }
  EXPECT_EQ(b.Text(Humus, 1), u"Humus  > 4%"_s);
  EXPECT_EQ(b.Text(PDatum, 2), u"TT.MM.JJJJ"_s);
  EXPECT_EQ(b.Text(NuCode, 1), u"NU_CODE"_s);
}

TEST(Schlagblatt, EnterGehtZurNaechstenSpalteUndVonDerLetztenInDieNaechsteZeile) {
  int s = SchlagNr, z = 3;
  Weiter(s, z);
  EXPECT_EQ(s, SchlagName);
  EXPECT_EQ(z, 3);
  s = PGehalt;
  Weiter(s, z);
  EXPECT_EQ(s, SchlagNr);
  EXPECT_EQ(z, 4);
}

}  // namespace
