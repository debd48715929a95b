#pragma once
// The pages "Betrieblicher Nährstoffeinsatz Gesamtbetrieb" and "…
// Nitratgebiet": the header lines of the statement, its table of 17 rows and
// the records it leaves out. Filled afresh each time the page is shown.

#include "bilanz.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QLineEdit;
class QTableWidget;
class TADOModConnection;
class TMeldungen;

class TBilanzSeite : public QWidget {
  Q_OBJECT
public:
  TBilanzSeite(TADOModConnection& db, TMeldungen& meldungen, int betriebsNr, int jahr, bool nitratgebiet,
               QWidget* eltern = nullptr);

  static QString Titel(bool nitratgebiet);

  // Computes the statement and shows it.
  void Fuellen();
  QTableWidget* Tabelle() const { return m_tabelle; }
  // The value shown beside a header caption; empty when there is no such line.
  QString Kopfwert(const QString& titel) const;
  QLabel* Auslassungen() const { return m_auslassungen; }
  // "heute" beside "Erstellungsdatum:", or a double-click on it: today
  // becomes the creation date.
  void ErstellungsdatumSetzen();
  // "ausdrucken"; set by the window.
  std::function<void()> Ausdrucken;

protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
  void KopfZeigen();

  TADOModConnection& m_db;
  TMeldungen& m_meldungen;
  const int m_betrieb;
  const int m_jahr;
  const bool m_nitratgebiet;
  // Caption and value; the value is a read-only line so that screen
  // readers get the figure as its value and the caption as its name.
  std::vector<std::pair<QLabel*, QLineEdit*>> m_kopf;
  QTableWidget* m_tabelle;
  QLabel* m_auslassungen;
  bool m_gefuellt = false;
  std::optional<TBilanz> m_bilanz;  // of the last filling
};
