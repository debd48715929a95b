#pragma once
// The record panel: a container over one editable list. Entering it
// begins editing the row (or a new one in an empty list), leaving it
// saves. Its "OK" button checks the bound fields first, "Abbruch" cancels.

#include "dataset.h"

#include <QFrame>
#include <QPointer>
#include <QPushButton>

#include <functional>

class TMeldungen;
class THilfsfenster;
class TDBOKBitBtn;

class TADOPanel : public QFrame {
  Q_OBJECT
public:
  explicit TADOPanel(QWidget* eltern = nullptr);
  // Focus moves while the window goes (its children are deleted after the
  // panel's own part) must not reach the panel.
  ~TADOPanel() override;

  void setDataSet(TADODataSetMod* liste) { m_liste = liste; }
  TADODataSetMod* DataSet() const { return m_liste; }
  // Messages of the panel and of the fields in it that have none of their own.
  void setMeldungen(TMeldungen* meldungen) { m_meldungen = meldungen; }
  TMeldungen* EigeneMeldungen() const;
  TMeldungen& Meldungen() const;
  void setHilfsfenster(THilfsfenster* fenster) { m_hilfsfenster = fenster; }
  THilfsfenster* Hilfsfenster() const { return m_hilfsfenster; }

  // The first visible, enabled bound field (in tab order) whose colouring
  // rule holds; null when there is none.
  QWidget* ErsterFehler() const;
  // Before "OK" saves: marks the first field in error, gives it the focus
  // and says so. False when there was one.
  bool Pruefen();
  // A check of the window's own that comes before the marked fields: false
  // stops "OK"; the check has said why and put the focus where to fix it.
  std::function<bool()> VorDemPruefen;
  // Saves a pending edit; a failure is reported and the row stays in edit.
  bool Speichern();
  // A before-save hook that has itself told the user why the row cannot be
  // saved calls this during the save: the panel adds no message of its own.
  void AblehnungGemeldet() { m_abgelehntGemeldet = true; }
  // Whether the focus is inside the panel.
  bool IstBetreten() const { return m_drin; }

signals:
  void Betreten();
  void Verlassen();

private:
  void FokusGeaendert(QWidget* alt, QWidget* neu);
  bool Enthaelt(QWidget* w) const;
  void BeimBetreten();
  void BeimVerlassen();

  QPointer<TADODataSetMod> m_liste;
  TMeldungen* m_meldungen = nullptr;
  THilfsfenster* m_hilfsfenster = nullptr;
  bool m_drin = false;
  bool m_abgelehntGemeldet = false;
};

// "OK" (ReAktion 1) saves the list after the panel's check, "Abbruch"
// (ReAktion 2) cancels a pending edit.
class TDBOKBitBtn : public QPushButton {
  Q_OBJECT
public:
  enum { OK = 1, Abbruch = 2 };
  explicit TDBOKBitBtn(int reAktion = OK, QWidget* eltern = nullptr);

  int ReAktion() const { return m_reAktion; }
  void setReAktion(int reAktion);
  // The list; by default the panel's.
  void setDataSet(TADODataSetMod* liste) { m_liste = liste; }
  TADODataSetMod* DataSet() const;
  // The panel it works for; by default the one it stands in. A button
  // outside its panel does not count as leaving the panel.
  void setPanel(TADOPanel* panel) { m_panel = panel; }
  TADOPanel* Panel() const;

  // What a click does.
  void Ausfuehren();

signals:
  void Gespeichert();
  void Abgebrochen();

private:
  int m_reAktion;
  QPointer<TADODataSetMod> m_liste;
  QPointer<TADOPanel> m_panel;
};
