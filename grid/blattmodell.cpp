#include "blattmodell.h"

TBlattModell::TBlattModell(TBlatt& blatt, QObject* eltern) : QAbstractTableModel(eltern), m_blatt(blatt) { Neu(); }

int TBlattModell::SollZeilen() const {
  if (m_reserve == 0) return std::max(0, m_blatt.LetzteZeile() - m_kopfzeilen);
  const int letzte = std::max(m_blatt.LetzteZeile(), m_kopfzeilen);
  return std::min(letzte + m_reserve, TBlatt::MaxZeilen) - m_kopfzeilen;
}

int TBlattModell::SollSpalten() const { return m_spaltenzahl > 0 ? m_spaltenzahl : m_blatt.LetzteSpalte(); }

void TBlattModell::Neu() {
  beginResetModel();
  m_zeilen = SollZeilen();
  m_spalten = SollSpalten();
  endResetModel();
}

void TBlattModell::setReservezeilen(int anzahl) {
  m_reserve = std::clamp(anzahl, 0, 100);
  Auffrischen();
}

void TBlattModell::Auffrischen() {
  const int zeilen = SollZeilen();
  const int spalten = SollSpalten();
  if (spalten != m_spalten) {
    Neu();
    return;
  }
  if (zeilen > m_zeilen) {
    beginInsertRows({}, m_zeilen, zeilen - 1);
    m_zeilen = zeilen;
    endInsertRows();
  } else if (zeilen < m_zeilen) {
    beginRemoveRows({}, zeilen, m_zeilen - 1);
    m_zeilen = zeilen;
    endRemoveRows();
  }
  if (m_zeilen > 0 && m_spalten > 0) emit dataChanged(index(0, 0), index(m_zeilen - 1, m_spalten - 1));
  if (m_spalten > 0) emit headerDataChanged(Qt::Horizontal, 0, m_spalten - 1);
}

void TBlattModell::setKopfzeilen(int anzahl) {
  m_kopfzeilen = std::clamp(anzahl, 0, TBlatt::MaxZeilen);
  Neu();
}

void TBlattModell::setSpaltenzahl(int anzahl) {
  m_spaltenzahl = std::clamp(anzahl, 0, TBlatt::MaxSpalten);
  Neu();
}

void TBlattModell::setGenauigkeit(TBlatt::TGenauigkeit g) {
  m_genauigkeit = g;
  if (m_zeilen > 0 && m_spalten > 0) emit dataChanged(index(0, 0), index(m_zeilen - 1, m_spalten - 1));
}

int TBlattModell::rowCount(const QModelIndex& eltern) const { return eltern.isValid() ? 0 : m_zeilen; }
int TBlattModell::columnCount(const QModelIndex& eltern) const { return eltern.isValid() ? 0 : m_spalten; }

QVariant TBlattModell::data(const QModelIndex& index, int rolle) const {
  if (!index.isValid()) return {};
  switch (rolle) {
    case Qt::DisplayRole: return m_blatt.Anzeige(Spalte(index), Zeile(index), m_genauigkeit);
    case Qt::EditRole: return m_blatt.Text(Spalte(index), Zeile(index));
    case Qt::ToolTipRole: return m_blatt.Text(Spalte(index), Zeile(index));
    case Qt::BackgroundRole: return Hintergrund ? Hintergrund(Spalte(index), Zeile(index)) : QVariant();
    case Qt::TextAlignmentRole:
      return m_blatt.Zahl(Spalte(index), Zeile(index)) ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
  }
  return {};
}

bool TBlattModell::setData(const QModelIndex& index, const QVariant& wert, int rolle) {
  if (!index.isValid() || rolle != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
  const int s = Spalte(index);
  const int z = Zeile(index);
  QString text = wert.toString();
  if (Eingabe) {
    const auto angenommen = Eingabe(s, z, text);
    if (!angenommen) return false;
    text = *angenommen;
  }
  if (text == m_blatt.Roh(s, z)) return true;
  setText(s, z, text);
  return true;
}

void TBlattModell::setText(int spalte, int zeile, const QString& text) {
  if (!m_blatt.setText(spalte, zeile, text)) return;
  const QModelIndex i = Index(spalte, zeile);
  if (i.isValid()) emit dataChanged(i, i);
  if (zeile <= m_kopfzeilen) emit headerDataChanged(Qt::Horizontal, spalte - 1, spalte - 1);
  if (m_reserve > 0 && SollZeilen() != m_zeilen) Auffrischen();
  emit ZelleGeaendert(spalte, zeile);
}

QVariant TBlattModell::headerData(int abschnitt, Qt::Orientation richtung, int rolle) const {
  if (rolle != Qt::DisplayRole) return QAbstractTableModel::headerData(abschnitt, richtung, rolle);
  if (richtung == Qt::Vertical) return abschnitt + 1 + m_kopfzeilen;
  if (m_kopfzeilen == 0) return abschnitt + 1;
  QStringList teile;
  for (int z = 1; z <= m_kopfzeilen; ++z) teile << m_blatt.Text(abschnitt + 1, z);
  while (!teile.isEmpty() && teile.last().isEmpty()) teile.removeLast();
  return teile.join(u'\n');
}

Qt::ItemFlags TBlattModell::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (!m_nurAnzeige && (!Editierbar || Editierbar(Spalte(index), Zeile(index)))) f |= Qt::ItemIsEditable;
  return f;
}
