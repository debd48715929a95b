#include "ertragsraster.h"

#include "ertraege.h"
#include "eingabeformat.h"
#include "meldungen.h"
#include "ungebundenefelder.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>

#include <algorithm>

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }

bool IstErtragsspalte(int spalte) {
  return spalte == TErtragsModell::SpalteErtrag || spalte == TErtragsModell::SpalteErtragNG;
}

}  // namespace

// --- model ---------------------------------------------------------------------

TErtragsModell::TErtragsModell(Ertraege::TErtragsliste& liste, QObject* eltern)
    : TDataSetModel(liste.Liste(), eltern), m_ertraege(liste) {
  setSpalten({{S("Kultur"), Ertraege::TitelKultur()},
              {S("ErtragVorjahr"), QString()},
              {S("TatsErtrag"), QString()},
              {S("TatsErtragRG"), QString()},
              {S("IsEinzelErtrag"), Ertraege::TitelAndererErtrag()}});
  // The titles name the unit of the current row's crop, and change after a save.
  const auto titel = [this] { emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1); };
  TADODataSetMod& l = liste.Liste();
  connect(&l, &TADODataSetMod::PositionGeaendert, this, titel);
  connect(&l, &TADODataSetMod::ZustandGeaendert, this, titel);
  connect(&l, &TADODataSetMod::Zurueckgesetzt, this, titel);
}

QVariant TErtragsModell::data(const QModelIndex& index, int role) const {
  if (role == Qt::BackgroundRole && index.isValid()) {
    const bool rot = index.column() == SpalteErtrag     ? m_ertraege.ErtragAusserhalb(index.row())
                     : index.column() == SpalteErtragNG ? m_ertraege.ErtragNGAusserhalb(index.row())
                                                        : false;
    return rot ? QVariant(Ausserhalb) : QVariant();
  }
  return TDataSetModel::data(index, role);
}

QVariant TErtragsModell::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
    return TDataSetModel::headerData(section, orientation, role);
  const int jahr = m_ertraege.Jahr();
  const int gruppe = m_ertraege.Kulturgruppe();
  switch (section) {
    case SpalteVorjahr: return Ertraege::TitelVorjahr(jahr, gruppe, m_ertraege.Gespeichert());
    case SpalteErtrag: return Ertraege::TitelErtrag(jahr, gruppe);
    case SpalteErtragNG: return Ertraege::TitelErtragNG(jahr, gruppe);
    default: return TDataSetModel::headerData(section, orientation, role);
  }
}

Qt::ItemFlags TErtragsModell::flags(const QModelIndex& index) const {
  // Only the two yields are typed into; the flag flips by double-click.
  const Qt::ItemFlags fl = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  return IstErtragsspalte(index.column()) ? TDataSetModel::flags(index) | fl : fl;
}

bool TErtragsModell::setData(const QModelIndex& index, const QVariant& value, int role) {
  TADODataSetMod& l = m_ertraege.Liste();
  if (role != Qt::EditRole || !IstErtragsspalte(index.column()) || index.row() != l.Position())
    return TDataSetModel::setData(index, value, role);
  return l.setWert(index.column() == SpalteErtrag ? S("TatsErtrag") : S("TatsErtragRG"), value);
}

// --- editor --------------------------------------------------------------------

TErtragsDelegate::TErtragsDelegate(TMeldungen& meldungen, QObject* eltern)
    : QStyledItemDelegate(eltern), m_meldungen(meldungen) {}

void TErtragsDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
  QStyledItemDelegate::initStyleOption(option, index);
  if (index.data(Qt::BackgroundRole).isValid()) option->palette.setColor(QPalette::Highlight, QColor(0xC0, 0x30, 0x30));
}

namespace {

// The grid refuses too many decimals once, when the cell is taken over
// (setModelData); the editor itself lets every text go.
class TErtragsEditor : public TFloatEdit {
public:
  using TFloatEdit::TFloatEdit;

protected:
  QString Ablehnung(const QString&) const override { return {}; }
};

}  // namespace

QWidget* TErtragsDelegate::createEditor(QWidget* eltern, const QStyleOptionViewItem&, const QModelIndex& index) const {
  auto* feld = new TErtragsEditor(eltern);
  feld->setGenauigkeit(2);
  // A minus is not taken at all.
  feld->setIsUnsigned(true);
  feld->setMeldungen(&m_meldungen);
  feld->setAccessibleName(index.model()->headerData(index.column(), Qt::Horizontal).toString());
  m_editor = feld;
  return feld;
}

void TErtragsDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  auto* feld = static_cast<TFloatEdit*>(editor);
  // A field being typed into keeps its text when the row is shown again.
  if (feld->IstBetreten() && feld->isModified()) return;
  // Without the thousands dot: typed, a dot is the decimal comma.
  QLocale deutsch(QLocale::German, QLocale::Germany);
  deutsch.setNumberOptions(QLocale::OmitGroupSeparator);
  const QVariant wert = index.data(Qt::EditRole);
  feld->setText(wert.isNull() ? QString() : deutsch.toString(wert.toDouble(), 'g', 15));
}

void TErtragsDelegate::setModelData(QWidget* editor, QAbstractItemModel* modell, const QModelIndex& index) const {
  const QString text = static_cast<TFloatEdit*>(editor)->text().trimmed();
  const QVariant alt = index.data(Qt::EditRole);
  if (text.isEmpty()) {
    if (!alt.isNull()) modell->setData(index, QVariant(), Qt::EditRole);
    return;
  }
  // More decimals than the cell has are refused, never rounded away.
  if (Eingabe::Nachkommastellen(text) > 2) {
    m_meldungen.Info(Eingabe::ZuVieleNachkommastellen(2));
    return;
  }
  const std::optional<double> wert = Eingabe::Zahl(Eingabe::KommazahlNormalisieren(text, 2, false));
  if (!wert || (!alt.isNull() && alt.toDouble() == *wert)) return;
  // Pasted text can carry a sign the keys refuse.
  if (*wert < 0) {
    m_meldungen.Info(Ertraege::NegativMeldung);
    return;
  }
  modell->setData(index, *wert, Qt::EditRole);
}

// --- grid ----------------------------------------------------------------------

TErtragsRaster::TErtragsRaster(Ertraege::TErtragsliste& liste, TMeldungen& meldungen, QWidget* eltern)
    : QTableView(eltern),
      m_liste(liste),
      m_modell(new TErtragsModell(liste, this)),
      m_delegate(new TErtragsDelegate(meldungen, this)) {
  setModel(m_modell);
  setItemDelegate(m_delegate);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setSelectionMode(QAbstractItemView::SingleSelection);
  // A double-click flips the flag; typing or F2 opens a yield cell.
  setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed);
  setSortingEnabled(false);
  setTabKeyNavigation(false);
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  setTextElideMode(Qt::ElideRight);
  // The long titles of the yields wrap in narrow columns; the crop names
  // take the room that is left.
  QHeaderView* kopf = horizontalHeader();
  kopf->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
  kopf->setSectionResizeMode(QHeaderView::Interactive);
  kopf->setSectionResizeMode(TErtragsModell::SpalteKultur, QHeaderView::Stretch);
  kopf->setStretchLastSection(false);
  kopf->setHighlightSections(false);
  // The nitrate-area yield exists from 2021 on.
  setColumnHidden(TErtragsModell::SpalteErtragNG, !Ertraege::MitNitratgebiet(liste.Jahr()));

  TADODataSetMod& l = liste.Liste();
  connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& aktuell) { ZeileGewaehlt(aktuell); });
  connect(&l, &TADODataSetMod::PositionGeaendert, this, [this](int zeile) { ZeileZeigen(zeile); });
  connect(m_modell, &QAbstractItemModel::modelReset, this, [this] {
    SpaltenSetzen();
    ErtragWaehlen();
  });
  connect(m_modell, &QAbstractItemModel::dataChanged, this, [this] { SpaltenSetzen(); });
  connect(m_modell, &QAbstractItemModel::headerDataChanged, this, [this] { SpaltenSetzen(); });
  SpaltenSetzen();
}

void TErtragsRaster::SpaltenSetzen() {
  QHeaderView* kopf = horizontalHeader();
  const QFontMetrics fm = kopf->fontMetrics();
  const int rand = 2 * style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, kopf) + 4;
  int hoehe = fm.height();
  for (int spalte = TErtragsModell::SpalteVorjahr; spalte <= TErtragsModell::SpalteAnderer; ++spalte) {
    // Wide enough for the numbers and for the longest word of the title.
    const QString titel = m_modell->headerData(spalte, Qt::Horizontal, Qt::DisplayRole).toString();
    int breite = std::max(fontMetrics().averageCharWidth() * 18, sizeHintForColumn(spalte));
    for (const QString& wort : titel.split(u' ')) breite = std::max(breite, fm.horizontalAdvance(wort) + rand);
    kopf->resizeSection(spalte, breite);
    if (isColumnHidden(spalte)) continue;
    // The title wrapped at the width the header draws it in.
    hoehe = std::max(hoehe, fm.boundingRect(QRect(0, 0, breite - rand, 1000), Qt::TextWordWrap, titel).height());
  }
  kopf->setMinimumHeight(hoehe + rand);
  // The rows move down at once, not at the next layout pass.
  updateGeometries();
}

