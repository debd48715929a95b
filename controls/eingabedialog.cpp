#include "eingabedialog.h"

#include <QDate>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TEingabeDialog::TEingabeDialog(TArt art, const QString& aufforderung, QWidget* eltern)
    : QDialog(eltern), m_art(art) {
  setWindowTitle(Titel(art));
  auto* layout = new QVBoxLayout(this);
  m_text = new QLabel(aufforderung, this);
  m_text->setWordWrap(true);
  m_feld = new QLineEdit(this);
  m_feld->setMaxLength(20);
  m_feld->setAccessibleName(aufforderung);
  m_text->setBuddy(m_feld);
  if (art == TArt::Datum) {
    m_feld->setInputMask(QStringLiteral("90.90.00;_"));
  } else {
    // A minus sign is allowed: "-1 für Abbruch".
    m_feld->setValidator(new QIntValidator(m_feld));
  }
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(m_text);
  layout->addWidget(m_feld);
  layout->addWidget(ok, 0, Qt::AlignHCenter);
  setMinimumWidth(320);
}

QString TEingabeDialog::Titel(TArt art) {
  switch (art) {
    case TArt::Ganzzahl:
      return QStringLiteral("Ganzzahleingabe");
    case TArt::Datum:
      return QStringLiteral("Datumseingabe");
    case TArt::Jahr:
      return QStringLiteral("Jahreseingabe");
  }
  return {};
}

int TEingabeDialog::Zahl() const {
  bool ok = false;
  const int n = m_feld->text().trimmed().toInt(&ok);
  return ok ? n : 0;
}

QDate TEingabeDialog::Datum() const {
  const QStringList teile = m_feld->text().split(QLatin1Char('.'));
  if (teile.size() != 3) return {};
  bool a = false, b = false, c = false;
  const int tag = teile[0].trimmed().toInt(&a);
  const int monat = teile[1].trimmed().toInt(&b);
  int jahr = teile[2].trimmed().toInt(&c);
  if (!a || !b || !c) return {};
  // Two-digit years: 00..49 are 2000..2049, 50..99 are 1950..1999.
  if (jahr < 100) jahr += jahr < 50 ? 2000 : 1900;
  return QDate(jahr, monat, tag);
}
