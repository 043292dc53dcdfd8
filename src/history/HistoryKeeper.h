#pragma once
#include <QObject>
#include <QThread>
#include <functional>
#include <memory>
#include <optional>

#include "history/HistoryStore.h"

// How the history fares this run, for the 記録 window.
struct HistoryStatus {
  bool ready = false;  // opening has finished, well or not
  OpenOutcome outcome = OpenOutcome::Unavailable;
  QString detail;                   // as the store reported it
  NotKept why = NotKept::ReadOnly;  // ReadOnly: what stops the writes
  int gamesLeftOut = 0;             // games of the file out of range, not shown
  bool lastSaveFailed = false;
  NotKept saveWhy = NotKept::WriteError;
  QString saveError;  // the store's words for it
};

// Keeps the history of games on a thread of its own, so the game never waits
// on the disk: opening, reading and every write run there, one after the
// other, and their results come back to the thread that made the keeper,
// which holds the games read and saved so far.
class HistoryKeeper {
 public:
  // `changed` runs on the keeper's thread whenever the games or the status
  // changed.
  explicit HistoryKeeper(std::function<void()> changed);
  // Finishes a write in progress, then stops the thread.
  ~HistoryKeeper();
  HistoryKeeper(const HistoryKeeper&) = delete;
  HistoryKeeper& operator=(const HistoryKeeper&) = delete;

  // Loads the store module from the program's folder, opens the file at
  // `path` and reads it; returns at once.
  void Open(const QString& path);
  // Saves `game` after whatever is still being written; returns at once.
  // Nothing is written while the file is refused (locked, newer, missing).
  // `done`, if any, runs on the keeper's own thread with what became of it.
  void Record(const GameRecord& game, std::function<void(const SaveReport&)> done = {});

  const History& Games() const { return history; }
  const HistoryStatus& Status() const { return status; }

 private:
  std::function<void()> changed;
  QString file;
  History history;
  HistoryStatus status;
  QThread thread;
  QObject worker;  // lives on `thread`
  QObject home;    // lives on the keeper's own thread
  // Used on `thread` only.
  std::unique_ptr<HistoryStore> store;
  bool keeping = false;
  SaveReport refusal;  // what every game meets while nothing is kept

  void Opened(const OpenReport& report, History loaded);
  void Saved(const GameRecord& game, const SaveReport& report, bool tried);
};
