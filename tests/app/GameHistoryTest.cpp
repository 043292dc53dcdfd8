// The history of games: the store module the program loads, on real files,
// what it keeps and what it does with files it cannot use; and the history
// as the program uses it: read at start-up, given every game that ends by
// itself, shown in the 記録 window, and the source of the practice of weak
// strings.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QAction>
#include <QCryptographicHash>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <csignal>

#include "app/GameHistory.h"
#include "app/MainForm.h"
#include "history/HistoryStore.h"
#include "platform/system/ProgramModule.h"
#include "platform/system/Services.h"
#include "rules/kana/WordLessons.h"
#include "screens/RecordForm.h"
#include "screens/ResultsForm.h"
#include "state/GameState.h"
#include "support/GameFixture.h"
#include "support/MediaFiles.h"
#include "support/QtPrinters.h"
#include "support/SampleGames.h"

namespace {

class HistoryTest : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    dataHomeBefore = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    // Where the games have always been kept, whatever the organisation name.
    path = data.path() + "/kanacatch/history.sqlite";
    platform::ChangeServices(
        [&](platform::Services& s) { s.programFolder = QStringLiteral(KANACATCH_APP_DIR); });
  }
  void TearDown() override {
    form.reset();
    qputenv("XDG_DATA_HOME", dataHomeBefore);
    GameFixture::TearDown();
  }

  static std::unique_ptr<HistoryStore> NewStore() {
    const auto create = reinterpret_cast<CreateHistoryStoreFunction>(
        platform::ProgramModuleFunction(HistoryModuleName, CreateHistoryStoreSymbol, nullptr));
    return std::unique_ptr<HistoryStore>(create ? create() : nullptr);
  }

  // A fresh file with games 1 to `count`, closed again.
  void SaveGames(int count) {
    QDir(data.path()).removeRecursively();
    const auto store = NewStore();
    ASSERT_EQ(store->Open(path).outcome, OpenOutcome::Opened);
    for (int n = 1; n <= count; ++n) ASSERT_TRUE(store->Save(SampleGame(n)).saved);
  }

  // What a new store finds in the file.
  History Reopened() {
    const auto store = NewStore();
    EXPECT_EQ(store->Open(path).outcome, OpenOutcome::Opened);
    return store->Load();
  }

  QByteArray Digest(const QString& name) const {
    QFile file(QFileInfo(path).dir().filePath(name));
    file.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1);
  }

  // The main window, for games at the fast speed, with the history read.
  void OpenHistory() {
    Game.SpeedLevel = 1;
    form.reset();  // before the next one sets its hooks
    form = std::make_unique<MainForm>();
    form->show();
    form->History->Open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Keeper().Status().ready; }));
  }
  const HistoryKeeper& Keeper() const { return form->History->Keeper(); }

  // Plays a game to its end and waits until the history holds `kept` games.
  void PlayToTheEnd(size_t kept) {
    form->Start->trigger();
    RunPassesUntil([] { return !Game.GameRunning; }, 31);
    ASSERT_NE(form->ResultsWindow.data(), nullptr) << "the game ended as ever";
    QTest::qWait(20);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Keeper().Games().games.size() == kept; }));
  }

  RecordForm& ShowRecord() {
    form->RecordShow->trigger();
    return *form->RecordWindow.data();
  }

  // The rows of a table of the 記録 window, cells joined by spaces.
  static QStringList Rows(const QTableWidget& table) {
    QStringList rows;
    for (int row = 0; row < table.rowCount(); ++row) {
      QStringList cells;
      for (int column = 0; column < table.columnCount(); ++column)
        cells << table.item(row, column)->text();
      rows << cells.join(' ');
    }
    return rows;
  }

  QString ResultsText() const {
    QString text;
    for (const QLabel* label : form->ResultsWindow->findChildren<QLabel*>())
      text += label->text() + '\n';
    return text;
  }

  QTemporaryDir data;
  QByteArray dataHomeBefore;
  QString path;
  std::unique_ptr<MainForm> form;
};

// Games 1 to `count`, each whole and in its script: its strings' figures add up to its own.
void ExpectGames(const History& history, int count) {
  ASSERT_EQ(static_cast<int>(history.games.size()), count);
  int presented = 0;
  for (int n = 1; n <= count; ++n) {
    const GameRecord& game = history.games[n - 1];
    const GameRecord sample = SampleGame(n);
    EXPECT_EQ(game.playedAt, sample.playedAt);
    EXPECT_EQ(std::tuple(game.lessonNo, game.caught, game.meanCatchMs, int(game.script)),
              std::tuple(sample.lessonNo, sample.caught, sample.meanCatchMs, int(sample.script)))
        << "game " << n << ": lesson, caught, mean catch, 1 in katakana";
    presented += game.presented;
  }
  for (const auto& [moji, tally] : history.mojiTotals) presented -= tally.presented;
  EXPECT_EQ(presented, 0);
}

}  // namespace

