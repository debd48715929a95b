#include "regeln.h"

#include "kartendaten.h"
#include "zahlen.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <map>
#include <tuple>

namespace Pruefung {

namespace {

QString S(const char* text) { return QString::fromUtf8(text); }

// Sums are compared with a small tolerance: 170 kg made of parts is still 170.
constexpr double Toleranz = 1e-6;
bool Ueber(double wert, double grenze) { return wert > grenze + Toleranz; }

// Month and day as one number, 1 November = 1101.
int Tag(const QDate& d) { return d.month() * 100 + d.day(); }
// Whether the date lies in the period; a period may run over the new year.
bool Im(const QDate& d, int von, int bis) {
  const int t = Tag(d);
  return von <= bis ? t >= von && t <= bis : t >= von || t <= bis;
}

QString Zahl(double wert) { return Zahlen::Text(wert, 1); }
QString Datum(const QDate& d) { return d.toString(QStringLiteral("dd.MM.yyyy")); }

// Type-and-procedure numbers of the organic fertilisers.
bool FestmistOderKompost(const TDuengung& d) {
  static const QList<int> nummern = {4, 5, 7, 15, 16, 17, 18, 20};  // solid manure of hoofed animals, composts
  return d.kategorie == 2 && nummern.contains(d.taVerfNr);
}
bool Fluessig(const TDuengung& d) {
  static const QList<int> nummern = {1, 2, 3, 8, 9, 10, 12, 13, 14, 21, 23};  // slurry, liquid manure, digestates, sludge
  return d.kategorie == 2 && nummern.contains(d.taVerfNr);
}

// Per cent of the dry matter; a mineral fertiliser is its own dry matter.
// Without a dry-matter content any content counts as significant.
double ImTrockenstoff(const TDuengung& d, double jeEinheit) {
  if (d.kategorie == 1) return jeEinheit;
  return d.tm > 0 ? jeEinheit * 10.0 / d.tm : (jeEinheit > 0 ? 100.0 : 0.0);
}
// More than 1.5 % total N, or more than 0.5 % P2O5, in the dry matter.
bool NWesentlich(const TDuengung& d) { return ImTrockenstoff(d, d.nt) > 1.5; }
bool PWesentlich(const TDuengung& d) { return ImTrockenstoff(d, d.p2o5) > 0.5; }

// Catch-crop types with fodder use.
bool MitFutternutzung(qint64 zwischenfrucht) { return zwischenfrucht == 12 || zwischenfrucht == 13; }
bool Zwischenfrucht(qint64 typ) { return typ >= 6 && typ <= 13; }

// A finding on one field: the amount found against its limit.
TBefund Schlagbefund(const TSchlag& s, int regel, const QString& paragraph, double wert, double grenze,
                     const QString& einheit) {
  TBefund b;
  b.regel = regel;
  b.paragraph = paragraph;
  b.parzelle = s.parzelle;
  b.schlagNr = s.schlagNr;
  b.schlag = s.name;
  b.wert = wert;
  b.grenze = grenze;
  b.einheit = einheit;
  return b;
}

class TPruefung {
public:
  explicit TPruefung(const TJahr& j) : m_j(j) {
    for (const TSchlag& s : j.schlaege) m_schlaege.insert(Schluessel(s.jahr, s.parzelle), &s);
    for (const TKultur& k : j.kulturen) {
      m_kulturen.insert(k.id, &k);
      if (k.fruchtNr == 0 && Zwischenfrucht(k.nummer)) m_mitZwischenfrucht.insert(Schluessel(k.jahr, k.parzelle));
    }
  }

