-- meldend
-- The N fixation records (category 3) that legume crop rows and legume catch crops lack.
-- The high values for a share above 10 %, the rule of Leguminosen::HoherAnteil (db/leguminosen.h).
insert into Dung ( BetriebsNr, Jahr, Parzelle, ProbenID, Kategorie, DngNummer, Dng, N_Bindung_ha, N_Bindung_ha_gr10P,
  N_Bindung_dt_FM, N_Bindung_dt_FM_gr10P, Leguminosenanteil, IsGL, IsLegumPauschal, Nges, Nverf, Pges )
select a.BetriebsNr, a.Jahr, a.Parzelle, a.ID, 3, a.HauptfruchtNummer, a.Kultur, a.N_Bindung_ha, a.N_Bindung_ha_gr10P,
  a.N_Bindung_dt_FM, a.N_Bindung_dt_FM_gr10P, a.Leguminosenanteil, iif( a.KulturGruppe = 2, 1, 0 ), 1,
  iif( a.Leguminosenanteil > 10, a.N_Bindung_ha_gr10P, a.N_Bindung_ha ), 0, 0
from Anbau a
where a.IsLegum > 0 and not exists ( select 1 from Dung d where d.Kategorie = 3 and d.BetriebsNr = a.BetriebsNr
  and d.Jahr = a.Jahr and d.Parzelle = a.Parzelle and d.ProbenID = a.ID )
order by a.ID;
insert into Dung ( BetriebsNr, Jahr, Parzelle, ProbenID, Kategorie, DngNummer, Dng, N_Bindung_ha, IsLegumPauschal,
  Nges, Nverf, Pges )
select a.BetriebsNr, a.Jahr, a.Parzelle, a.ID, 3, a.HauptfruchtNummer, a.Kultur, 105, 1, 105, 0, 0
from Anbau a
where a.HauptfruchtNummer between 9 and 12 and not exists ( select 1 from Dung d where d.Kategorie = 3
  and d.BetriebsNr = a.BetriebsNr and d.Jahr = a.Jahr and d.Parzelle = a.Parzelle and d.ProbenID = a.ID )
order by a.ID;
