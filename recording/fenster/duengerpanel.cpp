#include "duengerpanel.h"

#include "aufzeichnung.h"
#include "dbeditmod.h"

namespace {

QString Name(int kategorie) {
  switch (kategorie) {
    case Aufzeichnung::Mineral: return QStringLiteral("Mineraldünger");
    case Aufzeichnung::Organisch: return QStringLiteral("organischer Dünger");
    default: return QStringLiteral("andere Stoffe");
  }
}

}  // namespace

TDuengerPanel::TDuengerPanel(int kategorie, TAufzeichnungsliste& liste, TADODataSetMod& stammliste,
                             TMeldungen& meldungen, int duengejahr, QWidget* eltern)
    : TDetailPanel(liste, meldungen, duengejahr, Name(kategorie), eltern) {
  m_datum = Datumsfeld(QStringLiteral("Datum Ausbringung"), true);
  Zahlfeld(QStringLiteral("Menge"), QStringLiteral("Ausbringmenge"),
           kategorie == Aufzeichnung::Mineral ? QStringLiteral("dt/ha") : QStringLiteral("m³ bzw. t/ha"), 2, true);
  Eintragsauswahl(kategorie == Aufzeichnung::Stoffe ? QStringLiteral("Stoffart") : QStringLiteral("Düngerart"),
                  stammliste);
  Kulturauswahl(QStringLiteral("gedüngte Kultur"));
  Herbsthaken();
  Knoepfe();
}

QWidget* TDuengerPanel::ErstesFeld() const { return m_datum; }
