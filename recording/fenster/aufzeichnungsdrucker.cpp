#include "aufzeichnungsdrucker.h"

#include "aufzeichnungsdruck.h"
#include "druckdaten.h"
#include "meldungen.h"
#include "pdfdruckausgabe.h"

#include <QDate>

using Aufzeichnungsdruck::TErgebnis;

TAufzeichnungsdrucker::TAufzeichnungsdrucker(QWidget* eltern, TADOModConnection& db, TMeldungen& meldungen,
                                             int betriebsNr, int jahr)
    : m_eltern(eltern), m_db(db), m_meldungen(meldungen), m_betrieb(betriebsNr), m_jahr(jahr) {}

void TAufzeichnungsdrucker::Anzeigen(TPDFDruckausgabe& d) {
  if (Zeigen)
    Zeigen(d);
  else
    d.DokumentAbschliessen();
}

void TAufzeichnungsdrucker::SchlagDrucken(std::optional<int> parzelle) {
  TPDFDruckausgabe d(m_eltern, false, m_meldungen, Dienste);
  const TErgebnis e = parzelle ? Aufzeichnungsdruck::Schlag(d, m_db, m_betrieb, m_jahr, *parzelle, QDate::currentDate())
                               : TErgebnis::Leer;
  if (e == TErgebnis::Gezeichnet)
    Anzeigen(d);
  else
    m_meldungen.Info(e == TErgebnis::Leer ? Druckdaten::KeineElemente : LesefehlerText);
}

void TAufzeichnungsdrucker::AlleDrucken() {
  TPDFDruckausgabe d(m_eltern, false, m_meldungen, Dienste);
  TErgebnis e = TErgebnis::Leer;
  {
    TWarten warten(&m_meldungen, QStringLiteral("Die Schlagblätter werden gezeichnet …"));
    e = Aufzeichnungsdruck::AlleSchlaege(d, m_db, m_betrieb, m_jahr, QDate::currentDate(), &warten);
  }
  // Fields without records are skipped silently; only a year without any is said.
  if (e == TErgebnis::Gezeichnet)
    Anzeigen(d);
  else if (e != TErgebnis::Abgebrochen)
    m_meldungen.Info(e == TErgebnis::Leer ? Druckdaten::KeineElemente : LesefehlerText);
}

void TAufzeichnungsdrucker::BilanzDrucken(bool nitratgebiet) {
  {
    TPDFDruckausgabe blatt(m_eltern, false, m_meldungen, Dienste);
    if (Aufzeichnungsdruck::Bilanz(blatt, m_db, m_betrieb, m_jahr, nitratgebiet) != TErgebnis::Gezeichnet) {
      m_meldungen.Info(BilanzfehlerText);
      return;
    }
    Anzeigen(blatt);
  }
  TPDFDruckausgabe listen(m_eltern, true, m_meldungen, Dienste);
  const TErgebnis e = Aufzeichnungsdruck::Listen(listen, m_db, m_betrieb, m_jahr, nitratgebiet);
  // Without records there are no lists: no empty document is shown.
  if (e == TErgebnis::Gezeichnet)
    Anzeigen(listen);
  else if (e == TErgebnis::Fehler)
    m_meldungen.Info(LesefehlerText);
}
