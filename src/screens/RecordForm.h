#pragma once
#include <QDialog>
#include <QPointer>

class QComboBox;
class QLabel;
class QTabWidget;
class QTableWidget;
class QVBoxLayout;
class HistoryKeeper;

// The 記録 window: the history of games, over the main window and never
// blocking it, on four pages: a row per lesson played in each script with
// its games, last and best catch rate and mean catch time; a row per day
// played, under the days played in a row and this week against last week; a
// chart of the last 30 games of a chosen lesson in a script under their
// dates; the strings that the practice of weak strings asks for most in the
// script the game shows now, with the spelling to type them, their share of
// its next game and why; the words that the practice of weak words asks for
// most, alike, each with its written form and meaning. A
// line on top says when the history is missing, refused or could not keep a
// game, or how to fill an empty one. Escape closes it.
class RecordForm : public QDialog {
 public:
  // `heldIn` is where the window's owner keeps it: it holds the window
  // from now until the window closes.
  RecordForm(QPointer<RecordForm>& heldIn, const HistoryKeeper& keeper, QWidget* mainWindow);

  // Shows the history as the keeper holds it now, the number of games in
  // the window's title; again when the game's script changes.
  void Refresh();

  QLabel* Notice = nullptr;
  QTabWidget* Pages = nullptr;
  QTableWidget* Lessons = nullptr;
  QLabel* Streak = nullptr;
  QTableWidget* Days = nullptr;
  QComboBox* ChartLesson = nullptr;
  QWidget* Chart = nullptr;
  QTableWidget* Weakest = nullptr;
  QTableWidget* WeakWords = nullptr;

 protected:
  void done(int result) override;

 private:
  QPointer<RecordForm>& heldIn;
  const HistoryKeeper& keeper;
  QVBoxLayout* chartPage = nullptr;

  void FillLessons();
  void FillDays();
  void FillChart();
  void FillWeakest();
};

// The "記録表示" menu command: opens the window into `form` beside
// `mainWindow`, or brings the one there to the front. Refused while a game
// runs: the window would hide the holes.
void RecordShow_Click(QPointer<RecordForm>& form, const HistoryKeeper& keeper, QWidget* mainWindow);

// Closes the window in `form` if it is open (a game starting, the program
// closing).
void CloseRecordForm(QPointer<RecordForm>& form);
