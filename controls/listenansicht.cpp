#include "listenansicht.h"

#include <QHeaderView>

#include <algorithm>
#include <vector>

TListenAnsicht::TListenAnsicht(TADODataSetMod& liste, std::vector<TDataSetModel::TSpalte> spalten, QWidget* eltern)
    : QTableView(eltern), m_liste(liste), m_modell(new TDataSetModel(liste, this)) {
  m_modell->setSpalten(std::move(spalten));
  m_modell->setNurLesen(true);
  setModel(m_modell);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Re-sorting would reopen the list and lose the selection that depends on it.
  setSortingEnabled(false);
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  setTextElideMode(Qt::ElideRight);
  // A read-only list: Tab goes on to the next control, not the next cell.
  setTabKeyNavigation(false);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  horizontalHeader()->setStretchLastSection(true);
  horizontalHeader()->setHighlightSections(false);
  connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& aktuell) { ZeileGewaehlt(aktuell); });
  connect(&m_liste, &TADODataSetMod::PositionGeaendert, this, [this](int zeile) { ZeileZeigen(zeile); });
  connect(m_modell, &QAbstractItemModel::modelReset, this, [this] {
    SpaltenAnpassen(this);
    ZeileZeigen(m_liste.Position());
  });
  // A row added or changed may need wider columns than the list had when it was read.
  for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
    connect(m_modell, signal, this, [this] { SpaltenAnpassen(this); });
  connect(m_modell, &QAbstractItemModel::dataChanged, this, [this] { SpaltenAnpassen(this); });
  SpaltenAnpassen(this);
  ZeileZeigen(m_liste.Position());
}

void TListenAnsicht::setZeilenfarbe(std::function<QVariant(int)> farbe) {
  m_modell->setZeilenfarbe(std::move(farbe));
  viewport()->update();
}

void TListenAnsicht::SpaltenAnpassen(QTableView* raster, int maxZeichen) {
  if (!raster->model()) return;
  const int grenze = raster->fontMetrics().averageCharWidth() * maxZeichen;
  QHeaderView* kopf = raster->horizontalHeader();
  std::vector<int> spalten, titel, breite, voll;
  for (int spalte = 0; spalte < raster->model()->columnCount(); ++spalte) {
    if (kopf->isSectionHidden(spalte)) continue;
    spalten.push_back(spalte);
    titel.push_back(kopf->sectionSizeHint(spalte));
    voll.push_back(std::max(titel.back(), static_cast<const QAbstractItemView*>(raster)->sizeHintForColumn(spalte)));
    // The title is never cut: it may be wider than the limit for content.
    breite.push_back(std::min(voll.back(), std::max(titel.back(), grenze)));
  }
  // Too wide for the grid: the widest columns give way (their texts are
  // elided, never their titles), so that every column stays in view.
  const int platz = raster->viewport()->width();
  int summe = 0;
  for (int b : breite) summe += b;
  while (platz > 0 && summe > platz) {
    size_t breiteste = 0;
    for (size_t i = 1; i < breite.size(); ++i)
      if (breite[i] - titel[i] > breite[breiteste] - titel[breiteste]) breiteste = i;
    const int abgeben = std::min(summe - platz, breite[breiteste] - titel[breiteste]);
    if (abgeben <= 0) break;
    // In small steps, so that two long columns share the cut.
    const int schritt = std::max(1, std::min(abgeben, raster->fontMetrics().averageCharWidth() * 2));
    breite[breiteste] -= schritt;
    summe -= schritt;
  }
  // Room left over goes first to the columns whose texts are cut, so that a
  // long name shows in full when the grid is wide enough.
  for (size_t i = 0; i < breite.size() && platz > summe; ++i) {
    const int mehr = std::min(voll[i] - breite[i], platz - summe);
    if (mehr <= 0) continue;
    breite[i] += mehr;
    summe += mehr;
  }
  for (size_t i = 0; i < spalten.size(); ++i) kopf->resizeSection(spalten[i], breite[i]);
}

void TListenAnsicht::resizeEvent(QResizeEvent* ereignis) {
  QTableView::resizeEvent(ereignis);
  SpaltenAnpassen(this);
}

void TListenAnsicht::ZeileZeigen(int zeile) {
  if (m_folgt) return;
  m_folgt = true;
  if (zeile < 0 || zeile >= m_modell->rowCount()) {
    selectionModel()->clear();
  } else {
    const QModelIndex i = m_modell->index(zeile, 0);
    selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(i);
  }
  m_folgt = false;
}

void TListenAnsicht::ZeileGewaehlt(const QModelIndex& aktuell) {
  if (m_folgt || !aktuell.isValid()) return;
  // A pending edit that cannot be saved keeps the list where it is.
  if (!m_liste.Gehe(aktuell.row())) ZeileZeigen(m_liste.Position());
}
