#include "bedarfskarte.h"

#include "pdfdruckausgabe.h"
#include "schlagkarte.h"

#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TBedarfskarte::TBedarfskarte(TBedarfsdaten& daten, QWidget* eltern) : TBedarfsseite(daten, u"Karte"_s, eltern) {
  auto* haupt = new QVBoxLayout(this);
  m_karte = new TSchlagkarte(m_db, m_meldungen, *m_daten.schlaege, m_daten.betrieb, m_daten.jahr);
  m_karte->druckvorschau = [this](TPDFDruckausgabe& d) {
    if (m_daten.druckvorschau)
      m_daten.druckvorschau(d);
    else
      d.DokumentAbschliessen();
  };
  haupt->addWidget(m_karte);
}

void TBedarfskarte::Zeigen(int parzelle, qint64) {
  m_daten.SchlaegeNeuLesen();
  m_daten.ZurParzelle(parzelle);
  m_karte->Aktualisieren();
}
