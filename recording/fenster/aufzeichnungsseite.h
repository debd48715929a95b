#pragma once
// The page "Aufzeichnungspflicht": the fields of the fertiliser year, the
// records of the selected field with the panel of the selected record, and
// the buttons that add, delete and copy records.

#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QLineEdit;
class QPushButton;
class QStackedWidget;
class TADODataSetMod;
class TADOModConnection;
class TAufzeichnungsliste;
class TDetailPanel;
class TListenAnsicht;
class TMeldungen;

class TAufzeichnungsseite : public QWidget {
  Q_OBJECT
public:
  TAufzeichnungsseite(TADOModConnection& db, TMeldungen& meldungen, int betriebsNr, int jahr,
                      QWidget* eltern = nullptr);

  // Opens the field list (on its first field), the records and the master lists.
  bool Oeffnen();
  void Schliessen();
  // Saves a record being entered; false when it cannot be (the reason was said).
  bool Speichern();
  // The four master lists the item choices offer; closed while the
  // preselection is open, so that its changes show at once.
  void StammlistenSchliessen();
  void StammlistenOeffnen();

  // Opens the preselection; set by the window.
  std::function<void()> VorauswahlZeigen;
  // "drucken" (the selected field; empty without one) and "alle drucken",
  // after a pending record was saved; set by the window.
  std::function<void(std::optional<int>)> SchlagDrucken;
  std::function<void()> AlleDrucken;

  TADODataSetMod& Schlaege() const { return *m_schlaege; }
  TAufzeichnungsliste& Aufzeichnungen() const { return *m_liste; }
  TListenAnsicht* SchlagAnsicht() const { return m_schlagAnsicht; }
  TListenAnsicht* DungAnsicht() const { return m_dungAnsicht; }
  QStackedWidget* Panels() const { return m_panels; }
  // The panel of a category (1 to 5).
  TDetailPanel* Panel(int kategorie) const;

  // --- the buttons -------------------------------------------------------------
  // "Mineraldünger hinzu", "Org.-Dünger hinzu", "Weidehaltung hinzu", "Andere Stoffe hinzu".
  void Hinzufuegen(int kategorie);
  void Loeschen();
  void EinzelnMerken();
  void EinzelnSetzen();
  void AlleMerken();
  void AlleSetzen();
  void WeideMerken();
  void WeideSetzen();
  // "Excel-Export": the list of the applications of the year.
  void ExcelExport();
  // The search box: the first field whose value in the search column equals
  // the text (also ignoring case), else starts with it, else contains it.
  void Suchen(const QString& text);

protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
  QPushButton* Knopf(const QString& text, void (TAufzeichnungsseite::*aktion)());
  void SchlagGewaehlt();
  void PanelZeigen();
  void PanelFertig();
  QVariant Aktuell(const QString& feld) const;
  bool AufzeichnungGespeichert();
  void NachKopie(const QString& meldung);

  TADOModConnection& m_db;
  TMeldungen& m_meldungen;
  const int m_betrieb;
  const int m_jahr;
  TADODataSetMod* m_schlaege;
  TAufzeichnungsliste* m_liste;
  std::vector<TADODataSetMod*> m_stammlisten;  // mineral, organic, animals, other substances
  TListenAnsicht* m_schlagAnsicht;
  TListenAnsicht* m_dungAnsicht;
  QLineEdit* m_suche;
  QString m_suchspalte = QStringLiteral("SchlagName");
  QStackedWidget* m_panels;
  std::vector<TDetailPanel*> m_panelListe;  // by category, index 0 unused
  QPushButton* m_einzelnSetzen = nullptr;
  QPushButton* m_alleSetzen = nullptr;
  QPushButton* m_weideSetzen = nullptr;
  int m_schlagPos = -1;
  bool m_zurueck = false;  // the field list goes back to where it was

  // Remembered for the copy buttons.
  std::optional<qint64> m_einzeln;
  std::optional<qint64> m_alleProbenId;
  std::optional<qint64> m_weide;
};
