-- Organic fertilisers no longer offered, and rows of unknown origin nobody chose.
delete from S_OrgDung where OrgDngNummer in ( 59, 60, 61, 62, 67, 70, 78, 83, 86, 89, 92, 94, 103 );
delete from S_OrgDung where Herkunft_Nr is null and Auswahl = 0;
