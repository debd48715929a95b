#include "arbeitsfenster.h"

#include "aufzeichnungsfenster.h"
#include "bildschirmdruck.h"
#include "dataset.h"
#include "duengebedarfsfenster.h"
#include "ertragsfenster.h"
#include "flaechentauschfenster.h"
#include "hauptfenster.h"
#include "meldepflichten.h"
#include "vorauswahl.h"

#include <QDate>
#include <QWidget>

void ArbeitsfensterEinsetzen(THauptfenster& hauptfenster, TADOModConnection& db, TMeldungen& meldungen) {
  auto vorauswahl = [&db, &meldungen](QWidget* eltern, int betrieb, int jahr, const QString& anweisung) {
    TVorauswahl fenster(db, meldungen, betrieb, jahr, eltern);
    if (!anweisung.isEmpty()) fenster.setAnweisung(anweisung);
    fenster.Ausfuehren();
  };
  hauptfenster.VorauswahlZeigen = [&hauptfenster, vorauswahl](int betrieb, int jahr, const QString& anweisung) {
    vorauswahl(&hauptfenster, betrieb, jahr, anweisung);
  };
  hauptfenster.FensterEinsetzen(THauptfenster::TAktion::Vorauswahl, [vorauswahl](THauptfenster& h) {
    vorauswahl(&h, int(h.BetriebsNr()), h.Jahr(), QString());
  });
  hauptfenster.FensterEinsetzen(THauptfenster::TAktion::Duengebedarfsermittlung,
                                [&db, &meldungen, vorauswahl](THauptfenster& h) {
                                  TDuengebedarfsfenster fenster(db, meldungen, int(h.BetriebsNr()), h.Jahr(), &h);
                                  fenster.Bildschirmdruck = [&meldungen](QWidget* w) {
                                    TQtBildschirmdrucker drucker;
                                    FensterDrucken(w, drucker, meldungen);
                                  };
                                  fenster.VorauswahlOeffnen = [&fenster, &h, vorauswahl] {
                                    vorauswahl(&fenster, int(h.BetriebsNr()), h.Jahr(), QString());
                                  };
                                  fenster.Ausfuehren();
                                });
  hauptfenster.FensterEinsetzen(THauptfenster::TAktion::Aufzeichnungspflicht,
                                [&db, &meldungen, vorauswahl](THauptfenster& h) {
                                  TAufzeichnungsfenster fenster(db, meldungen, int(h.BetriebsNr()), h.Jahr(), &h);
                                  fenster.Bildschirmdruck = [&meldungen](QWidget* w) {
                                    TQtBildschirmdrucker drucker;
                                    FensterDrucken(w, drucker, meldungen);
                                  };
                                  fenster.VorauswahlOeffnen = [&fenster, &h, vorauswahl] {
                                    vorauswahl(&fenster, int(h.BetriebsNr()), h.Jahr(), QString());
                                  };
                                  fenster.Ausfuehren();
                                });
  hauptfenster.FensterEinsetzen(THauptfenster::TAktion::Ertraege, [&db, &meldungen](THauptfenster& h) {
    TErtragsfenster fenster(db, meldungen, int(h.BetriebsNr()), h.Jahr(), false, &h);
    fenster.Ausfuehren();
  });
  hauptfenster.FensterEinsetzen(THauptfenster::TAktion::Meldepflichten, [&db, &meldungen](THauptfenster& h) {
    Meldepflichten::Ausfuehren(db, meldungen, int(h.BetriebsNr()), h.Jahr(), h.Ordner(), QDate::currentDate());
  });
  hauptfenster.FensterEinsetzen(THauptfenster::TAktion::Flaechentausch, [&db, &meldungen](THauptfenster& h) {
    TFlaechentauschFenster fenster(db, meldungen, h.BetriebsNr(),
                                   h.Betriebe().Wert(QStringLiteral("Betriebsname")).toString(), h.Jahr(), &h);
    fenster.Ausfuehren();
  });
}
