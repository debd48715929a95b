// Farm records in the main window: creating, the EU number, the seat, the
// search, deleting, taking over another farm's choices and the farm list.
#include "betriebe.h"
#include "betriebsbereich.h"
#include "bodenklimaraum.h"
#include "dbauswahl.h"
#include "dbeditmod.h"
#include "fensterbetrieb.h"
#include "listenansicht.h"
#include "stammdaten.h"

#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

namespace {

class Betrieb : public FensterBetrieb {
protected:
  TBetriebsBereich& B() { return *fenster->BetriebsFelder(); }
  TDBEditMod* Feld(const char* spalte) { return B().Feld(QLatin1String(spalte)); }
  int Zahl(const QString& sql) { return FWert(sql).toInt(); }
  // A municipality of the home state with at least two localities.
  qint64 OrtMitOrtsteilen() {
    return FWert(QStringLiteral("select OrtsNr from S_Orte where BLCODE = 15 group by OrtsNr having count(*) >= 2 "
                                "order by OrtsNr limit 1"))
        .toLongLong();
  }
  int OrtEintrag(qint64 ortsNr) {
    const int f = fenster->Orte().FeldIndex(QStringLiteral("OrtsNr"));
    for (int i = 0; i < fenster->Orte().Anzahl(); ++i)
      if (fenster->Orte().Wert(i, f).toLongLong() == ortsNr) return i;
    return -1;
  }
};

TEST(BetriebeRegeln, EuNummerZeichen) {
  for (QChar c : QStringLiteral(" \"!$%&()*+,-./:;=?\\^_`AZaxz§°´ÄÖÜßäöü")) EXPECT_FALSE(Betriebe::EuZeichenErlaubt(c, 0)) << int(c.unicode());
  EXPECT_TRUE(Betriebe::EuZeichenErlaubt(u'7', 11));
  EXPECT_FALSE(Betriebe::EuZeichenErlaubt(u'7', 12));
  // Every other key passes, also beyond twelve characters.
  EXPECT_TRUE(Betriebe::EuZeichenErlaubt(u'#', 12));
  EXPECT_TRUE(Betriebe::EuNummerVollstaendig(QStringLiteral("276150000001")));
  EXPECT_FALSE(Betriebe::EuNummerVollstaendig(QStringLiteral("27615000000")));
}

TEST_F(Betrieb, NeuAnlegenMitSitzSpeichertKopiertVorlagenUndLegtDasErsteJahrAn) {
  Starten();
  const QString ortNrSql = QStringLiteral("select OrtsNr from S_Orte where BLCODE = 15 group by OrtsNr having count(*) >= 2 order by OrtsNr limit 1");
  const qint64 ortNr = FWert(ortNrSql).toLongLong();
  ASSERT_GT(ortNr, 0);
  B().NeuKnopf()->click();
  EXPECT_EQ(fenster->Betriebe().Zustand(), TADODataSetMod::TZustand::Einfuegen);
  EXPECT_EQ(fenster->Jahre().Anzahl(), 0);
  ASSERT_EQ(QApplication::focusWidget(), Feld("Betriebsname"));
  QTest::keyClicks(Feld("Betriebsname"), QStringLiteral("Hof O'Neill"));
  Feld("EU_NUMMER")->setFocus();
  QTest::keyClicks(Feld("EU_NUMMER"), QStringLiteral("DE 276-150.000/0011"));
  EXPECT_EQ(Feld("EU_NUMMER")->text(), QStringLiteral("276150000001"));
  B().Ort()->setFocus();
  B().OrtWaehlen(OrtEintrag(ortNr));
  fenster->wahlen = {TAktionsauswahl::OhneShape};
  meldungen.antworten = {true};
  meldungen.zahlen = {2022};
  B().OkKnopf()->click();

  EXPECT_EQ(meldungen.protokoll,
            (QStringList{QStringLiteral("Frage: ") + TAktionsauswahl::Bestaetigung(TAktionsauswahl::OhneShape),
                         QStringLiteral("Jahreseingabe: Mit welchem Kalenderjahr wollen Sie beginnen? \r\n(-1 für Abbruch)"),
                         QStringLiteral("Info: Bitte tragen Sie jetzt die Flächen für Ackerland, Grünland und die "
                                        "170-kg-Grenze ein.")}));
  EXPECT_EQ(fenster->dialoge, QStringList{QStringLiteral("TAktionsauswahl")});
  const qint64 id = fenster->BetriebsNr();
  EXPECT_EQ(id, 3);
  const TParameter p{{QStringLiteral("b"), id}};
  EXPECT_EQ(FWert(QStringLiteral("select Betriebsname || '|' || EU_NUMMER || '|' || Bundesland from Betriebe where ID = :b"), p)
                .toString(),
            QStringLiteral("Hof O'Neill|276150000001|15"));
  // Every template crop, fertiliser and animal category is copied.
  for (const char* t : {"S_KulturenNP", "S_MinDung", "S_OrgDung", "S_Tiere"}) {
    const QString sql = QStringLiteral("select count(*) from %1 where BetriebsNr = :b").arg(QLatin1String(t));
    const int vorlage = FWert(sql, {{QStringLiteral("b"), 1}}).toInt();
    EXPECT_GT(vorlage, 0) << t;
    EXPECT_EQ(FWert(sql, p).toInt(), vorlage) << t;
  }
  EXPECT_EQ(FWert(QStringLiteral("select Duengejahr || ' ' || Tierauswahl || ' ' || BeginDuengejahr || ' ' || EndeDuengejahr "
                                 "from DuengeJahr where BetriebsNr = :b"), p)
                .toString(),
            QStringLiteral("2022 3 2022-01-01 2022-12-31"));
  EXPECT_EQ(fenster->Jahr(), 2022);
  EXPECT_EQ(fenster->windowTitle(), QStringLiteral("Programm Quendrix2022 - Betrieb: Hof O'Neill / Jahr: 2022"));
  // The cursor waits in the arable area.
  EXPECT_EQ(QApplication::focusWidget()->accessibleName(), QStringLiteral("Ackerland (ha)"));
}

TEST_F(Betrieb, EuNummerFiltertTastenUndVerlangtZwoelfStellen) {
  Starten();
  TDBEditMod* eu = Feld("EU_NUMMER");
  eu->setFocus();
  QTest::keyClicks(eu, QStringLiteral("DE12"));
  EXPECT_EQ(eu->text(), QStringLiteral("12"));
  QTest::keyClicks(eu, QStringLiteral("3456789"));
  EXPECT_EQ(eu->text().size(), 9);
  QTest::keyClicks(eu, QStringLiteral("01"));
  // Eleven characters: leaving shows the message and the cursor comes back.
  Feld("SitzStrasse")->setFocus();
  EXPECT_EQ(Infos(), QStringList{QStringLiteral("Bitte exakt 12 Stellen eingeben.")});
  EXPECT_EQ(QApplication::focusWidget(), eu);
  eu->end(false);
  QTest::keyClicks(eu, QStringLiteral("23"));  // the thirteenth digit is discarded
  EXPECT_EQ(eu->text(), QStringLiteral("123456789012"));
  meldungen.Leeren();
  Feld("SitzStrasse")->setFocus();
  EXPECT_TRUE(Infos().isEmpty());
  // The check never blocks saving: the value is stored.
  fenster->BetriebsAnsicht()->setFocus();
  EXPECT_EQ(FWert(QStringLiteral("select EU_NUMMER from Betriebe where ID = 2")).toString(), QStringLiteral("123456789012"));
}

TEST_F(Betrieb, OrtUndOrtsteilFuellenPlzBkrUndKreis) {
  const TParameter p{{QStringLiteral("o"), Wert(QStringLiteral("select OrtsNr from S_Orte where BLCODE = 15 group by OrtsNr "
                                                               "having count(*) >= 2 order by OrtsNr limit 1"))}};
  // The shipped places carry no region; this locality is given one.
  Sql(QStringLiteral("update S_Orte set BKR = 192 where ID = ( select ID from S_Orte where BLCODE = 15 and OrtsNr = :o "
                     "order by ORTSTEIL collate Deutsch limit 1 offset 1 )"),
      p);
  Starten();
  const qint64 ortNr = OrtMitOrtsteilen();
  ASSERT_EQ(ortNr, p[0].second.toLongLong());
  // Worked out from the place list itself.
  const QStringList teile =
      FWert(QStringLiteral("select group_concat( t, '|' ) from ( select trim( ORTSTEIL ) as t from S_Orte where "
                           "BLCODE = 15 and OrtsNr = :o order by ORTSTEIL collate Deutsch )"), p)
          .toString()
          .split(QLatin1Char('|'));
  B().OrtWaehlen(OrtEintrag(ortNr));
  QStringList angeboten;
  for (int i = 0; i < B().Ortsteil()->count(); ++i) angeboten << B().Ortsteil()->itemText(i);
  EXPECT_EQ(angeboten, teile);
  EXPECT_EQ(B().Ortsteil()->maxVisibleItems(), 20);
  B().OrtsteilWaehlen(1);
  const QString erwartet =
      FWert(QStringLiteral("select trim( ORT ) || '|' || trim( ORTSTEIL ) || '|' || PLZ || '|' || ifnull( BKR, '' ) || '|' || "
                           "trim( Kreis ) || '|' || KreisNr from S_Orte where BLCODE = 15 and OrtsNr = :o order by ORTSTEIL collate Deutsch limit 1 offset 1"),
            p)
          .toString();
  const QStringList w = erwartet.split(QLatin1Char('|'));
  ASSERT_EQ(w.size(), 6) << erwartet.toStdString();
  EXPECT_EQ(Feld("SitzPLZ")->text(), w[2]);
  EXPECT_EQ(Feld("BKR")->text(), w[3]);
  EXPECT_EQ(Feld("Kreis")->text(), w[4]);
  EXPECT_EQ(Feld("KreisNr")->text(), w[5]);
  EXPECT_EQ(B().Ortsteil()->currentText(), w[1]);
  ASSERT_TRUE(fenster->Betriebe().Speichern());
  EXPECT_EQ(FWert(QStringLiteral("select SitzOrt || '|' || SitzOrtsTeil || '|' || SitzPLZ || '|' || ifnull( BKR, '' ) || '|' || Kreis || "
                                 "'|' || KreisNr from Betriebe where ID = 2"))
                .toString(),
            erwartet);
  EXPECT_EQ(w[3], QStringLiteral("192"));
  EXPECT_TRUE(Feld("BKR")->RO());
  // A locality without a region keeps the farm's and lets the farmer change it.
  B().OrtsteilWaehlen(0);
  EXPECT_EQ(Feld("BKR")->text(), QStringLiteral("192"));
  EXPECT_FALSE(Feld("BKR")->RO());
}

TEST_F(Betrieb, BodenklimaraumWirdGetipptUndGeprueft) {
  Starten();
  TDBEditMod* bkr = Feld("BKR");
  EXPECT_FALSE(bkr->RO());
  EXPECT_TRUE(bkr->toolTip().contains(QStringLiteral("Agrarantrag")));
  struct Fall {
    const char* eingabe;
    bool abgewiesen;
  };
  for (const Fall& f : {Fall{"95", true}, Fall{"200", true}, Fall{"1070", true}, Fall{"0", false}, Fall{"107", false}}) {
    SCOPED_TRACE(f.eingabe);
    meldungen.Leeren();
    bkr->setFocus(Qt::TabFocusReason);
    bkr->selectAll();
    bkr->insert(QString::fromLatin1(f.eingabe));
    Feld("SitzEmail")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Infos(), f.abgewiesen ? QStringList{Bodenklimaraum::Ungueltig} : QStringList{});
    EXPECT_EQ(QApplication::focusWidget(), f.abgewiesen ? static_cast<QWidget*>(bkr) : Feld("SitzEmail"));
  }
  ASSERT_TRUE(fenster->Betriebe().Speichern());
  EXPECT_EQ(FWert(QStringLiteral("select BKR from Betriebe where ID = 2")).toInt(), 107);
}

