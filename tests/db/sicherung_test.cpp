// Backups under faults: the new copy is written first and the generations
// are shifted only when it is complete; a damaged database never reaches
// them. Restoring the newest intact backup, compaction, and the leftovers of
// killed runs.
#include "testdatenbank.h"

#include "files.h"
#include "stoerhilfe.h"
#include "stoerung.h"

#include <QDir>
#include <QFile>

#include <cerrno>

namespace {

using Stoerung::TArt;

class Sicherung_ : public TestDatenbank {
protected:
  void SetUp() override {
    TestDatenbank::SetUp();
    db.Schliessen();
    ASSERT_TRUE(QDir(ordner.path()).mkdir(Dateien::Sicherungsordner));
    // Three closes: generation n holds farm 4 - n, the database farm 4.
    for (int stand = 1; stand <= 4; ++stand) {
      Stand(stand);
      if (stand < 4) {
        ASSERT_EQ(T(Dateien::SicherungenRotieren(ordner.path())), "");
      }
    }
    for (int n = 1; n <= 3; ++n) generationen << DateiInhalt(Dateien::Sicherung(ordner.path(), n));
  }
  void Stand(int id) {
    ASSERT_EQ(Name(db.Oeffnen()), "Ok");
    ASSERT_TRUE(db.Ausfuehren(QStringLiteral("DELETE FROM Betriebe; INSERT INTO Betriebe (ID) VALUES (:n)"),
                              {{QStringLiteral("n"), id}}));
    db.Schliessen();
  }
  static int StandIn(const QString& datei) {
    TADOModConnection s;
    s.setDatenbankName(datei);
    if (s.Oeffnen() != TOeffnenErgebnis::Ok) return -1;
    return s.Wert(QStringLiteral("SELECT ID FROM Betriebe")).toInt();
  }
  // The generations as they were, nothing added, nothing left over.
  void SicherungenUnveraendert() {
    EXPECT_EQ(Liste(OrdnerDateien(ordner.filePath(Dateien::Sicherungsordner))),
              "Quendrix2021.01 | Quendrix2021.02 | Quendrix2021.03");
    for (int n = 1; n <= 3; ++n)
      EXPECT_TRUE(DateiInhalt(Dateien::Sicherung(ordner.path(), n)) == generationen[n - 1]) << "Generation " << n;
  }
  QList<QByteArray> generationen;
};

TEST_F(Sicherung_, DieGenerationenHaltenDieFruehrerenStaende) {
  for (int n = 1; n <= 3; ++n) EXPECT_EQ(StandIn(Dateien::Sicherung(ordner.path(), n)), 4 - n);
}

struct SicherungsFall {
  const char* name;
  TArt art;
  const char* endung;
  int fehler;
  const char* kern;
  const char* system;
};

class Sicherungsfehler : public Sicherung_, public ::testing::WithParamInterface<SicherungsFall> {};

TEST_P(Sicherungsfehler, LassenJedeGenerationStehenUndWerdenGemeldet) {
  const SicherungsFall& f = GetParam();
  // Three closes in a row on a full disk once cost the user three generations.
  for (int schliessen = 0; schliessen < 3; ++schliessen) {
    QString text;
    {
      Stoerung::TAktiv stoerung([&](TArt art, const QString& datei) {
        return art == f.art && datei.endsWith(QString::fromLatin1(f.endung)) ? f.fehler : 0;
      });
      text = Dateien::SicherungenRotieren(ordner.path());
    }
    EXPECT_TRUE(text.startsWith(QStringLiteral("Die Datenbank konnte nicht gesichert werden. Die bisherigen Sicherungen "
                                               "im Ordner \u201ESIC\u201C bleiben unverändert. ")))
        << T(text);
    EXPECT_TRUE(text.contains(QString::fromUtf8(f.kern))) << T(text);
    EXPECT_TRUE(text.endsWith(QStringLiteral("(%1)").arg(QString::fromLatin1(f.system)))) << T(text);
    SicherungenUnveraendert();
  }
  // With space again the next close backs up as usual.
  EXPECT_EQ(T(Dateien::SicherungenRotieren(ordner.path())), "");
  for (int n = 1; n <= 4; ++n) EXPECT_EQ(StandIn(Dateien::Sicherung(ordner.path(), n)), 5 - n);
}

INSTANTIATE_TEST_SUITE_P(
    Sicherung, Sicherungsfehler,
    ::testing::Values(SicherungsFall{"DatentraegerVoll", TArt::Schreiben, "SIC/Quendrix2021.tmp", ENOSPC,
                                     "ist kein Platz mehr frei", "No space left on device"},
                      SicherungsFall{"VollBeimSynchronisieren", TArt::Synchronisieren, "SIC/Quendrix2021.tmp", ENOSPC,
                                     "ist kein Platz mehr frei", "No space left on device"},
                      SicherungsFall{"OrdnerSchreibgeschuetzt", TArt::Anlegen, "SIC/Quendrix2021.tmp", EACCES,
                                     "dürfen keine Dateien angelegt oder geändert werden", "Permission denied"}),
    [](const ::testing::TestParamInfo<SicherungsFall>& i) { return std::string(i.param.name); });

TEST_F(Sicherung_, EinGescheitertesWeiterreichenUeberschreibtKeineGeneration) {
  QString text;
  {
    Stoerung::TAktiv stoerung([](TArt art, const QString& datei) {
      return art == TArt::Umbenennen && datei.endsWith(QLatin1String("SIC/Quendrix2021.03")) ? EACCES : 0;
    });
    text = Dateien::SicherungenRotieren(ordner.path());
  }
  EXPECT_TRUE(text.startsWith(QStringLiteral("Die Sicherungen im Ordner \u201ESIC\u201C konnten nicht vollständig "
                                             "weitergereicht werden; die neue Sicherung fehlt.")))
      << T(text);
  // .03 moved to .04 before the failure; .02 and .01 stay where they are.
  EXPECT_EQ(Liste(OrdnerDateien(ordner.filePath(Dateien::Sicherungsordner))),
            "Quendrix2021.01 | Quendrix2021.02 | Quendrix2021.04");
  EXPECT_EQ(StandIn(Dateien::Sicherung(ordner.path(), 1)), 3);
  EXPECT_EQ(StandIn(Dateien::Sicherung(ordner.path(), 2)), 2);
  EXPECT_EQ(StandIn(Dateien::Sicherung(ordner.path(), 4)), 1);
}

TEST_F(Sicherung_, EineBeschaedigteDatenbankWirdNichtGesichert) {
  const qint64 seiten = QFileInfo(Datei()).size() / 1024;
  ASSERT_TRUE(SeiteBeschaedigen(Datei(), int(seiten / 2)));
  // Eleven closes once turned every generation into a copy of the damaged file.
  for (int schliessen = 0; schliessen < 11; ++schliessen) {
    const QString text = Dateien::SicherungenRotieren(ordner.path());
    EXPECT_TRUE(text.startsWith(QStringLiteral(
        "Die Datenbank \u201EQuendrix2021.mdb\u201C ist beschädigt und wurde deshalb nicht gesichert. Die bisherigen "
        "Sicherungen im Ordner \u201ESIC\u201C bleiben unverändert. Beim nächsten Start bietet Quendrix an, die neueste "
        "unbeschädigte Sicherung wiederherzustellen. (")))
        << T(text);
  }
  SicherungenUnveraendert();
}

TEST_F(Sicherung_, DieNeuesteIntakteSicherungWirdZurueckgeholtUndDieBeschaedigteDateiBleibtDaneben) {
  // Generation 1 is damaged as well: generation 2 (farm 2) is the newest intact one.
  const QString erste = Dateien::Sicherung(ordner.path(), 1);
  ASSERT_TRUE(SeiteBeschaedigen(erste, int(QFileInfo(erste).size() / 1024 / 2)));
  const QByteArray ersteBeschaedigt = DateiInhalt(erste);
  ASSERT_TRUE(SeiteBeschaedigen(Datei(), int(QFileInfo(Datei()).size() / 1024 / 2)));
  const QByteArray beschaedigt = DateiInhalt(Datei());
  {
    QFile journal(Datei() + QStringLiteral("-journal"));
    ASSERT_TRUE(journal.open(QIODevice::WriteOnly));
    journal.write("zur beschädigten Datei");
  }
  const Dateien::TSicherung sicherung = Dateien::NeuesteIntakteSicherung(ordner.path());
  EXPECT_EQ(sicherung.generation, 2);
  EXPECT_EQ(sicherung.datei, Dateien::Sicherung(ordner.path(), 2));
  EXPECT_EQ(sicherung.zeit, QFileInfo(sicherung.datei).lastModified());

  QString beiseite, fehler;
  ASSERT_TRUE(Dateien::Wiederherstellen(ordner.path(), sicherung, &beiseite, &fehler)) << T(fehler);
  EXPECT_EQ(StandIn(Datei()), 2);
  EXPECT_EQ(DateiInhalt(Datei()), generationen[1]);
  EXPECT_TRUE(QFileInfo(beiseite).fileName().startsWith(QStringLiteral("Quendrix2021.beschaedigt-"))) << T(beiseite);
  EXPECT_EQ(DateiInhalt(beiseite), beschaedigt);
  // The damaged file's journal went with it; the restored file has none.
  EXPECT_FALSE(QFile::exists(Datei() + QStringLiteral("-journal")));
  EXPECT_EQ(DateiInhalt(beiseite + QStringLiteral("-journal")), QByteArray("zur beschädigten Datei"));
  // The backups stay as they were.
  EXPECT_TRUE(DateiInhalt(erste) == ersteBeschaedigt);
  EXPECT_EQ(Liste(OrdnerDateien(ordner.filePath(Dateien::Sicherungsordner))),
            "Quendrix2021.01 | Quendrix2021.02 | Quendrix2021.03");
  EXPECT_TRUE(DateiInhalt(Dateien::Sicherung(ordner.path(), 2)) == generationen[1]);
  EXPECT_TRUE(DateiInhalt(Dateien::Sicherung(ordner.path(), 3)) == generationen[2]);
}

TEST_F(Sicherung_, EinGescheitertesZurueckholenLaesstDieDateiWieSieWar) {
  ASSERT_TRUE(SeiteBeschaedigen(Datei(), int(QFileInfo(Datei()).size() / 1024 / 2)));
  const QByteArray beschaedigt = DateiInhalt(Datei());
  const Dateien::TSicherung sicherung = Dateien::NeuesteIntakteSicherung(ordner.path());
  ASSERT_EQ(sicherung.generation, 1);
  for (const char* endung : {"Quendrix2021.mdb.tmp", "Quendrix2021.mdb"}) {
    SCOPED_TRACE(endung);
    QString beiseite, fehler;
    {
      Stoerung::TAktiv stoerung([&](TArt art, const QString& datei) {
        return (art == TArt::Schreiben || art == TArt::Umbenennen) && datei.endsWith(QLatin1String(endung)) ? ENOSPC : 0;
      });
      EXPECT_FALSE(Dateien::Wiederherstellen(ordner.path(), sicherung, &beiseite, &fehler));
    }
    EXPECT_TRUE(fehler.startsWith(QStringLiteral(
        "Die Sicherung konnte nicht zurückgeholt werden; die Datenbank bleibt, wie sie ist. Auf dem Datenträger")))
        << T(fehler);
    EXPECT_EQ(DateiInhalt(Datei()), beschaedigt);
    EXPECT_EQ(Liste(OrdnerDateien(ordner.path())), "Quendrix2021.mdb");
  }
}

TEST_F(Sicherung_, ResteGetoeteterLaeufeWerdenEntferntDasJournalDerDatenbankNicht) {
  const QStringList reste = {QStringLiteral("Quendrix2021.$$$"), QStringLiteral("Quendrix2021.$$$-journal"),
                             QStringLiteral("Quendrix2021.mdb.tmp"), QStringLiteral("Quendrix2021.mdb.tmp-journal"),
                             QStringLiteral("SIC/Quendrix2021.tmp")};
  const QStringList bleiben = {QStringLiteral("Quendrix2021.mdb-journal"),
                               QStringLiteral("Quendrix2021.beschaedigt-20240101-120000.mdb"),
                               QStringLiteral("Quendrix.mdb"), QStringLiteral("Fehler.txt")};
  for (const QString& name : reste + bleiben) {
    QFile f(ordner.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
  }
  Dateien::ResteEntfernen(ordner.path());
  for (const QString& name : reste) EXPECT_FALSE(QFile::exists(ordner.filePath(name))) << T(name);
  for (const QString& name : bleiben) EXPECT_TRUE(QFile::exists(ordner.filePath(name))) << T(name);
  SicherungenUnveraendert();
}

TEST_F(Sicherung_, KomprimierenErsetztDieDateiNurDurchEineVollstaendigeGepruefteKopie) {
  const QByteArray vorher = DateiInhalt(Datei());
  struct Fall {
    const char* name;
    TArt art;
    const char* endung;
    int fehler;
  };
  for (const Fall& f : {Fall{"voll", TArt::Schreiben, ".$$$", ENOSPC}, Fall{"Plattenfehler", TArt::Synchronisieren, ".$$$", EIO},
                        Fall{"Ersetzen", TArt::Umbenennen, "Quendrix2021.mdb", EACCES}}) {
    SCOPED_TRACE(f.name);
    meldungen.Leeren();
    {
      Stoerung::TAktiv stoerung([&](TArt art, const QString& datei) {
        return art == f.art && datei.endsWith(QLatin1String(f.endung)) ? f.fehler : 0;
      });
      EXPECT_FALSE(Dateien::Komprimieren(Datei(), &meldungen));
    }
    EXPECT_EQ(Liste(meldungen.Infos()), "FEHLER!\n Die Datenbank wurde nicht gepackt!");
    EXPECT_EQ(DateiInhalt(Datei()), vorher);
    EXPECT_EQ(Liste(OrdnerDateien(ordner.path())), "Quendrix2021.mdb");
  }
  // A damaged file is not compacted.
  ASSERT_TRUE(SeiteBeschaedigen(Datei(), int(QFileInfo(Datei()).size() / 1024 / 2)));
  const QByteArray beschaedigt = DateiInhalt(Datei());
  EXPECT_FALSE(Dateien::Komprimieren(Datei(), nullptr));
  EXPECT_EQ(DateiInhalt(Datei()), beschaedigt);
  EXPECT_EQ(Liste(OrdnerDateien(ordner.path())), "Quendrix2021.mdb");
}

}  // namespace
