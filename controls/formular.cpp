#include "formular.h"

#include "adopanel.h"
#include "dbauswahl.h"
#include "dbeditmod.h"

#include <QAbstractScrollArea>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QTabWidget>

#include <functional>

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
  // A widget with a focus proxy (a tab widget, reached through its tab bar)
  // is not listed: the proxy stands for it.
  const auto nehmen = [](QWidget* w) { return (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy(); };
  // Depth first, in the order of creation; a tab widget's tabs before its
  // pages, as they stand above them. Windows of their own (the list of a
  // choice) stay out, and so do the parts of a scroll area (viewport, bars,
  // headers), though not what it shows.
  std::function<void(QWidget*, bool)> sammeln = [&](QWidget* w, bool teil) {
    if (!teil && nehmen(w)) folge.push_back(w);
    QList<QWidget*> kinder = w->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    if (auto* reiter = qobject_cast<QTabWidget*>(w); reiter && kinder.removeOne(reiter->tabBar()))
      kinder.prepend(reiter->tabBar());
    const bool flaeche = qobject_cast<QAbstractScrollArea*>(w);
    for (QWidget* k : kinder)
      if (!k->isWindow()) sammeln(k, flaeche);
  };
  for (QWidget* bereich : bereiche) sammeln(bereich, false);
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
