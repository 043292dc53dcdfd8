#pragma once
#include <QString>
#include <functional>

#include "history/HistoryKeeper.h"

// The history of games as the program uses it: kept in the user's data
// folder, given every game that ends by itself, and source of the weights
// of the practice of weak strings.
class GameHistory {
 public:
  // `changed` runs whenever the games or the history's state changed.
  explicit GameHistory(std::function<void()> changed);

  // Opens kanacatch/history.sqlite in the user's data folder;
  // returns at once, and `changed` runs once it is read.
  void Open();

  // A game begins: the practice of weak strings takes its weights from the
  // games kept so far in the script the game shows.
  void GameStarting();

  // The game that just ended by itself is kept; `done` runs once it is, or
  // is not. For a game of the practice of weak strings, a line that compares
  // it with the previous one in the same script.
  QString GameEnded(std::function<void(const SaveReport&)> done = {});

  // Strings presented in the kept games of the script chosen now: each
  // script's practice opens with its own games.
  int PresentedInChosenScript() const;
  // Whether the history holds enough of them for the practice.
  bool PracticeReady() const;

  const HistoryKeeper& Keeper() const { return keeper; }

 private:
  HistoryKeeper keeper;
};

// Strings the history must have presented before the practice of weak
// strings can be chosen.
constexpr int PracticeMinimumPresented = 10;
