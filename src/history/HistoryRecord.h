#pragma once
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <map>
#include <vector>

#include "history/MojiSchedule.h"
#include "romaji/KanaScript.h"
#include "rules/kana/WordLessons.h"
#include "state/GameResults.h"

// One game that ended by itself, as the history keeps it.
struct GameRecord {
  QDateTime playedAt;  // when it ended, UTC
  int lessonNo = 0;
  int speedLevel = 0;
  int mojiTotal = 0;
  int presented = 0;
  int caught = 0;
  int meanCatchMs = 0;  // mean time from a rise to its catch; 0 when nothing was caught
  // Each string presented in the game, as it was shown; a string that did
  // not come is left out.
  std::map<QString, MojiTally> moji;
  KanaScript script = KanaScript::Hiragana;  // the script its strings were shown in
};

// The games played so far, oldest first (their per-string figures left
// out), and each string's figures summed over all of them: a katakana
// string apart from the hiragana of the same sound, the words of the word
// lessons apart from the kana, so that the practice of weak strings and the
// practice of weak words each go by their own.
struct History {
  std::vector<GameRecord> games;
  std::map<QString, MojiTally> mojiTotals;
  // Each string's place in the practice's schedule after all of them.
  std::map<QString, MojiSchedule> schedule;
  // The same for the words.
  std::map<QString, MojiTally> wordTotals;
  std::map<QString, MojiSchedule> wordSchedule;
  // The file's ids of the games left out, their values out of range.
  std::vector<int64_t> gamesLeftOut;
};

// Kana strings presented over all the games of `history` (words left out).
int PresentedTotal(const History& history);

// Adds `game` to `history`: to its games (without its per-string figures)
// to the per-string sums and to each string's schedule, a word game's to
// the words'. Inline: the store module adds the games it reads with it.
inline void AddToHistory(History& history, const GameRecord& game) {
  GameRecord summary = game;
  summary.moji.clear();
  history.games.push_back(std::move(summary));
  const bool words = IsWordLesson(game.lessonNo);
  for (const auto& [moji, tally] : game.moji) {
    MojiTally& sum = (words ? history.wordTotals : history.mojiTotals)[moji];
    sum.presented += tally.presented;
    sum.caught += tally.caught;
    sum.escaped += tally.escaped;
    sum.catchMs += tally.catchMs;
    ScheduleAfterGame((words ? history.wordSchedule : history.schedule)[moji], tally,
                      game.meanCatchMs, game.playedAt);
  }
}

// The games of `history` played in `script`, and the strings and words
// written in it.
History OfScript(const History& history, KanaScript script);

// The word games of `history`, with the words' figures and schedule as its
// strings': what the practice of weak words plans from as the practice of
// weak strings plans from the whole history.
History WordsOf(const History& history);

// The record of the game that `results` describe, played with the given
// settings and script and ended at `at`.
GameRecord RecordOfGame(const GameResults& results, int lessonNo, int speedLevel, int mojiTotal,
                        KanaScript script, const QDateTime& at);
