#pragma once
// The window "Stapelverarbeitung": which farms, which year, which steps and
// where the files go; the run with its progress and "Abbrechen" (after the
// farm at work); the summary, one row per farm with its traffic light, to
// print or export. A thin view over Stapel::.

#include "stapel.h"

#include <QDialog>

#include <functional>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;
class TADOModConnection;
class TMeldungen;

class TStapelfenster : public QDialog {
  Q_OBJECT
public:
  TStapelfenster(TADOModConnection& db, TMeldungen& meldungen, int jahr, const QString& ausgabe,
                 QWidget* eltern = nullptr);
  int Ausfuehren() { return exec(); }

  // A summary row double-clicked: the farm and year to open in the main window.
  std::function<void(int betrieb, int jahr)> BetriebOeffnen;

  // For tests and the wiring: the run as "Starten" starts it; false when
  // nothing could start (a message said why).
  bool Starten();
  void Abbrechen() { m_abbrechen = true; }
  const std::vector<Stapel::TErgebnis>& Ergebnisse() const { return m_ergebnisse; }
  QTableWidget* Betriebe() const { return m_betriebe; }
  QTableWidget* Zusammenfassung() const { return m_zusammenfassung; }
  QCheckBox* Schritt(Stapel::TSchritt s) const { return m_schritte[int(s)]; }
  QLineEdit* Ausgabe() const { return m_ausgabe; }
  void ZusammenfassungDrucken();
  void ExcelExport();

private:
  void BetriebeLaden();
  void Filtern(const QString& text);
  void AlleSetzen(bool an);
  void ZusammenfassungZeigen();

  TADOModConnection& m_db;
  TMeldungen& m_meldungen;
  QSpinBox* m_jahr = nullptr;
  QLineEdit* m_suche = nullptr;
  QLineEdit* m_ausgabe = nullptr;
  QTableWidget* m_betriebe = nullptr;
  QCheckBox* m_schritte[5] = {};
  QPushButton* m_starten = nullptr;
  QPushButton* m_abbrechenKnopf = nullptr;
  QProgressBar* m_fortschritt = nullptr;
  QLabel* m_stand = nullptr;
  QTableWidget* m_zusammenfassung = nullptr;
  std::vector<Stapel::TErgebnis> m_ergebnisse;
  int m_laufjahr = 0;
  bool m_abbrechen = false;
};
