// The functions of the stored rules, with the null behaviour the rules rely on.
#include "testdatenbank.h"

namespace {

using Funktionen = TestDatenbank;

TEST_F(Funktionen, LiefernDieWerteUndNullsDerRegeln) {
  struct Fall {
    const char* ausdruck;
    QVariant erwartet;  // invalid: null
  };
  const Fall faelle[] = {
      {"Int(-2.5)", -3.0},
      {"Int(2.5)", 2.0},
      {"Int(-2)", -2},
      {"Int(NULL)", {}},
      {"Int(1 + NULL)", {}},
      {"Fix(-2.5)", -2.0},
      {"Fix(2.9)", 2.0},
      {"Fix(NULL)", {}},
      {"iif(NULL, 1, 2)", 2},
      {"iif(1 = 1, 1, 2)", 1},
      {"iif(0, 1, 2)", 2},
      {"iif(NULL > 3, 1, 2)", 2},
      {"iif(1, NULL, 2)", {}},
      {"choose(1, 'a', 'b', 'c')", "a"},
      {"choose(3, 'a', 'b', 'c')", "c"},
      {"choose(4, 'a', 'b', 'c')", {}},
      {"choose(0, 'a', 'b', 'c')", {}},
      {"choose(NULL, 'a', 'b', 'c')", {}},
      {"Year('2021-03-04')", 2021},
      {"Year('2019-10-12 08:15:00')", 2019},
      {"Year(NULL)", {}},
      {"'Nr ' || coalesce(NULL, '') || 5", "Nr 5"},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.ausdruck);
    const QVariant v = db.Wert(QStringLiteral("SELECT ") + QString::fromLatin1(f.ausdruck));
    ASSERT_TRUE(db.LetzterFehler().isEmpty() || v.isValid() || !f.erwartet.isValid());
    if (!f.erwartet.isValid()) {
      EXPECT_TRUE(v.isNull()) << v.toString().toStdString();
    } else if (f.erwartet.typeId() == QMetaType::QString) {
      EXPECT_EQ(v.toString(), f.erwartet.toString());
    } else {
      EXPECT_DOUBLE_EQ(v.toDouble(), f.erwartet.toDouble());
      EXPECT_FALSE(v.isNull());
    }
  }
}

TEST_F(Funktionen, IntEinerKommazahlBleibtKommazahlDamitDivisionenNichtGanzzahligWerden) {
  EXPECT_DOUBLE_EQ(db.Wert(QStringLiteral("SELECT Int(5.5) / 2")).toDouble(), 2.5);
}

TEST_F(Funktionen, NowLiefertDieUhrzeitAlsIsoText) {
  const QString jetzt = db.Wert(QStringLiteral("SELECT Now()")).toString();
  EXPECT_EQ(jetzt.length(), 19);
  EXPECT_EQ(db.Wert(QStringLiteral("SELECT Year(Now())")).toInt(), QDate::currentDate().year());
}

TEST_F(Funktionen, StehenAufJederNeuenVerbindungBereit) {
  db.Schliessen();
  TADOModConnection zweite;
  zweite.setDatenbankName(Datei());
  ASSERT_EQ(zweite.Oeffnen(), TOeffnenErgebnis::Ok);
  EXPECT_EQ(zweite.Wert(QStringLiteral("SELECT Int(-0.5)")).toInt(), -1);
}

}  // namespace
