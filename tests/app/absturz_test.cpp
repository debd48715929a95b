// Crash trials: the program's database work runs in a child process that is
// killed right before one of its durable file operations — while creating
// the database, opening it, saving, closing, compacting and backing up. After
// each kill the next start must open an intact database holding every row
// the child had committed, with no leftovers and no damaged backup
// (absturzpruefung.h).
//
// The next start runs in a second child process, so that two trials go on at
// once on two cores and the children, built without the sanitizers, keep the
// trials within their time under them; every eighth one runs here instead,
// checked by the sanitizers of this program.
#include "absturzpruefung.h"
#include "stoerhilfe.h"
#include "stoerung.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>

namespace {

const QString Kind = QStringLiteral(QUENDRIX_ABSTURZKIND);

// What a run of the child reported before it ended or was killed.
struct TLauf {
  std::map<std::string, long> phasen;  // phase -> operations before it
  std::vector<qlonglong> bestaetigt;   // farm rows committed
  long schritte = -1;                  // operations of a whole run; -1 when killed
  bool getoetet = false;
  QStringList probleme;  // of a check run
  QString fehlerausgabe;
};

void Umgebung(QProcess& p) {
  // Built without the sanitizers; should a sanitizer build reach it after
  // all, its allocations are made cheap.
  QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
  umgebung.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0:malloc_context_size=0:quarantine_size_mb=0"));
  p.setProcessEnvironment(umgebung);
}

TLauf Lesen(QProcess& p, const std::string& was) {
  TLauf lauf;
  if (p.state() != QProcess::NotRunning && !p.waitForFinished(120000)) {
    ADD_FAILURE() << "Kindprozess endet nicht: " << was;
    p.kill();
    p.waitForFinished();
  }
  lauf.getoetet = p.exitStatus() == QProcess::CrashExit;
  lauf.fehlerausgabe = QString::fromLocal8Bit(p.readAllStandardError());
  for (const QByteArray& zeile : p.readAllStandardOutput().split('\n')) {
    const QList<QByteArray> teile = zeile.split(' ');
    if (teile.value(0) == "phase") lauf.phasen[teile.value(1).toStdString()] = teile.value(2).toLong();
    if (teile.value(0) == "bestaetigt") lauf.bestaetigt.push_back(teile.value(1).toLongLong());
    if (teile.value(0) == "schritte") lauf.schritte = teile.value(1).toLong();
    if (teile.value(0) == "problem") lauf.probleme << QString::fromUtf8(zeile.mid(8));
  }
  return lauf;
}

void OrdnerKopieren(const QString& von, const QString& nach) {
  QDir(nach).mkpath(QStringLiteral("SIC/EC"));
  for (const QString& name : QDir(von).entryList(QDir::Files)) QFile::copy(QDir(von).filePath(name), QDir(nach).filePath(name));
  const QDir sic(QDir(von).filePath(QStringLiteral("SIC")));
  for (const QString& name : sic.entryList(QDir::Files))
    QFile::copy(sic.filePath(name), QDir(nach).filePath(QStringLiteral("SIC/") + name));
}

// One trial: the killed run in a folder of its own, then the next start.
class TVersuch {
public:
  TVersuch(const QString& vorlage, const char* ablauf, long schritt, bool hierPruefen)
      : m_was(std::string(ablauf) + " bei Schritt " + std::to_string(schritt)),
        m_melden(std::string(ablauf) == "melden"),
        m_hierPruefen(hierPruefen) {
    ordner = m_temp.path();
    if (!vorlage.isEmpty()) OrdnerKopieren(vorlage, ordner);
    beginn = QDateTime::currentDateTime();
    Umgebung(m_prozess);
    m_prozess.start(Kind, {ordner, QString::fromLatin1(ablauf), QString::number(schritt)});
  }
  // Advances without waiting long; true when the trial is done.
  bool Weiter() {
    if (m_fertig) return true;
    if (m_prozess.state() != QProcess::NotRunning && !m_prozess.waitForFinished(5)) return false;
    if (!m_gelaufen) {
      m_gelaufen = true;
      lauf = Lesen(m_prozess, m_was);
      if (!lauf.getoetet) ADD_FAILURE() << "Nicht getötet: " << m_was << "\n" << T(lauf.fehlerausgabe);
      if (m_hierPruefen) {
        Auswerten(m_melden ? MeldeablagePruefen(ordner) : NaechsterStartPruefen(ordner, lauf.bestaetigt, beginn));
        return m_fertig = true;
      }
      QStringList ids;
      for (qlonglong id : lauf.bestaetigt) ids << QString::number(id);
      if (m_melden)
        m_prozess.start(Kind, {ordner, QStringLiteral("meldungpruefen")});
      else
        m_prozess.start(Kind, {ordner, QStringLiteral("pruefen"), QString::number(beginn.toMSecsSinceEpoch()),
                               ids.join(QLatin1Char(','))});
      return false;
    }
    const TLauf pruefung = Lesen(m_prozess, m_was + " (Prüfung)");
    if (pruefung.getoetet || (pruefung.probleme.isEmpty() && m_prozess.exitCode() != 0))
      ADD_FAILURE() << "Prüfung gescheitert: " << m_was << "\n" << T(pruefung.fehlerausgabe);
    Auswerten(pruefung.probleme);
    return m_fertig = true;
  }

