#pragma once
// The page "Mineraldünger": shipped mineral fertilisers to choose, and the
// farm's own ones (group 999, names beginning with "_", numbered by ID).

#include "listenseite.h"

class TADOPanel;
class TDBComboBoxMod;
class TDBEditMod;

class TMineralSeite : public TListenSeite {
  Q_OBJECT
public:
  TMineralSeite(TADOModConnection& db, TMeldungen& meldungen, int betrieb, QWidget* eltern = nullptr);

  void EigenenAnlegen();
  void EigenenLoeschen();

  TADOPanel* Panel() const { return m_panel; }

protected:
  QStringList VerwendeteAnweisungen() const override;
  void WertGeaendert() override;

private:
  bool IstEigen() const;

  TADOPanel* m_panel;
  TDBEditMod* m_name;
  TDBEditMod* m_n;
  TDBEditMod* m_p;
  TDBEditMod* m_p2o5;
  TDBComboBoxMod* m_herkunft;
  bool m_geaendert = false;
};
