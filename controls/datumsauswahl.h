#pragma once
// The date picker "BitteDatum auswählen" that "?" opens in a date field.

#include <QDate>
#include <QDialog>

class QCalendarWidget;

class TDatumsAuswahl : public QDialog {
  Q_OBJECT
public:
  // Starts on the given date, on today when it is invalid.
  explicit TDatumsAuswahl(const QDate& vorgabe, QWidget* eltern = nullptr);
  QDate Datum() const;
  QCalendarWidget* Kalender() const { return m_kalender; }

private:
  QCalendarWidget* m_kalender;
};
