#pragma once
#include <QColor>

// The label colours run from near black to a light grey, so no one colour of
// the critter's label patch keeps every label readable. Each label is
// therefore printed with a thin outline that stands out from the label's own
// colour, whatever lies behind.

// The relative luminance of `colour` as the web's accessibility guidelines
// define it: 0 for black to 1 for white.
double RelativeLuminance(QColor colour);

// The contrast ratio of two colours, lighter over darker, (L1 + 0.05) /
// (L2 + 0.05): 1 for equal colours up to 21 for black and white.
double ContrastRatio(QColor a, QColor b);

// The outline colour for a label printed in `label`: black or white,
// whichever has the larger contrast with it. For every colour the label
// colour rule draws the contrast is at least 4.5 : 1.
QColor LabelOutlineColor(QColor label);
