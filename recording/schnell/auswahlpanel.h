#pragma once
// The side panel of the quick recording: one pick list of the farm year
// (fields, items of a category or crop rows of a field) with the search box
// "Suchen" below it. The window fills it by the column of the current cell;
// for other columns it is empty and narrow.

#include <QWidget>

class QLineEdit;
class QTableWidget;

class TAuswahlPanel : public QWidget {
  Q_OBJECT
public:
  explicit TAuswahlPanel(QWidget* eltern = nullptr);

  // Shows rows of texts under the column titles; `suchspalte` is the column
  // the search box looks in. Title clicks are reported, not sorted.
  void Zeigen(const QString& name, const QStringList& titel, const std::vector<QStringList>& zeilen, int suchspalte);
  // Empty and narrow.
  void Leeren();
  bool IstLeer() const;
  void setSuchspalte(int spalte) { m_suchspalte = spalte; }

  // The row shown as current; -1 when none.
  int Aktuell() const;
  void setAktuell(int zeile);
  // Puts the text into the search box, looks it up and moves the focus there.
  void Suchen(const QString& text);
  void ListeFokussieren();

  QTableWidget* Liste() const { return m_liste; }
  QLineEdit* Suchfeld() const { return m_suche; }

signals:
  // Enter or a double-click on a row.
  void Gewaehlt(int zeile);
  void TitelGeklickt(int spalte);
  // Escape in the list or the search box: back to the grid.
  void Zurueck();

protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
  void Finden(const QString& text);

  QTableWidget* m_liste;
  QLineEdit* m_suche;
  int m_suchspalte = 0;
};
