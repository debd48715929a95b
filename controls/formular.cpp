#include "formular.h"

#include "adopanel.h"
#include "dbauswahl.h"
#include "dbeditmod.h"

#include <QAbstractScrollArea>
#include <QFormLayout>
#include <QHBoxLayout>

namespace Formular {

TDBEditMod* Feld(QFormLayout* form, TADODataSetMod* liste, const QString& spalte, const QString& beschriftung,
                 int nachkommastellen, bool pflicht) {
  auto* f = new TDBEditMod(liste, spalte);
  f->setAccessibleName(beschriftung);
  f->setGenauigkeit(nachkommastellen);
  // No area, amount or content of a panel may be negative.
  f->setKeineNegativen(true);
  if (pflicht) f->setFehler_Faerben(cnstFaerbenWenn0orLeer);
  form->addRow(beschriftung, f);
  return f;
}

TDBComboBoxMod* Auswahl(QFormLayout* form, TADODataSetMod* liste, const QString& spalte, const QString& beschriftung,
                        const TEintraege& eintraege, bool pflicht) {
  auto* c = new TDBComboBoxMod;
  c->setAccessibleName(beschriftung);
  for (const auto& [text, wert] : eintraege) c->Eintrag(text, wert);
  c->Binden(liste, spalte);
  if (pflicht) c->setFehler_Faerben(cnstFaerbenWenn0orLeer);
  form->addRow(beschriftung, c);
  return c;
}

TDBCheckBoxMod* Haken(QFormLayout* form, TADODataSetMod* liste, const QString& spalte, const QString& beschriftung) {
  auto* k = new TDBCheckBoxMod(beschriftung);
  k->setAccessibleName(beschriftung);
  k->Binden(liste, spalte);
  form->addRow(k);
  return k;
}

void TabFolge(const std::vector<QWidget*>& bereiche) {
  std::vector<QWidget*> folge;
  for (QWidget* bereich : bereiche) {
    if (bereich->focusPolicy() & Qt::TabFocus) folge.push_back(bereich);
    // Depth first, in the order of creation.
    for (QWidget* w : bereich->findChildren<QWidget*>())
      if ((w->focusPolicy() & Qt::TabFocus) && !w->isWindow() && !qobject_cast<QAbstractScrollArea*>(w->parentWidget()))
        folge.push_back(w);
  }
  for (size_t i = 1; i < folge.size(); ++i) QWidget::setTabOrder(folge[i - 1], folge[i]);
}

std::pair<TDBOKBitBtn*, TDBOKBitBtn*> OkAbbruch(QFormLayout* form, QWidget* panel) {
  auto* h = new QHBoxLayout;
  auto* ok = new TDBOKBitBtn(TDBOKBitBtn::OK, panel);
  auto* abbruch = new TDBOKBitBtn(TDBOKBitBtn::Abbruch, panel);
  for (auto* k : {ok, abbruch}) {
    k->setAutoDefault(false);
    h->addWidget(k);
  }
  form->addRow(h);
  return {ok, abbruch};
}

}  // namespace Formular
