// The real program in a real X window, driven from outside as a player
// drives it: X mouse clicks and key strokes, screenshots of its window, and
// the sound and music requests its test build writes down.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>

#include "PlayfieldReferences.h"
#include "VirtualDisplay.h"

namespace {

constexpr int StartUpMs = 20000;
constexpr int ShowMs = 10000;
const QString RequestLog = QStringLiteral(KANACATCH_PROBE_DIR "/probe-requests.log");

// The strings of the first lesson, the one a new game starts with, as romaji
// key strokes, each sent with Enter, which empties the box after a miss.
QStringList LessonOneStrokes() {
  QStringList strokes{QStringLiteral("key")};
  for (const char* romaji :
       {"a", "i", "u", "e", "o", "xa", "xi", "xu", "xe", "xo", "ka", "ki", "ku", "ke", "ko"}) {
    for (const char* letter = romaji; *letter; ++letter) strokes << QString(QLatin1Char(*letter));
    strokes << QStringLiteral("Return");
  }
  return strokes;
}

class Player : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    references = std::make_unique<PlayfieldReferences>(QStringLiteral(KANACATCH_APP_DIR), 30);
  }
  static void TearDownTestSuite() { references.reset(); }

  void SetUp() override {
    ASSERT_TRUE(display.IsUp()) << "Xvfb did not start";
    ASSERT_TRUE(runtimeFolder.isValid());
    QFile::remove(RequestLog);
  }

  void TearDown() override {
    for (const auto& program : programs) {
      program->kill();
      program->waitForFinished();
    }
  }

  // Starts the test build on the display. Its copies meet in a runtime
  // folder of their own, away from any game the user is playing.
  QProcess& Start() {
    auto program = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display.Name());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.remove(QStringLiteral("QT_SCALE_FACTOR"));
    program->setProcessEnvironment(environment);
    program->setProcessChannelMode(QProcess::ForwardedChannels);
    program->start(QStringLiteral(KANACATCH_PROBE));
    program->waitForStarted(StartUpMs);
    programs.push_back(std::move(program));
    return *programs.back();
  }

  // The one window `program` shows, other than `before`; empty when it shows
  // none in time.
  QString WaitForWindow(const QProcess& program, const QString& before = QString()) {
    QString window;
    WaitUntil(
        [&] {
          const std::vector<QString> shown = display.WindowsOf(program.processId());
          window = shown.size() == 1 && shown.front() != before ? shown.front() : QString();
          return !window.isEmpty();
        },
        StartUpMs);
    return window;
  }

  // The playfield fills the main window below its menu bar.
  QImage Playfield(const QString& window) const {
    const QImage shot = display.Shot(window);
    return shot.height() < 480 ? QImage() : shot.copy(0, shot.height() - 480, 640, 480);
  }

  bool ShowsBareBackground(const QString& window) const {
    return Mismatch(Playfield(window), references->BareBackground(), QRect(0, 0, 640, 480)) < 0.01;
  }

  int Counter(const QString& window, const QRect& area) const {
    return references->ReadCounter(Playfield(window), area).value_or(-1);
  }

  // Whether `program` has not ended; an ended program is seen to have ended.
  static bool StillRunning(QProcess& program) {
    program.waitForFinished(0);
    return program.state() == QProcess::Running;
  }

  bool Requested(const QString& request) const {
    QFile log(RequestLog);
    if (!log.open(QIODevice::ReadOnly)) return false;
    return QString::fromUtf8(log.readAll()).split(QLatin1Char('\n')).contains(request);
  }

  static std::unique_ptr<PlayfieldReferences> references;
  VirtualDisplay display;
  QTemporaryDir runtimeFolder;
  std::vector<std::unique_ptr<QProcess>> programs;
};

std::unique_ptr<PlayfieldReferences> Player::references;

}  // namespace

TEST_F(Player, StartsAGameFromTheTitleCatchesCrittersByTypingThenStopsAndQuits) {
  QProcess& game = Start();
  const QString title = WaitForWindow(game);
  ASSERT_FALSE(title.isEmpty()) << "no title window";
  display.Click(title, QPoint(320, 240));
  const QString main = WaitForWindow(game, title);
  ASSERT_FALSE(main.isEmpty()) << "the main window did not follow the title";
  ASSERT_TRUE(WaitUntil([&] { return ShowsBareBackground(main); }, ShowMs));

  // A window manager gives a clicked window the keyboard; Xvfb has none.
  display.Click(main, QPoint(20, 300));
  display.Keys({QStringLiteral("key"), QStringLiteral("ctrl+g")});
  ASSERT_TRUE(WaitUntil([&] { return Requested(QStringLiteral("music play")); }, ShowMs));
  EXPECT_TRUE(WaitUntil([&] { return Counter(main, ShownCountArea) > 0; }, StartUpMs))
      << "no critter rose, or the band did not count it";

  const QStringList strokes = LessonOneStrokes();
  EXPECT_TRUE(WaitUntil(
      [&] {
        display.Keys(strokes);
        return Counter(main, CatchCountArea) > 0;
      },
      60000))
      << "no catch showed in the band";
  EXPECT_TRUE(Requested(QStringLiteral("sound みゃ.wav 19")));

  display.Keys({QStringLiteral("key"), QStringLiteral("ctrl+s")});
  EXPECT_TRUE(WaitUntil([&] { return ShowsBareBackground(main); }, ShowMs)) << "after Stop";
  display.Keys({QStringLiteral("key"), QStringLiteral("ctrl+q")});
  ASSERT_TRUE(game.waitForFinished(StartUpMs)) << "Quit left the program running";
  EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(game.exitCode(), 0);
}

TEST_F(Player, ASecondCopyShowsItsMessageAndEndsOnceThePlayerDismissesIt) {
  QProcess& first = Start();
  ASSERT_FALSE(WaitForWindow(first).isEmpty());
  QProcess& second = Start();
  const QString box = WaitForWindow(second);
  ASSERT_FALSE(box.isEmpty()) << "the second copy showed no message";
  EXPECT_EQ(display.NameOf(box), QStringLiteral("かなキャッチ"));
  EXPECT_LT(display.SizeOf(box).height(), 480) << "a message box, not the title window";
  EXPECT_TRUE(StillRunning(second)) << "it waits for the player";

  display.Click(box, QPoint(4, 4));
  display.Keys({QStringLiteral("key"), QStringLiteral("Return")});
  ASSERT_TRUE(second.waitForFinished(StartUpMs));
  EXPECT_EQ(second.exitCode(), 1) << "a refused start ends with status 1";
  EXPECT_TRUE(StillRunning(first));
}
