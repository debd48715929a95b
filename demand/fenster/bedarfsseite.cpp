#include "bedarfsseite.h"

#include "dataset.h"
#include "listenansicht.h"
#include "schlagdaten.h"

#include <QColor>
#include <QHelpEvent>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QToolTip>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

QString FehlendIn(const TADODataSetMod& schlaege, int zeile) {
  if (!schlaege.IstOffen() || zeile < 0 || zeile >= schlaege.Anzahl()) return {};
  return Schlagdaten::FehlendText(Schlagdaten::Fehlend(Schlagdaten::Werte(schlaege, zeile)));
}

// The tooltip of an incomplete field's row names what it lacks; other rows
// keep the grid's own tooltip (the full text of a cell).
class TFehlendTooltip : public QObject {
public:
  explicit TFehlendTooltip(TListenAnsicht* raster) : QObject(raster), m_raster(raster) {
    raster->viewport()->installEventFilter(this);
  }

protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override {
    if (ereignis->type() != QEvent::ToolTip) return QObject::eventFilter(objekt, ereignis);
    auto* hilfe = static_cast<QHelpEvent*>(ereignis);
    const QModelIndex i = m_raster->indexAt(hilfe->pos());
    const QString text = i.isValid() ? FehlendIn(m_raster->Liste(), i.row()) : QString();
    if (text.isEmpty()) return false;
    QToolTip::showText(hilfe->globalPos(), text, m_raster->viewport(), m_raster->visualRect(i));
    return true;
  }

private:
  TListenAnsicht* m_raster;
};

}  // namespace

void TBedarfsdaten::SchlaegeNeuLesen() {
  const QScopedValueRollback sperre(neuberechnung, true);
  schlaege->Aktualisieren();
}

bool TBedarfsdaten::ZurParzelle(int parzelle) {
  const int i = schlaege->FeldIndex(u"Parzelle"_s);
  for (int z = 0; z < schlaege->Anzahl(); ++z)
    if (schlaege->Wert(z, i).toInt() == parzelle) return schlaege->Gehe(z);
  return false;
}

TBedarfsseite::TBedarfsseite(TBedarfsdaten& daten, const QString& titel, QWidget* eltern)
    : QWidget(eltern), m_daten(daten), m_db(daten.db), m_meldungen(daten.meldungen), m_titel(titel) {
  setAccessibleName(titel);
}

QPushButton* TBedarfsseite::Knopf(const QString& text, const QString& hinweis, std::function<void()> aktion) {
  auto* k = new QPushButton(text);
  k->setAccessibleName(text);
  k->setAutoDefault(false);
  if (!hinweis.isEmpty()) k->setToolTip(hinweis);
  connect(k, &QPushButton::clicked, this, std::move(aktion));
  return k;
}

QLabel* TBedarfsseite::Legende(const QString& text) {
  auto* l = new QLabel(text);
  l->setAccessibleName(text);
  l->setStyleSheet(u"color: rgb(180, 0, 0)"_s);
  l->setWordWrap(true);
  return l;
}

TListenAnsicht* TBedarfsseite::SchlagRaster() {
  TADODataSetMod* schlaege = m_daten.schlaege;
  auto* v = new TListenAnsicht(*schlaege, {{u"Jahr"_s, u"Jahr"_s},
                                           {u"SchlagNr"_s, u"SchlagNr"_s},
                                           {u"SchlagName"_s, u"SchlagName"_s},
                                           {u"Feldblock"_s, u"Feldblock"_s},
                                           {u"Parzelle"_s, u"Parzelle"_s},
                                           {u"Groesse"_s, u"Größe (ha)"_s, 2},
                                           {u"Kultur"_s, u"Kultur nach DüV"_s},
                                           {u"NitratgebietText"_s, u"Nitratgebiet"_s}});
  v->setAccessibleName(u"Schläge"_s);
  new TFehlendTooltip(v);
  v->setZeilenfarbe([schlaege](int z) {
    return Schlagdaten::Unvollstaendig(Schlagdaten::Werte(*schlaege, z)) ? QVariant(QColor(243, 176, 175)) : QVariant();
  });
  return v;
}

QLabel* TBedarfsseite::FehlendZeile() {
  auto* l = Legende(QString());
  TADODataSetMod* schlaege = m_daten.schlaege;
  const auto zeigen = [l, schlaege] {
    const QString text = FehlendIn(*schlaege, schlaege->Position());
    l->setText(text);
    l->setAccessibleName(text);
    l->setVisible(!text.isEmpty());
  };
  connect(schlaege, &TADODataSetMod::Zurueckgesetzt, l, zeigen);
  connect(schlaege, &TADODataSetMod::PositionGeaendert, l, zeigen);
  connect(schlaege, &TADODataSetMod::ZustandGeaendert, l, zeigen);
  connect(schlaege, &TADODataSetMod::ZeileGeaendert, l, zeigen);
  zeigen();
  return l;
}

int TBedarfsseite::Ganz(const QVariant& v) { return int(std::lround(v.toDouble())); }

QString TBedarfsseite::Nummer(const QVariant& v) { return QString::number(qRound(v.toDouble())); }
