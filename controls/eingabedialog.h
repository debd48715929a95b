#pragma once
// The small modal input boxes "Ganzzahleingabe", "Datumseingabe" and
// "Jahreseingabe": a caption, a word-wrapped prompt, one field of at most
// 20 characters and "OK". Closing with "OK" gives the value, closing
// otherwise 0 (whole number, year) or nothing (date).

#include <QDate>
#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;
class TMeldungen;

class TEingabeDialog : public QDialog {
  Q_OBJECT
public:
  enum class TArt { Ganzzahl, Datum, Jahr };
  TEingabeDialog(TArt art, const QString& aufforderung, QWidget* eltern = nullptr);

  QLineEdit* Feld() const { return m_feld; }
  QPushButton* OK() const { return m_ok; }
  QLabel* Aufforderung() const { return m_text; }
  // Beeps of the field go here.
  void setMeldungen(TMeldungen* meldungen);

  // The text as a number (a year with two digits completed); 0 when it is none.
  int Zahl() const;
  // The text as a date "TT.MM.JJ"; invalid when it is none.
  QDate Datum() const;
  // What the box gives back after it was closed.
  int Ergebnis() const { return result() == QDialog::Accepted ? Zahl() : 0; }
  std::optional<QDate> DatumErgebnis() const;

  static QString Titel(TArt art);

private:
  TArt m_art;
  QLabel* m_text;
  QLineEdit* m_feld;
  QPushButton* m_ok;
};
