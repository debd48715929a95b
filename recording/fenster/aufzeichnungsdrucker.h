#pragma once
// The printouts of the recording window: "drucken" and "alle drucken" on the
// records page, "ausdrucken" on the statement pages. Each document is made
// when asked for, with the values of that moment, and shown in the preview.

#include <QString>

#include <functional>
#include <optional>

class QWidget;
class TADOModConnection;
class TDruckDienste;
class TMeldungen;
class TPDFDruckausgabe;

class TAufzeichnungsdrucker {
public:
  TAufzeichnungsdrucker(QWidget* eltern, TADOModConnection& db, TMeldungen& meldungen, int betriebsNr, int jahr);

  // The record sheet of the field; without a field or records the user is told so.
  void SchlagDrucken(std::optional<int> parzelle);
  // The record sheets of all fields with records, one document.
  void AlleDrucken();
  // The statement sheet, then the lists of applications: two documents.
  void BilanzDrucken(bool nitratgebiet);

  // Shows a finished document; without it the writer's preview opens modally.
  std::function<void(TPDFDruckausgabe&)> Zeigen;
  // The printers and viewer of the preview; without them the system's.
  TDruckDienste* Dienste = nullptr;

  static inline const QString LesefehlerText =
      QStringLiteral("Die Aufzeichnungen konnten nicht gelesen werden. Es wurde nichts gedruckt.");
  static inline const QString BilanzfehlerText =
      QStringLiteral("Die Bilanz konnte nicht berechnet werden. Es wurde nichts gedruckt.");

private:
  void Anzeigen(TPDFDruckausgabe& d);

  QWidget* m_eltern;
  TADOModConnection& m_db;
  TMeldungen& m_meldungen;
  const int m_betrieb;
  const int m_jahr;
};
