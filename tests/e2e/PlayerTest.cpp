// The real program in a real X window on an X server of its own (Xvfb),
// driven from outside as a player drives it: mouse clicks and key strokes
// through xdotool, screenshots of its windows through ImageMagick's import,
// and the sound and music requests its test build prints.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <list>

namespace {

constexpr int WaitMs = 20000;

// Whether `condition` comes to hold within `ms`, events handled meanwhile.
template <typename Condition>
bool Until(Condition condition, int ms = WaitMs) {
  return QTest::qWaitFor(condition, ms);
}

class Player : public testing::Test {
 protected:
  // Xvfb on the first free display from one that differs between processes,
  // 100 and up: on a display in use it ends at once. With -displayfd it
  // names the display once it accepts clients; -noreset keeps it from
  // starting afresh, deaf for a moment, whenever its last client leaves.
  void SetUp() override {
    const int first = 100 + QCoreApplication::applicationPid() % 500;
    for (int n = first; n < first + 20 && display.isEmpty(); ++n) {
      server.start("Xvfb", {QStringLiteral(":%1").arg(n), "-displayfd", "1", "-screen", "0",
                            "1024x768x24", "-nolisten", "tcp", "-noreset"});
      QByteArray named;
      while (!named.endsWith('\n') && server.waitForReadyRead(WaitMs)) named += server.readAll();
      if (named.trimmed() == QByteArray::number(n)) display = QStringLiteral(":%1").arg(n);
      if (display.isEmpty()) server.kill(), server.waitForFinished();
    }
    ASSERT_FALSE(display.isEmpty()) << "Xvfb did not start";
    // For the programs and tools the test starts; the copies of the program
    // meet in a runtime folder of their own, away from the user's game.
    qputenv("DISPLAY", display.toUtf8());
    qputenv("QT_QPA_PLATFORM", "xcb");
    qputenv("XDG_RUNTIME_DIR", runtimeFolder.path().toUtf8());
  }

  void TearDown() override {
    for (QProcess& program : programs) program.kill(), program.waitForFinished();
    server.terminate();
    server.waitForFinished();
  }

  // Runs an X tool on the display; its output.
  QByteArray X(const QString& tool, const QStringList& arguments) const {
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished(WaitMs);
    return process.readAllStandardOutput();
  }

  QProcess& Start() {
    QProcess& program = programs.emplace_back();
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(KANACATCH_PROBE, {});
    return program;
  }

  // The one window `program` shows, when it shows one other than `before`.
  QString NewWindow(const QProcess& program, const QString& before = {}) {
    QString window;
    (void)Until([&] {
      const QStringList shown =
          QString::fromLatin1(X("xdotool", {"search", "--onlyvisible", "--pid",
                                            QString::number(program.processId())}))
              .split('\n', Qt::SkipEmptyParts);
      window = shown.size() == 1 && shown[0] != before ? shown[0] : QString();
      return !window.isEmpty();
    });
    return window;
  }

  QImage Shot(const QString& window) const {
    return QImage::fromData(X("import", {"-silent", "-window", window, "png:-"}), "PNG");
  }

  // Gives `window` the keyboard (Xvfb has no window manager to do so) and
  // sends it xdotool's key strokes: {"key", "ctrl+g"}.
  void Type(const QString& window, const QStringList& keys) const {
    X("xdotool", QStringList{"windowfocus", "--sync", window} + keys);
  }

  // Whether `program` has printed `request`.
  bool Requested(QProcess& program, const QString& request) {
    printed += QString::fromUtf8(program.readAllStandardOutput());
    return printed.contains(request);
  }

  QProcess server;
  QString display;
  QTemporaryDir runtimeFolder;
  std::list<QProcess> programs;
  QString printed;
};

}  // namespace

// A second copy started while the first shows its title shows its message
// and ends once the player dismisses it. The first goes on: a click on its
// title brings the main window, Ctrl+G starts a game with its music, the
// strings of the first lesson typed as romaji catch a critter with the
// catch sound, Ctrl+S leaves the bare playfield and Ctrl+Q ends the program.
TEST_F(Player, StartsAGameFromTheTitleCatchesCrittersByTypingThenStopsAndQuits) {
  QProcess& game = Start();
  const QString title = NewWindow(game);
  ASSERT_FALSE(title.isEmpty()) << "no title window";

  QProcess& second = Start();
  const QString box = NewWindow(second);
  ASSERT_FALSE(box.isEmpty()) << "the second copy showed no message";
  EXPECT_EQ(X("xdotool", {"getwindowname", box}).trimmed(), "かなキャッチ");
  EXPECT_LT(Shot(box).height(), 480) << "a message box, not the title window";
  EXPECT_FALSE(second.waitForFinished(500)) << "it waits for the player";
  Type(box, {"key", "Return"});
  ASSERT_TRUE(second.waitForFinished(WaitMs));
  EXPECT_EQ(second.exitCode(), 1) << "a refused start ends with status 1";

  X("xdotool", {"mousemove", "--window", title, "320", "240", "click", "1"});
  const QString main = NewWindow(game, title);
  ASSERT_FALSE(main.isEmpty()) << "the main window did not follow the title";
  QImage bare;
  ASSERT_TRUE(Until([&] {
    const QImage shot = Shot(main);
    QThread::msleep(100);
    return !shot.isNull() && (bare = Shot(main)) == shot;
  }));
  Type(main, {"key", "ctrl+g"});
  ASSERT_TRUE(Until([&] { return Requested(game, "music play|"); }));
  // Critters rise in the lower half, clear of the box that the game shows.
  const auto lower = [](const QImage& shot) { return shot.copy(0, 250, shot.width(), 200); };
  EXPECT_TRUE(Until([&] { return lower(Shot(main)) != lower(bare); })) << "no critter shows";

  // The strings of the first lesson, each followed by Enter, which empties
  // the box after a miss.
  const QStringList strokes = QString(
                                  "key a Return i Return u Return e Return o Return x a Return "
                                  "x i Return x u Return x e Return x o Return k a Return "
                                  "k i Return k u Return k e Return k o Return")
                                  .split(' ');
  EXPECT_TRUE(Until(
      [&] {
        Type(main, strokes);
        return Requested(game, "/みゃ.wav 19");
      },
      60000))
      << "no catch";

  Type(main, {"key", "ctrl+s"});
  EXPECT_TRUE(Until([&] { return Shot(main) == bare; })) << "Stop leaves the bare playfield";
  Type(main, {"key", "ctrl+q"});
  ASSERT_TRUE(game.waitForFinished(WaitMs)) << "Quit left the program running";
  EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(game.exitCode(), 0);
}
