#include "duengejahre.h"

#include "connection.h"
#include "dataset.h"
#include "meldungen.h"
#include "umrissablage.h"

namespace Duengejahre {

const QString LoeschenFrage = QStringLiteral("Jahr wirklich löschen?");
const QString SchlaegeFrage = QStringLiteral("Schläge aus Vorjahr mit übernehmen?");
const QString Flaeche170Meldung =
    QStringLiteral("Die Fläche zur Berechnung der 170-kg-Grenze kann nicht größer sein als die Betriebsgröße.");

QDate Beginn(int jahr, int offset) { return QDate(jahr, 1, 1).addDays(offset); }
QDate Ende(int jahr, int offset) { return QDate(jahr + 1, 1, 1).addDays(offset - 1); }
QString DatumSpalte(const QDate& datum) { return datum.toString(QStringLiteral("yyyy-MM-dd")); }

TGrundfutter Grundfutter(double gruenland, double ackerfutter) {
  const double summe = gruenland + ackerfutter;
  const double anteil = summe == 0 ? 0 : gruenland / summe;
  const double zuschlag = 1.15 + 0.1 * anteil;
  return {zuschlag, 100 * anteil, (zuschlag - 1) * 100};
}

void BerechneteFelder(TADODataSetMod& jahre) {
  auto werte = [](const TADODataSetMod& l, int zeile) {
    return Grundfutter(l.Wert(zeile, l.FeldIndex(QStringLiteral("GFFlaecheGruenland"))).toDouble(),
                       l.Wert(zeile, l.FeldIndex(QStringLiteral("GFFlaecheAckerfutter"))).toDouble());
  };
  jahre.BerechnetesFeld(QStringLiteral("GFZuschlag"),
                        [werte](const TADODataSetMod& l, int z) { return QVariant(werte(l, z).zuschlag); });
  jahre.BerechnetesFeld(QStringLiteral("GFVerhaeltnis"),
                        [werte](const TADODataSetMod& l, int z) { return QVariant(werte(l, z).verhaeltnis); });
  jahre.BerechnetesFeld(QStringLiteral("GFZuschlagProzent"),
                        [werte](const TADODataSetMod& l, int z) { return QVariant(werte(l, z).zuschlagProzent); });
}

void NeueZeile(TADODataSetMod& jahre, qint64 betrieb) {
  jahre.setWert(QStringLiteral("Tierauswahl"), 3);
  jahre.setWert(QStringLiteral("BetriebsNr"), betrieb);
}

bool VorDemSpeichern(TADODataSetMod& jahre, TMeldungen& meldungen) {
  const double groesse =
      jahre.Wert(QStringLiteral("Ackerland")).toDouble() + jahre.Wert(QStringLiteral("Gruenland")).toDouble();
  if (jahre.Wert(QStringLiteral("Betriebsgroesse")).isNull() ||
      jahre.Wert(QStringLiteral("Betriebsgroesse")).toDouble() != groesse)
    jahre.setWert(QStringLiteral("Betriebsgroesse"), groesse);
  if (jahre.Wert(QStringLiteral("Flaeche170kg")).toDouble() > groesse + 0.1) meldungen.Info(Flaeche170Meldung);
  return true;
}

bool FlaechenFehlen(const TADODataSetMod& jahre) {
  if (!jahre.IstOffen() || jahre.Position() < 0) return false;
  // New rows get 0 from the table's defaults: no farm area or no 170-kg
  // area counts as not yet entered, as does an emptied input.
  for (const char* feld : {"Ackerland", "Gruenland", "Flaeche170kg"})
    if (jahre.Wert(QLatin1String(feld)).isNull()) return true;
  return jahre.Wert(QStringLiteral("Ackerland")).toDouble() + jahre.Wert(QStringLiteral("Gruenland")).toDouble() <= 0 ||
         jahre.Wert(QStringLiteral("Flaeche170kg")).toDouble() <= 0;
}

void ErtraegeUebernehmen(TADOModConnection& db, qint64 betrieb, int jahr) {
  if (jahr < 2018 || jahr > 2030) return;
  const QString jj = QStringLiteral("%1").arg(jahr % 100, 2, 10, QLatin1Char('0'));
  const QString zuweisung =
      jahr <= 2020 ? QStringLiteral("TatsErtrag = TatsErtrag_%1").arg(jj)
                   : QStringLiteral("TatsErtrag = TatsErtrag_%1, TatsErtragRG = iif( TatsErtragRG_%1 is not null and "
                                    "TatsErtragRG_%1 > 0, TatsErtragRG_%1, TatsErtragRG )")
                         .arg(jj);
  db.AusfuehrenStill(QStringLiteral("update S_KulturenNP set %1 where BetriebsNr = :b and TatsErtrag_%2 is not null "
                                    "and TatsErtrag_%2 > 0")
                         .arg(zuweisung, jj),
                     {{QStringLiteral("b"), betrieb}});
}

int Offset(TADOModConnection& db, qint64 betrieb) {
  return db.Wert(QStringLiteral("select DuengejahrOffset from Betriebe where ID = :b"), {{QStringLiteral("b"), betrieb}})
      .toInt();
}

int LetztesJahr(TADOModConnection& db, qint64 betrieb) {
  return db.Wert(QStringLiteral("select max( Duengejahr ) from DuengeJahr where BetriebsNr = :b"),
                 {{QStringLiteral("b"), betrieb}})
      .toInt();
}

int Anzahl(TADOModConnection& db, qint64 betrieb) {
  return db.Wert(QStringLiteral("select count(*) from DuengeJahr where BetriebsNr = :b"), {{QStringLiteral("b"), betrieb}})
      .toInt();
}

bool Anlegen(TADODataSetMod& jahre, TADOModConnection& db, qint64 betrieb, int jahr) {
  if (!jahre.IstOffen() || !jahre.Anfuegen()) return false;
  const int offset = Offset(db, betrieb);
  jahre.setWert(QStringLiteral("BetriebsNr"), betrieb);
  jahre.setWert(QStringLiteral("Duengejahr"), jahr);
  jahre.setWert(QStringLiteral("BeginDuengejahr"), DatumSpalte(Beginn(jahr, offset)));
  jahre.setWert(QStringLiteral("EndeDuengejahr"), DatumSpalte(Ende(jahr, offset)));
  // The nitrate-area rules exist from 2021 and are on until the user turns them off.
  jahre.setWert(QStringLiteral("NitratgebietRegeln"), jahr > 2020 ? 1 : 0);
  if (jahre.Speichern()) return true;
  jahre.Abbrechen();
  return false;
}

void BilanzUebertragen(TADOModConnection& db, qint64 betrieb, int jahr) {
  const QString vorjahr =
      QStringLiteral("from DuengeJahr f where f.Duengejahr = DuengeJahr.Duengejahr - 1 and f.BetriebsNr = :b");
  db.AusfuehrenStill(
      QStringLiteral("update DuengeJahr set ( N_VJ_1, N_VJ_2, P_VJ_1, P_VJ_2, P_VJ_3, P_VJ_4, P_VJ_5, K_VJ_1, K_VJ_2, "
                     "K_VJ_3, K_VJ_4, K_VJ_5, N_DEPO, BILANZ_BASIS ) = ( select f.N_AJ, f.N_VJ_1, f.P_AJ, f.P_VJ_1, "
                     "f.P_VJ_2, f.P_VJ_3, f.P_VJ_4, f.K_AJ, f.K_VJ_1, f.K_VJ_2, f.K_VJ_3, f.K_VJ_4, f.N_DEPO, "
                     "f.BILANZ_BASIS %1 ) where exists ( select 1 %1 ) and BetriebsNr = :b and Duengejahr = :j")
          .arg(vorjahr),
      {{QStringLiteral("b"), betrieb}, {QStringLiteral("j"), jahr}});
}

bool SchlaegeKopieren(TADOModConnection& db, TMeldungen& meldungen, qint64 betrieb, int vonJahr) {
  static const QString spalten = QStringLiteral(
      "BetriebsNr, Parzelle, Feldblock, SchlagNr, SchlagName, Groesse, BewirtschaftungsAuflagen, Phosphatgebiet, "
      "SonstigDuengebeschraenkung, Stickstoffnachlieferung, HumusGroesserVier, GL_Bodenart, P_Gehalt, P2O5_Gehalt, "
      "P_AnalyseDatum, P_Methode, P_GehaltsKlasse, P2O5_ZuAbBoden, KeineDuengung, P2O5_MGes, P_ZuAbBoden, OEKO, BG, "
      "BGText, PhGroesserSieben, SteingehaltKrume, Durchwurzelungstiefe, BKR, AZ, FA, MDAE3, GL_BG, Bundesland, "
      "Teilflaechen, NutzungsForm");
  // The fields and their outlines, together or not at all.
  TTransaktion tx(db);
  const bool ok =
      db.Ausfuehren(
          QStringLiteral("insert into Schlag ( %1, Jahr, Vorfrucht, VF_Name, VorfruchtErtrag ) select %1, :neu, "
                         "HauptfruchtNummer, HF_Name, HFEinzelertrag from Schlag where BetriebsNr = :b and Jahr = :alt")
              .arg(spalten),
          {{QStringLiteral("b"), betrieb}, {QStringLiteral("alt"), vonJahr}, {QStringLiteral("neu"), vonJahr + 1}}) &&
      Karte::UmrisseInsFolgejahr(db, int(betrieb), vonJahr) && tx.Bestaetigen();
  if (!ok) meldungen.Info(QStringLiteral(" Fehler beim Schläge ins neue Jahr kopieren : ") + db.LetzterFehler());
  return ok;
}

bool ErtraegeNullsetzen(TADOModConnection& db, TMeldungen& meldungen, qint64 betrieb) {
  const bool ok = db.Ausfuehren(QStringLiteral("update S_KulturenNP set TatsErtrag = 0 where BetriebsNr = :b"),
                                {{QStringLiteral("b"), betrieb}});
  if (!ok) meldungen.Info(QStringLiteral(" Fehler beim Nullsetzen der Erträge : ") + db.LetzterFehler());
  return ok;
}

std::optional<int> BeginnErfragen(TMeldungen& meldungen, int jahr) {
  const QString frage =
      QStringLiteral("Wann soll der Bilanzierungszeitraum für das Düngejahr %1 beginnen?").arg(jahr);
  for (;;) {
    const std::optional<QDate> datum = meldungen.Datumseingabe(frage);
    // Asking again after a close would leave the user no way out.
    if (!datum) return std::nullopt;
    if (datum && datum->isValid() && (datum->year() == jahr - 1 || datum->year() == jahr))
      return int(QDate(jahr, 1, 1).daysTo(*datum));
    meldungen.Info(QStringLiteral("Ungültige Datumangabe, Beginn außerhalb des zulässigen Bereichs (01.01.%1 - "
                                  "31.12.%2), bitte Eingabe wiederholen.")
                       .arg(jahr - 1)
                       .arg(jahr));
  }
}

void OffsetSetzen(TADOModConnection& db, qint64 betrieb, int offset) {
  const TParameter p = {{QStringLiteral("b"), betrieb}, {QStringLiteral("o"), offset}};
  db.AusfuehrenStill(QStringLiteral("update Betriebe set DuengejahrOffset = :o where ID = :b"), p);
  db.AusfuehrenStill(
      QStringLiteral("update DuengeJahr set BeginDuengejahr = date( printf( '%04d-01-01', Duengejahr ), :o || ' days' ), "
                     "EndeDuengejahr = date( printf( '%04d-01-01', Duengejahr + 1 ), ( :o - 1 ) || ' days' ) "
                     "where BetriebsNr = :b"),
      p);
}

}  // namespace Duengejahre
