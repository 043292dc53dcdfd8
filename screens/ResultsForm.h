#pragma once
#include <QDialog>

struct GameResults;

// The results window "結果", opened beside the main window when a game ends
// by itself: strings presented, critters caught, the catch rate, the mean
// time to a catch, and the strings that escaped. It never blocks the main
// window.
class ResultsForm : public QDialog {
 public:
  explicit ResultsForm(const GameResults& results);
  ~ResultsForm() override;

  // The window while it is open, else nullptr.
  static ResultsForm* Instance();
};

// Opens the window with the current game's results beside `mainWindow`,
// replacing one still open.
void ShowResultsForm(const QWidget* mainWindow);

// Closes the window if it is open (Start, Stop, the program closing).
void CloseResultsForm();
