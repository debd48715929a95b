#include "hf1book.h"

#include "blattmodell.h"

#include <QAbstractItemDelegate>
#include <QHeaderView>
#include <QKeyEvent>
#include <QTableView>
#include <QVBoxLayout>

THF1Book::THF1Book(QWidget* eltern) : QWidget(eltern) {
  m_modell = new TBlattModell(m_blatt, this);
  m_ansicht = new QTableView(this);
  m_ansicht->setModel(m_modell);
  m_ansicht->setSelectionMode(QAbstractItemView::SingleSelection);
  m_ansicht->setSelectionBehavior(QAbstractItemView::SelectItems);
  m_ansicht->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::AnyKeyPressed);
  m_ansicht->verticalHeader()->setDefaultSectionSize(m_ansicht->fontMetrics().height() + 6);
  m_ansicht->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
  m_ansicht->installEventFilter(this);
  setFocusProxy(m_ansicht);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_ansicht);
  connect(m_modell, &TBlattModell::ZelleGeaendert, this, &THF1Book::ZelleGeaendert);
  // Enter in an editor submits; queued, so the view has closed the editor first.
  connect(
      m_ansicht->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
      [this](QWidget*, QAbstractItemDelegate::EndEditHint hinweis) {
        if (hinweis == QAbstractItemDelegate::SubmitModelCache && AktuelleSpalte() > 0)
          emit EingabeBeendet(AktuelleSpalte(), AktuelleZeile());
      },
      Qt::QueuedConnection);
  connect(m_ansicht->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& i) {
            if (i.isValid()) emit PositionGeaendert(m_modell->Spalte(i), m_modell->Zeile(i));
          });
}

// View and model go before the sheet they read: QWidget would delete them
// only after the members, and a closing view still asks for its headers.
THF1Book::~THF1Book() {
  delete m_ansicht;
  delete m_modell;
}

void THF1Book::Aktualisieren() {
  m_modell->Neu();
  m_ansicht->horizontalHeader()->resizeSections(QHeaderView::ResizeToContents);
}

void THF1Book::Auffrischen() { m_modell->Auffrischen(); }

void THF1Book::setText(int spalte, int zeile, const QString& text) {
  const int vorher = m_modell->rowCount();
  m_modell->setText(spalte, zeile, text);
  if (zeile - m_modell->Kopfzeilen() > vorher) m_modell->Neu();
}

bool THF1Book::NurAnzeige() const { return m_modell->NurAnzeige(); }
void THF1Book::setNurAnzeige(bool nurAnzeige) { m_modell->setNurAnzeige(nurAnzeige); }

void THF1Book::setKopfZeileHalten(THalten halten, int zeilen) {
  m_halten = halten;
  m_modell->setKopfzeilen(halten == cnstHalten ? zeilen : 0);
}

void THF1Book::setGenauigkeit(TBlatt::TGenauigkeit g) { m_modell->setGenauigkeit(g); }
TBlatt::TGenauigkeit THF1Book::Genauigkeit() const { return m_modell->Genauigkeit(); }
void THF1Book::setSpaltenzahl(int anzahl) { m_modell->setSpaltenzahl(anzahl); }
void THF1Book::setSpaltenbreite(int spalte, int breite) { m_ansicht->setColumnWidth(spalte - 1, breite); }

int THF1Book::AktuelleSpalte() const {
  const QModelIndex i = m_ansicht->currentIndex();
  return i.isValid() ? m_modell->Spalte(i) : 0;
}
int THF1Book::AktuelleZeile() const {
  const QModelIndex i = m_ansicht->currentIndex();
  return i.isValid() ? m_modell->Zeile(i) : 0;
}

bool THF1Book::setPosition(int spalte, int zeile) {
  const QModelIndex i = m_modell->Index(spalte, zeile);
  if (!i.isValid()) return false;
  m_ansicht->setCurrentIndex(i);
  m_ansicht->scrollTo(i);
  return true;
}

void THF1Book::setEditierbar(std::function<bool(int, int)> pruefen) { m_modell->Editierbar = std::move(pruefen); }
void THF1Book::setEingabe(std::function<std::optional<QString>(int, int, const QString&)> eingabe) {
  m_modell->Eingabe = std::move(eingabe);
}

bool THF1Book::eventFilter(QObject* objekt, QEvent* ereignis) {
  // Keys an open editor ignores pass up to the view; they are the editor's.
  if (objekt == m_ansicht && ereignis->type() == QEvent::KeyPress && Taste && m_ansicht->hasFocus()) {
    const int s = AktuelleSpalte();
    const int z = AktuelleZeile();
    if (s > 0 && Taste(s, z, static_cast<QKeyEvent*>(ereignis))) return true;
  }
  return QWidget::eventFilter(objekt, ereignis);
}
