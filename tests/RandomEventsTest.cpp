#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QInputMethodEvent>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <random>
#include <vector>

#include "app/KanaTextBox.h"
#include "app/MainForm.h"
#include "app/StartUp.h"
#include "core/MainLoop.h"
#include "game/GameState.h"
#include "game/Pictures.h"
#include "platform/ProgramFolder.h"
#include "screens/InputTable.h"
#include "screens/TitleForm.h"
#include "support/GameFixture.h"
#include "support/GameInvariants.h"
#include "support/MediaFiles.h"
#include "support/TestPictures.h"

namespace {

// Random actions per run; the sanitizers run the windows many times slower.
#ifdef KANACATCH_SANITIZE
constexpr int ActionsPerRun = 4000;
#else
constexpr int ActionsPerRun = 50000;
#endif

// The program's windows as start-up leaves them, title window first, run by
// the real main loop while a player does random things to them: every menu
// item, keys and input-method commits into the box, the how-to-use screen
// and its OK button, the input-table window and its scroll bar, clicks and
// timer ticks on the title. The test clock advances a little with every
// action, now and then a lot.
class RandomEvents : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    platform::UseProgramFolder(folder.path());
    platform::UseMessageSink(&messages);
    QDir(folder.path()).mkdir(QStringLiteral("Deta"));
    WriteTestFile(folder.filePath(QStringLiteral("Deta/input.jpg")),
                  JpegBytes(PlainPicture(220, 1600, Qt::yellow)));
    for (int k = 1; k <= 8; ++k) {
      Game.KobImage[k] = MakeKobImage(k);
      Game.KobMaskImage[k] = MakeKobMask();
    }
    Game.KeyboardImage = PlainPicture(512, 192, Qt::cyan);
    BackPicture.Image().fill(Qt::darkGreen);
    form = std::make_unique<MainForm>();
    form->SetPlayfieldSize(CalcFormSize({1024, 768}));
    form->ArrangeControls();
    for (QAction* item : form->findChildren<QAction*>()) {
      if (!item->menu() && !item->isSeparator() && item != form->Quit && item != form->Stop) {
        items.push_back(item);
      }
    }
  }
  void TearDown() override {
    UnloadInPutForm();
    delete TitleForm::Instance();
    form.reset();
    platform::UseMessageSink(nullptr);
    platform::UseProgramFolder(QString());
    GameFixture::TearDown();
  }

  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(pick); }

  void Commit(const QString& text) {
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(form->Text1, &commit);
  }

  void OnTheInputTable(InPutForm& table) {
    QScrollBar& bar = *table.VScroll1;
    switch (Pick(5)) {
      case 0:
        bar.setValue(Pick(12) - 1);
        break;
      case 1:
        bar.triggerAction(Pick(2) ? QAbstractSlider::SliderSingleStepAdd
                                  : QAbstractSlider::SliderPageStepSub);
        break;
      case 2: {
        const QPointF at(100, 100);
        QWheelEvent wheel(at, at, {}, QPoint(0, Pick(2) ? 120 : -240), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&table, &wheel);
        break;
      }
      case 3:
        table.close();
        break;
      default:
        form->InPutShow->trigger();
        break;
    }
  }

  void OneRandomAction() {
    static constexpr Qt::Key Keys[] = {Qt::Key_K, Qt::Key_A,      Qt::Key_Y,        Qt::Key_N,
                                       Qt::Key_X, Qt::Key_Return, Qt::Key_Backspace};
    switch (Pick(12)) {
      case 0:
      case 1:
        items[Pick(static_cast<int>(items.size()))]->trigger();
        break;
      case 2:
        QTest::keyClick(form->Text1, Keys[Pick(std::size(Keys))]);
        break;
      case 3:
      case 4:
        // Enter empties a box that missed, then a critter's string.
        QTest::keyClick(form->Text1, Qt::Key_Return);
        Commit(Game.HoleMoji[1 + Pick(HoleCount)]);
        break;
      case 5:
        Commit(Game.MojiTable[1 + Pick(MojiTableSize)]);
        break;
      case 6:
        // Stop is rarer than Start, so that games also run to their end.
        switch (Pick(32)) {
          case 0:
            QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);
            break;
          case 1:
            form->Stop->trigger();
            break;
          default:
            QTest::keyClick(form.get(), Qt::Key_G, Qt::ControlModifier);
            break;
        }
        break;
      case 7:
        if (form->Command1->isVisible()) form->Command1->click();
        break;
      case 8:
        if (InPutForm* table = InPutForm::Instance()) OnTheInputTable(*table);
        break;
      case 9:
        if (TitleForm* title = TitleForm::Instance()) {
          if (Pick(3)) {
            title->Timer1_Timer();
          } else {
            QTest::mousePress(title, Pick(2) ? Qt::LeftButton : Qt::RightButton);
          }
        }
        break;
      case 10:
        clock.Advance(static_cast<uint32_t>(Pick(20000)));
        break;
      default:
        if (Pick(300) == 0) form->Quit->trigger();
        break;
    }
  }

  void ExpectConsistent() const {
    ASSERT_NO_FATAL_FAILURE(ExpectGameInvariants());
    for (int i = 1; i <= LessonMenuCount; ++i)
      ASSERT_EQ(form->LessonCheck[i]->isChecked(), i == Game.LessonNo);
    for (int i = 1; i <= 3; ++i) {
      ASSERT_EQ(form->SpeedCheck[i]->isChecked(), i == Game.SpeedLevel);
      ASSERT_EQ(form->MojiCount[i]->isChecked(), Game.MojiTotal == 10 + 20 * i);
    }
    ASSERT_EQ(form->BgmStop->isChecked(), Game.BgmOff);
    ASSERT_TRUE(!Game.GameRunning || !form->Text1->isHidden()) << "the box shows during a game";
  }

  // Starts the program's windows from the title window with the clock at
  // `startTick` and lets the player loose on them for `actions` actions.
  // Quit ends the main loop as it ends the program; the test then shows
  // the main window again and goes on with a new loop.
  void Play(uint32_t startTick, int actions) {
    clock.Set(startTick);
    (new TitleForm(MainForm::Instance()))->show();
    int done = 0;
    QTimer player;
    QObject::connect(&player, &QTimer::timeout, [&] {
      if (done == actions || HasFatalFailure()) {
        player.stop();
        form->Quit->trigger();
        return;
      }
      // The program ends with its loop: nothing reaches it after Quit.
      if (!Game.MainLoopActive) return;
      // A game that stopped between two actions ended by itself.
      if (runningAfterAction && !Game.GameRunning) ++gamesEnded;
      const int16_t caughtBefore = Game.CatchCount;
      OneRandomAction();
      ++done;
      if (Game.CatchCount > caughtBefore) ++catches;
      runningAfterAction = Game.GameRunning;
      ExpectConsistent();
      clock.Advance(static_cast<uint32_t>(Pick(50)));
      platform::WakePassLoop();
    });
    player.start(0);
    while (player.isActive()) {
      Game.MainLoopActive = true;
      MainLoop();
      ASSERT_FALSE(Game.GameRunning);
      ASSERT_FALSE(form->isVisible()) << "Quit closes the main window";
      ASSERT_EQ(InPutForm::Instance(), nullptr) << "and the input table";
      ASSERT_EQ(music.commands.back(), "close");
      form->show();
    }
  }

  // No message came up, critters were caught and games ran to their end.
  void ExpectThePlayerGotThingsDone() const {
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_GT(catches, ActionsPerRun / 100);
    EXPECT_GT(gamesEnded, 0);
  }

  QTemporaryDir folder;
  MessageRecorder messages;
  std::unique_ptr<MainForm> form;
  std::vector<QAction*> items;
  std::mt19937 pick{1234567};
  // What the player got done, so that the test shows it reached the game.
  int catches = 0;
  int gamesEnded = 0;
  bool runningAfterAction = false;
};

}  // namespace

// The whole player's run crosses a wrap point of the tick counter: the
// signed one at 2^31, then the unsigned one at 2^32.
TEST_F(RandomEvents, RandomPlayAcrossTheSignedTickWrapKeepsGameAndChecksConsistent) {
  ASSERT_EQ(items.size(), 12u + 3 + 3 + 6) << "every item but Stop and Quit";
  ASSERT_NO_FATAL_FAILURE(Play(0x80000000u - 100000u, ActionsPerRun));
  ExpectThePlayerGotThingsDone();
}

TEST_F(RandomEvents, RandomPlayAcrossTheUnsignedTickWrapKeepsGameAndChecksConsistent) {
  ASSERT_NO_FATAL_FAILURE(Play(0u - 100000u, ActionsPerRun));
  ExpectThePlayerGotThingsDone();
}
