#pragma once
#include <QString>
#include <functional>

#include "history/HistoryKeeper.h"
#include "rules/kana/MojiTable.h"

// The history of games as the program uses it: kept in the user's data
// folder, given every game that ends by itself, and source of the weights
// of the practice of weak strings and of the practice of weak words.
class GameHistory {
 public:
  // `changed` runs whenever the games or the history's state changed.
  explicit GameHistory(std::function<void()> changed);

  // Opens kanacatch/history.sqlite in the user's data folder;
  // returns at once, and `changed` runs once it is read.
  void Open();

  // A game begins: a practice takes its weights from the games kept so far
  // in the script the game shows, the kana games for the weak strings, the
  // word games for the weak words.
  void GameStarting();

  // The game that just ended by itself is kept; `done` runs once it is, or
  // is not. For a game of a practice, a line that compares it with the
  // previous one of that practice in the same script.
  QString GameEnded(std::function<void(const SaveReport&)> done = {});

  // Strings presented in the kept games of the script chosen now, for the
  // practice `practiceLessonNo`: kana strings for にがてな文字 (12), words
  // for にがてなことば (16). Each script's practice opens with its own games.
  int PresentedInChosenScript(int practiceLessonNo = PracticeLessonNo) const;
  // Whether the history holds enough of them for that practice, and for the
  // words, whether the chosen script's word table can be played.
  bool PracticeReady(int practiceLessonNo = PracticeLessonNo) const;

  const HistoryKeeper& Keeper() const { return keeper; }

 private:
  HistoryKeeper keeper;
};

// Strings, or words, the history must have presented before a practice can
// be chosen.
constexpr int PracticeMinimumPresented = 10;
