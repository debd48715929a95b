#include "phosphorpruefung.h"

#include "connection.h"
#include "dataset.h"
#include "phosphor.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace Phosphorpruefung {

namespace {

int Ganz(double w) { return int(std::lround(w)); }

QDate Datum(const QVariant& v) { return QDate::fromString(v.toString().left(10), u"yyyy-MM-dd"_s); }

// 1 arable land or vegetables, 2 grassland, 0 unknown.
int Nutzungsart(qint64 fruchtNummer) {
  if (fruchtNummer <= 0) return 0;
  const qint64 ziffer = fruchtNummer / 100 % 10;
  if (ziffer == 2) return 2;
  return ziffer == 1 || ziffer == 3 ? 1 : 0;
}

// The results a stopped calculation empties; the class goes with them.
const QStringList Ergebnisspalten = {u"P_Jahre"_s,        u"P_EGes"_s,           u"P2O5_EGes"_s,
                                     u"P_ZuAbBoden"_s,    u"P2O5_ZuAbBoden"_s,   u"P_AbVorFruchtNP"_s,
                                     u"P2O5_AbFruchtNP"_s, u"P_DuengeBedarf"_s,  u"P2O5_DuengeBedarf"_s,
                                     u"P_DuengeBedarfFachlich"_s, u"P2O5_DuengeBedarfFachlich"_s};

struct TFolgespalten {
  QString nummer, name, ertrag, einzel, niveau, p2o5, entzug, nachlieferung, bedarf;
};
const TFolgespalten Folgespalten[2] = {
    {u"Folgefrucht_1"_s, u"FF1_Name"_s, u"FF1Einzelertrag"_s, u"FF1IsEinzelErtrag"_s, u"FF1Ertragsniveau"_s,
     u"P2O5_FF_1"_s, u"PEntzugFF1"_s, u"PNachlieferungFF1"_s, u"PDuengebedarfFF1"_s},
    {u"Folgefrucht_2"_s, u"FF2_Name"_s, u"FF2Einzelertrag"_s, u"FF2IsEinzelErtrag"_s, u"FF2Ertragsniveau"_s,
     u"P2O5_FF_2"_s, u"PEntzugFF2"_s, u"PNachlieferungFF2"_s, u"PDuengebedarfFF2"_s}};

QString Zf(int jahr, const QString& rest) { return u"ZFP"_s + QString::number(jahr) + rest; }

}  // namespace

QString Ueberschrift(bool oekologisch) {
  return oekologisch ? u"Ermittlung Phosphorbedarf für den ökologischen Landbau"_s
                     : u"Ermittlung Phosphorbedarf für den konventionellen Landbau"_s;
}

bool Oekologisch(TADOModConnection& db, int betrieb, int jahr) {
  return db.Wert(u"select IsOeko from DuengeJahr where BetriebsNr = :B and Duengejahr = :J"_s,
                 {{u"B"_s, betrieb}, {u"J"_s, jahr}})
             .toInt() != 0;
}

QString Ertragseinheit(const QVariant& fruchtNummer) {
  const qint64 n = fruchtNummer.toLongLong();
  if (fruchtNummer.isNull() || n <= 0) return {};
  const qint64 ziffer = n / 100 % 10;
  return ziffer == 1 || ziffer == 3 ? u"dt/ha FM"_s : u"dt/ha TM"_s;
}

TWerte Kulturen(TADOModConnection& db, int betrieb, TWahl wahl) {
  const QString filter = wahl == TWahl::Frucht ? u"and Ertragsniveau > 0 and coalesce(FRU_ARTGRNR, 0) <> 750 "_s
                                               : u"and FRU_ARTGRNR in (310, 740) "_s;
  TWerte e;
  TAbfrage a(db,
             u"select FA_NR, Kultur from S_KulturenNP where BetriebsNr = :B and Auswahl = 1 "
             "and coalesce(Kultur, '') <> '' "_s +
                 filter + u"order by Kultur collate Deutsch"_s,
             {{u"B"_s, betrieb}});
  while (a.Naechste()) e.emplace_back(a.Wert(1).toString(), a.Wert(0));
  return e;
}

