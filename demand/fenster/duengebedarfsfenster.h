#pragma once
// The window "Düngebedarfsermittlung": the fields of a farm year with their
// soil data, their crop rows of this and the following year, and the
// nitrogen demand of one crop row. Every message goes through the message
// service, so the window runs headless in tests.

#include <QDialog>
#include <QPointer>
#include <QVariant>

#include <functional>
#include <optional>

class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTabWidget;
class QTableView;
class TADODataSetMod;
class TADOModConnection;
class TADOPanel;
class TDBComboBoxMod;
class TDBEditMod;
class TDataSetModel;
class TMeldungen;
class TTaschenrechner;

class TDuengebedarfsfenster : public QDialog {
  Q_OBJECT
public:
  // The farm is Betriebe.ID, the year its fertiliser year.
  TDuengebedarfsfenster(TADOModConnection& db, TMeldungen& meldungen, int betriebsNr, int jahr,
                        QWidget* eltern = nullptr);
  ~TDuengebedarfsfenster() override;

  // Shows the window modally; it opens its lists itself.
  int Ausfuehren() { return exec(); }
  // Opens the lists (done when the window is shown).
  bool Oeffnen();

  // What the main window supplies: the farm preselection ("Vorauswahl") and
  // the screen print. Without them the buttons do nothing.
  std::function<void()> VorauswahlOeffnen;
  std::function<void(QWidget*)> Bildschirmdruck;

  // Page indices.
  enum { SeiteSchlag, SeiteAnbau, SeiteStickstoff, SeitePhosphor, SeiteHerbst, SeiteHerbstRG };

  QTabWidget* Seiten() const { return m_seiten; }
  TADODataSetMod& Schlaege() const { return *m_schlag; }
  TADODataSetMod& Kulturen() const { return *m_anbau; }
  TADODataSetMod& Stickstoffliste() const { return *m_stickstoff; }
  // A control by its accessible name (its German caption).
  template <class T = QWidget>
  T* Element(const QString& name) const {
    for (T* w : findChildren<T*>())
      if (w->accessibleName() == name) return w;
    return nullptr;
  }
  // The current page of the "Stickstoff" page by crop group: 0 arable, 1 grassland, 2 vegetables.
  int Auswertungsseite() const;

  // --- actions of the buttons ---------------------------------------------------
  void NeuerSchlag();
  void SchlagTeilung();
  void SchlagLoeschen();
  void Suchen(const QString& text);
  void KulturAnlegen();
  void ZwischenfruchtAnlegen();
  void KulturLoeschen();
  void FruchtMerken();
  void FruchtSetzen();
  void VorfruchtMerken();
  void VorfruchtSetzen();
  void ZwischenfruchtMerken();
  void ZwischenfruchtSetzen();
  void NminMerken();
  void NminSetzen();
  void DritteSchichtAbleiten();
  void QuelleGewaehlt();
  void QuelleLoeschen();
  void Berechnen();
  // The choices of the crop page, as when the user picks an entry.
  void KulturGewaehlt();
  void VorfruchtGewaehlt();
  void ZwischenfruchtGewaehlt();

  void done(int ergebnis) override;

protected:
  void showEvent(QShowEvent* ereignis) override;
  void keyPressEvent(QKeyEvent* ereignis) override;
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
  void SchlagSeiteBauen();
  void AnbauSeiteBauen();
  void StickstoffSeiteBauen();
  QTableView* SchlagRaster();
  QPushButton* Knopf(const QString& text, const QString& hinweis, void (TDuengebedarfsfenster::*aktion)());

  void KulturlistenLaden();
  void AnbauOeffnen();
  void SeiteGewechselt(int seite);
  void AllesSpeichern();
  bool ZurParzelle(int parzelle);
  void SchlagSichtbarkeit();
  void AnbauSichtbarkeit();
  void StickstoffAnzeigen();
  void NminSummeSetzen();
  void SchlaegeNeuLesen();

  void SchlagNachDemSpeichern(TADODataSetMod& l);
  void AnbauNachDemSpeichern(TADODataSetMod& l);

  void ParzelleVerlassen();
  void FeldblockVerlassen();
  void DatumVerlassen();
  TADOModConnection& m_db;
  TMeldungen& m_meldungen;
  const int m_betrieb;
  const int m_jahr;
  bool m_offen = false;
  bool m_neuberechnung = false;  // re-positioning the field list leaves the crop list alone
  bool m_schlagNeu = false;      // a field is being added through "neuen Schlag anlegen"
  bool m_kulturNeu = false;
  bool m_seitenwechsel = false;

  TADODataSetMod* m_schlag;
  TADODataSetMod* m_anbau;
  TADODataSetMod* m_stickstoff;
  TDataSetModel* m_schlagModell;
  TDataSetModel* m_anbauModell;
  TDataSetModel* m_stickstoffModell;

  QTabWidget* m_seiten;
  QTabWidget* m_anbauSeiten = nullptr;
  QStackedWidget* m_auswertung = nullptr;
  TADOPanel* m_schlagPanel = nullptr;
  TADOPanel* m_anbauPanel = nullptr;
  TADOPanel* m_nPanel = nullptr;
  QFormLayout* m_schlagForm = nullptr;
  QFormLayout* m_hfForm = nullptr;
  QWidget* m_nminGruppe = nullptr;

  TDBEditMod* m_parzelle = nullptr;
  TDBEditMod* m_teilflaechen = nullptr;
  TDBEditMod* m_feldblock = nullptr;
  TDBComboBoxMod* m_nutzung = nullptr;
  TDBComboBoxMod* m_bodengruppe = nullptr;
  TDBComboBoxMod* m_glBoden = nullptr;
  QWidget* m_humus = nullptr;
  TDBComboBoxMod* m_kultur = nullptr;
  TDBComboBoxMod* m_vorfrucht = nullptr;
  TDBComboBoxMod* m_zwischenfrucht = nullptr;
  TDBEditMod* m_einzelertrag = nullptr;
  QWidget* m_folie = nullptr;
  QWidget* m_ganzePflanze = nullptr;
  QWidget* m_einMonatVorher = nullptr;
  TDBEditMod* m_legAnteil = nullptr;
  TDBEditMod* m_rohprotein = nullptr;
  TDBEditMod* m_schicht[3] = {};
  TDBComboBoxMod* m_quelle030 = nullptr;
  TDBComboBoxMod* m_quelle6090 = nullptr;
  TDBEditMod* m_datum = nullptr;
  QLabel* m_ertragLabel[3] = {};
  QLabel* m_rotLabel[3] = {};
  QLabel* m_rotWert[3] = {};
  QLabel* m_bedarfWert[3] = {};
  QLabel* m_hinweis = nullptr;
  QLabel* m_wrwghLabel = nullptr;
  QWidget* m_wrwghWert = nullptr;
  QLabel* m_rohproteinLabel = nullptr;
  QPushButton* m_fruchtSetzen = nullptr;
  QPushButton* m_vorfruchtSetzen = nullptr;
  QPushButton* m_zfSetzen = nullptr;
  QPushButton* m_nminSetzen = nullptr;
  QLineEdit* m_suche = nullptr;
  QPointer<TTaschenrechner> m_rechner;

  // Remembered values of the "merken" buttons.
  std::optional<std::pair<QVariant, QVariant>> m_frucht;
  std::optional<std::pair<QVariant, QVariant>> m_vorfruchtGemerkt;
  std::optional<std::pair<QVariant, QVariant>> m_zf;
  std::optional<QVariantList> m_nmin;
};
