#pragma once
// A fresh database with the whole schema in a temporary folder, copied from
// a template built once for all test programs (testvorlage.h).

#include "connection.h"
#include "skriptmeldungen.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

class TestDatenbank : public ::testing::Test {
protected:
  void SetUp() override;

  QString Datei() const { return ordner.filePath(QStringLiteral("Quendrix2021.mdb")); }
  // Inserts farm 2 with year 2021, field 10 and one main-crop row; returns the crop row's ID.
  qint64 BeispielBetrieb();

  QTemporaryDir ordner;
  TSkriptMeldungen meldungen;
  TADOModConnection db{&meldungen};
};

// Reads a whole file, for comparing a file before and after.
QByteArray DateiInhalt(const QString& datei);
