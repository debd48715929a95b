#pragma once
// Printing an image of a window: the printer is chosen in the system's print
// dialog. Behind an interface so that tests need neither printer nor dialog.

#include <QString>

class QImage;
class QWidget;
class TMeldungen;

class TBildschirmdrucker {
public:
  virtual ~TBildschirmdrucker() = default;
  // Asks for a printer; false when the user cancels.
  virtual bool DruckerWaehlen(QWidget* eltern) = 0;
  // Prints the image on the chosen printer in landscape, as large as fits.
  virtual bool Drucken(const QImage& bild) = 0;
};

class QPrinter;

class TQtBildschirmdrucker final : public TBildschirmdrucker {
public:
  TQtBildschirmdrucker();
  ~TQtBildschirmdrucker() override;
  bool DruckerWaehlen(QWidget* eltern) override;
  bool Drucken(const QImage& bild) override;

private:
  QPrinter* m_drucker = nullptr;  // made on first use: tests never need one
};

// What the user is told when the printer did not print the image.
inline const QString BildschirmdruckFehler = QStringLiteral(
    "Der Bildschirmdruck konnte nicht gedruckt werden. Bitte prüfen Sie, ob der Drucker eingeschaltet und erreichbar "
    "ist, und versuchen Sie es dann erneut.");

// The screen print of a working window: asks for a printer and prints an
// image of the window. A print that fails is reported (BildschirmdruckFehler);
// a cancelled choice prints nothing and says nothing. True when printed.
bool FensterDrucken(QWidget* fenster, TBildschirmdrucker& drucker, TMeldungen& meldungen);
