#include "bedarfsseite.h"

#include "dataset.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTableView>

#include <cmath>

using namespace Qt::StringLiterals;

void TBedarfsdaten::SchlaegeNeuLesen() {
  const QScopedValueRollback sperre(neuberechnung, true);
  schlaege->Aktualisieren();
}

bool TBedarfsdaten::ZurParzelle(int parzelle) {
  const int i = schlaege->FeldIndex(u"Parzelle"_s);
  for (int z = 0; z < schlaege->Anzahl(); ++z)
    if (schlaege->Wert(z, i).toInt() == parzelle) return schlaege->Gehe(z);
  return false;
}

TBedarfsseite::TBedarfsseite(TBedarfsdaten& daten, const QString& titel, QWidget* eltern)
    : QWidget(eltern), m_daten(daten), m_db(daten.db), m_meldungen(daten.meldungen), m_titel(titel) {
  setAccessibleName(titel);
}

QPushButton* TBedarfsseite::Knopf(const QString& text, const QString& hinweis, std::function<void()> aktion) {
  auto* k = new QPushButton(text);
  k->setAccessibleName(text);
  k->setAutoDefault(false);
  if (!hinweis.isEmpty()) k->setToolTip(hinweis);
  connect(k, &QPushButton::clicked, this, std::move(aktion));
  return k;
}

QLabel* TBedarfsseite::Legende(const QString& text) {
  auto* l = new QLabel(text);
  l->setAccessibleName(text);
  l->setStyleSheet(u"color: rgb(180, 0, 0)"_s);
  return l;
}

QTableView* TBedarfsseite::SchlagRaster() {
  TADODataSetMod* schlaege = m_daten.schlaege;
  auto* v = new QTableView;
  v->setAccessibleName(u"Schläge"_s);
  v->setModel(m_daten.schlagModell);
  v->setSelectionBehavior(QAbstractItemView::SelectRows);
  v->setSelectionMode(QAbstractItemView::SingleSelection);
  v->verticalHeader()->hide();
  v->horizontalHeader()->setStretchLastSection(true);
  connect(v->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [schlaege](const QModelIndex& i) {
    if (i.isValid() && i.row() != schlaege->Position()) schlaege->Gehe(i.row());
  });
  const auto zeigen = [schlaege, v] {
    if (schlaege->Position() >= 0 && v->currentIndex().row() != schlaege->Position()) v->selectRow(schlaege->Position());
  };
  connect(schlaege, &TADODataSetMod::PositionGeaendert, v, zeigen);
  connect(schlaege, &TADODataSetMod::Zurueckgesetzt, v, zeigen);
  return v;
}

int TBedarfsseite::Ganz(const QVariant& v) { return int(std::lround(v.toDouble())); }

QString TBedarfsseite::Nummer(const QVariant& v) { return QString::number(qRound(v.toDouble())); }
