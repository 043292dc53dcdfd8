#include "rules/kana/LabelOutline.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// A channel's linear light, from its 8-bit sRGB value.
const std::array<double, 256> LinearChannel = [] {
  std::array<double, 256> table{};
  for (int value = 0; value < 256; ++value) {
    const double c = value / 255.0;
    table[value] = c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  }
  return table;
}();

}  // namespace

double RelativeLuminance(QColor colour) {
  return 0.2126 * LinearChannel[colour.red()] + 0.7152 * LinearChannel[colour.green()] +
         0.0722 * LinearChannel[colour.blue()];
}

double ContrastRatio(QColor a, QColor b) {
  const double la = RelativeLuminance(a);
  const double lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor LabelOutlineColor(QColor label) {
  const QColor black(0, 0, 0);
  const QColor white(255, 255, 255);
  return ContrastRatio(label, black) >= ContrastRatio(label, white) ? black : white;
}
