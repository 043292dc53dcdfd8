#include <gtest/gtest.h>

#include <QAction>
#include <QInputMethodEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "app/KanaTextBox.h"
#include "app/MainForm.h"
#include "app/StartUp.h"
#include "core/GameControl.h"
#include "core/MainLoop.h"
#include "game/GameState.h"
#include "kana/SettingsMenus.h"
#include "support/GameFixture.h"

namespace {

class MainFormTest : public GameFixture {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    form = std::make_unique<MainForm>();
    form->SetPlayfieldSize(CalcFormSize({1024, 768}));
    form->ArrangeControls();
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  }
  void TearDown() override {
    form.reset();
    GameFixture::TearDown();
  }

  QStringList Captions(const QString& menuTitle) const {
    QStringList captions;
    for (QAction* top : form->menuBar()->actions()) {
      if (top->text() != menuTitle) continue;
      for (QAction* item : top->menu()->actions())
        captions << (item->isSeparator() ? "-" : item->text());
    }
    return captions;
  }

  std::vector<int> Checked(const OneBased<QAction*, 11>& items, int count) const {
    std::vector<int> checked;
    for (int i = 1; i <= count; ++i) {
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

  std::unique_ptr<MainForm> form;
};

std::vector<int> CheckedItems(QAction* const* items, int count) {
  std::vector<int> checked;
  for (int i = 0; i < count; ++i) {
    if (items[i]->isChecked()) checked.push_back(i + 1);
  }
  return checked;
}

}  // namespace

TEST_F(MainFormTest, MenusHaveTheirCaptionsSeparatorsShortcutsAndFirstChecks) {
  QStringList tops;
  for (QAction* top : form->menuBar()->actions()) tops << top->text();
  EXPECT_EQ(tops, QStringList({"ファイル", "レッスン", "スピード", "文字数", "BGM", "入力表",
                               "つかいかた"}));
  EXPECT_EQ(Captions("ファイル"), QStringList({"スタート", "-", "ストップ", "-", "おわり"}));
  EXPECT_EQ(Captions("レッスン"),
            QStringList({"あ行、か行 １", "か行 ２", "さ行", "た行 １", "た行 ２、な行", "は行",
                         "ま、や行", "ら、わ、ん行", "その他１", "その他２", "全行"}));
  EXPECT_EQ(Captions("スピード"), QStringList({"はやい", "ややはやい", "おそい"}));
  EXPECT_EQ(Captions("文字数"), QStringList({"３０", "５０", "７０"}));
  EXPECT_EQ(Captions("BGM"), QStringList({"BGM停止"}));
  EXPECT_EQ(Captions("入力表"), QStringList({"入力表表示"}));
  EXPECT_EQ(Captions("つかいかた"), QStringList({"つかいかた"}));
  EXPECT_EQ(form->Start->shortcut(), QKeySequence("Ctrl+G"));
  EXPECT_EQ(form->Stop->shortcut(), QKeySequence("Ctrl+S"));
  EXPECT_EQ(form->Quit->shortcut(), QKeySequence("Ctrl+Q"));
  EXPECT_EQ(CheckedItems(&form->LessonCheck[1], 11), std::vector<int>{1});
  EXPECT_EQ(CheckedItems(&form->SpeedCheck[1], 3), std::vector<int>{3});
  EXPECT_EQ(CheckedItems(&form->MojiCount[1], 3), std::vector<int>{1});
  EXPECT_FALSE(form->BgmStop->isChecked());
}

// Qt toggles a checkable item before its handler runs; a refused click must
// not leave that toggle behind.
TEST_F(MainFormTest, AClickRefusedDuringAGameLeavesEveryCheckAsItWas) {
  form->LessonCheck[4]->trigger();
  EXPECT_EQ(CheckedItems(&form->LessonCheck[1], 11), std::vector<int>{4});
  form->Start->trigger();
  form->LessonCheck[7]->trigger();
  form->LessonCheck[4]->trigger();
  form->SpeedCheck[1]->trigger();
  form->MojiCount[2]->trigger();
  EXPECT_EQ(CheckedItems(&form->LessonCheck[1], 11), std::vector<int>{4});
  EXPECT_EQ(CheckedItems(&form->SpeedCheck[1], 3), std::vector<int>{3});
  EXPECT_EQ(CheckedItems(&form->MojiCount[1], 3), std::vector<int>{1});
  EXPECT_EQ(Game.LessonNo, 4);
}

TEST_F(MainFormTest, CtrlGStartsCtrlSStopsAndTheBoxShowsOnlyDuringTheGame) {
  EXPECT_FALSE(form->Text1->isVisible());
  QTest::keyClick(form.get(), Qt::Key_G, Qt::ControlModifier);
  EXPECT_TRUE(Game.GameRunning);
  EXPECT_TRUE(form->Text1->isVisible());
  EXPECT_EQ(form->Text1->text(), "");
  QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_FALSE(Game.GameRunning);
  EXPECT_FALSE(form->Text1->isVisible());
}

TEST_F(MainFormTest, CtrlQEndsTheLoopAndClosesTheWindowWithTheMusicStoppedAndClosed) {
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

TEST_F(MainFormTest, RomajiTypedIntoTheBoxCatchesAtTheReleaseOfTheLastLetter) {
  Start_Click();
  Raise(3, "きゃ");
  form->Text1->setFocus();
  QTest::keyClick(form->Text1, Qt::Key_K, Qt::NoModifier);
  QTest::keyClick(form->Text1, Qt::Key_Y, Qt::NoModifier);
  EXPECT_EQ(Game.CatchCount, 0);
  EXPECT_EQ(form->Text1->text(), "") << "pending letters are not part of the text";
  QTest::keyClick(form->Text1, Qt::Key_A, Qt::NoModifier);
  EXPECT_EQ(Game.CatchCount, 1);
  EXPECT_EQ(form->Text1->text(), "");
  EXPECT_EQ(form->Text1->Pending(), "");
  QTest::keyClick(form->Text1, Qt::Key_O, Qt::NoModifier);
  EXPECT_EQ(form->Text1->text(), "お") << "the box takes new letters after a catch";
}

TEST_F(MainFormTest, ALoneNAtEnterBecomesNAndIsMatchedAtTheRelease) {
  Start_Click();
  Raise(2, "ん");
  QTest::keyClick(form->Text1, Qt::Key_N, Qt::NoModifier);
  EXPECT_EQ(Game.CatchCount, 0);
  QTest::keyClick(form->Text1, Qt::Key_Return, Qt::NoModifier);
  EXPECT_EQ(Game.CatchCount, 1);
}

TEST_F(MainFormTest, AnInputMethodCommitOfACatchableStringCatchesItOnce) {
  Start_Click();
  Raise(5, "しゃ");
  QInputMethodEvent preedit("しゃ", {});
  QApplication::sendEvent(form->Text1, &preedit);
  EXPECT_EQ(Game.CatchCount, 0) << "text still being composed is not in the box";
  QInputMethodEvent commit;
  commit.setCommitString("しゃ");
  QApplication::sendEvent(form->Text1, &commit);
  EXPECT_EQ(Game.CatchCount, 1);
  QTest::keyRelease(form->Text1, Qt::Key_Return);
  EXPECT_EQ(Game.CatchCount, 1);
}

TEST(FormSize, APlayfieldOf640By480NeedsAScreenOfAtLeast800By600) {
  EXPECT_EQ(CalcFormSize({800, 600}), QSize(640, 480));
  EXPECT_EQ(CalcFormSize({1920, 1080}), QSize(640, 480));
  EXPECT_EQ(CalcFormSize({800, 599}), QSize(634, 436));
  EXPECT_EQ(CalcFormSize({799, 600}), QSize(634, 436));
}
