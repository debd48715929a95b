#include "start.h"

#include "connection.h"
#include "files.h"
#include "lebenslauf.h"
#include "meldungen.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace Start {

namespace {
const QString Ende = QStringLiteral("\nDas Programm wird beendet.");
}

void OrdnerAnlegen(const QString& ordner) {
  QDir d(ordner);
  d.mkpath(Dateien::Sicherungsordner + QStringLiteral("/EC"));
}

bool DatenbankOeffnen(TADOModConnection& db, const QString& ordner, TMeldungen& meldungen) {
  const QString datei = QDir(ordner).filePath(Dateien::Datenbank);
  const QString alt = QDir(ordner).filePath(Dateien::AlteDatenbank);
  const QString kandidat = QFile::exists(datei) ? datei : QFile::exists(alt) ? alt : QString();
  db.setMeldungen(&meldungen);

  std::pair<int, int> version{0, 0};
  if (!kandidat.isEmpty()) {
    // A file that is not ours, or one another program holds, is left alone.
    db.setDatenbankName(kandidat);
    if (db.Oeffnen() != TOeffnenErgebnis::Ok) {
      meldungen.Info(db.Fehlermeldung() + Ende);
      return false;
    }
    db.Schliessen();
    version = Datenbank::Version(kandidat);
  }

  bool ok = true;
  if (kandidat.isEmpty()) {
    ok = Datenbank::Anlegen(ordner, meldungen);
  } else if (version.first >= 1 && version.first <= 4) {
    meldungen.Info(QStringLiteral("Zu alte Version, bitte führen Sie vor der Datenübernahme alle vorigen "
                                  "Aktualisierungsschritte durch."));
    return false;
  } else if (version.first == 5 && kandidat == alt) {
    ok = Datenbank::Hochstufen(ordner, meldungen);
  } else if (version.first == 6 && version.second >= 2 && version.second <= 5) {
    ok = Datenbank::Auffrischen(ordner, meldungen);
  } else if (version.first == 0) {
    // Ours, but without a readable version: creating anew would destroy it.
    meldungen.Info(QStringLiteral("Die Datenbank \u201E%1\u201C enthält keine lesbare Versionsangabe und wird nicht "
                                  "verändert.")
                       .arg(QFileInfo(kandidat).fileName()) +
                   Ende);
    return false;
  }
  if (!ok) return false;

  db.setDatenbankName(datei);
  if (db.Oeffnen(TZugriff::Exklusiv) != TOeffnenErgebnis::Ok) {
    meldungen.Info(db.Fehlermeldung() + Ende);
    return false;
  }
  Datenbank::Wartung(db);
  return true;
}

void Beenden(TADOModConnection& db, const QString& ordner) {
  db.Schliessen();
  Dateien::SicherungenRotieren(ordner);
}

}  // namespace Start
