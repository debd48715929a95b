#include "legumpanel.h"

#include "aufzeichnungsliste.h"
#include "dataset.h"
#include "dbauswahl.h"
#include "dbeditmod.h"
#include "formular.h"

#include <QAbstractButton>
#include <QFormLayout>
#include <QLabel>

namespace {
const QString Pauschal = QStringLiteral("IsLegumPauschal");
}  // namespace

TLegumPanel::TLegumPanel(TAufzeichnungsliste& liste, TMeldungen& meldungen, int duengejahr, QWidget* eltern)
    : TDetailPanel(liste, meldungen, duengejahr, QStringLiteral("Leguminosen"), eltern) {
  Formular::Feld(Form(), &liste.Liste(), QStringLiteral("Dng"), QStringLiteral("Leguminosenart"))->setRO(true);
  m_angabe = new TDBRadioGroupMod(QStringLiteral("Angabe in"));
  m_angabe->Eintrag(QStringLiteral("dt FM Haupternteprodukt"), 0);
  m_angabe->Eintrag(QStringLiteral("ha Anbaufläche"), 1);
  m_angabe->Binden(&liste.Liste(), Pauschal);
  m_angabe->setFehler_Faerben(cnstFaerbenWennNull);
  Form()->addRow(m_angabe);
  m_menge = Zahlfeld(QStringLiteral("Menge"), QStringLiteral("Gesamtmenge (dt/ha FM)"), QString(), 1, true);
  for (QLabel* l : findChildren<QLabel*>())
    if (l->buddy() == m_menge) m_mengeLabel = l;
  Knoepfe();
  // Per ha of crop area there is no amount. The click comes before the
  // choice is written; showing and hiding follows the written choice.
  connect(m_angabe->Knopf(1), &QAbstractButton::clicked, this, [this] {
    if (Liste().Liste().Position() >= 0) Liste().Liste().setWert(QStringLiteral("Menge"), 0);
  });
}

QWidget* TLegumPanel::ErstesFeld() const {
  if (m_angabe->isEnabled()) return m_angabe->Knopf(0);
  return m_menge;
}

void TLegumPanel::Anzeigen() {
  const TADODataSetMod& l = Liste().Liste();
  const bool da = l.Position() >= 0;
  // Legume catch crops (numbers below 20) are always credited per ha.
  m_angabe->setEnabled(da && l.Wert(QStringLiteral("DngNummer")).toLongLong() >= 20);
  const bool jeDt = da && !l.Wert(Pauschal).isNull() && l.Wert(Pauschal).toInt() == 0;
  m_menge->setVisible(jeDt);
  if (m_mengeLabel) m_mengeLabel->setVisible(jeDt);
}
