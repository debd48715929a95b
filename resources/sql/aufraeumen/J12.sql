-- meldend
-- Soil P of the fields in both forms, the P demand not negative and in P as well.
update schlag set P_Gehalt = P2O5_Gehalt / 2.2914 where P_Gehalt is null and P2O5_Gehalt > 0.0;
update schlag set P2O5_Gehalt = P_Gehalt * 2.2914 where P2O5_Gehalt is null and P_Gehalt > 0.0;
update schlag set P2O5_DuengeBedarf = 0 where P2O5_DuengeBedarf < 0;
update schlag set P2O5_DuengeBedarfFachlich = 0 where P2O5_DuengeBedarfFachlich < 0;
update schlag set P_DuengeBedarf = P2O5_DuengeBedarf * 0.4364, P_DuengeBedarfFachlich = P2O5_DuengeBedarfFachlich * 0.4364,
  P_EGes = P2O5_EGes * 0.4364, P_ZuAbBoden = P2O5_ZuAbBoden * 0.4364, P_AbVorFruchtNP = P2O5_AbFruchtNP * 0.4364;
update schlag set P_GehaltsKlasse = null, P_DuengeBedarf = null, P2O5_DuengeBedarf = null, P_DuengeBedarfFachlich = null,
  P2O5_DuengeBedarfFachlich = null
where ( P_Methode is null or P_Gehalt is null or P_BerechnungsDatum is null or P_AnalyseDatum is null
  or P2O5_Gehalt is null );
