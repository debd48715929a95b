-- meldend
update Betriebe set ( Kreis, KreisNr ) =
  ( select r.Kreis, r.KreisNr from S_Orte r where r.OrtsteilNr = Betriebe.SitzOrtsTeilNr )
where exists ( select 1 from S_Orte r where r.OrtsteilNr = Betriebe.SitzOrtsTeilNr );
