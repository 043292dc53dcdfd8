#include <gtest/gtest.h>
#include <malloc.h>

#include <QAction>
#include <QDir>
#include <QInputMethodEvent>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <random>
#include <vector>

#include "app/KanaTextBox.h"
#include "app/MainForm.h"
#include "core/MainLoop.h"
#include "game/GameState.h"
#include "kana/MojiTable.h"
#include "platform/ProgramFolder.h"
#include "platform/Random.h"
#include "platform/TickCounter.h"
#include "screens/InputTable.h"
#include "screens/TitleForm.h"
#include "support/GameFixture.h"
#include "support/MediaFiles.h"

namespace {

// Random actions per run, each run crossing a wrap point of the tick counter.
constexpr int ActionsPerRun = 3000;

// The bytes the heap holds for the program (under the address sanitizer,
// which keeps its own heap, none: the leak check at its end stands in).
long HeapInUse() { return static_cast<long>(mallinfo2().uordblks); }

// The program's windows as start-up leaves them, title window first, run by
// the real main loop while a player does random things to them: every menu
// item, keys, romaji and input-method commits into the box, the how-to-use
// screen and its OK button, the input-table window and its scroll bar,
// clicks and timer ticks on the title. The test clock advances a little
// with every action, now and then a lot.
class RandomEvents : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    platform::UseProgramFolder(folder.path());
    platform::UseMessageSink(&messages);
    QDir(folder.path()).mkdir(QStringLiteral("Deta"));
    WriteTestFile(folder.filePath(QStringLiteral("Deta/input.jpg")),
                  JpegBytes(PlainPicture(220, 1600, Qt::yellow)));
    Game.CatchSoundPath = QStringLiteral("catch.wav");
    form = std::make_unique<MainForm>();
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

