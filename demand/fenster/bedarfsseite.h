#pragma once
// The pages of the window "Düngebedarfsermittlung": what they share (the farm
// year, the field list and the crop rows of its current field) and their
// base, with the steps the window asks of every page. Messages go through the
// message service, so the pages run headless in tests.

#include <QWidget>

#include <functional>
#include <optional>
#include <utility>

class QLabel;
class QPushButton;
class TADODataSetMod;
class TADOModConnection;
class TListenAnsicht;
class TMeldungen;
class TPDFDruckausgabe;

// What the pages share; the window owns it and the two lists.
struct TBedarfsdaten {
  TADOModConnection& db;
  TMeldungen& meldungen;
  const int betrieb;  // Betriebe.ID
  const int jahr;     // the fertiliser year
  TADODataSetMod* schlaege = nullptr;  // the fields of the farm year
  TADODataSetMod* kulturen = nullptr;  // the crop rows of the current field, this year and the next
  // Set while the program re-reads or moves the field list: the crop rows
  // then stay as they are instead of following the field.
  bool neuberechnung = false;
  // How a printed document is shown; empty: the preview (tests take the document).
  std::function<void(TPDFDruckausgabe&)> druckvorschau = {};

  // Re-reads the field list with neuberechnung held.
  void SchlaegeNeuLesen();
  // Moves the field list to the field with this parcel; false when there is none.
  bool ZurParzelle(int parzelle);
};

class TBedarfsseite : public QWidget {
  Q_OBJECT
public:
  // The title is the tab's text and the page's accessible name.
  TBedarfsseite(TBedarfsdaten& daten, const QString& titel, QWidget* eltern = nullptr);

  const QString& Titel() const { return m_titel; }

  // When the window opens, before the field list is read (choice lists).
  virtual void Oeffnen() {}
  // Saves a pending edit of the page's own list; false when that fails.
  virtual bool Speichern() { return true; }
  // When the window closes: the page's own list is closed.
  virtual void Schliessen() {}
  // The page became the current one: a page with a list of its own opens it
  // at the crop row (or else the field) the window was on. The field and crop
  // pages work on the window's lists and need nothing here.
  virtual void Zeigen(int /*parzelle*/, qint64 /*anbauId*/) {}
  // Where a page with a list of its own stands (parcel and crop row ID),
  // taken by the window when the page is left; none for the other pages.
  virtual std::optional<std::pair<int, qint64>> Stelle() const { return std::nullopt; }

signals:
  // The page wants to be shown, with the steps of a page change.
  void ZeigenVerlangt();
  // The page wants to be shown without those steps and with every list
  // saved, before it adds a row.
  void AnlegenVerlangt();
  // Every list of the window is to be saved.
  void SpeichernVerlangt();

protected:
  QPushButton* Knopf(const QString& text, const QString& hinweis, std::function<void()> aktion);
  // A red note under a grid.
  static QLabel* Legende(const QString& text);
  // The grid of the fields, on the current field of the list; incomplete
  // fields are red and name their missing inputs as tooltip. The field and
  // the crop page show it.
  TListenAnsicht* SchlagRaster();
  // The line under that grid naming the missing inputs of the current field;
  // hidden while it has them all.
  QLabel* FehlendZeile();
  // A value rounded to a whole number, and as text.
  static int Ganz(const QVariant& v);
  static QString Nummer(const QVariant& v);

  TBedarfsdaten& m_daten;
  TADOModConnection& m_db;
  TMeldungen& m_meldungen;

private:
  QString m_titel;
};
