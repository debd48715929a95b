#include "arbeitsfenster.h"

#include "aufzeichnungsfenster.h"
#include "bildschirmdruck.h"
#include "dataset.h"
#include "duengebedarfsfenster.h"
#include "ertragsfenster.h"
#include "flaechentauschfenster.h"
#include "hauptfenster.h"
#include "meldepflichten.h"
#include "stapelfenster.h"
#include "schlagimport.h"
#include "schlagimportfenster.h"
#include "schnellerfassungsfenster.h"
#include "hilfsfenster.h"
#include "vorauswahl.h"

#include <QDate>
#include <QDir>
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
  // The field import, from the first-year choices and from "gemerktes Shape
  // setzen" (then only a remembered sheet); at its end the yield window lists
  // every crop group.
  auto shapeImport = [&db, &meldungen, vorauswahl](THauptfenster& h, int betrieb, int jahr, bool kulturenLesen,
                                                   bool shapeEinlesen) {
    TSchlagimportFenster::TAufruf aufruf;
    aufruf.betrieb = betrieb;
    aufruf.euNummer = Schlagimport::EuNummer(db, betrieb);
    aufruf.jahr = jahr;
    aufruf.kulturenLesen = kulturenLesen;
    aufruf.shapeEinlesen = shapeEinlesen;
    aufruf.ordner = h.Ordner();
    TSchlagimportFenster fenster(db, meldungen, aufruf, &h);
    fenster.Bildschirmdruck = [&meldungen](QWidget* w) {
      TQtBildschirmdrucker drucker;
      FensterDrucken(w, drucker, meldungen);
    };
    fenster.VorauswahlOeffnen = [&fenster, betrieb, jahr, vorauswahl] { vorauswahl(&fenster, betrieb, jahr, QString()); };
    fenster.HauptfensterAktualisieren = [&h] { h.ListenAktualisieren(); };
    fenster.ErtraegeOeffnen = [&db, &meldungen, &fenster, betrieb, jahr] {
      TErtragsfenster ertraege(db, meldungen, betrieb, jahr, true, &fenster);
      return ertraege.Ausfuehren() == QDialog::Accepted;
    };
    fenster.Ausfuehren();
  };
  hauptfenster.ShapeImportZeigen = [&hauptfenster, shapeImport](int betrieb, int jahr, bool kulturenLesen) {
    shapeImport(hauptfenster, betrieb, jahr, kulturenLesen, true);
  };
  hauptfenster.FensterEinsetzen(THauptfenster::TAktion::ShapeSetzen, [shapeImport](THauptfenster& h) {
    shapeImport(h, int(h.BetriebsNr()), h.Jahr(), true, false);
  });
  hauptfenster.FensterEinsetzen(THauptfenster::TAktion::Vorauswahl, [vorauswahl](THauptfenster& h) {
    vorauswahl(&h, int(h.BetriebsNr()), h.Jahr(), QString());
  });
  // The working windows with screen print and preselection, shown modally.
  auto zeigen = [&meldungen, vorauswahl](auto& fenster, THauptfenster& h) {
    fenster.Bildschirmdruck = [&meldungen](QWidget* w) {
      TQtBildschirmdrucker drucker;
      FensterDrucken(w, drucker, meldungen);
    };
    fenster.VorauswahlOeffnen = [&fenster, &h, vorauswahl] {
      vorauswahl(&fenster, int(h.BetriebsNr()), h.Jahr(), QString());
    };
    fenster.Ausfuehren();
  };
  hauptfenster.FensterEinsetzen(THauptfenster::TAktion::Duengebedarfsermittlung,
                                [&db, &meldungen, zeigen](THauptfenster& h) {
                                  TDuengebedarfsfenster fenster(db, meldungen, int(h.BetriebsNr()), h.Jahr(), &h);
                                  zeigen(fenster, h);
                                });
  hauptfenster.FensterEinsetzen(THauptfenster::TAktion::Aufzeichnungspflicht,
                                [&db, &meldungen, zeigen](THauptfenster& h) {
                                  TAufzeichnungsfenster fenster(db, meldungen, int(h.BetriebsNr()), h.Jahr(), &h);
                                  zeigen(fenster, h);
                                });
  hauptfenster.FensterEinsetzen(THauptfenster::TAktion::AufzeichnungTabellarisch,
                                [&db, &meldungen, zeigen](THauptfenster& h) {
                                  TSchnellerfassungsfenster fenster(db, meldungen, Eingabe::StandardHilfsfenster(),
                                                                    int(h.BetriebsNr()), h.Jahr(), &h);
                                  zeigen(fenster, h);
                                });
  hauptfenster.FensterEinsetzen(THauptfenster::TAktion::Ertraege, [&db, &meldungen](THauptfenster& h) {
    TErtragsfenster fenster(db, meldungen, int(h.BetriebsNr()), h.Jahr(), false, &h);
    fenster.Ausfuehren();
  });
  hauptfenster.FensterEinsetzen(THauptfenster::TAktion::Stapelverarbeitung, [&db, &meldungen](THauptfenster& h) {
    TStapelfenster fenster(db, meldungen, h.JahrGewaehlt() ? h.Jahr() : QDate::currentDate().year(),
                           QDir(h.Ordner()).filePath(QStringLiteral("Stapel")), &h);
    fenster.BetriebOeffnen = [&fenster, &h](int betrieb, int jahr) {
      fenster.accept();
      h.Auswaehlen(betrieb, jahr);
    };
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
