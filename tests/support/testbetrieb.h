#pragma once
// A complete database as the program creates it (master data, 58 commands,
// views, maintenance run) with farm 2 "Hof Linde" and its fertiliser year
// 2021. The database is built once for all test programs (testvorlage.h) and
// copied for every test.

#include "connection.h"
#include "skriptmeldungen.h"

#include <QTemporaryDir>
#include <QVariantMap>

#include <gtest/gtest.h>

class TestBetrieb : public ::testing::Test {
protected:
  void SetUp() override;

  static constexpr int Betrieb = 2;
  static constexpr int Jahr = 2021;

  // Runs SQL and fails the test with the engine's text if it fails.
  void Sql(const QString& sql, const TParameter& parameter = {});
  QVariant Wert(const QString& sql, const TParameter& parameter = {});
  // Inserts one row of the given columns; returns its rowid.
  qint64 Einfuegen(const QString& tabelle, const QVariantMap& werte);

  QTemporaryDir ordner;
  TSkriptMeldungen meldungen;
  TADOModConnection db{&meldungen};
};
