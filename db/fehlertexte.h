#pragma once
// German sentences for what goes wrong with files and folders: what is
// wrong and what the user can do. The engine's or system's own text follows
// in brackets, for support, never alone.

#include <QString>

namespace Fehlertexte {

// " (text)", or nothing for an empty text.
QString Klammer(const QString& text);

// Writing the database file failed with the engine's result code; the file
// names the folder in the sentence.
QString Schreiben(const QString& datei, int code, const QString& engine);
// A file or folder operation of the program failed with the system's errno.
QString Dateisystem(const QString& datei, int fehler);
// The same for a file written for the user (a list, a PDF, a reporting
// file): without write permission the user is asked to choose another folder.
QString Benutzerdatei(const QString& datei, int fehler);

QString DatentraegerVoll(const QString& datei);
QString DateiSchreibgeschuetzt(const QString& datei);
QString OrdnerSchreibgeschuetzt(const QString& datei);
QString Gesperrt(const QString& datei);

}  // namespace Fehlertexte
