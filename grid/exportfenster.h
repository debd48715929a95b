#pragma once
// The window "Exportieren in Datei": the tables already in the file, the
// new table's name, and per column of the sheet its field name, type and
// size; "Daten exportieren" creates the table and writes the rows.

#include "datenbankexport.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QTableWidget;
class TADOModConnection;
class TBlatt;
class TMeldungen;

class TExportfenster : public QDialog {
  Q_OBJECT
public:
  TExportfenster(TADOModConnection& db, TMeldungen& meldungen, const TBlatt& blatt, const QString& datei,
                 QWidget* eltern = nullptr);

  // The fields as the window shows them, the omitted ones as NichtVorhanden.
  std::vector<Datenbankexport::TFeld> Felder() const;
  // "Daten exportieren"; false (the window stays) when the name or a cell
  // was refused, with the message shown.
  bool Exportieren();

  QLineEdit* Name() const { return m_name; }
  QTableWidget* Feldliste() const { return m_felder; }

private:
  void FelderZeigen();

  TADOModConnection& m_db;
  TMeldungen& m_meldungen;
  const TBlatt& m_blatt;
  QListWidget* m_vorhanden;
  QLineEdit* m_name;
  QCheckBox* m_ersteZeile;
  QTableWidget* m_felder;
  QRadioButton *m_letztesWeg, *m_abAuswahlWeg, *m_alle;
};
