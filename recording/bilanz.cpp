#include "bilanz.h"

#include "connection.h"
#include "meldungen.h"
#include "skript.h"
#include "zahlen.h"

#include <array>
#include <initializer_list>
#include <utility>

namespace {

using TWert = TBilanz::TWert;

struct TName {
  const char* name;
  TWert TBilanz::*wert;
};

// Order of the statement table; the two aliases point at the same values.
constexpr std::array<TName, 45> Namensliste{{
    {"NMinDung", &TBilanz::NMinDung},
    {"NTierDung", &TBilanz::NTierDung},
    {"NVerfN", &TBilanz::NVerfN},
    {"NVerfNTier", &TBilanz::NVerfN},
    {"NWeide", &TBilanz::NWeide},
    {"NSonstDung", &TBilanz::NSonstDung},
    {"NVerfSonstDung", &TBilanz::NVerfSonstDung},
    {"NPflanzenHilf", &TBilanz::NPflanzenHilf},
    {"NKulturSubstrat", &TBilanz::NKulturSubstrat},
    {"NBodenHilf", &TBilanz::NBodenHilf},
    {"NAbfall", &TBilanz::NAbfall},
    {"NPflanzenHilfVerf", &TBilanz::NPflanzenHilfVerf},
    {"NKulturSubstratVerf", &TBilanz::NKulturSubstratVerf},
    {"NBodenHilfVerf", &TBilanz::NBodenHilfVerf},
    {"NAbfallVerf", &TBilanz::NAbfallVerf},
    {"NLegum", &TBilanz::NLegum},
    {"NSummeOhneLegumWeide", &TBilanz::NSummeOhneLegumWeide},
    {"NSummeOhneLegumWeideVerf", &TBilanz::NSummeOhneLegumWeideVerf},
    {"NSumme_Verf", &TBilanz::NSummeOhneLegumWeideVerf},
    {"NSumme", &TBilanz::NSumme},
    {"NSummeVerf", &TBilanz::NSummeVerf},
    {"NSumme_ha", &TBilanz::NSumme_ha},
    {"NSumme_haVerf", &TBilanz::NSumme_haVerf},
    {"PMinDung", &TBilanz::PMinDung},
    {"PTierDung", &TBilanz::PTierDung},
    {"PWeide", &TBilanz::PWeide},
    {"PSonstDung", &TBilanz::PSonstDung},
    {"PPflanzenHilf", &TBilanz::PPflanzenHilf},
    {"PKulturSubstrat", &TBilanz::PKulturSubstrat},
    {"PBodenHilf", &TBilanz::PBodenHilf},
    {"PAbfall", &TBilanz::PAbfall},
    {"PSummeOhneWeide", &TBilanz::PSummeOhneWeide},
    {"PSumme", &TBilanz::PSumme},
    {"NBedarf", &TBilanz::NBedarf},
    {"NBedarfHD", &TBilanz::NBedarfHD},
    {"NBedarfRot", &TBilanz::NBedarfRot},
    {"PBedarf", &TBilanz::PBedarf},
    {"P2O5Bedarf", &TBilanz::P2O5Bedarf},
    {"NMinDungRG", &TBilanz::NMinDungRG},
    {"NSummeRGOhneLWT", &TBilanz::NSummeRGOhneLWT},
    {"FlaecheRotesGebiet", &TBilanz::FlaecheRotesGebiet},
    {"NMinDungRG_ha", &TBilanz::NMinDungRG_ha},
    {"NSummeRGOhneLWT_ha", &TBilanz::NSummeRGOhneLWT_ha},
    // Column names of the export files that differ from the statement names.
    {"NVerfTierDung", &TBilanz::NVerfN},
    {"NBedarfHDRot", &TBilanz::NBedarfHD},
}};

double Nz(TWert w) { return w.value_or(0.0); }

// A sum of parts is empty only when every part is; otherwise an empty part
// counts as 0, so that one part without rows does not wipe out the others.
TWert Summe(std::initializer_list<TWert> teile) {
  TWert s;
  for (const TWert& t : teile)
    if (t) s = Nz(s) + *t;
  return s;
}

// Per ha of an area; 0 when the area is 0.
double JeHa(double menge, double flaeche) { return flaeche != 0.0 ? menge / flaeche : 0.0; }

// The sums of the year by column name.
class TSummen {
public:
  explicit TSummen(const TAbfrage& a) : m_a(a) {}
  TWert operator()(const char* spalte) const {
    const QVariant v = m_a.Wert(QLatin1String(spalte));
    if (v.isNull()) return std::nullopt;
    return v.toDouble();
  }

private:
  const TAbfrage& m_a;
};

std::optional<TBilanz> Berechnen(TADOModConnection& db, int betriebsNr, int jahr, bool nitratgebiet) {
  TAbfrage a(db, Skript::Text(QStringLiteral("bilanz/Summen")),
             {{QStringLiteral("BetriebsNr"), betriebsNr},
              {QStringLiteral("Jahr"), jahr},
              {QStringLiteral("NurNitratgebiet"), nitratgebiet ? 1 : 0}});
  if (!a.Naechste()) {
    // A failure must not look like a year without crop rows.
    if (!a.Ok() && db.Meldungen()) db.Meldungen()->Info(Bilanz::Rechenfehler);
    return std::nullopt;
  }
  const TSummen s(a);
  TBilanz b;
  b.NMinDung = s("NMinDung");
  b.NTierDung = s("NTierDung");
  b.NVerfN = s("NVerfN");
  b.NSonstDung = s("NSonstDung");
  b.NVerfSonstDung = s("NVerfSonstDung");
  b.NPflanzenHilf = s("NPflanzenHilf");
  b.NKulturSubstrat = s("NKulturSubstrat");
  b.NBodenHilf = s("NBodenHilf");
  b.NAbfall = s("NAbfall");
  b.NPflanzenHilfVerf = s("NPflanzenHilfVerf");
  b.NKulturSubstratVerf = s("NKulturSubstratVerf");
  b.NBodenHilfVerf = s("NBodenHilfVerf");
  b.NAbfallVerf = s("NAbfallVerf");
  b.NLegum = s("NLegum");
  b.NSummeOhneLegumWeideVerf = s("NSummeOhneLegumWeideVerf");
  b.NSummeVerf = s("NSummeVerf");
  b.NSumme = Nz(s("NOhneLegum")) + Nz(s("NLegum"));

  b.PMinDung = s("PMinDung");
  b.PTierDung = s("PTierDung");
  b.PWeide = s("PWeide");
  b.PSonstDung = s("PSonstDung");
  b.PPflanzenHilf = s("PPflanzenHilf");
  b.PKulturSubstrat = s("PKulturSubstrat");
  b.PBodenHilf = s("PBodenHilf");
  b.PAbfall = s("PAbfall");
  b.PSummeOhneWeide = s("PSummeOhneWeide");
  b.PSumme = Nz(s("POhneLegum")) + Nz(s("PLegum"));

  b.PBedarf = Nz(s("PBedarf"));
  b.P2O5Bedarf = Nz(s("P2O5Bedarf"));

  const double flaecheRG = Nz(s("FlaecheRotesGebiet"));
  b.NMinDungRG = Nz(s("NMinDungRG"));
  b.NSummeRGOhneLWT = Nz(s("NSummeRGOhneLWT"));
  b.FlaecheRotesGebiet = flaecheRG;
  b.NMinDungRG_ha = JeHa(*b.NMinDungRG, flaecheRG);
  b.NSummeRGOhneLWT_ha = JeHa(*b.NSummeRGOhneLWT, flaecheRG);

  const TWert kultur = s("KulturBedarf");
  const TWert kulturRG = s("KulturBedarfRG");
  const TWert herbst = s("HerbstBedarf");
  const TWert herbstRG = s("HerbstBedarfRG");
  const bool ohneFlaechen = Nz(s("FlaecheBetrieb")) == 0.0;

  if (!nitratgebiet) {
    b.NWeide = Nz(s("NWeide"));
    b.NSummeOhneLegumWeide = Nz(s("NSummeOhneLegumWeide"));
    b.NBedarf = Nz(kultur) + Nz(kulturRG) + Nz(herbst) + Nz(herbstRG);
    b.NBedarfHD = Nz(herbst) + Nz(herbstRG);
    b.NBedarfRot = Summe({kulturRG, herbstRG});
    // Without Flaeche170kg the per-ha values cannot be computed: left empty.
    const double f170 = Nz(s("Flaeche170kg"));
    if (f170 != 0.0)
      b.NSumme_ha = (*b.NWeide + *b.NSummeOhneLegumWeide - Nz(b.NMinDung)) / f170;
    if (ohneFlaechen)
      b.NSumme_haVerf = 0.0;
    else if (f170 != 0.0)
      b.NSumme_haVerf = (Nz(b.NSummeOhneLegumWeideVerf) - Nz(b.NMinDung)) / f170;
  } else {
    b.NWeide = s("NWeide");
    b.NSummeOhneLegumWeide = s("NSummeOhneLegumWeide");
    b.NBedarf = Summe({kulturRG, herbstRG});
    b.NBedarfRot = Summe({kulturRG ? TWert(0.8 * *kulturRG) : std::nullopt, herbstRG});
    b.NBedarfHD = herbstRG;
    if (ohneFlaechen)
      b.NSumme_ha = 0.0;
    else if (s("FlaecheRotesGebiet"))
      b.NSumme_ha = JeHa(*b.NSumme, flaecheRG);
  }
  return b;
}

}  // namespace

