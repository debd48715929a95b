#include "meldepflichten.h"

#include "bedarfsdatei.h"
#include "bilanzanzeige.h"
#include "connection.h"
#include "export.h"
#include "fehlertexte.h"
#include "files.h"
#include "meldedatei.h"
#include "meldungen.h"
#include "zahlen.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>
#include <unistd.h>
#include <vector>

namespace Meldepflichten {

namespace {

QString K(const char* s) { return QString::fromUtf8(s); }

QString Nativ(const QString& pfad) { return QDir::toNativeSeparators(pfad); }

const char* const Praefixe[] = {"Anl5_", "Duengungen_", "Anl5NG_", "Ertraege_", "DBE_"};

QString Abbruch(const QString& ziel) {
  return K("\r\nEs wurden keine Meldedateien abgelegt; was vorher im Ordner %1 lag, ist unverändert.").arg(Nativ(ziel));
}

// The files put in place so far, with a copy of what stood under their
// names before, so that a failure later on can restore the folder as it was.
class TAblage {
public:
  TAblage(QString temp, QString ziel) : m_temp(std::move(temp)), m_ziel(std::move(ziel)) {}

  // Moves one finished file from the temporary folder into place, replacing
  // an old one in one step. False with the errno and the target in *fehler,
  // *datei; the old file is untouched then.
  bool Ablegen(const QString& name, int* fehler, QString* datei) {
    const QString neu = QDir(m_temp).filePath(name), ziel = QDir(m_ziel).filePath(name);
    const QString alt = neu + QStringLiteral(".alt");
    *datei = ziel;
    const QFileInfo vorher(ziel);
    // A folder of that name is not ours to replace.
    if (vorher.isDir()) {
      *fehler = EISDIR;
      return false;
    }
    const bool hatteAlte = vorher.exists();
    // A second name for the old file keeps it without copying; a file system
    // without hard links gets a copy.
    if (hatteAlte && ::link(QFile::encodeName(ziel).constData(), QFile::encodeName(alt).constData()) != 0 &&
        !Dateien::Kopieren(ziel, alt, fehler))
      return false;
    if (!Dateien::Umbenennen(neu, ziel, true, fehler)) return false;
    m_abgelegt.push_back({ziel, hatteAlte ? alt : QString()});
    return true;
  }

