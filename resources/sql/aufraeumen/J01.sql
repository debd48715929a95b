-- Yields and choices of the older crop table, where one is left.
update S_KulturenNP set ( TatsErtrag, TatsErtrag_19, TatsErtrag_20, Auswahl ) =
  ( select r.TatsErtrag, r.TatsErtrag, r.TatsErtrag, r.Auswahl from S_Kulturen r
    where r.BetriebsNr = S_KulturenNP.BetriebsNr and r.FA_NR = S_KulturenNP.FA_NR and r.BetriebsNr > 1 )
where BetriebsNr > 1 and exists ( select 1 from S_Kulturen r
  where r.BetriebsNr = S_KulturenNP.BetriebsNr and r.FA_NR = S_KulturenNP.FA_NR and r.BetriebsNr > 1 );
