#include "start.h"

#include "connection.h"
#include "files.h"
#include "meldungen.h"
#include "schema.h"

#include <QDir>
#include <QFile>

namespace Start {

void OrdnerAnlegen(const QString& ordner) {
  QDir d(ordner);
  d.mkpath(Dateien::Sicherungsordner + QStringLiteral("/EC"));
}

bool DatenbankOeffnen(TADOModConnection& db, const QString& ordner, TMeldungen& meldungen) {
  const QString datei = QDir(ordner).filePath(Dateien::Datenbank);
  db.setMeldungen(&meldungen);
  db.setDatenbankName(datei);
  const QString ende = QStringLiteral("\nDas Programm wird beendet.");
  if (!QFile::exists(datei)) {
    if (!db.Anlegen() || !Schema::AllesAnlegen(db)) {
      meldungen.Info(db.Fehlermeldung().isEmpty() ? db.LetzterFehler() + ende : db.Fehlermeldung() + ende);
      db.Schliessen();
      return false;
    }
    db.Schliessen();
  }
  if (db.Oeffnen(TZugriff::Exklusiv) != TOeffnenErgebnis::Ok) {
    meldungen.Info(db.Fehlermeldung() + ende);
    return false;
  }
  return true;
}

void Beenden(TADOModConnection& db, const QString& ordner) {
  db.Schliessen();
  Dateien::SicherungenRotieren(ordner);
}

}  // namespace Start
