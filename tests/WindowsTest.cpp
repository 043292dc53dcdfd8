// The program's windows: the main window and its menus, the title, the
// how-to-use screen, the input table, the results and the start-up checks.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QInputMethodEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include "app/KanaTextBox.h"
#include "app/MainForm.h"
#include "app/StartUp.h"
#include "app/WindowPlace.h"
#include "core/GameControl.h"
#include "core/MainLoop.h"
#include "game/GameState.h"
#include "game/Pictures.h"
#include "kana/PlayfieldTexts.h"
#include "platform/PlayfieldWidget.h"
#include "platform/ProgramFolder.h"
#include "platform/SingleInstance.h"
#include "screens/HowToUse.h"
#include "screens/InputTable.h"
#include "screens/ResultsForm.h"
#include "screens/TitleForm.h"
#include "support/GameFixture.h"
#include "support/MediaFiles.h"

namespace {

// The main window over an empty data folder, with a plain background.
class Windows : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    platform::UseProgramFolder(folder.path());
    QDir(folder.path()).mkdir("Deta");
    platform::UseMessageSink(&messages);
    platform::UseLockFolder(folder.path());
    BackPicture.Image().fill(QColor(120, 200, 250));
    NewMainWindow({1024, 768});
  }
  void TearDown() override {
    UnloadInPutForm();
    delete TitleForm::Instance();
    form.reset();  // and the results window it owns
    platform::UseMessageSink(nullptr);
    platform::UseLockFolder({});
    platform::UseProgramFolder({});
    GameFixture::TearDown();
  }

  // The main window on a screen of `screen`, as start-up leaves it.
  void NewMainWindow(platform::ScreenSize screen) {
    form.reset();  // before the next one sets its hooks
    platform::UseScreenSize(screen);
    form = std::make_unique<MainForm>();
    form->SetPlayfieldSize(CalcFormSize(screen));
    form->ArrangeControls();
    form->move(MainWindowPlace(screen, form->size()));
    form->SyncMenuChecks();
  }

  void ShowForm() {
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  }

  static void Activate(QWidget* window) {
    window->activateWindow();
    // Not qWaitForWindowActive: it counts a dialog active when its owner is.
    ASSERT_TRUE(QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }));
  }

  template <int N>
  static std::vector<int> Checked(const OneBased<QAction*, N>& items) {
    std::vector<int> checked;
    for (int i = 1; i <= N; ++i) {
      if (items[i]->isChecked()) checked.push_back(i);
    }
    return checked;
  }

  // Puts hole h's critter far enough out to be caught, carrying `moji`.
  static void Raise(int h, const QString& moji) {
    Game.HoleMoji[h] = moji;
    Game.KobRect[h].Top = Game.RestY[h] - 100;
    Game.KobRising[h] = true;
  }

  // Ends a game of 70 strings in which `escaped` different strings escaped.
  static ResultsForm* EndGame(int escaped) {
    Game.Results = {};
    Game.Results.presented = 70;
    for (int i = 1; static_cast<int>(Game.Results.escaped.size()) < escaped; ++i)
      ++Game.Results.escaped[Game.MojiTable[i]];
    Hooks.GameEnded();
    return ResultsForm::Instance();
  }

  void ShowInputTable(QColor colour) {
    WriteTestFile(folder.filePath("Deta/input.jpg"), JpegBytes(PlainPicture(235, 2300, colour)));
    InPutShow_Click();
  }

  static bool ShowsBareBackground() { return AllPicture.Image() == BackPicture.Image(); }

  QTemporaryDir folder;
  MessageRecorder messages;
  std::unique_ptr<MainForm> form;
};

}  // namespace

