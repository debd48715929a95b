#pragma once
// The page "Karte" as the demand and the records window show it: the
// window's list of fields beside the map, kept in step both ways (the field
// selected in the list is highlighted and the map follows it; a field
// clicked on the map becomes the list's current field), and "Karte
// drucken" through the preview.

#include <QDate>
#include <QWidget>

#include <functional>

class TADODataSetMod;
class TADOModConnection;
class TKartenseite;
class TListenAnsicht;
class TMeldungen;
class TPDFDruckausgabe;

class TSchlagkarte : public QWidget {
  Q_OBJECT
public:
  // `schlaege`: the window's field list (Schlag rows of the farm year).
  TSchlagkarte(TADOModConnection& db, TMeldungen& meldungen, TADODataSetMod& schlaege, int betrieb, int jahr,
               QWidget* eltern = nullptr);

  // Reads the map again (on showing the page) and selects the list's field.
  void Aktualisieren();
  TKartenseite* Seite() const { return m_seite; }
  TListenAnsicht* Liste() const { return m_liste; }

  // How the printout is shown; empty: the preview.
  std::function<void(TPDFDruckausgabe&)> druckvorschau;
  // The date on the sheet; today when invalid.
  QDate druckdatum;

private:
  void ListeGefolgt();
  void AufKarteGewaehlt(int parzelle);

  TADOModConnection& m_db;
  TMeldungen& m_meldungen;
  TADODataSetMod& m_schlaege;
  const int m_betrieb;
  const int m_jahr;
  TListenAnsicht* m_liste;
  TKartenseite* m_seite;
};
