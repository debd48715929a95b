#pragma once
// A bound control the record panel checks before "OK" saves: it knows
// whether its colouring rule holds and can show the panel's mark.

class TPruefbaresFeld {
public:
  virtual ~TPruefbaresFeld() = default;
  // The field's colouring rule holds for its column's value.
  virtual bool FeldFehlerhaft() const = 0;
  // The mark of the first field in error.
  virtual void PanelFehlerZeigen() = 0;
};
