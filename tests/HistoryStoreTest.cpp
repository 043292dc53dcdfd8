// The history store, through the module the program loads, on real files:
// what it keeps, and what it does with files it cannot use.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <functional>
#include <memory>

#include "history/HistoryStore.h"
#include "platform/ProgramFolder.h"
#include "platform/ProgramModule.h"
#include "support/SampleGames.h"

namespace {

class HistoryStoreTest : public testing::Test {
 protected:
  void SetUp() override {
    platform::UseProgramFolder(QStringLiteral(KANACATCH_APP_DIR));
    path = QDir(folder.path()).filePath(QStringLiteral("kanacatch/history.sqlite"));
  }
  void TearDown() override { platform::UseProgramFolder({}); }

  static std::unique_ptr<HistoryStore> NewStore() {
    const auto create = reinterpret_cast<CreateHistoryStoreFunction>(
        platform::ProgramModuleFunction(HistoryModuleName, CreateHistoryStoreSymbol, nullptr));
    return std::unique_ptr<HistoryStore>(create ? create() : nullptr);
  }

  // Saves games 1 to `count` into a new file, and closes it.
  void SaveGames(int count) {
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

  // A connection of the test's own, as another program would hold one.
  QSqlDatabase OtherProgram() {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
    db.setDatabaseName(path);
    EXPECT_TRUE(db.open());
    return db;
  }

  static QByteArray Digest(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly)
               ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1)
               : QByteArray();
  }

  QTemporaryDir folder;
  QString path;
};

void ExpectSameGames(const History& history, int count) {
  ASSERT_EQ(static_cast<int>(history.games.size()), count);
  int presented = 0;
  for (int n = 1; n <= count; ++n) {
    const GameRecord expected = SampleGame(n);
    const GameRecord& game = history.games[n - 1];
    EXPECT_EQ(game.playedAt, expected.playedAt);
    EXPECT_EQ(std::tie(game.lessonNo, game.speedLevel, game.mojiTotal, game.presented, game.caught,
                       game.meanCatchMs),
              std::tie(expected.lessonNo, expected.speedLevel, expected.mojiTotal,
                       expected.presented, expected.caught, expected.meanCatchMs));
    presented += game.presented;
  }
  // Each game's strings came with it: their figures add up to the games'.
  int stringsPresented = 0;
  for (const auto& [moji, tally] : history.mojiTotals) stringsPresented += tally.presented;
  EXPECT_EQ(stringsPresented, presented);
}

}  // namespace

TEST_F(HistoryStoreTest, KeepsEveryGameWithItsStringsAcrossReopening) {
  ASSERT_NE(NewStore(), nullptr) << "the history module did not load";
  SaveGames(3);
  const History history = Reopened();
  ExpectSameGames(history, 3);
  // あ is caught in games 1, 2 and 3 (n caught of the first strings): 1001, 1002, 1003 ms.
  const MojiTally a = history.mojiTotals.at(QStringLiteral("あ"));
  EXPECT_EQ(std::tie(a.presented, a.caught, a.escaped, a.catchMs),
            std::tuple(3, 3, 0, int64_t{3006}));
  const MojiTally i = history.mojiTotals.at(QStringLiteral("ぃ"));
  EXPECT_EQ(std::tie(i.presented, i.caught, i.escaped), std::tuple(3, 2, 1));
}

