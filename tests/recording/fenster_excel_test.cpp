// "Excel-Export" on the page "Aufzeichnungspflicht": the list reads what is
// stored, so a record being entered is saved first; one that cannot be
// saved stops the export before the save dialog.
#include "fenstertest.h"

#include "listenausgabe.h"

#include <QFile>

namespace {

class ExcelExport : public FensterTest {};

TEST_F(ExcelExport, SpeichertDieOffeneAufzeichnungZuerst) {
  Oeffnen();
  Klicken(K("Mineraldünger hinzu"));
  Tippen(QApplication::focusWidget(), K("010421"));
  Eingeben(K("Ausbringmenge"), K("3"));
  Auswaehlen(K("Düngerart"), K("KAS 27"));
  const QString datei = ordner.filePath(K("Duengungen.xlsx"));
  meldungen.dateien.push_back(datei);
  Klicken(K("Excel-Export"));
  EXPECT_EQ(Wert(K("select count(*) from Dung where Datum = '2021-04-01'")).toInt(), 1);
  EXPECT_EQ(meldungen.Infos(), QStringList{Listenausgabe::Fertig()});
  EXPECT_TRUE(QFile::exists(datei));
}

TEST_F(ExcelExport, NichtSpeicherbareAufzeichnungHaeltDieListeAuf) {
  Oeffnen();
  Klicken(K("Mineraldünger hinzu"));
  Eingeben(K("Ausbringmenge"), K("3"));  // no date, no fertiliser
  meldungen.dateien.push_back(ordner.filePath(K("Duengungen.xlsx")));
  Klicken(K("Excel-Export"));
  EXPECT_FALSE(meldungen.protokoll.contains(K("DateiSpeichern: Excel-Export")))
      << meldungen.protokoll.join('\n').toStdString();
  EXPECT_FALSE(QFile::exists(ordner.filePath(K("Duengungen.xlsx"))));
  meldungen.dateien.clear();
}

}  // namespace
