#include "formular.h"

#include "adopanel.h"
#include "dbauswahl.h"
#include "dbeditmod.h"

#include <QFormLayout>
#include <QHBoxLayout>

namespace Formular {

TDBEditMod* Feld(QFormLayout* form, TADODataSetMod* liste, const QString& spalte, const QString& beschriftung,
                 int nachkommastellen, bool pflicht) {
  auto* f = new TDBEditMod(liste, spalte);
  f->setAccessibleName(beschriftung);
  f->setGenauigkeit(nachkommastellen);
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
