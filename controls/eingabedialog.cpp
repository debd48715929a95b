#include "eingabedialog.h"

#include "eingabeformat.h"
#include "ungebundenefelder.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TEingabeDialog::TEingabeDialog(TArt art, const QString& aufforderung, QWidget* eltern)
    : QDialog(eltern), m_art(art) {
  setWindowTitle(Titel(art));
  setAccessibleName(windowTitle());
  auto* layout = new QVBoxLayout(this);
  m_text = new QLabel(aufforderung, this);
  m_text->setWordWrap(true);
  switch (art) {
    case TArt::Ganzzahl: m_feld = new TIntEdit(this); break;
    case TArt::Jahr: m_feld = new TJahrEdit(this); break;
    case TArt::Datum:
      m_feld = new QLineEdit(this);
      // Day, month and two-digit year.
      m_feld->setInputMask(QStringLiteral("09.09.99;_"));
      break;
  }
  if (art != TArt::Datum) m_feld->setMaxLength(20);
  m_feld->setAccessibleName(aufforderung);
  m_text->setBuddy(m_feld);
  m_ok = new QPushButton(QStringLiteral("OK"), this);
  m_ok->setAccessibleName(m_ok->text());
  m_ok->setDefault(true);
  connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(m_text);
  layout->addWidget(m_feld);
  layout->addWidget(m_ok, 0, Qt::AlignHCenter);
  setMinimumWidth(320);
  m_feld->setFocus();
}

void TEingabeDialog::setMeldungen(TMeldungen* meldungen) {
  if (auto* feld = qobject_cast<TEingabeFeld*>(m_feld)) feld->setMeldungen(meldungen);
}

QString TEingabeDialog::Titel(TArt art) {
  switch (art) {
    case TArt::Ganzzahl: return QStringLiteral("Ganzzahleingabe");
    case TArt::Datum: return QStringLiteral("Datumseingabe");
    case TArt::Jahr: return QStringLiteral("Jahreseingabe");
  }
  return {};
}

int TEingabeDialog::Zahl() const {
  const QString t = m_feld->text().trimmed();
  bool ok = false;
  const int n = t.toInt(&ok);
  if (!ok) return 0;
  // "OK" may come straight from the field, before leaving it completed the year.
  return m_art == TArt::Jahr ? int(Eingabe::JahrUngebunden(n)) : n;
}

QDate TEingabeDialog::Datum() const { return Eingabe::DatumAusText(m_feld->text()); }

std::optional<QDate> TEingabeDialog::DatumErgebnis() const {
  const QDate d = Datum();
  if (result() != QDialog::Accepted || !d.isValid()) return std::nullopt;
  return d;
}
