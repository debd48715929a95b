#pragma once
// The program's one top-level window: the farm and year lists, the selection
// every working window works on, and the buttons that open those windows
// (their wiring in hauptfensteraktionen.cpp).

#include <QLocale>
#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>

class QDialog;
class QLabel;
class QPushButton;
class TADODataSetMod;
class TADOModConnection;
class TBetriebsBereich;
class TBildschirmdrucker;
class TDruckDienste;
class TJahresBereich;
class TListenAnsicht;
class TMeldungen;

class THauptfenster : public QMainWindow {
  Q_OBJECT
public:
  enum class TAktion {
    Vorauswahl,
    Duengebedarfsermittlung,
    Aufzeichnungspflicht,
    AufzeichnungTabellarisch,
    Ertraege,
    Meldepflichten,
    Stapelverarbeitung,
    ShapeSetzen,
    Flaechentausch,
    Info,
    Komprimieren,
    Bildschirmdruck,
    Taschenrechner,
    Beenden,
  };
  static constexpr TAktion AlleAktionen[] = {
      TAktion::Vorauswahl,     TAktion::Duengebedarfsermittlung, TAktion::Aufzeichnungspflicht,
      TAktion::AufzeichnungTabellarisch, TAktion::Ertraege,      TAktion::Meldepflichten,
      TAktion::Stapelverarbeitung,
      TAktion::ShapeSetzen,    TAktion::Flaechentausch,          TAktion::Info,
      TAktion::Komprimieren,   TAktion::Bildschirmdruck,         TAktion::Taschenrechner,
      TAktion::Beenden};
  static QString Beschriftung(TAktion aktion);
  // Whether the action opens a working window that is plugged in from outside.
  static bool IstArbeitsfenster(TAktion aktion);
  // The button's object name, as the old program named it.
  static QString Objektname(TAktion aktion);

  static const QString Titel;  // "Programm Quendrix2022"
  static const QString KeinBetrieb;
  static const QString KeinJahr;
  static const QString OrgDuengerUnvollstaendig;
  static const QString NichtKomprimiert;

  THauptfenster(TADOModConnection& db, QString ordner, TMeldungen& meldungen, QWidget* eltern = nullptr);
  ~THauptfenster() override;

  // The start-up: regional formats, database, lists, the check after a
  // takeover and the selection stored at the last close. False when the
  // program is to end; the message has been shown.
  bool Starten(const QLocale& formate = QLocale());
  bool IstGestartet() const { return m_gestartet; }

  // --- working windows -------------------------------------------------------
  // Opens a working window for the selected farm and year; modal, so it
  // returns when the window is closed.
  using TFenster = std::function<void(THauptfenster&)>;
  // Plugs in the window of a working-window action and enables its button.
  void FensterEinsetzen(TAktion aktion, TFenster fenster);
  // The preselection for a farm and year with an instruction caption, as the
  // first-year choice b opens it; unset while the window is not plugged in.
  std::function<void(int betriebsNr, int jahr, const QString& anweisung)> VorauswahlZeigen;
  // The field import for a farm's new first year, as first-year choices a
  // (crops read) and b (crops left out) open it; unset while not plugged in.
  std::function<void(int betriebsNr, int jahr, bool kulturenLesen)> ShapeImportZeigen;
  // Tests the action's preconditions in their order, showing the message of
  // the first that fails, then acts. False when a precondition failed.
  bool Ausfuehren(TAktion aktion);
  QPushButton* Knopf(TAktion aktion) const;

  // True unless an own organic fertiliser of the selected farm lacks its
  // available-N content; then the message has been shown.
  bool EigeneOrgDuengerPruefen();

  // --- selection ---------------------------------------------------------------
  TADODataSetMod& Betriebe() const { return *m_betriebe; }
  TADODataSetMod& Jahre() const { return *m_jahre; }
  TADODataSetMod& Orte() const { return *m_orte; }
  TADODataSetMod& Ortsteile() const { return *m_ortsteile; }
  TADOModConnection& Verbindung() const { return m_db; }
  TMeldungen& Meldungen() const { return m_meldungen; }
  const QString& Ordner() const { return m_ordner; }
  // The selected farm's ID and the selected year; 0 when there is none.
  qint64 BetriebsNr() const;
  int Jahr() const;
  bool BetriebGewaehlt() const;
  // Selects the farm and, when it has it, the year; false when the farm is not there.
  bool Auswaehlen(qint64 betrieb, int jahr);
  bool JahrGewaehlt() const;
  // Reopens the year list for the selected farm, on its latest year.
  void JahreOeffnen();
  // Re-reads both lists and returns to the selected farm and year.
  void ListenAktualisieren();

