#pragma once
// The map as a widget: draws the farm year's fields to scale, zooms with
// the wheel about the mouse, pans by dragging, and reports the field a
// click (without dragging) hits.

#include "ansicht.h"

#include <QWidget>

class TKartenflaeche : public QWidget {
  Q_OBJECT
public:
  explicit TKartenflaeche(QWidget* eltern = nullptr);

  // The map shown; it must live as long as the widget shows it.
  void setKarte(const Karte::TKarte* karte);
  // Highlights the field and brings it into view; 0 highlights none.
  void Waehlen(int parzelle);
  int Gewaehlt() const { return m_gewaehlt; }
  // "Ganze Karte": every field in view.
  void GanzeKarte();
  const Karte::TAnsicht& Ansicht() const { return m_ansicht; }

signals:
  void Geklickt(int parzelle);

protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

private:
  const Karte::TKarte* m_karte = nullptr;
  Karte::TAnsicht m_ansicht;
  int m_gewaehlt = 0;
  bool m_eingepasst = false;
  QPointF m_druck;       // where the left button went down
  QPointF m_letzte;      // the last position while dragging
  bool m_gezogen = false;
};
