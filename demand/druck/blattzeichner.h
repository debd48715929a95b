#pragma once
// Draws a demand sheet on one A4 portrait page of the page writer: title,
// address, the framed header, the factor table with its shaded heading and
// result bands, the notes, the parcels of a management unit and the footer.

#include "bedarfsblaetter.h"

class TPDFDruckausgabe;

namespace Blattzeichner {

// The line at the foot of every sheet.
extern const QString Fusszeile;

// Draws the sheet on the writer's current page.
void Zeichnen(TPDFDruckausgabe& druck, const Bedarfsblaetter::TBlatt& blatt);

}  // namespace Blattzeichner
