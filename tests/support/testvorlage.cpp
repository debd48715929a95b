#include "testvorlage.h"

#include "connection.h"
#include "files.h"
#include "lebenslauf.h"
#include "skriptmeldungen.h"
#include "vorlagekennung.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <memory>

namespace Testvorlage {

namespace {

// The resource folders that creation reads, with the code that builds the
// templates: what makes two templates of one kind alike.
QString Kennung() {
  static const QString kennung = [] {
    QStringList dateien;
    for (const char* ordner : {":/schema", ":/stammdaten", ":/befehle", ":/sql"}) {
      QDirIterator it(QString::fromLatin1(ordner), QDir::Files, QDirIterator::Subdirectories);
      while (it.hasNext()) dateien << it.next();
    }
    dateien.sort();
    QCryptographicHash h(QCryptographicHash::Sha256);
    for (const QString& d : dateien) {
      QFile f(d);
      if (!f.open(QIODevice::ReadOnly)) continue;
      const QByteArray inhalt = f.readAll();
      h.addData(d.toUtf8() + '\n' + QByteArray::number(inhalt.size()) + '\n');
      h.addData(inhalt);
    }
    h.addData(QByteArrayLiteral(QUENDRIX_VORLAGE_CODE));
    return QString::fromLatin1(h.result().toHex().left(20));
  }();
  return kennung;
}

struct TVorlagen {
  std::map<QString, QString> fertig;       // kind → file, once per test program
  std::unique_ptr<QTemporaryDir> eigene;   // when the build folder cannot take them
};

TVorlagen& Vorlagen() {
  static TVorlagen v;
  return v;
}

// Builds in a folder of its own beside the target and renames the file into
// place in one step: a test program running at the same time sees no
// template or a whole one, never a half-written one.
bool Bauen(const TBauen& bauen, const QString& ziel) {
  QTemporaryDir bau(ziel + QStringLiteral(".bau-XXXXXX"));
  if (!bau.isValid()) return false;
  const QString datei = bau.filePath(Dateien::Datenbank);
  return bauen(datei) && std::rename(QFile::encodeName(datei).constData(), QFile::encodeName(ziel).constData()) == 0;
}

// Templates of this kind from other resources or code, and building folders
// of interrupted runs. An hour's grace spares a run of an older build that is
// still going.
void Aufraeumen(const QDir& ordner, const QString& art, const QString& name) {
  const QDateTime grenze = QDateTime::currentDateTime().addSecs(-3600);
  for (const QFileInfo& f : ordner.entryInfoList({art + QStringLiteral("-*")}, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
    if (f.fileName() == name || f.lastModified() >= grenze) continue;
    if (f.isDir())
      QDir(f.filePath()).removeRecursively();
    else
      QFile::remove(f.filePath());
  }
}

// The template file of this kind; `neu` builds it again even when one is cached.
QString Vorlage(const QString& art, const TBauen& bauen, bool neu) {
  TVorlagen& v = Vorlagen();
  if (!neu)
    if (auto it = v.fertig.find(art); it != v.fertig.end()) return it->second;
  const QString name = art + QLatin1Char('-') + Kennung() + QStringLiteral(".mdb");
  const QDir ordner(QStringLiteral(QUENDRIX_TESTVORLAGEN));
  QString datei = ordner.filePath(name);
  if (neu || !QFileInfo(datei).isFile()) {
    if (ordner.mkpath(QStringLiteral(".")) && Bauen(bauen, datei)) {
      Aufraeumen(ordner, art, name);
    } else {
      if (!v.eigene) v.eigene = std::make_unique<QTemporaryDir>();
      datei = v.eigene->filePath(name);
      if (!v.eigene->isValid() || !Bauen(bauen, datei)) datei.clear();
    }
  }
  v.fertig[art] = datei;
  return datei;
}

bool Kopie(const QString& vorlage, const QString& datei) {
  QFile::remove(datei);
  return !vorlage.isEmpty() && QFile::copy(vorlage, datei);
}

}  // namespace

bool Kopieren(const QString& art, const TBauen& bauen, const QString& datei) {
  if (Kopie(Vorlage(art, bauen, false), datei)) return true;
  ADD_FAILURE() << "Testdatenbank \"" << art.toStdString() << "\" konnte nicht angelegt oder kopiert werden";
  return false;
}

bool Oeffnen(TADOModConnection& db, const QString& art, const TBauen& bauen, const QString& datei) {
  for (bool neu : {false, true}) {
    if (!Kopie(Vorlage(art, bauen, neu), datei)) continue;
    db.setDatenbankName(datei);
    if (db.Oeffnen() == TOeffnenErgebnis::Ok) return true;
    db.Schliessen();
  }
  ADD_FAILURE() << "Testdatenbank \"" << art.toStdString() << "\" nicht verfügbar: " << db.Fehlermeldung().toStdString();
  return false;
}

bool AngelegteDatenbank(const QString& ordner) {
  return Kopieren(
      QStringLiteral("angelegt"),
      [](const QString& datei) {
        TSkriptMeldungen m;
        return Datenbank::Anlegen(QFileInfo(datei).path(), m);
      },
      QDir(ordner).filePath(Dateien::Datenbank));
}

}  // namespace Testvorlage