  std::vector<TBefund> Alle() {
    Sperrfristen();
    Betriebsgrenzen();
    Schlaggrenzen();
    Bedarf();
    Flaechen();
    std::stable_sort(m_befunde.begin(), m_befunde.end(), [](const TBefund& a, const TBefund& b) {
      return std::tuple(a.parzelle != 0, a.schlagNr, a.parzelle, a.datum.isValid() ? a.datum.toJulianDay() : 0, a.regel) <
             std::tuple(b.parzelle != 0, b.schlagNr, b.parzelle, b.datum.isValid() ? b.datum.toJulianDay() : 0, b.regel);
    });
    return std::move(m_befunde);
  }

private:
  static qint64 Schluessel(int jahr, int parzelle) { return qint64(jahr) << 32 | quint32(parzelle); }
  const TSchlag* Schlag(int jahr, int parzelle) const { return m_schlaege.value(Schluessel(jahr, parzelle)); }
  const TKultur* Kultur(qint64 id) const { return m_kulturen.value(id); }
  // The field of the record: in the year of its crop, else of its date.
  const TSchlag* SchlagVon(const TDuengung& d) const {
    if (const TSchlag* s = Schlag(d.jahr, d.parzelle)) return s;
    return d.datum.isValid() ? Schlag(d.datum.year(), d.parzelle) : nullptr;
  }
  bool Rot(const TDuengung& d) const {
    const TSchlag* s = SchlagVon(d);
    return m_j.nitratRegeln && s && s->nitratgebiet;
  }
  bool Gruenland(const TDuengung& d) const {
    const TKultur* k = Kultur(d.kultur);
    return k && k->kulturgruppe == 2;
  }

  static QString Vorsatz(int schlagNr, int parzelle) {
    return schlagNr > 0 ? S("Schlag %1: ").arg(schlagNr) : S("Parzelle %1: ").arg(parzelle);
  }

  TBefund& Neu(int regel, const QString& paragraph, const TDuengung& d) {
    TBefund b;
    b.regel = regel;
    b.paragraph = paragraph;
    b.parzelle = d.parzelle;
    if (const TSchlag* s = SchlagVon(d)) {
      b.schlagNr = s->schlagNr;
      b.schlag = s->name;
    }
    b.dung = d.id;
    b.kultur = d.kultur;
    b.datum = d.datum;
    m_befunde.push_back(b);
    return m_befunde.back();
  }
  // "Schlag 12: Gülle am 15.11.2022 <was> (DüV § 6 Abs. 8)".
  void Satz(TBefund& b, const TDuengung& d, const QString& was) {
    const QString name = d.name.trimmed().isEmpty() ? S("Düngung") : d.name.trimmed();
    Texte(b, name + S(" am ") + Datum(d.datum) + was);
  }
  // The sentence with its field (or the farm) before it and its paragraph after it.
  static void Texte(TBefund& b, const QString& hinweis) {
    b.hinweis = hinweis;
    b.text = (b.parzelle == 0 ? S("Betrieb: ") : Vorsatz(b.schlagNr, b.parzelle)) + hinweis + S(" (") + b.paragraph +
             u')';
  }

  void Sperrfristen() {
    std::vector<const TDuengung*> liste;
    for (const TDuengung& d : m_j.duengungen)
      if ((d.kategorie == 1 || d.kategorie == 2 || d.kategorie == 5) && d.datum.isValid() && d.datum.year() == m_j.jahr)
        liste.push_back(&d);
    // The sums of a period grow in the order of the applications.
    std::stable_sort(liste.begin(), liste.end(), [](const TDuengung* a, const TDuengung* b) {
      return std::pair(a->datum, a->id) < std::pair(b->datum, b->id);
    });
    for (const TDuengung* d : liste) Sperrfrist(*d);
  }

