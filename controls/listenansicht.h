#pragma once
// A read-only grid over an editable list whose current row follows the
// list's current row, and the other way round. Columns take the width of
// their title and content, up to a limit; longer texts are elided and shown
// in full as tooltip.

#include "datasetmodel.h"

#include <QTableView>

class TListenAnsicht : public QTableView {
  Q_OBJECT
public:
  TListenAnsicht(TADODataSetMod& liste, std::vector<TDataSetModel::TSpalte> spalten, QWidget* eltern = nullptr);

  TADODataSetMod& Liste() const { return m_liste; }
  TDataSetModel& Modell() const { return *m_modell; }
  // The background of whole rows, e.g. red for incomplete ones.
  void setZeilenfarbe(std::function<QVariant(int zeile)> farbe);

  // Sizes every column of a grid to its title and content, at most
  // maxZeichen average characters wide. Used by every grid of the program.
  static void SpaltenAnpassen(QTableView* raster, int maxZeichen = 40);

protected:
  void resizeEvent(QResizeEvent* ereignis) override;

private:
  void ZeileZeigen(int zeile);
  void ZeileGewaehlt(const QModelIndex& aktuell);

  TADODataSetMod& m_liste;
  TDataSetModel* m_modell;
  bool m_folgt = false;  // the grid follows the list: no move back
};
