#pragma once
// The grid model of the preselection lists: chosen rows are drawn on a
// light yellow background, except in the selection column itself.

#include "datasetmodel.h"

#include <QColor>

class TAuswahlModell : public TDataSetModel {
  Q_OBJECT
public:
  // 0x00C2FCFC as the old colour value 0x00BBGGRR.
  static inline const QColor Gewaehlt{0xFC, 0xFC, 0xC2};

  TAuswahlModell(TADODataSetMod& liste, QString auswahlFeld, QObject* eltern = nullptr);
  // Sets the columns and finds the selection column among them.
  void setSpalten(std::vector<TSpalte> spalten);

  QVariant data(const QModelIndex& index, int role) const override;
  // The field shown in a grid column; empty when there is none.
  QString Feld(int spalte) const;

private:
  TADODataSetMod& m_liste;
  QString m_auswahlFeld;  // empty: the list has no selection
  std::vector<TSpalte> m_spalten;
};
