#include "vorauswahldaten.h"

#include "connection.h"

namespace {

// The records of the farm take the current values of its fertilisers and substances.
const QString OrganischInAufzeichnungen = QStringLiteral(
    "update Dung set ( Dng, DngGrpNummer, GruppeNr, NT, NH4N, P2O5, P, TaVerfNr, N_AnrechenbarAL, N_AnrechenbarGL, "
    "Herkunft_Nr, Nges, Nverf, Pges ) = "
    "( select r.OrgDng, r.OrgDngGrpNummer, r.GruppeNr, r.NT, r.NH4, r.P2O5_Gehalt, r.P, r.TaVerfNr, r.N_AnrechenbarALWert, "
    "r.N_AnrechenbarGLWert, r.Herkunft_Nr, r.NT * Dung.Menge, r.NH4 * Dung.Menge, r.P * Dung.Menge "
    "from S_OrgDung r where r.OrgDngNummer = Dung.DngNummer and r.BetriebsNr = Dung.BetriebsNr ) "
    "where Kategorie = 2 and BetriebsNr = :BNR "
    "and exists ( select 1 from S_OrgDung r where r.OrgDngNummer = Dung.DngNummer and r.BetriebsNr = Dung.BetriebsNr )");
const QString MineralInAufzeichnungen = QStringLiteral(
    "update Dung set ( Dng, GruppeNr, NT, NH4N, P2O5, P, Herkunft_Nr ) = "
    "( select r.Duengemittel, r.DuengerGruppeNr, r.N, r.N, r.P2O5, r.P, r.Herkunft_Nr "
    "from S_MinDung r where r.DuengeMittelNr = Dung.DngNummer and r.BetriebsNr = Dung.BetriebsNr ) "
    "where Kategorie = 1 and BetriebsNr = :BNR "
    "and exists ( select 1 from S_MinDung r where r.DuengeMittelNr = Dung.DngNummer and r.BetriebsNr = Dung.BetriebsNr )");
const QString StoffeInAufzeichnungen = QStringLiteral(
    "update Dung set ( Dng, GruppeNr, NT, NH4N, P2O5, P, TaVerfNr, Herkunft_Nr ) = "
    "( select r.Stoff, r.StoffGruppeNr, r.N, r.NH4, r.P2O5, r.P, r.StoffGruppeNr, r.Herkunft_Nr "
    "from S_AndereStoffe r where r.StoffNr = Dung.DngNummer and r.BetriebsNr = Dung.BetriebsNr ) "
    "where Kategorie = 5 and BetriebsNr = :BNR "
    "and exists ( select 1 from S_AndereStoffe r where r.StoffNr = Dung.DngNummer and r.BetriebsNr = Dung.BetriebsNr )");
// Own organic fertilisers get the missing form of phosphate.
const QString P2O5Ergaenzen = QStringLiteral(
    " Update S_OrgDung set P2O5 = P * 2.2914 where IstEigen = 1 and ( P2O5 is null or P2O5 = 0 ) and P is not null and P > 0");
const QString PErgaenzen = QStringLiteral(
    " Update S_OrgDung set P = P2O5 / 2.2914 where IstEigen = 1 and ( P is null or P = 0 ) and P2O5 is not null and P2O5 > 0");

}  // namespace

namespace Vorauswahldaten {

void AuswahlSetzen(TADOModConnection& db, const QString& tabelle, const QString& filter, int betrieb, bool an) {
  const QString sql = QStringLiteral("update %1 set Auswahl = :AN where %2BetriebsNr = :BNR")
                          .arg(tabelle, filter.isEmpty() ? QString() : QStringLiteral("( ") + filter + QStringLiteral(" ) and "));
  db.AusfuehrenStill(sql, {{QStringLiteral("AN"), an ? 1 : 0}, {QStringLiteral("BNR"), betrieb}});
}

bool HatDuengejahre(TADOModConnection& db, int betrieb) {
  return db.Wert(QStringLiteral("select count(*) from DuengeJahr where BetriebsNr = :BNR"),
                 {{QStringLiteral("BNR"), betrieb}})
             .toLongLong() > 0;
}

QString Betriebsname(TADOModConnection& db, int betrieb) {
  return db.Wert(QStringLiteral("select Betriebsname from Betriebe where ID = :BNR"), {{QStringLiteral("BNR"), betrieb}})
      .toString();
}

void InAufzeichnungenUebernehmen(TADOModConnection& db, int betrieb) {
  const TParameter p = {{QStringLiteral("BNR"), betrieb}};
  db.AusfuehrenMitMeldung(OrganischInAufzeichnungen, p);
  db.AusfuehrenMitMeldung(MineralInAufzeichnungen, p);
  db.AusfuehrenMitMeldung(StoffeInAufzeichnungen, p);
  db.AusfuehrenMitMeldung(P2O5Ergaenzen);
  db.AusfuehrenMitMeldung(PErgaenzen);
}

}  // namespace Vorauswahldaten
