#include "bilanzanzeige.h"

#include "connection.h"
#include "zahlen.h"

namespace Bilanzanzeige {

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }

std::optional<double> Feld(const QVariant& v) {
  if (v.isNull() || !v.isValid()) return std::nullopt;
  return v.toDouble();
}

// A whole number of the header; empty stays empty.
QString Ganz(std::optional<double> w) { return w ? QString::number(Zahlen::Gerundet(*w)) : QString(); }

// An area as the fields hold it, to two decimals: 12,5 ha is not 12 ha.
QString Flaeche(std::optional<double> w) { return w ? Zahlen::Text(*w, 2) : QString(); }

}  // namespace

std::vector<TZeile> Zeilen(bool nitratgebiet) {
  const QString verfuegbar = S("davon verfügbarer Stickstoff");
  const auto beide = [](const char* nr, const char* text, const char* n, const char* p) {
    return TZeile{S(nr), S(text), S(n), S(text), S(p)};
  };
  return {
      beide("1", "Mineralische Düngemittel", "NMinDung", "PMinDung"),
      beide("2", "Wirtschaftsdünger tierischer Herkunft", "NTierDung", "PTierDung"),
      {S("3"), verfuegbar, S("NVerfN"), {}, {}},
      beide("4", "Weidehaltung", "NWeide", "PWeide"),
      beide("5", "Sonstige organische Düngemittel", "NSonstDung", "PSonstDung"),
      {S("6"), verfuegbar, S("NVerfSonstDung"), {}, {}},
      beide("7", "Bodenhilfsstoffe", "NBodenHilf", "PBodenHilf"),
      beide("8", "Kultursubstrate", "NKulturSubstrat", "PKulturSubstrat"),
      beide("9", "Pflanzenhilfsmittel", "NPflanzenHilf", "PPflanzenHilf"),
      beide("10", "Abfälle zur Beseitigung", "NAbfall", "PAbfall"),
      {S("11"), S("Stickstoffbindung durch Leguminosen"), S("NLegum"), {}, {}},
      {S("12"), S("Sonstige"), {}, S("Sonstige"), {}},
      {{}, S("Summe N-Düngung ohne Weidehaltung und Leguminosen"), S("NSummeOhneLegumWeide"),
       S("Summe P-Düngung ohne Weidehaltung"), S("PSummeOhneWeide")},
      {S("13"), S("Summe Gesamtstickstoff"), S("NSumme"), S("Summe Phosphat"), S("PSumme")},
      {S("14"),
       nitratgebiet ? S("Summe Gesamtstickstoff in kg N/ha im Nitratgebiet")
                    : S("Summe Gesamt-N in kg N/ha LF nach § 6(4) DüV (170 kg-N-Grenze)"),
       S("NSumme_ha"), {}, {}},
      {S("15"), S("Summe verfügbarer Stickstoff"), S("NSummeVerf"), {}, {}},
  };
}

QString Zahl(std::optional<double> wert) { return Zahlen::Text(wert.value_or(0.0), 1); }

std::vector<QStringList> Tabelle(const std::optional<TBilanz>& bilanz, bool nitratgebiet) {
  std::vector<QStringList> t;
  t.push_back({QString(), S("Stickstoff"), S("kg N"), S("Phosphat"), S("kg P"), S("kg P2O5")});
  const auto wert = [&bilanz](const QString& name) -> std::optional<double> {
    if (!bilanz) return std::nullopt;
    return bilanz->Wert(name);
  };
  for (const TZeile& z : Zeilen(nitratgebiet)) {
    QStringList zeile = {z.nr, z.nText, z.nWert.isEmpty() ? QString() : Zahl(wert(z.nWert)), z.pText};
    if (z.pWert.isEmpty()) {
      zeile << QString() << QString();
    } else {
      const double p = wert(z.pWert).value_or(0.0);
      zeile << Zahl(p) << Zahl(p * P2O5JeP);
    }
    t.push_back(zeile);
  }
  return t;
}

