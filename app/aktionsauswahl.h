#pragma once
// "Aktionsauswahl": how a farm without fertiliser years gets its first year.

#include <QDialog>

#include <functional>

class QListWidget;
class QPushButton;
class TMeldungen;

class TAktionsauswahl : public QDialog {
  Q_OBJECT
public:
  enum TWahl { MitShape2021 = 0, Jahr2022MitShape2021 = 1, OhneShape = 2 };
  // Creates a year of the farm; false when it could not be saved.
  using TJahrAnlegen = std::function<bool(int jahr)>;

  TAktionsauswahl(TMeldungen& meldungen, TJahrAnlegen anlegen, QWidget* eltern = nullptr);

  QListWidget* Liste() const { return m_liste; }
  QPushButton* AuswaehlenKnopf() const { return m_auswaehlen; }
  // What "Auswählen" does for a choice; the window closes after a successful one.
  bool Waehlen(int wahl);
  // The year created, 0 while none.
  int AngelegtesJahr() const { return m_jahr; }
  // Choice b opens the preselection for the new year with this instruction.
  std::function<void(int jahr, const QString& anweisung)> VorauswahlOeffnen;
  static const QString VorauswahlAnweisung;
  // Choices a and b open the field import for the new year, with the
  // current crops (a) or without (b); unset, the missing step is named.
  std::function<void(int jahr, bool kulturenLesen)> ShapeImportOeffnen;

  static QString Text(int wahl);
  static QString Bestaetigung(int wahl);
  static const QString JahrFrage;
  // The years a first fertiliser year may have.
  static constexpr int ErstesJahr = 2020;
  static int LetztesJahr();  // next year
  static QString JahrBereich();
  // Said after choice a or b while the field import is not part of the program.
  static QString FehlenderSchritt(int jahr, int wahl);

private:
  TMeldungen& m_meldungen;
  TJahrAnlegen m_anlegen;
  QListWidget* m_liste;
  QPushButton* m_auswaehlen;
  int m_jahr = 0;
};
