SELECT NPGruppeNr AS GruppeNr, NPGruppe AS Gruppe, TaVerfNr, TaVerf, Abzug, Rest, D_Kuerzel, Aufbringverluste,
       Aufbringverluste2020, IstPflanzlich, KannBiogas, Biogasverluste, N_AnrechenbarAL, N_AnrechenbarGL
FROM S_OD_AusbringVerluste