// A damaged file is renamed byte for byte, with its -wal and -shm, and a
// fresh history begins beside it.
TEST_F(HistoryStoreTest, SetsADamagedFileAsideUntouchedAndBeginsAFreshOne) {
  const std::pair<const char*, std::function<void(QFile&)>> damages[] = {
      {"truncated", [](QFile& file) { file.resize(file.size() / 2 + 100); }},
      {"not a database", [](QFile& file) { file.write("Kana catch scores\n", 18); }},
  };
  for (const auto& [name, damage] : damages) {
    SCOPED_TRACE(name);
    QDir(folder.path()).removeRecursively();
    SaveGames(4);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    damage(file);
    file.close();
    QFile(path + "-wal").open(QIODevice::WriteOnly);
    const QByteArray damaged = Digest(path);

    const auto store = NewStore();
    const OpenReport report = store->Open(path);
    ASSERT_EQ(report.outcome, OpenOutcome::Damaged);
    const QString aside = QFileInfo(path).dir().filePath(report.detail);
    EXPECT_EQ(Digest(aside), damaged);
    EXPECT_TRUE(QFileInfo::exists(aside + "-wal"));
    EXPECT_TRUE(store->Load().games.empty());
    EXPECT_TRUE(store->Save(SampleGame(1)).saved);
    ExpectSameGames(Reopened(), 1);
  }
}

// A file another program holds, or one from a newer version of the game,
// keeps every byte and every game: nothing is written to it.
TEST_F(HistoryStoreTest, LeavesALockedOrNewerFileAsItIsAndSavesNothing) {
  for (const OpenOutcome refused : {OpenOutcome::Locked, OpenOutcome::Newer}) {
    SCOPED_TRACE(static_cast<int>(refused));
    QDir(folder.path()).removeRecursively();
    SaveGames(2);
    {
      QSqlDatabase other = OtherProgram();
      QSqlQuery(other).exec(refused == OpenOutcome::Newer ? "PRAGMA user_version = 2"
                                                          : "BEGIN IMMEDIATE");
      const QByteArray before = Digest(path);
      const auto store = NewStore();
      EXPECT_EQ(store->Open(path).outcome, refused);
      EXPECT_FALSE(store->Save(SampleGame(3)).saved);
      EXPECT_EQ(Digest(path), before);
      if (refused == OpenOutcome::Newer) QSqlQuery(other).exec("PRAGMA user_version = 1");
      other.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
    ExpectSameGames(Reopened(), 2);
  }
}

// Where the file cannot be written, the earlier games are still shown and
// the next one is reported as not saved.
TEST_F(HistoryStoreTest, InAReadOnlyFolderReadsTheEarlierGamesAndReportsTheNextOneUnsaved) {
  SaveGames(2);
  const QString data = QFileInfo(path).absolutePath();
  // The superuser writes through permissions; the immutable flag stops it.
  const auto lock = [&](bool on) {
    if (geteuid() == 0) {
      QProcess::execute(QStringLiteral("chattr"), {on ? "+i" : "-i", data, path});
    } else {
      const auto readOnly = QFile::ReadOwner | QFile::ExeOwner;
      QFile::setPermissions(data, on ? readOnly : readOnly | QFile::WriteOwner);
      QFile::setPermissions(path, on ? QFile::ReadOwner : QFile::ReadOwner | QFile::WriteOwner);
    }
  };
  lock(true);
  {
    const auto store = NewStore();
    const OpenReport report = store->Open(path);
    const History history = store->Load();
    const SaveReport save = store->Save(SampleGame(3));
    lock(false);
    EXPECT_EQ(report.outcome, OpenOutcome::ReadOnly);
    ExpectSameGames(history, 2);
    EXPECT_FALSE(save.saved);
    EXPECT_FALSE(save.error.isEmpty());
  }
  ExpectSameGames(Reopened(), 2);
}

// A real writer process killed at moments spread over its writes: every
// game it had committed is there, whole, and the file is sound.
TEST_F(HistoryStoreTest, AWriterKilledInTheMiddleOfAWriteLosesNoEarlierGame) {
  for (int round = 0; round < 4; ++round) {
    SCOPED_TRACE(round);
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

    const auto store = NewStore();
    ASSERT_EQ(store->Open(path).outcome, OpenOutcome::Opened);
    const History history = store->Load();
    ASSERT_GE(static_cast<int>(history.games.size()), committed);
    ExpectSameGames(history, static_cast<int>(history.games.size()));
  }
}
