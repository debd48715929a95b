#include "testdatenbank.h"

#include "schema.h"
#include "testvorlage.h"

#include <QFile>

namespace {

bool SchemaAnlegen(const QString& datei) {
  TADOModConnection db;
  db.setDatenbankName(datei);
  return db.Anlegen() && Schema::AllesAnlegen(db);
}

}  // namespace

void TestDatenbank::SetUp() {
  ASSERT_TRUE(ordner.isValid());
  ASSERT_TRUE(Testvorlage::Oeffnen(db, QStringLiteral("schema"), SchemaAnlegen, Datei()));
}

qint64 TestDatenbank::BeispielBetrieb() {
  EXPECT_TRUE(db.Ausfuehren(QStringLiteral(
      "INSERT INTO Betriebe (ID, Betriebsname) VALUES (2, 'Hof Linde');"
      "INSERT INTO DuengeJahr (BetriebsNr, Duengejahr) VALUES (2, 2021);"
      "INSERT INTO Schlag (BetriebsNr, Jahr, Parzelle, SchlagName) VALUES (2, 2021, 10, 'Am Weg');"
      "INSERT INTO Anbau (BetriebsNr, Jahr, Parzelle, FruchtNr, Kultur) VALUES (2, 2021, 10, 1, 'Winterweizen');")))
      << db.LetzterFehler().toStdString();
  return db.Wert(QStringLiteral("SELECT max(ID) FROM Anbau")).toLongLong();
}

QByteArray DateiInhalt(const QString& datei) {
  QFile f(datei);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
