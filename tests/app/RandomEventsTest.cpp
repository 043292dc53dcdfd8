#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <random>

#include "app/MainForm.h"
#include "platform/system/Services.h"
#include "platform/windows/KanaTextBox.h"
#include "rules/control/MainLoop.h"
#include "screens/InputTable.h"
#include "screens/TitleForm.h"
#include "state/GameState.h"
#include "support/GameFixture.h"
#include "support/InputMethod.h"
#include "support/MediaFiles.h"

namespace {

// The program's windows as start-up leaves them, title window first, run by
// the real main loop while a player does random things to them: every menu
// item, keys, romaji and input-method commits into the box, the how-to-use
// screen's OK button, the input-table window and its scroll bar, clicks and
// timer ticks on the title. The test clock advances a little with every
// action, now and then a lot.
class RandomEvents : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    platform::ChangeServices([this](platform::Services& s) {
      s.messages = &messages;
      s.programFolder = folder.path();
    });
    QDir(folder.path()).mkdir(QStringLiteral("Deta"));
    for (const char* table : {"Deta/input.jpg", "Deta/input-katakana.jpg"})
      WriteTestFile(folder.filePath(table), JpegBytes(PlainPicture(220, 1600, Qt::yellow)));
    Game.CatchSoundPath = QStringLiteral("catch.wav");
    form = std::make_unique<MainForm>();
    for (QAction* item : form->findChildren<QAction*>())
      if (!item->menu() && !item->isSeparator() && item != form->Quit && item != form->Stop)
        items.push_back(item);
  }
  void TearDown() override {
    form.reset();  // and the windows it holds
    GameFixture::TearDown();
  }

  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(pick); }

  void RandomAction() {
    static constexpr Qt::Key Keys[] = {Qt::Key_K, Qt::Key_A,      Qt::Key_Y,        Qt::Key_N,
                                       Qt::Key_X, Qt::Key_Return, Qt::Key_Backspace};
    const QString carried = Game.HoleMoji[1 + Pick(HoleCount)];
    InPutForm* table = form->InPutWindow.data();
    TitleForm* title = form->TitleWindow.data();
    switch (Pick(24)) {
      case 0:
      case 1:
        return items[Pick(static_cast<int>(items.size()))]->trigger();
      case 2:
        return QTest::keyClick(form->Text1, Keys[Pick(std::size(Keys))]);
      case 3:
      case 4:
        QTest::keyClick(form->Text1, Qt::Key_Return);  // empties a box that missed
        return Compose(*form->Text1, {}, carried);
      case 5:
        return Compose(*form->Text1, {}, Game.MojiTable[1 + Pick(MojiTableSize)]);
      case 6:  // Stop is rarer than Start, so that games also run to their end
        return QTest::keyClick(form.get(), Pick(50) ? Qt::Key_G : Qt::Key_S, Qt::ControlModifier);
      case 7:
        if (form->Command1->isVisible()) form->Command1->click();
        return;
      case 8:
        if (table && Pick(3)) return table->VScroll1->setValue(Pick(12) - 1);
        if (table) table->close();
        return;
      case 9:
        if (title && Pick(3)) return title->Timer1_Timer();
        if (title) QTest::mousePress(title, Pick(2) ? Qt::LeftButton : Qt::RightButton);
        return;
      case 10:
        return clock.Advance(static_cast<uint32_t>(Pick(20000)));
      default:
        return Wait(Pick(20));
    }
  }

  // The player waits while the loop makes `passes` passes.
  void Wait(int passes) {
    for (; passes > 0 && !HasFailure(); --passes) {
      clock.Advance(static_cast<uint32_t>(1 + Pick(120)));
      CheckedPass();
      ExpectConsistent();
    }
  }

  // What holds between any two actions: no more strings shown than the
  // game has and no more catches than strings shown, every critter between
  // its peak and its hole, a caught critter sinking with its string gone.
  // (The menus' check marks and the box's showing are the windows' test's.)
  void ExpectConsistent() const {
    ASSERT_TRUE(!Game.GameRunning || Game.ShownCount <= Game.MojiTotal);
    ASSERT_LE(Game.CatchCount, Game.ShownCount);
    for (int h = 1; h <= HoleCount; ++h) {
      ASSERT_LE(Game.PeakY[h], Game.KobRect[h].Top) << "hole " << h;
      ASSERT_LE(Game.KobRect[h].Top, Game.RestY[h]) << "hole " << h;
      ASSERT_TRUE(!Game.KobCaught[h] || (Game.KobSinking[h] && Game.HoleMoji[h].isEmpty())) << h;
    }
  }

  // A pass of the main loop as the program runs it. It sleeps no longer
  // than until the next step of a running game, and ends a game only once
  // it has shown every string (the critters back in their holes are the
  // scripted game's to check).
  platform::PassOutcome CheckedPass() {
    const bool wasRunning = Game.GameRunning;
    const platform::PassOutcome outcome = MainLoopPass();
    if (Game.GameRunning) {
      const uint32_t due = outcome.nextDueIn.value_or(0);
      EXPECT_TRUE(due >= 1 && due <= StepIntervalMs + 1) << due;
    } else if (wasRunning) {
      EXPECT_EQ(Game.ShownCount, Game.MojiTotal) << "ended before its last string";
      ++gamesEnded;
      catches += Game.CatchCount;
    }
    return outcome;
  }

  QTemporaryDir folder;
  MessageRecorder messages;
  std::unique_ptr<MainForm> form;
  std::vector<QAction*> items;
  std::mt19937 pick{1234567};
  int gamesEnded = 0;
  int catches = 0;
};

}  // namespace

// The windows start from the title window and the player acts 6000 times;
// then Quit ends the main loop as it ends the program. (Games across the
// wraps of the tick counter are the scripted game's.)
TEST_F(RandomEvents, RandomPlayKeepsGameWindowsAndChecksConsistent) {
  int actions = 6000;
  (form->TitleWindow = new TitleForm(form.get()))->show();
  QTimer player;
  QObject::connect(&player, &QTimer::timeout, [&] {
    if (actions-- == 0 || HasFailure()) {
      player.stop();
      form->InPutShow->trigger();  // for Quit to close
      return form->Quit->trigger();
    }
    RandomAction();
    ExpectConsistent();
    clock.Advance(static_cast<uint32_t>(Pick(50)));
    platform::WakePassLoop();
  });
  player.start(0);
  Game.MainLoopActive = true;
  platform::RunPasses([this] { return CheckedPass(); });
  ASSERT_FALSE(Game.GameRunning);
  ASSERT_EQ(form->InPutWindow.data(), nullptr) << "Quit closes the input table";
  EXPECT_TRUE(messages.messages.empty());
  EXPECT_GT(catches, 30) << "the player caught critters";
  EXPECT_GT(gamesEnded, 5) << "games ran to their end";
}
