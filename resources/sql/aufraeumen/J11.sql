-- Own organic fertilisers: P2O5 from P and P from P2O5.
update S_OrgDung set P2O5 = P * 2.2914 where IstEigen = 1 and ( P2O5 is null or P2O5 = 0 ) and P > 0;
update S_OrgDung set P = P2O5 / 2.2914 where IstEigen = 1 and ( P is null or P = 0 ) and P2O5 > 0;
