#pragma once
// "Info": the program's version, its working folder and the maker.

#include <QDialog>

class TInfoFenster : public QDialog {
  Q_OBJECT
public:
  static const QString Versionstext;  // "Quendrix2022 Version 3 Datenbankversion 6.7"
  static const QString Stand;         // "Stand: Dezember 2021"
  static const QString Hersteller;
  static const QString Unterstuetzung;

  explicit TInfoFenster(const QString& arbeitsordner, QWidget* eltern = nullptr);
};
