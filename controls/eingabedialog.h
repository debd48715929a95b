#pragma once
// The small modal input boxes "Ganzzahleingabe", "Datumseingabe" and
// "Jahreseingabe": a caption, a word-wrapped prompt, one field of at most
// 20 characters and "OK".

#include <QDialog>

class QLabel;
class QLineEdit;

class TEingabeDialog : public QDialog {
  Q_OBJECT
public:
  enum class TArt { Ganzzahl, Datum, Jahr };
  TEingabeDialog(TArt art, const QString& aufforderung, QWidget* eltern = nullptr);

  QLineEdit* Feld() const { return m_feld; }
  // The text as a number; 0 when it is none.
  int Zahl() const;
  // The text as a date "TT.MM.JJ"; invalid when it is none.
  QDate Datum() const;

  static QString Titel(TArt art);

private:
  TArt m_art;
  QLabel* m_text;
  QLineEdit* m_feld;
};
