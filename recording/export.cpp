#include "export.h"

#include "auswertung.h"
#include "betriebskulturen.h"
#include "bilanz.h"
#include "connection.h"
#include "meldedatei.h"

#include <QDate>
#include <QDir>

#include <optional>
#include <vector>

namespace Export {

namespace {

QString K(const char* s) { return QString::fromUtf8(s); }

// A whole number as stored; empty stays empty.
QString Ganz(const QVariant& v) { return v.isNull() ? QString() : QString::number(v.toLongLong()); }

QString Datum(const QVariant& v) {
  if (v.isNull()) return {};
  const QDate d = QDate::fromString(v.toString().left(10), Qt::ISODate);
  return d.isValid() ? d.toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

double Nz(const QVariant& v) { return v.isNull() ? 0.0 : v.toDouble(); }

// The farm's columns at the start of every file.
struct TBetrieb {
  bool gefunden = false;
  QStringList spalten;  // Betriebsname … BKR
  QVariant kreisNr;
  QString euNummer;
};

TBetrieb Betrieb(TADOModConnection& db, int betrieb) {
  TBetrieb b;
  TAbfrage q(db,
             K("select Betriebsname, EU_NUMMER, SitzStrasse, SitzPLZ, SitzOrt, SitzOrtsTeil, KreisNr, Kreis, BKR "
               "from Betriebe where ID = :b"),
             {{K("b"), betrieb}});
  if (!q.Ok() || !q.Naechste()) return b;
  b.gefunden = true;
  for (int i = 0; i < 8; ++i) b.spalten << q.Wert(i).toString().trimmed();
  b.spalten << Ganz(q.Wert(8));
  b.kreisNr = q.Wert(6);
  b.euNummer = q.Wert(1).toString();
  return b;
}

QString Pfad(const QString& ordner, const char* praefix, const TBetrieb& b, int jahr) {
  return QDir(ordner).filePath(Meldedatei::Dateiname(K(praefix), b.kreisNr, b.euNummer, jahr));
}

bool Fehler(QString* fehler, const QString& text) {
  if (fehler) *fehler = text;
  return false;
}

QString NichtGeschrieben(const QString& pfad) {
  return K("Die Datei %1 wurde nicht geschrieben: ").arg(QDir::toNativeSeparators(pfad));
}

// Columns 1 to 16 of both statement files.
std::optional<QStringList> Stammteil(TADOModConnection& db, const TBetrieb& b, int betrieb, int jahr) {
  TAbfrage q(db,
             K("select ErstellungsdatumAufzeichnungBedarf, Ackerland, Gruenland, Betriebsgroesse, Flaeche170kg, IsOeko "
               "from DuengeJahr where BetriebsNr = :b and Duengejahr = :j"),
             {{K("b"), betrieb}, {K("j"), jahr}});
  if (!q.Ok() || !q.Naechste()) return std::nullopt;
  QStringList s = b.spalten;
  s << Datum(q.Wert(0)) << QString::number(jahr);
  for (int i = 1; i <= 4; ++i) s << Meldedatei::EineStelle(q.Wert(i));
  s << (q.Wert(5).toInt() != 0 ? K("o") : K("k"));
  return s;
}

const QStringList& Stammkopf() {
  static const QStringList k = {
      K("Betriebsname"), K("EU_NUMMER"), K("SitzStrasse"), K("SitzPLZ"), K("SitzOrt"), K("SitzOrtsTeil"),
      K("KreisNr"), K("Kreis"), K("BKR"), K("ErstellungsdatumAufzeichnungBedarf"), K("Duengejahr"), K("Ackerland"),
      K("Gruenland"), K("Betriebsgroesse"), K("Flaeche170kg"), K("Bewirtschaftung")};
  return k;
}

const QStringList& PNamen() {
  static const QStringList p = {K("PMinDung"),        K("PTierDung"),     K("PWeide"),
                                K("PSonstDung"),      K("PBodenHilf"),    K("PKulturSubstrat"),
                                K("PPflanzenHilf"),   K("PAbfall"),       K("PSummeOhneWeide"),
                                K("PSumme")};
  return p;
}

// Column name and statement value of the statement part.
using TSpalte = std::pair<QString, QString>;

std::vector<TSpalte> GesamtSpalten() {
  std::vector<TSpalte> s = {{K("NBedarf"), K("NBedarf")},       {K("NBedarfHD"), K("NBedarfHD")},
                            {K("PBedarf"), K("PBedarf")},       {K("P2O5Bedarf"), K("P2O5Bedarf")},
                            {K("NMinDung"), K("NMinDung")},     {K("NTierDung"), K("NTierDung")},
                            {K("NVerfTierDung"), K("NVerfN")},  {K("NWeide"), K("NWeide")},
                            {K("NSonstDung"), K("NSonstDung")}, {K("NVerfSonstDung"), K("NVerfSonstDung")},
                            {K("NBodenHilf"), K("NBodenHilf")}, {K("NKulturSubstrat"), K("NKulturSubstrat")},
                            {K("NPflanzenHilf"), K("NPflanzenHilf")}, {K("NAbfall"), K("NAbfall")},
                            {K("NLegum"), K("NLegum")},
                            {K("NSummeOhneLegumWeide"), K("NSummeOhneLegumWeide")},
                            {K("NSumme"), K("NSumme")},         {K("NSumme_ha"), K("NSumme_ha")},
                            {K("NSummeVerf"), K("NSummeVerf")}};
  for (const QString& p : PNamen()) s.emplace_back(p, p);
  return s;
}

std::vector<TSpalte> NitratSpalten() {
  std::vector<TSpalte> s = {{K("NBedarf"), K("NBedarf")},
                            {K("NBedarfHDRot"), K("NBedarfHD")},
                            {K("PBedarf"), K("PBedarf")},
                            {K("P2O5Bedarf"), K("P2O5Bedarf")},
                            {K("NBedarfRot"), K("NBedarfRot")},
                            {K("FlaecheRotesGebiet"), K("FlaecheRotesGebiet")},
                            {K("NMinDungRG"), K("NMinDungRG")},
                            {K("NSummeRGOhneLWT"), K("NSummeRGOhneLWT")},
                            {K("NMinDungRG_ha"), K("NMinDungRG_ha")},
                            {K("NSummeRGOhneLWT_ha"), K("NSummeRGOhneLWT_ha")}};
  for (const char* n : {"NMinDung", "NTierDung", "NVerfN", "NWeide", "NSonstDung", "NVerfSonstDung", "NBodenHilf",
                        "NKulturSubstrat", "NPflanzenHilf", "NAbfall", "NLegum", "NSummeOhneLegumWeide", "NSumme",
                        "NSumme_ha", "NSummeVerf"})
    s.emplace_back(K(n), K(n));
  for (const QString& p : PNamen()) s.emplace_back(p, p);
  return s;
}

QStringList Kopf(const std::vector<TSpalte>& spalten) {
  QStringList k = Stammkopf();
  for (const auto& s : spalten) k << s.first;
  for (const QString& p : PNamen()) k << QStringLiteral("P2O5") + p.mid(1);
  return k;
}

bool Bilanzdatei(TADOModConnection& db, int betrieb, int jahr, const QString& ordner, QString* fehler,
                 bool nitratgebiet) {
  const TBetrieb b = Betrieb(db, betrieb);
  if (!b.gefunden) return Fehler(fehler, K("Der Betrieb %1 wurde nicht gefunden.").arg(betrieb));
  const QString pfad = Pfad(ordner, nitratgebiet ? "Anl5NG_" : "Anl5_", b, jahr);
  // The per-ha values divide by the farm areas: without them there is no statement to report.
  if (!Bilanz::BetriebsflaechenVollstaendig(db, betrieb, jahr))
    return Fehler(fehler, NichtGeschrieben(pfad) + K("Die Betriebsgröße oder die Fläche für die 170-kg-Grenze des "
                                                     "Düngejahres %1 ist 0. %2.")
                                                       .arg(jahr)
                                                       .arg(Bilanz::FlaechenFehlen));
  const std::optional<QStringList> stamm = Stammteil(db, b, betrieb, jahr);
  if (!stamm) return Fehler(fehler, NichtGeschrieben(pfad) + K("Das Düngejahr %1 wurde nicht gefunden.").arg(jahr));
  // No crop row in the year: an empty statement, every value 0.
  const std::optional<TBilanz> bilanz =
      nitratgebiet ? Bilanz::Nitratgebiet(db, betrieb, jahr) : Bilanz::Gesamtbetrieb(db, betrieb, jahr);
  // A failed computation must not be reported as a statement of zeros.
  if (!bilanz && db.Wert(K("select count(*) from Anbau where BetriebsNr = :b and Jahr = :j"),
                         {{K("b"), betrieb}, {K("j"), jahr}})
                         .toInt() > 0)
    return Fehler(fehler,
                  NichtGeschrieben(pfad) +
                      K("Die Bilanz des Düngejahres %1 konnte nicht berechnet werden.").arg(jahr));
  const TBilanz leer;
  const TBilanz& w = bilanz ? *bilanz : leer;
  const std::vector<TSpalte> spalten = nitratgebiet ? NitratSpalten() : GesamtSpalten();
  QStringList zeile = *stamm;
  for (const auto& s : spalten) zeile << Meldedatei::EineStelle(w.Zahl(s.second));
  for (const QString& p : PNamen()) zeile << Meldedatei::EineStelle(w.Zahl(p) * P2O5JeP);
  return Meldedatei::Schreiben(pfad, Kopf(spalten), {zeile}, fehler);
}

// --- records ---------------------------------------------------------------------

QString Zuordnung(int kategorie, int dngGrp) {
  switch (kategorie) {
    case 1: return K("Mineralische Düngemittel");
    case 2: return dngGrp > 4 ? K("sonstige organische Düngemittel") : K("Wirtschaftsdünger tierischer Herkunft");
    case 3: return K("N-Bindung Leguminosen");
    case 4: return K("Weidehaltung");
    case 5: return K("Sonstige Stoffe");
    default: return {};
  }
}

QString Herkunft(const QVariant& v) {
  switch (v.isNull() ? 0 : v.toInt()) {
    case 1: return K("Richtwert");
    case 2: return K("Analyse");
    case 3: return K("Deklaration");
    default: return K("undefiniert");
  }
}

const char* const OhneDatumAbfrage =
    "select count(*) from Dung d inner join Anbau a on a.ID = d.ProbenID "
    "where d.BetriebsNr = :b and d.Jahr = :j and d.Kategorie <> 3 and d.Datum is null";

QStringList Zeile(const Auswertung::TDungsatz& s, const QStringList& betrieb, int jahr) {
  using Meldedatei::EineStelle;
  const double groesse = Nz(s.groesse);
  QStringList z = betrieb;
  z << QString::number(jahr) << s.feldblock << Ganz(s.parzelle) << s.schlagName << EineStelle(s.groesse)
    << (s.nitratgebiet == 2 ? K("Ja") : K("Nein")) << s.kultur << Ganz(s.hauptfruchtNummer)
    << Zuordnung(s.kategorie, s.dngGrpNummer.toInt()) << Auswertung::Kurzart(s) << s.dng
    << (s.datum.isValid() ? s.datum.toString(QStringLiteral("dd.MM.yyyy")) : QString()) << EineStelle(s.menge)
    << EineStelle(s.nt) << EineStelle(s.nh4n) << EineStelle(s.p) << EineStelle(s.mengeN) << EineStelle(s.mengeNH4N)
    << EineStelle(s.pMenge) << EineStelle(s.mengeN_ha) << EineStelle(s.mengeNH4N_ha)
    << EineStelle(groesse != 0 ? s.pMenge / groesse : 0.0) << (s.istHerbstDuengung ? K("Ja") : K("Nein"))
    << Herkunft(s.herkunftNr) << EineStelle(s.weideTiere) << Ganz(s.weideTage) << Ganz(s.dngGrpNummer) << Ganz(s.gruppeNr)
    << Ganz(s.taVerfNr);
  return z;
}

// --- yields ----------------------------------------------------------------------

// The shortest general form with a decimal comma; empty stays empty.
QString Allgemein(const QVariant& v) {
  if (v.isNull()) return {};
  return QString::number(v.toDouble(), 'g', 15).replace(u'.', u',');
}

}  // namespace

QStringList KopfErtraege() {
  QStringList k = Stammkopf().mid(0, 9);
  for (const char* n : {"Duengejahr", "HF", "HF_NR", "Ertrag", "ErtragNG", "AndererErtrag"}) k << K(n);
  return k;
}

bool Ertraege(TADOModConnection& db, int betrieb, int jahr, const QString& ordner, QString* fehler) {
  const TBetrieb b = Betrieb(db, betrieb);
  if (!b.gefunden) return Fehler(fehler, K("Der Betrieb %1 wurde nicht gefunden.").arg(betrieb));
  const QString pfad = Pfad(ordner, "Ertraege_", b, jahr);
  std::vector<QStringList> zeilen;
  // The crops as the yield window lists them, without group 750.
  TAbfrage q(db, Betriebskulturen::Abfrage(K("Kultur, FA_NR, TatsErtrag, TatsErtragRG, IsEinzelErtrag"), false),
             {{K("b"), betrieb}});
  if (!q.Ok()) return Fehler(fehler, NichtGeschrieben(pfad) + K("Die Erträge konnten nicht gelesen werden."));
  while (q.Naechste()) {
    QStringList z = b.spalten;
    // The nitrate-area yield exists from 2021 on.
    z << QString::number(jahr) << q.Wert(0).toString() << Ganz(q.Wert(1)) << Allgemein(q.Wert(2))
      << (jahr <= 2020 ? K("0") : Allgemein(q.Wert(3))) << (q.Wert(4).toInt() != 0 ? K("Wahr") : K("Falsch"));
    zeilen.push_back(z);
  }
  return Meldedatei::Schreiben(pfad, KopfErtraege(), zeilen, fehler);
}

QStringList KopfGesamtbetrieb() { return Kopf(GesamtSpalten()); }
QStringList KopfNitratgebiet() { return Kopf(NitratSpalten()); }

QStringList KopfDuengungen() {
  QStringList k = Stammkopf().mid(0, 9);
  for (const char* n : {"Duengejahr", "Feldblock_ID", "Parzelle", "Schlagname", "Groesse", "NG", "HF", "HF_Nr",
                        "Zuordnung", "Kategorie", "Bezeichnung", "Datum", "Menge", "NT", "NH4N", "P", "Menge_N",
                        "Menge_NVerf", "P_Menge", "Menge_N_ha", "Menge_NVerf_ha", "P_Menge_ha", "IstHerbstDuengung",
                        "Datenherkunft", "Weidetiere", "Weidetage", "DngGrpNummer", "GruppeNr", "TaVerfNr"})
    k << K(n);
  return k;
}

bool Gesamtbetrieb(TADOModConnection& db, int betrieb, int jahr, const QString& ordner, QString* fehler) {
  return Bilanzdatei(db, betrieb, jahr, ordner, fehler, false);
}

bool Nitratgebiet(TADOModConnection& db, int betrieb, int jahr, const QString& ordner, QString* fehler) {
  return Bilanzdatei(db, betrieb, jahr, ordner, fehler, true);
}

int OhneDatum(TADOModConnection& db, int betrieb, int jahr) {
  return db.Wert(K(OhneDatumAbfrage), {{K("b"), betrieb}, {K("j"), jahr}}).toInt();
}

bool Duengungen(TADOModConnection& db, int betrieb, int jahr, const QString& ordner, QString* fehler,
                QString* hinweis) {
  if (hinweis) hinweis->clear();
  const TBetrieb b = Betrieb(db, betrieb);
  if (!b.gefunden) return Fehler(fehler, K("Der Betrieb %1 wurde nicht gefunden.").arg(betrieb));
  const QString pfad = Pfad(ordner, "Duengungen_", b, jahr);
  std::vector<QStringList> zeilen;
  {
    bool ok = false;
    const auto saetze = Auswertung::Saetze(db, betrieb, jahr, Auswertung::TReihenfolge::NachKategorie, &ok);
    if (!ok) return Fehler(fehler, NichtGeschrieben(pfad) + K("Die Aufzeichnungen konnten nicht gelesen werden."));
    for (const auto& s : saetze) zeilen.push_back(Zeile(s, b.spalten, jahr));
  }
  if (!Meldedatei::Schreiben(pfad, KopfDuengungen(), zeilen, fehler)) return false;
  const int ohneDatum = OhneDatum(db, betrieb, jahr);
  if (hinweis && ohneDatum > 0)
    *hinweis = (ohneDatum == 1 ? K("%1 Aufzeichnung des Düngejahres %2 hat kein Datum und fehlt")
                               : K("%1 Aufzeichnungen des Düngejahres %2 haben kein Datum und fehlen"))
                   .arg(ohneDatum)
                   .arg(jahr) +
               K(" in der Datei %1. Bitte das Datum nachtragen.").arg(QDir::toNativeSeparators(pfad));
  return true;
}

}  // namespace Export
