// The real program in a real X window on an X server of its own (Xvfb),
// driven from outside as a player drives it: mouse clicks and key strokes
// through xdotool, screenshots of its windows through ImageMagick's import,
// and the sound and music requests its test build prints.
#include <gtest/gtest.h>

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
  // Xvfb on a free display of its own choosing, which it names once it
  // accepts clients; -noreset keeps it from starting afresh, deaf for a
  // moment, whenever its last client leaves.
  void SetUp() override {
    server.start(
        "Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset"});
    QByteArray named;
    while (!named.endsWith('\n') && server.waitForReadyRead(WaitMs)) named += server.readAll();
    display = QString(":" + named.trimmed());
    ASSERT_NE(display, ":") << "Xvfb did not start";
    // For the programs and tools the test starts; the copies of the program
    // meet in a runtime folder of their own and keep their history and
    // settings in folders of the test's own, away from the user's game.
    qputenv("DISPLAY", display.toUtf8());
    qputenv("QT_QPA_PLATFORM", "xcb");
    qputenv("XDG_RUNTIME_DIR", runtimeFolder.path().toUtf8());
    qputenv("XDG_DATA_HOME", dataFolder.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", configFolder.path().toUtf8());
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

  // A window `program` shows whose name begins with `name`, other than
  // `before`; empty when none shows within `ms`.
  QString Window(const QProcess& program, const QString& name, const QString& before = {},
                 int ms = WaitMs) {
    QStringList shown;
    (void)Until(
        [&] {
          shown =
              QString(X("xdotool", {"search", "--all", "--onlyvisible", "--pid",
                                    QString::number(program.processId()), "--name", "^" + name}))
                  .split('\n', Qt::SkipEmptyParts);
          shown.removeAll(before);
          return !shown.isEmpty();
        },
        ms);
    return shown.value(0);
  }

  // The program's main window, reached by a click on its title.
  QString MainWindow(const QProcess& program, const QString& title) {
    X("xdotool", {"mousemove", "--window", title, "320", "240", "click", "1"});
    return Window(program, "かなキャッチ", title);
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
  QTemporaryDir runtimeFolder, dataFolder, configFolder;
  std::list<QProcess> programs;
  QString printed;
};

}  // namespace

// A second copy started while the first shows its title shows its message
// and ends once the player dismisses it. The first goes on: a click on its
// title brings the main window, Ctrl+G starts a game with its music, the
// strings of the first lesson typed as romaji catch a critter with the
// catch sound, Ctrl+S leaves the bare playfield; a fast game played to its
// end opens the results, and Ctrl+Q ends the program. Started again, it
// counts that game in its 記録 window.
TEST_F(Player, CatchesByTypingStopsQuitsAndFindsItsFinishedGameInTheHistoryOfTheNextStart) {
  QProcess& game = Start();
  const QString title = Window(game, "かなキャッチ");
  ASSERT_FALSE(title.isEmpty()) << "no title window";

  QProcess& second = Start();
  const QString box = Window(second, "かなキャッチ");
  ASSERT_FALSE(box.isEmpty()) << "the second copy showed no message";
  EXPECT_LT(Shot(box).height(), 480) << "a message box, not the title window";
  EXPECT_FALSE(second.waitForFinished(500)) << "it waits for the player";
  Type(box, {"key", "Return"});
  ASSERT_TRUE(second.waitForFinished(WaitMs));
  EXPECT_EQ(second.exitCode(), 1) << "a refused start ends with status 1";

  const QString main = MainWindow(game, title);
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
  QStringList strokes = {"key"};
  for (const QString& keys : QString("a i u e o xa xi xu xe xo ka ki ku ke ko").split(' '))
    strokes << QStringList(keys.begin(), keys.end()) << "Return";
  EXPECT_TRUE(Until(
      [&] {
        Type(main, strokes);
        return Requested(game, "/みゃ.wav 19");
      },
      60000))
      << "no catch";

  Type(main, {"key", "ctrl+s"});
  EXPECT_TRUE(Until([&] { return Shot(main) == bare; })) << "Stop leaves the bare playfield";
  // スピード → はやい through the menu bar's keyboard, then スタート: 30
  // strings, each hole rising five times after pauses of up to 7 s.
  Type(main, {"key", "alt", "Right", "Right", "Return", "Return", "ctrl+g"});
  EXPECT_FALSE(Window(game, "結果", {}, 90000).isEmpty()) << "the game did not end";
  Type(main, {"key", "ctrl+q"});
  ASSERT_TRUE(game.waitForFinished(WaitMs)) << "Quit left the program running";
  EXPECT_EQ(game.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(game.exitCode(), 0);

  QProcess& again = Start();
  const QString next = MainWindow(again, Window(again, "かなキャッチ"));
  ASSERT_FALSE(next.isEmpty());
  // 記録 → 記録表示: the last menu, reached leftwards from the first.
  Type(next, {"key", "alt", "Left", "Return", "Return"});
  EXPECT_FALSE(Window(again, "記録（1 ゲーム）").isEmpty()) << "the finished game was not kept";
}
