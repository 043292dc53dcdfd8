// The history across two runs of the real program: a game played to its end
// in the first shows in the 記録 window of the second.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "VirtualDisplay.h"

namespace {

constexpr int WindowMs = 20000;

class History : public testing::Test {
 protected:
  void SetUp() override {
    if (!QFile::exists(QStringLiteral(KANACATCH_PROBE_DIR "/Deta/Title.jpg"))) {
      GTEST_SKIP() << "this build made no data folder";
    }
    ASSERT_TRUE(display.IsUp());
  }
  void TearDown() override {
    program.kill();
    program.waitForFinished();
  }

  // Starts the program with its user data in a folder of the test's own,
  // hands over from the title, and gives the main window the keyboard.
  QString StartToTheMainWindow() {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display.Name());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    environment.insert(QStringLiteral("XDG_DATA_HOME"), data.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(KANACATCH_PROBE));
    const QString title = Window(QStringLiteral("かなキャッチ"));
    display.Click(title, QPoint(320, 240));
    QString main;
    WaitUntil(
        [&] { return !(main = Window(QStringLiteral("かなキャッチ"))).isEmpty() && main != title; },
        WindowMs);
    display.Click(main, QPoint(20, 300));
    return main;
  }

  // The shown window of the program whose name begins with `name` (the
  // window system may add the program's); empty when none shows
  // within `timeoutMs`.
  QString Window(const QString& name, int timeoutMs = WindowMs) const {
    QString found;
    WaitUntil(
        [&] {
          for (const QString& window : display.WindowsOf(program.processId())) {
            if (display.NameOf(window).startsWith(name)) found = window;
          }
          return !found.isEmpty();
        },
        timeoutMs);
    return found;
  }

  VirtualDisplay display;
  QTemporaryDir runtime;
  QTemporaryDir data;
  QProcess program;
};

}  // namespace

TEST_F(History, AGamePlayedToItsEndShowsInTheRecordWindowAfterARestart) {
  QString main = StartToTheMainWindow();
  ASSERT_FALSE(main.isEmpty());
  // スピード → はやい through the menu bar's keyboard, then スタート.
  display.Keys({"key", "alt", "Right", "Right", "Return", "Return", "ctrl+g"});
  // 30 strings, each hole rising five times after pauses of up to 7 s.
  ASSERT_FALSE(Window(QStringLiteral("結果"), 90000).isEmpty()) << "the game did not end";
  display.Click(main, QPoint(20, 300));
  display.Keys({"key", "ctrl+q"});
  ASSERT_TRUE(program.waitForFinished(WindowMs));

  main = StartToTheMainWindow();
  // 記録 → 記録表示: the last menu, reached leftwards from the first.
  display.Keys({"key", "alt", "Left", "Return", "Return"});
  EXPECT_FALSE(Window(QStringLiteral("記録（1 ゲーム）")).isEmpty());
}
