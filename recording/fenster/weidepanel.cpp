#include "weidepanel.h"

#include "dbauswahl.h"
#include "dbeditmod.h"

TWeidePanel::TWeidePanel(TAufzeichnungsliste& liste, TADODataSetMod& tiere, TMeldungen& meldungen, int duengejahr,
                         QWidget* eltern)
    : TDetailPanel(liste, meldungen, duengejahr, QStringLiteral("Weidehaltung"), eltern) {
  m_tiergruppe = Eintragsauswahl(QStringLiteral("Tiergruppe"), tiere);
  Zahlfeld(QStringLiteral("WeideTiere"), QStringLiteral("Anzahl Tiere"), QStringLiteral("(Stück)"), 1, true,
           QStringLiteral("Anzahl Tiere\nbzw. Stallplätze"));
  Zahlfeld(QStringLiteral("WeideTage"), QStringLiteral("Tage (24 h)"), QStringLiteral("(d)"), 0, true);
  Kulturauswahl(QStringLiteral("beweidete Kultur"));
  // The grazing end may lie where the user likes while he moves on.
  Datumsfeld(QStringLiteral("Ende der Weidehaltung"), false);
  Knoepfe();
}
