#include "anbauregeln.h"

#include "ausfuehrung.h"
#include "connection.h"
#include "leguminosen.h"

#include <QSet>
#include <QStringList>

#include <cmath>

namespace Anbauregeln {

namespace {

TParameter Feld(int betrieb, int jahr, int parzelle) {
  return {{QStringLiteral("B"), betrieb}, {QStringLiteral("J"), jahr}, {QStringLiteral("P"), parzelle}};
}

// Columns a split field does not take over: they get their defaults.
const QSet<QString>& NichtKopiert() {
  static const QSet<QString> s = [] {
    QSet<QString> m;
    for (const char* n :
         {"ID", "Parzelle", "Nmin_0_30", "Nmin_30_60", "Nmin_60_90", "Quelle_0_30", "Quelle_60_90", "Nmin",
          "BerechnungsDatum", "N_DR_Datum", "FA_NR", "Kultur", "Kultur_ID", "HD_FA", "HD_VF", "HD_LOD", "HD_DNG",
          "HD_DNG_RG", "BerechnungsDatumHD", "HauptfruchtNummer", "Vorfrucht", "VFEinzelertrag", "HFEinzelertrag",
          "Einzelertrag", "TatsErtrag", "Ertragsniveau", "IsEinzelErtrag", "Stickstoffbedarfswert", "Probenahmetiefe",
          "ZuschlagErtrag", "AbschlagErtrag", "ZuschlagRohprotein", "BezuggsErtragsdifferenz", "Rohprotein",
          "TatsRohprotein", "Ertragsdifferenz", "N_Bindung_ha", "N_Bindung_dt_FM", "N_Bindung_dt_FM_gr10P",
          "N_Bindung_ha_gr10P", "Leguminosenanteil", "KannHerbstDuengung", "P2O5_HP", "P2O5_NP", "NP_HP_Verh",
          "NPAbgefahren", "NPVFAbgefahren", "VF_Name", "HF_Name", "MaxFruchtNr", "StickstoffnachlieferungWRWGH",
          "AbzugNausMistKompost", "PEntzugZFP0", "PEntzugZFP1", "PEntzugZFP2", "P2O5_AbFruchtNP", "OhneZuAbGK"})
      m.insert(QString::fromLatin1(n).toLower());
    return m;
  }();
  return s;
}

}  // namespace

bool SchlagTeilen(TADOModConnection& db, qint64 schlagId, int neueParzelle) {
  QStringList spalten;
  for (const QString& s : db.Spalten(QStringLiteral("Schlag")))
    if (!NichtKopiert().contains(s.toLower())) spalten << s;
  const QString liste = spalten.join(QStringLiteral(", "));
  return Ausfuehrung::MitMeldung(
      db, QStringLiteral("insert into Schlag ( %1, Parzelle ) select %1, :neu from Schlag where ID = :id").arg(liste),
      {{QStringLiteral("neu"), neueParzelle}, {QStringLiteral("id"), schlagId}},
      QStringLiteral("Der Schlag konnte nicht geteilt werden."),
      QStringLiteral("Bitte prüfen Sie die neue Parzellennummer und versuchen Sie es noch einmal."));
}

void BodenInAnbau(TADOModConnection& db, qint64 schlagId) {
  Ausfuehrung::MitMeldung(
      db,
      QStringLiteral(
          "update Anbau set ( HumusGroesserVier, GL_Bodenart, BG, SteingehaltKrume, Durchwurzelungstiefe, BKR, AZ, FA, "
          "KeineDuengung, GL_BG, RotesGebiet ) = ( select r.HumusGroesserVier, r.GL_Bodenart, r.BG, r.SteingehaltKrume, "
          "r.Durchwurzelungstiefe, r.BKR, r.AZ, r.FA, r.KeineDuengung, r.GL_BG, r.BewirtschaftungsAuflagen from Schlag r "
          "where Anbau.BetriebsNr = r.BetriebsNr and Anbau.Jahr = r.Jahr and Anbau.Parzelle = r.Parzelle and r.ID = :id ) "
          "where exists ( select 1 from Schlag r where Anbau.BetriebsNr = r.BetriebsNr and Anbau.Jahr = r.Jahr "
          "and Anbau.Parzelle = r.Parzelle and r.ID = :id )"),
      {{QStringLiteral("id"), schlagId}},
      QStringLiteral("Die Bodendaten des Schlages konnten nicht in seine Kulturen übernommen werden."),
      QStringLiteral("Bitte speichern Sie den Schlag noch einmal mit „OK“."));
}

int HoechsteFruchtNr(TADOModConnection& db, int betrieb, int jahr, int parzelle) {
  const QVariant w = db.Wert(
      QStringLiteral("select max(FruchtNr) from Anbau where BetriebsNr = :B and Jahr = :J and Parzelle = :P"),
      Feld(betrieb, jahr, parzelle));
  return w.isNull() ? -1 : w.toInt();
}

int VorfruchtVorschlag(TADOModConnection& db, int betrieb, int jahr, int parzelle, int fruchtNr) {
  QVariant w;
  if (fruchtNr <= 1)
    w = db.Wert(QStringLiteral("select max(HauptfruchtNummer) from Anbau where BetriebsNr = :B and Jahr = :J "
                               "and Parzelle = :P"),
                Feld(betrieb, jahr - 1, parzelle));
  else
    w = db.Wert(QStringLiteral("select HauptfruchtNummer from Anbau where BetriebsNr = :B and Jahr = :J "
                               "and Parzelle = :P and FruchtNr = :F"),
                {{QStringLiteral("B"), betrieb}, {QStringLiteral("J"), jahr}, {QStringLiteral("P"), parzelle},
                 {QStringLiteral("F"), fruchtNr - 1}});
  const int nr = w.toInt();
  return nr > 100 ? nr : 0;
}

void KulturLoeschen(TADOModConnection& db, qint64 anbauId) {
  TAbfrage a(db, QStringLiteral("select BetriebsNr, Jahr, Parzelle, FruchtNr from Anbau where ID = :id"),
             {{QStringLiteral("id"), anbauId}});
  if (!a.Naechste()) return;
  const int betrieb = a.Wert(0).toInt(), jahr = a.Wert(1).toInt(), parzelle = a.Wert(2).toInt();
  const int fruchtNr = a.Wert(3).toInt();
  if (!Ausfuehrung::MitMeldung(db, QStringLiteral("delete from Anbau where ID = :id"), {{QStringLiteral("id"), anbauId}},
                               QStringLiteral("Die Kultur konnte nicht gelöscht werden.")))
    return;
  const QString nachher = QStringLiteral("Nach dem Löschen der Kultur konnten die übrigen Kulturen des Schlages nicht "
                                         "angepasst werden.");
  const QString pruefen = QStringLiteral("Bitte prüfen Sie die Kulturen des Schlages auf der Seite „Anbau“.");
  const TParameter p = Feld(betrieb, jahr, parzelle);
  if (fruchtNr == 0) {
    // The field follows its crop rows; after a failure it is left alone.
    if (Ausfuehrung::MitMeldung(db,
                                QStringLiteral("update Anbau set Zwischenfrucht = 14, ZwischenfruchtText = '-------ohne-------' "
                                               "where BetriebsNr = :B and Jahr = :J and Parzelle = :P"),
                                p, nachher, pruefen))
      Ausfuehrung::MitMeldung(db,
                              QStringLiteral("update Schlag set Zwischenfrucht = 14, ZwischenfruchtText = '-------ohne-------' "
                                             "where BetriebsNr = :B and Jahr = :J and Parzelle = :P"),
                              p, nachher, pruefen);
  } else {
    TParameter q = p;
    q.emplace_back(QStringLiteral("F"), fruchtNr);
    Ausfuehrung::MitMeldung(db,
                            QStringLiteral("update Anbau set FruchtNr = FruchtNr - 1 where BetriebsNr = :B and Jahr = :J "
                                           "and Parzelle = :P and FruchtNr > :F"),
                            q, nachher, pruefen);
  }
}

void SchlagZusammenfassung(TADOModConnection& db, int betrieb, int jahr, int parzelle) {
  const int hoechste = HoechsteFruchtNr(db, betrieb, jahr, parzelle);
  TParameter p = Feld(betrieb, jahr, parzelle);
  if (hoechste < 0) {
    db.AusfuehrenStill(QStringLiteral("update Schlag set FA_NR = 0, Kultur_ID = 0, Kultur = '' "
                                      "where BetriebsNr = :B and Jahr = :J and Parzelle = :P"),
                       p);
    return;
  }
  p.emplace_back(QStringLiteral("F"), hoechste);
  db.AusfuehrenStill(
      QStringLiteral("update Schlag set ( FA_NR, Kultur_ID, Kultur ) = ( select r.HauptfruchtNummer, r.ID, r.Kultur "
                     "from Anbau r where r.BetriebsNr = Schlag.BetriebsNr and r.Jahr = Schlag.Jahr "
                     "and r.Parzelle = Schlag.Parzelle and r.FruchtNr = :F ) "
                     "where BetriebsNr = :B and Jahr = :J and Parzelle = :P"),
      p);
}

void LegumAbgleichen(TADOModConnection& db, qint64 anbauId) {
  TAbfrage a(db, QStringLiteral("select FruchtNr, HauptfruchtNummer, IsLegum, Leguminosenanteil from Anbau where ID = :id"),
             {{QStringLiteral("id"), anbauId}});
  if (!a.Naechste()) return;
  const int fruchtNr = a.Wert(0).toInt();
  const int nummer = a.Wert(1).toInt();
  const bool zwischenfrucht = fruchtNr == 0;
  const bool legum = zwischenfrucht ? (nummer >= 9 && nummer <= 12) : a.Wert(2).toInt() >= 1;
  const bool hoch = !a.Wert(3).isNull() && Leguminosen::HoherAnteil(a.Wert(3).toDouble());
  const TParameter id = {{QStringLiteral("id"), anbauId}};
  const TParameter mitAnteil = {{QStringLiteral("id"), anbauId}, {QStringLiteral("hoch"), hoch ? 1 : 0}};
  const QString was = QStringLiteral("Der Datensatz zur Stickstoffbindung der Leguminosen dieser Kultur konnte nicht "
                                     "angepasst werden.");
  const QString abhilfe = QStringLiteral("Bitte speichern Sie die Kultur noch einmal mit „OK“.");
  if (!legum) {
    Ausfuehrung::MitMeldung(db, QStringLiteral("delete from Dung where ProbenID = :id and Kategorie = 3 "), id, was, abhilfe);
    return;
  }
  // The values of the record, read from its crop row.
  const QString werte =
      zwischenfrucht
          ? QStringLiteral("a.HauptfruchtNummer, a.Kultur, 105, null, null, null, null, null, 1, 105, 0, 0")
          : QStringLiteral("a.HauptfruchtNummer, a.Kultur, a.N_Bindung_ha, a.N_Bindung_ha_gr10P, a.N_Bindung_dt_FM, "
                           "a.N_Bindung_dt_FM_gr10P, a.Leguminosenanteil, iif(a.KulturGruppe = 2, 1, 0), 1, "
                           "iif(:hoch, a.N_Bindung_ha_gr10P, a.N_Bindung_ha), 0, 0");
  const QString spalten = QStringLiteral(
      "DngNummer, Dng, N_Bindung_ha, N_Bindung_ha_gr10P, N_Bindung_dt_FM, N_Bindung_dt_FM_gr10P, Leguminosenanteil, "
      "IsGL, IsLegumPauschal, Nges, Nverf, Pges");
  if (db.Existiert(QStringLiteral("Dung"), QStringLiteral("ID"),
                   QStringLiteral("ProbenID = %1 and Kategorie = 3").arg(anbauId)))
    Ausfuehrung::MitMeldung(db,
                            QStringLiteral("update Dung set ( %1 ) = ( select %2 from Anbau a where a.ID = Dung.ProbenID ) "
                                           "where Kategorie = 3 and ProbenID = :id")
                                .arg(spalten, werte),
                            zwischenfrucht ? id : mitAnteil, was, abhilfe);
  else
    Ausfuehrung::MitMeldung(db,
                            QStringLiteral("insert into Dung ( BetriebsNr, Jahr, Parzelle, ProbenID, Kategorie, %1 ) "
                                           "select a.BetriebsNr, a.Jahr, a.Parzelle, a.ID, 3, %2 from Anbau a where a.ID = :id")
                                .arg(spalten, werte),
                            zwischenfrucht ? id : mitAnteil, was, abhilfe);
}

double EinzelertragBegrenzt(double einzelertrag, double ertragsniveau, double tatsErtrag) {
  if (ertragsniveau <= 1) return einzelertrag;
  // Divided rather than multiplied by 0.1, so that a yield of exactly a tenth stays.
  if (einzelertrag > 2.25 * ertragsniveau || einzelertrag < ertragsniveau / 10.0) return tatsErtrag;
  return einzelertrag;
}

TQuellenPruefung QuellenPruefen(int q1, int q3, int bundesland) {
  TQuellenPruefung e;
  e.quelle6090 = q3;
  const auto analyse = [](int q) { return q == 1 || q == 4; };
  if ((q1 == 1 && q3 == 4) || (q1 == 4 && q3 == 1)) {
    e.meldung = QStringLiteral("Es kann nicht einmal Bodenuntersuchung MIT Steingehalt und einmal Bodenuntersuchung "
                               "OHNE Steingehalt ausgewählt werden.");
    e.quelle6090 = 0;
    return e;
  }
  if (analyse(q1) && q3 == 2 && bundesland != 13) {
    e.quelle6090 = 3;
    e.meldung = QStringLiteral("Bei Auswahl von Analysewerten für die 1. und 2. Schicht ist die Verwendung von "
                               "Richtwerten für die 3. Schicht nicht zulässig.");
    e.ableiten = true;
  } else if (q1 == 2 && q3 == 3) {
    e.quelle6090 = 2;
    e.meldung = QStringLiteral("Bei Auswahl von Richtwerten für die 1. und 2. Schicht ist keine Berechung der dritten "
                               "Schicht möglich.");
    e.ableiten = true;
  } else if (q1 == 2 && analyse(q3)) {
    e.quelle6090 = 2;
    e.meldung = QStringLiteral("Bei Auswahl von Richtwerten für die 1. und 2. Schicht sind keine Analysenwerte in der "
                               "dritten Schicht zulässig.");
    e.ableiten = true;
  } else {
    e.ableiten = q3 == 3;
  }
  return e;
}

QString Ertragseinheit(qint64 fruchtNummer) {
  return (fruchtNummer / 100) % 10 == 2 ? QStringLiteral(" dt TM/ha") : QStringLiteral(" dt FM/ha");
}

}  // namespace Anbauregeln
