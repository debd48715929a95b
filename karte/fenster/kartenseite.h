#pragma once
// The page "Karte" of the demand and the records window: the map with
// "Ganze Karte", "Karte drucken", the legend, the coordinate system and the
// list of fields without an outline. The window that holds it loads the
// map, tells it the field selected in its list and takes the field clicked.

#include "kartendaten.h"

#include <QWidget>

#include <functional>

class QLabel;
class QListWidget;
class TKartenflaeche;

class TKartenseite : public QWidget {
  Q_OBJECT
public:
  explicit TKartenseite(QWidget* eltern = nullptr);

  void Laden(Karte::TKarte karte);
  const Karte::TKarte& Karte() const { return m_karte; }
  // The field selected in the window's list: highlighted, and the map follows.
  void Waehlen(int parzelle);
  TKartenflaeche* Flaeche() const { return m_flaeche; }
  QListWidget* OhneUmriss() const { return m_ohne; }

  // "Karte drucken"; without it the button does nothing.
  std::function<void()> Drucken;

signals:
  // The user picked a field on the map or in the list without outline.
  void Gewaehlt(int parzelle);

private:
  Karte::TKarte m_karte;
  TKartenflaeche* m_flaeche;
  QListWidget* m_ohne;
  QLabel* m_system;
};
