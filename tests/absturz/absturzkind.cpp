// The program's work with its database, run as a child process by the crash
// trials: the start (creating the database when there is none), a few saves,
// the close with compaction and backup, as the main window does them. The
// process kills itself (SIGKILL, as the task manager does) right before its
// n-th durable file operation. It does not wait for the disk (syncs are left
// out): a killed process loses nothing it wrote, only a power cut would.
//
//   quendrix_absturzkind <ordner> <ablauf> <schritt>
//     ablauf  "anlegen": only the start and the close; "sitzung": with saves and compaction
//     schritt the operation to die before; 0: run to the end
//
// On standard output, each written at once: "phase <name> <operations so far>"
// when a phase begins, "bestaetigt <ID>" after each committed farm row, and
// "schritte <count>" at the end.
//
//   quendrix_absturzkind <ordner> pruefen <seit> <ID,ID,...>
//     the next start after a kill, checked (absturzpruefung.h): one line
//     "problem <text>" per finding, exit code 1 when there is one. <seit> is
//     the time the killed run began, in milliseconds since 1970.

#include "absturzpruefung.h"
#include "connection.h"
#include "files.h"
#include "meldeablage.h"
#include "meldungen.h"
#include "sicheredatei.h"
#include "start.h"
#include "stoerung.h"

#include <QDateTime>
#include <QDir>
#include <QString>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

long zaehler = 0;

void Ausgeben(const QByteArray& zeile) {
  const QByteArray z = zeile + '\n';
  // Unbuffered: what was written must survive the kill.
  if (::write(STDOUT_FILENO, z.constData(), size_t(z.size())) < 0) std::_Exit(3);
}

void Phase(const char* name) { Ausgeben(QByteArray("phase ") + name + ' ' + QByteArray::number(qlonglong(zaehler))); }

