#include "hilfsfenster.h"

#include "datumsauswahl.h"
#include "qtmeldungen.h"
#include "taschenrechner.h"

double TQtHilfsfenster::Taschenrechner(QWidget* eltern) {
  TTaschenrechner rechner(TTaschenrechner::TArt::Einfuegen, eltern);
  return rechner.exec() == QDialog::Accepted ? rechner.Wert() : 0.0;
}

std::optional<QDate> TQtHilfsfenster::DatumAuswaehlen(QWidget* eltern, const QDate& vorgabe) {
  TDatumsAuswahl auswahl(vorgabe, eltern);
  if (auswahl.exec() != QDialog::Accepted) return std::nullopt;
  return auswahl.Datum();
}

namespace Eingabe {

THilfsfenster& StandardHilfsfenster() {
  static TQtHilfsfenster fenster;
  return fenster;
}

TMeldungen& StandardMeldungen() {
  static TQtMeldungen meldungen;
  return meldungen;
}

}  // namespace Eingabe
