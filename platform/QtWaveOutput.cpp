#include "platform/QtWaveOutput.h"

#include <sndfile.h>

#include <QCoreApplication>
#include <QFile>
#include <QSoundEffect>
#include <QUrl>
#include <algorithm>
#include <cstdint>
#include <utility>

namespace platform {

std::optional<uint32_t> WaveFileLength(const QString& path) {
  SF_INFO info{};
  SNDFILE* file = sf_open(QFile::encodeName(path).constData(), SFM_READ, &info);
  if (!file) return std::nullopt;
  sf_close(file);
  if ((info.format & SF_FORMAT_TYPEMASK) != SF_FORMAT_WAV || info.frames <= 0 ||
      info.samplerate <= 0) {
    return std::nullopt;
  }
  const sf_count_t ms = (info.frames * 1000 + info.samplerate - 1) / info.samplerate;
  return static_cast<uint32_t>(std::min<sf_count_t>(ms, UINT32_MAX));
}

std::optional<uint32_t> QtWaveOutput::Load(const QString& path) {
  const std::optional<uint32_t> length = WaveFileLength(path);
  if (!length) return std::nullopt;
  auto* effect = new QSoundEffect(QCoreApplication::instance());
  effect->setSource(QUrl::fromLocalFile(path));
  effects.insert(path, effect);
  return length;
}

void QtWaveOutput::Start(const QString& path) {
  if (QSoundEffect* effect = effects.value(path)) effect->play();
}

void QtWaveOutput::StopAll() {
  for (const QPointer<QSoundEffect>& effect : std::as_const(effects)) {
    if (effect) effect->stop();
  }
}

}  // namespace platform