// Qt toggles a checkable item before its handler runs; a refused click must
// not leave that toggle behind.
TEST_F(Windows, MenusShowTheSettingsAndRefuseEveryChangeDuringAGame) {
  QStringList menus;
  for (QAction* top : form->menuBar()->actions()) {
    QStringList items;
    for (QAction* item : top->menu()->actions())
      items << (item->isSeparator() ? "-" : item->text());
    menus << top->text() + ":" + items.join('|');
  }
  EXPECT_EQ(menus, QStringList({"ファイル:スタート|-|ストップ|-|おわり",
                                "レッスン:あ行、か行 １|か行 ２|さ行|た行 １|た行 ２、な行|は行|"
                                "ま、や行|ら、わ、ん行|その他１|その他２|全行|にがてな文字|-|"
                                "ローマ字ヒント",
                                "スピード:はやい|ややはやい|おそい", "文字数:３０|５０|７０",
                                "BGM:BGM停止", "入力表:入力表表示", "つかいかた:つかいかた",
                                "記録:記録表示"}));
  EXPECT_EQ(form->Start->shortcut(), QKeySequence("Ctrl+G"));
  EXPECT_EQ(form->Stop->shortcut(), QKeySequence("Ctrl+S"));
  EXPECT_EQ(form->Quit->shortcut(), QKeySequence("Ctrl+Q"));
  const auto settings = [&] {
    return std::tuple(Game.LessonNo, Game.SpeedLevel, Game.MojiTotal, Checked(form->LessonCheck),
                      Checked(form->SpeedCheck), Checked(form->MojiCount));
  };
  EXPECT_EQ(settings(), std::tuple(1, 3, 30, std::vector{1}, std::vector{3}, std::vector{1}));
  for (QAction* item : {form->LessonCheck[9], form->SpeedCheck[1], form->MojiCount[3]})
    item->trigger();
  EXPECT_EQ(settings(), std::tuple(9, 1, 70, std::vector{9}, std::vector{1}, std::vector{3}));
  form->BgmStop->trigger();
  EXPECT_TRUE(form->BgmStop->isChecked());
  form->BgmStop->trigger();
  EXPECT_FALSE(form->BgmStop->isChecked());

  form->Start->trigger();
  for (QAction* item : {form->LessonCheck[9], form->LessonCheck[5], form->SpeedCheck[2],
                        form->MojiCount[3], form->MojiCount[1]}) {
    item->trigger();
  }
  EXPECT_EQ(settings(), std::tuple(9, 1, 70, std::vector{9}, std::vector{1}, std::vector{3}));
}

