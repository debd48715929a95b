#pragma once
// The panel of a legume record (made with its crop row): the legume, whether
// its N is credited per ha of crop area or per dt of fresh matter, and then
// the amount of the main harvest product.

#include "detailpanel.h"

class QLabel;
class TDBRadioGroupMod;

class TLegumPanel : public TDetailPanel {
  Q_OBJECT
public:
  TLegumPanel(TAufzeichnungsliste& liste, TMeldungen& meldungen, int duengejahr, QWidget* eltern = nullptr);
  QWidget* ErstesFeld() const override;
  void Anzeigen() override;

private:
  TDBRadioGroupMod* m_angabe;
  TDBEditMod* m_menge;
  QLabel* m_mengeLabel = nullptr;
};
