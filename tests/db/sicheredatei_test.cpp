// The safe writer: a file is complete under its name or not there, an old
// file stays byte for byte when the new one fails, no temporary file is
// left, and the reason is a German sentence: on a real full or
// write-protected disk and through the fault seam at every step.
#include "sicheredatei.h"

#include "kleinplatte.h"
#include "stoerhilfe.h"
#include "stoerung.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>

namespace {

QByteArray Lesen(const QString& pfad) {
  QFile f(pfad);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<fehlt>");
}

void Schreiben(const QString& pfad, const QByteArray& inhalt) {
  QFile f(pfad);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(inhalt);
}

QStringList Alles(const QString& ordner) {
  return QDir(ordner).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

mode_t Rechte(const QString& pfad) {
  struct stat s {};
  return ::stat(QFile::encodeName(pfad).constData(), &s) == 0 ? s.st_mode & 0777 : 0;
}

const QByteArray Alt = "alter Stand";
const QByteArray Kurz = "neu";
const QByteArray Lang(20000, 'n');

TEST(SichereDatei, ErsetztVollstaendigUndBehaeltDieRechteDerAltenDatei) {
  QTemporaryDir ordner;
  const QString neu = ordner.filePath(QStringLiteral("neu.txt")), alt = ordner.filePath(QStringLiteral("alt.txt"));
  Schreiben(alt, Alt);
  ASSERT_TRUE(QFile::setPermissions(alt, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
  QString fehler;
  ASSERT_TRUE(SichereDatei::Schreiben(neu, Lang, &fehler)) << T(fehler);
  ASSERT_TRUE(SichereDatei::Schreiben(alt, Kurz, &fehler)) << T(fehler);
  EXPECT_EQ(Lesen(neu), Lang);
  EXPECT_EQ(Lesen(alt), Kurz);
  EXPECT_EQ(Rechte(alt), 0600u);
  // A new file gets the rights every new file of the user gets (not the 0600 of a temporary file).
  const mode_t maske = ::umask(0);
  ::umask(maske);
  EXPECT_EQ(Rechte(neu), 0666u & ~maske);
  EXPECT_EQ(Alles(ordner.path()), (QStringList{QStringLiteral("alt.txt"), QStringLiteral("neu.txt")}));
}

struct TStoerfall {
  const char* name;
  Stoerung::TArt art;
  int fehler;
  const char* satz;  // how the German message begins or what it holds
};

class SichereDateiGestoert : public ::testing::TestWithParam<TStoerfall> {};

TEST_P(SichereDateiGestoert, LaesstDieAlteDateiUndKeinenRest) {
  const TStoerfall& f = GetParam();
  QTemporaryDir ordner;
  const QString ziel = ordner.filePath(QStringLiteral("Liste.xlsx"));
  Schreiben(ziel, Alt);
  Stoerung::TAktiv stoerung([&f](Stoerung::TArt art, const QString&) { return art == f.art ? f.fehler : 0; });
  QString fehler;
  EXPECT_FALSE(SichereDatei::Schreiben(ziel, Lang, &fehler));
  EXPECT_TRUE(fehler.contains(QString::fromUtf8(f.satz))) << T(fehler);
  EXPECT_TRUE(fehler.contains(QStringLiteral("Liste.xlsx"))) << T(fehler);
  EXPECT_FALSE(fehler.contains(QStringLiteral("Unknown error"))) << T(fehler);
  EXPECT_EQ(Lesen(ziel), Alt);
  EXPECT_EQ(Alles(ordner.path()), QStringList{QStringLiteral("Liste.xlsx")});
}

INSTANTIATE_TEST_SUITE_P(
    SichereDatei, SichereDateiGestoert,
    ::testing::Values(TStoerfall{"AnlegenOhneRecht", Stoerung::TArt::Anlegen, EACCES, "dürfen keine Dateien angelegt"},
                      TStoerfall{"SchreibenPlatteVoll", Stoerung::TArt::Schreiben, ENOSPC, "kein Platz mehr frei"},
                      TStoerfall{"SynchronisierenDatentraegerfehler", Stoerung::TArt::Synchronisieren, EIO,
                                 "hat einen Fehler gemeldet"},
                      TStoerfall{"UmbenennenPlatteVoll", Stoerung::TArt::Umbenennen, ENOSPC, "kein Platz mehr frei"}),
    [](const ::testing::TestParamInfo<TStoerfall>& i) { return std::string(i.param.name); });

// The disk really full: 0 bytes or one page free. A short file fitted in a
// buffer was once reported written and left empty.
TEST(SichereDatei, VollePlatteMeldetDeutschUndBehaeltDieAlteDatei) {
  struct TFall {
    qint64 frei;
    QByteArray inhalt;
    bool passt;
  };
  for (const TFall& f : {TFall{0, Kurz, false}, TFall{0, Lang, false}, TFall{4096, Lang, false}, TFall{4096, Kurz, true}}) {
    TKleinePlatte platte(64);
    KLEINE_PLATTE_ERFORDERLICH(platte);
    const QString ziel = platte.Datei(QStringLiteral("Anl5_007_276150000001_2022.TXT"));
    Schreiben(ziel, Alt);
    platte.Fuellen(f.frei);
    QString fehler;
    const std::string fall = std::to_string(f.frei) + " frei, " + std::to_string(f.inhalt.size()) + " Bytes";
    EXPECT_EQ(SichereDatei::Schreiben(ziel, f.inhalt, &fehler), f.passt) << fall << ": " << T(fehler);
    EXPECT_EQ(Lesen(ziel), f.passt ? f.inhalt : Alt) << fall;
    if (!f.passt) {
      EXPECT_TRUE(fehler.startsWith(QStringLiteral("Auf dem Datenträger des Ordners"))) << fall << ": " << T(fehler);
    }
    EXPECT_EQ(Alles(platte.Pfad()), (QStringList{QStringLiteral("Anl5_007_276150000001_2022.TXT"),
                                                 QStringLiteral("Fuellung")}))
        << fall;
  }
}

TEST(SichereDatei, SchreibgeschuetzterDatentraeger) {
  TKleinePlatte platte(64);
  KLEINE_PLATTE_ERFORDERLICH(platte);
  const QString ziel = platte.Datei(QStringLiteral("Blatt.txt"));
  Schreiben(ziel, Alt);
  ASSERT_TRUE(platte.Schreibschutz());
  QString fehler;
  EXPECT_FALSE(SichereDatei::Schreiben(ziel, Kurz, &fehler));
  EXPECT_TRUE(fehler.startsWith(QStringLiteral("\u201EBlatt.txt\u201C kann im Ordner"))) << T(fehler);
  EXPECT_EQ(Lesen(ziel), Alt);
}

TEST(SichereDatei, OrdnerUnterDemNamenUndFehlenderOrdner) {
  QTemporaryDir ordner;
  ASSERT_TRUE(QDir(ordner.path()).mkdir(QStringLiteral("druck.pdf")));
  QString fehler;
  EXPECT_FALSE(SichereDatei::Schreiben(ordner.filePath(QStringLiteral("druck.pdf")), Kurz, &fehler));
  EXPECT_TRUE(fehler.contains(QStringLiteral("steht ein Ordner dieses Namens"))) << T(fehler);
  EXPECT_FALSE(SichereDatei::Schreiben(ordner.filePath(QStringLiteral("fehlt/druck.pdf")), Kurz, &fehler));
  EXPECT_TRUE(fehler.contains(QStringLiteral("Den Ordner"))) << T(fehler);
  EXPECT_EQ(Alles(ordner.path()), QStringList{QStringLiteral("druck.pdf")});
}

TEST(SichereDatei, ResteEinesGetoetetenLaufsGehenAndereDateienBleiben) {
  QTemporaryDir ordner;
  const QStringList bleiben = {QStringLiteral(".versteckt"), QStringLiteral("Fehler.txt"),
                               QStringLiteral(".Fehler.txt.quendrix-abc"), QStringLiteral("a.quendrix-ABCDEF")};
  for (const QString& name : bleiben) Schreiben(ordner.filePath(name), Alt);
  // What a kill before the rename leaves: a complete temporary file without a name of the user's.
  {
    TSichereDatei datei(ordner.filePath(QStringLiteral("Shape1.TXT")));
    ASSERT_TRUE(datei.Schreiben(Kurz));
    ASSERT_TRUE(QFile::copy(datei.Zwischenpfad(), datei.Zwischenpfad() + QStringLiteral("x")));
    const QString rest = TSichereDatei::Zwischenpraefix(ordner.filePath(QStringLiteral("Fehler.txt")));
    ASSERT_TRUE(QFile::copy(datei.Zwischenpfad(), rest + QStringLiteral("Zx09ab")));
  }
  EXPECT_EQ(SichereDatei::ResteEntfernen(ordner.path()), 1);
  const QStringList da = Alles(ordner.path());
  // The copy with a seventh character is not one of ours.
  ASSERT_EQ(da.size(), bleiben.size() + 1) << Liste(da);
  for (const QString& name : bleiben) EXPECT_TRUE(da.contains(name)) << T(name);
}

}  // namespace
