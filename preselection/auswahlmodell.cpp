#include "auswahlmodell.h"

#include <QBrush>

TAuswahlModell::TAuswahlModell(TADODataSetMod& liste, QString auswahlFeld, QObject* eltern)
    : TDataSetModel(liste, eltern), m_liste(liste), m_auswahlFeld(std::move(auswahlFeld)) {
  setNurLesen(true);  // choosing goes through double-click and Enter only
}

void TAuswahlModell::setSpalten(std::vector<TSpalte> spalten) {
  m_spalten = spalten;
  TDataSetModel::setSpalten(std::move(spalten));
}

QString TAuswahlModell::Feld(int spalte) const {
  return spalte >= 0 && spalte < int(m_spalten.size()) ? m_spalten[spalte].feld : QString();
}

QVariant TAuswahlModell::data(const QModelIndex& index, int role) const {
  if (role != Qt::BackgroundRole || m_auswahlFeld.isEmpty() || !index.isValid())
    return TDataSetModel::data(index, role);
  if (Feld(index.column()).compare(m_auswahlFeld, Qt::CaseInsensitive) == 0) return {};
  const QVariant wert = m_liste.Wert(index.row(), m_liste.FeldIndex(m_auswahlFeld));
  if (wert.isNull() || wert.toLongLong() == 0) return {};
  return QBrush(Gewaehlt);
}