TEST_F(HistoryTest, KeepsEveryGameAndShowsThemPerLessonInAChartAndTheWeakestOnASmallScreen) {
  ASSERT_NE(NewStore(), nullptr) << "the history module did not load";
  SaveGames(14);
  ExpectGames(Reopened(), 14);

  OpenHistory();
  EXPECT_TRUE(form->LessonCheck[PracticeLessonNo]->isEnabled());
  platform::ChangeServices([&](platform::Services& s) { s.screen = {640, 480}; });
  RecordForm& record = ShowRecord();
  EXPECT_TRUE(record.Notice->isHidden());
  // Game n, of lesson (n - 1) % 12 + 1, caught n strings: per lesson and
  // script (game 13 in katakana) its games and the last one's rate, then the
  // ten strings the hiragana practice asks for most: the next three of the
  // rows played that never came, then those never caught.
  const QStringList lessons = Rows(*record.Lessons), weakest = Rows(*record.Weakest);
  EXPECT_EQ(QStringList(lessons.first(3) + lessons.last(1) + weakest.mid(2, 2)).join('|'),
            "あ行、か行 １ 1 3 % 3 % 1.0 秒|あ行、か行 １（カタカナ） 1 43 % 43 % 1.0 秒|"
            "か行 ２ 2 47 % 47 % 1.0 秒|にがてな文字 1 40 % 40 % 1.0 秒|"
            "きぃ kyi はじめて 7 % 0 / 0 ―|け ke にがて 4 % 0 / 13 ―");
  EXPECT_EQ(std::pair(lessons.size(), weakest.size()), std::pair(qsizetype(13), qsizetype(10)));
  EXPECT_EQ(Rows(*record.Days).join('|'), QString("1月1日（木） 14 420 25 % 1.0 秒"));
  EXPECT_TRUE(record.Chart->inherits("QChartView"));
  EXPECT_TRUE(QRect(0, 0, 640, 480).contains(record.frameGeometry()));
  EXPECT_GE(record.height(), record.minimumSizeHint().height());
}

TEST_F(HistoryTest, KeepsEachEndedGameEnablesThePracticeAndComparesItsGames) {
  ReadShippedWordTables();
  OpenHistory();
  QAction* practice = form->LessonCheck[PracticeLessonNo];
  const auto has = [](const QString& tip, const char* part) { return tip.contains(part); };
  EXPECT_TRUE(ShowRecord().Notice->text().contains(QStringLiteral("まだ記録はありません")));

  PlayToTheEnd(1);
  EXPECT_EQ(ShowRecord().Lessons->rowCount(), 1);
  practice->trigger();
  ASSERT_EQ(Game.LessonNo, PracticeLessonNo) << "enabled with 30 strings presented";
  EXPECT_FALSE(practice->toolTip().contains("opens")) << practice->toolTip().toStdString();
  // The katakana practice opens with katakana games of its own.
  form->Katakana->trigger();
  EXPECT_FALSE(practice->isEnabled());
  EXPECT_EQ(Game.LessonNo, 1) << "にがてな文字 gives way to lesson 1 in katakana";
  EXPECT_PRED2(has, practice->toolTip(), "opens after 10 more strings in any katakana lesson");
  form->Katakana->trigger();
  practice->trigger();
  ASSERT_EQ(Game.LessonNo, PracticeLessonNo) << "open again in hiragana";
  PlayToTheEnd(2);
  EXPECT_TRUE(ResultsText().contains(QStringLiteral("はじめて")));
  PlayToTheEnd(3);
  EXPECT_TRUE(ResultsText().contains(QStringLiteral("前回 ")));
  // にがてなことば opens alike, with the word games of its own script alone.
  QAction* words = form->LessonCheck[WordPracticeLessonNo];
  EXPECT_PRED2(has, words->toolTip(), "opens after 10 more words in any word lesson");
  form->LessonCheck[FirstWordLessonNo]->trigger();
  PlayToTheEnd(4);
  words->trigger();
  ASSERT_EQ(Game.LessonNo, WordPracticeLessonNo);
  form->Katakana->trigger();
  EXPECT_EQ(Game.LessonNo, 1) << "にがてなことば gives way to lesson 1 in katakana";
  EXPECT_PRED2(has, words->toolTip(), "opens after 10 more words in any katakana word lesson");
  form->Katakana->trigger();
  words->trigger();
  PlayToTheEnd(5);
  EXPECT_TRUE(ResultsText().contains(QStringLiteral("にがてなことばの、はじめてのゲームです。")));
  form.reset();
  EXPECT_EQ(Reopened().games.size(), 5u) << "the next start reads them";
}

