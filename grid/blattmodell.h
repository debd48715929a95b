#pragma once
// The Qt model over a work sheet. Held heading rows are not rows of the
// model: they are its column headers, so they stay in place while the body
// scrolls and screen readers hear them as column titles.

#include "blatt.h"

#include <QAbstractTableModel>

#include <functional>
#include <optional>

class TBlattModell : public QAbstractTableModel {
  Q_OBJECT
public:
  explicit TBlattModell(TBlatt& blatt, QObject* eltern = nullptr);

  TBlatt& Blatt() const { return m_blatt; }
  // Heading rows shown as column headers (0: none, the header shows numbers).
  void setKopfzeilen(int anzahl);
  int Kopfzeilen() const { return m_kopfzeilen; }
  // Columns shown; 0 shows up to the sheet's last used column.
  void setSpaltenzahl(int anzahl);
  void setGenauigkeit(TBlatt::TGenauigkeit g);
  TBlatt::TGenauigkeit Genauigkeit() const { return m_genauigkeit; }
  void setNurAnzeige(bool nurAnzeige) { m_nurAnzeige = nurAnzeige; }
  bool NurAnzeige() const { return m_nurAnzeige; }
  // Re-reads the sheet after it was filled from outside.
  void Neu();
  // Empty rows shown below the last used one, so a new line can be typed
  // (0: none). With it set, the rows follow every change of the sheet.
  void setReservezeilen(int anzahl);
  // Shows cells written through Blatt() without a reset, so the current
  // cell and the selection stay.
  void Auffrischen();

  // Sheet position of a model index and back (column and row from 1).
  int Spalte(const QModelIndex& i) const { return i.column() + 1; }
  int Zeile(const QModelIndex& i) const { return i.row() + 1 + m_kopfzeilen; }
  QModelIndex Index(int spalte, int zeile) const { return index(zeile - 1 - m_kopfzeilen, spalte - 1); }
  // Writes a cell and tells the view.
  void setText(int spalte, int zeile, const QString& text);

  // Whether a cell may be edited (beyond display-only); all when unset.
  std::function<bool(int spalte, int zeile)> Editierbar;
  // The text typed into a cell as it is to be stored; none refuses it.
  std::function<std::optional<QString>(int spalte, int zeile, const QString& text)> Eingabe;
  // A cell's background (a QColor or QBrush); none when unset or invalid.
  std::function<QVariant(int spalte, int zeile)> Hintergrund;

  int rowCount(const QModelIndex& eltern = {}) const override;
  int columnCount(const QModelIndex& eltern = {}) const override;
  QVariant data(const QModelIndex& index, int rolle) const override;
  bool setData(const QModelIndex& index, const QVariant& wert, int rolle) override;
  QVariant headerData(int abschnitt, Qt::Orientation richtung, int rolle) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
  void ZelleGeaendert(int spalte, int zeile);

private:
  TBlatt& m_blatt;
  int m_kopfzeilen = 0;
  int m_spaltenzahl = 0;
  TBlatt::TGenauigkeit m_genauigkeit = TBlatt::TGenauigkeit::Exakt;
  bool m_nurAnzeige = false;
  int m_zeilen = 0;
  int m_spalten = 0;
  int m_reserve = 0;
  int SollZeilen() const;
  int SollSpalten() const;
};
