#pragma once
// Building the detail panels: a bound field or choice under its German
// caption, which is also its accessible name.

#include <QString>
#include <QVariant>

#include <utility>
#include <vector>

class QFormLayout;
class TADODataSetMod;
class TADOPanel;
class TDBComboBoxMod;
class TDBEditMod;
class TMeldungen;

namespace Panelhilfe {

// A panel over the list with a form layout.
std::pair<TADOPanel*, QFormLayout*> Panel(TADODataSetMod& liste, TMeldungen& meldungen, const QString& name);
TDBEditMod* Feld(QFormLayout* form, TADODataSetMod& liste, const QString& spalte, const QString& beschriftung,
                 int nachkommastellen = 2);
TDBComboBoxMod* Auswahlfeld(QFormLayout* form, TADODataSetMod& liste, const QString& spalte,
                            const QString& beschriftung, const std::vector<std::pair<QString, QVariant>>& eintraege);
void AuswahlKasten(QFormLayout* form, TADODataSetMod& liste);
// "OK" and "Abbruch" of the panel.
void OkAbbruch(QFormLayout* form);

}  // namespace Panelhilfe