TEST_F(Betrieb, SucheFindetGenauOhneGrossKleinAmAnfangUndIrgendwo) {
  Sql(QStringLiteral("insert into Betriebe ( ID, Betriebsname, Bundesland ) values ( 3, 'Gut Birke', 15 ), "
                     "( 4, 'Hof O''Neill', 15 ), ( 5, 'Agrar Birkenau', 15 )"));
  Starten();
  QLineEdit* suche = B().Suche();
  EXPECT_EQ(suche->accessibleName(), QStringLiteral("Suchen"));
  suche->setFocus();
  QTest::keyClicks(suche, QStringLiteral("o'n"));
  EXPECT_EQ(fenster->BetriebsNr(), 4);
  suche->clear();
  QTest::keyClicks(suche, QStringLiteral("BIRK"));  // begins with comes before contains
  EXPECT_EQ(fenster->BetriebsNr(), 3);
  suche->clear();
  QTest::keyClicks(suche, QStringLiteral("kenau"));
  EXPECT_EQ(fenster->BetriebsNr(), 5);
  EXPECT_EQ(meldungen.piepser, 0);
  QTest::keyClicks(suche, QStringLiteral("x"));
  EXPECT_EQ(meldungen.piepser, 1);
  EXPECT_EQ(fenster->BetriebsNr(), 5);
  // Left, the field is emptied.
  fenster->BetriebsAnsicht()->setFocus();
  EXPECT_TRUE(suche->text().isEmpty());
  EXPECT_TRUE(Betriebe::Suchen(fenster->Betriebe(), QStringLiteral("*")));
  EXPECT_EQ(fenster->BetriebsNr(), 5);
}

