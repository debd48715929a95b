#include "gueltigkeit.h"

#include "connection.h"

#include <cmath>

namespace Gueltigkeit {

namespace {

// Whole numbers as the windows show them: halves to the even neighbour.
double Gerundet(double x) { return std::nearbyint(x); }

constexpr int Gruenland = 2;
constexpr int QuelleRichtwert = 2;
constexpr int QuelleAbgeleitet = 3;
constexpr int MethodeEuf = 3;

// Sets the values on each row; a failing row is skipped, the others go on.
std::vector<qint64> Nullsetzen(TADOModConnection& db, const QString& sql, const std::vector<qint64>& ids) {
  std::vector<qint64> gesetzt;
  TTransaktion tx(db);
  for (qint64 id : ids)
    if (db.Ausfuehren(sql, {{QStringLiteral("ID"), id}})) gesetzt.push_back(id);
  tx.Bestaetigen();
  return gesetzt;
}

}  // namespace

bool StickstoffUngueltig(const TStickstoffWerte& w) {
  const bool gruenland = w.kulturGruppe == Gruenland;
  return w.keineDuengung ||
         (!gruenland && w.quelle0_30 == 0) ||
         (!gruenland && w.quelle60_90 == 0 && w.durchwurzelungstiefe > 60 && Gerundet(w.probenahmetiefe) > 60) ||
         (!gruenland && w.quelle0_30 == QuelleRichtwert && w.quelle60_90 == QuelleAbgeleitet) ||
         Gerundet(w.tatsErtrag) == 0 ||
         w.stickstoffbedarfswert == 0;
}

bool PhosphatUngueltig(const TPhosphatWerte& w, int jahr) {
  return (w.methode == MethodeEuf && w.p2o5Gehalt <= 3.6) ||
         w.pGehalt < 0.1 ||
         w.analyseJahr < jahr - 6 ||
         Gerundet(w.hfEinzelertrag) == 0 ||
         w.pDuengeBedarf == 0;
}

std::vector<qint64> StickstoffPruefen(TADOModConnection& db, int betrieb, int jahr) {
  std::vector<qint64> ungueltig;
  {
    TAbfrage a(db,
               QStringLiteral(
                   "SELECT a.ID, s.KeineDuengung, a.KulturGruppe, a.Quelle_0_30, a.Quelle_60_90,"
                   " s.Durchwurzelungstiefe, a.Probenahmetiefe, a.TatsErtrag, a.Stickstoffbedarfswert"
                   " FROM Schlag s JOIN Anbau a ON a.BetriebsNr = s.BetriebsNr AND a.Jahr = s.Jahr"
                   " AND a.Parzelle = s.Parzelle"
                   " WHERE s.BetriebsNr = :BetriebsNr AND s.Jahr = :Jahr"
                   " AND a.ID = (SELECT l.ID FROM Anbau l WHERE l.BetriebsNr = s.BetriebsNr AND l.Jahr = s.Jahr"
                   " AND l.Parzelle = s.Parzelle ORDER BY l.FruchtNr DESC, l.ID DESC LIMIT 1)"
                   " ORDER BY s.Parzelle"),
               {{QStringLiteral("Jahr"), jahr}, {QStringLiteral("BetriebsNr"), betrieb}});
    while (a.Naechste()) {
      TStickstoffWerte w;
      w.keineDuengung = a.Wert(1).toDouble() != 0;
      w.kulturGruppe = a.Wert(2).toInt();
      w.quelle0_30 = a.Wert(3).toInt();
      w.quelle60_90 = a.Wert(4).toInt();
      w.durchwurzelungstiefe = a.Wert(5).toDouble();
      w.probenahmetiefe = a.Wert(6).toDouble();
      w.tatsErtrag = a.Wert(7).toDouble();
      w.stickstoffbedarfswert = a.Wert(8).toDouble();
      if (StickstoffUngueltig(w)) ungueltig.push_back(a.Wert(0).toLongLong());
    }
  }
  return Nullsetzen(db, QStringLiteral("UPDATE Anbau SET Duengebedarf = 0 WHERE ID = :ID"), ungueltig);
}

std::vector<qint64> PhosphatPruefen(TADOModConnection& db, int betrieb, int jahr) {
  std::vector<qint64> ungueltig;
  {
    TAbfrage a(db,
               QStringLiteral("SELECT ID, P_Methode, P2O5_Gehalt, P_Gehalt, Year(P_AnalyseDatum), HFEinzelertrag,"
                              " P_DuengeBedarf FROM Schlag WHERE BetriebsNr = :BetriebsNr AND Jahr = :Jahr"
                              " ORDER BY Parzelle"),
               {{QStringLiteral("Jahr"), jahr}, {QStringLiteral("BetriebsNr"), betrieb}});
    while (a.Naechste()) {
      TPhosphatWerte w;
      w.methode = a.Wert(1).toInt();
      w.p2o5Gehalt = a.Wert(2).toDouble();
      w.pGehalt = a.Wert(3).toDouble();
      w.analyseJahr = a.Wert(4).toInt();
      w.hfEinzelertrag = a.Wert(5).toDouble();
      w.pDuengeBedarf = a.Wert(6).toDouble();
      if (PhosphatUngueltig(w, jahr)) ungueltig.push_back(a.Wert(0).toLongLong());
    }
  }
  return Nullsetzen(db, QStringLiteral("UPDATE Schlag SET P_DuengeBedarf = 0, P2O5_DuengeBedarf = 0 WHERE ID = :ID"),
                    ungueltig);
}

}  // namespace Gueltigkeit
