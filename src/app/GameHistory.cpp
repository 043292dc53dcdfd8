#include "app/GameHistory.h"

#include <QDir>
#include <QStandardPaths>

#include "history/HistorySummary.h"
#include "history/PracticePlanNow.h"
#include "platform/system/WallClock.h"
#include "rules/kana/MojiTable.h"
#include "rules/kana/PracticePick.h"
#include "rules/kana/SettingsMenus.h"
#include "rules/kana/WordLessons.h"
#include "rules/kana/WordList.h"
#include "state/GameState.h"

namespace {

// "前回 60 % → 今回 75 %、平均時間 1.4 秒 → 1.1 秒".
QString Comparison(const GameRecord& previous, const GameRecord& now) {
  return QStringLiteral("前回 %1 % → 今回 %2 %、平均時間 %3 → %4")
      .arg(CatchRateOf(previous))
      .arg(CatchRateOf(now))
      .arg(SecondsText(previous.meanCatchMs), SecondsText(now.meanCatchMs));
}

}  // namespace

GameHistory::GameHistory(std::function<void()> changed) : keeper(std::move(changed)) {}

void GameHistory::Open() {
  // Named here rather than by the application's data folder, which moves
  // with the organisation name: every earlier game stays where it was.
  const QDir folder(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
  keeper.Open(folder.filePath(QStringLiteral("kanacatch/history.sqlite")));
}

void GameHistory::GameStarting() {
  if (Game.LessonNo == PracticeLessonNo) {
    SetPracticeWeights(WeightsOf(PracticePlanNow(keeper.Games(), ChosenScript())));
  } else if (Game.LessonNo == WordPracticeLessonNo) {
    SetWordPracticeWeights(WeightsOf(WordPracticePlanNow(keeper.Games(), ChosenScript())));
  }
}

QString GameHistory::GameEnded(std::function<void(const SaveReport&)> done) {
  const GameRecord game = RecordOfGame(Game.Results, Game.LessonNo, Game.SpeedLevel, Game.MojiTotal,
                                       ChosenScript(), platform::WallClock());
  keeper.Record(game, std::move(done));
  if (game.lessonNo != PracticeLessonNo && game.lessonNo != WordPracticeLessonNo) return {};
  const std::vector<GameRecord> previous =
      LastGamesOf(keeper.Games(), game.lessonNo, game.script, 1);
  if (previous.empty()) {
    return (game.script == KanaScript::Katakana ? QStringLiteral("カタカナの") : QString()) +
           (game.lessonNo == WordPracticeLessonNo ? QStringLiteral("にがてなことば")
                                                  : QStringLiteral("にがてな文字")) +
           QStringLiteral("の、はじめてのゲームです。");
  }
  return Comparison(previous.front(), game);
}

int GameHistory::PresentedInChosenScript(int practiceLessonNo) const {
  const History own = OfScript(keeper.Games(), ChosenScript());
  return PresentedTotal(practiceLessonNo == WordPracticeLessonNo ? WordsOf(own) : own);
}

bool GameHistory::PracticeReady(int practiceLessonNo) const {
  return PresentedInChosenScript(practiceLessonNo) >= PracticeMinimumPresented &&
         WhyNotPlayable(practiceLessonNo, ChosenScript()).isEmpty();
}
