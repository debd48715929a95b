#pragma once
// The page "Weidehaltung": the grazing animal categories of the ordinance;
// only the selection can change.

#include "listenseite.h"

class TADOPanel;

class TWeideSeite : public TListenSeite {
  Q_OBJECT
public:
  TWeideSeite(TADOModConnection& db, TMeldungen& meldungen, int betrieb, QWidget* eltern = nullptr);

  TADOPanel* Panel() const { return m_panel; }

protected:
  QStringList VerwendeteAnweisungen() const override;

private:
  TADOPanel* m_panel;
};
