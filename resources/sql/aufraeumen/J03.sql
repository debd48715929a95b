-- Own organic fertilisers: P2O5 content from P and P from P2O5 content.
update S_OrgDung set P2O5_Gehalt = P * 2.2914
  where IstEigen = 1 and ( P2O5_Gehalt is null or P2O5_Gehalt = 0 ) and P > 0;
update S_OrgDung set P = P2O5_Gehalt / 2.2914
  where IstEigen = 1 and ( P is null or P = 0 ) and P2O5_Gehalt > 0;
