#include "tabellenauswahl.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TTabellenauswahl::TTabellenauswahl(const QStringList& tabellen, QWidget* eltern) : QDialog(eltern) {
  setWindowTitle(u"Bitte einzulesende Tabelle auswählen"_s);
  setAccessibleName(windowTitle());
  auto* l = new QVBoxLayout(this);
  m_liste = new QListWidget(this);
  m_liste->setAccessibleName(u"Tabellen"_s);
  m_liste->addItems(tabellen);
  if (!tabellen.isEmpty()) m_liste->setCurrentRow(0);
  l->addWidget(m_liste);
  auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  knoepfe->button(QDialogButtonBox::Ok)->setText(u"OK"_s);
  knoepfe->button(QDialogButtonBox::Ok)->setAccessibleName(u"OK"_s);
  knoepfe->button(QDialogButtonBox::Cancel)->setText(u"Abbrechen"_s);
  knoepfe->button(QDialogButtonBox::Cancel)->setAccessibleName(u"Abbrechen"_s);
  connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(knoepfe, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(m_liste, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  l->addWidget(knoepfe);
}

QString TTabellenauswahl::Tabelle() const {
  const QListWidgetItem* i = m_liste->currentItem();
  return i ? i->text() : QString();
}
