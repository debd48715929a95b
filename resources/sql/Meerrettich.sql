-- meldend
insert into S_KulturenNP ( BetriebsNr, Auswahl, FRU_ART_NR, InvekosNummer, FA_NR, FRUCHTART, FRU_ARTGRNR, FRU_ARTGR,
  Kulturgruppe, Nutzungsart, Kultur, Ertragsniveau, TatsErtrag, NP_HP_Verh, Stickstoffbedarfswert,
  BezuggsErtragsdifferenz, ZuschlagErtrag, AbschlagErtrag, Probenahmetiefe, VfAbschlag, FA_NR_Neu, ALoderGL, P2O5_HP,
  P2O5_NP, AlGlSonst, HP_TM_Umr, NP_HP_VerhO, P2O5_HPO, P2O5_NPO, IsLegum )
values ( 1, 0, 935, 710, 293301, 'Meerrettich', 710, 'Gemüse',
  3, 'Gemüse', 'Meerrettich', 200, 0, 0.7, 250,
  20, 25, 25, 60, 30, 293301, 1, 0.22,
  0.22, 1, 1, 0.7, 0.2, 0.22, 0 )
