#pragma once
// The message service on screen: Qt message boxes, the input boxes and file
// dialogs, all with German captions.

#include "meldungen.h"

#include <QWidget>

#include <memory>

class QProgressBar;
class QPushButton;

class TQtMeldungen final : public TMeldungen {
public:
  explicit TQtMeldungen(QWidget* eltern = nullptr) : m_eltern(eltern) {}
  void setEltern(QWidget* eltern) { m_eltern = eltern; }

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

private:
  QWidget* m_eltern;
  // Nested procedures share one wait window.
  std::unique_ptr<QWidget> m_warten;
  int m_wartenTiefe = 0;
  QProgressBar* m_balken = nullptr;
  QPushButton* m_abbrechen = nullptr;
  bool m_abgebrochen = false;
};
