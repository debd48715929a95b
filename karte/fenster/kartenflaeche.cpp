#include "kartenflaeche.h"

#include "kartenzeichner.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>

TKartenflaeche::TKartenflaeche(QWidget* eltern) : QWidget(eltern) {
  setAccessibleName(QStringLiteral("Schlagkarte"));
  setMinimumSize(200, 150);
  setMouseTracking(false);
  setFocusPolicy(Qt::ClickFocus);
  m_ansicht.setGroesse(width(), height());
}

void TKartenflaeche::setKarte(const Karte::TKarte* karte) {
  m_karte = karte;
  m_eingepasst = false;
  GanzeKarte();
}

void TKartenflaeche::GanzeKarte() {
  m_ansicht.setGroesse(width(), height());
  if (m_karte) {
    m_ansicht.Einpassen(m_karte->Grenzen());
    m_eingepasst = !m_karte->Grenzen().leer;
  }
  update();
}

void TKartenflaeche::Waehlen(int parzelle) {
  m_gewaehlt = parzelle;
  if (m_karte)
    if (const Karte::TKartenSchlag* s = m_karte->Schlag(parzelle); s && !s->umriss.Leer())
      m_ansicht.Zeigen(s->umriss.Grenzen());
  update();
}

void TKartenflaeche::paintEvent(QPaintEvent*) {
  QPainter m(this);
  m.fillRect(rect(), Qt::white);
  if (!m_karte) return;
  Kartenzeichner::Zeichnen(m, *m_karte, m_ansicht, {m_gewaehlt, true, true});
}

void TKartenflaeche::resizeEvent(QResizeEvent*) {
  m_ansicht.setGroesse(width(), height());
  if (!m_eingepasst) GanzeKarte();
}

void TKartenflaeche::wheelEvent(QWheelEvent* e) {
  // One notch of 120 zooms by a fifth.
  m_ansicht.Zoomen(std::pow(1.2, e->angleDelta().y() / 120.0), {e->position().x(), e->position().y()});
  update();
  e->accept();
}

void TKartenflaeche::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  m_druck = m_letzte = e->position();
  m_gezogen = false;
}

void TKartenflaeche::mouseMoveEvent(QMouseEvent* e) {
  if (!(e->buttons() & Qt::LeftButton)) return;
  const QPointF p = e->position();
  // A shaky click is still a click.
  if (!m_gezogen && (p - m_druck).manhattanLength() < 4) return;
  m_gezogen = true;
  m_ansicht.Verschieben(p.x() - m_letzte.x(), p.y() - m_letzte.y());
  m_letzte = p;
  update();
}

void TKartenflaeche::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton || m_gezogen || !m_karte) return;
  const Karte::TTreffer t = Karte::Treffer(*m_karte, m_ansicht, {e->position().x(), e->position().y()});
  if (t.parzelle != 0) emit Geklickt(t.parzelle);
}
