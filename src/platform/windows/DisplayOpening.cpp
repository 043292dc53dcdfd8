#include "platform/windows/DisplayOpening.h"

#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace platform {
namespace {

struct HeldMessage {
  QtMsgType type;
  QString category;
  QString text;
};

QtMessageHandler handlerBefore = nullptr;
std::vector<HeldMessage> held;

void Say(const QString& line) {
  std::fprintf(stderr, "kanacatch: %s\n", line.toLocal8Bit().constData());
  std::fflush(stderr);
}

// The display variables as they are set, for the line that says which
// display could not be opened.
QString DisplaySettings() {
  QStringList settings;
  for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
    if (!qEnvironmentVariableIsEmpty(name)) {
      settings << QStringLiteral("%1=%2").arg(name, qEnvironmentVariable(name));
    }
  }
  return settings.join(QStringLiteral(", "));
}

// While the application object is made, Qt's messages wait: a platform
// plugin that cannot reach its display complains in several lines and then
// ends the program with a fatal message, which becomes the one line.
void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) {
    Say(QStringLiteral("cannot open the display (%1)").arg(DisplaySettings()));
    std::_Exit(1);
  }
  held.push_back({type, QString::fromUtf8(context.category), text});
}

}  // namespace

std::unique_ptr<QApplication> OpenApplication(int& argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
    Say(QStringLiteral("no display found (DISPLAY and WAYLAND_DISPLAY are unset)"));
    std::exit(1);
  }
  handlerBefore = qInstallMessageHandler(HoldMessage);
  auto application = std::make_unique<QApplication>(argc, argv);
  qInstallMessageHandler(handlerBefore);
  // The display opened: what Qt said meanwhile goes out as it would have.
  for (const HeldMessage& message : held) {
    const QByteArray category = message.category.toUtf8();
    const QMessageLogContext context(nullptr, 0, nullptr, category.constData());
    qt_message_output(message.type, context, message.text);
  }
  held.clear();
  return application;
}

}  // namespace platform
