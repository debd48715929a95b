#include "herbstduengung.h"

#include "dataset.h"

#include <QDate>

#include <array>
#include <cstddef>

using namespace Qt::StringLiterals;

namespace Herbstduengung {

int Duengebedarf(int fruchtart, int vorfrucht, bool langjaehrigOrganisch) {
  if (vorfrucht != AlleAnderenVorfruechte) return 0;
  struct TWerte {
    int ohne;  // without long-term organic fertilisation
    int mit;
  };
  // HD_FA 1 to 8; 9 "Sonstige (kein N-Düngebedarf)" has no demand.
  static constexpr std::array<TWerte, 8> tabelle{{
      {60, 40},  // catch crops with up to 75 % legumes
      {60, 0},   // winter rape after cereals
      {60, 60},  // winter rape after other previous crops
      {60, 40},  // field forage after cereals, sown by 31.08.
      {60, 60},  // field forage after other crops, sown by 31.08.
      {40, 0},   // field forage after cereals, sown 01.09. to 15.09.
      {40, 40},  // field forage after other crops, sown 01.09. to 15.09.
      {40, 0},   // winter barley after cereals
  }};
  if (fruchtart < 1 || fruchtart > int(tabelle.size())) return 0;
  const TWerte& w = tabelle[std::size_t(fruchtart - 1)];
  return langjaehrigOrganisch ? w.mit : w.ohne;
}

QString Ergebnisspalte(TSeite seite) { return seite == TSeite::Nitratgebiet ? u"HD_DNG_RG"_s : u"HD_DNG"_s; }

namespace {

// A field moved into a nitrate area may still hold winter barley, which the
// nitrate-area page shows as no crop: it must not get the barley's demand there.
bool NichtAngeboten(TSeite seite, int fruchtart) { return seite == TSeite::Nitratgebiet && fruchtart == Wintergerste; }

}  // namespace

int Duengebedarf(TSeite seite, int fruchtart, int vorfrucht, bool langjaehrigOrganisch) {
  return NichtAngeboten(seite, fruchtart) ? 0 : Duengebedarf(fruchtart, vorfrucht, langjaehrigOrganisch);
}

TSchlagauswahl Schlagauswahl(TSeite seite, int jahr) {
  if (jahr <= 2020) return seite == TSeite::Herbst ? TSchlagauswahl::Alle : TSchlagauswahl::Keine;
  return seite == TSeite::Herbst ? TSchlagauswahl::OhneNitratgebiet : TSchlagauswahl::Nitratgebiet;
}

bool SeiteVerfuegbar(TSeite seite, int jahr) { return Schlagauswahl(seite, jahr) != TSchlagauswahl::Keine; }

void ListeDesJahres(TADODataSetMod& liste, int betrieb, int jahr, TSeite seite) {
  const TSchlagauswahl auswahl = Schlagauswahl(seite, jahr);
  QString sql = u"SELECT * FROM Schlag WHERE BetriebsNr = :B AND Jahr = :J"_s;
  if (auswahl == TSchlagauswahl::Keine)
    sql += u" AND 0"_s;
  else if (auswahl != TSchlagauswahl::Alle)
    sql += u" AND BewirtschaftungsAuflagen = :A"_s;
  liste.setCommandText(sql + u" ORDER BY Parzelle"_s);
  liste.ParameterSetzen(u"B"_s, betrieb);
  liste.ParameterSetzen(u"J"_s, jahr);
  if (auswahl != TSchlagauswahl::Keine && auswahl != TSchlagauswahl::Alle) liste.ParameterSetzen(u"A"_s, int(auswahl));
  liste.BerechnetesFeld(u"NitratgebietText"_s, [](const TADODataSetMod& l, int z) {
    return QVariant(l.Wert(z, l.FeldIndex(u"BewirtschaftungsAuflagen"_s)).toInt() == 2 ? u"Ja"_s : u"Nein"_s);
  });
  // Fields are made on the field page only.
  liste.setImplizitAnfuegen(false);
}

TWahl Fruchtarten(TSeite seite) {
  if (seite == TSeite::Nitratgebiet)
    return {{u"Zwischenfrüchte mit Leguminosenanteil von 0 bis 75%; Aussaat bis 15.09. mit Futternutzung"_s, 1},
            {u"Winterraps nach Getreide; Aussaat bis 15.09., Nmin <= 45 kg/ha"_s, 2},
            {u"Winterraps nach anderen Vorfrüchten als Getreide; Aussaat bis 15.09., Nmin <= 45 kg/ha"_s, 3},
            {u"Feldfutter nach Getreide bei Aussaat bis 31.08."_s, 4},
            {u"Feldfutter nach allen anderen Vorfrüchten als Getreide bei Aussaat bis 31.08."_s, 5},
            {u"Feldfutter nach Getreide bei Aussaat ab 01.09. bis 15.09."_s, 6},
            {u"Feldfutter nach allen anderen Vorfrüchten als Getreide bei Aussaat ab 01.09. bis 15.09."_s, 7},
            {u"Sonstige (kein N-Düngebedarf)"_s, 9}};
  return {{u"Zwischenfrüchte mit Leguminosenanteil von 0 bis 75%; Aussaat bis 15.09."_s, 1},
          {u"Winterraps nach Getreide; Aussaat bis 15.09."_s, 2},
          {u"Winterraps nach anderen Vorfrüchten als Getreide; Aussaat bis 15.09."_s, 3},
          {u"Feldfutter nach Getreide bei Aussaat bis 31.08."_s, 4},
          {u"Feldfutter nach allen anderen Vorfrüchten als Getreide bei Aussaat bis 31.08."_s, 5},
          {u"Feldfutter nach Getreide bei Aussaat ab 01.09. bis 15.09."_s, 6},
          {u"Feldfutter nach allen anderen Vorfrüchten als Getreide bei Aussaat ab 01.09. bis 15.09."_s, 7},
          {u"Wintergerste nach Getreide; Aussaat bis 01.10."_s, 8},
          {u"Sonstige (kein N-Düngebedarf)"_s, 9}};
}

TWahl Vorfruechte() {
  return {{u"Winterraps"_s, 1},
          {u"Mais"_s, 2},
          {u"Zuckerrübe bei Blattverbleib auf Feld"_s, 3},
          {u"Feldgemüse"_s, 4},
          {u"Leguminosen und Gemenge > 50% Leguminosen"_s, 5},
          {u"Feldgras bei Standzeit > 12 Monate"_s, 6},
          {u"mehrjährige Brache"_s, 7},
          {u"alle anderen Vorfrüchte"_s, AlleAnderenVorfruechte}};
}

namespace {

bool HatSchlag(const TADODataSetMod& schlag) { return schlag.IstOffen() && schlag.Position() >= 0; }

bool DatumGueltig(const QVariant& datum) {
  return !datum.isNull() && QDate::fromString(datum.toString().left(10), Qt::ISODate).isValid();
}

}  // namespace

TBerechnung Berechnen(TADODataSetMod& schlag, TSeite seite) {
  if (!HatSchlag(schlag)) return TBerechnung::KeinSchlag;
  if (!DatumGueltig(schlag.Wert(u"BerechnungsDatumHD"_s))) return TBerechnung::DatumFehlt;
  const int bedarf = Duengebedarf(seite, schlag.Wert(u"HD_FA"_s).toInt(), schlag.Wert(u"HD_VF"_s).toInt(),
                                  schlag.Wert(u"HD_LOD"_s).toInt() != 0);
  if (!schlag.setWert(Ergebnisspalte(seite), bedarf)) return TBerechnung::NichtGespeichert;
  return schlag.Speichern() ? TBerechnung::Berechnet : TBerechnung::NichtGespeichert;
}

void EingabeGeaendert(TADODataSetMod& schlag) {
  const auto z = schlag.Zustand();
  if (z != TADODataSetMod::TZustand::Bearbeiten && z != TADODataSetMod::TZustand::Einfuegen) return;
  schlag.setWert(u"HD_DNG"_s, QVariant());
  schlag.setWert(u"HD_DNG_RG"_s, QVariant());
}

bool AngabenLoeschen(TADODataSetMod& schlag) {
  if (!HatSchlag(schlag)) return false;
  for (const QString& f : {u"HD_VF"_s, u"HD_FA"_s, u"HD_LOD"_s}) schlag.setWert(f, 0);
  for (const QString& f : {u"HD_DNG"_s, u"HD_DNG_RG"_s, u"BerechnungsDatumHD"_s}) schlag.setWert(f, QVariant());
  return schlag.Speichern();
}

std::optional<TAngaben> Merken(const TADODataSetMod& schlag, TSeite seite) {
  if (!HatSchlag(schlag)) return std::nullopt;
  return TAngaben{schlag.Wert(u"HD_FA"_s), schlag.Wert(u"HD_VF"_s), schlag.Wert(u"HD_LOD"_s),
                  schlag.Wert(Ergebnisspalte(seite)), schlag.Wert(u"BerechnungsDatumHD"_s)};
}

bool Setzen(TADODataSetMod& schlag, const TAngaben& angaben, TSeite seite) {
  if (!HatSchlag(schlag)) return false;
  QVariant ergebnis = angaben.ergebnis;
  if (!ergebnis.isNull() && NichtAngeboten(seite, angaben.fruchtart.toInt())) ergebnis = 0;
  schlag.setWert(u"HD_FA"_s, angaben.fruchtart);
  schlag.setWert(u"HD_VF"_s, angaben.vorfrucht);
  schlag.setWert(u"HD_LOD"_s, angaben.organisch);
  schlag.setWert(Ergebnisspalte(seite), ergebnis);
  schlag.setWert(u"BerechnungsDatumHD"_s, angaben.datum);
  return schlag.Speichern();
}

}  // namespace Herbstduengung
