#pragma once
// The window "Flächentausch": pick the farm that gives a field up, pick the
// field, and move it to the farm and year selected in the main window.
// Modal; the rules and every statement are in Flaechentausch::.

#include <QDialog>

#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class TADODataSetMod;
class TADOModConnection;
class TListenAnsicht;
class TMeldungen;

class TFlaechentauschFenster : public QDialog {
  Q_OBJECT
public:
  // The taking farm (Betriebe.ID and name) and the year it takes the field in.
  TFlaechentauschFenster(TADOModConnection& db, TMeldungen& meldungen, qint64 zielBetrieb, const QString& zielName,
                         int jahr, QWidget* eltern = nullptr);
  ~TFlaechentauschFenster() override;

  int Ausfuehren() { return exec(); }
  // Opens both lists (done when the window is shown).
  void Oeffnen();

  TADODataSetMod& Betriebe() const { return *m_betriebe; }
  TADODataSetMod& Schlaege() const { return *m_schlaege; }
  TListenAnsicht* BetriebsAnsicht() const { return m_betriebsAnsicht; }
  TListenAnsicht* SchlagAnsicht() const { return m_schlagAnsicht; }
  QLineEdit* BetriebSuche() const { return m_betriebSuche; }
  QLineEdit* SchlagSuche() const { return m_schlagSuche; }
  QLabel* Ziel() const { return m_ziel; }

  // "Fläche jetzt umsetzen".
  void Umsetzen();
  // A click on a column title of the farm or the field list.
  void BetriebeSortieren(int spalte);
  void SchlaegeSortieren(int spalte);

  void done(int ergebnis) override;

protected:
  void showEvent(QShowEvent* ereignis) override;
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
  void SchlaegeLaden();
  void BetriebGesucht(const QString& text);
  void SchlagGesucht(const QString& text);

  TADOModConnection& m_db;
  TMeldungen& m_meldungen;
  const qint64 m_zielBetrieb;
  const int m_jahr;
  bool m_offen = false;
  QString m_betriebOrdnung, m_schlagOrdnung;  // the column the list is ordered by
  TADODataSetMod* m_betriebe;
  TADODataSetMod* m_schlaege;
  TListenAnsicht* m_betriebsAnsicht;
  TListenAnsicht* m_schlagAnsicht;
  std::vector<QString> m_betriebsSpalten, m_schlagSpalten;
  QLineEdit* m_betriebSuche;
  QLineEdit* m_schlagSuche;
  QLabel* m_ziel;
  QPushButton* m_umsetzen;
  QPushButton* m_abbrechen;
};
