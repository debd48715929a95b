#pragma once
// A screen printer that records its images: the printer choice and the
// print succeed or fail as planned.
#include "bildschirmdruck.h"

#include <QImage>

#include <vector>

class TestDrucker final : public TBildschirmdrucker {
public:
  TestDrucker(bool waehlen, bool gelingt) : m_waehlen(waehlen), m_gelingt(gelingt) {}
  int gefragt = 0;
  std::vector<QImage> bilder;

  bool DruckerWaehlen(QWidget*) override {
    ++gefragt;
    return m_waehlen;
  }
  bool Drucken(const QImage& bild) override {
    bilder.push_back(bild);
    return m_gelingt;
  }

private:
  bool m_waehlen, m_gelingt;
};
