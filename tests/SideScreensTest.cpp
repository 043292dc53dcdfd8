#include <gtest/gtest.h>

#include <QDir>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include "app/KanaTextBox.h"
#include "app/MainForm.h"
#include "app/StartUp.h"
#include "core/GameControl.h"
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
class SideScreens : public GameFixture {
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

TEST_F(SideScreens, TheTitleHandsOverOnTheEleventhDeliveredTickAndNotBefore) {
  QPointer<TitleForm> title = new TitleForm(form.get());
  title->show();
  AllPicture.Image().fill(Qt::black);
  for (int tick = 1; tick <= 10; ++tick) title->Timer1_Timer();
  EXPECT_FALSE(form->isVisible());
  EXPECT_TRUE(title->isVisible());
  title->Timer1_Timer();
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(ShowsBareBackground());
  EXPECT_FALSE(Game.GameRunning);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(title.isNull()) << "the title window is destroyed";
}

TEST_F(SideScreens, AnyMouseButtonOnTheTitleHandsOverAtOnceAndStopsItsTimer) {
  for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
    form->hide();
    QPointer<TitleForm> title = new TitleForm(form.get());
    title->show();
    AllPicture.Image().fill(Qt::black);
    QTest::mousePress(title.data(), button);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(ShowsBareBackground());
    ASSERT_FALSE(title.isNull());
    EXPECT_FALSE(title->Timer1.isActive());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(title.isNull());
  }
}

TEST_F(SideScreens, HowToUseDrawsTheKeyboardTextsAndButtonAndOkBringsBackTheBackground) {
  Game.KeyboardImage = PlainPicture(1024, 384, QColor(250, 200, 120));
  form->show();
  form->Text1->show();
  SubHelp_Click(*form->Command1, form->PlayfieldSize());
  EXPECT_FALSE(form->Text1->isVisible());
  EXPECT_TRUE(form->Command1->isVisible());
  EXPECT_EQ(form->Command1->geometry(), QRect(540, 440, 80, 30));
  const QImage& shown = AllPicture.Image();
  EXPECT_EQ(QColor(shown.pixel(64, 100)), QColor(250, 200, 120)) << "keyboard's left edge";
  EXPECT_EQ(QColor(shown.pixel(575, 226)), QColor(250, 200, 120)) << "keyboard's far corner";
  EXPECT_EQ(QColor(shown.pixel(63, 100)), QColor(Qt::white));
  EXPECT_EQ(QColor(shown.pixel(576, 100)), QColor(Qt::white));
  EXPECT_EQ(QColor(shown.pixel(300, 227)), QColor(Qt::white));
  EXPECT_TRUE(HasTextAt(94, 20)) << "finger names";
  for (int y : {247, 267, 287, 347}) EXPECT_TRUE(HasTextAt(64, y)) << "line at " << y;
  EXPECT_FALSE(HasTextAt(64, 310));

  form->Command1->click();
  EXPECT_FALSE(form->Command1->isVisible());
  EXPECT_TRUE(ShowsBareBackground());
  EXPECT_FALSE(form->Text1->isVisible()) << "only Start shows the box again";
}

TEST_F(SideScreens, HowToUseIsRefusedDuringAGame) {
  form->show();
  Start_Click();
  AllPicture.Image().fill(Qt::black);
  SubHelp_Click(*form->Command1, form->PlayfieldSize());
  EXPECT_FALSE(form->Command1->isVisible());
  EXPECT_TRUE(platform::Text1().IsVisible());
  EXPECT_EQ(QColor(AllPicture.Image().pixel(100, 100)), QColor(Qt::black));
}

TEST(HowToUseLayout, KeyboardSizesRoundHalvesToEven) {
  EXPECT_EQ(HowToUseLayoutFor({640, 480}).w, 512);
  EXPECT_EQ(HowToUseLayoutFor({640, 480}).h, 192);
  EXPECT_EQ(HowToUseLayoutFor({640, 480}).x, 64);
  // 634 x 436: w = 507.2 -> 507, h = 174.4 -> 174, x = 63.5 -> 64.
  EXPECT_EQ(HowToUseLayoutFor({634, 436}).w, 507);
  EXPECT_EQ(HowToUseLayoutFor({634, 436}).x, 64);
  // 645: w = 516, x = 64.5 -> 64, the even neighbour.
  EXPECT_EQ(HowToUseLayoutFor({645, 480}).x, 64);
}

