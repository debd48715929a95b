-- meldend
-- The fields' catch crops taken again from their catch-crop rows.
update Schlag set Zwischenfrucht = 14, ZwischenfruchtText = '-------ohne-------';
update Schlag set ( Zwischenfrucht, ZwischenfruchtText ) =
  ( select r.Zwischenfrucht, r.ZwischenfruchtText from Anbau r where r.BetriebsNr = Schlag.BetriebsNr
    and r.Jahr = Schlag.Jahr and r.Parzelle = Schlag.Parzelle and r.FruchtNr = 0 )
where exists ( select 1 from Anbau r where r.BetriebsNr = Schlag.BetriebsNr and r.Jahr = Schlag.Jahr
  and r.Parzelle = Schlag.Parzelle and r.FruchtNr = 0 );
