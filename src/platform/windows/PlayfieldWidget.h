#pragma once
#include <QWidget>

#include "platform/drawing/PlayfieldView.h"

namespace platform {

class Picture;

// The visible playfield. It keeps no image of its own: whenever the window
// system asks for a repaint it paints the composite picture, one to one when
// it is 640 x 480 game pixels and shrunk smoothly into a smaller playfield.
class PlayfieldWidget : public QWidget, public PlayfieldView {
 public:
  PlayfieldWidget(const Picture& composite, QWidget* parent = nullptr);

  void Present(const QRect& compositeArea) override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QRect ToWidget(const QRect& compositeArea) const;

  const Picture& composite;
};

}  // namespace platform