  QString ordner;
  QDateTime beginn;  // files written after it are the run's
  TLauf lauf;

private:
  void Auswerten(const QStringList& probleme) {
    EXPECT_TRUE(probleme.isEmpty()) << m_was << "\n" << Liste(probleme) << "\nKind: " << T(lauf.fehlerausgabe);
  }

  QTemporaryDir m_temp;
  QProcess m_prozess;
  std::string m_was;
  bool m_melden;  // the reporting run's placing, checked on its own terms
  bool m_hierPruefen;
  bool m_gelaufen = false;
  bool m_fertig = false;
};

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

// Runs the trials two at a time.
void Versuche(const QString& vorlage, const char* ablauf, const std::vector<long>& punkte, int& nummer) {
  std::vector<std::unique_ptr<TVersuch>> laufend;
  size_t naechster = 0;
  while (naechster < punkte.size() || !laufend.empty()) {
    while (laufend.size() < 2 && naechster < punkte.size())
      laufend.push_back(std::make_unique<TVersuch>(vorlage, ablauf, punkte[naechster++], ++nummer % 8 == 0));
    std::erase_if(laufend, [](const std::unique_ptr<TVersuch>& v) { return v->Weiter(); });
  }
}

// A whole run, without a kill: its operations and phases.
TLauf GanzerLauf(const QString& ordner, const char* ablauf) {
  QProcess p;
  Umgebung(p);
  p.start(Kind, {ordner, QString::fromLatin1(ablauf), QStringLiteral("0")});
  return Lesen(p, ablauf);
}

TEST(Absturz, NachJedemAbbruchOeffnetDerNaechsteStartEineIntakteDatenbankMitJederBestaetigtenZeile) {
  QElapsedTimer uhr;
  uhr.start();
  // The checks here need not wait for the disk either: a kill cuts off no write.
  Stoerung::TAktiv ohneWarten([](Stoerung::TArt art, const QString&) {
    return art == Stoerung::TArt::Synchronisieren ? Stoerung::Weglassen : 0;
  });
  // The first start in an empty folder, and a session in the folder it left.
  QTemporaryDir vorlage, probe;
  const QDateTime beginn = QDateTime::currentDateTime();
  const TLauf anlegen = GanzerLauf(vorlage.path(), "anlegen");
  ASSERT_GT(anlegen.schritte, 0) << T(anlegen.fehlerausgabe);
  OrdnerKopieren(vorlage.path(), probe.path());
  EXPECT_EQ(Liste(NaechsterStartPruefen(probe.path(), {}, beginn)), "");
  const TLauf sitzung = GanzerLauf(probe.path(), "sitzung");
  ASSERT_GT(sitzung.schritte, 0) << T(sitzung.fehlerausgabe);
  ASSERT_EQ(sitzung.bestaetigt.size(), 3u);
  EXPECT_EQ(Liste(NaechsterStartPruefen(probe.path(), sitzung.bestaetigt, beginn)), "");
  for (const char* phase : {"oeffnen", "speichern", "schliessen", "komprimieren", "sichern"})
    ASSERT_TRUE(sitzung.phasen.count(phase)) << phase;

  int nummer = 0;
  // Creation: the first start in an empty folder and its backup at the close.
  const std::vector<long> anlegePunkte = Punkte(0, anlegen.schritte, 8, 6);
  Versuche(QString(), "anlegen", anlegePunkte, nummer);
  // A session: opening with its maintenance, saves, the close, compaction and backup.
  const auto& p = sitzung.phasen;
  std::vector<long> punkte;
  for (const auto& teil : {Punkte(p.at("oeffnen"), p.at("speichern"), 36, 6),
                           Punkte(p.at("speichern"), p.at("schliessen"), 60, 0),
                           Punkte(p.at("schliessen"), p.at("komprimieren"), 20, 0),
                           Punkte(p.at("komprimieren"), p.at("sichern"), 40, 8),
                           Punkte(p.at("sichern"), sitzung.schritte, 20, 0)})
    punkte.insert(punkte.end(), teil.begin(), teil.end());
  Versuche(vorlage.path(), "sitzung", punkte, nummer);

  RecordProperty("Versuche", nummer);
  RecordProperty("Millisekunden", int(uhr.elapsed()));
  std::printf("Absturzversuche: %zu beim Anlegen (von %ld Schritten), %zu in der Sitzung (von %ld Schritten), %lld ms\n",
              anlegePunkte.size(), anlegen.schritte, punkte.size(), sitzung.schritte, qlonglong(uhr.elapsed()));
}

TEST(Absturz, NachJedemAbbruchDerMeldeablageLiegtGenauDerAlteOderDerNeueStandMitSeinemDatum) {
  Stoerung::TAktiv ohneWarten([](Stoerung::TArt art, const QString&) {
    return art == Stoerung::TArt::Synchronisieren ? Stoerung::Weglassen : 0;
  });
  QTemporaryDir vorlage, probe;
  const TLauf anlegen = GanzerLauf(vorlage.path(), "anlegen");
  ASSERT_GT(anlegen.schritte, 0) << T(anlegen.fehlerausgabe);
  OrdnerKopieren(vorlage.path(), probe.path());
  const TLauf melden = GanzerLauf(probe.path(), "melden");
  ASSERT_GT(melden.schritte, 0) << T(melden.fehlerausgabe);
  ASSERT_TRUE(melden.phasen.count("melden") && melden.phasen.count("ende"));
  // Without a kill: the new set and its date.
  EXPECT_EQ(Liste(MeldeablagePruefen(probe.path())), "");
  EXPECT_EQ(QFile(QDir(probe.path()).filePath(Meldetest::Ordner + QStringLiteral("/DBE_000_000000000042_2023.TXT"))).size(),
            qint64(Meldetest::Inhalt(QStringLiteral("DBE_000_000000000042_2023.TXT"), true).size()));

  // Every step of placing the new set, and the writing before it spread.
  int nummer = 0;
  const std::vector<long> punkte = Punkte(melden.phasen.at("melden"), melden.phasen.at("ende"), 30, 40);
  Versuche(vorlage.path(), "melden", punkte, nummer);
  std::printf("Absturzversuche der Meldeablage: %zu (von %ld Schritten)\n", punkte.size(),
              melden.phasen.at("ende") - melden.phasen.at("melden"));
}

}  // namespace