  // Takes every file back out of the folder and restores what was there.
  // False when that failed for one: the copies of the old files must then
  // stay where they are.
  bool Zuruecknehmen() {
    bool ok = true;
    for (auto i = m_abgelegt.rbegin(); i != m_abgelegt.rend(); ++i)
      ok = (i->alt.isEmpty() ? Dateien::Entfernen(i->ziel) : Dateien::Umbenennen(i->alt, i->ziel, true)) && ok;
    m_abgelegt.clear();
    return ok;
  }

private:
  struct TDatei {
    QString ziel, alt;
  };
  QString m_temp, m_ziel;
  std::vector<TDatei> m_abgelegt;
};

// The folders of the run, created when missing; on failure the ones created
// here are removed again (only when empty: nobody else's files go).
class TOrdner {
public:
  explicit TOrdner(QStringList pfade) : m_pfade(std::move(pfade)) {}
  bool Anlegen(QString* fehlt) {
    for (const QString& p : m_pfade) {
      if (QFileInfo(p).isDir()) continue;
      if (!QDir().mkdir(p)) {
        *fehlt = p;
        return false;
      }
      m_neu << p;
    }
    return true;
  }
  void Entfernen() {
    for (auto i = m_neu.rbegin(); i != m_neu.rend(); ++i) QDir().rmdir(*i);
    m_neu.clear();
  }

private:
  QStringList m_pfade, m_neu;
};

}  // namespace

const QString FlaechenUnvollstaendig =
    K("Bitte Betriebsflächen vollständig eingeben\r\nAnsonsten kann keine Exportdatei erstellt werden.");
const QString FeldblockUnvollstaendig =
    K("Bitte stellen Sie sicher, dass ALLE Feldblocknummern vollständig (16 Stellen, einschließlich \"DEVLLI\") "
      "eingegeben wurden.\r\nAnsonsten kann keine Exportdatei erstellt werden.");
const QString Titel = K("Ablageort");

QString Pruefen(TADOModConnection& db, int betrieb, int jahr) {
  const TParameter p = {{K("b"), betrieb}, {K("j"), jahr}};
  TAbfrage f(db, K("select Betriebsgroesse, Flaeche170kg from DuengeJahr where BetriebsNr = :b and Duengejahr = :j"),
             p);
  if (!f.Naechste() || Zahlen::Gerundet(f.Wert(0).toDouble()) < 1 || Zahlen::Gerundet(f.Wert(1).toDouble()) <= 0)
    return FlaechenUnvollstaendig;
  const QVariant unvollstaendig =
      db.Wert(K("select count(*) from Schlag where BetriebsNr = :b and Jahr = :j and ( Feldblock is null or "
                "( length( Feldblock ) <> 16 and Feldblock <> 'Bewirtschaftungseinheit' ) )"),
              p);
  // A failed count must not let incomplete numbers through.
  if (unvollstaendig.isNull() || unvollstaendig.toInt() > 0) return FeldblockUnvollstaendig;
  // The EU number becomes a folder and file names: a separator would write elsewhere.
  const QString eu = db.Wert(K("select EU_NUMMER from Betriebe where ID = :b"), p).toString();
  if (eu.contains(u'/') || eu.contains(u'\\'))
    return K("Die EU-Nummer des Betriebs „%1“ enthält Zeichen, die in einem Ordner- oder Dateinamen nicht stehen "
             "dürfen. Bitte korrigieren Sie sie.\r\nAnsonsten kann keine Exportdatei erstellt werden.")
        .arg(eu.trimmed());
  return {};
}

QString Jahresordner(const QString& programmOrdner, int jahr) {
  return QDir(programmOrdner).filePath(K("Meldepflichten_%1").arg(jahr));
}

QString Betriebsordner(const QString& euNummer) {
  return K("B_") + euNummer.trimmed().rightJustified(12, u'0');
}

namespace {

struct TLauf {
  bool ok = false;
  QString text;  // the closing message, or what went wrong
};

// The run without its messages, while the wait window shows.
TLauf Erstellen(TADOModConnection& db, int betrieb, int jahr, const QString& programmOrdner, const QDate& heute) {
  TAbfrage b(db, K("select KreisNr, EU_NUMMER from Betriebe where ID = :b"), {{K("b"), betrieb}});
  if (!b.Naechste()) return {false, K("Der Betrieb wurde nicht gefunden. Es wurden keine Meldedateien erstellt.")};
  const QVariant kreisNr = b.Wert(0);
  const QString euNummer = b.Wert(1).toString();
  const QString jahresordner = Jahresordner(programmOrdner, jahr);
  const QString ziel = QDir(jahresordner).filePath(Betriebsordner(euNummer));

  // Beside the target on the same disk, so that a finished file moves in one step.
  QTemporaryDir temp(QDir(programmOrdner).filePath(K(".Meldepflichten_%1-XXXXXX").arg(jahr)));
  if (!temp.isValid())
    return {false, K("Im Ordner %1 kann nicht geschrieben werden (%2). Es wurden keine Meldedateien erstellt.")
                       .arg(Nativ(programmOrdner), temp.errorString())};
  const QString t = temp.path();
  // The user knows the target folder, not our temporary one.
  auto zielpfade = [&](QString text) { return text.replace(Nativ(t), Nativ(ziel)); };
  // A note of its own replaces the assurance that nothing changed.
  auto fehlschlag = [&](const QString& text, const QString& nachsatz = QString()) {
    return TLauf{false, zielpfade(text) + (nachsatz.isEmpty() ? Abbruch(ziel) : nachsatz)};
  };

  TTransaktion transaktion(db);
  if (!Bilanzanzeige::ErstellungsdatumSetzen(db, betrieb, jahr, heute))
    return fehlschlag(K("Das Erstellungsdatum des Düngejahres %1 konnte nicht gespeichert werden.").arg(jahr));
  QString fehler, hinweis;
  const bool geschrieben = Export::Gesamtbetrieb(db, betrieb, jahr, t, &fehler) &&
                           Export::Duengungen(db, betrieb, jahr, t, &fehler, &hinweis) &&
                           Export::Nitratgebiet(db, betrieb, jahr, t, &fehler) &&
                           Export::Ertraege(db, betrieb, jahr, t, &fehler) &&
                           Bedarfsdatei::Schreiben(db, betrieb, jahr, t, &fehler);
  if (!geschrieben) return fehlschlag(fehler);

  TOrdner ordner({jahresordner, ziel});
  QString fehlt;
  if (!ordner.Anlegen(&fehlt))
    return fehlschlag(K("Der Ordner %1 konnte nicht angelegt werden. Bitte prüfen Sie, ob der Arbeitsordner "
                        "beschreibbar ist und keine Datei dieses Namens im Weg steht.")
                          .arg(Nativ(fehlt)));
  // Undoes the placing; if an old file cannot come back, its copy is kept and named.
  auto zuruecknehmen = [&temp, &ziel](TAblage& ablage, TOrdner& ordner) {
    if (ablage.Zuruecknehmen()) {
      ordner.Entfernen();
      return QString();
    }
    temp.setAutoRemove(false);
    return K("\r\nNicht alle vorherigen Dateien im Ordner %1 konnten zurückgelegt werden; ihre Kopien (Endung .alt) "
             "liegen im Ordner %2.")
        .arg(Nativ(ziel))
        .arg(Nativ(temp.path()));
  };
  TAblage ablage(t, ziel);
  for (const char* praefix : Praefixe) {
    int e = 0;
    QString datei;
    if (!ablage.Ablegen(Meldedatei::Dateiname(K(praefix), kreisNr, euNummer, jahr), &e, &datei)) {
      const QString grund = e == EISDIR ? K("An ihrer Stelle steht ein Ordner dieses Namens; bitte benennen Sie ihn um.")
                                        : Fehlertexte::Dateisystem(datei, e);
      return fehlschlag(K("Die Datei %1 konnte nicht abgelegt werden. ").arg(Nativ(datei)) + grund,
                        zuruecknehmen(ablage, ordner));
    }
  }
  if (!transaktion.Bestaetigen()) {
    const QString grund = db.LetzterFehler();
    return fehlschlag(K("Das Erstellungsdatum des Düngejahres %1 konnte nicht gespeichert werden%2.")
                          .arg(jahr)
                          .arg(Fehlertexte::Klammer(grund)),
                      zuruecknehmen(ablage, ordner));
  }

  QString text = K("Fertig, Sie finden die erzeugten Dateien im Ordner \"") +
                 Nativ(QDir::cleanPath(programmOrdner) + QLatin1Char('/')) + K("Meldepflichten_%1").arg(jahr);
  const QStringList ohneBedarf = Bedarfsdatei::OhneBedarf(db, betrieb, jahr);
  if (!ohneBedarf.isEmpty())
    text += K("\r\n\r\nFür diese Kulturen ist noch kein Stickstoffdüngebedarf berechnet; die Datei %1 meldet für "
              "sie 0,0 kg N/ha. Bitte berechnen Sie sie und erstellen Sie die Dateien neu:\r\n")
                .arg(Meldedatei::Dateiname(K("DBE_"), kreisNr, euNummer, jahr)) +
            ohneBedarf.join(K("\r\n"));
  if (!hinweis.isEmpty()) text += K("\r\n\r\n") + zielpfade(hinweis);
  return {true, text};
}

}  // namespace

bool Ausfuehren(TADOModConnection& db, TMeldungen& meldungen, int betrieb, int jahr, const QString& programmOrdner,
                const QDate& heute) {
  if (const QString m = Pruefen(db, betrieb, jahr); !m.isEmpty()) {
    meldungen.Info(m);
    return false;
  }
  TLauf lauf;
  {
    TWarten warten(&meldungen, K("Die Meldedateien werden erstellt ..."));
    lauf = Erstellen(db, betrieb, jahr, programmOrdner, heute);
  }
  if (lauf.ok)
    meldungen.InfoMitTitel(Titel, lauf.text);
  else
    meldungen.Info(lauf.text);
  return lauf.ok;
}

}  // namespace Meldepflichten
