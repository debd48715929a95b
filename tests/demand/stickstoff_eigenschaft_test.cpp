// Thousands of random crop rows: the stored rules give the demand that the
// ordinance's scheme gives, evaluated here in exact fractions from the
// scheme's own description. Main and follow crops, catch crops, nitrate
// areas, organic fertilisation of earlier years, autumn fertilisation and
// empty inputs all vary.
#include "stickstoffbetrieb.h"

#include <algorithm>
#include <optional>
#include <random>
#include <sstream>

namespace {

QString K(const char* s) { return QString::fromUtf8(s); }

// An exact fraction. The scheme's figures are decimals, thirds and
// thirtieths and the demand is cut to whole kilograms: a whole number the
// scheme reaches exactly must not become one less.
class TBruch {
public:
  TBruch(long long z = 0) : m_z(z) {}
  static TBruch Aus(__int128 z, __int128 n) {
    if (n < 0) z = -z, n = -n;
    __int128 a = z < 0 ? -z : z, b = n;
    while (b != 0) a %= b, std::swap(a, b);
    TBruch r;
    r.m_z = z / (a == 0 ? 1 : a);
    r.m_n = n / (a == 0 ? 1 : a);
    return r;
  }
  // A value as typed: a decimal of at most six places.
  static TBruch Dezimal(double d) { return Aus(std::llround(d * 1e6), 1000000); }

  friend TBruch operator+(TBruch a, TBruch b) { return Aus(a.m_z * b.m_n + b.m_z * a.m_n, a.m_n * b.m_n); }
  friend TBruch operator-(TBruch a, TBruch b) { return Aus(a.m_z * b.m_n - b.m_z * a.m_n, a.m_n * b.m_n); }
  friend TBruch operator*(TBruch a, TBruch b) { return Aus(a.m_z * b.m_z, a.m_n * b.m_n); }
  friend TBruch operator/(TBruch a, TBruch b) { return Aus(a.m_z * b.m_n, a.m_n * b.m_z); }
  friend bool operator<(TBruch a, TBruch b) { return a.m_z * b.m_n < b.m_z * a.m_n; }
  friend bool operator>(TBruch a, TBruch b) { return b < a; }
  friend bool operator<=(TBruch a, TBruch b) { return !(b < a); }
  friend bool operator>=(TBruch a, TBruch b) { return !(a < b); }
  friend bool operator==(TBruch a, TBruch b) { return a.m_z == b.m_z && a.m_n == b.m_n; }

