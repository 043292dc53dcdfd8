#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QInputMethodEvent>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include "app/KanaTextBox.h"
#include "app/MainForm.h"
#include "app/StartUp.h"
#include "core/GameControl.h"
#include "core/MainLoop.h"
#include "game/GameState.h"
#include "game/Pictures.h"
#include "platform/MessageBox.h"
#include "platform/ProgramFolder.h"
#include "platform/SingleInstance.h"
#include "screens/HowToUse.h"
#include "screens/InputTable.h"
#include "screens/TitleForm.h"
#include "support/GameFixture.h"
#include "support/MediaFiles.h"

namespace {

const QColor Sky(120, 200, 250);

// The main window over a data folder in a temporary directory, with a
// plain background in BackPicture.
class Windows : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    platform::UseProgramFolder(folder.path());
    QDir(folder.path()).mkdir("Deta");
    platform::UseMessageSink(&messages);
    platform::UseLockFolder(folder.path());
    BackPicture.Image().fill(Sky);
    form = std::make_unique<MainForm>();
    form->SetPlayfieldSize(CalcFormSize({1024, 768}));
    form->ArrangeControls();
    form->SyncMenuChecks();
  }
  void TearDown() override {
    UnloadInPutForm();
    delete TitleForm::Instance();
    form.reset();
    platform::UseMessageSink(nullptr);
    platform::UseLockFolder(QString());
    platform::UseProgramFolder(QString());
    GameFixture::TearDown();
  }

  void ShowForm() {
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  }

  QStringList Captions(QMenu* menu) const {
    QStringList captions;
    for (QAction* item : menu->actions()) captions << (item->isSeparator() ? "-" : item->text());
    return captions;
  }

  template <int N>
  std::vector<int> Checked(const OneBased<QAction*, N>& items) const {
    std::vector<int> checked;
    for (int i = 1; i <= N; ++i) {
      if (items[i]->isChecked()) checked.push_back(i);
    }
    return checked;
  }

  // Puts hole h's critter far enough out to be caught, carrying `moji`.
  void Raise(int h, const QString& moji) {
    Game.HoleMoji[h] = moji;
    Game.KobRect[h].Top = Game.RestY[h] - 100;
    Game.KobRising[h] = true;
  }

  void WriteInputTable(QColor colour) {
    WriteTestFile(folder.filePath("Deta/input.jpg"), JpegBytes(PlainPicture(235, 2300, colour)));
  }

  bool ShowsBareBackground() const { return AllPicture.Image() == BackPicture.Image(); }

  // Whether the composite has dark pixels in the rows y to y + 12 from x on.
  bool HasTextAt(int x, int y) const {
    for (int row = y; row < y + 12; ++row) {
      for (int column = x; column < x + 200; ++column) {
        if (qGray(AllPicture.Image().pixel(column, row)) < 100) return true;
      }
    }
    return false;
  }

  QTemporaryDir folder;
  MessageRecorder messages;
  std::unique_ptr<MainForm> form;
};

}  // namespace

TEST_F(Windows, MenusHaveTheirCaptionsSeparatorsShortcutsAndChecksFromTheSettings) {
  QStringList tops;
  QStringList items;
  for (QAction* top : form->menuBar()->actions()) {
    tops << top->text();
    items << Captions(top->menu()).join('|');
  }
  EXPECT_EQ(tops, QStringList({"ファイル", "レッスン", "スピード", "文字数", "BGM", "入力表",
                               "つかいかた", "記録"}));
  EXPECT_EQ(items, QStringList({"スタート|-|ストップ|-|おわり",
                                "あ行、か行 １|か行 ２|さ行|た行 １|た行 ２、な行|は行|ま、や行|"
                                "ら、わ、ん行|その他１|その他２|全行|にがてな文字|-|"
                                "ローマ字ヒント",
                                "はやい|ややはやい|おそい", "３０|５０|７０", "BGM停止",
                                "入力表表示", "つかいかた", "記録表示"}));
  EXPECT_EQ(form->Start->shortcut(), QKeySequence("Ctrl+G"));
  EXPECT_EQ(form->Stop->shortcut(), QKeySequence("Ctrl+S"));
  EXPECT_EQ(form->Quit->shortcut(), QKeySequence("Ctrl+Q"));
  EXPECT_EQ(Checked(form->LessonCheck), std::vector<int>{1});
  EXPECT_EQ(Checked(form->SpeedCheck), std::vector<int>{3});
  EXPECT_EQ(Checked(form->MojiCount), std::vector<int>{1});
  form->BgmStop->trigger();
  EXPECT_TRUE(form->BgmStop->isChecked());
  form->BgmStop->trigger();
  EXPECT_FALSE(form->BgmStop->isChecked());
}

// Qt toggles a checkable item before its handler runs; a refused click must
// not leave that toggle behind.
TEST_F(Windows, AClickRefusedDuringAGameLeavesEveryCheckAsItWas) {
  form->LessonCheck[4]->trigger();
  form->MojiCount[2]->trigger();
  EXPECT_EQ(Checked(form->LessonCheck), std::vector<int>{4});
  form->Start->trigger();
  for (QAction* item : {form->LessonCheck[7], form->LessonCheck[4], form->SpeedCheck[1],
                        form->MojiCount[3], form->MojiCount[2]}) {
    item->trigger();
  }
  EXPECT_EQ(Checked(form->LessonCheck), std::vector<int>{4});
  EXPECT_EQ(Checked(form->SpeedCheck), std::vector<int>{3});
  EXPECT_EQ(Checked(form->MojiCount), std::vector<int>{2});
}

