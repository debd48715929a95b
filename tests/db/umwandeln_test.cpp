// Creation, takeover and refresh under faults: each builds a file under a
// temporary name and moves it into place only when it is complete and
// checked, so a failure leaves the folder as it was and says why in German.
#include "altdatenbank.h"
#include "files.h"
#include "lebenslauf.h"
#include "skriptmeldungen.h"
#include "stoerhilfe.h"
#include "stoerung.h"
#include "testdatenbank.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cerrno>

namespace {

using Stoerung::TArt;

// --- creation ------------------------------------------------------------------------

struct AnlegeFall {
  const char* name;
  TArt art;
  const char* endung;  // of the file whose operation fails
  int fehler;
  int ab;              // the operation fails from its n-th time on
  const char* kern;    // a part of the German reason
  const char* engine;  // the text at the end, in brackets
};

class Anlegen : public ::testing::TestWithParam<AnlegeFall> {};

TEST_P(Anlegen, ScheitertOhneRestMitEinerDeutschenMeldung) {
  const AnlegeFall& f = GetParam();
  QTemporaryDir ordner;
  TSkriptMeldungen meldungen;
  int mal = 0;
  {
    Stoerung::TAktiv stoerung([&](TArt art, const QString& datei) {
      return art == f.art && datei.endsWith(QString::fromLatin1(f.endung)) && ++mal >= f.ab ? f.fehler : 0;
    });
    EXPECT_FALSE(Datenbank::Anlegen(ordner.path(), meldungen));
  }
  ASSERT_EQ(meldungen.Infos().size(), 1) << T(meldungen.protokoll.join(QLatin1Char('\n')));
  const QString text = meldungen.Infos()[0];
  EXPECT_TRUE(text.startsWith(QStringLiteral("Die Datenbank \u201EQuendrix2021.mdb\u201C konnte nicht angelegt werden. ")))
      << T(text);
  EXPECT_TRUE(text.contains(QString::fromUtf8(f.kern))) << T(text);
  EXPECT_TRUE(text.endsWith(QStringLiteral("(%1)").arg(QString::fromLatin1(f.engine)))) << T(text);
  EXPECT_FALSE(text.contains(QLatin1String(".tmp"))) << T(text);
  EXPECT_EQ(meldungen.protokoll.last(), QStringLiteral("Warten Ende"));
  // Nothing is left: the next start creates the database anew.
  EXPECT_EQ(Liste(OrdnerDateien(ordner.path())), "");
}

INSTANTIATE_TEST_SUITE_P(
    Lebenslauf, Anlegen,
    ::testing::Values(
        AnlegeFall{"OrdnerSchreibgeschuetzt", TArt::Anlegen, ".mdb.tmp", EACCES, 1,
                   "dürfen keine Dateien angelegt oder geändert werden", "unable to open database file"},
        AnlegeFall{"DatentraegerSofortVoll", TArt::Schreiben, ".tmp", ENOSPC, 1, "ist kein Platz mehr frei",
                   "database or disk is full"},
        // The first few writes work: the disk fills up while the tables and master data are written.
        AnlegeFall{"DatentraegerUnterwegsVoll", TArt::Schreiben, ".tmp", ENOSPC, 8, "ist kein Platz mehr frei",
                   "database or disk is full"},
        AnlegeFall{"Datentraegerfehler", TArt::Synchronisieren, ".mdb.tmp", EIO, 2, "hat der Datenträger einen Fehler",
                   "disk I/O error"},
        AnlegeFall{"UmbenennenVerboten", TArt::Umbenennen, "Quendrix2021.mdb", EACCES, 1,
                   "dürfen keine Dateien angelegt oder geändert werden", "Permission denied"}),
    [](const ::testing::TestParamInfo<AnlegeFall>& i) { return std::string(i.param.name); });

// --- takeover and refresh --------------------------------------------------------------

const QString AltInhalt = QStringLiteral(
    "insert into Merk ( BetriebsNr, Jahr, VersionNummer ) values ( 2, 2021, 5 );"
    "insert into Betriebe ( ID, Betriebsname ) values ( 1, 'Nullbetrieb' ), ( 2, 'Altbetrieb' );"
    "insert into DuengeJahr ( BetriebsNr, Duengejahr ) values ( 2, 2020 ), ( 2, 2021 );"
    "insert into Proben ( BetriebsNr, Jahr, Parzelle, Kultur, Feldblock ) "
    "select 2, 2021, value, 'Winterweizen A, B', 'DEVLLI0000000001' from ( "
    "  with recursive n(value) as ( select 1 union all select value + 1 from n where value < 400 ) select value from n )");

class Umwandlung : public ::testing::Test {
protected:
  QString Datei() const { return ordner.filePath(Dateien::Datenbank); }
  QString Alt() const { return ordner.filePath(Dateien::AlteDatenbank); }
  QTemporaryDir ordner;
  TSkriptMeldungen meldungen;
};

TEST_F(Umwandlung, EineBeschaedigteAlteDateiWirdNichtUebernommenUndNichtsBleibtZurueck) {
  ASSERT_TRUE(AlteDatenbankAnlegen(Alt(), AltInhalt));
  const qint64 seiten = QFileInfo(Alt()).size() / 1024;
  ASSERT_GT(seiten, 20);
  ASSERT_TRUE(SeiteBeschaedigen(Alt(), int(seiten / 2)));
  const QByteArray vorher = DateiInhalt(Alt());

  EXPECT_FALSE(Datenbank::Hochstufen(ordner.path(), meldungen));
  ASSERT_EQ(meldungen.Infos().size(), 1) << T(meldungen.protokoll.join(QLatin1Char('\n')));
  const QString text = meldungen.Infos()[0];
  EXPECT_TRUE(text.startsWith(QStringLiteral(
      "Die Übernahme der älteren Datenbank \u201EQuendrix.mdb\u201C ist fehlgeschlagen. \u201EQuendrix.mdb\u201C ist "
      "beschädigt. Bitte holen Sie eine unbeschädigte Sicherung dieser Datei zurück und starten Sie Quendrix dann "
      "erneut. (")))
      << T(text);
  EXPECT_TRUE(text.endsWith(QStringLiteral(
      ")\nEs wurde nichts übernommen; \u201EQuendrix.mdb\u201C bleibt unverändert.")))
      << T(text);
  EXPECT_EQ(Liste(OrdnerDateien(ordner.path())), Liste({Dateien::AlteDatenbank}));
  EXPECT_EQ(DateiInhalt(Alt()), vorher);
}

TEST_F(Umwandlung, EineGescheiterteUebernahmeHinterlaesstNichtsUndWirdBeimNaechstenMalWiederholt) {
  // A field of 2022 whose fertiliser year is missing: the fields cannot be taken over.
  ASSERT_TRUE(AlteDatenbankAnlegen(
      Alt(), AltInhalt + QStringLiteral(";insert into Proben ( BetriebsNr, Jahr, Parzelle ) values ( 2, 2022, 7 )")));
  const QByteArray vorher = DateiInhalt(Alt());
  EXPECT_FALSE(Datenbank::Hochstufen(ordner.path(), meldungen));
  EXPECT_EQ(T(meldungen.Infos().join(QLatin1Char('|'))),
            T(QStringLiteral(
                "Die Übernahme der älteren Datenbank \u201EQuendrix.mdb\u201C ist fehlgeschlagen. Eine Anweisung der "
                "Umwandlung ist an den Daten gescheitert. Bitte wenden Sie sich mit dieser Meldung an die Betreuung des "
                "Programms. (FOREIGN KEY constraint failed)\nEs wurde nichts übernommen; \u201EQuendrix.mdb\u201C "
                "bleibt unverändert.")));
  EXPECT_EQ(Liste(OrdnerDateien(ordner.path())), Liste({Dateien::AlteDatenbank}));
  EXPECT_EQ(DateiInhalt(Alt()), vorher);

  // Once the data are put right the next attempt takes the farm over.
  {
    TADOModConnection alt;
    alt.setDatenbankName(Alt());
    ASSERT_EQ(Name(alt.Oeffnen()), "Ok");
    ASSERT_TRUE(alt.Ausfuehren(QStringLiteral("insert into DuengeJahr ( BetriebsNr, Duengejahr ) values ( 2, 2022 )")));
  }
  meldungen.Leeren();
  ASSERT_TRUE(Datenbank::Hochstufen(ordner.path(), meldungen));
  EXPECT_EQ(Liste(meldungen.Infos()), "");
  EXPECT_EQ(Datenbank::Version(Datei()), std::make_pair(6, 6));
  TADOModConnection neu;
  neu.setDatenbankName(Datei());
  ASSERT_EQ(Name(neu.Oeffnen()), "Ok");
  EXPECT_EQ(neu.Wert(QStringLiteral("select count(*) from Schlag")).toInt(), 401);
}

struct UebernahmeStoerung {
  const char* name;
  TArt art;
  const char* endung;
  int fehler;
  int ab;
  const char* engine;
};

class UebernahmeGestoert : public Umwandlung, public ::testing::WithParamInterface<UebernahmeStoerung> {};

TEST_P(UebernahmeGestoert, LaesstDieAlteDateiUndKeineNeueZurueck) {
  const UebernahmeStoerung& f = GetParam();
  ASSERT_TRUE(AlteDatenbankAnlegen(Alt(), AltInhalt));
  const QByteArray vorher = DateiInhalt(Alt());
  int mal = 0;
  {
    Stoerung::TAktiv stoerung([&](TArt art, const QString& datei) {
      return art == f.art && datei.endsWith(QString::fromLatin1(f.endung)) && ++mal >= f.ab ? f.fehler : 0;
    });
    EXPECT_FALSE(Datenbank::Hochstufen(ordner.path(), meldungen));
  }
  ASSERT_EQ(meldungen.Infos().size(), 1) << T(meldungen.protokoll.join(QLatin1Char('\n')));
  const QString text = meldungen.Infos()[0];
  EXPECT_TRUE(text.startsWith(QStringLiteral("Die Übernahme der älteren Datenbank \u201EQuendrix.mdb\u201C ist fehlgeschlagen. ")))
      << T(text);
  EXPECT_TRUE(text.contains(QStringLiteral("(%1)").arg(QString::fromLatin1(f.engine)))) << T(text);
  EXPECT_FALSE(text.contains(QLatin1String(".tmp"))) << T(text);
  EXPECT_EQ(Liste(OrdnerDateien(ordner.path())), Liste({Dateien::AlteDatenbank}));
  EXPECT_EQ(DateiInhalt(Alt()), vorher);
}

INSTANTIATE_TEST_SUITE_P(
    Lebenslauf, UebernahmeGestoert,
    ::testing::Values(UebernahmeStoerung{"KopieVoll", TArt::Schreiben, ".mdb.tmp", ENOSPC, 1, "No space left on device"},
                      UebernahmeStoerung{"UmwandlungVoll", TArt::Schreiben, ".tmp-journal", ENOSPC, 3,
                                         "database or disk is full"},
                      UebernahmeStoerung{"SchlussFehler", TArt::Synchronisieren, ".mdb.tmp", EIO, 4, "disk I/O error"},
                      UebernahmeStoerung{"EinsetzenVerboten", TArt::Umbenennen, "Quendrix2021.mdb", EACCES, 1,
                                         "Permission denied"}),
    [](const ::testing::TestParamInfo<UebernahmeStoerung>& i) { return std::string(i.param.name); });

TEST_F(Umwandlung, EineGescheiterteAktualisierungLaesstDieVersionUndWirdWiederholt) {
  ASSERT_TRUE(Datenbank::Anlegen(ordner.path(), meldungen));
  {
    TADOModConnection db;
    db.setDatenbankName(Datei());
    ASSERT_EQ(Name(db.Oeffnen()), "Ok");
    ASSERT_TRUE(db.Ausfuehren(QStringLiteral(
        "insert into Betriebe ( ID, Betriebsname ) values ( 2, 'Hof Linde' );"
        "update Merk set VersionUnterNummer = 3;"
        "create trigger Testsperre before insert on S_Tiere when new.BetriebsNr = 2 "
        "begin select raise(abort, 'Testsperre'); end")));
  }
  const QByteArray vorher = DateiInhalt(Datei());
  meldungen.Leeren();
  EXPECT_FALSE(Datenbank::Auffrischen(ordner.path(), meldungen));
  EXPECT_EQ(Liste(meldungen.Infos()),
            Liste({QStringLiteral(
                "Die Aktualisierung der Datenbank \u201EQuendrix2021.mdb\u201C ist fehlgeschlagen. Eine Anweisung der "
                "Umwandlung ist an den Daten gescheitert. Bitte wenden Sie sich mit dieser Meldung an die Betreuung des "
                "Programms. (Testsperre)\nDie Datenbank bleibt unverändert in ihrer bisherigen Version; beim nächsten "
                "Start wird die Aktualisierung erneut versucht.")}));
  // Not marked current: the version pair is written last, with the rest.
  EXPECT_EQ(Datenbank::Version(Datei()), std::make_pair(6, 3));
  EXPECT_EQ(DateiInhalt(Datei()), vorher);
  EXPECT_EQ(Liste(OrdnerDateien(ordner.path())), Liste({Dateien::Datenbank}));

  {
    TADOModConnection db;
    db.setDatenbankName(Datei());
    ASSERT_EQ(Name(db.Oeffnen()), "Ok");
    ASSERT_TRUE(db.Ausfuehren(QStringLiteral("drop trigger Testsperre")));
  }
  meldungen.Leeren();
  ASSERT_TRUE(Datenbank::Auffrischen(ordner.path(), meldungen));
  EXPECT_EQ(Liste(meldungen.Infos()), "");
  EXPECT_EQ(Datenbank::Version(Datei()), std::make_pair(6, 6));
  TADOModConnection db;
  db.setDatenbankName(Datei());
  ASSERT_EQ(Name(db.Oeffnen()), "Ok");
  EXPECT_EQ(db.Wert(QStringLiteral("select count(*) from S_Tiere where BetriebsNr = 2")).toInt(),
            db.Wert(QStringLiteral("select count(*) from S_Tiere where BetriebsNr = 1")).toInt());
}

}  // namespace
