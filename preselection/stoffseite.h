#pragma once
// The page "andere Stoffe": the farm's other substances, created through
// four buttons, one per substance group, and numbered over all farms.

#include "listenseite.h"

class TADOPanel;
class TDBEditMod;

class TStoffSeite : public TListenSeite {
  Q_OBJECT
public:
  TStoffSeite(TADOModConnection& db, TMeldungen& meldungen, int betrieb, QWidget* eltern = nullptr);

  // Appends a substance of the group (1 to 4).
  void Anlegen(int gruppe);
  void Loeschen();

  TADOPanel* Panel() const { return m_panel; }

private:
  TADOPanel* m_panel;
  TDBEditMod* m_stoff;
  bool m_geaendert = false;
};
