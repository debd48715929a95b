#pragma once
// The toolbar of the spreadsheet grid: new sheet, load and save (TXT, CSV,
// dBase, database table), clipboard, printing, header and footer texts and
// the display precision, with the current position and the full text of the
// current cell at its right end. Every question and file dialog goes
// through the message service.

#include <QToolBar>

#include <functional>

class QLineEdit;
class TADOModConnection;
class THF1Book;
class TMeldungen;

class TWerkzeugleiste : public QToolBar {
  Q_OBJECT
public:
  // Puts a toolbar above the grid (inside it) and returns it.
  static TWerkzeugleiste* Anbringen(THF1Book& buch, TMeldungen& meldungen);
  TWerkzeugleiste(THF1Book& buch, TMeldungen& meldungen, QWidget* eltern = nullptr);

  static const QString StandardFuss;  // "Seite &P von &N"

  const QString& Kopftext() const { return m_kopf; }
  const QString& Fusstext() const { return m_fuss; }
  void setKopftext(const QString& text) { m_kopf = text; }
  void setFusstext(const QString& text) { m_fuss = text; }
  // The last file loaded, without extension: the name offered for saving.
  const QString& LetzteDatei() const { return m_letzteDatei; }

  // The buttons' actions; false when nothing changed (cancelled or failed,
  // the message has been shown).
  bool NeuesBlatt();
  bool Oeffnen();
  bool Speichern();
  void Kopieren();
  bool Einfuegen();
  void Drucken(bool nurEinstellen);
  void KopftextAendern();
  void FusstextAendern();

  // Loads or saves a file of a known type without dialog or question.
  bool DateiLaden(const QString& datei);
  bool DateiSpeichern(const QString& datei);

  // Called after the sheet was replaced (new, loaded, pasted), so the window
  // can put back what its sheet needs.
  std::function<void()> BlattErsetzt;
  // Prints the sheet ("Arbeitsblatt drucken"); set to the window on screen.
  std::function<void(bool nurEinstellen)> DruckenZeigen;
  // The table of a database file to read ("Bitte einzulesende Tabelle
  // auswählen"); empty when cancelled. Set to the window on screen.
  std::function<QString(const QStringList& tabellen)> TabelleWaehlen;
  // The export window for the open database file (a new one under a
  // temporary name; `datei` is the name the user chose); set to the window on
  // screen.
  // True when a table was exported.
  std::function<bool(TADOModConnection& db, const QString& datei)> ExportZeigen;

  QLineEdit* Position() const { return m_position; }
  QLineEdit* Zelltext() const { return m_zelltext; }

private:
  void Ersetzt();
  void PositionZeigen(int spalte, int zeile);
  bool DatenbankLaden(const QString& datei);
  bool DatenbankSpeichern(const QString& datei);

  THF1Book& m_buch;
  TMeldungen& m_meldungen;
  QString m_kopf;
  QString m_fuss;
  QString m_letzteDatei;
  QLineEdit* m_position;
  QLineEdit* m_zelltext;
};
