#include "meldeablage.h"

#include "connection.h"
#include "fehlertexte.h"
#include "files.h"
#include "sicheredatei.h"
#include "stoerung.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <unistd.h>

namespace Meldeablage {

const QString Praefix = QStringLiteral(".Meldepflichten-");

namespace {

QString K(const char* s) { return QString::fromUtf8(s); }

const QString Journal = QStringLiteral("Ablage");
const QString Alt = QStringLiteral(".alt");
const QByteArray Kennung = "Quendrix-Meldeablage 1";

QString Nativ(const QString& pfad) { return QDir::toNativeSeparators(pfad); }

// The journal with the files' flags: whether an old file stood under the name.
struct TJournal {
  TSatz satz;
  QList<bool> hatteAlte;
  bool zurueck = false;  // the set is being taken back
};

QByteArray Text(const TJournal& j) {
  QByteArray t = Kennung + '\n';
  t += QByteArray("richtung ") + (j.zurueck ? "zurueck" : "vor") + '\n';
  t += "betrieb " + QByteArray::number(j.satz.betrieb) + '\n';
  t += "jahr " + QByteArray::number(j.satz.jahr) + '\n';
  t += "datum " + j.satz.datum.toString(Qt::ISODate).toUtf8() + '\n';
  t += "altdatum " + (j.satz.altesDatum.isNull() ? QByteArray("-") : j.satz.altesDatum.toString().toUtf8()) + '\n';
  for (qsizetype i = 0; i < j.satz.dateien.size(); ++i)
    t += "datei " + QByteArray(j.hatteAlte[i] ? "1 " : "0 ") + j.satz.dateien[i].toUtf8() + '\n';
  return t;
}

// Reads the journal; false when it is missing or not complete (it is
// written whole under its name, so a damaged one was never a decision).
bool Lesen(const QString& neu, TJournal* j) {
  QFile f(QDir(neu).filePath(Journal));
  if (!f.open(QIODevice::ReadOnly)) return false;
  const QList<QByteArray> zeilen = f.readAll().split('\n');
  if (zeilen.isEmpty() || zeilen[0] != Kennung) return false;
  bool richtung = false, betrieb = false, jahr = false, datum = false, alt = false;
  for (const QByteArray& z : zeilen.mid(1)) {
    const qsizetype l = z.indexOf(' ');
    if (l < 0) continue;
    const QByteArray schluessel = z.left(l), wert = z.mid(l + 1);
    if (schluessel == "richtung") {
      j->zurueck = wert == "zurueck";
      richtung = true;
    } else if (schluessel == "betrieb") {
      j->satz.betrieb = wert.toInt(&betrieb);
    } else if (schluessel == "jahr") {
      j->satz.jahr = wert.toInt(&jahr);
    } else if (schluessel == "datum") {
      j->satz.datum = QDate::fromString(QString::fromUtf8(wert), Qt::ISODate);
      datum = j->satz.datum.isValid();
    } else if (schluessel == "altdatum") {
      j->satz.altesDatum = wert == "-" ? QVariant() : QVariant(QString::fromUtf8(wert));
      alt = true;
    } else if (schluessel == "datei" && wert.size() > 2) {
      const QString name = QString::fromUtf8(wert.mid(2));
      // A name with a folder in it would reach outside the report folder.
      if (name.contains(u'/') || name.contains(u'\\') || name.startsWith(u'.')) return false;
      j->hatteAlte << (wert[0] == '1');
      j->satz.dateien << name;
    }
  }
  return richtung && betrieb && jahr && datum && alt && !j->satz.dateien.isEmpty();
}

bool DatumSpeichern(TADOModConnection& db, const TSatz& satz, const QVariant& datum) {
  return db.Ausfuehren(K("update DuengeJahr set ErstellungsdatumAufzeichnungBedarf = :D where BetriebsNr = :B and "
                         "Duengejahr = :J"),
                       {{K("D"), datum}, {K("B"), satz.betrieb}, {K("J"), satz.jahr}});
}

QString Ordner(const QString& neu) { return QFileInfo(neu).absolutePath(); }

// Every step may be repeated: a name already moved is skipped.
bool Vor(TADOModConnection& db, const QString& neu, const TJournal& j, QString* fehler) {
  const QDir n(neu), z(Ordner(neu));
  for (const QString& name : j.satz.dateien) {
    if (!QFileInfo::exists(n.filePath(name))) continue;
    int e = 0;
    if (!Dateien::Umbenennen(n.filePath(name), z.filePath(name), true, &e)) {
      if (fehler)
        *fehler = K("Die Datei %1 konnte nicht abgelegt werden. ").arg(Nativ(z.filePath(name))) +
                  Fehlertexte::Benutzerdatei(z.filePath(name), e);
      return false;
    }
  }
  if (!DatumSpeichern(db, j.satz, j.satz.datum.toString(Qt::ISODate))) {
    if (fehler)
      *fehler = K("Das Erstellungsdatum des Düngejahres %1 konnte nicht gespeichert werden%2.")
                    .arg(j.satz.jahr)
                    .arg(Fehlertexte::Klammer(db.LetzterFehler()));
    return false;
  }
  return true;
}

bool Zurueck(TADOModConnection& db, const QString& neu, const TJournal& j) {
  const QDir n(neu), z(Ordner(neu));
  bool ok = true;
  for (qsizetype i = 0; i < j.satz.dateien.size(); ++i) {
    const QString name = j.satz.dateien[i];
    // Still here: it never took its place, the report folder holds the old file.
    if (QFileInfo::exists(n.filePath(name))) continue;
    if (j.hatteAlte[i]) {
      if (QFileInfo::exists(n.filePath(name + Alt)))
        ok = Dateien::Umbenennen(n.filePath(name + Alt), z.filePath(name), true) && ok;
    } else {
      // Placed without an old file before it: it goes again.
      ok = Dateien::Entfernen(z.filePath(name)) && ok;
    }
  }
  return DatumSpeichern(db, j.satz, j.satz.altesDatum) && ok;
}

// The journal goes last, so that a kill while clearing repeats the decision.
bool Leeren(const QString& neu) {
  const QDir n(neu);
  bool ok = true;
  for (const QFileInfo& f : n.entryInfoList(QDir::Files | QDir::Hidden | QDir::System))
    if (f.fileName() != Journal) ok = Dateien::Entfernen(f.absoluteFilePath()) && ok;
  ok = Dateien::Entfernen(n.filePath(Journal)) && ok;
  return ok && (n.rmdir(neu) || !n.exists());
}

}  // namespace

bool AlteBehalten(const QString& neu, const QString& ziel, const QStringList& dateien, QString* fehler) {
  for (const QString& name : dateien) {
    const QString alt = QDir(ziel).filePath(name), kopie = QDir(neu).filePath(name + Alt);
    const QFileInfo info(alt);
    // A folder of that name is not ours to replace.
    if (info.isDir()) {
      if (fehler)
        *fehler = K("Die Datei %1 konnte nicht abgelegt werden. An ihrer Stelle steht ein Ordner dieses Namens; bitte "
                    "benennen Sie ihn um.")
                      .arg(Nativ(alt));
      return false;
    }
    if (!info.exists()) continue;
    // A second name keeps the old file without copying; a file system
    // without hard links gets a copy.
    int e = Stoerung::Pruefen(Stoerung::TArt::Anlegen, kopie);
    if (e == 0 && ::link(QFile::encodeName(alt).constData(), QFile::encodeName(kopie).constData()) != 0 &&
        !Dateien::Kopieren(alt, kopie, &e)) {
      if (fehler) *fehler = Fehlertexte::Benutzerdatei(kopie, e);
      return false;
    }
    if (e != 0) {
      if (fehler) *fehler = Fehlertexte::Benutzerdatei(kopie, e);
      return false;
    }
  }
  return true;
}

bool Vormerken(const QString& neu, const TSatz& satz, QString* fehler) {
  TJournal j;
  j.satz = satz;
  for (const QString& name : satz.dateien) j.hatteAlte << QFileInfo::exists(QDir(neu).filePath(name + Alt));
  return SichereDatei::Schreiben(QDir(neu).filePath(Journal), Text(j), fehler);
}

bool Verwerfen(const QString& neu) { return Dateien::Entfernen(QDir(neu).filePath(Journal)); }

TAusgang Platzieren(TADOModConnection& db, const QString& neu, QString* fehler) {
  TJournal j;
  if (!Lesen(neu, &j)) {
    if (fehler) *fehler = K("Die Liste der abzulegenden Meldedateien in %1 ist nicht lesbar.").arg(Nativ(neu));
    return TAusgang::Offen;
  }
  if (!j.zurueck && Vor(db, neu, j, fehler)) {
    Leeren(neu);
    return TAusgang::Platziert;
  }
  // Taken back: the decision is written first, so that a kill goes on backwards.
  if (!j.zurueck) {
    j.zurueck = true;
    if (!SichereDatei::Schreiben(QDir(neu).filePath(Journal), Text(j), nullptr)) return TAusgang::Offen;
  }
  if (!Zurueck(db, neu, j)) return TAusgang::Offen;
  Leeren(neu);
  return TAusgang::Zurueckgenommen;
}

TAusgang Ablegen(TADOModConnection& db, const QString& ziel, TSatz satz, const TSchreiber& schreiben, QString* fehler) {
  QString grund;
  QByteArray muster = QFile::encodeName(QDir(ziel).filePath(Praefix)) + "XXXXXX";
  if (const int e = Stoerung::Pruefen(Stoerung::TArt::Anlegen, QFile::decodeName(muster)); e != 0 || !::mkdtemp(muster.data())) {
    if (fehler) *fehler = Fehlertexte::Benutzerdatei(QFile::decodeName(muster), e != 0 ? e : errno);
    return TAusgang::Zurueckgenommen;
  }
  const QString t = QFile::decodeName(muster);
  // Until the journal decides, the hidden folder goes with whatever is in it.
  struct TVersteckt {
    QString pfad;
    bool behalten = false;
    ~TVersteckt() {
      if (!behalten) QDir(pfad).removeRecursively();
    }
  } temp{t};
  // The user knows the report folder, not the hidden one.
  auto zurueck = [&](const QString& text) {
    if (fehler) *fehler = QString(text).replace(Nativ(t), Nativ(ziel));
    return TAusgang::Zurueckgenommen;
  };
  TTransaktion transaktion(db);
  satz.altesDatum = db.Wert(K("select ErstellungsdatumAufzeichnungBedarf from DuengeJahr where BetriebsNr = :B and "
                              "Duengejahr = :J"),
                            {{K("B"), satz.betrieb}, {K("J"), satz.jahr}});
  if (!DatumSpeichern(db, satz, satz.datum.toString(Qt::ISODate)) || db.GeaenderteZeilen() != 1)
    return zurueck(K("Das Erstellungsdatum des Düngejahres %1 konnte nicht gespeichert werden.").arg(satz.jahr));
  if (!schreiben(t, &grund) || !AlteBehalten(t, ziel, satz.dateien, &grund) || !Vormerken(t, satz, &grund))
    return zurueck(grund);
  // From here on the set is decided: placed now, or by the next start.
  if (!transaktion.Bestaetigen()) {
    const QString engine = db.LetzterFehler();
    if (Verwerfen(t))
      return zurueck(K("Das Erstellungsdatum des Düngejahres %1 konnte nicht gespeichert werden%2.")
                         .arg(satz.jahr)
                         .arg(Fehlertexte::Klammer(engine)));
  }
  temp.behalten = true;
  const TAusgang ausgang = Platzieren(db, t, &grund);
  if (ausgang == TAusgang::Zurueckgenommen) return zurueck(grund);
  if (ausgang == TAusgang::Offen && fehler)
    *fehler = grund + K("\r\nNicht alle vorherigen Dateien im Ordner %1 konnten zurückgelegt werden; ihre Kopien "
                        "(Endung .alt) liegen im Ordner %2. Quendrix legt sie beim nächsten Start zurück.")
                          .arg(Nativ(ziel), Nativ(t));
  return ausgang;
}

namespace {

// The hidden folder of an earlier release beside the report folders:
// ".Meldepflichten_<Jahr>-XXXXXX" with new files and ".alt" copies of old
// ones. Every old file returns to its place, so the old set stands again.
bool AltenRestZuruecknehmen(const QString& programmOrdner, const QFileInfo& rest) {
  const QString jahr = rest.fileName().mid(16, 4);
  const QDir r(rest.absoluteFilePath());
  for (const QString& kopie : r.entryList({K("*.alt")}, QDir::Files)) {
    const QString name = kopie.chopped(Alt.size());
    // "Anl5_007_276150000001_2022.TXT": the EU number names the farm's folder.
    const QStringList teile = name.split(u'_');
    if (teile.size() != 4) continue;
    const QString ziel = QDir(programmOrdner).filePath(K("Meldepflichten_%1/B_%2/%3").arg(jahr, teile[2], name));
    if (QFileInfo(QFileInfo(ziel).absolutePath()).isDir()) Dateien::Umbenennen(r.filePath(kopie), ziel, true);
  }
  return QDir(rest.absoluteFilePath()).removeRecursively();
}

}  // namespace

QString Aufraeumen(TADOModConnection& db, const QString& programmOrdner) {
  QStringList notizen;
  const QDir arbeit(programmOrdner);
  SichereDatei::ResteEntfernen(programmOrdner);
  for (const QFileInfo& rest :
       arbeit.entryInfoList({K(".Meldepflichten_*-*")}, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot))
    AltenRestZuruecknehmen(programmOrdner, rest);
  for (const QFileInfo& jahr : arbeit.entryInfoList({K("Meldepflichten_*")}, QDir::Dirs | QDir::NoDotAndDotDot)) {
    for (const QFileInfo& b : QDir(jahr.absoluteFilePath()).entryInfoList({K("B_*")}, QDir::Dirs | QDir::NoDotAndDotDot)) {
      const QDir betrieb(b.absoluteFilePath());
      SichereDatei::ResteEntfernen(betrieb.path());
      for (const QFileInfo& neu :
           betrieb.entryInfoList({Praefix + u'*'}, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot)) {
        TJournal j;
        if (!Lesen(neu.absoluteFilePath(), &j)) {
          // Never decided: the report folder was not touched.
          QDir(neu.absoluteFilePath()).removeRecursively();
          continue;
        }
        QString fehler;
        const TAusgang ausgang = Platzieren(db, neu.absoluteFilePath(), &fehler);
        const QString ort = Nativ(betrieb.path());
        if (ausgang == TAusgang::Platziert)
          notizen << K("Die beim letzten Mal unterbrochene Ablage der Meldedateien des Düngejahres %1 im Ordner %2 "
                       "wurde abgeschlossen.")
                         .arg(j.satz.jahr)
                         .arg(ort);
        else if (ausgang == TAusgang::Zurueckgenommen)
          notizen << K("Die beim letzten Mal unterbrochene Ablage der Meldedateien des Düngejahres %1 im Ordner %2 "
                       "wurde zurückgenommen; dort liegen die vorherigen Dateien. Bitte erstellen Sie die Meldedateien "
                       "neu.")
                         .arg(j.satz.jahr)
                         .arg(ort);
        else
          notizen << K("Die beim letzten Mal unterbrochene Ablage der Meldedateien des Düngejahres %1 im Ordner %2 "
                       "konnte nicht abgeschlossen werden%3. Quendrix versucht es beim nächsten Start erneut.")
                         .arg(j.satz.jahr)
                         .arg(ort, Fehlertexte::Klammer(fehler));
      }
    }
  }
  return notizen.join(K("\r\n\r\n"));
}

}  // namespace Meldeablage
