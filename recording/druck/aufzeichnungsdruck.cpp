#include "aufzeichnungsdruck.h"

#include "aufzeichnungsblatt.h"
#include "druckdaten.h"
#include "meldungen.h"
#include "pdfdruckausgabe.h"
#include "pruefung.h"

namespace Aufzeichnungsdruck {

using Auswertung::TReihenfolge;

TErgebnis Schlag(TPDFDruckausgabe& d, TADOModConnection& db, int betrieb, int jahr, int parzelle, const QDate& heute) {
  const std::optional<Druckdaten::TSchlag> schlag = Druckdaten::Schlag(db, betrieb, jahr, parzelle);
  if (!schlag) return TErgebnis::Leer;
  bool ok = false;
  const auto saetze = Druckdaten::SchlagSaetze(Auswertung::Saetze(db, betrieb, jahr, TReihenfolge::NachSchlag, &ok),
                                               parzelle);
  if (!ok) return TErgebnis::Fehler;
  if (saetze.empty()) return TErgebnis::Leer;
  d.DokumentBeginnen(false);
  Aufzeichnungsblatt::SchlagZeichnen(d, Druckdaten::Betriebskopf(db, betrieb, jahr), *schlag, saetze, jahr, heute);
  return TErgebnis::Gezeichnet;
}

TErgebnis AlleSchlaege(TPDFDruckausgabe& d, TADOModConnection& db, int betrieb, int jahr, const QDate& heute,
                       TWarten* warten) {
  bool ok = false;
  const auto alle = Auswertung::Saetze(db, betrieb, jahr, TReihenfolge::NachSchlag, &ok);
  if (!ok) return TErgebnis::Fehler;
  const Druckdaten::TBetriebskopf kopf = Druckdaten::Betriebskopf(db, betrieb, jahr);
  bool gezeichnet = false;
  const auto schlaege = Druckdaten::Schlaege(db, betrieb, jahr);
  for (size_t i = 0; i < schlaege.size(); ++i) {
    const Druckdaten::TSchlag& schlag = schlaege[i];
    // Drawn in memory only: stopping here shows and writes nothing.
    if (warten && !warten->Schritt(int(i), int(schlaege.size()), QStringLiteral("Schlag %1").arg(schlag.parzelle), true))
      return TErgebnis::Abgebrochen;
    const auto saetze = Druckdaten::SchlagSaetze(alle, schlag.parzelle);
    if (saetze.empty()) continue;
    if (gezeichnet)
      d.NeueSeite();
    else
      d.DokumentBeginnen(false);
    Aufzeichnungsblatt::SchlagZeichnen(d, kopf, schlag, saetze, jahr, heute);
    gezeichnet = true;
  }
  return gezeichnet ? TErgebnis::Gezeichnet : TErgebnis::Leer;
}

TErgebnis Bilanz(TPDFDruckausgabe& d, TADOModConnection& db, int betrieb, int jahr, bool nitratgebiet) {
  const std::optional<TBilanz> bilanz = Druckdaten::Bilanz(db, betrieb, jahr, nitratgebiet);
  if (!bilanz) return TErgebnis::Fehler;
  d.DokumentBeginnen(false);
  Aufzeichnungsblatt::BilanzZeichnen(d, Druckdaten::Betriebskopf(db, betrieb, jahr), *bilanz, jahr, nitratgebiet,
                                     Pruefung::Druckzeilen(db, betrieb, jahr));
  return TErgebnis::Gezeichnet;
}

TErgebnis Listen(TPDFDruckausgabe& d, TADOModConnection& db, int betrieb, int jahr, bool nitratgebiet) {
  bool ok = false;
  const auto saetze = Auswertung::Saetze(db, betrieb, jahr, TReihenfolge::NachKategorie, &ok);
  if (!ok) return TErgebnis::Fehler;
  const auto abschnitte = Druckdaten::Abschnitte(saetze, nitratgebiet);
  if (abschnitte.empty()) return TErgebnis::Leer;
  d.DokumentBeginnen(true);
  Aufzeichnungsblatt::ListenZeichnen(d, Druckdaten::Betriebskopf(db, betrieb, jahr), abschnitte, jahr, nitratgebiet);
  return TErgebnis::Gezeichnet;
}

}  // namespace Aufzeichnungsdruck
