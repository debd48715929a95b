// The main window's actions: the buttons' captions and names, what each
// needs before it runs, and running it, through the working windows that
// are plugged in.
#include "hauptfenster.h"

#include "connection.h"
#include "dataset.h"
#include "infofenster.h"
#include "meldungen.h"
#include "taschenrechner.h"

#include <QPushButton>

namespace {

struct TVoraussetzung {
  bool orgDuenger = false;
  bool betrieb = false;
  bool jahr = false;
};

// Checked in this order: own organic fertilisers, farm, year.
TVoraussetzung Voraussetzung(THauptfenster::TAktion aktion) {
  using A = THauptfenster::TAktion;
  switch (aktion) {
    // The preselection shows year-dependent yields: without a year it would show "/ 0".
    case A::Vorauswahl: return {false, true, true};
    case A::Duengebedarfsermittlung: return {false, true, true};
    case A::Aufzeichnungspflicht: return {true, true, true};
    case A::AufzeichnungTabellarisch: return {true, false, false};
    // The export's own checks follow in its window.
    case A::Meldepflichten: return {true, true, true};
    // The field goes to the selected farm and year: without them there is no target.
    case A::Flaechentausch: return {false, true, true};
    default: return {};
  }
}

}  // namespace

QString THauptfenster::Beschriftung(TAktion aktion) {
  switch (aktion) {
    case TAktion::Vorauswahl: return QStringLiteral("Vorauswahl");
    case TAktion::Duengebedarfsermittlung: return QStringLiteral("Düngebedarfsermittlung");
    case TAktion::Aufzeichnungspflicht: return QStringLiteral("Aufzeichnungspflicht");
    case TAktion::AufzeichnungTabellarisch: return QStringLiteral("Aufzeichnung tabellarisch");
    case TAktion::Ertraege: return QStringLiteral("Erträge");
    case TAktion::Meldepflichten: return QStringLiteral("Meldepflichten");
    case TAktion::Stapelverarbeitung: return QStringLiteral("Stapelverarbeitung");
    case TAktion::ShapeSetzen: return QStringLiteral("gemerktes Shape setzen");
    case TAktion::Flaechentausch: return QStringLiteral("Flächentausch");
    case TAktion::Info: return QStringLiteral("Info");
    case TAktion::Komprimieren: return QStringLiteral("DB komprimieren und schließen");
    case TAktion::Bildschirmdruck: return QStringLiteral("Bildschirmdruck");
    case TAktion::Taschenrechner: return QStringLiteral("Taschenrechner");
    case TAktion::Beenden: return QStringLiteral("beenden");
  }
  return {};
}

bool THauptfenster::IstArbeitsfenster(TAktion aktion) {
  switch (aktion) {
    case TAktion::Vorauswahl:
    case TAktion::Duengebedarfsermittlung:
    case TAktion::Aufzeichnungspflicht:
    case TAktion::AufzeichnungTabellarisch:
    case TAktion::Ertraege:
    case TAktion::Meldepflichten:
    case TAktion::Stapelverarbeitung:
    case TAktion::ShapeSetzen:
    case TAktion::Flaechentausch:
      return true;
    default:
      return false;
  }
}

QString THauptfenster::Objektname(TAktion aktion) {
  using A = TAktion;
  switch (aktion) {
    case A::Vorauswahl: return QStringLiteral("btnVA");
    case A::Duengebedarfsermittlung: return QStringLiteral("btnDBE");
    case A::Aufzeichnungspflicht: return QStringLiteral("btnAufzeichnung");
    case A::AufzeichnungTabellarisch: return QStringLiteral("btnTabellarisch");
    case A::Ertraege: return QStringLiteral("btnErtraege");
    case A::Meldepflichten: return QStringLiteral("btnMeldepflichten");
    case A::Stapelverarbeitung: return QStringLiteral("btnStapel");
    case A::ShapeSetzen: return QStringLiteral("btnShapeSetzen");
    case A::Flaechentausch: return QStringLiteral("btnFlaechentausch");
    case A::Info: return QStringLiteral("btnInfo");
    case A::Komprimieren: return QStringLiteral("btnKomprimieren");
    case A::Bildschirmdruck: return QStringLiteral("btnBildschirmdruck");
    case A::Taschenrechner: return QStringLiteral("btnTaschenrechner");
    case A::Beenden: return QStringLiteral("btnBeenden");
  }
  return QStringLiteral("");
}

bool THauptfenster::EigeneOrgDuengerPruefen() {
  // The farm of the selected year; without a year, the selected farm.
  const qint64 betrieb =
      JahrGewaehlt() ? m_jahre->Wert(QStringLiteral("BetriebsNr")).toLongLong() : BetriebsNr();
  if (betrieb <= 0) return true;
  if (!m_db.Existiert(QStringLiteral("S_OrgDung"), QString(),
                      QStringLiteral("BetriebsNr = %1 and NH4 is null and IstEigen = 1").arg(betrieb)))
    return true;
  m_meldungen.Info(OrgDuengerUnvollstaendig);
  return false;
}

QPushButton* THauptfenster::Knopf(TAktion aktion) const {
  const auto i = m_knoepfe.find(aktion);
  return i == m_knoepfe.end() ? nullptr : i->second;
}

void THauptfenster::FensterEinsetzen(TAktion aktion, TFenster fenster) {
  if (!IstArbeitsfenster(aktion)) return;
  const bool da = bool(fenster);
  m_fenster[aktion] = std::move(fenster);
  Knopf(aktion)->setEnabled(da);
}

bool THauptfenster::Ausfuehren(TAktion aktion) {
  const TVoraussetzung v = Voraussetzung(aktion);
  if (v.orgDuenger && !EigeneOrgDuengerPruefen()) return false;
  if (v.betrieb && m_betriebe->IstLeer()) {
    m_meldungen.Info(KeinBetrieb);
    return false;
  }
  if (v.jahr && m_jahre->IstLeer()) {
    m_meldungen.Info(KeinJahr);
    return false;
  }
  switch (aktion) {
    case TAktion::Info: {
      TInfoFenster info(m_ordner, this);
      DialogZeigen(info);
      break;
    }
    case TAktion::Komprimieren:
      KomprimierenUndSchliessen();
      break;
    case TAktion::Bildschirmdruck:
      Bildschirmdruck();
      break;
    case TAktion::Taschenrechner: {
      TTaschenrechner rechner(TTaschenrechner::TArt::Kopieren, this);
      DialogZeigen(rechner);
      break;
    }
    case TAktion::Beenden:
      close();
      break;
    default:
      if (const auto i = m_fenster.find(aktion); i != m_fenster.end() && i->second) {
        // Copied: the window may plug in another one while it is open.
        const TFenster fenster = i->second;
        fenster(*this);
        // The lists show what the working window left in the database.
        ListenAktualisieren();
      }
      break;
  }
  return true;
}

int THauptfenster::DialogZeigen(QDialog& dialog) { return dialog.exec(); }
