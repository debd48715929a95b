#pragma once
// Every file written for the user (reporting files, lists, PDFs, sheets,
// "Fehler.txt") is complete under its name or not there. The bytes go into
// a temporary file in the target's own folder (so that the last step is a
// rename on one disk), every write and the sync to the disk are checked, the
// size on disk is compared with what was written, and only then the
// temporary file takes the target's name in one step; the folder is synced
// after. On any failure the temporary file goes, an old file of the name
// stays as it was, and Fehler() says in German why. Every step asks the
// fault seam (stoerung.h): creating and writing with the temporary file's
// name, the rename with the target's.

#include <QByteArray>
#include <QString>

class TSichereDatei {
public:
  explicit TSichereDatei(QString ziel);
  // A temporary file that did not take its place goes.
  ~TSichereDatei();
  TSichereDatei(const TSichereDatei&) = delete;
  TSichereDatei& operator=(const TSichereDatei&) = delete;

  // Creates the temporary file ".<name>.XXXXXX" beside the target. A folder
  // standing under the target's name is refused here, before any work.
  bool Oeffnen();
  // Appends the bytes; opens first when needed.
  bool Schreiben(const QByteArray& bytes);
  // Syncs, checks the size and puts the file in place.
  bool Abschliessen();
  // Removes the temporary file; the target is untouched.
  void Verwerfen();

  const QString& Ziel() const { return m_ziel; }
  // The temporary file's path while it is open.
  const QString& Zwischenpfad() const { return m_zwischen; }
  // The German sentence of the first failure; empty without one.
  const QString& Fehler() const { return m_fehler; }

  // The prefix of the temporary files: what a killed run leaves behind
  // starts with it and ends in six characters.
  static QString Zwischenpraefix(const QString& ziel);

private:
  bool Scheitern(int fehler);

  QString m_ziel, m_zwischen, m_fehler;
  int m_fd = -1;
  qint64 m_geschrieben = 0;
};

namespace SichereDatei {

// The whole file in one call; false with the German sentence in *fehler.
bool Schreiben(const QString& ziel, const QByteArray& inhalt, QString* fehler);

// Removes the temporary files of this writer that a killed run left in the
// folder. Returns how many went.
int ResteEntfernen(const QString& ordner);

}  // namespace SichereDatei
