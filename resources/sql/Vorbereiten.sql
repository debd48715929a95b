-- The older tables made ready for the conversion.
alter table Proben add FruchtNr SMALLINT Default 0;
update Proben set FruchtNr = 1;
-- The crops of a field and year are numbered in the order of their ID.
update Proben set FruchtNr = ( select count(*) from Proben p where p.BetriebsNr = Proben.BetriebsNr
  and p.Jahr = Proben.Jahr and p.Parzelle = Proben.Parzelle and p.ID <= Proben.ID );
alter table OrgDng add JahrNeu SMALLINT Default 0;
alter table OrgDng add FruchtNr SMALLINT Default 0;
update OrgDng set FruchtNr = ( select r.FruchtNr from Proben r where r.ID = OrgDng.ProbenID )
  where exists ( select 1 from Proben r where r.ID = OrgDng.ProbenID );
update OrgDng set FruchtNr = 1 where Jahr < 2020;
update OrgDng set JahrNeu = Year( Datum );
-- Autumn applications of 2019 belong to the fertiliser year 2020, compost of the three years before as well.
update OrgDng set JahrNeu = 2020 where JahrNeu = 2019;
update OrgDng set JahrNeu = 2020 where JahrNeu in ( 2017, 2018, 2019 ) and GruppeNr = 5;
-- meldend
update S_OrgDung set IstEigen = 1, OrgDngGrpNummer = GruppeNr where OrgDngGrpNummer = 7;
update S_OrgDung set OEKO_GRUPPE = 1 where OEKO_GRUPPE is null;
-- still
update Proben set Feldblock = 'DEVLLI' || Feldblock
  where Feldblock not like 'DEVLLI%' and length( trim( Feldblock ) ) <= 10;
update Betriebe set Bundesland = 15;
