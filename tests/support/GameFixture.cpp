#include "support/GameFixture.h"

#include "platform/system/Caches.h"
#include "platform/system/Services.h"
#include "platform/system/TextBox.h"
#include "rules/control/GameControl.h"
#include "rules/control/MainLoop.h"
#include "rules/kana/MojiTable.h"
#include "rules/kana/WordList.h"
#include "state/GameState.h"
#include "state/Pictures.h"

void GameFixture::SetUp() {
  platform::UseServices(
      {.ticks = &clock, .waves = &sounds, .music = &music, .screen = {1024, 768}});
  platform::ResetRandom();
  platform::ForgetCaches();
  platform::DetachedText1() = platform::DetachedTextBox{};
  ClearGameState();
  SizePictures();
  InitSettings();
  SetHoleRects();
  MakeMojiTable();
}

void GameFixture::TearDown() { platform::ResetServices(); }

void GameFixture::Pass(uint32_t ms) {
  clock.Advance(ms);
  MainLoopPass();
}

void GameFixture::Raise(int h, const QString& moji, int rows) {
  Game.HoleMoji[h] = moji;
  Game.KobRect[h].Top = Game.RestY[h] - rows;
  Game.KobRising[h] = true;
}

QStringList EntriesOf(int lessonNo) {
  const LessonRange range = LessonRangeOf(lessonNo);
  QStringList entries;
  for (int k = range.Base + 1; k <= range.Base + range.Size; ++k) entries << Game.MojiTable[k];
  return entries;
}

void ReadShippedWordTables() {
  for (const KanaScript script : {KanaScript::Hiragana, KanaScript::Katakana})
    (script == KanaScript::Hiragana ? Game.HiraganaWords : Game.KatakanaWords) =
        ReadWordTable(KANACATCH_WORD_TABLES "/" + WordTableFileName(script), script);
}
