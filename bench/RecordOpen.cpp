// Times the 記録 window with 1,000 games kept: the history read at start-up
// (on the history's thread, before the window can show anything), the
// window's first opening (the chart's module loaded then), and its later
// openings, each from the menu command to the window painted. Prints the
// distributions in milliseconds.
#include <QApplication>
#include <QPointer>
#include <QTemporaryDir>
#include <cstdio>
#include <memory>

#include "bench/Distribution.h"
#include "history/HistoryKeeper.h"
#include "platform/system/ProgramFolder.h"
#include "platform/system/ProgramModule.h"
#include "platform/system/Services.h"
#include "rules/kana/MojiTable.h"
#include "screens/RecordForm.h"
#include "state/GameState.h"
#include "support/SampleGames.h"

namespace {

// Milliseconds from the menu command to the window's picture.
double OpenRecordForm(QPointer<RecordForm>& record, const HistoryKeeper& keeper) {
  const Clock::time_point begin = Clock::now();
  RecordShow_Click(record, keeper, nullptr);
  QApplication::processEvents();
  record->grab();
  return Ms(Clock::now() - begin);
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  constexpr int Games = 1000;
  constexpr int Openings = 10;
  platform::ChangeServices(
      [&](platform::Services& s) { s.programFolder = QStringLiteral(KANACATCH_APP_DIR); });
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("history.sqlite"));
  {
    const auto create = reinterpret_cast<CreateHistoryStoreFunction>(
        platform::ProgramModuleFunction(HistoryModuleName, CreateHistoryStoreSymbol, nullptr));
    if (!create) return 1;
    const std::unique_ptr<HistoryStore> store(create());
    if (store->Open(path).outcome != OpenOutcome::Opened) return 1;
    // Ten games a day over a hundred days, for the page of days.
    for (int n = 1; n <= Games; ++n) {
      GameRecord game = SampleGame(n);
      game.playedAt = SampleGame(1).playedAt.addSecs(8640LL * n);
      store->Save(game);
    }
  }

  Game.LessonNo = 1;
  MakeMojiTable();  // the practice's plan, on its page, runs over the table
  const Clock::time_point begin = Clock::now();
  HistoryKeeper keeper(nullptr);
  keeper.Open(path);
  while (!keeper.Status().ready) QApplication::processEvents();
  const double readMs = Ms(Clock::now() - begin);
  if (keeper.Games().games.size() != size_t{Games}) return 1;
  std::printf("read_ms n=1 p50=%.2f p90=%.2f p99=%.2f max=%.2f\n", readMs, readMs, readMs, readMs);

  QPointer<RecordForm> record;
  std::vector<double> firstMs{OpenRecordForm(record, keeper)};
  std::vector<double> laterMs;
  for (int n = 0; n < Openings; ++n) {
    CloseRecordForm(record);
    QApplication::processEvents();
    laterMs.push_back(OpenRecordForm(record, keeper));
  }
  PrintDistribution("first_open_ms", firstMs);
  PrintDistribution("open_ms", laterMs);
  CloseRecordForm(record);
  return 0;
}
