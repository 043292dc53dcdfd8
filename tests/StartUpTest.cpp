#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QScreen>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include "app/MainForm.h"
#include "app/StartUp.h"
#include "game/GameState.h"
#include "platform/MessageBox.h"
#include "platform/ProgramFolder.h"
#include "platform/SingleInstance.h"
#include "screens/TitleForm.h"
#include "support/GameFixture.h"
#include "support/MediaFiles.h"

namespace {

const QColor TitleColour(240, 140, 20);

// Start-up over a data folder that holds the title picture; the messages
// are recorded, and the title window's picture on the screen is taken at
// the first message.
class StartUp : public GameFixture, public platform::MessageSink {
 protected:
  void SetUp() override {
    GameFixture::SetUp();
    QDir(folder.path()).mkdir("Deta");
    Write("Title.jpg", TitleColour);
    platform::UseProgramFolder(folder.path());
    platform::UseLockFolder(folder.path());
    platform::UseMessageSink(this);
  }
  void TearDown() override {
    delete TitleForm::Instance();
    platform::UseMessageSink(nullptr);
    platform::UseLockFolder(QString());
    platform::UseProgramFolder(QString());
    GameFixture::TearDown();
  }
  void Show(const QString& text) override {
    messages << text;
    if (TitleForm* title = TitleForm::Instance(); title && shownTitle.isNull()) {
      shownTitle = title->screen()->grabWindow(title->winId()).toImage();
    }
  }
  void End() override { throw ProgramEnded{}; }

  void Write(const QString& name, QColor colour) {
    WriteTestFile(folder.filePath("Deta/" + name), JpegBytes(PlainPicture(64, 48, colour)));
  }

  QTemporaryDir folder;
  MainForm form;
  QStringList messages;
  QImage shownTitle;
};

// Posts a click to the title window as soon as it is shown, and notes how
// far start-up had got when the click was handled; then quits.
class ClickDuringStartUp : public QObject {
 public:
  bool eventFilter(QObject* target, QEvent* event) override {
    TitleForm* title = TitleForm::Instance();
    if (!title || target != title) return false;
    if (event->type() == QEvent::Show) {
      QApplication::postEvent(
          title, new QMouseEvent(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5),
                                 Qt::RightButton, Qt::RightButton, Qt::NoModifier));
    } else if (event->type() == QEvent::MouseButtonPress) {
      ++clicks;
      loaded = !Game.KeyboardImage.isNull() && Game.MojiTotal > 0;
      loopLevel = QThread::currentThread()->loopLevel();
      ticks = title->TitleTicks;
      QMetaObject::invokeMethod(MainForm::Instance()->Quit, &QAction::trigger,
                                Qt::QueuedConnection);
    }
    return false;
  }
  int clicks = 0, loopLevel = 0, ticks = -1;
  bool loaded = false;
};

}  // namespace

// The title is on the screen before the playfield's pictures are read: a
// missing background is reported over it.
TEST_F(StartUp, TheTitleIsShownBeforeThePlayfieldPicturesAreRead) {
  EXPECT_THROW(Form_Load(form), ProgramEnded);
  EXPECT_EQ(messages, QStringList{"画像データ読み込みエラー"});
  ASSERT_FALSE(shownTitle.isNull());
  const QRgb middle = shownTitle.pixel(shownTitle.width() / 2, shownTitle.height() / 2);
  EXPECT_LT(std::abs(qRed(middle) - TitleColour.red()) + std::abs(qBlue(middle) - 20), 30);
}

// Start-up handles no event: a click that reaches the title while the rest
// loads waits for the main loop, whose first pass hands over with all
// loaded and before the title's first tick.
TEST_F(StartUp, AClickQueuedDuringStartUpIsHandledOnTheMainLoopsFirstPass) {
  Write("Back.jpg", Qt::green);
  Write("KeyBorad.jpg", Qt::gray);
  for (int k = 1; k <= 8; ++k) {
    Write(QStringLiteral("Kob%1.jpg").arg(k, 2, 10, QLatin1Char('0')), Qt::white);
    Write(QStringLiteral("KobMask%1.jpg").arg(k, 2, 10, QLatin1Char('0')), Qt::black);
  }
  ClickDuringStartUp click;
  qApp->installEventFilter(&click);
  // Ends the loop should the click never be handled.
  QTimer::singleShot(3000, form.Quit, &QAction::trigger);
  Form_Load(form);
  qApp->removeEventFilter(&click);
  EXPECT_TRUE(messages.isEmpty());
  EXPECT_EQ(click.clicks, 1);
  EXPECT_TRUE(click.loaded);
  EXPECT_EQ(click.loopLevel, 1) << "in the main loop";
  EXPECT_EQ(click.ticks, 0);
}
