// The window as a whole: caption, pages, names of the controls, page
// switching, the calculator, and closing.
#include "vorauswahltest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

namespace {

class Fenster : public VorauswahlTest {};

TEST_F(Fenster, TitelNenntBetriebUndJahr) {
  Oeffnen();
  EXPECT_EQ(fenster->windowTitle(), QStringLiteral("Vorauswahl:  Hof Linde / 2021"));
}

TEST_F(Fenster, AnweisungDesAufrufersBleibtTitel) {
  fenster = std::make_unique<TVorauswahl>(db, meldungen, Betrieb, Jahr);
  fenster->setAnweisung(QStringLiteral("Bitte wählen Sie jettz die zu verwendenden Kulturen aus."));
  fenster->show();
  EXPECT_EQ(fenster->windowTitle(), QStringLiteral("Bitte wählen Sie jettz die zu verwendenden Kulturen aus."));
}

TEST_F(Fenster, FuenfSeitenDieErsteVorn) {
  Oeffnen();
  QTabWidget* seiten = fenster->Seiten();
  ASSERT_EQ(seiten->count(), 5);
  const QStringList titel = {QStringLiteral("KulturenNP"), QStringLiteral("Mineraldünger"),
                             QStringLiteral("organische Dünger"), QStringLiteral("andere Stoffe"),
                             QStringLiteral("Weidehaltung")};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(seiten->tabText(i), titel[i]);
    EXPECT_EQ(seiten->widget(i)->accessibleName(), titel[i]);
  }
  EXPECT_EQ(seiten->currentIndex(), 0);
  for (TListenSeite* s : {static_cast<TListenSeite*>(fenster->Kulturen()), static_cast<TListenSeite*>(fenster->Mineral()),
                          static_cast<TListenSeite*>(fenster->Organisch()), static_cast<TListenSeite*>(fenster->Stoffe()),
                          static_cast<TListenSeite*>(fenster->Weide())})
    EXPECT_TRUE(s->Liste().IstOffen()) << s->Titel().toStdString();
}

TEST_F(Fenster, JedesBedienelementTraegtSeineBeschriftung) {
  Oeffnen();
  QStringList ohne;
  for (QWidget* w : fenster->findChildren<QWidget*>()) {
    const bool bedienelement = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                               qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractItemView*>(w);
    // Inner parts of composite Qt widgets (a grid's headers, a combo's list, a tab bar's arrows) are not ours.
    QWidget* e = w->parentWidget();
    if (!bedienelement || qobject_cast<QComboBox*>(e) || qobject_cast<QAbstractItemView*>(e) || e->inherits("QTabBar") ||
        e->inherits("QComboBoxPrivateContainer"))
      continue;
    if (w->accessibleName().trimmed().isEmpty()) ohne << QString::fromLatin1(w->metaObject()->className());
  }
  EXPECT_TRUE(ohne.isEmpty()) << ohne.join(QStringLiteral(", ")).toStdString();
}

TEST_F(Fenster, SpaltentitelDerTabellen) {
  Oeffnen();
  const auto titel = [](TListenSeite* s) {
    QStringList t;
    for (int i = 0; i < s->Modell()->columnCount(); ++i) t << s->Modell()->headerData(i, Qt::Horizontal, Qt::DisplayRole).toString();
    return t;
  };
  EXPECT_EQ(titel(fenster->Kulturen()),
            (QStringList{"Auswahl", "FA-Gruppe", "Kultur nach DüV", "TS (%)", "tatsächlicher Ertrag (dt/ha)",
                         "tats. Ertrag NG (dt/ha)", "Einzelertrag"}));
  EXPECT_EQ(titel(fenster->Mineral()), (QStringList{"Auswahl", "Dünger-Gruppe", "Düngemitttel", "N (kg/dt)", "P205 (kg/dt)",
                                                     "P (kg/dt)", "K20 (kg/dt)", "K (kg/dt)", "Herkunft"}));
  EXPECT_EQ(titel(fenster->Organisch()),
            (QStringList{"Auswahl", "Dünger-Gruppe", "Düngemittel", "TM (%)", "N (kg/t bzw.m³ FM)", "Nverf (kg/t bzw.m³ FM)",
                         "P (kg/t bzw.m³ FM)", "Herkunft"}));
  EXPECT_EQ(titel(fenster->Stoffe()), (QStringList{"Stoff-Gruppe", "Stoff", "N (kg/t bzw. m³ FM)", "P (kg/t bzw. m³ FM)",
                                                    "K (kg/t bzw. m³ FM)", "Herkunft"}));
  EXPECT_EQ(titel(fenster->Weide()), (QStringList{"Auswahl", "Tierart", "Bezugsgröße"}));
}

}  // namespace