std::optional<TKultur> Kultur(TADOModConnection& db, int betrieb, const QVariant& faNr) {
  TAbfrage a(db,
             u"select Kultur, TatsErtrag, TatsErtragRG, Ertragsniveau from S_KulturenNP "
             "where BetriebsNr = :B and FA_NR = :F"_s,
             {{u"B"_s, betrieb}, {u"F"_s, faNr}});
  if (!a.Naechste()) return std::nullopt;
  return TKultur{a.Wert(0).toString(), a.Wert(1).toDouble(), a.Wert(2).toDouble(), a.Wert(3).toDouble()};
}

void HauptfruchtGewaehlt(TADODataSetMod& schlag, const QVariant& faNr, const TKultur& k) {
  const bool nitratgebiet =
      schlag.Wert(u"BewirtschaftungsAuflagen"_s).toInt() == 2 && schlag.Wert(u"Jahr"_s).toInt() > 2020;
  schlag.setWert(u"HauptfruchtNummer"_s, faNr);
  schlag.setWert(u"HF_Name"_s, k.name);
  schlag.setWert(u"HFEinzelertrag"_s, nitratgebiet ? k.tatsErtragRG : k.tatsErtrag);
}

void HauptfruchtErtragGetippt(TADOModConnection& db, TADODataSetMod& schlag, int betrieb) {
  const auto k = Kultur(db, betrieb, schlag.Wert(u"HauptfruchtNummer"_s));
  if (k && schlag.Wert(u"HF_Name"_s).toString() != k->name) schlag.setWert(u"HF_Name"_s, k->name);
}

void VorfruchtGewaehlt(TADODataSetMod& schlag, const QVariant& faNr, const TKultur& k) {
  schlag.setWert(u"Vorfrucht"_s, faNr);
  schlag.setWert(u"VF_Name"_s, k.name);
  schlag.setWert(u"VFEinzelertrag"_s, Ganz(k.tatsErtrag));
}

bool Nutzungswechsel(qint64 hauptfrucht, qint64 folgefrucht) {
  const int a = Nutzungsart(hauptfrucht);
  const int b = Nutzungsart(folgefrucht);
  return a && b && a != b;
}

TFolgefrucht FolgefruchtGewaehlt(TADODataSetMod& schlag, int nr, const QVariant& faNr, const TKultur& k) {
  if (Nutzungswechsel(schlag.Wert(u"HauptfruchtNummer"_s).toLongLong(), faNr.toLongLong())) {
    FolgefruchtLoeschen(schlag, nr);
    return TFolgefrucht::Nutzungswechsel;
  }
  const TFolgespalten& s = Folgespalten[nr == 2 ? 1 : 0];
  schlag.setWert(s.nummer, faNr);
  schlag.setWert(s.name, k.name);
  schlag.setWert(s.ertrag, Ganz(k.tatsErtrag));
  schlag.setWert(s.niveau, k.ertragsniveau);
  return k.tatsErtrag < 1 && k.ertragsniveau > 1 ? TFolgefrucht::OhneErtrag : TFolgefrucht::Uebernommen;
}

void FolgefruchtLoeschen(TADODataSetMod& schlag, int nr) {
  const TFolgespalten& s = Folgespalten[nr == 2 ? 1 : 0];
  schlag.setWert(s.nummer, QVariant());
  schlag.setWert(s.name, QString());
  for (const QString& f : {s.ertrag, s.einzel, s.niveau, s.p2o5, s.entzug, s.nachlieferung, s.bedarf})
    schlag.setWert(f, 0);
  if (nr == 2) {
    ZwischenfruchtLoeschen(schlag, 2);
    return;
  }
  schlag.setWert(u"NPFF_1Abgefahren"_s, 0);
  schlag.setWert(u"P2O5_AbFolgeFruchtNP"_s, 0);
  FolgefruchtLoeschen(schlag, 2);
  ZwischenfruchtLoeschen(schlag, 1);
}

