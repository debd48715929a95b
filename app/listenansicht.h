#pragma once
// A read-only grid over an editable list whose current row follows the
// list's current row, and the other way round.

#include "datasetmodel.h"

#include <QTableView>

class TListenAnsicht : public QTableView {
  Q_OBJECT
public:
  TListenAnsicht(TADODataSetMod& liste, std::vector<TDataSetModel::TSpalte> spalten, QWidget* eltern = nullptr);

  TADODataSetMod& Liste() const { return m_liste; }
  TDataSetModel& Modell() const { return *m_modell; }

private:
  void ZeileZeigen(int zeile);
  void ZeileGewaehlt(const QModelIndex& aktuell);

  TADODataSetMod& m_liste;
  TDataSetModel* m_modell;
  bool m_folgt = false;  // the grid follows the list: no move back
};
