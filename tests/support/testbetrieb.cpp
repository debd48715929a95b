#include "testbetrieb.h"

#include "files.h"
#include "lebenslauf.h"
#include "stammdaten.h"

#include <QDir>
#include <QFile>

namespace {

// The prepared database, made once.
QString Vorlage() {
  static QTemporaryDir ordner;
  static const QString datei = [] {
    TSkriptMeldungen m;
    if (!Datenbank::Anlegen(ordner.path(), m)) return QString();
    TADOModConnection db(&m);
    db.setDatenbankName(QDir(ordner.path()).filePath(Dateien::Datenbank));
    if (db.Oeffnen() != TOeffnenErgebnis::Ok) return QString();
    Datenbank::Wartung(db);
    db.Ausfuehren(QStringLiteral("insert into Betriebe ( ID, Betriebsname, Bundesland ) values ( 2, 'Hof Linde', 15 )"));
    Stammdaten::StammdatenAbgleich(db, 2);
    db.Ausfuehren(QStringLiteral("insert into DuengeJahr ( BetriebsNr, Duengejahr, BeginDuengejahr, EndeDuengejahr ) "
                                 "values ( 2, 2021, '2021-01-01', '2021-12-31' )"));
    return QDir(ordner.path()).filePath(Dateien::Datenbank);
  }();
  return datei;
}

}  // namespace

void TestBetrieb::SetUp() {
  const QString vorlage = Vorlage();
  ASSERT_FALSE(vorlage.isEmpty()) << "Testdatenbank konnte nicht angelegt werden";
  const QString datei = ordner.filePath(Dateien::Datenbank);
  ASSERT_TRUE(QFile::copy(vorlage, datei));
  db.setDatenbankName(datei);
  ASSERT_EQ(db.Oeffnen(), TOeffnenErgebnis::Ok) << db.Fehlermeldung().toStdString();
}

void TestBetrieb::BefehlSetzen(int gruppe, int nr, const QString& b1, const QString& b2) {
  Sql(QStringLiteral("update Befehle set B_1 = :b1, B_2 = :b2 where B_GruppeNr = :g and B_Nr = :n"),
      {{QStringLiteral("b1"), b1}, {QStringLiteral("b2"), b2}, {QStringLiteral("g"), gruppe}, {QStringLiteral("n"), nr}});
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