  long long Abgerundet() const {
    __int128 q = m_z / m_n;
    if (m_z % m_n != 0 && m_z < 0) --q;
    return static_cast<long long>(q);
  }
  double Zahl() const { return double(m_z) / double(m_n); }

private:
  __int128 m_z = 0, m_n = 1;
};

// A value that may be empty, as a database column: arithmetic with an empty
// operand is empty.
using N = std::optional<TBruch>;
N operator+(const N& a, const N& b) { return a && b ? N(*a + *b) : std::nullopt; }
N operator-(const N& a, const N& b) { return a && b ? N(*a - *b) : std::nullopt; }
N operator*(const N& a, const N& b) { return a && b ? N(*a * *b) : std::nullopt; }
N operator/(const N& a, const N& b) { return a && b ? N(*a / *b) : std::nullopt; }
TBruch D(double d) { return TBruch::Dezimal(d); }
QVariant Feld(const N& w) { return w ? QVariant(w->Zahl()) : QVariant(); }
QVariant Feld(const std::optional<int>& w) { return w ? QVariant(*w) : QVariant(); }
std::string Text(const N& w) {
  if (!w) return "leer";
  std::ostringstream s;
  s << w->Zahl();
  return s.str();
}

struct TStamm {
  int gruppe = 0, artgr = 0, aloderGl = 0;
  bool einzelErtrag = true;
  TBruch bedarf, niveau, stufe, zu, ab, tiefe, rp, zuRp, vf;
  N ertrag, ertragRG;
};

struct TFeld {
  N stein, wurzel, az;
  std::optional<int> bg, bkr, glBoden, humus;
  int auflagen = 1;  // 2: nitrate area
};

struct TZeile {
  qint64 id = 0;
  int parzelle = 0, fruchtNr = 1, kultur = 0, zwischenfrucht = 14;
  std::optional<int> vorfrucht, quelle12 = 1, quelle3 = 1;
  N einzel, n1, n2, n3, legum, rpIst;
  bool folie = false, ganz = false, monat = false;
};

// An application on a field, for the credit of earlier years.
struct TGabe {
  int parzelle = 0, jahr = 2020;  // calendar year of the date
  std::optional<qint64> fuer;     // crop row it was recorded for
  int fuerKultur = 0;
  int kategorie = 2, gruppe = 1, verfahren = 4;
  std::optional<int> herbst;
  N menge, nt, nh4;
};

const int Kohl[] = {149301, 150301, 153301, 159301, 162301, 184301, 186301, 217301, 218301, 219301};
const int WintergersteRaps[] = {225101, 230101, 236101};
bool In(int x, std::initializer_list<int> l) { return std::find(l.begin(), l.end(), x) != l.end(); }
template <class L>
bool In(int x, const L& l) {
  return std::find(std::begin(l), std::end(l), x) != std::end(l);
}

// Catch-crop deduction by the catch-crop type's number.
TBruch Mindestabschlag(int zf) {
  switch (zf) {
    case 7: return 20;
    case 9: case 11: case 12: return 10;
    case 10: return 40;
    default: return 0;
  }
}

// Soil mineral N in the rooting zone. The per-year run derives the third
// layer only from a second layer above 0.
N Nmin(const TZeile& z, const TFeld& f, const TStamm& m, bool proJahr) {
  if (!z.n1 || !z.n2 || !z.quelle12 || !z.quelle3 || !f.wurzel) return std::nullopt;
  N n3 = z.n3;
  if (*z.quelle3 == 3 && *z.n1 > 0 && (!proJahr || *z.n2 > 0)) {
    if (*z.quelle12 == 2) {
      n3 = TBruch(0);
    } else {
      const TBruch q = *z.n2 == 0 ? D(0.01) : *z.n2;
      const int bg = f.bg.value_or(0);
      const int fa = bg == 1 ? 4 : bg == 2 ? 12 : bg == 4 ? 28 : bg == 5 ? 35 : bg == 6 ? 0 : 20;
      n3 = f.az * N(D(0.15)) - N(*z.n1 / q) + N(D(0.7) * *z.n2) - N(D(0.3) * fa) + N(8);
      if (n3 && *n3 < 0) n3 = TBruch(0);
    }
  }
  if (!n3) return std::nullopt;
  const TBruch d = std::min(m.tiefe, *f.wurzel);
  const N s = !f.stein              ? N()
              : *f.stein <= 5       ? N(1)
              : *f.stein > 60       ? N(D(0.4))
                                    : N((100 - *f.stein) / 100);
  const bool roh12 = In(*z.quelle12, {2, 4});
  const N s12 = roh12 ? s : N(1);
  const N s3 = In(*z.quelle3, {2, 4}) || (*z.quelle3 == 3 && roh12) ? s : N(1);
  const TBruch mdae3 = !f.bkr || In(*f.bkr, {158, 192, 193, 194, 195, 111}) ? TBruch(1) : D(0.5);
  const TBruch f1 = d >= 30 ? TBruch(1) : d / 30;
  const TBruch g2 = d <= 30 ? 0 : 1;
  const TBruch f2 = d >= 60 ? TBruch(1) : (d - 30) / 30;
  const TBruch g3 = d <= 60 ? 0 : 1;
  return z.n1 * s12 * N(f1) + N(g2) * z.n2 * s12 * N(f2) + N(g3) * n3 * N(mdae3) * s3 * N((d - 60) / 30);
}

bool Herbst(const TGabe& g) { return g.herbst.value_or(0) != 0; }

// Credit from organic fertilisation of the years before, main crops only.
N Vorjahre(const TZeile& z, const std::vector<TGabe>& gaben) {
  if (z.fruchtNr != 1) return TBruch(0);
  TBruch summe = 0;
  for (const TGabe& g : gaben) {
    if (g.parzelle != z.parzelle || !g.menge || !g.nt) continue;
    const TBruch n = *g.menge * *g.nt;
    const bool mitKultur = g.fuer.has_value();  // only those appear with their crop
    const bool herbstZuWgWr = Herbst(g) && In(g.fuerKultur, WintergersteRaps);
    if (g.jahr == 2020) {
      if (g.kategorie == 2 && In(g.gruppe, {1, 3, 4, 6}) && mitKultur && !herbstZuWgWr) summe = summe + D(0.1) * n;
      if (g.kategorie == 2 && g.gruppe == 2 && mitKultur && !(herbstZuWgWr && g.verfahren == 6)) summe = summe + D(0.1) * n;
      if (g.kategorie == 5) summe = summe + D(0.1) * n;
      if (g.kategorie == 2 && g.gruppe == 5) summe = summe + D(0.04) * n;
    } else if (g.jahr == 2019 || g.jahr == 2018) {
      if (g.kategorie == 2 && g.gruppe == 5) summe = summe + D(0.03) * n;
    }
  }
  return summe;
}

// Nitrogen given in autumn to the winter barley or rape of this row.
N Herbstgabe(const TZeile& z, const std::vector<TGabe>& gaben) {
  if (z.fruchtNr != 1 || !In(z.kultur, WintergersteRaps)) return TBruch(0);
  TBruch summe = 0;
  for (const TGabe& g : gaben) {
    if (g.parzelle != z.parzelle || g.jahr != 2020 || !Herbst(g) || g.fuer != z.id || !g.menge) continue;
    if (g.kategorie == 2 && (In(g.gruppe, {1, 3, 4, 6}) || (g.gruppe == 2 && g.verfahren == 6)) && g.nh4)
      summe = summe + *g.menge * *g.nh4;
    if (g.kategorie == 1 && g.nt) summe = summe + *g.menge * *g.nt;
  }
  return summe;
}

// The stored demand the scheme gives: whole kilograms, never below 0; empty
// when an input it needs is empty.
std::optional<long long> Erwartet(const TZeile& z, const TFeld& f, const std::map<int, TStamm>& stamm,
                                  const std::vector<TGabe>& gaben, bool proJahr) {
  const TStamm& m = stamm.at(z.kultur);
  const N nmin = Nmin(z, f, m, proJahr);
  if (m.artgr == 300) return nmin && m.bedarf - *nmin <= 10 ? 0 : 30;  // grain legumes

  const N basis = f.auflagen == 2 ? m.ertragRG : m.ertrag;  // the year is after 2020
  const N ertrag = m.einzelErtrag && z.einzel && *z.einzel > 0 ? z.einzel : basis;
  const N diff = ertrag - N(m.niveau);
  const N vorjahre = Vorjahre(z, gaben);
  N roh;
  if (m.gruppe == 2) {
    const N zuAb = N(m.zu) * diff * N(D(0.1));
    const TBruch rp = z.rpIst && *z.rpIst > 0 ? (*z.rpIst - m.rp) * m.zuRp : 0;
    const int bodenKlasse = f.glBoden.value_or(0);
    const TBruch boden = bodenKlasse == 1 ? 10 : bodenKlasse == 2 ? 30 : In(bodenKlasse, {3, 4}) ? 50 : bodenKlasse == 5 ? 80 : 0;
    N legum = TBruch(0);
    if (In(z.kultur, {251201, 260201, 262201}))
      legum = TBruch(0);
    else if (z.kultur == 252201)
      legum = TBruch(360);
    else if (In(z.kultur, {401201, 404201}))
      legum = TBruch(30 * 3);
    else if (In(z.kultur, {402201, 405201}))
      legum = TBruch(50 * 3);
    else if (In(z.kultur, {403201, 406201}))
      legum = TBruch(70 * 3);
    else if (z.kultur == 254201)
      legum = z.legum * N(3);
    else if (m.aloderGl == 2 && z.legum)
      legum = *z.legum > 20 ? 60 : *z.legum > 10 ? 40 : *z.legum >= 5 ? 20 : 0;
    roh = (N(m.bedarf) + zuAb + N(rp)) - (N(boden) + vorjahre + legum);
  } else {
    N zuAb = TBruch(0);
    if (!(m.stufe == 0)) {
      zuAb = diff / N(m.stufe) * N(diff && *diff > 0 ? m.zu : diff && *diff < 0 ? m.ab : TBruch(0));
      if (zuAb && *zuAb > 40) zuAb = TBruch(40);
    }
    const TBruch folie = m.gruppe == 3 && z.folie ? 20 : 0;
    const TBruch humus = f.humus.value_or(0) != 0 ? 20 : 0;
    TBruch vf = 0;
    if (z.zwischenfrucht == 14 && z.vorfrucht && stamm.count(*z.vorfrucht)) {
      const TStamm& v = stamm.at(*z.vorfrucht);
      if (m.gruppe == 3)
        vf = z.ganz ? TBruch(0) : z.monat ? v.vf / 3 : v.vf;
      else
        vf = v.gruppe < 3 ? v.vf : In(*z.vorfrucht, Kohl) ? 10 : 0;
    }
    const N herbst = m.gruppe == 1 ? Herbstgabe(z, gaben) : N(0);
    roh = (N(m.bedarf) + zuAb + N(folie)) -
          (nmin + N(humus) + vorjahre + herbst + N(vf) + N(Mindestabschlag(z.zwischenfrucht)));
  }
  if (!roh) return std::nullopt;
  return std::max(0LL, roh->Abgerundet());
}

class StickstoffEigenschaft : public StickstoffBetrieb {};

TEST_F(StickstoffEigenschaft, ZufaelligeZeilenStimmenMitDemSchemaUeberein) {
  const int kulturen[] = {224101, 225101, 236101, 244101, 262101, 149301, 165301, 249201, 402201, 252201};
  const std::optional<int> vorfruechte[] = {std::nullopt, 0, 224101, 236101, 149301, 162301, 165301, 244101, 249201};
  std::map<int, TStamm> stamm;
  for (int k : {224101, 225101, 236101, 244101, 262101, 149301, 165301, 162301, 249201, 402201, 252201}) {
    // Silage maize takes no individual yield; carrots have no mean of 2015 to 2019.
    Stamm(k, {{K("IsEinzelErtrag"), k != 244101}});
    Sql(K("update S_KulturenNP set TatsErtrag = Ertragsniveau + 5, TatsErtragRG = iif( FA_NR = 165301, null, Ertragsniveau - 3 ) "
          "where FA_NR = :k and BetriebsNr = 2"),
        {{K("k"), k}});
    TAbfrage a(db, K("select Kulturgruppe, FRU_ARTGRNR, ALoderGL, IsEinzelErtrag, Stickstoffbedarfswert, Ertragsniveau, "
                     "BezuggsErtragsdifferenz, ZuschlagErtrag, AbschlagErtrag, Probenahmetiefe, Rohprotein, "
                     "ZuschlagRohprotein, VfAbschlag, TatsErtrag, TatsErtragRG from S_KulturenNP "
                     "where FA_NR = :k and BetriebsNr = 2"),
               {{K("k"), k}});
    ASSERT_TRUE(a.Naechste());
    TStamm& m = stamm[k];
    m.gruppe = a.Wert(0).toInt(), m.artgr = a.Wert(1).toInt(), m.aloderGl = a.Wert(2).toInt();
    m.einzelErtrag = a.Wert(3).toInt() != 0;
    TBruch* werte[] = {&m.bedarf, &m.niveau, &m.stufe, &m.zu, &m.ab, &m.tiefe, &m.rp, &m.zuRp, &m.vf};
    for (int i = 0; i < 9; ++i) *werte[i] = D(a.Wert(4 + i).toDouble());
    for (int i : {13, 14})
      (i == 13 ? m.ertrag : m.ertragRG) = a.Wert(i).isNull() ? N() : N(D(a.Wert(i).toDouble()));
  }

  std::mt19937 zufall(4711);
  auto zahl = [&](int von, int bis) { return std::uniform_int_distribution<int>(von, bis)(zufall); };
  auto eins = [&](auto const& liste) { return liste[size_t(zahl(0, int(std::size(liste)) - 1))]; };
  auto dezimal = [&](int von, int bis, int teiler) { return N(TBruch(zahl(von, bis)) / teiler); };
  std::map<int, TFeld> felder;
  std::vector<TZeile> zeilen;
  std::vector<TGabe> gaben;
  JahrAnlegen(2020);
  Sql(K("begin"));
  for (int p = 1; p <= 1500; ++p) {
    TFeld& f = felder[p];
    f.stein = TBruch(zahl(0, 100)), f.wurzel = TBruch(eins(std::array{30, 45, 60, 75, 90, 100})), f.az = TBruch(zahl(20, 100));
    f.bg = zahl(0, 6), f.bkr = eins(std::array{111, 158, 192, 195, 200, 300}), f.humus = zahl(0, 3) == 0;
    f.glBoden = zahl(1, 6), f.auflagen = zahl(0, 3) == 0 ? 2 : 1;

    // Main crop, on a quarter of the fields one or two follow crops.
    const int anzahl = zahl(0, 3) == 0 ? zahl(2, 3) : 1;
    std::vector<TZeile> feldZeilen;
    for (int nr = 1; nr <= anzahl; ++nr) {
      TZeile z;
      z.parzelle = p, z.fruchtNr = nr, z.kultur = eins(kulturen);
      const TStamm& m = stamm[z.kultur];
      z.vorfrucht = eins(vorfruechte);
      z.einzel = zahl(0, 3) == 0 ? N(0) : N(m.niveau * zahl(40, 160) / 100);
      z.n1 = TBruch(zahl(0, 60)), z.n2 = TBruch(zahl(0, 40)), z.n3 = TBruch(zahl(0, 30));
      z.quelle12 = eins(std::array{1, 2, 4});
      z.quelle3 = eins(std::array{1, 2, 3, 4});
      z.folie = zahl(0, 1), z.ganz = zahl(0, 3) == 0, z.monat = zahl(0, 2) == 0;
      z.legum = TBruch(zahl(0, 40)), z.rpIst = zahl(0, 1) ? N(dezimal(100, 250, 10)) : N(0);
      if (nr == 1 && m.gruppe != 2 && zahl(0, 2) == 0) z.zwischenfrucht = zahl(6, 13);  // from the catch-crop row
      if (nr > 1 && zahl(0, 2) == 0) z.zwischenfrucht = eins(std::array{7, 10, 11});  // a follow crop's own
      feldZeilen.push_back(z);
    }
    // Grassland soil class 6 belongs to field forage; the field window keeps the others out of it.
    const TStamm& haupt = stamm[feldZeilen[0].kultur];
    if (haupt.gruppe == 2 && f.glBoden == 6 && feldZeilen[0].kultur == 249201) f.glBoden = 1;
    if (haupt.gruppe == 2 && feldZeilen[0].kultur != 249201 && f.glBoden < 4) f.glBoden = 6;

    // On a quarter of the fields one input is empty.
    if (zahl(0, 3) == 0) {
      TZeile& z = feldZeilen[size_t(zahl(0, int(feldZeilen.size()) - 1))];
      switch (zahl(0, 15)) {
        case 0: f.stein.reset(); break;
        case 1: f.wurzel.reset(); break;
        case 2: f.az.reset(); break;
        case 3: f.bg.reset(); break;
        case 4: f.bkr.reset(); break;
        case 5: f.humus.reset(); break;
        case 6: f.glBoden.reset(); break;
        case 7: z.n1.reset(); break;
        case 8: z.n2.reset(); break;
        case 9: z.n3.reset(); break;
        case 10: z.quelle3.reset(); break;
        case 11: z.einzel.reset(); break;
        case 12: z.legum.reset(); break;
        case 13: z.rpIst.reset(); break;
        case 14: z.quelle12.reset(); break;
        default: z.vorfrucht.reset(); break;
      }
    }

    Schlag(p, {{K("SteingehaltKrume"), Feld(f.stein)}, {K("Durchwurzelungstiefe"), Feld(f.wurzel)}, {K("AZ"), Feld(f.az)},
               {K("BG"), Feld(f.bg)}, {K("BKR"), Feld(f.bkr)}, {K("HumusGroesserVier"), Feld(f.humus)},
               {K("GL_Bodenart"), Feld(f.glBoden)}, {K("BewirtschaftungsAuflagen"), f.auflagen},
               {K("NutzungsForm"), haupt.gruppe == 2 ? 2 : 1}});
    if (feldZeilen[0].zwischenfrucht != 14) Kultur(p, feldZeilen[0].zwischenfrucht, {{K("FruchtNr"), 0}});
    for (TZeile& z : feldZeilen) {
      z.id = Kultur(p, z.kultur,
                    {{K("FruchtNr"), z.fruchtNr}, {K("Vorfrucht"), Feld(z.vorfrucht)}, {K("Einzelertrag"), Feld(z.einzel)},
                     {K("Nmin_0_30"), Feld(z.n1)}, {K("Nmin_30_60"), Feld(z.n2)}, {K("Nmin_60_90"), Feld(z.n3)},
                     {K("Quelle_0_30"), Feld(z.quelle12)}, {K("Quelle_60_90"), Feld(z.quelle3)}, {K("IsFolie"), z.folie},
                     {K("VorfruchtGanzePflanzeAbgefahren"), z.ganz}, {K("Is1MonatVorher"), z.monat},
                     {K("Leguminosenanteil"), Feld(z.legum)}, {K("TatsRohprotein"), Feld(z.rpIst)},
                     // a follow crop keeps its own; the main crop takes the catch-crop row's
                     {K("Zwischenfrucht"), z.fruchtNr == 1 ? 14 : z.zwischenfrucht}});
      zeilen.push_back(z);
    }

    // Applications on three fields of five: the year before on last year's crop
    // or in autumn on this year's, compost up to four years back, some this year.
    if (zahl(0, 4) < 3) {
      Schlag(p, {}, 2020);
      const int vorjahrKultur = eins(std::array{224101, 225101, 236101});
      const qint64 vorjahr = Kultur(p, vorjahrKultur, {}, 2020);
      for (int i = zahl(1, 4); i > 0; --i) {
        TGabe g;
        g.parzelle = p;
        g.jahr = eins(std::array{2021, 2020, 2020, 2020, 2020, 2019, 2018, 2017});
        g.kategorie = eins(std::array{1, 2, 2, 2, 2, 3, 5});
        g.gruppe = zahl(1, 6), g.verfahren = eins(std::array{4, 5, 6, 7, 15});
        g.herbst = zahl(0, 9) == 0 ? std::nullopt : std::optional<int>(zahl(0, 2) != 0);
        g.menge = dezimal(5, 40, 1), g.nt = dezimal(5, 90, 10), g.nh4 = dezimal(5, 50, 10);
        if (zahl(0, 19) == 0) (zahl(0, 1) ? g.menge : g.nt).reset();
        const int wahl = zahl(0, 9);
        // this year's main crop more often than a follow crop
        const size_t welche = zahl(0, 2) == 0 ? size_t(zahl(0, int(feldZeilen.size()) - 1)) : 0;
        const TZeile& jetzt = zeilen[zeilen.size() - feldZeilen.size() + welche];
        int jahr = 2020;
        if (wahl == 0) {
          g.fuer.reset();  // recorded without a crop row
        } else if (wahl < 5 || g.jahr < 2020) {
          g.fuer = vorjahr, g.fuerKultur = vorjahrKultur;
        } else {
          g.fuer = jetzt.id, g.fuerKultur = jetzt.kultur, jahr = 2021;
        }
        const QString datum = QStringLiteral("%1-%2").arg(g.jahr).arg(K(eins(std::array{"03-15", "09-20", "12-20", "01-02"})));
        TestBetrieb::Einfuegen(K("Dung"), {{K("BetriebsNr"), Betrieb}, {K("Jahr"), jahr}, {K("Parzelle"), p},
                              {K("ProbenID"), g.fuer ? QVariant(*g.fuer) : QVariant()}, {K("Datum"), datum},
                              {K("Kategorie"), g.kategorie}, {K("DngGrpNummer"), g.gruppe}, {K("TaVerfNr"), g.verfahren},
                              {K("IstHerbstDuengung"), Feld(g.herbst)}, {K("Menge"), Feld(g.menge)}, {K("NT"), Feld(g.nt)},
                              {K("NH4N"), Feld(g.nh4)}});
        gaben.push_back(g);
      }
    }
  }
  Sql(K("commit"));

  std::map<std::string, int> abgedeckt;
  auto pruefen = [&](const char* lauf, size_t anzahl, bool proJahr) {
    int fehler = 0;
    for (size_t i = 0; i < anzahl && fehler < 10; ++i) {
      const TZeile& z = zeilen[i];
      const TFeld& f = felder.at(z.parzelle);
      const std::optional<long long> erwartet = Erwartet(z, f, stamm, gaben, proJahr);
      const QVariant ist = Von(z.id, K("Duengebedarf"));
      if (proJahr) {
        const TStamm& m = stamm.at(z.kultur);
        ++abgedeckt[!erwartet ? "leer" : *erwartet == 0 ? "0" : "positiv"];
        ++abgedeckt[z.fruchtNr == 1 ? "Hauptfrucht" : "Folgefrucht"];
        if (Vorjahre(z, gaben) && *Vorjahre(z, gaben) > 0 && m.artgr != 300) ++abgedeckt["organisch Vorjahre"];
        if (Herbstgabe(z, gaben) && *Herbstgabe(z, gaben) > 0) ++abgedeckt["Herbstgabe"];
        if (f.auflagen == 2) ++abgedeckt["Nitratgebiet"];
      }
      const bool gleich = erwartet ? !ist.isNull() && ist.toDouble() == double(*erwartet) : ist.isNull();
      if (!gleich) {
        ++fehler;
        ADD_FAILURE() << lauf << ": Parzelle " << z.parzelle << " Frucht " << z.fruchtNr << " Kultur " << z.kultur
                      << " erwartet " << (erwartet ? std::to_string(*erwartet) : "leer") << ", ist "
                      << (ist.isNull() ? "leer" : ist.toString().toStdString()) << "\n"
                      << Wert(K("select 'ZuAb ' || coalesce(ZuAbschlagErtrag, '-') || ' Nmin ' || coalesce(Nmin, '-') || "
                                "' Nl ' || coalesce(Stickstoffnachlieferung, '-') || ' OD ' || coalesce(StickstoffnachlieferungOD, '-') || "
                                "' WRWGH ' || coalesce(StickstoffnachlieferungWRWGH, '-') || ' Legum ' || "
                                "coalesce(StickstoffnachlieferungLegum, '-') || ' Vf ' || coalesce(VfAbschlag, '-') || ' Zf ' || "
                                "coalesce(ZfAbschlag, '-') || ' Folie ' || coalesce(ZuschlagFolie, '-') || ' TE ' || "
                                "coalesce(TatsErtrag, '-') from Anbau where ID = :id"),
                              {{K("id"), z.id}})
                             .toString()
                             .toStdString()
                      << "\nSchema: Nmin " << Text(Nmin(z, f, stamm.at(z.kultur), proJahr)) << " OD "
                      << Text(Vorjahre(z, gaben)) << " WRWGH " << Text(Herbstgabe(z, gaben));
      }
    }
  };
  JahrBerechnen();
  EXPECT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join('\n').toStdString();
  pruefen("pro Jahr", zeilen.size(), true);
  // Every kind of row occurs often enough to count.
  for (const char* art : {"leer", "0", "positiv", "Hauptfrucht", "Folgefrucht", "organisch Vorjahre", "Herbstgabe", "Nitratgebiet"})
    EXPECT_GE(abgedeckt[art], 30) << art << " " << abgedeckt[art];

  Sql(K("update Anbau set Duengebedarf = null"));
  for (size_t i = 0; i < 400; ++i) Berechnen(zeilen[i].id);
  pruefen("pro Zeile", 400, false);
}

}  // namespace