TJahreswerte Jahreswerte(TADOModConnection& db, int betriebsNr, int jahr) {
  TJahreswerte w;
  TAbfrage a(db,
             QStringLiteral("select ErstellungsdatumAufzeichnungBedarf, Betriebsgroesse, Flaeche170kg from DuengeJahr "
                            "where BetriebsNr = :B and Duengejahr = :J"),
             {{QStringLiteral("B"), betriebsNr}, {QStringLiteral("J"), jahr}});
  if (!a.Naechste()) return w;
  w.erstellt = QDate::fromString(a.Wert(0).toString().left(10), QStringLiteral("yyyy-MM-dd"));
  w.betriebsgroesse = Feld(a.Wert(1));
  w.flaeche170kg = Feld(a.Wert(2));
  return w;
}

std::vector<TKopfzeile> Kopf(bool nitratgebiet, int jahr, const std::optional<TBilanz>& bilanz,
                             const TJahreswerte& werte) {
  const auto b = [&bilanz](const char* name) -> std::optional<double> {
    if (!bilanz) return std::nullopt;
    return bilanz->Wert(QString::fromLatin1(name));
  };
  // A value with its unit; nothing at all while the value is empty.
  const auto mit = [](const QString& zahl, const char* einheit) {
    return zahl.isEmpty() ? QString() : zahl + QLatin1Char(' ') + S(einheit);
  };
  const auto pBedarf = [&] {
    if (!bilanz) return QString();
    return Ganz(b("PBedarf")) + QStringLiteral(" / ") + Ganz(b("P2O5Bedarf")) + QStringLiteral(" kg");
  };
  const QString erstellt = werte.erstellt.isValid() ? werte.erstellt.toString(QStringLiteral("dd.MM.yyyy")) : QString();
  if (!nitratgebiet) {
    return {
        {S("Jährlicher betrieblicher Nährstoffeinsatz für N und P für das Düngejahr (01.01. - 31.12.):"),
         QString::number(jahr)},
        {S("Erstellungsdatum:"), erstellt},
        {S("Gesamtbetrieblicher Düngebedarf (N):"), mit(Ganz(b("NBedarf")), "kg")},
        {S("Gesamtbetrieblicher Düngebedarf (P/P2O5):"), pBedarf()},
        {S("Landwirtschaftliche Fläche des Betriebes:"),
         mit(bilanz ? Flaeche(werte.betriebsgroesse) : QString(), "ha")},
        {S("Fläche zur Berechnung der 170-kg-Grenze:"), mit(bilanz ? Flaeche(werte.flaeche170kg) : QString(), "ha")},
    };
  }
  const auto jeHa = [&](const char* menge, const char* proHa) {
    if (!bilanz) return QString();
    return Ganz(b(menge)) + S(" kg  entspricht  ") + Ganz(b(proHa)) + S(" kg/ha");
  };
  return {
      {S("Jährlicher Nährstoffeinsatz Nitratgebiet  für N und P für das Düngejahr (01.01. - 31.12.):"),
       QString::number(jahr)},
      {S("Erstellungsdatum:"), erstellt},
      {S("Düngebedarf Nitratgebiet (N):"), mit(Ganz(b("NBedarf")), "kg")},
      {S("Düngebedarf abzüglich 20% (N):"), mit(Ganz(b("NBedarfRot")), "kg")},
      {S("Düngebedarf Nitratgebiet (P/P2O5):"), pBedarf()},
      {S("Mineral-N-Einsatz Nitratgebiet:"), jeHa("NMinDungRG", "NMinDungRG_ha")},
      {S("Gesamt-N-Einsatz Nitratgebiet:"), jeHa("NSummeRGOhneLWT", "NSummeRGOhneLWT_ha")},
      {S("Fläche Nitratgebiet nach §13a:"), mit(Flaeche(b("FlaecheRotesGebiet")), "ha")},
  };
}

bool ErstellungsdatumSetzen(TADOModConnection& db, int betriebsNr, int jahr, const QDate& datum) {
  return db.Ausfuehren(QStringLiteral("update DuengeJahr set ErstellungsdatumAufzeichnungBedarf = :D "
                                      "where BetriebsNr = :B and Duengejahr = :J"),
                       {{QStringLiteral("D"), datum.toString(QStringLiteral("yyyy-MM-dd"))},
                        {QStringLiteral("B"), betriebsNr},
                        {QStringLiteral("J"), jahr}}) &&
         db.GeaenderteZeilen() == 1;
}

}  // namespace Bilanzanzeige
