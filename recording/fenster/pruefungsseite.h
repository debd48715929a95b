#pragma once
// The page "Prüfung": the findings of the legal-limit checks for the farm
// year, filled afresh each time the page is shown.

#include "regeln.h"

#include <QWidget>

#include <vector>

class QLabel;
class QTableWidget;
class TADOModConnection;

class TPruefungsseite : public QWidget {
  Q_OBJECT
public:
  TPruefungsseite(TADOModConnection& db, int betriebsNr, int jahr, QWidget* eltern = nullptr);

  static QString Titel() { return QStringLiteral("Prüfung"); }

  // Runs the checks and shows their findings.
  void Fuellen();
  QTableWidget* Tabelle() const { return m_tabelle; }
  QLabel* Zusammenfassung() const { return m_zusammenfassung; }
  const std::vector<Pruefung::TBefund>& Befunde() const { return m_befunde; }

private:
  TADOModConnection& m_db;
  const int m_betrieb;
  const int m_jahr;
  QLabel* m_regeln;
  QLabel* m_zusammenfassung;
  QTableWidget* m_tabelle;
  std::vector<Pruefung::TBefund> m_befunde;
};
