#include "schlagkarte.h"

#include "dataset.h"
#include "kartendruck.h"
#include "kartenflaeche.h"
#include "kartenseite.h"
#include "listenansicht.h"
#include "meldungen.h"
#include "schlagdaten.h"

#include <QHBoxLayout>

using namespace Qt::StringLiterals;

TSchlagkarte::TSchlagkarte(TADOModConnection& db, TMeldungen& meldungen, TADODataSetMod& schlaege, int betrieb,
                           int jahr, QWidget* eltern)
    : QWidget(eltern), m_db(db), m_meldungen(meldungen), m_schlaege(schlaege), m_betrieb(betrieb), m_jahr(jahr) {
  auto* haupt = new QHBoxLayout(this);
  m_liste = new TListenAnsicht(schlaege, {{u"SchlagNr"_s, u"SchlagNr"_s},
                                          {u"SchlagName"_s, u"SchlagName"_s},
                                          {u"Parzelle"_s, u"Parzelle"_s},
                                          {u"Groesse"_s, u"Größe (ha)"_s, 2}});
  m_liste->setAccessibleName(u"Schläge"_s);
  // The same red as the lists of the demand window.
  m_liste->setZeilenfarbe([&schlaege](int z) {
    return Schlagdaten::Unvollstaendig(Schlagdaten::Werte(schlaege, z)) ? QVariant(QColor(243, 176, 175)) : QVariant();
  });
  m_liste->setMaximumWidth(360);
  haupt->addWidget(m_liste);
  m_seite = new TKartenseite;
  haupt->addWidget(m_seite, 1);
  connect(&schlaege, &TADODataSetMod::PositionGeaendert, this, &TSchlagkarte::ListeGefolgt);
  connect(m_seite, &TKartenseite::Gewaehlt, this, &TSchlagkarte::AufKarteGewaehlt);
  m_seite->Drucken = [this] {
    Kartendruck::Drucken(this, m_meldungen, m_seite->Karte(), druckdatum.isValid() ? druckdatum : QDate::currentDate(),
                         druckvorschau);
  };
}

void TSchlagkarte::Aktualisieren() {
  m_seite->Laden(Karte::Laden(m_db, m_betrieb, m_jahr));
  ListeGefolgt();
  m_seite->Flaeche()->setFocus();
}

void TSchlagkarte::ListeGefolgt() {
  m_seite->Waehlen(m_schlaege.Position() >= 0 ? m_schlaege.Wert(u"Parzelle"_s).toInt() : 0);
}

void TSchlagkarte::AufKarteGewaehlt(int parzelle) {
  const int spalte = m_schlaege.FeldIndex(u"Parzelle"_s);
  for (int z = 0; z < m_schlaege.Anzahl(); ++z)
    if (m_schlaege.Wert(z, spalte).toInt() == parzelle) {
      m_schlaege.Gehe(z);
      return;
    }
}
