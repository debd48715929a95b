#pragma once
// The spreadsheet grid in which working windows show their work sheets:
// cells by column and row from 1, numbers with the display precision,
// heading rows held while the body scrolls, display-only mode, and hooks
// through which the window decides what may be edited and what a key does.

#include "blatt.h"

#include <QWidget>

#include <functional>
#include <optional>

class QKeyEvent;
class QTableView;
class TBlattModell;

class THF1Book : public QWidget {
  Q_OBJECT
public:
  enum THalten { cnstNichtHalten, cnstHalten };

  explicit THF1Book(QWidget* eltern = nullptr);
  ~THF1Book() override;

  TBlatt& Blatt() { return m_blatt; }
  const TBlatt& Blatt() const { return m_blatt; }
  TBlattModell* Modell() const { return m_modell; }
  QTableView* Ansicht() const { return m_ansicht; }
  // Shows the sheet again after it was filled through Blatt().
  void Aktualisieren();
  // Shows cells changed through Blatt() and keeps the current cell.
  void Auffrischen();

  // Trimmed text of a cell; empty outside the sheet.
  QString Text(int spalte, int zeile) const { return m_blatt.Text(spalte, zeile); }
  void setText(int spalte, int zeile, const QString& text);

  bool NurAnzeige() const;
  void setNurAnzeige(bool nurAnzeige);
  // cnstHalten keeps the first `zeilen` rows fixed above the body.
  void setKopfZeileHalten(THalten halten, int zeilen = 1);
  THalten KopfZeileHalten() const { return m_halten; }
  void setGenauigkeit(TBlatt::TGenauigkeit g);
  TBlatt::TGenauigkeit Genauigkeit() const;
  // Columns that can be selected; 0: up to the last used one. Rows below the
  // last used one cannot be selected.
  void setSpaltenzahl(int anzahl);
  void setSpaltenbreite(int spalte, int breite);

  // The current cell; 0, 0 when none.
  int AktuelleSpalte() const;
  int AktuelleZeile() const;
  // Moves the cursor; false when the cell cannot be selected.
  bool setPosition(int spalte, int zeile);

  // What the window allows; see TBlattModell.
  void setEditierbar(std::function<bool(int spalte, int zeile)> pruefen);
  void setEingabe(std::function<std::optional<QString>(int spalte, int zeile, const QString& text)> eingabe);
  // Sees every key in the grid (not in an open editor) first; true when it
  // handled the key.
  std::function<bool(int spalte, int zeile, QKeyEvent* taste)> Taste;

signals:
  void PositionGeaendert(int spalte, int zeile);
  void ZelleGeaendert(int spalte, int zeile);
  // The user ended typing into the cell with Enter.
  void EingabeBeendet(int spalte, int zeile);

protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
  TBlatt m_blatt;
  TBlattModell* m_modell;
  QTableView* m_ansicht;
  THalten m_halten = cnstNichtHalten;
};
