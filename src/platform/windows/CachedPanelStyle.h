#pragma once
#include <QPixmap>
#include <QProxyStyle>

// The application's style, except that a line edit's panel (its background
// and rounded, antialiased frame) is drawn once per size, state and palette
// and then copied. The text box repaints at every key, and drawing the frame
// afresh costs more than the rest of its picture together.
class CachedPanelStyle : public QProxyStyle {
 public:
  // Draws with `base` when given (and takes it), else the application's style.
  explicit CachedPanelStyle(QStyle* base = nullptr);

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;

 private:
  // What the panel's picture depends on.
  struct PanelKey {
    QSize size;
    int state;
    qint64 palette;
    int lineWidth;
    int features;
    int direction;
    qreal ratio;
    bool operator==(const PanelKey&) const = default;
  };
  mutable PanelKey panelKey{};
  mutable QPixmap panel;
};
