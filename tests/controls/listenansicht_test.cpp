// The list grid: columns as wide as title and content allow, every column in
// view, long names elided with the full text as tooltip, row colours.
#include "feldhilfe.h"
#include "listenansicht.h"
#include "testdatenbank.h"

#include <QHeaderView>

namespace {

class ListenAnsicht : public TestDatenbank {
protected:
  void SetUp() override {
    TestDatenbank::SetUp();
    ASSERT_TRUE(db.Ausfuehren(QStringLiteral(
        "insert into Betriebe ( ID, Betriebsname, SitzOrt ) values "
        "( 2, 'Agrargenossenschaft Bördeland-Hohenwarsleben eG Pflanzenproduktion und Tierhaltung', 'Hohe Börde' ), "
        "( 3, 'Hof Linde', 'Aken (Elbe)' )")));
    liste.setCommandText(QStringLiteral("select * from Betriebe where ID > 1 order by ID"));
    ASSERT_TRUE(liste.Oeffnen());
  }
  TADODataSetMod liste{db};
};

TEST_F(ListenAnsicht, SpaltenPassenInDieBreiteOhneTitelZuKuerzen) {
  TListenAnsicht ansicht(liste, {{QStringLiteral("ID"), QStringLiteral("Betriebs-Nr.")},
                                 {QStringLiteral("Betriebsname"), QStringLiteral("Name des Unternehmens")},
                                 {QStringLiteral("SitzOrt"), QStringLiteral("Ort Betriebs-Sitz")}});
  for (int breite : {420, 900}) {
    SCOPED_TRACE(breite);
    ansicht.resize(breite, 200);
    ansicht.show();
    QApplication::processEvents();
    QHeaderView* kopf = ansicht.horizontalHeader();
    int summe = 0;
    for (int s = 0; s < 3; ++s) {
      EXPECT_GE(kopf->sectionSize(s), kopf->sectionSizeHint(s)) << "Titel von Spalte " << s << " gekürzt";
      summe += kopf->sectionSize(s);
    }
    EXPECT_LE(summe, ansicht.viewport()->width());
  }
  const QModelIndex name = ansicht.model()->index(0, 1);
  EXPECT_EQ(ansicht.model()->data(name, Qt::ToolTipRole).toString(),
            QStringLiteral("Agrargenossenschaft Bördeland-Hohenwarsleben eG Pflanzenproduktion und Tierhaltung"));
  EXPECT_EQ(ansicht.textElideMode(), Qt::ElideRight);
}

TEST_F(ListenAnsicht, ZeilenfarbeFaerbtGanzeZeilen) {
  TListenAnsicht ansicht(liste, {{QStringLiteral("ID"), QStringLiteral("Betriebs-Nr.")},
                                 {QStringLiteral("Betriebsname"), QStringLiteral("Name des Unternehmens")}});
  const QColor rot(243, 176, 175);
  ansicht.setZeilenfarbe([&](int zeile) { return zeile == 1 ? QVariant(rot) : QVariant(); });
  for (int s = 0; s < 2; ++s) {
    EXPECT_FALSE(ansicht.model()->data(ansicht.model()->index(0, s), Qt::BackgroundRole).isValid());
    EXPECT_EQ(ansicht.model()->data(ansicht.model()->index(1, s), Qt::BackgroundRole).value<QColor>(), rot);
  }
}

}  // namespace
