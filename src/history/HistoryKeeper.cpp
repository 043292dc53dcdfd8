#include "history/HistoryKeeper.h"

#include <QStringList>

#include "platform/system/ProgramFolder.h"
#include "platform/system/ProgramModule.h"

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
  file = path;
  thread.start();
  QMetaObject::invokeMethod(&worker, [this, path, folder = platform::ProgramFolder()] {
    QString error;
    const auto create = reinterpret_cast<CreateHistoryStoreFunction>(
        platform::ModuleFunction(folder, HistoryModuleName, CreateHistoryStoreSymbol, &error));
    OpenReport report{OpenOutcome::Unavailable, error};
    History loaded;
    if (create) {
      store.reset(create());
      report = store->Open(path);
      loaded = store->Load();
    }
    keeping = report.outcome == OpenOutcome::Opened || report.outcome == OpenOutcome::Damaged ||
              report.outcome == OpenOutcome::ReadOnly;
    refusal = {false, RefusedBecause(report.outcome), report.detail};
    QMetaObject::invokeMethod(
        &home, [this, report, loaded = std::move(loaded)] { Opened(report, std::move(loaded)); });
  });
}

void HistoryKeeper::Record(const GameRecord& game, std::function<void(const SaveReport&)> done) {
  if (!thread.isRunning()) return;
  QMetaObject::invokeMethod(&worker, [this, game, done = std::move(done)] {
    const SaveReport report = keeping ? store->Save(game) : refusal;
    QMetaObject::invokeMethod(&home, [this, game, report, tried = keeping, done] {
      Saved(game, report, tried);
      if (done) done(report);
    });
  });
}

void HistoryKeeper::Opened(const OpenReport& report, History loaded) {
  history = std::move(loaded);
  status.ready = true;
  status.outcome = report.outcome;
  status.detail = report.detail;
  status.why = report.why;
  status.gamesLeftOut = static_cast<int>(history.gamesLeftOut.size());
  if (!history.gamesLeftOut.empty()) {
    // Once a run, for whoever looks into the file.
    QStringList ids;
    for (const int64_t id : history.gamesLeftOut) ids << QString::number(id);
    qWarning("kanacatch: %s: games with values out of range left out (game ids %s)",
             qUtf8Printable(file), qUtf8Printable(ids.join(QStringLiteral(", "))));
  }
  if (changed) changed();
}

void HistoryKeeper::Saved(const GameRecord& game, const SaveReport& report, bool tried) {
  // A file refused at the start has been said so already.
  if (!tried) return;
  status.lastSaveFailed = !report.saved;
  status.saveWhy = report.why;
  status.saveError = report.error;
  if (report.saved) AddToHistory(history, game);
  if (changed) changed();
}
