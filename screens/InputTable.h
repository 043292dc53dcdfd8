#pragma once
#include <QWidget>

class QScrollBar;

// The input-table window "入力表": the picture of the table of kana and
// keys as a tall strip at the left of the screen, scrolled with a vertical
// scroll bar. It stands beside the main window and never blocks it.
class InPutForm : public QWidget {
 public:
  InPutForm();
  ~InPutForm() override;

  // The window while it is loaded, else nullptr.
  static InPutForm* Instance();

  // Places the window and its controls and draws the picture; a missing
  // picture is reported and the window opens empty.
  void Form_Load();

  // Moves the picture to match the scroll bar's value.
  void VScroll1_Change();

  QWidget* Picture1 = nullptr;
  QScrollBar* VScroll1 = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
};

// Pixels the picture moves per scroll-bar unit: 150, or 160 on a screen at
// most 480 pixels high.
int ScrollStep(int screenHeight);

// The "入力表表示" menu command: opens the window, or brings it to the
// front keeping its scroll position.
void InPutShow_Click();

// Closes the window if it is open; it is destroyed, not hidden.
void UnloadInPutForm();
