#pragma once
// The printed sheets of the recording obligations, drawn through the page
// writer: the record sheet of a field (portrait), the yearly statement sheet
// (portrait) and the lists of applications by kind (landscape). The values
// come as texts from Druckdaten; here they are only placed.

#include "druckdaten.h"

#include <QDate>

#include <vector>

class TPDFDruckausgabe;

namespace Aufzeichnungsblatt {

// The pages of one field, starting on the current page: at most 19 records a
// page, each page with the sums of its own records.
void SchlagZeichnen(TPDFDruckausgabe& d, const Druckdaten::TBetriebskopf& betrieb, const Druckdaten::TSchlag& schlag,
                    const std::vector<Auswertung::TDungsatz>& saetze, int jahr, const QDate& heute);

// The statement sheet, on the current page; below its table the lines of
// the checks of the legal limits (heading first), continued on further
// portrait pages when they do not fit. Without lines it is one page.
void BilanzZeichnen(TPDFDruckausgabe& d, const Druckdaten::TBetriebskopf& betrieb, const TBilanz& bilanz, int jahr,
                    bool nitratgebiet, const QStringList& befunde = {});

// The lists, one section after the other, each from a new page; the first
// starts on the current page. At most 14 records a page; the sums of a
// section on its last page.
void ListenZeichnen(TPDFDruckausgabe& d, const Druckdaten::TBetriebskopf& betrieb,
                    const std::vector<Druckdaten::TAbschnitt>& abschnitte, int jahr, bool nitratgebiet);

}  // namespace Aufzeichnungsblatt