// A damaged file is renamed byte for byte, with its -wal, and a fresh history
// begins beside it, which the 記録 window says; a missing module costs the
// history, never the game.
TEST_F(HistoryTest, SetsADamagedFileAsideUntouchedAndBeginsAFreshOne) {
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
    EXPECT_EQ(Digest(report.detail), damaged);
    EXPECT_TRUE(QFileInfo(path).dir().exists(report.detail + "-wal"));
    EXPECT_TRUE(store->Load().games.empty());
    EXPECT_TRUE(store->Save(SampleGame(1)).saved);
    ExpectGames(Reopened(), 1);
  }
  WriteTestFile(path, QByteArray(5000, 'k'));
  QTemporaryDir noModules;
  for (const bool damaged : {true, false}) {
    platform::ChangeServices([&](platform::Services& s) {
      s.programFolder = damaged ? QStringLiteral(KANACATCH_APP_DIR) : noModules.path();
    });
    OpenHistory();
    EXPECT_TRUE(
        ShowRecord().Notice->text().contains(damaged ? "こわれていた" : "記録は使えません"));
    PlayToTheEnd(damaged ? 1 : 0);
  }
}

// A file another program holds, one from a newer version of the game, or one
// in a folder it cannot write to keeps every byte and every game. The read-only one is of layout
// 1, before katakana games, the locked one of layout 2, before word games (game 13 in katakana):
// once free they are brought up to date, every game in its script.
TEST_F(HistoryTest, LeavesALockedNewerOrReadOnlyFileAsItIsAndSavesNothing) {
  for (const OpenOutcome refused :
       {OpenOutcome::Locked, OpenOutcome::Newer, OpenOutcome::ReadOnly}) {
    SaveGames(refused == OpenOutcome::Newer ? 12 : 0);
    const int games = refused == OpenOutcome::Locked ? 14 : 12;
    if (refused != OpenOutcome::Newer) {
      ASSERT_TRUE(
          QFile::remove(path) &&
          QFile::copy(QStringLiteral(KANACATCH_PICTURE_REFERENCES "/history-layout%1.sqlite")
                          .arg(refused == OpenOutcome::Locked ? 2 : 1),
                      path));
    }
    const QString folder = QFileInfo(path).absolutePath();
    // The superuser writes through permissions; the immutable flag stops it.
    const auto readOnly = [&](bool on) {
      if (geteuid() == 0) {
        QProcess::execute(QStringLiteral("chattr"), {on ? "+i" : "-i", folder, path});
      } else {
        const QFile::Permissions read = QFile::ReadOwner | QFile::ExeOwner;
        QFile::setPermissions(folder, on ? read : read | QFile::WriteOwner);
        QFile::setPermissions(path, on ? read : read | QFile::WriteOwner);
      }
    };
    {
      // Another program's write under way, or the layout of a newer version.
      QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "other");
      other.setDatabaseName(path);
      ASSERT_TRUE(other.open());
      const QString version = QStringLiteral("PRAGMA user_version = %1");
      if (refused != OpenOutcome::ReadOnly)
        QSqlQuery(other).exec(refused == OpenOutcome::Newer ? version.arg(HistorySchemaVersion + 1)
                                                            : QString("BEGIN IMMEDIATE"));
      readOnly(refused == OpenOutcome::ReadOnly);
      const QByteArray before = Digest(path);
      auto store = NewStore();
      EXPECT_EQ(store->Open(path).outcome, refused);
      if (refused == OpenOutcome::ReadOnly) ExpectGames(store->Load(), 12);
      const SaveReport save = store->Save(SampleGame(13));
      EXPECT_FALSE(save.saved || save.error.isEmpty());
      EXPECT_EQ(Digest(path), before);
      store.reset();
      readOnly(false);
      if (refused != OpenOutcome::ReadOnly)
        QSqlQuery(other).exec(refused == OpenOutcome::Newer ? version.arg(HistorySchemaVersion)
                                                            : QString("ROLLBACK"));
      ExpectGames(Reopened(), games);
      QSqlQuery layout("PRAGMA user_version", other);
      EXPECT_TRUE(layout.next() && layout.value(0).toInt() == HistorySchemaVersion)
          << "the file is not of this version's layout";
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
  }
}

