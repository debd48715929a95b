SELECT Anbau.*, Schlag.Groesse AS Flaeche, Schlag.BewirtschaftungsAuflagen AS BewirtschaftungsAuflagen
FROM Anbau INNER JOIN Schlag
  ON Anbau.Parzelle = Schlag.Parzelle AND Anbau.Jahr = Schlag.Jahr AND Anbau.BetriebsNr = Schlag.BetriebsNr
