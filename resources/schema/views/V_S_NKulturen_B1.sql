SELECT * FROM S_KulturenNP WHERE BetriebsNr = 1
