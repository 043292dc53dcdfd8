#include "history/HistoryKeeper.h"

#include "platform/ProgramModule.h"

HistoryKeeper::HistoryKeeper(std::function<void()> changed) : changed(std::move(changed)) {
  worker.moveToThread(&thread);
}

HistoryKeeper::~HistoryKeeper() {
  if (!thread.isRunning()) return;
  // After the writes already asked for: the store closes on its own thread.
  QMetaObject::invokeMethod(&worker, [this] {
    store.reset();
    QThread::currentThread()->quit();
  });
  thread.wait();
}

void HistoryKeeper::Open(const QString& path) {
  thread.start();
  QMetaObject::invokeMethod(&worker, [this, path] {
    QString error;
    const auto create = reinterpret_cast<CreateHistoryStoreFunction>(
        platform::ProgramModuleFunction(HistoryModuleName, CreateHistoryStoreSymbol, &error));
    OpenReport report{OpenOutcome::Unavailable, error};
    History loaded;
    if (create) {
      store.reset(create());
      report = store->Open(path);
      loaded = store->Load();
    }
    keeping = report.outcome == OpenOutcome::Opened || report.outcome == OpenOutcome::Damaged ||
              report.outcome == OpenOutcome::ReadOnly;
    QMetaObject::invokeMethod(
        &home, [this, report, loaded = std::move(loaded)] { Opened(report, std::move(loaded)); });
  });
}

void HistoryKeeper::Record(const GameRecord& game) {
  if (!thread.isRunning()) return;
  QMetaObject::invokeMethod(&worker, [this, game] {
    std::optional<SaveReport> report;
    if (keeping) report = store->Save(game);
    QMetaObject::invokeMethod(&home, [this, game, report] { Saved(game, report); });
  });
}

void HistoryKeeper::Opened(const OpenReport& report, History loaded) {
  history = std::move(loaded);
  status.ready = true;
  status.outcome = report.outcome;
  status.detail = report.detail;
  if (changed) changed();
}

void HistoryKeeper::Saved(const GameRecord& game, const std::optional<SaveReport>& report) {
  if (!report) return;
  status.lastSaveFailed = !report->saved;
  status.saveError = report->error;
  if (report->saved) AddToHistory(history, game);
  if (changed) changed();
}
