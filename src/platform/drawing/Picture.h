#pragma once
#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <memory>

#include "platform/drawing/TextFont.h"

namespace platform {

// A retained picture: keeps what is drawn into it until it is drawn over,
// with a text (fore) colour and a font for what is printed into it. Sizes and
// positions are in the game's pixels; the image behind may hold more pixels
// than that on a high-resolution screen.
class Picture {
 public:
  Picture() = default;
  Picture(int width, int height);
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  // Makes the picture width x height game pixels, all white, with PixelRatio()
  // image pixels to a game pixel.
  void Resize(int width, int height);

  // Makes this picture draw into the image of `owner` from now on, and keep
  // none of its own: for scratch pictures whose contents are used up before
  // another of them is drawn into. Text colour and font stay each picture's.
  void ShareImageOf(const Picture& owner) { pixels = owner.pixels; }

  int Width() const;
  int Height() const;
  // Image pixels per game pixel.
  qreal Ratio() const { return pixels->image.devicePixelRatio(); }
  QRect Rect() const { return QRect(0, 0, Width(), Height()); }
  const QImage& Image() const {
    Whiten();
    return pixels->image;
  }
  // The image to draw into, anywhere or within `area` (game pixels) only.
  QImage& ImageToDrawIn() { return ImageToDrawIn(Rect()); }
  QImage& ImageToDrawIn(const QRect& area) {
    Whiten();
    drawn |= area;
    return pixels->image;
  }

  // The smallest rectangle around all that may have been drawn into the
  // picture since ForgetDrawnArea(): what the blits and prints reached, and
  // the whole picture after its image was taken to draw into anywhere.
  QRect DrawnArea() const { return drawn; }
  void ForgetDrawnArea() { drawn = QRect(); }

  // Prints `text` in Font and ForeColor with the top-left corner of its text
  // cell at `topLeft`. Only the glyphs are drawn: what lies behind them stays.
  void Print(QPoint topLeft, const QString& text);

  // Prints `text` as Print does, over a ring of `outline` OutlineReach game
  // pixels wide around every glyph, so that the glyphs touch only the
  // outline colour and stand out whatever lies behind them.
  void PrintOutlined(QPoint topLeft, const QString& text, QColor outline);
  static constexpr int OutlineReach = 2;

  // Where the glyphs of `text` land, printed as Print would at `topLeft`:
  // the smallest rectangle around their ink.
  QRect TextBounds(QPoint topLeft, const QString& text) const;

  QColor ForeColor = Qt::black;
  TextFont Font;

 private:
  // A resized picture is made white when its pixels are first reached: until
  // then its memory is only set aside and takes none of the machine's, as
  // for the composite while the title shows.
  void Whiten() const {
    if (!pixels->blank) return;
    pixels->blank = false;
    pixels->image.fill(Qt::white);
  }

  // The image, which pictures made to share it hold together.
  struct Pixels {
    QImage image;
    bool blank = false;
  };
  std::shared_ptr<Pixels> pixels = std::make_shared<Pixels>();
  QRect drawn;
};

// `image` scaled with a smooth filter to `size` game pixels, as a loaded
// picture is kept at the size it is drawn at; `pixelRatio` image pixels go to
// a game pixel. A null image stays null.
QImage ScaledForDrawing(const QImage& image, QSize size, qreal pixelRatio = 1.0);

// `image` as 8-bit greys when every pixel of it is a grey (red, green and
// blue equal), which keeps every pixel at a quarter of the memory; any other
// image as it is. The block copies take either alike.
QImage GrayIfColourless(const QImage& image);

// Image pixels per game pixel of the pictures resized from now on: the
// primary screen's device pixel ratio rounded up to a whole number (1 without
// a screen), so that a game pixel is a whole block of image pixels and the
// raster operations stay exact per pixel. Text and critters drawn into such
// a picture are as sharp as the screen can show them.
int PixelRatio();

}  // namespace platform
