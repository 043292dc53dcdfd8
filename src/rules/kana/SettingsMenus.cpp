#include "rules/kana/SettingsMenus.h"

#include "state/GameState.h"

namespace {

constexpr int16_t MojiTotals[3] = {30, 50, 70};

}  // namespace

int16_t MojiTotalOf(int Index) { return MojiTotals[Index - 1]; }

void LessonCheck_Click(int Index) {
  if (Game.GameRunning) return;
  Game.LessonNo = static_cast<int16_t>(Index);
}

void SpeedCheck_Click(int Index) {
  if (Game.GameRunning) return;
  Game.SpeedLevel = static_cast<int16_t>(Index);
}

void MojiCount_Click(int Index) {
  if (Game.GameRunning) return;
  Game.MojiTotal = MojiTotalOf(Index);
}

void RomajiHint_Click() { Game.RomajiHint = !Game.RomajiHint; }

void Katakana_Click() {
  if (Game.GameRunning) return;
  Game.Katakana = !Game.Katakana;
}

KanaScript ChosenScript() { return Game.Katakana ? KanaScript::Katakana : KanaScript::Hiragana; }
