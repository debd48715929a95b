SELECT Dung.*, Schlag.Groesse AS Flaeche, Schlag.BewirtschaftungsAuflagen AS BewirtschaftungsAuflagen
FROM Dung INNER JOIN Schlag
  ON Dung.BetriebsNr = Schlag.BetriebsNr AND Dung.Jahr = Schlag.Jahr AND Dung.Parzelle = Schlag.Parzelle
