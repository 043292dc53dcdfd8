#pragma once
#include <functional>

// What the program around the game does at a game's edges (the results
// window, the history of games): GameLeaving runs first when a game is
// started or stopped, GameStarting next when a game is started, GameEnded
// last when a game ends by itself. Any may be empty.
struct GameHooks {
  std::function<void()> GameLeaving;
  std::function<void()> GameEnded;
  std::function<void()> GameStarting;
};
extern GameHooks Hooks;

// The "スタート" menu command: begins a game unless one is running.
void Start_Click();

// The "ストップ" menu command: clears the playfield, ends the game, hides
// the text box and stops the music, whether or not a game runs.
void Stop_Click();

// Puts every critter rectangle at its resting place in its hole's column.
void SetHoleRects();

// Gives every hole a fresh pause in the hole, starting now, with its critter
// neither rising nor sinking.
void InitHoles();

// Restarts the music from its beginning once more than 67 s have passed
// since it was last started.
void BgmRepeat();

// Ends the game once every critter is fully down.
void CheckGameEnd();

// How long the music plays before it is started again from its beginning.
constexpr unsigned BgmRepeatMs = 67000;
