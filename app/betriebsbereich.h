#pragma once
// The farm half of the main window: the record panel with the farm's data
// and the seat chosen from the place lists, the farm buttons and the search.

#include "adopanel.h"
#include "dbeditmod.h"

#include <QWidget>

#include <map>
#include <vector>

class QLineEdit;
class QPushButton;
class TDBComboBoxMod;
class TMeldungen;

// "EU-Betriebsnummer": letters, punctuation and a thirteenth digit are discarded.
class TEuNummerFeld : public TDBEditMod {
  Q_OBJECT
public:
  using TDBEditMod::TDBEditMod;

protected:
  void keyPressEvent(QKeyEvent* e) override;
};

class TBetriebsBereich : public QWidget {
  Q_OBJECT
public:
  TBetriebsBereich(TADODataSetMod& betriebe, TADODataSetMod& orte, TADODataSetMod& ortsteile, TMeldungen& meldungen,
                   QWidget* eltern = nullptr);

  TADOPanel* Panel() const { return m_panel; }
  // The bound input of a column ("Betriebsname", "EU_NUMMER", "SitzPLZ", "BKR" ...).
  TDBEditMod* Feld(const QString& spalte) const;
  TDBComboBoxMod* Ort() const { return m_ort; }
  TDBComboBoxMod* Ortsteil() const { return m_ortsteil; }
  QLineEdit* Suche() const { return m_suche; }
  QPushButton* NeuKnopf() const { return m_neu; }
  QPushButton* LoeschenKnopf() const { return m_loeschen; }
  QPushButton* UebernehmenKnopf() const { return m_uebernehmen; }
  QPushButton* DruckenKnopf() const { return m_drucken; }
  TDBOKBitBtn* OkKnopf() const { return m_ok; }
  TDBOKBitBtn* AbbruchKnopf() const { return m_abbruch; }

  // Choosing a municipality or locality as the combo boxes do it.
  void OrtWaehlen(int eintrag);
  void OrtsteilWaehlen(int eintrag);

signals:
  // Typing in the search field.
  void SucheGeaendert(const QString& text);

private:
  void OrteFuellen();
  void OrtsteileFuellen();
  void OrtsteilUebernehmen(int zeile);
  // The region is read-only when the farm's locality supplies it.
  void BkrFreigeben();

  TADODataSetMod& m_betriebe;
  TADODataSetMod& m_orte;
  TADODataSetMod& m_ortsteile;
  TMeldungen& m_meldungen;
  TADOPanel* m_panel;
  std::map<QString, TDBEditMod*> m_felder;
  TDBComboBoxMod* m_ort;
  TDBComboBoxMod* m_ortsteil;
  std::vector<int> m_ortsteilZeilen;  // row of the locality list per entry
  QLineEdit* m_suche;
  QPushButton* m_neu;
  QPushButton* m_loeschen;
  QPushButton* m_uebernehmen;
  QPushButton* m_drucken;
  TDBOKBitBtn* m_ok;
  TDBOKBitBtn* m_abbruch;
  bool m_euPruefung = false;
  bool m_bkrPruefung = false;
  TDBEditMod* m_bkr = nullptr;
};
