#pragma once
// Printing an image of a window: the printer is chosen in the system's print
// dialog. Behind an interface so that tests need neither printer nor dialog.

class QImage;
class QWidget;

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
