#pragma once
// The calculator "Taschenrechner": a small immediate-execution calculator
// with one memory. "Einfügen" closes it and hands its value to the field
// that opened it; the copying variant puts the value on the clipboard.

#include <QDialog>

class QLineEdit;
class QPushButton;

class TTaschenrechner : public QDialog {
  Q_OBJECT
public:
  enum class TArt { Einfuegen, Kopieren };
  explicit TTaschenrechner(TArt art = TArt::Einfuegen, QWidget* eltern = nullptr);

  // The value shown; 0 after an error.
  double Wert() const;
  // The text shown: German number text or "Fehler".
  QString Anzeige() const;
  // Presses the key with this caption ("7", ",", "+", "sqrt", "M +", ...).
  void Taste(const QString& beschriftung);
  QPushButton* Knopf(const QString& beschriftung) const;

protected:
  void keyPressEvent(QKeyEvent* e) override;

private:
  void Ziffer(QChar z);
  void Trennzeichen();
  void Operator(QChar op);
  void Gleich();
  void Rechnen();
  void Funktion(const QString& name);
  void Loeschen();
  void Uebernehmen();
  void Zeigen();
  void WertSetzen(double w);

  TArt m_art;
  QLineEdit* m_anzeige;
  QString m_eingabe;       // the number being typed; empty when a result is shown
  double m_wert = 0;       // the value on the display
  double m_akku = 0;       // left operand of the pending operator
  QChar m_op;              // pending operator, null when none
  bool m_operandDa = false;  // a right operand was given since the operator
  double m_speicher = 0;
  bool m_fehler = false;
};
