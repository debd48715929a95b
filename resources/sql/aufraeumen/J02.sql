-- Only years from 2020 on are kept; the older tables go.
delete from DuengeJahr where Duengejahr < 2020;
drop Table OrgDng;
drop table Proben;
