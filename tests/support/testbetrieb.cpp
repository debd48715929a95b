#include "testbetrieb.h"

#include "files.h"
#include "lebenslauf.h"
#include "stammdaten.h"
#include "testvorlage.h"

#include <QFileInfo>

namespace {

// The database as the program creates and opens it, with farm 2 and its year 2021.
bool BetriebAnlegen(const QString& datei) {
  TSkriptMeldungen m;
  if (!Datenbank::Anlegen(QFileInfo(datei).path(), m)) return false;
  TADOModConnection db(&m);
  db.setDatenbankName(datei);
  if (db.Oeffnen() != TOeffnenErgebnis::Ok) return false;
  Datenbank::Wartung(db);
  if (!db.Ausfuehren(QStringLiteral("insert into Betriebe ( ID, Betriebsname, Bundesland ) values ( 2, 'Hof Linde', 15 )")))
    return false;
  Stammdaten::StammdatenAbgleich(db, 2);
  return db.Ausfuehren(QStringLiteral("insert into DuengeJahr ( BetriebsNr, Duengejahr, BeginDuengejahr, EndeDuengejahr ) "
                                      "values ( 2, 2021, '2021-01-01', '2021-12-31' )"));
}

}  // namespace

void TestBetrieb::SetUp() {
  ASSERT_TRUE(Testvorlage::Oeffnen(db, QStringLiteral("betrieb"), BetriebAnlegen, ordner.filePath(Dateien::Datenbank)));
}

void TestBetrieb::Sql(const QString& sql, const TParameter& parameter) {
  EXPECT_TRUE(db.Ausfuehren(sql, parameter)) << db.LetzterFehler().toStdString() << "\n" << sql.toStdString();
}

QVariant TestBetrieb::Wert(const QString& sql, const TParameter& parameter) { return db.Wert(sql, parameter); }

qint64 TestBetrieb::Einfuegen(const QString& tabelle, const QVariantMap& werte) {
  QStringList spalten, platzhalter;
  TParameter p;
  for (auto it = werte.begin(); it != werte.end(); ++it) {
    spalten << it.key();
    platzhalter << QStringLiteral(":") + it.key();
    p.emplace_back(it.key(), it.value());
  }
  Sql(QStringLiteral("insert into %1 ( %2 ) values ( %3 )")
          .arg(tabelle, spalten.join(QStringLiteral(", ")), platzhalter.join(QStringLiteral(", "))),
      p);
  return Wert(QStringLiteral("select last_insert_rowid()")).toLongLong();
}
