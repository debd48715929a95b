// The nitrogen list: written through the save dialog, read back by
// LibreOffice, and the validity pass that follows it.
#include "listenbetrieb.h"

#include "stickstoff.h"
#include "stickstoffliste.h"

#include <QDir>
#include <QFile>

namespace {

class Stickstoffliste_ : public ListenBetrieb {
protected:
  void SetUp() override {
    ListenBetrieb::SetUp();
    // Winter wheat: 230 kg N/ha at 80 dt/ha; the farm's yield is the level, so no surcharge.
    Stamm(Weizen, {{K("TatsErtrag"), 80}, {K("TatsErtragRG"), 80}});
    Stamm(Weide, {{K("TatsErtrag"), 90}});
    // Field 1 in the nitrate area: 230 - Nmin (40 + 30 + 34 x 0.5 for the third layer in
    // soil-climate region 200) = 143.
    Schlag(1, {{K("BewirtschaftungsAuflagen"), 2}});
    weizen = Kultur(1, Weizen, {{K("Nmin_0_30"), 40}, {K("Nmin_30_60"), 30}, {K("Nmin_60_90"), 34}});
    // Field 2 grassland: no Nmin and no Nmin sources, which do not make it invalid.
    Schlag(2, {{K("SchlagName"), K("Wiese am Bach")}});
    gras = Kultur(2, Weide, {{K("KulturGruppe"), 2}, {K("Quelle_0_30"), 0}, {K("Quelle_60_90"), 0}});
    // Field 3: arable land without the source of its Nmin: invalid after the list.
    Schlag(3);
    offen = Kultur(3, Weizen, {{K("Quelle_0_30"), 0}, {K("Nmin_0_30"), 30}});
  }
  Listenausgabe::TErgebnis Export() {
    return Stickstoffliste::Exportieren(db, meldungen, Betrieb, Jahr, ordner.path());
  }

