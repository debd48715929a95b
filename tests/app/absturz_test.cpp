// Crash trials: the program's database work runs in a child process that is
// killed right before one of its durable file operations — while creating
// the database, opening it, saving, closing, compacting and backing up. After
// each kill the next start must open an intact database holding every row
// the child had committed, with no leftovers and no damaged backup.
#include "connection.h"
#include "files.h"
#include "skriptmeldungen.h"
#include "start.h"
#include "stoerhilfe.h"
#include "stoerung.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>

namespace {

// What a run of the child reported before it ended or was killed.
struct TLauf {
  std::map<std::string, long> phasen;  // phase -> operations before it
  std::vector<qlonglong> bestaetigt;   // farm rows committed
  long schritte = -1;                  // operations of a whole run; -1 when killed
  bool getoetet = false;
  QString fehlerausgabe;
};

// A child run in a folder of its own, started at once and read when done.
class TVersuch {
public:
  TVersuch(const QString& vorlage, const char* ablauf, long schritt) : m_ablauf(ablauf), m_schritt(schritt) {
    ordner = m_temp.path();
    if (!vorlage.isEmpty()) OrdnerKopieren(vorlage, ordner);
    beginn = QDateTime::currentDateTime();
    m_prozess.setProgram(QStringLiteral(QUENDRIX_ABSTURZKIND));
    m_prozess.setArguments({ordner, QString::fromLatin1(ablauf), QString::number(schritt)});
    // Under the address sanitizer the child needs no reports of its own (it is
    // killed, and the same code runs checked in this process): its allocations
    // are made cheap.
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    umgebung.insert(QStringLiteral("ASAN_OPTIONS"),
                    QStringLiteral("detect_leaks=0:malloc_context_size=0:quarantine_size_mb=0"));
    m_prozess.setProcessEnvironment(umgebung);
    m_prozess.start();
  }
  TLauf Ergebnis() {
    TLauf lauf;
    if (!m_prozess.waitForFinished(120000)) {
      ADD_FAILURE() << "Kindprozess endet nicht: " << m_ablauf << " " << m_schritt;
      m_prozess.kill();
      m_prozess.waitForFinished();
    }
    lauf.getoetet = m_prozess.exitStatus() == QProcess::CrashExit;
    lauf.fehlerausgabe = QString::fromLocal8Bit(m_prozess.readAllStandardError());
    if (!lauf.getoetet && m_prozess.exitCode() != 0)
      ADD_FAILURE() << "Kindprozess scheitert (" << m_ablauf << " " << m_schritt << "): " << T(lauf.fehlerausgabe);
    for (const QByteArray& zeile : m_prozess.readAllStandardOutput().split('\n')) {
      const QList<QByteArray> teile = zeile.split(' ');
      if (teile.value(0) == "phase") lauf.phasen[teile.value(1).toStdString()] = teile.value(2).toLong();
      if (teile.value(0) == "bestaetigt") lauf.bestaetigt.push_back(teile.value(1).toLongLong());
      if (teile.value(0) == "schritte") lauf.schritte = teile.value(1).toLong();
    }
    return lauf;
  }
  static void OrdnerKopieren(const QString& von, const QString& nach) {
    QDir(nach).mkpath(QStringLiteral("SIC/EC"));
    for (const QString& name : QDir(von).entryList(QDir::Files)) QFile::copy(QDir(von).filePath(name), QDir(nach).filePath(name));
    const QDir sic(QDir(von).filePath(QStringLiteral("SIC")));
    for (const QString& name : sic.entryList(QDir::Files))
      QFile::copy(sic.filePath(name), QDir(nach).filePath(QStringLiteral("SIC/") + name));
  }

