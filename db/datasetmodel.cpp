#include "datasetmodel.h"

#include "zahlen.h"

#include <QDate>
#include <QDateTime>

TDataSetModel::TDataSetModel(TADODataSetMod& liste, QObject* parent) : QAbstractTableModel(parent), m_liste(liste) {
  connect(&m_liste, &TADODataSetMod::Zurueckgesetzt, this, [this] {
    beginResetModel();
    endResetModel();
  });
  connect(&m_liste, &TADODataSetMod::ZeileGeaendert, this, [this](int zeile) {
    if (zeile >= 0) emit dataChanged(index(zeile, 0), index(zeile, columnCount() - 1));
  });
  // Inserted and removed rows are rare and single: a reset keeps it simple.
  connect(&m_liste, &TADODataSetMod::ZeileEingefuegt, this, [this] {
    beginResetModel();
    endResetModel();
  });
  connect(&m_liste, &TADODataSetMod::ZeileEntfernt, this, [this] {
    beginResetModel();
    endResetModel();
  });
}

void TDataSetModel::setSpalten(std::vector<TSpalte> spalten) {
  beginResetModel();
  m_spalten = std::move(spalten);
  endResetModel();
}

int TDataSetModel::FeldIndex(int spalte) const {
  if (m_spalten.empty()) return spalte;
  if (spalte < 0 || spalte >= int(m_spalten.size())) return -1;
  return m_liste.FeldIndex(m_spalten[spalte].feld);
}

int TDataSetModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_liste.Anzahl(); }

int TDataSetModel::columnCount(const QModelIndex& parent) const {
  if (parent.isValid()) return 0;
  return m_spalten.empty() ? int(m_liste.Felder().size()) : int(m_spalten.size());
}

bool TDataSetModel::IstWahrheitswert(int spalte) const {
  const int f = FeldIndex(spalte);
  return f >= 0 && m_liste.Felder()[f].typ.compare(QStringLiteral("BOOLEAN"), Qt::CaseInsensitive) == 0;
}

QString TDataSetModel::Anzeige(const QVariant& wert, const QString& typ, int nachkommastellen) {
  if (wert.isNull()) return {};
  static const QLocale deutsch(QLocale::German, QLocale::Germany);
  const QString t = typ.toUpper();
  if (t == QLatin1String("DATETIME")) {
    const QString s = wert.toString();
    if (s.length() > 10) {
      const QDateTime dt = QDateTime::fromString(s, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
      if (dt.isValid()) return dt.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
    }
    const QDate d = QDate::fromString(s.left(10), QStringLiteral("yyyy-MM-dd"));
    return d.isValid() ? d.toString(QStringLiteral("dd.MM.yyyy")) : s;
  }
  if (wert.typeId() == QMetaType::Double) {
    if (nachkommastellen >= 0) return Zahlen::Text(wert.toDouble(), nachkommastellen);
    return deutsch.toString(wert.toDouble(), 'g', 15);
  }
  if (wert.typeId() == QMetaType::LongLong) return QString::number(wert.toLongLong());
  return wert.toString();
}

QVariant TDataSetModel::data(const QModelIndex& index, int role) const {
  const int f = FeldIndex(index.column());
  if (!index.isValid() || f < 0) return {};
  if (role == Qt::BackgroundRole) return m_zeilenfarbe ? m_zeilenfarbe(index.row()) : QVariant();
  const QVariant wert = m_liste.Wert(index.row(), f);
  if (IstWahrheitswert(index.column())) {
    if (role == Qt::CheckStateRole) return wert.toLongLong() != 0 ? Qt::Checked : Qt::Unchecked;
    return role == Qt::EditRole ? wert : QVariant();
  }
  if (role == Qt::EditRole) return wert;
  // The full text as tooltip: narrow columns elide long names.
  if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
    const int stellen = m_spalten.empty() ? -1 : m_spalten[index.column()].nachkommastellen;
    return Anzeige(wert, m_liste.Felder()[f].typ, stellen);
  }
  if (role == Qt::TextAlignmentRole && (wert.typeId() == QMetaType::Double || wert.typeId() == QMetaType::LongLong))
    return int(Qt::AlignRight | Qt::AlignVCenter);
  return {};
}

QVariant TDataSetModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole && role != Qt::ToolTipRole) return {};
  if (orientation == Qt::Vertical) return section + 1;
  if (!m_spalten.empty()) return section < int(m_spalten.size()) ? m_spalten[section].titel : QVariant();
  return section < int(m_liste.Felder().size()) ? m_liste.Felder()[section].name : QVariant();
}

Qt::ItemFlags TDataSetModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags fl = QAbstractTableModel::flags(index);
  const int f = FeldIndex(index.column());
  if (m_nurLesen || f < 0 || !m_liste.Gespeichert(m_liste.Felder()[f])) return fl;
  return fl | (IstWahrheitswert(index.column()) ? Qt::ItemIsUserCheckable : Qt::ItemIsEditable);
}

bool TDataSetModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  const int f = FeldIndex(index.column());
  if (m_nurLesen || f < 0 || !m_liste.Gehe(index.row())) return false;
  const QString name = m_liste.Felder()[f].name;
  if (role == Qt::CheckStateRole) return m_liste.setWert(name, value.toInt() == Qt::Checked ? 1 : 0);
  if (role == Qt::EditRole) return m_liste.setWert(name, value);
  return false;
}

void TDataSetModel::sort(int column, Qt::SortOrder) {
  const int f = FeldIndex(column);
  if (f >= 0) m_liste.setSortField(m_liste.Felder()[f].name);
}