TEST_F(Windows, CtrlGStartsCtrlSStopsAndCtrlQClosesWithTheMusicStoppedAndClosed) {
  ShowForm();
  EXPECT_FALSE(form->Text1->isVisible());
  QTest::keyClick(form.get(), Qt::Key_G, Qt::ControlModifier);
  EXPECT_TRUE(Game.GameRunning);
  EXPECT_TRUE(form->Text1->isVisible());
  QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_FALSE(Game.GameRunning);
  EXPECT_FALSE(form->Text1->isVisible());
  Start_Click();
  music.commands.clear();
  QTest::keyClick(form.get(), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(Game.MainLoopActive);
  EXPECT_FALSE(Game.GameRunning);
  EXPECT_FALSE(form->isVisible());
  ASSERT_GE(music.commands.size(), 2u);
  EXPECT_EQ(music.commands[0], "stop");
  EXPECT_EQ(music.commands[1], "close");
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
  EXPECT_EQ(form->Text1->text(), "");
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
  QTest::keyRelease(form->Text1, Qt::Key_Return);
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

TEST_F(Windows, TheTitleHandsOverOnItsEleventhTickOrAtOnceOnAnyMouseButton) {
  QPointer<TitleForm> title = new TitleForm(form.get());
  title->show();
  AllPicture.Image().fill(Qt::black);
  for (int tick = 1; tick <= 10; ++tick) title->Timer1_Timer();
  EXPECT_FALSE(form->isVisible());
  title->Timer1_Timer();
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(ShowsBareBackground());
  EXPECT_FALSE(Game.GameRunning);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(title.isNull()) << "the title window is destroyed";

  for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
    form->hide();
    title = new TitleForm(form.get());
    title->show();
    AllPicture.Image().fill(Qt::black);
    QTest::mousePress(title.data(), button);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(ShowsBareBackground());
    EXPECT_FALSE(title->Timer1.isActive());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(title.isNull());
  }
}

TEST_F(Windows, HowToUseDrawsKeyboardTextsAndOkOutsideAGameAndOkBringsBackTheBackground) {
  Game.KeyboardImage = PlainPicture(1024, 384, QColor(250, 200, 120));
  form->show();
  Start_Click();
  AllPicture.Image().fill(Qt::black);
  SubHelp_Click(*form->Command1, form->PlayfieldSize());
  EXPECT_FALSE(form->Command1->isVisible()) << "refused during a game";
  EXPECT_TRUE(form->Text1->isVisible());
  EXPECT_EQ(QColor(AllPicture.Image().pixel(100, 100)), QColor(Qt::black));
  Stop_Click();

  form->Text1->show();
  SubHelp_Click(*form->Command1, form->PlayfieldSize());
  EXPECT_FALSE(form->Text1->isVisible());
  EXPECT_EQ(form->Command1->geometry(), QRect(540, 440, 80, 30));
  const QImage& shown = AllPicture.Image();
  for (const QPoint in : {QPoint(64, 100), QPoint(575, 226)}) {
    EXPECT_EQ(QColor(shown.pixel(in)), QColor(250, 200, 120)) << "keyboard at " << in.x();
  }
  for (const QPoint out : {QPoint(63, 100), QPoint(576, 100), QPoint(300, 227)}) {
    EXPECT_EQ(QColor(shown.pixel(out)), QColor(Qt::white)) << "outside at " << out.x();
  }
  EXPECT_TRUE(HasTextAt(94, 20)) << "finger names";
  for (int y : {247, 267, 287, 347}) EXPECT_TRUE(HasTextAt(64, y)) << "line at " << y;
  EXPECT_FALSE(HasTextAt(64, 310));
  // 634 x 436: w = 507.2 -> 507, h = 174.4 -> 174, x = 63.5 -> 64, the even
  // neighbour.
  EXPECT_EQ(HowToUseLayoutFor({634, 436}).w, 507);
  EXPECT_EQ(HowToUseLayoutFor({634, 436}).h, 174);
  EXPECT_EQ(HowToUseLayoutFor({634, 436}).x, 64);

  form->Command1->click();
  EXPECT_FALSE(form->Command1->isVisible());
  EXPECT_TRUE(ShowsBareBackground());
  EXPECT_FALSE(form->Text1->isVisible()) << "only Start shows the box again";
}

TEST_F(Windows, TheInputTableStandsAtTheLeftScrollsByWholeStepsAndKeepsItsPlaceUntilClosed) {
  WriteInputTable(QColor(255, 250, 230));
  InPutShow_Click();
  InPutForm* table = InPutForm::Instance();
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->windowTitle(), "入力表");
  EXPECT_EQ(table->pos(), QPoint(0, 25));
  EXPECT_EQ(table->width(), 235);
  EXPECT_EQ(table->frameGeometry().height(), 768 - 25) << "frame and caption included";
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
  WriteInputTable(QColor(30, 60, 200));
  InPutShow_Click();
  EXPECT_EQ(InPutForm::Instance()->VScroll1->value(), 0);
  const QImage shown = InPutForm::Instance()->Picture1->grab(QRect(20, 20, 1, 1)).toImage();
  EXPECT_LT(qRed(shown.pixel(0, 0)), 100) << "the picture was read again";
}

TEST_F(Windows, AMissingInputTableIsReportedAndTheWindowOpensEmpty) {
  InPutShow_Click();
  EXPECT_EQ(messages.messages, std::vector<QString>{"画像データ読み込みエラー"});
  EXPECT_EQ(messages.ends, 0);
  ASSERT_NE(InPutForm::Instance(), nullptr);
  EXPECT_TRUE(InPutForm::Instance()->isVisible());
  EXPECT_EQ(InPutForm::Instance()->VScroll1->maximum(), 0);
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