  void Sperrfrist(const TDuengung& d) {
    const bool rot = Rot(d);
    const bool fest = FestmistOderKompost(d);
    const QString p13a = S("DüV § 13a Abs. 3");
    if (fest) {
      // 5: solid manure of hoofed animals and compost.
      if (rot ? Im(d.datum, 1101, 131) : Im(d.datum, 1201, 115)) {
        TBefund& b = Neu(5, rot ? p13a : S("DüV § 6 Abs. 9"), d);
        Satz(b, d, rot ? S(" – Sperrfrist im Nitratgebiet für Festmist von Huf- oder Klauentieren und Kompost "
                           "01.11.–31.01.")
                       : S(" – Sperrfrist für Festmist von Huf- oder Klauentieren und Kompost 01.12.–15.01."));
      }
      // 7: autumn to catch crops without fodder use in the nitrate area.
      const TKultur* k = Kultur(d.kultur);
      if (rot && k && k->fruchtNr == 0 && !MitFutternutzung(k->nummer) && d.datum.month() >= 7) {
        double& summe = m_zwischenfrucht[d.kultur];
        summe += d.nges;
        if (Ueber(summe, 120)) {
          TBefund& b = Neu(7, p13a, d);
          b.wert = summe;
          b.grenze = 120;
          b.einheit = S("kg N/ha");
          Satz(b, d, S(" bringt Festmist und Kompost zur Zwischenfrucht ohne Futternutzung auf %1 kg N/ha – im "
                       "Nitratgebiet höchstens 120 kg Gesamt-N/ha")
                         .arg(Zahl(summe)));
        }
      }
    }
    if (rot && d.nges > 0) Fruehjahr(d);
    // 6: fertilisers with significant phosphate, on any land.
    if (PWesentlich(d) && Im(d.datum, 1201, 115)) {
      TBefund& b = Neu(6, S("DüV § 6 Abs. 9"), d);
      Satz(b, d, S(" – Sperrfrist für Düngemittel mit wesentlichem Phosphatgehalt 01.12.–15.01."));
    }
    if (fest || !NWesentlich(d)) return;
    if (Gruenland(d)) {
      // 3: grassland and multi-year field forage.
      if (rot ? Im(d.datum, 1001, 131) : Im(d.datum, 1101, 131)) {
        TBefund& b = Neu(3, rot ? p13a : S("DüV § 6 Abs. 8"), d);
        Satz(b, d, rot ? S(" auf Grünland – Sperrfrist im Nitratgebiet 01.10.–31.01.")
                       : S(" auf Grünland – Sperrfrist 01.11.–31.01."));
        return;
      }
      // 4: liquid organic fertilisers from 1 September to the closed period.
      if (Fluessig(d) && Im(d.datum, 901, rot ? 930 : 1031)) {
        const double grenze = rot ? 60 : 80;
        double& summe = m_gruenlandHerbst[d.parzelle];
        summe += d.nges;
        if (Ueber(summe, grenze)) {
          TBefund& b = Neu(4, rot ? p13a : S("DüV § 6 Abs. 9"), d);
          b.wert = summe;
          b.grenze = grenze;
          b.einheit = S("kg N/ha");
          Satz(b, d, S(" bringt die flüssige organische Düngung auf Grünland seit 01.09. auf %1 kg N/ha – %2höchstens "
                       "%3 kg Gesamt-N/ha bis zur Sperrfrist")
                         .arg(Zahl(summe), rot ? S("im Nitratgebiet ") : QString(), QString::number(grenze)));
        }
      }
      return;
    }
    // 1 and 2: arable land.
    const TKultur* k = Kultur(d.kultur);
    const bool nachErnte = d.jahr > d.datum.year() || d.herbst;
    if (Im(d.datum, 1002, 131)) {
      // Vegetables and follow crops of the year may still stand before their harvest.
      const bool stehend = d.datum.month() >= 10 && k && k->jahr == d.datum.year() && !nachErnte &&
                           (k->kulturgruppe == 3 || k->fruchtNr >= 2);
      if (stehend) return;
      TBefund& b = Neu(1, S("DüV § 6 Abs. 8"), d);
      Satz(b, d, S(" auf Ackerland – Sperrfrist nach der Ernte der Hauptfrucht bis 31.01., Herbstdüngung nur bis 01.10."));
      return;
    }
    // Harvests begin in summer; a spring record on next year's crop is no autumn application.
    if (nachErnte && Tag(d.datum) >= 601) Herbstduengung(d, rot);
  }

  // 8: in the nitrate area a crop sown after 1 February gets N only after a
  // catch crop in the autumn before. Winter crops, grassland and fallow are
  // sown earlier or not at all.
  void Fruehjahr(const TDuengung& d) {
    const TKultur* k = Kultur(d.kultur);
    if (!k || k->fruchtNr != 1 || (k->kulturgruppe != 1 && k->kulturgruppe != 3) || k->artgruppe == 750 ||
        k->name.contains(S("Winter"), Qt::CaseInsensitive))
      return;
    if (Zwischenfrucht(k->zwischenfrucht) || m_mitZwischenfrucht.contains(Schluessel(k->jahr, k->parzelle))) return;
    TBefund& b = Neu(8, S("DüV § 13a Abs. 3"), d);
    b.wert = d.nges;
    b.einheit = S("kg N/ha");
    Satz(b, d, S(" zu %1 ohne Zwischenfrucht im Herbst davor – im Nitratgebiet nur mit Zwischenfrucht zu düngen "
                 "(Ausnahmen: Ernte der Vorfrucht nach dem 01.10., weniger als 550 mm Niederschlag)")
                   .arg(k->name.trimmed()));
  }