// Messages go to standard error; questions are answered "Nein", so that the
// child never restores a backup on its own.
class TKindMeldungen final : public TMeldungen {
public:
  void Info(const QString& text) override { std::fprintf(stderr, "Info: %s\n", qPrintable(text)); }
  bool Frage(const QString& text) override {
    std::fprintf(stderr, "Frage: %s\n", qPrintable(text));
    return false;
  }
  int Ganzzahleingabe(const QString&) override { return 0; }
  std::optional<QDate> Datumseingabe(const QString&) override { return std::nullopt; }
  int Jahreseingabe(const QString&) override { return 0; }
  QString DateiOeffnen(const QString&, const QString&, const QString&) override { return {}; }
  QString DateiSpeichern(const QString&, const QString&, const QString&) override { return {}; }
  QString OrdnerWaehlen(const QString&, const QString&) override { return {}; }
  void Piep() override {}
};

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 3 && QByteArray(argv[2]) == "meldungpruefen") {
    Stoerung::Setzen([](Stoerung::TArt art, const QString&) {
      return art == Stoerung::TArt::Synchronisieren ? Stoerung::Weglassen : 0;
    });
    const QStringList probleme = MeldeablagePruefen(QString::fromLocal8Bit(argv[1]));
    for (const QString& p : probleme) Ausgeben("problem " + p.toUtf8().replace('\n', " / "));
    return probleme.isEmpty() ? 0 : 1;
  }
  if (argc < 4 || (QByteArray(argv[2]) == "pruefen" && argc != 5)) {
    std::fprintf(stderr, "Aufruf: %s <ordner> <anlegen|sitzung> <schritt> | <ordner> pruefen <seit> <IDs>\n", argv[0]);
    return 2;
  }
  const QString ordner = QString::fromLocal8Bit(argv[1]);
  const QByteArray ablauf = argv[2];
  if (ablauf == "pruefen") {
    Stoerung::Setzen([](Stoerung::TArt art, const QString&) {
      return art == Stoerung::TArt::Synchronisieren ? Stoerung::Weglassen : 0;
    });
    std::vector<qlonglong> bestaetigt;
    for (const QByteArray& id : QByteArray(argv[4]).split(','))
      if (!id.isEmpty()) bestaetigt.push_back(id.toLongLong());
    const QStringList probleme =
        NaechsterStartPruefen(ordner, bestaetigt, QDateTime::fromMSecsSinceEpoch(QByteArray(argv[3]).toLongLong()));
    for (const QString& p : probleme) Ausgeben("problem " + p.toUtf8().replace('\n', " / "));
    return probleme.isEmpty() ? 0 : 1;
  }
  const long schritt = std::atol(argv[3]);
  Stoerung::Setzen([schritt](Stoerung::TArt art, const QString&) {
    if (++zaehler == schritt) ::raise(SIGKILL);
    return art == Stoerung::TArt::Synchronisieren ? Stoerung::Weglassen : 0;
  });

  TKindMeldungen meldungen;
  TADOModConnection db(&meldungen);
  Phase("oeffnen");
  if (!Start::DatenbankOeffnen(db, ordner, meldungen)) return 1;

  if (ablauf == "melden") {
    // An old set in place, then the new one placed as the reporting run does.
    Phase("vorbereiten");
    db.Ausfuehren(QStringLiteral("insert into Betriebe ( Betriebsname, Bundesland, EU_NUMMER ) values ( 'Melder', 15, '42' )"));
    const int betrieb = db.Wert(QStringLiteral("select last_insert_rowid()")).toInt();
    db.Ausfuehren(QStringLiteral("insert into DuengeJahr ( BetriebsNr, Duengejahr ) values ( :b, 2023 )"),
                  {{QStringLiteral("b"), betrieb}});
    const QString ziel = QDir(ordner).filePath(Meldetest::Ordner);
    QDir().mkpath(ziel);
    auto ablegen = [&](bool neu) {
      const Meldeablage::TSatz satz{betrieb, 2023, neu ? Meldetest::NeuesDatum : Meldetest::AltesDatum, {},
                                    Meldetest::Dateien()};
      QString fehler;
      const auto ausgang = Meldeablage::Ablegen(
          db, ziel, satz,
          [neu](const QString& t, QString* f) {
            for (const QString& name : Meldetest::Dateien())
              if (!SichereDatei::Schreiben(QDir(t).filePath(name), Meldetest::Inhalt(name, neu), f)) return false;
            return true;
          },
          &fehler);
      if (ausgang != Meldeablage::TAusgang::Platziert) std::fprintf(stderr, "Ablage: %s\n", qPrintable(fehler));
      return ausgang == Meldeablage::TAusgang::Platziert;
    };
    if (!ablegen(false)) return 1;
    Phase("melden");
    if (!ablegen(true)) return 1;
    Phase("ende");
  }
  if (ablauf == "sitzung") {
    // Saves as the farm panel makes them: each row committed on its own.
    Phase("speichern");
    for (int i = 1; i <= 3; ++i) {
      if (!db.Ausfuehren(QStringLiteral("insert into Betriebe ( Betriebsname, Bundesland ) values ( :n, 15 )"),
                         {{QStringLiteral("n"), QStringLiteral("Kind %1").arg(i)}}))
        return 1;
      Ausgeben("bestaetigt " + QByteArray::number(db.Wert(QStringLiteral("select last_insert_rowid()")).toLongLong()));
    }
    {
      // A change of several rows in one transaction.
      TTransaktion tx(db);
      db.Ausfuehren(QStringLiteral("update Betriebe set Ort = 'Halle' where ID > 1"));
      db.Ausfuehren(QStringLiteral("update Merk set Geschlossen = Now()"));
      if (!tx.Bestaetigen()) return 1;
    }
    // "DB komprimieren und schließen": the selection is stored, the file
    // compacted, then the close backs it up.
    Phase("schliessen");
    db.AusfuehrenStill(QStringLiteral("update Merk set BetriebsNr = 2, Jahr = 2021"));
    db.Schliessen();
    Phase("komprimieren");
    if (!Dateien::Komprimieren(QDir(ordner).filePath(Dateien::Datenbank), &meldungen)) return 1;
  }
  Phase("sichern");
  Start::Beenden(db, ordner);
  Ausgeben("schritte " + QByteArray::number(qlonglong(zaehler)));
  return 0;
}
