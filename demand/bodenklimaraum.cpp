#include "bodenklimaraum.h"

namespace Bodenklimaraum {

const QString Erklaerung = QStringLiteral(
    "Bodenklimaraum (BKR): dreistellige Nummer des Boden-Klima-Raums (101 bis 199), in dem die Fläche liegt. "
    "Sie steht bei den Angaben zu Ihren Schlägen im Agrarantrag (elektronischer Flächenantrag) und in der "
    "Karte der Boden-Klima-Räume des Julius Kühn-Instituts. Der Wert des Betriebes wird für neue Schläge übernommen.");

const QString Ungueltig = QStringLiteral(
    "Der Bodenklimaraum ist eine dreistellige Nummer von 101 bis 199. Sie finden ihn bei den Angaben zu Ihren "
    "Schlägen im Agrarantrag (elektronischer Flächenantrag).");

bool Gueltig(const QVariant& nr) {
  if (nr.isNull() || !nr.isValid()) return false;
  bool ok = false;
  const double d = nr.toDouble(&ok);
  return ok && d == int(d) && d >= Kleinste && d <= Groesste;
}

}  // namespace Bodenklimaraum
