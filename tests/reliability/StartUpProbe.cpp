// The program as the player starts it, from the folder it was copied to,
// for the tests that start it with a damaged or oddly named data folder:
// every message box is printed instead of shown (so nothing waits for a
// click), every music command is printed with the device's answer, and the
// clock runs 25 times faster than real time. Once the main loop runs, a
// short script plays the part of the player: a click on the title, Start,
// one catch, one miss, the input table and Quit.
//
// Printed lines: "message <text>", "music <command>|<answer>", "table
// <scroll maximum>", "ended" when the program ended after a message,
// "caught <n>" before Quit, and "peak-kb <n>", the most memory the process
// ever held.

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QInputMethodEvent>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "app/KanaTextBox.h"
#include "app/MainForm.h"
#include "app/StartUp.h"
#include "game/GameState.h"
#include "platform/MessageBox.h"
#include "platform/MusicDevice.h"
#include "platform/ProgramFolder.h"
#include "platform/SingleInstance.h"
#include "platform/TickCounter.h"
#include "screens/InputTable.h"
#include "screens/TitleForm.h"

namespace {

void Say(const QString& line) {
  std::printf("%s\n", line.toUtf8().constData());
  std::fflush(stdout);
}

// The peak resident size (VmHWM) in kilobytes.
void SayPeakMemory() {
  QFile status(QStringLiteral("/proc/self/status"));
  status.open(QIODevice::ReadOnly);
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("VmHWM:")) Say("peak-kb " + line.mid(6).trimmed().split(' ').first());
  }
}

class PrintedMessages : public platform::MessageSink {
 public:
  void Show(const QString& text) override { Say("message " + text); }
  void End() override {
    Say(QStringLiteral("ended"));
    SayPeakMemory();
    std::_Exit(1);
  }
};

// Hands every request to the program's own music device and prints it
// with the answer.
class PrintedMusic : public platform::MusicDevice {
 public:
  int Open(const QString& path) override {
    return Forward("open " + path, [&](auto& device) { return device.Open(path); });
  }
  int PlayFromStart() override {
    return Forward("play", [](auto& device) { return device.PlayFromStart(); });
  }
  int Stop() override {
    return Forward("stop", [](auto& device) { return device.Stop(); });
  }
  int Close() override {
    return Forward("close", [](auto& device) { return device.Close(); });
  }

 private:
  template <typename Call>
  int Forward(const QString& request, Call call) {
    platform::UseMusicDevice(nullptr);
    const int answer = call(platform::Music());
    platform::UseMusicDevice(this);
    Say(QStringLiteral("music %1|%2").arg(request).arg(answer));
    return answer;
  }
};

class FastClock : public platform::TickSource {
 public:
  FastClock() { real.start(); }
  int32_t Read() override { return static_cast<int32_t>(real.elapsed() * 25); }

 private:
  QElapsedTimer real;
};

// Commits the string of a critter that stands at least 100 pixels out of
// its hole, once one does: the catch.
bool CatchOne(MainForm& form) {
  for (int h = 1; h <= HoleCount; ++h) {
    if (Game.HoleMoji[h].isEmpty() || Game.RestY[h] - Game.KobRect[h].Top < 100) continue;
    QInputMethodEvent commit;
    commit.setCommitString(Game.HoleMoji[h]);
    QApplication::sendEvent(form.Text1, &commit);
    return true;
  }
  return false;
}

// A string no critter carries, and Enter: the miss; then the input table
// and Quit.
void MissAndFinish(MainForm& form) {
  QTest::keyClick(form.Text1, Qt::Key_X);
  QTest::keyClick(form.Text1, Qt::Key_Return);
  form.InPutShow->trigger();
  Say(QStringLiteral("table %1").arg(InPutForm::Instance()->VScroll1->maximum()));
  Say(QStringLiteral("caught %1").arg(Game.CatchCount));
  form.Quit->trigger();
}

void PlayAsThePlayer(MainForm& form) {
  QTest::mousePress(TitleForm::Instance(), Qt::LeftButton);
  form.Start->trigger();
  auto* player = new QTimer(&form);
  QObject::connect(player, &QTimer::timeout, [player, &form] {
    if (!CatchOne(form)) return;
    player->stop();
    // The miss waits for the catch sound to end, which would drop it.
    QTimer::singleShot(40, [&form] { MissAndFinish(form); });
  });
  player->start(5);
}

}  // namespace

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  PrintedMessages messages;
  PrintedMusic music;
  FastClock clock;
  platform::UseMessageSink(&messages);
  platform::UseMusicDevice(&music);
  platform::UseTickSource(&clock);
  // Each copy keeps its own lock, so that copies started side by side by
  // the tests do not take each other for a second copy.
  platform::UseLockFolder(platform::ProgramFolder());

  MainForm form;
  QTimer::singleShot(0, [&form] { PlayAsThePlayer(form); });
  Form_Load(form);
  SayPeakMemory();
  return 0;
}
