#pragma once
// The window "Bitte einzulesende Tabelle auswählen": the tables of a
// database file, the first selected.

#include <QDialog>

class QListWidget;

class TTabellenauswahl : public QDialog {
  Q_OBJECT
public:
  TTabellenauswahl(const QStringList& tabellen, QWidget* eltern = nullptr);
  // The selected table; empty when none.
  QString Tabelle() const;
  QListWidget* Liste() const { return m_liste; }

private:
  QListWidget* m_liste;
};
