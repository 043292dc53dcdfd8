// Times the history's writes of a game of 30 strings: the store's own write
// (one transaction, synced to the disk), as it runs on the history's thread,
// and HistoryKeeper::Record on the game's thread, which only hands the game
// over. Prints both distributions in milliseconds.
#include <QCoreApplication>
#include <QTemporaryDir>
#include <memory>

#include "bench/Distribution.h"
#include "history/HistoryKeeper.h"
#include "platform/system/ProgramFolder.h"
#include "platform/system/ProgramModule.h"
#include "platform/system/Services.h"
#include "support/SampleGames.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  constexpr int Games = 100;
  platform::ChangeServices(
      [&](platform::Services& s) { s.programFolder = QStringLiteral(KANACATCH_APP_DIR); });
  QTemporaryDir folder;

  const auto create = reinterpret_cast<CreateHistoryStoreFunction>(
      platform::ProgramModuleFunction(HistoryModuleName, CreateHistoryStoreSymbol, nullptr));
  if (!create) return 1;
  const std::unique_ptr<HistoryStore> store(create());
  if (store->Open(folder.filePath(QStringLiteral("direct.sqlite"))).outcome != OpenOutcome::Opened)
    return 1;
  std::vector<double> saveMs;
  for (int n = 1; n <= Games; ++n) {
    const Clock::time_point begin = Clock::now();
    store->Save(SampleGame(n));
    saveMs.push_back(Ms(Clock::now() - begin));
  }
  PrintDistribution("save_ms", saveMs);

  HistoryKeeper keeper(nullptr);
  keeper.Open(folder.filePath(QStringLiteral("kept.sqlite")));
  std::vector<double> recordMs;
  for (int n = 1; n <= Games; ++n) {
    const Clock::time_point begin = Clock::now();
    keeper.Record(SampleGame(n));
    recordMs.push_back(Ms(Clock::now() - begin));
  }
  while (keeper.Games().games.size() < size_t{Games}) QCoreApplication::processEvents();
  PrintDistribution("record_ms", recordMs);
  return 0;
}
