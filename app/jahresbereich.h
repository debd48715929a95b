#pragma once
// The year half of the main window: the record panel with the selected
// year's areas and organic-farming flag, and the year buttons.

#include "adopanel.h"

#include <QWidget>

#include <map>

class QPushButton;
class TDBCheckBoxMod;
class TDBEditMod;
class TMeldungen;

class TJahresBereich : public QWidget {
  Q_OBJECT
public:
  TJahresBereich(TADODataSetMod& jahre, TMeldungen& meldungen, QWidget* eltern = nullptr);

  TADOPanel* Panel() const { return m_panel; }
  // The bound input of a column ("Duengejahr", "Ackerland", "Gruenland", ...).
  TDBEditMod* Feld(const QString& spalte) const;
  TDBCheckBoxMod* Oeko() const { return m_oeko; }
  TDBCheckBoxMod* NitratRegeln() const { return m_nitratRegeln; }
  QPushButton* AnhaengenKnopf() const { return m_anhaengen; }
  QPushButton* LoeschenKnopf() const { return m_loeschen; }
  QPushButton* BeginnKnopf() const { return m_beginn; }
  TDBOKBitBtn* OkKnopf() const { return m_ok; }
  TDBOKBitBtn* AbbruchKnopf() const { return m_abbruch; }

private:
  TADOPanel* m_panel;
  std::map<QString, TDBEditMod*> m_felder;
  TDBCheckBoxMod* m_oeko;
  TDBCheckBoxMod* m_nitratRegeln;
  QPushButton* m_anhaengen;
  QPushButton* m_loeschen;
  QPushButton* m_beginn;
  TDBOKBitBtn* m_ok;
  TDBOKBitBtn* m_abbruch;
};
