// What the lists have in common: rows and order, group buttons, choosing
// by double-click and Enter with the colour of chosen rows, type-ahead,
// the search field, sorting by column title, choosing whole groups and
// choosing what the farm's records use.
#include "vorauswahltest.h"

#include <QBrush>
#include <QLineEdit>
#include <QPushButton>

namespace {

class Listen : public VorauswahlTest {
protected:
  QVariantList Ids(const QString& sql) { return Spalte(sql, {{QStringLiteral("b"), Betrieb}}); }
  static QColor Schrift(QPushButton* k) { return k->palette().color(QPalette::ButtonText); }
  int Gewaehlt(const QString& tabelle, int betrieb = Betrieb) {
    return int(Ganz(QStringLiteral("select count(*) from %1 where Auswahl = 1 and BetriebsNr = :b").arg(tabelle),
                    {{QStringLiteral("b"), betrieb}}));
  }
  qlonglong Auswahl(const QString& tabelle, qlonglong id) {
    return Ganz(QStringLiteral("select Auswahl from %1 where ID = :id").arg(tabelle), {{QStringLiteral("id"), id}});
  }
};

TEST_F(Listen, ZeilenUndReihenfolgeDerVierListen) {
  Oeffnen();
  EXPECT_EQ(ListenSpalte(fenster->Kulturen(), QStringLiteral("ID")),
            Ids(QStringLiteral("select ID from S_KulturenNP where BetriebsNr = :b and Ertragsniveau > 0 "
                               "order by Kulturgruppe, Kultur collate Deutsch")));
  EXPECT_EQ(fenster->Kulturen()->Liste().Anzahl(), 192);
  EXPECT_EQ(ListenSpalte(fenster->Mineral(), QStringLiteral("ID")),
            Ids(QStringLiteral("select ID from S_MinDung where BetriebsNr = :b order by DuengerGruppeNr, Duengemittel collate Deutsch")));
  EXPECT_EQ(fenster->Mineral()->Liste().Anzahl(), 288);
  // A conventional year shows the conventional products.
  EXPECT_EQ(ListenSpalte(fenster->Organisch(), QStringLiteral("ID")),
            Ids(QStringLiteral("select ID from S_OrgDung where BetriebsNr = :b and OEKO_GRUPPE = 1 order by ID")));
  EXPECT_EQ(fenster->Organisch()->Liste().Anzahl(), 34);
  EXPECT_EQ(ListenSpalte(fenster->Weide(), QStringLiteral("ID")),
            Ids(QStringLiteral("select ID from S_Tiere where BetriebsNr = :b and DueV = 1 order by TIERGRUPPE_NR, TIERART collate Deutsch")));
  EXPECT_EQ(fenster->Weide()->Liste().Anzahl(), 121);
  EXPECT_TRUE(fenster->Stoffe()->Liste().IstLeer());
}

TEST_F(Listen, BewirtschaftungFiltertNachErzeugung) {
  Oeffnen();
  TOrganischeSeite* s = fenster->Organisch();
  EXPECT_EQ(s->Bewirtschaftung()->currentText(), QStringLiteral("konventionell"));
  Zeigen(s);
  const struct {
    int art;
    QString bedingung;
    int zeilen;
  } faelle[] = {{1, QStringLiteral("OEKO_GRUPPE = 0"), 58}, {2, QStringLiteral("1 = 1"), 92}, {0, QStringLiteral("OEKO_GRUPPE = 1"), 34}};
  for (const auto& f : faelle) {
    Auswaehlen(s->Bewirtschaftung(), s->Bewirtschaftung()->itemText(f.art));
    EXPECT_EQ(ListenSpalte(s, QStringLiteral("ID")),
              Ids(QStringLiteral("select ID from S_OrgDung where BetriebsNr = :b and %1 order by ID").arg(f.bedingung)))
        << f.art;
    EXPECT_EQ(s->Liste().Anzahl(), f.zeilen);
  }
}

TEST_F(Listen, OekojahrOeffnetOekologisch) {
  Sql(QStringLiteral("update DuengeJahr set IsOeko = 1"));
  Oeffnen();
  EXPECT_EQ(fenster->Organisch()->Bewirtschaftung()->currentText(), QStringLiteral("ökologisch"));
  EXPECT_EQ(fenster->Organisch()->Liste().Anzahl(), 58);
}

struct TGruppenFall {
  int seite;  // 0 crops, 1 mineral, 2 organic, 4 animals
  QString knopf;
  QString bedingung;  // rows of the farm the filtered list shows
};

void PrintTo(const TGruppenFall& f, std::ostream* os) { *os << f.knopf.toStdString(); }

class Gruppen : public Listen, public ::testing::WithParamInterface<TGruppenFall> {};

TEST_P(Gruppen, KnopfFiltertUndWirdRot) {
  Sql(QStringLiteral("update S_MinDung set Auswahl = 1 where BetriebsNr = 2 and DuengeMittelNr in ( 1, 4, 40 )"));
  Sql(QStringLiteral("update S_KulturenNP set Auswahl = 1 where BetriebsNr = 2 and FA_NR in ( 691101, 248201 )"));
  Sql(QStringLiteral("update S_Tiere set Auswahl = 1 where BetriebsNr = 2 and TA_NR = 21"));
  Oeffnen();
  const TGruppenFall& f = GetParam();
  TListenSeite* seite = qobject_cast<TListenSeite*>(fenster->Seiten()->widget(f.seite));
  Zeigen(seite);
  Klicken(seite, f.knopf);
  static const QString abfragen[] = {
      QStringLiteral("select ID from S_KulturenNP where BetriebsNr = :b and Ertragsniveau > 0 and %1 order by Kulturgruppe, Kultur collate Deutsch"),
      QStringLiteral("select ID from S_MinDung where BetriebsNr = :b and %1 order by DuengerGruppeNr, Duengemittel collate Deutsch"),
      QStringLiteral("select ID from S_OrgDung where BetriebsNr = :b and OEKO_GRUPPE = 1 and %1 order by ID"), QString(),
      QStringLiteral("select ID from S_Tiere where BetriebsNr = :b and DueV = 1 and %1 order by TIERGRUPPE_NR, TIERART collate Deutsch")};
  const QVariantList erwartet = Ids(abfragen[f.seite].arg(f.bedingung));
  EXPECT_FALSE(erwartet.isEmpty());
  EXPECT_EQ(ListenSpalte(seite, QStringLiteral("ID")), erwartet);
  for (auto* k : seite->findChildren<QPushButton*>()) {
    if (!seite->Gruppenknopf(k->text())) continue;
    EXPECT_EQ(Schrift(k), k->text() == f.knopf ? QColor(Qt::red) : QColor(Qt::black)) << k->text().toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Knoepfe, Gruppen,
    ::testing::Values(TGruppenFall{0, "Getreide", "FRU_ARTGRNR = 100"}, TGruppenFall{0, "Ölfrüchte", "FRU_ARTGRNR = 210"},
                      TGruppenFall{0, "Hackfrüchte", "FRU_ARTGRNR = 220"}, TGruppenFall{0, "Körnerlegum.", "FRU_ARTGRNR = 300"},
                      TGruppenFall{0, "Ackerfutter", "FRU_ARTGRNR = 310"}, TGruppenFall{0, "Grünland", "FRU_ARTGRNR = 320"},
                      TGruppenFall{0, "Feldgemüse", "FRU_ARTGRNR = 710"}, TGruppenFall{0, "Sonst/Ganz.", "FRU_ARTGRNR = 740"},
                      TGruppenFall{0, "Brache/VF", "FRU_ARTGRNR = 750"}, TGruppenFall{0, "Alle", "1 = 1"},
                      TGruppenFall{0, "Ausgewählte", "Auswahl = 1"}, TGruppenFall{1, "N-Dünger", "DuengerGruppeNr = 1"},
                      TGruppenFall{1, "P-Dünger", "DuengerGruppeNr = 2"}, TGruppenFall{1, "K-Dünger", "DuengerGruppeNr = 3"},
                      TGruppenFall{1, "Kalk-Dünger", "DuengerGruppeNr = 5"},
                      TGruppenFall{1, "Mehrnährstoffdünger", "DuengerGruppeNr = 6"}, TGruppenFall{1, "Ausgewählte", "Auswahl = 1"},
                      TGruppenFall{2, "Gülle", "OrgDngGrpNummer_Temp = 1"}, TGruppenFall{2, "Stallmist", "OrgDngGrpNummer_Temp = 2"},
                      TGruppenFall{2, "Jauche", "OrgDngGrpNummer_Temp = 3"}, TGruppenFall{2, "Geflügelkot", "OrgDngGrpNummer_Temp = 4"},
                      TGruppenFall{2, "Kompost", "OrgDngGrpNummer_Temp = 5"}, TGruppenFall{2, "Sonstige", "OrgDngGrpNummer_Temp = 6"},
                      TGruppenFall{4, "Milchvieh", "TIERGRUPPE_NR = 1"}, TGruppenFall{4, "sonstige Rinder", "TIERGRUPPE_NR = 2"},
                      TGruppenFall{4, "Schweine", "TIERGRUPPE_NR = 3"}, TGruppenFall{4, "Geflügel", "TIERGRUPPE_NR = 4"},
                      TGruppenFall{4, "Pferde", "TIERGRUPPE_NR = 5"}, TGruppenFall{4, "Sonstige", "TIERGRUPPE_NR = 6"},
                      TGruppenFall{4, "Ausgewählte", "Auswahl = 1"}));

TEST_F(Listen, HeilUndGewuerzpflanzenHabenKeinErtragsniveau) {
  Oeffnen();
  Klicken(fenster->Kulturen(), QStringLiteral("Heil-/Gewürz."));
  EXPECT_TRUE(fenster->Kulturen()->Liste().IstLeer());
  Klicken(fenster->Kulturen(), QStringLiteral("Alle"));
  EXPECT_EQ(fenster->Kulturen()->Liste().Anzahl(), 192);
}

TEST_F(Listen, DoppelklickWaehltUndHebtAufMitFarbe) {
  Oeffnen();
  TMineralSeite* s = fenster->Mineral();
  Zeigen(s);
  const int zeile = 3;
  const qlonglong id = s->Liste().Wert(zeile, s->Liste().FeldIndex(QStringLiteral("ID"))).toLongLong();
  Doppelklick(s, zeile);
  EXPECT_EQ(Auswahl(QStringLiteral("S_MinDung"), id), 1);
  EXPECT_EQ(s->Liste().Position(), zeile);
  for (int spalte = 1; spalte < s->Modell()->columnCount(); ++spalte)
    EXPECT_EQ(s->Modell()->index(zeile, spalte).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(0xFC, 0xFC, 0xC2));
  // The selection column keeps its own background; other rows are not coloured.
  EXPECT_FALSE(s->Modell()->index(zeile, 0).data(Qt::BackgroundRole).isValid());
  EXPECT_EQ(s->Modell()->index(zeile, 0).data(Qt::CheckStateRole), QVariant(Qt::Checked));
  EXPECT_FALSE(s->Modell()->index(zeile + 1, 2).data(Qt::BackgroundRole).isValid());
  Doppelklick(s, zeile);
  EXPECT_EQ(Auswahl(QStringLiteral("S_MinDung"), id), 0);
  EXPECT_FALSE(s->Modell()->index(zeile, 2).data(Qt::BackgroundRole).isValid());
  EXPECT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join('\n').toStdString();
}

TEST_F(Listen, EnterWaehltUndGehtWeiter) {
  Oeffnen();
  for (TListenSeite* s : {static_cast<TListenSeite*>(fenster->Mineral()), static_cast<TListenSeite*>(fenster->Organisch()),
                          static_cast<TListenSeite*>(fenster->Weide())}) {
    Zeigen(s);
    s->GeheZu(5);
    const qlonglong id = Aktuell(s, QStringLiteral("ID")).toLongLong();
    const QString tabelle = s->Liste().Tabelle();
    Taste(s, Qt::Key_Return);
    EXPECT_EQ(Auswahl(tabelle, id), 1) << tabelle.toStdString();
    EXPECT_EQ(s->Liste().Position(), 6) << tabelle.toStdString();
    Taste(s, Qt::Key_Enter);
    EXPECT_EQ(Auswahl(tabelle, Aktuell(s, QStringLiteral("ID")).toLongLong()), 0) << "erst nach dem Wählen weiter";
    EXPECT_EQ(s->Liste().Position(), 7);
    EXPECT_EQ(Gewaehlt(tabelle), 2) << tabelle.toStdString();
  }
  EXPECT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join('\n').toStdString();
}

TEST_F(Listen, EnterInKulturenUndStoffenBewirktNichts) {
  Sql(QStringLiteral("insert into S_AndereStoffe ( BetriebsNr, Stoff, StoffNr, StoffGruppeNr ) values ( 2, 'Perlit', 1, 2 ), "
                     "( 2, 'Torf', 2, 2 )"));
  Oeffnen();
  TKulturenSeite* k = fenster->Kulturen();
  k->GeheZu(2);
  Taste(k, Qt::Key_Return);
  EXPECT_EQ(Gewaehlt(QStringLiteral("S_KulturenNP")), 0);
  EXPECT_EQ(k->Liste().Position(), 2);
  TStoffSeite* s = fenster->Stoffe();
  Zeigen(s);
  s->GeheZu(0);
  Taste(s, Qt::Key_Return);
  EXPECT_EQ(s->Liste().Position(), 0);
  EXPECT_EQ(s->Liste().Zustand(), TADODataSetMod::TZustand::Blaettern);
  EXPECT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join('\n').toStdString();
}

TEST_F(Listen, TippenSpringtZumErstenNamenMitDemZeichen) {
  Sql(QStringLiteral("insert into S_AndereStoffe ( BetriebsNr, Stoff, StoffNr ) values ( 2, 'perlit', 1 ), ( 2, 'Perlit fein', 2 ), "
                     "( 2, 'Torf', 3 )"));
  Oeffnen();
  struct {
    TListenSeite* seite;
    QString name;
    QString tabelle;
    QString ordnung;
  } listen[] = {{fenster->Mineral(), "Duengemittel", "S_MinDung", "DuengerGruppeNr, Duengemittel collate Deutsch"},
                {fenster->Organisch(), "OrgDng", "S_OrgDung", "ID"},
                {fenster->Weide(), "TIERART", "S_Tiere", "TIERGRUPPE_NR, TIERART collate Deutsch"}};
  for (const auto& l : listen) {
    Zeigen(l.seite);
    for (const QString& zeichen : {QStringLiteral("K"), QStringLiteral("S"), QStringLiteral("G")}) {
      const QString bedingung = l.tabelle == QLatin1String("S_OrgDung") ? QStringLiteral(" and OEKO_GRUPPE = 1")
                                : l.tabelle == QLatin1String("S_Tiere")  ? QStringLiteral(" and DueV = 1")
                                                                         : QString();
      // substr compares case-sensitively, as the type-ahead does.
      const QVariant erwartet = Wert(QStringLiteral("select ID from %1 where BetriebsNr = 2 and substr( %2, 1, 1 ) = :z%3 order by %4 limit 1")
                                         .arg(l.tabelle, l.name, bedingung, l.ordnung),
                                     {{QStringLiteral("z"), zeichen}});
      l.seite->GeheZu(l.seite->Liste().Anzahl() - 1);
      QTest::keyClicks(l.seite->Tabelle(), zeichen);
      if (erwartet.isNull())
        EXPECT_EQ(l.seite->Liste().Position(), l.seite->Liste().Anzahl() - 1) << l.tabelle.toStdString() << zeichen.toStdString();
      else
        EXPECT_EQ(Aktuell(l.seite, QStringLiteral("ID")), erwartet) << l.tabelle.toStdString() << zeichen.toStdString();
    }
  }
  TStoffSeite* s = fenster->Stoffe();
  Zeigen(s);
  s->Tabelle()->setFocus();
  QTest::keyClicks(s->Tabelle(), QStringLiteral("P"));
  EXPECT_EQ(Aktuell(s, QStringLiteral("Stoff")), QVariant(QStringLiteral("Perlit fein")));
  QTest::keyClicks(s->Tabelle(), QStringLiteral("p"));
  EXPECT_EQ(Aktuell(s, QStringLiteral("Stoff")), QVariant(QStringLiteral("perlit")));
  QTest::keyClicks(s->Tabelle(), QStringLiteral("x"));
  EXPECT_EQ(Aktuell(s, QStringLiteral("Stoff")), QVariant(QStringLiteral("perlit")));
}

TEST_F(Listen, SucheInVierStufenSonstPiep) {
  // Own fertilisers whose names tell the four steps apart.
  Sql(QStringLiteral("insert into S_MinDung ( BetriebsNr, Duengemittel, DuengeMittelNr, DuengerGruppeNr, DuengerGruppe ) values "
                     "( 2, '_Beta', 9001, 999, 'eigene' ), ( 2, '_beta', 9002, 999, 'eigene' ), "
                     "( 2, '_Betakalk', 9003, 999, 'eigene' ), ( 2, '_Kalkbeta', 9004, 999, 'eigene' )"));
  Oeffnen();
  TMineralSeite* s = fenster->Mineral();
  Zeigen(s);
  Klicken(s, QStringLiteral("Eigene"));
  ASSERT_EQ(s->Liste().Anzahl(), 4);
  const struct {
    QString text;
    QString gefunden;
  } faelle[] = {{"_beta", "_beta"},           // equal
                {"_BETA", "_Beta"},           // equal ignoring case, the first in the list
                {"_betak", "_Betakalk"},      // starts with, ignoring case
                {"KALKB", "_Kalkbeta"},       // contains, ignoring case
                {"_Beta", "_Beta"}};
  for (const auto& f : faelle) {
    s->Suchfeld()->clear();
    s->Suchfeld()->setFocus();
    QTest::keyClicks(s->Suchfeld(), f.text);
    EXPECT_EQ(Aktuell(s, QStringLiteral("Duengemittel")), QVariant(f.gefunden)) << f.text.toStdString();
  }
  EXPECT_EQ(meldungen.piepser, 0);
  s->Suchfeld()->clear();
  QTest::keyClicks(s->Suchfeld(), QStringLiteral("_Bx"));
  EXPECT_EQ(meldungen.piepser, 1);
  EXPECT_EQ(Aktuell(s, QStringLiteral("Duengemittel")), QVariant(QStringLiteral("_Beta"))) << "bleibt, wo \"_B\" hinführte";
  EXPECT_EQ(meldungen.protokoll, QStringList{QStringLiteral("Piep")});
}

TEST_F(Listen, SucheAufDenAnderenSeiten) {
  Oeffnen();
  const struct {
    TListenSeite* seite;
    QString text;
    QString feld;
    QString gefunden;
  } faelle[] = {{fenster->Kulturen(), "dinkel", "Kultur", "Dinkel"},
                {fenster->Organisch(), "Jauche Rind,Schwein", "OrgDng", "Jauche Rind,Schwein, konventionell, 2 % TS"},
                {fenster->Weide(), "12 000 kg ECM", "TIERART",
                 "Milcherzeugung mittel-/schwere Rassen; Ackerfutterbaubetrieb (mit Weidegang); 12 000 kg ECM"}};
  for (const auto& f : faelle) {
    Zeigen(f.seite);
    f.seite->Suchfeld()->setFocus();
    QTest::keyClicks(f.seite->Suchfeld(), f.text);
    EXPECT_EQ(Aktuell(f.seite, f.feld), QVariant(f.gefunden)) << f.text.toStdString();
  }
  EXPECT_EQ(meldungen.piepser, 0);
  EXPECT_EQ(fenster->Stoffe()->Suchfeld(), nullptr);
}

TEST_F(Listen, SpaltentitelSortiert) {
  Oeffnen();
  TMineralSeite* s = fenster->Mineral();
  Zeigen(s);
  s->GeheZu(10);
  const QVariant id = Aktuell(s, QStringLiteral("ID"));
  TitelKlicken(s, 3);  // "N (kg/dt)"
  EXPECT_EQ(ListenSpalte(s, QStringLiteral("ID")),
            Ids(QStringLiteral("select ID from S_MinDung where BetriebsNr = :b order by N")));
  EXPECT_EQ(Aktuell(s, QStringLiteral("ID")), id) << "bleibt auf der Zeile";
  // The order holds through a group filter.
  Klicken(s, QStringLiteral("P-Dünger"));
  EXPECT_EQ(ListenSpalte(s, QStringLiteral("ID")),
            Ids(QStringLiteral("select ID from S_MinDung where BetriebsNr = :b and DuengerGruppeNr = 2 order by N")));
  // The other sortable lists.
  Sql(QStringLiteral("insert into S_AndereStoffe ( BetriebsNr, Stoff, StoffNr ) values ( 2, 'Torf', 1 ), ( 2, 'Perlit', 2 ), "
                     "( 2, 'Blähton', 3 )"));
  fenster->Stoffe()->Neuladen();
  const struct {
    TListenSeite* seite;
    int spalte;
    QString abfrage;
  } weitere[] = {{fenster->Organisch(), 3, "select ID from S_OrgDung where BetriebsNr = :b and OEKO_GRUPPE = 1 order by TM"},
                 {fenster->Stoffe(), 1, "select StoffNr from S_AndereStoffe where BetriebsNr = :b order by Stoff collate Deutsch"},
                 {fenster->Weide(), 2, "select ID from S_Tiere where BetriebsNr = :b and DueV = 1 order by KATEGORIE_JAHR"}};
  for (const auto& w : weitere) {
    Zeigen(w.seite);
    TitelKlicken(w.seite, w.spalte);
    const QString schluessel = w.seite == fenster->Stoffe() ? QStringLiteral("StoffNr") : QStringLiteral("ID");
    const QVariantList erwartet = Ids(w.abfrage);
    const QVariantList liste = ListenSpalte(w.seite, schluessel);
    // Rows of equal values may come in any order: the sorted column is compared.
    const QString feld = w.seite->Modell()->Feld(w.spalte);
    QVariantList werte, sortiert;
    for (int i = 0; i < w.seite->Liste().Anzahl(); ++i) werte << w.seite->Liste().Wert(i, w.seite->Liste().FeldIndex(feld));
    sortiert = werte;
    std::stable_sort(sortiert.begin(), sortiert.end(), [](const QVariant& a, const QVariant& b) {
      return QVariant::compare(a, b) == QPartialOrdering::Less;
    });
    EXPECT_EQ(werte, sortiert) << w.seite->Titel().toStdString();
    EXPECT_EQ(liste.size(), erwartet.size());
  }
  EXPECT_EQ(ListenSpalte(fenster->Stoffe(), QStringLiteral("Stoff")),
            (QVariantList{QStringLiteral("Blähton"), QStringLiteral("Perlit"), QStringLiteral("Torf")}));
  // Crops are not sorted by their titles.
  TKulturenSeite* k = fenster->Kulturen();
  Zeigen(k);
  const QVariantList vorher = ListenSpalte(k, QStringLiteral("ID"));
  TitelKlicken(k, 3);
  EXPECT_EQ(ListenSpalte(k, QStringLiteral("ID")), vorher);
}

TEST_F(Listen, AlleAuswaehlenUndAufhebenAufDerGruppe) {
  ZweiterBetrieb();
  Sql(QStringLiteral("update S_MinDung set Auswahl = 1 where DuengeMittelNr in ( 1, 4, 20, 50 )"));
  const int gewaehlteP = int(Ganz(QStringLiteral("select count(*) from S_MinDung where BetriebsNr = 2 and Auswahl = 1 and DuengerGruppeNr = 2")));
  ASSERT_GT(gewaehlteP, 0);
  Oeffnen();
  TMineralSeite* s = fenster->Mineral();
  Zeigen(s);
  Klicken(s, QStringLiteral("P-Dünger"));
  s->GeheZu(7);
  const QVariant id = Aktuell(s, QStringLiteral("ID"));
  Klicken(s, QStringLiteral("alle aufheben"));
  EXPECT_EQ(Gewaehlt(QStringLiteral("S_MinDung")), 4 - gewaehlteP) << "nur die gewählten P-Dünger";
  EXPECT_EQ(Aktuell(s, QStringLiteral("ID")), id) << "die Zeile bleibt";
  Klicken(s, QStringLiteral("alle auswählen"));
  EXPECT_EQ(Ganz("select count(*) from S_MinDung where BetriebsNr = 2 and DuengerGruppeNr = 2 and Auswahl = 0"), 0);
  EXPECT_EQ(Gewaehlt(QStringLiteral("S_MinDung")), 35 + 4 - gewaehlteP);
  EXPECT_EQ(Gewaehlt(QStringLiteral("S_MinDung"), 3), 4) << "der andere Betrieb bleibt";
  Klicken(s, QStringLiteral("Ausgewählte"));
  Klicken(s, QStringLiteral("alle aufheben"));
  EXPECT_EQ(Gewaehlt(QStringLiteral("S_MinDung")), 0);
  EXPECT_TRUE(s->Liste().IstLeer());
  Klicken(s, QStringLiteral("Alle"));
  Klicken(s, QStringLiteral("alle auswählen"));
  EXPECT_EQ(Gewaehlt(QStringLiteral("S_MinDung")), 288);
  EXPECT_EQ(Gewaehlt(QStringLiteral("S_MinDung"), 3), 4);
  EXPECT_EQ(Gewaehlt(QStringLiteral("S_MinDung"), 1), 4) << "die Vorlage bleibt";
}

TEST_F(Listen, AlleAuswaehlenOhneBewirtschaftungUndMitKulturenOhneNiveau) {
  Oeffnen();
  TOrganischeSeite* o = fenster->Organisch();
  Zeigen(o);
  Klicken(o, QStringLiteral("Kompost"));
  ASSERT_EQ(o->Liste().Anzahl(), 3);
  Klicken(o, QStringLiteral("alle auswählen"));
  // All ten compost rows, the organic ones the list does not show included.
  EXPECT_EQ(Gewaehlt(QStringLiteral("S_OrgDung")), 10);
  EXPECT_EQ(Ganz("select count(*) from S_OrgDung where BetriebsNr = 2 and Auswahl = 1 and OrgDngGrpNummer_Temp <> 5"), 0);

  TKulturenSeite* k = fenster->Kulturen();
  Zeigen(k);
  Klicken(k, QStringLiteral("Heil-/Gewürz."));
  Klicken(k, QStringLiteral("alle auswählen"));
  EXPECT_EQ(Gewaehlt(QStringLiteral("S_KulturenNP")), 29) << "Heil- und Gewürzpflanzen ohne Ertragsniveau";
  Klicken(k, QStringLiteral("Alle"));
  Klicken(k, QStringLiteral("alle auswählen"));
  EXPECT_EQ(Gewaehlt(QStringLiteral("S_KulturenNP")), int(Ganz("select count(*) from S_KulturenNP where BetriebsNr = 2")));
  Klicken(k, QStringLiteral("alle aufheben"));
  EXPECT_EQ(Gewaehlt(QStringLiteral("S_KulturenNP")), 0);

  TWeideSeite* w = fenster->Weide();
  Zeigen(w);
  Klicken(w, QStringLiteral("Pferde"));
  Klicken(w, QStringLiteral("alle auswählen"));
  EXPECT_EQ(Gewaehlt(QStringLiteral("S_Tiere")), int(Ganz("select count(*) from S_Tiere where BetriebsNr = 2 and TIERGRUPPE_NR = 5")));
  EXPECT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join('\n').toStdString();
}

TEST_F(Listen, VerwendeteAuswaehlenOhneDuengejahrAendertNichts) {
  const qlonglong anbau = SchlagMitAnbau(Betrieb, Jahr, 10, 691101);
  Aufzeichnung(Betrieb, anbau, 1, 1, 2.0);
  Sql(QStringLiteral("delete from DuengeJahr"));  // takes fields, crop rows and records with it
  Sql(QStringLiteral("update S_MinDung set Auswahl = 1 where BetriebsNr = 2 and DuengeMittelNr in ( 4, 5 )"));
  Sql(QStringLiteral("update S_OrgDung set Auswahl = 1 where BetriebsNr = 2 and OrgDngNummer = 21"));
  Sql(QStringLiteral("update S_Tiere set Auswahl = 1 where BetriebsNr = 2 and TA_NR = 21"));
  Oeffnen();
  for (TListenSeite* s : {static_cast<TListenSeite*>(fenster->Kulturen()), static_cast<TListenSeite*>(fenster->Mineral()),
                          static_cast<TListenSeite*>(fenster->Organisch()), static_cast<TListenSeite*>(fenster->Weide())}) {
    Zeigen(s);
    Klicken(s, QStringLiteral("verwendete auswählen"));
  }
  EXPECT_EQ(Gewaehlt(QStringLiteral("S_KulturenNP")), 0);
  EXPECT_EQ(Gewaehlt(QStringLiteral("S_MinDung")), 2);
  EXPECT_EQ(Gewaehlt(QStringLiteral("S_OrgDung")), 1);
  EXPECT_EQ(Gewaehlt(QStringLiteral("S_Tiere")), 1);
  EXPECT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join('\n').toStdString();
}

TEST_F(Listen, VerwendeteAuswaehlenUeberAlleJahre) {
  ZweiterBetrieb();
  Sql(QStringLiteral("insert into DuengeJahr ( BetriebsNr, Duengejahr ) values ( 2, 2020 )"));
  const qlonglong a21 = SchlagMitAnbau(Betrieb, 2021, 10, 691101);  // Dinkel
  const qlonglong a20 = SchlagMitAnbau(Betrieb, 2020, 11, 248201);  // Mähweiden
  Sql(QStringLiteral("update Schlag set Vorfrucht = 692101, Folgefrucht_1 = 242101 where Parzelle = 10"));
  Sql(QStringLiteral("update Schlag set Folgefrucht_2 = 714101 where Parzelle = 11"));
  Aufzeichnung(Betrieb, a21, 1, 1, 2.0);
  Aufzeichnung(Betrieb, a20, 1, 4, 2.0, 2020, 11);
  Aufzeichnung(Betrieb, a21, 2, 21, 20.0);
  Aufzeichnung(Betrieb, a20, 4, 21, 5.0, 2020, 11);
  Aufzeichnung(Betrieb, a21, 5, 1, 1.0);  // another substance number: no mineral choice
  // Earlier choices: crops keep theirs, the others become exactly the used rows.
  Sql(QStringLiteral("update S_KulturenNP set Auswahl = 1 where BetriebsNr = 2 and FA_NR = 250201"));
  Sql(QStringLiteral("update S_MinDung set Auswahl = 1 where BetriebsNr = 2 and DuengeMittelNr in ( 5, 6 )"));
  Sql(QStringLiteral("update S_OrgDung set Auswahl = 1 where BetriebsNr = 2 and OrgDngNummer = 22"));
  Sql(QStringLiteral("update S_Tiere set Auswahl = 1 where BetriebsNr = 2 and TA_NR = 22"));
  const auto gewaehlt = [&](const QString& tabelle, const QString& nummer, int betrieb) {
    return Spalte(QStringLiteral("select %1 from %2 where BetriebsNr = :b and Auswahl = 1 order by %1").arg(nummer, tabelle),
                  {{QStringLiteral("b"), betrieb}});
  };
  const std::pair<const char*, const char*> listen[] = {
      {"S_KulturenNP", "FA_NR"}, {"S_MinDung", "DuengeMittelNr"}, {"S_OrgDung", "OrgDngNummer"}, {"S_Tiere", "TA_NR"}};
  std::vector<QVariantList> andere;
  for (const auto& [tabelle, nummer] : listen)
    for (int betrieb : {1, 3}) andere.push_back(gewaehlt(QLatin1String(tabelle), QLatin1String(nummer), betrieb));
  Oeffnen();
  for (TListenSeite* s : {static_cast<TListenSeite*>(fenster->Kulturen()), static_cast<TListenSeite*>(fenster->Mineral()),
                          static_cast<TListenSeite*>(fenster->Organisch()), static_cast<TListenSeite*>(fenster->Weide())}) {
    Zeigen(s);
    s->GeheZu(3);
    const QVariant id = Aktuell(s, QStringLiteral("ID"));
    Klicken(s, QStringLiteral("verwendete auswählen"));
    EXPECT_EQ(Aktuell(s, QStringLiteral("ID")), id) << "wieder auf der Zeile";
  }
  EXPECT_EQ(gewaehlt(QStringLiteral("S_KulturenNP"), QStringLiteral("FA_NR"), 2),
            (QVariantList{242101, 248201, 250201, 691101, 692101, 714101}));
  EXPECT_EQ(gewaehlt(QStringLiteral("S_MinDung"), QStringLiteral("DuengeMittelNr"), 2), (QVariantList{1, 4}));
  EXPECT_EQ(gewaehlt(QStringLiteral("S_OrgDung"), QStringLiteral("OrgDngNummer"), 2), (QVariantList{21}));
  EXPECT_EQ(gewaehlt(QStringLiteral("S_Tiere"), QStringLiteral("TA_NR"), 2), (QVariantList{21}));
  // The template and the other farm keep their choices.
  auto vorher = andere.begin();
  for (const auto& [tabelle, nummer] : listen)
    for (int betrieb : {1, 3}) EXPECT_EQ(gewaehlt(QLatin1String(tabelle), QLatin1String(nummer), betrieb), *vorher++) << tabelle << betrieb;
  EXPECT_TRUE(meldungen.protokoll.isEmpty()) << meldungen.protokoll.join('\n').toStdString();
}

}  // namespace
