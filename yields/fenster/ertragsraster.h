#pragma once
// The grid of the window "Ertragserfassung": one row per crop, the yields
// edited in their cells. Enter saves the row and goes to the next one, a
// double-click flips "anderer Ertrag möglich", Escape takes the row's input
// back. Out-of-range yields are shown on light red; the titles name the
// year and the unit of the current row's crop.

#include "datasetmodel.h"

#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableView>

class TMeldungen;
namespace Ertraege {
class TErtragsliste;
}

class TErtragsModell : public TDataSetModel {
  Q_OBJECT
public:
  enum { SpalteKultur, SpalteVorjahr, SpalteErtrag, SpalteErtragNG, SpalteAnderer };
  // 0xAFAFF3 as 0x00BBGGRR.
  static inline const QColor Ausserhalb{0xF3, 0xAF, 0xAF};

  explicit TErtragsModell(Ertraege::TErtragsliste& liste, QObject* eltern = nullptr);

  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // A cell of the row being edited takes its value without saving the row
  // first: a row out of range is corrected in place.
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
  Ertraege::TErtragsliste& m_ertraege;
};

// The editor of a yield cell: the program's number field, without a sign.
class TErtragsDelegate : public QStyledItemDelegate {
  Q_OBJECT
public:
  TErtragsDelegate(TMeldungen& meldungen, QObject* eltern = nullptr);

  QWidget* createEditor(QWidget* eltern, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* modell, const QModelIndex& index) const override;
  // The current cell out of range stays red under the selection.
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
  // The editor now open; null when none.
  QWidget* Editor() const { return m_editor; }

private:
  TMeldungen& m_meldungen;
  mutable QPointer<QWidget> m_editor;
};

class TErtragsRaster : public QTableView {
  Q_OBJECT
public:
  TErtragsRaster(Ertraege::TErtragsliste& liste, TMeldungen& meldungen, QWidget* eltern = nullptr);

  TErtragsModell& Modell() const { return *m_modell; }
  // An open cell editor hands its text to the list, or drops it.
  void EingabeUebernehmen();
  void EingabeVerwerfen();
  // Whether a cell editor is open.
  bool ZelleOffen() const { return state() == EditingState; }
  // The yield cell of the current row becomes current.
  void ErtragWaehlen();

protected:
  void keyPressEvent(QKeyEvent* ereignis) override;
  void mouseDoubleClickEvent(QMouseEvent* ereignis) override;
  void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hinweis) override;

private:
  // Enter: saves the row; when it is saved, the next row becomes current.
  void Weiter();
  void ZeileZeigen(int zeile);
  // The yields and the flag in columns wide enough for their numbers.
  void SpaltenSetzen();
  void ZeileGewaehlt(const QModelIndex& aktuell);

  Ertraege::TErtragsliste& m_liste;
  TErtragsModell* m_modell;
  TErtragsDelegate* m_delegate;
  bool m_folgt = false;  // the grid follows the list: no move back
};
