#pragma once
#include <QString>

#include "history/HistoryRecord.h"

// What opening the history file found.
enum class OpenOutcome {
  Opened,       // read and ready to keep new games
  Damaged,      // not a database or failed the integrity check: moved aside, a fresh one begun
  Locked,       // another program holds it: left as it is, nothing is saved
  Newer,        // written by a newer version of the game: left as it is, nothing is saved
  ReadOnly,     // can be read but not written: games cannot be saved
  Unavailable,  // cannot be opened at all
};

// Why a game was not kept, as far as the learner can do something about it.
enum class NotKept {
  DiskFull,     // the disk has no room left
  ReadOnly,     // the file or its folder cannot be written to
  Locked,       // another program holds the file
  Newer,        // a newer version of the game wrote the file
  Unavailable,  // the history cannot be opened at all
  WriteError,   // writing failed in some other way (the disk, the file system)
};

// Why nothing is kept in a file opened with `outcome` (locked, newer or
// unavailable: the store refuses to write to it).
inline NotKept RefusedBecause(OpenOutcome outcome) {
  return outcome == OpenOutcome::Locked  ? NotKept::Locked
         : outcome == OpenOutcome::Newer ? NotKept::Newer
                                         : NotKept::Unavailable;
}

struct OpenReport {
  OpenOutcome outcome = OpenOutcome::Unavailable;
  // Damaged: the name the damaged file was given; otherwise the database's
  // own words for what went wrong, if anything did.
  QString detail;
  NotKept why = NotKept::ReadOnly;  // ReadOnly: what stops the writes
};

struct SaveReport {
  bool saved = false;
  NotKept why = NotKept::WriteError;  // when not saved
  QString error;                      // the database's words when not saved
};

// The history of games in an SQLite file. The store lives in a module of its
// own beside the program (libkanacatch_history.so), so that the program
// itself does not load Qt SQL; one thread uses one store.
class HistoryStore {
 public:
  virtual ~HistoryStore() = default;
  // Opens or creates the file at `path`, never changing one it refuses.
  virtual OpenReport Open(const QString& path) = 0;
  // Every game kept in the file whose values are in range (HistoryRanges.h),
  // and how many were left out; empty when nothing could be read.
  virtual History Load() = 0;
  // Keeps `game` with its per-string figures, all or nothing.
  virtual SaveReport Save(const GameRecord& game) = 0;
};

// The module's one entry point: a new store, owned by the caller.
using CreateHistoryStoreFunction = HistoryStore* (*)();
constexpr const char* HistoryModuleName = "kanacatch_history";
constexpr const char* CreateHistoryStoreSymbol = "kanacatch_create_history_store";

// The version of the file's layout that this program writes: 2 since each
// game keeps whether it was played in katakana, 3 since games of the word
// lessons (13 to 16) are kept, their strings words: a copy of the game from
// before them leaves such a file alone rather than read it without them.
constexpr int HistorySchemaVersion = 3;
