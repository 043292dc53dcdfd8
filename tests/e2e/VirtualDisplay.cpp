#include "VirtualDisplay.h"

#include <QCoreApplication>

namespace {

constexpr int ToolTimeoutMs = 20000;

}  // namespace

VirtualDisplay::VirtualDisplay(QSize screen) {
  // Displays from 100 up, away from the ones people start by hand, from a
  // place that differs between processes; a display in use makes Xvfb end at
  // once, and the next one is tried. With -displayfd the server writes the
  // number once it accepts clients; -noreset keeps it from starting afresh,
  // deaf for a moment, whenever its last client (an xdotool) leaves.
  const int first = 100 + static_cast<int>(QCoreApplication::applicationPid() % 500);
  for (int display = first; display < first + 20 && name.isEmpty(); ++display) {
    server.setProcessChannelMode(QProcess::SeparateChannels);
    server.setStandardErrorFile(QProcess::nullDevice());
    server.start(QStringLiteral("Xvfb"),
                 {QStringLiteral(":%1").arg(display), QStringLiteral("-displayfd"),
                  QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                  QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height()),
                  QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-noreset")});
    if (!server.waitForStarted(ToolTimeoutMs)) return;
    QByteArray number;
    while (!number.endsWith('\n') && server.waitForReadyRead(ToolTimeoutMs)) {
      number += server.readAll();
    }
    if (number.trimmed() == QByteArray::number(display)) {
      name = QStringLiteral(":%1").arg(display);
    } else {
      server.kill();
      server.waitForFinished(ToolTimeoutMs);
    }
  }
}

VirtualDisplay::~VirtualDisplay() {
  if (server.state() == QProcess::NotRunning) return;
  server.terminate();
  if (!server.waitForFinished(ToolTimeoutMs)) server.kill();
  server.waitForFinished(ToolTimeoutMs);
}

std::optional<QByteArray> VirtualDisplay::Run(const QString& tool,
                                              const QStringList& arguments) const {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("DISPLAY"), name);
  process.setProcessEnvironment(environment);
  process.start(tool, arguments);
  if (!process.waitForFinished(ToolTimeoutMs)) {
    process.kill();
    process.waitForFinished();
    return std::nullopt;
  }
  if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) return std::nullopt;
  return process.readAllStandardOutput();
}

std::vector<QString> VirtualDisplay::WindowsOf(qint64 pid) const {
  std::vector<QString> windows;
  const auto found =
      Run(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                      QStringLiteral("--pid"), QString::number(pid)});
  if (!found) return windows;
  for (const QByteArray& line : found->split('\n')) {
    if (!line.trimmed().isEmpty()) windows.push_back(QString::fromLatin1(line.trimmed()));
  }
  return windows;
}

QSize VirtualDisplay::SizeOf(const QString& window) const {
  const auto shell = Run(QStringLiteral("xdotool"),
                         {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window});
  QSize size;
  if (!shell) return size;
  for (const QByteArray& line : shell->split('\n')) {
    if (line.startsWith("WIDTH=")) size.setWidth(line.mid(6).toInt());
    if (line.startsWith("HEIGHT=")) size.setHeight(line.mid(7).toInt());
  }
  return size;
}

QString VirtualDisplay::NameOf(const QString& window) const {
  const auto title = Run(QStringLiteral("xdotool"), {QStringLiteral("getwindowname"), window});
  return title ? QString::fromUtf8(title->trimmed()) : QString();
}

void VirtualDisplay::Click(const QString& window, QPoint at) const {
  Run(QStringLiteral("xdotool"),
      {QStringLiteral("mousemove"), QStringLiteral("--window"), window, QString::number(at.x()),
       QString::number(at.y()), QStringLiteral("click"), QStringLiteral("1")});
}

void VirtualDisplay::Keys(const QStringList& chain) const { Run(QStringLiteral("xdotool"), chain); }

QImage VirtualDisplay::Shot(const QString& window) const {
  const auto png =
      Run(QStringLiteral("import"),
          {QStringLiteral("-silent"), QStringLiteral("-window"), window, QStringLiteral("png:-")});
  return png ? QImage::fromData(*png, "PNG").convertToFormat(QImage::Format_RGB32) : QImage();
}
