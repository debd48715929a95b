#include "panelhilfe.h"

#include "adopanel.h"
#include "dbauswahl.h"
#include "dbeditmod.h"
#include "formular.h"

#include <QFormLayout>
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
  return Formular::Feld(form, &liste, spalte, beschriftung, nachkommastellen);
}

TDBComboBoxMod* Auswahlfeld(QFormLayout* form, TADODataSetMod& liste, const QString& spalte,
                            const QString& beschriftung, const std::vector<std::pair<QString, QVariant>>& eintraege) {
  return Formular::Auswahl(form, &liste, spalte, beschriftung, eintraege);
}

void AuswahlKasten(QFormLayout* form, TADODataSetMod& liste) {
  Formular::Haken(form, &liste, QStringLiteral("Auswahl"), QStringLiteral("Auswahl"));
}

void OkAbbruch(QFormLayout* form) { Formular::OkAbbruch(form); }

}  // namespace Panelhilfe