void ZwischenfruchtGewaehlt(TADODataSetMod& schlag, int jahr, const QVariant& faNr, const TKultur& k) {
  schlag.setWert(Zf(jahr, u"_NR"_s), faNr);
  schlag.setWert(Zf(jahr, u"_NAME"_s), k.name);
  schlag.setWert(Zf(jahr, u"_P2O5"_s), 0);
}

void ZwischenfruchtLoeschen(TADODataSetMod& schlag, int jahr) {
  schlag.setWert(Zf(jahr, u"_NR"_s), 0);
  schlag.setWert(Zf(jahr, u"_ERTRAG"_s), 0);
  schlag.setWert(Zf(jahr, u"_NAME"_s), QString());
  schlag.setWert(u"PEntzugZFP"_s + QString::number(jahr), 0);
}

void GehaltEingegeben(TADODataSetMod& schlag, bool p2o5Eingegeben) {
  const QVariant v = schlag.Wert(p2o5Eingegeben ? u"P2O5_Gehalt"_s : u"P_Gehalt"_s);
  const QVariant anderer =
      v.isNull() ? QVariant() : QVariant(p2o5Eingegeben ? v.toDouble() / P2O5jeP : v.toDouble() * P2O5jeP);
  schlag.setWert(p2o5Eingegeben ? u"P_Gehalt"_s : u"P2O5_Gehalt"_s, anderer);
  KlasseAbleiten(schlag);
}

bool KlasseAbleiten(TADODataSetMod& schlag) {
  const QString klasse = Phosphor::Gehaltsklasse(schlag.Wert(u"P_Methode"_s).toInt(), schlag.Wert(u"BKR"_s).toInt(),
                                                 schlag.Wert(u"P_Gehalt"_s).toDouble());
  if (schlag.Wert(u"P_GehaltsKlasse"_s).toString() == klasse) return false;
  schlag.setWert(u"P_GehaltsKlasse"_s, klasse);
  return true;
}

void ErgebnisseLeeren(TADODataSetMod& schlag) {
  for (const QString& f : Ergebnisspalten) schlag.setWert(f, 0);
  schlag.setWert(u"P_GehaltsKlasse"_s, QString());
}

bool Zuruecksetzen(TADOModConnection& db, qint64 schlagId) {
  return db.AusfuehrenMitMeldung(
      u"update Schlag set "_s + Ergebnisspalten.join(u" = 0, "_s) + u" = 0, P_GehaltsKlasse = '' where ID = :id"_s,
      {{u"id"_s, schlagId}});
}

TDatumMethode Merken(const TADODataSetMod& schlag) {
  return {schlag.Wert(u"P_BerechnungsDatum"_s), schlag.Wert(u"P_AnalyseDatum"_s), schlag.Wert(u"P_Methode"_s)};
}

void Setzen(TADODataSetMod& schlag, const TDatumMethode& werte) {
  schlag.setWert(u"P_BerechnungsDatum"_s, werte.berechnungsDatum);
  schlag.setWert(u"P_AnalyseDatum"_s, werte.analyseDatum);
  schlag.setWert(u"P_Methode"_s, werte.methode);
  KlasseAbleiten(schlag);
}

TAlter Analysealter(const QDate& analyse, const QDate& berechnung, int jahr, bool folgefrucht1, bool folgefrucht2) {
  const int a = analyse.isValid() ? analyse.year() : 0;
  if (a < jahr - 6) return TAlter::ZuAlt;
  if (a == jahr - 6) {
    // The day of the year as the calendar gives it: 1 March is the same day in a leap year.
    if (berechnung.isValid() &&
        std::pair(analyse.month(), analyse.day()) < std::pair(berechnung.month(), berechnung.day()))
      return TAlter::ZuAlt;
    return TAlter::Ablaufhinweis;
  }
  if ((a == jahr - 5 && (folgefrucht1 || folgefrucht2)) || (a == jahr - 4 && folgefrucht1)) return TAlter::Ablaufhinweis;
  return TAlter::Gueltig;
}

bool SetztZurueck(THindernis h) {
  switch (h) {
    case THindernis::Keines:
    case THindernis::FeldblockFehlt:
    case THindernis::ParzelleFehlt:
    case THindernis::DatumFehlt:
      return false;
    default:
      return true;
  }
}

