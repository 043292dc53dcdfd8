#pragma once
#include <QPointer>
#include <QWidget>

class QLabel;
class QScrollBar;

// The input-table window "入力表": the picture of the table of kana and
// keys as a tall strip at the left of the screen, scrolled with a vertical
// scroll bar, under a line that explains its "+" in English. It stands
// beside the main window and never blocks it. It shows the table in the
// script the game's strings are in: "input.jpg", or "input-katakana.jpg"
// while Game.Katakana.
class InPutForm : public QWidget {
 public:
  // `heldIn` is where the window's owner keeps it: it holds the window
  // from now until the window closes.
  explicit InPutForm(QPointer<InPutForm>& heldIn);

  // Places the window and its controls and draws the picture; a missing
  // picture is reported and the window opens empty.
  void Form_Load();

  // Reads the picture of the game's script and draws it at the same scroll
  // value; a missing picture is reported and the picture area left empty.
  void DrawTable();

  // Moves the picture to match the scroll bar's value.
  void VScroll1_Change();

  // Makes the window, frame and caption included, run from 25 pixels below
  // the top of the screen to its bottom edge; again whenever the window
  // system reports a different frame.
  void FitToScreen();

  // Where the picture's top lies at scroll value 0: below the note.
  int PictureTop() const;

  QWidget* Picture1 = nullptr;
  QScrollBar* VScroll1 = nullptr;
  QLabel* Note = nullptr;

 protected:
  bool event(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  QPointer<InPutForm>& heldIn;
};

// The window's inner width; it stands at the left edge of the screen.
constexpr int InPutFormWidth = 235;

// Pixels the picture moves per scroll-bar unit: 150, or 160 on a screen at
// most 480 pixels high.
int ScrollStep(int screenHeight);

// The height inside the window on a screen `screenHeight` pixels high, when
// the window system adds `frameHeight` pixels of caption and frame.
int InPutFormInnerHeight(int screenHeight, int frameHeight);

// How far down the picture the window shows at the largest scroll value,
// below the note where it shows: picture rows above this are all within
// reach.
int InputTableReach(int screenHeight, int frameHeight);

// The "入力表表示" menu command: opens the window into `form`, or brings
// the one there to the front keeping its scroll position.
void InPutShow_Click(QPointer<InPutForm>& form);

// The katakana setting changed: the window in `form`, if it is open, shows
// the table in the new script at once, scrolled as it was.
void InPutScriptChanged(QPointer<InPutForm>& form);

// Closes the window in `form` if it is open; it is destroyed, not hidden.
void UnloadInPutForm(QPointer<InPutForm>& form);
