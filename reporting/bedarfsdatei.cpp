#include "bedarfsdatei.h"

#include "connection.h"
#include "meldedatei.h"

#include <QDate>
#include <QDir>

#include <cmath>

namespace Bedarfsdatei {

namespace {

QString K(const char* s) { return QString::fromUtf8(s); }

// A value as stored: whole numbers without decimals, other numbers in their
// shortest form with a decimal comma, texts unchanged, null empty.
QString Text(const QVariant& v) {
  if (v.isNull() || !v.isValid()) return {};
  if (v.typeId() == QMetaType::Double) {
    const double d = v.toDouble();
    if (std::isfinite(d) && d == std::trunc(d) && std::fabs(d) < 1e15) return QString::number(qint64(d));
    return QString::number(d, 'g', 15).replace(u'.', u',');
  }
  if (v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Int) return QString::number(v.toLongLong());
  return v.toString();
}

QString Datum(const QVariant& v) {
  if (v.isNull()) return {};
  const QDate d = QDate::fromString(v.toString().left(10), Qt::ISODate);
  return d.isValid() ? d.toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

QString JaNein(bool ja) { return ja ? K("Ja") : K("Nein"); }

QString Herkunft(const QVariant& v) {
  switch (v.isNull() ? 0 : v.toInt()) {
    case 1: return K("Bodenuntersuchung MIT Steingehalt");
    case 2: return K("Richtwerte Fachbehörde");
    case 3: return K("aus Schicht 1 und 2 berechnet");
    case 4: return K("Bodenuntersuchung OHNE Steingehalt");
    default: return {};
  }
}

// The analysis method by its own name. "DL" for everything but CAL would
// report an EUF analysis as DL, whose values mean something else; a field
// without a method says nothing rather than something untrue.
QString Methode(const QVariant& v) {
  switch (v.isNull() ? 0 : v.toInt()) {
    case 1: return K("CAL");
    case 2: return K("DL");
    case 3: return K("EUF");
    default: return {};
  }
}

const char* const Abfrage =
    "select b.Betriebsname, b.EU_NUMMER, b.Kreis, b.KreisNr, b.SitzPLZ, b.SitzOrt, b.SitzOrtsTeil, a.Jahr, "
    "a.BerechnungsDatum, s.Feldblock, a.Parzelle, s.BewirtschaftungsAuflagen, s.Groesse, a.AlGlSonst, j.IsOeko, "
    "a.BKR, a.BG, a.AZ, a.SteingehaltKrume, a.KulturGruppe, a.HumusGroesserVier, a.GL_Bodenart, "
    "a.Durchwurzelungstiefe, a.VorfruchtText, a.Vorfrucht, a.ZwischenfruchtText, a.Zwischenfrucht, a.Kultur, "
    "a.HauptfruchtNummer, a.Stickstoffbedarfswert, a.Ertragsniveau, a.TatsErtrag, a.Ertragsdifferenz, a.Rohprotein, "
    "a.TatsRohprotein, a.RohproteinDifferenz, a.Nmin, a.Nmin_0_30, a.Nmin_30_60, a.Nmin_60_90, a.Quelle_0_30, "
    "a.Quelle_60_90, a.ZuAbschlagErtrag, a.ZuAbschlagRohprotein, a.Stickstoffnachlieferung, "
    "a.StickstoffnachlieferungOD, a.StickstoffnachlieferungLegum, a.VfAbschlag, a.ZfAbschlag, a.ZuschlagFolie, "
    "a.Duengebedarf, a.StickstoffnachlieferungWRWGH, a.AbzugNausMistKompost, a.Is1MonatVorher, s.P_Gehalt, "
    "s.P2O5_Gehalt, s.P_AnalyseDatum, s.P_Methode, s.P_GehaltsKlasse, s.Teilflaechen "
    "from Anbau a inner join Schlag s on s.BetriebsNr = a.BetriebsNr and s.Jahr = a.Jahr and s.Parzelle = a.Parzelle "
    "inner join Betriebe b on b.ID = a.BetriebsNr "
    "left join DuengeJahr j on j.BetriebsNr = a.BetriebsNr and j.Duengejahr = a.Jahr "
    "where a.BetriebsNr = :b and a.Jahr = :j order by a.Parzelle, a.FruchtNr, a.ID";

QStringList Zeile(const TAbfrage& q) {
  using Meldedatei::EineStelle;
  auto w = [&q](const char* name) { return q.Wert(K(name)); };
  auto zahl = [&w](const char* name) { return EineStelle(w(name)); };
  const int gruppe = w("KulturGruppe").toInt();
  const bool acker = gruppe == 1, gruen = gruppe == 2, gemuese = gruppe == 3;
  const bool nichtGruen = acker || gemuese;
  // Values of other crop groups: empty texts and 0,0 for numbers.
  auto nur = [&zahl](bool gilt, const char* name) { return gilt ? zahl(name) : K("0,0"); };
  auto nurText = [](bool gilt, const QString& text) { return gilt ? text : QString(); };
  const int boden = w("GL_Bodenart").toInt();
  const int nutzung = w("AlGlSonst").toInt();
  const QVariant bedarf = w("Duengebedarf");

  QStringList z;
  z << Text(w("Betriebsname")) << Text(w("EU_NUMMER")) << Text(w("Kreis")) << Text(w("KreisNr"))
    << Text(w("SitzPLZ")) << Text(w("SitzOrt")) << Text(w("SitzOrtsTeil")) << K("Quendrix") << Text(w("Jahr"))
    << Datum(w("BerechnungsDatum")) << Text(w("Feldblock")) << Text(w("Parzelle"))
    << JaNein(w("BewirtschaftungsAuflagen").toInt() == 2) << Text(w("Groesse"))
    << (nutzung == 1 ? K("AL") : nutzung == 2 ? K("GL") : K("so")) << (w("IsOeko").toInt() != 0 ? K("o") : K("k"))
    << Text(w("BKR")) << Text(w("BG")) << Text(w("AZ")) << Text(w("SteingehaltKrume"))
    << nurText(acker, JaNein(w("HumusGroesserVier").toInt() != 0)) << nurText(gruen, JaNein(boden == 1))
    << nurText(gruen, JaNein(boden == 2)) << nurText(gruen, JaNein(boden == 3))
    << nurText(gruen, JaNein(boden == 4 || boden == 5)) << Text(w("Durchwurzelungstiefe"))
    << Text(w("VorfruchtText")) << Text(w("Vorfrucht")) << Text(w("ZwischenfruchtText")) << Text(w("Zwischenfrucht"))
    << Text(w("Kultur")) << Text(w("HauptfruchtNummer")) << zahl("Stickstoffbedarfswert")
    << nur(nichtGruen, "Ertragsniveau") << nur(nichtGruen, "TatsErtrag") << nur(nichtGruen, "Ertragsdifferenz")
    << nur(gruen, "Ertragsniveau") << nur(gruen, "TatsErtrag") << nur(gruen, "Ertragsdifferenz")
    << nur(gruen, "Rohprotein") << nur(gruen, "TatsRohprotein") << nur(gruen, "RohproteinDifferenz")
    << nur(nichtGruen, "Nmin") << nur(nichtGruen, "Nmin_0_30") << nur(nichtGruen, "Nmin_30_60")
    << nur(nichtGruen, "Nmin_60_90") << nurText(nichtGruen, Herkunft(w("Quelle_0_30")))
    << nurText(nichtGruen, Herkunft(w("Quelle_60_90"))) << zahl("ZuAbschlagErtrag")
    << nur(gruen, "ZuAbschlagRohprotein") << zahl("Stickstoffnachlieferung") << zahl("StickstoffnachlieferungOD")
    << nur(gruen, "StickstoffnachlieferungLegum") << nur(nichtGruen, "VfAbschlag") << nur(nichtGruen, "ZfAbschlag")
    << nur(gemuese, "ZuschlagFolie") << K("0.0") << EineStelle(bedarf)
    << nur(nichtGruen, "StickstoffnachlieferungWRWGH")
    << EineStelle(bedarf.isNull() ? QVariant() : QVariant(bedarf.toDouble() * 0.8)) << zahl("AbzugNausMistKompost")
    << nur(gemuese, "ZuschlagFolie") << (w("Is1MonatVorher").toInt() != 0 ? K("True") : K("False"))
    << zahl("P_Gehalt") << zahl("P2O5_Gehalt") << Datum(w("P_AnalyseDatum")) << Methode(w("P_Methode"))
    << Text(w("P_GehaltsKlasse")) << Text(w("Teilflaechen"));
  return z;
}

}  // namespace

const QStringList& Kopf() {
  static const QStringList k = {
      K("Betriebsname"), K("EU_Nummer"), K("Kreis"), K("KreisNr"), K("SitzPLZ"), K("SitzOrt"), K("SitzOrtsTeil"),
      K("Exportquelle"), K("Duengejahr"), K("Datum"), K("Feldblock_ID"), K("Parzelle"), K("NG"), K("Groesse"),
      K("Nutzung"), K("Bewirtschaftung"), K("BKR"), K("BG"), K("AZ"), K("Steingehalt"), K("OS_AL_4"), K("OS_GL_8"),
      K("OS_GL_8_15"), K("OS_GL_15_30"), K("OS_GL_30"), K("DW_Tiefe"), K("VF"), K("VF_Nr"), K("Zwfr"), K("Zwfr_Nr"),
      K("HF"), K("HF_Nr"), K("N_Bedarfswert_DueV"), K("ErtragFM_DueV"), K("ErtragFM_Betrieb"), K("ErtragFM_Diff"),
      K("ErtragTM_DueV"), K("ErtragTM_Betrieb"), K("ErtragTM_Diff"), K("RP_DueV"), K("RP_Betrieb"), K("RP_Diff"),
      K("Nmin_gesamt"), K("Nmin_0_30"), K("Nmin_30_60"), K("Nmin_60_90"), K("DatenherkunftNmin_0_60"),
      K("DatenherkunftNmin_60_90"), K("ZuAbN_Ertrag_Diff"), K("ZuAbN_RP_Diff"), K("AbN_Nachl_Boden"),
      K("AbN_Nachl_OD"), K("AbN_Nachl_Leg"), K("AbN_VF"), K("AbN_Zwfr"), K("ZuN_Abdeckung"), K("ZuN_nachtraeglich"),
      K("BedarfN_berechnet"), K("StickstoffnachlieferungWRWGH"), K("DuengebedarfRot"), K("AbzugNausMistKompost"),
      K("ZuschlagFolie"), K("Is1MonatVorher"), K("P_Gehalt"), K("P2O5_Gehalt"), K("P_AnalyseDatum"), K("P_Methode"),
      K("P_GehaltsKlasse"), K("Teilflaechen")};
  return k;
}

bool Zeilen(TADOModConnection& db, int betrieb, int jahr, std::vector<QStringList>* zeilen) {
  TAbfrage q(db, K(Abfrage), {{K("b"), betrieb}, {K("j"), jahr}});
  if (!q.Ok()) return false;
  while (q.Naechste()) zeilen->push_back(Zeile(q));
  return q.Ok();
}

bool Schreiben(TADOModConnection& db, int betrieb, int jahr, const QString& ordner, QString* fehler) {
  TAbfrage b(db, K("select KreisNr, EU_NUMMER from Betriebe where ID = :b"), {{K("b"), betrieb}});
  if (!b.Naechste()) {
    if (fehler) *fehler = K("Der Betrieb %1 wurde nicht gefunden.").arg(betrieb);
    return false;
  }
  const QString pfad =
      QDir(ordner).filePath(Meldedatei::Dateiname(K("DBE_"), b.Wert(0), b.Wert(1).toString(), jahr));
  std::vector<QStringList> zeilen;
  if (!Zeilen(db, betrieb, jahr, &zeilen)) {
    if (fehler)
      *fehler = K("Die Datei %1 wurde nicht geschrieben: Die Kulturen des Düngejahres %2 konnten nicht gelesen "
                  "werden.")
                    .arg(QDir::toNativeSeparators(pfad))
                    .arg(jahr);
    return false;
  }
  return Meldedatei::Schreiben(pfad, Kopf(), zeilen, fehler);
}

QStringList OhneBedarf(TADOModConnection& db, int betrieb, int jahr) {
  QStringList liste;
  TAbfrage q(db,
             K("select s.SchlagNr, s.SchlagName, a.Parzelle, a.Kultur from Anbau a inner join Schlag s on "
               "s.BetriebsNr = a.BetriebsNr and s.Jahr = a.Jahr and s.Parzelle = a.Parzelle "
               "where a.BetriebsNr = :b and a.Jahr = :j and a.FruchtNr >= 1 and a.Duengebedarf is null "
               "order by a.Parzelle, a.FruchtNr, a.ID"),
             {{K("b"), betrieb}, {K("j"), jahr}});
  while (q.Naechste())
    liste << K("Schlag %1 „%2“ (Parzelle %3): %4")
                 .arg(Text(q.Wert(0)), q.Wert(1).toString().trimmed(), Text(q.Wert(2)), q.Wert(3).toString().trimmed());
  return liste;
}

}  // namespace Bedarfsdatei