// A real writer process killed at moments spread over its writes (each takes
// a few ms): every game it had committed is there, whole.
TEST_F(HistoryTest, AWriterKilledInTheMiddleOfAWriteLosesNoEarlierGame) {
  for (int round = 0; round < 4; ++round) {
    QDir(data.path()).removeRecursively();
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

// Values written into the file by hand (game 8 made katakana, its strings hiragana; of the word
// games after it, 11 with a word cut to two kana, 12 made hiragana): a game with any of them is
// left out of every page, and said once. A mean catch of 24 days once built the chart's axis a
// tick per second, and 記録 never painted. Word game 13 is kept, its weak word shown with its
// written form and meaning.
TEST_F(HistoryTest, LeavesOutGamesWithValuesOutOfRangeAndSaysSo) {
  SaveGames(10);
  const auto store = NewStore();
  ASSERT_EQ(store->Open(path).outcome, OpenOutcome::Opened);
  for (const auto& [n, script, words] :
       {std::tuple{11, KanaScript::Hiragana, QStringList{"さかな", "つくえ"}},
        {12, KanaScript::Katakana, QStringList{"テレビ", "カメラ"}},
        {13, KanaScript::Hiragana, QStringList{"ともだち"}}}) {
    GameRecord game = SampleGame(n);
    game.lessonNo = n < 13 ? FirstWordLessonNo + 1 : FirstWordLessonNo + 2;
    game.script = script;
    game.moji.clear();
    for (const QString& word : words) game.moji[word] = {1, n < 13 ? 1 : 0, n < 13 ? 0 : 1, 0};
    ASSERT_TRUE(store->Save(game).saved);
  }
  {
    QSqlDatabase file = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "by hand");
    file.setDatabaseName(path);
    ASSERT_TRUE(file.open());
    for (const char* odd :
         {"UPDATE game SET mean_catch_ms = 2147483647 WHERE id = 1",
          "UPDATE game SET caught = -60 WHERE id = 2", "UPDATE game SET lesson = 99 WHERE id = 3",
          "UPDATE moji_tally SET presented = -1 WHERE game_id = 4 AND moji = 'い'",
          "UPDATE game SET presented = 5000000000 WHERE id = 5",
          "UPDATE game SET played_at = 'yesterday' WHERE id = 6",
          "UPDATE game SET katakana = 2 WHERE id = 7", "UPDATE game SET katakana = 1 WHERE id = 8",
          "UPDATE moji_tally SET moji = 'さか' WHERE moji = 'さかな'",
          "UPDATE game SET katakana = 0 WHERE id = 12"})
      ASSERT_TRUE(QSqlQuery(file).exec(odd)) << odd;
  }
  QSqlDatabase::removeDatabase(QStringLiteral("by hand"));
  EXPECT_EQ(Reopened().gamesLeftOut, (std::vector<int64_t>{1, 2, 3, 4, 5, 6, 7, 8, 11, 12}));

  ReadShippedWordTables();
  OpenHistory();
  RecordForm& record = ShowRecord();
  EXPECT_EQ(record.Notice->text(),
            QString("記録のうち 10 ゲームは数字がおかしいので、表示しません。"));
  EXPECT_EQ(Rows(*record.Lessons).join('|'),
            QString("その他１ 1 30 % 30 % 1.0 秒|その他２ 1 33 % 33 % 1.0 秒|"
                    "ことば ４・５文字 1 43 % 43 % 1.0 秒"));
  EXPECT_TRUE(
      Rows(*record.WeakWords).value(0).startsWith("ともだち（友達） friend tomodachi にがて"))
      << Rows(*record.WeakWords).join('|').toStdString();
}

// No file may grow, as on a full disk: the log's index cannot be made. The
// earlier games still show, and the game that ends is said not kept, in
// Japanese, the database's own words only on a line of their own.
TEST_F(HistoryTest, ShowsTheEarlierGamesWhenNoFileMayGrowAndSaysTheGameWasNotKept) {
  SaveGames(12);
  struct NoFileMayGrow {
    rlimit before{};
    void (*handler)(int) = signal(SIGXFSZ, SIG_IGN);
    NoFileMayGrow() {
      getrlimit(RLIMIT_FSIZE, &before);
      const rlimit none{0, before.rlim_max};
      setrlimit(RLIMIT_FSIZE, &none);
    }
    ~NoFileMayGrow() {
      setrlimit(RLIMIT_FSIZE, &before);
      signal(SIGXFSZ, handler);
    }
  } full;
  OpenHistory();
  PlayToTheEnd(12);
  EXPECT_TRUE(QTest::qWaitFor([this] {
    return ResultsText().contains("このゲームは記録されませんでした");
  })) << ResultsText().toStdString();
  const QString notice = ShowRecord().Notice->text();
  EXPECT_TRUE(notice.startsWith("最後のゲームは記録されませんでした。")) << notice.toStdString();
  EXPECT_FALSE(notice.section('\n', 0, 0).contains(QRegularExpression("[A-Za-z]")))
      << notice.toStdString();
}
