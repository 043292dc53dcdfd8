#pragma once
#include <QByteArray>
#include <QDeadlineTimer>
#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QThread>
#include <optional>
#include <vector>

// An X server of its own (Xvfb) on a free display, and the X tools that act
// on it as a player and a screen would: xdotool for the mouse and keyboard
// (real X input through XTEST) and ImageMagick's import for screenshots.
class VirtualDisplay {
 public:
  // Starts Xvfb with one screen of `screen` pixels; IsUp() tells whether it
  // came up. The server stops with the object.
  explicit VirtualDisplay(QSize screen = QSize(1024, 768));
  ~VirtualDisplay();
  VirtualDisplay(const VirtualDisplay&) = delete;
  VirtualDisplay& operator=(const VirtualDisplay&) = delete;

  bool IsUp() const { return !name.isEmpty(); }
  // ":N", for DISPLAY.
  QString Name() const { return name; }

  // Runs an X tool on this display; its output, or nothing when it failed.
  std::optional<QByteArray> Run(const QString& tool, const QStringList& arguments) const;

  // The mapped top-level windows of process `pid`.
  std::vector<QString> WindowsOf(qint64 pid) const;
  QSize SizeOf(const QString& window) const;
  QString NameOf(const QString& window) const;

  // Moves the pointer to `at` inside `window` and clicks the left button.
  void Click(const QString& window, QPoint at) const;
  // xdotool's own command chain: {"key", "ctrl+g"}, {"type", "ka", "key", "Return"}.
  void Keys(const QStringList& chain) const;
  // The window's contents as shown on the screen; null when it is not shown.
  QImage Shot(const QString& window) const;

 private:
  QProcess server;
  QString name;
};

// Polls `condition` until it holds or `timeoutMs` have passed; whether it held.
template <typename Condition>
bool WaitUntil(Condition condition, int timeoutMs) {
  const QDeadlineTimer deadline(timeoutMs);
  while (!condition()) {
    if (deadline.hasExpired()) return false;
    QThread::msleep(40);
  }
  return true;
}
