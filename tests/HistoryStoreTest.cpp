// The history store, through the module the program loads, on real files:
// what it keeps, and what it does with files it cannot use.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <memory>

#include "history/HistoryStore.h"
#include "platform/ProgramFolder.h"
#include "platform/ProgramModule.h"
#include "support/SampleGames.h"

namespace {

class HistoryStoreTest : public testing::Test {
 protected:
  void SetUp() override { platform::UseProgramFolder(QStringLiteral(KANACATCH_APP_DIR)); }
  void TearDown() override { platform::UseProgramFolder({}); }

  static std::unique_ptr<HistoryStore> NewStore() {
    const auto create = reinterpret_cast<CreateHistoryStoreFunction>(
        platform::ProgramModuleFunction(HistoryModuleName, CreateHistoryStoreSymbol, nullptr));
    return std::unique_ptr<HistoryStore>(create ? create() : nullptr);
  }

  // A fresh file with games 1 to `count`, closed again.
  void SaveGames(int count) {
    QDir(folder.path()).removeRecursively();
    const auto store = NewStore();
    ASSERT_EQ(store->Open(path).outcome, OpenOutcome::Opened);
    for (int n = 1; n <= count; ++n) ASSERT_TRUE(store->Save(SampleGame(n)).saved);
  }

  // What a new store finds in the file.
  History Reopened(OpenOutcome expected = OpenOutcome::Opened) {
    const auto store = NewStore();
    EXPECT_EQ(store->Open(path).outcome, expected);
    return store->Load();
  }

  static QByteArray Digest(const QString& file) {
    QFile f(file);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1);
  }

  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("kanacatch/history.sqlite"));
};

// Games 1 to `count`, each whole: its strings' figures add up to its own.
void ExpectGames(const History& history, int count) {
  ASSERT_EQ(static_cast<int>(history.games.size()), count);
  int presented = 0;
  for (int n = 1; n <= count; ++n) {
    const GameRecord& game = history.games[n - 1];
    EXPECT_EQ(game.playedAt, SampleGame(n).playedAt);
    EXPECT_EQ(std::tie(game.lessonNo, game.caught, game.meanCatchMs),
              std::tuple(SampleGame(n).lessonNo, SampleGame(n).caught, SampleGame(n).meanCatchMs));
    presented += game.presented;
  }
  for (const auto& [moji, tally] : history.mojiTotals) presented -= tally.presented;
  EXPECT_EQ(presented, 0);
}

}  // namespace

TEST_F(HistoryStoreTest, KeepsEveryGameWithItsStringsAcrossReopening) {
  ASSERT_NE(NewStore(), nullptr) << "the history module did not load";
  SaveGames(3);
  const History history = Reopened();
  ExpectGames(history, 3);
  // ぃ, the second string, is caught in games 2 and 3 (game n catches n).
  const MojiTally i = history.mojiTotals.at(QStringLiteral("ぃ"));
  EXPECT_EQ(std::tie(i.presented, i.caught, i.escaped, i.catchMs),
            std::tuple(3, 2, 1, int64_t{2005}));
}

// A damaged file is renamed byte for byte, with its -wal, and a fresh
// history begins beside it.
TEST_F(HistoryStoreTest, SetsADamagedFileAsideUntouchedAndBeginsAFreshOne) {
  for (const bool truncated : {true, false}) {
    SCOPED_TRACE(truncated ? "truncated" : "not a database");
    SaveGames(4);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    truncated ? file.resize(file.size() / 2 + 100) : file.write("Kana catch scores\n");
    file.close();
    QFile(path + "-wal").open(QIODevice::WriteOnly);
    const QByteArray damaged = Digest(path);

    const auto store = NewStore();
    const OpenReport report = store->Open(path);
    ASSERT_EQ(report.outcome, OpenOutcome::Damaged);
    EXPECT_EQ(Digest(folder.filePath("kanacatch/" + report.detail)), damaged);
    EXPECT_TRUE(QFile::exists(folder.filePath("kanacatch/" + report.detail + "-wal")));
    EXPECT_TRUE(store->Load().games.empty());
    EXPECT_TRUE(store->Save(SampleGame(1)).saved);
    ExpectGames(Reopened(), 1);
  }
}

// A file another program holds, or one from a newer version of the game,
// keeps every byte and every game.
TEST_F(HistoryStoreTest, LeavesALockedOrNewerFileAsItIsAndSavesNothing) {
  for (const OpenOutcome refused : {OpenOutcome::Locked, OpenOutcome::Newer}) {
    SaveGames(2);
    {
      QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "other");
      other.setDatabaseName(path);
      ASSERT_TRUE(other.open());
      const bool newer = refused == OpenOutcome::Newer;
      QSqlQuery(other).exec(newer ? "PRAGMA user_version = 2" : "BEGIN IMMEDIATE");
      const QByteArray before = Digest(path);
      const auto store = NewStore();
      EXPECT_EQ(store->Open(path).outcome, refused);
      EXPECT_FALSE(store->Save(SampleGame(3)).saved);
      EXPECT_EQ(Digest(path), before);
      if (newer) QSqlQuery(other).exec("PRAGMA user_version = 1");
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
    ExpectGames(Reopened(), 2);
  }
}

TEST_F(HistoryStoreTest, InAReadOnlyFolderReadsTheEarlierGamesAndReportsTheNextOneUnsaved) {
  SaveGames(2);
  const QString data = QFileInfo(path).absolutePath();
  // The superuser writes through permissions; the immutable flag stops it.
  const auto lock = [&](bool on) {
    if (geteuid() == 0) {
      QProcess::execute(QStringLiteral("chattr"), {on ? "+i" : "-i", data, path});
    } else {
      const QFile::Permissions read = QFile::ReadOwner | QFile::ExeOwner;
      QFile::setPermissions(data, on ? read : read | QFile::WriteOwner);
      QFile::setPermissions(path, on ? read : read | QFile::WriteOwner);
    }
  };
  lock(true);
  const auto store = NewStore();
  const OpenReport report = store->Open(path);
  const History history = store->Load();
  const SaveReport save = store->Save(SampleGame(3));
  lock(false);
  EXPECT_EQ(report.outcome, OpenOutcome::ReadOnly);
  ExpectGames(history, 2);
  EXPECT_FALSE(save.saved || save.error.isEmpty());
  ExpectGames(Reopened(), 2);
}

// A real writer process killed at moments spread over its writes (each takes
// a few ms): every game it had committed is there, whole.
TEST_F(HistoryStoreTest, AWriterKilledInTheMiddleOfAWriteLosesNoEarlierGame) {
  for (int round = 0; round < 4; ++round) {
    QDir(folder.path()).removeRecursively();
    QProcess writer;
    writer.start(QStringLiteral(KANACATCH_HISTORY_WRITER),
                 {QStringLiteral(KANACATCH_APP_DIR), path});
    int committed = 0;
    const auto readCommitted = [&] {
      while (writer.canReadLine()) committed = writer.readLine().mid(6).trimmed().toInt();
    };
    while (committed < 3 + round && writer.waitForReadyRead(20000)) readCommitted();
    ASSERT_GE(committed, 3 + round) << "the writer did not write";
    QThread::usleep(1700 * round);
    writer.kill();
    writer.waitForFinished();
    readCommitted();
    const History history = Reopened();
    ASSERT_GE(static_cast<int>(history.games.size()), committed);
    ExpectGames(history, static_cast<int>(history.games.size()));
  }
}
