// Saves made-up games into a history file for as long as it runs, through
// the program's own history module, printing "saved <n>" once game n is
// committed. The tests kill it at a random moment, in the middle of a write.
//   kanacatch_history_writer <folder of the module> <history file>
#include <QCoreApplication>
#include <cstdio>
#include <memory>

#include "history/HistoryStore.h"
#include "platform/system/ProgramModule.h"
#include "platform/system/Services.h"
#include "support/SampleGames.h"

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  if (argc != 3) return 2;
  platform::UseServices({.programFolder = QString::fromLocal8Bit(argv[1])});
  const auto create = reinterpret_cast<CreateHistoryStoreFunction>(
      platform::ProgramModuleFunction(HistoryModuleName, CreateHistoryStoreSymbol, nullptr));
  if (!create) return 3;
  const std::unique_ptr<HistoryStore> store(create());
  if (store->Open(QString::fromLocal8Bit(argv[2])).outcome != OpenOutcome::Opened) return 4;
  for (int n = 1;; ++n) {
    if (!store->Save(SampleGame(n)).saved) return 5;
    std::printf("saved %d\n", n);
    std::fflush(stdout);
  }
}
