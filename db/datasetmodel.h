#pragma once
// Shows a TADODataSetMod in a grid: one column per chosen field, titled in
// German; edits go through the list so its hooks and checks apply.

#include <QAbstractTableModel>
#include <QLocale>
#include <QPointer>

#include <functional>

#include "dataset.h"

class TDataSetModel : public QAbstractTableModel {
  Q_OBJECT
public:
  struct TSpalte {
    QString feld;
    QString titel;
    int nachkommastellen = -1;  // -1: as stored
  };

  explicit TDataSetModel(TADODataSetMod& liste, QObject* parent = nullptr);
  // Chooses and titles the columns; without a call every field is shown.
  void setSpalten(std::vector<TSpalte> spalten);
  // A read-only model does not pass edits on.
  void setNurLesen(bool nurLesen) { m_nurLesen = nurLesen; }
  // The background of a whole row (a QColor, or an empty value for none).
  void setZeilenfarbe(std::function<QVariant(int zeile)> farbe) { m_zeilenfarbe = std::move(farbe); }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // Sorting by a column title re-sorts the list through SortField.
  void sort(int column, Qt::SortOrder order) override;

  // The German text of a value as grids show it.
  static QString Anzeige(const QVariant& wert, const QString& typ, int nachkommastellen);

private:
  int FeldIndex(int spalte) const;
  bool IstWahrheitswert(int spalte) const;

  TADODataSetMod& m_liste;
  std::vector<TSpalte> m_spalten;
  bool m_nurLesen = false;
  std::function<QVariant(int)> m_zeilenfarbe;
};