TBilanz::TWert TBilanz::Wert(QStringView name) const {
  for (const TName& n : Namensliste)
    if (name == QLatin1String(n.name)) return this->*n.wert;
  qFatal("Unbekannter Bilanzwert: %s", qPrintable(name.toString()));
}

QStringList TBilanz::Namen() {
  QStringList namen;
  for (const TName& n : Namensliste) namen << QLatin1String(n.name);
  return namen;
}

namespace Bilanz {

bool BetriebsflaechenVollstaendig(TADOModConnection& db, int betriebsNr, int jahr) {
  TAbfrage a(db,
             QStringLiteral("SELECT Betriebsgroesse, Flaeche170kg FROM DuengeJahr "
                            "WHERE BetriebsNr = :BetriebsNr AND Duengejahr = :Jahr"),
             {{QStringLiteral("BetriebsNr"), betriebsNr}, {QStringLiteral("Jahr"), jahr}});
  if (!a.Naechste()) return false;
  // An empty area is no area.
  return Zahlen::Gerundet(a.Wert(0).toDouble()) > 0 && Zahlen::Gerundet(a.Wert(1).toDouble()) > 0;
}

std::optional<TBilanz> Gesamtbetrieb(TADOModConnection& db, int betriebsNr, int jahr) {
  return Berechnen(db, betriebsNr, jahr, false);
}

std::optional<TBilanz> Nitratgebiet(TADOModConnection& db, int betriebsNr, int jahr) {
  return Berechnen(db, betriebsNr, jahr, true);
}

std::optional<double> NSummeJeHa(TADOModConnection& db, int betriebsNr, int jahr) {
  const std::optional<TBilanz> b = Gesamtbetrieb(db, betriebsNr, jahr);
  if (!b) return std::nullopt;
  return b->NSumme_ha;
}

TAuslassungen Ausgelassen(TADOModConnection& db, int betriebsNr, int jahr, bool nitratgebiet) {
  // Legume records count by the year of their crop row, all others by their date.
  TAbfrage a(db, QStringLiteral(
      "select "
      " (select count(*) from Dung d where d.BetriebsNr = :B and d.Jahr = :J and d.Kategorie in (1, 2, 4, 5) "
      "   and d.Datum is null and ( :N = 0 or exists ( select 1 from Schlag s where s.BetriebsNr = d.BetriebsNr "
      "   and s.Jahr = d.Jahr and s.Parzelle = d.Parzelle and s.BewirtschaftungsAuflagen = 2 ) ) ), "
      " (select count(*) from Dung d where d.BetriebsNr = :B and iif(d.Kategorie = 3, d.Jahr, Year(d.Datum)) = :J "
      "   and not exists ( select 1 from Schlag s where s.BetriebsNr = d.BetriebsNr and s.Jahr = d.Jahr "
      "   and s.Parzelle = d.Parzelle ) ), "
      " (select count(*) from DungMitFlaeche where BetriebsNr = :B and iif(Kategorie = 3, Jahr, Year(Datum)) = :J "
      "   and ( :N = 0 or BewirtschaftungsAuflagen = 2 ) and coalesce(Flaeche, 0) = 0)"),
             {{QStringLiteral("B"), betriebsNr}, {QStringLiteral("J"), jahr}, {QStringLiteral("N"), nitratgebiet ? 1 : 0}});
  TAuslassungen t;
  if (!a.Naechste()) return t;
  t.ohneDatum = a.Wert(0).toInt();
  t.ohneSchlag = a.Wert(1).toInt();
  t.ohneGroesse = a.Wert(2).toInt();
  return t;
}

QString AuslassungenText(const TAuslassungen& a) {
  const auto anzahl = [](int n) {
    return QString::number(n) + (n == 1 ? QStringLiteral(" Aufzeichnung") : QStringLiteral(" Aufzeichnungen"));
  };
  QStringList teile;
  if (a.ohneDatum) teile << anzahl(a.ohneDatum) + QStringLiteral(" ohne Datum");
  if (a.ohneSchlag) teile << anzahl(a.ohneSchlag) + QStringLiteral(" ohne Schlag im Jahr ihrer Kultur");
  QString text;
  if (!teile.isEmpty()) text = QStringLiteral("Nicht berücksichtigt: ") + teile.join(QStringLiteral(", ")) + u'.';
  if (a.ohneGroesse) {
    if (!text.isEmpty()) text += u' ';
    text += QStringLiteral("Mit 0 kg gezählt: ") + anzahl(a.ohneGroesse) +
            (a.ohneGroesse == 1 ? QStringLiteral(" auf einem Schlag ohne Größe.") : QStringLiteral(" auf Schlägen ohne Größe."));
  }
  return text;
}

}  // namespace Bilanz
