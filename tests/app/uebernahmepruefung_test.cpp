// The check after a takeover: incomplete field blocks and animal types, listed
// per farm, in "Fehler.txt" and the message.
#include "start.h"
#include "testbetrieb.h"

#include <QDir>
#include <QFile>

namespace {

const QString Nverf =
    QStringLiteral("Bitte ergänzen Sie bei allen eigenen organischen Düngemitteln noch den Nverf-Gehalt und die Herkunft.");
const QString Feldblock = QStringLiteral(
    "Feldblocknummer in den Betrieben mit folgender Betriebsnummer unvollständig (16-stellig einschließlich DEVLLI):\r\n");
const QString Tierart = QStringLiteral(
    "Tierart/Verfahren der eigenen organischen Dünger in den Betrieben mit folgender Betriebsnummer unvollständig "
    "zugewiesen:\r\n");
const QString Protokoll = QStringLiteral("\r\nDas Fehlerprotokoll finden Sie in der Datei Fehler.txt.");

struct Fall {
  const char* name;
  const char* sql;
  QString fehlerDatei;  // empty: no file written
};

class UebernahmePruefung : public TestBetrieb, public ::testing::WithParamInterface<Fall> {
protected:
  void SetUp() override {
    TestBetrieb::SetUp();
    // Farms 3 and 4 with years 2020 to 2022; the template's fertilisers all complete.
    Sql(QStringLiteral("insert into Betriebe ( ID, Betriebsname ) values ( 3, 'Gut Birke' ), ( 4, 'Agrar Ulme' );"
                       "insert into DuengeJahr ( BetriebsNr, Duengejahr ) values "
                       "( 2, 2020 ), ( 2, 2022 ), ( 3, 2020 ), ( 3, 2021 ), ( 3, 2022 ), ( 4, 2020 ), ( 4, 2021 );"
                       "update S_OrgDung set TaVerfNr = 0 where TaVerfNr is null"));
  }
  QString Fehlertext() const {
    QFile f(ordner.filePath(QStringLiteral("Fehler.txt")));
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll());
  }
};

TEST_P(UebernahmePruefung, ListetDieBetriebeUndErinnertAnDenNverfGehalt) {
  const Fall& f = GetParam();
  {
    // An older protocol is replaced, never appended to.
    QFile alt(ordner.filePath(QStringLiteral("Fehler.txt")));
    ASSERT_TRUE(alt.open(QIODevice::WriteOnly));
    alt.write("alt\r\n");
  }
  if (f.fehlerDatei.isEmpty()) QFile::remove(ordner.filePath(QStringLiteral("Fehler.txt")));
  Sql(QString::fromUtf8(f.sql));
  const QString text = Start::UebernahmePruefen(db, ordner.path(), meldungen);
  const QString erwartet = f.fehlerDatei.isEmpty() ? Nverf : f.fehlerDatei + Protokoll + QStringLiteral("\r\n") + Nverf;
  EXPECT_EQ(text, erwartet);
  EXPECT_EQ(meldungen.Infos(), QStringList{erwartet});
  EXPECT_EQ(Fehlertext(), f.fehlerDatei);
}

INSTANTIATE_TEST_SUITE_P(
    Start, UebernahmePruefung,
    ::testing::Values(
        Fall{"nichts", "select 1", QString()},
        // 15 characters in 2021 are incomplete; 16 characters, or a short block before 2021, are not.
        Fall{"Feldblock",
             "insert into Schlag ( BetriebsNr, Jahr, Parzelle, Feldblock ) values "
             "( 2, 2021, 1, 'DEVLLI123456789' ), ( 3, 2021, 1, 'DEVLLI1234567890' ), ( 4, 2020, 1, 'ST1' )",
             Feldblock + QStringLiteral("2\r\n")},
        Fall{"FeldblockFehlt",
             "insert into Schlag ( BetriebsNr, Jahr, Parzelle, Feldblock ) values "
             "( 3, 2022, 1, null ), ( 2, 2021, 1, 'DEVLLI1' ), ( 2, 2021, 2, 'DEVLLI2' )",
             Feldblock + QStringLiteral("2, 3\r\n")},
        // The template farm is never listed.
        Fall{"Tierart",
             "insert into S_OrgDung ( BetriebsNr, OrgDngNummer, OrgDng, IstEigen, TaVerfNr ) values "
             "( 3, 5000, '_eigene Gülle', 1, null ), ( 1, 5001, 'Vorlage', 1, null )",
             Tierart + QStringLiteral("3")},
        Fall{"Beides",
             "insert into S_OrgDung ( BetriebsNr, OrgDngNummer, OrgDng, IstEigen, TaVerfNr ) values "
             "( 4, 5000, '_eigene Gülle', 1, null ), ( 2, 5000, '_eigener Mist', 1, null );"
             "insert into Schlag ( BetriebsNr, Jahr, Parzelle, Feldblock ) values ( 4, 2021, 3, '' )",
             Feldblock + QStringLiteral("4\r\n") + Tierart + QStringLiteral("2, 4")}),
    [](const ::testing::TestParamInfo<Fall>& i) { return std::string(i.param.name); });

TEST_F(UebernahmePruefung, EinNichtGeschriebenesFehlerprotokollWirdGemeldet) {
  // Something of that name that is no file: the protocol cannot be written.
  QFile::remove(ordner.filePath(QStringLiteral("Fehler.txt")));
  ASSERT_TRUE(QDir(ordner.path()).mkdir(QStringLiteral("Fehler.txt")));
  Sql(QStringLiteral("insert into Schlag ( BetriebsNr, Jahr, Parzelle, Feldblock ) values ( 2, 2021, 1, 'DEVLLI1' )"));
  const QString text = Start::UebernahmePruefen(db, ordner.path(), meldungen);
  const QString anfang = Feldblock + QStringLiteral("2\r\n\r\nDas Fehlerprotokoll konnte nicht in die Datei Fehler.txt "
                                                    "geschrieben werden (");
  const QString ende = QStringLiteral("). Bitte notieren Sie sich die Angaben oben.\r\n") + Nverf;
  EXPECT_TRUE(text.startsWith(anfang)) << text.toStdString();
  EXPECT_TRUE(text.endsWith(ende)) << text.toStdString();
  EXPECT_FALSE(text.contains(QStringLiteral("finden Sie in der Datei")));
  EXPECT_EQ(meldungen.Infos(), QStringList{text});
}

}  // namespace
