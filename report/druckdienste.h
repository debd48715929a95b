#pragma once
// What the preview needs of the system: the printers and the default viewer
// for a saved PDF file. Behind an interface so that tests print nothing and
// open no viewer.

#include <QString>

class TDruckDokument;

class TDruckDienste {
public:
  virtual ~TDruckDienste() = default;
  virtual bool DruckerVorhanden() = 0;
  // All pages on the default printer; false when printing could not start.
  virtual bool Drucken(const TDruckDokument& dokument) = 0;
  // Opens the file with the system's default application; false when
  // there is none to open it with.
  virtual bool DateiAnzeigen(const QString& pfad) = 0;
};

class TSystemDruckDienste final : public TDruckDienste {
public:
  bool DruckerVorhanden() override;
  bool Drucken(const TDruckDokument& dokument) override;
  bool DateiAnzeigen(const QString& pfad) override;
};