TBerechnenWerte Werte(const TADODataSetMod& schlag) {
  const auto zahl = [&](const QString& f) { return schlag.Wert(f).toDouble(); };
  TBerechnenWerte w;
  w.jahr = schlag.Wert(u"Jahr"_s).toInt();
  w.keineDuengung = schlag.Wert(u"KeineDuengung"_s).toInt() != 0;
  w.methode = schlag.Wert(u"P_Methode"_s).toInt();
  w.analyseDatum = Datum(schlag.Wert(u"P_AnalyseDatum"_s));
  w.berechnungsDatum = Datum(schlag.Wert(u"P_BerechnungsDatum"_s));
  w.feldblock = schlag.Wert(u"Feldblock"_s).toString();
  w.parzelle = schlag.Wert(u"Parzelle"_s).toInt();
  w.pGehalt = zahl(u"P_Gehalt"_s);
  w.vorfrucht = schlag.Wert(u"Vorfrucht"_s).toLongLong();
  w.hauptfrucht = schlag.Wert(u"HauptfruchtNummer"_s).toLongLong();
  w.hfErtrag = zahl(u"HFEinzelertrag"_s);
  w.folgefrucht1 = schlag.Wert(u"Folgefrucht_1"_s);
  w.folgefrucht2 = schlag.Wert(u"Folgefrucht_2"_s);
  w.ff1Ertrag = zahl(u"FF1Einzelertrag"_s);
  w.ff2Ertrag = zahl(u"FF2Einzelertrag"_s);
  for (int j = 0; j < 3; ++j) {
    w.zwischenfrucht[j] = schlag.Wert(Zf(j, u"_NR"_s)).toLongLong();
    w.zfErtrag[j] = zahl(Zf(j, u"_ERTRAG"_s));
  }
  return w;
}

TPruefung VorDemBerechnen(const TBerechnenWerte& w) {
  TPruefung p;
  const auto halt = [&p](THindernis h) {
    p.hindernis = h;
    return p;
  };
  if (w.keineDuengung) return halt(THindernis::KeineDuengung);
  if (w.methode == Euf) return halt(THindernis::Euf);
  if (w.methode == 0) return halt(THindernis::OhneMethode);
  const TAlter alter = Analysealter(w.analyseDatum, w.berechnungsDatum, w.jahr, !w.folgefrucht1.isNull(),
                                    !w.folgefrucht2.isNull());
  if (alter == TAlter::ZuAlt) return halt(THindernis::AnalyseZuAlt);
  p.ablaufhinweis = alter == TAlter::Ablaufhinweis;
  if (w.feldblock.trimmed().isEmpty()) return halt(THindernis::FeldblockFehlt);
  if (w.parzelle == 0) return halt(THindernis::ParzelleFehlt);
  if (!w.berechnungsDatum.isValid()) return halt(THindernis::DatumFehlt);
  if (w.pGehalt < 0.1) return halt(THindernis::GehaltZuKlein);
  if (w.vorfrucht <= 0) return halt(THindernis::VorfruchtFehlt);
  if (w.hauptfrucht <= 0) return halt(THindernis::HauptfruchtFehlt);
  if (!(w.hfErtrag > 0)) return halt(THindernis::ErtragFehlt);
  if (w.folgefrucht1.toLongLong() > 0 && !(w.ff1Ertrag > 0)) return halt(THindernis::Folgefrucht1ErtragFehlt);
  if (w.folgefrucht2.toLongLong() > 0 && !(w.ff2Ertrag > 0)) return halt(THindernis::Folgefrucht2ErtragFehlt);
  for (int j = 0; j < 3; ++j)
    if (w.zwischenfrucht[j] > 0 && !(w.zfErtrag[j] > 0)) {
      p.zwischenfrucht = j;
      return halt(THindernis::ZwischenfruchtErtragFehlt);
    }
  p.datumAusserhalb = w.berechnungsDatum.year() != w.jahr;
  return p;
}