  // 2: after the harvest until 1 October only to certain crops with an autumn
  // demand, at most 30 kg ammonium N or 60 kg total N per ha.
  void Herbstduengung(const TDuengung& d, bool rot) {
    const TSchlag* s = Schlag(d.datum.year(), d.parzelle);
    const int fa = s ? s->hdFa : 0;
    const double bedarf = s ? (rot ? s->hdDngRg : s->hdDng) : 0;
    const bool kultur = rot ? fa >= 1 && fa <= 7 : fa >= 1 && fa <= 8;
    const QString paragraph = rot ? S("DüV § 13a Abs. 3") : S("DüV § 6 Abs. 9");
    if (!kultur || bedarf <= 0) {
      TBefund& b = Neu(2, paragraph, d);
      b.einheit = S("kg N/ha");
      b.wert = d.nges;
      if (rot && fa == 8)
        Satz(b, d, S(" nach der Ernte zu Wintergerste – im Nitratgebiet ist keine Herbstdüngung zu Wintergerste "
                     "erlaubt"));
      else if (rot)
        Satz(b, d, S(" nach der Ernte – Herbstdüngung im Nitratgebiet nur zu Feldfutter, Zwischenfrüchten mit "
                     "Futternutzung oder Winterraps (Nmin höchstens 45 kg/ha) mit ermitteltem Herbstdüngebedarf"));
      else
        Satz(b, d, S(" nach der Ernte – Herbstdüngung nur zu Zwischenfrüchten, Winterraps, Feldfutter oder "
                     "Wintergerste nach Getreide mit ermitteltem Herbstdüngebedarf"));
      return;
    }
    auto& [ammonium, gesamt] = m_herbst[d.parzelle];
    ammonium += d.nverf;
    gesamt += d.nges;
    const double grenze = std::min(60.0, bedarf);
    // Whichever limit is passed first: both are kept.
    if (Ueber(ammonium, 30)) {
      TBefund& b = Neu(2, paragraph, d);
      b.wert = ammonium;
      b.grenze = 30;
      b.einheit = S("kg NH4-N/ha");
      Satz(b, d, S(" bringt die Herbstdüngung auf %1 kg Ammonium-N/ha – höchstens 30 kg Ammonium-N/ha").arg(Zahl(ammonium)));
    } else if (Ueber(gesamt, grenze)) {
      TBefund& b = Neu(2, paragraph, d);
      b.wert = gesamt;
      b.grenze = grenze;
      b.einheit = S("kg N/ha");
      Satz(b, d, S(" bringt die Herbstdüngung auf %1 kg N/ha – höchstens %2 kg Gesamt-N/ha%3")
                     .arg(Zahl(gesamt), Zahl(grenze), grenze < 60 ? S(" (Herbstdüngebedarf)") : QString()));
    }
  }

  // The N a record brings to the crop's demand: available N, for organic
  // fertilisers at least their creditable share.
  double Angerechnet(const TDuengung& d) const {
    if (d.kategorie == 2)
      return std::max(d.nverf, d.menge * (Gruenland(d) ? d.nAnrechenbarGL : d.nAnrechenbarAL));
    return d.kategorie == 1 || d.kategorie == 5 ? d.nverf : 0.0;
  }

  TBefund& Betriebsbefund(int regel, const QString& paragraph) {
    TBefund b;
    b.regel = regel;
    b.paragraph = paragraph;
    m_befunde.push_back(b);
    return m_befunde.back();
  }

