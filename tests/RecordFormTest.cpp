// The history as the program uses it: read at start-up, given every game
// that ends by itself, shown in the 記録 window, and the source of the
// practice of weak strings; with the real store module and real files.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/GameHistory.h"
#include "app/MainForm.h"
#include "app/StartUp.h"
#include "game/GameState.h"
#include "history/HistoryStore.h"
#include "platform/ProgramFolder.h"
#include "platform/ProgramModule.h"
#include "platform/Screen.h"
#include "screens/RecordForm.h"
#include "screens/ResultsForm.h"
#include "support/GameFixture.h"
#include "support/SampleGames.h"

namespace {

class RecordFormTest : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
    platform::UseProgramFolder(QStringLiteral(KANACATCH_APP_DIR));
    path = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/history.sqlite";
    Game.SpeedLevel = 1;
    form = std::make_unique<MainForm>();
    form->SetPlayfieldSize(CalcFormSize({1024, 768}));
    form->ArrangeControls();
    form->show();
  }
  void TearDown() override {
    form.reset();
    platform::UseProgramFolder({});
    qunsetenv("XDG_DATA_HOME");
    GameFixture::TearDown();
  }

  const HistoryKeeper& Keeper() const { return form->History->Keeper(); }

  void OpenHistory() {
    form->History->Open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Keeper().Status().ready; }));
  }

  // Plays a game to its end and waits until the history has kept it.
  void PlayToTheEnd(size_t keptAfter) {
    form->Start->trigger();
    RunPassesUntil([] { return !Game.GameRunning; }, 31);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Keeper().Games().games.size() == keptAfter; }));
  }

  RecordForm& ShowRecord() {
    form->RecordShow->trigger();
    return *RecordForm::Instance();
  }

  static QString ResultsNote() {
    for (const QLabel* label : ResultsForm::Instance()->findChildren<QLabel*>()) {
      if (label->text().contains(QStringLiteral("にがてな文字")) ||
          label->text().startsWith(QStringLiteral("前回"))) {
        return label->text();
      }
    }
    return {};
  }

  QTemporaryDir data;
  QString path;
  std::unique_ptr<MainForm> form;
};

}  // namespace

TEST_F(RecordFormTest, ShowsTheKeptGamesPerLessonInAChartAndTheWeakestStringsOnASmallScreen) {
  {
    const auto create = reinterpret_cast<CreateHistoryStoreFunction>(
        platform::ProgramModuleFunction(HistoryModuleName, CreateHistoryStoreSymbol, nullptr));
    const std::unique_ptr<HistoryStore> store(create());
    ASSERT_EQ(store->Open(path).outcome, OpenOutcome::Opened);
    for (int n = 1; n <= 14; ++n) store->Save(SampleGame(n));
  }
  OpenHistory();
  EXPECT_TRUE(form->LessonCheck[PracticeLessonNo]->isEnabled());
  platform::UseScreenSize({640, 480});
  RecordForm& record = ShowRecord();

  EXPECT_TRUE(record.Notice->isHidden());
  ASSERT_EQ(record.Lessons->rowCount(), 12);
  EXPECT_EQ(record.Lessons->item(0, 1)->text(), "2") << "lesson 1: games 1 and 13";
  EXPECT_EQ(record.Lessons->item(0, 2)->text(), "43 %") << "the last: 13 of 30";
  ASSERT_EQ(record.Weakest->rowCount(), 10);
  EXPECT_EQ(record.Weakest->item(0, 2)->text(), "0 %");
  EXPECT_FALSE(record.Weakest->item(0, 1)->text().isEmpty()) << "its spelling";
  EXPECT_TRUE(record.Chart->inherits("QChartView"));
  EXPECT_TRUE(QRect(0, 0, 640, 480).contains(record.frameGeometry()));
  EXPECT_GE(record.height(), record.minimumSizeHint().height());
}

TEST_F(RecordFormTest, KeepsEachEndedGameEnablesThePracticeAndComparesItsGames) {
  OpenHistory();
  EXPECT_FALSE(form->LessonCheck[PracticeLessonNo]->isEnabled());
  RecordForm& record = ShowRecord();
  EXPECT_TRUE(record.Notice->text().contains(QStringLiteral("まだ記録はありません")));

  PlayToTheEnd(1);
  EXPECT_EQ(record.Lessons->rowCount(), 1);
  ASSERT_TRUE(form->LessonCheck[PracticeLessonNo]->isEnabled());
  form->LessonCheck[PracticeLessonNo]->trigger();
  ASSERT_EQ(Game.LessonNo, PracticeLessonNo);
  PlayToTheEnd(2);
  EXPECT_TRUE(ResultsNote().contains(QStringLiteral("はじめて")));
  PlayToTheEnd(3);
  EXPECT_TRUE(ResultsNote().startsWith(QStringLiteral("前回 ")));

  // The game's shortcuts work from the 記録 window too.
  QApplication::setActiveWindow(&record);
  QTest::keyClick(&record, Qt::Key_G, Qt::ControlModifier);
  EXPECT_TRUE(Game.GameRunning);

  GameHistory again(nullptr);
  again.Open();
  ASSERT_TRUE(QTest::qWaitFor([&] { return again.Keeper().Status().ready; }));
  EXPECT_EQ(again.Keeper().Games().games.size(), 3u);
}

// A damaged file or a missing module costs the history, never the game.
TEST_F(RecordFormTest, SaysWhenTheHistoryIsDamagedOrMissingAndTheGamePlaysOn) {
  QTemporaryDir noModules;
  const std::tuple<const char*, QString, size_t> cases[] = {
      {"こわれていた", QStringLiteral(KANACATCH_APP_DIR), 1},
      {"記録は使えません", noModules.path(), 0},
  };
  for (const auto& [notice, programFolder, kept] : cases) {
    SCOPED_TRACE(notice);
    form.reset();
    form = std::make_unique<MainForm>();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile junk(path);
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(5000, 'k'));
    junk.close();
    platform::UseProgramFolder(programFolder);
    OpenHistory();
    EXPECT_TRUE(ShowRecord().Notice->text().contains(QString::fromUtf8(notice)));
    form->Start->trigger();
    RunPassesUntil([] { return !Game.GameRunning; }, 31);
    ASSERT_NE(ResultsForm::Instance(), nullptr) << "the game ended as ever";
    QTest::qWait(50);
    EXPECT_EQ(Keeper().Games().games.size(), kept);
  }
}
