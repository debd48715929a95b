#pragma once
// The page "Karte" of the demand window: the window's field list beside the
// map of the farm year, in step both ways, with the printed map.

#include "bedarfsseite.h"

class TSchlagkarte;

class TBedarfskarte : public TBedarfsseite {
  Q_OBJECT
public:
  explicit TBedarfskarte(TBedarfsdaten& daten, QWidget* eltern = nullptr);
  // Reads the map again and goes to the field.
  void Zeigen(int parzelle, qint64 anbauId) override;
  TSchlagkarte* Karte() const { return m_karte; }

private:
  TSchlagkarte* m_karte;
};