  void Betriebsgrenzen() {
    // 9: organic N and grazing on the farm's average.
    if (m_j.nJeHa170 && Ueber(*m_j.nJeHa170, 170)) {
      TBefund& b = Betriebsbefund(9, S("DüV § 6 Abs. 4"));
      b.wert = *m_j.nJeHa170;
      b.grenze = 170;
      b.einheit = S("kg N/ha");
      Texte(b, S("%1 kg N/ha aus organischen Düngemitteln und Weidehaltung im Betriebsdurchschnitt – höchstens "
                 "170 kg N/ha")
                   .arg(Zahl(b.wert)));
    }
    // 11: the nitrate-area demand less 20 %, unless the farm stays within 160 kg N/ha, 80 of them mineral.
    // Without a determined demand in the nitrate area there is nothing to reduce.
    if (!m_j.nitratRegeln || !m_j.nBedarfRot || *m_j.nBedarfRot <= 0) return;
    if (!Ueber(m_j.nGesamtRgJeHa, 160) && !Ueber(m_j.nMineralRgJeHa, 80)) return;
    double geduengt = 0;
    bool rot = false;
    for (const TDuengung& d : m_j.duengungen) {
      if (!d.datum.isValid() || d.datum.year() != m_j.jahr || !Rot(d)) continue;
      const TSchlag* s = SchlagVon(d);
      geduengt += Angerechnet(d) * s->groesse;
      rot = true;
    }
    if (!rot || !Ueber(geduengt, *m_j.nBedarfRot)) return;
    TBefund& b = Betriebsbefund(11, S("DüV § 13a Abs. 2 Nr. 1"));
    b.wert = geduengt;
    b.grenze = *m_j.nBedarfRot;
    b.einheit = S("kg N");
    Texte(b, S("im Nitratgebiet %1 kg N gedüngt (verfügbarer bzw. anrechenbarer N) – Düngebedarf abzüglich 20 % "
               "%2 kg N")
                 .arg(Zahl(geduengt), Zahl(b.grenze)));
  }

  void Schlaggrenzen() {
    if (!m_j.nitratRegeln) return;
    // 10: organic N on each nitrate-area field.
    std::map<int, double> organisch;
    for (const TDuengung& d : m_j.duengungen)
      if ((d.kategorie == 2 || d.kategorie == 4 || d.kategorie == 5) && d.datum.isValid() && d.datum.year() == m_j.jahr)
        organisch[d.parzelle] += d.nges;
    for (const TSchlag& s : m_j.schlaege) {
      if (s.jahr != m_j.jahr || !s.nitratgebiet) continue;
      const auto it = organisch.find(s.parzelle);
      if (it == organisch.end() || !Ueber(it->second, 170)) continue;
      TBefund b = Schlagbefund(s, 10, S("DüV § 13a Abs. 2 Nr. 3"), it->second, 170, S("kg N/ha"));
      Texte(b, S("%1 kg N/ha aus organischen Düngemitteln im Jahr %2 – im Nitratgebiet höchstens 170 kg N/ha je "
                 "Schlag")
                   .arg(Zahl(b.wert))
                   .arg(m_j.jahr));
      m_befunde.push_back(b);
    }
  }

  void Bedarf() {
    // 12: per crop row the N it received against its demand; autumn
    // applications before its year are credited in its demand already.
    QHash<qint64, double> n;
    std::map<int, double> p2o5;
    QHash<qint64, const TDuengung*> erste;
    for (const TDuengung& d : m_j.duengungen) {
      if (d.kategorie != 1 && d.kategorie != 2 && d.kategorie != 5) continue;
      if (d.jahr == m_j.jahr) p2o5[d.parzelle] += d.pges * 2.2914;
      const TKultur* k = Kultur(d.kultur);
      if (!k || (d.datum.isValid() && d.datum.year() < k->jahr)) continue;
      n[d.kultur] += Angerechnet(d);
      if (!erste.contains(d.kultur)) erste.insert(d.kultur, &d);
    }
    for (const TKultur& k : m_j.kulturen) {
      // A demand of 0 is what an incomplete crop row is cleared to: not calculated.
      if (k.jahr != m_j.jahr || !k.bedarf || *k.bedarf <= 0 || !n.contains(k.id) || !Ueber(n.value(k.id), *k.bedarf))
        continue;
      TBefund b;
      b.regel = 12;
      b.paragraph = S("DüV § 3 Abs. 3");
      b.parzelle = k.parzelle;
      if (const TSchlag* s = Schlag(k.jahr, k.parzelle)) {
        b.schlagNr = s->schlagNr;
        b.schlag = s->name;
      }
      b.kultur = k.id;
      b.wert = n.value(k.id);
      b.grenze = *k.bedarf;
      b.einheit = S("kg N/ha");
      Texte(b, S("%1 kg N/ha zu %2 gedüngt (verfügbarer bzw. anrechenbarer N) – ermittelter Düngebedarf %3 kg N/ha")
                   .arg(Zahl(b.wert), k.name.trimmed().isEmpty() ? S("der Kultur") : k.name.trimmed(), Zahl(b.grenze)));
      m_befunde.push_back(b);
    }
    // 12: per field the phosphate of the year against its demand.
    for (const TSchlag& s : m_j.schlaege) {
      if (s.jahr != m_j.jahr || !s.p2o5Bedarf || *s.p2o5Bedarf <= 0) continue;
      const auto it = p2o5.find(s.parzelle);
      if (it == p2o5.end() || !Ueber(it->second, *s.p2o5Bedarf)) continue;
      TBefund b = Schlagbefund(s, 12, S("DüV § 3 Abs. 3"), it->second, *s.p2o5Bedarf, S("kg P2O5/ha"));
      Texte(b, S("%1 kg P2O5/ha gedüngt – Phosphatbedarf %2 kg P2O5/ha; mehr nur im Rahmen der Fruchtfolge")
                   .arg(Zahl(b.wert), Zahl(b.grenze)));
      m_befunde.push_back(b);
    }
  }

