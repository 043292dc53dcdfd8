#include "platform/audio/QuietAudio.h"

// Only the types and signatures: the library is loaded when the sound is.
#include <alsa/asoundlib.h>

#include <QByteArray>
#include <QLibrary>
#include <QLoggingCategory>
#include <QString>
#include <cstdio>

namespace platform {
namespace {

Q_LOGGING_CATEGORY(audioLog, "kanacatch.audio", QtWarningMsg)

QtMessageHandler qtHandlerBefore = nullptr;

void DropAlsaError(const char*, int, const char*, int, const char*, ...) {}

void LogFluidMessage(int level, const char* message, void*) {
  if (level <= FLUID_WARN) qCDebug(audioLog, "FluidSynth: %s", message);
}

// Qt Multimedia's complaints about a missing sound server or device.
bool IsNoSoundComplaint(const QMessageLogContext& context, const QString& text) {
  return QByteArray(context.category ? context.category : "").startsWith("qt.multimedia") ||
         text.startsWith(QStringLiteral("PulseAudioService:")) ||
         text == QStringLiteral("No audio device detected");
}

void FilterQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if ((type == QtWarningMsg || type == QtInfoMsg) && IsNoSoundComplaint(context, text)) {
    qCDebug(audioLog) << "Qt Multimedia:" << text;
  } else if (qtHandlerBefore) {
    qtHandlerBefore(type, context, text);
  }
}

}  // namespace

void QuietQtAudioMessages() {
  static const bool filtered = [] {
    qtHandlerBefore = qInstallMessageHandler(FilterQtMessage);
    return true;
  }();
  (void)filtered;
}

void QuietAudioLibraries() {
  QuietQtAudioMessages();
  static const bool quiet = [] {
    // The ALSA library the audio libraries load, loaded here first; the
    // program itself does not link it. Without it there is nothing to quiet.
    QLibrary alsa(QStringLiteral("asound"), 2);
    if (const auto setHandler = reinterpret_cast<decltype(&snd_lib_error_set_handler)>(
            alsa.resolve("snd_lib_error_set_handler"))) {
      setHandler(DropAlsaError);
    }
    return true;
  }();
  (void)quiet;
}

void QuietFluidSynth(decltype(&fluid_set_log_function) setLogFunction) {
  for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG}) {
    setLogFunction(level, LogFluidMessage, nullptr);
  }
}

void NoteNoAudioDevice() {
  static bool noted = false;
  if (noted) return;
  noted = true;
  std::fputs("kanacatch: no audio device; playing silently\n", stderr);
  std::fflush(stderr);
}

}  // namespace platform
