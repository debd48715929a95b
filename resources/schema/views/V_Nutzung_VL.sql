SELECT DBA_Daten.NU_Code_VL AS NU_Code, DBA_Daten.NU_Pos_VL AS NU_Pos, DBA_Daten.FRUCHTART AS FRUCHTART,
       S_KulturenNP.Kultur AS Kultur, DBA_Daten.FA_NR_STAMM AS FA_NR, DBA_Daten.Kulturgruppe AS Kulturgruppe,
       S_KulturenNP.Auswahl AS Auswahl, S_KulturenNP.BetriebsNr AS BetriebsNr,
       S_KulturenNP.Ertragsniveau AS Ertragsniveau, S_KulturenNP.FRU_ARTGRNR AS FRU_ARTGRNR
FROM DBA_Daten INNER JOIN S_KulturenNP ON DBA_Daten.FA_NR_STAMM = S_KulturenNP.FA_NR
WHERE DBA_Daten.NU_Code_VL IS NOT NULL AND DBA_Daten.FA_NR_STAMM IS NOT NULL