  static constexpr int Weizen = 224101;
  static constexpr int Weide = 250201;
  qint64 weizen = 0, gras = 0, offen = 0;
};

TEST_F(Stickstoffliste_, ZeilenKoepfeUndFormelnWieGelesen) {
  LIBREOFFICE_ERFORDERLICH();
  const QString datei = Ziel(K("Stickstoff.xlsx"));
  ASSERT_EQ(Export(), Listenausgabe::TErgebnis::Geschrieben);
  EXPECT_EQ(meldungen.Infos(), QStringList{Fertig()});
  EXPECT_EQ(meldungen.letzterFilter, Listenausgabe::Filter());
  const TTabelle t = TTabelle::Lesen(datei);
  ASSERT_TRUE(t.Ok()) << t.Fehler().toStdString();
  KopfPruefen(t, K("N"));
  EXPECT_EQ(t(K("A"), 7), K("Schlag-Nr."));
  EXPECT_EQ(t(K("F"), 7), K("verwendetes Ertrags- Niveau"));

  // Field 1, nitrate area: 143, 80 % of it unrounded, remaining demand with M empty.
  EXPECT_EQ(t(K("A"), 9), K("10"));
  EXPECT_EQ(t(K("B"), 9), K("Schlag 1"));
  EXPECT_EQ(t.Zahl(K("C"), 9), 2.5);
  EXPECT_EQ(t(K("D"), 9), K("Ja"));
  EXPECT_EQ(t.Zahl(K("F"), 9), 80);
  EXPECT_EQ(t.Zahl(K("G"), 9), 40);
  EXPECT_EQ(t.Zahl(K("H"), 9), 30);
  EXPECT_EQ(t.Zahl(K("I"), 9), 34);
  EXPECT_EQ(t.Zahl(K("J"), 9), 87);
  EXPECT_EQ(t.Zahl(K("K"), 9), 143);
  EXPECT_EQ(t.Zahl(K("L"), 9), 114.4);
  EXPECT_EQ(t(K("M"), 9), QString());
  EXPECT_EQ(t.Zahl(K("N"), 9), 143);

  // Field 2, grassland, outside the nitrate area: no Nmin, no reduced demand.
  EXPECT_EQ(t(K("B"), 10), K("Wiese am Bach"));
  EXPECT_EQ(t(K("D"), 10), K("Nein"));
  for (const char* s : {"G", "H", "I", "J"}) EXPECT_EQ(t(K(s), 10), K("entfällt")) << s;
  EXPECT_EQ(t(K("L"), 10), QString());
  EXPECT_EQ(t(K("N"), 10), t(K("K"), 10));

  EXPECT_EQ(t(K("B"), 11), K("Schlag 3"));
  EXPECT_EQ(t(K("A"), 12), QString());  // three crop rows, three rows

  // The pass after the list: the row without Nmin source has 0, the others keep theirs.
  EXPECT_EQ(Von(K("Anbau"), offen, K("Duengebedarf")).toDouble(), 0.0);
  EXPECT_EQ(Von(K("Anbau"), weizen, K("Duengebedarf")).toDouble(), 143.0);
  EXPECT_GT(Von(K("Anbau"), gras, K("Duengebedarf")).toDouble(), 0.0);
}

// The workbook itself, also where LibreOffice is missing: the formulas
// stand as formulas, with the value a spreadsheet computes from the row.
TEST_F(Stickstoffliste_, FormelnStehenAlsFormelnMitIhremWert) {
  ::Stickstoff::JahrBerechnen(db, Betrieb, Jahr);
  const auto zeilen = Stickstoffliste::Zeilen(db, Betrieb, Jahr);
  ASSERT_EQ(zeilen.size(), 3u);
  const TMappe m = Stickstoffliste::Mappe(Listenausgabe::Kopf(db, Betrieb, Jahr), zeilen);
  for (int r : {9, 10, 11}) {
    const TMappe::TZelle* n = m.Zelle(K("N"), r);
    ASSERT_NE(n, nullptr) << r;
    EXPECT_EQ(n->art, TMappe::TArt::Formel);
    EXPECT_EQ(n->text, K("=K%1-M%1").arg(r));
    ASSERT_NE(m.Zelle(K("K"), r), nullptr);
    EXPECT_EQ(n->zahl, m.Zelle(K("K"), r)->zahl) << r;
    EXPECT_EQ(m.Zelle(K("M"), r), nullptr) << r;
  }
  EXPECT_EQ(m.Zelle(K("N"), 9)->zahl, 143.0);
  EXPECT_DOUBLE_EQ(m.Zelle(K("L"), 9)->zahl, 114.4);
  EXPECT_EQ(m.Zelle(K("L"), 10), nullptr);
  EXPECT_EQ(m.Zelle(K("G"), 10)->text, K("entfällt"));
  EXPECT_EQ(m.Zelle(K("A"), 7)->text, K("Schlag-Nr."));
  EXPECT_EQ(m.Zelle(K("F"), 7)->text, K("verwendetes Ertrags- Niveau"));
  EXPECT_EQ(m.Zelle(K("N"), 2)->art, TMappe::TArt::Datum);
  EXPECT_EQ(m.LetzteZeile(), 11);
}

TEST_F(Stickstoffliste_, PassSpeichertUngueltigeZeilenMitIhrenSpeicheraktionen) {
  // Without a run of the rules: the valid rows get their values by hand.
  Sql(K("update Anbau set Duengebedarf = 99, Kultur = 'Winterweizen A, B', TatsErtrag = 80, Stickstoffbedarfswert = 150"));
  Sql(K("update Anbau set Stickstoffbedarfswert = null where ID = :id"), {{K("id"), offen}});
  Sql(K("update Schlag set HF_Name = ''"));
  EXPECT_EQ(Stickstoffliste::Gueltigkeitspass(db, Betrieb, Jahr), std::vector<qint64>{offen});
  EXPECT_EQ(Von(K("Anbau"), offen, K("Duengebedarf")).toDouble(), 0.0);
  // Before saving the field takes the crop row's summary; after it the rules of group 20 ran.
  EXPECT_EQ(Wert(K("select HF_Name from Schlag where Parzelle = 3")).toString(), K("Winterweizen A, B"));
  EXPECT_EQ(Von(K("Anbau"), offen, K("Stickstoffbedarfswert")).toDouble(), 230.0);
  // The valid rows are not touched.
  EXPECT_EQ(Von(K("Anbau"), weizen, K("Duengebedarf")).toDouble(), 99.0);
  EXPECT_EQ(Von(K("Anbau"), weizen, K("Stickstoffbedarfswert")).toDouble(), 150.0);
  EXPECT_EQ(Wert(K("select HF_Name from Schlag where Parzelle = 1")).toString(), QString());
}

TEST_F(Stickstoffliste_, XlsGibtDieselbenWerte) {
  LIBREOFFICE_ERFORDERLICH();
  const QString datei = Ziel(K("Stickstoff.xls"));
  ASSERT_EQ(Export(), Listenausgabe::TErgebnis::Geschrieben);
  const TTabelle t = TTabelle::Lesen(datei);
  ASSERT_TRUE(t.Ok()) << t.Fehler().toStdString();
  KopfPruefen(t, K("N"));
  EXPECT_EQ(t.Zahl(K("K"), 9), 143);
  EXPECT_EQ(t.Zahl(K("L"), 9), 114.4);
  EXPECT_EQ(t.Zahl(K("N"), 9), 143);
  EXPECT_EQ(t(K("G"), 10), K("entfällt"));
}

TEST_F(Stickstoffliste_, AbgebrochenerDialogSchreibtUndAendertNichts) {
  Sql(K("update Anbau set Duengebedarf = 99"));
  meldungen.dateien.push_back(QString());
  EXPECT_EQ(Export(), Listenausgabe::TErgebnis::Abgebrochen);
  EXPECT_EQ(meldungen.protokoll, QStringList{K("DateiSpeichern: Excel-Export")});
  EXPECT_EQ(QDir(ordner.path()).entryList({K("*.xls*")}, QDir::Files), QStringList());
  // No rule run and no validity pass.
  for (qint64 id : {weizen, gras, offen}) EXPECT_EQ(Von(K("Anbau"), id, K("Duengebedarf")).toDouble(), 99.0);
}

TEST_F(Stickstoffliste_, GesperrteZieldateiWirdGemeldetUndNichtsGeaendert) {
  Sql(K("update Anbau set Duengebedarf = 99"));
  // A folder of the target's name cannot be removed as a file.
  const QString datei = Ziel(K("offen.xlsx"));
  ASSERT_TRUE(QDir().mkpath(datei + K("/inhalt")));
  EXPECT_EQ(Export(), Listenausgabe::TErgebnis::Gesperrt);
  EXPECT_EQ(meldungen.Infos(), QStringList{K("Datei \"") + QDir::toNativeSeparators(datei) +
                                           K("\" lässt sich nicht überschreiben/löschen. Eventuell ist sie noch geöffnet.")});
  EXPECT_EQ(Von(K("Anbau"), offen, K("Duengebedarf")).toDouble(), 99.0);
}

TEST_F(Stickstoffliste_, VorhandeneDateiWirdErsetzt) {
  LIBREOFFICE_ERFORDERLICH();
  const QString datei = Ziel(K("Stickstoff.xlsx"));
  {
    QFile alt(datei);
    ASSERT_TRUE(alt.open(QIODevice::WriteOnly));
    alt.write("alt");
  }
  ASSERT_EQ(Export(), Listenausgabe::TErgebnis::Geschrieben);
  EXPECT_EQ(TTabelle::Lesen(datei)(K("A"), 1), K("Hof Linde"));
}

TEST_F(Stickstoffliste_, NameOhneEndungWirdXlsx) {
  meldungen.dateien.push_back(ordner.filePath(K("Liste")));
  ASSERT_EQ(Export(), Listenausgabe::TErgebnis::Geschrieben);
  EXPECT_TRUE(QFile::exists(ordner.filePath(K("Liste.xlsx"))));
}

TEST_F(Stickstoffliste_, OhneSchlagGeschiehtNichts) {
  Sql(K("delete from Schlag"));
  EXPECT_EQ(Export(), Listenausgabe::TErgebnis::Nichts);
  EXPECT_TRUE(meldungen.protokoll.isEmpty());
}

TEST_F(Stickstoffliste_, OhneLibreOfficeMeldetXlsDenFehlerDerListe) {
  const QByteArray pfad = qgetenv("PATH");
  qputenv("PATH", ordner.path().toLocal8Bit());
  Sql(K("update Anbau set Duengebedarf = 99 where ID = :id"), {{K("id"), offen}});
  const QString datei = Ziel(K("Stickstoff.xls"));
  const auto ergebnis = Export();
  qputenv("PATH", pfad);
  EXPECT_EQ(ergebnis, Listenausgabe::TErgebnis::Fehler);
  ASSERT_EQ(meldungen.Infos().size(), 1);
  EXPECT_TRUE(meldungen.Infos()[0].startsWith(K("Die Liste wurde nicht geschrieben.\n\n")));
  EXPECT_FALSE(QFile::exists(datei));
  // Neither the pass nor "Fertig" followed.
  EXPECT_NE(Von(K("Anbau"), offen, K("Duengebedarf")).toDouble(), 0.0);
}

}  // namespace
