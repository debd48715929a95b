// The unbound fields: which keys each kind takes, two-digit years, the
// bound test without a column, typed access.
#include "feldhilfe.h"
#include "skriptmeldungen.h"
#include "ungebundenefelder.h"

#include <QTest>

#include <memory>

namespace {

std::unique_ptr<TEingabeFeld> NeuesFeld(TDatenTyp art) {
  switch (art) {
    case dtInteger: return std::make_unique<TIntEdit>();
    case dtFloat: return std::make_unique<TFloatEdit>();
    case dtJahr: return std::make_unique<TJahrEdit>();
    case dtString:
    case dtDatum: break;
  }
  return std::make_unique<TStringEdit>();
}

TEST(UngebundeneFelder, Vorgaben) {
  TIntEdit ganz;
  TFloatEdit komma;
  EXPECT_EQ(ganz.Minwert(), 0);
  EXPECT_EQ(ganz.MaxWert(), 0);
  EXPECT_EQ(ganz.IsGrossKleinTest(), TMinMaxTest::Max_Free_Min_Free);
  EXPECT_EQ(ganz.Genauigkeit(), 0);
  EXPECT_EQ(komma.Genauigkeit(), 2);
  EXPECT_EQ(komma.LeerErlaubt(), TLeerErlaubt::Erlaubt);
  EXPECT_TRUE(komma.AutoSelect());
  EXPECT_FALSE(komma.RO());
  EXPECT_FALSE(komma.IsUnsigned());
  EXPECT_EQ(komma.GrundFarbe(), QColor(Qt::white));
  EXPECT_TRUE(komma.IsZuKleinString().isEmpty());
  EXPECT_EQ(TStringEdit().DatenTyp(), dtString);
  EXPECT_EQ(TJahrEdit().DatenTyp(), dtJahr);
}

TEST(UngebundeneFelder, TastenJeWertart) {
  struct Fall {
    TDatenTyp art;
    int stellen;
    bool ohneVorzeichen;
    const char* tasten;
    const char* text;
    int piepser;
  };
  const Fall faelle[] = {
      {dtInteger, 0, false, "-12-3", "-123", 1},
      {dtInteger, 0, false, "4,5", "45", 1},
      {dtInteger, 0, false, "1a b", "1", 3},
      {dtInteger, 0, true, "-7", "7", 1},
      {dtJahr, 0, false, "2x3", "23", 1},
      {dtFloat, 1, false, "12,34", "12,34", 0},  // refused on leaving, not cut
      {dtFloat, 1, false, ",5", "0,5", 0},
      {dtFloat, 2, false, "-,5", "-0,5", 0},
      {dtFloat, 2, false, "1.5", "1,5", 0},
      {dtFloat, 2, false, "1,2,3", "1,23", 1},
      {dtFloat, 2, false, "1-", "1", 1},
      {dtFloat, 0, false, "3,4", "3,4", 0},
      {dtString, 0, false, "a-1,?", "a-1,?", 0},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.tasten);
    TSkriptMeldungen meldungen;
    auto feld = NeuesFeld(f.art);
    feld->setMeldungen(&meldungen);
    feld->setGenauigkeit(f.stellen);
    feld->setIsUnsigned(f.ohneVorzeichen);
    QTest::keyClicks(feld.get(), QString::fromUtf8(f.tasten));
    EXPECT_EQ(feld->text(), QString::fromUtf8(f.text));
    EXPECT_EQ(meldungen.piepser, f.piepser);
  }
}

TEST(UngebundeneFelder, TastenMitCursorUndAuswahl) {
  TSkriptMeldungen meldungen;
  TFloatEdit f;
  f.setMeldungen(&meldungen);
  const auto setzen = [&](const char* text, int cursor) {
    f.setText(QString::fromUtf8(text));
    f.setCursorPosition(cursor);
  };
  // Backspace right after, Delete right before the separator take the decimals along.
  setzen("12,34", 3);
  QTest::keyClick(&f, Qt::Key_Backspace);
  EXPECT_EQ(f.text(), QStringLiteral("12"));
  setzen("12,34", 2);
  QTest::keyClick(&f, Qt::Key_Delete);
  EXPECT_EQ(f.text(), QStringLiteral("12"));
  setzen("12,34", 5);
  QTest::keyClick(&f, Qt::Key_Backspace);
  EXPECT_EQ(f.text(), QStringLiteral("12,3"));
  // Full decimals refuse a digit only with the caret at the end.
  setzen("12,34", 3);
  QTest::keyClicks(&f, QStringLiteral("5"));
  EXPECT_EQ(f.text(), QStringLiteral("12,534"));
  // A minus only at the start and only once; a selection it replaces counts as gone.
  setzen("5", 0);
  QTest::keyClicks(&f, QStringLiteral("-"));
  EXPECT_EQ(f.text(), QStringLiteral("-5"));
  f.selectAll();
  QTest::keyClicks(&f, QStringLiteral("-"));
  EXPECT_EQ(f.text(), QStringLiteral("-"));
  // A separator right after the minus gets its 0, with the rest kept.
  setzen("-5", 1);
  QTest::keyClicks(&f, QStringLiteral(","));
  EXPECT_EQ(f.text(), QStringLiteral("-0,5"));
  EXPECT_EQ(meldungen.piepser, 0);
  setzen("1,5", 0);
  f.setSelection(1, 2);  // ",5" selected: a new separator may replace it
  QTest::keyClicks(&f, QStringLiteral("."));
  EXPECT_EQ(f.text(), QStringLiteral("1,"));
  EXPECT_EQ(meldungen.piepser, 0);
}