TEST_F(Betrieb, LoeschenFragtUndEntferntAlleDatenDesBetriebs) {
  Einfuegen(QStringLiteral("Schlag"), {{QStringLiteral("BetriebsNr"), 2}, {QStringLiteral("Jahr"), 2021}, {QStringLiteral("Parzelle"), 1}});
  Starten();
  meldungen.antworten = {false, true};
  B().LoeschenKnopf()->click();
  EXPECT_EQ(Zahl(QStringLiteral("select count(*) from Betriebe where ID = 2")), 1);
  B().LoeschenKnopf()->click();
  EXPECT_EQ(meldungen.protokoll, (QStringList{QStringLiteral("Frage: Betrieb mit allen Daten wirklich löschen?"),
                                              QStringLiteral("Frage: Betrieb mit allen Daten wirklich löschen?")}));
  for (const char* sql : {"select count(*) from Betriebe where ID = 2", "select count(*) from DuengeJahr where BetriebsNr = 2",
                          "select count(*) from Schlag where BetriebsNr = 2",
                          "select count(*) from S_KulturenNP where BetriebsNr = 2",
                          "select count(*) from S_OrgDung where BetriebsNr = 2"})
    EXPECT_EQ(Zahl(QLatin1String(sql)), 0) << sql;
  EXPECT_EQ(fenster->Betriebe().Anzahl(), 0);
  EXPECT_EQ(fenster->Jahre().Anzahl(), 0);
}

