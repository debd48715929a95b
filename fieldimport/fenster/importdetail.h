#pragma once
// The detail panel of the field import: the current sheet row with
// "Voriger"/"Nächster" and the three pick lists (crop, previous crop,
// catch crop) from which a double-click or Enter takes a value into the row.

#include "schlagimport.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class TADOModConnection;

class TImportDetail : public QWidget {
  Q_OBJECT
public:
  TImportDetail(TADOModConnection& db, int betrieb, bool kulturenLesen, QWidget* eltern = nullptr);

  // Shows the row: its number, parcel and usage code; the lists only for a parcel row.
  void ZeileZeigen(int zeile, const QString& parzelle, const QString& nuCode, int kulturNr, bool parzellenzeile);
  // Reloads the lists (after the preselection).
  void ListenLaden();
  // Jumps to the first entry of the list starting with the letter and
  // gives it the focus; false when none starts with it.
  bool Springen(int spalte, const QString& buchstabe);

  QListWidget* Kulturen() const { return m_kulturen; }
  QListWidget* Vorfruechte() const { return m_vorfruechte; }
  QListWidget* Zwischenfruechte() const { return m_zwischen; }
  QComboBox* Kulturwahl() const { return m_wahl; }
  QCheckBox* NurVorausgewaehlte() const { return m_nurAusgewaehlte; }

signals:
  // A value was taken from a list: name column, number column, name and number.
  void Gewaehlt(int spalte, int nummernSpalte, const QString& name, int nummer);
  void Blaettern(int richtung);  // -1 "Voriger", +1 "Nächster"

protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
  void KulturenLaden();
  void Nehmen(QListWidget* liste);

  TADOModConnection& m_db;
  const int m_betrieb;
  const bool m_kulturenLesen;
  QString m_nuCode;
  int m_kulturNr = 0;
  bool m_parzellenzeile = false;
  QLineEdit* m_zeile;
  QLineEdit* m_parzelle;
  QComboBox* m_wahl;
  QCheckBox* m_nurAusgewaehlte;
  QListWidget* m_kulturen;
  QListWidget* m_vorfruechte;
  QListWidget* m_zwischen;
  QWidget* m_listen;
};
