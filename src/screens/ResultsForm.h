#pragma once
#include <QDialog>
#include <QMargins>
#include <QPointer>
#include <QRect>

class QGridLayout;
class QLabel;
class QScrollArea;
struct GameResults;

// The results window "結果", opened over the main window's playfield when a
// game ends by itself: strings presented, critters caught, the catch rate,
// the mean time to a catch, and the strings that escaped, in columns that
// scroll when there are many (after a word lesson, each word on a row with
// its written form and meaning), and a `note` when there is one (a comparison
// with the previous game). It never blocks the main window and never
// takes the keyboard from it; of the keys only Escape closes it, so an Enter
// meant for the text box does not throw the results away unread. The arrow
// keys up and down, Page Up and Down, Home and End scroll the list, pressed
// in either window.
class ResultsForm : public QDialog {
 public:
  // `heldIn` is where the window's owner keeps it: it holds the window
  // from now until the window closes.
  ResultsForm(QPointer<ResultsForm>& heldIn, const GameResults& results, QWidget* owner,
              const QString& note = {});

  // Says under the figures that the game was not kept, and why, with the
  // database's own words as the line's tooltip; grows to show it where
  // there is room.
  void SayNotKept(const QString& why, const QString& detail);

  // Places the window inside `area` (screen pixels), as ShowResultsForm says.
  void PlaceIn(QRect area);

 protected:
  bool eventFilter(QObject* target, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void done(int result) override;

 private:
  // Where the list scrolls, ends its view between two rows, so that the
  // last row in view shows whole.
  void EndViewBetweenRows(int windowHeight);

  QPointer<ResultsForm>& heldIn;
  QLabel* notKept = nullptr;
  QScrollArea* sheetArea = nullptr;
  QGridLayout* figureRows = nullptr;
  QRect area;
};

// Where the window's inner rectangle goes, for an inner size `wanted` and a
// window frame of `frame`: the whole window inside `area` and on `screen`,
// centred across the area at its top, and no bigger than they allow. Where
// the area lies off the screen, anywhere on the screen.
QRect ResultsPlace(QSize wanted, QRect area, QMargins frame, QRect screen);

// Opens the window into `form` with the current game's results and `note`
// inside `area` (screen pixels), replacing one still open there. `owner` is
// the main window: the results window stays in front of it and is taken to
// get a frame like its own.
void ShowResultsForm(QPointer<ResultsForm>& form, QWidget* owner, QRect area,
                     const QString& note = {});

// Closes the window in `form` if it is open (Start, Stop, the program
// closing).
void CloseResultsForm(QPointer<ResultsForm>& form);
