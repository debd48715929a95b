#pragma once
// Shipped SQL scripts (resources/sql): the fixed statements of creation,
// upgrade, refresh and the maintenance at every start.

#include "connection.h"

#include <QString>
#include <QStringList>

namespace Skript {

// The text of ":/sql/<name>.sql".
QString Text(const QString& name);

// The single statements of a text, in order.
QStringList Anweisungen(const QString& sql);

// Runs the script's statements one by one; none stops the others. The script
// starts silent (failures ignored); a line "-- meldend" switches to reporting
// (the engine's error text is shown), "-- still" back.
void Ausfuehren(TADOModConnection& db, const QString& name, const TParameter& parameter = {});

}  // namespace Skript
