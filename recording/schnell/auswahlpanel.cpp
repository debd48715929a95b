#include "auswahlpanel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TAuswahlPanel::TAuswahlPanel(QWidget* eltern) : QWidget(eltern) {
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(0, 0, 0, 0);
  m_liste = new QTableWidget(this);
  m_liste->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_liste->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_liste->setSelectionMode(QAbstractItemView::SingleSelection);
  m_liste->verticalHeader()->hide();
  m_liste->verticalHeader()->setDefaultSectionSize(m_liste->fontMetrics().height() + 6);
  m_liste->horizontalHeader()->setSectionsClickable(true);
  m_liste->installEventFilter(this);
  l->addWidget(m_liste, 1);
  auto* beschriftung = new QLabel(u"Suchen"_s, this);
  m_suche = new QLineEdit(this);
  m_suche->setAccessibleName(u"Suchen"_s);
  beschriftung->setBuddy(m_suche);
  m_suche->installEventFilter(this);
  l->addWidget(beschriftung);
  l->addWidget(m_suche);
  connect(m_suche, &QLineEdit::textEdited, this, &TAuswahlPanel::Finden);
  connect(m_liste, &QTableWidget::cellDoubleClicked, this, [this](int zeile, int) { emit Gewaehlt(zeile); });
  connect(m_liste->horizontalHeader(), &QHeaderView::sectionClicked, this, &TAuswahlPanel::TitelGeklickt);
  Leeren();
}

void TAuswahlPanel::Zeigen(const QString& name, const QStringList& titel, const std::vector<QStringList>& zeilen,
                          int suchspalte) {
  m_liste->setAccessibleName(name);
  m_liste->clear();
  m_liste->setColumnCount(int(titel.size()));
  m_liste->setHorizontalHeaderLabels(titel);
  m_liste->setRowCount(int(zeilen.size()));
  for (int z = 0; z < int(zeilen.size()); ++z)
    for (int s = 0; s < int(titel.size()) && s < int(zeilen[size_t(z)].size()); ++s)
      m_liste->setItem(z, s, new QTableWidgetItem(zeilen[size_t(z)][s]));
  m_liste->resizeColumnsToContents();
  m_liste->horizontalHeader()->setStretchLastSection(true);
  m_suchspalte = suchspalte;
  m_suche->clear();
  m_liste->show();
  m_suche->setEnabled(true);
  setMinimumWidth(310);
  setMaximumWidth(310);
  if (!zeilen.empty()) setAktuell(0);
}

void TAuswahlPanel::Leeren() {
  m_liste->clear();
  m_liste->setRowCount(0);
  m_liste->setColumnCount(0);
  m_liste->setAccessibleName(u"Auswahlliste"_s);
  m_suche->clear();
  m_suche->setEnabled(false);
  setMinimumWidth(40);
  setMaximumWidth(40);
}

bool TAuswahlPanel::IstLeer() const { return m_liste->columnCount() == 0; }

int TAuswahlPanel::Aktuell() const { return m_liste->currentRow(); }

void TAuswahlPanel::setAktuell(int zeile) {
  if (zeile < 0 || zeile >= m_liste->rowCount()) return;
  m_liste->setCurrentCell(zeile, std::max(0, m_suchspalte));
  m_liste->selectRow(zeile);
  m_liste->scrollToItem(m_liste->item(zeile, 0));
}

void TAuswahlPanel::Suchen(const QString& text) {
  if (IstLeer()) return;
  m_suche->setFocus();
  m_suche->setText(text);
  Finden(text);
}

void TAuswahlPanel::ListeFokussieren() {
  if (IstLeer()) return;
  m_liste->setFocus();
  if (Aktuell() < 0) setAktuell(0);
}

void TAuswahlPanel::Finden(const QString& text) {
  // The first row that starts with the text, else the first that holds it.
  const QString t = text.trimmed();
  if (t.isEmpty()) return;
  for (bool anfang : {true, false})
    for (int z = 0; z < m_liste->rowCount(); ++z) {
      const QTableWidgetItem* i = m_liste->item(z, m_suchspalte);
      const QString wert = i ? i->text() : QString();
      if (anfang ? wert.startsWith(t, Qt::CaseInsensitive) : wert.contains(t, Qt::CaseInsensitive)) {
        setAktuell(z);
        return;
      }
    }
}

bool TAuswahlPanel::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (ereignis->type() != QEvent::KeyPress) return QWidget::eventFilter(objekt, ereignis);
  const auto* t = static_cast<QKeyEvent*>(ereignis);
  const bool enter = t->key() == Qt::Key_Return || t->key() == Qt::Key_Enter;
  if (t->key() == Qt::Key_Escape) {
    emit Zurueck();
    return true;
  }
  if (objekt == m_suche && enter) {
    ListeFokussieren();
    return true;
  }
  if (objekt == m_liste && enter) {
    if (Aktuell() >= 0) emit Gewaehlt(Aktuell());
    return true;
  }
  return QWidget::eventFilter(objekt, ereignis);
}
