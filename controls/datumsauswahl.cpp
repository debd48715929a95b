#include "datumsauswahl.h"

#include <QCalendarWidget>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

TDatumsAuswahl::TDatumsAuswahl(const QDate& vorgabe, QWidget* eltern) : QDialog(eltern) {
  setWindowTitle(QStringLiteral("BitteDatum auswählen"));
  setAccessibleName(windowTitle());
  auto* layout = new QVBoxLayout(this);
  m_kalender = new QCalendarWidget(this);
  m_kalender->setLocale(QLocale(QLocale::German, QLocale::Germany));
  m_kalender->setFirstDayOfWeek(Qt::Monday);
  m_kalender->setGridVisible(true);
  m_kalender->setAccessibleName(QStringLiteral("Datum"));
  m_kalender->setSelectedDate(vorgabe.isValid() ? vorgabe : QDate::currentDate());
  layout->addWidget(m_kalender);

  auto* knoepfe = new QDialogButtonBox(this);
  auto* ok = knoepfe->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  auto* abbruch = knoepfe->addButton(QStringLiteral("Abbruch"), QDialogButtonBox::RejectRole);
  ok->setAccessibleName(ok->text());
  abbruch->setAccessibleName(abbruch->text());
  ok->setDefault(true);
  connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
  // A double click or Enter on a day takes it at once.
  connect(m_kalender, &QCalendarWidget::activated, this, &QDialog::accept);
  layout->addWidget(knoepfe);
  m_kalender->setFocus();
}

QDate TDatumsAuswahl::Datum() const { return m_kalender->selectedDate(); }
