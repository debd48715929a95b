// Names sort as a German reader expects.
#include "sortierung.h"
#include "testdatenbank.h"

namespace {

using Sortieren = TestDatenbank;

TEST_F(Sortieren, NamenMitUmlautenUndGrossKleinschreibungWieImDeutschen) {
  // Given in scrambled order; expected: umlauts with their base letters,
  // case ignored, ß as ss.
  const QStringList namen = {QStringLiteral("Sudangras"),   QStringLiteral("Burgstall"),
                             QStringLiteral("Ölrettich"),   QStringLiteral("sonstige Kultur"),
                             QStringLiteral("Bördeland"),   QStringLiteral("Ackerbohne"),
                             QStringLiteral("Obst"),        QStringLiteral("Öllein"),
                             QStringLiteral("Senf"),        QStringLiteral("Straße"),
                             QStringLiteral("Zuckerrübe"),  QStringLiteral("Oder")};
  const QStringList erwartet = {QStringLiteral("Ackerbohne"), QStringLiteral("Bördeland"),
                                QStringLiteral("Burgstall"),  QStringLiteral("Obst"),
                                QStringLiteral("Oder"),       QStringLiteral("Öllein"),
                                QStringLiteral("Ölrettich"),  QStringLiteral("Senf"),
                                QStringLiteral("sonstige Kultur"), QStringLiteral("Straße"),
                                QStringLiteral("Sudangras"),  QStringLiteral("Zuckerrübe")};
  ASSERT_TRUE(db.Ausfuehren(QStringLiteral("create temp table n ( Name text )")));
  for (const QString& n : namen)
    ASSERT_TRUE(db.Ausfuehren(QStringLiteral("insert into n values ( :n )"), {{QStringLiteral("n"), n}}));
  EXPECT_EQ(db.Wert(QStringLiteral("select group_concat(Name, '|') from "
                                   "( select Name from n order by Name collate Deutsch )"))
                .toString(),
            erwartet.join(QLatin1Char('|')));
}

TEST(Sortierung, GleicheSchluesselOrdnenNachDemText) {
  EXPECT_EQ(Sortierung::Schluessel(QStringLiteral("Straße Öl")), QStringLiteral("strasse ol"));
  EXPECT_LT(Sortierung::Vergleichen(QStringLiteral("Oel"), QStringLiteral("Öl")), 0);  // "oel" < "ol"
  EXPECT_NE(Sortierung::Vergleichen(QStringLiteral("abc"), QStringLiteral("Abc")), 0);
  EXPECT_EQ(Sortierung::Vergleichen(QStringLiteral("Abc"), QStringLiteral("Abc")), 0);
}

}  // namespace
