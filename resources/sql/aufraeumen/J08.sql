-- meldend
-- Legume values of the crop rows from the farm's crop list.
update Anbau set ( IsLegum, N_Bindung_ha, N_Bindung_ha_gr10P, N_Bindung_dt_FM, N_Bindung_dt_FM_gr10P ) =
  ( select r.IsLegum, r.N_Bindung_ha, r.N_Bindung_ha_gr10P, r.N_Bindung_dt_FM, r.N_Bindung_dt_FM_gr10P
    from S_KulturenNP r where r.FA_NR = Anbau.HauptfruchtNummer and r.BetriebsNr = Anbau.BetriebsNr )
where exists ( select 1 from S_KulturenNP r where r.FA_NR = Anbau.HauptfruchtNummer and r.BetriebsNr = Anbau.BetriebsNr );
