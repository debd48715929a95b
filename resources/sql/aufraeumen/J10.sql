-- meldend
-- The records take the current values of the farm's fertilisers and substances.
update Dung set ( Dng, DngGrpNummer, GruppeNr, NT, NH4N, P2O5, P, TaVerfNr, N_AnrechenbarAL, N_AnrechenbarGL,
    Herkunft_Nr, Nges, Nverf, Pges ) =
  ( select r.OrgDng, r.OrgDngGrpNummer, r.GruppeNr, r.NT, r.NH4, r.P2O5_Gehalt, r.P, r.TaVerfNr, r.N_AnrechenbarALWert,
      r.N_AnrechenbarGLWert, r.Herkunft_Nr, r.NT * Dung.Menge, r.NH4 * Dung.Menge, r.P * Dung.Menge
    from S_OrgDung r where r.OrgDngNummer = Dung.DngNummer and r.BetriebsNr = Dung.BetriebsNr )
where Kategorie = 2
  and exists ( select 1 from S_OrgDung r where r.OrgDngNummer = Dung.DngNummer and r.BetriebsNr = Dung.BetriebsNr );
update Dung set ( Dng, GruppeNr, NT, NH4N, P2O5, P, Herkunft_Nr ) =
  ( select r.Duengemittel, r.DuengerGruppeNr, r.N, r.N, r.P2O5, r.P, r.Herkunft_Nr
    from S_MinDung r where r.DuengeMittelNr = Dung.DngNummer and r.BetriebsNr = Dung.BetriebsNr )
where Kategorie = 1
  and exists ( select 1 from S_MinDung r where r.DuengeMittelNr = Dung.DngNummer and r.BetriebsNr = Dung.BetriebsNr );
update Dung set ( Dng, GruppeNr, NT, NH4N, P2O5, P, TaVerfNr, Herkunft_Nr ) =
  ( select r.Stoff, r.StoffGruppeNr, r.N, r.NH4, r.P2O5, r.P, r.StoffGruppeNr, r.Herkunft_Nr
    from S_AndereStoffe r where r.StoffNr = Dung.DngNummer and r.BetriebsNr = Dung.BetriebsNr )
where Kategorie = 5
  and exists ( select 1 from S_AndereStoffe r where r.StoffNr = Dung.DngNummer and r.BetriebsNr = Dung.BetriebsNr );
