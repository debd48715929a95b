SELECT * FROM DungMitFlaeche
