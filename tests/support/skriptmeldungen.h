#pragma once
// The message service of the tests: records every text shown and answers
// from planned queues. An unplanned question fails the test.

#include "meldungen.h"

#include <QStringList>

#include <deque>

class TSkriptMeldungen final : public TMeldungen {
public:
  QStringList protokoll;  // "Info: ...", "Frage: ...", "Ganzzahleingabe: ..." ...
  std::deque<bool> antworten;
  std::deque<int> zahlen;
  std::deque<std::optional<QDate>> daten;
  std::deque<QString> dateien;
  std::deque<std::optional<QString>> texte;
  QString letzterFilter;  // of the last save dialog
  int piepser = 0;
  QStringList titel;  // captions of the information boxes that have their own
  // The progress reported, "3/10 step", and "+" behind it when it could be cancelled.
  QStringList fortschritte;
  // A cancellable progress report at or after this count answers "Abbrechen".
  int abbrechenBei = -1;

  // The texts of the information boxes, in order.
  QStringList Infos() const;
  void Leeren() { protokoll.clear(); }

  void Info(const QString& text) override;
  void InfoMitTitel(const QString& titel, const QString& text) override;
  bool Frage(const QString& text) override;
  int Ganzzahleingabe(const QString& aufforderung) override;
  std::optional<QDate> Datumseingabe(const QString& aufforderung) override;
  int Jahreseingabe(const QString& aufforderung) override;
  QString DateiOeffnen(const QString& titel, const QString& ordner, const QString& filter) override;
  QString DateiSpeichern(const QString& titel, const QString& vorschlag, const QString& filter) override;
  QString OrdnerWaehlen(const QString& titel, const QString& ordner) override;
  void Piep() override;
  std::optional<QString> Texteingabe(const QString& titel, const QString& aufforderung,
                                     const QString& vorgabe) override;
  void WartenBeginnen(const QString& text) override;
  void WartenBeenden() override;
  bool Fortschritt(int erledigt, int gesamt, const QString& schritt, bool abbrechbar) override;
};
