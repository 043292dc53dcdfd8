#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>

#include "app/KanaTextBox.h"
#include "app/MainForm.h"
#include "app/StartUp.h"
#include "core/GameControl.h"
#include "game/GameState.h"
#include "kana/PlayfieldTexts.h"
#include "platform/MessageBox.h"
#include "platform/PlayfieldWidget.h"
#include "platform/Screen.h"
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
    CloseResultsForm();
    form.reset();
    platform::UseMessageSink(nullptr);
    GameFixture::TearDown();
  }

  // The main window centred on a screen of `screen`, as start-up leaves it.
  void OpenMainWindow(platform::ScreenSize screen) {
    platform::UseScreenSize(screen);
    form = std::make_unique<MainForm>();
    form->SetPlayfieldSize(CalcFormSize(screen));
    form->ArrangeControls();
    form->move((screen.width - form->width()) / 2, (screen.height - form->height()) / 2);
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

TEST_F(ResultsWindowTest, EveryEscapedStringAndOkFitOnTheScreenBelowTheCountBand) {
  for (const platform::ScreenSize screen :
       {platform::ScreenSize{640, 480}, {800, 600}, {1024, 768}}) {
    OpenMainWindow(screen);
    ResultsForm* results = EndGame(70);
    ASSERT_NE(results, nullptr);
    const QRect window = results->frameGeometry();
    SCOPED_TRACE(testing::Message() << screen.width << "x" << screen.height);
    EXPECT_TRUE(QRect(0, 0, screen.width, screen.height).contains(window));
    EXPECT_GE(window.top(), form->MainPicture->mapToGlobal(QPoint(0, CountBandRows())).y())
        << "the menu bar and the counter band stay in view";
    const QRect box(form->Text1->mapToGlobal(QPoint()), form->Text1->size());
    EXPECT_FALSE(window.intersects(box)) << "nor the text box";
    const QPoint playfieldEnd(0, form->PlayfieldSize().height() - 1);
    EXPECT_EQ(window.bottom(), form->MainPicture->mapToGlobal(playfieldEnd).y())
        << "70 strings take the whole height there is, and scroll";
    const QScrollArea* area = results->findChild<QScrollArea*>();
    EXPECT_GE(area->viewport()->width(), area->widget()->sizeHint().width())
        << "the columns are never cut";
    const QPushButton* ok = results->findChild<QPushButton*>();
    EXPECT_TRUE(ok->isVisible());
    EXPECT_TRUE(results->rect().contains(ok->geometry()));
    QStringList texts;
    for (const QLabel* label : results->findChildren<QLabel*>()) texts << label->text();
    for (const auto& [moji, times] : Game.Results.escaped) EXPECT_TRUE(texts.contains("　" + moji));
    form.reset();
  }
}

TEST_F(ResultsWindowTest, AFewEscapedStringsGetAWindowAsBigAsItsContent) {
  OpenMainWindow({1024, 768});
  ResultsForm* results = EndGame(3);
  EXPECT_EQ(results->size(), results->sizeHint());
}

TEST_F(ResultsWindowTest, OnlyEscapeOfTheKeysClosesTheWindow) {
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
}

TEST_F(ResultsWindowTest, TheFileMenuShortcutsWorkFromTheResultsAndTheInputTable) {
  OpenMainWindow({1024, 768});
  Activate(EndGame(5));
  QTest::keyClick(ResultsForm::Instance(), Qt::Key_G, Qt::ControlModifier);
  EXPECT_TRUE(Game.GameRunning);
  EXPECT_EQ(ResultsForm::Instance(), nullptr) << "the next game closes the results";

  form->InPutShow->trigger();
  InPutForm* table = InPutForm::Instance();
  Activate(table);
  QTest::keyClick(table, Qt::Key_S, Qt::ControlModifier);
  EXPECT_FALSE(Game.GameRunning);
  QTest::keyClick(table, Qt::Key_G, Qt::ControlModifier);
  EXPECT_TRUE(Game.GameRunning);
  QTest::keyClick(table, Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(Game.MainLoopActive);
}

TEST(ResultsPlace, TheWholeWindowWithItsFrameStaysInTheAreaAndOnTheScreen) {
  const QRect screen(0, 0, 640, 480);
  const QMargins frame(1, 24, 1, 1);
  struct Case {
    QSize wanted;
    QRect area;
    QRect place;
  } cases[] = {
      {{300, 200}, {0, 95, 640, 385}, {170, 119, 300, 200}},   // fits: centred at the area's top
      {{300, 900}, {0, 95, 640, 385}, {170, 119, 300, 360}},   // too tall: as tall as the area
      {{300, 200}, {-400, 95, 640, 385}, {1, 119, 238, 200}},  // area partly off the screen
      {{300, 200}, {900, 95, 640, 385}, {170, 24, 300, 200}},  // area off the screen
  };
  for (const Case& c : cases) EXPECT_EQ(ResultsPlace(c.wanted, c.area, frame, screen), c.place);
}
