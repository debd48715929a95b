#include "kartenseite.h"

#include "kartenflaeche.h"
#include "kartenzeichner.h"
#include "shapedatei.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
constexpr int ParzelleRolle = Qt::UserRole + 1;
}

TKartenseite::TKartenseite(QWidget* eltern) : QWidget(eltern) {
  auto* haupt = new QHBoxLayout(this);
  m_flaeche = new TKartenflaeche;
  haupt->addWidget(m_flaeche, 1);
  auto* seite = new QVBoxLayout;
  haupt->addLayout(seite);
  auto knopf = [&](const QString& text, std::function<void()> aktion) {
    auto* k = new QPushButton(text);
    k->setAccessibleName(text);
    connect(k, &QPushButton::clicked, this, std::move(aktion));
    seite->addWidget(k);
  };
  knopf(u"Ganze Karte"_s, [this] { m_flaeche->GanzeKarte(); });
  knopf(u"Karte drucken"_s, [this] {
    if (Drucken) Drucken();
  });
  for (const auto& e : Kartenzeichner::Legende()) {
    auto* zeile = new QHBoxLayout;
    auto* farbe = new QLabel;
    farbe->setFixedSize(18, 12);
    farbe->setStyleSheet(u"background-color: %1; border: 1px solid #464646;"_s.arg(e.farbe.name()));
    zeile->addWidget(farbe);
    auto* text = new QLabel(e.text);
    text->setWordWrap(true);
    zeile->addWidget(text, 1);
    seite->addLayout(zeile);
  }
  m_system = new QLabel;
  m_system->setWordWrap(true);
  m_system->setAccessibleName(u"Koordinatensystem"_s);
  seite->addWidget(m_system);
  auto* titel = new QLabel(u"Schläge ohne Umriss"_s);
  seite->addWidget(titel);
  m_ohne = new QListWidget;
  m_ohne->setAccessibleName(titel->text());
  titel->setBuddy(m_ohne);
  seite->addWidget(m_ohne, 1);
  for (QWidget* w : {static_cast<QWidget*>(m_system), static_cast<QWidget*>(m_ohne)}) w->setMaximumWidth(220);

  connect(m_flaeche, &TKartenflaeche::Geklickt, this, &TKartenseite::Gewaehlt);
  connect(m_ohne, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* i) { emit Gewaehlt(i->data(ParzelleRolle).toInt()); });
}

void TKartenseite::Laden(Karte::TKarte karte) {
  const int gewaehlt = m_flaeche->Gewaehlt();
  m_karte = std::move(karte);
  m_ohne->clear();
  for (const auto& s : m_karte.schlaege) {
    if (!s.umriss.Leer()) continue;
    auto* i = new QListWidgetItem(Karte::Beschriftung(s), m_ohne);
    i->setData(ParzelleRolle, s.parzelle);
  }
  m_system->setText(m_karte.koordinatensystem.isEmpty()
                        ? QString()
                        : u"Koordinatensystem: "_s + Karte::SystemName(m_karte.koordinatensystem));
  m_flaeche->setKarte(&m_karte);
  m_flaeche->Waehlen(gewaehlt);
}

void TKartenseite::Waehlen(int parzelle) {
  m_flaeche->Waehlen(parzelle);
  m_ohne->setCurrentRow(-1);
  for (int i = 0; i < m_ohne->count(); ++i)
    if (m_ohne->item(i)->data(ParzelleRolle).toInt() == parzelle) m_ohne->setCurrentRow(i);
}
