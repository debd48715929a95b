#pragma once
// The panel of a grazing record: animal group, number of animals or stable
// places, grazing days, the grazed crop and the end of grazing.

#include "detailpanel.h"

class TWeidePanel : public TDetailPanel {
  Q_OBJECT
public:
  TWeidePanel(TAufzeichnungsliste& liste, TADODataSetMod& tiere, TMeldungen& meldungen, int duengejahr,
              QWidget* eltern = nullptr);
  QWidget* ErstesFeld() const override { return m_tiergruppe; }

private:
  QWidget* m_tiergruppe;
};
