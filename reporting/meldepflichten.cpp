#include "meldepflichten.h"

#include "bedarfsdatei.h"
#include "connection.h"
#include "export.h"
#include "meldeablage.h"
#include "meldedatei.h"
#include "meldungen.h"
#include "zahlen.h"

#include <QDir>
#include <QFileInfo>


namespace Meldepflichten {

namespace {

QString K(const char* s) { return QString::fromUtf8(s); }

QString Nativ(const QString& pfad) { return QDir::toNativeSeparators(pfad); }

const char* const Praefixe[] = {"Anl5_", "Duengungen_", "Anl5NG_", "Ertraege_", "DBE_"};

QString Abbruch(const QString& ziel) {
  return K("\r\nEs wurden keine Meldedateien abgelegt; was vorher im Ordner %1 lag, ist unverändert.").arg(Nativ(ziel));
}

// The folders of the run, created when missing; on failure the ones created
// here are removed again (only when empty: nobody else's files go).
class TOrdner {
public:
  explicit TOrdner(QStringList pfade) : m_pfade(std::move(pfade)) {}
  ~TOrdner() {
    for (auto i = m_neu.rbegin(); i != m_neu.rend(); ++i) QDir().rmdir(*i);
  }
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
  // The folders stay.
  void Behalten() { m_neu.clear(); }

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
  // The EU and district numbers become folder and file names: a separator would write elsewhere.
  TAbfrage b(db, K("select EU_NUMMER, KreisNr from Betriebe where ID = :b"), p);
  const bool da = b.Naechste();
  const QString eu = da ? b.Wert(0).toString() : QString(), kreis = da ? b.Wert(1).toString() : QString();
  auto trenner = [](const QString& t) { return t.contains(u'/') || t.contains(u'\\'); };
  // Without it the files of two such farms would take the same names.
  if (da && eu.trimmed().isEmpty())
    return K("Für den Betrieb ist keine EU-Betriebsnummer eingetragen. Bitte tragen Sie sie in den Betriebsdaten "
             "ein.\r\nAnsonsten kann keine Exportdatei erstellt werden.");
  if (trenner(eu))
    return K("Die EU-Nummer des Betriebs „%1“ enthält Zeichen, die in einem Ordner- oder Dateinamen nicht stehen "
             "dürfen. Bitte korrigieren Sie sie.\r\nAnsonsten kann keine Exportdatei erstellt werden.")
        .arg(eu.trimmed());
  if (trenner(kreis))
    return K("Die Kreisnummer des Betriebs „%1“ enthält Zeichen, die in einem Dateinamen nicht stehen dürfen. Bitte "
             "korrigieren Sie sie.\r\nAnsonsten kann keine Exportdatei erstellt werden.")
        .arg(kreis.trimmed());
  return {};
}

QString Jahresordner(const QString& programmOrdner, int jahr) {
  return QDir(programmOrdner).filePath(K("Meldepflichten_%1").arg(jahr));
}

QString Betriebsordner(const QString& euNummer) {
  return K("B_") + euNummer.trimmed().rightJustified(12, u'0');
}

TLauf Erstellen(TADOModConnection& db, int betrieb, int jahr, const QString& programmOrdner, const QDate& heute) {
  TAbfrage b(db, K("select KreisNr, EU_NUMMER from Betriebe where ID = :b"), {{K("b"), betrieb}});
  if (!b.Naechste()) return {false, K("Der Betrieb wurde nicht gefunden. Es wurden keine Meldedateien erstellt."), {}};
  const QVariant kreisNr = b.Wert(0);
  const QString euNummer = b.Wert(1).toString();
  const QString jahresordner = Jahresordner(programmOrdner, jahr);
  const QString ziel = QDir(jahresordner).filePath(Betriebsordner(euNummer));
  // A set that an earlier run left half placed is settled first.
  Meldeablage::Aufraeumen(db, programmOrdner);

  TOrdner ordner({jahresordner, ziel});
  QString fehlt;
  if (!ordner.Anlegen(&fehlt))
    return {false, K("Der Ordner %1 konnte nicht angelegt werden. Bitte prüfen Sie, ob der Arbeitsordner "
                     "beschreibbar ist und keine Datei dieses Namens im Weg steht.")
                       .arg(Nativ(fehlt)) +
                       Abbruch(ziel),
            {}};
  QString fehler, hinweis;
  QStringList dateien;
  Meldeablage::TSatz satz{betrieb, jahr, heute, QVariant(), {}};
  for (const char* praefix : Praefixe) satz.dateien << Meldedatei::Dateiname(K(praefix), kreisNr, euNummer, jahr);
  // Not to be stopped: the set is placed whole or not at all anyway.
  const auto schritt = [&](int i, const QString& datei) {
    if (db.Meldungen()) db.Meldungen()->Fortschritt(i, int(satz.dateien.size()), datei);
    return true;
  };
  const auto schreiben = [&](const QString& t, QString* f) {
    const bool ok = schritt(0, satz.dateien.value(0)) && Export::Gesamtbetrieb(db, betrieb, jahr, t, f) &&
                    schritt(1, satz.dateien.value(1)) && Export::Duengungen(db, betrieb, jahr, t, f, &hinweis) &&
                    schritt(2, satz.dateien.value(2)) && Export::Nitratgebiet(db, betrieb, jahr, t, f) &&
                    schritt(3, satz.dateien.value(3)) && Export::Ertraege(db, betrieb, jahr, t, f) &&
                    schritt(4, satz.dateien.value(4)) && Bedarfsdatei::Schreiben(db, betrieb, jahr, t, f) &&
                    schritt(int(satz.dateien.size()), K("Ablegen"));
    // The note names the file where it will lie.
    hinweis.replace(Nativ(t), Nativ(ziel));
    return ok;
  };
  switch (Meldeablage::Ablegen(db, ziel, satz, schreiben, &fehler)) {
    case Meldeablage::TAusgang::Platziert:
      ordner.Behalten();
      for (const QString& name : satz.dateien) dateien << QDir(ziel).filePath(name);
      break;
    case Meldeablage::TAusgang::Zurueckgenommen:
      return {false, fehler + Abbruch(ziel), {}};
    case Meldeablage::TAusgang::Offen:
      ordner.Behalten();
      return {false, fehler, {}};
  }

  QString text = K("Fertig, Sie finden die erzeugten Dateien im Ordner \"") +
                 Nativ(QDir::cleanPath(programmOrdner) + QLatin1Char('/')) + K("Meldepflichten_%1\"").arg(jahr);
  const QStringList ohneBedarf = Bedarfsdatei::OhneBedarf(db, betrieb, jahr);
  if (!ohneBedarf.isEmpty())
    text += K("\r\n\r\nFür diese Kulturen ist noch kein Stickstoffdüngebedarf berechnet; die Datei %1 meldet für "
              "sie 0,0 kg N/ha. Bitte berechnen Sie sie und erstellen Sie die Dateien neu:\r\n")
                .arg(Meldedatei::Dateiname(K("DBE_"), kreisNr, euNummer, jahr)) +
            ohneBedarf.join(K("\r\n"));
  if (!hinweis.isEmpty()) text += K("\r\n\r\n") + hinweis;
  return {true, text, dateien};
}

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