TEST_F(Betrieb, AuswahlUebernehmenKopiertGewaehlteZeilenUndOeffnetDieErtraege) {
  Sql(QStringLiteral("insert into Betriebe ( ID, Betriebsname, Bundesland ) values ( 3, 'Gut Birke', 15 )"));
  Stammdaten::StammdatenAbgleich(db, 3);
  const qint64 kultur = Wert(QStringLiteral("select min( FA_NR ) from S_KulturenNP where BetriebsNr = 3")).toLongLong();
  const qint64 andere = Wert(QStringLiteral("select max( FA_NR ) from S_KulturenNP where BetriebsNr = 3 and FA_NR < 999000")).toLongLong();
  const qint64 tier = Wert(QStringLiteral("select min( TA_NR ) from S_Tiere where BetriebsNr = 3")).toLongLong();
  Sql(QStringLiteral("update S_KulturenNP set Auswahl = 0, TatsErtrag = 5 where BetriebsNr = 2;"
                     "update S_KulturenNP set Auswahl = 1, TatsErtrag = 77 where BetriebsNr = 3 and FA_NR = %1;"
                     "update S_KulturenNP set Auswahl = 0, TatsErtrag = 66 where BetriebsNr = 3 and FA_NR = %2;"
                     "update S_Tiere set Auswahl = 0 where BetriebsNr = 2;"
                     "update S_Tiere set Auswahl = 1 where BetriebsNr = 3 and TA_NR = %3")
          .arg(kultur)
          .arg(andere)
          .arg(tier));
  Sql(QStringLiteral("update Merk set BetriebsNr = 2, Jahr = 2021"));
  Starten();
  // User-created crops (999...) are left out of the check.
  meldungen.zahlen = {0, 99, 3};
  B().UebernehmenKnopf()->click();  // closed without "OK": nothing
  EXPECT_TRUE(ertraege.isEmpty());
  B().UebernehmenKnopf()->click();  // no such farm: nothing changes, the yields still open
  EXPECT_EQ(ertraege, QStringList{QStringLiteral("2/2021")});
  EXPECT_EQ(Zahl(QStringLiteral("select count(*) from S_KulturenNP where BetriebsNr = 2 and Auswahl = 1 and FA_NR < 999000")), 0);
  B().UebernehmenKnopf()->click();
  EXPECT_EQ(meldungen.protokoll.filter(QStringLiteral("Ganzzahleingabe: Von welcher Betriebsnummer soll die Auswahl "
                                                      "übernommen werden?")).size(), 3);
  EXPECT_EQ(FWert(QStringLiteral("select group_concat( FA_NR || ':' || cast( TatsErtrag as integer ) ) from S_KulturenNP where "
                                 "BetriebsNr = 2 and Auswahl = 1 and FA_NR < 999000"))
                .toString(),
            QStringLiteral("%1:77").arg(kultur));
  EXPECT_EQ(FWert(QStringLiteral("select TatsErtrag from S_KulturenNP where BetriebsNr = 2 and FA_NR = %1").arg(andere)).toInt(), 5);
  EXPECT_EQ(FWert(QStringLiteral("select group_concat( TA_NR ) from S_Tiere where BetriebsNr = 2 and Auswahl = 1")).toLongLong(),
            tier);
  EXPECT_EQ(ertraege.size(), 2);
}

