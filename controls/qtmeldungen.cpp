#include "qtmeldungen.h"

#include "eingabedialog.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>

namespace {
const QString Programmtitel = QStringLiteral("Quendrix");
}

void TQtMeldungen::Info(const QString& text) {
  QMessageBox box(QMessageBox::Information, Programmtitel, text, QMessageBox::Ok, m_eltern);
  box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
  box.exec();
}

void TQtMeldungen::InfoMitTitel(const QString& titel, const QString& text) {
  QMessageBox box(QMessageBox::Information, titel, text, QMessageBox::Ok, m_eltern);
  box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
  box.exec();
}

bool TQtMeldungen::Frage(const QString& text) {
  QMessageBox box(QMessageBox::Question, Programmtitel, text, QMessageBox::Yes | QMessageBox::No, m_eltern);
  box.button(QMessageBox::Yes)->setText(QStringLiteral("&Ja"));
  box.button(QMessageBox::No)->setText(QStringLiteral("&Nein"));
  return box.exec() == QMessageBox::Yes;
}

int TQtMeldungen::Ganzzahleingabe(const QString& aufforderung) {
  TEingabeDialog d(TEingabeDialog::TArt::Ganzzahl, aufforderung, m_eltern);
  d.setMeldungen(this);
  d.exec();
  return d.Ergebnis();
}

std::optional<QDate> TQtMeldungen::Datumseingabe(const QString& aufforderung) {
  TEingabeDialog d(TEingabeDialog::TArt::Datum, aufforderung, m_eltern);
  d.exec();
  return d.DatumErgebnis();
}

int TQtMeldungen::Jahreseingabe(const QString& aufforderung) {
  TEingabeDialog d(TEingabeDialog::TArt::Jahr, aufforderung, m_eltern);
  d.setMeldungen(this);
  d.exec();
  return d.Ergebnis();
}

std::optional<QString> TQtMeldungen::Texteingabe(const QString& titel, const QString& aufforderung,
                                                const QString& vorgabe) {
  bool ok = false;
  const QString text = QInputDialog::getText(m_eltern, titel, aufforderung, QLineEdit::Normal, vorgabe, &ok);
  if (!ok) return std::nullopt;
  return text;
}

QString TQtMeldungen::DateiOeffnen(const QString& titel, const QString& ordner, const QString& filter) {
  return QFileDialog::getOpenFileName(m_eltern, titel, ordner, filter);
}

QString TQtMeldungen::DateiSpeichern(const QString& titel, const QString& vorschlag, const QString& filter) {
  return QFileDialog::getSaveFileName(m_eltern, titel, vorschlag, filter);
}

QString TQtMeldungen::OrdnerWaehlen(const QString& titel, const QString& ordner) {
  return QFileDialog::getExistingDirectory(m_eltern, titel, ordner);
}

void TQtMeldungen::Piep() { QApplication::beep(); }

void TQtMeldungen::WartenBeginnen(const QString& text) {
  if (m_wartenTiefe++ > 0) return;
  m_warten = std::make_unique<QWidget>(m_eltern, Qt::Dialog | Qt::FramelessWindowHint);
  auto* layout = new QVBoxLayout(m_warten.get());
  auto* label = new QLabel(text, m_warten.get());
  label->setWordWrap(true);
  label->setAlignment(Qt::AlignCenter);
  layout->addWidget(label);
  // Shown with the first progress report.
  m_balken = new QProgressBar(m_warten.get());
  m_balken->setAccessibleName(QStringLiteral("Fortschritt"));
  m_balken->hide();
  layout->addWidget(m_balken);
  m_abbrechen = new QPushButton(QStringLiteral("Abbrechen"), m_warten.get());
  m_abbrechen->setAccessibleName(QStringLiteral("Abbrechen"));
  m_abbrechen->hide();
  QObject::connect(m_abbrechen, &QPushButton::clicked, m_abbrechen, [this] {
    m_abgebrochen = true;
    m_abbrechen->setEnabled(false);
  });
  layout->addWidget(m_abbrechen, 0, Qt::AlignCenter);
  m_abgebrochen = false;
  m_warten->setAccessibleName(text);
  m_warten->setMinimumWidth(420);
  m_warten->show();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  QApplication::processEvents();
}

bool TQtMeldungen::Fortschritt(int erledigt, int gesamt, const QString& schritt, bool abbrechbar) {
  if (!m_warten) return true;
  m_balken->setRange(0, qMax(gesamt, 1));
  m_balken->setValue(qBound(0, erledigt, qMax(gesamt, 1)));
  m_balken->setFormat(QStringLiteral("%1 – %2 von %3").arg(schritt).arg(erledigt).arg(gesamt));
  m_balken->show();
  m_abbrechen->setVisible(abbrechbar);
  QApplication::processEvents();
  return !(abbrechbar && m_abgebrochen);
}

void TQtMeldungen::WartenBeenden() {
  if (m_wartenTiefe == 0 || --m_wartenTiefe > 0) return;
  QApplication::restoreOverrideCursor();
  m_warten.reset();
}
