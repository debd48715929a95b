#pragma once
// The panel of a mineral fertiliser, organic fertiliser or other-substance
// record: date, amount, item, fertilised crop and the autumn check box.

#include "detailpanel.h"

class TDuengerPanel : public TDetailPanel {
  Q_OBJECT
public:
  // kategorie 1 (mineral), 2 (organic) or 5 (other substances); the master
  // list offers the items of that kind.
  TDuengerPanel(int kategorie, TAufzeichnungsliste& liste, TADODataSetMod& stammliste, TMeldungen& meldungen,
                int duengejahr, QWidget* eltern = nullptr);
  QWidget* ErstesFeld() const override;

private:
  TDBEditMod* m_datum;
};
