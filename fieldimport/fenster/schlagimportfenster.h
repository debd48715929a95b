#pragma once
// The window "Import Schlag- und Bewirtschaftungsdaten aus Elektronischem
// Agrarantrag": the import sheet in the grid, the detail panel, and the
// buttons that read the parcel table, remember and set the sheet and create
// the fields. Thin: reading, remembering and creating are Schlagimport::.

#include "schlagimport.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class TADOModConnection;
class THF1Book;
class TImportDetail;
class TMeldungen;

class TSchlagimportFenster : public QDialog {
  Q_OBJECT
public:
  static const QString Titel;

  struct TAufruf {
    int betrieb = 0;          // Betriebe.ID
    QString euNummer;         // the farm's EU_NUMMER
    int jahr = 0;             // the selected year; 0 when none
    bool kulturenLesen = true;  // false for first-year choice b
    bool shapeEinlesen = true;  // false from the main window: only a remembered sheet
    QString ordner;           // the working folder
  };
  TSchlagimportFenster(TADOModConnection& db, TMeldungen& meldungen, TAufruf aufruf, QWidget* eltern = nullptr);

  int Ausfuehren() { return exec(); }

  // What the caller supplies; unset ones are left out. ErtraegeOeffnen
  // opens the yield window of the farm year after the fields were created.
  std::function<bool()> ErtraegeOeffnen;
  std::function<void()> VorauswahlOeffnen;
  std::function<void(QWidget*)> Bildschirmdruck;
  // Refreshes the main window's farm and year.
  std::function<void()> HauptfensterAktualisieren;

  // The buttons' actions.
  void ShapeEinlesen();
  void Merken();
  void Setzen();
  void SchlaegeAnlegen();
  void DetailUmschalten();

  THF1Book* Buch() const { return m_buch; }
  TImportDetail* Detail() const { return m_detail; }
  QPushButton* Knopf(const QString& beschriftung) const;
  QString Hinweistext() const;

private:
  void BlattZeigen();
  void PositionGezeigt(int spalte, int zeile);
  bool Taste(int spalte, int zeile, class QKeyEvent* taste);
  void Gewaehlt(int spalte, int nummernSpalte, const QString& name, int nummer);
  void Blaettern(int richtung);
  void KnoepfeSetzen();

  TADOModConnection& m_db;
  TMeldungen& m_meldungen;
  TAufruf m_aufruf;
  bool m_gelesen = false;
  Schlagimport::TUmrisse m_umrisse;  // of the last table read; none for a remembered sheet
  QLineEdit* m_eu;
  QLineEdit* m_jahr;
  QLabel* m_hinweis;
  THF1Book* m_buch;
  TImportDetail* m_detail;
  std::vector<QPushButton*> m_knoepfe;
};
