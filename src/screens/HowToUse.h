#pragma once
#include <QPoint>
#include <QSize>
#include <QString>

class QPushButton;

// The main window's OK button `Command1` and its inner area `inner` (W x H)
// are handed in by the window.

// The "つかいかた" menu command: while no game runs, hides the text box and
// draws the how-to-use screen into the playfield.
void SubHelp_Click(QPushButton& Command1, QSize inner);

// Draws the how-to-use screen: the keyboard picture with the finger names
// above it and the home-position texts below, and the OK button at the
// lower right.
void DrawHowToUse(QPushButton& Command1, QSize inner);

// The how-to-use screen's OK button: hides itself and brings back the bare
// background.
void Command1_Click(QPushButton& Command1);

// The sizes the screen is laid out with for an inner window area W x H:
// the keyboard picture's width, height and left edge, each rounded to the
// nearest whole pixel, a half to the even neighbour.
struct HowToUseLayout {
  int w;
  int h;
  int x;
};
HowToUseLayout HowToUseLayoutFor(QSize inner);

// The row of finger names printed over the keyboard picture in the
// fixed-pitch Gothic at 9 pt, left little finger to right little finger, and
// the top-left corner it is printed at.
extern const QString FingerNames;
QPoint FingerNamesAt(QSize inner);
