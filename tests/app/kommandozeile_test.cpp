// The batch on the command line: the table of bad arguments and unusable
// databases with their exit code and German message, a run over the farm
// with its files, and the JSON summary.
#include "kommandozeile.h"

#include "files.h"
#include "testbetrieb.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <gtest/gtest.h>

namespace {

QString K(const char* s) { return QString::fromUtf8(s); }

class Kommandozeile_ : public TestBetrieb {
protected:
  void SetUp() override {
    TestBetrieb::SetUp();
    Sql(K("update Betriebe set KreisNr = 87, EU_NUMMER = '276150000123' where ID = 2"));
    Sql(K("update DuengeJahr set Betriebsgroesse = 10, Flaeche170kg = 10 where BetriebsNr = 2"));
    db.Schliessen();
  }
  int Aufruf(const QStringList& argumente) {
    aus.clear();
    fehler.clear();
    QTextStream a(&aus), f(&fehler);
    return Kommandozeile::Ausfuehren(argumente, ordner.path(), a, f, QDate(2022, 2, 14));
  }
  QString aus, fehler;
};

struct TFall {
  const char* name;
  QStringList argumente;
  const char* meldung;  // the start of the German message
};

TEST_F(Kommandozeile_, FalscheAngabenGebenZweiUndEineDeutscheMeldung) {
  const QStringList gut = {K("--stapel"), K("--jahr"), K("2021"), K("--schritte"), K("pruefen"), K("--ausgabe"),
                           K("aus")};
  const std::vector<TFall> faelle = {
      {"OhneJahr", {K("--stapel"), K("--alle"), K("--schritte"), K("pruefen"), K("--ausgabe"), K("aus")},
       "Bitte das Düngejahr mit --jahr JJJJ angeben."},
      {"UnbekannterSchritt", QStringList(gut).replaceInStrings(K("pruefen"), K("pruefen,drucken2")) << K("--alle"),
       "Unbekannter Schritt „drucken2“."},
      {"UnbekannteAngabe", QStringList(gut) << K("--alle") << K("--farbe"), "Unbekannte Angabe: --farbe"},
      {"AlleUndBetrieb", QStringList(gut) << K("--alle") << K("--betrieb") << K("2"),
       "Bitte entweder --alle oder --betrieb N angeben."},
      {"JahrOhneDaten", QStringList(gut).replaceInStrings(K("2021"), K("2019")) << K("--alle"),
       "Für das Düngejahr 2019 gibt es keinen Betrieb."},
      {"BetriebFehlt", QStringList(gut) << K("--betrieb") << K("99"), "Den Betrieb 99 gibt es nicht."},
      {"DatenbankFehlt", QStringList(gut) << K("--alle") << K("--datenbank") << K("fehlt/Quendrix2021.mdb"),
       "Die Datenbank "},
  };
  for (const TFall& f : faelle) {
    EXPECT_EQ(Aufruf(f.argumente), 2) << f.name;
    EXPECT_TRUE(fehler.startsWith(K(f.meldung))) << f.name << ": " << fehler.toStdString();
    EXPECT_TRUE(aus.isEmpty()) << f.name;
  }
  // Nothing was written for any of them.
  EXPECT_FALSE(QFileInfo::exists(ordner.filePath(K("aus/Meldepflichten_2021"))));
}

TEST_F(Kommandozeile_, FremdeOderGehalteneDatenbankGibtZwei) {
  const QStringList argumente = {K("--stapel"), K("--jahr"), K("2021"), K("--alle"), K("--schritte"),
                                 K("melden"),   K("--ausgabe"), K("aus")};
  {
    // The program holds its database: the command line does not run beside it.
    TADOModConnection offen;
    offen.setDatenbankName(ordner.filePath(Dateien::Datenbank));
    ASSERT_EQ(offen.Oeffnen(TZugriff::Exklusiv), TOeffnenErgebnis::Ok);
    EXPECT_EQ(Aufruf(argumente), 2);
    EXPECT_TRUE(fehler.contains(K("wird gerade von einem anderen Programm benutzt"))) << fehler.toStdString();
  }
  // A file of that name that is no database of ours stays as it is.
  QTemporaryDir fremd;
  QFile f(fremd.filePath(Dateien::Datenbank));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(QByteArray(4096, 'x'));
  f.close();
  EXPECT_EQ(Aufruf(QStringList(argumente) << K("--datenbank") << f.fileName()), 2);
  EXPECT_FALSE(fehler.isEmpty());
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), QByteArray(4096, 'x'));
}

TEST_F(Kommandozeile_, LaufUeberDenBetriebMitJson) {
  EXPECT_EQ(Aufruf({K("--stapel"), K("--jahr"), K("2021"), K("--betrieb"), K("2"), K("--schritte"),
                    K("pruefen,melden"), K("--ausgabe"), K("aus"), K("--json")}),
            0)
      << fehler.toStdString();
  const QJsonArray json = QJsonDocument::fromJson(aus.toUtf8()).array();
  ASSERT_EQ(json.size(), 1) << aus.toStdString();
  const QJsonObject o = json[0].toObject();
  EXPECT_EQ(o[K("betrieb")].toInt(), 2);
  EXPECT_TRUE(o[K("ok")].toBool());
  EXPECT_EQ(o[K("schritte")].toArray(), (QJsonArray{K("pruefen"), K("melden")}));
  EXPECT_EQ(o[K("dateien")].toArray().size(), 5);
  EXPECT_EQ(QDir(ordner.filePath(K("aus/Meldepflichten_2021/B_276150000123"))).entryList(QDir::Files).size(), 5);
  // A farm that fails gives 1; the summary says why.
  ASSERT_EQ(db.Oeffnen(), TOeffnenErgebnis::Ok);
  Sql(K("update DuengeJahr set Betriebsgroesse = 0 where BetriebsNr = 2"));
  db.Schliessen();
  EXPECT_EQ(Aufruf({K("--stapel"), K("--jahr"), K("2021"), K("--alle"), K("--schritte"), K("melden"), K("--ausgabe"),
                    K("aus")}),
            1);
  EXPECT_TRUE(aus.startsWith(K("2 Hof Linde: FEHLER\n  Bitte Betriebsflächen vollständig eingeben"))) << aus.toStdString();
}

TEST(KommandozeileHilfe, HilfeUndVersionOhneDatenbank) {
  QString aus, fehler;
  QTextStream a(&aus), f(&fehler);
  EXPECT_TRUE(Kommandozeile::Zustaendig({K("--help")}));
  EXPECT_FALSE(Kommandozeile::Zustaendig({}));
  EXPECT_EQ(Kommandozeile::Ausfuehren({K("--help")}, QDir::tempPath(), a, f), 0);
  a.flush();
  EXPECT_TRUE(aus.startsWith(K("Aufruf: quendrix [--ordner ORDNER]"))) << aus.toStdString();
  EXPECT_TRUE(aus.contains(K("--schritte LISTE")));
  aus.clear();
  EXPECT_EQ(Kommandozeile::Ausfuehren({K("--version")}, QDir::tempPath(), a, f), 0);
  a.flush();
  EXPECT_TRUE(aus.startsWith(K("Quendrix 2022"))) << aus.toStdString();
}

}  // namespace