TEST_F(Betrieb, BetriebslisteMitZehnBetriebenHatZweiSeiten) {
  for (int i = 3; i <= 11; ++i)
    Einfuegen(QStringLiteral("Betriebe"), {{QStringLiteral("ID"), i},
                                           {QStringLiteral("Betriebsname"), i == 11 ? QStringLiteral("Hof O'Neill")
                                                                                   : QStringLiteral("Betrieb%1").arg(i)},
                                           {QStringLiteral("EU_NUMMER"), QStringLiteral("2761500000%1").arg(i, 2, 10, QLatin1Char('0'))},
                                           {QStringLiteral("SitzOrt"), QStringLiteral("Ort%1").arg(i)},
                                           {QStringLiteral("Bundesland"), 15}});
  Starten();
  fenster->pdfDatei = ordner.filePath(QStringLiteral("liste.pdf"));
  meldungen.dateien = {fenster->pdfDatei};
  B().DruckenKnopf()->click();
  EXPECT_EQ(fenster->dialoge, QStringList{QStringLiteral("TDruckvorschau")});
  EXPECT_EQ(dienste.angezeigt, QStringList{fenster->pdfDatei});
  auto seite = [&](int n) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QString::number(n), QStringLiteral("-l"), QString::number(n),
                                          QStringLiteral("-layout"), fenster->pdfDatei, QStringLiteral("-")});
    EXPECT_TRUE(p.waitForFinished(60000));
    return QString::fromUtf8(p.readAllStandardOutput());
  };
  QProcess info;
  info.start(QStringLiteral("pdfinfo"), {fenster->pdfDatei});
  ASSERT_TRUE(info.waitForFinished(60000));
  const QString infoText = QString::fromUtf8(info.readAllStandardOutput());
  EXPECT_TRUE(infoText.contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n")))) << infoText.toStdString();
  EXPECT_TRUE(infoText.contains(QStringLiteral("842 x 595"))) << infoText.toStdString();
  const QString eins = seite(1), zwei = seite(2);
  const QString titel = QStringLiteral("Betriebsübersicht Quendrix am ") + QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));
  for (const QString& s : {eins, zwei}) {
    EXPECT_TRUE(s.contains(titel)) << s.toStdString();
    for (const char* kopf : {"Betriebsname", "Straße/Nr.", "Telefon/Fax", "E-Mail", "Betriebsnummer"})
      EXPECT_TRUE(s.contains(QString::fromUtf8(kopf))) << kopf;
  }
  EXPECT_TRUE(eins.contains(QStringLiteral("Hof Linde")));
  EXPECT_TRUE(eins.contains(QStringLiteral("Betrieb10")));
  EXPECT_TRUE(eins.contains(QStringLiteral("276150000010")));
  EXPECT_FALSE(eins.contains(QStringLiteral("O'Neill")));
  EXPECT_TRUE(eins.contains(QStringLiteral("Seite 1")));
  EXPECT_TRUE(zwei.contains(QStringLiteral("Hof O'Neill")));
  EXPECT_TRUE(zwei.contains(QStringLiteral("Ort11")));
  EXPECT_TRUE(zwei.contains(QStringLiteral("Seite 2")));
  EXPECT_FALSE(zwei.contains(QStringLiteral("Betrieb10")));

  // Every column title stays clear of its column lines (drawn at these millimetres).
  QProcess bbox;
  bbox.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                            QStringLiteral("1"), fenster->pdfDatei, QStringLiteral("-")});
  ASSERT_TRUE(bbox.waitForFinished(60000));
  const QString woerter = QString::fromUtf8(bbox.readAllStandardOutput());
  const struct {
    const char* wort;
    double links, rechts;  // mm
  } spalten[] = {{"Betriebsname", 21, 75}, {"EU-", 75, 106},       {"Betriebsnummer", 75, 106}, {"Straße/Nr.", 106, 137},
                 {"PLZ", 137, 151},        {"Telefon/Fax", 185, 212.5}, {"E-Mail", 212.5, 275}};
  const double mm = 72.0 / 25.4;
  for (const auto& s : spalten) {
    const QRegularExpression muster(QStringLiteral("xMin=\"([0-9.]+)\" yMin=\"[0-9.]+\" xMax=\"([0-9.]+)\" yMax=\"[0-9.]+\">") +
                                    QRegularExpression::escape(QString::fromUtf8(s.wort)) + QStringLiteral("</word>"));
    const auto m = muster.match(woerter);
    ASSERT_TRUE(m.hasMatch()) << s.wort;
    EXPECT_GT(m.captured(1).toDouble(), s.links * mm) << s.wort;
    EXPECT_LT(m.captured(2).toDouble(), (s.rechts - 1) * mm) << s.wort;  // not touching the line
  }
}

TEST_F(Betrieb, JedesFeldTraegtSeineBeschriftung) {
  Starten();
  QStringList namen;
  for (const QWidget* w : B().findChildren<QWidget*>())
    if (!w->accessibleName().isEmpty()) namen << w->accessibleName();
  for (const char* n : {"Name des Unternehmens", "Straße/Nr.", "Telefon/Fax", "E-Mail", "EU-Betriebsnummer", "PLZ", "Ort",
                        "Ortsteil", "Bodenklimaraum des Betriebes", "Kreis", "Kreisnummer", "OK", "Abbruch", "Suchen",
                        "Betrieb neu anlegen", "Betrieb löschen", "Auswahl übernehmen", "Betriebsliste drucken"})
    EXPECT_TRUE(namen.contains(QString::fromUtf8(n))) << n;
}

}  // namespace
