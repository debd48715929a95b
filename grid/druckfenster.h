#pragma once
// The window "Arbeitsblatt drucken": margins, orientation, font size,
// header and footer texts and the pages to print, with the pages the sheet
// needs. "Drucken" prints the chosen pages; "OK" keeps the settings.

#include "blattdruck.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QRadioButton;
class QSpinBox;
class TBlatt;

class TDruckfenster : public QDialog {
  Q_OBJECT
public:
  // `drucker` gives the paper and its unprintable margins and receives the print.
  TDruckfenster(const TBlatt& blatt, int spalten, QPrinter& drucker, QString kopftext, QString fusstext,
                bool nurEinstellen, QWidget* eltern = nullptr);

  const QString& Kopftext() const { return m_kopftext; }
  const QString& Fusstext() const { return m_fusstext; }
  // The settings as the window shows them.
  TDruckeinstellung Einstellung() const;
  Blattdruck::TSeiten Seiten() const;
  QString Seitentext() const;  // "Benötigte Seiten quer: …"

  // "Druckerauswahl": the system's printer set-up; unset does nothing.
  std::function<void(QPrinter&)> DruckerEinrichten;

  void Drucken();
  void Uebernehmen();

private:
  void Neu();

  const TBlatt& m_blatt;
  const int m_spalten;
  QPrinter& m_drucker;
  QString m_kopftext;
  QString m_fusstext;
  QSpinBox *m_links, *m_oben, *m_rechts, *m_unten, *m_kopf, *m_fuss;
  QRadioButton *m_vertikal, *m_horizontal;
  QComboBox* m_groesse;
  QLineEdit *m_kopfFeld, *m_fussFeld;
  QCheckBox *m_kopfDrucken, *m_fussDrucken, *m_ueberschriften, *m_wiederholung;
  QComboBox* m_auswahl;
  QSpinBox *m_von, *m_bis;
  QLabel *m_quer, *m_hoch, *m_insgesamt;
};
