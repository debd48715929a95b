-- Maintenance at every opening, before step 10 (the farms' crop completion).
drop table S_Kulturen;
update Merk set Geoeffnet = Now();
update Betriebe set Bundesland = 15;
update S_MinDung set DuengeMittelNr = ID where DuengeMittelNr is null or DuengeMittelNr = 0;
update Schlag set Kultur_ID = ( select max( r.ID ) from Anbau r where r.BetriebsNr = Schlag.BetriebsNr
    and r.Jahr = Schlag.Jahr and r.Parzelle = Schlag.Parzelle and trim( r.Kultur ) = trim( Schlag.Kultur ) )
where Kultur_ID = 0 and exists ( select 1 from Anbau r where r.BetriebsNr = Schlag.BetriebsNr
    and r.Jahr = Schlag.Jahr and r.Parzelle = Schlag.Parzelle and trim( r.Kultur ) = trim( Schlag.Kultur ) );
update S_KulturenNP set Rohprotein = 0, ZuschlagRohprotein = 0 where FA_NR = 833101;
update Merk set VersionUnterNummer = 6;
alter table S_KulturenNP add TS SMALLINT Default 0;
alter table DuengeJahr add NitratgebietRegeln BOOLEAN DEFAULT 1;
-- The switch of the nitrate-area rules: on where a year has none stored (a
-- refreshed table), and off before 2021, when the rules did not exist.
update DuengeJahr set NitratgebietRegeln = 1 where NitratgebietRegeln is null and Duengejahr > 2020;
update DuengeJahr set NitratgebietRegeln = 0 where Duengejahr <= 2020 and coalesce( NitratgebietRegeln, 1 ) <> 0;
-- meldend
insert into S_KulturenNP ( BetriebsNr, FRU_ART_NR, FA_NR, FRUCHTART, Kultur, FRU_ARTGRNR, FRU_ARTGR, Kulturgruppe,
  Nutzungsart, Ertragsniveau, TatsErtrag, Stickstoffbedarfswert, ZuschlagErtrag, AbschlagErtrag, ALoderGL, P2O5_HP,
  AlGlSonst, HP_TM_Umr, IsEinzelErtrag, P2O5_HPO, Auswahl )
select 1, 9999, 999202, '_nicht aufgeführte Kultur', '_nicht aufgeführte Kultur', 310, 'Ackerfutter', 2,
  'Grünland', 1, 0, 1, 10, 100, 2, 2.2914,
  1, 0.2, 1, 2.2914, 1
where not exists ( select 1 from S_KulturenNP where FA_NR = 999202 );
