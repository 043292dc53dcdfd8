// The program as the player starts it, from the folder it was copied to,
// with three windows onto it for the tests that start it with a damaged
// data folder: every message box is printed instead of shown (so nothing
// waits for a click), every music command is printed with the device's
// answer, and the clock runs 25 times faster than real time. Once the main
// loop runs, a short script plays the part of the player: a click on the
// title, Start, one catch, one miss, the input table, Stop, the how-to-use
// screen and Quit.
//
// Printed lines: "message <text>", "music <command>|<answer>", "table
// <scroll maximum>", "ended" when the program ended after a message,
// "finished shown=<n> caught=<n>" when Quit ended it, then "label-face
// <face>", the face a label is printed in, and "peak-kb <n>", the most
// memory the process ever held.

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFontInfo>
#include <QInputMethodEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "app/KanaTextBox.h"
#include "app/MainForm.h"
#include "app/StartUp.h"
#include "game/GameState.h"
#include "platform/MessageBox.h"
#include "platform/MusicDevice.h"
#include "platform/ProgramFolder.h"
#include "platform/SingleInstance.h"
#include "platform/TextFont.h"
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
  if (!status.open(QIODevice::ReadOnly)) return;
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
    return Forward(QStringLiteral("open ") + path, [&](auto& device) { return device.Open(path); });
  }
  int PlayFromStart() override {
    return Forward(QStringLiteral("play"), [](auto& device) { return device.PlayFromStart(); });
  }
  int Stop() override {
    return Forward(QStringLiteral("stop"), [](auto& device) { return device.Stop(); });
  }
  int Close() override {
    return Forward(QStringLiteral("close"), [](auto& device) { return device.Close(); });
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

// Runs `step` every 5 ms until it answers true, then `next`.
void Every5msUntil(std::function<bool()> step, std::function<void()> next) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, step, next] {
    if (!step()) return;
    timer->stop();
    timer->deleteLater();
    next();
  });
  timer->start(5);
}

// Commits the string of the critter that stands highest out of its hole,
// once one stands at least 100 pixels out: the catch.
bool CatchOne(MainForm& form) {
  for (int h = 1; h <= HoleCount; ++h) {
    if (Game.HoleMoji[h].isEmpty() || Game.KobSinking[h]) continue;
    if (Game.RestY[h] - Game.KobRect[h].Top < 100) continue;
    QInputMethodEvent commit;
    commit.setCommitString(Game.HoleMoji[h]);
    QApplication::sendEvent(form.Text1, &commit);
    return true;
  }
  return false;
}

// A miss, the input table, the how-to-use screen and Quit.
void MissAndFinish(MainForm& form) {
  // A string no critter carries, and Enter: the miss.
  QTest::keyClick(form.Text1, Qt::Key_X);
  QTest::keyClick(form.Text1, Qt::Key_Return);
  form.InPutShow->trigger();
  InPutForm* table = InPutForm::Instance();
  Say(QStringLiteral("table %1").arg(table->VScroll1->maximum()));
  table->VScroll1->setValue(table->VScroll1->maximum());
  table->close();
  const int16_t shown = Game.ShownCount;
  const int16_t caught = Game.CatchCount;
  form.Stop->trigger();
  form.SubHelp->trigger();
  form.Command1->click();
  Say(QStringLiteral("finished shown=%1 caught=%2").arg(shown).arg(caught));
  form.Quit->trigger();
}

void PlayAsThePlayer(MainForm& form) {
  QTest::mousePress(TitleForm::Instance(), Qt::LeftButton);
  form.Start->trigger();
  Every5msUntil([&form] { return CatchOne(form); },
                // The miss waits for the catch sound to end, which would drop it.
                [&form] { QTimer::singleShot(40, [&form] { MissAndFinish(form); }); });
}

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("kanacatch"));
  QApplication::setApplicationDisplayName(QStringLiteral("かなキャッチ"));
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
  Say("label-face " +
      QFontInfo(platform::ToQFont({platform::ProportionalGothic, 35, true})).family());
  SayPeakMemory();
  return 0;
}