// Only Escape closes the results, from them or from the main window, so that
// an Enter meant for the text box does not throw them away unread. The File
// menu's keys work from every window; Ctrl+Q stops and closes the music.
TEST_F(Windows, TheFileKeysWorkFromEveryWindowAndOnlyEscapeClosesTheResults) {
  ShowForm();
  EXPECT_FALSE(form->Text1->isVisible());
  QTest::keyClick(form.get(), Qt::Key_G, Qt::ControlModifier);
  EXPECT_TRUE(Game.GameRunning && form->Text1->isVisible());
  QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_FALSE(Game.GameRunning || form->Text1->isVisible());

  ResultsForm* results = EndGame(5);
  for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_A}) {
    QTest::keyClick(results, key);
    ASSERT_EQ(ResultsForm::Instance(), results) << key;
  }
  QTest::keyClick(results, Qt::Key_Escape);
  EXPECT_EQ(ResultsForm::Instance(), nullptr);
  EndGame(5);
  QTest::keyClick(form->Text1, Qt::Key_Escape);
  EXPECT_EQ(ResultsForm::Instance(), nullptr);

  Activate(EndGame(5));
  QTest::keyClick(ResultsForm::Instance(), Qt::Key_G, Qt::ControlModifier);
  EXPECT_TRUE(Game.GameRunning);
  EXPECT_EQ(ResultsForm::Instance(), nullptr) << "the next game closes the results";
  form->InPutShow->trigger();
  Activate(InPutForm::Instance());
  QTest::keyClick(InPutForm::Instance(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_FALSE(Game.GameRunning);
  Start_Click();
  music.commands.clear();
  QTest::keyClick(InPutForm::Instance(), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(Game.MainLoopActive || Game.GameRunning || form->isVisible());
  ASSERT_GE(music.commands.size(), 2u);
  EXPECT_EQ(music.commands[0] + " " + music.commands[1], "stop close");
  EXPECT_FALSE(MainLoopPass().keepRunning);
}

// Romaji catch at the release of their last letter, a lone n at Enter, and
// an input method's commit at once. A held key's repeats are not releases.
TEST_F(Windows, TypingIntoTheBoxCatchesAtTheRightKeyRelease) {
  ShowForm();
  Start_Click();
  Raise(3, "きゃ");
  for (const Qt::Key key : {Qt::Key_K, Qt::Key_Y}) QTest::keyClick(form->Text1, key);
  EXPECT_EQ(Game.CatchCount, 0);
  EXPECT_EQ(form->Text1->text(), "") << "pending letters are not part of the text";
  QTest::keyClick(form->Text1, Qt::Key_A);
  EXPECT_EQ(Game.CatchCount, 1);
  QTest::keyClick(form->Text1, Qt::Key_O);
  EXPECT_EQ(form->Text1->text(), "お") << "the box takes new letters after a catch";
  QTest::keyClick(form->Text1, Qt::Key_Backspace);

  Raise(2, "ん");
  QTest::keyClick(form->Text1, Qt::Key_N);
  EXPECT_EQ(Game.CatchCount, 1);
  QTest::keyClick(form->Text1, Qt::Key_Return);
  EXPECT_EQ(Game.CatchCount, 2);

  Raise(5, "しゃ");
  QInputMethodEvent preedit("しゃ", {});
  QApplication::sendEvent(form->Text1, &preedit);
  EXPECT_EQ(Game.CatchCount, 2) << "text still being composed is not in the box";
  QInputMethodEvent commit;
  commit.setCommitString("しゃ");
  QApplication::sendEvent(form->Text1, &commit);
  EXPECT_EQ(Game.CatchCount, 3);

  Raise(1, "か");
  form->Text1->setText("か");
  QKeyEvent repeated(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, "a", true);
  QApplication::sendEvent(form->Text1, &repeated);
  EXPECT_EQ(Game.CatchCount, 3);
  QTest::keyRelease(form->Text1, Qt::Key_Shift);
  EXPECT_EQ(Game.CatchCount, 4);
}

TEST_F(Windows, APlayfieldOf640By480NeedsAScreenOfAtLeast800By600) {
  EXPECT_EQ(CalcFormSize({800, 600}), QSize(640, 480));
  EXPECT_EQ(CalcFormSize({1920, 1080}), QSize(640, 480));
  EXPECT_EQ(CalcFormSize({800, 599}), QSize(634, 436));
  EXPECT_EQ(CalcFormSize({799, 600}), QSize(634, 436));
}

// NoButton stands for the title's own timer.
TEST_F(Windows, TheTitleHandsOverOnItsEleventhTickOrAtOnceOnAnyMouseButton) {
  for (const Qt::MouseButton button :
       {Qt::NoButton, Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
    form->hide();
    QPointer<TitleForm> title = new TitleForm(form.get());
    title->show();
    AllPicture.Image().fill(Qt::black);
    if (button == Qt::NoButton) {
      for (int tick = 1; tick <= 10; ++tick) title->Timer1_Timer();
      EXPECT_FALSE(form->isVisible());
      title->Timer1_Timer();
    } else {
      QTest::mousePress(title.data(), button);
      EXPECT_FALSE(title->Timer1.isActive());
    }
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(ShowsBareBackground());
    EXPECT_FALSE(Game.GameRunning);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(title.isNull()) << "the title window is destroyed";
  }
}

TEST_F(Windows, HowToUseDrawsKeyboardTextsAndOkOutsideAGameAndOkBringsBackTheBackground) {
  Game.KeyboardImage = PlainPicture(1024, 384, QColor(250, 200, 120));
  form->show();
  Start_Click();
  AllPicture.Image().fill(Qt::black);
  SubHelp_Click(*form->Command1, form->PlayfieldSize());
  EXPECT_FALSE(form->Command1->isVisible()) << "refused during a game";
  EXPECT_EQ(QColor(AllPicture.Image().pixel(100, 100)), QColor(Qt::black));
  Stop_Click();

  form->Text1->show();
  SubHelp_Click(*form->Command1, form->PlayfieldSize());
  EXPECT_FALSE(form->Text1->isVisible());
  EXPECT_EQ(form->Command1->geometry(), QRect(540, 440, 80, 30));
  const QImage& shown = AllPicture.Image();
  for (const QPoint in : {QPoint(64, 100), QPoint(575, 226)})
    EXPECT_EQ(QColor(shown.pixel(in)), QColor(250, 200, 120)) << "keyboard at " << in.x();
  for (const QPoint out : {QPoint(63, 100), QPoint(576, 100), QPoint(300, 227)})
    EXPECT_EQ(QColor(shown.pixel(out)), QColor(Qt::white)) << "outside at " << out.x();
  const auto inked = [&](int x, int y, QRgb ground) {
    for (int row = y; row < y + 12; ++row)
      for (int col = x; col < x + 200; ++col)
        if (shown.pixel(col, row) != ground) return true;
    return false;
  };
  EXPECT_TRUE(inked(94, 20, qRgb(250, 200, 120))) << "finger names";
  for (int y : {247, 267, 287, 347}) EXPECT_TRUE(inked(64, y, qRgb(255, 255, 255))) << y;
  EXPECT_FALSE(inked(64, 310, qRgb(255, 255, 255)));
  // 634 x 436: w = 507.2 -> 507, h = 174.4 -> 174, x = 63.5 -> 64, the even
  // neighbour.
  const HowToUseLayout small = HowToUseLayoutFor({634, 436});
  EXPECT_EQ(std::tuple(small.w, small.h, small.x), std::tuple(507, 174, 64));

  form->Command1->click();
  EXPECT_FALSE(form->Command1->isVisible());
  EXPECT_TRUE(ShowsBareBackground());
  EXPECT_FALSE(form->Text1->isVisible()) << "only Start shows the box again";
}

TEST_F(Windows, TheInputTableStandsAtTheLeftScrollsByWholeStepsAndKeepsItsPlaceUntilClosed) {
  ShowInputTable(QColor(255, 250, 230));
  InPutForm* table = InPutForm::Instance();
  EXPECT_EQ(table->windowTitle(), "入力表");
  EXPECT_EQ(table->pos(), QPoint(0, 25));
  EXPECT_EQ(table->frameGeometry().height(), 768 - 25) << "frame and caption included";
  EXPECT_EQ(table->width(), 235);
  EXPECT_EQ(table->Picture1->geometry().topLeft(), QPoint(-15, 0));
  EXPECT_EQ(table->Picture1->width(), 235);
  EXPECT_EQ(table->VScroll1->geometry(), QRect(220, 0, 15, table->height()));
  EXPECT_EQ(table->VScroll1->maximum(), 10);
  table->VScroll1->setValue(10);
  EXPECT_EQ(table->Picture1->y(), -1500);
  platform::UseScreenSize({640, 480});
  table->VScroll1->setValue(4);
  EXPECT_EQ(table->Picture1->y(), -640);
  InPutShow_Click();
  EXPECT_EQ(InPutForm::Instance()->VScroll1->value(), 4) << "showing it again keeps its place";
  InPutForm::Instance()->close();
  EXPECT_EQ(InPutForm::Instance(), nullptr);
  ShowInputTable(QColor(30, 60, 200));
  EXPECT_EQ(InPutForm::Instance()->VScroll1->value(), 0);
  const QImage shown = InPutForm::Instance()->Picture1->grab(QRect(20, 20, 1, 1)).toImage();
  EXPECT_LT(qRed(shown.pixel(0, 0)), 100) << "the picture was read again";
}

TEST_F(Windows, StartUpWithoutTheTitlePictureOrBesideASecondCopyReportsItAndEnds) {
  {
    platform::SingleInstance first(folder.path());
    ASSERT_TRUE(first.Acquire());
    EXPECT_THROW(Form_Load(*form), ProgramEnded);
    EXPECT_EQ(TitleForm::Instance(), nullptr);
  }
  ClearGameState();
  EXPECT_THROW(Form_Load(*form), ProgramEnded);
  EXPECT_FALSE(form->isVisible());
  EXPECT_FALSE(Game.MainLoopActive) << "start-up stopped before the defaults and the loop";
  EXPECT_EQ(messages.messages, (std::vector<QString>{"このアプリケーションはすでに開かれています。",
                                                     "画像データ読み込みエラー"}));
}

// 70 strings take the whole height there is below the counter band and the
// text box, and scroll; a few get a window as big as its content.
TEST_F(Windows, EveryEscapedStringOfTheResultsFitsOnTheScreenBelowTheCountBand) {
  for (const platform::ScreenSize screen :
       {platform::ScreenSize{640, 480}, {800, 600}, {1024, 768}}) {
    SCOPED_TRACE(testing::Message() << screen.width << "x" << screen.height);
    NewMainWindow(screen);
    ShowForm();
    ResultsForm* results = EndGame(70);
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
  }
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
