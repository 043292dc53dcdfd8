#include "state/GameResults.h"

#include <algorithm>

#include "platform/system/TickCounter.h"
#include "romaji/KanaScript.h"
#include "state/GameState.h"

void ResultsGameStarted() { Game.Results = GameResults{}; }

void ResultsCritterRose(int h) {
  ++Game.Results.presented;
  ++Game.Results.tally[Game.HoleMoji[h]].presented;
  Game.Results.riseTick[h] = platform::GetTickCount();
}

void ResultsCritterCaught(int h) {
  const int64_t ms = platform::TicksElapsed(Game.Results.riseTick[h], platform::GetTickCount());
  ++Game.Results.caught;
  Game.Results.catchMsTotal += ms;
  MojiTally& moji = Game.Results.tally[Game.HoleMoji[h]];
  ++moji.caught;
  moji.catchMs += ms;
}

void ResultsCritterEscaped(int h) {
  ++Game.Results.escaped[Game.HoleMoji[h]];
  ++Game.Results.tally[Game.HoleMoji[h]].escaped;
}

int CatchRatePercent(const GameResults& results) {
  if (results.presented == 0) return 0;
  return static_cast<int>((200LL * results.caught + results.presented) / (2LL * results.presented));
}

int MeanCatchMs(const GameResults& results) {
  if (results.caught == 0) return 0;
  return static_cast<int>((results.catchMsTotal + results.caught / 2) / results.caught);
}

std::vector<std::pair<QString, int>> EscapedMostOftenFirst(const GameResults& results) {
  // A katakana string takes its hiragana's place in the table.
  auto tableIndex = [](const QString& moji) {
    const QString hiragana = HiraganaOf(moji);
    for (int k = 1; k <= MojiTableSize; ++k) {
      if (Game.MojiTable[k] == hiragana) return k;
    }
    return MojiTableSize + 1;
  };
  std::vector<std::pair<QString, int>> list(results.escaped.begin(), results.escaped.end());
  std::stable_sort(list.begin(), list.end(), [&](const auto& a, const auto& b) {
    if (a.second != b.second) return a.second > b.second;
    return tableIndex(a.first) < tableIndex(b.first);
  });
  return list;
}
