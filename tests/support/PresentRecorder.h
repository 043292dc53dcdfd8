#pragma once
#include <QRect>
#include <utility>
#include <vector>

#include "platform/drawing/PlayfieldView.h"
#include "platform/system/Services.h"

// A visible playfield that records which parts of the composite it was told
// to show, and installs itself for its lifetime.
class PresentRecorder : public platform::PlayfieldView {
 public:
  PresentRecorder() { HandOver(this); }
  ~PresentRecorder() override { HandOver(nullptr); }

  void Present(const QRect& compositeArea) override { areas.push_back(compositeArea); }
  void PresentBand(const QRect& compositeArea, int windowRows) override {
    bands.push_back({compositeArea, windowRows});
  }

  std::vector<QRect> areas;
  std::vector<std::pair<QRect, int>> bands;  // composite area, window rows

 private:
  static void HandOver(PresentRecorder* view) {
    platform::ChangeServices([view](platform::Services& services) { services.playfield = view; });
  }
};