  void OneRandomAction() {
    static constexpr Qt::Key Keys[] = {Qt::Key_K, Qt::Key_A,      Qt::Key_Y,        Qt::Key_N,
                                       Qt::Key_X, Qt::Key_Return, Qt::Key_Backspace};
    const QString carried = Game.HoleMoji[1 + Pick(HoleCount)];
    InPutForm* table = InPutForm::Instance();
    TitleForm* title = TitleForm::Instance();
    switch (Pick(24)) {
      case 0:
      case 1:
        return items[Pick(static_cast<int>(items.size()))]->trigger();
      case 2:
        return QTest::keyClick(form->Text1, Keys[Pick(std::size(Keys))]);
      case 3:
      case 4:
        QTest::keyClick(form->Text1, Qt::Key_Return);  // empties a box that missed
        return Commit(carried);
      case 5:
        return Commit(Game.MojiTable[1 + Pick(MojiTableSize)]);
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

  // A player who plays the same game again and again: the generators and
  // the clock start it from the same state, and the player catches every
  // critter that stands well out of its hole. Once the windows have seen
  // the game's start through, the heap holds what it held at the start of
  // the game before, but for a cache that grows now and then.
  void SteadyAction() {
    if (TitleForm* title = TitleForm::Instance()) QTest::mousePress(title, Qt::LeftButton);
    if (!Game.GameRunning) {
      QCoreApplication::processEvents();
      platform::ResetRandom();
      pick.seed(7);
      clock.Set(1000);
      // The recorders keep their memory when emptied: they do not grow.
      sounds.requests.clear();
      music.commands.clear();
      soundsBeforeGame = 0;
      form->Start->trigger();
      QCoreApplication::processEvents();
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      const long heap = HeapInUse();
      if (++steadyStarts == 6) heapAfterWarmUp = heap;
      gamesThatGrew += steadyStarts > 6 && heap > heapAtLastStart;
      heapAtLastStart = heap;
      return;
    }
    for (int h = 1; h <= HoleCount; ++h) {
      if (!Game.HoleMoji[h].isEmpty() && Game.RestY[h] - Game.KobRect[h].Top > 40) {
        return Commit(Game.HoleMoji[h]);
      }
    }
    Wait(10);
  }

  // What holds between any two actions, whatever the player did: no more
  // strings shown than the running game has and no more catches than
  // strings shown, every critter between its peak and its hole, a caught
  // critter sinking with its string gone, the check marks as the settings.
  void ExpectConsistent() const {
    ASSERT_TRUE(!Game.GameRunning || Game.ShownCount <= Game.MojiTotal);
    ASSERT_LE(Game.CatchCount, Game.ShownCount);
    for (int h = 1; h <= HoleCount; ++h) {
      ASSERT_LE(Game.PeakY[h], Game.KobRect[h].Top) << "hole " << h;
      ASSERT_LE(Game.KobRect[h].Top, Game.RestY[h]) << "hole " << h;
      ASSERT_TRUE(!Game.KobCaught[h] || (Game.KobSinking[h] && Game.HoleMoji[h].isEmpty())) << h;
    }
    for (int i = 1; i <= LessonMenuCount; ++i)
      ASSERT_EQ(form->LessonCheck[i]->isChecked(), i == Game.LessonNo);
    for (int i = 1; i <= 3; ++i) ASSERT_EQ(form->SpeedCheck[i]->isChecked(), i == Game.SpeedLevel);
    for (int i = 1; i <= 3; ++i)
      ASSERT_EQ(form->MojiCount[i]->isChecked(), Game.MojiTotal == 10 + 20 * i);
    ASSERT_EQ(form->BgmStop->isChecked(), Game.BgmOff);
    ASSERT_TRUE(!Game.GameRunning || !form->Text1->isHidden()) << "the box shows during a game";
  }

  long CatchSounds(size_t from) const {
    return std::count_if(sounds.requests.begin() + from, sounds.requests.end(),
                         [](auto& sound) { return sound.path == Game.CatchSoundPath; });
  }

  // One action of the player, with the checks after it.
  void Act() {
    const bool wasRunning = Game.GameRunning;
    if (!wasRunning) soundsBeforeGame = sounds.requests.size();
    // Until a game has run into the wrap point, the clock stands three
    // seconds short of it whenever no game runs (nothing reads it then),
    // and a game that starts is next seen half a second past it, with
    // critters' pauses that ended before it and pauses that end after it.
    if (!wasRunning && !gameAcrossWrap) clock.Set(wrapTick - 3000);
    steady ? SteadyAction() : OneRandomAction();
    if (Game.GameRunning && !wasRunning) {
      gameStartTick = clock.ticks;
      if (!gameAcrossWrap) clock.Set(wrapTick + 500);
    }
    ASSERT_NO_FATAL_FAILURE(ExpectConsistent());
    clock.Advance(static_cast<uint32_t>(Pick(50)));
    platform::WakePassLoop();
  }

  // A pass of the main loop as the program runs it. It leaves no animation
  // step of a running game overdue, sleeps no longer than until the next,
  // and ends the game once its last critter is down.
  platform::PassOutcome CheckedPass() {
    const bool wasRunning = Game.GameRunning;
    const platform::PassOutcome outcome = MainLoopPass();
    if (Game.GameRunning) {
      const uint32_t due = outcome.nextDueIn.value_or(0);
      EXPECT_TRUE(due >= 1 && due <= StepIntervalMs + 1) << due;
      bool allDown = Game.ShownCount == Game.MojiTotal;
      for (int h = 1; h <= HoleCount; ++h) {
        const bool up = Game.KobRect[h].Top < Game.RestY[h];
        allDown &= !up;
        // A critter pauses at its peak, and in its hole while strings are left.
        const bool pausing =
            !Game.KobRising[h] && !Game.KobSinking[h] && (up || Game.ShownCount < Game.MojiTotal);
        EXPECT_FALSE(pausing && platform::TicksElapsed(Game.HoleTick[h], clock.ticks) >
                                    Game.HoleWait[h] + StepIntervalMs)
            << "hole " << h << " overslept its pause";
      }
      EXPECT_FALSE(allDown) << "the game went on after its last critter";
      gameAcrossWrap |= clock.ticks - wrapTick < clock.ticks - gameStartTick;
    } else if (wasRunning) {
      // It ended by itself: every string shown, every critter back in its
      // hole, one catch sound for each catch and the music stopped.
      EXPECT_EQ(Game.ShownCount, Game.MojiTotal);
      for (int h = 1; h <= HoleCount; ++h) EXPECT_EQ(Game.KobRect[h].Top, Game.RestY[h]);
      EXPECT_EQ(CatchSounds(soundsBeforeGame), Game.CatchCount);
      EXPECT_EQ(music.commands.back(), "stop");
      ++gamesEnded;
    }
    return outcome;
  }

  // Starts the program's windows from the title window with the clock at
  // `startTick` and lets the player act on them until `playing` answers
  // false; then Quit ends the main loop as it ends the program.
  template <typename Playing>
  void Play(uint32_t startTick, Playing playing) {
    clock.Set(startTick);
    (new TitleForm(MainForm::Instance()))->show();
    QTimer player;
    QObject::connect(&player, &QTimer::timeout, [&] {
      if (playing() && !HasFailure()) return Act();
      player.stop();
      form->Quit->trigger();
    });
    player.start(0);
    Game.MainLoopActive = true;
    platform::RunPasses([this] { return CheckedPass(); });
    ASSERT_FALSE(Game.GameRunning);
    ASSERT_FALSE(form->isVisible()) << "Quit closes the main window";
    ASSERT_EQ(InPutForm::Instance(), nullptr) << "and the input table";
    ASSERT_EQ(music.commands.back(), "close");
  }

  QTemporaryDir folder;
  MessageRecorder messages;
  std::unique_ptr<MainForm> form;
  std::vector<QAction*> items;
  std::mt19937 pick{1234567};
  bool steady = false;
  uint32_t wrapTick = 0;
  uint32_t gameStartTick = 0;
  bool gameAcrossWrap = false;
  int gamesEnded = 0;
  size_t soundsBeforeGame = 0;
  int steadyStarts = 0;
  long heapAfterWarmUp = 0;
  long heapAtLastStart = 0;
  int gamesThatGrew = 0;
};

}  // namespace

// Random play crosses the wrap points of the tick counter during a game,
// the signed one at 2^31 and the unsigned one at 2^32; steady play then
// shows whether each game leaves memory behind.
TEST_F(RandomEvents, RandomPlayKeepsGameWindowsAndChecksConsistentAndGamesLeaveNoMemory) {
  ASSERT_EQ(items.size(), 12u + 3 + 3 + 6) << "every item but Stop and Quit";
  for (uint32_t wrap : {0x80000000u, 0u}) {
    int done = 0;
    wrapTick = wrap;
    gameAcrossWrap = false;
    ASSERT_NO_FATAL_FAILURE(Play(wrap - 3000, [&] { return done++ < ActionsPerRun; }));
    EXPECT_TRUE(gameAcrossWrap) << wrap;
  }
  EXPECT_TRUE(messages.messages.empty());
  EXPECT_GT(CatchSounds(0), ActionsPerRun / 100) << "the player caught critters";
  EXPECT_GT(gamesEnded, 5) << "games ran to their end";
  steady = true;
  form->SpeedCheck[1]->trigger();  // short games
  form->MojiCount[1]->trigger();
  ASSERT_NO_FATAL_FAILURE(Play(1000, [&] { return steadyStarts < 25; }));
  // A leak grows the heap with every game; a cache of the libraries under
  // the game grows now and then by a little.
  EXPECT_LT(gamesThatGrew, 10) << "of 19 games, these left memory behind";
  EXPECT_LT(heapAtLastStart - heapAfterWarmUp, 4096) << "bytes kept by 19 games";
}
