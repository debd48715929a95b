#pragma once
// Building record panels: a bound field, choice or check box under its German
// caption, which is also its accessible name, and the panel's OK/Abbruch row.

#include <QString>
#include <QVariant>

#include <utility>
#include <vector>

class QFormLayout;
class TADODataSetMod;
class TDBCheckBoxMod;
class TDBComboBoxMod;
class TDBEditMod;
class TDBOKBitBtn;
class QWidget;

namespace Formular {

using TEintraege = std::vector<std::pair<QString, QVariant>>;

// A required field or choice is coloured while it is empty or 0.
TDBEditMod* Feld(QFormLayout* form, TADODataSetMod* liste, const QString& spalte, const QString& beschriftung,
                 int nachkommastellen = 0, bool pflicht = false);
TDBComboBoxMod* Auswahl(QFormLayout* form, TADODataSetMod* liste, const QString& spalte, const QString& beschriftung,
                        const TEintraege& eintraege, bool pflicht = false);
TDBCheckBoxMod* Haken(QFormLayout* form, TADODataSetMod* liste, const QString& spalte, const QString& beschriftung);
// The "OK" and "Abbruch" buttons of the panel, in one row.
std::pair<TDBOKBitBtn*, TDBOKBitBtn*> OkAbbruch(QFormLayout* form, QWidget* panel = nullptr);

// Sets the tab order to follow the screen: the areas in the order given,
// inside each area its controls in the order they were built (top to
// bottom, left to right). Widgets built later into an area join it there.
void TabFolge(const std::vector<QWidget*>& bereiche);

}  // namespace Formular
