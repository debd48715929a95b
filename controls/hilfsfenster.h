#pragma once
// The calculator and the date picker that "?" opens in an input field. The
// fields reach them through this interface so that tests can answer in
// their place, as they do for the message service.

#include <QDate>

#include <optional>

class QWidget;
class TMeldungen;

class THilfsfenster {
public:
  virtual ~THilfsfenster() = default;
  // "Taschenrechner" with "Einfügen"; 0 when it was closed without a value.
  virtual double Taschenrechner(QWidget* eltern) = 0;
  // "BitteDatum auswählen"; nothing when it was cancelled.
  virtual std::optional<QDate> DatumAuswaehlen(QWidget* eltern, const QDate& vorgabe) = 0;
};

// The windows on screen.
class TQtHilfsfenster final : public THilfsfenster {
public:
  double Taschenrechner(QWidget* eltern) override;
  std::optional<QDate> DatumAuswaehlen(QWidget* eltern, const QDate& vorgabe) override;
};

namespace Eingabe {
// For a field that was given neither service nor panel: the windows and
// boxes on screen.
THilfsfenster& StandardHilfsfenster();
TMeldungen& StandardMeldungen();
}  // namespace Eingabe
