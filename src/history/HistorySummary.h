#pragma once
#include <QString>
#include <vector>

#include "history/HistoryRecord.h"

// One lesson's games in one script at a glance.
struct LessonSummary {
  int lessonNo = 0;
  KanaScript script = KanaScript::Hiragana;
  int games = 0;
  int lastRatePercent = 0;
  int bestRatePercent = 0;
  int meanCatchMs = 0;  // over every catch of the lesson's games; 0 without a catch
};

// The lessons played, in lesson order, each lesson's hiragana games before
// its katakana games.
std::vector<LessonSummary> LessonSummaries(const History& history);

// The last `count` games of lesson `lessonNo` in `script`, oldest first.
std::vector<GameRecord> LastGamesOf(const History& history, int lessonNo, KanaScript script,
                                    int count);

// A game's, or a string's, catch rate in percent, rounded.
int CatchRateOf(const GameRecord& game);
int CatchRateOf(const MojiTally& tally);

// A string's mean catch time in ms; 0 when it was never caught.
int MeanCatchMsOf(const MojiTally& tally);

// A time in ms as the windows show it, "1.2 秒"; "―" for 0 (nothing caught).
QString SecondsText(int ms);