class UngebundenImFenster : public ::testing::Test {
protected:
  template <class T>
  T* Feld() {
    auto* f = fenster.Dazu(new T);
    f->setMeldungen(&meldungen);
    return f;
  }
  void Zeigen() {
    danach = fenster.Dazu(new QLineEdit);
    fenster.Zeigen();
  }
  void Eingeben(TEingabeFeld* f, const QString& text) {
    f->setFocus(Qt::TabFocusReason);
    f->selectAll();
    f->insert(text);
    danach->setFocus(Qt::TabFocusReason);
  }
  TSkriptMeldungen meldungen;
  TTestFenster fenster;
  QLineEdit* danach = nullptr;
};

TEST_F(UngebundenImFenster, JahrMitZweiStellen) {
  auto* jahr = Feld<TJahrEdit>();
  Zeigen();
  const std::pair<const char*, const char*> faelle[] = {
      {"31", "1931"}, {"30", "2030"}, {"0", "2000"}, {"99", "1999"}, {"-1", "-1"}, {"150", "150"}, {"2024", "2024"},
  };
  for (const auto& [ein, aus] : faelle) {
    SCOPED_TRACE(ein);
    Eingeben(jahr, QString::fromUtf8(ein));
    EXPECT_EQ(jahr->text(), QString::fromUtf8(aus));
    EXPECT_EQ(jahr->AsInteger(), QString::fromUtf8(aus).toInt());
  }
  // Empty stays empty.
  Eingeben(jahr, QString());
  EXPECT_EQ(jahr->text(), QString());
}

TEST_F(UngebundenImFenster, GrenztestOhneSpalte) {
  auto* ganz = Feld<TIntEdit>();
  auto* komma = Feld<TFloatEdit>();
  Zeigen();
  ganz->setMinwert(1);
  ganz->setMaxWert(10);
  ganz->setIsGrossKleinTest(TMinMaxTest::Max_MKor_Min_MKor);
  Eingeben(ganz, QStringLiteral("12"));
  EXPECT_EQ(meldungen.Infos(), QStringList{QStringLiteral("Der eingegebene Wert muß kleiner oder gleich 10 sein")});
  EXPECT_EQ(ganz->AsInteger(), 10);

  meldungen.Leeren();
  komma->setMinwert(0.5);
  komma->setMaxWert(2);
  komma->setIsGrossKleinTest(TMinMaxTest::Max_Grenz_Min_Grenz);
  komma->setIsZuKleinString(QStringLiteral("Mindestens %s Hektar"));
  Eingeben(komma, QStringLiteral("0,25"));
  EXPECT_EQ(meldungen.Infos(), QStringList{QStringLiteral("Mindestens 0,50 Hektar")});
  EXPECT_EQ(QApplication::focusWidget(), komma);
  EXPECT_EQ(komma->text(), QStringLiteral("0,25"));

  // Not allowed empty: 0, tested.
  meldungen.Leeren();
  meldungen.antworten = {false};
  komma->setIsGrossKleinTest(TMinMaxTest::Max_Frag_Min_Frag);
  komma->setLeerErlaubt(TLeerErlaubt::NichtErlaubt);
  Eingeben(komma, QString());
  EXPECT_EQ(komma->text(), QStringLiteral("0,00"));
  EXPECT_EQ(meldungen.protokoll, QStringList{QStringLiteral("Frage: Mindestens 0,50 Hektar")});
  EXPECT_EQ(QApplication::focusWidget(), komma);
}

TEST_F(UngebundenImFenster, NurLesen) {
  auto* f = Feld<TFloatEdit>();
  Zeigen();
  f->setAsFloat(3);
  f->setRO(true);
  EXPECT_TRUE(f->isReadOnly());
  EXPECT_EQ(f->palette().color(QPalette::Base), QColor(252, 252, 194));
  EXPECT_EQ(f->focusPolicy(), Qt::ClickFocus);
  QTest::keyClicks(f, QStringLiteral("9"));
  EXPECT_EQ(f->text(), QStringLiteral("3,00"));
  f->setRO(false);
  EXPECT_EQ(f->focusPolicy(), Qt::StrongFocus);
  EXPECT_EQ(f->palette().color(QPalette::Base), QColor(Qt::white));
}

TEST(UngebundeneFelder, TypisierterZugriff) {
  TFloatEdit f;
  f.setAsFloat(12.5);
  EXPECT_EQ(f.AsString(), QStringLiteral("12,50"));
  EXPECT_DOUBLE_EQ(f.AsFloat(), 12.5);
  EXPECT_DOUBLE_EQ(f.AsProcent(), 0.125);
  EXPECT_EQ(f.AsInteger(), 12);  // halves to the even neighbour
  f.setAsProcent(0.075);
  EXPECT_EQ(f.text(), QStringLiteral("7,50"));
  f.setGenauigkeit(1);
  f.setAsFloat(2.25);
  EXPECT_EQ(f.text(), QStringLiteral("2,3"));
  f.setAsString(QStringLiteral("kein Wert"));
  EXPECT_EQ(f.AsFloat(), 0.0);
  TIntEdit g;
  g.setAsInteger(-42);
  EXPECT_EQ(g.AsString(), QStringLiteral("-42"));
  g.setAsFloat(7.6);
  EXPECT_EQ(g.AsInteger(), 8);
}

}  // namespace
