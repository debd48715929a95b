-- The sums of one farm year from which both nutrient statements are made.
-- A sum over no rows is null; which of them count as 0 is decided by the caller.
-- Nutrient amounts are kg on the whole field: load per ha x field size of the
-- record's year (the view joins the record to its field in that year).
-- :BetriebsNr, :Jahr; :NurNitratgebiet = 1 keeps only the records on fields
-- of the nitrate area (BewirtschaftungsAuflagen 2).
-- No row when the farm has no crop row in the year.
WITH Posten AS (
  SELECT Kategorie AS K, TaVerfNr AS T, BewirtschaftungsAuflagen AS BA,
         Nges * Flaeche AS N, Nverf * Flaeche AS NV, Pges * Flaeche AS P
  FROM DungMitFlaeche
  WHERE BetriebsNr = :BetriebsNr
    -- legume records count by the year of their crop row, all others by their date
    AND iif(Kategorie = 3, Jahr, Year(Datum)) = :Jahr
    AND (:NurNitratgebiet = 0 OR BewirtschaftungsAuflagen = 2)
),
Felder AS (
  SELECT Groesse, BewirtschaftungsAuflagen AS BA, HD_DNG, HD_DNG_RG, P_DuengeBedarf, P2O5_DuengeBedarf
  FROM Schlag
  WHERE BetriebsNr = :BetriebsNr AND Jahr = :Jahr
),
Summen AS (
  SELECT
    SUM(CASE WHEN K = 1 THEN N END) AS NMinDung,
    SUM(CASE WHEN K = 2 AND T BETWEEN 1 AND 12 THEN N END) AS NTierDung,
    SUM(CASE WHEN K = 2 AND T BETWEEN 1 AND 12 THEN NV END) AS NVerfN,
    SUM(CASE WHEN K = 4 THEN N END) AS NWeide,
    SUM(CASE WHEN K = 2 AND T BETWEEN 13 AND 26 THEN N END) AS NSonstDung,
    SUM(CASE WHEN K = 2 AND T BETWEEN 13 AND 26 THEN NV END) AS NVerfSonstDung,
    SUM(CASE WHEN K = 5 AND T = 1 THEN N END) AS NPflanzenHilf,
    SUM(CASE WHEN K = 5 AND T = 2 THEN N END) AS NKulturSubstrat,
    SUM(CASE WHEN K = 5 AND T = 3 THEN N END) AS NBodenHilf,
    SUM(CASE WHEN K = 5 AND T = 4 THEN N END) AS NAbfall,
    SUM(CASE WHEN K = 5 AND T = 1 THEN NV END) AS NPflanzenHilfVerf,
    SUM(CASE WHEN K = 5 AND T = 2 THEN NV END) AS NKulturSubstratVerf,
    SUM(CASE WHEN K = 5 AND T = 3 THEN NV END) AS NBodenHilfVerf,
    SUM(CASE WHEN K = 5 AND T = 4 THEN NV END) AS NAbfallVerf,
    SUM(CASE WHEN K = 3 THEN N END) AS NLegum,
    SUM(CASE WHEN K IN (1, 2, 5) THEN N END) AS NSummeOhneLegumWeide,
    SUM(CASE WHEN K IN (1, 2, 5) THEN NV END) AS NSummeOhneLegumWeideVerf,
    SUM(CASE WHEN K IN (1, 2, 4, 5) THEN N END) AS NOhneLegum,
    SUM(NV) AS NSummeVerf,
    SUM(CASE WHEN K = 1 THEN P END) AS PMinDung,
    SUM(CASE WHEN K = 2 AND T BETWEEN 1 AND 12 THEN P END) AS PTierDung,
    SUM(CASE WHEN K = 4 THEN P END) AS PWeide,
    SUM(CASE WHEN K = 2 AND T BETWEEN 13 AND 26 THEN P END) AS PSonstDung,
    SUM(CASE WHEN K = 5 AND T = 1 THEN P END) AS PPflanzenHilf,
    SUM(CASE WHEN K = 5 AND T = 2 THEN P END) AS PKulturSubstrat,
    SUM(CASE WHEN K = 5 AND T = 3 THEN P END) AS PBodenHilf,
    SUM(CASE WHEN K = 5 AND T = 4 THEN P END) AS PAbfall,
    SUM(CASE WHEN K IN (1, 2, 5) THEN P END) AS PSummeOhneWeide,
    SUM(CASE WHEN K IN (1, 2, 4, 5) THEN P END) AS POhneLegum,
    SUM(CASE WHEN K = 3 THEN P END) AS PLegum,
    SUM(CASE WHEN K = 1 AND BA = 2 THEN N END) AS NMinDungRG,
    SUM(CASE WHEN K IN (1, 2, 5) AND BA = 2 THEN N END) AS NSummeRGOhneLWT
  FROM Posten
)
SELECT Summen.*,
  (SELECT SUM(Duengebedarf * Flaeche) FROM AnbauMitRG
    WHERE BetriebsNr = :BetriebsNr AND Jahr = :Jahr AND BewirtschaftungsAuflagen = 1) AS KulturBedarf,
  (SELECT SUM(Duengebedarf * Flaeche) FROM AnbauMitRG
    WHERE BetriebsNr = :BetriebsNr AND Jahr = :Jahr AND BewirtschaftungsAuflagen = 2) AS KulturBedarfRG,
  (SELECT SUM(HD_DNG * Groesse) FROM Felder WHERE BA = 1) AS HerbstBedarf,
  (SELECT SUM(HD_DNG_RG * Groesse) FROM Felder WHERE BA = 2) AS HerbstBedarfRG,
  (SELECT SUM(P_DuengeBedarf * Groesse) FROM Felder WHERE :NurNitratgebiet = 0 OR BA = 2) AS PBedarf,
  (SELECT SUM(P2O5_DuengeBedarf * Groesse) FROM Felder WHERE :NurNitratgebiet = 0 OR BA = 2) AS P2O5Bedarf,
  (SELECT SUM(Groesse) FROM Felder) AS FlaecheBetrieb,
  (SELECT SUM(Groesse) FROM Felder WHERE BA = 2) AS FlaecheRotesGebiet,
  (SELECT Flaeche170kg FROM DuengeJahr WHERE BetriebsNr = :BetriebsNr AND Duengejahr = :Jahr) AS Flaeche170kg
FROM Summen
WHERE EXISTS (SELECT 1 FROM Anbau WHERE BetriebsNr = :BetriebsNr AND Jahr = :Jahr)
