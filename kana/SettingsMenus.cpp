#include "kana/SettingsMenus.h"

#include "core/GameState.h"

SettingsChecks MenuChecks;

namespace {

template <int N>
void CheckOnly(OneBased<bool, N>& marks, int index) {
  for (int item = 1; item <= N; ++item) marks[item] = false;
  marks[index] = true;
}

constexpr int16_t MojiTotals[3] = {30, 50, 70};

}  // namespace

void SetLayoutChecks() {
  CheckOnly(MenuChecks.LessonCheck, 1);
  CheckOnly(MenuChecks.SpeedCheck, 3);
  CheckOnly(MenuChecks.MojiCount, 1);
}

void LessonCheck_Click(int Index) {
  if (Game.GameRunning) return;
  Game.LessonNo = static_cast<int16_t>(Index);
  CheckOnly(MenuChecks.LessonCheck, Index);
}

void SpeedCheck_Click(int Index) {
  if (Game.GameRunning) return;
  Game.SpeedLevel = static_cast<int16_t>(Index);
  CheckOnly(MenuChecks.SpeedCheck, Index);
}

void MojiCount_Click(int Index) {
  if (Game.GameRunning) return;
  Game.MojiTotal = MojiTotals[Index - 1];
  CheckOnly(MenuChecks.MojiCount, Index);
}