QString Meldung(THindernis h) {
  switch (h) {
    case THindernis::Keines:
      return {};
    case THindernis::KeineDuengung:
      return u"für mit \"Keine Düngung\" markierte Flächen erfolgt keine Berechnung"_s;
    case THindernis::Euf:
      return u"Für Bodenproben bewertet nach dem EUF-Analyseverfahren wird keine P-Düngeempfehlung berechnet. Bitte "
             "verwenden Sie hierzu die entsprechenden Empfehlungen des zuständigen Analyselabors."_s;
    case THindernis::OhneMethode:
      return u"Proben-Methode nicht ausgewählt, keine Berechnung möglich."_s;
    case THindernis::AnalyseZuAlt:
      return u"Proben-Analysedatum zu alt, keine Berechnung möglich, eventuell ausgewählte Folgekulturen wurden "
             "gelöscht."_s;
    case THindernis::FeldblockFehlt:
      return u"Bitte Feldblockbezeichnung eingeben."_s;
    case THindernis::ParzelleFehlt:
      return u"Bitte die Parzellennummer eingeben."_s;
    case THindernis::DatumFehlt:
      return u"Kein gültiges Datum eingegeben, heutiges Datum verwenden?"_s;
    case THindernis::GehaltZuKlein:
      return u"P-Bodengehalt darf nicht kleiner als 0,1 sein."_s;
    case THindernis::VorfruchtFehlt:
      return u"Bitte Vorfrucht auswählen"_s;
    case THindernis::HauptfruchtFehlt:
      return u"Bitte Hauptfrucht auswählen"_s;
    case THindernis::ErtragFehlt:
      return ErtragFehltMeldung;
    case THindernis::Folgefrucht1ErtragFehlt:
      return u"Bitte gültigen Folgefrucht-1-Ertrag angeben"_s;
    case THindernis::Folgefrucht2ErtragFehlt:
      return u"Bitte gültigen Folgefrucht-2-Ertrag angeben"_s;
    case THindernis::ZwischenfruchtErtragFehlt:
      return u"Bitte gültigen Zwischenfrucht-Ertrag angeben"_s;
  }
  return {};
}

TKulturzeilen Kulturzeilen(TADOModConnection& db, int betrieb, int jahr, int parzelle) {
  TKulturzeilen k;
  TAbfrage a(db,
             u"select ID, FruchtNr, coalesce(HauptfruchtNummer, 0), coalesce(IsEinzelErtrag, 0), "
             "coalesce(Einzelertrag, 0) from Anbau where BetriebsNr = :B and Jahr = :J and Parzelle = :P "
             "order by FruchtNr, ID"_s,
             {{u"B"_s, betrieb}, {u"J"_s, jahr}, {u"P"_s, parzelle}});
  while (a.Naechste()) {
    const int fruchtNr = a.Wert(1).toInt();
    if (fruchtNr >= 1) k.vorhanden = true;
    const bool unvollstaendig =
        a.Wert(2).toLongLong() <= 0 || (fruchtNr >= 1 && a.Wert(3).toInt() != 0 && !(a.Wert(4).toDouble() > 0));
    if (unvollstaendig && !k.unvollstaendig) k.unvollstaendig = a.Wert(0).toLongLong();
  }
  return k;
}

bool HoherGehalt(int methode, double p2o5Gehalt) {
  return (methode == 1 && p2o5Gehalt > 20) || (methode == 2 && p2o5Gehalt > 25);
}

QString Bereichswarnung(int pDuengeBedarf, int kulturen) {
  if (!(double(pDuengeBedarf) / std::max(kulturen, 1) > 150)) return {};
  return u"Der errechnete Düngebedarf von "_s + QString::number(pDuengeBedarf) +
         u" kg P/ha liegt außerhalb des normalen Bereichs. Bitte püfen Sie Ihre Eingaben oder setzen Sie sich ggf. mit "
         "dem zuständigen Ansprechpartner in Verbindung"_s;
}

QString Datumswarnung(const QVariant& datum, int jahr) {
  const QDate d = Datum(datum);
  return d.isValid() && d.year() != jahr ? u"Achtung! Phosphor-Berechnungsdatum liegt nicht im aktuellen Jahr"_s
                                         : QString();
}

}  // namespace Phosphorpruefung