  TListenAnsicht* BetriebsAnsicht() const { return m_betriebsAnsicht; }
  TListenAnsicht* JahresAnsicht() const { return m_jahresAnsicht; }
  // Where the farm's and the year's record panels go.
  QWidget* BetriebsBereich() const { return m_betriebsBereich; }
  QWidget* JahresBereich() const { return m_jahresBereich; }

  TBetriebsBereich* BetriebsFelder() const { return m_betriebsFelder; }
  TJahresBereich* JahresFelder() const { return m_jahresFelder; }

  // --- farms -------------------------------------------------------------------
  // "Betrieb neu anlegen", "Betrieb löschen", "Auswahl übernehmen", "Betriebsliste drucken".
  void BetriebNeu();
  void BetriebLoeschen();
  void AuswahlUebernehmen();
  void BetriebslisteDrucken();
  // The search field's text changed.
  void BetriebSuchen(const QString& text);

  // --- fertiliser years -------------------------------------------------------------
  // "Jahr anhängen", "Jahr löschen", "Beginn Düngejahr".
  void JahrAnhaengen();
  void JahrLoeschen();
  void BeginnDuengejahr();
  // The first-year window of a farm without years.
  void AktionsauswahlOeffnen();
  // Appends year `jahr` to the selected farm and selects it.
  bool JahrAnlegen(int jahr);

  // Printer and viewer of the printouts' preview; the system's unless set.
  void setDruckDienste(TDruckDienste* dienste) { m_druckDienste = dienste; }

  // The printer of "Bildschirmdruck"; the window keeps the system's unless set.
  void setBildschirmdrucker(std::unique_ptr<TBildschirmdrucker> drucker);

  // "DB komprimieren und schließen".
  void KomprimierenUndSchliessen();

protected:
  void closeEvent(QCloseEvent* ereignis) override;
  // Shows a modal dialog of the window (information, calculator).
  virtual int DialogZeigen(QDialog& dialog);

private:
  void Aufbauen();
  void ListenOeffnen();
  void AuswahlHerstellen();
  bool JahrSuchen(int jahr);
  void TitelSetzen();
  void BereicheAufbauen();
  void BetriebGespeichert();
  void JahrGewaehltHat();
  void FlaechenMelden();
  // Opens the plugged-in yield window, if any.
  void ErtraegeOeffnen();
  void Bildschirmdruck();
  // Close sequence: saving, the selection into "Merk", "Geschlossen", and the
  // connection closed; every failure ignored.
  void DatenbankSchliessen();
  // The whole close sequence, once.
  void Abschliessen();

  TADOModConnection& m_db;
  QString m_ordner;
  TMeldungen& m_meldungen;
  TADODataSetMod* m_betriebe;
  TADODataSetMod* m_jahre;
  TADODataSetMod* m_orte;
  TADODataSetMod* m_ortsteile;
  TListenAnsicht* m_betriebsAnsicht = nullptr;
  TListenAnsicht* m_jahresAnsicht = nullptr;
  QWidget* m_betriebsBereich = nullptr;
  QWidget* m_jahresBereich = nullptr;
  std::map<TAktion, QPushButton*> m_knoepfe;
  std::map<TAktion, TFenster> m_fenster;
  std::unique_ptr<TBildschirmdrucker> m_drucker;
  TBetriebsBereich* m_betriebsFelder = nullptr;
  TJahresBereich* m_jahresFelder = nullptr;
  TDruckDienste* m_druckDienste = nullptr;
  bool m_folgenAus = false;       // no follow-ups of a save while closing
  bool m_ertraegeOffen = false;   // the yield window is open
  bool m_gestartet = false;
  bool m_beendet = false;
};
