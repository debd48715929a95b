#pragma once
// A workbook with the one sheet "Tabelle1", built in code as the lists look:
// texts, numbers, dates and formulas in cells addressed by column letter and
// row number, with number formats and column widths. Cells are kept until
// Speichern writes the .xlsx file in one go, so a failure leaves no half
// file behind. A formula carries its computed value, so that a program that
// does not recalculate on opening shows the right figure.

#include <QDate>
#include <QString>

#include <map>
#include <utility>

class TMappe {
public:
  enum class TFormat {
    Standard,
    Fett,        // bold text (the farm's name, labels)
    Titel,       // a heading, bold and larger
    Spaltenkopf, // column captions: bold, wrapped, centred, framed below
    Einheit,     // the unit under a caption, centred
    Mitte,       // a short text centred in its column (Ja/Nein, a class)
    Ganz,        // 0
    EineStelle,  // 0.0
    ZweiStellen, // 0.00
    DreiStellen, // 0.000
    Datum,       // dd.mm.yyyy
  };
  enum class TArt { Text, Zahl, Datum, Formel };
  struct TZelle {
    TArt art = TArt::Text;
    QString text;  // the text, or the formula with its leading "="
    double zahl = 0;  // the number, or the formula's value
    QDate datum;
    TFormat format = TFormat::Standard;
  };

  // Column letters ("A", "Z", "AA") to their index from 0; -1 when not a column.
  static int Spaltenindex(QStringView spalte);

  // Rows count from 1, as a spreadsheet shows them. A cell written twice keeps the last value.
  void Text(QStringView spalte, int zeile, const QString& text, TFormat format = TFormat::Standard);
  void Zahl(QStringView spalte, int zeile, double wert, TFormat format = TFormat::Standard);
  // An invalid date leaves the cell empty.
  void Datum(QStringView spalte, int zeile, const QDate& datum);
  void Formel(QStringView spalte, int zeile, const QString& formel, double wert,
              TFormat format = TFormat::Standard);
  // Width in characters of the standard font.
  void Spaltenbreite(QStringView spalte, double breite);
  // Height in points; for the rows of wrapped captions.
  void Zeilenhoehe(int zeile, double hoehe);

  // The cell, or null when nothing was written there.
  const TZelle* Zelle(QStringView spalte, int zeile) const;
  int LetzteZeile() const;

  // Writes the .xlsx file (an existing file is replaced). False with a German
  // text in *fehler when it cannot be written.
  bool Speichern(const QString& pfad, QString* fehler) const;

private:
  void Setzen(QStringView spalte, int zeile, TZelle zelle);

  std::map<std::pair<int, int>, TZelle> m_zellen;  // (row from 0, column from 0)
  std::map<int, double> m_breiten;
  std::map<int, double> m_hoehen;
};