  // 13: the size every per-hectare limit is worked out with, against the
  // area of the field's outline.
  void Flaechen() {
    for (const TSchlag& s : m_j.schlaege) {
      if (s.jahr != m_j.jahr || !s.umrissHa || !Karte::FlaecheWeichtAb(*s.umrissHa, s.groesse)) continue;
      TBefund b = Schlagbefund(s, 13, S("Flächenabgleich mit dem Umriss"), *s.umrissHa, s.groesse, S("ha"));
      const double prozent = s.groesse > 0 ? 100 * (*s.umrissHa - s.groesse) / s.groesse : 0;
      Texte(b, S("Fläche laut Umriss %1 ha, angegebene Größe %2 ha (Abweichung %3 %)")
                   .arg(Zahlen::Text(*s.umrissHa, 2), Zahlen::Text(s.groesse, 2), Zahl(prozent)));
      m_befunde.push_back(b);
    }
  }

  const TJahr& m_j;
  QHash<qint64, const TSchlag*> m_schlaege;
  QHash<qint64, const TKultur*> m_kulturen;
  QSet<qint64> m_mitZwischenfrucht;  // field-years with a catch-crop row
  std::map<int, std::pair<double, double>> m_herbst;  // parcel: ammonium N, total N
  std::map<int, double> m_gruenlandHerbst;
  std::map<qint64, double> m_zwischenfrucht;
  std::vector<TBefund> m_befunde;
};

}  // namespace

bool NitratRegelnAktiv(int jahr, const std::optional<bool>& schalter) { return jahr > 2020 && schalter.value_or(true); }

std::vector<TBefund> Pruefen(const TJahr& j) { return TPruefung(j).Alle(); }

bool Betrifft(const TBefund& b, const TDuengung& d) {
  if (b.dung != 0) return b.dung == d.id;
  const bool organisch = d.kategorie == 2 || d.kategorie == 4 || d.kategorie == 5;
  const bool geduengt = d.kategorie == 1 || d.kategorie == 2 || d.kategorie == 5;
  switch (b.regel) {
    case 9: return organisch;
    case 11: return geduengt;
    case 10: return organisch && b.parzelle == d.parzelle;
    // An autumn application before its crop's year is credited in the demand, not counted against it.
    case 12:
      return geduengt && (b.kultur != 0 ? b.kultur == d.kultur && !(d.datum.isValid() && d.datum.year() < d.jahr)
                                        : b.parzelle == d.parzelle);
    default: return false;
  }
}

QStringList Drucktexte(const std::vector<TBefund>& befunde) {
  QStringList zeilen{S("Prüfung der Grenzen der Düngeverordnung")};
  if (befunde.empty()) {
    zeilen << S("Keine Überschreitung gefunden.");
    return zeilen;
  }
  for (const TBefund& b : befunde) zeilen << b.text;
  return zeilen;
}

}  // namespace Pruefung
