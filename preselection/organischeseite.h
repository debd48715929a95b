#pragma once
// The page "organische Dünger": shipped organic fertilisers to choose,
// filtered by farming kind, and the farm's own ones with the loss-table
// values of their animal type and procedure.

#include "listenseite.h"

#include <QVariantMap>

class QComboBox;
class QStackedWidget;
class TADOPanel;
class TDBComboBoxMod;
class TDBEditMod;

class TOrganischeSeite : public TListenSeite {
  Q_OBJECT
public:
  TOrganischeSeite(TADOModConnection& db, TMeldungen& meldungen, int betrieb, int jahr, QWidget* eltern = nullptr);

  bool Oeffnen() override;
  void EigenenAnlegen();
  void EigenenLoeschen();
  // "Bewirtschaftung": 0 "konventionell", 1 "ökologisch", 2 "Alle".
  void BewirtschaftungWaehlen(int art);

  QComboBox* Bewirtschaftung() const { return m_bewirtschaftung; }
  TADOPanel* Panel() const { return m_panel; }
  TADOPanel* EigenPanel() const { return m_eigenPanel; }
  TDBComboBoxMod* GruppenAuswahl() const { return m_gruppe; }
  TDBComboBoxMod* TierartAuswahl() const { return m_tierart; }
  // The loss-table rows offered for a group.
  std::vector<QVariantMap> Verfahren(int gruppe) const;

protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;
  QStringList VerwendeteAnweisungen() const override;
  void PositionGewechselt() override;

private:
  bool IstOeko() const;
  // Group of the current row; 0 when none is chosen.
  int GewaehlteGruppe() const;
  void TierartenFuellen();
  void VerfahrenUebernehmen(const QVariantMap& verfahren);
  // Takes the first choice when the row's one is not among them.
  void VerfahrenSicherstellen();

  const int m_jahr;
  QComboBox* m_bewirtschaftung;
  QStackedWidget* m_panels;
  TADOPanel* m_panel;
  TADOPanel* m_eigenPanel;
  TDBComboBoxMod* m_gruppe;
  TDBComboBoxMod* m_tierart;
  std::vector<QVariantMap> m_verfahren;
  bool m_geaendert = false;
};
