#include "schlagblatt.h"

#include "blatt.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace Schlagblatt {

namespace {
struct TSpaltenText {
  int spalte;
  const char16_t* titel;
  const char16_t* einheit;
  const char16_t* hinweis;
};
const TSpaltenText Texte[] = {
    {Parzelle, u"Parzelle-Nr.", u"", u"Eindeutige Parzellen-Nummer aus dem Agrarantrag"},
    {Feldblock, u"FLIK_FLEK", u"", u"Feldblock-Bezeichnung aus dem Agrarantrag"},
    {SchlagNr, u"SchlagNr.", u"", u"betriebsinterne Schlagnummer"},
    {SchlagName, u"SchlagName", u"", u"betriebsinterne Bezeichnung des Schlages"},
    {Groesse, u"Schlaggröße", u"in ha", u"Nutzfläche des Schlages"},
    {Nutzung, u"NU_BEZ", u"(Kultur nach InVeKoS)", u"Kulturbezeichnung aus dem Agrarantrag"},
    {Kultur, u"Zugewiesene Kultur (DüV)", u"unten auswählen", u"Bezeichnung der Kultur nach Düngeverordnung"},
    {Vorfrucht, u"Vorfrucht", u"unten auswählen", u"Bezeichnung der Vorfrucht nach Düngeverordnung"},
    {Zwischenfrucht, u"Zwischenfrucht", u"unten auswählen", u"Bezeichnung der Zwischenfrucht nach Düngeverordnung"},
    {KeineBerechnung, u"keine Berechnung", u"x für Ja", u"für Schläge, die von der Berechnung ausgeschlossen werden sollen"},
    {Nitratgebiet, u"Nitratgebiet", u"x für Ja", u"Nitratgebiet, ausgewiesene Fläche nach § 13a DüV"},
    {Phosphatgebiet, u"Phosphatgebiet", u"x für Ja", u"Phosphatgebiet, ausgewiesene Fläche nach § 13a DüV"},
    {SonstBeschraenkung, u"Sonst. Düngebeschr.", u"x für Ja",
     u"Auswahl, wenn anderweitige Düngungsbeschränkungen als nach DüV existieren"},
    {Steingehalt, u"Steingehalt", u"in %", u"durchschnittlicher Steingehalt des Bodens, nötig für Korrektur des Nmin-Gehaltes"},
    {Bodengruppe, u"Bodengruppe", u"1 bis 6",
     u"1 - Sand, 2 - schwach lehmiger Sand, 3 - stark lehmiger Sand, 4 - sandiger/ schluffiger Lehm, 5 - toniger Lehm "
     u"bis Ton, 6 - Anmoor/ Niedermoor"},
    {Humus, u"Humus  > 4%", u"x für Ja", u"Auswahl wenn der gemessene Humusgehalt des Bodens über 4% liegt, nur für Ackerland"},
    {Durchwurzelung, u"Durchwurzelungstiefe", u"in cm",
     u"tatsächliche mögliche Durchwurzelungstiefe des Boden, Änderung nur in begründeten Fällen"},
    {Ackerzahl, u"Ackerzahl", u"", u"mittlere Ackerzahl des Schlages"},
    {PMethode, u"P-Analyseart", u"C oder D", u"C für CAL oder D für DL; EUF wird vom Programm nicht unterstützt"},
    {PDatum, u"P-Analysedatum", u"TT.MM.JJJJ", u"Datum der letzten P-Bodenuntersuchung"},
    {PGehalt, u"P-Gehalt", u"mg P/100g", u"P-Gehalt in mg je 100 g Boden"},
    {FlikVorsatz, u"FLIK-Vorsatz", u"", u""},
    {NutzungIntern, u"Nutzung", u"", u""},
    {NuCode, u"NU_CODE", u"", u""},
    {KulturNr, u"Interne-FruchtNummer", u"", u""},
    {VorfruchtNr, u"Interne-VorFruchtNummer", u"", u""},
    {ZwischenfruchtNr, u"Interne-ZwischenFruchtNummer", u"", u""},
};
const TSpaltenText* Suchen(int spalte) {
  for (const auto& t : Texte)
    if (t.spalte == spalte) return &t;
  return nullptr;
}
}  // namespace

QString Titel(int spalte) {
  const auto* t = Suchen(spalte);
  return t ? QString::fromUtf16(t->titel) : QString();
}
QString Einheit(int spalte) {
  const auto* t = Suchen(spalte);
  return t ? QString::fromUtf16(t->einheit) : QString();
}
QString Hinweis(int spalte) {
  const auto* t = Suchen(spalte);
  return t ? QString::fromUtf16(t->hinweis) : QString();
}

void KopfSchreiben(TBlatt& blatt) {
  for (const auto& t : Texte) {
    blatt.setText(t.spalte, 1, QString::fromUtf16(t.titel));
    blatt.setText(t.spalte, 2, QString::fromUtf16(t.einheit));
  }
}

bool IstParzellenzeile(const TBlatt& blatt, int zeile) {
  return zeile >= ErsteParzellenzeile && !blatt.Text(Parzelle, zeile).isEmpty();
}

bool Editierbar(const TBlatt& blatt, int spalte, int zeile) {
  if (spalte < 1 || spalte > SichtbareSpalten) return false;
  if (spalte == Parzelle || spalte == Feldblock || (spalte >= Nutzung && spalte <= Zwischenfrucht)) return false;
  return IstParzellenzeile(blatt, zeile);
}

bool IstKreuzspalte(int spalte) {
  return spalte == KeineBerechnung || spalte == Nitratgebiet || spalte == Phosphatgebiet ||
         spalte == SonstBeschraenkung || spalte == Humus;
}

bool Angekreuzt(const QString& text) {
  const QString t = text.trimmed().toUpper();
  return !t.isEmpty() && !t.startsWith(u'N');
}

std::optional<QString> Eingabe(int spalte, const QString& text) {
  static const QRegularExpression ziffern(u"^[0-9]*$"_s);
  static const QRegularExpression dezimal(u"^[0-9,]*$"_s);
  static const QRegularExpression name(u"^[A-Za-zÄÖÜäöüß $%&()\\-./:_]*$"_s);
  static const QRegularExpression datum(u"^[0-9.]*$"_s);
  const auto passt = [&](const QRegularExpression& r) -> std::optional<QString> {
    if (r.match(text).hasMatch()) return text;
    return std::nullopt;
  };
  switch (spalte) {
    case SchlagNr:
    case Steingehalt:
    case Durchwurzelung:
    case Ackerzahl: return passt(ziffern);
    case SchlagName: return passt(name);
    case Groesse:
    case PGehalt: return passt(dezimal);
    case PDatum: return passt(datum);
    case Bodengruppe:
      if (text.isEmpty() || (text.size() == 1 && text[0] >= u'1' && text[0] <= u'6')) return text;
      return std::nullopt;
    case PMethode: {
      const QString g = text.trimmed().toUpper();
      if (g.isEmpty() || g == u"C"_s || g == u"D"_s) return g;
      return std::nullopt;
    }
    default:
      if (IstKreuzspalte(spalte)) {
        if (text.trimmed().isEmpty()) return QString();
        if (text.trimmed().compare(u"x"_s, Qt::CaseInsensitive) == 0) return u"x"_s;
        return std::nullopt;
      }
      return std::nullopt;
  }
}

void Weiter(int& spalte, int& zeile) {
  if (spalte >= SichtbareSpalten) {
    spalte = SchlagNr;
    ++zeile;
  } else {
    ++spalte;
  }
}

}  // namespace Schlagblatt
