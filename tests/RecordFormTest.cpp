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
#include "game/GameState.h"
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
    path = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/history.sqlite";
    platform::UseProgramFolder(QStringLiteral(KANACATCH_APP_DIR));
    Game.SpeedLevel = 1;
    form = std::make_unique<MainForm>();
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

  // Plays a game to its end and waits until the history holds `kept` games.
  void PlayToTheEnd(size_t kept) {
    form->Start->trigger();
    RunPassesUntil([] { return !Game.GameRunning; }, 31);
    ASSERT_NE(ResultsForm::Instance(), nullptr) << "the game ended as ever";
    QTest::qWait(20);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Keeper().Games().games.size() == kept; }));
  }

  RecordForm& ShowRecord() {
    form->RecordShow->trigger();
    return *RecordForm::Instance();
  }

  static QString ResultsText() {
    QString text;
    for (const QLabel* label : ResultsForm::Instance()->findChildren<QLabel*>()) {
      text += label->text() + '\n';
    }
    return text;
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
  form->LessonCheck[PracticeLessonNo]->trigger();
  ASSERT_EQ(Game.LessonNo, PracticeLessonNo) << "enabled with 30 strings presented";
  PlayToTheEnd(2);
  EXPECT_TRUE(ResultsText().contains(QStringLiteral("はじめて")));
  PlayToTheEnd(3);
  EXPECT_TRUE(ResultsText().contains(QStringLiteral("前回 ")));

  QApplication::setActiveWindow(&record);
  QTest::keyClick(&record, Qt::Key_G, Qt::ControlModifier);
  EXPECT_TRUE(Game.GameRunning) << "the game's shortcuts work from the 記録 window";

  GameHistory again(nullptr);
  again.Open();
  ASSERT_TRUE(QTest::qWaitFor([&] { return again.Keeper().Status().ready; }));
  EXPECT_EQ(again.Keeper().Games().games.size(), 3u);
}

// A damaged file or a missing module costs the history, never the game.
TEST_F(RecordFormTest, SaysWhenTheHistoryIsDamagedOrMissingAndTheGamePlaysOn) {
  QTemporaryDir noModules;
  for (const bool damaged : {true, false}) {
    form.reset();  // before the next one sets its hooks
    form = std::make_unique<MainForm>();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile junk(path);
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(5000, 'k'));
    junk.close();
    platform::UseProgramFolder(damaged ? QStringLiteral(KANACATCH_APP_DIR) : noModules.path());
    OpenHistory();
    EXPECT_TRUE(
        ShowRecord().Notice->text().contains(damaged ? "こわれていた" : "記録は使えません"));
    PlayToTheEnd(damaged ? 1 : 0);
  }
}
