#include <gtest/gtest.h>

#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include "app/KanaTextBox.h"
#include "app/MainForm.h"
#include "app/StartUp.h"
#include "app/WindowPlace.h"
#include "core/GameControl.h"
#include "game/GameState.h"
#include "kana/PlayfieldTexts.h"
#include "platform/MessageBox.h"
#include "platform/PlayfieldWidget.h"
#include "screens/InputTable.h"
#include "screens/ResultsForm.h"
#include "support/GameFixture.h"

namespace {

class ResultsWindowTest : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    platform::UseMessageSink(&messages);
  }
  void TearDown() override {
    UnloadInPutForm();
    form.reset();  // and the results window it owns
    platform::UseMessageSink(nullptr);
    GameFixture::TearDown();
  }

  // The main window on a screen of `screen`, as start-up leaves it.
  void OpenMainWindow(platform::ScreenSize screen) {
    platform::UseScreenSize(screen);
    form = std::make_unique<MainForm>();
    form->SetPlayfieldSize(CalcFormSize(screen));
    form->ArrangeControls();
    form->move(MainWindowPlace(screen, form->size()));
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  }

  // Ends a game of 70 strings in which `escaped` different strings escaped.
  ResultsForm* EndGame(int escaped) {
    Game.Results = {};
    Game.Results.presented = 70;
    for (int i = 1; static_cast<int>(Game.Results.escaped.size()) < escaped; ++i)
      ++Game.Results.escaped[Game.MojiTable[i]];
    Hooks.GameEnded();
    return ResultsForm::Instance();
  }

  static void Activate(QWidget* window) {
    window->activateWindow();
    // Not qWaitForWindowActive: it counts a dialog active when its owner is.
    ASSERT_TRUE(QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }));
  }

  MessageRecorder messages;
  std::unique_ptr<MainForm> form;
};

}  // namespace

// 70 strings take the whole height there is below the counter band and the
// text box, and scroll; a few get a window as big as its content.
TEST_F(ResultsWindowTest, EveryEscapedStringFitsOnTheScreenBelowTheCountBand) {
  for (const platform::ScreenSize screen :
       {platform::ScreenSize{640, 480}, {800, 600}, {1024, 768}}) {
    SCOPED_TRACE(testing::Message() << screen.width << "x" << screen.height);
    OpenMainWindow(screen);
    ResultsForm* results = EndGame(70);
    ASSERT_NE(results, nullptr);
    const QScrollArea* area = results->findChild<QScrollArea*>();
    ASSERT_TRUE(QTest::qWaitFor([area] { return area->verticalScrollBar()->isVisible(); }));
    const QRect window = results->frameGeometry();
    EXPECT_TRUE(QRect(0, 0, screen.width, screen.height).contains(window));
    EXPECT_GE(window.top(), form->MainPicture->mapToGlobal(QPoint(0, CountBandRows())).y());
    EXPECT_FALSE(window.intersects(QRect(form->Text1->mapToGlobal(QPoint()), form->Text1->size())));
    const QPoint playfieldEnd(0, form->PlayfieldSize().height() - 1);
    EXPECT_EQ(window.bottom(), form->MainPicture->mapToGlobal(playfieldEnd).y());
    EXPECT_GE(area->viewport()->width(), area->widget()->sizeHint().width()) << "columns cut";
    QStringList texts;
    for (const QLabel* label : results->findChildren<QLabel*>()) texts << label->text();
    for (const auto& [moji, times] : Game.Results.escaped) EXPECT_TRUE(texts.contains("　" + moji));
    const ResultsForm* few = EndGame(3);
    EXPECT_EQ(few->size(), few->sizeHint());
    form.reset();
  }
}

// Of the keys only Escape closes the window, from it or from the main window,
// so that an Enter meant for the text box does not throw the results away
// unread; the File menu's shortcuts work from it and from the input table.
TEST_F(ResultsWindowTest, OnlyEscapeClosesItAndTheFileShortcutsWorkFromIt) {
  OpenMainWindow({1024, 768});
  ResultsForm* results = EndGame(5);
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_A}) {
    QTest::keyClick(results, key);
    ASSERT_EQ(ResultsForm::Instance(), results) << QKeySequence(key).toString().toStdString();
  }
  QTest::keyClick(results, Qt::Key_Escape);
  EXPECT_EQ(ResultsForm::Instance(), nullptr);
  EndGame(5);
  QTest::keyClick(form->Text1, Qt::Key_Escape);
  EXPECT_EQ(ResultsForm::Instance(), nullptr) << "the keyboard stays in the main window";

  Activate(EndGame(5));
  QTest::keyClick(ResultsForm::Instance(), Qt::Key_G, Qt::ControlModifier);
  EXPECT_TRUE(Game.GameRunning);
  EXPECT_EQ(ResultsForm::Instance(), nullptr) << "the next game closes the results";
  form->InPutShow->trigger();
  Activate(InPutForm::Instance());
  QTest::keyClick(InPutForm::Instance(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_FALSE(Game.GameRunning);
  QTest::keyClick(InPutForm::Instance(), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(Game.MainLoopActive);
}

TEST(ResultsPlace, TheWholeWindowWithItsFrameStaysInTheAreaAndOnTheScreen) {
  const QRect screen(0, 0, 640, 480), area(0, 95, 640, 385);
  const QMargins frame(1, 24, 1, 1);
  // Centred at the area's top; as tall as the area at most; on the screen's
  // part of an area partly off it; anywhere on the screen for an area off it.
  EXPECT_EQ(ResultsPlace({300, 200}, area, frame, screen), QRect(170, 119, 300, 200));
  EXPECT_EQ(ResultsPlace({300, 900}, area, frame, screen), QRect(170, 119, 300, 360));
  EXPECT_EQ(ResultsPlace({300, 200}, area.translated(-400, 0), frame, screen),
            QRect(1, 119, 238, 200));
  EXPECT_EQ(ResultsPlace({300, 200}, area.translated(900, 0), frame, screen),
            QRect(170, 24, 300, 200));
}

// The input table stands at the left edge, InPutFormWidth wide plus its
// frame; wherever the screen has room for both, the main window starts right
// of it, so its menus stay in sight. It always stays on the screen.
TEST(MainWindowPlace, KeepsTheMenusClearOfTheInputTableWhereTheScreenHasRoom) {
  constexpr int Frame = 5;  // a frame border on either side of a window
  for (int width = 640; width <= 2560; width += 4) {
    for (const int height : {480, 600, 768, 1080}) {
      const platform::ScreenSize screen{width, height};
      const QSize size = CalcFormSize(screen) + QSize(0, 20);
      const QPoint place = MainWindowPlace(screen, size);
      const bool room = width >= InPutFormWidth + size.width() + 4 * Frame;
      EXPECT_EQ(place.x() >= InPutFormWidth + 2 * Frame, room) << width << "x" << height;
      EXPECT_GE(place.x(), 0);
      EXPECT_LE(place.x() + size.width(), std::max(width, size.width()));
      EXPECT_EQ(place.y(), std::max(0, (height - size.height()) / 2));
    }
  }
}
