-- Only a table of the older format has NH4_Prozent; elsewhere this fails silently.
update S_OrgDung set nh4 = 0.0, NH4_Prozent = 0 where OrgDngNummer in ( 96, 97 );
