#include "panelhilfe.h"

#include "adopanel.h"
#include "dbauswahl.h"
#include "dbeditmod.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>

namespace Panelhilfe {

std::pair<TADOPanel*, QFormLayout*> Panel(TADODataSetMod& liste, TMeldungen& meldungen, const QString& name) {
  auto* panel = new TADOPanel;
  panel->setDataSet(&liste);
  panel->setMeldungen(&meldungen);
  panel->setAccessibleName(name);
  return {panel, new QFormLayout(panel)};
}

TDBEditMod* Feld(QFormLayout* form, TADODataSetMod& liste, const QString& spalte, const QString& beschriftung,
                 int nachkommastellen) {
  auto* f = new TDBEditMod(&liste, spalte);
  f->setAccessibleName(beschriftung);
  f->setGenauigkeit(nachkommastellen);
  form->addRow(beschriftung, f);
  return f;
}

TDBComboBoxMod* Auswahlfeld(QFormLayout* form, TADODataSetMod& liste, const QString& spalte,
                            const QString& beschriftung, const std::vector<std::pair<QString, QVariant>>& eintraege) {
  auto* c = new TDBComboBoxMod;
  c->setAccessibleName(beschriftung);
  for (const auto& [text, wert] : eintraege) c->Eintrag(text, wert);
  c->Binden(&liste, spalte);
  form->addRow(beschriftung, c);
  return c;
}

void AuswahlKasten(QFormLayout* form, TADODataSetMod& liste) {
  auto* k = new TDBCheckBoxMod(QStringLiteral("Auswahl"));
  k->Binden(&liste, QStringLiteral("Auswahl"));
  form->addRow(k);
}

void OkAbbruch(QFormLayout* form) {
  auto* h = new QHBoxLayout;
  for (int art : {int(TDBOKBitBtn::OK), int(TDBOKBitBtn::Abbruch)}) {
    auto* k = new TDBOKBitBtn(art);
    k->setAutoDefault(false);
    h->addWidget(k);
  }
  form->addRow(h);
}

}  // namespace Panelhilfe