  QString ordner;
  QDateTime beginn;  // files written after it are the run's

private:
  QTemporaryDir m_temp;
  QProcess m_prozess;
  const char* m_ablauf;
  long m_schritt;
};

QByteArray DateiInhaltLesen(const QString& datei) {
  QFile f(datei);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The next start after the kill, as the program makes it.
void NaechsterStart(const QString& ordner, const TLauf& lauf, const QDateTime& seit, const std::string& versuch) {
  SCOPED_TRACE(versuch);
  TSkriptMeldungen meldungen;  // a question (the restore offer) would fail the test: none is planned
  const QByteArray geprueft = DateiInhaltLesen(QDir(ordner).filePath(Dateien::Datenbank));
  TADOModConnection db;
  ASSERT_TRUE(Start::DatenbankOeffnen(db, ordner, meldungen))
      << Liste(meldungen.protokoll) << "\nKind: " << T(lauf.fehlerausgabe);
  for (const QString& z : meldungen.protokoll) EXPECT_TRUE(z.startsWith(QLatin1String("Warten"))) << T(z);
  EXPECT_EQ(T(db.Befund()), "");
  for (qlonglong id : lauf.bestaetigt)
    EXPECT_EQ(db.Wert(QStringLiteral("select count(*) from Betriebe where ID = :id"), {{QStringLiteral("id"), id}}).toInt(), 1)
        << "bestätigte Zeile " << id << " fehlt";
  // Every farm row is whole: a name written with it, never half a row.
  EXPECT_EQ(db.Wert(QStringLiteral("select count(*) from Betriebe where ID > 1 and Betriebsname is null")).toInt(), 0);
  db.Schliessen();
  // Nothing of the killed run is left: no temporary copy, journal or lock.
  EXPECT_EQ(Liste(OrdnerDateien(ordner)), "Quendrix2021.mdb");
  const QDir sic(QDir(ordner).filePath(QStringLiteral("SIC")));
  for (const QString& name : sic.entryList(QDir::Files))
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Quendrix2021\\.\\d\\d$")).match(name).hasMatch()) << T(name);
  // The newest backup is intact when the run wrote it (older ones were only renamed).
  const QString neueste = Dateien::Sicherung(ordner, 1);
  // (A copy of the very file the start has just checked needs no second check.)
  if (QFileInfo::exists(neueste) && QFileInfo(neueste).lastModified() >= seit &&
      DateiInhaltLesen(neueste) != geprueft) {
    TADOModConnection s;
    s.setDatenbankName(neueste);
    ASSERT_EQ(Name(s.Oeffnen()), "Ok") << T(s.Fehlermeldung());
    EXPECT_EQ(T(s.Befund()), "");
  }
}

// Kill points of one phase: all when few, else spread evenly, and the last
// ones always (the commits and renames that end a phase).
std::vector<long> Punkte(long von, long bis, long hoechstens, long letzte) {
  std::set<long> p;
  const long n = bis - von;
  if (n <= hoechstens + letzte) {
    for (long k = von + 1; k <= bis; ++k) p.insert(k);
  } else {
    for (long i = 0; i < hoechstens; ++i) p.insert(von + 1 + i * (n - letzte) / hoechstens);
    for (long k = bis - letzte + 1; k <= bis; ++k) p.insert(k);
  }
  return {p.begin(), p.end()};
}

// Runs the trials two at a time: the next child works while the last is checked.
int Versuche(const QString& vorlage, const char* ablauf, const std::vector<long>& punkte) {
  std::unique_ptr<TVersuch> laufend;
  long laufendPunkt = 0;
  int getoetet = 0;
  auto pruefen = [&] {
    const TLauf lauf = laufend->Ergebnis();
    if (lauf.getoetet) ++getoetet;
    NaechsterStart(laufend->ordner, lauf, laufend->beginn,
                   std::string(ablauf) + " bei Schritt " + std::to_string(laufendPunkt));
  };
  for (long punkt : punkte) {
    auto naechster = std::make_unique<TVersuch>(vorlage, ablauf, punkt);
    if (laufend) pruefen();
    laufend = std::move(naechster);
    laufendPunkt = punkt;
    if (::testing::Test::HasFatalFailure()) return getoetet;
  }
  if (laufend) pruefen();
  return getoetet;
}

TEST(Absturz, NachJedemAbbruchOeffnetDerNaechsteStartEineIntakteDatenbankMitJederBestaetigtenZeile) {
  QElapsedTimer uhr;
  uhr.start();
  // The checks need not wait for the disk either: nothing here is cut off by a power failure.
  Stoerung::TAktiv ohneWarten([](Stoerung::TArt art, const QString&) {
    return art == Stoerung::TArt::Synchronisieren ? Stoerung::Weglassen : 0;
  });
  // A whole run of each kind first: how many operations, and where its phases begin.
  QTemporaryDir vorlage;
  TVersuch erstes(QString(), "anlegen", 0);
  const TLauf anlegen = erstes.Ergebnis();
  ASSERT_GT(anlegen.schritte, 0) << T(anlegen.fehlerausgabe);
  TVersuch::OrdnerKopieren(erstes.ordner, vorlage.path());
  NaechsterStart(erstes.ordner, anlegen, erstes.beginn, "anlegen ganz");
  TVersuch ganz(vorlage.path(), "sitzung", 0);
  const TLauf sitzung = ganz.Ergebnis();
  ASSERT_GT(sitzung.schritte, 0) << T(sitzung.fehlerausgabe);
  ASSERT_EQ(sitzung.bestaetigt.size(), 3u);
  NaechsterStart(ganz.ordner, sitzung, ganz.beginn, "sitzung ganz");
  for (const char* phase : {"oeffnen", "speichern", "schliessen", "komprimieren", "sichern"})
    ASSERT_TRUE(sitzung.phasen.count(phase)) << phase;

  // Creation: the first start in an empty folder, its backup at the close.
  const std::vector<long> anlegePunkte = Punkte(0, anlegen.schritte, 8, 6);
  const int anlegeVersuche = Versuche(QString(), "anlegen", anlegePunkte);
  // A session on the database: opening with its maintenance, saves, the
  // close, the compaction and the backup.
  const auto& p = sitzung.phasen;
  std::vector<long> punkte;
  for (const auto& teil : {Punkte(p.at("oeffnen"), p.at("speichern"), 36, 6),
                           Punkte(p.at("speichern"), p.at("schliessen"), 60, 0),
                           Punkte(p.at("schliessen"), p.at("komprimieren"), 20, 0),
                           Punkte(p.at("komprimieren"), p.at("sichern"), 40, 8),
                           Punkte(p.at("sichern"), sitzung.schritte, 20, 0)})
    punkte.insert(punkte.end(), teil.begin(), teil.end());
  const int sitzungsVersuche = Versuche(vorlage.path(), "sitzung", punkte);

  // Each point must really have killed the child, or the trials test nothing.
  EXPECT_EQ(anlegeVersuche, int(anlegePunkte.size()));
  EXPECT_EQ(sitzungsVersuche, int(punkte.size()));
  RecordProperty("Versuche", anlegeVersuche + sitzungsVersuche);
  RecordProperty("Millisekunden", int(uhr.elapsed()));
  std::printf("Absturzversuche: %d beim Anlegen (von %ld Schritten), %d in der Sitzung (von %ld Schritten), %lld ms\n",
              anlegeVersuche, anlegen.schritte, sitzungsVersuche, sitzung.schritte, qlonglong(uhr.elapsed()));
}

}  // namespace
