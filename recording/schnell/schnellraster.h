#pragma once
// The keys and pick lists of the quick recording grid: what a key does in
// each column, which list the side panel shows, and what picking a row
// writes. The rules of the lines themselves are Schnellerfassung::.

#include "schnellerfassung.h"

#include <QObject>

#include <set>

class QKeyEvent;
class QWidget;
class TADOModConnection;
class TAuswahlPanel;
class THF1Book;
class THilfsfenster;
class TMeldungen;

class TSchnellRaster : public QObject {
  Q_OBJECT
public:
  TSchnellRaster(THF1Book& buch, TAuswahlPanel& panel, TADOModConnection& db, TMeldungen& meldungen,
                 THilfsfenster& hilfe, int betrieb, int jahr, QObject* eltern = nullptr);

  // Empties the grid apart from the headings; the cursor to column 3, line 4.
  void Leeren();
  // After the toolbar replaced the sheet: the headings back in lines 1 to 3.
  void BlattErsetzt();
  // Reads the fields and shows the list of the current column again (after
  // the preselection changed the items).
  void ListenNeu();
  // Whether any entry line holds a value.
  bool HatEingaben() const;

  // "Dünger merken" notes the current line; "Dünger setzen" copies from it
  // onto a line below. False when it was not possible.
  bool Merken();
  bool Setzen();
  bool Gemerkt() const { return m_gemerkt > 0; }

  // Takes the complete lines over; the lines refused for unreadable values
  // are marked until the next run.
  Schnellerfassung::TUebernahme Uebernehmen();

  // The field name of the current line and the hint of the column.
  QString Schlagname() const;
  QString Hinweis() const;

signals:
  // The labels above the grid changed.
  void AnzeigeGeaendert();
  // The remembered line was dropped with the sheet.
  void GemerktGeaendert();

private:
  enum class TListe { Keine, Parzelle, SchlagNr, SchlagName, Eintrag, Kultur };

  bool Taste(int spalte, int zeile, QKeyEvent* taste);
  void Enter(int spalte, int zeile);
  void Tippen(int spalte, int zeile, const QString& zeichen);
  void Zuruecksetzen(int spalte, int zeile);
  void Datum(int zeile, const QString& taste);
  void Rechner(int spalte, int zeile);
  void Einrichten();
  void Gehe(int spalte, int zeile);
  void Gehe(const Schnellerfassung::TPosition& p) { Gehe(p.spalte, p.zeile); }
  void PositionGeaendert(int spalte, int zeile);
  void PanelZeigen(TListe liste, int zeile);
  void SchlaegeZeigen(TListe liste);
  void Gewaehlt(int listenzeile);
  void TitelGeklickt(int spalte);
  void Zurueck();
  std::optional<QString> Eingabe(int spalte, const QString& text);
  TListe ListeDerSpalte(int spalte) const;

  THF1Book& m_buch;
  TAuswahlPanel& m_panel;
  TADOModConnection& m_db;
  TMeldungen& m_meldungen;
  THilfsfenster& m_hilfe;
  const int m_betrieb;
  const int m_jahr;
  std::vector<Schnellerfassung::TSchlag> m_schlaege;  // by name, or by crop
  bool m_nachKultur = false;
  std::vector<Schnellerfassung::TEintrag> m_eintraege;
  std::vector<Schnellerfassung::TKultur> m_kulturen;
  TListe m_liste = TListe::Keine;
  int m_listenzeile = 0;  // the grid line the panel's list belongs to
  bool m_frisch = true;   // the next typed key replaces the cell
  int m_gemerkt = 0;
  std::set<std::pair<int, int>> m_markiert;  // cells of refused lines
};
