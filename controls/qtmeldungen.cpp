#include "qtmeldungen.h"

#include "eingabedialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {
const QString Programmtitel = QStringLiteral("Quendrix");
}

void TQtMeldungen::Info(const QString& text) {
  QMessageBox box(QMessageBox::Information, Programmtitel, text, QMessageBox::Ok, m_eltern);
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
