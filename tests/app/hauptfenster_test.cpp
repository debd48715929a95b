// The main window: start, selection, title, actions with their preconditions,
// information, calculator, screen print, compaction and the close sequence.
#include "altdatenbank.h"
#include "bildschirmdruck.h"
#include "testdrucker.h"
#include "dataset.h"
#include "files.h"
#include "hauptfenster.h"
#include "listenansicht.h"
#include "start.h"
#include "testbetrieb.h"
#include "testdatenbank.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>

#include <map>

namespace {

using A = THauptfenster::TAktion;

const QString KeinBetrieb = QStringLiteral("Bitte erst einen Betrieb anlegen.");
const QString KeinJahr = QStringLiteral("Bitte erst ein Düngejahr anlegen.");
const QString OrgDuenger =
    QStringLiteral("Bitte erst in der Vorauswahl ALLE eigenen organischen Dünger mit einem gültigen Nverf-Gehalt "
                   "versehen.\r\nNicht mehr relevante alte eigene organische Dünger können auch gelöscht werden.");

// Shows no dialog: records which one would have been shown and its texts.
class TestFenster : public THauptfenster {
public:
  using THauptfenster::THauptfenster;
  QStringList dialoge;
  QStringList texte;
  QStringList knoepfe;

protected:
  int DialogZeigen(QDialog& dialog) override {
    dialoge << QString::fromLatin1(dialog.metaObject()->className());
    for (const QLabel* l : dialog.findChildren<QLabel*>()) texte << l->text();
    for (const QPushButton* k : dialog.findChildren<QPushButton*>()) knoepfe << k->text();
    return QDialog::Accepted;
  }
};

// A copy of farm 2 "Hof Linde" (year 2021) in the folder, opened by the window
// on its own connection; the test's connection reads what it left behind.
class Hauptfenster : public TestBetrieb {
protected:
  void WeitereBetriebe() {
    Sql(QStringLiteral("insert into Betriebe ( ID, Betriebsname, Bundesland ) values ( 3, 'Gut Birke', 15 ), "
                       "( 7, 'Agrar Ulme', 15 );"
                       "insert into DuengeJahr ( BetriebsNr, Duengejahr ) values ( 3, 2022 ), ( 3, 2021 ), "
                       "( 7, 2023 ), ( 7, 2022 )"));
  }
  void MerkSetzen(int betrieb, int jahr) {
    Sql(QStringLiteral("update Merk set BetriebsNr = %1, Jahr = %2").arg(betrieb).arg(jahr));
  }
  bool Starten(const QLocale& formate = QLocale()) {
    db.Schliessen();
    fenster = std::make_unique<TestFenster>(fensterDb, ordner.path(), meldungen);
    return fenster->Starten(formate);
  }
  void TestVerbindungOeffnen() {
    db.setDatenbankName(ordner.filePath(Dateien::Datenbank));
    ASSERT_EQ(db.Oeffnen(), TOeffnenErgebnis::Ok) << db.Fehlermeldung().toStdString();
  }
  QStringList Jahre() const {
    QStringList j;
    const int feld = fenster->Jahre().FeldIndex(QStringLiteral("Duengejahr"));
    for (int i = 0; i < fenster->Jahre().Anzahl(); ++i) j << fenster->Jahre().Wert(i, feld).toString();
    return j;
  }
  void DateiAnlegen(const QString& name) {
    QFile f(ordner.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  }
  // Plugs a recording window into every working-window action.
  void AlleFensterEinsetzen() {
    for (A a : THauptfenster::AlleAktionen)
      if (THauptfenster::IstArbeitsfenster(a))
        fenster->FensterEinsetzen(a, [this, a](THauptfenster& f) {
          geoeffnet.push_back({a, f.BetriebsNr(), f.Jahr()});
        });
  }

  struct Geoeffnet {
    A aktion;
    qint64 betrieb;
    int jahr;
  };
  std::vector<Geoeffnet> geoeffnet;
  TADOModConnection fensterDb{&meldungen};
  std::unique_ptr<TestFenster> fenster;
};

// --- start ---------------------------------------------------------------------

TEST(HauptfensterStart, ErsterStartLegtDieDatenbankMitLeerenListenAn) {
  QTemporaryDir ordner;
  TSkriptMeldungen meldungen;
  TADOModConnection db(&meldungen);
  TestFenster fenster(db, ordner.path(), meldungen);
  ASSERT_TRUE(fenster.Starten());
  EXPECT_TRUE(fenster.IstGestartet());
  EXPECT_EQ(db.Zugriff(), TZugriff::Exklusiv);
  EXPECT_EQ(db.Wert(QStringLiteral("select group_concat( ID || ' ' || Betriebsname ) from Betriebe")).toString(),
            QStringLiteral("1 Nullbetrieb"));
  EXPECT_TRUE(fenster.Betriebe().IstOffen());
  EXPECT_EQ(fenster.Betriebe().Anzahl(), 0);
  EXPECT_EQ(fenster.Jahre().Anzahl(), 0);
  EXPECT_TRUE(QFileInfo(ordner.filePath(QStringLiteral("SIC/EC"))).isDir());
  EXPECT_EQ(fenster.windowTitle(), QStringLiteral("Programm Quendrix2022"));
  // The place lists of the home state are open for the farm panel.
  EXPECT_GT(fenster.Orte().Anzahl(), 0);
  EXPECT_GT(fenster.Ortsteile().Anzahl(), fenster.Orte().Anzahl());
  for (TADODataSetMod* orte : {&fenster.Orte(), &fenster.Ortsteile()}) {
    const int feld = orte->FeldIndex(QStringLiteral("BLCODE"));
    for (int i = 0; i < orte->Anzahl(); ++i) ASSERT_EQ(orte->Wert(i, feld).toInt(), 15);
  }
  for (A a : {A::Vorauswahl, A::Duengebedarfsermittlung, A::Aufzeichnungspflicht, A::Meldepflichten}) {
    meldungen.Leeren();
    EXPECT_FALSE(fenster.Ausfuehren(a));
    EXPECT_EQ(meldungen.Infos(), QStringList{KeinBetrieb}) << THauptfenster::Beschriftung(a).toStdString();
  }
}

TEST(HauptfensterStart, FalscheLaendereinstellungBeendetVorDerDatenbank) {
  QTemporaryDir ordner;
  TSkriptMeldungen meldungen;
  TADOModConnection db(&meldungen);
  {
    TestFenster fenster(db, ordner.path(), meldungen);
    EXPECT_FALSE(fenster.Starten(QLocale(QLocale::German, QLocale::Switzerland)));
    EXPECT_EQ(meldungen.Infos(), QStringList{Start::FormatMeldung});
    fenster.close();
  }
  EXPECT_TRUE(QDir(ordner.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

TEST_F(Hauptfenster, EinZweitesFensterWirdAbgewiesenUndSichertNichts) {
  ASSERT_TRUE(Starten());
  TADOModConnection zweiteDb(&meldungen);
  {
    TestFenster zweites(zweiteDb, ordner.path(), meldungen);
    meldungen.Leeren();
    EXPECT_FALSE(zweites.Starten());
    ASSERT_EQ(meldungen.Infos().size(), 1);
    EXPECT_TRUE(meldungen.Infos()[0].contains(QStringLiteral("von einem anderen Programm benutzt")));
    zweites.close();
  }
  EXPECT_FALSE(zweiteDb.IstOffen());
  EXPECT_FALSE(QFile::exists(Dateien::Sicherung(ordner.path(), 1)));
  // The first window goes on working.
  EXPECT_EQ(fenster->BetriebsNr(), 2);
  EXPECT_TRUE(fensterDb.IstOffen());
}

TEST_F(Hauptfenster, NachDerUebernahmeWirdGeprueftUndDieGemerkteAuswahlGesetzt) {
  db.Schliessen();
  QFile::remove(ordner.filePath(Dateien::Datenbank));
  ASSERT_TRUE(AlteDatenbankAnlegen(
      ordner.filePath(Dateien::AlteDatenbank),
      QStringLiteral("insert into Merk ( BetriebsNr, Jahr, VersionNummer ) values ( 2, 2020, 5 );"
                     "insert into Betriebe ( ID, Betriebsname ) values ( 1, 'Nullbetrieb' ), ( 2, 'Altbetrieb' );"
                     "insert into DuengeJahr ( BetriebsNr, Duengejahr ) values ( 2, 2020 ), ( 2, 2021 );"
                     "insert into Proben ( ID, BetriebsNr, Jahr, Parzelle, Kultur, Feldblock ) values "
                     "( 1, 2, 2021, 5, 'Winterweizen A, B', 'ST12345' ), ( 2, 2, 2020, 6, 'Raps', 'ST12346' )")));
  ASSERT_TRUE(Starten());
  const QString liste = QStringLiteral(
      "Feldblocknummer in den Betrieben mit folgender Betriebsnummer unvollständig (16-stellig einschließlich "
      "DEVLLI):\r\n2\r\n");
  EXPECT_EQ(meldungen.Infos(),
            QStringList{liste + QStringLiteral("\r\nDas Fehlerprotokoll finden Sie in der Datei Fehler.txt.\r\n"
                                               "Bitte ergänzen Sie bei allen eigenen organischen Düngemitteln noch den "
                                               "Nverf-Gehalt und die Herkunft.")});
  QFile fehler(ordner.filePath(QStringLiteral("Fehler.txt")));
  ASSERT_TRUE(fehler.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromUtf8(fehler.readAll()), liste);
  EXPECT_EQ(fenster->BetriebsNr(), 2);
  EXPECT_EQ(fenster->Jahr(), 2020);
  EXPECT_EQ(fenster->windowTitle(), QStringLiteral("Programm Quendrix2022 - Betrieb: Altbetrieb / Jahr: 2020"));
}

// --- selection and title ---------------------------------------------------------

struct AuswahlFall {
  int merkBetrieb;
  int merkJahr;
  qint64 betrieb;
  int jahr;
  const char* titel;
};

class Auswahl : public Hauptfenster, public ::testing::WithParamInterface<AuswahlFall> {};

TEST_P(Auswahl, WirdAusMerkHergestellt) {
  const AuswahlFall& f = GetParam();
  WeitereBetriebe();
  MerkSetzen(f.merkBetrieb, f.merkJahr);
  ASSERT_TRUE(Starten());
  EXPECT_TRUE(meldungen.Infos().isEmpty()) << meldungen.Infos().join(QLatin1Char('\n')).toStdString();
  EXPECT_EQ(fenster->BetriebsNr(), f.betrieb);
  EXPECT_EQ(fenster->Jahr(), f.jahr);
  EXPECT_EQ(fenster->windowTitle(), QString::fromUtf8(f.titel));
  // The grids show the lists' rows.
  EXPECT_EQ(fenster->BetriebsAnsicht()->currentIndex().row(), fenster->Betriebe().Position());
  EXPECT_EQ(fenster->JahresAnsicht()->currentIndex().row(), fenster->Jahre().Position());
}

INSTANTIATE_TEST_SUITE_P(
    Hauptfenster, Auswahl,
    ::testing::Values(AuswahlFall{7, 2022, 7, 2022, "Programm Quendrix2022 - Betrieb: Agrar Ulme / Jahr: 2022"},
                      AuswahlFall{3, 2021, 3, 2021, "Programm Quendrix2022 - Betrieb: Gut Birke / Jahr: 2021"},
                      AuswahlFall{2, 2021, 2, 2021, "Programm Quendrix2022 - Betrieb: Hof Linde / Jahr: 2021"},
                      // a year that is gone: the farm's latest year
                      AuswahlFall{3, 2030, 3, 2022, "Programm Quendrix2022 - Betrieb: Gut Birke / Jahr: 2022"},
                      // a farm that is gone: the last farm on its latest year
                      AuswahlFall{99, 2022, 7, 2023, "Programm Quendrix2022 - Betrieb: Agrar Ulme / Jahr: 2023"},
                      AuswahlFall{0, 2021, 7, 2023, "Programm Quendrix2022 - Betrieb: Agrar Ulme / Jahr: 2023"}));

TEST_F(Hauptfenster, EinAndererBetriebOeffnetSeineJahreAufDemLetzten) {
  WeitereBetriebe();
  MerkSetzen(2, 2021);
  ASSERT_TRUE(Starten());
  EXPECT_EQ(Jahre(), QStringList{QStringLiteral("2021")});
  // Farm 3 chosen in the grid: its years in order, the latest selected.
  fenster->BetriebsAnsicht()->setCurrentIndex(fenster->BetriebsAnsicht()->model()->index(1, 0));
  EXPECT_EQ(fenster->BetriebsNr(), 3);
  EXPECT_EQ(Jahre(), (QStringList{QStringLiteral("2021"), QStringLiteral("2022")}));
  EXPECT_EQ(fenster->Jahr(), 2022);
  EXPECT_EQ(fenster->JahresAnsicht()->currentIndex().row(), 1);
  EXPECT_EQ(fenster->windowTitle(), QStringLiteral("Programm Quendrix2022 - Betrieb: Gut Birke / Jahr: 2022"));
  fenster->JahresAnsicht()->setCurrentIndex(fenster->JahresAnsicht()->model()->index(0, 1));
  EXPECT_EQ(fenster->Jahr(), 2021);
  EXPECT_EQ(fenster->windowTitle(), QStringLiteral("Programm Quendrix2022 - Betrieb: Gut Birke / Jahr: 2021"));
  // Moved by the list itself, the grid follows.
  ASSERT_TRUE(fenster->Betriebe().Suchen(7));
  EXPECT_EQ(fenster->BetriebsAnsicht()->currentIndex().row(), 2);
  EXPECT_EQ(fenster->windowTitle(), QStringLiteral("Programm Quendrix2022 - Betrieb: Agrar Ulme / Jahr: 2023"));
}

TEST_F(Hauptfenster, DerTitelFolgtDemBetriebsnamenUndZeigtOhneJahrNurDenBetrieb) {
  Sql(QStringLiteral("insert into Betriebe ( ID, Betriebsname ) values ( 3, 'Gut Birke' )"));
  MerkSetzen(2, 2021);
  ASSERT_TRUE(Starten());
  ASSERT_TRUE(fenster->Betriebe().setWert(QStringLiteral("Betriebsname"), QStringLiteral("Hof Linde-Nord")));
  EXPECT_EQ(fenster->windowTitle(), QStringLiteral("Programm Quendrix2022 - Betrieb: Hof Linde-Nord / Jahr: 2021"));
  fenster->Betriebe().Abbrechen();
  ASSERT_TRUE(fenster->Betriebe().Suchen(3));
  EXPECT_EQ(fenster->Jahre().Anzahl(), 0);
  EXPECT_EQ(fenster->windowTitle(), QStringLiteral("Programm Quendrix2022 - Betrieb: Gut Birke"));
}

// --- actions -------------------------------------------------------------------

TEST_F(Hauptfenster, TabFolgtDemBildschirm) {
  // A complete EU number: an incomplete one keeps the cursor.
  // Likewise missing areas of the year send it back to them.
  Sql(QStringLiteral("update Betriebe set EU_NUMMER = '276150000001' where ID = 2;"
                     "update DuengeJahr set Ackerland = 10, Gruenland = 5, Flaeche170kg = 15 where BetriebsNr = 2"));
  ASSERT_TRUE(Starten());
  fenster->show();
  fenster->activateWindow();
  QApplication::setActiveWindow(fenster.get());
  fenster->BetriebsAnsicht()->setFocus(Qt::TabFocusReason);
  QStringList folge;
  for (int i = 0; i < 80; ++i) {
    QWidget* w = QApplication::focusWidget();
    ASSERT_NE(w, nullptr);
    if (i > 0 && w == fenster->BetriebsAnsicht()) break;
    folge << w->accessibleName();
    QTest::keyClick(w, Qt::Key_Tab);
  }
  // Left to right, top to bottom: the farm list and its panel and buttons,
  // then the year list with its panel and buttons, then the actions.
  const QStringList marken = {QStringLiteral("Betriebsliste"),     QStringLiteral("Name des Unternehmens"),
                              QStringLiteral("EU-Betriebsnummer"), QStringLiteral("Ort"),
                              QStringLiteral("Betrieb neu anlegen"), QStringLiteral("Jahresliste"),
                              QStringLiteral("Ackerland (ha)"),    QStringLiteral("Jahr anhängen"),
                              QStringLiteral("Info"),              QStringLiteral("beenden")};
  qsizetype vorher = -1;
  for (const QString& m : marken) {
    const qsizetype stelle = folge.indexOf(m);
    EXPECT_GT(stelle, vorher) << m.toStdString() << " in " << folge.join(QStringLiteral(" | ")).toStdString();
    vorher = stelle;
  }
}

TEST_F(Hauptfenster, JederKnopfTraegtSeineBeschriftungUndNurDieEigenenSindFrei) {
  ASSERT_TRUE(Starten());
  const QStringList erwartet = {
      QStringLiteral("Vorauswahl"),      QStringLiteral("Düngebedarfsermittlung"),
      QStringLiteral("Aufzeichnungspflicht"), QStringLiteral("Aufzeichnung tabellarisch"),
      QStringLiteral("Erträge"),         QStringLiteral("Meldepflichten"), QStringLiteral("Stapelverarbeitung"),
      QStringLiteral("gemerktes Shape setzen"), QStringLiteral("Flächentausch"),
      QStringLiteral("Info"),            QStringLiteral("DB komprimieren und schließen"),
      QStringLiteral("Bildschirmdruck"), QStringLiteral("Taschenrechner"),
      QStringLiteral("beenden")};
  QStringList beschriftungen;
  for (A a : THauptfenster::AlleAktionen) {
    const QPushButton* k = fenster->Knopf(a);
    ASSERT_NE(k, nullptr);
    beschriftungen << k->text();
    EXPECT_EQ(k->accessibleName(), k->text());
    EXPECT_EQ(k->isEnabled(), !THauptfenster::IstArbeitsfenster(a)) << k->text().toStdString();
  }
  EXPECT_EQ(beschriftungen, erwartet);
  EXPECT_EQ(fenster->Knopf(A::ShapeSetzen)->toolTip(),
            QStringLiteral("Ein vorher mit Merken gesichertes Shape zur Weiterbearbeitung bzw. Übernahme neu öffnen."));
  EXPECT_EQ(fenster->BetriebsAnsicht()->accessibleName(), QStringLiteral("Betriebsliste"));
  EXPECT_EQ(fenster->JahresAnsicht()->accessibleName(), QStringLiteral("Jahresliste"));
  auto titel = [](const QAbstractItemModel* m) {
    QStringList t;
    for (int s = 0; s < m->columnCount(); ++s) t << m->headerData(s, Qt::Horizontal, Qt::DisplayRole).toString();
    return t;
  };
  EXPECT_EQ(titel(fenster->BetriebsAnsicht()->model()),
            (QStringList{QStringLiteral("Betriebs-Nr."), QStringLiteral("Name des Unternehmens"),
                         QStringLiteral("Ort Betriebs-Sitz")}));
  EXPECT_EQ(titel(fenster->JahresAnsicht()->model()),
            (QStringList{QStringLiteral("Betriebs-Nr."), QStringLiteral("Kalenderjahr")}));
  EXPECT_FALSE(fenster->BetriebsBereich()->accessibleName().isEmpty());
  EXPECT_FALSE(fenster->JahresBereich()->accessibleName().isEmpty());

  // A disabled button does nothing; plugging a window in enables it, an empty one disables it again.
  fenster->Knopf(A::Vorauswahl)->click();
  EXPECT_TRUE(meldungen.protokoll.isEmpty());
  int geoeffnet = 0;
  fenster->FensterEinsetzen(A::Vorauswahl, [&](THauptfenster&) { ++geoeffnet; });
  EXPECT_TRUE(fenster->Knopf(A::Vorauswahl)->isEnabled());
  fenster->Knopf(A::Vorauswahl)->click();
  EXPECT_EQ(geoeffnet, 1);
  fenster->FensterEinsetzen(A::Vorauswahl, {});
  EXPECT_FALSE(fenster->Knopf(A::Vorauswahl)->isEnabled());
  // The window's own actions are not replaced.
  fenster->FensterEinsetzen(A::Info, [&](THauptfenster&) { ++geoeffnet; });
  fenster->Knopf(A::Info)->click();
  EXPECT_EQ(geoeffnet, 1);
  EXPECT_EQ(fenster->dialoge, QStringList{QStringLiteral("TInfoFenster")});
}

struct VoraussetzungFall {
  const char* name;
  const char* sql;
  std::map<A, QString> meldung;  // actions not listed open their window
};

class Voraussetzungen : public Hauptfenster, public ::testing::WithParamInterface<VoraussetzungFall> {};

TEST_P(Voraussetzungen, WerdenInIhrerReihenfolgeGeprueft) {
  const VoraussetzungFall& f = GetParam();
  Sql(QStringLiteral("insert into Betriebe ( ID, Betriebsname ) values ( 3, 'Gut Birke' );"
                     "insert into DuengeJahr ( BetriebsNr, Duengejahr ) values ( 3, 2021 )"));
  MerkSetzen(2, 2021);
  Sql(QString::fromUtf8(f.sql));
  ASSERT_TRUE(Starten());
  AlleFensterEinsetzen();
  for (A a : THauptfenster::AlleAktionen) {
    if (!THauptfenster::IstArbeitsfenster(a)) continue;
    meldungen.Leeren();
    geoeffnet.clear();
    fenster->Knopf(a)->click();
    const auto m = f.meldung.find(a);
    const std::string was = THauptfenster::Beschriftung(a).toStdString();
    if (m == f.meldung.end()) {
      EXPECT_TRUE(meldungen.protokoll.isEmpty()) << was;
      ASSERT_EQ(geoeffnet.size(), 1u) << was;
      EXPECT_EQ(geoeffnet[0].aktion, a);
      EXPECT_EQ(geoeffnet[0].betrieb, fenster->BetriebsNr());
      EXPECT_EQ(geoeffnet[0].jahr, fenster->Jahr());
    } else {
      EXPECT_EQ(meldungen.protokoll, QStringList{QStringLiteral("Info: ") + m->second}) << was;
      EXPECT_TRUE(geoeffnet.empty()) << was;
    }
  }
}

const char* OrgOhneNverf =
    "insert into S_OrgDung ( BetriebsNr, OrgDngNummer, OrgDng, IstEigen, NH4 ) values ( 2, 5000, '_eigene Gülle', 1, null );";

INSTANTIATE_TEST_SUITE_P(
    Hauptfenster, Voraussetzungen,
    ::testing::Values(
        VoraussetzungFall{"OhneBetrieb",
                          "delete from Betriebe where ID > 1",
                          {{A::Vorauswahl, KeinBetrieb},
                           {A::Duengebedarfsermittlung, KeinBetrieb},
                           {A::Aufzeichnungspflicht, KeinBetrieb},
                           {A::Meldepflichten, KeinBetrieb},
                           {A::Flaechentausch, KeinBetrieb}}},
        VoraussetzungFall{"OhneJahr",
                          "delete from DuengeJahr where BetriebsNr = 2",
                          {{A::Vorauswahl, KeinJahr},
                           {A::Duengebedarfsermittlung, KeinJahr},
                           {A::Aufzeichnungspflicht, KeinJahr},
                           {A::Meldepflichten, KeinJahr},
                           {A::Flaechentausch, KeinJahr}}},
        VoraussetzungFall{"Vollstaendig", "select 1", {}},
        // A fertiliser of someone else's, or not the farm's own, blocks nothing.
        VoraussetzungFall{"FremderOderNichtEigenerDuenger",
                          "insert into S_OrgDung ( BetriebsNr, OrgDngNummer, OrgDng, IstEigen, NH4 ) values "
                          "( 3, 5000, '_eigene Gülle', 1, null ), ( 2, 5001, 'Kompost', 0, null );",
                          {}},
        VoraussetzungFall{"EigenerDuengerOhneNverf",
                          OrgOhneNverf,
                          {{A::Aufzeichnungspflicht, OrgDuenger},
                           {A::AufzeichnungTabellarisch, OrgDuenger},
                           {A::Meldepflichten, OrgDuenger}}},
        VoraussetzungFall{"EigenerDuengerOhneNverfUndOhneJahr",
                          "insert into S_OrgDung ( BetriebsNr, OrgDngNummer, OrgDng, IstEigen, NH4 ) values "
                          "( 2, 5000, '_eigene Gülle', 1, null ); delete from DuengeJahr where BetriebsNr = 2",
                          {{A::Vorauswahl, KeinJahr},
                           {A::Duengebedarfsermittlung, KeinJahr},
                           {A::Aufzeichnungspflicht, OrgDuenger},
                           {A::AufzeichnungTabellarisch, OrgDuenger},
                           {A::Meldepflichten, OrgDuenger},
                           {A::Flaechentausch, KeinJahr}}}),
    [](const ::testing::TestParamInfo<VoraussetzungFall>& i) { return std::string(i.param.name); });

TEST_F(Hauptfenster, NachEinemArbeitsfensterZeigenDieListenDenStandDerDatenbank) {
  MerkSetzen(2, 2021);
  ASSERT_TRUE(Starten());
  fenster->FensterEinsetzen(A::Ertraege, [](THauptfenster& f) {
    f.Verbindung().Ausfuehren(QStringLiteral("insert into DuengeJahr ( BetriebsNr, Duengejahr ) values ( 2, 2022 );"
                                             "update Betriebe set Betriebsname = 'Hof Linde II' where ID = 2"));
  });
  fenster->Knopf(A::Ertraege)->click();
  EXPECT_EQ(Jahre(), (QStringList{QStringLiteral("2021"), QStringLiteral("2022")}));
  EXPECT_EQ(fenster->Jahr(), 2021);
  EXPECT_EQ(fenster->windowTitle(), QStringLiteral("Programm Quendrix2022 - Betrieb: Hof Linde II / Jahr: 2021"));
}

TEST_F(Hauptfenster, InfoZeigtVersionStandArbeitsverzeichnisUndHersteller) {
  ASSERT_TRUE(Starten());
  fenster->Knopf(A::Info)->click();
  EXPECT_EQ(fenster->dialoge, QStringList{QStringLiteral("TInfoFenster")});
  for (const QString& t : {QStringLiteral("Quendrix2022 Version 3 Datenbankversion 6.7"),
                           QStringLiteral("Stand: Dezember 2021"), QStringLiteral("aktuelles Arbeitsverzeichnis"),
                           QDir::toNativeSeparators(ordner.path()),
                           QStringLiteral("Quendrix \u2013 Düngeplanung und Aufzeichnung, Sachsen-Anhalt")})
    EXPECT_TRUE(fenster->texte.contains(t)) << t.toStdString();
  EXPECT_TRUE(fenster->knoepfe.contains(QStringLiteral("OK")));
  EXPECT_TRUE(meldungen.protokoll.isEmpty());
}

TEST_F(Hauptfenster, DerTaschenrechnerKopiertInDieZwischenablage) {
  ASSERT_TRUE(Starten());
  fenster->Knopf(A::Taschenrechner)->click();
  EXPECT_EQ(fenster->dialoge, QStringList{QStringLiteral("TTaschenrechner")});
  EXPECT_TRUE(fenster->knoepfe.contains(QStringLiteral("Kopieren")));
  EXPECT_FALSE(fenster->knoepfe.contains(QStringLiteral("Einfügen")));
}

// --- screen print ----------------------------------------------------------------

TEST_F(Hauptfenster, BildschirmdruckDruecktDasFensterOhneDenKnopf) {
  ASSERT_TRUE(Starten());
  fenster->show();
  QPushButton* knopf = fenster->Knopf(A::Bildschirmdruck);
  auto drucker = std::make_unique<TestDrucker>(true, true);
  TestDrucker* d = drucker.get();
  fenster->setBildschirmdrucker(std::move(drucker));
  knopf->click();
  ASSERT_EQ(d->bilder.size(), 1u);
  EXPECT_EQ(d->gefragt, 1);
  EXPECT_TRUE(meldungen.protokoll.isEmpty());
  EXPECT_TRUE(knopf->isVisible());
  const QImage mitKnopf = fenster->grab().toImage();
  knopf->setVisible(false);
  const QImage ohneKnopf = fenster->grab().toImage();
  knopf->setVisible(true);
  EXPECT_EQ(d->bilder[0].size(), fenster->size());
  EXPECT_TRUE(d->bilder[0] == ohneKnopf);
  EXPECT_FALSE(d->bilder[0] == mitKnopf);
}

TEST_F(Hauptfenster, BildschirmdruckOhneDruckerwahlDruecktNichtsUndEinFehlerWirdGemeldet) {
  ASSERT_TRUE(Starten());
  QPushButton* knopf = fenster->Knopf(A::Bildschirmdruck);
  auto abgebrochen = std::make_unique<TestDrucker>(false, true);
  TestDrucker* a = abgebrochen.get();
  fenster->setBildschirmdrucker(std::move(abgebrochen));
  knopf->click();
  EXPECT_EQ(a->gefragt, 1);
  EXPECT_TRUE(a->bilder.empty());
  EXPECT_TRUE(meldungen.protokoll.isEmpty());

  fenster->setBildschirmdrucker(std::make_unique<TestDrucker>(true, false));
  knopf->click();
  EXPECT_EQ(meldungen.Infos(), QStringList{QStringLiteral("Der Bildschirmdruck konnte nicht gedruckt werden.")});
}

// --- closing ---------------------------------------------------------------------

TEST_F(Hauptfenster, BeendenSpeichertMerktSichertUndLoeschtDieMarkierung) {
  WeitereBetriebe();
  MerkSetzen(2, 2021);
  DateiAnlegen(QStringLiteral("Quendrix.upd"));
  ASSERT_TRUE(Starten());
  ASSERT_TRUE(fenster->Betriebe().Suchen(3));
  ASSERT_TRUE(fenster->JahresAnsicht()->model()->rowCount() == 2);
  fenster->JahresAnsicht()->setCurrentIndex(fenster->JahresAnsicht()->model()->index(0, 0));
  // A pending edit is saved on the way out.
  ASSERT_TRUE(fenster->Betriebe().setWert(QStringLiteral("Betriebsname"), QStringLiteral("Gut Birke GbR")));
  fenster->Knopf(A::Beenden)->click();

  EXPECT_FALSE(fensterDb.IstOffen());
  EXPECT_FALSE(QFile::exists(ordner.filePath(QStringLiteral("Quendrix.upd"))));
  EXPECT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join(QLatin1Char('\n')).toStdString();
  TestVerbindungOeffnen();
  EXPECT_EQ(Wert(QStringLiteral("select BetriebsNr || '/' || Jahr from Merk")).toString(), QStringLiteral("3/2021"));
  EXPECT_FALSE(Wert(QStringLiteral("select Geschlossen from Merk")).isNull());
  EXPECT_EQ(Wert(QStringLiteral("select Betriebsname from Betriebe where ID = 3")).toString(), QStringLiteral("Gut Birke GbR"));
  db.Schliessen();
  // The backup is the state after the close.
  EXPECT_EQ(DateiInhalt(Dateien::Sicherung(ordner.path(), 1)), DateiInhalt(ordner.filePath(Dateien::Datenbank)));

  // The next start returns to farm 3 and 2021; its close shifts the backup to .02.
  fenster = std::make_unique<TestFenster>(fensterDb, ordner.path(), meldungen);
  ASSERT_TRUE(fenster->Starten());
  EXPECT_EQ(fenster->BetriebsNr(), 3);
  EXPECT_EQ(fenster->Jahr(), 2021);
  fenster->close();
  EXPECT_TRUE(QFile::exists(Dateien::Sicherung(ordner.path(), 2)));
  EXPECT_TRUE(QFile::exists(Dateien::Sicherung(ordner.path(), 1)));
}

TEST_F(Hauptfenster, EinFensterDasOhneSchliessenEndetMerktUndSichertEbenfalls) {
  WeitereBetriebe();
  MerkSetzen(2, 2021);
  ASSERT_TRUE(Starten());
  ASSERT_TRUE(fenster->Betriebe().Suchen(7));
  fenster.reset();
  EXPECT_FALSE(fensterDb.IstOffen());
  EXPECT_TRUE(QFile::exists(Dateien::Sicherung(ordner.path(), 1)));
  TestVerbindungOeffnen();
  EXPECT_EQ(Wert(QStringLiteral("select BetriebsNr || '/' || Jahr from Merk")).toString(), QStringLiteral("7/2023"));
}

TEST_F(Hauptfenster, OhneBetriebWirdNullGemerkt) {
  Sql(QStringLiteral("delete from Betriebe where ID > 1"));
  MerkSetzen(2, 2021);
  ASSERT_TRUE(Starten());
  fenster->close();
  TestVerbindungOeffnen();
  EXPECT_EQ(Wert(QStringLiteral("select BetriebsNr || '/' || Jahr from Merk")).toString(), QStringLiteral("0/0"));
}

TEST_F(Hauptfenster, KomprimierenSchliesstMitGemerkterAuswahlUndSichertDieKompakteDatei) {
  WeitereBetriebe();
  MerkSetzen(7, 2022);
  DateiAnlegen(QStringLiteral("Quendrix.upd"));
  ASSERT_TRUE(Starten());
  fenster->show();
  fenster->Knopf(A::Komprimieren)->click();
  EXPECT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join(QLatin1Char('\n')).toStdString();
  EXPECT_FALSE(fenster->isVisible());
  EXPECT_FALSE(fensterDb.IstOffen());
  EXPECT_FALSE(QFile::exists(ordner.filePath(QStringLiteral("Quendrix2021.$$$"))));
  EXPECT_FALSE(QFile::exists(ordner.filePath(QStringLiteral("Quendrix.upd"))));
  EXPECT_EQ(DateiInhalt(Dateien::Sicherung(ordner.path(), 1)), DateiInhalt(ordner.filePath(Dateien::Datenbank)));
  TestVerbindungOeffnen();
  EXPECT_EQ(Wert(QStringLiteral("select BetriebsNr || '/' || Jahr from Merk")).toString(), QStringLiteral("7/2022"));
  EXPECT_EQ(Wert(QStringLiteral("select group_concat( Betriebsname, ', ' ) from Betriebe where ID > 1")).toString(),
            QStringLiteral("Hof Linde, Gut Birke, Agrar Ulme"));
}

TEST_F(Hauptfenster, MisslungenesKomprimierenMeldetUndSchliesstTrotzdem) {
  MerkSetzen(2, 2021);
  DateiAnlegen(QStringLiteral("Quendrix.upd"));
  // A folder in the place of the temporary file: the compacted copy cannot be written.
  ASSERT_TRUE(QDir(ordner.path()).mkdir(QStringLiteral("Quendrix2021.$$$")));
  ASSERT_TRUE(Starten());
  fenster->show();
  fenster->Knopf(A::Komprimieren)->click();
  EXPECT_EQ(meldungen.Infos(), QStringList{QStringLiteral("FEHLER!\n Die Datenbank wurde nicht gepackt!")});
  EXPECT_FALSE(fenster->isVisible());
  EXPECT_FALSE(fensterDb.IstOffen());
  EXPECT_FALSE(QFile::exists(ordner.filePath(QStringLiteral("Quendrix.upd"))));
  EXPECT_EQ(DateiInhalt(Dateien::Sicherung(ordner.path(), 1)), DateiInhalt(ordner.filePath(Dateien::Datenbank)));
  TestVerbindungOeffnen();
  EXPECT_EQ(Wert(QStringLiteral("select BetriebsNr || '/' || Jahr from Merk")).toString(), QStringLiteral("2/2021"));
  EXPECT_FALSE(Wert(QStringLiteral("select Geschlossen from Merk")).isNull());
}

}  // namespace
