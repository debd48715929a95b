SELECT Dung.*, Anbau.HauptfruchtNummer AS HauptfruchtNummer
FROM Dung INNER JOIN Anbau
  ON Dung.BetriebsNr = Anbau.BetriebsNr AND Dung.Jahr = Anbau.Jahr AND Dung.Parzelle = Anbau.Parzelle
 AND Dung.ProbenID = Anbau.ID