TEST_F(SideScreens, TheInputTableStandsAtTheLeftAndScrollsByWholeSteps) {
  WriteInputTable(QColor(255, 250, 230));
  InPutShow_Click();
  InPutForm* table = InPutForm::Instance();
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->windowTitle(), "入力表");
  EXPECT_EQ(table->pos(), QPoint(0, 25));
  EXPECT_EQ(table->width(), 235);
  EXPECT_EQ(table->frameGeometry().height(), 768 - 25) << "frame and caption included";
  EXPECT_EQ(table->Picture1->geometry().left(), -15);
  EXPECT_EQ(table->Picture1->width(), 235);
  EXPECT_EQ(table->VScroll1->geometry(), QRect(220, 0, 15, table->height()));
  EXPECT_EQ(table->VScroll1->maximum(), 10);
  table->VScroll1->setValue(10);
  EXPECT_EQ(table->Picture1->y(), -1500);
  EXPECT_EQ(ScrollStep(481), 150);
  EXPECT_EQ(ScrollStep(480), 160);
  platform::UseScreenSize({640, 480});
  table->VScroll1->setValue(9);
  EXPECT_EQ(table->Picture1->y(), -1440);
}

TEST_F(SideScreens, ShowingTheInputTableAgainKeepsItsPlaceButReopeningStartsAfresh) {
  WriteInputTable(QColor(255, 250, 230));
  InPutShow_Click();
  InPutForm::Instance()->VScroll1->setValue(4);
  InPutShow_Click();
  EXPECT_EQ(InPutForm::Instance()->VScroll1->value(), 4);
  InPutForm::Instance()->close();
  EXPECT_EQ(InPutForm::Instance(), nullptr);
  WriteInputTable(QColor(30, 60, 200));
  InPutShow_Click();
  EXPECT_EQ(InPutForm::Instance()->VScroll1->value(), 0);
  EXPECT_EQ(InPutForm::Instance()->Picture1->y(), 0);
  const QImage shown = InPutForm::Instance()->Picture1->grab(QRect(20, 20, 1, 1)).toImage();
  EXPECT_LT(qRed(shown.pixel(0, 0)), 100) << "the picture was read again";
}

TEST_F(SideScreens, AMissingInputTableIsReportedAndTheWindowOpensEmpty) {
  InPutShow_Click();
  EXPECT_EQ(messages.messages, std::vector<QString>{"画像データ読み込みエラー"});
  EXPECT_EQ(messages.ends, 0);
  ASSERT_NE(InPutForm::Instance(), nullptr);
  EXPECT_TRUE(InPutForm::Instance()->isVisible());
  EXPECT_EQ(InPutForm::Instance()->VScroll1->maximum(), 0);
}

TEST_F(SideScreens, WithoutTheTitlePictureStartUpReportsItAndNeverRunsTheLoop) {
  ClearGameState();
  EXPECT_THROW(Form_Load(*form), ProgramEnded);
  EXPECT_EQ(messages.messages, std::vector<QString>{"画像データ読み込みエラー"});
  EXPECT_FALSE(form->isVisible());
  EXPECT_FALSE(Game.MainLoopActive) << "start-up stopped before the defaults and the loop";
}

TEST_F(SideScreens, ASecondCopyIsToldSoAndEndsBeforeShowingAnything) {
  platform::SingleInstance first(folder.path());
  ASSERT_TRUE(first.Acquire());
  EXPECT_THROW(Form_Load(*form), ProgramEnded);
  EXPECT_EQ(messages.messages,
            std::vector<QString>{"このアプリケーションはすでに開かれています。"});
  EXPECT_EQ(TitleForm::Instance(), nullptr);
}
