#include "umrissablage.h"

#include "connection.h"

namespace Karte {

namespace {
TParameter Feld(int betrieb, int jahr, int parzelle) {
  return {{QStringLiteral("B"), betrieb}, {QStringLiteral("J"), jahr}, {QStringLiteral("P"), parzelle}};
}
}  // namespace

bool UmrissSpeichern(TADOModConnection& db, int betrieb, int jahr, int parzelle, const TUmriss& umriss,
                     const QString& koordinatensystem) {
  TParameter p = Feld(betrieb, jahr, parzelle);
  p.emplace_back(QStringLiteral("R"), Kodieren(umriss));
  p.emplace_back(QStringLiteral("K"), koordinatensystem);
  TTransaktion tx(db);
  if (!db.Ausfuehren(QStringLiteral("delete from SchlagUmriss where BetriebsNr = :B and Jahr = :J and Parzelle = :P"), p) ||
      !db.Ausfuehren(QStringLiteral("insert into SchlagUmriss ( BetriebsNr, Jahr, Parzelle, Ringe, Koordinatensystem ) "
                                    "values ( :B, :J, :P, :R, :K )"),
                     p))
    return false;
  return tx.Bestaetigen();
}

bool UmrissVorhanden(TADOModConnection& db, int betrieb, int jahr, int parzelle) {
  return db
      .Wert(QStringLiteral("select 1 from SchlagUmriss where BetriebsNr = :B and Jahr = :J and Parzelle = :P"),
            Feld(betrieb, jahr, parzelle))
      .isValid();
}

std::map<int, TGespeichert> Umrisse(TADOModConnection& db, int betrieb, int jahr) {
  std::map<int, TGespeichert> m;
  TAbfrage a(db,
             QStringLiteral("select Parzelle, Ringe, Koordinatensystem from SchlagUmriss where BetriebsNr = :B and Jahr = :J"),
             {{QStringLiteral("B"), betrieb}, {QStringLiteral("J"), jahr}});
  while (a.Naechste())
    if (auto u = Dekodieren(a.Wert(1).toByteArray()); u && Fehler(*u).isEmpty())
      m[a.Wert(0).toInt()] = {std::move(*u), a.Wert(2).toString()};
  return m;
}

bool UmrisseInsFolgejahr(TADOModConnection& db, int betrieb, int vonJahr) {
  return db.Ausfuehren(
      QStringLiteral("insert into SchlagUmriss ( BetriebsNr, Jahr, Parzelle, Ringe, Koordinatensystem ) select "
                     "u.BetriebsNr, :N, u.Parzelle, u.Ringe, u.Koordinatensystem from SchlagUmriss u where "
                     "u.BetriebsNr = :B and u.Jahr = :J and exists ( select 1 from Schlag s where s.BetriebsNr = "
                     "u.BetriebsNr and s.Jahr = :N and s.Parzelle = u.Parzelle ) and not exists ( select 1 from "
                     "SchlagUmriss n where n.BetriebsNr = u.BetriebsNr and n.Jahr = :N and n.Parzelle = u.Parzelle )"),
      {{QStringLiteral("B"), betrieb}, {QStringLiteral("J"), vonJahr}, {QStringLiteral("N"), vonJahr + 1}});
}

}  // namespace Karte
