#include "auswertung.h"

#include "bilanz.h"
#include "connection.h"
#include "leguminosen.h"

#include <QStringList>

namespace Auswertung {

namespace {

QString K(const char* s) { return QString::fromUtf8(s); }

double Nz(const QVariant& v) { return v.isNull() ? 0.0 : v.toDouble(); }

const char* const Abfrage =
    "select d.Kategorie, d.GruppeNr, d.TaVerfNr, d.DngGrpNummer, d.IsLegumPauschal, d.Dng, d.Datum, d.Menge, d.NT, "
    "d.NH4N, d.P, d.WeideTiere, d.WeideTage, d.Leguminosenanteil, d.N_Bindung_ha, d.N_Bindung_ha_gr10P, "
    "d.N_Bindung_dt_FM, d.N_Bindung_dt_FM_gr10P, d.IstHerbstDuengung, d.Herkunft_Nr, "
    "a.Jahr, a.Kultur, a.HauptfruchtNummer, a.Parzelle, "
    "s.Feldblock, s.SchlagNr, s.SchlagName, s.Groesse, s.BewirtschaftungsAuflagen, s.Phosphatgebiet, "
    "s.SonstigDuengebeschraenkung "
    "from Dung d inner join Anbau a on a.ID = d.ProbenID "
    "left join Schlag s on s.BetriebsNr = a.BetriebsNr and s.Jahr = a.Jahr and s.Parzelle = a.Parzelle "
    "where d.BetriebsNr = :b and ( ( d.Kategorie = 3 and d.Jahr = :j ) "
    "or ( d.Kategorie <> 3 and d.Datum is not null and cast( substr( d.Datum, 1, 4 ) as integer ) = :j ) ) ";

// The loads of the legume fixation and of grazing need values no other use reads.
struct TLegum {
  QVariant anteil, jeHa, jeHaUeber10, jeDt, jeDtUeber10;
};

void Laden(TDungsatz& s, const TLegum& l) {
  const double g = Nz(s.groesse);
  if (s.kategorie == 3) {
    const bool ueber10 = !l.anteil.isNull() && Leguminosen::HoherAnteil(l.anteil.toDouble());
    if (s.Pauschal() || s.menge.isNull() || s.menge.toDouble() <= 0)
      s.mengeN_ha = Nz(ueber10 ? l.jeHaUeber10 : l.jeHa);
    else
      s.mengeN_ha = s.menge.toDouble() * Nz(ueber10 ? l.jeDtUeber10 : l.jeDt);
  } else if (s.kategorie == 4) {
    s.mengeN_ha = 0;
    if (!s.weideTiere.isNull() && !s.weideTage.isNull() && !s.nt.isNull())
      s.mengeN_ha = s.weideTiere.toDouble() * s.weideTage.toDouble() * s.nt.toDouble() * (g > 0 ? 1 / g : 0) / 365;
  } else {
    s.mengeN_ha = !s.menge.isNull() && !s.nt.isNull() ? s.menge.toDouble() * s.nt.toDouble() : 0;
  }
  // Without a field row the load per ha stands for the field.
  s.mengeN = s.mengeN_ha * (s.groesse.isNull() ? 1 : g);
  s.mengeNH4N_ha = s.menge.isNull() || s.nh4n.isNull() ? 0 : s.menge.toDouble() * s.nh4n.toDouble();
  s.mengeNH4N = s.mengeNH4N_ha * g;
  s.pMenge = 0;
  if (g > 0)
    s.pMenge = Nz(s.p) * (s.kategorie == 4 ? Nz(s.weideTiere) * Nz(s.weideTage) / 365 : g) *
               (s.kategorie == 4 ? 1 : (Nz(s.menge) > 0 ? Nz(s.menge) : 0));
  s.p2o5Menge = s.pMenge * P2O5JeP;
}

}  // namespace

double TDungsatz::PJeHa() const {
  const double g = Nz(groesse);
  return g != 0 ? pMenge / g : 0.0;
}

double TDungsatz::P2O5JeHa() const {
  const double g = Nz(groesse);
  return g != 0 ? pMenge * P2O5JeP / g : 0.0;
}

double TDungsatz::MengeTonnen() const {
  const double m = Nz(menge);
  return kategorie == 1 || kategorie == 3 ? m * 0.10 : m;
}

std::vector<TDungsatz> Saetze(TADOModConnection& db, int betrieb, int jahr, TReihenfolge reihenfolge, bool* ok) {
  std::vector<TDungsatz> saetze;
  const QString ordnung =
      reihenfolge == TReihenfolge::NachKategorie
          ? K("order by d.Kategorie, d.Datum, a.Parzelle, d.ID")
          : K("order by s.SchlagName collate Deutsch, d.Datum, d.Kategorie, d.DngGrpNummer, d.ID");
  TAbfrage q(db, K(Abfrage) + ordnung, {{K("b"), betrieb}, {K("j"), jahr}});
  while (q.Naechste()) {
    TDungsatz s;
    s.kategorie = q.Wert(0).toInt();
    s.gruppeNr = q.Wert(1);
    s.taVerfNr = q.Wert(2);
    s.dngGrpNummer = q.Wert(3);
    s.isLegumPauschal = q.Wert(4);
    s.dng = q.Wert(5).toString();
    s.datum = q.Wert(6).isNull() ? QDate() : QDate::fromString(q.Wert(6).toString().left(10), Qt::ISODate);
    s.menge = q.Wert(7);
    s.nt = q.Wert(8);
    s.nh4n = q.Wert(9);
    s.p = q.Wert(10);
    s.weideTiere = q.Wert(11);
    s.weideTage = q.Wert(12);
    const TLegum legum{q.Wert(13), q.Wert(14), q.Wert(15), q.Wert(16), q.Wert(17)};
    s.istHerbstDuengung = q.Wert(18).toInt() != 0;
    s.herkunftNr = q.Wert(19);
    s.kulturJahr = q.Wert(20).toInt();
    s.kultur = q.Wert(21).toString();
    s.hauptfruchtNummer = q.Wert(22);
    s.parzelle = q.Wert(23);
    s.feldblock = q.Wert(24).toString();
    s.schlagNr = q.Wert(25);
    s.schlagName = q.Wert(26).toString();
    s.groesse = q.Wert(27);
    s.nitratgebiet = q.Wert(28).toInt();
    s.phosphatgebiet = q.Wert(29).toInt();
    s.sonstigeBeschraenkung = q.Wert(30).toInt() != 0;
    Laden(s, legum);
    saetze.push_back(std::move(s));
  }
  if (ok) *ok = q.Ok();
  if (!q.Ok()) saetze.clear();
  return saetze;
}

QString Kurzart(const TDungsatz& s) {
  static const QStringList mineral = {K("N-Dünger"), K("P-Dünger"), K("K-Dünger"), K("Mg-Dünger"),
                                      K("Kalk-Dünger"), K("Mehrnährstoffdünger"), K("Mg-Dünger"), K("S-Dünger")};
  static const QStringList organisch = {
      K("Gülle Rind"),          K("Gülle Schwein"),        K("Gülle Geflügel"),     K("Festmist Rind"),
      K("Festmist Schwein"),    K("Festmist Geflügel"),    K("Festmist Andere"),    K("Jauche Rind"),
      K("Jauche Schwein"),      K("Jauche Geflügel"),      K("Geflügelkot (trocken)"), K("Geflügelkot (flüssig)"),
      K("Gärr. fl. pflanzl."),  K("Klärschlamm flüssig"),  K("Klärschlammkompost"), K("Frischkomposte"),
      K("Bioabfallkompost"),    K("Fertigkompost"),        K("alle anderen"),       K("Grünschnittkompost"),
      K("Gärr. fl. tierisch"),  K("Gärr. fest tierisch"),  K("Gärr. fl. sonstige"), K("Gärr. fest sonstige"),
      K("Gärr. fest pflanzl."), K("Klärschlamm fest")};
  static const QStringList tiere = {K("Milchkühe"), K("sonstige Rinder"), K("Schweine"),
                                    K("Geflügel"),  K("Pferde"),          K("alle anderen")};
  static const QStringList stoffe = {K("Pflanzenhilfstoffe"), K("Kultursubstrate"), K("Bodenhilfstoffe"),
                                     K("Abfälle z. Beseitigung")};
  auto aus = [](const QStringList& l, int nr) { return nr >= 1 && nr <= l.size() ? l[nr - 1] : QString(); };
  const int gruppe = s.gruppeNr.toInt();
  switch (s.kategorie) {
    case 1: return gruppe == 999 ? K("eigene") : aus(mineral, gruppe);
    case 2: return aus(organisch, s.taVerfNr.toInt());
    case 3: return s.Pauschal() ? K("flächenbezogen") : K("mengenbezogen");
    case 4: return aus(tiere, gruppe);
    case 5: return aus(stoffe, gruppe);
    default: return {};
  }
}

}  // namespace Auswertung
