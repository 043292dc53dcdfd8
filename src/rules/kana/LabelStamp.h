#pragma once
#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>
#include <vector>

namespace platform {
class Picture;
}

// Everything a critter's label depends on: two prints with equal keys put
// the same ink at the same places.
struct LabelKey {
  QString moji;
  QString hint;
  QPoint at;         // the label's text cell
  int shownRows;     // the rows the critter shows when fully up (the hint keeps within them)
  QRgb colour;       // the label's colour; the outline follows from it
  QSize pixels;      // the critter picture's image
  qreal pixelRatio;  // and its image pixels to a game pixel
  bool operator==(const LabelKey&) const = default;
};

// One hole's label as printed the last time: which image pixels its text
// and outline touch, and each of those pixels before and after the print.
// Printing a pixel yields a value that depends only on that pixel's value
// before, so wherever the label's ground is as it was, the print can be put
// back by copying pixels instead of shaping and drawing the text again. A
// critter's label lies on its body, which is the same at every height, so
// one print serves the whole rise and sinking.
class LabelStamp {
 public:
  // Prints the label's texts into `picture` in `picture.ForeColor`: with
  // their outlines, or (`outlined` false) the glyphs alone.
  using Print = std::function<void(platform::Picture& picture, bool outlined)>;

  // Prints the label of `key` into `picture` with `print` and remembers the
  // print.
  void PrintAndKeep(const LabelKey& key, platform::Picture& picture, const Print& print);

  // Puts the label of `key` back into the top `rows` game rows of
  // `picture`, if it is the one kept and every pixel it touches there holds
  // what it held before that print; otherwise changes nothing and answers
  // false.
  bool PutBack(const LabelKey& key, platform::Picture& picture, int rows) const;

 private:
  // A run of touched pixels on image row y, from x on, n long.
  struct Span {
    int y;
    int x;
    int n;
  };
  // Finds the pixels the print may touch: those within the outline's reach
  // and one game pixel more of the glyphs' own ink.
  void FindTouched(const platform::Picture& picture, const Print& print);

  bool kept = false;
  bool probed = false;
  LabelKey key{};
  LabelKey touchKey{};  // the key the touched pixels were found for (its colour plays no part)
  std::vector<Span> touched;
  QRect box;  // around the touched pixels; `before` and `after` cover it
  QImage before;
  QImage after;
};
