#pragma once
#include <algorithm>
#include <cstdint>

#include "history/HistoryRecord.h"
#include "rules/kana/MojiTable.h"
#include "rules/kana/WordLessons.h"

// The values a game of this program can leave in the history. A game read
// back with any value outside them (a file edited by hand, or damaged in a
// way SQLite's check does not see) is left out, so that no window shows a
// share over 100 % or a chart builds an axis for a catch of 24 days.
// Header only: the store module checks with it too.

// Far longer than a critter ever stays out of its hole.
constexpr int LongestCatchMs = 60'000;
constexpr int LargestMojiTotal = 70;
constexpr int SpeedLevels = 3;

inline bool InRange(const MojiTally& tally) {
  return tally.presented >= 0 && tally.caught >= 0 && tally.escaped >= 0 &&
         int64_t{tally.caught} + tally.escaped <= tally.presented && tally.catchMs >= 0 &&
         tally.catchMs <= int64_t{tally.caught} * LongestCatchMs;
}

// Whether `moji` holds no kana of the other script than `script`: ぁ to ゖ
// in katakana, ァ to ヶ in hiragana.
inline bool WrittenIn(const QString& moji, KanaScript script) {
  const bool katakana = script == KanaScript::Katakana;
  const QChar first = katakana ? u'ぁ' : u'ァ', last = katakana ? u'ゖ' : u'ヶ';
  return std::none_of(moji.begin(), moji.end(), [&](QChar c) { return c >= first && c <= last; });
}

// Whether `moji` can be a string of a game of lesson `lessonNo` in
// `script`: a word of the lesson's lengths written in the script alone, or
// for a kana lesson a kana or a kana with a small kana, as the table has them.
inline bool StringOfLesson(const QString& moji, int lessonNo, KanaScript script) {
  if (!IsWordLesson(lessonNo))
    return (moji.size() == 1 || moji.size() == 2) && WrittenIn(moji, script);
  const auto [shortest, longest] = WordLengthsOf(lessonNo);
  return moji.size() >= shortest && moji.size() <= longest && WordInScript(moji, script);
}

// `game` of a lesson of this program in one of the two scripts, with its
// per-string figures, which add up to no more than it presented, each
// string one that its lesson shows in its script.
inline bool InRange(const GameRecord& game) {
  if (game.script != KanaScript::Hiragana && game.script != KanaScript::Katakana) return false;
  if (!game.playedAt.isValid() || game.lessonNo < 1 || game.lessonNo > LastLessonNo ||
      game.speedLevel < 1 || game.speedLevel > SpeedLevels) {
    return false;
  }
  if (game.caught < 0 || game.caught > game.presented || game.presented > game.mojiTotal ||
      game.mojiTotal > LargestMojiTotal || game.meanCatchMs < 0 ||
      game.meanCatchMs > LongestCatchMs) {
    return false;
  }
  int64_t presented = 0;
  for (const auto& [moji, tally] : game.moji) {
    if (!InRange(tally) || !StringOfLesson(moji, game.lessonNo, game.script)) return false;
    presented += tally.presented;
  }
  return presented <= game.presented;
}
