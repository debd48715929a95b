#pragma once
// The official text files of the reporting obligations, written in one
// place: Windows-1252, a TAB after every column but the last, CR LF after
// every line, and the check number over the content appended right-aligned
// in ten characters without a line end. A file is written under a temporary
// name and takes its real name only when complete, so a failure never
// leaves a half-written file behind.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

namespace Meldedatei {

// A number with one decimal as the files require: 12.25 → "12,3",
// 0.04 → "0,0", −1.26 → "-1,3"; null → "0,0".
QString EineStelle(const QVariant& wert);
// A text column: TAB, CR and LF would break the columns and become blanks.
QString Feld(const QString& text);
// Windows-1252 bytes; a character the code page cannot hold becomes "?".
QByteArray Windows1252(const QString& text);

// The check number of a file's content: bytes up to 32 trimmed at both
// ends, then h = (b + h · 128) rem 33554393 in wrapping signed 32-bit
// arithmetic; 0 for nothing, a final 0 becomes 1.
qint32 Pruefzahl(const QByteArray& inhalt);
// Its text as appended: right-aligned in ten characters ("abc" → "   1601891").
QByteArray PruefzahlText(const QByteArray& inhalt);

// "Anl5_007_276150000001_2022.TXT": district number padded to 3, the EU
// number trimmed and padded to 12 (a longer one is not cut).
QString Dateiname(const QString& praefix, const QVariant& kreisNr, const QString& euNummer, int jahr);

// The bytes of a file: header, rows, check number.
QByteArray Inhalt(const QStringList& kopf, const std::vector<QStringList>& zeilen);
// Writes the file; false with a German message naming the file when it
// cannot be written (nothing is left under its name then).
bool Schreiben(const QString& pfad, const QStringList& kopf, const std::vector<QStringList>& zeilen, QString* fehler);

}  // namespace Meldedatei