void TErtragsRaster::ErtragWaehlen() { ZeileZeigen(m_liste.Liste().Position()); }

void TErtragsRaster::ZeileZeigen(int zeile) {
  if (m_folgt) return;
  m_folgt = true;
  if (zeile < 0 || zeile >= m_modell->rowCount()) {
    selectionModel()->clear();
  } else {
    const int spalte = IstErtragsspalte(currentIndex().column()) ? currentIndex().column() : int(TErtragsModell::SpalteErtrag);
    const QModelIndex i = m_modell->index(zeile, spalte);
    selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
    scrollTo(i);
  }
  m_folgt = false;
}

void TErtragsRaster::ZeileGewaehlt(const QModelIndex& aktuell) {
  if (m_folgt || !aktuell.isValid()) return;
  // A row that cannot be saved keeps the grid where it is.
  if (!m_liste.Liste().Gehe(aktuell.row())) {
    m_folgt = true;
    const QModelIndex zurueck = m_modell->index(m_liste.Liste().Position(), aktuell.column());
    selectionModel()->setCurrentIndex(zurueck, QItemSelectionModel::ClearAndSelect);
    m_folgt = false;
  }
}

void TErtragsRaster::Weiter() {
  TADODataSetMod& l = m_liste.Liste();
  if (!l.IstOffen() || l.Position() < 0 || !l.SpeichernWennGeaendert()) return;
  if (l.Position() + 1 < l.Anzahl()) l.Naechster();
}

void TErtragsRaster::EingabeUebernehmen() {
  QWidget* editor = m_delegate->Editor();
  if (state() != EditingState || !editor) return;
  commitData(editor);
  QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void TErtragsRaster::EingabeVerwerfen() {
  if (QWidget* editor = m_delegate->Editor(); state() == EditingState && editor)
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
  m_liste.Verwerfen();
}

void TErtragsRaster::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hinweis) {
  // Tab goes from the yield to the nitrate-area yield of the row; beyond it
  // Tab works as Enter. The grid's own walk would open the next row's cell
  // before the row it leaves is saved.
  if (hinweis == QAbstractItemDelegate::EditNextItem || hinweis == QAbstractItemDelegate::EditPreviousItem) {
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    const bool vor = hinweis == QAbstractItemDelegate::EditNextItem;
    const int ziel = vor ? TErtragsModell::SpalteErtragNG : TErtragsModell::SpalteErtrag;
    if (currentIndex().isValid() && currentIndex().column() != ziel && !isColumnHidden(ziel)) {
      setCurrentIndex(currentIndex().siblingAtColumn(ziel));
      edit(currentIndex());
    } else if (vor) {
      Weiter();
    }
    return;
  }
  QTableView::closeEditor(editor, hinweis == QAbstractItemDelegate::SubmitModelCache ? QAbstractItemDelegate::NoHint
                                                                                     : hinweis);
  if (hinweis == QAbstractItemDelegate::SubmitModelCache) Weiter();
  // Escape in a cell takes back the row's input, as Escape outside does.
  if (hinweis == QAbstractItemDelegate::RevertModelCache) m_liste.Verwerfen();
}

void TErtragsRaster::keyPressEvent(QKeyEvent* ereignis) {
  const int taste = ereignis->key();
  if (taste == Qt::Key_Return || taste == Qt::Key_Enter) {
    // Never on to the dialog's buttons.
    ereignis->accept();
    if (state() != EditingState) Weiter();
    return;
  }
  if (taste == Qt::Key_Escape && m_liste.Liste().Zustand() == TADODataSetMod::TZustand::Bearbeiten) {
    ereignis->accept();
    m_liste.Verwerfen();
    return;
  }
  QTableView::keyPressEvent(ereignis);
}

void TErtragsRaster::mouseDoubleClickEvent(QMouseEvent* ereignis) {
  const QModelIndex i = indexAt(ereignis->position().toPoint());
  ereignis->accept();
  // Only the row the first click made current: a row that could not be left stays.
  if (i.isValid() && i.row() == m_liste.Liste().Position()) m_liste.EinzelErtragUmschalten();
}

